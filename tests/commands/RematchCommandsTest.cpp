#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/MatchingCallBackInfo.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "model/Language.h"
#include "model/Matchings.h"
#include "model/OptionRecords.h"
#include "questionnaire/Language.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

// The campaign's language is English (United States). Volume 1 (wave 1) with the children 2 (wave
// 2) and 4 (wave 3); volume 3 (wave 3, before 4) is the child of 2. Campaign question 10 "Q1" with
// 100 "Yes" and 101 "No", matched in volume 1 to source 5. Volume 2's source agrees (5 "Q1"),
// volume 3's has it as 7, volume 4's lacks it.
class RematchCommands : public ::testing::Test
{
protected:
    RematchCommands()
    {
        CCampaign& c = Campaign();
        auto english = std::make_unique<CLanguage>();
        english->SetLanguageId(kLanguage);
        english->SetIsDefault(1);
        c.AddLanguage(std::move(english));
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
        CWave* w3 = nullptr;
        volumes[1] = engine_test::AddVolume(c, *engine_test::AddWave(c, 1), 1, {1}, {2});
        volumes[2] = engine_test::AddVolume(c, *engine_test::AddWave(c, 2), 2, {1}, {2}, 1);
        w3 = engine_test::AddWave(c, 3);
        volumes[3] = engine_test::AddVolume(c, *w3, 3, {1}, {2}, 2);
        volumes[4] = engine_test::AddVolume(c, *w3, 4, {1}, {2}, 1);
        question =
            engine_test::AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
        engine_test::AddResponses(c, *question, 100, {"Yes", "No"});
        const int codes[] = {0, 5, 5, 7, 6};
        for (int v = 1; v <= 4; ++v) {
            qnr::CQuestion* source = engine_test::AddSourceQuestion(
                *volumes[v], codes[v], v == 4 ? QStringLiteral("Q9") : QStringLiteral("Q1"),
                QStringLiteral("Brand"));
            // Volume 3 presents the responses the other way round.
            engine_test::AddSourceResponses(
                *source, 1, v == 3 ? QStringList{"No", "Yes"} : QStringList{"Yes", "No"});
        }
        engine_test::MatchQuestion(*volumes[1], 10, 5);
    }

    CCampaign& Campaign() { return *app.Campaign; }
    QString Matchings() { return MatchingsText(Campaign()); }

    CTestWaveApp app;
    CVolume* volumes[5] = {};
    CQuestion* question = nullptr;
};

TEST_F(RematchCommands, EachVolumeBelowKeepsLosesOrChangesTheQuestionsMatching)
{
    CCmdDeepRematchQuestion command(&Campaign(), volumes[1], question);
    EXPECT_EQ(command.GetName(), "rematch question");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    // Volume 2 agrees; volume 4 finds nothing and the matching stops before it (after volume
    // 3); volume 3 gets its own matching to 7 and the inherited one stops before it.
    EXPECT_EQ(Matchings(), "Q10@1=5[1..2] Q10@3=7[3..*]");
    const auto& info = dynamic_cast<const CCallBackInfoDeepRematchQuestion&>(*records.AfterDo);
    EXPECT_EQ(info.Volume, volumes[1]);
    EXPECT_EQ(info.Question, question);

    // A volume without children changes nothing.
    CCmdDeepRematchQuestion leaf(&Campaign(), volumes[4], question);
    const QString before = Dump(Campaign());
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(leaf.Do(record));
    EXPECT_TRUE(SameDump(Dump(Campaign()), before));
}

TEST_F(RematchCommands, AVolumesOwnMatchingToAnotherCodeIsReplacedNotDoubled)
{
    engine_test::MatchQuestion(*volumes[2], 10, 6);
    CCmdDeepRematchQuestion command(&Campaign(), volumes[1], question);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(volumes[2]->GetQuestionMatchingCount(), 1);
    EXPECT_TRUE(Matchings().contains(QStringLiteral("Q10@2=5[2..2]")));
    EXPECT_FALSE(Matchings().contains(QStringLiteral("=6")));
}

TEST_F(RematchCommands, ResponsesAreRematchedWhereTheirQuestionIsMatched)
{
    // The question's matching reaches volume 3 (its own source code there being 7 through a
    // matching of its own) but not volume 4.
    volumes[1]->GetQuestionMatching(0)->SetEndVolumeId(3);
    engine_test::MatchQuestion(*volumes[3], 10, 7);
    engine_test::MatchResponse(*volumes[1], 10, 100, 1);
    CModality* yes = Campaign().GetModalityById(100);
    CCmdDeepRematchModality command(&Campaign(), volumes[1], question, 0, yes);
    EXPECT_EQ(command.GetName(), "rematch response");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    // Volume 2 agrees; volume 4 has no question matching, so the response matching stops before
    // it; in volume 3 "Yes" is source 2.
    EXPECT_EQ(Matchings(), "Q10@1=5[1..3] Q10@3=7[3..*] R100@1=1[1..2] R100@3=2[3..*]");
    const auto& info = dynamic_cast<const CCallBackInfoDeepRematchModality&>(*records.AfterUndo);
    EXPECT_EQ(info.Modality, yes);
}

// Volume 2's source is in English (United Kingdom) only, the campaign's captions in English
// (United States), and the current languages are both the campaign's (as the page sets them):
// the inherited "Yes" is checked in the languages chosen for volume 2, where it still holds.
TEST_F(RematchCommands, AResponseIsCheckedInTheLanguagesChosenForTheVolume)
{
    constexpr int kEnglishUK = 2057;
    qnr::CQuestionnaire& questionnaire = volumes[2]->GetQuestionnaire();
    questionnaire.Clear();
    questionnaire.AddLanguage(qnr::CLanguage(kEnglishUK));
    questionnaire.SetDefaultLanguageId(kEnglishUK);
    auto source = std::make_unique<qnr::CQuestion>();
    source->SetCodeQuestion(5);
    source->SetShortcut(QStringLiteral("Q1"));
    source->SetTypeQuestion(1);
    source->SetTypeElement(1);
    source->SetIndent(1);
    source->SetCaptions(kEnglishUK, QStringLiteral("Brand"), QStringLiteral("Brand"));
    int code = 1;
    for (const char* caption : {"Yes", "No"}) {
        auto response = std::make_unique<qnr::CModalite>();
        response->SetCode(code++);
        response->SetShortCaption(kEnglishUK, QString::fromLatin1(caption));
        source->AddModalite(std::move(response));
    }
    questionnaire.AddQuestion(std::move(source));
    questionnaire.PreparerSaisie();
    engine_test::MatchResponse(*volumes[1], 10, 100, 1);

    CCmdDeepRematchModality command(&Campaign(), volumes[1], question, 0,
                                    Campaign().GetModalityById(100));
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    const CModalityMatching* yes = volumes[2]->FindModalityMatchingInherited(100, 2);
    ASSERT_NE(yes, nullptr);
    EXPECT_EQ(yes->GetModalitySourceId(), QStringLiteral("1"));
    // The current languages are given back.
    EXPECT_EQ(GetCurrentLanguageId(), kLanguage);
    EXPECT_EQ(GetCurrentQuestionnaireLanguage(), kLanguage);
}

} // namespace
