// A whole wave reconciliation: a generated wave of 3 volumes of 2,000 questions with 10
// responses each, against a campaign of 5,000 questions (each volume copies its share of them,
// changes some a little and brings new ones). Questions by shortcut, short caption and long
// caption; responses by short caption and entry code; the third volume strict. Each iteration
// reconciles a freshly built study (building it is not timed).
//
// The same run as an undoable command: its Do (the engine's run and what the command keeps for
// Undo), and its Undo and Redo, which take the run back and put it back without matching again.

#include "GeneratedStudy.h"
#include "support/TestWaveApp.h"

#include "commands/ReconcileCommands.h"
#include "model/Campaign.h"
#include "platform/ConsoleWindowServices.h"
#include "reconcile/WaveReconciliation.h"

#include <QCoreApplication>
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

void BM_ReconcileWave(benchmark::State& state)
{
    CQuietWindows windows;
    const SGeneratedStudyShape shape = GetReconcileWaveBenchmarkShape();
    qint64 matchings = 0;
    qint64 reportBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto app = std::make_unique<CTestWaveApp>();
        BuildGeneratedStudy(*app, shape);
        pelko_wave::ReconcileResultsMap results;
        QString report;
        state.ResumeTiming();

        const bool ok = pelko_wave::ReconcileWave(2, results, report, {});

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
    state.counters["question_matchings"] = double(matchings);
    state.counters["report_chars"] = double(reportBytes);
}
BENCHMARK(BM_ReconcileWave)->Unit(benchmark::kMillisecond)->Iterations(3);

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
