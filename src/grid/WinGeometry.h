#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

// Points, sizes and rectangles with the arithmetic of the controls' layout code. A rectangle
// holds its left, top, right and bottom edges; right and bottom lie just outside it, so its
// width is right - left and the pixels it covers run from left to right - 1. The Qt types are
// made only at the QPainter call (ToQRect covers exactly those pixels).

struct CPoint
{
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    explicit CPoint(const QPoint& point) : x(point.x()), y(point.y()) {}

    constexpr void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    constexpr CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    constexpr CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
    constexpr bool operator==(const CPoint&) const = default;
    QPoint ToQPoint() const { return {x, y}; }
};

struct CSize
{
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int width, int height) : cx(width), cy(height) {}
    explicit CSize(const QSize& size) : cx(size.width()), cy(size.height()) {}

    constexpr bool operator==(const CSize&) const = default;
    QSize ToQSize() const { return {cx, cy}; }
};

struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(const CPoint& topLeft, const CSize& size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy)
    {
    }
    // The rectangle covering the pixels of a Qt rectangle.
    explicit CRect(const QRect& rect)
        : left(rect.left()), top(rect.top()), right(rect.left() + rect.width()),
          bottom(rect.top() + rect.height())
    {
    }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // No area: width or height not positive.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // All four edges 0.
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The point lies inside: left and top edges included, right and bottom excluded.
    constexpr bool PtInRect(const CPoint& point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void OffsetRect(const CPoint& delta) { OffsetRect(delta.x, delta.y); }
    // Moves each edge outwards by the amount given for it (inwards for a negative amount).
    constexpr void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    constexpr void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    constexpr void InflateRect(int d) { InflateRect(d, d, d, d); }
    constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    constexpr void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    constexpr void DeflateRect(int d) { DeflateRect(d, d, d, d); }
    // Swaps the edges where right < left or bottom < top.
    constexpr void NormalizeRect()
    {
        if (right < left)
            std::swap(left, right);
        if (bottom < top)
            std::swap(top, bottom);
    }

    // Sets this rectangle to the overlap of the two; an empty overlap gives the null rectangle
    // and false.
    constexpr bool IntersectRect(const CRect& a, const CRect& b)
    {
        const CRect overlap(std::max(a.left, b.left), std::max(a.top, b.top),
                            std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (overlap.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = overlap;
        return true;
    }
    // Sets this rectangle to the smallest one holding both (an empty one counts as nothing);
    // false when the result is empty.
    constexpr bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty())
            *this = b;
        else if (b.IsRectEmpty())
            *this = a;
        else
            *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                          std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }

    constexpr bool operator==(const CRect&) const = default;

    // The Qt rectangle of the pixels this rectangle covers (empty when it covers none).
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
};
