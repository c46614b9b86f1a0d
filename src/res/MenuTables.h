#pragma once

#include <QString>

#include <span>

// The program's menu and toolbar resources as data: menus by resource id (a root level of
// pop-ups, each with its commands, separators and nested pop-ups), toolbars by resource id (the
// command of each button in order, 0 for a separator) with the PNG strip that holds their images.

// Flags of a menu item, as a resource states them.
enum EMenuItemFlags : unsigned
{
    MIF_NONE = 0,
    MIF_GRAYED = 0x1, // the item starts greyed (a placeholder that an update pass fills)
};

// One item of a menu level: a command (Id and Text), a separator (Text null) or a pop-up
// (Items not empty; Id 0).
struct SMenuItem
{
    unsigned Id = 0;
    const char16_t* Text = nullptr; // "&" marks the mnemonic; no accelerator text
    std::span<const SMenuItem> Items = {};
    unsigned Flags = MIF_NONE;

    bool IsSeparator() const { return Text == nullptr; }
    bool IsPopup() const { return !Items.empty(); }
};

// A menu resource: its root level.
struct SMenuResource
{
    unsigned Id;
    std::span<const SMenuItem> Items;
};

// The menu resource of the id, or null when the program has none.
const SMenuResource* FindMenuResource(unsigned id);

// The first command item of the id in the items and their pop-ups, depth-first; null when none.
const SMenuItem* FindMenuCommand(std::span<const SMenuItem> items, unsigned id);

// A toolbar resource: the button size and the command of each button (0 = separator). Its
// images are in the strip of the same id, one image per button that is not a separator, in
// button order; a strip may hold further images after those (see ToolBarBitmapPath).
struct SToolBarResource
{
    unsigned Id;
    int ButtonWidth;
    int ButtonHeight;
    std::span<const unsigned> Buttons;
};

// The toolbar resource of the id, or null when the program has none.
const SToolBarResource* FindToolBarResource(unsigned id);

// The Qt resource path of the PNG image strip of the id (":/toolbars/<id>.png"); the file may
// not exist.
QString ToolBarBitmapPath(unsigned id);

// The commands whose menu items take their icons from the main toolbar's strip, in the order of
// the strip's images: the eight buttons of the main toolbar, then About and Languages, whose
// images the strip holds after the buttons'.
std::span<const unsigned> MainMenuIconCommands();

// Every menu and toolbar resource, for code that checks the tables themselves.
std::span<const SMenuResource> GetMenuResources();
std::span<const SToolBarResource> GetToolBarResources();
