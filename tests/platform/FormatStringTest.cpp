#include "platform/FormatString.h"

#include <clocale>
#include <gtest/gtest.h>

TEST(FormatString, ConversionsTakeTheirArgumentsInOrder)
{
    struct Case
    {
        const char* format;
        std::initializer_list<QVariant> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Error %s", {QStringLiteral("disk full")}, "Error disk full"},
        {"%s_%s_%d.html", {QStringLiteral("c"), QStringLiteral("w"), 3}, "c_w_3.html"},
        {"100%% done", {}, "100% done"},
        {"[%5d|%-4s|%.2f]", {42, QStringLiteral("ab"), 3.14159}, "[   42|ab  |3.14]"},
        {"%ld and %u", {-7, 7u}, "-7 and 7"},
        {"missing %s here", {}, "missing %s here"},
        {"%.3s", {QStringLiteral("abcdef")}, "abc"},
        {"trailing %", {}, "trailing %"},
        {"%d%s%%%i.", {-9000000000LL, QStringLiteral("x"), 0}, "-9000000000x%0."},
        {"[%0*d]", {2, 5}, "[05]"},
        {"[%0*d] %.*s", {3, 12, 2, QStringLiteral("abc")}, "[012] ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatString(QString::fromUtf8(c.format), c.args), QString::fromUtf8(c.expected))
            << c.format;
}

TEST(FormatString, NumbersIgnoreTheUserLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(FormatString(QStringLiteral("%.1f"), {2.5}), QStringLiteral("2.5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatString, TextsKeepNonLatinCharacters)
{
    EXPECT_EQ(FormatString(QStringLiteral("«%s»"), {QStringLiteral("Добрый день")}),
              QStringLiteral("«Добрый день»"));
}
