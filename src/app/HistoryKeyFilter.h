#pragma once

// What the application's keyboard filter does with a key press for undo and redo.
enum class EHistoryKeyAction
{
    PassOn,  // not an undo or redo key: the frame's shortcuts see it
    Swallow, // an undo or redo key that must do nothing now
    Undo,
    Redo,
};

// Ctrl+Z and Ctrl+Y are the application's undo and redo keys, but only while the (left) Ctrl key
// is actually held down: a Ctrl merely pressed and released earlier must not turn a plain Z or
// Y into an undo.
// While a modal dialog is up, or when there is nothing to undo (redo), the key is swallowed.
// The key is a Qt::Key value.
EHistoryKeyAction FilterHistoryKey(int key, bool ctrlHeld, bool modal, bool canUndo, bool canRedo);
