#pragma once

#include "grid/ColorRef.h"
#include "grid/WinGeometry.h"

class QPainter;

// Drawing calls shared by the controls' paint code, with the pixel rules of the grid's
// (fills cover [left, right) x [top, bottom)).

// A one-pixel frame just inside the rectangle: the top and left edges in the first colour, the
// right and bottom edges (with the corners they end in) in the second.
void Draw3dRect(QPainter& painter, const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
