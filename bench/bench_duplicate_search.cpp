// BM_DuplicateSearch: the duplicates dialog's search (what its worker runs) on the generated
// campaign of the window benchmarks (5,000 questions of 6 responses, 10 waves of 1 to 3
// volumes) with 200 planted duplicate pairs: a copy of every 24th question, its responses
// captioned alike, matched nowhere. Every response is captioned in the default language, so
// the response search compares real texts. It should stay well under a second.
// BM_WavesMatchedWalk: the walk over every volume's matchings that the search starts with,
// alone, for comparison.

#include "ViewBenchCampaign.h"

#include "dialogs/DuplicateSearch.h"
#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"

#include <benchmark/benchmark.h>

#include <set>

using namespace pelko_wave;

namespace {

constexpr int kLanguage = 2057;
constexpr int kPlantedPairs = 200;
constexpr int kPlantEvery = 24;

CCampaign& Campaign()
{
    static CCampaign* campaign = [] {
        auto* made = new CCampaign;
        view_bench::FillCampaign(*made);
        made->SetDefaultLanguageId(kLanguage);
        for (int i = 0; i < made->GetModalityCount(); ++i) {
            CModality& response = *made->GetModality(i);
            response.SetShortCaption(kLanguage,
                                     QStringLiteral("Answer %1").arg(response.GetModalityOrder()));
        }
        int questionId = made->GetMaxQuestionId();
        int modalityId = made->GetMaxModalityId();
        int order = made->GetMaxQuestionOrder();
        int planted = 0;
        for (int i = 1; planted < kPlantedPairs; i += kPlantEvery) {
            const CQuestion& original = *made->GetQuestion(i);
            if (original.GetElementType() != 1)
                continue;
            auto copy = std::make_unique<CQuestion>();
            copy->SetQuestionId(++questionId);
            copy->SetOrder(++order);
            copy->SetShortcut(original.GetShortcut());
            copy->SetIndent(original.GetIndent());
            copy->SetElementType(original.GetElementType());
            copy->SetQuestionType(original.GetQuestionType());
            copy->SetDeletionWaveId(original.GetDeletionWaveId());
            CQuestion* added = copy.get();
            made->InsertQuestion(std::move(copy));
            for (const CModality* response : original.GetModalities()) {
                auto twin = std::make_unique<CModality>();
                twin->SetModalityId(++modalityId);
                twin->SetQuestionId(questionId);
                twin->SetModalityOrder(response->GetModalityOrder());
                twin->SetDeletionWaveId(response->GetDeletionWaveId());
                twin->SetShortCaption(kLanguage, response->GetShortCaption(kLanguage));
                added->InsertModality(twin.get());
                made->AddModality(std::move(twin));
            }
            ++planted;
        }
        return made;
    }();
    return *campaign;
}

void BM_DuplicateSearch(benchmark::State& state)
{
    const CCampaign& campaign = Campaign();
    size_t groups = 0;
    for (auto _ : state) {
        const SDuplicateSearchResults results = FindDuplicates(campaign);
        groups = results.Questions.size() + results.Responses.size();
        benchmark::DoNotOptimize(groups);
    }
    if (groups != size_t(kPlantedPairs))
        state.SkipWithError("the planted pairs were not all found");
    state.counters["questions"] = campaign.GetQuestionCount();
    state.counters["groups"] = double(groups);
}
BENCHMARK(BM_DuplicateSearch)->Unit(benchmark::kMillisecond);

void BM_WavesMatchedWalk(benchmark::State& state)
{
    const CCampaign& campaign = Campaign();
    for (auto _ : state) {
        size_t matched = 0;
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            std::set<int> questionIds;
            const CWave& wave = *campaign.GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v)
                wave.GetVolume(v)->CollectMatchedQuestionIds(wave.GetVolume(v)->GetVolumeId(),
                                                             questionIds);
            matched += questionIds.size();
        }
        benchmark::DoNotOptimize(matched);
    }
}
BENCHMARK(BM_WavesMatchedWalk)->Unit(benchmark::kMillisecond);

} // namespace
