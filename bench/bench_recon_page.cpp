// The reconciliation page's commands on the largest wave of the generated campaign of the window
// benchmarks (three volumes whose in-memory sources hold every campaign question), with a
// question of 40 responses added, matched in every volume of the wave:
// BM_FillResponses: the response grid filled for that question, as selecting its row does, and
// BM_SwapResponseRows: two of its rows changing places in the grid, as after "Move the response
// up"; the swap should be at least 10 times faster than the fill it saves.
// BM_ApplyCaptionLibraries: "Apply Caption Libraries" on the wave with 400 caption groups in one
// library, which merge a pair of responses in one question of ten and meet a response caption in
// every question; and BM_ApplyCaptionLibrariesUndo: the one Undo that takes the merges back. Each
// should stay under one second.

#include "ViewBenchCampaign.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/CommandIds.h"
#include "storage/DBAccess.h"
#include "views/RightReconciliationPage.h"
#include "views/ViewDialogs.h"
#include "views/WaveGridCtrl.h"

#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

constexpr int kLanguage = 2057;
constexpr int kLargeQuestionResponses = 40;
constexpr int kGroups = 400;
// The groups whose base caption is one of the generated response captions ("Answer 1" ...).
constexpr int kAnswerGroups = 6;

// The caption library dialog, answered with its Apply button at once.
class CApplyingDialogs : public IViewDialogs
{
public:
    int RunCaptionLibraryDlg(QWidget*, const SCaptionLibraryDlgRequest&) override { return IDOK; }
};

CModality* AddResponse(CCampaign& campaign, CQuestion& question, int id, const QString& caption)
{
    auto response = std::make_unique<CModality>();
    response->SetModalityId(id);
    response->SetQuestionId(question.GetQuestionId());
    response->SetModalityOrder(question.GetModalityCount() + 1);
    response->SetDeletionWaveId(NO_WAVE_ID);
    response->SetShortCaption(kLanguage, caption);
    CModality* raw = response.get();
    campaign.AddModality(std::move(response));
    question.InsertModality(raw);
    return raw;
}

// The question of 40 responses, last in the campaign, with a source question of the same
// responses in every volume of the wave, all matched.
void AddLargeQuestion(CCampaign& campaign, int questionId, int& modalityId)
{
    auto made = std::make_unique<CQuestion>();
    made->SetQuestionId(questionId);
    made->SetOrder(questionId);
    made->SetIndent(1);
    made->SetShortcut(QStringLiteral("BIG"));
    made->SetElementType(1);
    made->SetQuestionType(1);
    made->SetDeletionWaveId(NO_WAVE_ID);
    made->SetShortCaption(kLanguage, QStringLiteral("Big list"));
    CQuestion& question = *made;
    campaign.InsertQuestion(std::move(made));
    for (int r = 1; r <= kLargeQuestionResponses; ++r)
        AddResponse(campaign, question, ++modalityId, QStringLiteral("Choice %1").arg(r));

    const CWave& wave = *campaign.FindWave(view_bench::kLargestWave);
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume& volume = *wave.GetVolume(v);
        auto source = std::make_unique<qnr::CQuestion>();
        source->SetCodeQuestion(questionId);
        source->SetShortcut(question.GetShortcut());
        source->SetTypeElement(1);
        source->SetTypeQuestion(1);
        source->SetIndent(1);
        source->SetCaptions(kLanguage, QStringLiteral("Big list"), QStringLiteral("Big list"));
        for (const CModality* response : question.GetModalities()) {
            auto sourceResponse = std::make_unique<qnr::CModalite>();
            sourceResponse->SetCode(response->GetModalityOrder());
            sourceResponse->SetShortCaption(kLanguage, response->GetShortCaption(kLanguage));
            source->AddModalite(std::move(sourceResponse));
            volume.AddModalityMatching(MakeModalityMatching(
                response->GetModalityId(), QString::number(response->GetModalityOrder()), volume,
                question));
        }
        volume.GetQuestionnaire().AddQuestion(std::move(source));
        volume.GetQuestionnaire().PreparerSaisie();
        volume.AddQuestionMatching(
            MakeQuestionMatching(questionId, QString::number(questionId), volume));
    }
}

// The caption text of the library group for a question.
QString LabelOf(int group)
{
    return QStringLiteral("Label %1").arg(group);
}

