#pragma once

#include "model/CaptionList.h"
#include "model/Captions.h"

#include <QString>
#include <memory>

// One response (modality) of the campaign questionnaire. Every response lives in the
// campaign's response array, which owns it; its question holds a pointer to it in response
// order. It owns its captions, one per language.

namespace pelko_wave {

class CModality
{
public:
    CModality() = default;
    // Every field and a deep copy of every caption.
    CModality(const CModality& other);
    CModality& operator=(const CModality&) = delete;
    ~CModality();

    int GetModalityId() const { return m_modalityId; }
    void SetModalityId(int id) { m_modalityId = id; }
    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    int IsDeleted() const { return m_isDeleted; }
    void SetIsDeleted(int deleted) { m_isDeleted = deleted; }
    // Order within the question.
    int GetModalityOrder() const { return m_modalityOrder; }
    void SetModalityOrder(int order) { m_modalityOrder = order; }
    double GetValue() const { return m_value; }
    void SetValue(double value) { m_value = value; }
    const QString& GetEntryCode() const { return m_entryCode; }
    void SetEntryCode(const QString& code) { m_entryCode = code; }
    int IsExclusive() const { return m_isExclusive; }
    void SetIsExclusive(int exclusive) { m_isExclusive = exclusive; }
    int GetRotationBehaviour() const { return m_rotationBehaviour; }
    void SetRotationBehaviour(int behaviour) { m_rotationBehaviour = behaviour; }
    // Ids of the questionnaire versions it belongs to, each followed by ";".
    const QString& GetVersions() const { return m_versions; }
    void SetVersions(const QString& versions) { m_versions = versions; }
    const QString& GetUserData() const { return m_userData; }
    void SetUserData(const QString& data) { m_userData = data; }
    // The volume in which it first appeared.
    int GetAppearanceVolumeId() const { return m_appearanceVolumeId; }
    void SetAppearanceVolumeId(int id) { m_appearanceVolumeId = id; }
    // The wave in which it was deleted; NO_WAVE_ID when never.
    int GetDeletionWaveId() const { return m_deletionWaveId; }
    void SetDeletionWaveId(int id) { m_deletionWaveId = id; }

    // Captions, one per language, in order of addition.
    int GetCaptionCount() const { return m_captions.GetCount(); }
    CModalityCaption* GetCaption(int i) const { return m_captions.Get(i); }
    // Adds the caption and returns its position; -1 when the language already has one (the
    // given caption is then deleted and the first stays in place).
    int AddCaption(std::unique_ptr<CModalityCaption> caption);
    CModalityCaption* FindCaption(int languageId) const;
    // Takes the caption of the language out and hands it to the caller; null when none.
    std::unique_ptr<CModalityCaption> RemoveCaption(int languageId);
    // Moves the caption of one language to the other, in its place; false when there is none
    // or the other language has one.
    bool ChangeCaptionLanguage(int fromLanguageId, int toLanguageId)
    {
        return m_captions.ChangeLanguage(fromLanguageId, toLanguageId);
    }
    // The short caption in the language; an empty text when there is no caption in it.
    const QString& GetShortCaption(int languageId) const;
    // Sets the short caption, creating the caption record (this response, its question, the
    // language) when it is missing.
    void SetShortCaption(int languageId, const QString& text);

private:
    int m_modalityId = -1;
    int m_questionId = -1;
    int m_isDeleted = 0;
    int m_modalityOrder = -1;
    double m_value = 0.0;
    QString m_entryCode;
    int m_isExclusive = 0;
    int m_rotationBehaviour = 0;
    QString m_versions;
    QString m_userData;
    int m_appearanceVolumeId = 0;
    int m_deletionWaveId = 0;
    CCaptionList<CModalityCaption> m_captions;
};

} // namespace pelko_wave
