#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/OptionRecords.h"
#include "reconcile/InheritedMatchingChecks.h"
#include "reconcile/QuestionMatching.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ResponseMatching.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Volume 1 of wave 1 holds the matchings; volume 2 of wave 2 inherits from it.
class InheritedMatchingChecksTest : public ::testing::Test
{
protected:
    InheritedMatchingChecksTest()
    {
        parent = AddVolume(campaign, *AddWave(campaign, 1), 1, {1}, {2});
        volume = AddVolume(campaign, *AddWave(campaign, 2), 2, {1}, {2}, 1);
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
    }

    // A campaign question matched in the parent to the source code.
    CQuestion* Inherited(int id, const QString& shortcut, int code, int type = 1)
    {
        CQuestion* question = AddQuestion(campaign, id, shortcut, shortcut, 1, type);
        MatchQuestion(*parent, id, code);
        return question;
    }

    // The question lines of the check in the report.
    QStringList MatchQuestions()
    {
        report.clear();
        MatchVolumeQuestions(report, *volume, 2, campaign, {.ReportFlag = true});
        return ReportLines(report).filter(QStringLiteral("inherit"), Qt::CaseInsensitive);
    }

    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CVolume* parent = nullptr;
    CVolume* volume = nullptr;
    QString report;
};

TEST_F(InheritedMatchingChecksTest, AMissingSourceCodeBreaksTheMatchingAndFreesTheQuestion)
{
    Inherited(10, "AGE", 100);
    AddSourceQuestion(*volume, 200, "AGE", "");
    EXPECT_EQ(MatchQuestions(),
              (QStringList{
                  "indent0 color0|Checking inherited question matchings (1) for validity in this "
                  "volume",
                  "indent1 font color1|Broken inherited match for campaign question \"AGE\" (ID "
                  "10) to source question with code 100 because there is no source question in "
                  "the volume with that source code",
                  "indent1 font color2|0 of 1 inherited matchings are still valid in this volume",
              }));
    EXPECT_EQ(volume->GetQuestionIndex().BrokenInherited, std::set<QString>{"100"});
    EXPECT_EQ(NewQuestionPairs(*volume), QStringList{"10>200"});
}

TEST_F(InheritedMatchingChecksTest, TheReservedQuestionIsNeverCheckedNorBroken)
{
    ASSERT_NE(campaign.CreateReservedQuestion(1, "Analysis", kLanguage), nullptr);
    ASSERT_NE(campaign.CreateReservedQuestionMatching(parent), nullptr);
    Inherited(10, "AGE", 100);
    AddSourceQuestion(*volume, 100, "AGE", "");
    EXPECT_EQ(MatchQuestions().first(),
              "indent0 color0|Checking inherited question matchings (1) for validity in this "
              "volume");
    EXPECT_TRUE(volume->GetQuestionIndex().BrokenInherited.empty());
}

TEST_F(InheritedMatchingChecksTest, KeptMatchingsTakeTheirItemsOutOfTheCandidates)
{
    Inherited(10, "AGE", 100);
    AddSourceQuestion(*volume, 100, "AGE", "");
    EXPECT_EQ(MatchQuestions().last(),
              "indent1 font color1|1 of 1 inherited matchings are still valid in this volume");
    EXPECT_TRUE(volume->GetQuestionIndex().NewMatchings.isEmpty());
    EXPECT_TRUE(volume->GetQuestionIndex().UnmatchedQuestions.isEmpty());
    EXPECT_TRUE(volume->GetQuestionIndex().UnmatchedSources.isEmpty());
}

TEST_F(InheritedMatchingChecksTest, ADriftedShortcutBreaksOnlyWithTheNGramAnalysis)
{
    Inherited(10, "Q1a", 100);
    AddSourceQuestion(*volume, 100, "Q1b", "");
    // #Q, Q1, 1A against #Q, Q1, 1B: 2 * 2 / 6.
    EXPECT_EQ(MatchQuestions().value(1),
              "indent1 font color1|Broken inherited match for campaign question \"Q1a\" (ID 10) "
              "to source question \"Q1b\" with code 100 because the ngram value for the question "
              "shortcuts was too low (0.666667)");

    app.NGramSettings.SetEnableNGramAnalysis(0);
    MatchQuestions();
    EXPECT_TRUE(volume->GetQuestionIndex().BrokenInherited.empty());
}

