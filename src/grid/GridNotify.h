#pragma once

#include "grid/CellID.h"
#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/NotifyOwner.h"

#include <QString>
#include <cstdint>

// The records the grid reports to its owner (IGridOwner) and through which its cells are read
// and written in one call.

// The grid's owner: receives the reports below; its answer is read where a code says so.
using IGridOwner = INotifyOwner;

// Codes of the grid's reports.
enum : int
{
    NM_CLICK = -2,
    NM_DBLCLK = -3,
    NM_RCLICK = -5,
    GVN_SELCHANGING = -100,
    GVN_SELCHANGED = -101,
    GVN_BEGINDRAG = -109,
    GVN_ODCACHEHINT = -113,
    GVN_HOVER = -121,
    GVN_BEGINLABELEDIT = -175, // answer < 0 refuses the edit
    GVN_ENDLABELEDIT = -176,   // answer < 0 rejects the text
    GVN_GETDISPINFO = -177,    // virtual mode: the owner fills the item record
};

// Which fields of an item record count.
enum : unsigned
{
    GVIF_TEXT = 0x1,
    GVIF_IMAGE = 0x2,
    GVIF_PARAM = 0x4,
    GVIF_STATE = 0x8,
    GVIF_BKCLR = 0x10,
    GVIF_FGCLR = 0x20,
    GVIF_FORMAT = 0x40,
    GVIF_FONT = 0x80,
    GVIF_MARGIN = 0x100,
    GVIF_ALL = 0xFFFFFFFF,
};

// State bits of a cell.
enum : unsigned
{
    GVIS_FOCUSED = 0x1,
    GVIS_SELECTED = 0x2,
    GVIS_DROPHILITED = 0x4,
    GVIS_READONLY = 0x8,
    GVIS_FIXED = 0x10,
    GVIS_FIXEDROW = 0x20,
    GVIS_FIXEDCOL = 0x40,
    GVIS_MODIFIED = 0x80,
};

// The item record: one cell's fields, those named by the mask.
struct GRIDCELLITEM
{
    int row = 0;
    int col = 0;
    unsigned mask = 0;
    unsigned nState = 0;
    unsigned nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    std::intptr_t lParam = 0;
    LOGFONT lfFont;
    unsigned nMargin = 0;
    QString strText;
};

// Report of a cell: click, double click, right click, selection, hover, edit.
struct GRIDNOTIFY : NMHDR
{
    int iRow = -1;
    int iColumn = -1;
};

// Cache hint in virtual mode: the cells about to be read, (-1, -1, -1, -1) when done.
struct GV_CACHEHINT : NMHDR
{
    CCellIDRange range;
};

// Text request in virtual mode, and the in-place editor's end of edit: the header and an item
// record.
struct GV_DISPINFO : NMHDR
{
    GRIDCELLITEM item;
};
