#include "commands/UnreconcileCommands.h"

#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "reconcile/VolumeTreeRechecks.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <algorithm>

using namespace pelko_wave;

namespace {

// The first volume in campaign order, other than the given one, that holds its own matching of
// the reserved question: the wave responses' first appearance once the given volume is gone.
int FindFirstOtherReservedVolume(const CCampaign& campaign, int volumeId)
{
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave* wave = campaign.GetWave(w);
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            const CVolume* volume = wave->GetVolume(v);
            if (volume->GetVolumeId() != volumeId &&
                volume->FindQuestionMatching(RESERVED_QUESTION_ID))
                return volume->GetVolumeId();
        }
    }
    return -1;
}

// The first volume of a wave before the given volume's wave that holds its own matching of the
// item (found by the lookup); startVolumeId gets that matching's StartVolumeID.
template <typename Lookup>
bool FindMatchedInEarlierWave(const CCampaign& campaign, int volumeId, Lookup lookup,
                              int& startVolumeId)
{
    const CWave* holder = campaign.FindWaveByVolume(volumeId);
    for (int w = 0; holder && w < campaign.GetWaveCount(); ++w) {
        const CWave* wave = campaign.GetWave(w);
        if (wave->GetWaveOrder() >= holder->GetWaveOrder())
            continue;
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            if (const auto* matching = lookup(*wave->GetVolume(v))) {
                startVolumeId = matching->GetStartVolumeId();
                return true;
            }
        }
    }
    return false;
}

// Where a question that first appeared in the volume appears once the volume is unreconciled:
// the next volume that matches it, from the volume's wave on; else the first that matches it in
// a wave before. False when no other volume matches it: it goes then.
bool FindOtherAppearance(const CCampaign& campaign, const CQuestion& question, int volumeId,
                         int& appearance)
{
    const int id = question.GetQuestionId();
    return FindQuestionMatchedInOtherVolume(campaign, id, volumeId, appearance) ||
           FindMatchedInEarlierWave(
               campaign, volumeId,
               [id](const CVolume& volume) { return volume.FindQuestionMatching(id); },
               appearance);
}

bool FindOtherAppearance(const CCampaign& campaign, const CModality& modality, int volumeId,
                         int& appearance)
{
    const int id = modality.GetModalityId();
    return FindModalityMatchedInOtherVolume(campaign, id, volumeId, appearance, true) ||
           FindMatchedInEarlierWave(
               campaign, volumeId,
               [id](const CVolume& volume) { return volume.FindModalityMatching(id); },
               appearance);
}

} // namespace

CCmdUnreconcileVolume::CCmdUnreconcileVolume(CCampaign* campaign, int volumeId, bool keepChapters)
    : CCmdVirtual(campaign), m_volumeId(volumeId), m_keepChapters(keepChapters)
{
}

CCmdUnreconcileVolume::~CCmdUnreconcileVolume() = default;

bool CCmdUnreconcileVolume::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CWave* wave = m_pCampaign ? m_pCampaign->FindWaveByVolume(m_volumeId) : nullptr;
    CVolume* volume = wave ? wave->FindVolume(m_volumeId) : nullptr;
    if (!volume)
        return false;
    CCampaign& campaign = *m_pCampaign;
    m_pVolume = volume;
    m_waveId = wave->GetWaveId();
    m_questionOrdersBefore.Take(campaign);
    m_modalityOrdersBefore.Take(campaign);
    m_countersBefore = SCampaignCounters::Take(campaign);
    m_statusBefore = volume->GetStatus();

    campaign.RemoveModalityMergingsOfVolume(m_volumeId, m_mergings);
    // What goes is listed first and taken out at once: a volume may hold tens of thousands of
    // matchings.
    MatchingsByHolder<CModalityMatching> modalityMatchings;
    MatchingsByHolder<CQuestionMatching> questionMatchings;
    // The questions first: a response whose question goes goes with it, its matchings without
    // copies for the child volumes.
    UnreconcileQuestions(questionMatchings);
    UnreconcileModalities(modalityMatchings);
    TakeResponsesWithTheirQuestions(modalityMatchings);
    RemoveMergingsOfListedResponses();
    SVolumeTreeChanges removed;
    for (const auto& [holder, matchings] : modalityMatchings) {
        for (auto& matching : holder->RemoveModalityMatchings(matchings))
            removed.RemovedModalityMatchings.push_back(std::move(matching));
    }
    for (const auto& [holder, matchings] : questionMatchings) {
        for (auto& matching : holder->RemoveQuestionMatchings(matchings))
            removed.RemovedQuestionMatchings.push_back(std::move(matching));
    }
    m_matchings.Merge(std::move(removed));
    RemoveListedItems();

    // A link question of a later volume of the wave goes back to naming the main volume's
    // source code (negated), which the next reconciliation resolves again.
    m_linkBefore = m_linkAfter = volume->GetMainVolumeLinkQuestionId();
    const CVolume* main = wave->GetVolume(0);
    if (m_linkBefore != 0 && main != volume) {
        if (const CQuestionMatching* link =
                main->FindQuestionMatchingInherited(m_linkBefore, main->GetVolumeId()))
            m_linkAfter = -link->GetSourceId().toInt();
    }
    volume->SetMainVolumeLinkQuestionId(m_linkAfter);
    volume->SetStatus(VOLUME_UNRECONCILED);
    campaign.RenumberQuestions();
    campaign.RenumberAllModalities();

    m_questionOrdersAfter.Take(campaign);
    m_modalityOrdersAfter.Take(campaign);
    m_countersAfter = SCampaignCounters::Take(campaign);
    record = CreateCallBackInfo();
    return true;
}

