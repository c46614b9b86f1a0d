#include "menus/SysColors.h"

#include <QPalette>
#include <gtest/gtest.h>

#include <set>

using namespace menus;

namespace {
constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Disabled,
                                            QPalette::Inactive};

// A palette in which every group and role has a colour of its own: red is the group, green and
// blue the role.
QPalette DistinctPalette()
{
    QPalette palette;
    for (int g = 0; g < 3; ++g)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(kGroups[g], QPalette::ColorRole(role),
                             QColor(10 + 100 * g, 10 * role, 255 - 10 * role));
    return palette;
}

COLORREF Distinct(QPalette::ColorGroup group, QPalette::ColorRole role)
{
    const int g = group == QPalette::Active ? 0 : group == QPalette::Disabled ? 1 : 2;
    return RGB(10 + 100 * g, 10 * role, 255 - 10 * role);
}
} // namespace

TEST(SysColors, EachSystemColourReadsItsPaletteRole)
{
    struct SCase
    {
        int Index;
        QPalette::ColorGroup Group;
        QPalette::ColorRole Role;
    };
    const SCase cases[] = {
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
    const QPalette palette = DistinctPalette();
    std::set<int> seen;
    for (const SCase& c : cases) {
        EXPECT_EQ(GetSysColor(c.Index, palette), Distinct(c.Group, c.Role)) << "index " << c.Index;
        seen.insert(c.Index);
    }
    // Every index from 0 to 30 but 25 is a system colour; the rest are black.
    EXPECT_EQ(seen.size(), 30u);
    for (int index : {25, 31, -1, 9999})
        EXPECT_EQ(GetSysColor(index, palette), RGB(0, 0, 0)) << "index " << index;
    EXPECT_EQ(COLOR_3DFACE, COLOR_BTNFACE);
    EXPECT_EQ(COLOR_3DSHADOW, COLOR_BTNSHADOW);
    EXPECT_EQ(COLOR_3DHIGHLIGHT, COLOR_BTNHIGHLIGHT);
}

TEST(SysColors, TheThreeDimensionalEdgesStepFromLightestToDarkest)
{
    // A palette whose steps around the face are all different greys, as the roles describe them.
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(250, 250, 250));
    palette.setColor(QPalette::Midlight, QColor(220, 220, 220));
    palette.setColor(QPalette::Button, QColor(190, 190, 190));
    palette.setColor(QPalette::Mid, QColor(160, 160, 160));
    palette.setColor(QPalette::Dark, QColor(120, 120, 120));
    palette.setColor(QPalette::Shadow, QColor(40, 40, 40));
    auto grey = [&](int index) { return GetRValue(GetSysColor(index, palette)); };
    EXPECT_GT(grey(COLOR_BTNHIGHLIGHT), grey(COLOR_3DLIGHT));
    EXPECT_GT(grey(COLOR_3DLIGHT), grey(COLOR_BTNFACE));
    EXPECT_GT(grey(COLOR_BTNFACE), grey(COLOR_BTNSHADOW));
    EXPECT_GT(grey(COLOR_BTNSHADOW), grey(COLOR_3DDKSHADOW));
    // The shadow edge is the dark step, not the mid tone between it and the face.
    EXPECT_EQ(grey(COLOR_BTNSHADOW), 120);
    EXPECT_EQ(grey(COLOR_3DDKSHADOW), 40);
    // The workspace lies between the face and the shadow edge, so window edges show on it.
    EXPECT_LT(grey(COLOR_APPWORKSPACE), grey(COLOR_BTNFACE));
    EXPECT_GT(grey(COLOR_APPWORKSPACE), grey(COLOR_BTNSHADOW));
}
