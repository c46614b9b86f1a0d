#include "grid/GridCtrl.h"

#include "grid/InPlaceEditor.h"
#include "grid/TitleTip.h"
#include "menus/ContextMenuKey.h"
#include "platform/WindowServices.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <optional>

// ---- selection and focus --------------------------------------------------------------------

void CGridCtrl::ResetSelectedRange()
{
    SetSelectedRange(-1, -1, -1, -1, false, true);
}

void CGridCtrl::ClearSelection()
{
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

void CGridCtrl::SetSelectedRange(const CCellIDRange& range, bool bForceRepaint, bool bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 bool bForceRepaint, bool bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    // The visible range, taken when a cell is to be redrawn.
    std::optional<CCellIDRange> visibleRange;
    const auto isVisible = [&](int row, int col) {
        if (!visibleRange)
            visibleRange = GetVisibleNonFixedCellRange();
        return visibleRange->InRange(row, col);
    };

    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols)
        nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols)
        nMaxCol = m_nFixedCols;
    const CCellIDRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);

    if (bSelectCells) {
        // Every selected cell is deselected; those leaving the selection are redrawn.
        const CSelectedCells selected = m_SelectedCells.TakeAll();
        selected.ForEach([&](int row, int col) {
            if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col))
                cell->SetState(cell->GetState() & ~GVIS_SELECTED);
            if (!range.InRange(row, col) && isVisible(row, col))
                RedrawCell(row, col);
        });
        NotifyParent(nMaxRow, nMaxCol, GVN_SELCHANGED);
    }

    if (IsValid(range)) {
        for (int row = nMinRow; row <= nMaxRow; ++row) {
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                // The cell's bit (outside virtual mode) and the selected-cell set change
                // together.
                CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col);
                const bool selected =
                    cell ? cell->IsSelected() : m_SelectedCells.Contains(row, col);
                if (selected == bSelectCells)
                    continue;
                if (cell) {
                    const unsigned state = cell->GetState();
                    cell->SetState(bSelectCells ? state | GVIS_SELECTED : state & ~GVIS_SELECTED);
                }
                if (bSelectCells)
                    m_SelectedCells.Insert(row, col);
                else
                    m_SelectedCells.Erase(row, col);
                if (IsCellFixed(row, col) || isVisible(row, col))
                    RedrawCell(row, col);
            }
        }
    }
}

CCellIDRange CGridCtrl::GetSelectedRange() const
{
    if (m_SelectedCells.Empty())
        return CCellIDRange(m_nRows, m_nCols, -1, -1);
    return m_SelectedCells.Bounds();
}

void CGridCtrl::RedrawFixedOfFocus(const CCellID& focus, const CCellID& other)
{
    if (!m_bTrackFocusCell)
        return;
    if (focus.col != other.col)
        for (int row = 0; row < m_nFixedRows; ++row)
            RedrawCell(row, focus.col);
    if (focus.row != other.row)
        for (int col = 0; col < m_nFixedCols; ++col)
            RedrawCell(focus.row, col);
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_idCurrentCell)
        return m_idCurrentCell;
    const CCellID previous = m_idCurrentCell;
    if (cell.row != -1 && cell.row < m_nFixedRows)
        cell.row = m_nFixedRows;
    if (cell.col != -1 && cell.col < m_nFixedCols)
        cell.col = m_nFixedCols;
    m_idCurrentCell = cell;

    if (IsValid(previous)) {
        SetCellState(previous.row, previous.col,
                     GetCellState(previous.row, previous.col) & ~GVIS_FOCUSED);
        RedrawCell(previous.row, previous.col);
        RedrawFixedOfFocus(previous, m_idCurrentCell);
    }
    if (IsValid(m_idCurrentCell)) {
        SetCellState(m_idCurrentCell.row, m_idCurrentCell.col,
                     GetCellState(m_idCurrentCell.row, m_idCurrentCell.col) | GVIS_FOCUSED);
        RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
        RedrawFixedOfFocus(m_idCurrentCell, previous);
    }
    return previous;
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, false, true);
}

void CGridCtrl::SelectColumnsTo(CCellID currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell))
        return;
    if (m_bSingleColSelection)
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col),
                         m_nRows - 1, std::max(m_SelectionStartCell.col, currentCell.col),
                         bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRowsTo(CCellID currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell))
        return;
    if (GetSingleRowSelection())
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1,
                         bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectCellsTo(CCellID currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < m_nFixedRows ||
        currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(currentCell.row, currentCell.col, currentCell.row, currentCell.col,
                     bForceRedraw, bSelectCells);
}