template <class TMatching>
void CCmdUnreconcileVolume::UnreconcileMatching(TMatching& matching,
                                                TMatching* (CVolume::*lookup)(int, int) const,
                                                int itemId, MatchingsByHolder<TMatching>& removed)
{
    CCampaign& campaign = *m_pCampaign;
    // Every child that inherits the matching through the volume keeps it as its own copy; a
    // child not reconciled yet holds no matchings (its reconciliation makes them).
    if (IsVolumeBefore(&campaign, m_volumeId, matching.GetEndVolumeId())) {
        for (int c = 0; c < m_pVolume->GetChildVolumeCount(); ++c) {
            CVolume* child = m_pVolume->GetChildVolumeAt(c);
            if (child->GetStatus() != VOLUME_UNRECONCILED &&
                (child->*lookup)(itemId, child->GetVolumeId()) == &matching)
                m_matchings.Add(campaign, CopyToVolume(matching, *child));
        }
    }
    if (!IsVolumeBefore(&campaign, matching.GetStartVolumeId(), m_volumeId)) {
        // Made for this volume: taken out of the volume that holds it.
        CVolume* holder = campaign.FindVolume(matching.GetVolumeId());
        removed[holder ? holder : m_pVolume].insert(&matching);
    } else {
        // Inherited: it now ends before the volume.
        m_matchings.SetEnd(matching, m_pVolume->GetInheritsFromVolumeId());
    }
}

void CCmdUnreconcileVolume::UnreconcileModalities(
    MatchingsByHolder<CModalityMatching>& removed)
{
    CCampaign& campaign = *m_pCampaign;
    std::vector<CModality*> modalities;
    modalities.reserve(size_t(campaign.GetModalityCount()));
    for (int i = 0; i < campaign.GetModalityCount(); ++i)
        modalities.push_back(campaign.GetModality(i));

    QSet<int> goingQuestions;
    for (const CQuestion* question : std::as_const(m_removedQuestionList))
        goingQuestions.insert(question->GetQuestionId());
    for (auto it = modalities.rbegin(); it != modalities.rend(); ++it) {
        CModality* modality = *it;
        // The wave responses of the reserved question belong to the volume, not to its
        // reconciliation; the responses of a question that goes go with it.
        if (modality->GetQuestionId() == RESERVED_QUESTION_ID ||
            goingQuestions.contains(modality->GetQuestionId()))
            continue;
        const int modalityId = modality->GetModalityId();
        if (CModalityMatching* matching =
                m_pVolume->FindModalityMatchingInherited(modalityId, m_volumeId))
            UnreconcileMatching(*matching, &CVolume::FindModalityMatchingInherited, modalityId,
                                removed);
        if (modality->GetAppearanceVolumeId() != m_volumeId)
            continue;
        // Another volume may match it too, as for questions: it must stay then.
        int start = -1;
        if (FindOtherAppearance(campaign, *modality, m_volumeId, start)) {
            m_modalityAppearanceBefore.insert(modality, m_volumeId);
            m_modalityAppearanceAfter.insert(modality, start);
            modality->SetAppearanceVolumeId(start);
        } else {
            m_removedModalityList.append(modality);
        }
    }
}

