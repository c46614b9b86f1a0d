#include "grid/GridCtrl.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

// ---- geometry of the scrolled grid ----------------------------------------------------------

CRect CGridCtrl::GetClientRect() const
{
    FlushScrollBars();
    return CRect(viewport()->rect());
}

int CGridCtrl::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

int CGridCtrl::GetScrollPos32(int nBar, bool bGetTrackPos) const
{
    FlushScrollBars();
    const QScrollBar* bar = nBar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    if (!bar)
        return 0;
    return bGetTrackPos ? bar->sliderPosition() : bar->value();
}

bool CGridCtrl::SetScrollPos32(int nBar, int nPos, bool bRedraw)
{
    FlushScrollBars();
    ForgetTopLeft();
    QScrollBar* bar = nBar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    if (!bar)
        return false;
    bar->setValue(nPos);
    return true;
}

namespace {
// The first index of the non-fixed part whose span starts at or after the scroll position.
int TopLeftIndex(const CGridAxis& axis, int fixed, int position)
{
    const int count = axis.GetCount();
    if (fixed >= count)
        return fixed;
    return axis.FirstAtOrAfter(axis.Offset(fixed) + position, fixed, count - 1);
}
} // namespace

CCellID CGridCtrl::GetTopLeftNonFixedCell(bool bForceRecalculation) const
{
    if (m_idTopLeftCell.row == -1 || bForceRecalculation) {
        m_idTopLeftCell.col = TopLeftIndex(m_arColWidths, m_nFixedCols, GetScrollPos32(SB_HORZ));
        m_idTopLeftCell.row = TopLeftIndex(m_arRowHeights, m_nFixedRows, GetScrollPos32(SB_VERT));
    }
    return m_idTopLeftCell;
}

namespace {
// The last index shown from the first one on, and where the shown part ends, for an area that
// starts at start and ends at end (client pixels).
std::pair<int, int> LastVisible(const CGridAxis& axis, int first, int start, int end)
{
    const int count = axis.GetCount();
    if (first >= count)
        return {count - 1, start};
    const long long base = axis.Offset(first);
    const long long target = base + (end - start);
    if (axis.Offset(count) < target)
        return {count - 1, int(start + axis.Offset(count) - base)};
    // The first index whose end reaches the target.
    const int last = axis.FirstAtOrAfter(target, first + 1, count) - 1;
    return {last, end};
}
} // namespace

CCellIDRange CGridCtrl::GetVisibleNonFixedCellRange(CRect* pRect, bool bForceRecalculation) const
{
    const CRect client = GetClientRect();
    const CCellID topLeft = GetTopLeftNonFixedCell(bForceRecalculation);
    const auto [maxRow, bottom] =
        LastVisible(m_arRowHeights, topLeft.row, GetFixedRowsHeight(), client.bottom);
    const auto [maxCol, right] =
        LastVisible(m_arColWidths, topLeft.col, GetFixedColumnsWidth(), client.right);
    if (pRect)
        *pRect = CRect(0, 0, right, bottom);
    return CCellIDRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

bool CGridCtrl::GetCellOrigin(int nRow, int nCol, CPoint& point) const
{
    if (!IsValid(nRow, nCol))
        return false;
    const CCellID topLeft = GetTopLeftNonFixedCell();
    if (nCol < m_nFixedCols)
        point.x = int(m_arColWidths.Offset(nCol));
    else
        point.x = int(GetFixedColumnsWidth() + m_arColWidths.Offset(nCol) -
                      m_arColWidths.Offset(std::min(topLeft.col, m_nCols)));
    if (nRow < m_nFixedRows)
        point.y = int(m_arRowHeights.Offset(nRow));
    else
        point.y = int(GetFixedRowsHeight() + m_arRowHeights.Offset(nRow) -
                      m_arRowHeights.Offset(std::min(topLeft.row, m_nRows)));
    return true;
}

bool CGridCtrl::GetCellRangeRect(const CCellIDRange& range, CRect& rect) const
{
    CPoint minOrigin, maxOrigin;
    if (!GetCellOrigin(range.GetMinRow(), range.GetMinCol(), minOrigin) ||
        !GetCellOrigin(range.GetMaxRow(), range.GetMaxCol(), maxOrigin))
        return false;
    rect = CRect(minOrigin.x, minOrigin.y, maxOrigin.x + GetColumnWidth(range.GetMaxCol()) - 1,
                 maxOrigin.y + GetRowHeight(range.GetMaxRow()) - 1);
    return true;
}

bool CGridCtrl::IsCellVisible(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return false;
    const CCellID topLeft = GetTopLeftNonFixedCell();
    if ((nCol >= m_nFixedCols && nCol < topLeft.col) ||
        (nRow >= m_nFixedRows && nRow < topLeft.row))
        return false;
    CPoint origin;
    GetCellOrigin(nRow, nCol, origin);
    const CRect client = GetClientRect();
    return origin.x < client.right && origin.y < client.bottom;
}

// ---- painting -------------------------------------------------------------------------------

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    DrawGrid(painter, CRect(event->rect()));
    if (m_bTracking)
        DrawTracker(painter);
}

