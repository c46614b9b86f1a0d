#include "grid/GridCellCombo.h"

#include "grid/GridCtrl.h"
#include "grid/InPlaceList.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

const CRuntimeClass CGridCellCombo::classCGridCellCombo = {
    "CGridCellCombo", &CGridCell::classCGridCell, &MakeCell<CGridCellCombo>};
const CRuntimeClass CGridCellCheckCombo::classCGridCellCheckCombo = {
    "CGridCellCheckCombo", &CGridCellCombo::classCGridCellCombo, &MakeCell<CGridCellCheckCombo>};

bool CGridCellCombo::Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd)
{
    CGridCtrl* grid = GetGrid();
    if (IsEditing()) {
        // The open editor shows the text.
        const QString text = m_strText;
        m_strText.clear();
        const bool drawn = CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
        m_strText = text;
        return drawn;
    }
    // A drop button at the right, as wide as a scroll bar, when the cell is large enough for it.
    // It takes the cell's height, so that it looks like the button of a drop-down list.
    const int extent = grid ? grid->ScrollBarExtent() : 0;
    const bool button =
        grid && grid->IsCellEditable(row, col) && extent < rect.Width() && extent < rect.Height();
    const CRect buttonRect(rect.right + 1 - extent, rect.top, rect.right + 1, rect.bottom + 1);
    m_nButtonLeft = button ? buttonRect.left : -1;
    const bool drawn = CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
    m_nButtonLeft = -1;
    if (drawn && button && painter) {
        QStyle* style = grid->style();
        QStyleOptionButton panel;
        panel.initFrom(grid);
        panel.rect = buttonRect.ToQRect();
        panel.state = QStyle::State_Enabled | QStyle::State_Raised;
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, painter, grid);
        QStyleOption arrow = panel;
        const int side = std::min(panel.rect.width(), panel.rect.height()) - 4;
        arrow.rect = QRect(0, 0, side, side);
        arrow.rect.moveCenter(panel.rect.center());
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, grid);
    }
    return drawn;
}

bool CGridCellCombo::GetTextRect(CRect& rect)
{
    CGridCell::GetTextRect(rect);
    if (m_nButtonLeft >= 0 && rect.right > m_nButtonLeft)
        rect.right = m_nButtonLeft;
    return true;
}

CSize CGridCellCombo::GetCellExtent(QPainter* painter)
{
    CSize size = CGridCell::GetCellExtent(painter);
    if (const CGridCtrl* grid = GetGrid()) {
        size.cx += grid->ScrollBarExtent();
        size.cy += grid->ScrollBarExtent();
    }
    return size;
}

bool CGridCellCombo::Edit(int row, int col, CRect rect, CPoint, unsigned id, unsigned)
{
    if (IsEditing())
        return true;
    if (!m_pGrid)
        return false;
    m_bEditing = true;
    m_pEditWnd = MakeList(row, col, rect, id);
    return true;
}

CInPlaceList* CGridCellCombo::MakeList(int row, int col, CRect rect, unsigned id)
{
    return new CInPlaceList(m_pGrid, rect, m_dwStyle, id, row, col, m_Strings, GetText(), 0);
}

CInPlaceList* CGridCellCheckCombo::MakeList(int row, int col, CRect rect, unsigned id)
{
    return new CInPlaceCheckList(m_pGrid, rect, m_dwStyle, id, row, col, m_Strings, GetText(), 0);
}