void CCmdUnreconcileVolume::UnreconcileQuestions(
    MatchingsByHolder<CQuestionMatching>& removed)
{
    CCampaign& campaign = *m_pCampaign;
    for (int i = campaign.GetQuestionCount() - 1; i >= 0; --i) {
        CQuestion* question = campaign.GetQuestion(i);
        if (campaign.IsReservedQuestion(question))
            continue;
        const int questionId = question->GetQuestionId();
        if (CQuestionMatching* matching =
                m_pVolume->FindQuestionMatchingInherited(questionId, m_volumeId))
            UnreconcileMatching(*matching, &CVolume::FindQuestionMatchingInherited, questionId,
                                removed);
        if (question->GetAppearanceVolumeId() != m_volumeId)
            continue;
        int start = -1;
        if (FindOtherAppearance(campaign, *question, m_volumeId, start)) {
            m_questionAppearanceBefore.insert(question, m_volumeId);
            m_questionAppearanceAfter.insert(question, start);
            question->SetAppearanceVolumeId(start);
        } else if (!(m_keepChapters && question->GetElementType() == 0)) {
            m_removedQuestionList.append(question);
        }
    }
}

void CCmdUnreconcileVolume::TakeResponsesWithTheirQuestions(
    MatchingsByHolder<CModalityMatching>& removed)
{
    CCampaign& campaign = *m_pCampaign;
    QSet<const CModality*> listed(m_removedModalityList.cbegin(), m_removedModalityList.cend());
    for (const CQuestion* question : std::as_const(m_removedQuestionList)) {
        for (int r = 0; r < question->GetModalityCount(); ++r) {
            CModality* modality = question->GetModality(r);
            if (listed.contains(modality))
                continue;
            listed.insert(modality);
            m_removedModalityList.append(modality);
            // A matching of it that a volume still holds goes with it.
            for (int w = 0; w < campaign.GetWaveCount(); ++w) {
                const CWave& wave = *campaign.GetWave(w);
                for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                    CVolume* volume = wave.GetVolume(v);
                    if (const CModalityMatching* matching =
                            volume->FindModalityMatching(modality->GetModalityId()))
                        removed[volume].insert(matching);
                }
            }
        }
    }
}

void CCmdUnreconcileVolume::RemoveMergingsOfListedResponses()
{
    CCampaign& campaign = *m_pCampaign;
    QSet<int> ids;
    for (const CModality* modality : std::as_const(m_removedModalityList))
        ids.insert(modality->GetModalityId());
    campaign.RemoveModalityMergingsOfModalities(ids, m_mergings);
}

void CCmdUnreconcileVolume::RemoveListedItems()
{
    CCampaign& campaign = *m_pCampaign;
    for (CModality* modality : std::as_const(m_removedModalityList)) {
        if (CQuestion* question = campaign.GetQuestionById(modality->GetQuestionId()))
            question->RemoveModality(modality->GetModalityId());
    }
    m_removedModalities = campaign.RemoveModalities(m_removedModalityList);
    m_removedQuestions = campaign.RemoveQuestions(m_removedQuestionList);
}

void CCmdUnreconcileVolume::ApplyChange()
{
    CCampaign& campaign = *m_pCampaign;
    m_pVolume->SetMainVolumeLinkQuestionId(m_linkAfter);
    campaign.RemoveModalityMergingsOfVolume(m_volumeId, m_mergings);
    RemoveMergingsOfListedResponses();
    m_matchings.Redo(campaign);
    RemoveListedItems();
    for (auto it = m_questionAppearanceAfter.cbegin(); it != m_questionAppearanceAfter.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    for (auto it = m_modalityAppearanceAfter.cbegin(); it != m_modalityAppearanceAfter.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    m_questionOrdersAfter.Restore(campaign);
    m_modalityOrdersAfter.Restore();
    m_countersAfter.Restore(campaign);
    m_pVolume->SetStatus(VOLUME_UNRECONCILED);
}

void CCmdUnreconcileVolume::TakeChangeBack()
{
    CCampaign& campaign = *m_pCampaign;
    m_pVolume->SetMainVolumeLinkQuestionId(m_linkBefore);
    campaign.InsertQuestions(std::move(m_removedQuestions));
    m_removedQuestions.clear();
    for (auto& modality : m_removedModalities) {
        CModality* raw = modality.get();
        campaign.AddModality(std::move(modality));
        if (CQuestion* question = campaign.GetQuestionById(raw->GetQuestionId()))
            question->InsertModality(raw);
    }
    m_removedModalities.clear();
    m_matchings.Undo(campaign);
    for (auto it = m_mergings.rbegin(); it != m_mergings.rend(); ++it)
        campaign.AddModalityMerging(std::move(*it));
    m_mergings.clear();
    for (auto it = m_questionAppearanceBefore.cbegin(); it != m_questionAppearanceBefore.cend();
         ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    for (auto it = m_modalityAppearanceBefore.cbegin(); it != m_modalityAppearanceBefore.cend();
         ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    m_questionOrdersBefore.Restore(campaign);
    m_modalityOrdersBefore.Restore();
    m_countersBefore.Restore(campaign);
    // The status the volume had: a volume unreconciled while incomplete is incomplete again.
    m_pVolume->SetStatus(m_statusBefore);
}

bool CCmdUnreconcileVolume::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pVolume || m_pCampaign->FindVolume(m_volumeId) != m_pVolume)
        return false;
    TakeChangeBack();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdUnreconcileVolume::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pVolume || m_pCampaign->FindVolume(m_volumeId) != m_pVolume)
        return false;
    ApplyChange();
    record = CreateCallBackInfo();
    return true;
}

QString CCmdUnreconcileVolume::GetName() const
{
    return LoadString(IDS_UNRECONCILE_VOLUME);
}

std::unique_ptr<CCallBackInfo> CCmdUnreconcileVolume::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoUnreconcileVolume>(m_volumeId, m_waveId);
}

