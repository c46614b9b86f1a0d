#include "menus/MenuTheme.h"

#include "menus/MenuColors.h"
#include "menus/MenuPaint.h"
#include "menus/NewMenuHook.h"
#include "menus/SystemMetrics.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace menus {
namespace {
COLORREF CapturedPixel(const CMenuHookData& record, int x, int y, COLORREF fallback)
{
    const QImage& screen = record.Screen;
    if (x < 0 || y < 0 || x >= screen.width() || y >= screen.height())
        return fallback;
    const QRgb rgb = screen.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// The menu bar whose item opens the pop-up, or null (a context menu, a sub-menu).
QMenuBar* ParentMenuBar(const QMenu* popup)
{
    if (!popup)
        return nullptr;
    for (QObject* object : popup->menuAction()->associatedObjects()) {
        if (auto* bar = qobject_cast<QMenuBar*>(object))
            return bar;
    }
    return nullptr;
}
} // namespace

CMenuTheme::CMenuTheme(int mode, EMeasureRoutine measure, EDrawRoutine drawItem)
    : m_nMode(mode), m_nFrameFlag(mode % 2 == 0 ? 1 : 0), m_measure(measure), m_drawItem(drawItem)
{
}

QSize CMenuTheme::ShadowSize() const
{
    return IsFlatMenus() ? QSize(2, 2) : QSize(5, 6);
}

QMargins CMenuTheme::PopupMargins() const
{
    if (!FrameFlag())
        return {};
    const int shadow = IsFlatMenus() ? 2 : 6;
    return QMargins(BorderMargin().width(), BorderMargin().height(), shadow, shadow);
}

int CMenuTheme::SystemFrameWidth() const
{
    if (FrameFlag())
        return 0;
    return IsFlatMenus() ? 1 : 2;
}

void CMenuTheme::DrawShadow(QPainter& painter, int w, int h, const CMenuHookData& record)
{
    if (w < 12 || h < 12)
        return;
    // Without a picture of the screen there is nothing to darken: the strips take the workspace
    // grey, a flat shadow.
    const COLORREF plain = GetSysColor(COLOR_APPWORKSPACE);
    if (record.Screen.isNull()) {
        FillShadowStrips(painter, w, h);
        return;
    }
    auto at = [&](int x, int y) { return CapturedPixel(record, x, y, plain); };
    QImage right(4, h, QImage::Format_RGB32);
    QImage bottom(w, 4, QImage::Format_RGB32);
    auto put = [](QImage& image, int x, int y, COLORREF c) {
        image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    };
    if (IsPaletteScreen()) {
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        for (int y = 0; y < h; ++y)
            for (int i = 1; i <= 4; ++i) {
                const int x = w - i;
                const bool dark = i >= 3 && y >= 4 && y <= h - 3;
                put(right, 4 - i, y, dark ? shadow : at(x, y));
            }
        for (int j = 1; j <= 4; ++j)
            for (int x = 0; x < w; ++x) {
                const int y = h - j;
                const bool dark = j >= 3 && x >= 4 && x <= w - 5;
                put(bottom, x, 4 - j, dark ? shadow : at(x, y));
            }
    } else {
        for (int j = 1; j <= 4; ++j) {
            const int y = h - j;
            for (int x = 0; x < w; ++x) {
                COLORREF c = at(x, y);
                if (x >= 8 && x <= w - 5)
                    c = DarkenColor(30 * j, c);
                else if (x >= 4 && x <= 7)
                    c = DarkenColor(6 * j * (x - 3), c);
                put(bottom, x, 4 - j, c);
            }
        }
        // The column pass last: the corner square is darkened by it alone.
        for (int i = 1; i <= 4; ++i) {
            const int x = w - i;
            for (int y = 0; y < h; ++y) {
                COLORREF c = at(x, y);
                if (y >= 4 && y <= 7)
                    c = DarkenColor(6 * i * (y - 3), c);
                else if (y >= 8 && y <= h - 5)
                    c = DarkenColor(30 * i, c);
                else if (y >= h - 4)
                    c = DarkenColor(6 * i * (h - y), c);
                put(right, 4 - i, y, c);
            }
        }
    }
    painter.drawImage(0, h - 4, bottom.copy(0, 0, w - 4, 4));
    painter.drawImage(w - 4, 0, right);
}

void CMenuTheme::FillShadowStrips(QPainter& painter, int w, int h)
{
    const COLORREF plain = GetSysColor(COLOR_APPWORKSPACE);
    FillSolid(painter, Ltrb(w - 4, 0, w, h), plain);
    FillSolid(painter, Ltrb(0, h - 4, w, h), plain);
}

bool CMenuTheme::PaintNonClientFrame(QPainter& painter, const QWidget* popup,
                                     const CMenuHookData* record) const
{
    if (!FrameFlag() || !record || !popup)
        return false;
    const int w = popup->width();
    const int h = popup->height();
    const QRect client = popup->contentsRect();
    const COLORREF outline =
        IsHighContrast() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_HIGHLIGHT);
    if (!IsFlatMenus()) {
        FillRing(painter, Ltrb(1, 1, w - 5, h - 5), client, MenuBackgroundColor());
        DrawOutline(painter, Ltrb(0, 0, w - 4, h - 4), outline);
        if (!IsHighContrast()) {
            DrawShadow(painter, w, h, *record);
        } else {
            FillShadowStrips(painter, w, h);
        }
    } else {
        FillRing(painter, Ltrb(1, 1, w - 1, h - 1), client, MenuBackgroundColor());
        DrawOutline(painter, Ltrb(0, 0, w, h), outline);
    }
    return true;
}

