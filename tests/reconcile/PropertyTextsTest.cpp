#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/PropertyTexts.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

constexpr int kFrench = 1036;

// The text of each id, "-" for an id without one.
template <typename Item, typename Getter>
QStringList Texts(const Item& item, int lastId, const Getter& getter)
{
    QStringList texts;
    for (int id = 0; id <= lastId; ++id) {
        QString text = QStringLiteral("unchanged");
        const bool has = getter(item, id, text);
        texts << (has ? text : QStringLiteral("-"));
        if (!has) {
            EXPECT_TRUE(text.isEmpty()) << id;
        }
    }
    return texts;
}

} // namespace

TEST(PropertyTexts, ColumnTitlesOfTheCaptionKinds)
{
    CTestWaveApp app;
    auto french = std::make_unique<CLanguage>(kFrench);
    french->SetLanguageName(QStringLiteral("French"));
    app.Campaign->AddLanguage(std::move(french));

    EXPECT_EQ(GetModalityColumnTitle(9, kFrench), "Short captions for language 'French'.");
    EXPECT_EQ(GetQuestionColumnTitle(23, kFrench), "Short captions for language 'French'.");
    EXPECT_EQ(GetQuestionColumnTitle(24, kFrench), "Long captions for language 'French'.");
    EXPECT_EQ(GetModalityColumnTitle(9, 1031), "Short captions");
    EXPECT_EQ(GetQuestionColumnTitle(23, 1031), "Short captions");
    EXPECT_EQ(GetQuestionColumnTitle(24, 1031), "Long captions");
    EXPECT_EQ(GetQuestionColumnTitle(2, kFrench), "");
    EXPECT_EQ(GetModalityColumnTitle(8, kFrench), "");
}

TEST(PropertyTexts, TextsOfEveryQuestionProperty)
{
    CTestWaveApp app;
    SetCurrentLanguageId(kLanguage);
    SetCurrentQuestionnaireLanguage(kLanguage);

    CQuestion question;
    question.SetShortcut(QStringLiteral("Q<1>"));
    question.SetIndent(2);
    question.SetElementType(1);
    question.SetQuestionType(5);
    question.SetIsDontKnow(1);
    question.SetIsMultiple(3);
    question.SetMaxResponseCount(4);
    question.SetDecimals(2);
    question.SetMinValue(-2.5);
    question.SetMaxValue(1000);
    question.SetLinkQuestionId(12);
    question.SetDateType(2);
    question.SetQuestionClassId(3);
    question.SetVersions(QStringLiteral("1;"));
    question.SetUserData(QStringLiteral("data"));
    question.SetIsDevelopLevels(1);
    question.SetShortCaption(kLanguage, QStringLiteral("Spend"));
    question.SetLongCaption(kLanguage, QStringLiteral("How much?"));
    EXPECT_EQ(Texts(question, 28, GetCampaignQuestionPropertyText), QStringList({"-",
                                                                                 "-",
                                                                                 "Q<1>",
                                                                                 "2",
                                                                                 "1",
                                                                                 "5",
                                                                                 "True",
                                                                                 "False",
                                                                                 "False",
                                                                                 "True",
                                                                                 "False",
                                                                                 "4",
                                                                                 "2",
                                                                                 "-2.500000e+00",
                                                                                 "1.000000e+03",
                                                                                 "False",
                                                                                 "12",
                                                                                 "False",
                                                                                 "True",
                                                                                 "-",
                                                                                 "-",
                                                                                 "data",
                                                                                 "True",
                                                                                 "Spend",
                                                                                 "How much?",
                                                                                 "-",
                                                                                 "-",
                                                                                 "-",
                                                                                 "-"}));

    qnr::CQuestion source;
    source.SetShortcut(QStringLiteral("Q1"));
    source.SetIndent(1);
    source.SetTypeElement(2);
    source.SetTypeQuestion(1);
    source.SetEchelle(true);
    source.SetClasse(true);
    source.SetNbMaxReponse(0);
    source.SetBornes(0, 0.5);
    source.SetLevelLink(true);
    source.SetProbabilityQuestion(true);
    source.SetCodeQuestionSource(-1);
    source.SetCaptions(kLanguage, QStringLiteral("Brands"), QString());
    AddSourceResponses(source, 1, {"A", "B"});
    EXPECT_EQ(Texts(source, 28, GetQuestionPropertyText), QStringList({"-",
                                                                       "-",
                                                                       "Q1",
                                                                       "1",
                                                                       "2",
                                                                       "1",
                                                                       "False",
                                                                       "False",
                                                                       "True",
                                                                       "False",
                                                                       "True",
                                                                       "0",
                                                                       "0",
                                                                       "0.000000e+00",
                                                                       "5.000000e-01",
                                                                       "True",
                                                                       "-1",
                                                                       "True",
                                                                       "False",
                                                                       "-",
                                                                       "-",
                                                                       "",
                                                                       "False",
                                                                       "",
                                                                       "Brands",
                                                                       "2",
                                                                       "-",
                                                                       "-",
                                                                       "-"}));
}

