// The reconciliation page's response matching commands: breaking a response row's matching,
// re-matching a source response onto another campaign response (by a drop or by the pick mode's
// click), making a campaign response for a source response, and removing a campaign response as
// of the page's wave. Each runs as one undoable step whose callbacks update the rows in place.

#include "views/RightReconciliationPage.h"

#include "commands/MatchingCommands.h"
#include "commands/MetaCmd.h"
#include "commands/MetaCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/Guid.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DisplayCaptions.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

void CRightReconciliationPage::RegisterResponseCommands()
{
    AddCommand(ID_RESPONSE_BREAK_MATCHING, [this] { OnBreakResponseMatching(); });
    AddCommand(ID_RESPONSE_REMATCH, [this] { StartResponsePick(); });
    AddCommand(ID_RESPONSE_CREATE, [this] { OnCreateCampaignResponse(); });
    AddCommand(ID_RESPONSE_REMOVE,
               [this] { RemoveCampaignResponse(GetFocusedCampaignResponse()); });
    AddCommand(ID_RESPONSE_VIEW_DIFFERENCES, [this] { OnViewResponseDifferences(); });
    AddCommand(ID_RESPONSE_MERGE, [this] { StartMergePick(); });
    AddNotifyHandler(kResponseGridId, WGN_DROPPED, [this](NMHDR&) { return OnResponseGridDrop(); });
    AddNotifyHandler(kResponseGridId, NM_CLICK, [this](NMHDR& header) {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        return OnResponseGridClick(report.iRow, report.iColumn);
    });
}

CVolume* CRightReconciliationPage::GetResponseVolume() const
{
    CCampaign* campaign = AppCampaign();
    if (!campaign || m_curVolumeId <= 0 ||
        m_gridQuestions->GetFocusCell().row < m_gridQuestions->GetFixedRowCount())
        return nullptr;
    return campaign->FindVolume(m_curVolumeId);
}

// Breaking and re-matching ----------------------------------------------------------------------

void CRightReconciliationPage::OnBreakResponseMatching()
{
    CWaitCursor wait;
    CCampaign* campaign = AppCampaign();
    CVolume* volume = GetResponseVolume();
    const int row = m_gridResponses->GetFocusCell().row;
    const CModality* shown = GetCampaignResponseAtRow(row);
    CModality* response = shown ? campaign->GetModalityById(shown->GetModalityId()) : nullptr;
    const qnr::CModalite* source = GetSourceResponseAtRow(row);
    if (!volume || !response || !source)
        return;
    IssueCommand(std::make_unique<CCmdBreakModMatching>(campaign, volume, response, source),
                 BreakModMatchingCallBacks(), nullptr, true);
}

bool CRightReconciliationPage::RematchResponse(const CCellID& pick, const CCellID& target,
                                               int* leftResponseId)
{
    CWaitCursor wait;
    if (leftResponseId)
        *leftResponseId = -1;
    CCampaign* campaign = AppCampaign();
    CVolume* volume = GetResponseVolume();
    if (!campaign || !volume || pick.row == target.row)
        return false;

    // The pick row: the source response that moves, and the campaign response it leaves.
    const long pickId = m_responseRows.GetId(pick.row);
    CModality* pickResponse = pickId > 0 ? campaign->GetModalityById(int(pickId)) : nullptr;
    const qnr::CModalite* pickSource = GetSourceResponseAtRow(pick.row);
    if ((pickId > 0 && !pickResponse) || !pickSource)
        return false;

    // The target row: a campaign response, and the source response it gives up.
    const long targetId = m_responseRows.GetId(target.row);
    CModality* targetResponse = targetId >= 0 ? campaign->GetModalityById(int(targetId)) : nullptr;
    if (!targetResponse)
        return false;
    const qnr::CModalite* targetSource = GetSourceResponseAtRow(target.row);

    auto composite = std::make_unique<CMetaCmd>(IDS_REMATCH_RESPONSE);
    if (pickResponse)
        composite->AddCmd(
            std::make_unique<CCmdBreakModMatching>(campaign, volume, pickResponse, pickSource),
            BreakModMatchingCallBacks());
    if (targetSource)
        composite->AddCmd(
            std::make_unique<CCmdBreakModMatching>(campaign, volume, targetResponse, targetSource),
            BreakModMatchingCallBacks());
    composite->AddCmd(
        std::make_unique<CCmdCreateModMatching>(campaign, volume, targetResponse, pickSource),
        CreateModMatchingCallBacks());
    if (!IssueCommand(std::move(composite), {}, nullptr, true))
        return false;
    if (leftResponseId && pickResponse)
        *leftResponseId = pickResponse->GetModalityId();
    return true;
}