void CMenuTheme::EraseBackground(QPainter& painter, const QRect& client, const CMenuHookData*) const
{
    FillSolid(painter, client, MenuBackgroundColor());
}

void CMenuTheme::DrawGripper(QPainter& painter, const QRect& handle, Qt::Orientation bar) const
{
    const bool down = bar == Qt::Horizontal; // a horizontal bar has its gripper running down
    if (m_nMode >= 6 && m_nMode <= 11) {
        const bool office = m_nMode >= 8;
        const COLORREF dark =
            office ? Get2003GradientColors()[3] : DarkenColor(100, MenuBackgroundColor());
        const COLORREF light = GetSysColor(COLOR_WINDOW);
        const int start = (down ? handle.top() : handle.left()) + 4;
        const int end = down ? handle.y() + handle.height() - 8 : handle.x() + handle.width() - 4;
        const int across =
            down ? handle.x() + (handle.width() - 3) / 2 : handle.y() + (handle.height() - 3) / 2;
        for (int p = start; p + 2 <= end; p += 4) {
            const QPoint dot = down ? QPoint(across, p) : QPoint(p, across);
            if (office)
                FillSolid(painter, QRect(dot + QPoint(1, 1), QSize(2, 2)), light);
            FillSolid(painter, QRect(dot, QSize(2, 2)), dark);
        }
    } else if (m_nMode == 2 || m_nMode == 3) {
        const COLORREF shadow = BarShadowColor(FaceColor());
        if (down) {
            const int x = handle.x() + (handle.width() - 3) / 2;
            for (int y = handle.top() + 3; y < handle.y() + handle.height() - 3; y += 2)
                FillSolid(painter, QRect(x, y, 3, 1), shadow);
        } else {
            const int y = handle.y() + (handle.height() - 3) / 2;
            for (int x = handle.left() + 3; x < handle.x() + handle.width() - 3; x += 2)
                FillSolid(painter, QRect(x, y, 1, 3), shadow);
        }
    }
}

