// Filling the difference cache for every question of a wave, on the campaign of
// BM_ReconcileWave once its wave 2 (3 volumes of 2,000 questions with 10 responses each) is
// reconciled, with every difference kind the options can offer switched on. BM_WalkWaveMatchings
// is the floor it is measured against: walking every matching of the wave once, finding the
// campaign and source items of each; the fill should stay within 3 times that.
// BM_InvalidateQuestion times one invalidation of the filled cache.

#include "support/ReconciledStudy.h"

#include "model/Campaign.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/ValidMatchings.h"
#include "reconcile/WaveDiffsFill.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

using reconciled_study::kWave;
using reconciled_study::Study;

void BM_WalkWaveMatchings(benchmark::State& state)
{
    CCampaign& campaign = Study().Campaign();
    const CWave& wave = *campaign.FindWave(kWave);
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            const CVolume& volume = *wave.GetVolume(v);
            const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
            const SValidMatchings matchings = CollectValidMatchings(volume);
            for (const CQuestionMatching* matching : matchings.Questions) {
                const CQuestion* question = campaign.GetQuestionById(matching->GetQuestionId());
                const qnr::CQuestion* source =
                    questionnaire.FindQuestionById(matching->GetSourceId().toInt());
                if (!question || !source)
                    continue;
                ++found;
                for (const CModalityMatching* response :
                     matchings.ModalitiesByQuestion.value(matching->GetQuestionId())) {
                    const CModality* modality = campaign.GetModalityById(response->GetModalityId());
                    const qnr::CModalite* sourceModality =
                        source->FindModaliteById(response->GetModalitySourceId().toInt());
                    found += modality && sourceModality ? 1 : 0;
                }
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["items"] = double(found);
}
BENCHMARK(BM_WalkWaveMatchings)->Unit(benchmark::kMillisecond);

void BM_DifferenceCacheFill(benchmark::State& state)
{
    CCampaign& campaign = Study().Campaign();
    CCampaignDiffsCache cache(&campaign);
    int stored = 0;
    for (auto _ : state) {
        cache.InvalidateWave(kWave);
        const CWaveDiffsEntry* entry = FillWaveDifferences(cache, campaign, kWave);
        stored = entry->GetQuestionDiffs().Size() + entry->GetModalityDiffs().Size();
    }
    state.counters["differences"] = double(stored);
}
BENCHMARK(BM_DifferenceCacheFill)->Unit(benchmark::kMillisecond);

// What a view pays to report one changed question once the wave is filled: every invalidation
// first looks for entries that name removed items.
void BM_InvalidateQuestion(benchmark::State& state)
{
    CCampaign& campaign = Study().Campaign();
    CCampaignDiffsCache cache(&campaign);
    const CWaveDiffsEntry* entry = FillWaveDifferences(cache, campaign, kWave);
    const int questionId = campaign.GetQuestion(campaign.GetQuestionCount() / 2)->GetQuestionId();
    for (auto _ : state)
        cache.InvalidateQuestion(kWave, questionId);
    state.counters["differences"] =
        double(entry->GetQuestionDiffs().Size() + entry->GetModalityDiffs().Size());
}
BENCHMARK(BM_InvalidateQuestion)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
