#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include "model/OptionRecords.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/WaveReconciliation.h"

#include <gtest/gtest.h>

#include <new>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Window services that also keep every position the progress bar takes, and whose message pump
// can fail as a bad allocation would.
class CProgressRecordingServices : public CScriptedWindowServices
{
public:
    void PumpMessages() override
    {
        if (FailPumping)
            throw std::bad_alloc();
        CScriptedWindowServices::PumpMessages();
    }

    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString& caption, const QString& text,
                                                       int range) override
    {
        class CProgress final : public IProgressWindow
        {
        public:
            CProgress(std::unique_ptr<IProgressWindow> inner, QList<int>& positions)
                : m_inner(std::move(inner)), m_positions(positions)
            {
            }
            void SetPos(int position) override
            {
                m_inner->SetPos(position);
                m_positions << position;
            }
            int GetPos() const override { return m_inner->GetPos(); }
            void OffsetPos(int steps) override { SetPos(GetPos() + steps); }
            void SetPosToLast() override
            {
                m_inner->SetPosToLast();
                m_positions << m_inner->GetPos();
            }
            void SetMessageText(const QString& text) override { m_inner->SetMessageText(text); }

        private:
            std::unique_ptr<IProgressWindow> m_inner;
            QList<int>& m_positions;
        };
        return std::make_unique<CProgress>(
            CScriptedWindowServices::CreateProgressDlg(caption, text, range), Positions);
    }

    QList<int> Positions;
    bool FailPumping = false;
};

// Campaign questions A, B and D (each with two responses) appeared in volume 1 of wave 1;
// wave 2 holds volumes 2 and 3, both roots.
class WaveReconciliationTest : public ::testing::Test
{
protected:
    WaveReconciliationTest()
    {
        auto language = std::make_unique<CLanguage>(kLanguage);
        language->SetIsDefault(1);
        campaign.AddLanguage(std::move(language));
        AddVolume(campaign, *AddWave(campaign, 1), 1, {1}, {2})->SetStatus(VOLUME_RECONCILED);
        wave = AddWave(campaign, 2);
        second = AddVolume(campaign, *wave, 2, {1, 2}, {2});
        third = AddVolume(campaign, *wave, 3, {1, 2}, {2});
        for (const auto& [id, shortcut] : {std::pair{10, "A"}, {11, "B"}, {12, "D"}})
            AddResponses(campaign, *AddQuestion(campaign, id, shortcut, shortcut, 1), id * 10,
                         {"Yes", "No"});
        for (const char* shortcut : {"A", "B"})
            AddSourceResponses(
                *AddSourceQuestion(*second, 100 + second->GetQuestionnaire().GetNbreQuestion(),
                                   shortcut, shortcut),
                1, {"Yes", "No"});
        AddSourceQuestion(*third, 200, "C", "C");
        AddSourceResponses(*AddSourceQuestion(*third, 201, "D", "D"), 1, {"Yes", "No"});
    }

    bool Reconcile(bool interactive, bool unmatchedOnly = false)
    {
        results.clear();
        return ReconcileWave(2, results, report,
                             {.Interactive = interactive, .ReconcileUnmatchedOnly = unmatchedOnly});
    }

    // The report's paragraphs without the head, "classes|text" each.
    QStringList Lines() const { return ReportLines(report); }

    CTestWaveApp app;
    CProgressRecordingServices windows;
    CCampaign& campaign = *app.Campaign;
    CWave* wave = nullptr;
    CVolume* second = nullptr;
    CVolume* third = nullptr;
    ReconcileResultsMap results;
    QString report;
};

TEST_F(WaveReconciliationTest, InteractiveRunSharesTheProgressAmongVolumesAndQuestions)
{
    ASSERT_TRUE(Reconcile(true));
    EXPECT_EQ(windows.ProgressCaptions, QStringList{"Reconciliation Progress..."});
    EXPECT_EQ(windows.ProgressMessages, QStringList{"Matching questions and responses"});
    // Per volume: loading 1500 / 2, questions 1500 / 2, then 7000 / 2 shared by the questions
    // whose responses are matched (two in volume 2, one in volume 3); last the end of the bar.
    EXPECT_EQ(windows.Positions, (QList<int>{750, 1500, 3250, 5000, 5750, 6500, 10000, 9999}));
    EXPECT_EQ(windows.OpenProgressWindows, 0);
    EXPECT_GT(windows.PumpCount, 0);
}

