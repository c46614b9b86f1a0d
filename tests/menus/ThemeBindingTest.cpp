#include "MenuTestSupport.h"

#include "menus/MenuColors.h"
#include "menus/NewMenu.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

using namespace menus;

namespace {
class ThemeBinding : public ::testing::Test
{
protected:
    void SetUp() override { menutest::ResetSettings(); }
    void TearDown() override { menutest::ResetSettings(); }
    CUxThemeLoader& Binding() { return CUxThemeLoader::Instance(); }
};

// Draws a check-box state into a blank image; returns the image.
QImage DrawState(int state, HRESULT* result)
{
    CUxThemeLoader& binding = CUxThemeLoader::Instance();
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    HTHEME theme = binding.OpenThemeData(nullptr, QStringLiteral("BUTTON"));
    *result =
        binding.DrawThemeBackground(theme, &painter, BP_CHECKBOX, state, image.rect(), nullptr);
    binding.CloseThemeData(theme);
    return image;
}
} // namespace

TEST_F(ThemeBinding, SwitchedOffEveryMemberGivesItsFallback)
{
    Binding().SetAvailable(false);
    EXPECT_EQ(Binding().IsAppThemed(), 0);
    EXPECT_EQ(Binding().IsThemeActive(), 0);
    EXPECT_EQ(Binding().OpenThemeData(nullptr, QStringLiteral("BUTTON")), nullptr);
    EXPECT_EQ(Binding().CloseThemeData(nullptr), E_FAIL);
    COLORREF colour = 0x123456;
    EXPECT_EQ(Binding().GetThemeColor(nullptr, 0, 0, TMT_FILLCOLORHINT, &colour), E_FAIL);
    EXPECT_EQ(colour, 0x123456u);
    QImage image(8, 8, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_EQ(
        Binding().DrawThemeBackground(nullptr, &painter, BP_CHECKBOX, 1, image.rect(), nullptr),
        E_FAIL);
    EXPECT_EQ(
        Binding().DrawThemeEdge(nullptr, &painter, BP_CHECKBOX, 1, image.rect(), 0, 0, nullptr),
        E_FAIL);
}

TEST_F(ThemeBinding, ALibraryWithoutOneEntryFallsBackForThatMemberOnly)
{
    EXPECT_EQ(Binding().IsThemeActive(), 1);
    Binding().SetEntryAvailable(QStringLiteral("IsThemeActive"), false);
    EXPECT_EQ(Binding().IsThemeActive(), 0);
    EXPECT_EQ(Binding().IsAppThemed(), 1);
    HTHEME theme = Binding().OpenThemeData(nullptr, QStringLiteral("Window"));
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(Binding().CloseThemeData(theme), S_OK);
}

TEST_F(ThemeBinding, ColourTableAnswersEditBorderAndWindowCaptionHint)
{
    HTHEME window = Binding().OpenThemeData(nullptr, QStringLiteral("Window"));
    HTHEME edit = Binding().OpenThemeData(nullptr, QStringLiteral("Unknown;Edit"));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Binding().OpenThemeData(nullptr, QStringLiteral("Scrollbar")), nullptr);
    COLORREF colour = 0;
    EXPECT_EQ(Binding().GetThemeColor(window, 0, 0, TMT_FILLCOLORHINT, &colour), S_OK);
    EXPECT_EQ(colour, 0xE55400u);
    EXPECT_EQ(Binding().GetThemeColor(edit, 0, 0, TMT_BORDERCOLOR, &colour), S_OK);
    EXPECT_EQ(colour, FromQColor(QApplication::palette().color(QPalette::Mid)));
    EXPECT_EQ(Binding().GetThemeColor(window, 0, 0, TMT_EDGEHIGHLIGHTCOLOR, &colour),
              E_PROP_ID_UNSUPPORTED);
    Binding().CloseThemeData(window);
    Binding().CloseThemeData(edit);
}

TEST_F(ThemeBinding, CheckBoxStatesAreDrawnThroughTheStyle)
{
    HRESULT result = 0;
    const QImage unchecked = DrawState(1, &result);
    EXPECT_EQ(result, S_OK);
    const QImage checked = DrawState(5, &result);
    EXPECT_EQ(result, S_OK);
    EXPECT_NE(unchecked, checked);
    for (int state = 1; state <= 12; ++state) {
        const QImage image = DrawState(state, &result);
        EXPECT_EQ(result, S_OK) << state;
        EXPECT_NE(image.pixelColor(8, 8), QColor(Qt::magenta)) << state;
    }
    for (int state : {0, 13}) {
        DrawState(state, &result);
        EXPECT_EQ(result, E_FAIL) << state;
    }
}

