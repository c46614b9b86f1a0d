#include "model/OptionRecords.h"

#include <gtest/gtest.h>

TEST(OptionRecords, DefaultsOfEveryRecord)
{
    const CLanguageSettings language;
    EXPECT_EQ(language.GetSourceItems(), 1);
    EXPECT_EQ(language.GetCompareCaptionsInDefaultLangOnly(), 0);

    const CViewSettings view;
    EXPECT_EQ(view.GetCreateReconciliationReport(), 1);
    EXPECT_EQ(view.GetShowImperfectQuestionMatches(), 1);
    EXPECT_EQ(view.GetShowPerfectQuestionMatches(), 1);
    EXPECT_EQ(view.GetShowUnmatchedCampaignQuestions(), 1);
    EXPECT_EQ(view.GetShowUnmatchedSourceQuestions(), 1);
    EXPECT_EQ(view.GetQuestionGridViewText(), 0);
    EXPECT_EQ(view.GetShowImperfectResponseMatches(), 1);
    EXPECT_EQ(view.GetShowPerfectResponseMatches(), 1);
    EXPECT_EQ(view.GetShowUnmatchedCampaignResponses(), 1);
    EXPECT_EQ(view.GetShowUnmatchedSourceResponses(), 1);
    EXPECT_EQ(view.GetShowNewCampaignResponses(), 1);
    EXPECT_EQ(view.GetViewEntryCodes(), 1);

    const CNGramSettings ngram;
    EXPECT_EQ(ngram.GetEnableNGramAnalysis(), 1);
    EXPECT_EQ(ngram.GetNGramLength(), 2);
    EXPECT_EQ(ngram.GetNGramThreshold(), 95);
    EXPECT_EQ(ngram.GetIgnoreWhitespace(), 1);

    EXPECT_EQ(CReconciliationSettings().GetCheckQuesTypeForMatches(), 1);

    const CEnvironmentSettings environment;
    EXPECT_EQ(environment.GetMRUSize(), 10);
    EXPECT_EQ(environment.GetMRUFileNameLength(), 30);
    EXPECT_EQ(environment.GetFindQuestionSearchTarget(), 0);
    EXPECT_TRUE(environment.GetFindQuestionText().isEmpty());
    EXPECT_TRUE(environment.GetCaptionsLibraryPath().isEmpty());

    const CUserDefinedApp apps;
    EXPECT_TRUE(apps.GetUserDefinedApp1Title().isEmpty());
    EXPECT_TRUE(apps.GetUserDefinedApp1Path().isEmpty());
    EXPECT_TRUE(apps.GetUserDefinedApp2Title().isEmpty());
    EXPECT_TRUE(apps.GetUserDefinedApp2Path().isEmpty());
}

TEST(OptionRecords, NGramLengthNeverBelowTwo)
{
    const std::pair<int, int> cases[] = {{0, 2}, {1, 2}, {-5, 2}, {2, 2}, {3, 3}, {40, 40}};
    for (const auto& [given, stored] : cases) {
        CNGramSettings ngram;
        ngram.SetNGramLength(given);
        EXPECT_EQ(ngram.GetNGramLength(), stored) << given;
    }
}

TEST(OptionRecords, ThresholdFractionIsSinglePrecision)
{
    CNGramSettings ngram;
    EXPECT_EQ(ngram.GetThresholdFraction(), 0.95f);
    EXPECT_DOUBLE_EQ(static_cast<double>(ngram.GetThresholdFraction()), 0.949999988079071);
    ngram.SetNGramThreshold(100);
    EXPECT_EQ(ngram.GetThresholdFraction(), 1.0f);
    ngram.SetNGramThreshold(0);
    EXPECT_EQ(ngram.GetThresholdFraction(), 0.0f);
    ngram.SetNGramThreshold(150);
    EXPECT_EQ(ngram.GetThresholdFraction(), 1.5f);
}

TEST(OptionRecords, RecentFileLimitsIgnoreOutOfRangeValues)
{
    const std::pair<int, int> sizes[] = {{0, 10}, {17, 10}, {-1, 10}, {1, 1}, {16, 16}};
    for (const auto& [given, stored] : sizes) {
        CEnvironmentSettings environment;
        environment.SetMRUSize(given);
        EXPECT_EQ(environment.GetMRUSize(), stored) << given;
    }
    const std::pair<int, int> lengths[] = {{19, 30}, {261, 30}, {20, 20}, {260, 260}};
    for (const auto& [given, stored] : lengths) {
        CEnvironmentSettings environment;
        environment.SetMRUFileNameLength(given);
        EXPECT_EQ(environment.GetMRUFileNameLength(), stored) << given;
    }
    CEnvironmentSettings environment;
    environment.SetMRUSize(5);
    environment.SetMRUSize(99);
    EXPECT_EQ(environment.GetMRUSize(), 5);
}

