#pragma once

#include "menus/ColorRef.h"

#include <QBrush>
#include <QPoint>
#include <QRect>

#include <array>
#include <optional>

class QPainter;

// The colours of the menu themes, computed from the system values (SystemMetrics.h) and the
// current draw mode: menu and menu-bar backgrounds, the selection colour, the Office-2003 scheme
// colours and gradient colours, the theme brush of the bars and the wash colour of disabled
// images.
namespace menus {
// True when the visual style is on (the theme binding's IsThemeActive).
bool IsVisualStyleOn();

// The menu background: the menu's own background colour when it has one, else COLOR_MENUBAR
// with flat menus and COLOR_MENU without.
COLORREF MenuBackgroundColor(std::optional<COLORREF> menuBrush = {});
// The menu-bar colour: the menu's own background colour when it has one, else COLOR_MENUBAR
// with flat menus or the visual style on, else the face colour.
COLORREF MenuBarColor(std::optional<COLORREF> menuBrush = {});
// COLOR_BTNFACE.
COLORREF FaceColor();
// The colour of a selected item in the XP and 2003 looks.
COLORREF SelectionColor();

// The Office-2003 scheme colours of the current mode. The light request (used by the bars)
// gives base and LightenColor(110, base) (100 when the theme class could not be opened); the
// dark request gives DarkenColor(20, base) and LightenColor(200, base).
struct SSchemeColors
{
    COLORREF Base;
    COLORREF Light;
};
SSchemeColors Get2003Colors(bool darkRequest = false);

// The four gradient colours of the 2003 bars (top, middle, foot, shadow line).
std::array<COLORREF, 4> Get2003GradientColors();

// The theme brush of the current mode (menu bar, dock areas, behind the bars), or none: solid
// COLOR_BTNFACE for modes 2 and 3, a horizontal gradient from the 2003 base to its light
// colour over at most 700 pixels for modes 8 to 11 (solid base at 256 colours or fewer or in
// high contrast; COLOR_BTNFACE for modes 10 and 11 there), none for the other modes. Brushes
// are made once per kind and colours and kept.
std::optional<QBrush> GetThemeBrush();
// The colour a theme brush stands for where one colour is needed (its first colour).
std::optional<COLORREF> GetThemeBrushColor();

// Fills the rectangle with a theme brush laid from the window's origin (in painter
// coordinates). A gradient brush's texture is as wide as the screen: on a wider window, its
// last colour runs on beyond it rather than the gradient starting over.
void FillWithThemeBrush(QPainter& painter, const QRect& rect, const QBrush& brush,
                        QPoint windowOrigin);
// The colour a theme brush shows at the window's column (counted from the window's origin).
COLORREF ThemeBrushColourAt(const QBrush& brush, int column);

// The wash colour of disabled images in the current mode.
COLORREF DisabledImageWash();
} // namespace menus