TEST_F(WaveReconciliationTest, ProcessedVolumesAreReconciledAndTheirResultsRecorded)
{
    ASSERT_TRUE(Reconcile(true));
    EXPECT_EQ(second->GetStatus(), VOLUME_RECONCILED);
    EXPECT_EQ(third->GetStatus(), VOLUME_RECONCILED);
    ASSERT_EQ(results.size(), 2u);
    const SReconcileResults& first = *results.at(2);
    EXPECT_EQ(first.VolumeId, 2);
    EXPECT_EQ(first.PreviousStatus, VOLUME_UNRECONCILED);
    EXPECT_EQ(first.QuestionOrders, (QMap<int, int>{{10, 0}, {11, 1}, {12, 2}}));
    EXPECT_EQ(first.QuestionMatchingsMade.size(), 2);
    EXPECT_EQ(first.ModalityMatchingsMade.size(), 4);
    EXPECT_EQ(first.QuestionCount, 3);
    EXPECT_EQ(second->GetQuestionIndex().UnmatchedQuestions, QList<int>{12});
    // Volume 3 matched D; A and B, matched in volume 2, were no candidates. C became a new
    // question at the end, no source question coming before it.
    EXPECT_TRUE(third->GetQuestionIndex().UnmatchedQuestions.isEmpty());
    const SReconcileResults& last = *results.at(3);
    ASSERT_EQ(last.CreatedQuestions.size(), 1);
    EXPECT_EQ(last.CreatedQuestions[0]->GetShortcut(), "C");
    EXPECT_EQ(last.CreatedQuestions[0]->GetOrder(), 3);
    EXPECT_EQ(last.QuestionCount, 4);
}

TEST_F(WaveReconciliationTest, ReportHasTheHeadTheRunLinesAndEachVolumeHeader)
{
    second->SetIsMatchingStrict(1);
    second->SetCaseSensitiveMatching(1);
    ASSERT_TRUE(Reconcile(true));
    EXPECT_TRUE(report.startsWith(GetReconciliationReportHead()));
    EXPECT_TRUE(report.endsWith("</body>\n</html>\n"));
    const QStringList lines = Lines();
    EXPECT_TRUE(lines[0].startsWith("indent0 fontBold color0|Reconciliation run "));
    EXPECT_EQ(lines.mid(1, 8),
              (QStringList{
                  "indent1 font color1|Not using caption libraries",
                  "indent0 fontBold color0|Reconciling volume 1 of 2, \"V2\"",
                  "indent1 font color0|Volume matching options: ",
                  "indent2 font color1|Matching strictly",
                  "indent2 font color1|Case sensitive",
                  "indent2 font color1|Not matching using parent volume source values",
                  "indent2 font color1|Matching questions using methods: shortcut, short caption",
                  "indent2 font color1|Matching responses using methods: short caption",
              }));
}

TEST_F(WaveReconciliationTest, WithoutTheReportOptionTheReportStaysEmpty)
{
    CViewSettings view;
    view.SetCreateReconciliationReport(0);
    app.ViewSettings = view;
    ASSERT_TRUE(Reconcile(true));
    EXPECT_TRUE(report.isEmpty());
    EXPECT_EQ(third->GetStatus(), VOLUME_RECONCILED);
}

TEST_F(WaveReconciliationTest, VolumesNotToBeProcessedAreSkippedWithALine)
{
    second->SetStatus(VOLUME_RECONCILED);
    third->SetStatus(VOLUME_RECONCILED);
    ASSERT_TRUE(Reconcile(true));
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(Lines().mid(2),
              (QStringList{"indent0 fontBold color0|Skipping reconciliation of volume 1 of 2, "
                           "\"V2\" as it is not unreconciled",
                           "indent0 fontBold color0|Skipping reconciliation of volume 2 of 2, "
                           "\"V3\" as it is not unreconciled"}));
    EXPECT_TRUE(windows.Positions.endsWith(9999));
}

TEST_F(WaveReconciliationTest, ReReconciliationMatchesOnlyWhatIsStillUnmatched)
{
    second->SetStatus(VOLUME_RECONCILED);
    MatchQuestion(*second, 10, 100); // A is matched; B and its source are not
    ASSERT_TRUE(Reconcile(true, true));
    EXPECT_EQ(NewQuestionPairs(*second), QStringList{"11>101"});
    EXPECT_EQ(second->GetStatus(), VOLUME_RECONCILED);
    EXPECT_EQ(results.count(3), 0u);
    EXPECT_TRUE(Lines().contains(
        "indent0 fontBold color0|Skipping reconciliation unmatched campaign questions in volume 2 "
        "of 2, \"V3\" as it has not yet been reconciled"));
}