void CGridCtrl::ExtendSelection(CCellID currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumnsTo(currentCell, false);
        break;
    case MOUSE_SELECT_ROW:
        SelectRowsTo(currentCell, false);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCellsTo(currentCell, false);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnClickFixedColumn(const CCellID& cell)
{
    if (!IsValid(cell) || !m_bFixedColumnSelection)
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    ExtendSelection(cell);
}

void CGridCtrl::OnClickFixedRow(const CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        const CWaitCursor wait;
        // The sorted column again turns the order round; another column starts ascending.
        SortByColumn(cell.col, cell.col == m_nSortColumn ? !m_bAscending : true, 0);
        Refresh();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        ExtendSelection(cell);
    }
}

void CGridCtrl::OnEditSelectAll()
{
    NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
    SelectAllCells();
    NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
}

// ---- title tip ------------------------------------------------------------------------------

void CGridCtrl::ShowTitleTip(const CCellID& cell, const CRect& textRect, const QString& text)
{
    const CGridCellBase* object = GetCell(cell.row, cell.col);
    CRect cellRect;
    if (!object || !GetCellRect(cell.row, cell.col, cellRect))
        return;
    if (!m_pTitleTip)
        m_pTitleTip = new CTitleTip(viewport());
    m_pTitleTip->Show(textRect, text, 0, &cellRect, object->GetFont(), m_crTTipTextClr,
                      m_crTTipBackClr);
}

void CGridCtrl::HideTitleTip()
{
    if (m_pTitleTip)
        m_pTitleTip->Hide();
}

// ---- mouse ----------------------------------------------------------------------------------

bool CGridCtrl::MouseOverColumnResizeArea(CPoint point) const
{
    if (point.y >= GetFixedRowsHeight() || point.y < 0)
        return false;
    const CCellID cell = GetCellFromPoint(point);
    CPoint start;
    if (!GetCellOrigin(cell.row, cell.col, start))
        return false;
    const int endX = start.x + GetMergedWidth(cell.row, cell.col);
    return (point.x - start.x < m_nResizeCaptureRange && cell.col != 0) ||
           endX - point.x < m_nResizeCaptureRange;
}

bool CGridCtrl::MouseOverRowResizeArea(CPoint point) const
{
    if (point.x >= GetFixedColumnsWidth() || point.x < 0)
        return false;
    const CCellID cell = GetCellFromPoint(point);
    CPoint start;
    if (!GetCellOrigin(cell.row, cell.col, start))
        return false;
    const int endY = start.y + GetMergedHeight(cell.row, cell.col);
    return (point.y - start.y < m_nResizeCaptureRange && cell.row != 0) ||
           endY - point.y < m_nResizeCaptureRange;
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    // A window system may tell that the pointer left for the tip shown under it: the tip stays
    // while the pointer is over its cell.
    const bool leftForTip =
        event->type() == QEvent::Leave && m_pTitleTip && m_pTitleTip->IsPointerOverHoverRect();
    if ((event->type() == QEvent::Leave && !leftForTip) ||
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        HideTitleTip();
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            m_bRMouseButtonDown = true;
            return true;
        }
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(CPoint(event->position().toPoint()), event->modifiers());
    event->accept();
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(CPoint(event->position().toPoint()), event->buttons());
    event->accept();
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(CPoint(event->position().toPoint()));
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(CPoint(event->position().toPoint()));
    event->accept();
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(CPoint(event->position().toPoint()));
    event->accept();
}

