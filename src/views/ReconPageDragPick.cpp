// The reconciliation page's drags, pick modes and confirmations: which cells may be dragged and
// where they may go, the pointer of a pick mode, Esc, and the boxes that list the matchings a
// drop or a click would change before it runs.

#include "views/RightReconciliationPage.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/QuestionKinds.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/DisplayCaptions.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColumns.h"
#include "views/WaveGridCtrl.h"

#include <QKeyEvent>

using namespace pelko_wave;
using namespace recon_columns;

namespace {

bool IsSet(const CCellID& cell)
{
    return cell.row != -1 && cell.col != -1;
}

CCellID CellOf(const NMHDR& header)
{
    const auto& report = static_cast<const GRIDNOTIFY&>(header);
    return CCellID(report.iRow, report.iColumn);
}

// One line of a confirmation: its format with the two names.
QString Line(unsigned format, const QString& first, const QString& second = QString())
{
    return FormatString(LoadString(format), {first, second});
}

// The lines, an empty line and the closing question.
QString Confirmation(const QString& lines, unsigned closing)
{
    return lines + QStringLiteral("\n") + LoadString(closing);
}

} // namespace

// Cell tests ----------------------------------------------------------------------------------

bool CRightReconciliationPage::IsSourceQuestionCell(const CCellID& cell) const
{
    return IsItemColumn(EGrid::Questions, cell.col, ESide::Source) &&
           m_questionRows.GetSourceKey(cell.row) != kNoSourceKey;
}

bool CRightReconciliationPage::IsSourceResponseCell(const CCellID& cell) const
{
    return IsItemColumn(EGrid::Responses, cell.col, ESide::Source) &&
           m_responseRows.GetSourceKey(cell.row) != kNoSourceKey;
}

bool CRightReconciliationPage::IsCampaignResponseCell(const CCellID& cell) const
{
    return IsItemColumn(EGrid::Responses, cell.col, ESide::Campaign) &&
           GetCampaignResponseAtRow(cell.row);
}

bool CRightReconciliationPage::IsFreeCampaignResponseCell(const CCellID& cell) const
{
    const CCampaign* campaign = AppCampaign();
    const CModality* response = GetCampaignResponseAtRow(cell.row);
    return campaign && response && IsCampaignResponseCell(cell) &&
           !campaign->IsMergeMaster(response->GetModalityId()) &&
           !campaign->IsMergeChild(response->GetModalityId());
}

bool CRightReconciliationPage::CanDropSourceResponse(const CCellID& cell) const
{
    const CCampaign* campaign = AppCampaign();
    const CModality* response = GetCampaignResponseAtRow(cell.row);
    return campaign && response && IsItemColumn(EGrid::Responses, cell.col, ESide::Campaign) &&
           campaign->IsWaveBefore(int(m_waveId), response->GetDeletionWaveId());
}

bool CRightReconciliationPage::CanDropCampaignResponse(const CCellID& dragCell,
                                                       const CCellID& cell) const
{
    const CCampaign* campaign = AppCampaign();
    const CModality* dragged = GetCampaignResponseAtRow(dragCell.row);
    const CModality* response = GetCampaignResponseAtRow(cell.row);
    return campaign && dragged && response &&
           IsItemColumn(EGrid::Responses, cell.col, ESide::Campaign) && cell.row != dragCell.row &&
           CanMergeModalities(*campaign, GetCurrentVolume(), dragged->GetModalityId(),
                              response->GetModalityId());
}

bool CRightReconciliationPage::CanRematchQuestion(const CCellID& source, const CCellID& target)
{
    return GetQuestionRematchProblems(source, target) == 0;
}

int CRightReconciliationPage::GetQuestionRematchProblems(const CCellID& source,
                                                         const CCellID& target)
{
    const CCampaign* campaign = AppCampaign();
    const CQuestion* question = GetCampaignQuestionAtRow(target.row);
    const qnr::CQuestion* sourceQuestion = GetSourceQuestionAtRow(source.row);
    if (!campaign || !question || !sourceQuestion)
        return -1;
    int problems = 0;
    if (!HasSameLoopAncestry(*campaign, *question, *sourceQuestion))
        problems |= RematchLoops;
    if (IsDeletedInWave(question->GetDeletionWaveId()))
        problems |= RematchRemoved;
    if (question->GetElementType() != sourceQuestion->GetTypeElement())
        problems |= RematchElementType;
    if (question->GetQuestionType() != sourceQuestion->GetTypeQuestion())
        problems |= RematchQuestionType;
    if (!IsSideColumn(EGrid::Questions, target.col, ESide::Campaign))
        problems |= RematchNotCampaignColumn;
    return problems;
}

