#include "menus/SystemMetrics.h"

#include "menus/UxThemeLoader.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <array>
#include <limits>

namespace menus {
namespace {
// The 20 colours a 256-colour screen always holds.
constexpr COLORREF kStaticColours[] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
    RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
    RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
};

int Distance(COLORREF a, COLORREF b)
{
    const int dr = GetRValue(a) - GetRValue(b);
    const int dg = GetGValue(a) - GetGValue(b);
    const int db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}
} // namespace

QFont GetMenuFont(bool bold)
{
    QFont font = QApplication::font("QMenu");
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CYMENU:
        return QFontMetrics(GetMenuFont()).height() + 6;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_CXFULLSCREEN: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry().width() : 1024;
    }
    default:
        return 0;
    }
}

SSystemSettings& SystemSettings()
{
    static SSystemSettings settings;
    return settings;
}

int GetScreenColorCount()
{
    int depth = SystemSettings().ScreenDepth;
    if (depth <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        depth = screen ? screen->depth() : 32;
    }
    return depth <= 8 ? (1 << std::max(depth, 1)) : 64000;
}

bool IsPaletteScreen()
{
    return GetScreenColorCount() <= 256;
}

bool IsFlatMenus()
{
    const int setting = SystemSettings().FlatMenus;
    if (setting >= 0)
        return setting != 0;
    return CUxThemeLoader::Instance().IsThemeActive() != 0;
}

bool IsHighContrast()
{
    return SystemSettings().HighContrast;
}

bool IsWine()
{
    return SystemSettings().Wine;
}

bool IsRemoteSession()
{
    const int setting = SystemSettings().RemoteSession;
    if (setting >= 0)
        return setting != 0;
    return QGuiApplication::platformName() == u"vnc";
}

COLORREF GetNearestColor(COLORREF c)
{
    if (!IsPaletteScreen())
        return c & 0x00FFFFFF;
    COLORREF best = kStaticColours[0];
    int bestDistance = std::numeric_limits<int>::max();
    auto consider = [&](COLORREF candidate) {
        const int d = Distance(c, candidate);
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    };
    for (COLORREF s : kStaticColours)
        consider(s);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                consider(RGB(r * 51, g * 51, b * 51));
    return best;
}
} // namespace menus
