#include "dialogs/DialogPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

QWidget* FindMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) && widget->isVisible())
            return widget;
    }
    return nullptr;
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
