#pragma once

#include "menus/NewMenu.h"

#include <QMainWindow>

class CCommandActions;

// The base of the main window: its menu bar holds a menu resource with the shared command
// actions and shows the theme brush behind its items, and the areas where toolbars dock are
// filled with the same brush, aligned to the window, so that the gradient runs on unbroken
// from the menu bar over the docked bars. A palette change rebuilds brush and derived images.
class CNewFrameWnd : public QMainWindow
{
    Q_OBJECT
public:
    explicit CNewFrameWnd(QWidget* parent = nullptr);
    ~CNewFrameWnd() override;

    // Loads the menu resource into the window's menu bar. Returns false, leaving the bar
    // empty, when the resource is unknown.
    bool LoadFrameMenu(unsigned menuId, CCommandActions& actions);
    // The window's menu.
    CNewMenu& GetMenu() { return m_menu; }

    // The rectangle of the dock area on the side, spanning the window across it; empty when
    // no visible toolbar is docked there.
    QRect DockAreaRect(Qt::ToolBarArea area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CNewMenu m_menu;
};
