#pragma once

#include <QString>
#include <map>

namespace qnr {

// One interview stored with the questions: its id and the answers it holds, by question code.
// An answer is the text as stored: a response code, several codes separated by ";", a number,
// a date (yyyy-MM-dd) or an open text.
class CInterview
{
public:
    CInterview() = default;
    explicit CInterview(int id) : m_id(id) {}

    int GetId() const { return m_id; }
    // The answer to a question; empty when the interview holds none.
    QString GetAnswer(int questionCode) const;
    void SetAnswer(int questionCode, const QString& answer) { m_answers[questionCode] = answer; }
    const std::map<int, QString>& GetAnswers() const { return m_answers; }

private:
    int m_id = 0;
    std::map<int, QString> m_answers;
};

} // namespace qnr
