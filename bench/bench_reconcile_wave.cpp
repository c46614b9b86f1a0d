// A whole wave reconciliation: a generated wave of 3 volumes of 2,000 questions with 10
// responses each, against a campaign of 5,000 questions (each volume copies its share of them,
// changes some a little and brings new ones). Questions by shortcut, short caption and long
// caption; responses by short caption and entry code; the third volume strict. Each iteration
// reconciles a freshly built study (building it is not timed).
//
// Beside it: reading the same three volumes from ZOZ files (what the wave should cost about
// twice of); the same study scaled to campaigns of 2,500 to 20,000 questions; the eleventh wave
// of a study whose volumes inherit from the wave before through ten waves; and ordering the
// campaign (questions, then every question's responses) by a reconciled wave's sources.
//
// The same run as an undoable command: its Do (the engine's run and what the command keeps for
// Undo), and its Undo and Redo, which take the run back and put it back without matching again.

#include "GeneratedStudy.h"
#include "support/TestWaveApp.h"

#include "commands/ReconcileCommands.h"
#include "model/Campaign.h"
#include "platform/ConsoleWindowServices.h"
#include "questionnaire/Questionnaire.h"
#include "questionnaire/ZozWriter.h"
#include "reconcile/CampaignOrdering.h"
#include "reconcile/WaveReconciliation.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Message boxes print nothing: the run is timed as the engine does its work.
class CQuietWindows
{
public:
    CQuietWindows() { SetWindowServices(&m_windows); }
    ~CQuietWindows() { SetWindowServices(nullptr); }

private:
    CConsoleWindowServices m_windows{[](const QString&) {}};
};

// Times the reconciliation of the last wave of freshly built studies of the shape, the waves
// before it reconciled first (untimed).
void ReconcileLastWave(benchmark::State& state, const SGeneratedStudyShape& shape)
{
    CQuietWindows windows;
    qint64 matchings = 0;
    qint64 reportBytes = 0;
    qint64 campaignQuestions = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto app = std::make_unique<CTestWaveApp>();
        BuildGeneratedStudy(*app, shape);
        if (!ReconcileGeneratedWaves(shape.Waves - 1))
            state.SkipWithError("an earlier wave failed");
        campaignQuestions = app->Campaign->GetQuestionCount();
        pelko_wave::ReconcileResultsMap results;
        QString report;
        state.ResumeTiming();

        const bool ok = pelko_wave::ReconcileWave(shape.Waves, results, report, {});

        state.PauseTiming();
        if (!ok)
            state.SkipWithError("the reconciliation failed");
        matchings = 0;
        for (const auto& [volumeId, volumeResults] : results)
            matchings += volumeResults->QuestionMatchingsMade.size();
        reportBytes = report.size();
        app.reset();
        state.ResumeTiming();
    }
    state.counters["campaign_questions"] = double(campaignQuestions);
    state.counters["question_matchings"] = double(matchings);
    state.counters["report_chars"] = double(reportBytes);
}

