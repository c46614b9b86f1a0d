// The reconciliation page's context menus: a right click in a grid offers, over a data cell, the
// matching and editing commands of that row, each greyed where it does not apply, and over a
// heading cell the grid's display choices.

#include "views/RightReconciliationPage.h"

#include "menus/NewMenu.h"
#include "model/Modality.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "platform/AppServices.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "views/ReconColumns.h"
#include "views/WaveGridCtrl.h"

#include <QAction>
#include <QMenu>

using namespace pelko_wave;
using namespace recon_columns;

namespace {

void Grey(CNewMenu& popup, std::initializer_list<unsigned> ids)
{
    for (unsigned id : ids)
        popup.EnableMenuItem(id, false);
}

void GreyUnless(CNewMenu& popup, unsigned id, bool applies)
{
    if (!applies)
        popup.EnableMenuItem(id, false);
}

bool IsHeadingCell(const CGridCtrl& grid, const CCellID& cell)
{
    return cell.row < grid.GetFixedRowCount() || cell.col < grid.GetFixedColumnCount();
}

} // namespace

void CRightReconciliationPage::GreyUnhandledItems(CNewMenu& popup) const
{
    for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
        const unsigned id = popup.GetMenuItemID(i);
        if (id != 0 && !HasCommand(id))
            popup.EnableMenuItem(id, false);
    }
}

CNewMenu* CRightReconciliationPage::LoadQuestionMenu(CNewMenu& menu, const CCellID& cell)
{
    const IWaveApp* app = GetWaveApp();
    if (!app || !m_gridQuestions->IsValid(cell) || !menu.LoadMenu(IDR_QUESTION_GRID_MENU))
        return nullptr;
    const bool heading = IsHeadingCell(*m_gridQuestions, cell);
    CNewMenu* popup = menu.GetSubMenuAt(heading ? 1 : 0);
    if (!popup)
        return nullptr;
    if (heading) {
        const unsigned shown[] = {ID_QUESTION_VIEW_SHORTCUTS, ID_QUESTION_VIEW_SHORT_CAPTIONS,
                                  ID_QUESTION_VIEW_LONG_CAPTIONS};
        const int mode = app->GetViewSettings().GetQuestionGridViewText();
        if (mode >= 0 && mode < 3)
            popup->EnableMenuItem(shown[mode], false);
    } else {
        const long key = m_questionRows.GetId(cell.row);
        const bool sourceCell = m_questionRows.GetSourceKey(cell.row) != kNoSourceKey &&
                                IsItemColumn(EGrid::Questions, cell.col, ESide::Source);
        if (key < 0 && key != kNoId) {
            // A source question no campaign question holds.
            Grey(*popup, {ID_QUESTION_VIEW_DIFFERENCES, ID_QUESTION_BREAK_MATCHING,
                          ID_QUESTION_REMOVE, ID_QUESTION_REORDER_RESPONSES});
            GreyUnless(*popup, ID_QUESTION_REMATCH, sourceCell);
        } else {
            const CQuestion* question = GetCampaignQuestionAtRow(cell.row);
            const bool deleted = question && IsDeletedInWave(question->GetDeletionWaveId());
            popup->EnableMenuItem(ID_QUESTION_CREATE, false);
            GreyUnless(*popup, ID_QUESTION_VIEW_DIFFERENCES,
                       question && !deleted && RowHasDifferences(cell.row));
            GreyUnless(*popup, ID_QUESTION_BREAK_MATCHING,
                       question && GetSourceQuestionAtRow(cell.row));
            GreyUnless(*popup, ID_QUESTION_REORDER_RESPONSES, CanReorderResponses(cell));
            GreyUnless(*popup, ID_QUESTION_REMATCH, sourceCell);
            GreyUnless(*popup, ID_QUESTION_REMOVE, CanRemoveCampaignQuestion(cell));
        }
    }
    GreyUnhandledItems(*popup);
    return popup;
}

