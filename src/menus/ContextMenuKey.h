#pragma once

class QKeyEvent;

// Shift+F10: the keyboard's second way, beside the Menu key, to ask for the context menu of the
// focused item. The window system turns the Menu key into a context-menu event by itself; this
// key reaches the widget as a plain key press, and widgets with context menus take it here.
bool IsContextMenuKey(const QKeyEvent& event);
