#include "menus/MenuColors.h"

#include "menus/MenuTheme.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <map>
#include <tuple>

namespace menus {
namespace {
COLORREF MixedCaptionBase(COLORREF window, COLORREF caption)
{
    const COLORREF mixed = GetNearestColor(MixColor70(window, caption));
    switch (mixed) {
    case 0xF0C5AC:
        return 0xF5C2A3;
    case 0xE6E6E6:
        return 0xE5D7D7;
    case 0xCCDCD6:
        return 0xAADADA;
    default:
        return mixed;
    }
}

bool IsModeOf2003Brush(int mode)
{
    return mode >= 8 && mode <= 11;
}

// A pattern brush of the width of the screen (rounded down to a multiple of 8) and 20 pixels
// high: a horizontal gradient from `from` to `to` over at most 700 pixels, then `to`.
QBrush MakeGradientBrush(COLORREF from, COLORREF to)
{
    const int width = std::max(8, (GetSystemMetrics(SM_CXFULLSCREEN) + 16) / 8 * 8);
    QImage image(width, 20, QImage::Format_RGB32);
    const int span = std::min(width, 700);
    for (int x = 0; x < width; ++x) {
        QRgb rgb;
        if (x < span) {
            const int r = GetRValue(from) + MulDiv(GetRValue(to) - GetRValue(from), x, span);
            const int g = GetGValue(from) + MulDiv(GetGValue(to) - GetGValue(from), x, span);
            const int b = GetBValue(from) + MulDiv(GetBValue(to) - GetBValue(from), x, span);
            rgb = qRgb(r, g, b);
        } else {
            rgb = qRgb(GetRValue(to), GetGValue(to), GetBValue(to));
        }
        for (int y = 0; y < 20; ++y)
            image.setPixel(x, y, rgb);
    }
    return QBrush(QPixmap::fromImage(image));
}

// The brush list: one brush per kind and colours, kept for the life of the process.
const QBrush& CachedBrush(int kind, COLORREF colour1, COLORREF colour2)
{
    static std::map<std::tuple<int, COLORREF, COLORREF>, QBrush> brushes;
    const auto key = std::make_tuple(kind, colour1, colour2);
    auto it = brushes.find(key);
    if (it == brushes.end()) {
        QBrush brush = (kind == 8 || kind == 10) ? MakeGradientBrush(colour1, colour2)
                                                 : QBrush(ToQColor(colour1));
        it = brushes.emplace(key, brush).first;
    }
    return it->second;
}
} // namespace

bool IsVisualStyleOn()
{
    return CUxThemeLoader::Instance().IsThemeActive() != 0;
}

COLORREF MenuBackgroundColor(std::optional<COLORREF> menuBrush)
{
    if (menuBrush)
        return *menuBrush;
    return GetSysColor(IsFlatMenus() ? COLOR_MENUBAR : COLOR_MENU);
}

COLORREF FaceColor()
{
    return GetSysColor(COLOR_BTNFACE);
}

COLORREF MenuBarColor(std::optional<COLORREF> menuBrush)
{
    if (menuBrush)
        return *menuBrush;
    if (IsFlatMenus() || IsVisualStyleOn())
        return GetSysColor(COLOR_MENUBAR);
    return FaceColor();
}

COLORREF SelectionColor()
{
    if (IsHighContrast())
        return GetSysColor(COLOR_HIGHLIGHT);
    if (GetScreenColorCount() < 257)
        return GetSysColor(COLOR_WINDOW);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    if (!IsVisualStyleOn() && IsLightColor(highlight))
        return MixColor86(window, highlight);
    return MixColor70(window, highlight);
}

SSchemeColors Get2003Colors(bool darkRequest)
{
    const int mode = CurrentDrawMode();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    if (mode == 10 || mode == 11) {
        COLORREF base =
            GetNearestColor(MixColor70(DarkenColor(10, window), GetSysColor(COLOR_ACTIVECAPTION)));
        if (darkRequest)
            return {DarkenColor(20, base), LightenColor(200, base)};
        return {base, LightenColor(110, base)};
    }
    if (!IsVisualStyleOn()) {
        const COLORREF face = FaceColor();
        return {face, MixColor(face, window, 220)};
    }
    CUxThemeLoader& binding = CUxThemeLoader::Instance();
    COLORREF base;
    int lighten = 110;
    if (HTHEME theme = binding.OpenThemeData(nullptr, QStringLiteral("Window"))) {
        COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
        COLORREF windowColour = window;
        COLORREF value = 0;
        if (binding.GetThemeColor(theme, 0, 0, TMT_FILLCOLORHINT, &value) == S_OK)
            caption = value;
        if (binding.GetThemeColor(theme, 0, 0, TMT_EDGEHIGHLIGHTCOLOR, &value) == S_OK)
            windowColour = value;
        binding.CloseThemeData(theme);
        switch (caption) {
        case 0x86B8AA:
            base = 0xAADADA;
            break;
        case 0xBEA3A4:
            base = 0xE5D7D7;
            break;
        case 0xE55400:
            base = 0xF5C2A3;
            break;
        default:
            base = GetNearestColor(MixColor70(windowColour, caption));
            break;
        }
    } else {
        base = MixedCaptionBase(window, GetSysColor(COLOR_ACTIVECAPTION));
        lighten = 100;
    }
    if (darkRequest)
        return {DarkenColor(20, base), LightenColor(200, base)};
    return {base, LightenColor(lighten, base)};
}

std::array<COLORREF, 4> Get2003GradientColors()
{
    if (!IsVisualStyleOn()) {
        const SSchemeColors dark = Get2003Colors(true);
        const COLORREF c1 = dark.Light;
        const COLORREF c3 = dark.Base;
        return {c1, MixColor(c3, c1, 100), c3, DarkenColor(50, c3)};
    }
    const COLORREF base = Get2003Colors().Base;
    switch (base) {
    case 0xAADADA:
        return {0xDEF7F4, 0xACDED1, 0x91C6B7, 0x588060};
    case 0xE5D7D7:
        return {0xFAF4F3, 0xECE2E1, 0xB59799, 0x947C7C};
    case 0xF5C2A3:
        return {0xFEECDD, 0xF9DBC4, 0xE2A981, 0x9C613B};
    default:
        return {LightenColor(140, base), LightenColor(115, base), DarkenColor(40, base),
                DarkenColor(110, base)};
    }
}

std::optional<QBrush> GetThemeBrush()
{
    const int mode = CurrentDrawMode();
    const bool solidOnly = IsPaletteScreen() || IsHighContrast();
    if (mode == 2 || mode == 3)
        return CachedBrush(2, FaceColor(), 0);
    if (IsModeOf2003Brush(mode)) {
        if (solidOnly && mode >= 10)
            return CachedBrush(2, FaceColor(), 0);
        const SSchemeColors scheme = Get2003Colors();
        if (solidOnly)
            return CachedBrush(2, scheme.Base, 0);
        return CachedBrush(mode >= 10 ? 8 : 10, scheme.Base, scheme.Light);
    }
    return std::nullopt;
}

std::optional<COLORREF> GetThemeBrushColor()
{
    const int mode = CurrentDrawMode();
    if (mode == 2 || mode == 3)
        return FaceColor();
    if (IsModeOf2003Brush(mode)) {
        if ((IsPaletteScreen() || IsHighContrast()) && mode >= 10)
            return FaceColor();
        return Get2003Colors().Base;
    }
    return std::nullopt;
}

void FillWithThemeBrush(QPainter& painter, const QRect& rect, const QBrush& brush,
                        QPoint windowOrigin)
{
    QRect patterned = rect;
    const QImage texture = brush.textureImage();
    if (!texture.isNull()) {
        const int end = windowOrigin.x() + texture.width();
        if (rect.right() >= end) {
            const int from = std::max(rect.left(), end);
            painter.fillRect(QRect(from, rect.top(), rect.right() - from + 1, rect.height()),
                             texture.pixelColor(texture.width() - 1, 0));
            patterned.setRight(end - 1);
        }
    }
    if (patterned.isEmpty())
        return;
    painter.save();
    painter.setBrushOrigin(windowOrigin);
    painter.fillRect(patterned, brush);
    painter.restore();
}

COLORREF ThemeBrushColourAt(const QBrush& brush, int column)
{
    const QImage texture = brush.textureImage();
    if (texture.isNull())
        return FromQColor(brush.color());
    if (column >= texture.width())
        return FromQColor(texture.pixelColor(texture.width() - 1, 0));
    const int x = (column % texture.width() + texture.width()) % texture.width();
    return FromQColor(texture.pixelColor(x, 0));
}

COLORREF DisabledImageWash()
{
    const int mode = CurrentDrawMode();
    if (mode == 2 || mode == 3)
        return LightenColor(115, FaceColor());
    if (IsModeOf2003Brush(mode))
        return LightenColor(115, Get2003Colors().Base);
    return LightenColor(115, MenuBarColor());
}
} // namespace menus
