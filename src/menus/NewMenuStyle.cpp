#include "menus/NewMenuStyle.h"

#include "menus/CommandActions.h"
#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"
#include "menus/MenuItemPainting.h"
#include "menus/MenuPaint.h"
#include "menus/MenuTheme.h"
#include "menus/NewMenuHook.h"
#include "menus/SystemMetrics.h"
#include "menus/ToolBarPainting.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

using namespace menus;

namespace {
QPoint WindowOrigin(const QWidget* widget)
{
    if (!widget)
        return {};
    return -widget->mapTo(widget->window(), QPoint(0, 0));
}

bool HasThemeBrush(const QWidget* widget)
{
    return widget && widget->property(CNewMenuStyle::kThemeBrushProperty).toBool();
}

QSize MenuIconSize(const QWidget* widget)
{
    const QVariant size = widget ? widget->property(CNewMenuStyle::kIconSizeProperty) : QVariant();
    return size.isValid() ? size.toSize() : QSize(16, 15);
}

QAction* ActionAt(const QWidget* widget, const QRect& rect)
{
    if (rect.isEmpty())
        return nullptr;
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->actionAt(rect.center());
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
        return bar->actionAt(rect.center());
    return nullptr;
}

SMenuItemPaint MakeItem(const QStyleOptionMenuItem& option, const QWidget* widget, bool bar)
{
    SMenuItemPaint item;
    item.Rect = option.rect;
    item.Text = option.text;
    item.MenuBar = bar;
    const QSize iconSize = MenuIconSize(widget);
    item.IconWidth = iconSize.width();
    item.IconHeight = iconSize.height();
    if (option.direction == Qt::RightToLeft)
        item.Flags |= MFT_RIGHTORDER;
    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        if (option.text.isEmpty())
            item.Flags |= MF_SEPARATOR;
        else
            item.TitleFlags = MFT_TITLE; // a section
    }
    if (option.menuItemType == QStyleOptionMenuItem::DefaultItem)
        item.State |= ODS_DEFAULT;
    if (option.menuItemType == QStyleOptionMenuItem::SubMenu)
        item.HasSubMenu = true;
    if (!(option.state & QStyle::State_Enabled))
        item.State |= ODS_GRAYED | ODS_DISABLED;
    if (option.state & QStyle::State_Selected) {
        // A bar item is open while its pop-up shows (sunken) and only hot otherwise.
        if (!bar || (option.state & QStyle::State_Sunken))
            item.State |= ODS_SELECTED;
        else
            item.State |= ODS_HOTLIGHT;
    }
    if (option.checkType != QStyleOptionMenuItem::NotCheckable) {
        item.Mark = option.checkType == QStyleOptionMenuItem::Exclusive ? ECheckMark::Radio
                                                                        : ECheckMark::Check;
        if (option.checked)
            item.State |= ODS_CHECKED;
    }
    if (!option.icon.isNull() && !bar)
        item.Image = option.icon.pixmap(iconSize, QIcon::Normal, QIcon::Off);
    if (QAction* action = ActionAt(widget, option.rect))
        item.Id = CCommandActions::CommandId(action);
    if (bar && HasThemeBrush(widget)) {
        item.MenuBrush = GetThemeBrush();
        item.MenuBrushColour = GetThemeBrushColor();
    }
    item.WindowOrigin = WindowOrigin(widget);
    return item;
}

bool IsToolBarButton(const QWidget* widget)
{
    return widget && qobject_cast<const QToolButton*>(widget) &&
           qobject_cast<const QToolBar*>(widget->parentWidget());
}

bool IsFloating(const QWidget* toolBar)
{
    return toolBar && toolBar->isWindow();
}
} // namespace

CNewMenuStyle::CNewMenuStyle(QStyle* base)
    : QProxyStyle(base ? base : QStyleFactory::create(QStringLiteral("Fusion")))
{
}

CNewMenuStyle* CNewMenuStyle::Install()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return nullptr;
    CNewMenuHook::Instance().Install(*application);
    if (auto* style = qobject_cast<CNewMenuStyle*>(QApplication::style()))
        return style;
    auto* style = new CNewMenuStyle;
    QApplication::setStyle(style); // the application owns it
    return style;
}

void CNewMenuStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (auto* popup = qobject_cast<QMenu*>(widget))
        CNewMenuHook::ApplyPopupMargins(popup);
    if (qobject_cast<QToolButton*>(widget) && qobject_cast<QToolBar*>(widget->parentWidget()))
        widget->setAttribute(Qt::WA_Hover, true);
}

int CNewMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return CurrentTheme().SystemFrameWidth();
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarVMargin:
    case PM_MenuBarHMargin:
        return 0;
    case PM_ToolBarIconSize:
        return 16;
    case PM_ToolBarHandleExtent:
        return 7;
    case PM_ToolBarFrameWidth:
        return 1;
    case PM_ToolBarItemMargin:
        return 1;
    case PM_ToolBarItemSpacing:
        return 0;
    case PM_ToolBarSeparatorExtent:
        return 6;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CNewMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const
{
    if (type == CT_MenuItem || type == CT_MenuBarItem) {
        if (const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem measured = *menuOption;
            measured.rect = QRect();
            SMenuItemPaint item = MakeItem(measured, widget, type == CT_MenuBarItem);
            if (type == CT_MenuItem) {
                // The menu adds the widest accelerator text to the widest item itself.
                const qsizetype tab = item.Text.indexOf(u'\t');
                if (tab >= 0)
                    item.Text = item.Text.left(tab + 1);
            }
            return MeasureMenuItem(item);
        }
    }
    if (type == CT_ToolButton && IsToolBarButton(widget)) {
        const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (button && button->toolButtonStyle == Qt::ToolButtonIconOnly) {
            QSize result = button->iconSize + QSize(7, 7);
            if (button->features & QStyleOptionToolButton::MenuButtonPopup)
                result.rwidth() += 13;
            return result;
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void CNewMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_PanelMenu: {
        const auto* popup = qobject_cast<const QMenu*>(widget);
        const CMenuTheme& theme = CurrentTheme();
        const CMenuHookData* record = popup ? CNewMenuHook::Instance().Record(popup) : nullptr;
        CMenuHookData unshown;
        if (popup && !record) {
            unshown.Menu = const_cast<QMenu*>(popup);
            unshown.LastPosition = popup->pos();
            record = &unshown;
        }
        if (popup && theme.FrameFlag()) {
            theme.EraseBackground(*painter, popup->contentsRect(), record);
            theme.PaintNonClientFrame(*painter, popup, record);
        } else {
            theme.EraseBackground(*painter, option->rect, record);
        }
        return;
    }
    case PE_FrameMenu:
        if (qobject_cast<const QMenu*>(widget)) {
            const QRect r = option->rect;
            if (IsFlatMenus()) {
                DrawOutline(*painter, r, GetSysColor(COLOR_BTNSHADOW));
            } else {
                Draw3dRect(*painter, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
                Draw3dRect(*painter, r.adjusted(1, 1, -1, -1), GetSysColor(COLOR_BTNHIGHLIGHT),
                           GetSysColor(COLOR_BTNSHADOW));
            }
            return;
        }
        break;
    case PE_PanelMenuBar:
        return;
    case PE_IndicatorToolBarHandle:
        if (!IsFloating(widget)) {
            // The dots keep their distance from the bar's own border, so the handle runs the
            // bar's whole length.
            const bool horizontal = option->state & State_Horizontal;
            QRect handle = option->rect;
            if (widget && horizontal)
                handle = QRect(handle.x(), 0, handle.width(), widget->height());
            else if (widget)
                handle = QRect(0, handle.y(), widget->width(), handle.height());
            CurrentTheme().DrawGripper(*painter, handle,
                                       horizontal ? Qt::Horizontal : Qt::Vertical);
        }
        return;
    case PE_IndicatorToolBarSeparator:
        DrawToolBarSeparator(*painter, option->rect, option->state & State_Horizontal);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CNewMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            painter->save();
            DrawMenuItem(*painter, MakeItem(*menuOption, widget, element == CE_MenuBarItem));
            painter->restore();
            return;
        }
        break;
    case CE_MenuEmptyArea:
        // The pop-up's panel has filled everything already.
        return;
    case CE_MenuBarEmptyArea: {
        if (HasThemeBrush(widget)) {
            if (const std::optional<QBrush> brush = GetThemeBrush()) {
                FillWithThemeBrush(*painter, option->rect, *brush, WindowOrigin(widget));
                return;
            }
        }
        FillSolid(*painter, option->rect, MenuBarColor());
        return;
    }
    case CE_ToolBar: {
        const bool floating = IsFloating(widget);
        const bool horizontal = option->state & State_Horizontal;
        DrawToolBarBackground(*painter, option->rect, horizontal, floating, GetThemeBrush(),
                              WindowOrigin(widget));
        const auto* bar = qobject_cast<const QToolBar*>(widget);
        if (!floating && bar && bar->isMovable())
            CurrentTheme().DrawCorners(*painter, option->rect);
        return;
    }
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CNewMenuStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const
{
    if (control == CC_ToolButton && IsToolBarButton(widget)) {
        const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (button) {
            SToolButtonState state;
            state.Enabled = button->state & State_Enabled;
            state.Hot = state.Enabled && (button->state & State_MouseOver);
            state.Pressed = button->state & State_Sunken;
            state.Checked = button->state & State_On;
            state.DropDown = button->features & QStyleOptionToolButton::MenuButtonPopup;
            if (state.Pressed)
                state.Hot = true;
            if (DrawToolButtonBackground(*painter, button->rect, state)) {
                if (button->toolButtonStyle == Qt::ToolButtonIconOnly) {
                    DrawToolButtonImage(*painter, button->rect,
                                        button->icon.pixmap(button->iconSize), state);
                } else {
                    QStyleOptionToolButton label = *button;
                    label.state &= ~(State_Sunken | State_On);
                    QProxyStyle::drawControl(CE_ToolButtonLabel, &label, painter, widget);
                }
                if (state.DropDown) {
                    QStyleOption arrow = *button;
                    arrow.rect = QRect(button->rect.right() - 12, button->rect.top(), 13,
                                       button->rect.height());
                    QProxyStyle::drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
                }
                return;
            }
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QPixmap CNewMenuStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                           const QStyleOption* option) const
{
    if (mode == QIcon::Disabled) {
        QPixmap disabled =
            QPixmap::fromImage(MakeDisabledImage(pixmap.toImage(), DisabledImageWash()));
        disabled.setDevicePixelRatio(pixmap.devicePixelRatio());
        return disabled;
    }
    return QProxyStyle::generatedIconPixmap(mode, pixmap, option);
}
