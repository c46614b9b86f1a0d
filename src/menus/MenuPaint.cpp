#include "menus/MenuPaint.h"

#include "menus/SystemMetrics.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace menus {
QRect Ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void FillSolid(QPainter& painter, const QRect& rect, COLORREF colour)
{
    if (!rect.isEmpty())
        painter.fillRect(rect, ToQColor(colour));
}

void Draw3dRect(QPainter& painter, const QRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int x = rect.x(), y = rect.y(), cx = rect.width(), cy = rect.height();
    FillSolid(painter, QRect(x, y, cx - 1, 1), topLeft);
    FillSolid(painter, QRect(x, y, 1, cy - 1), topLeft);
    FillSolid(painter, QRect(x + cx - 1, y, 1, cy), bottomRight);
    FillSolid(painter, QRect(x, y + cy - 1, cx, 1), bottomRight);
}

void DrawOutline(QPainter& painter, const QRect& rect, COLORREF colour)
{
    Draw3dRect(painter, rect, colour, colour);
}

void FillRing(QPainter& painter, const QRect& outer, const QRect& inner, COLORREF colour)
{
    const int ol = outer.left(), ot = outer.top(), orr = outer.x() + outer.width(),
              ob = outer.y() + outer.height();
    const int il = inner.left(), it = inner.top(), ir = inner.x() + inner.width(),
              ib = inner.y() + inner.height();
    FillSolid(painter, Ltrb(ol, ot, orr, it), colour);
    FillSolid(painter, Ltrb(ol, ib, orr, ob), colour);
    FillSolid(painter, Ltrb(ol, ot, il, ob), colour);
    FillSolid(painter, Ltrb(ir - 1, ot, orr, ob), colour);
}

void DrawGradient(QPainter& painter, const QRect& rect, COLORREF from, COLORREF to, bool horizontal,
                  bool banded, bool nearest)
{
    const int size = horizontal ? rect.width() : rect.height();
    if (size <= 0)
        return;
    const int step = banded ? 2 : 1;
    for (int i = 0; i < size; i += step) {
        COLORREF colour = RGB(GetRValue(from) + MulDiv(GetRValue(to) - GetRValue(from), i, size),
                              GetGValue(from) + MulDiv(GetGValue(to) - GetGValue(from), i, size),
                              GetBValue(from) + MulDiv(GetBValue(to) - GetBValue(from), i, size));
        if (nearest)
            colour = GetNearestColor(colour);
        const int extent = std::min(step, size - i);
        const QRect band = horizontal ? QRect(rect.x() + i, rect.y(), extent, rect.height())
                                      : QRect(rect.x(), rect.y() + i, rect.width(), extent);
        FillSolid(painter, band, colour);
    }
}

void DrawMarlettGlyph(QPainter& painter, const QRect& rect, char glyph, COLORREF colour, bool bold)
{
    const int side = std::max(5, std::min(rect.width(), rect.height()) - 4);
    const QRectF box(rect.x() + (rect.width() - side) / 2.0,
                     rect.y() + (rect.height() - side) / 2.0, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor c = ToQColor(colour);
    QPen pen(c, bold ? 2.2 : 1.6);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal l = box.left(), t = box.top(), w = box.width(), h = box.height();
    switch (glyph) {
    case 'b': { // check mark
        QPainterPath path;
        path.moveTo(l + w * 0.15, t + h * 0.52);
        path.lineTo(l + w * 0.40, t + h * 0.78);
        path.lineTo(l + w * 0.88, t + h * 0.22);
        painter.drawPath(path);
        break;
    }
    case 'i': // radio dot
        painter.setPen(Qt::NoPen);
        painter.setBrush(c);
        painter.drawEllipse(box.center(), w * 0.22, h * 0.22);
        break;
    case 'r': // close
        painter.drawLine(QPointF(l + w * 0.2, t + h * 0.2), QPointF(l + w * 0.8, t + h * 0.8));
        painter.drawLine(QPointF(l + w * 0.8, t + h * 0.2), QPointF(l + w * 0.2, t + h * 0.8));
        break;
    case '0': // minimise
        painter.drawLine(QPointF(l + w * 0.2, t + h * 0.8), QPointF(l + w * 0.7, t + h * 0.8));
        break;
    case '1': // maximise
        painter.drawRect(QRectF(l + w * 0.15, t + h * 0.15, w * 0.7, h * 0.7));
        break;
    case '2': // restore
        painter.drawRect(QRectF(l + w * 0.15, t + h * 0.35, w * 0.5, h * 0.5));
        painter.drawPolyline(
            QPolygonF({QPointF(l + w * 0.35, t + h * 0.35), QPointF(l + w * 0.35, t + h * 0.15),
                       QPointF(l + w * 0.85, t + h * 0.15), QPointF(l + w * 0.85, t + h * 0.65),
                       QPointF(l + w * 0.65, t + h * 0.65)}));
        break;
    case '8': { // sub-menu arrow
        painter.setPen(Qt::NoPen);
        painter.setBrush(c);
        painter.drawPolygon(
            QPolygonF({QPointF(l + w * 0.35, t + h * 0.2), QPointF(l + w * 0.7, t + h * 0.5),
                       QPointF(l + w * 0.35, t + h * 0.8)}));
        break;
    }
    default:
        break;
    }
    painter.restore();
}
} // namespace menus
