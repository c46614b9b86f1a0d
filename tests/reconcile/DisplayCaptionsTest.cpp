#include "reconcile/DisplayCaptions.h"

#include "TextEngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace text_engine_test;

namespace {

constexpr int kEnglishUs = 0x0409;
constexpr int kEnglishUk = 0x0809;
constexpr int kEnglishAustralia = 0x0C09;
constexpr int kFrench = 0x040C;
constexpr int kGerman = 0x0407;

class DisplayCaptionsTest : public ::testing::Test
{
protected:
    DisplayCaptionsTest()
    {
        // Recorded out of id order, so that the walk by id shows.
        for (const int id : {kGerman, kEnglishAustralia, kFrench, kEnglishUk, kEnglishUs})
            AddLanguage(m_campaign, id, id == kEnglishUs);
        m_campaign.SetCurrentLanguageId(kEnglishUs);
        m_app.Campaign = &m_campaign;
    }

    CTestWaveApp m_app;
    CCampaign m_campaign;
};

} // namespace

TEST_F(DisplayCaptionsTest, CaptionInTheDisplayLanguageComesFirst)
{
    CQuestion* question =
        AddQuestion(m_campaign, 10, QStringLiteral("Q10"),
                    {{kFrench, QStringLiteral("Marque")}, {kEnglishUs, QStringLiteral("Brand")}});
    question->SetLongCaption(kEnglishUs, QStringLiteral("Which brand?"));
    EXPECT_EQ(GetQuestionDisplayShortCaption(*question), QStringLiteral("Brand"));
    EXPECT_EQ(GetQuestionDisplayLongCaption(*question), QStringLiteral("Which brand?"));
}

TEST_F(DisplayCaptionsTest, FallsBackToTheSamePrimaryLanguageBeforeOthersEachByLanguageId)
{
    CQuestion* question = AddQuestion(m_campaign, 10, QStringLiteral("Q10"));
    CModality* modality = AddModality(m_campaign, *question, 100,
                                      {{kEnglishUs, QString()},
                                       {kGerman, QStringLiteral("Ja")},
                                       {kFrench, QStringLiteral("Oui")},
                                       {kEnglishAustralia, QStringLiteral("Yeah")},
                                       {kEnglishUk, QStringLiteral("Yes")}});
    // United Kingdom English before Australian (lower id), both before French and German.
    EXPECT_EQ(GetModalityDisplayCaption(*modality), QStringLiteral("Yes"));
    modality->SetShortCaption(kEnglishUk, QString());
    EXPECT_EQ(GetModalityDisplayCaption(*modality), QStringLiteral("Yeah"));
    modality->SetShortCaption(kEnglishAustralia, QString());
    // German (0x0407) has a lower id than French (0x040C).
    EXPECT_EQ(GetModalityDisplayCaption(*modality), QStringLiteral("Ja"));
    modality->SetShortCaption(kGerman, QString());
    EXPECT_EQ(GetModalityDisplayCaption(*modality), QStringLiteral("Oui"));
    modality->SetShortCaption(kFrench, QString());
    EXPECT_EQ(GetModalityDisplayCaption(*modality), QString());
}

TEST_F(DisplayCaptionsTest, LanguagesOutsideTheCampaignAreNotWalked)
{
    CQuestion* question =
        AddQuestion(m_campaign, 10, QStringLiteral("Q10"), {{0x0410, QStringLiteral("Marca")}});
    EXPECT_EQ(GetQuestionDisplayShortCaption(*question), QString());
    m_campaign.SetCurrentLanguageId(0x0410);
    EXPECT_EQ(GetQuestionDisplayShortCaption(*question), QStringLiteral("Marca"));
}

TEST_F(DisplayCaptionsTest, SourceQuestionCaptionFollowsTheCaptionMode)
{
    qnr::CQuestionnaire questionnaire;
    questionnaire.AddLanguage(qnr::CLanguage(kFrench));
    questionnaire.AddLanguage(qnr::CLanguage(kEnglishUs));
    questionnaire.SetDefaultLanguageId(kFrench);
    qnr::CQuestion* source = AddSourceQuestion(
        questionnaire, 5, QStringLiteral("Q5"),
        {{kFrench, QStringLiteral("Marque")}, {kEnglishUs, QStringLiteral("Brand")}});
    questionnaire.PreparerSaisie();

    // Mode 1 (the default): the source's own caption, whatever the display language.
    EXPECT_EQ(GetSourceQuestionDisplayShortCaption(*source), QStringLiteral("Marque"));
    EXPECT_EQ(GetSourceQuestionDisplayLongCaption(*source), QStringLiteral("Marque"));

    m_app.LanguageSettings.SetSourceItems(0);
    EXPECT_EQ(GetSourceQuestionDisplayShortCaption(*source), QStringLiteral("Brand"));
    EXPECT_EQ(GetSourceQuestionDisplayLongCaption(*source), QStringLiteral("Brand"));
    // No caption in the display language: nothing, no fallback.
    m_campaign.SetCurrentLanguageId(kGerman);
    EXPECT_EQ(GetSourceQuestionDisplayShortCaption(*source), QString());

    m_app.LanguageSettings.SetSourceItems(2);
    EXPECT_EQ(GetSourceQuestionDisplayShortCaption(*source), QString());
    EXPECT_EQ(GetSourceQuestionDisplayLongCaption(*source), QString());
}
