#include "grid/ColorRef.h"

QColor ColorRefToQColor(COLORREF colour)
{
    if (colour & 0xFF000000)
        return {};
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF QColorToColorRef(const QColor& colour)
{
    if (!colour.isValid())
        return CLR_DEFAULT;
    const QColor rgb = colour.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}
