#pragma once

#include "grid/WinGeometry.h"

#include <QString>

class QFont;
class QPainter;
class QWidget;

// The small standard shapes the self-painting controls draw inside their rows, drawn through the
// widget's style so they look like the desktop's own.

// A dotted focus rectangle just inside the rectangle.
void DrawFocusRect(QPainter& painter, const CRect& rect);

// A push button filling the rectangle, with a centred caption in the font; pushed draws it
// pressed.
void DrawPushButtonFrame(QPainter& painter, const QWidget& widget, const CRect& rect,
                         const QString& caption, const QFont& font, bool pushed);

// A button with an arrow pointing down (the button of a drop-down), pressed when pushed.
void DrawDropDownButtonFrame(QPainter& painter, const QWidget& widget, const CRect& rect,
                             bool pushed);
