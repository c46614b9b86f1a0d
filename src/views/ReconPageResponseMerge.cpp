// The reconciliation page's response differences and merges: "View Response Differences..." with
// the changes the differences dialog asks for, merging a campaign response into another by the
// merge pick mode, and removing a duplicate campaign response by dropping it on the one it
// duplicates, with the offer to put both captions into a caption library.

#include "views/RightReconciliationPage.h"

#include "commands/DuplicateCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCmd.h"
#include "commands/MetaCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/DisplayCaptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/ViewDialogs.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

namespace {

CValue TextValue(const QString& text)
{
    CValue value;
    value.SetText(text);
    return value;
}

} // namespace

// Response differences --------------------------------------------------------------------------

void CRightReconciliationPage::OnViewResponseDifferences()
{
    CCampaign* campaign = AppCampaign();
    IViewDialogs* dialogs = GetViewDialogs();
    const int row = m_gridResponses->GetFocusCell().row;
    const CModality* shown = GetCampaignResponseAtRow(row);
    CModality* response = shown ? campaign->GetModalityById(shown->GetModalityId()) : nullptr;
    if (!dialogs || !response || !GetCurrentQuestion())
        return;
    CDiffList differences;
    CollectResponseDiffKinds(response->GetModalityId(), differences);
    const qnr::CModalite* source = GetSourceResponseAtRow(row);
    if (differences.empty() || !source)
        return;

    SModalityDiffsDlgRequest request;
    request.CampaignModality = response;
    request.SourceModality = source;
    request.Differences = differences;
    CDiffsDlgResults results;
    int result = IDCANCEL;
    {
        CModalDialogScope modal;
        result = dialogs->RunModalityDiffsDlg(this, request, results);
    }
    if (result == IDCANCEL)
        return;
    CWaitCursor wait;

    if (result == ID_DIFFS_NEW_ITEM) {
        // The source response leaves the campaign response for a new one right after it.
        CVolume* volume = GetResponseVolume();
        CQuestion* question = campaign->GetQuestionById(m_curQuestionId);
        const qnr::CQuestion* sourceQuestion = GetCurrentSourceQuestion();
        if (volume && question && sourceQuestion)
            NewCampaignResponseRoad(*volume, *question, *sourceQuestion, *source,
                                    response->GetModalityOrder() + 1, response);
        return;
    }

    // One change a difference the user gave a value for; an empty text is a value too.
    auto composite =
        std::make_unique<CMetaChangeModalityCmd>(IDS_CHANGE_RESPONSE, response->GetModalityId());
    size_t index = 0;
    for (const auto& [kind, detail] : differences) {
        const std::optional<QString>& chosen =
            index < results.size() ? results[index] : std::optional<QString>();
        ++index;
        if (!chosen)
            continue;
        if (kind == MODALITY_PROP_SHORT_CAPTION)
            composite->AddCmd(std::make_unique<CCmdChangeModalityShortCaption>(
                campaign, response, kind,
                CCaptionValue(TextValue(*chosen), GetDiffLanguageId(detail))));
        else
            composite->AddCmd(
                std::make_unique<CCmdChangeModality>(campaign, response, kind, TextValue(*chosen)));
    }
    if (composite->GetCmdCount() > 0)
        IssueCommand(std::move(composite), MetaChangeModalityCallBacks(), nullptr, true);
}

void CRightReconciliationPage::RefreshChangedResponse(const CModality& response, bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CQuestion* question =
        campaign ? campaign->GetQuestionById(response.GetQuestionId()) : nullptr;
    const int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (!question || row == kNoRow || m_curQuestionId != question->GetQuestionId())
        return;
    m_gridResponses->SetCellText(row, RColCaption,
                                 CampaignResponseCaption(&response, FindMergeMaster(response)));

    const int questionRow = FindQuestionRowForVolume(*question, m_curVolumeId);
    const CVolume* volume = questionRow == kNoRow ? nullptr : GetQuestionRowVolume(questionRow);
    const qnr::CQuestion* sourceQuestion =
        questionRow == kNoRow ? nullptr : GetSourceQuestionAtRow(questionRow);
    if (volume && sourceQuestion && GetSourceResponseAtRow(row)) {
        RecomputePair(*question, *volume, *sourceQuestion);
        RestyleResponseRow(row, highlight);
        RestyleQuestionRow(questionRow, highlight);
    }
    m_overviewQuestions->update();
    m_overviewResponses->update();
    m_gridQuestions->viewport()->update();
    m_gridResponses->viewport()->update();
}

