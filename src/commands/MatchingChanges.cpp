#include "commands/MatchingChanges.h"

#include "model/Campaign.h"
#include "reconcile/VolumeTreeRechecks.h"

#include <QHash>
#include <QSet>
#include <map>

using namespace pelko_wave;

namespace {

std::unique_ptr<CQuestionMatching> TakeFrom(CVolume& volume, const CQuestionMatching* matching)
{
    return volume.RemoveQuestionMatching(matching);
}
std::unique_ptr<CModalityMatching> TakeFrom(CVolume& volume, const CModalityMatching* matching)
{
    return volume.RemoveModalityMatching(matching);
}
void PutInto(CVolume& volume, std::unique_ptr<CQuestionMatching> matching)
{
    volume.AddQuestionMatching(std::move(matching));
}
void PutInto(CVolume& volume, std::unique_ptr<CModalityMatching> matching)
{
    volume.AddModalityMatching(std::move(matching));
}

// Out of the volume its VolumeID names (or the given holder) and into the entry.
template <class Kept> bool TakeOut(CCampaign& campaign, Kept& kept, CVolume* holder = nullptr)
{
    if (kept.Owned)
        return true;
    if (CVolume* volume = campaign.FindVolume(kept.Matching->GetVolumeId()))
        kept.Owned = TakeFrom(*volume, kept.Matching);
    if (!kept.Owned && holder)
        kept.Owned = TakeFrom(*holder, kept.Matching);
    return kept.Owned != nullptr;
}

std::vector<std::unique_ptr<CQuestionMatching>>
TakeAllFrom(CVolume& volume, const QSet<const CQuestionMatching*>& matchings)
{
    return volume.RemoveQuestionMatchings(matchings);
}
std::vector<std::unique_ptr<CModalityMatching>>
TakeAllFrom(CVolume& volume, const QSet<const CModalityMatching*>& matchings)
{
    return volume.RemoveModalityMatchings(matchings);
}

// Takes every entry's matching out of the volume its VolumeID names, in one pass over each
// volume's matchings however many it loses: a reconciliation taken back may cut thousands out of
// one volume.
template <class M, class Kept> void TakeAllOut(CCampaign& campaign, std::vector<Kept>& entries)
{
    std::map<CVolume*, QSet<const M*>> byVolume;
    QHash<const M*, Kept*> byMatching;
    for (Kept& kept : entries) {
        if (kept.Owned)
            continue;
        if (CVolume* volume = campaign.FindVolume(kept.Matching->GetVolumeId())) {
            byVolume[volume].insert(kept.Matching);
            byMatching.insert(kept.Matching, &kept);
        }
    }
    for (auto& [volume, matchings] : byVolume) {
        for (auto& matching : TakeAllFrom(*volume, matchings))
            byMatching.value(matching.get())->Owned = std::move(matching);
    }
}

template <class Kept> void PutBack(CCampaign& campaign, Kept& kept)
{
    if (!kept.Owned)
        return;
    if (CVolume* volume = campaign.FindVolume(kept.Matching->GetVolumeId()))
        PutInto(*volume, std::move(kept.Owned));
}

// Puts the new matching into its volume and notes it among the made ones.
template <class M, class Kept>
M* AddMade(CCampaign& campaign, std::unique_ptr<M> matching, std::vector<Kept>& made)
{
    Kept kept;
    kept.Matching = matching.get();
    kept.Owned = std::move(matching);
    PutBack(campaign, kept);
    made.push_back(std::move(kept));
    return made.back().Matching;
}

// Takes the matching out of its volume and notes it among the removed ones.
template <class M, class Kept>
bool RemoveKept(CCampaign& campaign, M* matching, CVolume* holder, std::vector<Kept>& removed)
{
    Kept kept;
    kept.Matching = matching;
    if (!TakeOut(campaign, kept, holder))
        return false;
    removed.push_back(std::move(kept));
    return true;
}

template <class M> void NoteEnd(M& matching, int end, QMap<M*, int>& before, QMap<M*, int>& after)
{
    if (!before.contains(&matching))
        before.insert(&matching, matching.GetEndVolumeId());
    matching.SetEndVolumeId(end);
    after.insert(&matching, end);
}

template <class M> void ApplyEnds(const QMap<M*, int>& ends)
{
    for (auto it = ends.cbegin(); it != ends.cend(); ++it)
        it.key()->SetEndVolumeId(it.value());
}

template <class M, class Kept>
void KeepRemoved(std::vector<std::unique_ptr<M>>& removed, std::vector<Kept>& into)
{
    for (std::unique_ptr<M>& matching : removed) {
        Kept kept;
        kept.Matching = matching.get();
        kept.Owned = std::move(matching);
        into.push_back(std::move(kept));
    }
    removed.clear();
}

template <class M>
void MergeEnds(QMap<M*, int>& before, QMap<M*, int>& after, const QMap<M*, int>& laterBefore,
               const QMap<M*, int>& laterAfter)
{
    for (auto it = laterBefore.cbegin(); it != laterBefore.cend(); ++it) {
        if (!before.contains(it.key()))
            before.insert(it.key(), it.value());
    }
    after.insert(laterAfter);
}

template <class M> std::unique_ptr<M> CopyMatchingToVolume(const M& matching, const CVolume& volume)
{
    auto copy = std::make_unique<M>(matching);
    copy->SetVolumeId(volume.GetVolumeId());
    copy->SetStartVolumeId(volume.GetVolumeId());
    return copy;
}

} // namespace

