// BM_QuestionTreeFill: the question tree page's campaign fill over the generated campaign of
// 5,000 questions, as every move button press (and each 150 ms repeat) does it.
// BM_QuestionTreeModelWalk: the same questions in the same order, with the id and indent each
// item takes, read from the model alone. The fill should stay within 5 times the walk, and
// under 100 ms.
// BM_QuestionTreeWaveFill: the fill of the wave of three volumes (their matched questions).

#include "ViewBenchCampaign.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "storage/DBAccess.h"
#include "views/QuestionTreeCtrl.h"
#include "views/QuestionTreePlan.h"
#include "views/RightTreePage.h"

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

} // namespace
