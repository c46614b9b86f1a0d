#include "menus/ColorRef.h"

#include <algorithm>

namespace menus {
namespace {
template <typename F> COLORREF PerChannel(COLORREF a, COLORREF b, F f)
{
    return RGB(f(GetRValue(a), GetRValue(b)), f(GetGValue(a), GetGValue(b)),
               f(GetBValue(a), GetBValue(b)));
}
} // namespace

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}

QColor ColorRefToQColor(COLORREF colour)
{
    if (colour & 0xFF000000)
        return {};
    return ToQColor(colour);
}

COLORREF QColorToColorRef(const QColor& colour)
{
    if (!colour.isValid())
        return CLR_DEFAULT;
    return FromQColor(colour);
}

COLORREF LightenColor(int amount, COLORREF c)
{
    return PerChannel(c, c, [amount](int v, int) { return v + MulDiv(255 - v, amount, 255); });
}

COLORREF DarkenColor(int amount, COLORREF c)
{
    return PerChannel(c, c, [amount](int v, int) { return MulDiv(v, 255 - amount, 255); });
}

COLORREF MixColor(COLORREF c0, COLORREF c1, int weight)
{
    if (c1 == CLR_NONE)
        return CLR_NONE;
    return PerChannel(c0, c1,
                      [weight](int a, int b) { return (b * weight + (255 - weight) * a) / 256; });
}

COLORREF MixColor70(COLORREF a, COLORREF b)
{
    return PerChannel(
        a, b, [](int x, int y) { return std::min(255, MulDiv(7, x, 10) + MulDiv(3, y, 10)); });
}

COLORREF MixColor86(COLORREF a, COLORREF b)
{
    return PerChannel(
        a, b, [](int x, int y) { return std::min(255, MulDiv(86, x, 100) + MulDiv(14, y, 100)); });
}

bool IsLightColor(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c) > 384;
}

COLORREF BarShadowColor(COLORREF face)
{
    return RGB(GetRValue(face) * 7 / 10, GetGValue(face) * 7 / 10, (GetBValue(face) + 55) * 7 / 10);
}
} // namespace menus
