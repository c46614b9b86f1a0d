#include "model/Volume.h"

#include "model/Campaign.h"
#include "model/IndexedArrays.h"
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

std::unique_ptr<qnr::CQuestionnaire>
CVolume::ReplaceQuestionnaire(std::unique_ptr<qnr::CQuestionnaire> questionnaire)
{
    if (!questionnaire)
        questionnaire = std::make_unique<qnr::CQuestionnaire>();
    std::swap(questionnaire, m_questionnaire);
    return questionnaire;
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

void CVolume::InsertChildVolume(int position, CVolume* child)
{
    position = std::clamp(position, 0, GetChildVolumeCount());
    m_childVolumes.insert(m_childVolumes.begin() + position, child);
}

int CVolume::FindChildVolumeIndex(int volumeId) const
{
    for (size_t i = 0; i < m_childVolumes.size(); ++i) {
        if (m_childVolumes[i]->GetVolumeId() == volumeId)
            return int(i);
    }
    return -1;
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

namespace {

// The ids by which a volume finds its matchings.
int IdOf(const CQuestionMatching& matching)
{
    return matching.GetQuestionId();
}

int IdOf(const CModalityMatching& matching)
{
    return matching.GetModalityId();
}

constexpr auto kIdOf = [](const auto& matching) { return IdOf(matching); };

// The key under which a volume groups its matchings: question matchings by source id, response
// matchings by question id.
const QString& GroupOf(const CQuestionMatching& matching)
{
    return matching.GetSourceId();
}

int GroupOf(const CModalityMatching& matching)
{
    return matching.GetQuestionId();
}

template <typename Key, typename Members, typename Matching>
void Group(QHash<Key, Members>& groups, Matching* matching)
{
    groups[GroupOf(*matching)].push_back(matching);
}

// Takes the matching out of its group, which keeps the others in their order.
template <typename Key, typename Members, typename Matching>
void Ungroup(QHash<Key, Members>& groups, const Matching* matching)
{
    const auto group = groups.find(GroupOf(*matching));
    if (group == groups.end())
        return;
    Members& members = *group;
    const auto member = std::find(members.begin(), members.end(), matching);
    if (member != members.end())
        members.erase(member);
    if (members.empty())
        groups.erase(group);
}

template <typename Key, typename Members, typename Matching>
std::unique_ptr<Matching> Ungrouped(QHash<Key, Members>& groups, std::unique_ptr<Matching> matching)
{
    if (matching)
        Ungroup(groups, matching.get());
    return matching;
}

// After many matchings were taken out at once: the groups of those that stay, made again when
// that is cheaper than taking the others out one by one.
template <typename Key, typename Members, typename Matching>
std::vector<std::unique_ptr<Matching>>
Ungrouped(QHash<Key, Members>& groups, const std::vector<std::unique_ptr<Matching>>& staying,
          std::vector<std::unique_ptr<Matching>> matchings)
{
    if (matchings.size() < staying.size()) {
        for (const auto& matching : matchings)
            Ungroup(groups, matching.get());
    } else {
        groups.clear();
        for (const auto& matching : staying)
            Group(groups, matching.get());
    }
    return matchings;
}

// Takes that very matching out of the list; null when the list does not hold it.
template <typename Matching>
std::unique_ptr<Matching> TakeMatching(std::vector<std::unique_ptr<Matching>>& matchings,
                                       QHash<int, int>& index, const Matching* matching)
{
    const auto it = std::find_if(matchings.begin(), matchings.end(),
                                 [matching](const auto& m) { return m.get() == matching; });
    if (!matching || it == matchings.end())
        return nullptr;
    return TakeIndexed(matchings, index, int(it - matchings.begin()), kIdOf);
}

} // namespace

int CVolume::AddQuestionMatching(std::unique_ptr<CQuestionMatching> matching)
{
    const int questionId = matching->GetQuestionId();
    Group(m_questionMatchingsBySource, matching.get());
    return AppendIndexed(m_questionMatchings, m_questionMatchingIndex, questionId,
                         std::move(matching));
}

CQuestionMatching* CVolume::FindQuestionMatching(int questionId) const
{
    return ElementById(m_questionMatchings, m_questionMatchingIndex, questionId);
}

std::unique_ptr<CQuestionMatching> CVolume::RemoveQuestionMatching(int questionId)
{
    return Ungrouped(m_questionMatchingsBySource,
                     TakeById(m_questionMatchings, m_questionMatchingIndex, questionId, kIdOf));
}

std::unique_ptr<CQuestionMatching> CVolume::RemoveQuestionMatching(const CQuestionMatching* matching)
{
    return Ungrouped(m_questionMatchingsBySource,
                     TakeMatching(m_questionMatchings, m_questionMatchingIndex, matching));
}

std::vector<std::unique_ptr<CQuestionMatching>>
CVolume::RemoveQuestionMatchings(const QSet<const CQuestionMatching*>& matchings)
{
    return Ungrouped(m_questionMatchingsBySource, m_questionMatchings,
                     TakeWhere(
                         m_questionMatchings, m_questionMatchingIndex,
                         [&matchings](const CQuestionMatching& matching) {
                             return matchings.contains(&matching);
                         },
                         kIdOf));
}

int CVolume::AddModalityMatching(std::unique_ptr<CModalityMatching> matching)
{
    const int modalityId = matching->GetModalityId();
    Group(m_modalityMatchingsByQuestion, matching.get());
    return AppendIndexed(m_modalityMatchings, m_modalityMatchingIndex, modalityId,
                         std::move(matching));
}

CModalityMatching* CVolume::FindModalityMatching(int modalityId) const
{
    return ElementById(m_modalityMatchings, m_modalityMatchingIndex, modalityId);
}

std::unique_ptr<CModalityMatching> CVolume::RemoveModalityMatching(int modalityId)
{
    return Ungrouped(m_modalityMatchingsByQuestion,
                     TakeById(m_modalityMatchings, m_modalityMatchingIndex, modalityId, kIdOf));
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
    return Ungrouped(m_modalityMatchingsByQuestion,
                     TakeMatching(m_modalityMatchings, m_modalityMatchingIndex, matching));
}

std::vector<std::unique_ptr<CModalityMatching>>
CVolume::RemoveModalityMatchings(const QSet<const CModalityMatching*>& matchings)
{
    return Ungrouped(m_modalityMatchingsByQuestion, m_modalityMatchings,
                     TakeWhere(
                         m_modalityMatchings, m_modalityMatchingIndex,
                         [&matchings](const CModalityMatching& matching) {
                             return matchings.contains(&matching);
                         },
                         kIdOf));
}

} // namespace pelko_wave
