#include "controls/ControlPaint.h"

#include "grid/GdiPaint.h"

void Draw3dRect(QPainter& painter, const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int x = rect.left;
    const int y = rect.top;
    const int w = rect.Width();
    const int h = rect.Height();
    FillRect(painter, CRect(CPoint(x, y), CSize(w - 1, 1)), topLeft);
    FillRect(painter, CRect(CPoint(x, y), CSize(1, h - 1)), topLeft);
    FillRect(painter, CRect(CPoint(x + w - 1, y), CSize(1, h)), bottomRight);
    FillRect(painter, CRect(CPoint(x, y + h - 1), CSize(w, 1)), bottomRight);
}
