#include "model/Modality.h"

namespace pelko_wave {

CModality::CModality(const CModality& other)
    : m_modalityId(other.m_modalityId)
    , m_questionId(other.m_questionId)
    , m_isDeleted(other.m_isDeleted)
    , m_modalityOrder(other.m_modalityOrder)
    , m_value(other.m_value)
    , m_entryCode(other.m_entryCode)
    , m_isExclusive(other.m_isExclusive)
    , m_rotationBehaviour(other.m_rotationBehaviour)
    , m_versions(other.m_versions)
    , m_userData(other.m_userData)
    , m_appearanceVolumeId(other.m_appearanceVolumeId)
    , m_deletionWaveId(other.m_deletionWaveId)
    , m_captions(other.m_captions)
{
}

CModality::~CModality() = default;

int CModality::AddCaption(std::unique_ptr<CModalityCaption> caption)
{
    return m_captions.Add(std::move(caption));
}

CModalityCaption* CModality::FindCaption(int languageId) const
{
    return m_captions.Find(languageId);
}

std::unique_ptr<CModalityCaption> CModality::RemoveCaption(int languageId)
{
    return m_captions.Remove(languageId);
}

const QString& CModality::GetShortCaption(int languageId) const
{
    static const QString empty;
    const CModalityCaption* caption = FindCaption(languageId);
    return caption ? caption->GetShortCaption() : empty;
}

void CModality::SetShortCaption(int languageId, const QString& text)
{
    if (CModalityCaption* caption = FindCaption(languageId)) {
        caption->SetShortCaption(text);
        return;
    }
    auto caption = std::make_unique<CModalityCaption>();
    caption->SetModalityId(m_modalityId);
    caption->SetQuestionId(m_questionId);
    caption->SetLanguageId(languageId);
    caption->SetShortCaption(text);
    AddCaption(std::move(caption));
}

} // namespace pelko_wave
