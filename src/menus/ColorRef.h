#pragma once

#include <QColor>

#include <cstdint>

// Colours of the menu library as the drawing rules state them: COLORREF values 0x00BBGGRR, with
// the arithmetic the themes use. They become QColor only at the painter, through ToQColor.
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

// The one conversion between the two colour types (opaque colours only).
QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);

// number * numerator / denominator in 64 bits, rounded to the nearest integer (halves away
// from zero); -1 when the denominator is 0.
int MulDiv(int number, int numerator, int denominator);

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