CNewMenu* CRightReconciliationPage::LoadResponseMenu(CNewMenu& menu, const CCellID& cell)
{
    const IWaveApp* app = GetWaveApp();
    if (!app || !m_gridResponses->IsValid(cell))
        return nullptr;
    const bool heading = IsHeadingCell(*m_gridResponses, cell);
    if (!menu.LoadMenu(IDR_RESPONSE_GRID_MENU))
        return nullptr;
    CNewMenu* popup = menu.GetSubMenuAt(heading ? 1 : 0);
    if (!popup)
        return nullptr;
    const CQuestion* current = GetCurrentQuestion();
    if (heading) {
        popup->EnableMenuItem(app->GetViewSettings().GetViewEntryCodes() == 0
                                  ? ID_RESPONSE_VIEW_CODES
                                  : ID_RESPONSE_VIEW_ENTRY_CODES,
                              false);
    } else if (!current) {
        Grey(*popup, {ID_RESPONSE_VIEW_DIFFERENCES, ID_RESPONSE_BREAK_MATCHING, ID_RESPONSE_REMATCH,
                      ID_RESPONSE_CREATE, ID_RESPONSE_REMOVE, ID_RESPONSE_MERGE});
    } else {
        const long key = m_responseRows.GetId(cell.row);
        const bool sourceCell = m_responseRows.GetSourceKey(cell.row) != kNoSourceKey &&
                                IsItemColumn(EGrid::Responses, cell.col, ESide::Source);
        if (key < 0 && key != kNoId) {
            // A source response no campaign response holds.
            Grey(*popup, {ID_RESPONSE_REMOVE, ID_RESPONSE_BREAK_MATCHING,
                          ID_RESPONSE_VIEW_DIFFERENCES, ID_RESPONSE_MERGE});
            GreyUnless(*popup, ID_RESPONSE_REMATCH, sourceCell);
        } else {
            const CModality* response = GetCampaignResponseAtRow(cell.row);
            const bool deleted = response && IsDeletedInWave(response->GetDeletionWaveId());
            const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
            const bool differs =
                response && entry && entry->GetModalityDiffs().Count(response->GetModalityId()) > 0;
            popup->EnableMenuItem(ID_RESPONSE_CREATE, false);
            GreyUnless(*popup, ID_RESPONSE_VIEW_DIFFERENCES, differs && !deleted);
            GreyUnless(*popup, ID_RESPONSE_BREAK_MATCHING, GetSourceResponseAtRow(cell.row));
            GreyUnless(*popup, ID_RESPONSE_REMATCH, sourceCell && !m_mergePick);
            GreyUnless(*popup, ID_RESPONSE_MERGE,
                       key >= 1 && IsItemColumn(EGrid::Responses, cell.col, ESide::Campaign) &&
                           !m_mergePick && !deleted);
            GreyUnless(*popup, ID_RESPONSE_REMOVE, CanRemoveCampaignResponse(cell));
        }
    }
    GreyUnhandledItems(*popup);
    return popup;
}

void CRightReconciliationPage::ShowQuestionMenu(const CCellID& cell)
{
    CWaveGridCtrl& grid = *m_gridQuestions;
    if (!grid.IsValid(cell))
        return;
    // The menu acts on the clicked row: it becomes the current one first.
    if (!IsHeadingCell(grid, cell) && cell.row != m_questionRows.GetCurrentRow())
        OnQuestionSelChanged(cell.row, cell.col);
    if (m_pickQuestion)
        EndQuestionPick();
    CNewMenu menu;
    TrackMenu(grid, LoadQuestionMenu(menu, cell));
}

void CRightReconciliationPage::ShowResponseMenu(const CCellID& cell)
{
    CWaveGridCtrl& grid = *m_gridResponses;
    if (!grid.IsValid(cell))
        return;
    if (!IsHeadingCell(grid, cell))
        OnResponseSelChanged(cell.row);
    if (m_pickResponse)
        EndResponsePick();
    CNewMenu menu;
    TrackMenu(grid, LoadResponseMenu(menu, cell));
}

void CRightReconciliationPage::TrackMenu(const CWaveGridCtrl& grid, CNewMenu* popup)
{
    if (!popup)
        return;
    if (const unsigned command = popup->TrackPopupMenu(grid.GetContextMenuPos()))
        OnCommand(command);
}

void CRightReconciliationPage::RegisterMenuHandlers()
{
    AddNotifyHandler(kQuestionGridId, NM_RCLICK, [this](NMHDR& header) -> LRESULT {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        ShowQuestionMenu(CCellID(report.iRow, report.iColumn));
        return 0;
    });
    AddNotifyHandler(kResponseGridId, NM_RCLICK, [this](NMHDR& header) -> LRESULT {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        ShowResponseMenu(CCellID(report.iRow, report.iColumn));
        return 0;
    });
}
