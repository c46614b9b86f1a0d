#pragma once

#include "menus/MenuTheme.h"

#include <QObject>

#include <map>
#include <memory>
#include <vector>

class QApplication;
class QMenu;

// The process-wide start-up object of the menu library: it detects the environment (remote
// session from the platform, no Wine, high contrast off), builds the twelve theme records (in
// the order 6, 7, 0, 1, 2, 3, 8, 9, 10, 11, 4, 5), keeps the current theme (mode 2 until one is
// selected) and, once installed on the application, watches every QMenu as it is polished,
// shown and hidden: it gives the pop-up the margins of the current theme's frame, lifts the
// pop-ups of framed themes by one pixel so that they join their menu-bar item, takes the
// picture of the screen behind them for the shadow, and forgets them when they are hidden.
class CNewMenuHook : public QObject
{
    Q_OBJECT
public:
    static CNewMenuHook& Instance();

    // Installs the event filter on the application (once); later calls do nothing.
    void Install(QApplication& application);

    int CurrentMode() const;
    const menus::CMenuTheme& CurrentTheme() const;
    // Selects the theme of the mode; under Wine an even mode becomes the next odd one. Returns
    // the previous mode, or -1 (changing nothing) when no theme has that number.
    int SetDrawMode(int mode);
    // The theme of the mode, or null.
    const menus::CMenuTheme* FindTheme(int mode) const;
    // The modes of the theme list, in list order.
    std::vector<int> ThemeModes() const;

    // The record of a shown pop-up, or null.
    const menus::CMenuHookData* Record(const QWidget* popup) const;
    // Gives a pop-up the margins of the current theme.
    static void ApplyPopupMargins(QMenu* popup);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CNewMenuHook();
    void OnShow(QMenu* popup);
    void Release(const QObject* popup);
    void OnDestroyed(QObject* popup);

    std::vector<std::unique_ptr<menus::CMenuTheme>> m_themes;
    menus::CMenuTheme* m_pCurrent = nullptr;
    std::map<const QObject*, std::unique_ptr<menus::CMenuHookData>> m_records;
    bool m_bInstalled = false;
};
