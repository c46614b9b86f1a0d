#include "controls/PropertyGridValueText.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(PropertyGridValueText, NumberFormatsAreCheckedBeforeUse)
{
    struct SCase
    {
        const char* Format;
        bool Real;
        const char* Expected; // what 42 (or 42.5) is written as
    };
    const SCase cases[] = {
        {"%d", false, "42"},
        {"%05d", false, "00042"},
        {"%x items", false, "2a items"},
        {"100%% of %d", false, "100% of 42"},
        {"%ld", false, "42"},
        {"", false, "42"},
        {"%s", false, "42"},        // a text conversion for a number: the default
        {"%d and %d", false, "42"}, // two conversions
        {"%999999d", false, "42"},  // a width printf would choke on
        {"%n", false, "42"},        // writes memory in printf: never passed on
        {"no conversion", false, "42"},
        {"%.2f", true, "42.50"},
        {"%g", true, "42.5"},
        {"%8.3e", true, "4.250e+01"},
        {"%d", true, "42.5"}, // an integer conversion for a real
        {"%.999f", true, "42.5"},
    };
    for (const SCase& c : cases) {
        const QString text = c.Real ? FormatDoubleValue(42.5, QString::fromLatin1(c.Format))
                                    : FormatIntegerValue(42, QString::fromLatin1(c.Format));
        EXPECT_EQ(text.toStdString(), c.Expected) << c.Format;
    }
}

TEST(PropertyGridValueText, OnlyWholeNumbersInRangeAreRead)
{
    struct SCase
    {
        const char* Text;
        bool Ok;
        int Value;
    };
    const SCase integers[] = {
        {"12", true, 12},         {" -7 ", true, -7},
        {"+3", true, 3},          {"abc", false, 5},
        {"12x", false, 5},        {"", false, 5},
        {"1,000", false, 5},      {"2147483647", true, 2147483647},
        {"2147483648", false, 5}, {"1.5", false, 5},
    };
    for (const SCase& c : integers) {
        int value = 5;
        EXPECT_EQ(ParseIntegerText(QString::fromLatin1(c.Text), value), c.Ok) << c.Text;
        EXPECT_EQ(value, c.Value) << c.Text;
    }
    double real = 1.5;
    EXPECT_TRUE(ParseDoubleText(QStringLiteral("2.25"), real));
    EXPECT_EQ(real, 2.25);
    EXPECT_TRUE(ParseDoubleText(QStringLiteral("1e+06"), real)); // as "%g" shows a million
    EXPECT_EQ(real, 1e6);
    for (const char* bad : {"2,5", "12x", "nan", "inf", "1e999", ""}) {
        real = 1.5;
        EXPECT_FALSE(ParseDoubleText(QString::fromLatin1(bad), real)) << bad;
        EXPECT_EQ(real, 1.5) << bad;
    }
}

TEST(PropertyGridValueText, DatesTextsAndPaths)
{
    const QDateTime value(QDate(2006, 3, 4), QTime(14, 5, 9));
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%d/%m/%Y"), false),
              QStringLiteral("04/03/2006"));
    // Day and month names are the user's.
    const QLocale user;
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%#d %B %y, %H:%M:%S %p"), false),
              QStringLiteral("4 %1 06, 14:05:09 PM").arg(user.monthName(3)));
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%a %j%%"), false),
              user.dayName(6, QLocale::ShortFormat) + QStringLiteral(" 063%"));
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%A %b"), false),
              user.dayName(6) + QLatin1Char(' ') + user.monthName(3, QLocale::ShortFormat));
    // Unknown codes give the locale's date.
    const QString shortDate = QLocale().toString(value.date(), QLocale::ShortFormat);
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%Q"), false), shortDate);
    EXPECT_EQ(FormatDateValue(value, QStringLiteral("%"), false), shortDate);
    EXPECT_EQ(FormatDateValue(value, QString(), true),
              QLocale().toString(value, QLocale::ShortFormat));
    EXPECT_TRUE(FormatDateValue(QDateTime(), QStringLiteral("%Y"), false).isEmpty());
    EXPECT_FALSE(IsValidDateFormat(QStringLiteral("%s")));
    EXPECT_TRUE(IsValidDateFormat(QStringLiteral("week %w")));

    EXPECT_EQ(OneLineText(QStringLiteral("one\r\ntwo")), QStringLiteral("one\u00B6two"));
    EXPECT_EQ(OneLineText(QStringLiteral("a\nb\rc")), QStringLiteral("a\u00B6b\u00B6c"));
    EXPECT_EQ(ColorValueText(0x0A00FF), QStringLiteral("255; 0; 10"));
    EXPECT_EQ(FontValueText(QStringLiteral("Tahoma"), -11, 96), QStringLiteral("Tahoma; 8pt"));
    EXPECT_EQ(FontValueText(QStringLiteral("Arial"), -16, 96), QStringLiteral("Arial; 12pt"));

    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString path =
        QStringLiteral("/home/researcher/studies/brand tracking 2006/wave 3/questionnaire.zoz");
    EXPECT_EQ(CompactPath(path, metrics, 2000), path);
    const QString compact = CompactPath(path, metrics, 200);
    EXPECT_LE(metrics.horizontalAdvance(compact), 200);
    EXPECT_TRUE(compact.startsWith(QStringLiteral("/home/"))) << compact.toStdString();
    EXPECT_TRUE(compact.endsWith(QStringLiteral(".../questionnaire.zoz"))) << compact.toStdString();
    // Too narrow even for the name: the name itself is elided.
    const QString tiny = CompactPath(path, metrics, 40);
    EXPECT_LE(metrics.horizontalAdvance(tiny), 40);
}