void CGridCtrl::DrawTracker(QPainter& painter)
{
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(m_TrackBand.ToQRect(), Qt::white);
    painter.restore();
}

void CGridCtrl::EraseBkgnd(QPainter& painter, const CRect& clipBox)
{
    const CRect& box = clipBox;
    CRect visible;
    GetVisibleNonFixedCellRange(&visible);
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    const COLORREF cornerBack = m_cellFixedRowColDef.GetBackColour();
    const COLORREF fixedRowBack = m_cellFixedRowDef.GetBackColour();
    const COLORREF fixedColBack = m_cellFixedColDef.GetBackColour();
    const COLORREF normalBack = m_cellDefault.GetBackColour();

    if (box.left < fixedWidth && box.top < fixedHeight)
        FillRect(painter, CRect(box.left, box.top, fixedWidth, fixedHeight), cornerBack);
    if (box.left < fixedWidth && box.top < visible.bottom)
        FillRect(painter, CRect(box.left, fixedHeight, fixedWidth, visible.bottom), fixedColBack);
    if (box.top < fixedHeight && box.right > fixedWidth && box.left < visible.right)
        FillRect(painter, CRect(fixedWidth - 1, box.top, visible.right, fixedHeight), fixedRowBack);
    CRect overlap;
    if (overlap.IntersectRect(visible, box))
        FillRect(painter,
                 CRect(std::max(overlap.left, fixedWidth), std::max(overlap.top, fixedHeight),
                       overlap.right, overlap.bottom),
                 normalBack);
    if (visible.right < box.right)
        FillRect(painter, CRect(visible.right, box.top, box.right, box.bottom), m_crGridBkColour);
    if (visible.bottom < box.bottom && box.left < visible.right)
        FillRect(painter, CRect(box.left, visible.bottom, visible.right, box.bottom),
                 m_crGridBkColour);
}

void CGridCtrl::DrawCellAt(QPainter& painter, CGridCellBase* cell, int row, int col, CRect rect,
                           bool reduce)
{
    if (!cell)
        return;
    CRect area;
    if (cell->IsMerged()) {
        if (!GetCellRangeRect(cell->GetMergeRange(), area))
            return;
        if (reduce)
            area.DeflateRect(0, 0, 1, 1);
        cell->SetCoords(row, col);
        cell->Draw(&painter, row, col, area, true);
        return;
    }
    if (!cell->IsShow() && cell->IsMergeWithOthers()) {
        const CCellID owner = cell->GetMergeCellID();
        CGridCellBase* covering = GetCell(owner.row, owner.col);
        if (!covering || !GetCellRangeRect(covering->GetMergeRange(), area))
            return;
        if (reduce)
            area.DeflateRect(0, 0, 1, 1);
        covering->SetCoords(owner.row, owner.col);
        covering->Draw(&painter, owner.row, owner.col, area, true);
        return;
    }
    cell->SetCoords(row, col);
    cell->Draw(&painter, row, col, rect, false);
}

