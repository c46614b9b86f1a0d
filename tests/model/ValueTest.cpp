#include "model/Value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

TEST(Value, FlagsReadBackIgnoringCase)
{
    EXPECT_EQ(CValue(true).GetText(), QStringLiteral("True"));
    EXPECT_EQ(CValue(false).GetText(), QStringLiteral("False"));
    EXPECT_TRUE(CValue(true).AsBool());
    EXPECT_FALSE(CValue(false).AsBool());

    CValue value;
    for (const char* text : {"true", "TRUE", "tRuE"}) {
        value.SetText(QString::fromLatin1(text));
        EXPECT_TRUE(value.AsBool()) << text;
    }
    for (const char* text : {"", "1", "yes", "True ", "false"}) {
        value.SetText(QString::fromLatin1(text));
        EXPECT_FALSE(value.AsBool()) << text;
    }
}

TEST(Value, IntegersReadTheirLeadingDigits)
{
    EXPECT_EQ(CValue(-12).GetText(), QStringLiteral("-12"));
    EXPECT_EQ(CValue(-12).AsInt(), -12);

    struct Case
    {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  7", 7},
        {"+5", 5},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"3.9", 3},
        {"-0", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    CValue value;
    for (const Case& c : cases) {
        value.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(value.AsInt(), c.expected) << c.text;
    }
}

TEST(Value, DoublesUseThreeExponentDigits)
{
    struct Case
    {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {1.5, "1.500000e+000"},  {0.0, "0.000000e+000"},     {-123456.789, "-1.234568e+005"},
        {1e-7, "1.000000e-007"}, {2.5e300, "2.500000e+300"},
    };
    CValue value;
    for (const Case& c : cases) {
        value.SetDouble(c.value);
        EXPECT_EQ(value.GetText(), QString::fromLatin1(c.expected)) << c.value;
    }
}

TEST(Value, DoublesReadBackInSinglePrecision)
{
    CValue value;
    value.SetDouble(0.1234567891234);
    EXPECT_EQ(value.AsFloat(), 0.1234568f);
    EXPECT_NE(static_cast<double>(value.AsFloat()), 0.1234567891234);

    struct Case
    {
        const char* text;
        float expected;
    };
    const Case cases[] = {
        {"2.5", 2.5f},
        {" -3.25xyz", -3.25f},
        {"1e3", 1000.f},
        {"abc", 0.f},
        {"", 0.f},
        // Beyond the float range: held to it.
        {"1e300", std::numeric_limits<float>::max()},
        {"-1e300", -std::numeric_limits<float>::max()},
    };
    for (const Case& c : cases) {
        value.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(value.AsFloat(), c.expected) << c.text;
    }
}

TEST(Value, NumbersIgnoreTheUserLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    CValue value;
    value.SetDouble(2.5);
    EXPECT_EQ(value.GetText(), QStringLiteral("2.500000e+000"));
    value.SetText(QStringLiteral("2.75"));
    EXPECT_EQ(value.AsFloat(), 2.75f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Value, CopiesKeepTextAndLanguage)
{
    const CCaptionValue none;
    EXPECT_EQ(none.GetLanguageId(), -1);
    EXPECT_TRUE(none.GetText().isEmpty());

    CValue text;
    text.SetText(QStringLiteral("Brand awareness"));
    CCaptionValue caption(text, 1036);
    const CCaptionValue copy(caption);
    EXPECT_EQ(copy.GetText(), QStringLiteral("Brand awareness"));
    EXPECT_EQ(copy.GetLanguageId(), 1036);

    caption.SetLanguageId(1033);
    EXPECT_EQ(copy.GetLanguageId(), 1036);

    CValue assigned;
    assigned = caption;
    EXPECT_EQ(assigned.GetText(), QStringLiteral("Brand awareness"));
}