void CGridCtrl::OnLButtonDown(CPoint point, Qt::KeyboardModifiers modifiers)
{
    setFocus(Qt::MouseFocusReason);
    m_bLMouseButtonDown = true;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPoint(point);
    if (!IsValid(m_LeftClickDownCell))
        return;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (!shift)
        m_SelectionStartCell = m_LeftClickDownCell;
    else if (!IsValid(m_SelectionStartCell))
        m_SelectionStartCell = m_idCurrentCell;

    StopEditing();

    bool inTextArea = false;
    if (CGridCellBase* cell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        cell->OnClickDown(GetPointInCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));
        CRect rect;
        if (GetCellRect(m_LeftClickDownCell.row, m_LeftClickDownCell.col, rect)) {
            CRect textRect = rect;
            cell->GetTextRect(textRect);
            // The text area: the text rectangle within the cell, right and bottom included.
            textRect.InflateRect(0, 0, 1, 1);
            inTextArea = textRect.PtInRect(point);
        }
    }

    if (m_LeftClickDownCell == m_idCurrentCell && !ctrl && inTextArea &&
        IsCellEditable(m_LeftClickDownCell)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }
    if (!IsCellSelected(m_LeftClickDownCell)) {
        if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
            if (IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
                SetFocusCell(-1, -1);
            else
                SetFocusCell(m_LeftClickDownCell);
        }
    } else if (ctrl) {
        SetFocusCell(m_LeftClickDownCell);
        if (m_bListMode)
            SelectRowsTo(m_LeftClickDownCell, true, false);
        else
            SelectCellsTo(m_LeftClickDownCell, true, false);
        return;
    } else if (m_bAllowDragAndDrop) {
        m_MouseMode = MOUSE_PREPARE_DRAG;
    }

    // Qt keeps the mouse with the viewport while the button is down.

    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            viewport()->setCursor(Qt::SizeHorCursor);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            viewport()->setCursor(Qt::SizeVerCursor);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        StartSizing(point, m_MouseMode == MOUSE_OVER_COL_DIVIDE);
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnClickFixedRow(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnClickFixedColumn(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            ExtendSelection(m_LeftClickDownCell);
            StartAutoScroll();
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::StartSizing(CPoint point, bool columns)
{
    m_MouseMode = columns ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;
    const CGridAxis& axis = columns ? m_arColWidths : m_arRowHeights;
    const int along = columns ? point.x : point.y;
    CRect visible;
    GetVisibleNonFixedCellRange(&visible);
    const int last = axis.GetCount() - 1;
    // The divider at the left or top edge of the clicked cell sizes the one before it.
    int sized = columns ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    CPoint start;
    if (GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, start) &&
        along - (columns ? start.x : start.y) < m_nResizeCaptureRange)
        sized = std::max(0, sized - 1);
    const int visibleEnd = columns ? visible.right : visible.bottom;
    const bool lastBorder = axis.GetSize(last) < m_nResizeCaptureRange &&
                            std::abs(along - visibleEnd) < m_nResizeCaptureRange;
    if (lastBorder) {
        sized = last;
    } else if (!(columns ? m_bHiddenColUnhide : m_bHiddenRowUnhide)) {
        // A hidden column or row is not widened again: size the visible one before it.
        while (sized > 0 && axis.GetSize(sized) == 0)
            --sized;
        if (axis.GetSize(sized) == 0) {
            m_MouseMode = MOUSE_NOTHING;
            return;
        }
    }
    m_nSizingIndex = sized;
    m_bTracking = true;
    const CRect client = GetClientRect();
    m_TrackBand = columns ? CRect(point.x, client.top, point.x + 2, client.bottom)
                          : CRect(client.left, point.y, client.right, point.y + 2);
    viewport()->update();
}

void CGridCtrl::OnMouseMove(CPoint point, Qt::MouseButtons buttons)
{
    if (m_pTitleTip)
        m_pTitleTip->OnMouseMove(point);
    const CRect client = GetClientRect();
    if (m_MouseMode != MOUSE_DRAGGING && !client.PtInRect(point)) {
        // Outside the client area only the last point is kept, for the auto-scroll tick.
        if (m_bLMouseButtonDown)
            m_LastMousePoint = point;
        return;
    }
    const bool leftDown = buttons & Qt::LeftButton;
    if (!leftDown || m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
                viewport()->setCursor(Qt::SizeHorCursor);
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
                viewport()->setCursor(Qt::SizeVerCursor);
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
            }
        } else if (m_MouseMode != MOUSE_NOTHING) {
            viewport()->setCursor(Qt::ArrowCursor);
            m_MouseMode = MOUSE_NOTHING;
        }
        if (m_MouseMode == MOUSE_NOTHING) {
            if (!m_bVirtualMode || m_bTitleTips) {
                const CCellID id = GetCellFromPoint(point);
                CGridCellBase* cell = IsValid(id) ? GetCell(id.row, id.col) : nullptr;
                if (!cell) {
                    NotifyParent(-1, -1, GVN_HOVER);
                } else {
                    cell->OnMouseOver();
                    NotifyParent(id.row, id.col, GVN_HOVER);
                    if (!m_bVirtualMode)
                        cell->OnSetCursor(viewport());
                }
                // The tip is told the room the text is drawn in, so that every text drawn cut
                // gets one, and no text drawn whole.
                CRect textRect;
                if (m_bTitleTips && cell && !m_bRMouseButtonDown && !cell->IsEditing() &&
                    !cell->GetTipText().isEmpty() &&
                    GetCellTextRoom(id.row, id.col, textRect, true))
                    ShowTitleTip(id, textRect, cell->GetTipText());
            }
        }
        m_LastMousePoint = point;
        return;
    }

    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        break;
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        const CCellID id = GetCellFromPoint(point);
        if (!IsValid(id))
            return;
        if (id != m_idCurrentCell) {
            ExtendSelection(id);
            if (!IsCellFixed(id.row, id.col) || m_MouseMode == MOUSE_SELECT_COL ||
                m_MouseMode == MOUSE_SELECT_ROW)
                SetFocusCell(id);
        }
        break;
    }
    case MOUSE_SIZING_ROW:
        viewport()->update(m_TrackBand.ToQRect());
        m_TrackBand = CRect(client.left, point.y, client.right, point.y + 2);
        viewport()->update(m_TrackBand.ToQRect());
        break;
    case MOUSE_SIZING_COL:
        viewport()->update(m_TrackBand.ToQRect());
        m_TrackBand = CRect(point.x, client.top, point.x + 2, client.bottom);
        viewport()->update(m_TrackBand.ToQRect());
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        StartDrag();
        break;
    default:
        break;
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(CPoint point)
{
    m_bLMouseButtonDown = false;
    StopAutoScroll();

    if (m_MouseMode == MOUSE_PREPARE_EDIT) {
        const CPoint relative = GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point);
        StartCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, relative, 1 /* VK_LBUTTON */);
    } else if (m_MouseMode == MOUSE_PREPARE_DRAG) {
        if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            cell->OnClick(GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point));
        NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
        ClearSelection();
        NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
    } else if (m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW) {
        const bool columns = m_MouseMode == MOUSE_SIZING_COL;
        m_bTracking = false;
        viewport()->update(m_TrackBand.ToQRect());
        if (point != m_LeftClickDownPoint && point != CPoint(0, 0)) {
            const CCellID owner = columns ? CCellID(m_LeftClickDownCell.row, m_nSizingIndex)
                                          : CCellID(m_nSizingIndex, m_LeftClickDownCell.col);
            const CCellID sized = GetMergedOwner(owner.row, owner.col);
            CRect start;
            if (GetCellRect(sized.row, sized.col, start)) {
                if (columns) {
                    int width = point.x - start.left;
                    width = std::max(width, m_bAllowColHide ? 0 : 1);
                    const int extra =
                        GetMergedWidth(sized.row, sized.col) - GetColumnWidth(sized.col);
                    SetColumnWidth(sized.col, std::max(0, width - extra));
                } else {
                    int height = point.y - start.top;
                    height = std::max(height, m_bAllowRowHide ? 0 : 1);
                    const int extra =
                        GetMergedHeight(sized.row, sized.col) - GetRowHeight(sized.row);
                    SetRowHeight(sized.row, std::max(0, height - extra));
                }
                ResetScrollBars();
                Refresh();
            }
        }
    } else {
        NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
        if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            cell->OnClick(GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point));
        NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
    }

    m_MouseMode = MOUSE_NOTHING;
    viewport()->setCursor(Qt::ArrowCursor);
    if (IsValid(m_LeftClickDownCell))
        Q_EMIT GridCommand(m_nCtrlID);
}

