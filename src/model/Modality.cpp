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
    , m_captionIndex(other.m_captionIndex)
{
    m_captions.reserve(other.m_captions.size());
    for (const auto& caption : other.m_captions)
        m_captions.push_back(std::make_unique<CModalityCaption>(*caption));
}

CModality::~CModality() = default;

int CModality::AddCaption(std::unique_ptr<CModalityCaption> caption)
{
    if (!caption || m_captionIndex.contains(caption->GetLanguageId()))
        return -1;
    const int position = int(m_captions.size());
    m_captionIndex.insert(caption->GetLanguageId(), position);
    m_captions.push_back(std::move(caption));
    return position;
}

CModalityCaption* CModality::FindCaption(int languageId) const
{
    const auto it = m_captionIndex.constFind(languageId);
    return it == m_captionIndex.cend() ? nullptr : m_captions[size_t(*it)].get();
}

std::unique_ptr<CModalityCaption> CModality::RemoveCaption(int languageId)
{
    const auto it = m_captionIndex.constFind(languageId);
    if (it == m_captionIndex.cend())
        return nullptr;
    const auto position = m_captions.begin() + *it;
    std::unique_ptr<CModalityCaption> caption = std::move(*position);
    m_captions.erase(position);
    RebuildCaptionIndex();
    return caption;
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

void CModality::RebuildCaptionIndex()
{
    m_captionIndex.clear();
    for (size_t i = 0; i < m_captions.size(); ++i) {
        if (!m_captionIndex.contains(m_captions[i]->GetLanguageId()))
            m_captionIndex.insert(m_captions[i]->GetLanguageId(), int(i));
    }
}

} // namespace pelko_wave
