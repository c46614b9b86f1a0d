// A whole wave reconciliation: a generated wave of 3 volumes of 2,000 questions with 10
// responses each, against a campaign of 5,000 questions (each volume copies its share of them,
// changes some a little and brings new ones). Questions by shortcut, short caption and long
// caption; responses by short caption and entry code; the third volume strict. Each iteration
// reconciles a freshly built study (building it is not timed).

#include "GeneratedStudy.h"
#include "support/TestWaveApp.h"

#include "platform/ConsoleWindowServices.h"
#include "reconcile/WaveReconciliation.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_ReconcileWave(benchmark::State& state)
{
    // Message boxes print nothing: the run is timed as the engine does its work.
    CConsoleWindowServices windows([](const QString&) {});
    SetWindowServices(&windows);
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
    SetWindowServices(nullptr);
}
BENCHMARK(BM_ReconcileWave)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