// ---------------------------------------------------------------------------------------------

CCmdRemoveVolume::CCmdRemoveVolume(CCampaign* campaign, int volumeId)
    : CCmdUnreconcileVolume(campaign, volumeId, false)
{
}

CCmdRemoveVolume::~CCmdRemoveVolume() = default;

bool CCmdRemoveVolume::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!CCmdUnreconcileVolume::Do(record))
        return false;
    record.reset();
    m_pWave = m_pCampaign->FindWave(m_waveId);
    FindReservedItems();
    TakeOut(true);
    record = CreateCallBackInfo();
    return true;
}

void CCmdRemoveVolume::FindReservedItems()
{
    CCampaign& campaign = *m_pCampaign;
    CVolume& volume = *m_pVolume;
    for (int i = 0; i < volume.GetModalityMatchingCount() && !m_pReservedModalityMatching; ++i) {
        if (volume.GetModalityMatching(i)->GetQuestionId() == RESERVED_QUESTION_ID)
            m_pReservedModalityMatching = volume.GetModalityMatching(i);
    }
    m_pReservedQuestionMatching = volume.FindQuestionMatching(RESERVED_QUESTION_ID);
    CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
    if (!reserved)
        return;
    // The volume's wave responses (the one its matching names, and any that first appears in
    // it, its matching taken out by hand) go with it, unless another volume matches one: that
    // one first appears there from now on.
    for (int r = 0; r < reserved->GetModalityCount(); ++r) {
        CModality* response = reserved->GetModality(r);
        const bool appearsHere = response->GetAppearanceVolumeId() == m_volumeId;
        if (!appearsHere && !(m_pReservedModalityMatching &&
                              response->GetModalityId() ==
                                  m_pReservedModalityMatching->GetModalityId()))
            continue;
        int elsewhere = -1;
        if (!FindOtherAppearance(campaign, *response, m_volumeId, elsewhere))
            m_reservedModalities.push_back(response);
        else if (appearsHere)
            m_reservedAppearances.push_back({response, m_volumeId, elsewhere});
    }
    const int responsesLeft = reserved->GetModalityCount() - int(m_reservedModalities.size());
    const int next = FindFirstOtherReservedVolume(campaign, m_volumeId);
    // Question 1 goes with the last wave response, unless another volume still matches it.
    const bool ownsQuestion =
        m_pReservedQuestionMatching || reserved->GetAppearanceVolumeId() == m_volumeId;
    if (responsesLeft == 0 && next < 0 && ownsQuestion) {
        m_pReservedQuestion = reserved;
    } else if (reserved->GetAppearanceVolumeId() == m_volumeId) {
        // Question 1 first appears in the next volume that has its own wave response; without
        // one, where the first of the wave responses that stay first appears.
        int after = next;
        for (int r = 0; next < 0 && r < reserved->GetModalityCount(); ++r) {
            const CModality* response = reserved->GetModality(r);
            if (std::find(m_reservedModalities.begin(), m_reservedModalities.end(), response) !=
                m_reservedModalities.end())
                continue;
            int appearance = response->GetAppearanceVolumeId();
            for (const SAppearanceMove& move : m_reservedAppearances) {
                if (move.Response == response)
                    appearance = move.After;
            }
            if (campaign.FindVolume(appearance) &&
                (after < 0 || campaign.IsVolumeBefore(appearance, after)))
                after = appearance;
        }
        if (after >= 0) {
            m_appearanceBefore = m_volumeId;
            m_appearanceAfter = after;
        }
    }
}