void CGridCtrl::DrawGrid(QPainter& painter, const CRect& clipBox)
{
    if (!m_bAllowDraw || clipBox.IsRectEmpty())
        return;
    EraseBkgnd(painter, clipBox);

    const int fixedHeight = GetFixedRowsHeight();
    const int fixedWidth = GetFixedColumnsWidth();
    const CCellID topLeft = GetTopLeftNonFixedCell();
    CRect visible;
    const CCellIDRange range = GetVisibleNonFixedCellRange(&visible);
    if (m_bVirtualMode)
        SendCacheHint(range);

    // Grid lines of the non-fixed area.
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        int x = fixedWidth;
        for (int col = topLeft.col; col <= range.GetMaxCol(); ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            x += width;
            DrawLine(painter, {x - 1, fixedHeight}, {x - 1, visible.bottom}, m_crGridLineColour);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        int y = fixedHeight;
        for (int row = topLeft.row; row <= range.GetMaxRow(); ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            y += height;
            DrawLine(painter, {fixedWidth, y - 1}, {visible.right, y - 1}, m_crGridLineColour);
        }
    }

    // Walks rows [firstRow, lastRow] from top and columns [firstCol, lastCol] from left,
    // drawing each cell that meets the clip box (or every cell without clip tests).
    auto drawCells = [&](int firstRow, int lastRow, int top0, int firstCol, int lastCol, int left0,
                         bool clipTests, bool reduce) {
        int top = top0;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            const int rowTop = top;
            top += height;
            if (clipTests && rowTop >= clipBox.bottom)
                break;
            if (clipTests && rowTop + height - 1 < clipBox.top)
                continue;
            int left = left0;
            for (int col = firstCol; col <= lastCol; ++col) {
                const int width = GetColumnWidth(col);
                if (width <= 0)
                    continue;
                const int colLeft = left;
                left += width;
                if (clipTests && colLeft >= clipBox.right)
                    break;
                if (clipTests && colLeft + width - 1 < clipBox.left)
                    continue;
                CRect rect(colLeft, rowTop, colLeft + width - 1, rowTop + height - 1);
                if (reduce)
                    rect.DeflateRect(0, 0, 1, 1);
                DrawCellAt(painter, GetCell(row, col), row, col, rect, reduce);
            }
        }
    };
    // Each section is clipped to its own area, as frozen sections are: a merged area that
    // starts scrolled out of view is drawn from its top-left cell's origin, and would otherwise
    // paint over the headings or the fixed columns.
    const int farRight = std::max(clipBox.right, visible.right) + 1;
    const int farBottom = std::max(clipBox.bottom, visible.bottom) + 1;
    auto drawSection = [&](const CRect& area, auto&& draw) {
        painter.save();
        painter.setClipRect(area.ToQRect(),
                            painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        draw();
        painter.restore();
    };
    drawSection(CRect(fixedWidth, fixedHeight, farRight, farBottom), [&] {
        drawCells(topLeft.row, range.GetMaxRow(), fixedHeight, topLeft.col, range.GetMaxCol(),
                  fixedWidth, true, true);
    });
    drawSection(CRect(0, fixedHeight, fixedWidth, farBottom), [&] {
        drawCells(topLeft.row, range.GetMaxRow(), fixedHeight, 0, m_nFixedCols - 1, 0, true, false);
    });
    drawSection(CRect(fixedWidth, 0, farRight, fixedHeight), [&] {
        drawCells(0, m_nFixedRows - 1, 0, topLeft.col, range.GetMaxCol(), fixedWidth, true, false);
    });
    drawCells(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0, false, false);

    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange());
}

void CGridCtrl::Refresh()
{
    if (m_bAllowDraw)
        viewport()->update();
}

void CGridCtrl::InvalidateClient(const CRect& rect)
{
    if (m_bAllowDraw)
        viewport()->update(rect.ToQRect());
}

bool CGridCtrl::InvalidateCellRect(int row, int col)
{
    if (!m_bAllowDraw || !IsValid(row, col) || !IsCellVisible(row, col))
        return false;
    CRect rect;
    if (!GetCellRect(row, col, rect))
        return false;
    rect.InflateRect(0, 0, 1, 1);
    InvalidateClient(rect);
    return true;
}

bool CGridCtrl::RedrawCell(int nRow, int nCol, QPainter*)
{
    // Painting happens in the paint pass: drawing a cell at once asks for its rectangle to be
    // painted again.
    return InvalidateCellRect(nRow, nCol);
}

bool CGridCtrl::RedrawRow(int row)
{
    bool allDrawn = true;
    for (int col = 0; col < m_nCols; ++col)
        allDrawn = RedrawCell(row, col) && allDrawn;
    return allDrawn;
}

// ---- scroll model ---------------------------------------------------------------------------

void CGridCtrl::ResetScrollBars()
{
    ForgetTopLeft();
    if (!m_bAllowDraw)
        return;
    // The bars are set when they are next read, or once the events are processed: a loop
    // of row insertions sets them once.
    m_bScrollBarsPending = true;
    if (!m_bScrollBarsPosted) {
        m_bScrollBarsPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_bScrollBarsPosted = false;
                FlushScrollBars();
            },
            Qt::QueuedConnection);
    }
}

