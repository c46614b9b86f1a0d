#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// The texts of menu items: accelerator texts and the menu text of a string resource.
namespace menus {
// The switch for showing accelerators in menu items (on; nothing in the program turns it off).
bool ShowAccelerators();
void SetShowAccelerators(bool show);

// The text of one key: "Alt+", "Ctrl+", "Shift+" in that order, then the key's name as the
// keyboard layout gives it ("Ctrl+N", "Shift+Del").
QString KeyText(const QKeySequence& key);
// The texts of the keys joined by ", ".
QString AcceleratorText(const QList<QKeySequence>& keys);

// A menu item's text: the text cut at its first TAB, then, unless the item opens a sub-menu,
// a TAB and the accelerator text when there are keys and the accelerator switch is on.
QString TextWithAccelerator(const QString& text, const QList<QKeySequence>& keys,
                            bool opensSubMenu = false);

// The keys of the command in the main window's accelerator table: the standard keys of New,
// Open, Save, Cut, Copy and Paste, Ctrl+Z (Undo), Ctrl+Y (Redo) and Ctrl+L (Languages).
QList<QKeySequence> DefaultAccelerators(unsigned commandId);

// The part of a string resource after its last newline (the whole text without one); empty
// for an unknown id.
QString LoadMenuText(unsigned stringId);
// The part of a string resource before its first newline: the status-bar prompt.
QString LoadPromptText(unsigned stringId);
} // namespace menus
