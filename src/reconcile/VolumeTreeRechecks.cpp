#include "reconcile/VolumeTreeRechecks.h"

#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "model/QuestionKinds.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/LanguageReconciliation.h"
#include "reconcile/NGram.h"
#include "reconcile/ParentSourceItems.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>

using namespace pelko_wave;

namespace {

// Volumes already walked: a damaged tree whose children lead back up ends the walk.
using VisitedVolumes = std::set<const CVolume*>;

template <typename Matching>
void SetEnd(Matching& matching, int end, QMap<Matching*, int>& before, QMap<Matching*, int>& after)
{
    if (!before.contains(&matching))
        before.insert(&matching, matching.GetEndVolumeId());
    matching.SetEndVolumeId(end);
    after.insert(&matching, end);
}

// A later walk's ends of one kind of matching merged into an earlier record's: a former end
// already noted stays, the new ends replace.
template <typename Matching>
void MergeEnds(QMap<Matching*, int>& before, QMap<Matching*, int>& after,
               const QMap<Matching*, int>& laterBefore, const QMap<Matching*, int>& laterAfter)
{
    for (auto it = laterBefore.cbegin(); it != laterBefore.cend(); ++it) {
        if (!before.contains(it.key()))
            before.insert(it.key(), it.value());
    }
    after.insert(laterAfter);
}

// The pieces of the pair rule that differ between question and response matchings.
const QString& SourceIdOf(const CQuestionMatching& matching)
{
    return matching.GetSourceId();
}
const QString& SourceIdOf(const CModalityMatching& matching)
{
    return matching.GetModalitySourceId();
}
std::unique_ptr<CQuestionMatching> TakeOut(CVolume& volume, const CQuestionMatching* matching)
{
    return volume.RemoveQuestionMatching(matching);
}
std::unique_ptr<CModalityMatching> TakeOut(CVolume& volume, const CModalityMatching* matching)
{
    return volume.RemoveModalityMatching(matching);
}
void SetMatchingEnd(CQuestionMatching& matching, int end, SVolumeTreeChanges& changes)
{
    SetEnd(matching, end, changes.QuestionEndsBefore, changes.QuestionEndsAfter);
}
void SetMatchingEnd(CModalityMatching& matching, int end, SVolumeTreeChanges& changes)
{
    SetEnd(matching, end, changes.ModalityEndsBefore, changes.ModalityEndsAfter);
}
void KeepRemoved(std::unique_ptr<CQuestionMatching> matching, SVolumeTreeChanges& changes)
{
    changes.RemovedQuestionMatchings.push_back(std::move(matching));
}
void KeepRemoved(std::unique_ptr<CModalityMatching> matching, SVolumeTreeChanges& changes)
{
    changes.RemovedModalityMatchings.push_back(std::move(matching));
}

// The volume that holds the matching: the one its VolumeID names, else the given one.
CVolume& OwnerOf(int volumeId, CVolume& fallback)
{
    const CCampaign* campaign = fallback.GetCampaign();
    CVolume* owner = campaign ? campaign->FindVolume(volumeId) : nullptr;
    return owner ? *owner : fallback;
}

// The holder's matching against the volume's of the same item: another source id (ignoring
// case) ends the holder's at the holder; the same source id takes the volume's out and gives
// the holder's its end. Response codes are codes within a source question: where the two
// matchings belong to different source questions (sameSourceQuestion clear), equal codes name
// different answers, so the volume keeps its own and the holder's ends as for another code.
template <typename Matching>
void ApplyPairRule(CVolume& holder, CVolume& volume, Matching& holderMatching,
                   Matching& volumeMatching, SVolumeTreeChanges& changes,
                   bool sameSourceQuestion = true)
{
    if (&holderMatching == &volumeMatching)
        return;
    if (!sameSourceQuestion ||
        SourceIdOf(holderMatching).compare(SourceIdOf(volumeMatching), Qt::CaseInsensitive) != 0) {
        SetMatchingEnd(holderMatching, holder.GetVolumeId(), changes);
        return;
    }
    const int end = volumeMatching.GetEndVolumeId();
    std::unique_ptr<Matching> removed =
        TakeOut(OwnerOf(volumeMatching.GetVolumeId(), volume), &volumeMatching);
    if (!removed)
        removed = TakeOut(volume, &volumeMatching);
    if (removed)
        KeepRemoved(std::move(removed), changes);
    SetMatchingEnd(holderMatching, end, changes);
}

// Whether the question's matchings valid at the volume, as the volume and as the holder see
// them, name one source question; true when either has none.
bool IsSameSourceQuestion(const CVolume& holder, const CVolume& volume, int questionId)
{
    const CQuestionMatching* own =
        volume.FindQuestionMatchingInherited(questionId, volume.GetVolumeId());
    const CQuestionMatching* held =
        holder.FindQuestionMatchingInherited(questionId, volume.GetVolumeId());
    return !own || !held || own == held ||
           own->GetSourceId().compare(held->GetSourceId(), Qt::CaseInsensitive) == 0;
}

void RecheckMatchings(CVolume& holder, CVolume& volume, SVolumeTreeChanges& changes,
                      VisitedVolumes& visited)
{
    if (!visited.insert(&volume).second)
        return;
    EnsureVolumeQuestionnaire(holder);
    EnsureVolumeQuestionnaire(volume);
    const int volumeId = volume.GetVolumeId();
    // From last to first: the rule may take the volume's matching out.
    for (int i = volume.GetModalityMatchingCount() - 1; i >= 0; --i) {
        CModalityMatching* own = volume.GetModalityMatching(i);
        if (CModalityMatching* held =
                holder.FindModalityMatchingInherited(own->GetModalityId(), volumeId))
            ApplyPairRule(holder, volume, *held, *own, changes,
                          IsSameSourceQuestion(holder, volume, own->GetQuestionId()));
    }
    for (int i = volume.GetQuestionMatchingCount() - 1; i >= 0; --i) {
        CQuestionMatching* own = volume.GetQuestionMatching(i);
        if (CQuestionMatching* held =
                holder.FindQuestionMatchingInherited(own->GetQuestionId(), volumeId))
            ApplyPairRule(holder, volume, *held, *own, changes);
    }
    for (int c = 0; c < volume.GetChildVolumeCount(); ++c)
        RecheckMatchings(holder, *volume.GetChildVolumeAt(c), changes, visited);
}

void RecheckModalityMatchings(CVolume& holder, CVolume& volume, const CQuestion& question,
                              SVolumeTreeChanges& changes, VisitedVolumes& visited)
{
    if (!visited.insert(&volume).second)
        return;
    EnsureVolumeQuestionnaire(holder);
    EnsureVolumeQuestionnaire(volume);
    const CCampaign* campaign = volume.GetCampaign();
    const int volumeId = volume.GetVolumeId();
    const bool sameSourceQuestion = IsSameSourceQuestion(holder, volume, question.GetQuestionId());
    for (int i = volume.GetModalityMatchingCount() - 1; i >= 0; --i) {
        CModalityMatching* own = volume.GetModalityMatching(i);
        if (own->GetQuestionId() != question.GetQuestionId() || !campaign ||
            !CVolume::IsModalityMatchingValidFor(*campaign, *own, volumeId))
            continue;
        if (CModalityMatching* held =
                holder.FindModalityMatchingInherited(own->GetModalityId(), volumeId))
            ApplyPairRule(holder, volume, *held, *own, changes, sameSourceQuestion);
    }
    CQuestionMatching* volumeMatching =
        volume.FindQuestionMatchingInherited(question.GetQuestionId(), volumeId);
    CQuestionMatching* holderMatching =
        holder.FindQuestionMatchingInherited(question.GetQuestionId(), volumeId);
    if (volumeMatching && holderMatching && volumeMatching != holderMatching)
        ApplyPairRule(holder, volume, *holderMatching, *volumeMatching, changes);
    for (int c = 0; c < volume.GetChildVolumeCount(); ++c)
        RecheckModalityMatchings(volume, *volume.GetChildVolumeAt(c), question, changes, visited);
}

// The n-gram test of the re-checks: grams of the options' length, threshold from the options.
bool IsStillSimilar(const QString& first, const QString& second)
{
    const CNGramSettings& settings = GetAppNGramSettings();
    return double(settings.GetThresholdFraction()) <
           GetNGramScore(first, second, 1, 1, settings.GetNGramLength(), 0);
}

// CheckInheritedMatchingInVolume with the volume's comparison languages, chosen on first need
// and kept for the volume's other matchings: they depend on the campaign's questions and the
// volume's questionnaire, which the checks do not change.
void CheckMatchingInVolume(const CCampaign& campaign, CVolume& holder, CVolume& volume,
                           CQuestionMatching& matching, SVolumeTreeChanges& changes,
                           bool checkQuestion, bool checkResponse,
                           std::optional<SComparisonLanguages>& languages);

void CheckMatchingsInTree(const CCampaign& campaign, CVolume& holder, CVolume& volume,
                          const CQuestion* onlyQuestion, SVolumeTreeChanges& changes,
                          bool checkQuestion, bool checkResponse, VisitedVolumes& visited)
{
    if (!visited.insert(&volume).second)
        return;
    std::optional<SComparisonLanguages> languages;
    if (onlyQuestion) {
        if (CQuestionMatching* own = holder.FindQuestionMatching(onlyQuestion->GetQuestionId()))
            CheckMatchingInVolume(campaign, holder, volume, *own, changes, checkQuestion,
                                  checkResponse, languages);
    } else {
        for (int i = 0; i < holder.GetQuestionMatchingCount(); ++i)
            CheckMatchingInVolume(campaign, holder, volume, *holder.GetQuestionMatching(i), changes,
                                  checkQuestion, checkResponse, languages);
    }
    for (int c = 0; c < volume.GetChildVolumeCount(); ++c)
        CheckMatchingsInTree(campaign, holder, *volume.GetChildVolumeAt(c), onlyQuestion, changes,
                             true, true, visited);
}

} // namespace

