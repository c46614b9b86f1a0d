#pragma once

#include "menus/ColorRef.h"

class QPalette;

// The system colours by their index, taken from the application's palette through one table
// (in SysColors.cpp, with the reason for each entry), shared by every window library so that a
// menu and a grid beside it draw a system colour alike. A palette change stands for the system's
// colour-change message: controls that follow the system compare their colours with those they
// read before and take the new ones.
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
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_BTNSHADOW = 16,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
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

// The system colour of the index in the given palette; an unknown index gives black, as the
// system does.
COLORREF GetSysColor(int index, const QPalette& palette);

// The system colour of the index in the application's palette (the default palette when there
// is no GUI application).
COLORREF GetSysColor(int index);
} // namespace menus
