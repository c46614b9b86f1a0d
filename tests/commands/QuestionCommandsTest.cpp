#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/QuestionCallBackInfo.h"
#include "commands/QuestionCommands.h"
#include "model/Campaign.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

// Two volumes (1 and 2, waves 1 and 2); questions A, B, C (ids 2 to 4) at orders 0, 5, 7 (a
// gap that Undo must give back); B has responses 100 to 102 at orders 1, 2, 3.
class QuestionCommands : public ::testing::Test
{
protected:
    QuestionCommands()
    {
        CCampaign& c = Campaign();
        volume1 = engine_test::AddVolume(c, *engine_test::AddWave(c, 1), 1, {1}, {2});
        volume2 = engine_test::AddVolume(c, *engine_test::AddWave(c, 2), 2, {1}, {2}, 1);
        for (const auto& [id, shortcut] : {std::pair{2, "A"}, {3, "B"}, {4, "C"}})
            engine_test::AddQuestion(c, id, QString::fromLatin1(shortcut),
                                     QString::fromLatin1(shortcut), 1);
        c.GetQuestionById(3)->SetOrder(5);
        c.GetQuestionById(4)->SetOrder(7);
        c.SetMaxQuestionOrder(7);
        b = c.GetQuestionById(3);
        engine_test::AddResponses(c, *b, 100, {"Yes", "No", "Maybe"});
        for (int i = 0; i < 3; ++i)
            b->GetModality(i)->SetModalityOrder(i + 1);
        source = engine_test::AddSourceQuestion(*volume2, 9, QStringLiteral("D"),
                                                QStringLiteral("Dessert"));
        source->SetCaptions(1036, QStringLiteral("Dessert ?"), QStringLiteral("Dessert"));
    }

    CCampaign& Campaign() { return *app.Campaign; }

    QString Questions() const { return QuestionOrdersText(*app.Campaign); }
    QString Responses() const { return ResponseOrdersText(*b, kLanguage); }

    CTestWaveApp app;
    CVolume* volume1 = nullptr;
    CVolume* volume2 = nullptr;
    CQuestion* b = nullptr;
    qnr::CQuestion* source = nullptr;
};

TEST_F(QuestionCommands, ANewQuestionGoesWhereAskedAndUndoGivesEveryOrderBack)
{
    struct SCase
    {
        int Order;
        QString After;
    };
    // At -1 after the last question; at 5 before B, which moves up with C.
    for (const SCase& c : {SCase{-1, "A0 B5 C7 D8"}, SCase{5, "A0 D5 B6 C8"}}) {
        SCOPED_TRACE(c.Order);
        CCmdNewQuestion command(&Campaign(), volume2, source, c.Order);
        EXPECT_EQ(command.GetName(), "create new question");
        SStepRecords records;
        ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
        EXPECT_EQ(Questions(), c.After);
        CQuestion* made = command.GetQuestion();
        EXPECT_EQ(dynamic_cast<const CCallBackInfoNewQuestion&>(*records.AfterRedo).Question, made);
        EXPECT_EQ(made->GetAppearanceVolumeId(), 2);
        EXPECT_EQ(made->GetLongCaption(1036), "Dessert ?");
        std::unique_ptr<CCallBackInfo> record;
        ASSERT_TRUE(command.Undo(record));
        EXPECT_EQ(Questions(), "A0 B5 C7");
    }
}

TEST_F(QuestionCommands, ANewChapterAppearsInTheGivenVolumeOrInTheFirstOne)
{
    CCmdCreateChapter command(&Campaign(), nullptr, QStringLiteral("PROFILE"), 0);
    EXPECT_EQ(command.GetName(), "new chapter");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Questions(), "PROFILE0 A1 B6 C8");
    CQuestion* chapter = command.GetChapter();
    EXPECT_EQ(dynamic_cast<const CCallBackInfoCreateChapter&>(*records.AfterDo).Chapter, chapter);
    EXPECT_EQ(chapter->GetElementType(), 0);
    EXPECT_EQ(chapter->GetAppearanceVolumeId(), 1);

    CCmdCreateChapter inVolume(&Campaign(), volume2, QStringLiteral("END"), -1);
    ASSERT_TRUE(RunSteps(inVolume, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(inVolume.GetChapter()->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(Campaign().GetQuestion(Campaign().GetQuestionCount() - 1), inVolume.GetChapter());
}

TEST_F(QuestionCommands, UndoFailsWhenTheQuestionIsNoLongerTheCampaigns)
{
    CCmdNewQuestion command(&Campaign(), volume2, source, -1);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Do(record));
    // Someone took the question out behind the command's back; Undo must not take another.
    std::unique_ptr<CQuestion> taken =
        Campaign().RemoveQuestion(command.GetQuestion()->GetQuestionId());
    const QString before = Dump(Campaign());
    EXPECT_FALSE(command.Undo(record));
    EXPECT_TRUE(SameDump(Dump(Campaign()), before));
    Campaign().InsertQuestion(std::move(taken));
}

TEST_F(QuestionCommands, ANewResponseBetweenTwoMovesTheLaterOnesUp)
{
    qnr::CModalite* often = engine_test::AddSourceResponse(*source, 4, QStringLiteral("Often"));
    CCmdNewModality command(&Campaign(), volume2, b, often, 2);
    EXPECT_EQ(command.GetName(), "create new response");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Responses(), "Yes1 Often2 No3 Maybe4");
    CModality* made = command.GetModality();
    EXPECT_EQ(dynamic_cast<const CCallBackInfoNewModality&>(*records.AfterDo).Modality, made);
    EXPECT_EQ(made->GetQuestionId(), 3);
    EXPECT_EQ(made->GetAppearanceVolumeId(), 2);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(Responses(), "Yes1 No2 Maybe3");
}

