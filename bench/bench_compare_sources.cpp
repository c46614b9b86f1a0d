// The comparison of an opened campaign with its sources: a generated campaign of 10 waves of 3
// volumes, each volume's source a ZOZ file of 2,000 questions with 10 responses each, written
// to a temporary folder. Volume k of each wave inherits from volume k of the wave before; the
// first wave's volumes hold every matching. BM_CompareSources runs the whole comparison on 1
// thread and on every processor; BM_ReadSourcesParallel reads the same 30 files the same ways,
// which bounds what the comparison can reach.

#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/ParallelLoop.h"
#include "reconcile/SourceComparison.h"

#include "platform/ProgressThreadData.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

using namespace pelko_wave;

namespace {

constexpr int kLanguage = 2057;
constexpr int kWaves = 10;
constexpr int kVolumesPerWave = 3;
constexpr int kQuestionsPerVolume = 2000;
constexpr int kResponsesPerQuestion = 10;

// The source of the k-th volume of every wave: its own 2,000 questions.
std::unique_ptr<qnr::CQuestionnaire> MakeSource(int k)
{
    auto questionnaire = std::make_unique<qnr::CQuestionnaire>();
    questionnaire->AddLanguage(qnr::CLanguage(kLanguage));
    questionnaire->SetDefaultLanguageId(kLanguage);
    for (int j = 0; j < kQuestionsPerVolume; ++j) {
        auto question = std::make_unique<qnr::CQuestion>();
        question->SetCodeQuestion(100000 * (k + 1) + j);
        question->SetShortcut(QStringLiteral("V%1Q%2").arg(k).arg(j));
        question->SetTypeQuestion(1);
        question->SetCaptions(kLanguage, QStringLiteral("Long caption of question %1").arg(j),
                              QStringLiteral("Question %1").arg(j));
        for (int r = 1; r <= kResponsesPerQuestion; ++r) {
            auto response = std::make_unique<qnr::CModalite>();
            response->SetCode(r);
            response->SetEntryCode(QString::number(r));
            response->SetShortCaption(kLanguage, QStringLiteral("Answer %1").arg(r));
            question->AddModalite(std::move(response));
        }
        questionnaire->AddQuestion(std::move(question));
    }
    questionnaire->PreparerSaisie();
    return questionnaire;
}

class CGeneratedCampaign
{
public:
    CGeneratedCampaign()
    {
        CCampaign& campaign = *m_app.Campaign;
        auto language = std::make_unique<CLanguage>(kLanguage);
        language->SetIsDefault(1);
        campaign.AddLanguage(std::move(language));
        std::vector<std::unique_ptr<qnr::CQuestionnaire>> sources;
        for (int k = 0; k < kVolumesPerWave; ++k)
            sources.push_back(MakeSource(k));

        int nextQuestionId = 2;
        int nextModalityId = 1;
        std::vector<CVolume*> previous(kVolumesPerWave, nullptr);
        for (int w = 1; w <= kWaves; ++w) {
            auto wave = std::make_unique<CWave>();
            wave->SetWaveId(w);
            wave->SetWaveOrder(w);
            wave->SetName(QStringLiteral("W%1").arg(w));
            CWave* waveRaw = wave.get();
            campaign.InsertWave(std::move(wave));
            for (int k = 0; k < kVolumesPerWave; ++k) {
                const int volumeId = (w - 1) * kVolumesPerWave + k + 1;
                auto volume = std::make_unique<CVolume>();
                volume->SetVolumeId(volumeId);
                volume->SetName(QStringLiteral("V%1").arg(volumeId));
                volume->SetWaveId(w);
                volume->SetStatus(VOLUME_RECONCILED);
                volume->SetSourceType(SOURCE_ZOZ);
                CSourcePath source;
                source.SourceFilePathFormat = PATH_ABSOLUTE;
                source.SourceString = m_folder.filePath(QStringLiteral("V%1.zoz").arg(volumeId));
                volume->SetMetaData(source);
                m_paths.push_back(source.SourceString);
                CVolume* raw = volume.get();
                volume->SetInheritsFromVolumeId(previous[k] ? previous[k]->GetVolumeId()
                                                            : volumeId);
                waveRaw->AddVolume(std::move(volume));
                if (previous[k]) {
                    raw->SetParent(previous[k]);
                    previous[k]->AddChildVolume(raw);
                } else {
                    AddMatchedQuestions(campaign, *raw, *sources[size_t(k)], nextQuestionId,
                                        nextModalityId);
                }
                previous[k] = raw;
                QString error;
                if (!qnr::WriteZozFile(*sources[size_t(k)], source.SourceString, error))
                    qFatal("cannot write %s", qPrintable(error));
            }
        }
    }

