#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <memory>

// Quarter turns: an angle in degrees becomes q = (angle / 90, truncated) modulo 4, non-negative;
// a point (x, y) turns to (-y, x) for q 1, (-x, -y) for q 2 and (y, -x) for q 3.
int QuarterTurns(int angle);
QPoint RotatePoint(int q, const QPoint& point);
// Turns both corners (the right and bottom edges lying just outside) and normalises.
QRect RotateRect(int q, const QRect& rect);

// A drawing surface turned by a multiple of 90 degrees: opened over a rectangle of a target
// painter, everything drawn into it (in turned coordinates) goes unturned into an off-screen
// image, which is put back into the target turned by the angle when the surface closes. Text
// drawn left to right at 90 degrees reads from bottom to top on the target, at 270 from top to
// bottom.
class cdxCRot90DC
{
public:
    // With copy background, what the target shows behind the rectangle shows behind the drawing.
    cdxCRot90DC(QPainter& target, const QRect& rect, int angle, bool copyBackground = false);
    ~cdxCRot90DC();
    cdxCRot90DC(const cdxCRot90DC&) = delete;
    cdxCRot90DC& operator=(const cdxCRot90DC&) = delete;

    // False when the target prints, when the rectangle lies outside the target's clip box, or
    // when no image could be made; then nothing is drawn or put back.
    bool IsValid() const { return m_painter != nullptr; }
    // The painter of the turned surface (none when invalid).
    QPainter* Painter() const { return m_painter.get(); }

    int GetQuarter() const { return m_q; }
    int RotatedX(int x, int y) const { return RotatePoint(m_q, QPoint(x, y)).x(); }
    int RotatedY(int x, int y) const { return RotatePoint(m_q, QPoint(x, y)).y(); }
    QPoint Rotated(const QPoint& point) const { return RotatePoint(m_q, point); }
    QRect Rotated(const QRect& rect) const { return RotateRect(m_q, rect); }
    // The requested and the visible rectangles, turned.
    const QRect& GetRotatedRect() const { return m_rotatedRect; }
    const QRect& GetRotatedVisibleRect() const { return m_rotatedVisible; }

    // Puts the drawing back into the target, once.
    void Finish();

private:
    QPainter* m_target = nullptr;
    int m_q = 0;
    QRect m_rect;
    QRect m_visible;
    QRect m_rotatedRect;
    QRect m_rotatedVisible;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    bool m_finished = false;
};
