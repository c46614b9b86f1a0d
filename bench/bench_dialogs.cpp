// BM_CaptionLibraryDlgFill: the caption library dialog shows its working copy of 400 groups of
// 10 captions in 5 libraries of 80 groups each (the tree of libraries, groups and ticked
// captions, the groups list and the first group's labels), in place of what it showed, as an
// import does. BM_CaptionLibraryDlgOpen: the dialog made and shown (the copy and the first
// fill, and the windows). BM_CopyCaptionLibraries: the deep copy of the same libraries that the
// dialog makes when it opens. The fill should stay within 5 times the copy.
// BM_InheritancePageActivation: the new-volume wizard's inheritance page shown after the
// source page, on the generated campaign of the window benchmarks, for a volume of wave 2 (3
// candidates: the volumes of waves 1 and 2, each matching about 4,000 of the 5,000 questions);
// the page reads the new source (a ZOZ file of those questions) once and rates every candidate.
// BM_ReadNewSource: the read of that file alone.

#include "ViewBenchCampaign.h"

#include "app/WaveApp.h"
#include "controls/XHtmlTree.h"
#include "controls/XListCtrl.h"
#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/DialogControls.h"
#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/Question.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "questionnaire/ZozWriter.h"
#include "storage/DBAccess.h"
#include "views/ViewDialogs.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pelko_wave;

namespace {

constexpr int kGroups = 400;
constexpr int kCaptionsPerGroup = 10;
constexpr int kLibraries = 5;
constexpr int kLanguage = 2057;

// The application with the generated campaign and the caption libraries, made once.
CWaveApp& App()
{
    static CWaveApp* app = [] {
        auto* made = new CWaveApp;
        made->CreateCampaignObjects(nullptr, nullptr);
        view_bench::FillCampaign(*made->GetCampaign());
        QList<CResponseCaptionGroup*> groups;
        QList<CResponseLibrary*> libraries;
        for (int l = 0; l < kLibraries; ++l)
            libraries << new CResponseLibrary(QStringLiteral("Library %1").arg(l + 1));
        for (int g = 0; g < kGroups; ++g) {
            auto* group = new CResponseCaptionGroup(QStringLiteral("Group %1").arg(g + 1));
            for (int c = 0; c < kCaptionsPerGroup; ++c)
                group->AddCaption(std::make_unique<CResponseCaption>(
                    QStringLiteral("Answer %1 wording %2").arg(g + 1).arg(c + 1), group));
            group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
            groups << group;
            CResponseLibrary* library = libraries[g % kLibraries];
            library->AddGroup(group);
            for (int c = 0; c < kCaptionsPerGroup; c += 2)
                library->SetCaptionState(group->GetCaptionAt(c), 1);
        }
        SetCaptionLibraries(groups, libraries);
        return made;
    }();
    return *app;
}

void BM_CaptionLibraryDlgFill(benchmark::State& state)
{
    App();
    CCaptionLibraryDlg dialog;
    dialog.resize(800, 500);
    dialog.show();
    for (auto _ : state)
        dialog.FillControls();
    int items = 0;
    for (HTREEITEM walk = dialog.GetTree()->GetRootItem(); walk;
         walk = dialog.GetTree()->GetNextTreeItem(walk))
        ++items;
    state.counters["tree items"] = items;
    state.counters["groups"] = dialog.GetGroupsList()->GetItemCount();
    dialog.reject();
}
BENCHMARK(BM_CaptionLibraryDlgFill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CaptionLibraryDlgOpen(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        CCaptionLibraryDlg dialog;
        dialog.resize(800, 500);
        dialog.show();
        state.PauseTiming();
        dialog.reject();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CaptionLibraryDlgOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyCaptionLibraries(benchmark::State& state)
{
    App();
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    for (auto _ : state) {
        CopyCaptionLibraries(groups, libraries);
        state.PauseTiming();
        FreeCaptionLibraries(groups, libraries);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyCaptionLibraries)->Unit(benchmark::kMillisecond)->UseRealTime();

// Two copies of a ZOZ source of the generated campaign's questions (codes and shortcuts as the
// volumes matched them), so that every activation meets another file.
class CNewSources
{
public:
    CNewSources()
    {
        const CCampaign& campaign = *App().GetCampaign();
        qnr::CQuestionnaire source;
        source.AddLanguage(qnr::CLanguage(kLanguage));
        source.SetDefaultLanguageId(kLanguage);
        for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
            const CQuestion* question = campaign.GetQuestion(i);
            auto item = std::make_unique<qnr::CQuestion>();
            item->SetCodeQuestion(question->GetQuestionId());
            item->SetShortcut(question->GetShortcut());
            item->SetTypeElement(question->GetElementType());
            item->SetTypeQuestion(question->GetQuestionType());
            item->SetIndent(question->GetIndent());
            item->SetCaptions(kLanguage, question->GetShortcut(), question->GetShortcut());
            source.AddQuestion(std::move(item));
        }
        source.PreparerSaisie();
        for (const char* name : {"a.zoz", "b.zoz"}) {
            QString error;
            m_paths << m_folder.filePath(QString::fromLatin1(name));
            if (!qnr::WriteZozFile(source, m_paths.last(), error))
                qFatal("cannot write %s", qPrintable(error));
        }
    }
    const QStringList& Paths() const { return m_paths; }

private:
    QTemporaryDir m_folder;
    QStringList m_paths;
};

const CNewSources& NewSources()
{
    static const CNewSources sources;
    return sources;
}

void BM_InheritancePageActivation(benchmark::State& state)
{
    CWaveApp& app = App();
    const QStringList& paths = NewSources().Paths();
    CNewVolumeSheet sheet;
    SNewVolumeWizardInput input;
    input.Campaign = app.GetCampaign();
    input.Wave = app.GetCampaign()->GetWave(1);
    sheet.SetInput(input);
    sheet.show();
    FindControl<QLineEdit>(sheet, CNewVolumeSourcePage::IDC_NAME)->setText("New");
    auto* path = FindControl<QLineEdit>(sheet, CNewVolumeSourcePage::IDC_QUESTION_PATH);
    int activations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (sheet.currentId() != CNewVolumeSheet::PAGE_SOURCE)
            sheet.back();
        path->setText(paths[activations++ % 2]);
        state.ResumeTiming();
        sheet.next();
    }
    const CXListCtrl& list = *sheet.GetInheritsFromPage()->GetList();
    if (sheet.currentId() != CNewVolumeSheet::PAGE_INHERITANCE || list.GetItemCount() != 3)
        state.SkipWithError("the inheritance page did not list the three candidates");
    state.counters["candidates"] = list.GetItemCount();
    state.counters["source questions"] =
        sheet.GetNewSource() ? sheet.GetNewSource()->GetNbreQuestion() : 0;
    sheet.reject();
}
BENCHMARK(BM_InheritancePageActivation)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadNewSource(benchmark::State& state)
{
    const QString path = NewSources().Paths().first();
    for (auto _ : state) {
        qnr::CQuestionnaire source;
        if (!LoadQuestionnaireFromSource(source, path, SOURCE_ZOZ))
            state.SkipWithError("the source cannot be read");
        benchmark::DoNotOptimize(source.GetNbreQuestion());
    }
}
BENCHMARK(BM_ReadNewSource)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
