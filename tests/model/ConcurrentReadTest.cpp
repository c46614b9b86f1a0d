#include "ModelFixtures.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace pelko_wave;
using namespace model_test;

// The comparison with the sources reads one campaign from several threads at once: lookups
// answer the same on every thread and change nothing.
TEST(ConcurrentRead, LookupsFromSeveralThreadsAgree)
{
    const auto campaign = MakeFullCampaign();
    const auto answers = [&campaign]() {
        std::vector<int> out;
        for (int a = 1; a <= 5; ++a) {
            for (int b = 1; b <= 5; ++b)
                out.push_back(campaign->IsVolumeBefore(a, b));
        }
        for (int v = 1; v <= 4; ++v) {
            const CVolume* volume = campaign->FindVolume(v);
            for (const int q : {1, 11, 12}) {
                const CQuestionMatching* m = volume->FindQuestionMatchingInherited(q, v);
                out.push_back(m ? m->GetVolumeId() : -1);
            }
            QMap<int, QString> sources;
            volume->CollectQuestionSources(v, sources);
            out.push_back(int(sources.size()));
            out.push_back(campaign->FindWaveByVolume(v)->GetWaveId());
        }
        out.push_back(campaign->GetQuestionById(12)->GetModalityCount());
        out.push_back(campaign->IsWaveBefore(1, 2));
        return out;
    };
    const std::vector<int> expected = answers();
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t) {
        threads.emplace_back([&]() {
            for (int i = 0; i < 500; ++i) {
                if (answers() != expected)
                    ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}
