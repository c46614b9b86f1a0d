// The reconciliation page's selection: selecting and restoring rows, the overview bars' clicks,
// the navigation between difference rows, and the edit commands of the grids.

#include "views/RightReconciliationPage.h"

#include "menus/CommandActions.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "views/OverviewBar.h"
#include "views/WaveGridCtrl.h"

#include <QApplication>

namespace {

// Selects the cell as the one selected cell of the grid, with the focus on it, in view.
void SelectRow(CWaveGridCtrl& grid, int row, int col)
{
    grid.setFocus(Qt::OtherFocusReason);
    grid.SetFocusCellNotify(row, col);
    grid.SetSelectedRange(row, col, row, col, true, true);
    grid.EnsureVisible(row, col);
}

bool RestoreCell(CWaveGridCtrl& grid, const CCellID& cell)
{
    if (!cell.IsValid() || cell.col >= grid.GetColumnCount() || cell.row >= grid.GetRowCount())
        return false;
    grid.SelectCell(cell.row, cell.col, false, true);
    grid.SetFocusCellNotify(cell.row, cell.col);
    return true;
}

bool HasFocusCell(const CWaveGridCtrl& grid)
{
    const CCellID focus = grid.GetFocusCell();
    return focus.row != -1 && focus.col != -1;
}

} // namespace

void CRightReconciliationPage::SelectQuestionRow(int row, int col)
{
    SelectRow(*m_gridQuestions, row, col);
}

void CRightReconciliationPage::SelectResponseRow(int row, int col)
{
    SelectRow(*m_gridResponses, row, col);
}

bool CRightReconciliationPage::RestoreResponseCell(const CCellID& cell)
{
    return RestoreCell(*m_gridResponses, cell);
}

void CRightReconciliationPage::SelectCampaignQuestion(int questionId)
{
    const int row = m_questionRows.GetFirstRow(questionId);
    if (row != kNoRow)
        SelectQuestionRow(row, QColShortcut);
}

long CRightReconciliationPage::GetFocusedResponseId() const
{
    const long id = m_responseRows.GetId(m_gridResponses->GetFocusCell().row);
    return id > 0 ? id : -1;
}

bool CRightReconciliationPage::HasQuestionFocusCell() const
{
    return HasFocusCell(*m_gridQuestions);
}

bool CRightReconciliationPage::HasResponseFocusCell() const
{
    return HasFocusCell(*m_gridResponses);
}

void CRightReconciliationPage::OnResponseSelChanged(int row)
{
    if (row == m_responseRows.GetCurrentRow())
        return;
    m_responseRows.SetCurrentRow(row);
    if (row != -1)
        m_overviewResponses->EnsureMarkerOnRow(unsigned(row - m_gridResponses->GetFixedRowCount()));
}

void CRightReconciliationPage::OnOverviewClick(const CReconRows& rows, int index, int codeColumn)
{
    if (index < 0)
        return;
    CWaveGridCtrl& grid = rows.GetGrid();
    const int row = grid.GetFixedRowCount() + index;
    const CCellID focus = grid.GetFocusCell();
    if (row == focus.row)
        return;
    SelectRow(grid, row, focus.col >= 0 ? focus.col : codeColumn);
    grid.setFocus(Qt::OtherFocusReason);
}

// Navigation between difference rows ----------------------------------------------------------

bool CRightReconciliationPage::RowHasDifferences(int row) const
{
    const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
    const long questionId = m_questionRows.GetId(row);
    if (!entry || questionId == kNoId)
        return false;
    const long volumeId = m_questionRows.GetVolumeId(row);
    return entry->GetQuestionDiffs().Count({questionId, volumeId}) > 0;
}

int CRightReconciliationPage::FindFirstDifferenceRow() const
{
    return FindNextDifferenceRow(m_gridQuestions->GetFixedRowCount() - 1);
}

int CRightReconciliationPage::FindLastDifferenceRow() const
{
    return FindPrevDifferenceRow(m_gridQuestions->GetRowCount());
}

int CRightReconciliationPage::FindNextDifferenceRow(int row) const
{
    for (int next = std::max(row + 1, m_gridQuestions->GetFixedRowCount());
         next < m_gridQuestions->GetRowCount(); ++next)
        if (RowHasDifferences(next))
            return next;
    return -1;
}

int CRightReconciliationPage::FindPrevDifferenceRow(int row) const
{
    for (int previous = std::min(row, m_gridQuestions->GetRowCount()) - 1;
         previous >= m_gridQuestions->GetFixedRowCount(); --previous)
        if (RowHasDifferences(previous))
            return previous;
    return -1;
}

void CRightReconciliationPage::GoToDifference(unsigned id)
{
    const int focus = m_gridQuestions->GetFocusCell().row;
    int row = -1;
    switch (id) {
    case ID_FIRST_DIFFERENCE:
        row = FindFirstDifferenceRow();
        break;
    case ID_LAST_DIFFERENCE:
        row = FindLastDifferenceRow();
        break;
    case ID_NEXT_DIFFERENCE:
        row = FindNextDifferenceRow(focus);
        break;
    case ID_PREVIOUS_DIFFERENCE:
        row = FindPrevDifferenceRow(focus);
        break;
    default:
        break;
    }
    if (row >= 0)
        SelectQuestionRow(row, QColShortcut);
}

// Edit commands -------------------------------------------------------------------------------

CWaveGridCtrl* CRightReconciliationPage::FocusedGrid() const
{
    QWidget* focus = QApplication::focusWidget();
    for (CWaveGridCtrl* grid : {m_gridQuestions, m_gridResponses})
        if (focus && (focus == grid || focus == grid->viewport()))
            return grid;
    return nullptr;
}

void CRightReconciliationPage::RegisterSelectionCommands()
{
    for (unsigned id :
         {ID_FIRST_DIFFERENCE, ID_LAST_DIFFERENCE, ID_NEXT_DIFFERENCE, ID_PREVIOUS_DIFFERENCE}) {
        AddCommand(
            id, [this, id] { GoToDifference(id); },
            [this, id](CCmdUI& ui) {
                if (!HasQuestionFocusCell()) {
                    ui.Enable(false);
                    return;
                }
                const int focus = m_gridQuestions->GetFocusCell().row;
                switch (id) {
                case ID_NEXT_DIFFERENCE:
                    ui.Enable(FindNextDifferenceRow(focus) >= 0);
                    break;
                case ID_PREVIOUS_DIFFERENCE:
                    ui.Enable(FindPrevDifferenceRow(focus) >= 0);
                    break;
                default:
                    ui.Enable(FindFirstDifferenceRow() >= 0);
                    break;
                }
            });
    }
    for (unsigned id : {ID_EDIT_COPY, ID_EDIT_SELECT_ALL}) {
        AddCommand(
            id,
            [this, id] {
                if (CWaveGridCtrl* grid = FocusedGrid())
                    grid->OnEditCommand(id);
            },
            [this, id](CCmdUI& ui) {
                const CWaveGridCtrl* grid = FocusedGrid();
                ui.Enable(grid && (id == ID_EDIT_SELECT_ALL || grid->GetSelectedCount() > 0));
            });
    }
}
