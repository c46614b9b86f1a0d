#include "ModelFixtures.h"

#include "model/ModelHelpers.h"
#include "res/StringTable.h"

#include <gtest/gtest.h>

using namespace pelko_wave;

TEST(ValueTexts, DoublesEqualWithinARelativeTolerance)
{
    struct Case
    {
        double a;
        double b;
        bool equal;
    };
    const Case cases[] = {
        {0, 0, true},         {0, 0.00001, false}, {1000, 1000.1, true}, {1, 1.001, false},
        {-5, -5, true},       {-1000, -1000.1, true}, {1e-9, 2e-9, false}, {3.5, 3.5, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DoublesEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    EXPECT_TRUE(BoolsEqual(2, 1));
    EXPECT_TRUE(BoolsEqual(0, 0));
    EXPECT_FALSE(BoolsEqual(0, 5));
}

TEST(ValueTexts, TextsOfValues)
{
    EXPECT_EQ(DoubleToText(1.5), QStringLiteral("1.500000e+00"));
    EXPECT_EQ(IntToText(-12), QStringLiteral("-12"));
    EXPECT_EQ(FormatIntText(7), QStringLiteral("7"));
    EXPECT_EQ(BoolToText(3), LoadString(63038));
    EXPECT_EQ(BoolToText(0), LoadString(63039));
    EXPECT_TRUE(TextToBool(LoadString(63038).toLower()));
    EXPECT_FALSE(TextToBool(LoadString(63039)));
    EXPECT_FALSE(TextToBool(QStringLiteral("1")));
    EXPECT_EQ(JoinIds({4, 0, 2}), QStringLiteral("4;0;2"));
    EXPECT_EQ(JoinIds({7}), QStringLiteral("7"));
    EXPECT_EQ(JoinIds({}), QString());
    const QMap<int, QString> sources{{2, QStringLiteral("b")}, {1, QStringLiteral("a")}};
    EXPECT_EQ(JoinSourceList(sources), QStringLiteral("a;b"));
    const QString tag = CreateGuidString();
    EXPECT_EQ(tag.size(), 8);
    EXPECT_EQ(tag, tag.toUpper());
    EXPECT_NE(tag, CreateGuidString());
    QList<quint32> ids{9};
    CopyIdsToArray(std::set<int>{5, 3}, ids);
    EXPECT_EQ(ids, (QList<quint32>{9, 3, 5}));
    std::vector<int> vector{1};
    CopyPointersToVector(QList<int>{2, 3}, vector);
    EXPECT_EQ(vector, (std::vector<int>{1, 2, 3}));
}

TEST(ValueTexts, NamesOfMethodsAndPathKinds)
{
    EXPECT_EQ(GetQuestionMatchingMethodName(3), LoadString(63219));
    EXPECT_EQ(GetResponseMatchingMethodName(3), LoadString(63079));
    EXPECT_EQ(GetResponseMatchingMethodName(1), LoadString(63074));
    EXPECT_EQ(GetQuestionMatchingMethodName(6), QString());
    EXPECT_EQ(GetSourcePathTypeName(2), LoadString(63306));
    EXPECT_EQ(GetSourcePathTypeName(4), QString());
    EXPECT_EQ(GetSourcePathTypeName(-1), QString());
    EXPECT_EQ(GetQuestionMatchingMethodsText({1, 2}),
              LoadString(63070) + QStringLiteral("; ") + LoadString(63068));
    EXPECT_EQ(GetResponseMatchingMethodsText({}), QString());

    CVolume volume;
    EXPECT_TRUE(IsVolumeUnreconciled(volume));
    EXPECT_FALSE(IsVolumeReconciliationStarted(volume));
    volume.SetStatus(VOLUME_INCOMPLETE);
    EXPECT_TRUE(IsVolumeReconciliationStarted(volume));
    EXPECT_FALSE(IsVolumeReconciled(volume));
    volume.SetStatus(VOLUME_RECONCILED);
    EXPECT_TRUE(IsVolumeReconciled(volume));
}
