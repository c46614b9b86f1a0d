// The reconciliation summary of wave 2 of the campaign of BM_ReconcileWave once it is reconciled
// (3 volumes of 2,000 questions with 10 responses each), with every difference kind the options
// can offer switched on. BM_SummaryReport computes the counts and the details and writes the
// page; BM_SummaryDifferencesOnly makes the same difference calls on the same pairs and nothing
// else. The summary should stay within 1.5 times the differences alone.

#include "support/ReconciledStudy.h"

#include "model/Campaign.h"
#include "model/QuestionKinds.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/Differences.h"
#include "reconcile/PropertyTexts.h"
#include "reconcile/ValidMatchings.h"
#include "views/SummaryReport.h"

#include <QCoreApplication>
#include <QMap>
#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

using reconciled_study::kWave;
using reconciled_study::Study;

void BM_SummaryReport(benchmark::State& state)
{
    Study();
    qsizetype size = 0;
    CSummaryCounts counts;
    for (auto _ : state) {
        counts = CSummaryCounts();
        QString details;
        if (!ComputeSummary(kWave, counts, details))
            state.SkipWithError("the summary failed");
        size = BuildSummaryHtml(counts, details).size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["page_kb"] = double(size) / 1024.0;
    state.counters["matches"] = double(counts.PerfectMatches + counts.MatchesWithDifferences);
    state.counters["with_differences"] = double(counts.MatchesWithDifferences);
}
BENCHMARK(BM_SummaryReport)->Unit(benchmark::kMillisecond);

// The summary's difference calls alone: for every campaign question and every volume of the
// wave, the matching valid there, its source question, the question's differences (and the
// response counts when there are none), and the differences of each matched response.
void BM_SummaryDifferencesOnly(benchmark::State& state)
{
    CCampaign& campaign = Study().Campaign();
    const CWave& wave = *campaign.FindWave(kWave);
    int differences = 0;
    for (auto _ : state) {
        differences = 0;
        const CDifferenceComparer comparer;
        std::vector<SValidMatchings> matchings;
        for (int v = 0; v < wave.GetVolumeCount(); ++v)
            matchings.push_back(CollectValidMatchings(*wave.GetVolume(v)));
        CDiffList list;
        for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
            const CQuestion& question = *campaign.GetQuestion(q);
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                const CVolume& volume = *wave.GetVolume(v);
                const CQuestionMatching* matching = volume.FindQuestionMatchingInherited(
                    question.GetQuestionId(), volume.GetVolumeId());
                const qnr::CQuestion* source = matching
                                                   ? volume.GetQuestionnaire().FindQuestionById(
                                                         matching->GetSourceId().toInt())
                                                   : nullptr;
                if (!source)
                    continue;
                if (!comparer.GetQuestionDifferences(question, *source, list))
                    differences +=
                        HasSameResponseCount(kWave, volume.GetVolumeId(), question, *source) ? 0
                                                                                             : 1;
                differences += int(list.size());
                if (!IsQuestionWithResponses(question))
                    continue;
                QMap<int, QString> codes;
                for (const CModalityMatching* response :
                     matchings[std::size_t(v)].ModalitiesByQuestion.value(question.GetQuestionId()))
                    if (!codes.contains(response->GetModalityId()))
                        codes.insert(response->GetModalityId(), response->GetModalitySourceId());
                for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
                    const CModality* modality = campaign.GetModalityById(it.key());
                    const qnr::CModalite* sourceModality =
                        source->FindModaliteById(it.value().toInt());
                    if (modality && sourceModality &&
                        comparer.GetModalityDifferences(*modality, *sourceModality, list))
                        differences += int(list.size());
                }
            }
        }
        benchmark::DoNotOptimize(differences);
    }
    state.counters["differences"] = double(differences);
}
BENCHMARK(BM_SummaryDifferencesOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
