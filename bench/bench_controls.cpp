// BM_ProgressSteps: 100,000 StepPos from 8 threads, once with the progress dialog shown and
// once with no window; the dialog's run should stay within 5 times the run without it (the
// workers never wait on the window: positions are coalesced).
// BM_MultiTreeSelectAll: SelectAll and GetSelectedList over a tree of 5,000 items (a root of
// 50 chapters of 99 questions, all expanded), which should stay under 0.2 s.

#include "controls/MultiTree.h"
#include "controls/UPDialog.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 8;
constexpr int kSteps = 100000;

bool StepFromThreads(CUPDialogUserProcData& data)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&data] {
            for (int i = 0; i < kSteps / kThreads; ++i)
                data.StepPos();
        });
    for (std::thread& thread : threads)
        thread.join();
    return true;
}

void BM_ProgressSteps(benchmark::State& state)
{
    const bool withDialog = state.range(0) != 0;
    for (auto _ : state) {
        if (withDialog) {
            CUPDialog dialog(nullptr, StepFromThreads, nullptr, QStringLiteral("Steps"), true,
                             kSteps);
            if (dialog.DoModal() != UPDIALOG_SUCCEEDED)
                state.SkipWithError("the run failed");
        } else {
            CUPDialogUserProcData data;
            data.Proc = StepFromThreads;
            std::thread worker([&data] { data.RunWorker(); });
            worker.join();
        }
    }
    state.SetLabel(withDialog ? "dialog shown" : "no window");
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_ProgressSteps)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MultiTreeSelectAll(benchmark::State& state)
{
    CMultiTree tree;
    tree.resize(400, 600);
    HTREEITEM root = tree.InsertItem(QStringLiteral("Campaign"));
    int count = 1;
    for (int chapter = 0; count < 5000; ++chapter) {
        HTREEITEM parent = tree.InsertItem(QStringLiteral("Chapter %1").arg(chapter), root);
        ++count;
        for (int q = 0; q < 99 && count < 5000; ++q, ++count)
            tree.InsertItem(QStringLiteral("Q%1 Which brands have you heard of?").arg(q), parent);
        tree.Expand(parent, TVE_EXPAND);
    }
    tree.Expand(root, TVE_EXPAND);
    tree.show();
    QApplication::processEvents();
    QList<HTREEITEM> selected;
    for (auto _ : state) {
        tree.SelectAll(true);
        tree.GetSelectedList(selected);
        state.PauseTiming();
        if (selected.size() != 5000)
            state.SkipWithError("not every item was selected");
        tree.SelectAll(false);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["items"] = double(selected.size());
}
BENCHMARK(BM_MultiTreeSelectAll)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
