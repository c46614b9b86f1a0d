#pragma once

#include "menus/ColorRef.h"

#include <QRect>

class QPainter;

// Painting primitives of the menu themes, in the terms the drawing rules use: rectangles given
// by their left, top, right and bottom edges (right and bottom exclusive), solid fills, 3-D
// outlines, banded gradients and the glyphs of the system's symbol font.
namespace menus {
// The rectangle from (left, top) up to, but not including, (right, bottom); empty when
// right <= left or bottom <= top.
QRect Ltrb(int left, int top, int right, int bottom);

void FillSolid(QPainter& painter, const QRect& rect, COLORREF colour);
// A one-pixel frame: top and left in topLeft, bottom and right in bottomRight.
void Draw3dRect(QPainter& painter, const QRect& rect, COLORREF topLeft, COLORREF bottomRight);
// A one-pixel frame in one colour.
void DrawOutline(QPainter& painter, const QRect& rect, COLORREF colour);
// Fills the ring between the outer and the inner rectangle: top band, bottom band, left band,
// and a right band that takes one column of the inner rectangle.
void FillRing(QPainter& painter, const QRect& outer, const QRect& inner, COLORREF colour);

// Fills the rectangle with a gradient from `from` to `to`, left to right when horizontal, else
// top to bottom: each column (row) i of n takes from + MulDiv(to - from, i, n) per channel.
// With `banded`, bands of 2 pixels take one colour each, as drawn where no gradient function
// is available; with `nearest`, each colour is the nearest screen colour.
void DrawGradient(QPainter& painter, const QRect& rect, COLORREF from, COLORREF to, bool horizontal,
                  bool banded = false, bool nearest = false);

// A glyph of the symbol font menus use for marks, drawn centred in the rectangle in the colour:
// 'b' a check mark, 'i' a radio dot, 'r' close, '0' minimise, '1' maximise, '2' restore, '8' a
// sub-menu arrow. Other characters draw nothing.
void DrawMarlettGlyph(QPainter& painter, const QRect& rect, char glyph, COLORREF colour,
                      bool bold = false);
} // namespace menus
