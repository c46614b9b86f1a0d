#pragma once

class QWidget;

// The program's main window: the visible top-level main window, else one that has been given
// its place but was never shown yet (the start of the program), else null.
QWidget* FindMainWindow();

// Centres a window on the program's main window (on the primary screen when there is none),
// keeping its size: its left is the main window's left plus half the main window's width less
// half its own width, and the same downwards.
void CentreOnMainWindow(QWidget& window);
