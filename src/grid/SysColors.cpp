#include "grid/SysColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
struct SSysColorRole
{
    int Index;
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// Which palette colour stands for each system colour. The 3D colours follow the button face:
// highlight is the light edge, light the mid-light, shadow the mid tone and dark shadow the dark.
constexpr SSysColorRole SysColorRoles[] = {
    {COLOR_SCROLLBAR, QPalette::Active, QPalette::Midlight},
    {COLOR_BACKGROUND, QPalette::Active, QPalette::Dark},
    {COLOR_ACTIVECAPTION, QPalette::Active, QPalette::Highlight},
    {COLOR_INACTIVECAPTION, QPalette::Inactive, QPalette::Mid},
    {COLOR_MENU, QPalette::Active, QPalette::Window},
    {COLOR_WINDOW, QPalette::Active, QPalette::Base},
    {COLOR_WINDOWFRAME, QPalette::Active, QPalette::Shadow},
    {COLOR_MENUTEXT, QPalette::Active, QPalette::WindowText},
    {COLOR_WINDOWTEXT, QPalette::Active, QPalette::Text},
    {COLOR_CAPTIONTEXT, QPalette::Active, QPalette::HighlightedText},
    {COLOR_ACTIVEBORDER, QPalette::Active, QPalette::Button},
    {COLOR_INACTIVEBORDER, QPalette::Inactive, QPalette::Button},
    {COLOR_APPWORKSPACE, QPalette::Active, QPalette::Mid},
    {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
    {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText},
    {COLOR_BTNFACE, QPalette::Active, QPalette::Button},
    {COLOR_BTNSHADOW, QPalette::Active, QPalette::Mid},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {COLOR_INACTIVECAPTIONTEXT, QPalette::Disabled, QPalette::WindowText},
    {COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Dark},
    {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
    {COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText},
    {COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase},
    {COLOR_HOTLIGHT, QPalette::Active, QPalette::Link},
    {COLOR_GRADIENTACTIVECAPTION, QPalette::Active, QPalette::Highlight},
    {COLOR_GRADIENTINACTIVECAPTION, QPalette::Inactive, QPalette::Mid},
    {COLOR_MENUHILIGHT, QPalette::Active, QPalette::Highlight},
    {COLOR_MENUBAR, QPalette::Active, QPalette::Window},
};
} // namespace

COLORREF GetSysColor(int index, const QPalette& palette)
{
    for (const SSysColorRole& entry : SysColorRoles) {
        if (entry.Index == index)
            return QColorToColorRef(palette.color(entry.Group, entry.Role));
    }
    return RGB(0, 0, 0);
}

COLORREF GetSysColor(int index)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return GetSysColor(index, QGuiApplication::palette());
    return GetSysColor(index, QPalette());
}
