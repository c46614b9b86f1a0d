#pragma once

#include <QString>

// Reference data that the campaign takes over from its volumes' questionnaires: questionnaire
// versions and question classes.

namespace pelko_wave {

class CVersion
{
public:
    CVersion() = default;

    int GetVersionId() const { return m_versionId; }
    void SetVersionId(int id) { m_versionId = id; }
    const QString& GetLongCaption() const { return m_longCaption; }
    void SetLongCaption(const QString& text) { m_longCaption = text; }
    const QString& GetShortCaption() const { return m_shortCaption; }
    void SetShortCaption(const QString& text) { m_shortCaption = text; }

    bool operator==(const CVersion&) const = default;

private:
    int m_versionId = 0;
    QString m_longCaption;
    QString m_shortCaption;
};

class CQuestionClass
{
public:
    CQuestionClass() = default;

    int GetQuestionClassId() const { return m_questionClassId; }
    void SetQuestionClassId(int id) { m_questionClassId = id; }
    const QString& GetCaption() const { return m_caption; }
    void SetCaption(const QString& text) { m_caption = text; }

    bool operator==(const CQuestionClass&) const = default;

private:
    int m_questionClassId = 0;
    QString m_caption;
};

} // namespace pelko_wave
