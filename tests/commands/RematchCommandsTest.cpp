#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/MatchingCallBackInfo.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "questionnaire/Question.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

// Volume 1 (wave 1) with the children 2 (wave 2) and 4 (wave 3); volume 3 (wave 3, before 4)
// is the child of 2. Campaign question 10 "Q1" with 100 "Yes" and 101 "No", matched in volume
// 1 to source 5. Volume 2's source agrees (5 "Q1"), volume 3's has it as 7, volume 4's lacks it.
class RematchCommands : public ::testing::Test
{
protected:
    RematchCommands()
    {
        CCampaign& c = Campaign();
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

} // namespace