// Merging -----------------------------------------------------------------------------------------

void CRightReconciliationPage::MergeResponse(const CCellID& merged, const CCellID& master)
{
    CCampaign* campaign = AppCampaign();
    CVolume* volume = GetResponseVolume();
    CQuestion* question = campaign ? campaign->GetQuestionById(m_curQuestionId) : nullptr;
    const CModality* shownMaster = GetCampaignResponseAtRow(master.row);
    const CModality* shownChild = GetCampaignResponseAtRow(merged.row);
    if (!volume || !question || !shownMaster || !shownChild)
        return;
    CModality* kept = campaign->GetModalityById(shownMaster->GetModalityId());
    CModality* child = campaign->GetModalityById(shownChild->GetModalityId());
    const qnr::CModalite* source = GetSourceResponseAtRow(merged.row);

    // The merged response gives up its source response, is removed as of the wave and points
    // at the response it was merged into.
    auto composite = std::make_unique<CMetaCmd>(IDS_MERGE_RESPONSES);
    if (source)
        composite->AddCmd(std::make_unique<CCmdDeepBreakModMatching>(campaign, question, child,
                                                                     source, volume->GetVolumeId()),
                          DeepBreakModMatchingCallBacks());
    composite->AddCmd(std::make_unique<CCmdChangeModality>(campaign, child,
                                                           MODALITY_PROP_IS_DELETED, CValue(true)));
    composite->AddCmd(std::make_unique<CCmdChangeModality>(
                          campaign, child, MODALITY_PROP_DELETION_WAVE, CValue(int(m_waveId))),
                      ChangeModalityCallBacks());
    composite->AddCmd(std::make_unique<CCmdMergeModalities>(campaign, volume, kept, child),
                      MergeModalitiesCallBacks());
    IssueCommand(std::move(composite), {}, nullptr, true);
}

void CRightReconciliationPage::ShowResponseMerged(const CModality& response,
                                                  const CModality& master, bool fade)
{
    const int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (row == kNoRow)
        return;
    WriteResponseCampaignSide(row, ImageMerged, recon_colours::Grey, recon_colours::Default,
                              &m_fontNormal, &response, &master);
    if (fade) {
        SetResponseRowFont(row, &m_fontNormal);
        StartResponseRowFade(row, recon_colours::LightGrey);
    } else {
        m_responseRows.DropFade(row);
        SetResponseRowStyle(row, &m_fontNormal, recon_colours::LightGrey, recon_colours::Default);
    }
    m_gridResponses->viewport()->update();
}

void CRightReconciliationPage::RemoveDuplicateResponse(const CCellID& dragged,
                                                       const CCellID& target)
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = CurrentWave();
    const CModality* shownKept = GetCampaignResponseAtRow(target.row);
    const CModality* shownDuplicate = GetCampaignResponseAtRow(dragged.row);
    if (!campaign || !wave || !shownKept || !shownDuplicate ||
        m_gridQuestions->GetFocusCell().row < m_gridQuestions->GetFixedRowCount())
        return;
    CModality* kept = campaign->GetModalityById(shownKept->GetModalityId());
    CModality* duplicate = campaign->GetModalityById(shownDuplicate->GetModalityId());
    const CQuestion* question = campaign->GetQuestionById(kept->GetQuestionId());
    if (!question)
        return;
    if (!IssueCommand(
            std::make_unique<CCmdRemoveDuplicateModality>(
                campaign, wave, GetResponseVolume(), question->GetQuestionId(), kept, duplicate),
            RemoveDuplicateModalityCallBacks(), nullptr, true))
        return;

    // Both captions name one answer: a caption library may say so for the next reconciliations.
    if (!AskYesNo(LoadString(IDS_ADD_TO_CAPTION_LIBRARY)))
        return;
    IViewDialogs* dialogs = GetViewDialogs();
    if (!dialogs)
        return;
    SCaptionLibraryDlgRequest request;
    request.Mode = CAPTION_LIBRARY_EDIT;
    request.ProposeCaptions = true;
    request.FirstCaption = GetModalityDisplayCaption(*kept);
    request.SecondCaption = GetModalityDisplayCaption(*duplicate);
    CModalDialogScope modal;
    dialogs->RunCaptionLibraryDlg(this, request);
}