void CGridCtrl::FlushScrollBars() const
{
    if (m_bScrollBarsPending)
        const_cast<CGridCtrl*>(this)->ApplyScrollBars();
}

void CGridCtrl::ApplyScrollBars()
{
    m_bScrollBarsPending = false;
    ForgetTopLeft();
    if (!m_bAllowDraw)
        return;
    CRect rect(viewport()->rect());
    if (rect.IsRectEmpty())
        return;
    const int extent = ScrollBarExtent();
    if (verticalScrollBar()->isVisible() || (m_nBarState & 0x2) ||
        verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        rect.right += extent;
    if (horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        rect.bottom += extent;

    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    if (rect.right - fixedWidth <= 0 || rect.bottom - fixedHeight <= 0) {
        verticalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setEnabled(false);
        horizontalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setEnabled(false);
        return;
    }
    const int virtualWidth = GetVirtualWidth() - fixedWidth;
    const int virtualHeight = GetVirtualHeight() - fixedHeight;
    const int visibleWidth = rect.right - fixedWidth - extent;
    const bool horizontal = visibleWidth < virtualWidth;
    const int visibleHeight = rect.bottom - fixedHeight - (horizontal ? extent : 0);

    m_nVScrollMax = virtualHeight - 1;
    m_nHScrollMax = horizontal ? virtualWidth - 1 : 0;
    EnableScrollBars(SB_VERT, true);
    EnableScrollBars(SB_HORZ, horizontal);

    QScrollBar* hbar = horizontalScrollBar();
    hbar->setRange(0, horizontal ? std::max(0, virtualWidth - visibleWidth) : 0);
    hbar->setPageStep(std::max(1, visibleWidth));
    hbar->setEnabled(horizontal);
    QScrollBar* vbar = verticalScrollBar();
    vbar->setRange(0, std::max(0, virtualHeight - visibleHeight));
    vbar->setPageStep(std::max(1, visibleHeight));
    vbar->setEnabled(virtualHeight > visibleHeight);
    ForgetTopLeft();
}

void CGridCtrl::scrollContentsBy(int, int)
{
    ForgetTopLeft();
    HideTitleTip();
    Refresh();
}

int CGridCtrl::ScrollTarget(int nBar, int nSBCode) const
{
    FlushScrollBars();
    const bool vertical = nBar == SB_VERT;
    const CGridAxis& axis = vertical ? m_arRowHeights : m_arColWidths;
    const int fixed = vertical ? m_nFixedRows : m_nFixedCols;
    const int count = vertical ? m_nRows : m_nCols;
    const int maximum = vertical ? m_nVScrollMax : m_nHScrollMax;
    const CCellID topLeft = GetTopLeftNonFixedCell();
    const int first = vertical ? topLeft.row : topLeft.col;
    const CRect client = GetClientRect();
    const int page =
        vertical ? client.Height() - GetFixedRowsHeight() : client.Width() - GetFixedColumnsWidth();
    const int position = GetScrollPos32(nBar);

    switch (nSBCode) {
    case SB_LINEUP:
        if (position > 0 && first > fixed) {
            int index = first - 1;
            while (index > fixed && axis.GetSize(index) == 0)
                --index;
            return std::max(0, position - axis.GetSize(index));
        }
        return position;
    case SB_LINEDOWN:
        if (position < maximum && first < count) {
            int index = first;
            while (index < count - 1 && axis.GetSize(index) == 0)
                ++index;
            return position + axis.GetSize(index);
        }
        return position;
    case SB_PAGEUP:
        return position > 0 ? std::max(0, position - page) : position;
    case SB_PAGEDOWN:
        return position < maximum ? std::min(maximum, position + page) : position;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return GetScrollPos32(nBar, true);
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return position < maximum ? maximum : position;
    default:
        return position;
    }
}

void CGridCtrl::OnScroll(int nBar, int nSBCode)
{
    StopEditing();
    HideTitleTip();
    const int position = GetScrollPos32(nBar);
    const int target = ScrollTarget(nBar, nSBCode);
    if (target != position || nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK)
        SetScrollPos32(nBar, target);
}

void CGridCtrl::OnVScroll(int nSBCode)
{
    OnScroll(SB_VERT, nSBCode);
}

void CGridCtrl::OnHScroll(int nSBCode)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CGridCtrl::OnScrollBarAction(int nBar, int action)
{
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    default:
        return; // the thumb: Qt's own tracking is the thumb position
    }
    StopEditing();
    HideTitleTip();
    QScrollBar* bar = nBar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    bar->setSliderPosition(ScrollTarget(nBar, code));
}

void CGridCtrl::OnMouseWheel(int zDelta)
{
    const int delta = static_cast<short>(zDelta);
    if (m_nRowsPerWheelNotch == -1) {
        const int notches = delta / 120;
        for (int i = 0; i < std::abs(notches); ++i)
            OnVScroll(notches > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    } else {
        const int lines = delta * m_nRowsPerWheelNotch / 120;
        for (int i = 0; i < std::abs(lines); ++i)
            OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN);
    }
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

namespace {
// The scroll position after a number of line steps forward or back along an axis, each step
// as the line-step handler takes it. From a position at the start of a row or column the steps
// pass one non-zero size each, so the position is found from the running sums at once; from
// any other position the steps are taken one by one.
struct SLineSteps
{
    const CGridAxis& axis;
    int fixed;
    int maximum;    // the highest position the handler steps from
    int barMaximum; // the highest position the bar takes

    int TopLeft(int position) const { return TopLeftIndex(axis, fixed, position); }
    bool Aligned(int position) const
    {
        const int first = TopLeft(position);
        return first < axis.GetCount() && axis.Span(fixed, first) == position;
    }

    int StepDown(int position) const
    {
        const int count = axis.GetCount();
        int first = TopLeft(position);
        if (position >= maximum || first >= count)
            return position;
        while (first < count - 1 && axis.GetSize(first) == 0)
            ++first;
        return std::clamp(position + axis.GetSize(first), 0, barMaximum);
    }
    int StepUp(int position) const
    {
        int first = TopLeft(position);
        if (position <= 0 || first <= fixed)
            return position;
        int index = first - 1;
        while (index > fixed && axis.GetSize(index) == 0)
            --index;
        return std::clamp(position - axis.GetSize(index), 0, barMaximum);
    }

    int Down(int position, int steps) const
    {
        while (steps > 0 && !Aligned(position)) {
            const int next = StepDown(position);
            if (next == position)
                return position;
            position = next;
            --steps;
        }
        if (steps <= 0 || position >= maximum)
            return position;
        const int index = axis.NthNonZero(TopLeft(position), steps);
        const long long target = index < 0 ? (long long)barMaximum : axis.Span(fixed, index);
        return int(std::min<long long>(target, barMaximum));
    }
    int Up(int position, int steps) const
    {
        while (steps > 0 && !Aligned(position)) {
            const int next = StepUp(position);
            if (next == position)
                return position;
            position = next;
            --steps;
        }
        if (steps <= 0 || position <= 0)
            return position;
        const int rank = axis.NonZeroBefore(TopLeft(position)) - axis.NonZeroBefore(fixed);
        if (rank - steps <= 0)
            return 0;
        const int index = axis.NthNonZero(fixed, rank - steps);
        return std::clamp(int(axis.Span(fixed, index)), 0, barMaximum);
    }
};
} // namespace

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol))
        return;
    FlushScrollBars();
    const CCellIDRange range = GetVisibleNonFixedCellRange();
    const auto countNonZero = [](const CGridAxis& axis, int from, int to) {
        // Non-zero sizes in [from, to).
        from = std::clamp(from, 0, axis.GetCount());
        to = std::clamp(to, 0, axis.GetCount());
        return to > from ? axis.NonZeroBefore(to) - axis.NonZeroBefore(from) : 0;
    };
    const SLineSteps columns{m_arColWidths, m_nFixedCols, m_nHScrollMax,
                             horizontalScrollBar()->maximum()};
    const SLineSteps rows{m_arRowHeights, m_nFixedRows, m_nVScrollMax,
                          verticalScrollBar()->maximum()};
    StopEditing();
    HideTitleTip();

    // Line steps over the non-zero columns and rows between the visible range and the cell.
    int hpos = GetScrollPos32(SB_HORZ);
    if (nCol > range.GetMaxCol())
        hpos = columns.Down(hpos, countNonZero(m_arColWidths, range.GetMaxCol() + 1, nCol + 1));
    else if (nCol < range.GetMinCol())
        hpos = columns.Up(hpos, countNonZero(m_arColWidths, nCol, range.GetMinCol()));
    if (hpos != GetScrollPos32(SB_HORZ))
        SetScrollPos32(SB_HORZ, hpos);
    int vpos = GetScrollPos32(SB_VERT);
    if (nRow > range.GetMaxRow())
        vpos = rows.Down(vpos, countNonZero(m_arRowHeights, range.GetMaxRow() + 1, nRow + 1));
    else if (nRow < range.GetMinRow())
        vpos = rows.Up(vpos, countNonZero(m_arRowHeights, nRow, range.GetMinRow()));
    if (vpos != GetScrollPos32(SB_VERT))
        SetScrollPos32(SB_VERT, vpos);

    // Then one line at a time while the cell still reaches past the right or bottom edge.
    const CRect client = GetClientRect();
    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return;
    while (rect.right > client.right && rect.left > GetFixedColumnsWidth()) {
        const int before = GetScrollPos32(SB_HORZ);
        OnHScroll(SB_LINERIGHT);
        if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(nRow, nCol, rect))
            break;
    }
    if (!GetCellRect(nRow, nCol, rect))
        return;
    while (rect.bottom > client.bottom && rect.top > GetFixedRowsHeight()) {
        const int before = GetScrollPos32(SB_VERT);
        OnVScroll(SB_LINEDOWN);
        if (GetScrollPos32(SB_VERT) == before || !GetCellRect(nRow, nCol, rect))
            break;
    }
}

