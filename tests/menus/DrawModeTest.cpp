#include "MenuTestSupport.h"

#include "menus/MenuTheme.h"
#include "menus/NewMenu.h"
#include "menus/NewMenuHook.h"
#include "menus/SystemMetrics.h"

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include <cstdlib>

using namespace menus;

TEST(DrawMode, StartsAtModeTwoSoSelectingNineGivesTwo)
{
    // A fresh process: nothing has selected a mode yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const int first = CNewMenu::SetDrawMode(9);
            const int second = CNewMenu::SetDrawMode(9);
            std::exit(first == 2 && second == 9 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(DrawMode, UnknownModesGiveMinusOneAndChangeNothing)
{
    menutest::ResetSettings();
    struct SCase
    {
        int Mode;
        int Expected;
    };
    const SCase cases[] = {{12, -1}, {-1, -1}, {100, -1}, {4, 9}, {12, -1},
                           {11, 4},  {0, 11},  {-5, -1},  {9, 0}};
    for (const SCase& c : cases) {
        const int before = CNewMenu::GetDrawMode();
        EXPECT_EQ(CNewMenu::SetDrawMode(c.Mode), c.Expected) << "mode " << c.Mode;
        if (c.Expected == -1)
            EXPECT_EQ(CNewMenu::GetDrawMode(), before) << "mode " << c.Mode;
        else
            EXPECT_EQ(CNewMenu::GetDrawMode(), c.Mode);
    }
}

TEST(DrawMode, UnderWineAnEvenModeBecomesTheNextOdd)
{
    menutest::ResetSettings();
    SystemSettings().Wine = true;
    CNewMenu::SetDrawMode(8);
    EXPECT_EQ(CNewMenu::GetDrawMode(), 9);
    EXPECT_EQ(CNewMenu::SetDrawMode(9), 9);
    EXPECT_EQ(CNewMenu::GetDrawMode(), 9);
    CNewMenu::SetDrawMode(0);
    EXPECT_EQ(CNewMenu::GetDrawMode(), 1);
    menutest::ResetSettings();
}

TEST(DrawMode, TwelveThemesWithTheirRoutinesAndFrames)
{
    const CNewMenuHook& hook = CNewMenuHook::Instance();
    EXPECT_EQ(hook.ThemeModes(), (std::vector<int>{6, 7, 0, 1, 2, 3, 8, 9, 10, 11, 4, 5}));
    struct SCase
    {
        int Mode;
        EMeasureRoutine Measure;
        EDrawRoutine Draw;
    };
    const SCase cases[] = {
        {0, EMeasureRoutine::First, EDrawRoutine::First},
        {1, EMeasureRoutine::First, EDrawRoutine::First},
        {2, EMeasureRoutine::XP, EDrawRoutine::XP},
        {3, EMeasureRoutine::XP, EDrawRoutine::XP},
        {4, EMeasureRoutine::First, EDrawRoutine::Second},
        {5, EMeasureRoutine::First, EDrawRoutine::Second},
        {6, EMeasureRoutine::Second, EDrawRoutine::Third},
        {7, EMeasureRoutine::Second, EDrawRoutine::Third},
        {8, EMeasureRoutine::XP, EDrawRoutine::Office2003},
        {9, EMeasureRoutine::XP, EDrawRoutine::Office2003},
        {10, EMeasureRoutine::XP, EDrawRoutine::Office2003},
        {11, EMeasureRoutine::XP, EDrawRoutine::Office2003},
    };
    for (const SCase& c : cases) {
        const CMenuTheme* theme = hook.FindTheme(c.Mode);
        ASSERT_NE(theme, nullptr) << c.Mode;
        EXPECT_EQ(theme->Measure(), c.Measure) << c.Mode;
        EXPECT_EQ(theme->DrawItem(), c.Draw) << c.Mode;
        EXPECT_EQ(theme->FrameFlag(), c.Mode % 2 == 0 ? 1 : 0) << c.Mode;
        EXPECT_EQ(dynamic_cast<const CMenuTheme2003*>(theme) != nullptr, c.Mode == 8 || c.Mode == 9)
            << c.Mode;
        EXPECT_EQ(dynamic_cast<const CMenuThemeXP*>(theme) != nullptr,
                  c.Mode == 2 || c.Mode == 3 || c.Mode >= 8)
            << c.Mode;
    }
}

TEST(DrawMode, FramedThemesMakeRoomForFrameAndShadow)
{
    menutest::ResetSettings();
    const CNewMenuHook& hook = CNewMenuHook::Instance();
    SystemSettings().FlatMenus = 0;
    EXPECT_EQ(hook.FindTheme(8)->PopupMargins(), QMargins(2, 2, 6, 6));
    EXPECT_EQ(hook.FindTheme(8)->ShadowSize(), QSize(5, 6));
    EXPECT_EQ(hook.FindTheme(9)->PopupMargins(), QMargins());
    EXPECT_EQ(hook.FindTheme(9)->SystemFrameWidth(), 2);
    SystemSettings().FlatMenus = 1;
    EXPECT_EQ(hook.FindTheme(8)->PopupMargins(), QMargins(2, 2, 2, 2));
    EXPECT_EQ(hook.FindTheme(8)->ShadowSize(), QSize(2, 2));
    EXPECT_EQ(hook.FindTheme(9)->SystemFrameWidth(), 1);
    EXPECT_EQ(hook.FindTheme(8)->SystemFrameWidth(), 0);
    menutest::ResetSettings();
}
