#pragma once

#include "menus/ColorRef.h"

// The colour word of the window libraries (see menus/ColorRef.h), under the global names the
// grid, the controls and the views use.
using menus::CLR_DEFAULT;
using menus::COLORREF;
using menus::GetBValue;
using menus::GetGValue;
using menus::GetRValue;
using menus::RGB;

using menus::ColorRefToQColor;
using menus::QColorToColorRef;
