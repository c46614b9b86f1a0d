#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/MatchingCallBackInfo.h"
#include "commands/MatchingCommands.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/OptionRecords.h"
#include "model/RecordMakers.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

constexpr int kFrench = 1036;

// A volume tree over three waves: 1 (wave 1) has the children 2 (wave 2) and 4 (wave 3); 3
// (wave 3, before 4) is the child of 2. Campaign question 10 "Q1" with responses 100 "Yes" and
// 101 "No"; every volume's source has question 5 "Q1" with 1 "Yes" and 2 "No", and another
// question 6 "Q9". Matching by shortcut and by short caption.
class MatchingCommands : public ::testing::Test
{
protected:
    MatchingCommands()
    {
        CCampaign& c = Campaign();
        c.AddLanguage(MakeLanguage(kLanguage, 1, QStringLiteral("English"), QString()));
        c.SetCurrentLanguageId(kLanguage);
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
        CWave* w1 = engine_test::AddWave(c, 1);
        CWave* w2 = engine_test::AddWave(c, 2);
        CWave* w3 = engine_test::AddWave(c, 3);
        volumes[1] = engine_test::AddVolume(c, *w1, 1, {1}, {2});
        volumes[2] = engine_test::AddVolume(c, *w2, 2, {1}, {2}, 1);
        volumes[3] = engine_test::AddVolume(c, *w3, 3, {1}, {2}, 2);
        volumes[4] = engine_test::AddVolume(c, *w3, 4, {1}, {2}, 1);
        question =
            engine_test::AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
        engine_test::AddResponses(c, *question, 100, {"Yes", "No"});
        for (int v = 1; v <= 4; ++v) {
            sources[v] = engine_test::AddSourceQuestion(*volumes[v], 5, QStringLiteral("Q1"),
                                                        QStringLiteral("Brand"));
            engine_test::AddSourceResponses(*sources[v], 1, {"Yes", "No"});
            engine_test::AddSourceQuestion(*volumes[v], 6, QStringLiteral("Q9"),
                                           QStringLiteral("Other"));
        }
    }

    CCampaign& Campaign() { return *app.Campaign; }
    QString Matchings() { return MatchingsText(Campaign()); }

    // The question and its sources open questions: nothing but the question to match.
    void MakeOpen()
    {
        question->SetQuestionType(4);
        for (int v = 1; v <= 4; ++v)
            sources[v]->SetTypeQuestion(4);
    }

    // The question and its two responses matched in the volume to 5, 1 and 2, open-ended.
    void MatchAll(int volume, int questionCode = 5)
    {
        engine_test::MatchQuestion(*volumes[volume], 10, questionCode);
        engine_test::MatchResponse(*volumes[volume], 10, 100, 1);
        engine_test::MatchResponse(*volumes[volume], 10, 101, 2);
    }

    CTestWaveApp app;
    CVolume* volumes[5] = {};
    qnr::CQuestion* sources[5] = {};
    CQuestion* question = nullptr;
};

TEST_F(MatchingCommands, CreatingAQuestionMatchingMatchesItsResponsesAndMakesTheMissingOnes)
{
    engine_test::AddSourceResponse(*sources[1], 3, QStringLiteral("Maybe"));
    CCmdCreateQuesMatching command(&Campaign(), volumes[1], question, sources[1]);
    EXPECT_EQ(command.GetName(), "create question matching");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    // The new response for "Maybe" takes the next id and comes last in the question.
    ASSERT_EQ(question->GetModalityCount(), 3);
    const CModality* maybe = question->GetModality(2);
    EXPECT_EQ(maybe->GetShortCaption(kLanguage), "Maybe");
    // The volumes below have no source response 3: the new matching ends at volume 1.
    EXPECT_EQ(Matchings(), QStringLiteral("Q10@1=5[1..*] R100@1=1[1..*] R101@1=2[1..*] "
                                          "R%1@1=3[1..1]")
                               .arg(maybe->GetModalityId()));
    const auto& info = dynamic_cast<const CCallBackInfoCreateQuesMatching&>(*records.AfterRedo);
    EXPECT_EQ(info.Volume, volumes[1]);
    EXPECT_EQ(info.Question, question);
    EXPECT_EQ(info.SourceQuestion, sources[1]);

    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(question->GetModalityCount(), 2);
    EXPECT_EQ(Campaign().GetModalityById(maybe->GetModalityId()), nullptr);
}

