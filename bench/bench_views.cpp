// BM_QuestionTreeFill: the question tree page's campaign fill over the generated campaign of
// 5,000 questions, as every move button press (and each 150 ms repeat) does it.
// BM_QuestionTreeModelWalk: the same questions in the same order, with the id and indent each
// item takes, read from the model alone. The fill should stay within 5 times the walk, and
// under 100 ms.
// BM_QuestionTreeWaveFill: the fill of the wave of three volumes (their matched questions).
//
// The reconciliation page on the largest wave of the same campaign (three volumes whose
// in-memory sources hold a source question for every campaign question, about 15,000 rows):
// BM_LoadWaveWarm: the page's fill with the wave's differences cached, against
// BM_WaveRowsFromModel: the same rows and texts read from the model without widgets; the fill
// should stay within 5 times the walk.
// BM_LoadWaveCold: the fill with the wave's differences made stale first, against
// BM_WaveDifferencesOnly: recording the same differences alone; within 1.5 times.
// BM_BreakMatchingInPlace: "Break This Matching" on a matched row in the middle of the same page,
// the command and the in-place update of the rows, and BM_BreakMatchingUndo: its Undo; each
// should be at least 20 times faster than BM_LoadWaveWarm, the reload it saves.

#include "ViewBenchCampaign.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/ModelHelpers.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DisplayCaptions.h"
#include "res/CommandIds.h"
#include "storage/DBAccess.h"
#include "views/QuestionTreeCtrl.h"
#include "views/QuestionTreePlan.h"
#include "views/ReconDifferences.h"
#include "views/RightReconciliationPage.h"
#include "views/RightTreePage.h"
#include "views/WaveGridCtrl.h"

#include <QMap>

#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

// The application with the generated campaign, made once.
CWaveApp& App()
{
    static CWaveApp* app = [] {
        auto* made = new CWaveApp;
        made->CreateCampaignObjects(nullptr, nullptr);
        view_bench::FillCampaign(*made->GetCampaign());
        view_bench::AddWaveSources(*made->GetCampaign(), view_bench::kLargestWave);
        view_bench::EnableEveryDifferenceKind(*made);
        return made;
    }();
    return *app;
}

