#include "commands/MatchingCommands.h"

#include "commands/MatchingCallBackInfo.h"
#include "model/Campaign.h"
#include "model/EditRoutines.h"
#include "model/ModelHelpers.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/CaptionLibraryMatching.h"
#include "reconcile/LanguageReconciliation.h"
#include "reconcile/ResponseMatching.h"
#include "reconcile/VolumeTreeRechecks.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

namespace {

// Brings the matchings of the question in the volumes below the volume into line with the
// volume's (after a matching was made there), child by child.
void WalkVolumeTree(CCampaign& campaign, CVolume& volume, const CQuestion& question,
                    CMatchingChanges& changes)
{
    for (int c = 0; c < volume.GetChildVolumeCount(); ++c) {
        CVolume& child = *volume.GetChildVolumeAt(c);
        SVolumeTreeChanges tree;
        RecheckVolumeTreeModalityMatchings(volume, child, question, tree);
        CheckInheritedMatchingOfQuestionInVolumeTree(campaign, volume, child, question, tree, false,
                                                     true);
        changes.Merge(std::move(tree));
    }
}

// Breaks the matching found for the volume: one that starts before the volume (and can be cut,
// the volume having a parent) ends before it; one that starts at the volume is taken out.
// Returns whether it was cut.
template <class M>
bool CutOrRemove(CCampaign& campaign, CVolume& volume, M& matching, CMatchingChanges& changes)
{
    const int cut = GetCutPoint(volume);
    if (cut >= 0 && campaign.IsVolumeBefore(matching.GetStartVolumeId(), volume.GetVolumeId())) {
        changes.SetEnd(matching, cut);
        return true;
    }
    changes.Remove(campaign, &matching, &volume);
    return false;
}

// The question's matching and its responses' matchings that hold at the volume, broken there:
// what starts before the volume is cut, what starts at it is taken out. Nothing when no matching
// of the question holds at the volume.
bool BreakQuestionAt(CCampaign& campaign, CVolume& volume, const CQuestion& question,
                     CMatchingChanges& changes, bool ownTakesSubtree)
{
    const int volumeId = volume.GetVolumeId();
    CQuestionMatching* matching =
        volume.FindQuestionMatchingInherited(question.GetQuestionId(), volumeId);
    if (!matching)
        return false;
    if (CutOrRemove(campaign, volume, *matching, changes)) {
        for (CModality* response : question.GetModalities()) {
            if (CModalityMatching* held =
                    volume.FindModalityMatchingInherited(response->GetModalityId(), volumeId))
                CutOrRemove(campaign, volume, *held, changes);
        }
        return true;
    }
    if (ownTakesSubtree) {
        QList<CModalityMatching*> responses;
        volume.CollectModalityMatchingsInSubtree(volumeId, question.GetQuestionId(), responses,
                                                 true);
        for (CModalityMatching* held : responses)
            changes.Remove(campaign, held);
    } else {
        // Only what the volume holds itself; what it inherits stays where it is.
        for (CModality* response : question.GetModalities()) {
            CModalityMatching* held =
                volume.FindModalityMatchingInherited(response->GetModalityId(), volumeId);
            if (held && volume.FindModalityMatching(response->GetModalityId()) == held)
                changes.Remove(campaign, held, &volume);
        }
    }
    return true;
}

} // namespace

std::vector<CVolume*> GetVolumesInCampaignOrder(const CCampaign& campaign)
{
    std::vector<CVolume*> volumes;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v)
            volumes.push_back(wave.GetVolume(v));
    }
    return volumes;
}

int GetCutPoint(const CVolume& volume)
{
    const CVolume* parent = volume.GetParent();
    if (!parent || parent == &volume)
        return -1;
    const int latest = parent->FindLatestVolumeBefore(volume.GetVolumeId());
    return latest == -1 ? parent->GetVolumeId() : latest;
}

// Frame ---------------------------------------------------------------------------------------

