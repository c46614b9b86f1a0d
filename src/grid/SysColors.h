#pragma once

#include "grid/ColorRef.h"
#include "menus/SysColors.h"

// The system colours (see menus/SysColors.h), under the global names the grid, the controls and
// the views use.
using menus::ESysColor;
using enum menus::ESysColor;
using menus::GetSysColor;