TEST_F(QuestionCommands, AnUndoneNewResponseLeavesItsIdAndOrderFree)
{
    qnr::CModalite* often = engine_test::AddSourceResponse(*source, 4, QStringLiteral("Often"));
    const QString before = DumpCampaign(Campaign());
    CCmdNewModality command(&Campaign(), volume2, b, often, -1);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Do(record));
    const QString done = DumpCampaign(Campaign());
    ASSERT_TRUE(command.Undo(record));
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    ASSERT_TRUE(command.Redo(record));
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), done));
}

TEST_F(QuestionCommands, AMergingIsOneRecordThatUndoTakesOut)
{
    CModality* yes = Campaign().GetModalityById(100);
    CModality* maybe = Campaign().GetModalityById(102);
    CCmdMergeModalities command(&Campaign(), volume2, yes, maybe);
    EXPECT_EQ(command.GetName(), "merge responses");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Campaign().GetMergeMaster(102, 2), 100);
    const auto& info = dynamic_cast<const CCallBackInfoMergeModalities&>(*records.AfterDo);
    EXPECT_EQ(info.Master, yes);
    EXPECT_EQ(info.Child, maybe);

    // Undo fails when the merging is gone; Redo fails when Undo kept none.
    Campaign().RemoveModalityMerging(2, 100, 102);
    std::unique_ptr<CCallBackInfo> record;
    EXPECT_FALSE(command.Undo(record));
    EXPECT_FALSE(command.Redo(record));
}

TEST_F(QuestionCommands, MaximisingRaisesCountsToTheLargestMatchedSourceOnly)
{
    CCampaign& c = Campaign();
    CQuestion* a = c.GetQuestionById(2);
    b->SetMaxResponseCount(2);
    a->SetMaxResponseCount(7);
    a->SetQuestionType(1);
    qnr::CQuestion* sourceB =
        engine_test::AddSourceQuestion(*volume2, 30, QStringLiteral("B"), QStringLiteral("B"));
    sourceB->SetNbMaxReponse(5);
    source->SetNbMaxReponse(5);
    engine_test::MatchQuestion(*volume2, 3, 30);
    engine_test::MatchQuestion(*volume2, 2, 9);

    // No volume reconciled: nothing to raise, and still a success.
    CCmdMaximiseResponseCnt none(&c, false);
    SStepRecords records;
    ASSERT_TRUE(RunSteps(none, c, nullptr, &records));
    EXPECT_EQ(dynamic_cast<const CCallBackInfoMaximiseResponseCnt&>(*records.AfterDo).Count, 0);

    volume2->SetStatus(VOLUME_RECONCILED);
    CCmdMaximiseResponseCnt command(&c, true);
    EXPECT_EQ(command.GetName(), "maximise response counts");
    ASSERT_TRUE(RunSteps(command, c, nullptr, &records, true));
    EXPECT_EQ(b->GetMaxResponseCount(), 5);
    EXPECT_EQ(a->GetMaxResponseCount(), 7);
    EXPECT_EQ(dynamic_cast<const CCallBackInfoMaximiseResponseCnt&>(*records.AfterDo).Count, 1);

    // A matched source question missing from the questionnaire: nothing changes.
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    engine_test::MatchQuestion(*volume2, 4, 99);
    CCmdMaximiseResponseCnt failing(&c, false);
    EXPECT_TRUE(FailsWithoutChange(failing, c));
}

} // namespace