bool CCmdMatchingBase::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!CanReplay())
        return false;
    m_changes.Undo(*m_pCampaign);
    UndoOther();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMatchingBase::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!CanReplay())
        return false;
    RedoOther();
    m_changes.Redo(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

CAddedModalityCaptions::CAddedModalityCaptions() = default;
CAddedModalityCaptions::~CAddedModalityCaptions() = default;

void CAddedModalityCaptions::Add(CModality& modality, const std::vector<int>& languageIds)
{
    for (const int languageId : languageIds)
        m_added.push_back({&modality, languageId, nullptr});
}

void CAddedModalityCaptions::TakeOut()
{
    for (auto it = m_added.rbegin(); it != m_added.rend(); ++it) {
        if (!it->Owned)
            it->Owned = it->Modality->RemoveCaption(it->LanguageId);
    }
}

void CAddedModalityCaptions::PutBack()
{
    for (SAdded& added : m_added) {
        if (added.Owned)
            added.Modality->AddCaption(std::move(added.Owned));
    }
}

namespace {

// The source response's captions in the languages the response has none in, noted for undo.
void TakeOverCaptions(const CQuestion& question, CModality& modality, const qnr::CModalite& source,
                      CAddedModalityCaptions& captions)
{
    QList<CModalityCaption*> added;
    AddMissingModalityCaptionsFromSource(question, modality, source, &added);
    std::vector<int> languages;
    for (const CModalityCaption* caption : added)
        languages.push_back(caption->GetLanguageId());
    captions.Add(modality, languages);
}

} // namespace

// Create question matching --------------------------------------------------------------------

CCmdCreateQuesMatching::CCmdCreateQuesMatching(CCampaign* campaign, CVolume* volume,
                                               CQuestion* question,
                                               const qnr::CQuestion* sourceQuestion)
    : CCmdMatchingBase(campaign), m_volume(volume), m_question(question),
      m_sourceQuestion(sourceQuestion)
{
}

CCmdCreateQuesMatching::~CCmdCreateQuesMatching() = default;

bool CCmdCreateQuesMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    // A second own matching of one question in one volume would leave the volume's lookups
    // finding only the first.
    if (m_volume->FindQuestionMatching(m_question->GetQuestionId()))
        return false;
    CCampaign& campaign = *m_pCampaign;
    const QString code = QString::number(m_sourceQuestion->GetCodeQuestion());
    m_changes.Add(campaign, MakeQuestionMatching(m_question->GetQuestionId(), code, *m_volume));

    if (IsQuestionWithResponses(*m_question)) {
        m_ordersBefore.Take(*m_question);
        m_question->ClearResponseIndex();
        // The captions are compared as a reconciliation of the volume compares them: in the
        // languages chosen for its questionnaire, with the application's caption libraries.
        const CComparisonLanguagesScope languages(campaign, m_volume->GetQuestionnaire(),
                                                  m_volume->GetWaveId());
        SResponseMatchingOptions options;
        options.UseCaptionLibraries = HasCaptionLibraries();
        QString report;
        MatchQuestionResponses(report, *m_volume, *m_question, *m_sourceQuestion,
                               m_volume->GetWaveId(), options);
        const CResponseIndex index = m_question->GetResponseIndex();
        for (auto it = index.NewMatchings.cbegin(); it != index.NewMatchings.cend(); ++it) {
            CModality* response = campaign.GetModalityById(it.key());
            if (!response)
                continue;
            m_changes.Add(campaign,
                          MakeModalityMatching(it.key(), it.value(), *m_volume, *m_question));
            if (const qnr::CModalite* source =
                    m_sourceQuestion->FindModaliteById(it.value().toInt()))
                TakeOverCaptions(*m_question, *response, *source, m_captions);
        }
        for (const QString& sourceCode : index.UnmatchedSources) {
            const qnr::CModalite* source = m_sourceQuestion->FindModaliteById(sourceCode.toInt());
            if (!source)
                continue;
            std::unique_ptr<CModality> response =
                CreateModalityFromSource(campaign, *m_volume, *m_question, *source, -1, false);
            AddModalityCaptionsFromSource(*m_question, *response, *source);
            CModality* raw = response.get();
            campaign.AddModality(std::move(response));
            m_question->InsertModality(raw);
            m_madeModalities.push_back({raw, nullptr});
            m_changes.Add(campaign, MakeModalityMatching(raw->GetModalityId(),
                                                         QString::number(source->GetCode()),
                                                         *m_volume, *m_question));
        }
        m_ordersAfter.Take(*m_question);
    }

    WalkVolumeTree(campaign, *m_volume, *m_question, m_changes);
    record = CreateCallBackInfo();
    return true;
}