TEST_F(InheritedMatchingChecksTest, TypesAndLoopsBreakEvenWithoutTheNGramAnalysis)
{
    app.NGramSettings.SetEnableNGramAnalysis(0);
    Inherited(10, "OPEN", 100, /*open*/ 4);
    Inherited(11, "LOOP", 101);
    Inherited(12, "INNER", 102)->SetIndent(1);
    campaign.GetQuestionById(11)->SetElementType(2);
    campaign.GetQuestionById(12)->SetIndent(2); // inside loop 11
    AddSourceQuestion(*volume, 100, "OPEN", "", /*closed*/ 1);
    AddSourceQuestion(*volume, 101, "LOOP", "", 1, 2);
    AddSourceQuestion(*volume, 102, "INNER", "", 1, 1, 1); // not in the loop any more
    const QStringList lines = MatchQuestions();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].contains("(ID 10) to source question \"OPEN\" with code 100 because the "
                                  "questions are of different question or element types"));
    EXPECT_TRUE(lines[2].contains("(ID 12) to source question \"INNER\" with code 102 because the "
                                  "loop ancestry of the questions is different"));
    EXPECT_EQ(volume->GetQuestionIndex().BrokenInherited, (std::set<QString>{"100", "102"}));
}

TEST_F(InheritedMatchingChecksTest, BrokenLinesAlternateTheirBackground)
{
    for (int i = 0; i < 3; ++i)
        Inherited(10 + i, QStringLiteral("Q%1").arg(i), 100 + i);
    AddSourceQuestion(*volume, 999, "OTHER", "");
    QStringList classes;
    for (const QString& line : MatchQuestions())
        classes << line.section(u'|', 0, 0);
    EXPECT_EQ(classes, (QStringList{"indent0 color0", "indent1 font color1", "indent1 font color2",
                                    "indent1 font color1", "indent1 font color2"}));
}

TEST_F(InheritedMatchingChecksTest, ResponsesBreakOnMissingCodesAndDriftedCaptions)
{
    CQuestion* question = Inherited(10, "Q1", 100);
    AddResponses(campaign, *question, 1, {"Yes", "No", "Maybe"});
    MatchResponse(*parent, 10, 1, 11);
    MatchResponse(*parent, 10, 2, 12);
    MatchResponse(*parent, 10, 3, 13);
    qnr::CQuestion* source = AddSourceQuestion(*volume, 100, "Q1", "");
    AddSourceResponse(*source, 11, "Yes");
    AddSourceResponse(*source, 12, "Nope"); // drifted
    report.clear();
    MatchQuestionResponses(report, *volume, *question, *source, 2, {.ReportFlag = true});
    const QStringList lines = ReportLines(report);
    EXPECT_EQ(lines.value(1), "indent1 color0|Checking inherited response matchings (3) of "
                              "question \"Q1\" for validity in this volume");
    EXPECT_EQ(lines.value(2),
              "indent2 font color1|Broken inherited match for campaign response \"No\" (ID 2) to "
              "source response \"Nope\" with code 12 because the ngram value for the response "
              "short captions was too low (0.666667).");
    EXPECT_EQ(lines.value(3), "indent2 font color2|Broken inherited match for campaign response "
                              "\"Maybe\" (ID 3) to source response with code 13 because there is "
                              "no source response in the volume with that source code");
    EXPECT_EQ(lines.value(4),
              "indent2 font color1|1 of 3 inherited matchings are still valid in this volume");
    // "Nope" scores too low for the caption scan as well: it is a new response.
    EXPECT_EQ(question->GetResponseIndex().UnmatchedSources, QList<QString>{"12"});

    app.NGramSettings.SetEnableNGramAnalysis(0);
    MatchQuestionResponses(report, *volume, *question, *source, 2, {});
    EXPECT_EQ(question->GetResponseIndex().BrokenInherited, std::set<QString>{"13"});
}

TEST_F(InheritedMatchingChecksTest, ARematchOfAnInheritedPairKeepsTheInheritedMatching)
{
    CQuestion* question = Inherited(10, "Q1", 100);
    AddResponse(campaign, *question, 1, "Yes", "1");
    MatchResponse(*parent, 10, 1, 11);
    qnr::CQuestion* source = AddSourceQuestion(*volume, 100, "Q1", "");
    AddSourceResponse(*source, 11, "Yes, definitely", "1");
    volume->SetResponseMatchingMethods({1}); // entry codes find the same pair again
    MatchQuestionResponses(report, *volume, *question, *source, 2, {});
    EXPECT_TRUE(question->GetResponseIndex().NewMatchings.isEmpty());
    EXPECT_TRUE(question->GetResponseIndex().BrokenInherited.empty());
}