    CCampaign& Campaign() { return *m_app.Campaign; }
    const std::vector<QString>& Paths() const { return m_paths; }

private:
    static void AddMatchedQuestions(CCampaign& campaign, CVolume& volume,
                                    const qnr::CQuestionnaire& source, int& nextQuestionId,
                                    int& nextModalityId)
    {
        for (int i = 0; i < source.GetNbreQuestion(); ++i) {
            const qnr::CQuestion& sourceQuestion = *source.GetQuestion(i);
            auto question = std::make_unique<CQuestion>();
            const int questionId = nextQuestionId++;
            question->SetQuestionId(questionId);
            question->SetOrder(campaign.GetQuestionCount());
            question->SetShortcut(sourceQuestion.GetShortcut());
            question->SetQuestionType(1);
            question->SetElementType(1);
            question->SetIndent(1);
            question->SetAppearanceVolumeId(volume.GetVolumeId());
            question->SetDeletionWaveId(NO_WAVE_ID);
            CQuestion* raw = question.get();
            campaign.InsertQuestion(std::move(question));
            volume.AddQuestionMatching(MakeQuestionMatching(
                questionId, QString::number(sourceQuestion.GetCodeQuestion()), volume));
            for (int r = 0; r < sourceQuestion.GetNbreModalite(); ++r) {
                auto modality = std::make_unique<CModality>();
                modality->SetModalityId(nextModalityId++);
                modality->SetQuestionId(questionId);
                modality->SetModalityOrder(r);
                modality->SetAppearanceVolumeId(volume.GetVolumeId());
                modality->SetDeletionWaveId(NO_WAVE_ID);
                CModality* response = modality.get();
                campaign.AddModality(std::move(modality));
                raw->InsertModality(response);
                volume.AddModalityMatching(MakeModalityMatching(
                    response->GetModalityId(),
                    QString::number(sourceQuestion.GetModalite(r)->GetCode()), volume, *raw));
            }
        }
    }

    CTestWaveApp m_app;
    QTemporaryDir m_folder;
    std::vector<QString> m_paths;
};

CGeneratedCampaign& Generated()
{
    static CGeneratedCampaign campaign;
    return campaign;
}

// Arg: the number of threads, 0 for one per processor.
void BM_CompareSources(benchmark::State& state)
{
    CGeneratedCampaign& generated = Generated();
    std::size_t problems = 0;
    // Untimed: the first run grows the heap to hold the 30 loaded questionnaires.
    SSourceComparisonLists warmUp;
    CompareSourcesParallel(nullptr, generated.Campaign(), warmUp, int(state.range(0)));
    for (auto _ : state) {
        SSourceComparisonLists lists;
        CompareSourcesParallel(nullptr, generated.Campaign(), lists, int(state.range(0)));
        problems = lists.InvalidQuestionMatches.size() + lists.MissingSourceFiles.size();
    }
    if (problems != 0)
        state.SkipWithError("the generated campaign does not compare clean");
    state.counters["threads"] = double(state.range(0) > 0 ? state.range(0) : GetProcessorCount());
    state.counters["matchings"] = double(CountCampaignVolumeQuestions(generated.Campaign()));
}
BENCHMARK(BM_CompareSources)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Arg: the number of threads, 0 for one per processor.
void BM_ReadSourcesParallel(benchmark::State& state)
{
    const std::vector<QString>& paths = Generated().Paths();
    const auto readAll = [&](int threads) {
        std::atomic<int> questions{0};
        ParallelFor(int(paths.size()), threads, [&](int i) {
            qnr::CQuestionnaire questionnaire;
            questionnaire.Read(paths[size_t(i)], {}, qnr::DataBaseZoz, kLanguage);
            questions += questionnaire.GetNbreQuestion();
        });
        return questions.load();
    };
    readAll(int(state.range(0))); // untimed, as the comparison's first run
    for (auto _ : state) {
        if (readAll(int(state.range(0))) != kWaves * kVolumesPerWave * kQuestionsPerVolume)
            state.SkipWithError("a source could not be read");
    }
    state.counters["threads"] = double(state.range(0) > 0 ? state.range(0) : GetProcessorCount());
}
BENCHMARK(BM_ReadSourcesParallel)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// What the user sees of the check when a campaign is opened: the comparison runs on the worker
// of the progress dialog, every processor busy. Each iteration starts it, waits until the bar
// first moves ("first_progress_ms"), lets it run the given share of the matchings (Arg: per
// cent), then presses Cancel; the time measured is from Cancel until the comparison has
// stopped. Both should stay well within half a second.
void BM_OpenCheckProgressAndCancel(benchmark::State& state)
{
    CGeneratedCampaign& generated = Generated();
    const int total = CountCampaignVolumeQuestions(generated.Campaign());
    const int cancelAt = total * int(state.range(0)) / 100;
    double firstProgress = 0;
    double slowestCancel = 0;
    for (auto _ : state) {
        CUPDialogUserProcData data;
        SSourceComparisonLists lists;
        const auto start = std::chrono::steady_clock::now();
        std::thread worker([&] { CompareSourcesParallel(&data, generated.Campaign(), lists); });
        while (data.DoneCount.load() == 0)
            std::this_thread::yield();
        const auto moved = std::chrono::steady_clock::now();
        while (data.DoneCount.load() < cancelAt)
            std::this_thread::yield();
        const auto cancelled = std::chrono::steady_clock::now();
        data.Cancelled = true;
        worker.join();
        const auto stopped = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stopped - cancelled).count();
        state.SetIterationTime(seconds);
        firstProgress = std::max(firstProgress,
                                 std::chrono::duration<double, std::milli>(moved - start).count());
        slowestCancel = std::max(slowestCancel, seconds * 1000);
    }
    state.counters["first_progress_ms"] = firstProgress;
    state.counters["slowest_cancel_ms"] = slowestCancel;
}
BENCHMARK(BM_OpenCheckProgressAndCancel)
    ->Arg(1)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