// ---- timer, resize, colours -----------------------------------------------------------------

void CGridCtrl::StartAutoScroll()
{
    StopAutoScroll();
    m_nTimerID = startTimer(m_nTimerInterval);
}

void CGridCtrl::StopAutoScroll()
{
    if (m_nTimerID)
        killTimer(m_nTimerID);
    m_nTimerID = 0;
}

void CGridCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_nTimerID && m_nTimerID != 0)
        OnAutoScrollTimer();
    else
        QAbstractScrollArea::timerEvent(event);
}

void CGridCtrl::OnAutoScrollTimer()
{
    const CPoint cursor = m_LastMousePoint;
    const CRect client = GetClientRect();
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    const auto extendTo = [this](CPoint point) {
        const CCellID cell = GetCellFromPoint(point);
        if (IsValid(cell))
            ExtendSelection(cell);
    };
    if (cursor.y > client.bottom) {
        OnKeyDown(Qt::Key_Down, Qt::NoModifier);
        extendTo({std::clamp(cursor.x, client.left, client.right), client.bottom});
    } else if (cursor.y < fixedHeight) {
        OnKeyDown(Qt::Key_Up, Qt::NoModifier);
        extendTo({std::clamp(cursor.x, client.left, client.right), fixedHeight + 1});
    }
    if (cursor.x > client.right) {
        OnKeyDown(Qt::Key_Right, Qt::NoModifier);
        extendTo({client.right, std::clamp(cursor.y, client.top, client.bottom)});
    } else if (cursor.x < fixedWidth) {
        OnKeyDown(Qt::Key_Left, Qt::NoModifier);
        extendTo({fixedWidth + 1, std::clamp(cursor.y, client.top, client.bottom)});
    }
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    if (m_bInResize) {
        QAbstractScrollArea::resizeEvent(event);
        return;
    }
    m_bInResize = true;
    StopEditing();
    QAbstractScrollArea::resizeEvent(event);
    m_DropTarget.Register(this);
    ResetScrollBars();
    m_bInResize = false;
}

void CGridCtrl::OnSysColorChange()
{
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* cell : cells) {
        if (cell->GetTextColour() == m_crWindowText)
            cell->SetTextColour(windowText);
        if (cell->GetBackColour() == m_crWindowColour)
            cell->SetBackColour(window);
        // The headings follow the face colour too, so that they do not keep the old scheme.
        else if (cell != &m_cellDefault && cell->GetBackColour() == m_cr3DFace)
            cell->SetBackColour(face);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = GetSysColor(COLOR_3DSHADOW);
    m_crWindowText = windowText;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    Refresh();
}

void CGridCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        OnSysColorChange();
    else if (event->type() == QEvent::FontChange)
        SetGridFont(QFontToLogFont(font()));
    QAbstractScrollArea::changeEvent(event);
}
