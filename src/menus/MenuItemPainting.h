#pragma once

#include "menus/ColorRef.h"

#include <QBrush>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QPainter;

// Measuring and painting one menu item in the look of a draw mode, as plain functions over a
// record of the item, so that tests call them without a menu. The style (NewMenuStyle.h) fills
// the record from Qt's style options.
namespace menus {
// Item state bits.
inline constexpr unsigned ODS_SELECTED = 0x1;
inline constexpr unsigned ODS_GRAYED = 0x2;
inline constexpr unsigned ODS_DISABLED = 0x4;
inline constexpr unsigned ODS_CHECKED = 0x8;
inline constexpr unsigned ODS_DEFAULT = 0x20;
inline constexpr unsigned ODS_HOTLIGHT = 0x40;
inline constexpr unsigned ODS_INACTIVE = 0x80;
inline constexpr unsigned ODS_NOACCEL = 0x100;

// Item flags.
inline constexpr unsigned MF_SEPARATOR = 0x800;
inline constexpr unsigned MFT_RIGHTORDER = 0x2000;

// Extra flags of title items.
inline constexpr unsigned MFT_TITLE = 0x1;
inline constexpr unsigned MFT_TITLE_VERTICAL = 0x2;
inline constexpr unsigned MFT_TITLE_GRADIENT = 0x4;
inline constexpr unsigned MFT_TITLE_WIDE = 0x10;
inline constexpr unsigned MFT_TITLE_ROUND = 0x20;

// The mark a checked item shows when it has no image.
enum class ECheckMark
{
    None,
    Check,
    Radio
};

// One menu item to measure or paint.
struct SMenuItemPaint
{
    QRect Rect;              // painter coordinates
    unsigned State = 0;      // ODS_* bits
    QString Text;            // label, TAB, accelerator text
    unsigned Flags = 0;      // MF_SEPARATOR, MFT_RIGHTORDER
    unsigned TitleFlags = 0; // MFT_TITLE... ; 0 for an ordinary item
    unsigned Id = 0;         // command id
    QPixmap Image;           // the command's normal image; null for none
    ECheckMark Mark = ECheckMark::None;
    bool MenuBar = false;    // an item of a menu bar
    bool HasSubMenu = false; // a pop-up item of a pop-up menu
    // The menu's own background brush (a menu bar given the theme brush) and the painter
    // position of the window's top-left corner, where the brush is aligned.
    std::optional<QBrush> MenuBrush;
    std::optional<COLORREF> MenuBrushColour;
    QPoint WindowOrigin;
    int IconWidth = 16;
    int IconHeight = 15;
    // Title colours: text, gradient start, gradient end (CLR_DEFAULT = the caption colours).
    COLORREF TitleText = CLR_DEFAULT;
    COLORREF TitleStart = CLR_DEFAULT;
    COLORREF TitleEnd = CLR_DEFAULT;
};

// Measures the item with the current theme's measure routine; `next` is the next item with a
// command of the same menu, used by system commands (ids 0xF000 to 0xF150).
QSize MeasureMenuItem(const SMenuItemPaint& item, const SMenuItemPaint* next = nullptr);
// Paints the item with the current theme's draw-item routine.
void DrawMenuItem(QPainter& painter, const SMenuItemPaint& item);

// The routines one by one.
QSize MeasureItemFirst(const SMenuItemPaint& item, bool second);
QSize MeasureItemXP(const SMenuItemPaint& item);
QSize MeasureTitle(const SMenuItemPaint& item);
void DrawItemFirst(QPainter& painter, const SMenuItemPaint& item);
void DrawItemSecond(QPainter& painter, const SMenuItemPaint& item);
void DrawItemThird(QPainter& painter, const SMenuItemPaint& item);
void DrawItemXP(QPainter& painter, const SMenuItemPaint& item);
void DrawItem2003(QPainter& painter, const SMenuItemPaint& item);
void DrawTitle(QPainter& painter, const SMenuItemPaint& item);

// True for the ids of the window's system commands (id & 0xFFF0 from 0xF000 to 0xF150).
bool IsSystemCommand(unsigned id);
} // namespace menus
