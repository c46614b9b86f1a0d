#include "menus/PopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// Moves the span [start, start + length) into [low, high): to the low end when it is longer.
int ShiftInto(int start, int length, int low, int high)
{
    if (start + length > high)
        start = high - length;
    return std::max(start, low);
}

} // namespace

QRect FitPopupIntoArea(QRect wanted, const QRect& available, const QRect& anchor)
{
    if (available.isEmpty())
        return wanted;
    const int areaBottom = available.top() + available.height();
    if (!anchor.isEmpty() && wanted.top() + wanted.height() > areaBottom) {
        // No room under the anchor: above it, when more of the popup shows there.
        const int roomBelow = areaBottom - wanted.top();
        const int roomAbove = anchor.top() - available.top();
        if (roomAbove > roomBelow)
            wanted.moveTop(anchor.top() - wanted.height());
    }
    wanted.moveLeft(ShiftInto(wanted.left(), wanted.width(), available.left(),
                              available.left() + available.width()));
    wanted.moveTop(ShiftInto(wanted.top(), wanted.height(), available.top(), areaBottom));
    return wanted;
}

QRect FitPopupOnScreen(const QRect& wanted, const QRect& anchor)
{
    return FitPopupIntoArea(
        wanted, AvailableScreenArea(anchor.isEmpty() ? wanted.topLeft() : anchor.center()), anchor);
}

QRect AvailableScreenArea(const QPoint& point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
