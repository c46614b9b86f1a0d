#include "menus/ColorRef.h"

#include <gtest/gtest.h>

#include <climits>

using namespace menus;

TEST(ColorArithmetic, MulDivRoundsToNearestAndRefusesZeroDenominator)
{
    struct SCase
    {
        int Number, Numerator, Denominator, Expected;
    };
    const SCase cases[] = {
        {10, 3, 4, 8},        {-10, 3, 4, -8}, {7, 1, 2, 4},
        {5, 1, 3, 2},         {1, 1, 3, 0},    {10, 3, -4, -8},
        {0, 5, 7, 0},         {12, 5, 0, -1},  {INT_MAX, 2, 2, INT_MAX},
        {255, 110, 255, 110},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(MulDiv(c.Number, c.Numerator, c.Denominator), c.Expected)
            << c.Number << " * " << c.Numerator << " / " << c.Denominator;
}

TEST(ColorArithmetic, ChannelRulesOfTheThemes)
{
    struct SCase
    {
        const char* Rule;
        COLORREF Actual, Expected;
    };
    const SCase cases[] = {
        // c + MulDiv(255 - c, amount, 255) per channel
        {"Lighten 110 of the blue base", LightenColor(110, 0xF5C2A3), RGB(203, 220, 249)},
        {"Lighten 0 keeps", LightenColor(0, RGB(1, 2, 3)), RGB(1, 2, 3)},
        {"Lighten 255 is white", LightenColor(255, RGB(1, 2, 3)), RGB(255, 255, 255)},
        // MulDiv(c, 255 - amount, 255) per channel
        {"Darken 50", DarkenColor(50, RGB(200, 100, 0)), RGB(161, 80, 0)},
        {"Darken 255 is black", DarkenColor(255, RGB(200, 100, 50)), RGB(0, 0, 0)},
        // (c1 * w + (255 - w) * c0) / 256, truncated
        {"Mix 100 of black and white", MixColor(RGB(0, 0, 0), RGB(255, 255, 255), 100),
         RGB(99, 99, 99)},
        {"Mix with no colour", MixColor(RGB(1, 2, 3), CLR_NONE, 100), CLR_NONE},
        {"Mix70 white over black", MixColor70(RGB(255, 255, 255), RGB(0, 0, 0)),
         RGB(179, 179, 179)},
        {"Mix70 clamps at 255", MixColor70(RGB(255, 255, 255), RGB(255, 255, 255)),
         RGB(255, 255, 255)},
        {"Mix86 white over black", MixColor86(RGB(255, 255, 255), RGB(0, 0, 0)),
         RGB(219, 219, 219)},
        {"Mix86 of two colours", MixColor86(RGB(100, 0, 255), RGB(0, 100, 255)), RGB(86, 14, 255)},
        {"Bar shadow", BarShadowColor(RGB(100, 200, 10)), RGB(70, 140, 45)},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(c.Actual, c.Expected) << c.Rule << std::hex << ": 0x" << c.Actual;
}

TEST(ColorArithmetic, LightnessIsTheChannelSumAbove384)
{
    EXPECT_FALSE(IsLightColor(RGB(128, 128, 128)));
    EXPECT_TRUE(IsLightColor(RGB(128, 128, 129)));
    EXPECT_TRUE(IsLightColor(RGB(255, 238, 194)));
    EXPECT_FALSE(IsLightColor(RGB(0, 84, 229)));
}

TEST(ColorArithmetic, OneConversionBetweenColorrefAndQColor)
{
    EXPECT_EQ(ToQColor(0xE55400), QColor(0, 84, 229));
    EXPECT_EQ(FromQColor(QColor(255, 238, 194)), 0xC2EEFFu);
    EXPECT_EQ(FromQColor(QColor(255, 238, 194, 10)), 0xC2EEFFu) << "alpha is dropped";
    for (COLORREF c : {0x000000u, 0xFFFFFFu, 0x840204u, 0x6FC0FFu})
        EXPECT_EQ(FromQColor(ToQColor(c)), c);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(ColorArithmetic, OpaqueAndMarkerConversionsDifferOnlyOnTheMarker)
{
    const COLORREF colour = RGB(192, 10, 255);
    EXPECT_EQ(ToQColor(colour), QColor(192, 10, 255));
    EXPECT_EQ(ColorRefToQColor(colour), QColor(192, 10, 255));
    EXPECT_EQ(FromQColor(QColor(192, 10, 255, 40)), colour);
    EXPECT_EQ(QColorToColorRef(QColor(192, 10, 255, 40)), colour);

    // The opaque conversion ignores the high byte; the other one reads the marker as no colour.
    EXPECT_EQ(ToQColor(CLR_DEFAULT), QColor(0, 0, 0));
    EXPECT_EQ(ToQColor(0x01563412), QColor(0x12, 0x34, 0x56));
    EXPECT_FALSE(ColorRefToQColor(CLR_DEFAULT).isValid());
    EXPECT_FALSE(ColorRefToQColor(CLR_NONE).isValid());
    EXPECT_EQ(QColorToColorRef(QColor()), CLR_DEFAULT);
    EXPECT_EQ(QColorToColorRef(Qt::black), 0u);
}
