#pragma once

#include "menus/NamedFont.h"

#include <QFont>
#include <QString>
#include <cstdint>

// A font as the controls keep it in their records and cells: the fields of the system's logical
// font description. It becomes a QFont only where it is painted or measured.
enum : int
{
    FW_DONTCARE = 0,
    FW_THIN = 100,
    FW_EXTRALIGHT = 200,
    FW_LIGHT = 300,
    FW_NORMAL = 400,
    FW_MEDIUM = 500,
    FW_SEMIBOLD = 600,
    FW_BOLD = 700,
    FW_EXTRABOLD = 800,
    FW_HEAVY = 900,
};

struct LOGFONT
{
    // Negative: the character height in pixels (without internal leading); positive: the cell
    // height in pixels (ascent plus descent); 0: the default size.
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    // Angle of the text line in tenths of a degree, counter-clockwise (900: upwards).
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 1; // DEFAULT_CHARSET
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    // The face name; empty takes the application font's family.
    QString lfFaceName;

    bool operator==(const LOGFONT&) const = default;
};

// The QFont of a logical font: family, pixel size, weight, italic, underline and strike-out.
// The escapement is not a font property here: the painter rotates for it.
QFont LogFontToQFont(const LOGFONT& logFont);

// The logical font of a QFont, its height given as a negative character height in pixels.
LOGFONT QFontToLogFont(const QFont& font);

// The font the system uses in message boxes (the controls' default cell font).
LOGFONT GetMessageBoxFont();

// A face of another desktop, where installed, else the application's family, in points
// (menus/NamedFont.h).
using menus::NamedFont;
