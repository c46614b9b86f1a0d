// The lookups of a volume that walk the volume tree: up through the ancestors, or down through
// the descendants.

#include "model/Campaign.h"
#include "model/Volume.h"

#include <algorithm>

namespace pelko_wave {

namespace {

template <typename T> bool Contains(const std::vector<T*>& volumes, const CVolume* volume)
{
    return std::find(volumes.begin(), volumes.end(), volume) != volumes.end();
}

// This volume alone, or with its ancestors.
std::vector<CVolume*> WalkOf(const CVolume& volume, bool inherited)
{
    if (inherited)
        return volume.GetAncestry();
    return {const_cast<CVolume*>(&volume)};
}

// Whether the matching's range, StartVolumeID to EndVolumeID in campaign order, covers the volume.
template <typename Matching>
bool IsRangeValidFor(const CCampaign& campaign, const Matching& matching, int volumeId)
{
    if (matching.GetEndVolumeId() != volumeId &&
        !campaign.IsVolumeBefore(volumeId, matching.GetEndVolumeId()))
        return false;
    if (matching.GetStartVolumeId() == volumeId)
        return true;
    return campaign.IsVolumeBefore(matching.GetStartVolumeId(), volumeId);
}

// Ends the matching at the volume, noting its end before (the first time only) and after.
template <typename Matching>
void EndAt(Matching& matching, int volumeId, QMap<Matching*, int>& endsBefore,
           QMap<Matching*, int>& endsAfter)
{
    if (!endsBefore.contains(&matching))
        endsBefore.insert(&matching, matching.GetEndVolumeId());
    matching.SetEndVolumeId(volumeId);
    endsAfter.insert(&matching, volumeId);
}

} // namespace

const CVolume::ModalityMatchingGroup& CVolume::ModalityMatchingsOf(int questionId) const
{
    static const ModalityMatchingGroup none;
    const auto group = m_modalityMatchingsByQuestion.constFind(questionId);
    return group == m_modalityMatchingsByQuestion.cend() ? none : *group;
}

bool CVolume::IsQuestionMatchingValidFor(const CCampaign& campaign,
                                         const CQuestionMatching& matching, int volumeId)
{
    return IsRangeValidFor(campaign, matching, volumeId);
}

bool CVolume::IsModalityMatchingValidFor(const CCampaign& campaign,
                                         const CModalityMatching& matching, int volumeId)
{
    return IsRangeValidFor(campaign, matching, volumeId);
}

std::vector<CVolume*> CVolume::GetAncestry() const
{
    // The walk hands out the volumes it passes, this one included, for callers that change
    // their matchings.
    std::vector<CVolume*> ancestry{const_cast<CVolume*>(this)};
    CVolume* volume = ancestry.front();
    while (!volume->IsRoot() && volume->m_parent && !Contains(ancestry, volume->m_parent)) {
        volume = volume->m_parent;
        ancestry.push_back(volume);
    }
    return ancestry;
}

namespace {

// What the lookup finds first (not null), asking this volume, then each ancestor up to the root.
// Used by the hot lookups: it allocates nothing, and a loop in a damaged tree ends it after as
// many steps as the campaign has volumes.
template <typename Lookup>
auto FindUpwards(const CVolume& start, const CCampaign& campaign, Lookup lookup)
    -> decltype(lookup(start))
{
    const int maxSteps = campaign.GetVolumeCount();
    const CVolume* volume = &start;
    for (int step = 0; volume && step <= maxSteps; ++step) {
        if (const auto found = lookup(*volume))
            return found;
        if (volume->IsRoot())
            return nullptr;
        volume = volume->GetParent();
    }
    return nullptr;
}

// The nearest own matching of the item, from the volume up through its ancestors, that is valid
// for the volume v.
template <typename Matching>
Matching* FindValidInherited(const CVolume& start, Matching* (CVolume::*findOwn)(int) const,
                             int itemId, int volumeId)
{
    const CCampaign* campaign = start.GetCampaign();
    if (!campaign)
        return nullptr;
    return FindUpwards(start, *campaign, [&](const CVolume& volume) -> Matching* {
        Matching* matching = (volume.*findOwn)(itemId);
        return matching && IsRangeValidFor(*campaign, *matching, volumeId) ? matching : nullptr;
    });
}

} // namespace

CQuestionMatching* CVolume::FindQuestionMatchingInherited(int questionId, int volumeId) const
{
    return FindValidInherited(*this, &CVolume::FindQuestionMatching, questionId, volumeId);
}

CModalityMatching* CVolume::FindModalityMatchingInherited(int modalityId, int volumeId) const
{
    return FindValidInherited(*this, &CVolume::FindModalityMatching, modalityId, volumeId);
}

bool CVolume::GetQuestionSourceId(int volumeId, int questionId, QString& sourceId,
                                  const std::set<QString>* excluded) const
{
    sourceId.clear();
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return false;
    const CQuestionMatching* found =
        FindUpwards(*this, *campaign, [&](const CVolume& volume) -> const CQuestionMatching* {
            const CQuestionMatching* matching = volume.FindQuestionMatching(questionId);
            const bool usable = matching && IsRangeValidFor(*campaign, *matching, volumeId) &&
                                !(excluded && excluded->count(matching->GetSourceId()));
            return usable ? matching : nullptr;
        });
    if (!found)
        return false;
    sourceId = found->GetSourceId();
    return true;
}

void CVolume::CollectModalitySourceIds(int volumeId, int questionId, QMap<int, QString>& sourceIds,
                                       bool inherited) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : WalkOf(*this, inherited)) {
        for (const CModalityMatching* matching : volume->ModalityMatchingsOf(questionId)) {
            if (!sourceIds.contains(matching->GetModalityId()) &&
                IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                sourceIds.insert(matching->GetModalityId(), matching->GetModalitySourceId());
        }
    }
}