void CCmdCreateQuesMatching::UndoOther()
{
    m_captions.TakeOut();
    for (auto it = m_madeModalities.rbegin(); it != m_madeModalities.rend(); ++it) {
        m_question->RemoveModality(it->Modality->GetModalityId());
        it->Owned = m_pCampaign->RemoveModality(it->Modality->GetModalityId());
    }
    m_ordersBefore.Restore();
}

void CCmdCreateQuesMatching::RedoOther()
{
    for (SMadeModality& made : m_madeModalities) {
        if (!made.Owned)
            continue;
        m_pCampaign->AddModality(std::move(made.Owned));
        m_question->InsertModality(made.Modality);
    }
    m_captions.PutBack();
    m_ordersAfter.Restore();
}

QString CCmdCreateQuesMatching::GetName() const
{
    return LoadString(IDS_CREATE_QUESTION_MATCHING);
}

std::unique_ptr<CCallBackInfo> CCmdCreateQuesMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoCreateQuesMatching>(
        m_volume, m_question, const_cast<qnr::CQuestion*>(m_sourceQuestion));
}

// Create response matching --------------------------------------------------------------------

CCmdCreateModMatching::CCmdCreateModMatching(CCampaign* campaign, CVolume* volume,
                                             CModality* modality,
                                             const qnr::CModalite* sourceModality)
    : CCmdMatchingBase(campaign), m_volume(volume), m_modality(modality),
      m_sourceModality(sourceModality)
{
}

CCmdCreateModMatching::~CCmdCreateModMatching() = default;

bool CCmdCreateModMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    CQuestion* question = campaign.GetQuestionById(m_modality->GetQuestionId());
    if (!question || m_volume->FindModalityMatching(m_modality->GetModalityId()))
        return false;
    TakeOverCaptions(*question, *m_modality, *m_sourceModality, m_captions);
    m_changes.Add(campaign, MakeModalityMatching(m_modality->GetModalityId(),
                                                 QString::number(m_sourceModality->GetCode()),
                                                 *m_volume, *question));
    WalkVolumeTree(campaign, *m_volume, *question, m_changes);
    record = CreateCallBackInfo();
    return true;
}

void CCmdCreateModMatching::UndoOther()
{
    m_captions.TakeOut();
}

void CCmdCreateModMatching::RedoOther()
{
    m_captions.PutBack();
}

QString CCmdCreateModMatching::GetName() const
{
    return LoadString(IDS_CREATE_RESPONSE_MATCHING);
}

std::unique_ptr<CCallBackInfo> CCmdCreateModMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoCreateModMatching>(
        m_volume, m_modality, const_cast<qnr::CModalite*>(m_sourceModality));
}

// Break ---------------------------------------------------------------------------------------

CCmdBreakQuesMatching::CCmdBreakQuesMatching(CCampaign* campaign, CVolume* volume,
                                             CQuestion* question, const QString& sourceCode)
    : CCmdMatchingBase(campaign), m_volume(volume), m_question(question), m_sourceCode(sourceCode)
{
}

