#include "reconcile/NGram.h"

#include "model/OptionRecords.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

#include <random>

namespace {

double Score(const QString& a, const QString& b, int upperCase = 1, int trim = 1,
             int bothEmptyResult = 0)
{
    CNGram ngram;
    ngram.SetUpperCase(upperCase);
    ngram.SetTrim(trim);
    ngram.SetFirstText(a);
    ngram.SetSecondText(b);
    return ngram.GetSimilarity(bothEmptyResult);
}

} // namespace

TEST(NGram, StoresFramedTextsAndCountsTheGramsBeforeTheClosingFrame)
{
    CNGram ngram;
    EXPECT_EQ(ngram.SetFirstText(QStringLiteral("abc")), 3);
    EXPECT_EQ(ngram.GetFirstText(), QStringLiteral("#abc#"));
    const CNGram::GramMap expected{{"#A", 1}, {"AB", 1}, {"BC", 1}};
    EXPECT_EQ(ngram.GetFirstGrams(), expected);

    EXPECT_EQ(ngram.SetSecondText(QStringLiteral("ab")), 2);
    const CNGram::GramMap expectedAb{{"#A", 1}, {"AB", 1}};
    EXPECT_EQ(ngram.GetSecondGrams(), expectedAb);

    // Repeated grams are counted with their multiplicity.
    EXPECT_EQ(ngram.SetSecondText(QStringLiteral("aaa")), 3);
    const CNGram::GramMap expectedAaa{{"#A", 1}, {"AA", 2}};
    EXPECT_EQ(ngram.GetSecondGrams(), expectedAaa);
}

TEST(NGram, TextsTooShortForAGramGiveNone)
{
    CNGram ngram;
    EXPECT_EQ(ngram.SetFirstText(QString()), 0);
    EXPECT_EQ(ngram.GetFirstText(), QStringLiteral("##"));
    EXPECT_TRUE(ngram.GetFirstGrams().empty());
    EXPECT_EQ(ngram.SetSecondText(QStringLiteral("x")), 1);
    ngram.SetLength(3);
    EXPECT_EQ(ngram.GetSecondTotal(), 0); // "#x#" has 3 characters: no gram of 3 before its end
}

TEST(NGram, Scores)
{
    struct SCase
    {
        const char* first;
        const char* second;
        int upperCase;
        int trim;
        int bothEmptyResult;
        double expected;
    };
    const SCase cases[] = {
        {"abc", "abc", 1, 1, 0, 1.0},
        {"ab", "abc", 1, 1, 0, 0.8},
        {"", "", 1, 1, 0, 0.0},
        {"", "", 1, 1, 1, 1.0},
        {"   ", "", 1, 1, 1, 1.0}, // blank is empty once trimmed
        {"", "abc", 1, 1, 1, 0.0}, // only both empty takes the given result
        {"Abc", "aBC", 1, 1, 0, 1.0},
        {"Abc", "aBC", 0, 1, 0, 0.0}, // #A Ab bc against #a aB BC: no gram agrees in case
        {"abC", "abc", 0, 1, 0, 2.0 * 2 / 6},
        {"  abc ", "abc", 1, 1, 0, 1.0},
        {" abc", "abc", 1, 0, 0, 2.0 * 2 / 7}, // "# ", " a", "ab", "bc" against "#a", "ab", "bc"
        {"ab", "ac", 1, 1, 0, 0.5},
        {"Q1a", "Q1b", 1, 1, 0, 2.0 * 2 / 6},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.first << "\" / \"" << c.second << '"');
        EXPECT_DOUBLE_EQ(Score(QString::fromUtf8(c.first), QString::fromUtf8(c.second), c.upperCase,
                               c.trim, c.bothEmptyResult),
                         c.expected);
    }
}

TEST(NGram, UpperCasingKeepsEveryGramItsLength)
{
    // The German sharp s upper-cases to two letters as a whole word; unit by unit it stays.
    CNGram ngram;
    EXPECT_EQ(ngram.SetFirstText(QStringLiteral("straße")), 6);
    EXPECT_EQ(ngram.GetFirstGrams().count(QStringLiteral("Aß")), 1u);
    EXPECT_DOUBLE_EQ(Score(QStringLiteral("STRAßE"), QStringLiteral("straße")), 1.0);
    EXPECT_DOUBLE_EQ(Score(QStringLiteral("éclair"), QStringLiteral("ÉCLAIR")), 1.0);
}

TEST(NGram, SetLengthRecountsOnlyWhenTheLengthChanges)
{
    CNGram ngram;
    ngram.SetFirstText(QStringLiteral("abcd"));
    ngram.SetSecondText(QStringLiteral("abce"));
    const auto firstGrams = ngram.GetFirstGrams();
    ngram.SetLength(2);
    EXPECT_EQ(ngram.GetFirstGrams(), firstGrams);
    EXPECT_EQ(ngram.GetFirstTotal(), 4);
    EXPECT_DOUBLE_EQ(ngram.GetSimilarity(0), 0.75);

    ngram.SetLength(3);
    EXPECT_EQ(ngram.GetFirstTotal(), 3); // #AB ABC BCD
    EXPECT_EQ(ngram.GetSecondTotal(), 3);
    EXPECT_DOUBLE_EQ(ngram.GetSimilarity(0), 2.0 * 2 / 6);

    // The flags do not recount by themselves: a text set afterwards follows them.
    ngram.SetUpperCase(0);
    EXPECT_EQ(ngram.GetFirstGrams().count(QStringLiteral("#AB")), 1u);
    ngram.SetFirstText(QStringLiteral("abcd"));
    EXPECT_EQ(ngram.GetFirstGrams().count(QStringLiteral("#ab")), 1u);
}

