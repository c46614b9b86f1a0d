#include "grid/GdiPaint.h"

#include "grid/SysColors.h"

#include <QPainter>
#include <cstdlib>

void FillRect(QPainter& painter, const CRect& rect, COLORREF colour)
{
    const QColor qcolour = ColorRefToQColor(colour);
    if (qcolour.isValid() && !rect.IsRectEmpty())
        painter.fillRect(rect.ToQRect(), qcolour);
}

void FrameRect(QPainter& painter, const CRect& rect, COLORREF colour)
{
    if (rect.IsRectEmpty())
        return;
    FillRect(painter, CRect(rect.left, rect.top, rect.right, rect.top + 1), colour);
    FillRect(painter, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), colour);
    FillRect(painter, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), colour);
    FillRect(painter, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), colour);
}

void DrawLine(QPainter& painter, CPoint from, CPoint to, COLORREF colour)
{
    const QColor qcolour = ColorRefToQColor(colour);
    if (!qcolour.isValid() || from == to)
        return;
    // Stop one pixel short of the end, along the longer direction.
    CPoint last = to;
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    if (std::abs(dx) >= std::abs(dy))
        last.x -= dx > 0 ? 1 : -1;
    else
        last.y -= dy > 0 ? 1 : -1;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(qcolour, 0));
    painter.drawLine(from.ToQPoint(), last.ToQPoint());
    painter.restore();
}

void DrawSunkenEdge(QPainter& painter, const CRect& rect)
{
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    FillRect(painter, CRect(rect.left, rect.top, rect.right, rect.top + 1), dark);
    FillRect(painter, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), dark);
    FillRect(painter, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), light);
    FillRect(painter, CRect(rect.right - 1, rect.top + 1, rect.right, rect.bottom), light);
}