CCmdBreakQuesMatching::CCmdBreakQuesMatching(CCampaign* campaign, CVolume* volume,
                                             CQuestion* question,
                                             const qnr::CQuestion* sourceQuestion)
    : CCmdMatchingBase(campaign), m_volume(volume), m_question(question),
      m_sourceQuestion(sourceQuestion)
{
}

CCmdBreakQuesMatching::~CCmdBreakQuesMatching() = default;

bool CCmdBreakQuesMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!BreakQuestionAt(*m_pCampaign, *m_volume, *m_question, m_changes, true))
        return false;
    record = CreateCallBackInfo();
    return true;
}

QString CCmdBreakQuesMatching::GetName() const
{
    return LoadString(IDS_BREAK_QUESTION_MATCHING_COMMAND);
}

std::unique_ptr<CCallBackInfo> CCmdBreakQuesMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoBreakQuesMatching>(
        m_volume, m_question, const_cast<qnr::CQuestion*>(m_sourceQuestion));
}

CCmdBreakModMatching::CCmdBreakModMatching(CCampaign* campaign, CVolume* volume,
                                           CModality* modality, const QString& sourceCode)
    : CCmdMatchingBase(campaign), m_volume(volume), m_modality(modality), m_sourceCode(sourceCode)
{
}

CCmdBreakModMatching::CCmdBreakModMatching(CCampaign* campaign, CVolume* volume,
                                           CModality* modality,
                                           const qnr::CModalite* sourceModality)
    : CCmdMatchingBase(campaign), m_volume(volume), m_modality(modality),
      m_sourceModality(sourceModality)
{
}

CCmdBreakModMatching::~CCmdBreakModMatching() = default;

bool CCmdBreakModMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CModalityMatching* matching = m_volume->FindModalityMatchingInherited(
        m_modality->GetModalityId(), m_volume->GetVolumeId());
    if (!matching)
        return false;
    CutOrRemove(*m_pCampaign, *m_volume, *matching, m_changes);
    record = CreateCallBackInfo();
    return true;
}

QString CCmdBreakModMatching::GetName() const
{
    return LoadString(IDS_BREAK_RESPONSE_MATCHING_COMMAND);
}

std::unique_ptr<CCallBackInfo> CCmdBreakModMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoBreakModMatching>(
        m_volume, m_modality, const_cast<qnr::CModalite*>(m_sourceModality));
}

// Deep break ----------------------------------------------------------------------------------

CCmdDeepBreakQuesMatching::CCmdDeepBreakQuesMatching(CCampaign* campaign, CQuestion* question,
                                                     const qnr::CQuestion* sourceQuestion,
                                                     int pivotVolumeId)
    : CCmdMatchingBase(campaign), m_question(question), m_sourceQuestion(sourceQuestion),
      m_pivotVolumeId(pivotVolumeId)
{
}

CCmdDeepBreakQuesMatching::~CCmdDeepBreakQuesMatching() = default;

bool CCmdDeepBreakQuesMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    // The pivot and every later volume, each looking up the matching that holds for itself:
    // once a matching is cut before a volume, the volumes after it find it no more.
    for (CVolume* volume : GetVolumesInCampaignOrder(*m_pCampaign)) {
        if (m_pCampaign->IsVolumeBefore(volume->GetVolumeId(), m_pivotVolumeId))
            continue;
        BreakQuestionAt(*m_pCampaign, *volume, *m_question, m_changes, false);
    }
    record = CreateCallBackInfo();
    return true;
}

QString CCmdDeepBreakQuesMatching::GetName() const
{
    return LoadString(IDS_BREAK_QUESTION_MATCHING_COMMAND);
}

std::unique_ptr<CCallBackInfo> CCmdDeepBreakQuesMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoDeepBreakQuesMatching>(
        m_question, const_cast<qnr::CQuestion*>(m_sourceQuestion), m_pivotVolumeId);
}

