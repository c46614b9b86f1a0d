#pragma once

#include <QObject>

class QString;
class QWidget;

// The program's main window: the visible top-level main window, else one that has been given
// its place but was never shown yet (the start of the program), else null.
QWidget* FindMainWindow();

// Centres a window on the program's main window (on the primary screen when there is none),
// keeping its size: its left is the main window's left plus half the main window's width less
// half its own width, and the same downwards.
void CentreOnMainWindow(QWidget& window);

// The width a window needs for its title bar to show the title whole: the title in the
// application's font made bold, as window managers mostly draw titles, and room for the
// window's icon and three buttons, with some to spare, on either side, since many window
// managers centre the title.
int TitleBarWidth(const QString& title);

// Widens the window to TitleBarWidth of its title, within the width of its screen: its minimum
// width (a fixed width with it), keeping its centre where it was placed.
void FitWidthToTitle(QWidget& window);

// Keeps dialogs as wide as their titles: FitWidthToTitle on every dialog window when it is
// shown and when its title changes while it is. The window program installs one on the
// application.
class CDialogTitleFit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