void CVolume::GetModalityIdsBySource(int volumeId, int questionId, QMap<QString, int>& modalityIds,
                                     bool inherited) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : WalkOf(*this, inherited)) {
        for (const CModalityMatching* matching : volume->ModalityMatchingsOf(questionId)) {
            if (!modalityIds.contains(matching->GetModalitySourceId()) &&
                IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                modalityIds.insert(matching->GetModalitySourceId(), matching->GetModalityId());
        }
    }
}

bool CVolume::FindQuestionIdBySource(int volumeId, const QString& sourceId, int& questionId,
                                     bool inherited) const
{
    questionId = -1;
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return false;
    for (const CVolume* volume : WalkOf(*this, inherited)) {
        const auto group = volume->m_questionMatchingsBySource.constFind(sourceId);
        if (group == volume->m_questionMatchingsBySource.cend())
            continue;
        for (const CQuestionMatching* matching : *group) {
            if (IsQuestionMatchingValidFor(*campaign, *matching, volumeId)) {
                questionId = matching->GetQuestionId();
                return true;
            }
        }
    }
    return false;
}

void CVolume::CollectQuestionSources(int volumeId, QMap<int, QString>& sources) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_questionMatchings) {
            if (!sources.contains(matching->GetQuestionId()) &&
                IsQuestionMatchingValidFor(*campaign, *matching, volumeId))
                sources.insert(matching->GetQuestionId(), matching->GetSourceId());
        }
    }
}

void CVolume::CollectValidQuestionMatchings(int volumeId,
                                            QList<CQuestionMatching*>& matchings) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_questionMatchings) {
            if (IsQuestionMatchingValidFor(*campaign, *matching, volumeId))
                matchings.append(matching.get());
        }
    }
}

void CVolume::CollectValidModalityMatchings(int volumeId,
                                            QList<CModalityMatching*>& matchings) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_modalityMatchings) {
            if (IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                matchings.append(matching.get());
        }
    }
}

void CVolume::CollectModalityMatchingsOfQuestion(int volumeId, int questionId,
                                                 QList<CModalityMatching*>& matchings,
                                                 bool inherited) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : WalkOf(*this, inherited)) {
        for (CModalityMatching* matching : volume->ModalityMatchingsOf(questionId)) {
            if (IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                matchings.append(matching);
        }
    }
}

