#pragma once

#include "menus/MulDiv.h"

#include <QRect>

class QFont;

// Dialog units of a font: a horizontal unit is a quarter of the average width of the 52 letters
// A..Z a..z, a vertical unit an eighth of the text height. Controls declared in dialog units are
// placed with these.
struct SDialogUnits
{
    int BaseX = 0; // width of the 52 letters / 52
    int BaseY = 0; // height of the letters

    static SDialogUnits FromFont(const QFont& font);
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    // A rectangle given in dialog units.
    QRect ToPixels(int x, int y, int width, int height) const
    {
        return {ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height)};
    }
};

// (number x numerator) / denominator, rounded half away from zero; -1 when the denominator is 0.
using menus::MulDiv;
