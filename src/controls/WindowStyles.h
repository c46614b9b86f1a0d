#pragma once

// The window style bits and child notification codes that the controls' callers speak. A control
// that takes a style word turns the bits it knows into widget properties; the codes are what a
// composite control passes on to its owner under its own id.

// Window styles.
inline constexpr unsigned WS_TABSTOP = 0x00010000;
inline constexpr unsigned WS_GROUP = 0x00020000;
inline constexpr unsigned WS_HSCROLL = 0x00100000;
inline constexpr unsigned WS_VSCROLL = 0x00200000;
inline constexpr unsigned WS_BORDER = 0x00800000;
inline constexpr unsigned WS_DISABLED = 0x08000000;
inline constexpr unsigned WS_VISIBLE = 0x10000000;
inline constexpr unsigned WS_CHILD = 0x40000000;
inline constexpr unsigned WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200;

// Edit styles.
inline constexpr unsigned ES_LEFT = 0x0000;
inline constexpr unsigned ES_CENTER = 0x0001;
inline constexpr unsigned ES_RIGHT = 0x0002;
inline constexpr unsigned ES_MULTILINE = 0x0004;
inline constexpr unsigned ES_UPPERCASE = 0x0008;
inline constexpr unsigned ES_LOWERCASE = 0x0010;
inline constexpr unsigned ES_PASSWORD = 0x0020;
inline constexpr unsigned ES_AUTOVSCROLL = 0x0040;
inline constexpr unsigned ES_AUTOHSCROLL = 0x0080;
inline constexpr unsigned ES_NOHIDESEL = 0x0100;
inline constexpr unsigned ES_READONLY = 0x0800;
inline constexpr unsigned ES_WANTRETURN = 0x1000;
inline constexpr unsigned ES_NUMBER = 0x2000;

// Button styles; the low four bits are the button's kind.
inline constexpr unsigned BS_PUSHBUTTON = 0x0;
inline constexpr unsigned BS_DEFPUSHBUTTON = 0x1;
inline constexpr unsigned BS_CHECKBOX = 0x2;
inline constexpr unsigned BS_AUTOCHECKBOX = 0x3;
inline constexpr unsigned BS_RADIOBUTTON = 0x4;
inline constexpr unsigned BS_3STATE = 0x5;
inline constexpr unsigned BS_AUTO3STATE = 0x6;
inline constexpr unsigned BS_GROUPBOX = 0x7;
inline constexpr unsigned BS_AUTORADIOBUTTON = 0x9;
inline constexpr unsigned BS_TYPEMASK = 0xF;

// Combo-box, static, date-time picker and spin styles.
inline constexpr unsigned CBS_SIMPLE = 0x1;
inline constexpr unsigned CBS_DROPDOWN = 0x2;
inline constexpr unsigned CBS_DROPDOWNLIST = 0x3;
inline constexpr unsigned CBS_AUTOHSCROLL = 0x40;
inline constexpr unsigned CBS_SORT = 0x100;
inline constexpr unsigned SS_NOPREFIX = 0x80;
inline constexpr unsigned SS_NOTIFY = 0x100;
inline constexpr unsigned DTS_TIMEFORMAT = 0x9;
inline constexpr unsigned DTS_RIGHTALIGN = 0x20;
inline constexpr unsigned UDS_ALIGNRIGHT = 0x4;
inline constexpr unsigned UDS_AUTOBUDDY = 0x10;

// Check states of buttons.
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;

// Command codes that children send with their id.
inline constexpr int BN_CLICKED = 0;
inline constexpr int BN_SETFOCUS = 6;
inline constexpr int BN_KILLFOCUS = 7;
inline constexpr int EN_SETFOCUS = 0x100;
inline constexpr int EN_KILLFOCUS = 0x200;
inline constexpr int EN_CHANGE = 0x300;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_SETFOCUS = 3;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int CBN_CLOSEUP = 8;

// Notification codes of children that report through a notification record; they are negative,
// so they never meet a command code.
inline constexpr int UDN_DELTAPOS = -722;
inline constexpr int DTN_DATETIMECHANGE = -759;
