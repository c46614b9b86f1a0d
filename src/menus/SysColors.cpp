#include "menus/SysColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace menus {
namespace {
struct SSysColorRole
{
    int Index;
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// Which palette colour stands for each system colour, chosen by what the system colour is for.
//
// The 3-D colours are the edges of a raised face from the lightest to the darkest, and the
// palette names the same steps around the button face: Light is lighter than Button, Midlight
// lies between them, Mid between Button and Dark, Dark is darker than Button and Shadow is the
// darkest. So the outer light edge (BTNHIGHLIGHT) is Light and the inner one (3DLIGHT) Midlight;
// the button shadow (BTNSHADOW), the edge darker than the face, is Dark; the dark shadow
// (3DDKSHADOW), the darkest outer edge, is Shadow, as is the frame line round a window. Mid is
// a step between the face and its shadow edge that no edge uses; taking it for the shadow would
// leave the dark shadow no darker step than Dark.
//
// The rest of the desktop: the scroll bar track lies between the face and the light edge
// (Midlight); the workspace behind the documents of a many-document window is a grey darker than
// the face, so that the window edges still stand out on it (Mid); the desktop itself is Dark.
// The active title bar takes the selection colours; the inactive one, its gradient and its text
// come from the Inactive group: a Mid caption with Light text, which reads on it. A sizing border
// is the face of its window, active or not (Button).
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
    {COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {COLOR_INACTIVECAPTIONTEXT, QPalette::Inactive, QPalette::Light},
    {COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
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
            return FromQColor(palette.color(entry.Group, entry.Role));
    }
    return RGB(0, 0, 0);
}

COLORREF GetSysColor(int index)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return GetSysColor(index, QGuiApplication::palette());
    return GetSysColor(index, QPalette());
}
} // namespace menus
