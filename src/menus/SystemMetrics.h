#pragma once

#include "menus/ColorRef.h"

#include <QFont>

class QPalette;

// The system values the menu drawing rules name (system colours, the menu font, menu sizes,
// the screen's colour count and the user's display settings), answered from one table over
// the application's QPalette, QFont and QStyle:
//
// | value                                   | taken from                                       |
// |-----------------------------------------|--------------------------------------------------|
// | COLOR_MENU, COLOR_MENUBAR, BTNFACE, SCROLLBAR, APPWORKSPACE | QPalette::Window / Button    |
// | COLOR_WINDOW                            | QPalette::Base                                   |
// | COLOR_WINDOWTEXT                        | QPalette::Text                                   |
// | COLOR_MENUTEXT, COLOR_BTNTEXT           | QPalette::WindowText / ButtonText                |
// | COLOR_HIGHLIGHT, COLOR_MENUHILIGHT      | QPalette::Highlight                              |
// | COLOR_HIGHLIGHTTEXT                     | QPalette::HighlightedText                        |
// | COLOR_GRAYTEXT                          | QPalette::Text of the Disabled group             |
// | COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT       | QPalette::Light / Midlight                       |
// | COLOR_BTNSHADOW, COLOR_3DDKSHADOW       | QPalette::Dark / Shadow                          |
// | COLOR_WINDOWFRAME                       | QPalette::Shadow                                 |
// | COLOR_ACTIVECAPTION, gradient, borders  | QPalette::Highlight                              |
// | COLOR_CAPTIONTEXT                       | QPalette::HighlightedText                        |
// | COLOR_INACTIVECAPTION (and its text)    | QPalette::Mid (and QPalette::Light)              |
// | COLOR_INFOBK, COLOR_INFOTEXT            | QPalette::ToolTipBase / ToolTipText              |
// | COLOR_HOTLIGHT                          | QPalette::Link                                   |
// | COLOR_BACKGROUND (desktop)              | QPalette::Dark                                   |
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
enum ESysColor : int
{
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

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

// The system colour of the index from the application's palette (or the palette given); an
// unknown index gives black.
COLORREF GetSysColor(int index);
COLORREF GetSysColor(int index, const QPalette& palette);

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
