#pragma once

#include "menus/ColorRef.h"
#include "menus/CommandActions.h"
#include "menus/NewFrameWnd.h"
#include "menus/NewToolBar.h"

#include <QColor>
#include <QImage>

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

// The program's main window as the window program builds it: the main menu with the shared
// actions (every command handled; Paste, Redo and Re-apply Matches disabled; global options
// radio-checked), the three toolbars in a row, the menu icons of the main toolbar's strip and
// a white client area. Shown at (0, 0), 640 x 360.
struct STestFrame
{
    CCommandActions Actions;
    CNewFrameWnd Frame;
    CNewToolBar Main, Reconciliation, Options;
    STestFrame();
};

// Opens the pop-up of the menu bar item with the given title and waits until it shows.
QMenu* OpenBarMenu(CNewFrameWnd& frame, const QString& title);
// What a display shows of the window: the window with every visible pop-up menu painted over
// it at its place.
QImage GrabWithPopups(QWidget& window);
} // namespace menutest
