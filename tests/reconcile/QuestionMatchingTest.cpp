#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/OptionRecords.h"
#include "reconcile/QuestionMatching.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ResponseMatching.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Campaign questions appeared in volume 1 of wave 1; volume 2 of wave 2 (a root) is matched.
class QuestionMatchingTest : public ::testing::Test
{
protected:
    QuestionMatchingTest()
    {
        AddVolume(campaign, *AddWave(campaign, 1), 1, {1}, {1});
        volume = AddVolume(campaign, *AddWave(campaign, 2), 2, {1}, {1});
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
    }

    // Matches volume 2 with the methods and returns its new pairs.
    QStringList Match(const QList<quint32>& methods, bool strict)
    {
        volume->SetQuestionMatchingMethods(methods);
        volume->SetIsMatchingStrict(strict ? 1 : 0);
        report.clear();
        MatchVolumeQuestions(report, *volume, 2, campaign, {.ReportFlag = true});
        return NewQuestionPairs(*volume);
    }

    void SetThresholdPercent(int percent) { app.NGramSettings.SetNGramThreshold(percent); }

    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CVolume* volume = nullptr;
    QString report;
};

TEST_F(QuestionMatchingTest, StrictShortcutAndCaptionTriesTheNextBestSourceWhenTheCaptionDiffers)
{
    SetThresholdPercent(50);
    AddQuestion(campaign, 10, "Q1a", "Age", 1);
    AddSourceQuestion(*volume, 100, "Q1a", "Gender"); // shortcut 1.0, caption fails
    AddSourceQuestion(*volume, 101, "Q1ab", "Age");   // shortcut 6/7, caption passes
    EXPECT_EQ(Match({1, 2}, true), QStringList{"10>101"});
}

TEST_F(QuestionMatchingTest, StrictListsWithOneMethodBesidesManualMatchByThatMethodAlone)
{
    AddQuestion(campaign, 10, "AGE", "Age in years", 1);
    AddSourceQuestion(*volume, 100, "AGE", "Your age");
    const struct
    {
        QList<quint32> Methods;
        QStringList Expected;
    } cases[] = {
        {{1, 4}, {"10>100"}}, {{4, 1}, {"10>100"}}, {{1}, {"10>100"}}, {{4}, {}},
        {{1, 2}, {}}, // both methods must agree
    };
    for (const auto& c : cases)
        EXPECT_EQ(Match(c.Methods, true), c.Expected) << "methods " << c.Methods.size();
}

TEST_F(QuestionMatchingTest, StrictInternalCodePairIsRefusedWhenTheShortCaptionsDiffer)
{
    AddQuestion(campaign, 10, "Q1", "Age", 1);
    AddQuestion(campaign, 11, "Q2", "Region", 1);
    MatchQuestion(*campaign.FindVolume(1), 10, 100);
    MatchQuestion(*campaign.FindVolume(1), 11, 200);
    AddSourceQuestion(*volume, 100, "Q1", "Gender"); // same code, other caption
    AddSourceQuestion(*volume, 200, "Q2", "Region");
    AddSourceQuestion(*volume, 300, "Q9", "Age"); // would match by caption alone
    EXPECT_EQ(Match({0, 2}, true), QStringList{"11>200"});
    EXPECT_EQ(volume->GetQuestionIndex().UnmatchedQuestions, QList<int>{10});
    EXPECT_EQ(volume->GetQuestionIndex().UnmatchedSources, (QList<QString>{"100", "300"}));
}

TEST_F(QuestionMatchingTest, NonStrictLaterMethodsSeeOnlyWhatIsLeft)
{
    AddQuestion(campaign, 10, "A", "Same", 1);
    AddQuestion(campaign, 11, "B", "Same", 1);
    AddSourceQuestion(*volume, 100, "A", "Other");
    AddSourceQuestion(*volume, 101, "X", "Same");
    // Question 10 comes first and would take 101 by caption if it were still a candidate.
    EXPECT_EQ(Match({1, 2}, false), (QStringList{"10>100", "11>101"}));
}

TEST_F(QuestionMatchingTest, PerfectScorePairsAtOnceSoALaterEqualQuestionFindsTheSourceGone)
{
    AddQuestion(campaign, 10, "AGE", "", 1);
    AddQuestion(campaign, 11, "AGE", "", 1);
    AddSourceQuestion(*volume, 100, "AGE", "");
    EXPECT_EQ(Match({1}, false), QStringList{"10>100"});
    EXPECT_EQ(volume->GetQuestionIndex().UnmatchedQuestions, QList<int>{11});
}