void CRightReconciliationPage::ShowQuestionRematchProblems(const CCellID& source,
                                                           const CCellID& target)
{
    const int problems = GetQuestionRematchProblems(source, target);
    if (problems & RematchNotCampaignColumn)
        return;
    QString text = LoadString(IDS_REMATCH_REASONS);
    const std::pair<int, unsigned> reasons[] = {{RematchLoops, IDS_REASON_LOOPS},
                                                {RematchRemoved, IDS_REASON_REMOVED},
                                                {RematchElementType, IDS_REASON_ELEMENT_TYPE},
                                                {RematchQuestionType, IDS_REASON_QUESTION_TYPE}};
    for (const auto& [bit, line] : reasons)
        if (problems & bit)
            text += LoadString(line);
    GetWindowServices().MessageBox(text, MB_OK | MB_ICONINFORMATION);
}

// Pick modes ----------------------------------------------------------------------------------

void CRightReconciliationPage::StartQuestionPick()
{
    m_pickQuestion = true;
    m_pickQuestionCell = m_gridQuestions->GetFocusCell();
}

void CRightReconciliationPage::StartResponsePick()
{
    m_pickResponse = true;
    m_pickResponseCell = m_gridResponses->GetFocusCell();
}

void CRightReconciliationPage::StartMergePick()
{
    m_mergePick = true;
    m_mergePickCell = m_gridResponses->GetFocusCell();
}

void CRightReconciliationPage::EndQuestionPick()
{
    m_pickQuestion = false;
    m_pickQuestionCell = CCellID();
    ResetPickCursor();
}

void CRightReconciliationPage::EndResponsePick()
{
    m_pickResponse = false;
    m_pickResponseCell = CCellID();
    ResetPickCursor();
}

void CRightReconciliationPage::EndMergePick()
{
    m_mergePick = false;
    m_mergePickCell = CCellID();
    ResetPickCursor();
}

void CRightReconciliationPage::EndResponseDrag()
{
    m_dragMergeResponse = false;
    m_pickResponseCell = CCellID();
    ResetPickCursor();
}

void CRightReconciliationPage::EndResponsePicks()
{
    const bool shown = m_pickResponse || m_mergePick || m_dragResponses;
    m_pickResponse = false;
    m_mergePick = false;
    m_mergePickCell = CCellID();
    m_dragResponses = false;
    m_dragMergeResponse = false;
    m_dragRematchResponse = false;
    m_pickResponseCell = CCellID();
    m_dragCampaignResponseCell = CCellID();
    // A question pick under way keeps its pointer.
    if (shown)
        ResetPickCursor();
}

void CRightReconciliationPage::EndPickModes()
{
    EndResponsePicks();
    m_pickQuestion = false;
    m_dragQuestions = false;
    m_pickQuestionCell = CCellID();
    ResetPickCursor();
}

void CRightReconciliationPage::ApplyPickCursor(CWaveGridCtrl& grid)
{
    grid.SetForcedCursor(m_hCursor);
}

void CRightReconciliationPage::ResetPickCursor()
{
    m_hCursor.reset();
    for (CWaveGridCtrl* grid : {m_gridQuestions, m_gridResponses})
        grid->SetForcedCursor(std::nullopt);
}

void CRightReconciliationPage::OnQuestionHover(const CCellID& cell)
{
    m_hCursor.reset();
    if (!m_pickQuestion)
        return;
    m_hCursor =
        CanRematchQuestion(m_pickQuestionCell, cell) ? Qt::PointingHandCursor : Qt::ForbiddenCursor;
    ApplyPickCursor(*m_gridQuestions);
}

void CRightReconciliationPage::OnResponseHover(const CCellID& cell)
{
    m_hCursor.reset();
    if (!m_pickResponse && !m_mergePick)
        return;
    m_hCursor = CanDropSourceResponse(cell) ? Qt::PointingHandCursor : Qt::ForbiddenCursor;
    ApplyPickCursor(*m_gridResponses);
}

bool CRightReconciliationPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // The control still gets the key; the modes end whichever control has it.
        if (m_pickQuestion)
            EndQuestionPick();
        if (m_mergePick)
            EndMergePick();
        if (m_pickResponse)
            EndResponsePick();
    }
    return QWidget::eventFilter(watched, event);
}

// Drags ---------------------------------------------------------------------------------------

