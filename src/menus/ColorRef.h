#pragma once

#include "menus/MulDiv.h"

#include <QColor>

#include <cstdint>

// The colour word of the window libraries (menus, grid, controls and the views above them):
// COLORREF values 0x00BBGGRR, with the "use the default colour" marker and the arithmetic the
// menu themes use. They become QColor only at the painter or widget call, through the
// conversions below. The grid and the controls see the same names in the global namespace
// through grid/ColorRef.h.
namespace menus {
using COLORREF = std::uint32_t;

// "Use the default colour" (title colours, transparent colours of icon sets).
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;
// No colour: the result of MixColor with no second colour, a missing gradient line.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c)
{
    return int(c & 0xFF);
}
constexpr int GetGValue(COLORREF c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c)
{
    return int((c >> 16) & 0xFF);
}

// The conversions of a colour that is always a colour (the themes' arithmetic, palette colours,
// pixels): red, green and blue of the word, opaque; the high byte is not looked at.
QColor ToQColor(COLORREF c);
// The word of a colour, alpha dropped.
COLORREF FromQColor(const QColor& c);

// The conversions of a colour that may be the marker (colours a cell, control or item is given):
// the marker, and any word with bits in its high byte, is no colour and gives an invalid QColor,
// which the caller replaces by its default before painting. Otherwise as ToQColor.
QColor ColorRefToQColor(COLORREF colour);
// The word of a colour (alpha dropped); an invalid colour gives the marker.
COLORREF QColorToColorRef(const QColor& colour);

// Per channel: c + MulDiv(255 - c, amount, 255).
COLORREF LightenColor(int amount, COLORREF c);
// Per channel: MulDiv(c, 255 - amount, 255).
COLORREF DarkenColor(int amount, COLORREF c);
// Per channel (c1 * weight + (255 - weight) * c0) / 256; CLR_NONE when c1 is CLR_NONE.
COLORREF MixColor(COLORREF c0, COLORREF c1, int weight);
// Per channel MulDiv(7, a, 10) + MulDiv(3, b, 10), at most 255.
COLORREF MixColor70(COLORREF a, COLORREF b);
// Per channel MulDiv(86, a, 100) + MulDiv(14, b, 100), at most 255.
COLORREF MixColor86(COLORREF a, COLORREF b);
// r + g + b > 384.
bool IsLightColor(COLORREF c);
// The shadow colour of a toolbar face: (r * 7 / 10, g * 7 / 10, (b + 55) * 7 / 10).
COLORREF BarShadowColor(COLORREF face);
} // namespace menus
