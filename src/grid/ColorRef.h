#pragma once

#include <QColor>
#include <cstdint>

// Colours as the controls keep them: 0x00BBGGRR words, with one marker that means "take the
// default colour". They become QColor only where they are painted.
using COLORREF = std::uint32_t;

// The marker colour: the cell, control or item takes its default colour instead.
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF colour)
{
    return int(colour & 0xFF);
}
constexpr int GetGValue(COLORREF colour)
{
    return int((colour >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF colour)
{
    return int((colour >> 16) & 0xFF);
}

// The colour to paint with: red, green and blue of the word, opaque. The marker (and any word
// with bits in its high byte) is no colour: it gives an invalid QColor, which the caller replaces
// by its default before painting.
QColor ColorRefToQColor(COLORREF colour);

// The word of a colour (alpha dropped); an invalid colour gives the marker.
COLORREF QColorToColorRef(const QColor& colour);