LRESULT CRightReconciliationPage::OnQuestionDragQuery(const CCellID& cell)
{
    if (!IsSourceQuestionCell(cell))
        return -1;
    m_dragQuestions = true;
    return 0;
}

LRESULT CRightReconciliationPage::OnResponseDragQuery(const CCellID& cell)
{
    m_dragRematchResponse = false;
    m_dragMergeResponse = false;
    m_dragResponses = false;
    if (IsSourceResponseCell(cell))
        m_dragRematchResponse = m_dragResponses = true;
    else if (IsFreeCampaignResponseCell(cell))
        m_dragMergeResponse = m_dragResponses = true;
    return m_dragResponses ? 0 : -1;
}

LRESULT CRightReconciliationPage::OnQuestionDragOver(const CCellID& cell)
{
    return IsSet(m_pickQuestionCell) && CanRematchQuestion(m_pickQuestionCell, cell) ? 0 : -1;
}

LRESULT CRightReconciliationPage::OnResponseDragOver(const CCellID& cell)
{
    if (m_dragRematchResponse)
        return IsSet(m_pickResponseCell) && CanDropSourceResponse(cell) ? 0 : -1;
    if (m_dragMergeResponse)
        return IsSet(m_dragCampaignResponseCell) &&
                       CanDropCampaignResponse(m_dragCampaignResponseCell, cell)
                   ? 0
                   : -1;
    return 0;
}

void CRightReconciliationPage::RegisterDragPickHandlers()
{
    AddNotifyHandler(kQuestionGridId, WGN_BEGINDRAGQUERY,
                     [this](NMHDR& header) { return OnQuestionDragQuery(CellOf(header)); });
    AddNotifyHandler(kResponseGridId, WGN_BEGINDRAGQUERY,
                     [this](NMHDR& header) { return OnResponseDragQuery(CellOf(header)); });
    AddNotifyHandler(kQuestionGridId, GVN_BEGINDRAG, [this](NMHDR& header) -> LRESULT {
        m_pickQuestionCell = CellOf(header);
        return 0;
    });
    AddNotifyHandler(kResponseGridId, GVN_BEGINDRAG, [this](NMHDR& header) -> LRESULT {
        if (m_dragRematchResponse)
            m_pickResponseCell = CellOf(header);
        else if (m_dragMergeResponse)
            m_dragCampaignResponseCell = CellOf(header);
        return 0;
    });
    AddNotifyHandler(kQuestionGridId, WGN_DRAGOVERQUERY,
                     [this](NMHDR& header) { return OnQuestionDragOver(CellOf(header)); });
    AddNotifyHandler(kResponseGridId, WGN_DRAGOVERQUERY,
                     [this](NMHDR& header) { return OnResponseDragOver(CellOf(header)); });
    AddNotifyHandler(kQuestionGridId, WGN_DRAGLEAVE, [this](NMHDR&) -> LRESULT {
        m_dragQuestions = false;
        return 0;
    });
    AddNotifyHandler(kResponseGridId, WGN_DRAGLEAVE, [this](NMHDR&) -> LRESULT {
        m_dragResponses = false;
        return 0;
    });
    AddNotifyHandler(kQuestionGridId, GVN_HOVER, [this](NMHDR& header) -> LRESULT {
        OnQuestionHover(CellOf(header));
        return 0;
    });
    AddNotifyHandler(kResponseGridId, GVN_HOVER, [this](NMHDR& header) -> LRESULT {
        OnResponseHover(CellOf(header));
        return 0;
    });
    AddCommand(ID_QUESTION_REMATCH, [this] { StartQuestionPick(); });

    // Esc reaches whichever of the page's controls has the keyboard.
    installEventFilter(this);
    QWidget* const controls[] = {m_gridQuestions, m_gridResponses, m_overviewQuestions,
                                 m_overviewResponses};
    for (QWidget* control : controls)
        control->installEventFilter(this);
}

// Confirmations -------------------------------------------------------------------------------

QString CRightReconciliationPage::QuestionShortcut(const CQuestion* question) const
{
    return question ? question->GetShortcut() : QString();
}

QString CRightReconciliationPage::SourceQuestionShortcut(const qnr::CQuestion* source) const
{
    return source ? source->GetShortcut() : QString();
}

QString CRightReconciliationPage::ResponseCaption(const CModality* response) const
{
    return response ? GetModalityDisplayCaption(*response) : QString();
}

QString CRightReconciliationPage::SourceResponseCaption(const qnr::CModalite* source) const
{
    return source ? source->GetShortCaption() : QString();
}