bool SVolumeTreeChanges::IsEmpty() const
{
    return QuestionEndsBefore.isEmpty() && QuestionEndsAfter.isEmpty() &&
           ModalityEndsBefore.isEmpty() && ModalityEndsAfter.isEmpty() &&
           RemovedQuestionMatchings.empty() && RemovedModalityMatchings.empty();
}

void MergeVolumeTreeChanges(SVolumeTreeChanges& into, SVolumeTreeChanges&& later)
{
    MergeEnds(into.QuestionEndsBefore, into.QuestionEndsAfter, later.QuestionEndsBefore,
              later.QuestionEndsAfter);
    MergeEnds(into.ModalityEndsBefore, into.ModalityEndsAfter, later.ModalityEndsBefore,
              later.ModalityEndsAfter);
    std::move(later.RemovedQuestionMatchings.begin(), later.RemovedQuestionMatchings.end(),
              std::back_inserter(into.RemovedQuestionMatchings));
    std::move(later.RemovedModalityMatchings.begin(), later.RemovedModalityMatchings.end(),
              std::back_inserter(into.RemovedModalityMatchings));
    later = SVolumeTreeChanges();
}

void RecheckVolumeTreeMatchings(CVolume& holder, CVolume& volume, SVolumeTreeChanges& changes)
{
    VisitedVolumes visited{&holder};
    RecheckMatchings(holder, volume, changes, visited);
}