void BM_ReconcileWave(benchmark::State& state)
{
    ReconcileLastWave(state, GetReconcileWaveBenchmarkShape());
}
BENCHMARK(BM_ReconcileWave)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading the three sources of BM_ReconcileWave's wave, written as ZOZ files, on one thread.
void BM_ReadWaveSources(benchmark::State& state)
{
    QTemporaryDir folder;
    QStringList paths;
    {
        CTestWaveApp app;
        BuildGeneratedStudy(app, GetReconcileWaveBenchmarkShape());
        const pelko_wave::CWave& wave = *app.Campaign->FindWave(2);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            paths << folder.filePath(QStringLiteral("V%1.zoz").arg(v + 1));
            QString error;
            if (!qnr::WriteZozFile(wave.GetVolume(v)->GetQuestionnaire(), paths.last(), error))
                state.SkipWithError(qPrintable(error));
        }
    }
    int questions = 0;
    for (auto _ : state) {
        questions = 0;
        for (const QString& path : std::as_const(paths)) {
            qnr::CQuestionnaire questionnaire;
            if (!questionnaire.Read(path, {}, qnr::DataBaseZoz, 0))
                state.SkipWithError("a source could not be read");
            questions += questionnaire.GetNbreQuestion();
        }
    }
    state.counters["questions"] = questions;
}
BENCHMARK(BM_ReadWaveSources)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arg: the campaign's questions; the wave's volumes grow with it (2,000 questions each at 5,000).
void BM_ReconcileWaveScaled(benchmark::State& state)
{
    ReconcileLastWave(state, GetScaledReconcileWaveShape(int(state.range(0))));
}
BENCHMARK(BM_ReconcileWaveScaled)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The eleventh wave, each volume inheriting from the one at its place in the wave before, back
// to wave 2.
void BM_ReconcileInheritingWave(benchmark::State& state)
{
    ReconcileLastWave(state, GetInheritingWaveBenchmarkShape());
}
BENCHMARK(BM_ReconcileInheritingWave)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ordering the campaign by the sources of the scaled study's reconciled wave (Arg: the
// campaign's questions): the questions, or every question's responses. Each iteration orders
// the same campaign again, which walks the same matchings.
void OrderCampaign(benchmark::State& state,
                   int (*order)(pelko_wave::CCampaign&, const pelko_wave::CWave&))
{
    CQuietWindows windows;
    CTestWaveApp app;
    BuildGeneratedStudy(app, GetScaledReconcileWaveShape(int(state.range(0))));
    if (!ReconcileGeneratedWaves(2)) {
        state.SkipWithError("the reconciliation failed");
        return;
    }
    pelko_wave::CCampaign& campaign = *app.Campaign;
    const pelko_wave::CWave& wave = *campaign.FindWave(2);
    for (auto _ : state) {
        if (!order(campaign, wave))
            state.SkipWithError("the ordering failed");
    }
    state.counters["campaign_questions"] = campaign.GetQuestionCount();
}

void BM_OrderCampaignQuestions(benchmark::State& state)
{
    OrderCampaign(state, pelko_wave::OrderCampaignQuestions);
}
BENCHMARK(BM_OrderCampaignQuestions)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

void BM_OrderAllQuestionModalities(benchmark::State& state)
{
    OrderCampaign(state, pelko_wave::OrderAllQuestionModalities);
}
BENCHMARK(BM_OrderAllQuestionModalities)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

// The study, with the command that reconciles its wave.
struct SReconciledStudy
{
    SReconciledStudy()
    {
        BuildGeneratedStudy(App, GetReconcileWaveBenchmarkShape());
        pelko_wave::CCampaign* campaign = App.GetCampaign();
        Command = std::make_unique<CCmdReconcileWave>(campaign, campaign->FindWave(2),
                                                      pelko_wave::SReconcileWaveOptions());
    }
    bool Step(bool (CCmdVirtual::*step)(std::unique_ptr<CCallBackInfo>&))
    {
        std::unique_ptr<CCallBackInfo> record;
        return ((*Command).*step)(record);
    }

    CTestWaveApp App;
    std::unique_ptr<CCmdReconcileWave> Command;
};

void BM_ReconcileWaveCommand(benchmark::State& state)
{
    CQuietWindows windows;
    for (auto _ : state) {
        state.PauseTiming();
        auto study = std::make_unique<SReconciledStudy>();
        state.ResumeTiming();

        const bool ok = study->Step(&CCmdVirtual::Do);

        state.PauseTiming();
        if (!ok)
            state.SkipWithError("the reconciliation failed");
        study.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReconcileWaveCommand)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undo (or Redo) timed alone; the step that makes it possible again is not.
void UndoOrRedo(benchmark::State& state, bool undo)
{
    CQuietWindows windows;
    SReconciledStudy study;
    if (!study.Step(&CCmdVirtual::Do)) {
        state.SkipWithError("the reconciliation failed");
        return;
    }
    for (auto _ : state) {
        if (!undo) {
            state.PauseTiming();
            study.Step(&CCmdVirtual::Undo);
            state.ResumeTiming();
        }
        study.Step(undo ? &CCmdVirtual::Undo : &CCmdVirtual::Redo);
        if (undo) {
            state.PauseTiming();
            study.Step(&CCmdVirtual::Redo);
            state.ResumeTiming();
        }
    }
}

void BM_UndoReconcileWave(benchmark::State& state)
{
    UndoOrRedo(state, true);
}
BENCHMARK(BM_UndoReconcileWave)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RedoReconcileWave(benchmark::State& state)
{
    UndoOrRedo(state, false);
}
BENCHMARK(BM_RedoReconcileWave)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