bool CRightReconciliationPage::AskYesNo(const QString& text)
{
    return GetWindowServices().MessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CRightReconciliationPage::ConfirmQuestionDrop(const CCellID& dragged, const CCellID& target)
{
    const QString ct = QuestionShortcut(GetCampaignQuestionAtRow(target.row));
    const QString st = SourceQuestionShortcut(GetSourceQuestionAtRow(target.row));
    const CQuestion* draggedQuestion = GetCampaignQuestionAtRow(dragged.row);
    const QString sd = SourceQuestionShortcut(GetSourceQuestionAtRow(dragged.row));
    QString lines;
    if (m_questionRows.GetSourceKey(target.row) != kNoSourceKey)
        lines += Line(IDS_BREAK_QUESTION_MATCHING_LINE, ct, st);
    if (draggedQuestion)
        lines += Line(IDS_BREAK_QUESTION_MATCHING_LINE, QuestionShortcut(draggedQuestion), sd);
    lines += Line(IDS_ADD_QUESTION_MATCHING, ct, sd);
    return AskYesNo(Confirmation(lines, IDS_CONTINUE));
}

bool CRightReconciliationPage::ConfirmSourceResponseDrop(const CCellID& dragged,
                                                         const CCellID& target)
{
    const QString rt = ResponseCaption(GetCampaignResponseAtRow(target.row));
    const QString st = SourceResponseCaption(GetSourceResponseAtRow(target.row));
    const CModality* draggedResponse = GetCampaignResponseAtRow(dragged.row);
    const QString sd = SourceResponseCaption(GetSourceResponseAtRow(dragged.row));
    QString lines;
    if (m_responseRows.GetSourceKey(target.row) != kNoSourceKey)
        lines += Line(IDS_BREAK_RESPONSE_MATCHING_LINE, rt, st);
    if (draggedResponse)
        lines += Line(IDS_BREAK_RESPONSE_MATCHING_LINE, ResponseCaption(draggedResponse), sd);
    lines += Line(IDS_ADD_RESPONSE_MATCHING, rt, sd);
    return AskYesNo(Confirmation(lines, IDS_CONTINUE));
}

bool CRightReconciliationPage::ConfirmCampaignResponseDrop(const CCellID& dragged,
                                                           const CCellID& target)
{
    const CModality* draggedResponse = GetCampaignResponseAtRow(dragged.row);
    const CModality* targetResponse = GetCampaignResponseAtRow(target.row);
    if (!draggedResponse || !targetResponse)
        return false;
    const QString rd = ResponseCaption(draggedResponse);
    const QString sd = SourceResponseCaption(GetSourceResponseAtRow(dragged.row));
    const bool targetHasSource = m_responseRows.GetSourceKey(target.row) != kNoSourceKey;
    const bool draggedHasSource = m_responseRows.GetSourceKey(dragged.row) != kNoSourceKey;
    QString lines;
    if (draggedHasSource)
        lines += Line(IDS_BREAK_RESPONSE_MATCHING_LINE, rd, sd);
    // A source response goes with the dragged response's row only onto a row without one.
    if (draggedHasSource && !targetHasSource)
        lines += Line(IDS_ADD_RESPONSE_MATCHING, ResponseCaption(targetResponse), sd);
    lines += Line(IDS_REMOVE_RESPONSE, rd);
    return AskYesNo(Confirmation(lines, IDS_CONTINUE_REMOVE));
}

bool CRightReconciliationPage::ConfirmMerge(const CCellID& merged, const CCellID& master)
{
    const CModality* mergedResponse = GetCampaignResponseAtRow(merged.row);
    const CModality* masterResponse = GetCampaignResponseAtRow(master.row);
    const QString r1 = ResponseCaption(mergedResponse);
    const QString r2 = ResponseCaption(masterResponse);
    // Two responses of one question often share a caption: their entry codes tell them apart.
    const CQuestion* question = GetCurrentQuestion();
    const QString merge =
        FormatString(LoadString(IDS_MERGE_RESPONSE), {r1, EntryCodeText(question, mergedResponse),
                                                      r2, EntryCodeText(question, masterResponse)});
    if (m_responseRows.GetSourceKey(merged.row) == kNoSourceKey)
        return AskYesNo(Confirmation(merge, IDS_CONTINUE));
    const QString s1 = SourceResponseCaption(GetSourceResponseAtRow(merged.row));
    return AskYesNo(Confirmation(Line(IDS_BREAK_RESPONSE_MATCHING_LINE, r1, s1) + merge,
                                 IDS_CONTINUE_AFTER_BREAK));
}
