#include "grid/GridCtrl.h"

#include "grid/InPlaceEdit.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <typeinfo>

// ---- clipboard ------------------------------------------------------------------------------

void CGridCtrl::ClearSelectedText()
{
    if (!IsEditable())
        return;
    // Only the cells shown: a hidden cell is never copied, so cutting it would lose its text.
    std::vector<CCellID> cells;
    m_SelectedCells.ForEach([&](int row, int col) {
        if (GetRowHeight(row) != 0 && GetColumnWidth(col) != 0)
            cells.emplace_back(row, col);
    });
    for (const CCellID& cell : cells)
        ModifyCellText(cell.row, cell.col, QString());
}

std::unique_ptr<QMimeData> CGridCtrl::CopySelectionToDataSource()
{
    const CCellIDRange range = GetSelectedRange();
    if (!IsValid(range))
        return nullptr;
    if (m_bVirtualMode)
        SendCacheHint(range);

    // A TAB only between the columns written and a line feed only between the rows written, so
    // that the text pasted back fills exactly the cells it came from.
    std::vector<int> columns;
    for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col)
        if (GetColumnWidth(col) != 0)
            columns.push_back(col);
    QString text;
    bool firstLine = true;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        if (GetRowHeight(row) == 0)
            continue;
        if (!firstLine)
            text += QLatin1Char('\n');
        firstLine = false;
        bool firstColumn = true;
        for (const int col : columns) {
            if (!firstColumn)
                text += QLatin1Char('\t');
            firstColumn = false;
            const CGridCellBase* cell = GetCell(row, col);
            if (!cell || !cell->IsSelected())
                continue;
            // A plain text cell's text is read in place; any other cell class may make its text.
            if (typeid(*cell) == typeid(CGridCell))
                text += static_cast<const CGridCell*>(cell)->GetStoredText();
            else
                text += cell->GetText();
        }
    }

    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange());
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

bool CGridCtrl::PasteFromDataObject(const CCellID& target, const QMimeData* data,
                                    bool bSelectPasted)
{
    if (!IsValid(target) || !IsCellEditable(target) || !data || !data->hasText())
        return false;
    QString text = data->text();
    // A line end after the last line ends it; it starts no empty line below.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList lines = text.split(QLatin1Char('\n'));

    CCellIDRange pasted(target.row, target.col, -1, -1);
    int row = target.row;
    for (const QString& lineText : lines) {
        while (row < m_nRows && GetRowHeight(row) == 0)
            ++row;
        if (row >= m_nRows)
            break;
        QStringView line(lineText);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        int col = target.col;
        for (const QStringView piece : line.split(QLatin1Char('\t'))) {
            while (col < m_nCols && GetColumnWidth(col) == 0)
                ++col;
            if (col >= m_nCols)
                break;
            ModifyCellText(row, col, piece.toString());
            SetCellState(row, col, GetCellState(row, col) & ~GVIS_SELECTED);
            pasted.SetMaxRow(std::max(pasted.GetMaxRow(), row));
            pasted.SetMaxCol(std::max(pasted.GetMaxCol(), col));
            ++col;
        }
        ++row;
    }

    if (bSelectPasted) {
        SetSelectedRange(pasted, true);
    } else {
        ResetSelectedRange();
        Refresh();
    }
    return true;
}

void CGridCtrl::OnEditCopy()
{
    if (std::unique_ptr<QMimeData> data = CopySelectionToDataSource())
        QApplication::clipboard()->setMimeData(data.release());
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    std::unique_ptr<QMimeData> data = CopySelectionToDataSource();
    if (!data)
        return;
    QApplication::clipboard()->setMimeData(data.release());
    ClearSelectedText();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;
    CCellID target = GetSelectedRange().GetTopLeft();
    if (!IsValid(GetSelectedRange()))
        target = m_idCurrentCell;
    if (!IsValid(target))
        target = GetTopLeftNonFixedCell();
    if (!IsValid(target))
        return;

    // Into the open text editor of the cell, when there is one.
    if (const CGridCellBase* cell = GetCell(target.row, target.col); cell && cell->IsEditing()) {
        if (auto* edit = qobject_cast<QLineEdit*>(cell->GetEditWnd())) {
            edit->paste();
            return;
        }
    }
    PasteFromDataObject(target, QApplication::clipboard()->mimeData(), true);
}

