#pragma once

#include "menus/ColorRef.h"
#include "menus/SysColors.h"

#include <QFont>

// The system values the menu drawing rules name (the menu font, menu sizes, the screen's colour
// count and the user's display settings), answered from one table over the application's QFont,
// QScreen and platform; the system colours are in menus/SysColors.h:
//
// | value                                   | taken from                                       |
// |-----------------------------------------|--------------------------------------------------|
// | menu font                               | QApplication::font("QMenu")                      |
// | SM_CYMENU                               | menu font height + 6                             |
// | SM_CXMENUCHECK, SM_CYMENUCHECK          | 13                                               |
// | SM_CXFULLSCREEN                         | available width of the primary screen            |
// | SM_CXBORDER, SM_CYBORDER, SM_CXEDGE, SM_CYEDGE | 1, 1, 2, 2                                |
// | screen colour count (NUMCOLORS)         | 2^depth of the primary screen at 8 bits or less, |
// |                                         | else 64000 (the cached "-1" of a true-colour DC) |
// | flat menus (SPI_GETFLATMENU)            | on while the visual style is on                  |
// | high contrast, Wine                     | off (Qt 6.4 cannot tell high contrast)           |
// | remote session                          | the "vnc" platform                               |
//
// Tests and a user who wants another look may override the settings (SSystemSettings).
namespace menus {
enum ESystemMetric : int
{
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXFULLSCREEN = 16,
    SM_CYMENU = 15,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
};

// The system metric of the index; 0 for an index the table does not hold.
int GetSystemMetrics(int index);

// The menu font (bold with weight 700 when asked).
QFont GetMenuFont(bool bold = false);

// Display settings of the user, read by the drawing rules. A value left unset follows the
// system as the table above says.
struct SSystemSettings
{
    int ScreenDepth = 0; // bits per pixel; 0 = the primary screen's
    int FlatMenus = -1;  // -1 = on while the visual style is on; 0 off; 1 on
    bool HighContrast = false;
    bool Wine = false;
    int RemoteSession = -1; // -1 = from the platform; 0 no; 1 yes
};
SSystemSettings& SystemSettings();

// The screen's colour count: 2^depth at 8 bits per pixel or less, else 64000.
int GetScreenColorCount();
// True at 256 colours or fewer.
bool IsPaletteScreen();
bool IsFlatMenus();
bool IsHighContrast();
bool IsRemoteSession();
bool IsWine();

// The screen colour nearest to c: c itself on a true-colour screen; on a screen of 256
// colours or fewer, the nearest of the 20 static system colours and the 6 x 6 x 6 colour cube.
COLORREF GetNearestColor(COLORREF c);
} // namespace menus
