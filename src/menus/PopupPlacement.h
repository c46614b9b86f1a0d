#pragma once

#include <QPoint>
#include <QRect>

// Where a popup window that the program places itself (a drop-down list, a calendar, a tip)
// goes so that the whole of it stays on the screen.

// The wanted place (global coordinates) moved into the available area. A popup that drops from
// an anchor (the field it belongs to; none when empty) and has no room under it opens above the
// anchor when there is more room there; then it is shifted left or up (right or down) until it
// lies inside the area. One larger than the area keeps its top-left corner inside it.
QRect FitPopupIntoArea(QRect wanted, const QRect& available, const QRect& anchor = QRect());

// The same inside the available area of the screen that holds the anchor (else the wanted
// place; the primary screen when none does).
QRect FitPopupOnScreen(const QRect& wanted, const QRect& anchor = QRect());

// The available area (without the desktop's panels) of the screen that holds the point; the
// primary screen's when none does; empty without a screen.
QRect AvailableScreenArea(const QPoint& point);