void BM_QuestionTreeFill(benchmark::State& state)
{
    App();
    CRightTreePage page;
    page.resize(400, 600);
    page.show();
    for (auto _ : state)
        page.ShowCampaign();
    int items = 0;
    for (HTREEITEM walk = page.GetTree()->GetRootItem(); walk;
         walk = page.GetTree()->GetNextTreeItem(walk))
        ++items;
    state.counters["items"] = items;
    state.counters["roots"] = page.GetTree()->topLevelItemCount();
}
BENCHMARK(BM_QuestionTreeFill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuestionTreeModelWalk(benchmark::State& state)
{
    const CCampaign& campaign = *App().GetCampaign();
    for (auto _ : state) {
        const std::vector<SQuestionTreeEntry> plan =
            PlanQuestionTree(campaign, GetCampaignTreeQuestions(campaign));
        long sum = 0;
        for (const SQuestionTreeEntry& entry : plan)
            sum += entry.QuestionId + campaign.GetQuestionById(entry.QuestionId)->GetIndent();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_QuestionTreeModelWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuestionTreeWaveFill(benchmark::State& state)
{
    App();
    CRightTreePage page;
    page.resize(400, 600);
    page.show();
    for (auto _ : state)
        page.ShowWave(3);
}
BENCHMARK(BM_QuestionTreeWaveFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reconciliation page ---------------------------------------------------------------------

void PageCounters(benchmark::State& state, const CRightReconciliationPage& page)
{
    const CWaveGridCtrl& grid = *page.GetQuestionGrid();
    state.counters["rows"] = grid.GetRowCount() - grid.GetFixedRowCount();
}

void BM_LoadWaveWarm(benchmark::State& state)
{
    App();
    CRightReconciliationPage page;
    page.resize(1200, 800);
    page.show();
    // The first fill records the wave's differences in the cache.
    page.LoadWave(view_bench::kLargestWave);
    for (auto _ : state)
        page.LoadWave(view_bench::kLargestWave);
    PageCounters(state, page);
}
BENCHMARK(BM_LoadWaveWarm)->Unit(benchmark::kMillisecond)->UseRealTime();

// The volumes of the wave and the questions the page shows, in its order.
struct SWaveWalk
{
    std::vector<CVolume*> Volumes;
    std::vector<const CQuestion*> Questions;
};

SWaveWalk WalkOf(CCampaign& campaign)
{
    SWaveWalk walk;
    const CWave& wave = *campaign.FindWave(view_bench::kLargestWave);
    for (int v = 0; v < wave.GetVolumeCount(); ++v)
        walk.Volumes.push_back(wave.GetVolume(v));
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        if (!campaign.IsReservedQuestion(campaign.GetQuestion(i)))
            walk.Questions.push_back(campaign.GetQuestion(i));
    return walk;
}

void BM_WaveRowsFromModel(benchmark::State& state)
{
    CWaveApp& app = App();
    CCampaign& campaign = *app.GetCampaign();
    const SWaveWalk walk = WalkOf(campaign);
    const CWaveDiffsEntry* entry =
        app.GetDiffsCache()->GetWaveEntry(view_bench::kLargestWave, false);
    std::vector<QString> texts;
    std::vector<int> states;
    for (auto _ : state) {
        texts.clear();
        states.clear();
        int rowNumber = 0;
        const auto campaignSide = [&](const CQuestion& question) {
            texts.push_back(QString::number(question.GetQuestionId()));
            texts.push_back(question.GetShortcut());
            texts.push_back(GetQuestionDisplayShortCaption(question));
            texts.push_back(GetQuestionDisplayLongCaption(question));
        };
        const auto sourceSide = [&](const qnr::CQuestion& source, const CVolume& volume) {
            texts.push_back(QString::number(source.GetCodeQuestion()));
            texts.push_back(source.GetShortcut());
            texts.push_back(GetSourceQuestionDisplayShortCaption(source));
            texts.push_back(GetSourceQuestionDisplayLongCaption(source));
            texts.push_back(volume.GetName());
        };
        for (const CQuestion* question : walk.Questions) {
            bool matched = false;
            for (const CVolume* volume : walk.Volumes) {
                const CQuestionMatching* matching = volume->FindQuestionMatchingInherited(
                    question->GetQuestionId(), volume->GetVolumeId());
                if (!matching)
                    continue;
                matched = true;
                const qnr::CQuestion* source =
                    volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt());
                bool differs = entry && entry->GetQuestionDiffs().Count(
                                            {question->GetQuestionId(), volume->GetVolumeId()});
                for (const CModality* response : question->GetModalities())
                    differs = differs ||
                              (entry && entry->GetModalityDiffs().Count(response->GetModalityId()));
                texts.push_back(QString::number(++rowNumber));
                campaignSide(*question);
                sourceSide(*source, *volume);
                states.push_back(differs ? 1 : 0);
            }
            if (!matched) {
                campaignSide(*question);
                states.push_back(2);
            }
        }
        for (const CVolume* volume : walk.Volumes) {
            QMap<QString, int> matchedCodes;
            volume->CollectMatchedSourceCodes(volume->GetVolumeId(), matchedCodes);
            const qnr::CQuestionnaire& questionnaire = volume->GetQuestionnaire();
            for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
                const qnr::CQuestion& source = *questionnaire.GetQuestion(i);
                if (!matchedCodes.contains(QString::number(source.GetCodeQuestion()))) {
                    sourceSide(source, *volume);
                    states.push_back(2);
                }
            }
        }
        benchmark::DoNotOptimize(texts.data());
    }
    state.counters["rows"] = double(states.size());
}
BENCHMARK(BM_WaveRowsFromModel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadWaveCold(benchmark::State& state)
{
    CWaveApp& app = App();
    CRightReconciliationPage page;
    page.resize(1200, 800);
    page.show();
    for (auto _ : state) {
        app.GetDiffsCache()->InvalidateWave(view_bench::kLargestWave);
        page.LoadWave(view_bench::kLargestWave);
    }
    PageCounters(state, page);
}
BENCHMARK(BM_LoadWaveCold)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WaveDifferencesOnly(benchmark::State& state)
{
    CWaveApp& app = App();
    CCampaign& campaign = *app.GetCampaign();
    const SWaveWalk walk = WalkOf(campaign);
    CWaveDiffsEntry& entry = *app.GetDiffsCache()->GetWaveEntry(view_bench::kLargestWave, true);
    for (auto _ : state) {
        app.GetDiffsCache()->InvalidateWave(view_bench::kLargestWave);
        CPairDifferences recorder(view_bench::kLargestWave, entry);
        for (const CQuestion* question : walk.Questions) {
            for (const CVolume* volume : walk.Volumes) {
                const CQuestionMatching* matching = volume->FindQuestionMatchingInherited(
                    question->GetQuestionId(), volume->GetVolumeId());
                if (!matching)
                    continue;
                const qnr::CQuestion* source =
                    volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt());
                recorder.ErasePair(*question, volume->GetVolumeId());
                recorder.RecordQuestionDifferences(*volume, *question, *source);
                recorder.RecordResponseDifferences(*volume, *question, *source, {});
            }
        }
        entry.SetWholeWaveInvalid(false);
    }
    state.counters["differences"] =
        double(entry.GetQuestionDiffs().Size() + entry.GetModalityDiffs().Size());
}
BENCHMARK(BM_WaveDifferencesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

// Shows the largest wave and selects a matched row in the middle of the question grid.
int ShowMiddleMatchedRow(CRightReconciliationPage& page)
{
    page.resize(1200, 800);
    page.show();
    page.LoadWave(view_bench::kLargestWave);
    const CWaveGridCtrl& grid = *page.GetQuestionGrid();
    for (int row = grid.GetRowCount() / 2; row < grid.GetRowCount(); ++row) {
        if (page.GetCampaignQuestionAtRow(row) && page.GetSourceQuestionAtRow(row)) {
            page.SelectQuestionRow(row, CRightReconciliationPage::QColShortcut);
            return row;
        }
    }
    return -1;
}

void BM_BreakMatchingInPlace(benchmark::State& state)
{
    CWaveApp& app = App();
    CRightReconciliationPage page;
    const int row = ShowMiddleMatchedRow(page);
    for (auto _ : state) {
        page.OnCommand(ID_QUESTION_BREAK_MATCHING);
        state.PauseTiming();
        app.Undo();
        page.SelectQuestionRow(row, CRightReconciliationPage::QColShortcut);
        state.ResumeTiming();
    }
    PageCounters(state, page);
}
BENCHMARK(BM_BreakMatchingInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BreakMatchingUndo(benchmark::State& state)
{
    CWaveApp& app = App();
    CRightReconciliationPage page;
    const int row = ShowMiddleMatchedRow(page);
    for (auto _ : state) {
        state.PauseTiming();
        page.SelectQuestionRow(row, CRightReconciliationPage::QColShortcut);
        page.OnCommand(ID_QUESTION_BREAK_MATCHING);
        state.ResumeTiming();
        app.Undo();
    }
    PageCounters(state, page);
}
BENCHMARK(BM_BreakMatchingUndo)->Unit(benchmark::kMillisecond)->UseRealTime();
