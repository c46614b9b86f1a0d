#pragma once

#include <QString>

namespace qnr {

// A class of questions (a question names its class by index, `CQuestion::GetQuestionClass`).
class CQuestionClass
{
public:
    CQuestionClass() = default;
    CQuestionClass(int id, const QString& caption) : m_id(id), m_caption(caption) {}

    int GetId() const { return m_id; }
    const QString& GetCaption() const { return m_caption; }

private:
    int m_id = 0;
    QString m_caption;
};

} // namespace qnr
