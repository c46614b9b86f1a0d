// The property list's text form, the number-list splitter and the stable codes.

#include "questionnaire/Questionnaire.h"
#include "questionnaire/StableCode.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace qnr;

TEST(PropertyList, TextFormRoundTrip)
{
    CPropertyList list;
    list.SetProperty(QStringLiteral("SourceStorageType"), 0);
    list.SetProperty(QStringLiteral("SurveyID"), -12L);
    list.SetProperty(QStringLiteral("SourceString"),
                     QStringLiteral("C:\\data\\wave;1|=x:y\nz\r.zoz"));
    const QString text = list.GetString();
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));

    CPropertyList read;
    ASSERT_TRUE(read.SetString(text)) << qPrintable(text);
    long number = 5;
    QString path;
    EXPECT_TRUE(read.GetProperty(QStringLiteral("SourceStorageType"), number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(read.GetProperty(QStringLiteral("SurveyID"), number));
    EXPECT_EQ(number, -12);
    EXPECT_TRUE(read.GetProperty(QStringLiteral("SourceString"), path));
    EXPECT_EQ(path, "C:\\data\\wave;1|=x:y\nz\r.zoz");
    // A property is found only with its kind, and absent ones are not found.
    EXPECT_FALSE(read.GetProperty(QStringLiteral("SourceString"), number));
    EXPECT_FALSE(read.GetProperty(QStringLiteral("SurveyID"), path));
    EXPECT_FALSE(read.GetProperty(QStringLiteral("SourceFilePathFormat"), number));
    // Setting a name again replaces it, whatever its kind.
    read.SetProperty(QStringLiteral("SurveyID"), QStringLiteral("text"));
    EXPECT_TRUE(read.GetProperty(QStringLiteral("SurveyID"), path));
}

TEST(PropertyList, TextsThatAreNotAListLeaveItEmpty)
{
    const char* const texts[] = {
        "C:\\data\\wave1.zoz", "/home/x/wave1.zoz", "",         "PL1|name", "PL1|a:i=x;",
        "PL1|a:q=1;",          "PL1|a:s=\\z;",      "PL1|:i=1;"};
    for (const char* text : texts) {
        CPropertyList list;
        list.SetProperty(QStringLiteral("kept"), 1);
        EXPECT_FALSE(list.SetString(QLatin1String(text))) << text;
        EXPECT_TRUE(list.IsEmpty()) << text;
    }
    CPropertyList empty;
    EXPECT_TRUE(empty.SetString(empty.GetString()));
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(StaticTools, NumberListSplitter)
{
    struct SCase
    {
        const char* text;
        std::vector<quint32> numbers;
    };
    const SCase cases[] = {
        {"1;2;0", {1, 2, 0}},
        {"4;", {4}},
        {"", {}},
        {" 3 ; ;5", {3, 5}},
        {"1;x;2;-3;+4;4294967295;4294967296", {1, 2, 4294967295u}},
    };
    for (const SCase& c : cases) {
        std::vector<quint32> numbers = {77};
        const int count = CStaticTools::LireChaineSeparateurDWORD(QLatin1String(c.text),
                                                                  QLatin1Char(';'), numbers);
        EXPECT_EQ(count, static_cast<int>(c.numbers.size())) << c.text;
        std::vector<quint32> expected = {77};
        expected.insert(expected.end(), c.numbers.begin(), c.numbers.end());
        EXPECT_EQ(numbers, expected) << c.text;
    }
}

// The codes given match the plain walk from the wished code to the first free one (wrapping
// from the highest 30-bit code to 2), for wishes crowded together and near the wrap.
TEST(StableCodes, TakeGivesTheFirstFreeCodeFromTheWishedOne)
{
    const auto after = [](int code) { return code >= 0x3FFFFFFF ? 2 : code + 1; };
    std::mt19937 random(11);
    for (const int base : {2, 1000, 0x3FFFFFFF - 40}) {
        CStableCodes codes;
        std::set<int> taken;
        for (int i = 0; i < 400; ++i) {
            const int wished = base + int(random() % 60);
            int expected = wished;
            while (taken.count(expected))
                expected = after(expected);
            ASSERT_EQ(codes.Take(wished), expected) << base << " " << i;
            taken.insert(expected);
            EXPECT_TRUE(codes.IsTaken(expected));
        }
        EXPECT_FALSE(codes.IsTaken(base - 1));
    }
    // The wrap gives 2 after the highest code, then goes on from there.
    CStableCodes wrapped;
    EXPECT_EQ(wrapped.Take(0x3FFFFFFF), 0x3FFFFFFF);
    EXPECT_EQ(wrapped.Take(0x3FFFFFFF), 2);
    EXPECT_EQ(wrapped.Take(0x3FFFFFFF), 3);
    EXPECT_EQ(wrapped.Take(2), 4);
}