TEST_F(ThemeBinding, VisualStyleOnGivesTheBlueOfficeScheme)
{
    EXPECT_TRUE(IsVisualStyleOn());
    EXPECT_EQ(Get2003Colors().Base, 0xF5C2A3u); // RGB(163, 194, 245)
    EXPECT_EQ(Get2003Colors().Light, LightenColor(110, 0xF5C2A3));
    EXPECT_EQ(Get2003Colors(true).Base, DarkenColor(20, 0xF5C2A3));
    const auto gradient = Get2003GradientColors();
    EXPECT_EQ(gradient[0], RGB(221, 236, 254));
    EXPECT_EQ(gradient[1], RGB(196, 219, 249));
    EXPECT_EQ(gradient[2], RGB(129, 169, 226));
    EXPECT_EQ(gradient[3], RGB(59, 97, 156));
}

TEST_F(ThemeBinding, ThemeOffTakesThePaletteColours)
{
    Binding().SetAvailable(false);
    EXPECT_FALSE(IsVisualStyleOn());
    EXPECT_FALSE(IsFlatMenus());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(Get2003Colors().Base, face);
    EXPECT_EQ(Get2003Colors().Light, MixColor(face, window, 220));
    const auto gradient = Get2003GradientColors();
    EXPECT_EQ(gradient[0], MixColor(face, window, 220));
    EXPECT_EQ(gradient[2], face);
    EXPECT_EQ(gradient[3], DarkenColor(50, face));
    EXPECT_EQ(MenuBarColor(), face);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(SelectionColor(), IsLightColor(highlight) ? MixColor86(window, highlight)
                                                        : MixColor70(window, highlight));
}

TEST_F(ThemeBinding, FewColoursGiveSolidBrushesAndPlainSelection)
{
    SystemSettings().ScreenDepth = 8;
    EXPECT_EQ(GetScreenColorCount(), 256);
    EXPECT_EQ(SelectionColor(), GetSysColor(COLOR_WINDOW));
    const std::optional<QBrush> brush = GetThemeBrush();
    ASSERT_TRUE(brush);
    EXPECT_EQ(brush->style(), Qt::SolidPattern);
    EXPECT_EQ(GetNearestColor(RGB(250, 250, 250)), RGB(255, 255, 255));
    SystemSettings().ScreenDepth = 24;
    EXPECT_EQ(GetScreenColorCount(), 64000);
    EXPECT_EQ(GetThemeBrush()->style(), Qt::TexturePattern);
    EXPECT_EQ(GetNearestColor(RGB(250, 250, 250)), RGB(250, 250, 250));
}

TEST_F(ThemeBinding, ThemeBrushesByMode)
{
    struct SCase
    {
        int Mode;
        bool HasBrush;
        Qt::BrushStyle Style;
    };
    const SCase cases[] = {{0, false, Qt::NoBrush},        {1, false, Qt::NoBrush},
                           {2, true, Qt::SolidPattern},    {3, true, Qt::SolidPattern},
                           {4, false, Qt::NoBrush},        {7, false, Qt::NoBrush},
                           {8, true, Qt::TexturePattern},  {9, true, Qt::TexturePattern},
                           {10, true, Qt::TexturePattern}, {11, true, Qt::TexturePattern}};
    for (const SCase& c : cases) {
        CNewMenu::SetDrawMode(c.Mode);
        const std::optional<QBrush> brush = CNewMenu::GetThemeBrush();
        EXPECT_EQ(brush.has_value(), c.HasBrush) << c.Mode;
        if (brush) {
            EXPECT_EQ(brush->style(), c.Style) << c.Mode;
        }
    }
    CNewMenu::SetDrawMode(9);
    // Mode 9's brush runs from the base colour to its light colour over 700 pixels, then on.
    const QImage texture = CNewMenu::GetThemeBrush()->textureImage();
    EXPECT_EQ(texture.height(), 20);
    EXPECT_EQ(texture.width() % 8, 0);
    EXPECT_EQ(FromQColor(texture.pixelColor(0, 0)), 0xF5C2A3u);
    if (texture.width() > 710) {
        EXPECT_EQ(FromQColor(texture.pixelColor(700, 5)), LightenColor(110, 0xF5C2A3));
        EXPECT_EQ(FromQColor(texture.pixelColor(texture.width() - 1, 19)),
                  LightenColor(110, 0xF5C2A3));
    }
    EXPECT_EQ(CNewMenu::GetThemeBrush()->texture().cacheKey(),
              CNewMenu::GetThemeBrush()->texture().cacheKey())
        << "one brush per kind and colours";
}

TEST_F(ThemeBinding, EnvironmentComesFromThePlatformUnlessSet)
{
    EXPECT_FALSE(IsRemoteSession()) << "the offscreen platform is no remote session";
    EXPECT_FALSE(IsWine());
    EXPECT_FALSE(IsHighContrast());
    EXPECT_TRUE(IsFlatMenus()) << "flat while the visual style is on";
    SystemSettings().RemoteSession = 1;
    SystemSettings().FlatMenus = 0;
    EXPECT_TRUE(IsRemoteSession());
    EXPECT_FALSE(IsFlatMenus());
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), QFontMetrics(GetMenuFont()).height() + 6);
    EXPECT_EQ(GetSystemMetrics(SM_CXMENUCHECK), 13);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
    EXPECT_EQ(GetSysColor(9999), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT),
              FromQColor(QApplication::palette().color(QPalette::Disabled, QPalette::Text)));
}
