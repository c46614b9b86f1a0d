#pragma once

#include "menus/ColorRef.h"

#include <QColor>
#include <QImage>

class CCommandActions;
class CNewFrameWnd;
class QMenu;

// Helpers shared by the menu tests: a main window with the program's menu and toolbars, and
// the settings every test starts from (draw mode 9, theme library on, true-colour screen,
// system flat-menu setting).
namespace menutest {
// Puts the process-wide settings back: theme library and all its entries available, screen
// depth and flat menus from the system, accelerators shown, draw mode 9 with the style
// installed.
void ResetSettings();

// The colour at (x, y) of the image.
QColor At(const QImage& image, int x, int y);
QColor Colour(menus::COLORREF c);
// True when the pixel is within the tolerance of the colour in each channel.
bool Near(QColor actual, QColor expected, int tolerance = 3);

// Opens the pop-up of the menu bar item with the given title and waits until it shows.
QMenu* OpenBarMenu(CNewFrameWnd& frame, const QString& title);
// Grabs what the screen shows in the rectangle (windows composed as on a display).
QImage GrabScreen(const QRect& rect);
} // namespace menutest