void CRightReconciliationPage::OfferRemoveOriginalResponse(const CModality& response)
{
    if (AskYesNo(FormatString(LoadString(IDS_REMOVE_ORIGINAL_RESPONSE),
                              {GetModalityDisplayCaption(response)})))
        RemoveCampaignResponse(&response);
}

void CRightReconciliationPage::RematchResponseAndOffer(const CCellID& pick, const CCellID& target)
{
    int leftId = -1;
    if (!RematchResponse(pick, target, &leftId) || leftId <= 0)
        return;
    // A response that first appeared in this wave may have been made for the source response
    // by mistake: it is offered for removal.
    const CCampaign* campaign = AppCampaign();
    const CModality* left = campaign ? campaign->GetModalityById(leftId) : nullptr;
    if (left && WaveHasVolume(int(m_waveId), left->GetAppearanceVolumeId()))
        OfferRemoveOriginalResponse(*left);
}

LRESULT CRightReconciliationPage::OnResponseGridClick(int row, int col)
{
    const CCellID clicked(row, col);
    if (m_pickResponse) {
        const CCellID pick = m_pickResponseCell;
        if (CanDropSourceResponse(clicked) && row != pick.row &&
            ConfirmSourceResponseDrop(pick, clicked))
            RematchResponseAndOffer(pick, clicked);
        EndResponsePick();
    } else if (m_mergePick) {
        const CCellID merged = m_mergePickCell;
        const CModality* master = GetCampaignResponseAtRow(row);
        const int masterId = master ? master->GetModalityId() : -1;
        if (CanDropSourceResponse(clicked) && row != merged.row && ConfirmMerge(merged, clicked))
            MergeResponse(merged, clicked);
        // The merge may have moved the master's row: the selection goes with the response.
        const int masterRow = masterId > 0 ? m_responseRows.GetFirstRow(masterId) : kNoRow;
        if (masterRow != kNoRow && col >= 0 && col < m_gridResponses->GetColumnCount())
            SelectResponseRow(masterRow, col);
        EndMergePick();
    }
    if (m_pickQuestion)
        EndQuestionPick();
    return 0;
}

LRESULT CRightReconciliationPage::OnResponseGridDrop()
{
    const CCellID target = m_gridResponses->GetLastDragOverCell();
    if (m_dragRematchResponse) {
        const CCellID pick = m_pickResponseCell;
        if (target.row != -1 && pick.row != -1 && target.row != pick.row &&
            CanDropSourceResponse(target) && ConfirmSourceResponseDrop(pick, target))
            RematchResponseAndOffer(pick, target);
        m_dragRematchResponse = false;
        EndResponsePick();
    } else if (m_dragMergeResponse) {
        const CCellID dragged = m_dragCampaignResponseCell;
        if (target.row != -1 && dragged.row != -1 && target.row != dragged.row &&
            CanDropCampaignResponse(dragged, target) &&
            ConfirmCampaignResponseDrop(dragged, target))
            RemoveDuplicateResponse(dragged, target);
        m_dragCampaignResponseCell = CCellID();
        EndResponseDrag();
    }
    return 0;
}

// Removing and making campaign responses ----------------------------------------------------------

