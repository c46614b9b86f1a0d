#include "menus/ContextMenuKey.h"

#include <QKeyEvent>

bool IsContextMenuKey(const QKeyEvent& event)
{
    return event.type() == QEvent::KeyPress && event.key() == Qt::Key_F10 &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}
