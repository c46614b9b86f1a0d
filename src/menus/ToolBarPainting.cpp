#include "menus/ToolBarPainting.h"

#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"
#include "menus/MenuPaint.h"
#include "menus/MenuTheme.h"
#include "menus/SystemMetrics.h"

#include <QBrush>
#include <QPainter>

namespace menus {
namespace {
constexpr COLORREF kButtonFrame = 0x840204; // RGB(4, 2, 132)
constexpr COLORREF kHotTop = 0xDBEFFA;      // RGB(250, 239, 219)
constexpr COLORREF kHotFoot = 0x97D4FF;     // RGB(255, 212, 151)
constexpr COLORREF kPressedTop = 0x6B97F2;  // RGB(242, 151, 107)
constexpr COLORREF kPressedFoot = 0xA3CAF9; // RGB(249, 202, 163)
constexpr COLORREF kCheckedFill = 0xC2EEFF; // RGB(255, 238, 194)

bool Is2003Mode(int mode)
{
    return mode >= 8 && mode <= 11;
}
} // namespace

void DrawToolBarBackground(QPainter& painter, const QRect& rect, bool horizontal, bool floating,
                           const std::optional<QBrush>& brush, QPoint windowOrigin)
{
    const int mode = CurrentDrawMode();
    const bool themed = mode == 2 || mode == 3 || (mode >= 6 && mode <= 11);
    if (!floating && themed) {
        if (brush) {
            FillWithThemeBrush(painter, rect, *brush, windowOrigin);
        } else {
            FillSolid(painter, rect, MenuBarColor());
        }
    }
    if (Is2003Mode(mode) || mode == 6 || mode == 7) {
        COLORREF c1, c2, c3, c4;
        if (Is2003Mode(mode)) {
            if (IsPaletteScreen()) {
                FillSolid(painter, rect, DarkenColor(30, SelectionColor()));
                return;
            }
            const auto colours = Get2003GradientColors();
            c1 = colours[0];
            c2 = colours[1];
            c3 = colours[2];
            c4 = colours[3];
        } else {
            const COLORREF menu = MenuBackgroundColor();
            c1 = LightenColor(60, menu);
            c2 = menu;
            c3 = DarkenColor(60, menu);
            c4 = DarkenColor(150, menu);
        }
        if (horizontal) {
            const int half = rect.height() / 2;
            DrawGradient(painter, QRect(rect.x(), rect.y(), rect.width(), half), c1, c2, false);
            DrawGradient(painter,
                         QRect(rect.x(), rect.y() + half, rect.width(), rect.height() - half), c2,
                         c3, false);
            if (!floating && c4 != CLR_NONE)
                FillSolid(painter, QRect(rect.x(), rect.y() + rect.height() - 3, rect.width(), 1),
                          c4);
        } else {
            const int half = rect.width() / 2;
            DrawGradient(painter, QRect(rect.x(), rect.y(), half, rect.height()), c1, c2, true);
            DrawGradient(painter,
                         QRect(rect.x() + half, rect.y(), rect.width() - half, rect.height()), c2,
                         c3, true);
            if (!floating && c4 != CLR_NONE)
                FillSolid(painter, QRect(rect.x() + rect.width() - 1, rect.y(), 1, rect.height()),
                          c4);
        }
        return;
    }
    if (mode == 2 || mode == 3) {
        FillSolid(painter, rect, MixColor86(FaceColor(), GetSysColor(COLOR_WINDOW)));
        return;
    }
    FillSolid(painter, rect, MenuBarColor());
}

void DrawToolBarSeparator(QPainter& painter, const QRect& rect, bool horizontalBar)
{
    const int mode = CurrentDrawMode();
    COLORREF dark, light;
    if (Is2003Mode(mode)) {
        const COLORREF base = Get2003Colors().Base;
        dark = DarkenColor(40, base);
        light = LightenColor(140, base);
    } else if (mode == 2 || mode == 3) {
        dark = light = DarkenColor(40, FaceColor());
    } else if (mode == 6 || mode == 7) {
        dark = light = LightenColor(150, GetSysColor(COLOR_3DDKSHADOW));
    } else {
        dark = GetSysColor(COLOR_BTNSHADOW);
        light = GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    const QPoint centre = rect.center();
    const QRect line = horizontalBar ? QRect(centre.x(), rect.top() + 3, 2, rect.height() - 6)
                                     : QRect(rect.left() + 3, centre.y(), rect.width() - 6, 2);
    Draw3dRect(painter, line, dark, light);
}

bool DrawToolButtonBackground(QPainter& painter, const QRect& rect, const SToolButtonState& state)
{
    const int mode = CurrentDrawMode();
    const bool pressed = state.Hot && state.Pressed;
    if (Is2003Mode(mode)) {
        if (!state.Enabled)
            return true;
        const QRect frame = rect;
        if (pressed || (state.Hot && !state.Checked)) {
            const COLORREF top = pressed ? kPressedTop : kHotTop;
            const COLORREF foot = pressed ? kPressedFoot : kHotFoot;
            if (IsPaletteScreen())
                FillSolid(painter, frame, foot);
            else
                DrawGradient(painter, frame, top, foot, false);
            DrawOutline(painter, frame, kButtonFrame);
        } else if (state.Checked) {
            FillSolid(painter, frame, kCheckedFill);
            DrawOutline(painter, frame, kButtonFrame);
        } else {
            return true;
        }
        if (state.DropDown)
            DrawOutline(painter, QRect(rect.x() + rect.width() - 13, rect.y(), 13, rect.height()),
                        kButtonFrame);
        return true;
    }
    if (mode == 2 || mode == 3) {
        if (!state.Enabled || !(state.Hot || state.Checked))
            return true;
        const COLORREF selection = SelectionColor();
        COLORREF fill = selection;
        if (pressed)
            fill = MixColor86(selection, GetSysColor(COLOR_HIGHLIGHT));
        else if (state.Checked && !state.Hot)
            fill = MixColor86(MixColor86(FaceColor(), GetSysColor(COLOR_WINDOW)),
                              GetSysColor(COLOR_HIGHLIGHT));
        FillSolid(painter, rect, fill);
        DrawOutline(painter, rect, GetSysColor(COLOR_HIGHLIGHT));
        return true;
    }
    if (mode == 6 || mode == 7) {
        if (!state.Enabled || !(state.Hot || state.Checked))
            return true;
        const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
        DrawGradient(painter, rect, LightenColor(60, c), c, false);
        if (pressed || state.Checked)
            Draw3dRect(painter, rect, DarkenColor(60, c), LightenColor(60, c));
        else
            Draw3dRect(painter, rect, LightenColor(60, c), DarkenColor(60, c));
        return true;
    }
    return false;
}

void DrawToolButtonImage(QPainter& painter, const QRect& rect, const QPixmap& image,
                         const SToolButtonState& state)
{
    if (image.isNull())
        return;
    const QSize size = image.deviceIndependentSize().toSize();
    QPoint at(rect.x() + (rect.width() - size.width()) / 2,
              rect.y() + (rect.height() - size.height()) / 2);
    if (state.DropDown)
        at.rx() -= 7;
    if (!state.Enabled) {
        painter.drawPixmap(at, CommandImage(image, EImageKind::Disabled));
        return;
    }
    const int mode = CurrentDrawMode();
    if (state.Hot) {
        if ((mode == 2 || mode == 3) && !state.Pressed) {
            const COLORREF shadow = GetNearestColor(BarShadowColor(SelectionColor()));
            painter.drawPixmap(at + QPoint(1, 1), SilhouetteImage(image, shadow));
            painter.drawPixmap(at - QPoint(1, 1), image);
        } else {
            painter.drawPixmap(at, image);
        }
        return;
    }
    painter.drawPixmap(at, CommandImage(image, EImageKind::Shaded));
}
} // namespace menus