TEST(OptionRecords, ViewSettingsCompareByGroups)
{
    const CViewSettings base;

    CViewSettings reportOnly;
    reportOnly.SetCreateReconciliationReport(0);
    EXPECT_TRUE(reportOnly == base);

    CViewSettings gridText;
    gridText.SetQuestionGridViewText(1);
    CViewSettings otherGridText;
    otherGridText.SetQuestionGridViewText(2);
    EXPECT_FALSE(gridText.EqualsFirstGroup(otherGridText));
    EXPECT_TRUE(gridText.EqualsSecondGroup(otherGridText));
    EXPECT_TRUE(gridText != otherGridText);

    // Flags compare as flags: 1 and 2 are both set.
    CViewSettings two;
    two.SetShowPerfectQuestionMatches(2);
    two.SetViewEntryCodes(2);
    EXPECT_TRUE(two == base);

    CViewSettings responseFlag;
    responseFlag.SetShowNewCampaignResponses(0);
    EXPECT_TRUE(responseFlag.EqualsFirstGroup(base));
    EXPECT_FALSE(responseFlag.EqualsSecondGroup(base));
    EXPECT_TRUE(responseFlag != base);

    CViewSettings questionFlag;
    questionFlag.SetShowUnmatchedSourceQuestions(0);
    EXPECT_FALSE(questionFlag.EqualsFirstGroup(base));
    EXPECT_FALSE(base.EqualsFirstGroup(questionFlag));
}

TEST(OptionRecords, EnvironmentTextsCompareIgnoringCase)
{
    CEnvironmentSettings a;
    CEnvironmentSettings b;
    a.SetCaptionsLibraryPath(QStringLiteral("/home/u/Captions.xml"));
    b.SetCaptionsLibraryPath(QStringLiteral("/HOME/U/captions.XML"));
    EXPECT_TRUE(a == b);

    b.SetFindQuestionText(QStringLiteral("brand"));
    EXPECT_TRUE(a != b);

    CEnvironmentSettings c;
    c.SetFindQuestionSearchTarget(2);
    EXPECT_FALSE(c == CEnvironmentSettings());
}

TEST(OptionRecords, LanguageSettingsCompareAsIntegers)
{
    CLanguageSettings a;
    CLanguageSettings b;
    EXPECT_TRUE(a == b);
    b.SetCompareCaptionsInDefaultLangOnly(2);
    a.SetCompareCaptionsInDefaultLangOnly(1);
    EXPECT_TRUE(a != b);
}

TEST(OptionRecords, CopiesKeepStoredValues)
{
    CNGramSettings ngram;
    ngram.SetNGramLength(5);
    ngram.SetNGramThreshold(80);
    ngram.SetEnableNGramAnalysis(0);
    const CNGramSettings copy = ngram;
    EXPECT_EQ(copy.GetNGramLength(), 5);
    EXPECT_EQ(copy.GetNGramThreshold(), 80);
    EXPECT_EQ(copy.GetEnableNGramAnalysis(), 0);

    CUserDefinedApp apps;
    apps.SetUserDefinedApp2Path(QStringLiteral("/usr/bin/gedit"));
    CUserDefinedApp appsCopy;
    appsCopy = apps;
    EXPECT_EQ(appsCopy.GetUserDefinedApp2Path(), QStringLiteral("/usr/bin/gedit"));
}

TEST(OptionRecords, CurrentLanguagesKeepTheLastValues)
{
    EXPECT_EQ(GetCurrentLanguageId(), 0);
    EXPECT_EQ(GetCurrentQuestionnaireLanguage(), 0);
    SetCurrentLanguageId(1036);
    SetCurrentQuestionnaireLanguage(1049);
    EXPECT_EQ(GetCurrentLanguageId(), 1036);
    EXPECT_EQ(GetCurrentQuestionnaireLanguage(), 1049);
    SetCurrentLanguageId(0);
    SetCurrentQuestionnaireLanguage(0);
}
