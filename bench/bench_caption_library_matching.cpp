// Response matching through the caption libraries: one question pair of 40 responses a side,
// none paired by its own text, against one library of 400 groups of 5 captions. Each campaign
// response is the base caption of a group whose other captions include its source response.

#include "TextEngineFixtures.h"
#include "support/TestWaveApp.h"

#include "model/CaptionLibrary.h"
#include "reconcile/CaptionLibraryMatching.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>

using namespace pelko_wave;
using namespace text_engine_test;

namespace {

constexpr int kEnglish = 1033;
constexpr int kGroups = 400;
constexpr int kCaptionsPerGroup = 5;
constexpr int kResponses = 40;

// A caption of group g; captions of different groups share no word.
QString CaptionText(int group, int caption)
{
    return QStringLiteral("answer%1 form%2").arg(group).arg(caption);
}

void BM_MatchResponsesByCaptionLibrary(benchmark::State& state)
{
    CCurrentLanguagesGuard languages;
    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    AddWave(campaign, 1, 1);
    CVolume* volume = AddVolume(campaign, 1, 1);
    CQuestion* question = AddQuestion(campaign, 10, QStringLiteral("Q10"));
    SetCurrentLanguageId(kEnglish);
    SetCurrentQuestionnaireLanguage(kEnglish);

    auto* library = new CResponseLibrary(QStringLiteral("Answers"));
    app.Libraries.append(library);
    for (int g = 0; g < kGroups; ++g) {
        auto* group = new CResponseCaptionGroup(QStringLiteral("Group %1").arg(g));
        app.Groups.append(group);
        for (int c = 0; c < kCaptionsPerGroup; ++c)
            group->AddCaption(std::make_unique<CResponseCaption>(CaptionText(g, c), group));
        group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
        library->AddGroup(group);
    }

    qnr::CQuestion source;
    QList<CModality*> campaignCandidates;
    QList<int> sourceCandidates;
    for (int r = 0; r < kResponses; ++r) {
        const int group = r * (kGroups / kResponses);
        campaignCandidates.append(
            AddModality(campaign, *question, 100 + r, {{kEnglish, CaptionText(group, 0)}}));
        AddSourceResponse(source, r + 1, {{kEnglish, CaptionText(group, kCaptionsPerGroup - 1)}});
        sourceCandidates.append(r);
    }

    qint64 made = 0;
    for (auto _ : state) {
        QList<CModality*> campaignLeft = campaignCandidates;
        QList<int> sourceLeft = sourceCandidates;
        QMap<int, QString> newMatchings;
        MatchResponsesByCaptionLibrary(*volume, *question, source, campaignLeft, sourceLeft,
                                       newMatchings, 2);
        made = newMatchings.size();
    }
    if (made != kResponses)
        state.SkipWithError("the libraries did not pair every response");
    state.counters["pairs"] = double(made);
}
BENCHMARK(BM_MatchResponsesByCaptionLibrary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
