#include "menus/NewMenuHook.h"

#include "menus/SystemMetrics.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

using namespace menus;

CNewMenuHook& CNewMenuHook::Instance()
{
    static CNewMenuHook* hook = new CNewMenuHook; // lives until the process ends
    return *hook;
}

CNewMenuHook::CNewMenuHook()
{
    // The environment: the settings start as the system gives them (SystemMetrics.h); Wine
    // and high contrast are never detected here.
    SystemSettings().Wine = false;
    SystemSettings().HighContrast = false;

    auto make = [](int mode) -> std::unique_ptr<CMenuTheme> {
        switch (mode) {
        case 0:
        case 1:
            return std::make_unique<CMenuTheme>(mode, EMeasureRoutine::First, EDrawRoutine::First);
        case 2:
        case 3:
            return std::make_unique<CMenuThemeXP>(mode, EMeasureRoutine::XP, EDrawRoutine::XP);
        case 4:
        case 5:
            return std::make_unique<CMenuTheme>(mode, EMeasureRoutine::First, EDrawRoutine::Second);
        case 6:
        case 7:
            return std::make_unique<CMenuTheme>(mode, EMeasureRoutine::Second, EDrawRoutine::Third);
        case 8:
        case 9:
            return std::make_unique<CMenuTheme2003>(mode, EMeasureRoutine::XP,
                                                    EDrawRoutine::Office2003);
        default:
            return std::make_unique<CMenuThemeXP>(mode, EMeasureRoutine::XP,
                                                  EDrawRoutine::Office2003);
        }
    };
    for (int mode : {6, 7, 0, 1, 2, 3, 8, 9, 10, 11, 4, 5})
        m_themes.push_back(make(mode));
    m_pCurrent = const_cast<CMenuTheme*>(FindTheme(2));
}

void CNewMenuHook::Install(QApplication& application)
{
    if (m_bInstalled)
        return;
    application.installEventFilter(this);
    m_bInstalled = true;
}

int CNewMenuHook::CurrentMode() const
{
    return m_pCurrent ? m_pCurrent->Mode() : -1;
}

const CMenuTheme& CNewMenuHook::CurrentTheme() const
{
    return *m_pCurrent;
}

const CMenuTheme* CNewMenuHook::FindTheme(int mode) const
{
    for (const auto& theme : m_themes) {
        if (theme->Mode() == mode)
            return theme.get();
    }
    return nullptr;
}

std::vector<int> CNewMenuHook::ThemeModes() const
{
    std::vector<int> modes;
    for (const auto& theme : m_themes)
        modes.push_back(theme->Mode());
    return modes;
}

int CNewMenuHook::SetDrawMode(int mode)
{
    if (IsWine() && mode >= 0 && mode % 2 == 0)
        ++mode;
    const CMenuTheme* theme = FindTheme(mode);
    if (!theme)
        return -1;
    const int previous = CurrentMode();
    m_pCurrent = const_cast<CMenuTheme*>(theme);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* popup = qobject_cast<QMenu*>(widget))
                ApplyPopupMargins(popup);
            // Menus and bars measure their items again in the new theme.
            if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget) ||
                qobject_cast<QToolBar*>(widget)) {
                QEvent styleChange(QEvent::StyleChange);
                QCoreApplication::sendEvent(widget, &styleChange);
            }
            widget->update();
        }
    }
    return previous;
}

const CMenuHookData* CNewMenuHook::Record(const QWidget* popup) const
{
    const auto it = m_records.find(popup);
    return it == m_records.end() ? nullptr : it->second.get();
}

void CNewMenuHook::ApplyPopupMargins(QMenu* popup)
{
    const QMargins margins = Instance().CurrentTheme().PopupMargins();
    if (popup->contentsMargins() != margins) {
        popup->setContentsMargins(margins);
        // The menu measures its items again with the new margins.
        QEvent styleChange(QEvent::StyleChange);
        QCoreApplication::sendEvent(popup, &styleChange);
    }
}

bool CNewMenuHook::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish:
        if (auto* popup = qobject_cast<QMenu*>(watched))
            ApplyPopupMargins(popup);
        break;
    case QEvent::Show:
        if (auto* popup = qobject_cast<QMenu*>(watched); popup && popup->isWindow())
            OnShow(popup);
        break;
    case QEvent::Hide:
        if (qobject_cast<QMenu*>(watched))
            Release(watched);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CNewMenuHook::OnShow(QMenu* popup)
{
    ApplyPopupMargins(popup);
    auto record = std::make_unique<CMenuHookData>();
    record->Menu = popup;
    if (CurrentTheme().FrameFlag()) {
        // Lifted by one pixel, the pop-up's top line lies on its menu-bar item's bottom line,
        // which the frame then takes away so that item and pop-up read as one shape.
        popup->move(popup->pos() - QPoint(0, 1));
    }
    record->LastPosition = popup->pos();
    if (CurrentTheme().FrameFlag() && !IsFlatMenus()) {
        if (QScreen* screen = popup->screen()) {
            const QPoint origin = record->LastPosition - screen->geometry().topLeft();
            const QPixmap picture = screen->grabWindow(0, origin.x(), origin.y(),
                                                       popup->width() + 10, popup->height() + 10);
            record->Screen = picture.toImage().convertToFormat(QImage::Format_RGB32);
        }
        record->Captured = true;
    }
    connect(popup, &QObject::destroyed, this, &CNewMenuHook::OnDestroyed, Qt::UniqueConnection);
    m_records[popup] = std::move(record);
}

void CNewMenuHook::OnDestroyed(QObject* popup)
{
    Release(popup);
}

void CNewMenuHook::Release(const QObject* popup)
{
    m_records.erase(popup);
}
