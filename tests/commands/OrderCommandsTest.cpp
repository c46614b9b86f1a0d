#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/CommandHistory.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/QuestionCallBackInfo.h"
#include "model/Campaign.h"
#include "questionnaire/Question.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

// Wave 2's volume 2 presents questions Z, Y, X and Y's responses C, A; questions X, Y, Z (ids 2 to
// 4) at orders 0, 4, 9; Y's responses A, B, C at orders 1, 5, 10.
class OrderCommands : public ::testing::Test
{
protected:
    OrderCommands()
    {
        CCampaign& c = Campaign();
        engine_test::AddVolume(c, *engine_test::AddWave(c, 1), 1, {1}, {2});
        wave2 = engine_test::AddWave(c, 2);
        CVolume* volume2 = engine_test::AddVolume(c, *wave2, 2, {1}, {2});
        const int orders[] = {0, 4, 9};
        for (int i = 0; i < 3; ++i) {
            const QString shortcut(QChar(u'X' + i));
            engine_test::AddQuestion(c, 2 + i, shortcut, shortcut, 1);
        }
        for (int i = 0; i < 3; ++i)
            c.GetQuestion(i)->SetOrder(orders[i]);
        y = c.GetQuestionById(3);
        engine_test::AddResponses(c, *y, 100, {"A", "B", "C"});
        for (int i = 0; i < 3; ++i)
            y->GetModality(i)->SetModalityOrder(orders[i] + 1);
        engine_test::AddSourceQuestion(*volume2, 40, QStringLiteral("Z"), QStringLiteral("Z"));
        qnr::CQuestion* sourceY =
            engine_test::AddSourceQuestion(*volume2, 30, QStringLiteral("Y"), QStringLiteral("Y"));
        engine_test::AddSourceResponses(*sourceY, 1, {"C", "A"});
        engine_test::AddSourceQuestion(*volume2, 20, QStringLiteral("X"), QStringLiteral("X"));
        engine_test::MatchQuestion(*volume2, 4, 40);
        engine_test::MatchQuestion(*volume2, 3, 30);
        engine_test::MatchQuestion(*volume2, 2, 20);
        engine_test::MatchResponse(*volume2, 3, 102, 1);
        engine_test::MatchResponse(*volume2, 3, 100, 2);
    }

    CCampaign& Campaign() { return *app.Campaign; }

    QString Questions() const { return QuestionOrdersText(*app.Campaign); }
    QString Responses() const { return ResponseOrdersText(*y, kLanguage); }

    CScriptedWindowServices windows;
    CTestWaveApp app;
    CWave* wave2 = nullptr;
    CQuestion* y = nullptr;
};

TEST_F(OrderCommands, SwappingExchangesTwoOrdersAndKeepsTheResponsesSorted)
{
    CModality* a = Campaign().GetModalityById(100);
    CModality* c = Campaign().GetModalityById(102);
    CCmdSwapResponseOrder command(&Campaign(), a, c);
    EXPECT_EQ(command.GetName(), "swap response order");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Responses(), "C1 B5 A10");
    const auto& info = dynamic_cast<const CCallBackInfoSwapResponseOrder&>(*records.AfterDo);
    EXPECT_EQ(info.FirstModalityId, 100);
    EXPECT_EQ(info.SecondModalityId, 102);

    // Swapping the two again gives the orders from before back.
    CCmdSwapResponseOrder again(&Campaign(), c, a);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(again.Do(record));
    EXPECT_EQ(Responses(), "A1 B5 C10");
}

TEST_F(OrderCommands, TwoResponsesOfDifferentQuestionsAreNotSwapped)
{
    CQuestion* x = Campaign().GetQuestionById(2);
    engine_test::AddResponses(Campaign(), *x, 200, {"P"});
    CModality* p = Campaign().GetModalityById(200);
    p->SetModalityOrder(1);
    CModality* b = Campaign().GetModalityById(101);
    CCmdSwapResponseOrder command(&Campaign(), b, p);
    std::unique_ptr<CCallBackInfo> record;
    EXPECT_FALSE(command.Do(record));
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(Responses(), "A1 B5 C10");
    EXPECT_EQ(p->GetModalityOrder(), 1);
    EXPECT_EQ(b->GetModalityOrder(), 5);
    // Through the history nothing is recorded.
    CommandHistory history;
    std::unique_ptr<CCmdVirtual> issued =
        std::make_unique<CCmdSwapResponseOrder>(&Campaign(), p, b);
    EXPECT_FALSE(history.Execute(issued, {}));
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_EQ(Responses(), "A1 B5 C10");
    EXPECT_EQ(p->GetModalityOrder(), 1);
}

TEST_F(OrderCommands, ReorderingResponsesAndUndoGivesTheOrdersWithTheirGapsBack)
{
    CCmdReorderQuesModalities command(&Campaign(), wave2, y);
    EXPECT_EQ(command.GetName(), "reorder responses");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Responses(), "C1 A2 B3");
    EXPECT_EQ(dynamic_cast<const CCallBackInfoReorderQuesModalities&>(*records.AfterDo).Question,
              y);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(Responses(), "A1 B5 C10");
}

TEST_F(OrderCommands, ApplyingTheWavesOrderAsOneComposite)
{
    CMetaOrderCampaignCmd composite(63346, wave2->GetWaveId());
    composite.AddCmd(std::make_unique<CCmdOrderCampaignQuestions>(&Campaign(), wave2));
    composite.AddCmd(std::make_unique<CCmdOrderCampaignModalities>(&Campaign(), wave2));
    ASSERT_TRUE(RunSteps(composite, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Questions(), "Z1 Y2 X3");
    EXPECT_EQ(Responses(), "C1 A2 B3");
    EXPECT_EQ(composite.GetCmd(0)->GetName(), "reorder questions");
    EXPECT_EQ(composite.GetCmd(1)->GetName(), "reorder responses");
}

TEST_F(OrderCommands, AFailedWaveOrderingLeavesEveryOrderAsItWas)
{
    // Y's matched source question is gone from volume 2.
    wave2->GetVolume(0)->FindQuestionMatching(3)->SetSourceId(QStringLiteral("77"));
    CCmdOrderCampaignQuestions questions(&Campaign(), wave2);
    EXPECT_TRUE(FailsWithoutChange(questions, Campaign()));
    CCmdOrderCampaignModalities responses(&Campaign(), wave2);
    EXPECT_TRUE(FailsWithoutChange(responses, Campaign()));
    CCmdReorderQuesModalities one(&Campaign(), wave2, y);
    EXPECT_TRUE(FailsWithoutChange(one, Campaign()));
    EXPECT_EQ(windows.Prompts.size(), 3);
}

} // namespace