// 400 groups in one library, every caption ticked. The first six have a generated response
// caption as their base, with a caption no response has; the others "Label n" as their base,
// with "Label n alt" and "label n ALT 2".
void AddCaptionLibraries()
{
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    auto* library = new CResponseLibrary(QStringLiteral("Generated"));
    for (int g = 0; g < kGroups; ++g) {
        auto* group = new CResponseCaptionGroup(QStringLiteral("Group %1").arg(g));
        const QStringList texts = g < kAnswerGroups
                                      ? QStringList{QStringLiteral("Answer %1").arg(g + 1),
                                                    QStringLiteral("Reply %1").arg(g + 1)}
                                      : QStringList{LabelOf(g), LabelOf(g) + QStringLiteral(" alt"),
                                                    QStringLiteral("label %1 ALT 2").arg(g)};
        for (const QString& text : texts) {
            CResponseCaption* caption =
                group->AddCaption(std::make_unique<CResponseCaption>(text, group));
            if (group->GetCaptionCount() == 1)
                group->SetBaseLabelId(caption->GetGuid());
            library->SetCaptionState(caption, 1);
        }
        library->AddGroup(group);
        groups << group;
    }
    libraries << library;
    SetCaptionLibraries(groups, libraries);
}

// The application with the generated campaign, made once.
CWaveApp& App()
{
    static CWaveApp* app = [] {
        auto* made = new CWaveApp;
        made->CreateCampaignObjects(nullptr, nullptr);
        CCampaign& campaign = *made->GetCampaign();
        view_bench::FillCampaign(campaign);
        view_bench::AddWaveSources(campaign, view_bench::kLargestWave);
        int modalityId = 0;
        for (int i = 0; i < campaign.GetQuestionCount(); ++i)
            for (const CModality* response : campaign.GetQuestion(i)->GetModalities())
                modalityId = std::max(modalityId, response->GetModalityId());
        // One question in ten gains two responses, matched nowhere, that a group calls the same.
        for (int i = 3; i < campaign.GetQuestionCount(); i += 10) {
            CQuestion& question = *campaign.GetQuestion(i);
            const int group = kAnswerGroups + i / 10 % (kGroups - kAnswerGroups);
            AddResponse(campaign, question, ++modalityId, LabelOf(group));
            AddResponse(campaign, question, ++modalityId,
                        LabelOf(group).toUpper() + QStringLiteral(" ALT"));
        }
        AddLargeQuestion(campaign, view_bench::kQuestions + 2, modalityId);
        AddCaptionLibraries();
        view_bench::EnableEveryDifferenceKind(*made);
        return made;
    }();
    return *app;
}

// The page on the largest wave, made once (its first fill records the wave's differences).
CRightReconciliationPage& Page()
{
    App();
    static CRightReconciliationPage* page = [] {
        auto* made = new CRightReconciliationPage;
        made->resize(1200, 800);
        made->show();
        made->LoadWave(view_bench::kLargestWave);
        return made;
    }();
    return *page;
}

int LargeQuestionRow(CRightReconciliationPage& page)
{
    return page.GetQuestionRows().GetFirstRow(view_bench::kQuestions + 2);
}

void BM_FillResponses(benchmark::State& state)
{
    CRightReconciliationPage& page = Page();
    const int row = LargeQuestionRow(page);
    for (auto _ : state)
        page.FillResponses(row, CRightReconciliationPage::QColShortcut);
    const CWaveGridCtrl& grid = *page.GetResponseGrid();
    state.counters["rows"] = grid.GetRowCount() - grid.GetFixedRowCount();
}
BENCHMARK(BM_FillResponses)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SwapResponseRows(benchmark::State& state)
{
    CRightReconciliationPage& page = Page();
    page.SelectQuestionRow(LargeQuestionRow(page), CRightReconciliationPage::QColShortcut);
    const CQuestion& question = *App().GetCampaign()->GetQuestionById(view_bench::kQuestions + 2);
    const CModality& first = *question.GetModality(19);
    const CModality& second = *question.GetModality(20);
    page.SelectResponseRow(page.GetResponseRows().GetRow(first.GetModalityId()),
                           CRightReconciliationPage::RColCaption);
    // Each pass changes the rows back.
    for (auto _ : state)
        page.SwapResponseRows(first, second);
    state.counters["rows"] = page.GetResponseGrid()->GetRowCount() - 2;
}
BENCHMARK(BM_SwapResponseRows)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ApplyCaptionLibraries(benchmark::State& state)
{
    CWaveApp& app = App();
    CRightReconciliationPage& page = Page();
    CApplyingDialogs dialogs;
    SetViewDialogs(&dialogs);
    int steps = 0;
    for (auto _ : state) {
        page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
        state.PauseTiming();
        steps = app.GetCommandHistory().GetUndoCount();
        app.Undo();
        state.ResumeTiming();
    }
    SetViewDialogs(nullptr);
    state.counters["merges"] = steps - 2;
}
BENCHMARK(BM_ApplyCaptionLibraries)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ApplyCaptionLibrariesUndo(benchmark::State& state)
{
    CWaveApp& app = App();
    CRightReconciliationPage& page = Page();
    CApplyingDialogs dialogs;
    SetViewDialogs(&dialogs);
    for (auto _ : state) {
        state.PauseTiming();
        page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
        state.ResumeTiming();
        app.Undo();
    }
    SetViewDialogs(nullptr);
}
BENCHMARK(BM_ApplyCaptionLibrariesUndo)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
