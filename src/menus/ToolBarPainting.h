#pragma once

#include "menus/ColorRef.h"

#include <QPixmap>
#include <QPoint>
#include <QRect>

#include <optional>

class QBrush;
class QPainter;

// Painting of the themed toolbar in the current draw mode, as plain functions: the bar's
// background, its separators and the background and image of its buttons.
namespace menus {
// The bar's background. `brush` is the theme brush (none outside modes 2, 3 and 8 to 11),
// aligned at `windowOrigin`, the painter position of the top-level window's corner.
// Modes 8 to 11: a docked horizontal bar is a vertical gradient c1 -> c2 over its upper half
// and c2 -> c3 over its lower half with a c4 line 3 pixels above its foot; a vertical bar the
// same from left to right with a c4 line at its right border; fewer than 256 colours: a solid
// DarkenColor(30, selection colour).
void DrawToolBarBackground(QPainter& painter, const QRect& rect, bool horizontal, bool floating,
                           const std::optional<QBrush>& brush, QPoint windowOrigin);

// A separator: a thin 3-D rectangle, dark at the top left and light at the bottom right.
void DrawToolBarSeparator(QPainter& painter, const QRect& rect, bool horizontalBar);

// The state of a toolbar button as the bar's custom drawing sees it.
struct SToolButtonState
{
    bool Hot = false;
    bool Pressed = false;
    bool Checked = false;
    bool Enabled = true;
    bool DropDown = false; // has a drop-down arrow part, 13 pixels at the right
};

// The background of a button: modes 8 to 11 frame a hot or pressed button in RGB(4, 2, 132)
// with a warm gradient and fill a checked one with RGB(255, 238, 194); modes 2 and 3 the XP
// selection rectangle. Returns false when the mode leaves buttons to the base style.
bool DrawToolButtonBackground(QPainter& painter, const QRect& rect, const SToolButtonState& state);

// The image of a button, centred (moved 7 pixels left for a drop-down button): the disabled
// image for a disabled button, the normal one for a hot button, else the shaded one; in modes
// 2 and 3 a hot button's image is lifted over its silhouette.
void DrawToolButtonImage(QPainter& painter, const QRect& rect, const QPixmap& image,
                         const SToolButtonState& state);
} // namespace menus
