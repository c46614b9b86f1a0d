#include "model/Volume.h"

#include "model/Campaign.h"
#include "model/Wave.h"
#include "questionnaire/Questionnaire.h"

#include <algorithm>

namespace pelko_wave {

CVolume::CVolume() : m_questionnaire(std::make_unique<qnr::CQuestionnaire>()) {}

CVolume::CVolume(const CVolume& other)
    : m_volumeId(other.m_volumeId)
    , m_name(other.m_name)
    , m_waveId(other.m_waveId)
    , m_inheritsFromVolumeId(other.m_inheritsFromVolumeId)
    , m_sourceType(other.m_sourceType)
    , m_isMatchingStrict(other.m_isMatchingStrict)
    , m_questionMatchingMethods(other.m_questionMatchingMethods)
    , m_responseMatchingMethods(other.m_responseMatchingMethods)
    , m_isMainVolume(other.m_isMainVolume)
    , m_interviewMergeMethod(other.m_interviewMergeMethod)
    , m_mainVolumeLinkQuestionId(other.m_mainVolumeLinkQuestionId)
    , m_thisVolumeLinkQuestionId(other.m_thisVolumeLinkQuestionId)
    , m_status(other.m_status)
    , m_metaData(other.m_metaData)
    , m_caseData(other.m_caseData)
    , m_caseSensitiveMatching(other.m_caseSensitiveMatching)
    , m_matchUsingAncestorValues(other.m_matchUsingAncestorValues)
    , m_questionIndex(other.m_questionIndex)
    , m_questionnaire(std::make_unique<qnr::CQuestionnaire>())
    , m_wave(other.m_wave)
{
    for (const auto& matching : other.m_questionMatchings)
        AddQuestionMatching(std::make_unique<CQuestionMatching>(*matching));
    for (const auto& matching : other.m_modalityMatchings)
        AddModalityMatching(std::make_unique<CModalityMatching>(*matching));
}

CVolume::~CVolume()
{
    m_wave = nullptr;
}

void CVolume::SetVolumeId(int id)
{
    if (m_volumeId == id)
        return;
    m_volumeId = id;
    // The campaign finds its volumes by id and orders them by position.
    if (m_wave)
        m_wave->VolumesChanged();
}

void CVolume::AddChildVolume(CVolume* child)
{
    m_childVolumes.push_back(child);
}

CVolume* CVolume::RemoveChildVolume(int volumeId)
{
    const auto it = std::find_if(m_childVolumes.begin(), m_childVolumes.end(),
                                 [volumeId](const CVolume* v) { return v->GetVolumeId() == volumeId; });
    if (it == m_childVolumes.end())
        return nullptr;
    CVolume* child = *it;
    m_childVolumes.erase(it);
    return child;
}

CVolume* CVolume::GetChildVolumeAt(int i) const
{
    return i >= 0 && i < GetChildVolumeCount() ? m_childVolumes[size_t(i)] : nullptr;
}

CCampaign* CVolume::GetCampaign() const
{
    return m_wave ? m_wave->GetCampaign() : nullptr;
}

int CVolume::AddQuestionMatching(std::unique_ptr<CQuestionMatching> matching)
{
    const int position = int(m_questionMatchings.size());
    if (!m_questionMatchingIndex.contains(matching->GetQuestionId()))
        m_questionMatchingIndex.insert(matching->GetQuestionId(), position);
    m_questionMatchings.push_back(std::move(matching));
    return position;
}

CQuestionMatching* CVolume::FindQuestionMatching(int questionId) const
{
    const auto it = m_questionMatchingIndex.constFind(questionId);
    return it == m_questionMatchingIndex.cend() ? nullptr : m_questionMatchings[size_t(*it)].get();
}

std::unique_ptr<CQuestionMatching> CVolume::RemoveQuestionMatching(int questionId)
{
    return RemoveQuestionMatching(FindQuestionMatching(questionId));
}

std::unique_ptr<CQuestionMatching> CVolume::RemoveQuestionMatching(const CQuestionMatching* matching)
{
    const auto it = std::find_if(m_questionMatchings.begin(), m_questionMatchings.end(),
                                 [matching](const auto& m) { return m.get() == matching; });
    if (!matching || it == m_questionMatchings.end())
        return nullptr;
    const int position = int(it - m_questionMatchings.begin());
    std::unique_ptr<CQuestionMatching> removed = std::move(*it);
    m_questionMatchings.erase(it);
    // Later matchings move down one place; the removed id's entry goes, unless another
    // matching of the same question remains.
    for (auto entry = m_questionMatchingIndex.begin(); entry != m_questionMatchingIndex.end(); ++entry) {
        if (*entry > position)
            --*entry;
    }
    if (m_questionMatchingIndex.value(removed->GetQuestionId(), -1) == position)
        RebuildQuestionMatchingEntry(removed->GetQuestionId());
    return removed;
}

void CVolume::RebuildQuestionMatchingEntry(int questionId)
{
    m_questionMatchingIndex.remove(questionId);
    for (size_t i = 0; i < m_questionMatchings.size(); ++i) {
        if (m_questionMatchings[i]->GetQuestionId() == questionId) {
            m_questionMatchingIndex.insert(questionId, int(i));
            return;
        }
    }
}

int CVolume::AddModalityMatching(std::unique_ptr<CModalityMatching> matching)
{
    const int position = int(m_modalityMatchings.size());
    if (!m_modalityMatchingIndex.contains(matching->GetModalityId()))
        m_modalityMatchingIndex.insert(matching->GetModalityId(), position);
    m_modalityMatchings.push_back(std::move(matching));
    return position;
}

CModalityMatching* CVolume::FindModalityMatching(int modalityId) const
{
    const auto it = m_modalityMatchingIndex.constFind(modalityId);
    return it == m_modalityMatchingIndex.cend() ? nullptr : m_modalityMatchings[size_t(*it)].get();
}

std::unique_ptr<CModalityMatching> CVolume::RemoveModalityMatching(int modalityId)
{
    return RemoveModalityMatching(FindModalityMatching(modalityId));
}

std::unique_ptr<CModalityMatching> CVolume::RemoveModalityMatching(int questionId, int modalityId)
{
    const CModalityMatching* matching = FindModalityMatching(modalityId);
    if (!matching || matching->GetQuestionId() != questionId)
        return nullptr;
    return RemoveModalityMatching(matching);
}

std::unique_ptr<CModalityMatching> CVolume::RemoveModalityMatching(const CModalityMatching* matching)
{
    const auto it = std::find_if(m_modalityMatchings.begin(), m_modalityMatchings.end(),
                                 [matching](const auto& m) { return m.get() == matching; });
    if (!matching || it == m_modalityMatchings.end())
        return nullptr;
    const int position = int(it - m_modalityMatchings.begin());
    std::unique_ptr<CModalityMatching> removed = std::move(*it);
    m_modalityMatchings.erase(it);
    for (auto entry = m_modalityMatchingIndex.begin(); entry != m_modalityMatchingIndex.end(); ++entry) {
        if (*entry > position)
            --*entry;
    }
    if (m_modalityMatchingIndex.value(removed->GetModalityId(), -1) == position)
        RebuildModalityMatchingEntry(removed->GetModalityId());
    return removed;
}

void CVolume::RebuildModalityMatchingEntry(int modalityId)
{
    m_modalityMatchingIndex.remove(modalityId);
    for (size_t i = 0; i < m_modalityMatchings.size(); ++i) {
        if (m_modalityMatchings[i]->GetModalityId() == modalityId) {
            m_modalityMatchingIndex.insert(modalityId, int(i));
            return;
        }
    }
}

} // namespace pelko_wave