TEST_F(WaveReconciliationTest, CommandLineRunStopsWithTheReasonAtTheHeadOfTheReport)
{
    // Volume 2 leaves D unmatched; volume 3 needs a new question.
    ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine({"-source:x.zoz"}));
    EXPECT_FALSE(Reconcile(false));
    EXPECT_EQ(windows.ProgressCaptions, QStringList{});
    QStringList lines = Lines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[2], "indent0 fontBold color_red_lgrey|Due to unmatched campaign questions the "
                        "reconciliation for the new wave has failed. No changes to the DUV have "
                        "been saved.");
    EXPECT_TRUE(lines[3].startsWith("indent0 fontBold color0|Command line: \""));
    EXPECT_EQ(second->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_EQ(results.size(), 1u); // the record of the volume that failed

    const struct
    {
        QStringList Switches;
        bool Result;
        const char* Stop;
    } cases[] = {
        {{"-I:Q"}, false, "Due to a number of new questions"},
        {{"-I:Q", "-A:Q"}, true, nullptr},
    };
    for (const auto& c : cases) {
        second->SetStatus(VOLUME_UNRECONCILED);
        third->SetStatus(VOLUME_UNRECONCILED);
        for (CVolume* volume : {second, third})
            while (volume->GetQuestionMatchingCount() > 0)
                volume->RemoveQuestionMatching(volume->GetQuestionMatching(0));
        app.CmdLineInfo = CWaveCmdLineInfo();
        ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine(QStringList{"-source:x.zoz"} + c.Switches));
        EXPECT_EQ(Reconcile(false), c.Result);
        lines = Lines();
        if (c.Stop)
            EXPECT_TRUE(lines.value(2).startsWith(
                QStringLiteral("indent0 fontBold color_red_lgrey|") + c.Stop));
        else
            EXPECT_FALSE(report.contains("color_red_lgrey|"));
    }
}

TEST_F(WaveReconciliationTest, AnUnreadableSourceEndsTheRun)
{
    CVolume* broken = AddVolume(campaign, *wave, 4, {1}, {2});
    broken->GetQuestionnaire().Clear();
    broken->GetMetaData().SourceString = QStringLiteral("/nowhere/missing.zoz");
    second->SetStatus(VOLUME_RECONCILED);
    third->SetStatus(VOLUME_RECONCILED);

    EXPECT_FALSE(Reconcile(true));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0], "The source file \"/nowhere/missing.zoz\" for the volume \"V4\" "
                                  "could not be found or is not a valid source file");
    EXPECT_TRUE(report.endsWith("</body>\n</html>\n"));
    EXPECT_EQ(windows.OpenProgressWindows, 0);

    broken->SetName(QStringLiteral("<V4>"));
    EXPECT_FALSE(Reconcile(false));
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(Lines().value(2), "indent0 fontBold color_red_lgrey|The source file "
                                "\"/nowhere/missing.zoz\" for the volume \"&lt;V4&gt;\" could not "
                                "be found or is not a valid source file");
}

TEST_F(WaveReconciliationTest, ARealFaultIsNoPlannedStopAndGoesThroughToTheCaller)
{
    windows.FailPumping = true;
    EXPECT_THROW(Reconcile(true), std::bad_alloc);
    EXPECT_EQ(windows.OpenProgressWindows, 0);
}

TEST_F(WaveReconciliationTest, TheFirstVolumeOfTheFirstWaveGivesTheDefaultLanguage)
{
    CTestWaveApp fresh; // a campaign of one wave
    CCampaign& only = *fresh.Campaign;
    CVolume* volume = AddVolume(only, *AddWave(only, 1), 1, {1}, {2});
    volume->GetQuestionnaire().AddLanguage(qnr::CLanguage(1036));
    volume->GetQuestionnaire().SetDefaultLanguageId(1036);
    AddSourceQuestion(*volume, 1, "Q1", "Question");
    auto english = std::make_unique<CLanguage>(1033);
    english->SetIsDefault(1);
    only.AddLanguage(std::move(english));

    ReconcileResultsMap made;
    QString text;
    ASSERT_TRUE(ReconcileWave(1, made, text, {}));
    EXPECT_EQ(only.GetDefaultLanguageId(), 1036);
    for (int i = 0; i < only.GetLanguageCount(); ++i)
        EXPECT_EQ(only.GetLanguage(i)->IsDefault() != 0,
                  only.GetLanguage(i)->GetLanguageId() == 1036);
    EXPECT_TRUE(made.at(1)->DefaultLanguageChanged);
    EXPECT_EQ(made.at(1)->PreviousDefaultLanguages, std::set<int>{1033});
}

TEST_F(WaveReconciliationTest, ALaterVolumeTakesItsLinkQuestionFromTheFirstVolume)
{
    MatchQuestion(*second, 11, 101);
    second->SetStatus(VOLUME_RECONCILED);
    third->SetMainVolumeLinkQuestionId(-101); // source code 101 of volume 2
    AddSourceQuestion(*third, 101, "B", "B");
    ASSERT_TRUE(Reconcile(true));
    EXPECT_EQ(third->GetMainVolumeLinkQuestionId(), 11);
    EXPECT_EQ(results.at(3)->PreviousMainVolumeLinkQuestionId, -101);
    // The link question stays a candidate although volume 2 matched it.
    EXPECT_TRUE(NewQuestionPairs(*third).contains("11>101"));
}

TEST_F(WaveReconciliationTest, AnUnknownWaveIsRefused)
{
    EXPECT_FALSE(ReconcileWave(99, results, report, {}));
    EXPECT_TRUE(report.isEmpty());
}

} // namespace