std::unique_ptr<CQuestionMatching> CopyToVolume(const CQuestionMatching& matching,
                                                const CVolume& volume)
{
    return CopyMatchingToVolume(matching, volume);
}

std::unique_ptr<CModalityMatching> CopyToVolume(const CModalityMatching& matching,
                                                const CVolume& volume)
{
    return CopyMatchingToVolume(matching, volume);
}

CMatchingChanges::CMatchingChanges() = default;
CMatchingChanges::~CMatchingChanges() = default;

CQuestionMatching* CMatchingChanges::Add(CCampaign& campaign,
                                         std::unique_ptr<CQuestionMatching> matching)
{
    return AddMade(campaign, std::move(matching), m_madeQuestions);
}

CModalityMatching* CMatchingChanges::Add(CCampaign& campaign,
                                         std::unique_ptr<CModalityMatching> matching)
{
    return AddMade(campaign, std::move(matching), m_madeModalities);
}

bool CMatchingChanges::Remove(CCampaign& campaign, CQuestionMatching* matching, CVolume* holder)
{
    return RemoveKept(campaign, matching, holder, m_removedQuestions);
}

bool CMatchingChanges::Remove(CCampaign& campaign, CModalityMatching* matching, CVolume* holder)
{
    return RemoveKept(campaign, matching, holder, m_removedModalities);
}

void CMatchingChanges::SetEnd(CQuestionMatching& matching, int endVolumeId)
{
    NoteEnd(matching, endVolumeId, m_questionEndsBefore, m_questionEndsAfter);
}

void CMatchingChanges::SetEnd(CModalityMatching& matching, int endVolumeId)
{
    NoteEnd(matching, endVolumeId, m_modalityEndsBefore, m_modalityEndsAfter);
}

void CMatchingChanges::Merge(SVolumeTreeChanges&& changes)
{
    MergeEnds(m_questionEndsBefore, m_questionEndsAfter, changes.QuestionEndsBefore,
              changes.QuestionEndsAfter);
    MergeEnds(m_modalityEndsBefore, m_modalityEndsAfter, changes.ModalityEndsBefore,
              changes.ModalityEndsAfter);
    KeepRemoved(changes.RemovedQuestionMatchings, m_removedQuestions);
    KeepRemoved(changes.RemovedModalityMatchings, m_removedModalities);
    changes = SVolumeTreeChanges();
}

void CMatchingChanges::Undo(CCampaign& campaign)
{
    ApplyEnds(m_questionEndsBefore);
    ApplyEnds(m_modalityEndsBefore);
    TakeAllOut<CModalityMatching>(campaign, m_madeModalities);
    TakeAllOut<CQuestionMatching>(campaign, m_madeQuestions);
    for (auto it = m_removedQuestions.rbegin(); it != m_removedQuestions.rend(); ++it)
        PutBack(campaign, *it);
    for (auto it = m_removedModalities.rbegin(); it != m_removedModalities.rend(); ++it)
        PutBack(campaign, *it);
}

void CMatchingChanges::Redo(CCampaign& campaign)
{
    TakeAllOut<CModalityMatching>(campaign, m_removedModalities);
    TakeAllOut<CQuestionMatching>(campaign, m_removedQuestions);
    for (auto& kept : m_madeQuestions)
        PutBack(campaign, kept);
    for (auto& kept : m_madeModalities)
        PutBack(campaign, kept);
    ApplyEnds(m_questionEndsAfter);
    ApplyEnds(m_modalityEndsAfter);
}

bool CMatchingChanges::IsEmpty() const
{
    return m_madeQuestions.empty() && m_madeModalities.empty() && m_removedQuestions.empty() &&
           m_removedModalities.empty() && m_questionEndsBefore.isEmpty() &&
           m_modalityEndsBefore.isEmpty();
}