TEST(NGram, AMeaninglessLengthCountsNothing)
{
    CNGram ngram;
    ngram.SetLength(0);
    EXPECT_EQ(ngram.SetFirstText(QStringLiteral("abc")), 0);
    ngram.SetLength(-3);
    EXPECT_EQ(ngram.SetSecondText(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(ngram.GetSimilarity(0), 0.0);
}

TEST(NGramThreshold, FollowsTheOptions)
{
    // Without an application the defaults hold.
    EXPECT_EQ(GetMatchingThreshold(), double(0.95f));
    CTestWaveApp app;
    EXPECT_EQ(GetMatchingThreshold(), double(0.95f));
    EXPECT_NE(GetMatchingThreshold(), 0.95);

    app.NGramSettings.SetNGramThreshold(80);
    EXPECT_EQ(GetMatchingThreshold(), double(0.8f));
    app.NGramSettings.SetNGramThreshold(100);
    EXPECT_EQ(GetMatchingThreshold(), 1.0);

    // With the analysis off the threshold is fixed, whatever the option says.
    app.NGramSettings.SetEnableNGramAnalysis(0);
    EXPECT_EQ(GetMatchingThreshold(), double(0.95f));
}

TEST(IsTextSimilar, ComparesStrictlyAboveTheThreshold)
{
    CTestWaveApp app;
    EXPECT_EQ(IsTextSimilar(QStringLiteral("abc"), QStringLiteral("abc"), 1, 0), 1);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("ab"), QStringLiteral("abc"), 1, 0), 0); // 0.8
    EXPECT_EQ(IsTextSimilar(QString(), QString(), 1, 0), 0);
    EXPECT_EQ(IsTextSimilar(QString(), QString(), 1, 1), 1);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("Abc"), QStringLiteral("aBC"), 1, 0), 1);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("Abc"), QStringLiteral("aBC"), 0, 0), 0);

    // A score equal to the threshold is not similar: "ab" against "ac" scores exactly 0.5.
    app.NGramSettings.SetNGramThreshold(50);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("ab"), QStringLiteral("ac"), 1, 0), 0); // 0.5
    app.NGramSettings.SetNGramThreshold(49);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("ab"), QStringLiteral("ac"), 1, 0), 1);
    app.NGramSettings.SetNGramThreshold(100);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("abc"), QStringLiteral("abc"), 1, 0), 0);
}

TEST(IsTextSimilar, TrimsAsTheOptionsSayAndAlwaysUsesGramsOfTwo)
{
    CTestWaveApp app;
    app.NGramSettings.SetNGramLength(5);
    EXPECT_EQ(IsTextSimilar(QStringLiteral(" abc "), QStringLiteral("abc"), 1, 0), 1);
    // With grams of two "abcd" and "abcx" score 0.75; grams of five would give 0.
    app.NGramSettings.SetNGramThreshold(70);
    EXPECT_EQ(IsTextSimilar(QStringLiteral("abcd"), QStringLiteral("abcx"), 1, 0), 1);

    app.NGramSettings.SetIgnoreWhitespace(0);
    app.NGramSettings.SetNGramThreshold(95);
    EXPECT_EQ(IsTextSimilar(QStringLiteral(" abc "), QStringLiteral("abc"), 1, 0), 0);
}

// The sorted gram keys that the scans and the scores count with give CNGram's totals and shared
// counts, so its scores bit for bit: letter case, blanks at either end, letters whose upper case
// is special, characters outside the basic plane.
TEST(NGramKeys, CountAsCNGramCounts)
{
    const QString pool = QStringLiteral("aAbB éÉß\u01C6\t1#") + QString::fromUtf16(u"\U0001D49C");
    std::mt19937 random(5);
    QStringList texts{QString(), QStringLiteral(" "), QStringLiteral("a")};
    for (int i = 0; i < 150; ++i) {
        QString text;
        for (int n = int(random() % 9); n > 0; --n)
            text += pool[qsizetype(random() % unsigned(pool.size()))];
        texts << text;
    }
    std::vector<uint32_t> first;
    std::vector<uint32_t> second;
    for (const int upperCase : {0, 1}) {
        for (const int trim : {0, 1}) {
            for (qsizetype a = 0; a < texts.size(); ++a) {
                for (qsizetype b = a; b < texts.size(); b += 7) {
                    CNGram ngram;
                    ngram.SetUpperCase(upperCase);
                    ngram.SetTrim(trim);
                    const int firstTotal = ngram.SetFirstText(texts[a]);
                    const int secondTotal = ngram.SetSecondText(texts[b]);
                    ASSERT_EQ(CollectNGramKeys(texts[a], upperCase, trim, first), firstTotal);
                    ASSERT_EQ(CollectNGramKeys(texts[b], upperCase, trim, second), secondTotal);
                    for (const int bothEmpty : {0, 1}) {
                        EXPECT_EQ(NGramDiceScore(CountSharedNGramKeys(first, second), firstTotal,
                                                 secondTotal, bothEmpty),
                                  ngram.GetSimilarity(bothEmpty))
                            << texts[a].toStdString() << " | " << texts[b].toStdString();
                        EXPECT_EQ(GetNGramScore(texts[a], texts[b], upperCase, trim, 2, bothEmpty),
                                  ngram.GetSimilarity(bothEmpty));
                    }
                    // Other lengths count as CNGram does too.
                    ngram.SetLength(3);
                    EXPECT_EQ(GetNGramScore(texts[a], texts[b], upperCase, trim, 3, 0),
                              ngram.GetSimilarity(0));
                }
            }
        }
    }
}
