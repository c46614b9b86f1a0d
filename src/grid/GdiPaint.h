#pragma once

#include "grid/ColorRef.h"
#include "grid/WinGeometry.h"

class QPainter;

// The few drawing calls the controls' paint code is written in, with the pixel rules it was
// written for: fills cover [left, right) x [top, bottom), and a line stops one pixel short of
// its end point.

// Fills the rectangle; a marker colour fills nothing.
void FillRect(QPainter& painter, const CRect& rect, COLORREF colour);

// Draws the one-pixel outline just inside the rectangle.
void FrameRect(QPainter& painter, const CRect& rect, COLORREF colour);

// Draws a one-pixel line from one point towards another, without the end point.
void DrawLine(QPainter& painter, CPoint from, CPoint to, COLORREF colour);

// Draws a one-pixel sunken edge just inside the rectangle: dark shadow on the top and left,
// light on the bottom and right.
void DrawSunkenEdge(QPainter& painter, const CRect& rect);
