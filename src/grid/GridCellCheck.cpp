#include "grid/GridCellCheck.h"

#include "grid/GridCtrl.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

const CRuntimeClass CGridCellCheck::classCGridCellCheck = {
    "CGridCellCheck", &CGridCell::classCGridCell, &MakeCell<CGridCellCheck>};

bool CGridCellCheck::SetCheck(bool checked)
{
    const bool previous = m_bChecked;
    m_bChecked = checked;
    if (CGridCtrl* grid = GetGrid(); grid && !m_Rect.IsRectEmpty()) {
        CRect rect = m_Rect;
        rect.InflateRect(0, 0, 1, 1);
        grid->viewport()->update(rect.ToQRect());
    }
    return previous;
}

CRect CGridCellCheck::GetCheckPlacement() const
{
    const CGridCtrl* grid = GetGrid();
    const int size = grid ? grid->ScrollBarExtent() : 0;
    const int margin = int(GetMargin());
    return CRect(margin, margin, margin + size, margin + size);
}

bool CGridCellCheck::Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd)
{
    const bool drawn = CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
    m_Rect = rect;
    CGridCtrl* grid = GetGrid();
    if (!drawn || !grid || !painter || !IsShow())
        return drawn;
    CRect box = GetCheckPlacement();
    box.OffsetRect(rect.left, rect.top);
    QStyleOptionButton option;
    option.initFrom(grid);
    option.rect = box.ToQRect();
    option.state = QStyle::State_Enabled | (m_bChecked ? QStyle::State_On : QStyle::State_Off);
    grid->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, grid);
    return drawn;
}

bool CGridCellCheck::GetTextRect(CRect& rect)
{
    CGridCell::GetTextRect(rect);
    const CRect box = GetCheckPlacement();
    rect.left = std::min(rect.left + box.Width() + 2 * int(GetMargin()), rect.right);
    return true;
}

CSize CGridCellCheck::GetCellExtent(QPainter* painter)
{
    const int extra = GetCheckPlacement().Width() + 2 * int(GetMargin());
    const CSize size = CGridCell::GetCellExtent(painter);
    return CSize(size.cx + extra, size.cy + extra);
}

void CGridCellCheck::OnClick(CPoint pointCellRelative)
{
    if (GetCheckPlacement().PtInRect(pointCellRelative))
        SetCheck(!m_bChecked);
}