TEST_F(InheritedMatchingChecksTest, ApplyingEndsBrokenMatchingsAndMatchesTheKeptQuestions)
{
    CQuestion* kept = Inherited(10, "Q1", 100);
    AddResponses(campaign, *kept, 1, {"Yes", "No"});
    MatchResponse(*parent, 10, 1, 11);
    Inherited(11, "GONE", 101);
    qnr::CQuestion* source = AddSourceQuestion(*volume, 100, "Q1", "");
    AddSourceResponses(*source, 11, {"Yes", "No"});
    MatchVolumeQuestions(report, *volume, 2, campaign, {});

    SReconcileResults results;
    SReconcileRun run = MakeRun(campaign, 2, results, report);
    int items = 0;
    ApplyInheritedMatchings(run, *parent, *volume, items, 7000);

    // The broken matching of 11 now ends at the parent, and its end is noted.
    const CQuestionMatching* ended = parent->FindQuestionMatching(11);
    EXPECT_EQ(ended->GetEndVolumeId(), 1);
    EXPECT_EQ(results.QuestionEndsBefore.value(const_cast<CQuestionMatching*>(ended)), OPEN_END_ID);
    EXPECT_EQ(volume->FindQuestionMatchingInherited(11, 2), nullptr);
    // Question 10 is still inherited: "Yes" keeps its inherited matching, "No" is matched here.
    EXPECT_EQ(items, 1);
    EXPECT_EQ(run.PerItemStep, 7000);
    EXPECT_EQ(volume->FindQuestionMatching(10), nullptr);
    ASSERT_NE(volume->FindModalityMatching(2), nullptr);
    EXPECT_EQ(volume->FindModalityMatching(2)->GetModalitySourceId(), "12");
    EXPECT_EQ(volume->FindModalityMatching(1), nullptr);

    // On the command line, breaking needs its switch.
    MatchVolumeQuestions(report, *volume, 2, campaign, {});
    parent->FindQuestionMatching(11)->SetEndVolumeId(OPEN_END_ID);
    MatchVolumeQuestions(report, *volume, 2, campaign, {});
    run.CommandLine = true;
    run.Switches = &app.CmdLineInfo;
    EXPECT_THROW(ApplyInheritedMatchings(run, *parent, *volume, items, 7000), CReconcileStop);
}

TEST_F(InheritedMatchingChecksTest, CommandLineStopsOnUnmatchedResponsesOfAnInheritedQuestion)
{
    CQuestion* kept = Inherited(10, "Q1", 100);
    AddResponses(campaign, *kept, 1, {"Yes", "No", "Maybe"});
    qnr::CQuestion* source = AddSourceQuestion(*volume, 100, "Q1", "");
    AddSourceResponses(*source, 11, {"Yes", "No"});
    MatchVolumeQuestions(report, *volume, 2, campaign, {});
    SReconcileResults results;
    SReconcileRun run = MakeRun(campaign, 2, results, report);
    run.ReportFlag = true;
    run.CommandLine = true;
    run.Switches = &app.CmdLineInfo;

    // "Maybe" has no source response: without "-I:R" the run stops before anything is recorded.
    ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine({"-source:x.zoz", "-A:R"}));
    report.clear();
    int items = 0;
    EXPECT_THROW(ApplyInheritedMatchings(run, *parent, *volume, items, 7000), CReconcileStop);
    EXPECT_TRUE(report.startsWith("<p class = \"indent0 fontBold color_red_lgrey\"/>\nDue to "
                                  "unmatched campaign responses"))
        << report.left(200).toStdString();
    EXPECT_TRUE(results.ModalityMatchingsMade.isEmpty());

    app.CmdLineInfo = CWaveCmdLineInfo();
    ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine({"-source:x.zoz", "-A:R", "-I:R"}));
    ApplyInheritedMatchings(run, *parent, *volume, items, 7000);
    EXPECT_EQ(kept->GetResponseIndex().UnmatchedModalities, QList<int>{3});
    EXPECT_EQ(results.ModalityMatchingsMade.size(), 2);
}

} // namespace