bool CGridCtrl::IsEditCommandEnabled(unsigned id) const
{
    switch (id) {
    case ID_EDIT_COPY:
        return !m_SelectedCells.Empty();
    case ID_EDIT_CUT:
        return IsEditable() && !m_SelectedCells.Empty();
    case ID_EDIT_PASTE: {
        if (!IsValid(m_idCurrentCell) || !IsCellEditable(m_idCurrentCell))
            return false;
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return data && data->hasText();
    }
    case ID_EDIT_SELECT_ALL:
        return m_bEnableSelection;
    default:
        return false;
    }
}

bool CGridCtrl::OnEditCommand(unsigned id)
{
    switch (id) {
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_EDIT_CUT:
        OnEditCut();
        return true;
    case ID_EDIT_PASTE:
        OnEditPaste();
        return true;
    case ID_EDIT_SELECT_ALL:
        OnEditSelectAll();
        return true;
    default:
        return false;
    }
}

// ---- drag and drop --------------------------------------------------------------------------

std::unique_ptr<QMimeData> CGridCtrl::MakeDragDataSource()
{
    return CopySelectionToDataSource();
}

void CGridCtrl::StartDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    std::unique_ptr<QMimeData> data = MakeDragDataSource();
    if (!data)
        return;
    const CCellID topLeft = GetSelectedRange().GetTopLeft();
    NotifyParent(topLeft.row, topLeft.col, GVN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = false;
    const DROPEFFECT effect = DoDragDrop(std::move(data), DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The drag loop took the button's release: the drag ends here.
    m_MouseMode = MOUSE_NOTHING;
    if (effect & DROPEFFECT_MOVE)
        ClearSelectedText();
}

DROPEFFECT CGridCtrl::DoDragDrop(std::unique_ptr<QMimeData> data, DROPEFFECT allowed)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    Qt::DropActions actions;
    if (allowed & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (allowed & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    const Qt::DropAction action = drag->exec(actions, Qt::MoveAction);
    if (action == Qt::MoveAction)
        return DROPEFFECT_MOVE;
    if (action == Qt::CopyAction)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

DROPEFFECT CGridCtrl::OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                  CPoint point)
{
    if (!m_bAllowDragAndDrop || !data || !data->hasText())
        return DROPEFFECT_NONE;
    m_LastDragOverCell = GetCellFromPoint(point, false);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return DROPEFFECT_NONE;
    SetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                 GetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col) | GVIS_DROPHILITED);
    RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
    return DropEffectOf(keyState);
}

DROPEFFECT CGridCtrl::OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                 CPoint point)
{
    if (!m_bAllowDragAndDrop || !IsEditable() || !data || !data->hasText())
        return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPoint(point, false);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellID();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (cell != m_LastDragOverCell) {
        if (IsValid(m_LastDragOverCell)) {
            SetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                         GetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col) &
                             ~GVIS_DROPHILITED);
            RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
        }
        m_LastDragOverCell = cell;
        SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return DropEffectOf(keyState);
}

void CGridCtrl::OnDragLeave()
{
    if (!IsValid(m_LastDragOverCell))
        return;
    SetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                 GetCellState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GVIS_DROPHILITED);
    RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
}

bool CGridCtrl::OnDrop(const QMimeData* data, DROPEFFECT, CPoint)
{
    m_MouseMode = MOUSE_NOTHING;
    if (!m_bAllowDragAndDrop || !IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return false;
    OnDragLeave();
    return PasteFromDataObject(m_LastDragOverCell, data, false);
}

QPixmap CGridCtrl::MakeDragImage(QPoint* hotSpot)
{
    CRect rect;
    CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!cell || !GetCellRect(m_idCurrentCell.row, m_idCurrentCell.col, rect))
        return {};
    QPixmap picture(rect.Width(), rect.Height());
    picture.fill(ColorRefToQColor(m_cellDefault.GetBackColour()));
    {
        QPainter painter(&picture);
        // Drawn as a cell that is not selected.
        const unsigned state = cell->GetState();
        cell->SetState(state & ~GVIS_SELECTED);
        cell->Draw(&painter, m_idCurrentCell.row, m_idCurrentCell.col,
                   CRect(0, 0, rect.Width(), rect.Height()), false);
        cell->SetState(state);
    }
    if (hotSpot)
        *hotSpot = QPoint(rect.Width(), rect.Height());
    return picture;
}
