#include "menus/NewFrameWnd.h"

#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"

#include <QEvent>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>

CNewFrameWnd::CNewFrameWnd(QWidget* parent) : QMainWindow(parent) {}

CNewFrameWnd::~CNewFrameWnd()
{
    // The bar lets go of the pop-ups before the menu frees them.
    menuBar()->clear();
}

bool CNewFrameWnd::LoadFrameMenu(unsigned menuId, CCommandActions& actions)
{
    menuBar()->clear();
    if (!m_menu.LoadMenu(menuId, &actions))
        return false;
    m_menu.AttachTo(menuBar());
    CNewMenu::SetMenuBackground(menuBar());
    return true;
}

QRect CNewFrameWnd::DockAreaRect(Qt::ToolBarArea area) const
{
    QRect united;
    for (const QToolBar* bar : findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (bar->isVisible() && !bar->isFloating() && toolBarArea(bar) == area)
            united |= bar->geometry();
    }
    if (united.isEmpty())
        return {};
    if (area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea)
        return QRect(0, united.top(), width(), united.height());
    const QRect top = DockAreaRect(Qt::TopToolBarArea);
    const QRect bottom = DockAreaRect(Qt::BottomToolBarArea);
    const int from = top.isEmpty() ? united.top() : top.bottom() + 1;
    const int to = bottom.isEmpty() ? united.bottom() : bottom.top() - 1;
    return QRect(united.left(), from, united.width(), std::max(0, to - from + 1));
}

void CNewFrameWnd::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    const std::optional<QBrush> brush = menus::GetThemeBrush();
    if (!brush)
        return;
    QPainter painter(this);
    for (Qt::ToolBarArea area :
         {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea}) {
        const QRect rect = DockAreaRect(area);
        if (!rect.isEmpty())
            menus::FillWithThemeBrush(painter, rect, *brush, QPoint(0, 0));
    }
}

void CNewFrameWnd::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        // Brushes are kept per colour, so a new palette finds new ones; the derived images
        // take the new wash colour.
        menus::ClearDerivedImages();
        update();
        menuBar()->update();
    }
    QMainWindow::changeEvent(event);
}