TEST_F(QuestionMatchingTest, ProposalsAreTakenHighestFirstAndTheLastRememberedAmongEqualScores)
{
    SetThresholdPercent(50);
    // "AB" against "ABC" scores 0.8 for both campaign questions: the later proposal wins.
    AddQuestion(campaign, 10, "AB", "", 1);
    AddQuestion(campaign, 11, "AB", "", 1);
    AddSourceQuestion(*volume, 100, "ABC", "");
    EXPECT_EQ(Match({1}, false), QStringList{"11>100"});

    // A higher score wins whatever the order: against "ABCDXY" question 12 scores 12/13 and
    // question 13, remembered later, 10/11.
    AddQuestion(campaign, 12, "ABCDXYZ", "", 1);
    AddQuestion(campaign, 13, "ABCDX", "", 1);
    AddSourceQuestion(*volume, 101, "ABCDXY", "");
    EXPECT_EQ(Match({1}, false), (QStringList{"11>100", "12>101"}));
}

TEST_F(QuestionMatchingTest, StrictRankingTriesTheLaterSourceFirstAmongEqualScores)
{
    SetThresholdPercent(50);
    AddQuestion(campaign, 10, "AB", "Same", 1);
    AddSourceQuestion(*volume, 100, "ABC", "Same");
    AddSourceQuestion(*volume, 101, "ABD", "Same");
    EXPECT_EQ(Match({1, 2}, true), QStringList{"10>101"});
}

TEST_F(QuestionMatchingTest, EmptyTextsNeverMatchByText)
{
    AddQuestion(campaign, 10, "Q1", "", 1);
    AddSourceQuestion(*volume, 100, "Q9", "");
    EXPECT_EQ(Match({5}, false), QStringList{}); // user data: both empty
    EXPECT_EQ(Match({2}, false), QStringList{}); // short captions: both empty
}

TEST_F(QuestionMatchingTest, CandidatesLeaveOutDeletedQuestionsAndThoseOfEarlierVolumesOfTheWave)
{
    CQuestion* deletedHere = AddQuestion(campaign, 10, "A", "", 1);
    deletedHere->SetDeletionWaveId(2);
    CQuestion* deletedLater = AddQuestion(campaign, 11, "B", "", 1);
    deletedLater->SetDeletionWaveId(3);
    AddQuestion(campaign, 12, "C", "", 1);
    AddQuestion(campaign, 13, "LINK", "", 1);
    // A volume placed before volume 2 in wave 2 matched C and the link question.
    CVolume* earlier = AddVolume(campaign, *campaign.FindWave(2), 3, {1}, {1});
    MatchQuestion(*earlier, 12, 7);
    MatchQuestion(*earlier, 13, 8);
    std::unique_ptr<CVolume> moved = campaign.FindWave(2)->RemoveVolume(2);
    campaign.FindWave(2)->AddVolume(std::move(moved));
    volume->SetMainVolumeLinkQuestionId(13);
    for (const char* shortcut : {"A", "B", "C", "LINK"})
        AddSourceQuestion(*volume, 100 + volume->GetQuestionnaire().GetNbreQuestion(), shortcut,
                          "");
    EXPECT_EQ(Match({1}, false), (QStringList{"11>101", "13>103"}));
}

// A volume matched for the first time that holds a matching of its own already (a copy given by
// a step on a volume above it) keeps it: neither its question nor its source is matched again,
// so the volume never holds two matchings of one question.
TEST_F(QuestionMatchingTest, AMatchingTheVolumeHoldsAlreadyStands)
{
    AddQuestion(campaign, 10, "AGE", "", 1);
    AddQuestion(campaign, 11, "REGION", "", 1);
    MatchQuestion(*volume, 10, 100);
    AddSourceQuestion(*volume, 100, "AGE", "");
    AddSourceQuestion(*volume, 101, "REGION", "");
    AddSourceQuestion(*volume, 102, "AGE", "");
    EXPECT_EQ(Match({1}, false), QStringList{"11>101"});
    EXPECT_EQ(volume->GetQuestionMatchingCount(), 1);
}

TEST_F(QuestionMatchingTest, TextMethodsRespectTypesAndLoopAncestry)
{
    AddQuestion(campaign, 10, "OPEN", "", 1, /*open*/ 4);
    AddQuestion(campaign, 11, "LOOP", "", 1, 1, /*loop*/ 2);
    AddQuestion(campaign, 12, "INNER", "", 1, 1, 1, 2);
    AddSourceQuestion(*volume, 100, "OPEN", "", /*closed*/ 1);
    AddSourceQuestion(*volume, 101, "INNER", "", 1, 1, 1); // outside any loop
    EXPECT_EQ(Match({1}, false), QStringList{});

    app.ReconciliationSettings.SetCheckQuesTypeForMatches(0);
    EXPECT_EQ(Match({1}, false), QStringList{"10>100"});
}

