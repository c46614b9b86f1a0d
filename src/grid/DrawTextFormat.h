#pragma once

#include "grid/WinGeometry.h"

#include <QString>
#include <Qt>

class QFontMetrics;
class QPainter;

// The text-drawing format word of cells and controls (DT_* bits) and its one translation to Qt's
// alignment, wrapping and elision.
enum : unsigned
{
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_TABSTOP = 0x80,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
    DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000,
    DT_PREFIXONLY = 0x200000,
};

// What a format word asks of the text layout.
struct SDrawTextLayout
{
    // Horizontal alignment always; vertical alignment only for single-line text (multi-line
    // text starts at the top).
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignTop;
    bool SingleLine = false;                 // line feeds do not break the line
    bool WordBreak = false;                  // lines wrap at the rectangle's right edge
    Qt::TextElideMode Elide = Qt::ElideNone; // per line, for text that does not wrap
    bool Mnemonic = true;                    // "&x" underlines x, "&&" is "&"
    bool HideMnemonic = false;
    bool ExpandTabs = false;
    bool NoClip = false;
    bool CalcRect = false;

    // The flags to give QPainter::drawText and QFontMetrics::boundingRect.
    int QtFlags() const;
};

// The layout of a format word.
SDrawTextLayout DrawTextLayout(unsigned format);

// Lays the text out as DT_CALCRECT does, with the font of the metrics: sets the rectangle's right
// and bottom to hold it and returns its height. Wrapped text that takes more than one line keeps
// the rectangle's width (or the width of a wider word).
int CalcTextRect(const QFontMetrics& metrics, const QString& text, CRect& rect, unsigned format);

// Draws the text in the rectangle with the painter's font, pen and the format's layout, and
// returns the height of the text. With DT_CALCRECT nothing is drawn: the rectangle's right and
// bottom are set to hold the text (wrapped at the rectangle's width with DT_WORDBREAK).
int DrawText(QPainter& painter, const QString& text, CRect& rect, unsigned format);