TEST_F(MatchingCommands, CreatingAQuestionMatchingComparesInTheLanguagesChosenForTheVolume)
{
    // A pane compares source captions in a language the volume's source has none in.
    SetCurrentQuestionnaireLanguage(kFrench);
    CCmdCreateQuesMatching command(&Campaign(), volumes[1], question, sources[1]);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    // Yes and No take the source's Yes and No, as a reconciliation would match them.
    EXPECT_EQ(question->GetModalityCount(), 2);
    EXPECT_EQ(Matchings(), "Q10@1=5[1..*] R100@1=1[1..*] R101@1=2[1..*]");
    // The pane's languages are as it set them.
    EXPECT_EQ(GetCurrentLanguageId(), kLanguage);
    EXPECT_EQ(GetCurrentQuestionnaireLanguage(), kFrench);
}

TEST_F(MatchingCommands, CreatingAQuestionMatchingMatchesResponsesThroughTheCaptionLibraries)
{
    // The campaign says "Agreed" where the sources say "Yes"; a library holds both.
    question->GetModality(0)->SetShortCaption(kLanguage, QStringLiteral("Agreed"));
    auto* group = new CResponseCaptionGroup(QStringLiteral("Agreed"));
    for (const QString& text : {QStringLiteral("Agreed"), QStringLiteral("Yes")})
        group->AddCaption(std::make_unique<CResponseCaption>(text, group));
    group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
    auto* library = new CResponseLibrary(QStringLiteral("Answers"));
    library->AddGroup(group);
    app.Groups.append(group);
    app.Libraries.append(library);

    CCmdCreateQuesMatching command(&Campaign(), volumes[3], question, sources[3]);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(question->GetModalityCount(), 2);
    EXPECT_EQ(Matchings(), "Q10@3=5[3..*] R100@3=1[3..*] R101@3=2[3..*]");
}

TEST_F(MatchingCommands, TheVolumesBelowFoldARepeatedMatchingAndEndADifferentOne)
{
    // Volume 2 repeats the matching to 5 up to volume 3; volume 4 matches the question to 6.
    engine_test::MatchQuestion(*volumes[2], 10, 5);
    volumes[2]->GetQuestionMatching(0)->SetEndVolumeId(3);
    engine_test::MatchQuestion(*volumes[4], 10, 6);
    MakeOpen();
    CCmdCreateQuesMatching command(&Campaign(), volumes[1], question, sources[1]);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    // Volume 2's record is folded into the new matching, which takes its end.
    EXPECT_EQ(Matchings(), "Q10@1=5[1..3] Q10@4=6[4..*]");
}

TEST_F(MatchingCommands, AMatchingOfAnotherCodeBelowEndsTheNewOneAtTheVolume)
{
    engine_test::MatchQuestion(*volumes[2], 10, 6);
    MakeOpen();
    CCmdCreateQuesMatching command(&Campaign(), volumes[1], question, sources[1]);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "Q10@1=5[1..1] Q10@2=6[2..*]");
}

TEST_F(MatchingCommands, AVolumeCannotHoldTwoMatchingsOfOneQuestion)
{
    engine_test::MatchQuestion(*volumes[1], 10, 6);
    CCmdCreateQuesMatching command(&Campaign(), volumes[1], question, sources[1]);
    EXPECT_TRUE(FailsWithoutChange(command, Campaign()));
}

TEST_F(MatchingCommands, CreatingAResponseMatchingTakesOverTheCaptionsItLacks)
{
    engine_test::MatchQuestion(*volumes[1], 10, 5);
    qnr::CModalite* oui = engine_test::AddSourceResponse(*sources[1], 3, QStringLiteral("Yes!"));
    oui->SetShortCaption(kFrench, QStringLiteral("Oui"));
    CModality* yes = Campaign().GetModalityById(100);
    CCmdCreateModMatching command(&Campaign(), volumes[1], yes, oui);
    EXPECT_EQ(command.GetName(), "create response matching");
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    // The volumes below have no source response 3: the matching ends at volume 1.
    EXPECT_EQ(Matchings(), "Q10@1=5[1..*] R100@1=3[1..1]");
    // The English caption stays; the French one is new and goes again with Undo.
    EXPECT_EQ(yes->GetShortCaption(kLanguage), "Yes");
    EXPECT_EQ(yes->GetShortCaption(kFrench), "Oui");
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(yes->FindCaption(kFrench), nullptr);

    // A response whose question is gone cannot be matched.
    CModality orphan;
    orphan.SetModalityId(900);
    orphan.SetQuestionId(99);
    CCmdCreateModMatching failing(&Campaign(), volumes[1], &orphan, oui);
    EXPECT_TRUE(FailsWithoutChange(failing, Campaign()));
}

