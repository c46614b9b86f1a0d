#include "app/HistoryKeyFilter.h"

#include <Qt>

EHistoryKeyAction FilterHistoryKey(int key, bool ctrlHeld, bool modal, bool canUndo, bool canRedo)
{
    if (!ctrlHeld || (key != Qt::Key_Z && key != Qt::Key_Y))
        return EHistoryKeyAction::PassOn;
    if (key == Qt::Key_Z)
        return !modal && canUndo ? EHistoryKeyAction::Undo : EHistoryKeyAction::Swallow;
    return !modal && canRedo ? EHistoryKeyAction::Redo : EHistoryKeyAction::Swallow;
}