void CGridCtrl::OnLButtonDblClk(CPoint point)
{
    const CCellID cell = GetCellFromPoint(point);
    if (!IsValid(cell))
        return;
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool columns = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        CPoint start;
        GetCellOrigin(cell.row, cell.col, start);
        int index = columns ? cell.col : cell.row;
        const int offset = columns ? point.x - start.x : point.y - start.y;
        if (offset < m_nResizeCaptureRange)
            --index;
        const CGridAxis& axis = columns ? m_arColWidths : m_arRowHeights;
        while (index >= 0 && axis.GetSize(index) == 0)
            --index;
        if (index < 0)
            return;
        if (columns)
            FitColumnWidth(index, m_nAutoSizeColumnStyle, true);
        else
            FitRowHeight(index, true);
        Refresh();
        return;
    }
    if (m_MouseMode != MOUSE_NOTHING)
        return;
    const CPoint relative = GetPointInCell(cell.row, cell.col, point);
    bool inText = false;
    if (CGridCellBase* object = GetCell(cell.row, cell.col)) {
        CRect rect;
        if (GetCellRect(cell.row, cell.col, rect)) {
            object->GetTextRect(rect);
            rect.InflateRect(0, 0, 1, 1);
            inText = rect.PtInRect(point);
        }
    }
    if (!IsCellFixed(cell.row, cell.col) && inText && (IsValid(m_LeftClickDownCell) || m_bListMode))
        StartCellEdit(cell.row, cell.col, relative, 1 /* VK_LBUTTON */);
    if (CGridCellBase* object = GetCell(cell.row, cell.col))
        object->OnDblClick(relative);
    NotifyParent(cell.row, cell.col, NM_DBLCLK);
}

