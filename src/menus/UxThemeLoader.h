#pragma once

#include "menus/ColorRef.h"

#include <QRect>
#include <QSet>
#include <QString>

class QPainter;
class QWidget;

// The binding of the visual-styles theme library: callers ask it whether a theme is active and
// draw themed parts through it, and draw their classic look when a call gives its fallback.
// Here the "library" is a small table answered through QStyle and QPalette:
// - OpenThemeData knows the classes "BUTTON", "EDIT" and "WINDOW" (case ignored; the first
//   known class of a ";"-separated list);
// - GetThemeColor answers the "Edit" border colour (TMT_BORDERCOLOR, the palette's Mid colour)
//   and the "Window" fill-colour hint (TMT_FILLCOLORHINT, the blue caption 0xE55400, so the
//   Office-2003 menus take their blue scheme);
// - DrawThemeBackground draws the check-box states 1 to 12 of "BUTTON" part 3 through QStyle;
// - everything else, and every call while the library is switched off or an entry is missing,
//   gives the fallback result.
// The library counts as present in a window program (a QGuiApplication exists) until
// SetAvailable(false) switches it off.
namespace menus {
using HRESULT = long;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);
inline constexpr HRESULT E_PROP_ID_UNSUPPORTED = static_cast<HRESULT>(0x80070490L);

struct CThemeData;
using HTHEME = CThemeData*;

// Parts, states and properties the table knows.
inline constexpr int BP_CHECKBOX = 3;
inline constexpr int TMT_BORDERCOLOR = 3801;
inline constexpr int TMT_EDGEHIGHLIGHTCOLOR = 3805;
inline constexpr int TMT_FILLCOLORHINT = 3821;
inline constexpr COLORREF kBlueCaptionHint = 0xE55400;
} // namespace menus

class CUxThemeLoader
{
public:
    // The one instance of the process.
    static CUxThemeLoader& Instance();

    // 1 when the library is present and themes are on; the fallback is 0.
    int IsAppThemed() const;
    int IsThemeActive() const;
    // A theme handle for the class list, or null (the fallback).
    menus::HTHEME OpenThemeData(QWidget* window, const QString& classList) const;
    // Frees a handle from OpenThemeData; S_OK, or E_FAIL as the fallback.
    menus::HRESULT CloseThemeData(menus::HTHEME theme) const;
    menus::HRESULT GetThemeColor(menus::HTHEME theme, int part, int state, int property,
                                 menus::COLORREF* colour) const;
    menus::HRESULT DrawThemeBackground(menus::HTHEME theme, QPainter* dc, int part, int state,
                                       const QRect& rect, const QRect* clip) const;
    menus::HRESULT DrawThemeEdge(menus::HTHEME theme, QPainter* dc, int part, int state,
                                 const QRect& destination, unsigned edge, unsigned flags,
                                 QRect* content) const;

    // Switches the whole library on or off (off: every member gives its fallback).
    void SetAvailable(bool available);
    bool IsAvailable() const;
    // Takes one entry ("IsThemeActive", "GetThemeColor", ...) out of the library, or puts it
    // back, so that only that member falls back.
    void SetEntryAvailable(const QString& name, bool available);

private:
    CUxThemeLoader() = default;
    bool HasEntry(const char* name) const;

    bool m_bAvailable = true;
    QSet<QString> m_missingEntries;
};
