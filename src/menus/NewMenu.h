#pragma once

#include "menus/ColorRef.h"
#include "res/MenuTables.h"

#include <QBrush>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class CCommandActions;
class CNewMenuIcons;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Flags of RemoveMenuItem.
inline constexpr unsigned MF_BYCOMMAND = 0x0;
inline constexpr unsigned MF_BYPOSITION = 0x400;

// A menu loaded from a menu resource (res/MenuTables.h) and drawn in the current menu theme.
// A CNewMenu is one level of the menu: the root level of a resource holds its pop-ups, each a
// CNewMenu of its own (GetSubMenuAt). Every level is a QMenu; the root's pop-ups are what a
// context menu shows, and what the window's menu bar holds (AttachTo).
//
// Items take their command's shared action when the menu is loaded with a CCommandActions
// (the main menu), else an action of their own that carries the command id (context menus):
// a context menu built apart from its menu loop can be read by tests, and running it answers
// the chosen command.
//
// The theme of all menus, menu bars and toolbars is chosen by SetDrawMode (the program uses
// mode 9, the Office-2003 look).
class CNewMenu
{
public:
    CNewMenu();
    ~CNewMenu();
    CNewMenu(const CNewMenu&) = delete;
    CNewMenu& operator=(const CNewMenu&) = delete;

    // Loads the menu resource of the id, replacing what the menu held. With `actions`, items
    // use the shared actions (their text set from the resource, and an update of the commands
    // of a pop-up each time it opens). Returns false, leaving the menu empty, for an unknown id.
    bool LoadMenu(unsigned menuId, CCommandActions* actions = nullptr);
    bool IsLoaded() const;
    // Frees the levels and items; the menu is then empty.
    void DestroyMenu();

    // This level's QMenu (null before loading).
    QMenu* GetMenu() const;
    // The menu that holds this one as a pop-up; null for the root.
    CNewMenu* GetParentMenu() const { return m_pParent; }
    int GetMenuItemCount() const;
    // The command of the item at the position; 0 for a separator, a pop-up or no item.
    unsigned GetMenuItemID(int position) const;
    // The pop-up at the position, or null when that item opens none.
    CNewMenu* GetSubMenuAt(int position) const;
    // The first item of the command in this level and its pop-ups, depth-first; null if none.
    QAction* FindCommand(unsigned id) const;

    // Greys (or enables) every item of the command in this level and its pop-ups. Returns
    // false when the menu has no item of the command.
    bool EnableMenuItem(unsigned id, bool enable);
    // Removes an item: by position in this level (a pop-up goes with its level), or the first
    // item of the command found depth-first. Returns false when there is no such item.
    bool RemoveMenuItem(unsigned idOrPosition, unsigned flags = MF_BYCOMMAND);

    // Gives the items of this menu and its pop-ups whose command is a button of the toolbar
    // resource the button's image (transparent colour CLR_DEFAULT: the strip's top-left
    // pixel). Returns false when the toolbar or its strip cannot be read: the items then keep
    // no image.
    bool LoadToolBar(unsigned toolbarId, menus::COLORREF transparent = menus::CLR_DEFAULT);
    // The same for the images of a strip (by resource id) that belong to the listed commands.
    bool LoadToolBar(unsigned bitmapId, std::span<const unsigned> ids, menus::COLORREF transparent);

    // Puts the root level's pop-ups into the menu bar (the window's main menu).
    void AttachTo(QMenuBar* bar);

    // Runs this level as a pop-up at the global position and returns the chosen command, 0
    // when the user chose none.
    unsigned TrackPopupMenu(QPoint globalPosition);

    // Selects the theme of every menu, menu bar and toolbar, installing the style and the
    // menu hook on the application first. Returns the previous mode, or -1 (changing nothing)
    // when no theme has that number (modes 0 to 11 exist).
    static int SetDrawMode(int mode);
    static int GetDrawMode();
    // The part of the string resource after its last newline.
    static QString LoadMenuText(unsigned stringId);
    // The theme brush of the current mode, or none.
    static std::optional<QBrush> GetThemeBrush();
    // Makes the menu bar's background the theme brush (aligned to its window).
    static void SetMenuBackground(QMenuBar* bar);

private:
    void Build(std::span<const SMenuItem> items, CCommandActions* actions);
    void ApplyIcons(const CNewMenuIcons& icons);
    void GrowIconSize(QSize size);

    CNewMenu* m_pParent = nullptr;
    std::unique_ptr<QMenu> m_menu;
    std::vector<std::unique_ptr<CNewMenu>> m_subMenus;
    bool m_bSharedActions = false;
};

// The five steps of a context menu: loads menu `menuId`, takes its pop-up `popup`, lets
// `prepare` grey or remove items, runs the pop-up at `at` (the cursor when not given), and
// hands the chosen command to `onCommand`. Returns false, showing nothing, for an unknown menu
// or pop-up.
bool ShowContextMenu(unsigned menuId, int popup, const std::function<void(CNewMenu&)>& prepare,
                     const std::function<void(unsigned)>& onCommand,
                     std::optional<QPoint> at = std::nullopt);