void CMenuTheme::DrawCorners(QPainter& painter, const QRect& bar) const
{
    if (m_nMode < 6 || m_nMode > 11)
        return;
    const COLORREF background = m_nMode <= 7 ? GetSysColor(COLOR_3DLIGHT) : Get2003Colors().Base;
    const int l = bar.left(), t = bar.top(), r = bar.x() + bar.width() - 1,
              b = bar.y() + bar.height() - 1;
    const QPoint pixels[] = {{l, t}, {l + 1, t}, {l, t + 1}, {r, t}, {r - 1, t}, {r, t + 1},
                             {l, b}, {l + 1, b}, {l, b - 1}, {r, b}, {r - 1, b}, {r, b - 1}};
    for (const QPoint& p : pixels)
        FillSolid(painter, QRect(p, QSize(1, 1)), background);
}

bool CMenuThemeXP::PaintNonClientFrame(QPainter& painter, const QWidget* popup,
                                       const CMenuHookData* record) const
{
    if (!FrameFlag() || !record || !popup)
        return false;
    const int w = popup->width();
    const int h = popup->height();
    const QRect client = popup->contentsRect();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF menu = MenuBackgroundColor();
    COLORREF pale = MixColor86(window, menu);
    const COLORREF border = DarkenColor(128, menu);
    COLORREF band = IsPaletteScreen() ? GetSysColor(COLOR_BTNFACE) : MixColor86(menu, window);
    if (GetNearestColor(pale) == GetNearestColor(band)) {
        pale = window;
        band = menu;
    }
    const COLORREF contrast = GetSysColor(COLOR_BTNTEXT);
    if (!IsFlatMenus()) {
        FillRing(painter, Ltrb(1, 1, w - 5, h - 5), client, pale);
        if (!IsHighContrast()) {
            DrawOutline(painter, Ltrb(1, 1, w - 5, h - 5), pale);
            FillSolid(painter, QRect(1, 2, 1, h - 8), band);
            DrawOutline(painter, Ltrb(0, 0, w - 4, h - 4), border);
            DrawShadow(painter, w, h, *record);
        } else {
            DrawOutline(painter, Ltrb(0, 0, w - 4, h - 4), contrast);
            FillShadowStrips(painter, w, h);
        }
    } else {
        FillRing(painter, Ltrb(1, 1, w - 1, h - 1), client, pale);
        if (!IsHighContrast()) {
            DrawOutline(painter, Ltrb(1, 1, w - 1, h - 1), pale);
            const int mode = CurrentDrawMode();
            FillSolid(painter, QRect(1, 2, 1, h - 4), mode == 8 || mode == 9 ? window : band);
            DrawOutline(painter, Ltrb(0, 0, w, h), border);
        } else {
            DrawOutline(painter, Ltrb(0, 0, w, h), contrast);
        }
    }
    JoinMenuBarItem(painter, popup, *record);
    return true;
}

void CMenuThemeXP::JoinMenuBarItem(QPainter& painter, const QWidget* popup,
                                   const CMenuHookData& record)
{
    const auto* menu = qobject_cast<const QMenu*>(popup);
    QMenuBar* bar = ParentMenuBar(menu);
    if (!bar)
        return;
    const QRect item = bar->actionGeometry(menu->menuAction());
    if (item.isEmpty())
        return;
    const QRect itemOnScreen(bar->mapToGlobal(item.topLeft()), item.size());
    QRect joint = QRect(record.LastPosition, popup->size()).intersected(itemOnScreen);
    if (joint.isEmpty())
        return;
    if (joint.width() > joint.height())
        joint.adjust(1, 0, -1, 0);
    else
        joint.adjust(0, 1, 0, -1);
    joint.translate(-record.LastPosition);
    FillSolid(painter, joint,
              IsPaletteScreen() ? GetSysColor(COLOR_BTNFACE)
                                : MixColor86(MenuBarColor(), GetSysColor(COLOR_WINDOW)));
}

void CMenuThemeXP::EraseBackground(QPainter& painter, const QRect& client,
                                   const CMenuHookData* record) const
{
    FillSolid(painter, client, record ? MenuBarColor() : MenuBackgroundColor());
}

int CurrentDrawMode()
{
    return CNewMenuHook::Instance().CurrentMode();
}

const CMenuTheme& CurrentTheme()
{
    return CNewMenuHook::Instance().CurrentTheme();
}
} // namespace menus
