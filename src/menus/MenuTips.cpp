#include "menus/MenuTips.h"

#include "menus/PopupPlacement.h"
#include "menus/SystemMetrics.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimerEvent>

using namespace menus;

QRect MenuTipPlace(const QRect& menu, int itemTop, const QSize& tip, const QRect& available)
{
    QRect place(QPoint(menu.left() + menu.width(), itemTop), tip);
    if (!available.isEmpty() && place.left() + place.width() > available.left() + available.width())
        place.moveLeft(menu.left() - tip.width());
    return FitPopupIntoArea(place, available);
}

CPopupText::CPopupText(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(GetMenuFont());
    resize(0, 0);
}

void CPopupText::SetText(const QString& text)
{
    m_text = text;
    const QSize size = QFontMetrics(font()).size(0, text);
    // The text, the margins on both sides and the one-pixel border.
    resize(size + 2 * m_margins + QSize(2, 2));
    update();
}

void CPopupText::ShowDelayed(int milliseconds)
{
    if (milliseconds <= 0) {
        m_timer.stop();
        show();
        update();
        return;
    }
    m_timer.start(milliseconds, this);
}

void CPopupText::Cancel()
{
    m_timer.stop();
    hide();
}

void CPopupText::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId()) {
        m_timer.stop();
        show();
        return;
    }
    QWidget::timerEvent(event);
}

void CPopupText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(GetSysColor(COLOR_INFOBK)));
    painter.setPen(ToQColor(GetSysColor(COLOR_WINDOWFRAME)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(GetSysColor(COLOR_INFOTEXT)));
    painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignCenter, m_text);
}

MenuTipManager::MenuTipManager(QObject* parent) : QObject(parent) {}

MenuTipManager::~MenuTipManager()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void MenuTipManager::Install(QWidget* window)
{
    m_window = window;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

CPopupText* MenuTipManager::Tip()
{
    if (!m_tip)
        m_tip = std::make_unique<CPopupText>();
    return m_tip.get();
}

QString MenuTipManager::GetPromptText(const QAction* action) const
{
    return action ? action->statusTip() : QString();
}

bool MenuTipManager::BelongsToWindow(const QMenu* menu) const
{
    if (!m_window || !menu)
        return false;
    for (const QWidget* parent = menu->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent == m_window)
            return true;
    }
    for (QObject* object : menu->menuAction()->associatedObjects()) {
        if (const auto* bar = qobject_cast<const QMenuBar*>(object)) {
            if (bar->window() == m_window)
                return true;
        } else if (const auto* parentMenu = qobject_cast<const QMenu*>(object)) {
            if (parentMenu != menu && BelongsToWindow(parentMenu))
                return true;
        }
    }
    return false;
}

void MenuTipManager::Hook(QMenu* menu)
{
    connect(menu, &QMenu::hovered, this, &MenuTipManager::OnHovered, Qt::UniqueConnection);
    connect(menu, &QMenu::aboutToHide, this, &MenuTipManager::OnAboutToHide, Qt::UniqueConnection);
}

void MenuTipManager::OnHovered(QAction* action)
{
    if (auto* menu = qobject_cast<QMenu*>(sender()))
        OnItemHighlighted(menu, action, m_bLastInputMouse);
}

void MenuTipManager::OnItemHighlighted(QMenu* menu, QAction* action, bool mouseSelected)
{
    CPopupText* tip = Tip();
    if (!action || action->menu()) {
        tip->Cancel();
        m_bWasVisible = false;
        return;
    }
    if (action->isSeparator()) {
        m_bWasVisible = tip->isVisible();
        tip->Cancel();
        return;
    }
    m_bWasVisible = tip->isVisible();
    m_bMouseSelected = mouseSelected;
    const QString text = GetPromptText(action);
    if (text.isEmpty()) {
        tip->Cancel();
        return;
    }
    const QRect item = menu->actionGeometry(action);
    const QPoint itemTop = menu->mapToGlobal(item.topLeft());
    tip->SetText(text);
    tip->move(MenuTipPlace(QRect(menu->mapToGlobal(QPoint(0, 0)), menu->size()), itemTop.y(),
                           tip->size(), AvailableScreenArea(itemTop))
                  .topLeft());
    tip->raise();
    tip->ShowDelayed(m_bWasVisible ? 0 : m_nDelay);
}

void MenuTipManager::OnAboutToHide()
{
    // A sub-menu closing leaves its parent open: the menu is closed only when no parent shows.
    if (const auto* menu = qobject_cast<QMenu*>(sender())) {
        for (QObject* object : menu->menuAction()->associatedObjects()) {
            const auto* parent = qobject_cast<QMenu*>(object);
            if (parent && parent != menu && parent->isVisible())
                return;
        }
    }
    OnMenuClosed();
}

void MenuTipManager::OnMenuClosed()
{
    if (m_tip)
        m_tip->Cancel();
    m_bWasVisible = false;
    m_bMouseSelected = false;
}

bool MenuTipManager::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        switch (event->type()) {
        case QEvent::Show:
            if (BelongsToWindow(menu))
                Hook(menu);
            break;
        case QEvent::MouseMove:
            m_bLastInputMouse = true;
            break;
        case QEvent::KeyPress:
            m_bLastInputMouse = false;
            break;
        case QEvent::Leave:
            // A tip shown for a mouse-selected item goes when the mouse leaves the menu.
            if (m_bMouseSelected && m_tip && BelongsToWindow(menu))
                m_tip->Cancel();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
