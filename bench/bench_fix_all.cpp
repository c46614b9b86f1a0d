// The Update dialog's run over wave 2 of the campaign of BM_ReconcileWave once it is reconciled
// (3 volumes of 2,000 questions with 10 responses each), every part ticked and every difference
// kind the options can offer switched on. BM_FixAllUpdate: one Update (the commands run through
// the application's history, the results written, every visited pair computed anew);
// BM_FixAllCommandsOnly: the very commands that run made, executed one after the other through
// the same history and nothing else. The Update should stay within 1.5 times the commands alone.
// BM_FixAllResultsShown: the results of that run (about 750 KB of HTML) written into a shown
// results browser, the share of the Update that the browser's reading of the HTML takes.

#include "support/ReconciledStudy.h"

#include "commands/CmdVirtual.h"
#include "commands/CommandHistory.h"
#include "controls/SimpleBrowser.h"
#include "dialogs/FixAllDlg.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/WaveDiffsFill.h"

#include <benchmark/benchmark.h>

namespace {

using reconciled_study::kWave;

// The application of the study as the dialog sees it, with a history that runs the commands;
// while recording, the commands it is given are kept unrun instead.
class CHistoryApp final : public CDiffsTestWaveApp
{
public:
    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks& callBacks,
                        const CCmdPreCallBacks* preCallBacks, std::unique_ptr<CViewState>,
                        bool) override
    {
        if (Recording) {
            Recorded.push_back(std::move(command));
            return true;
        }
        return History.Execute(command, callBacks,
                               preCallBacks ? *preCallBacks : CCmdPreCallBacks());
    }
    bool Undo() override { return History.Undo(); }

    CommandHistory History;
    bool Recording = false;
    std::vector<std::unique_ptr<CCmdVirtual>> Recorded;
};

// The reconciled study and its wave's differences, made once; the application above is
// installed in front of the study's for the process's lifetime.
class CFixAllStudy
{
public:
    CFixAllStudy() : m_cache(&reconciled_study::Study().Campaign())
    {
        m_app.Campaign = &reconciled_study::Study().Campaign();
        for (const int kind : GetStoredModalityDiffKinds())
            m_app.ModalityDiffs.SetEnabled(kind, true);
        m_entry = FillWaveDifferences(m_cache, *m_app.Campaign, kWave);
        CreateGuid(m_groupId);
    }

    CHistoryApp& App() { return m_app; }
    // A dialog on the wave's differences, shown (its lists filled).
    std::unique_ptr<CFixAllDlg> OpenDialog() const
    {
        auto dialog = std::make_unique<CFixAllDlg>(m_groupId);
        dialog->SetWaveId(kWave);
        dialog->SetQuestionDifferences(m_entry->GetQuestionDiffs());
        dialog->SetModalityDifferences(m_entry->GetModalityDiffs());
        dialog->show();
        return dialog;
    }
    int Differences() const
    {
        return m_entry->GetQuestionDiffs().Size() + m_entry->GetModalityDiffs().Size();
    }

private:
    CCampaignDiffsCache m_cache;
    CHistoryApp m_app;
    CWaveDiffsEntry* m_entry = nullptr;
    GUID m_groupId;
};

CFixAllStudy& Study()
{
    static CFixAllStudy* study = new CFixAllStudy;
    return *study;
}

// Takes the whole update back: its commands share one group.
void TakeBack(CHistoryApp& app, benchmark::State& state)
{
    if (!app.Undo() || app.History.GetUndoCount() != 0)
        state.SkipWithError("the update did not go back in one step");
}

void BM_FixAllUpdate(benchmark::State& state)
{
    CFixAllStudy& study = Study();
    CHistoryApp& app = study.App();
    int commands = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CFixAllDlg> dialog = study.OpenDialog();
        state.ResumeTiming();
        dialog->OnUpdate();
        state.PauseTiming();
        commands = dialog->GetCommandsRun();
        dialog.reset();
        TakeBack(app, state);
        state.ResumeTiming();
    }
    state.counters["differences"] = study.Differences();
    state.counters["commands"] = commands;
}
BENCHMARK(BM_FixAllUpdate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FixAllCommandsOnly(benchmark::State& state)
{
    CFixAllStudy& study = Study();
    CHistoryApp& app = study.App();
    size_t commands = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The commands an Update makes, kept unrun.
        app.Recording = true;
        study.OpenDialog()->OnUpdate();
        app.Recording = false;
        std::vector<std::unique_ptr<CCmdVirtual>> recorded = std::move(app.Recorded);
        app.Recorded.clear();
        commands = recorded.size();
        state.ResumeTiming();
        for (std::unique_ptr<CCmdVirtual>& command : recorded) {
            if (!app.ExecuteCommand(command, {}, nullptr, nullptr, true))
                state.SkipWithError("a command failed");
        }
        state.PauseTiming();
        TakeBack(app, state);
        state.ResumeTiming();
    }
    state.counters["commands"] = double(commands);
}
BENCHMARK(BM_FixAllCommandsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FixAllResultsShown(benchmark::State& state)
{
    CFixAllStudy& study = Study();
    CHistoryApp& app = study.App();
    std::unique_ptr<CFixAllDlg> dialog = study.OpenDialog();
    dialog->OnUpdate();
    const QString report = dialog->GetReport();
    SimpleBrowser& browser = *dialog->GetBrowser();
    for (auto _ : state) {
        browser.Clear();
        browser.Write(report);
    }
    state.counters["html_kb"] = double(report.size()) / 1024.0;
    dialog.reset();
    TakeBack(app, state);
}
BENCHMARK(BM_FixAllResultsShown)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