TEST_F(MatchingCommands, BreakingAnInheritedMatchingCutsItBeforeTheVolume)
{
    MatchAll(1);
    CCmdBreakQuesMatching command(&Campaign(), volumes[2], question, sources[2]);
    EXPECT_EQ(command.GetName(), "break question matching");
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    // Nothing of volume 1's tree comes before volume 2 but volume 1 itself.
    EXPECT_EQ(Matchings(), "Q10@1=5[1..1] R100@1=1[1..1] R101@1=2[1..1]");

    // Breaking at volume 4 (after volume 3 in wave 3) keeps the matching for volumes 2 and 3.
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    CCmdBreakModMatching response(&Campaign(), volumes[4], Campaign().GetModalityById(101),
                                  QStringLiteral("2"));
    ASSERT_TRUE(RunSteps(response, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "Q10@1=5[1..*] R100@1=1[1..*] R101@1=2[1..3]");
}

TEST_F(MatchingCommands, BreakingAnOwnMatchingTakesTheResponseMatchingsBelowWithIt)
{
    MatchAll(2);
    engine_test::MatchResponse(*volumes[3], 10, 100, 1);
    CCmdBreakQuesMatching command(&Campaign(), volumes[2], question, QStringLiteral("5"));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Matchings(), "");
    EXPECT_EQ(dynamic_cast<const CCallBackInfoBreakQuesMatching&>(*records.AfterDo).SourceQuestion,
              nullptr);

    // Nothing holds any more: a second break fails.
    CCmdBreakQuesMatching again(&Campaign(), volumes[2], question, QStringLiteral("5"));
    EXPECT_TRUE(FailsWithoutChange(again, Campaign()));
    CCmdBreakModMatching response(&Campaign(), volumes[2], Campaign().GetModalityById(100),
                                  QStringLiteral("1"));
    EXPECT_TRUE(FailsWithoutChange(response, Campaign()));
}

TEST_F(MatchingCommands, DeepBreaksLeaveTheVolumesBeforeThePivot)
{
    MatchAll(1);
    engine_test::MatchQuestion(*volumes[4], 10, 6);
    engine_test::MatchResponse(*volumes[4], 10, 101, 1);
    CCmdDeepBreakQuesMatching command(&Campaign(), question, sources[3], 3);
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "Q10@1=5[1..2] R100@1=1[1..2] R101@1=2[1..2]");

    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    CCmdDeepBreakModMatching response(&Campaign(), question, Campaign().GetModalityById(101),
                                      nullptr, 2);
    ASSERT_TRUE(RunSteps(response, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "Q10@1=5[1..*] Q10@4=6[4..*] R100@1=1[1..*] R101@1=2[1..1]");
}

TEST_F(MatchingCommands, RemovingAQuestionMatchingTakesOnlyTheVolumesOwnResponseMatchings)
{
    engine_test::MatchResponse(*volumes[1], 10, 100, 1);
    engine_test::MatchQuestion(*volumes[2], 10, 5);
    engine_test::MatchResponse(*volumes[2], 10, 101, 2);
    CCmdRemoveQuestionMatching command(&Campaign(), volumes[2]->GetQuestionMatching(0));
    EXPECT_EQ(command.GetName(), "remove question matching");
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "R100@1=1[1..*]");

    CCmdRemoveModalityMatching response(&Campaign(), volumes[1]->GetModalityMatching(0));
    EXPECT_EQ(response.GetName(), "remove response matching");
    ASSERT_TRUE(RunSteps(response, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(Matchings(), "");

    // A matching whose volume is gone.
    CQuestionMatching stray;
    stray.SetQuestionId(10);
    stray.SetVolumeId(42);
    CCmdRemoveQuestionMatching failing(&Campaign(), &stray);
    EXPECT_TRUE(FailsWithoutChange(failing, Campaign()));
}

} // namespace
