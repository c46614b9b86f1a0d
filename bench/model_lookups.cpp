// The campaign model's hot lookups on a large campaign: campaign order, finds by id, inherited
// matchings, and the deep copy.

#include "model/Campaign.h"
#include "model/RecordMakers.h"

#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

constexpr int kWaves = 20;
constexpr int kVolumesPerWave = 10;
constexpr int kQuestions = 5000;
constexpr int kResponsesPerQuestion = 4;

// Volumes inherit from the volume at the same place of the wave before, so the tree is as deep
// as there are waves; the first wave's volumes match every question and response.
std::unique_ptr<CCampaign> MakeLargeCampaign()
{
    auto campaign = std::make_unique<CCampaign>();
    int volumeId = 0;
    for (int w = 1; w <= kWaves; ++w) {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(w);
        wave->SetWaveOrder(w);
        for (int v = 0; v < kVolumesPerWave; ++v) {
            auto volume = std::make_unique<CVolume>();
            volume->SetVolumeId(++volumeId);
            volume->SetInheritsFromVolumeId(w == 1 ? volumeId : volumeId - kVolumesPerWave);
            wave->AddVolume(std::move(volume));
        }
        campaign->InsertWave(std::move(wave));
    }
    for (int id = 1; id <= kVolumesPerWave * kWaves; ++id) {
        CVolume* volume = campaign->FindVolume(id);
        if (!volume->IsRoot()) {
            CVolume* parent = campaign->FindVolume(volume->GetInheritsFromVolumeId());
            volume->SetParent(parent);
            parent->AddChildVolume(volume);
        }
    }
    int modalityId = 0;
    for (int q = 0; q < kQuestions; ++q) {
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(q + 2);
        question->SetOrder(q);
        CQuestion* added = question.get();
        campaign->InsertQuestion(std::move(question));
        for (int v = 1; v <= kVolumesPerWave; ++v)
            campaign->FindVolume(v)->AddQuestionMatching(MakeQuestionMatching(
                added->GetQuestionId(), QString::number(q), *campaign->FindVolume(v)));
        for (int r = 0; r < kResponsesPerQuestion; ++r) {
            auto modality = std::make_unique<CModality>();
            modality->SetModalityId(++modalityId);
            modality->SetQuestionId(added->GetQuestionId());
            modality->SetModalityOrder(r);
            added->InsertModality(modality.get());
            campaign->AddModality(std::move(modality));
        }
    }
    return campaign;
}

const CCampaign& LargeCampaign()
{
    static const std::unique_ptr<CCampaign> campaign = MakeLargeCampaign();
    return *campaign;
}

void BM_IsVolumeBefore(benchmark::State& state)
{
    const CCampaign& campaign = LargeCampaign();
    const int volumes = kWaves * kVolumesPerWave;
    int a = 1;
    for (auto _ : state) {
        a = a % volumes + 1;
        benchmark::DoNotOptimize(campaign.IsVolumeBefore(a, volumes + 1 - a));
    }
}
BENCHMARK(BM_IsVolumeBefore);

void BM_FindById(benchmark::State& state)
{
    const CCampaign& campaign = LargeCampaign();
    int id = 0;
    for (auto _ : state) {
        id = (id + 7919) % kQuestions;
        benchmark::DoNotOptimize(campaign.GetQuestionById(id + 2));
        benchmark::DoNotOptimize(campaign.GetModalityById(id * 3 + 1));
        benchmark::DoNotOptimize(campaign.FindVolume(id % 200 + 1));
    }
}
BENCHMARK(BM_FindById);

// A matching of the last wave's volume found in the first wave's, twenty levels up.
void BM_FindQuestionMatchingInherited(benchmark::State& state)
{
    const CCampaign& campaign = LargeCampaign();
    const int last = kWaves * kVolumesPerWave;
    const CVolume* volume = campaign.FindVolume(last);
    int id = 0;
    for (auto _ : state) {
        id = (id + 7919) % kQuestions;
        benchmark::DoNotOptimize(volume->FindQuestionMatchingInherited(id + 2, last));
    }
}
BENCHMARK(BM_FindQuestionMatchingInherited);

void BM_CopyCampaign(benchmark::State& state)
{
    const CCampaign& campaign = LargeCampaign();
    for (auto _ : state) {
        CCampaign copy(campaign);
        benchmark::DoNotOptimize(copy.GetQuestionCount());
    }
}
BENCHMARK(BM_CopyCampaign)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