void CCmdRemoveVolume::TakeOut(bool first)
{
    CCampaign& campaign = *m_pCampaign;
    CVolume* volume = m_pVolume;
    CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
    if (!first) {
        m_reservedMatchings.Redo(campaign);
    } else {
        if (m_pReservedModalityMatching)
            m_reservedMatchings.Remove(campaign, m_pReservedModalityMatching, volume);
        if (m_pReservedQuestionMatching)
            m_reservedMatchings.Remove(campaign, m_pReservedQuestionMatching, volume);
    }
    // The mergings of the wave responses that go, then the responses.
    QSet<int> gone;
    for (const CModality* response : m_reservedModalities)
        gone.insert(response->GetModalityId());
    campaign.RemoveModalityMergingsOfModalities(gone, m_reservedMergings);
    for (const CModality* response : m_reservedModalities) {
        if (reserved)
            reserved->RemoveModality(response->GetModalityId());
        m_removedReservedModalities.push_back(campaign.RemoveModality(response->GetModalityId()));
    }
    for (const SAppearanceMove& move : m_reservedAppearances)
        move.Response->SetAppearanceVolumeId(move.After);
    if (m_appearanceAfter >= 0 && reserved)
        reserved->SetAppearanceVolumeId(m_appearanceAfter);
    if (m_pReservedQuestion)
        m_reservedQuestion = campaign.RemoveQuestion(RESERVED_QUESTION_ID);

    // The volumes that inherited from it become roots; it leaves its parent's children.
    m_pParent = volume->IsRoot() ? nullptr : volume->GetParent();
    if (m_pParent) {
        m_childPosition = m_pParent->FindChildVolumeIndex(m_volumeId);
        m_pParent->RemoveChildVolume(m_volumeId);
    }
    m_children.clear();
    for (int c = 0; c < volume->GetChildVolumeCount(); ++c) {
        CVolume* child = volume->GetChildVolumeAt(c);
        m_children.push_back(child);
        child->SetInheritsFromVolumeId(child->GetVolumeId());
        child->SetParent(nullptr);
    }
    m_position = -1;
    for (int v = 0; v < m_pWave->GetVolumeCount(); ++v) {
        if (m_pWave->GetVolume(v) == volume)
            m_position = v;
    }
    m_volume = m_pWave->RemoveVolume(m_volumeId);
}

void CCmdRemoveVolume::PutBack()
{
    CCampaign& campaign = *m_pCampaign;
    CVolume* volume = m_volume.get();
    m_pWave->InsertVolume(m_position, std::move(m_volume));
    for (CVolume* child : m_children) {
        child->SetInheritsFromVolumeId(m_volumeId);
        child->SetParent(volume);
    }
    if (m_pParent && m_childPosition >= 0)
        m_pParent->InsertChildVolume(m_childPosition, volume);

    if (m_reservedQuestion)
        campaign.InsertQuestion(std::move(m_reservedQuestion));
    CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
    if (m_appearanceAfter >= 0 && reserved)
        reserved->SetAppearanceVolumeId(m_appearanceBefore);
    for (const SAppearanceMove& move : m_reservedAppearances)
        move.Response->SetAppearanceVolumeId(move.Before);
    for (auto& response : m_removedReservedModalities) {
        CModality* raw = response.get();
        campaign.AddModality(std::move(response));
        if (reserved)
            reserved->InsertModality(raw);
    }
    m_removedReservedModalities.clear();
    for (auto it = m_reservedMergings.rbegin(); it != m_reservedMergings.rend(); ++it)
        campaign.AddModalityMerging(std::move(*it));
    m_reservedMergings.clear();
    m_reservedMatchings.Undo(campaign);
}

bool CCmdRemoveVolume::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_volume || m_pCampaign->FindWave(m_waveId) != m_pWave)
        return false;
    PutBack();
    std::unique_ptr<CCallBackInfo> unreconciled;
    if (!CCmdUnreconcileVolume::Undo(unreconciled))
        return false;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdRemoveVolume::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (m_volume || !CCmdUnreconcileVolume::Redo(record))
        return false;
    record.reset();
    TakeOut(false);
    record = CreateCallBackInfo();
    return true;
}

QString CCmdRemoveVolume::GetName() const
{
    return LoadString(IDS_REMOVE_VOLUME);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveVolume::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveVolume>(m_volumeId, m_waveId);
}
