#include "GeneratedStudy.h"
#include "SampleStudyRuns.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include "model/CampaignDump.h"
#include "reconcile/TextScanIndex.h"
#include "reconcile/WaveReconciliation.h"

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

struct SOutcome
{
    bool Result = false;
    QString Campaign; // the whole campaign with the engine's look-up records
    QString Report;
};

SOutcome ReconcileGenerated(const SGeneratedStudyShape& shape, int thresholdPercent,
                            TextScanMode textScan)
{
    CTestWaveApp app;
    CScriptedWindowServices windows;
    app.NGramSettings.SetNGramThreshold(thresholdPercent);
    BuildGeneratedStudy(app, shape);
    SOutcome outcome;
    ReconcileResultsMap results;
    outcome.Result = ReconcileWave(2, results, outcome.Report, {.TextScan = textScan});
    outcome.Report = sample_study::MaskReport(outcome.Report);
    outcome.Campaign = DumpCampaign(*app.Campaign, DUMP_ALL);
    return outcome;
}

// The same generated wave, reconciled through the gram index and by scoring every pair, gives
// the same campaign and the same report, for strict and non-strict method lists and several
// thresholds.
TEST(IndexedScanEquivalence, GeneratedWavesMatchAlikeWithAndWithoutTheIndex)
{
    SGeneratedStudyShape shape;
    shape.CampaignQuestions = 240;
    shape.Volumes = 3;
    shape.SourceQuestionsPerVolume = 90;
    shape.QuestionMethods = {{1, 2, 3}, {2, 3, 1}, {3, 1}};
    shape.ResponseMethods = {{2, 1}, {1, 2}, {2, 5}};
    shape.Strict = {false, true, true};
    for (const int threshold : {0, 40, 70, 95, 100}) {
        shape.Seed = unsigned(threshold) + 7;
        const SOutcome indexed = ReconcileGenerated(shape, threshold, TextScanMode::Indexed);
        const SOutcome full = ReconcileGenerated(shape, threshold, TextScanMode::AllPairs);
        ASSERT_TRUE(indexed.Result);
        EXPECT_EQ(indexed.Result, full.Result);
        EXPECT_EQ(indexed.Campaign, full.Campaign) << "threshold " << threshold;
        EXPECT_EQ(indexed.Report, full.Report) << "threshold " << threshold;
        // Texts near the threshold were paired through proposals, not only exact copies.
        EXPECT_TRUE(indexed.Report.contains("new question matchings were made")) << threshold;
    }
}

} // namespace