bool CRightReconciliationPage::RemoveCampaignResponse(const CModality* response)
{
    CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    CModality* removed =
        response && campaign ? campaign->GetModalityById(response->GetModalityId()) : nullptr;
    // A response removed as of the wave already keeps the wave it was removed in.
    if (!removed || !wave || m_responseRows.GetFirstRow(removed->GetModalityId()) == kNoRow ||
        IsDeletedInWave(removed->GetDeletionWaveId()))
        return false;
    CQuestion* question = campaign->GetQuestionById(removed->GetQuestionId());
    if (!question)
        return false;

    auto composite = std::make_unique<CMetaCmd>(IDS_REMOVE_CAMPAIGN_RESPONSE);
    // The matching is broken from the first of the wave's volumes that matches the question on.
    for (int v = 0; v < wave->GetVolumeCount(); ++v) {
        const CVolume* volume = wave->GetVolume(v);
        const int volumeId = volume->GetVolumeId();
        const CQuestionMatching* questionMatching =
            volume->FindQuestionMatchingInherited(question->GetQuestionId(), volumeId);
        if (!questionMatching)
            continue;
        if (const CModalityMatching* matching =
                volume->FindModalityMatchingInherited(removed->GetModalityId(), volumeId)) {
            const qnr::CQuestion* sourceQuestion = volume->GetQuestionnaire().FindQuestionById(
                questionMatching->GetSourceId().toInt());
            const qnr::CModalite* source =
                sourceQuestion
                    ? sourceQuestion->FindModaliteById(matching->GetModalitySourceId().toInt())
                    : nullptr;
            if (!source)
                return false;
            composite->AddCmd(std::make_unique<CCmdDeepBreakModMatching>(campaign, question,
                                                                         removed, source, volumeId),
                              DeepBreakModMatchingCallBacks());
        }
        break;
    }
    composite->AddCmd(std::make_unique<CCmdChangeModality>(campaign, removed,
                                                           MODALITY_PROP_IS_DELETED, CValue(true)));
    composite->AddCmd(std::make_unique<CCmdChangeModality>(
                          campaign, removed, MODALITY_PROP_DELETION_WAVE, CValue(int(m_waveId))),
                      ChangeModalityCallBacks());
    return IssueCommand(std::move(composite), {}, nullptr, true);
}

void CRightReconciliationPage::OnCreateCampaignResponse()
{
    CCampaign* campaign = AppCampaign();
    CVolume* volume = GetResponseVolume();
    CQuestion* question = campaign ? campaign->GetQuestionById(m_curQuestionId) : nullptr;
    const qnr::CQuestion* sourceQuestion = GetCurrentSourceQuestion();
    const int row = m_gridResponses->GetFocusCell().row;
    if (!volume || !question || !sourceQuestion || row < m_gridResponses->GetFixedRowCount())
        return;
    // Only a source response that no campaign response holds gets one.
    const QString key = m_responseRows.GetSourceKey(row);
    const long id = m_responseRows.GetId(row);
    if (key == kNoSourceKey || (id >= 0 && id != kNoId))
        return;
    const qnr::CModalite* source = sourceQuestion->FindModaliteById(key.toInt());
    if (!source)
        return;

    // A response of the same caption that first appears after the volume, and that no other
    // volume of the wave matches, takes the source response instead of a new one.
    const int language = campaign->GetCurrentLanguageId();
    CModality* candidate =
        question->FindModalityByCaption(source->GetLocalisedShortCaption(language), language);
    int matchedFrom = -1;
    const bool reuse =
        candidate && candidate->GetDeletionWaveId() == NO_WAVE_ID &&
        campaign->IsVolumeBefore(volume->GetVolumeId(), candidate->GetAppearanceVolumeId()) &&
        !(FindModalityMatchedInOtherVolume(*campaign, candidate->GetModalityId(),
                                           volume->GetVolumeId(), matchedFrom, true) &&
          WaveHoldsVolume(matchedFrom));
    if (!reuse) {
        NewCampaignResponseRoad(*volume, *question, *sourceQuestion, *source, -1, nullptr);
        return;
    }
    // The matching comes first: the response may appear only in a volume that matches it.
    auto composite =
        std::make_unique<CMetaChangeModAppVolIDCmd>(IDS_CREATE_NEW_RESPONSE, volume->GetVolumeId(),
                                                    candidate->GetModalityId(), source->GetCode());
    composite->AddCmd(std::make_unique<CCmdCreateModMatching>(campaign, volume, candidate, source));
    composite->AddCmd(std::make_unique<CCmdChangeModality>(
        campaign, candidate, MODALITY_PROP_APPEARANCE_VOLUME, CValue(volume->GetVolumeId())));
    IssueCommand(std::move(composite), MetaChangeModAppVolIDCallBacks(), nullptr, true);
}