CCmdDeepBreakModMatching::CCmdDeepBreakModMatching(CCampaign* campaign, CQuestion* question,
                                                   CModality* modality,
                                                   const qnr::CModalite* sourceModality,
                                                   int pivotVolumeId)
    : CCmdMatchingBase(campaign), m_question(question), m_modality(modality),
      m_sourceModality(sourceModality), m_pivotVolumeId(pivotVolumeId)
{
}

CCmdDeepBreakModMatching::~CCmdDeepBreakModMatching() = default;

bool CCmdDeepBreakModMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    for (CVolume* volume : GetVolumesInCampaignOrder(*m_pCampaign)) {
        if (m_pCampaign->IsVolumeBefore(volume->GetVolumeId(), m_pivotVolumeId))
            continue;
        if (CModalityMatching* matching = volume->FindModalityMatchingInherited(
                m_modality->GetModalityId(), volume->GetVolumeId()))
            CutOrRemove(*m_pCampaign, *volume, *matching, m_changes);
    }
    record = CreateCallBackInfo();
    return true;
}

QString CCmdDeepBreakModMatching::GetName() const
{
    return LoadString(IDS_BREAK_RESPONSE_MATCHING_COMMAND);
}

std::unique_ptr<CCallBackInfo> CCmdDeepBreakModMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoDeepBreakModMatching>(
        m_question, m_modality, const_cast<qnr::CModalite*>(m_sourceModality), m_pivotVolumeId);
}

// Remove --------------------------------------------------------------------------------------

CCmdRemoveQuestionMatching::CCmdRemoveQuestionMatching(CCampaign* campaign,
                                                       CQuestionMatching* matching)
    : CCmdMatchingBase(campaign), m_matching(matching), m_volumeId(matching->GetVolumeId())
{
}

CCmdRemoveQuestionMatching::~CCmdRemoveQuestionMatching() = default;

bool CCmdRemoveQuestionMatching::CanReplay() const
{
    return m_pCampaign->FindVolume(m_volumeId) != nullptr;
}

bool CCmdRemoveQuestionMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CVolume* volume = m_pCampaign->FindVolume(m_volumeId);
    // The response matchings of the question that hold here, of which those this volume holds
    // itself go with the question matching.
    QList<CModalityMatching*> responses;
    if (volume)
        volume->CollectModalityMatchingsOfQuestion(m_volumeId, m_matching->GetQuestionId(),
                                                   responses, true);
    if (!volume || !m_changes.Remove(*m_pCampaign, m_matching, volume))
        return false;
    for (CModalityMatching* held : responses) {
        if (held->GetVolumeId() == m_volumeId)
            m_changes.Remove(*m_pCampaign, held, volume);
    }
    record = CreateCallBackInfo();
    return true;
}

QString CCmdRemoveQuestionMatching::GetName() const
{
    return LoadString(IDS_REMOVE_QUESTION_MATCHING);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveQuestionMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveQuestionMatching>(m_matching);
}

CCmdRemoveModalityMatching::CCmdRemoveModalityMatching(CCampaign* campaign,
                                                       CModalityMatching* matching)
    : CCmdMatchingBase(campaign), m_matching(matching), m_volumeId(matching->GetVolumeId())
{
}

CCmdRemoveModalityMatching::~CCmdRemoveModalityMatching() = default;

bool CCmdRemoveModalityMatching::CanReplay() const
{
    return m_pCampaign->FindVolume(m_volumeId) != nullptr;
}

bool CCmdRemoveModalityMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CVolume* volume = m_pCampaign->FindVolume(m_volumeId);
    if (!volume || !m_changes.Remove(*m_pCampaign, m_matching, volume))
        return false;
    record = CreateCallBackInfo();
    return true;
}

QString CCmdRemoveModalityMatching::GetName() const
{
    return LoadString(IDS_REMOVE_RESPONSE_MATCHING);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveModalityMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveModalityMatching>(m_matching);
}