void RecheckVolumeTreeModalityMatchings(CVolume& holder, CVolume& volume, const CQuestion& question,
                                        SVolumeTreeChanges& changes)
{
    VisitedVolumes visited{&holder};
    RecheckModalityMatchings(holder, volume, question, changes, visited);
}

namespace {

void CheckMatchingInVolume(const CCampaign& campaign, CVolume& holder, CVolume& volume,
                           CQuestionMatching& matching, SVolumeTreeChanges& changes,
                           bool checkQuestion, bool checkResponse,
                           std::optional<SComparisonLanguages>& languages)
{
    const CQuestion* question = campaign.GetQuestionById(matching.GetQuestionId());
    if (!question)
        return;
    const int volumeId = volume.GetVolumeId();
    const int parentId = volume.GetInheritsFromVolumeId();
    // A matching that no longer reaches the volume is left alone: ending it at the volume's
    // parent could only lengthen it.
    const auto reaches = [&](int end) { return !campaign.IsVolumeBefore(end, volumeId); };
    const auto endResponseMatchings = [&] {
        for (int i = 0; i < holder.GetModalityMatchingCount(); ++i) {
            CModalityMatching* own = holder.GetModalityMatching(i);
            if (own->GetQuestionId() == question->GetQuestionId() && reaches(own->GetEndVolumeId()))
                SetMatchingEnd(*own, parentId, changes);
        }
    };
    const auto endAll = [&] {
        SetMatchingEnd(matching, parentId, changes);
        endResponseMatchings();
    };

    if (!reaches(matching.GetEndVolumeId())) {
        if (!campaign.IsReservedQuestion(question))
            endResponseMatchings();
        return;
    }
    if (volume.FindQuestionMatching(question->GetQuestionId())) {
        endAll();
        return;
    }
    int matchedQuestionId = -1;
    if (!volume.FindQuestionIdBySource(volumeId, matching.GetSourceId(), matchedQuestionId, true)) {
        endAll();
        return;
    }
    // Without its source the volume cannot say whether the matching still holds.
    if (!EnsureVolumeQuestionnaire(volume))
        return;
    int code = 0;
    const qnr::CQuestion* source = ReadSourceCode(matching.GetSourceId(), code)
                                       ? volume.GetQuestionnaire().FindQuestionById(code)
                                       : nullptr;
    if (!source) {
        endAll();
        return;
    }
    if (checkQuestion) {
        const bool stillMatches = source->GetTypeElement() == question->GetElementType() &&
                                  source->GetTypeQuestion() == question->GetQuestionType() &&
                                  HasSameLoopAncestry(campaign, *question, *source) &&
                                  IsStillSimilar(source->GetShortcut(), question->GetShortcut());
        if (!stillMatches) {
            endAll();
            return;
        }
    }
    // The captions are compared as a reconciliation of the volume compares them: in the pair of
    // languages chosen for its questionnaire.
    if (!languages)
        languages =
            ChooseComparisonLanguages(campaign, volume.GetQuestionnaire(), volume.GetWaveId());
    for (int r = 0; r < question->GetModalityCount(); ++r) {
        const CModality* response = question->GetModality(r);
        CModalityMatching* own = holder.FindModalityMatching(response->GetModalityId());
        if (!own || !reaches(own->GetEndVolumeId()))
            continue;
        if (volume.FindModalityMatching(response->GetModalityId())) {
            SetMatchingEnd(*own, parentId, changes);
            continue;
        }
        int responseCode = 0;
        const qnr::CModalite* sourceResponse =
            ReadSourceCode(own->GetModalitySourceId(), responseCode)
                ? source->FindModaliteById(responseCode)
                : nullptr;
        if (!sourceResponse ||
            (checkResponse &&
             !IsStillSimilar(
                 sourceResponse->GetLocalisedShortCaption(languages->QuestionnaireLanguage),
                 response->GetShortCaption(languages->CampaignLanguage))))
            SetMatchingEnd(*own, parentId, changes);
    }
}

} // namespace

void CheckInheritedMatchingInVolume(const CCampaign& campaign, CVolume& holder, CVolume& volume,
                                    CQuestionMatching& matching, SVolumeTreeChanges& changes,
                                    bool checkQuestion, bool checkResponse)
{
    std::optional<SComparisonLanguages> languages;
    CheckMatchingInVolume(campaign, holder, volume, matching, changes, checkQuestion, checkResponse,
                          languages);
}

void CheckInheritedMatchingsInVolumeTree(const CCampaign& campaign, CVolume& holder,
                                         CVolume& volume, SVolumeTreeChanges& changes,
                                         bool checkQuestion, bool checkResponse)
{
    VisitedVolumes visited{&holder};
    CheckMatchingsInTree(campaign, holder, volume, nullptr, changes, checkQuestion, checkResponse,
                         visited);
}

void CheckInheritedMatchingOfQuestionInVolumeTree(const CCampaign& campaign, CVolume& holder,
                                                  CVolume& volume, const CQuestion& question,
                                                  SVolumeTreeChanges& changes, bool checkQuestion,
                                                  bool checkResponse)
{
    VisitedVolumes visited{&holder};
    CheckMatchingsInTree(campaign, holder, volume, &question, changes, checkQuestion, checkResponse,
                         visited);
}