void CVolume::CollectMatchedQuestionIds(int volumeId, std::set<int>& questionIds) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_questionMatchings) {
            if (IsQuestionMatchingValidFor(*campaign, *matching, volumeId))
                questionIds.insert(matching->GetQuestionId());
        }
    }
}

void CVolume::CollectMatchedSourceCodes(int volumeId, QMap<QString, int>& sourceCodes) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (const CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_questionMatchings) {
            if (!sourceCodes.contains(matching->GetSourceId()) &&
                IsQuestionMatchingValidFor(*campaign, *matching, volumeId))
                sourceCodes.insert(matching->GetSourceId(), matching->GetQuestionId());
        }
    }
}

void CVolume::CollectModalityMatchingsInSubtree(int volumeId, int questionId,
                                                QList<CModalityMatching*>& matchings,
                                                bool descend) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    // Downwards, each volume once, so that a damaged tree with a loop still ends.
    std::vector<const CVolume*> visited;
    std::vector<std::pair<const CVolume*, int>> pending{{this, volumeId}};
    for (size_t next = 0; next < pending.size(); ++next) {
        const auto [volume, validFor] = pending[next];
        if (Contains(visited, volume))
            continue;
        visited.push_back(volume);
        for (CModalityMatching* matching : volume->ModalityMatchingsOf(questionId)) {
            if (IsModalityMatchingValidFor(*campaign, *matching, validFor))
                matchings.append(matching);
        }
        if (!descend)
            break;
        for (const CVolume* child : volume->m_childVolumes)
            pending.emplace_back(child, child->GetVolumeId());
    }
}

int CVolume::FindLatestVolumeBefore(int volumeId) const
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return m_volumeId;
    int latest = -1;
    std::vector<const CVolume*> visited;
    std::vector<const CVolume*> pending{this};
    while (!pending.empty()) {
        const CVolume* volume = pending.back();
        pending.pop_back();
        if (Contains(visited, volume))
            continue;
        visited.push_back(volume);
        const int id = volume->GetVolumeId();
        if (campaign->IsVolumeBefore(id, volumeId) &&
            (latest == -1 || campaign->IsVolumeBefore(latest, id)))
            latest = id;
        for (const CVolume* child : volume->m_childVolumes)
            pending.push_back(child);
    }
    return latest;
}

void CVolume::EndQuestionMatchingsAt(int volumeId, const std::set<int>& questionIds,
                                     QMap<CQuestionMatching*, int>& questionEndsBefore,
                                     QMap<CQuestionMatching*, int>& questionEndsAfter,
                                     QMap<CModalityMatching*, int>& modalityEndsBefore,
                                     QMap<CModalityMatching*, int>& modalityEndsAfter)
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (CVolume* volume : GetAncestry()) {
        for (const auto& matching : volume->m_questionMatchings) {
            if (questionIds.count(matching->GetQuestionId()) &&
                IsQuestionMatchingValidFor(*campaign, *matching, volumeId))
                EndAt(*matching, volumeId, questionEndsBefore, questionEndsAfter);
        }
        for (const auto& matching : volume->m_modalityMatchings) {
            if (questionIds.count(matching->GetQuestionId()) &&
                IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                EndAt(*matching, volumeId, modalityEndsBefore, modalityEndsAfter);
        }
    }
}

void CVolume::EndModalityMatchingsAt(int volumeId, int questionId, const std::set<int>& modalityIds,
                                     QMap<CModalityMatching*, int>& endsBefore,
                                     QMap<CModalityMatching*, int>& endsAfter)
{
    const CCampaign* campaign = GetCampaign();
    if (!campaign)
        return;
    for (CVolume* volume : GetAncestry()) {
        for (CModalityMatching* matching : volume->ModalityMatchingsOf(questionId)) {
            if (modalityIds.count(matching->GetModalityId()) &&
                IsModalityMatchingValidFor(*campaign, *matching, volumeId))
                EndAt(*matching, volumeId, endsBefore, endsAfter);
        }
    }
}

} // namespace pelko_wave