bool CRightReconciliationPage::NewCampaignResponseRoad(CVolume& volume, CQuestion& question,
                                                       const qnr::CQuestion& sourceQuestion,
                                                       const qnr::CModalite& source, int order,
                                                       CModality* breakFrom)
{
    CCampaign* campaign = AppCampaign();
    IWaveApp* app = GetWaveApp();
    GUID groupId;
    if (!campaign || !app || !CreateGuid(groupId))
        return false;

    // Step 1: the new response, after the break from the response that held the source.
    std::unique_ptr<CCmdVirtual> first;
    CCmdCallBacks firstCallBacks;
    auto made = std::make_unique<CCmdNewModality>(campaign, &volume, &question, &source, order);
    if (breakFrom) {
        auto composite = std::make_unique<CMetaCmd>(IDS_CREATE_NEW_RESPONSE);
        composite->AddCmd(std::make_unique<CCmdDeepBreakModMatching>(campaign, &question, breakFrom,
                                                                     &source, volume.GetVolumeId()),
                          DeepBreakModMatchingCallBacks());
        composite->AddCmd(std::move(made), NewModalityCallBacks());
        first = std::move(composite);
    } else {
        first = std::move(made);
        firstCallBacks = NewModalityCallBacks();
    }
    first->SetGroupId(groupId);
    m_newResponseId = -1;
    if (!IssueCommand(std::move(first), firstCallBacks, nullptr, true))
        return false;

    // Step 2: the new response takes the source response, and the volumes after follow.
    CModality* response = campaign->GetModalityById(int(m_newResponseId));
    if (response) {
        auto second = std::make_unique<CMetaCmd>(IDS_CREATE_NEW_RESPONSE);
        second->AddCmd(
            std::make_unique<CCmdCreateModMatching>(campaign, &volume, response, &source),
            CreateModMatchingCallBacks());
        second->AddCmd(std::make_unique<CCmdDeepRematchModality>(
            campaign, &volume, &question, sourceQuestion.GetCodeQuestion(), response));
        second->SetGroupId(groupId);
        if (IssueCommand(std::move(second), MetaCmdCallBacks(question.GetQuestionId()), nullptr,
                         false))
            return true;
    }
    // Nothing of the road stays, not even to redo: the first step is taken out of the history
    // (its error was shown).
    app->TakeBackGroup(groupId);
    return false;
}

// Row updates -------------------------------------------------------------------------------------

