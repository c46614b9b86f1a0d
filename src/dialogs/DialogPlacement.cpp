#include "dialogs/DialogPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

QWidget* FindMainWindow()
{
    // While the program starts, the main window has its place but is not shown yet: the
    // windows of the start (the open check's report) centre on where it will appear. A main
    // window that was shown and hidden again (closed) does not count.
    QWidget* placed = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow*>(widget))
            continue;
        if (widget->isVisible())
            return widget;
        if (!placed && !widget->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
            (widget->testAttribute(Qt::WA_Moved) || widget->testAttribute(Qt::WA_Resized)))
            placed = widget;
    }
    return placed;
}

void CentreOnMainWindow(QWidget& window)
{
    // Client areas are centred on each other: the frames, which the window system may not have
    // drawn yet, are then centred too.
    QRect main;
    if (const QWidget* mainWindow = FindMainWindow())
        main = mainWindow->geometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        main = screen->availableGeometry();
    else
        return;
    const QSize own = window.size();
    window.setGeometry(main.left() + main.width() / 2 - own.width() / 2,
                       main.top() + main.height() / 2 - own.height() / 2, own.width(),
                       own.height());
}
