#include "dialogs/DialogPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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

int TitleBarWidth(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The buttons of a title bar are about as high as the bar, a line of its font and a little:
    // five such squares hold three buttons (or the icon and a menu button) with their gaps and
    // the frame, on each side. Window managers often draw titles larger than the application's
    // text, which the generous squares make up for.
    return metrics.horizontalAdvance(title) + 2 * 5 * metrics.height();
}

void FitWidthToTitle(QWidget& window)
{
    int needed = TitleBarWidth(window.windowTitle());
    if (const QScreen* screen = window.screen())
        needed = std::min(needed, screen->availableGeometry().width());
    const int before = window.width();
    if (window.minimumWidth() >= needed)
        return;
    // A layout that sets the window's minimum size from its content alone would drop the
    // title's width when it is next activated; the default rule keeps a width set here and still
    // takes the content's height.
    if (QLayout* layout = window.layout();
        layout && layout->sizeConstraint() == QLayout::SetMinimumSize)
        layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    if (window.maximumWidth() < needed)
        window.setMaximumWidth(needed);
    window.setMinimumWidth(needed);
    // A window placed by the program (centred on the main window) keeps its centre.
    if (window.testAttribute(Qt::WA_Moved) && window.width() > before)
        window.move(window.x() - (window.width() - before) / 2, window.y());
}

bool CDialogTitleFit::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::WindowTitleChange) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && (type == QEvent::Show || dialog->isVisible()))
            FitWidthToTitle(*dialog);
    }
    return QObject::eventFilter(watched, event);
}