TEST_F(QuestionMatchingTest, StrictRankingPassesOverSourcesOfAnotherLoopAncestry)
{
    SetThresholdPercent(50);
    AddQuestion(campaign, 11, "LOOP", "Brands", 1, 1, /*loop*/ 2);
    AddQuestion(campaign, 12, "Q1a", "Age", 1, 1, 1, 2);    // inside loop 11
    AddSourceQuestion(*volume, 100, "Q1a", "Age", 1, 1, 1); // outside any loop, the best score
    AddSourceQuestion(*volume, 101, "LOOP", "Brands", 1, 2);
    AddSourceQuestion(*volume, 102, "Q1ab", "Age", 1, 1, 2); // inside loop 101
    EXPECT_EQ(Match({1, 2}, true), (QStringList{"11>101", "12>102"}));
}

TEST_F(QuestionMatchingTest, ReportListsEachMethodItsPairsAndWhatIsLeft)
{
    AddQuestion(campaign, 10, "A", "", 1);
    AddQuestion(campaign, 11, "B<1>", "", 1);
    AddSourceQuestion(*volume, 100, "A", "");
    AddSourceQuestion(*volume, 101, "C & D", "");
    Match({1, 4}, false);
    // The volume is a root: its inherited check finds nothing, and says so.
    EXPECT_EQ(ReportLines(report),
              (QStringList{
                  "indent0 color0|Checking inherited question matchings (0) for validity in this "
                  "volume",
                  "indent1 font color1|0 of 0 inherited matchings are still valid in this volume",
                  "indent0 color0|Matching questions non-strictly (matches will be made with the "
                  "first successful matching method)",
                  "indent1 font color0|Attempting to match questions using matching method "
                  "shortcut...",
                  "indent2 font color1|1 new question matchings were made using this matching "
                  "method",
                  "indent3 font color1|Campaign question \"A\" (ID 10) has been matched to source "
                  "question \"A\" (ID 100)",
                  "indent1 font color0|Attempting to match questions using matching method "
                  "manual...",
                  "indent2 font color1|0 new question matchings were made using this matching "
                  "method",
                  "indent1 font color0|The following campaign questions could not be matched in "
                  "this volume:",
                  "indent2 font color1|Campaign question \"B&lt;1&gt;\" (ID 11)",
                  "indent1 font color0|The following source questions in this volume could not be "
                  "matched and were added as new campaign questions:",
                  "indent2 font color1|Source question \"C &amp; D\" (ID 101)",
              }));
}

TEST_F(QuestionMatchingTest, NewQuestionGoesRightAfterTheQuestionOfItsNearestPrecedingSource)
{
    AddQuestion(campaign, 10, "A", "", 1);
    AddQuestion(campaign, 11, "B", "", 1);
    AddSourceQuestion(*volume, 100, "A", "", 1, 1, 1);
    AddSourceQuestion(*volume, 101, "NEW", "", 1, 1, 2);
    AddSourceResponses(*AddSourceQuestion(*volume, 102, "NEW2", "", 1, 1, 2), 1, {"Yes", "No"});
    AddSourceQuestion(*volume, 103, "B", "", 1, 1, 1);
    Match({1}, false);

    SReconcileResults results;
    SReconcileRun run = MakeRun(campaign, 2, results, report);
    ApplyQuestionMatchings(run, *volume);
    AddNewCampaignQuestions(run, *volume);

    QStringList order;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion* q = campaign.GetQuestion(i);
        order << QStringLiteral("%1:%2:%3")
                     .arg(q->GetShortcut())
                     .arg(q->GetOrder())
                     .arg(q->GetIndent());
    }
    EXPECT_EQ(order, (QStringList{"A:0:1", "NEW:1:2", "NEW2:2:2", "B:3:1"}));
    ASSERT_EQ(results.CreatedQuestions.size(), 2);
    const CQuestion* created = results.CreatedQuestions[1];
    EXPECT_EQ(created->GetModalityCount(), 2);
    EXPECT_EQ(created->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(results.QuestionMatchingsMade.size(), 4); // A, B and the two new ones
    EXPECT_EQ(results.ModalityMatchingsMade.size(), 2);
    EXPECT_NE(volume->FindQuestionMatching(created->GetQuestionId()), nullptr);
}

TEST_F(QuestionMatchingTest, CommandLineRunStopsWhenNewQuestionsWouldBeNeeded)
{
    AddSourceQuestion(*volume, 100, "A", "");
    Match({1}, false);
    SReconcileResults results;
    SReconcileRun run = MakeRun(campaign, 2, results, report);
    run.ReportFlag = true;
    run.CommandLine = true;
    run.Switches = &app.CmdLineInfo;
    report = QStringLiteral("before\n");
    EXPECT_THROW(AddNewCampaignQuestions(run, *volume), CReconcileStop);
    EXPECT_TRUE(report.startsWith(
        "<p class = \"indent0 fontBold color_red_lgrey\"/>\nDue to a number of new questions"));
    EXPECT_EQ(campaign.GetQuestionCount(), 0);

    ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine({"-source:x.zoz", "-A:Q"}));
    AddNewCampaignQuestions(run, *volume);
    EXPECT_EQ(campaign.GetQuestionCount(), 1);
}

} // namespace
