#pragma once

#include <QString>

// Captions of campaign questions and responses, one record per language.

namespace pelko_wave {

class CQuestionCaption
{
public:
    CQuestionCaption() = default;

    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    int GetLanguageId() const { return m_languageId; }
    void SetLanguageId(int id) { m_languageId = id; }
    const QString& GetLongCaption() const { return m_longCaption; }
    void SetLongCaption(const QString& text) { m_longCaption = text; }
    const QString& GetShortCaption() const { return m_shortCaption; }
    void SetShortCaption(const QString& text) { m_shortCaption = text; }

    bool operator==(const CQuestionCaption&) const = default;

private:
    int m_questionId = 0;
    int m_languageId = 0;
    QString m_longCaption;
    QString m_shortCaption;
};

class CModalityCaption
{
public:
    CModalityCaption() = default;

    int GetModalityId() const { return m_modalityId; }
    void SetModalityId(int id) { m_modalityId = id; }
    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    int GetLanguageId() const { return m_languageId; }
    void SetLanguageId(int id) { m_languageId = id; }
    const QString& GetShortCaption() const { return m_shortCaption; }
    void SetShortCaption(const QString& text) { m_shortCaption = text; }

    bool operator==(const CModalityCaption&) const = default;

private:
    int m_modalityId = 0;
    int m_questionId = 0;
    int m_languageId = 0;
    QString m_shortCaption;
};

} // namespace pelko_wave
