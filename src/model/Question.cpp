#include "model/Question.h"

#include "model/Modality.h"

#include <algorithm>

namespace pelko_wave {

CQuestion::CQuestion(const CQuestion& other)
    : m_questionId(other.m_questionId)
    , m_isDeleted(other.m_isDeleted)
    , m_order(other.m_order)
    , m_shortcut(other.m_shortcut)
    , m_indent(other.m_indent)
    , m_elementType(other.m_elementType)
    , m_questionType(other.m_questionType)
    , m_isDontKnow(other.m_isDontKnow)
    , m_isSemiOpen(other.m_isSemiOpen)
    , m_isScale(other.m_isScale)
    , m_isMultiple(other.m_isMultiple)
    , m_isRanked(other.m_isRanked)
    , m_maxResponseCount(other.m_maxResponseCount)
    , m_decimals(other.m_decimals)
    , m_minValue(other.m_minValue)
    , m_maxValue(other.m_maxValue)
    , m_isLevelLink(other.m_isLevelLink)
    , m_linkQuestionId(other.m_linkQuestionId)
    , m_isProbabilityQuestion(other.m_isProbabilityQuestion)
    , m_dateType(other.m_dateType)
    , m_questionClassId(other.m_questionClassId)
    , m_versions(other.m_versions)
    , m_userData(other.m_userData)
    , m_isDevelopLevels(other.m_isDevelopLevels)
    , m_appearanceVolumeId(other.m_appearanceVolumeId)
    , m_deletionWaveId(other.m_deletionWaveId)
    , m_captions(other.m_captions)
    , m_maxModalityOrder(other.m_maxModalityOrder)
    , m_responseIndex(other.m_responseIndex)
{
}

CQuestion::~CQuestion() = default;

CModality* CQuestion::GetModalityAt(int i) const
{
    return i >= 0 && i < GetModalityCount() ? m_modalities[size_t(i)] : nullptr;
}

int CQuestion::FindModalityIndex(const CModality* modality) const
{
    if (!modality)
        return -1;
    for (size_t i = 0; i < m_modalities.size(); ++i) {
        if (m_modalities[i]->GetModalityId() == modality->GetModalityId())
            return int(i);
    }
    return -1;
}

int CQuestion::InsertModality(CModality* modality)
{
    const int order = modality->GetModalityOrder();
    m_maxModalityOrder = std::max(m_maxModalityOrder, order);
    const auto at = std::find_if(m_modalities.begin(), m_modalities.end(),
                                 [order](const CModality* m) { return m->GetModalityOrder() >= order; });
    if (at == m_modalities.end()) {
        m_modalities.push_back(modality);
        return int(m_modalities.size()) - 1;
    }
    for (auto it = at; it != m_modalities.end(); ++it)
        (*it)->SetModalityOrder((*it)->GetModalityOrder() + 1);
    const int position = int(at - m_modalities.begin());
    m_modalities.insert(at, modality);
    // The responses moved up may now pass the running maximum: keep it the real one, so that
    // a response made with the next order comes last.
    m_maxModalityOrder = std::max(m_maxModalityOrder, m_modalities.back()->GetModalityOrder());
    return position;
}

int CQuestion::AppendModalityInOrder(CModality* modality)
{
    m_maxModalityOrder = std::max(m_maxModalityOrder, modality->GetModalityOrder());
    m_modalities.push_back(modality);
    return int(m_modalities.size()) - 1;
}

CModality* CQuestion::RemoveModality(int modalityId)
{
    const auto it = std::find_if(m_modalities.begin(), m_modalities.end(),
                                 [modalityId](const CModality* m) { return m->GetModalityId() == modalityId; });
    if (it == m_modalities.end())
        return nullptr;
    CModality* modality = *it;
    m_modalities.erase(it);
    return modality;
}

void CQuestion::SortModalities()
{
    std::stable_sort(m_modalities.begin(), m_modalities.end(),
                     [](const CModality* a, const CModality* b) {
                         return a->GetModalityOrder() < b->GetModalityOrder();
                     });
}

bool CQuestion::SetModalitySequence(const std::vector<CModality*>& sequence)
{
    if (sequence.size() != m_modalities.size() ||
        !std::is_permutation(sequence.begin(), sequence.end(), m_modalities.begin()))
        return false;
    m_modalities = sequence;
    return true;
}

void CQuestion::RenumberModalities()
{
    SortModalities();
    for (size_t i = 0; i < m_modalities.size(); ++i)
        m_modalities[i]->SetModalityOrder(int(i));
}

CModality* CQuestion::FindModalityByCaption(const QString& text, int languageId) const
{
    for (CModality* modality : m_modalities) {
        if (modality->GetShortCaption(languageId).compare(text, Qt::CaseInsensitive) == 0)
            return modality;
    }
    return nullptr;
}

CModality* CQuestion::GetModalityByOrder(int order) const
{
    for (CModality* modality : m_modalities) {
        if (modality->GetModalityOrder() == order)
            return modality;
    }
    return nullptr;
}

int CQuestion::AddCaption(std::unique_ptr<CQuestionCaption> caption)
{
    return m_captions.Add(std::move(caption));
}

CQuestionCaption* CQuestion::FindCaption(int languageId) const
{
    return m_captions.Find(languageId);
}

QString CQuestion::GetLongCaption(int languageId) const
{
    const CQuestionCaption* caption = FindCaption(languageId);
    return caption ? caption->GetLongCaption() : QString();
}

QString CQuestion::GetShortCaption(int languageId) const
{
    const CQuestionCaption* caption = FindCaption(languageId);
    return caption ? caption->GetShortCaption() : QString();
}

CQuestionCaption* CQuestion::FindOrCreateCaption(int languageId)
{
    if (CQuestionCaption* caption = FindCaption(languageId))
        return caption;
    auto caption = std::make_unique<CQuestionCaption>();
    caption->SetQuestionId(m_questionId);
    caption->SetLanguageId(languageId);
    CQuestionCaption* added = caption.get();
    AddCaption(std::move(caption));
    return added;
}

void CQuestion::SetLongCaption(int languageId, const QString& text)
{
    FindOrCreateCaption(languageId)->SetLongCaption(text);
}

void CQuestion::SetShortCaption(int languageId, const QString& text)
{
    FindOrCreateCaption(languageId)->SetShortCaption(text);
}

std::unique_ptr<CQuestionCaption> CQuestion::RemoveCaption(int languageId)
{
    return m_captions.Remove(languageId);
}

} // namespace pelko_wave