void CRightReconciliationPage::RefreshResponseRow(const CVolume& volume, const CModality& response,
                                                  bool recolourQuestion, bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CQuestion* question =
        campaign ? campaign->GetQuestionById(response.GetQuestionId()) : nullptr;
    if (!question)
        return;
    // The pair's differences again: the response's are gone with its matching.
    const int questionRow = FindQuestionRowForVolume(*question, volume.GetVolumeId());
    const qnr::CQuestion* sourceQuestion =
        questionRow == kNoRow ? nullptr : GetSourceQuestionAtRow(questionRow);
    if (sourceQuestion)
        RecomputePair(*question, volume, *sourceQuestion);
    else
        InvalidateQuestionPair(*question, volume);

    // The response grid shows the volume's responses of the question only while its row is the
    // current one.
    int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (m_curQuestionId != question->GetQuestionId() || m_curVolumeId != volume.GetVolumeId())
        row = kNoRow;
    const QString key = row == kNoRow ? kNoSourceKey : m_responseRows.GetSourceKey(row);
    if (key != kNoSourceKey) {
        // The row keeps the campaign response without a source side.
        const qnr::CModalite* source = GetSourceResponseAtRow(row);
        const bool deleted = IsDeletedInWave(response.GetDeletionWaveId());
        m_responseRows.RemoveSource(row);
        WriteResponseSourceSide(row, deleted ? ImageMissingDeleted : ImageMissing,
                                deleted ? recon_colours::Grey : recon_colours::Red,
                                recon_colours::Default, &m_fontNormal, nullptr, nullptr);

        // The source response takes a row of its own right below.
        const int sourceRow = m_responseRows.InsertRow(row + 1, RowUnmatched);
        m_responseRows.SetUnmatchedId(sourceRow);
        m_responseRows.SetSource(sourceRow, key, volume.GetVolumeId());
        WriteResponseCampaignSide(sourceRow, ImageMissing, recon_colours::Red,
                                  recon_colours::Default, &m_fontNormal, nullptr, nullptr);
        WriteResponseSourceSide(sourceRow, ImageMatched, recon_colours::Default,
                                recon_colours::Default, &m_fontNormal, source, &volume);
        RestyleResponseRow(row, highlight);
        RestyleResponseRow(sourceRow, false);
    }
    if (recolourQuestion && questionRow != kNoRow)
        RestyleQuestionRow(questionRow, highlight);

    RepaintRows();
    if (row != kNoRow)
        RestoreResponseCell(CCellID(row, m_gridResponses->GetFocusCell().col));
}

void CRightReconciliationPage::FollowResponseMatchings(
    std::initializer_list<const CModality*> responses, bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CVolume* volume = GetResponseVolume();
    const qnr::CQuestion* sourceQuestion = GetCurrentSourceQuestion();
    const auto matchedSource = [&](const CModality& response) -> QString {
        const CModalityMatching* matching =
            volume->FindModalityMatchingInherited(response.GetModalityId(), volume->GetVolumeId());
        return matching ? matching->GetModalitySourceId() : kNoSourceKey;
    };
    const auto shown = [&](const CModality& response) {
        return volume && sourceQuestion && response.GetQuestionId() == m_curQuestionId;
    };

    // First every row whose source response its response lost gives it up, so that a source
    // response passing from one response to another is free before it joins the other.
    for (const CModality* response : responses) {
        const int row = m_responseRows.GetFirstRow(response->GetModalityId());
        if (!shown(*response) || row == kNoRow)
            continue;
        const QString key = m_responseRows.GetSourceKey(row);
        if (key != kNoSourceKey && key != matchedSource(*response))
            RefreshResponseRow(*volume, *response, false, highlight);
    }
    for (const CModality* response : responses) {
        if (!shown(*response))
            continue;
        const int row = m_responseRows.GetFirstRow(response->GetModalityId());
        const QString matched = matchedSource(*response);
        if (matched == kNoSourceKey ||
            (row != kNoRow && m_responseRows.GetSourceKey(row) == matched))
            continue;
        if (const qnr::CModalite* source = sourceQuestion->FindModaliteById(matched.toInt()))
            ShowResponseMatched(*volume, *response, *source, highlight);
    }

    // The question's rows of every volume take their differences and colours again.
    std::set<int> questions;
    for (const CModality* response : responses)
        questions.insert(response->GetQuestionId());
    for (const int questionId : questions)
        if (const CQuestion* question = campaign ? campaign->GetQuestionById(questionId) : nullptr)
            RecomputeQuestionRows(*question, highlight);
    RepaintRows();
}