void CGridCtrl::OnRButtonUp(CPoint point)
{
    m_bRMouseButtonDown = false;
    StopEditing();
    const CCellID cell = GetCellFromPoint(point);
    if (!IsValid(cell)) {
        NotifyParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
    if (CGridCellBase* object = GetCell(cell.row, cell.col))
        object->OnRClick(GetPointInCell(cell.row, cell.col, point));
    NotifyParent(cell.row, cell.col, NM_RCLICK);
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    event->accept();
    OnContextMenuKey();
}

void CGridCtrl::OnContextMenuKey()
{
    StopEditing();
    const CCellID cell = m_idCurrentCell;
    if (!IsValid(cell))
        return;
    EnsureVisible(cell.row, cell.col);
    CRect rect;
    QPoint at = viewport()->rect().center();
    if (GetCellRect(cell.row, cell.col, rect))
        at = viewport()->rect().intersected(rect.ToQRect()).center();
    m_keyboardMenuPos = viewport()->mapToGlobal(at);
    NotifyParent(cell.row, cell.col, NM_RCLICK);
    m_keyboardMenuPos.reset();
}

QPoint CGridCtrl::GetContextMenuPos() const
{
    return m_keyboardMenuPos.value_or(QCursor::pos());
}

// ---- keyboard -------------------------------------------------------------------------------

bool CGridCtrl::focusNextPrevChild(bool next)
{
    // The grid keeps Tab for moving between cells while it handles the key.
    if (m_bHandleTabKey && IsValid(m_idCurrentCell))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    HideTitleTip();
    if (IsContextMenuKey(*event)) {
        OnContextMenuKey();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (OnKeyDown(event->key(), modifiers)) {
        event->accept();
        return;
    }
    // The characters that start an edit: printable ones, and Backspace, Enter and Tab (as the
    // editor's first key).
    QString text = event->text();
    if (text.isEmpty() && event->key() == Qt::Key_Backspace)
        text = QStringLiteral("\b");
    else if (text.isEmpty() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        text = QStringLiteral("\r");
    const QChar first = text.isEmpty() ? QChar() : text.at(0);
    if (first.isPrint() || first == u'\b' || first == u'\r' || first == u'\t') {
        OnChar(text, modifiers);
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event)
{
    // A character composed by an input method starts an edit as a typed one does.
    if (!event->commitString().isEmpty())
        OnChar(event->commitString(), QApplication::keyboardModifiers());
    event->accept();
}

void CGridCtrl::OnChar(const QString& text, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier || m_MouseMode != MOUSE_NOTHING || text.isEmpty())
        return;
    const char16_t ch = text.at(0).unicode();
    if (ch == 0x1B || (m_bHandleTabKey && ch == '\t'))
        return;
    // A character that shares its code with a navigation key is marked as typed.
    const unsigned key = IsNavigationKey(ch) ? ch | FIRSTKEY_TYPED : ch;
    StartCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key);
}

bool CGridCtrl::OnKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (!IsValid(m_idCurrentCell))
        return false;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    CCellID next = m_idCurrentCell;
    bool changeLine = false;

    if (ctrl) {
        switch (key) {
        case Qt::Key_A:
            OnEditSelectAll();
            break;
        case Qt::Key_X:
            OnEditCut();
            break;
        case Qt::Key_C:
        case Qt::Key_Insert:
            OnEditCopy();
            break;
        case Qt::Key_V:
            OnEditPaste();
            break;
        default:
            break;
        }
    } else if (shift && key == Qt::Key_Insert) {
        OnEditPaste();
    }

    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool backTab = key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift);

    if (key == Qt::Key_Delete) {
        ClearSelectedText();
    } else if (key == Qt::Key_Down) {
        const int row = m_arRowHeights.NextNonZero(next.row, m_nRows - 1);
        if (row >= 0)
            next.row = row;
    } else if (key == Qt::Key_Up) {
        const int row = m_arRowHeights.PreviousNonZero(next.row, m_nFixedRows);
        if (row >= 0)
            next.row = row;
    } else if ((key == Qt::Key_Right || tab) && !backTab) {
        if (tab && !m_bHandleTabKey)
            return false;
        const int col = m_arColWidths.NextNonZero(next.col, m_nCols - 1);
        if (col >= 0) {
            next.col = col;
        } else if (tab) {
            const int row = m_arRowHeights.NextNonZero(next.row, m_nRows - 1);
            if (row < 0)
                return false;
            const int first = m_arColWidths.NextNonZero(m_nFixedCols - 1, m_nCols - 1);
            next = CCellID(row, first >= 0 ? first : m_nFixedCols);
            changeLine = true;
        }
    } else if (key == Qt::Key_Left || backTab) {
        if (tab && !m_bHandleTabKey)
            return false;
        const int col = m_arColWidths.PreviousNonZero(next.col, m_nFixedCols);
        if (col >= 0) {
            next.col = col;
        } else if (tab) {
            if (next.row <= m_nFixedRows)
                return false;
            const int row = m_arRowHeights.PreviousNonZero(next.row, m_nFixedRows);
            if (row < 0)
                return false;
            next = CCellID(row, m_nCols - 1);
            changeLine = true;
        }
    } else if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
        const CCellID oldTopLeft = GetTopLeftNonFixedCell();
        OnVScroll(key == Qt::Key_PageDown ? SB_PAGEDOWN : SB_PAGEUP);
        const CCellID newTopLeft = GetTopLeftNonFixedCell();
        const int moved = newTopLeft.row - oldTopLeft.row;
        if (key == Qt::Key_PageDown)
            next.row = moved != 0 ? std::min(m_nRows - 1, next.row + moved) : m_nRows - 1;
        else
            next.row = moved != 0 ? std::max(m_nFixedRows, next.row + moved) : m_nFixedRows;
    } else if (key == Qt::Key_Home) {
        OnHScroll(SB_LEFT);
        next.col = m_nFixedCols;
        if (ctrl) {
            OnVScroll(SB_TOP);
            next.row = m_nFixedRows;
        }
        while (next.col < m_nCols - 1 && GetColumnWidth(next.col) == 0)
            ++next.col;
        while (next.row < m_nRows - 1 && GetRowHeight(next.row) == 0)
            ++next.row;
    } else if (key == Qt::Key_End) {
        OnHScroll(SB_RIGHT);
        next.col = m_nCols - 1;
        if (ctrl) {
            OnVScroll(SB_BOTTOM);
            next.row = m_nRows - 1;
        }
        while (next.col > m_nFixedCols + 1 && GetColumnWidth(next.col) == 0)
            --next.col;
        while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) == 0)
            --next.row;
    } else if (key == Qt::Key_F2) {
        StartCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), 1);
    } else {
        return ctrl && (key == Qt::Key_A || key == Qt::Key_X || key == Qt::Key_C ||
                        key == Qt::Key_V || key == Qt::Key_Insert);
    }

    if (next != m_idCurrentCell) {
        if (m_MouseMode == MOUSE_NOTHING) {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            if (!shift || tab)
                m_SelectionStartCell = next;
            NotifyParent(next.row, next.col, GVN_SELCHANGING);
            ExtendSelection(next);
            NotifyParent(next.row, next.col, GVN_SELCHANGED);
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next.row, next.col)) {
            if (tab && changeLine) {
                OnVScroll(backTab ? SB_LINEUP : SB_LINEDOWN);
                SetScrollPos32(SB_HORZ, backTab ? horizontalScrollBar()->maximum() : 0);
            } else if (tab) {
                OnHScroll(backTab ? SB_LINELEFT : SB_LINERIGHT);
            } else if (key == Qt::Key_Left) {
                OnHScroll(SB_LINELEFT);
            } else if (key == Qt::Key_Right) {
                OnHScroll(SB_LINERIGHT);
            } else if (key == Qt::Key_Up) {
                OnVScroll(SB_LINEUP);
            } else if (key == Qt::Key_Down) {
                OnVScroll(SB_LINEDOWN);
            }
            EnsureVisible(next.row, next.col);
            Refresh();
        }
        EnsureVisible(next.row, next.col);
    }
    return true;
}