TEST(PropertyTexts, TextsOfEveryResponseProperty)
{
    CTestWaveApp app;
    SetCurrentLanguageId(kFrench);
    SetCurrentQuestionnaireLanguage(kFrench);

    // Values show truncated toward zero.
    CModality modality;
    modality.SetValue(-2.7);
    modality.SetEntryCode(QStringLiteral("e"));
    modality.SetIsExclusive(1);
    modality.SetRotationBehaviour(2);
    modality.SetUserData(QStringLiteral("u"));
    modality.SetShortCaption(kFrench, QStringLiteral("Oui"));
    EXPECT_EQ(Texts(modality, 11, GetCampaignModalityPropertyText),
              QStringList({"-", "-", "-", "-2", "-", "True", "2", "-", "u", "Oui", "-", "-"}));
    // A campaign response without a caption in the current language has no caption text.
    modality.RemoveCaption(kFrench);
    QString text;
    EXPECT_FALSE(GetCampaignModalityPropertyText(modality, 9, text));

    qnr::CModalite source;
    source.SetValue(3.9);
    source.SetShortCaption(kLanguage, QStringLiteral("Yes"));
    EXPECT_EQ(Texts(source, 11, GetModalityPropertyText),
              QStringList({"-", "-", "-", "3", "-", "False", "0", "-", "", "-", "-", "-"}));
    source.SetShortCaption(kFrench, QStringLiteral("Oui"));
    EXPECT_TRUE(GetModalityPropertyText(source, 9, text));
    EXPECT_EQ(text, "Oui");
}

TEST(PropertyTexts, ResponseCounts)
{
    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CWave& w1 = *AddWave(campaign, 1);
    CWave& w2 = *AddWave(campaign, 2);
    CWave& w3 = *AddWave(campaign, 3);
    CVolume& v1 = *AddVolume(campaign, w1, 1, {}, {});
    AddVolume(campaign, w2, 2, {}, {}, 1);
    AddVolume(campaign, w3, 3, {}, {}, 2);

    // Alive in a volume: appeared in it or before, deleted in a later wave or never.
    CQuestion& question = *AddQuestion(campaign, 2, "Q1", "Brands", 1);
    AddResponses(campaign, question, 1, {"A", "B", "C", "D"});
    campaign.GetModalityById(2)->SetAppearanceVolumeId(2);
    campaign.GetModalityById(3)->SetDeletionWaveId(2);
    campaign.GetModalityById(4)->SetDeletionWaveId(3);
    EXPECT_EQ(GetCampaignResponseCount(1, 1, question), 3); // A, C, D
    EXPECT_EQ(GetCampaignResponseCount(2, 2, question), 3); // A, B, D
    EXPECT_EQ(GetCampaignResponseCount(3, 3, question), 2); // A, B
    QString text;
    EXPECT_TRUE(GetCampaignQuestionVolumePropertyText(2, 2, question, 25, text));
    EXPECT_EQ(text, "3");
    EXPECT_FALSE(GetCampaignQuestionPropertyText(question, 25, text));
    EXPECT_TRUE(GetCampaignQuestionVolumePropertyText(2, 2, question, 2, text));
    EXPECT_EQ(text, "Q1");
    // An open question has no responses to count.
    question.SetQuestionType(4);
    EXPECT_EQ(GetCampaignResponseCount(1, 1, question), 0);
    question.SetQuestionType(1);

    // A source question counts the responses of the question it takes them from.
    qnr::CQuestion* brands = AddSourceQuestion(v1, 10, "Q1", "Brands");
    AddSourceResponses(*brands, 1, {"A", "C", "D"});
    qnr::CQuestion* more = AddSourceQuestion(v1, 11, "Q2", "More");
    AddSourceResponses(*more, 1, {"E"});
    more->SetCodeQuestionSource(10);
    EXPECT_EQ(GetSourceResponseCount(brands), 3);
    EXPECT_EQ(GetSourceResponseCount(more), 4);
    EXPECT_EQ(GetSourceResponseCount(nullptr), 0);
    EXPECT_TRUE(HasSameResponseCount(1, 1, question, *brands));
    EXPECT_FALSE(HasSameResponseCount(1, 1, question, *more));
    // Links that come back round are counted once each, not followed for ever.
    brands->SetCodeQuestionSource(11);
    EXPECT_EQ(GetSourceResponseCount(more), 4);
}

TEST(PropertyTexts, VolumeMatchStatistics)
{
    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CVolume& volume = *AddVolume(campaign, *AddWave(campaign, 1), 1, {}, {});
    double r1 = -1;
    double r2 = -1;
    // No source question: nothing to divide by.
    GetVolumeMatchStatistics(campaign, volume, volume.GetQuestionnaire(), r1, r2);
    EXPECT_EQ(r1, 0.0);
    EXPECT_EQ(r2, 0.0);

    campaign.CreateReservedQuestion(1, QStringLiteral("Analysis"), kLanguage);
    campaign.CreateReservedQuestionMatching(&volume);
    AddQuestion(campaign, 2, "Q1", "One", 1);
    AddQuestion(campaign, 3, "Q2", "Two", 1);
    AddSourceQuestion(volume, 10, "q1", "One");
    AddSourceQuestion(volume, 11, "Q2", "Two");
    MatchQuestion(volume, 2, 10);
    MatchQuestion(volume, 3, 11);
    // An unchanged source: both ratios 1, the reserved question's matching left out.
    GetVolumeMatchStatistics(campaign, volume, volume.GetQuestionnaire(), r1, r2);
    EXPECT_DOUBLE_EQ(r1, 1.0);
    EXPECT_DOUBLE_EQ(r2, 1.0);

    // A new source question, and a matched one whose shortcut changed.
    AddSourceQuestion(volume, 12, "Q3", "Three");
    volume.GetQuestionnaire().GetQuestion(1)->SetShortcut(QStringLiteral("Q2b"));
    GetVolumeMatchStatistics(campaign, volume, volume.GetQuestionnaire(), r1, r2);
    EXPECT_DOUBLE_EQ(r1, 1.5);
    EXPECT_DOUBLE_EQ(r2, 1.0 / 3.0);
}
