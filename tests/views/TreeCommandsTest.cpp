#include "PaneTestSupport.h"
#include "ViewTestSupport.h"

#include "commands/CommandHistory.h"
#include "commands/MetaCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/UnreconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/SampleCampaign.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightView.h"
#include "views/ViewDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>

using namespace pelko_wave;

namespace {

const QString kQuillKey = QStringLiteral("Applications/QuillU.exe/shell/open/command");

QDateTime Day(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime());
}

} // namespace

// A command that always fails, standing for a step of Add New Volume that goes wrong.
class CFailingCmd : public CCmdVirtual
{
public:
    bool Do(std::unique_ptr<CCallBackInfo>&) override
    {
        SetErrorText(QStringLiteral("The analysis question could not be made."));
        return false;
    }
    bool Undo(std::unique_ptr<CCallBackInfo>&) override { return false; }
    bool Redo(std::unique_ptr<CCallBackInfo>&) override { return false; }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override
    {
        return std::make_unique<CCallBackInfo>();
    }
};

// The campaign tree whose add-volume analysis step fails on demand.
class CTestLeftView : public CLeftView
{
public:
    using CLeftView::CLeftView;
    bool FailAnalysis = false;

protected:
    std::unique_ptr<CCmdVirtual> MakeAnalyseMatchingCmd(CCampaign* campaign,
                                                        CVolume* volume) override
    {
        if (FailAnalysis)
            return std::make_unique<CFailingCmd>();
        return CLeftView::MakeAnalyseMatchingCmd(campaign, volume);
    }
};

// The views with the scripted window services and dialogs and the program's application object
// with an empty campaign. The commands run as the context menu runs them, through the shared
// actions.
class TreeCommandsBase : public ::testing::Test
{
protected:
    TreeCommandsBase() : left(&actions)
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        left.SetPanes(&right, &bottom);
        left.ResetAfterLoad();
    }
    ~TreeCommandsBase() override { QSettings().remove(kQuillKey); }

    CCampaign& Campaign() { return *app.GetCampaign(); }
    QString Dump() { return DumpCampaign(Campaign()); }
    CommandHistory& History() { return app.GetCommandHistory(); }
    int CurrentKind()
    {
        const CTreeItemRecord* record = left.GetModel()->GetRecord(left.GetTree()->currentIndex());
        return record ? record->kind : -1;
    }
    int CurrentId()
    {
        const CTreeItemRecord* record = left.GetModel()->GetRecord(left.GetTree()->currentIndex());
        return record ? record->id : -1;
    }

    // Add New Wave on the campaign item, the dialog answered with the name; the new wave's id.
    int AddWave(const QString& name)
    {
        left.SelectCampaign(0);
        dialogs.QueueResults({IDOK});
        dialogs.NewWaveAnswer = {name, QString(), Day(2025, 3, 1), Day(2025, 3, 15),
                                 Day(2025, 4, 1)};
        EXPECT_TRUE(actions.Execute(ID_WAVE_ADD));
        return Campaign().GetWave(Campaign().GetWaveCount() - 1)->GetWaveId();
    }
    // Add New Volume on the wave, the wizard finished with the source (a path) and the question
    // methods; the new volume's id.
    int AddVolume(int waveId, const QString& name, const QString& source,
                  const QList<quint32>& questionMethods = {1, 2, 3}, int ancestor = -1)
    {
        left.SelectWaveItem(waveId, 0);
        dialogs.QueueResults({ID_WIZFINISH});
        dialogs.NewVolumeAnswer = SNewVolumeWizardResult();
        dialogs.NewVolumeAnswer.Name = name;
        dialogs.NewVolumeAnswer.QuestionSource = source;
        dialogs.NewVolumeAnswer.InterviewSource = source;
        dialogs.NewVolumeAnswer.PathFormat = PATH_ABSOLUTE;
        dialogs.NewVolumeAnswer.AncestorVolumeId = ancestor;
        dialogs.NewVolumeAnswer.QuestionMethods = questionMethods;
        dialogs.NewVolumeAnswer.ResponseMethods = {2, 1};
        EXPECT_TRUE(actions.Execute(ID_VOLUME_ADD));
        const CWave* wave = Campaign().FindWave(waveId);
        return wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId();
    }
    // The new wave dialog was opened once, with these dates.
    void ExpectProposedDates(const QDateTime& start, const QDateTime& midPoint,
                             const QDateTime& end)
    {
        ASSERT_EQ(dialogs.NewWaveInputs.size(), 1u);
        EXPECT_EQ(dialogs.NewWaveInputs[0].Start, start);
        EXPECT_EQ(dialogs.NewWaveInputs[0].MidPoint, midPoint);
        EXPECT_EQ(dialogs.NewWaveInputs[0].End, end);
    }
    static QString Sample(const char* file)
    {
        return QStringLiteral(PLIM_SOURCE_DIR "/samples/") + QLatin1String(file);
    }
    static QString Fixture(const char* file)
    {
        return QStringLiteral(PLIM_TEST_DATA_DIR "/treecommands/") + QLatin1String(file);
    }
    // The reconciliation inside the composite on top of the history.
    const CCmdReconcileWave* TopReconciliation()
    {
        const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
        for (int i = 0; composite && i < composite->GetCmdCount(); ++i)
            if (const auto* step = dynamic_cast<const CCmdReconcileWave*>(composite->GetCmd(i)))
                return step;
        return nullptr;
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CScriptedViewDialogs dialogs;
    CWaveApp app;
    CCommandActions actions;
    CRightView right;
    CBottomView bottom;
    CTestLeftView left;
};

// The commands on the sample campaign (saved, so that its folder exists): wave 1 "Spring"
// (volume 1), wave 2 "Summer" (volumes 2 and 3), wave 3 "Autumn" (volume 4), all reconciled.
class TreeCommandsTest : public TreeCommandsBase
{
protected:
    // The difference cache with an up-to-date entry for each of the three waves.
    CCampaignDiffsCache& FilledCache()
    {
        CCampaignDiffsCache& cache = *app.GetDiffsCache();
        for (const int waveId : {1, 2, 3})
            cache.GetWaveEntry(waveId, true)->SetWholeWaveInvalid(false);
        return cache;
    }

    TreeCommandsTest()
    {
        QString error;
        EXPECT_TRUE(sample_campaign::BuildSampleCampaign(
            app, folder.filePath(QStringLiteral("sample.duv")), error))
            << qPrintable(error);
        left.ResetAfterLoad();
        windows.Prompts.clear();
    }
};

TEST_F(TreeCommandsTest, RemovingAWaveAsksFirstAndUndoBringsItBackSelected)
{
    const QString before = Dump();
    left.SelectWaveItem(2, 0);
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(actions.Execute(ID_WAVE_REMOVE));
    EXPECT_EQ(windows.Prompts,
              QStringList({"Are you sure you want to remove this wave from the campaign?"}));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);

    EXPECT_TRUE(actions.Execute(ID_WAVE_REMOVE));
    EXPECT_EQ(Campaign().FindWave(2), nullptr);
    EXPECT_EQ(Campaign().FindVolume(2), nullptr);
    EXPECT_EQ(Campaign().FindVolume(3), nullptr);
    EXPECT_FALSE(left.GetModel()->FindItem(TREE_KIND_WAVE, 2).isValid());
    EXPECT_EQ(CurrentKind(), TREE_KIND_CAMPAIGN);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownCampaign);
    ASSERT_NE(dynamic_cast<CMetaRemoveWaveCmd*>(app.GetCommandHistory().GetUndoTopCommand()),
              nullptr);
    // The command carries no snapshot: Undo leaves the panes to the handlers.
    EXPECT_EQ(app.GetCommandHistory().GetUndoTopSnapshot(), nullptr);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(CurrentKind(), TREE_KIND_WAVE);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownWave);
    EXPECT_EQ(bottom.GetShownWaveId(), 2);
    EXPECT_EQ(right.GetWaveId(), 2);

    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Campaign().FindWave(2), nullptr);
    EXPECT_EQ(CurrentKind(), TREE_KIND_CAMPAIGN);
    EXPECT_TRUE(windows.Restored.empty());
}

TEST_F(TreeCommandsTest, RemovingTheLastVolumeOfAWave)
{
    const QString before = Dump();
    // Only the wave's last volume can go.
    left.SelectVolumeItem(2, 0);
    EXPECT_FALSE(actions.Execute(ID_VOLUME_REMOVE));
    left.SelectVolumeItem(3, 0);
    EXPECT_TRUE(actions.Execute(ID_VOLUME_REMOVE));
    EXPECT_EQ(windows.Prompts,
              QStringList({"Are you sure you want to remove this volume from the campaign?"}));
    EXPECT_EQ(Campaign().FindVolume(3), nullptr);
    EXPECT_EQ(CurrentKind(), TREE_KIND_WAVE);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_NE(app.GetCommandHistory().GetUndoTopSnapshot(), nullptr);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(CurrentKind(), TREE_KIND_VOLUME);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(bottom.GetShownVolumeId(), 3);
    EXPECT_EQ(windows.Restored.size(), 1u);
}

TEST_F(TreeCommandsTest, UnreconcilingAVolumeKeepsItSelectedThroughUndoAndRedo)
{
    const QString before = Dump();
    left.SelectVolumeItem(4, 0);
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(actions.Execute(ID_VOLUME_UNRECONCILE));
    EXPECT_EQ(Campaign().FindVolume(4)->GetStatus(), VOLUME_RECONCILED);
    EXPECT_TRUE(actions.Execute(ID_VOLUME_UNRECONCILE));
    EXPECT_EQ(windows.Prompts.size(), 2);
    // The question says what unreconciling does, to this volume.
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("Warning: every matching of this volume will be removed, manual "
                             "matchings included, and so will the campaign questions and "
                             "responses that first appeared in it and that no other volume "
                             "matches.\n\nAre you sure you wish to unreconcile this volume?"));
    EXPECT_EQ(Campaign().FindVolume(4)->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_EQ(CurrentId(), 4);
    EXPECT_EQ(bottom.GetShownVolumeId(), 4);
    // An unreconciled volume cannot be unreconciled again.
    EXPECT_FALSE(actions.Execute(ID_VOLUME_UNRECONCILE));

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(CurrentKind(), TREE_KIND_VOLUME);
    EXPECT_EQ(CurrentId(), 4);
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Campaign().FindVolume(4)->GetStatus(), VOLUME_UNRECONCILED);
}

TEST_F(TreeCommandsTest, ShowingAWavesReconciliationAndApplyingItsOrder)
{
    left.SelectWaveItem(3, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_SHOW_RECONCILIATION));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(right.GetWaveId(), 3);

    const QString before = Dump();
    left.SelectWaveItem(2, 0);
    EXPECT_EQ(right.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_TRUE(actions.Execute(ID_WAVE_APPLY_QUESTION_ORDER));
    ASSERT_NE(dynamic_cast<CMetaOrderCampaignCmd*>(app.GetCommandHistory().GetUndoTopCommand()),
              nullptr);
    EXPECT_EQ(app.GetCommandHistory().GetUndoTopCommand()->GetName(),
              QStringLiteral("reorder questions"));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(right.GetWaveId(), 2);
    right.ShowCampaignQuestions();
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
}

TEST_F(TreeCommandsTest, OpenContainingFolderShowsTheCampaignsFolder)
{
    left.SelectCampaign(0);
    EXPECT_TRUE(actions.Execute(ID_CAMPAIGN_OPEN_FOLDER));
    EXPECT_EQ(windows.OpenedFolders, QStringList({QFileInfo(folder.path()).absoluteFilePath()}));
    // A campaign never saved has no folder.
    app.CreateCampaignObjects(nullptr, nullptr);
    left.ResetAfterLoad();
    EXPECT_FALSE(actions.Execute(ID_CAMPAIGN_OPEN_FOLDER));
    EXPECT_EQ(windows.OpenedFolders.size(), 1);
}

TEST_F(TreeCommandsTest, OpenVolumeStartsPelkoQuillOrSaysWhyNot)
{
    left.SelectVolumeItem(1, 0);
    QSettings().remove(kQuillKey);
    EXPECT_TRUE(actions.Execute(ID_VOLUME_OPEN_IN_QUILL));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].startsWith(
        QStringLiteral("Unable to find the path to the PelkoQuill executable.")));

    QSettings().setValue(
        kQuillKey,
        QStringLiteral("\"%1\" \"%1\"").arg(folder.filePath(QStringLiteral("no-quill"))));
    left.OnOpenVolume();
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_TRUE(windows.Prompts[1].startsWith(QStringLiteral("Unable to start PelkoQuill.")));
    EXPECT_TRUE(windows.Prompts[1].contains(QStringLiteral("Error code: ")));

    QSettings().setValue(kQuillKey, QStringLiteral("\"/bin/true\" \"%1\""));
    left.OnOpenVolume();
    EXPECT_EQ(windows.Prompts.size(), 2);
}

TEST_F(TreeCommandsTest, CommandsOfAnotherKindOfItemDoNothing)
{
    const QString before = Dump();
    left.SelectCampaign(0);
    for (const unsigned id :
         {ID_WAVE_REMOVE, ID_VOLUME_REMOVE, ID_VOLUME_UNRECONCILE, ID_WAVE_SHOW_RECONCILIATION,
          ID_WAVE_APPLY_QUESTION_ORDER, ID_VOLUME_OPEN_IN_QUILL, ID_WAVE_SHOW_SUMMARY,
          ID_VOLUME_ADD, ID_WAVE_RECONCILE, ID_WAVE_RECONCILE_UNMATCHED,
          ID_WAVE_REDO_RECONCILIATION})
        EXPECT_FALSE(actions.Execute(id)) << id;
    left.OnRemoveWave();
    left.OnRemoveVolume();
    left.OnUnreconcileVolume();
    left.OnOrderCampaign();
    left.OnOpenVolume();
    left.OnAddVolume();
    left.OnReconcileQuestions();
    left.OnReconcileUnmatched();
    left.OnReReconcile();
    // A volume has no wave to add.
    left.SelectVolumeItem(1, 0);
    EXPECT_FALSE(actions.Execute(ID_WAVE_ADD));
    left.OnAddWave();
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_TRUE(dialogs.Calls.isEmpty());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
}

TEST(NewWaveDates, ProposedFromTheReferenceWave)
{
    CWave reference;
    // Without a reference or its start and end nothing is proposed.
    for (const bool above : {false, true}) {
        const SNewWaveDlgValues none = ProposeNewWaveDates(nullptr, above);
        EXPECT_TRUE(none.Start.isNull() && none.MidPoint.isNull() && none.End.isNull());
        reference.SetWaveStart(Day(2025, 3, 1));
        const SNewWaveDlgValues noEnd = ProposeNewWaveDates(&reference, above);
        EXPECT_TRUE(noEnd.Start.isNull() && noEnd.MidPoint.isNull() && noEnd.End.isNull());
    }
    // 1 March to 1 April (31 days), mid-point 15 March.
    reference.SetWaveEnd(Day(2025, 4, 1));
    const SNewWaveDlgValues noMidPoint = ProposeNewWaveDates(&reference, false);
    EXPECT_EQ(noMidPoint.Start, Day(2025, 4, 2));
    EXPECT_TRUE(noMidPoint.MidPoint.isNull());
    reference.SetWaveMidpoint(Day(2025, 3, 15));
    const SNewWaveDlgValues after = ProposeNewWaveDates(&reference, false);
    EXPECT_EQ(after.Start, Day(2025, 4, 2));
    EXPECT_EQ(after.End, Day(2025, 5, 3));
    EXPECT_EQ(after.MidPoint, Day(2025, 4, 16));
    // Above: the same span ending the day before the reference starts.
    const SNewWaveDlgValues above = ProposeNewWaveDates(&reference, true);
    EXPECT_EQ(above.End, Day(2025, 2, 28));
    EXPECT_EQ(above.Start, Day(2025, 1, 28));
    EXPECT_EQ(above.MidPoint, Day(2025, 2, 11));
}

TEST(NewVolumeProperties, TakenFromTheWizard)
{
    SNewVolumeWizardResult wizard;
    wizard.Name = QStringLiteral("Phone");
    wizard.SourceType = 2;
    wizard.PathFormat = PATH_UNC;
    wizard.QuestionSource = QStringLiteral("/data/wave2.sss");
    wizard.InterviewSource = wizard.QuestionSource;
    wizard.AncestorVolumeId = 7;
    wizard.QuestionMethods = {3, 1};
    wizard.ResponseMethods = {0};
    wizard.Strict = true;
    wizard.CaseSensitive = true;
    wizard.MatchUsingParentValues = true;
    SNewVolumeProperties properties = MakeNewVolumeProperties(wizard);
    EXPECT_EQ(properties.ParentVolumeId, 7);
    EXPECT_EQ(properties.SourceType, 2);
    EXPECT_TRUE(properties.IsMatchingStrict);
    EXPECT_EQ(properties.QuestionMatchingMethods, (QList<quint32>{3, 1}));
    EXPECT_EQ(properties.ResponseMatchingMethods, (QList<quint32>{0}));
    EXPECT_TRUE(properties.CaseSensitiveMatching);
    EXPECT_TRUE(properties.MatchUsingAncestorValues);
    const CSourcePath file{0, PATH_UNC, QStringLiteral("/data/wave2.sss"), 0};
    EXPECT_EQ(properties.MetaData, file);
    EXPECT_EQ(properties.CaseData, file);
    // Interviews by order with the main volume.
    EXPECT_EQ(properties.InterviewMergeMethod, 0);

    // Interviews in a database, lined up by a common question; a relative path made absolute.
    wizard.QuestionSource = QStringLiteral("wave2.sss");
    wizard.InterviewsWithQuestions = false;
    wizard.InterviewsFromDatabase = true;
    wizard.InterviewSource = QStringLiteral("SQLITE;Database=x");
    wizard.SurveyId = 12;
    wizard.AlignmentKind = 1;
    wizard.MainVolumeQuestion = -40;
    wizard.CommonQuestionCode = QStringLiteral("41");
    properties = MakeNewVolumeProperties(wizard);
    EXPECT_EQ(properties.MetaData.SourceString, QDir::current().absoluteFilePath("wave2.sss"));
    EXPECT_EQ(properties.CaseData, (CSourcePath{1, PATH_UNC, "SQLITE;Database=x", 12}));
    EXPECT_EQ(properties.InterviewMergeMethod, 2);
    EXPECT_EQ(properties.MainVolumeLinkQuestionId, -40);
    EXPECT_EQ(properties.ThisVolumeLinkQuestionId, QStringLiteral("41"));

    // Interviews in a file of their own.
    wizard.InterviewsFromDatabase = false;
    wizard.InterviewSource = QStringLiteral("/data/wave2.sav");
    properties = MakeNewVolumeProperties(wizard);
    EXPECT_EQ(properties.CaseData, (CSourcePath{0, PATH_UNC, "/data/wave2.sav", 0}));
}

TEST_F(TreeCommandsTest, CancelledDialogsIssueNothing)
{
    const QString before = Dump();
    left.SelectCampaign(0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_ADD));
    left.SelectWaveItem(2, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_ADD));
    EXPECT_TRUE(actions.Execute(ID_VOLUME_ADD));
    EXPECT_TRUE(actions.Execute(ID_WAVE_REDO_RECONCILIATION));
    // The caption-library question cancelled, then the library dialog cancelled.
    windows.QueueAnswers({IDCANCEL, IDYES});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE_UNMATCHED));
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE_UNMATCHED));
    EXPECT_EQ(dialogs.Calls, QStringList({"NewWaveDlg", "NewWaveDlg", "NewVolumeWizard",
                                          "ReReconciliationOptionsDlg", "CaptionLibraryDlg"}));
    // Every dialog ran in the application's modal state, and it ended with each.
    EXPECT_EQ(std::count(dialogs.CalledModal.begin(), dialogs.CalledModal.end(), true), 5);
    EXPECT_FALSE(app.IsModalState());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_FALSE(app.IsModified());
}

TEST_F(TreeCommandsTest, AddingAWaveAtTheEndSelectsIt)
{
    const QString before = Dump();
    left.SelectCampaign(0);
    dialogs.QueueResults({IDOK});
    dialogs.NewWaveAnswer.Name = QStringLiteral("Winter");
    dialogs.NewWaveAnswer.Start = Day(2025, 12, 2);
    dialogs.NewWaveAnswer.MidPoint = Day(2025, 12, 16);
    dialogs.NewWaveAnswer.End = Day(2026, 1, 1);
    EXPECT_TRUE(actions.Execute(ID_WAVE_ADD));
    // Proposed after the last wave (1 November to 1 December, mid-point 15 November).
    ExpectProposedDates(Day(2025, 12, 2), Day(2025, 12, 16), Day(2026, 1, 1));

    ASSERT_EQ(Campaign().GetWaveCount(), 4);
    const CWave* winter = Campaign().GetWave(3);
    EXPECT_EQ(winter->GetName(), QStringLiteral("Winter"));
    EXPECT_EQ(winter->GetWaveMidpoint(), dialogs.NewWaveAnswer.MidPoint);
    const int winterId = winter->GetWaveId();
    EXPECT_EQ(CurrentKind(), TREE_KIND_WAVE);
    EXPECT_EQ(CurrentId(), winterId);
    // The panes show the new wave, not the campaign as it was before.
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownWave);
    EXPECT_EQ(bottom.GetShownWaveId(), winterId);
    EXPECT_EQ(right.GetWaveId(), winterId);
    EXPECT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(History().GetUndoTopSnapshot(), nullptr);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(CurrentKind(), TREE_KIND_CAMPAIGN);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownCampaign);
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(CurrentId(), winterId);
    EXPECT_EQ(bottom.GetShownWaveId(), winterId);

    // A volume for the new, empty wave is proposed the last volume's matching settings.
    left.SelectWaveItem(winterId, 0);
    EXPECT_TRUE(actions.Execute(ID_VOLUME_ADD));
    ASSERT_EQ(dialogs.NewVolumeInputs.size(), 1u);
    EXPECT_EQ(dialogs.NewVolumeInputs[0].Wave, Campaign().FindWave(winterId));
    EXPECT_EQ(dialogs.NewVolumeInputs[0].QuestionMethods, (QList<quint32>{1, 2, 3}));
    EXPECT_EQ(dialogs.NewVolumeInputs[0].ResponseMethods, (QList<quint32>{2, 1}));
}

TEST_F(TreeCommandsTest, AddingAWaveAboveAnotherInvalidatesTheWavesFromThere)
{
    CCampaignDiffsCache& cache = FilledCache();
    const QString before = Dump();
    left.SelectWaveItem(2, 0);
    dialogs.QueueResults({IDOK});
    dialogs.NewWaveAnswer.Name = QStringLiteral("Early summer");
    EXPECT_TRUE(actions.Execute(ID_WAVE_ADD));
    // Proposed before wave 2 (1 July to 1 August, mid-point 15 July).
    ExpectProposedDates(Day(2025, 5, 30), Day(2025, 6, 13), Day(2025, 6, 30));

    ASSERT_EQ(Campaign().GetWaveCount(), 4);
    const int newId = Campaign().GetWave(1)->GetWaveId();
    EXPECT_EQ(Campaign().GetWave(1)->GetName(), QStringLiteral("Early summer"));
    EXPECT_EQ(Campaign().GetWave(2)->GetWaveId(), 2);
    EXPECT_EQ(CurrentId(), newId);
    EXPECT_FALSE(cache.GetWaveEntry(1, false)->IsWholeWaveInvalid());
    EXPECT_TRUE(cache.GetWaveEntry(2, false)->IsWholeWaveInvalid());
    EXPECT_TRUE(cache.GetWaveEntry(3, false)->IsWholeWaveInvalid());

    cache.GetWaveEntry(2, false)->SetWholeWaveInvalid(false);
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    // The wave it stood above is selected again, its differences stale.
    EXPECT_EQ(CurrentKind(), TREE_KIND_WAVE);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(bottom.GetShownWaveId(), 2);
    EXPECT_TRUE(cache.GetWaveEntry(2, false)->IsWholeWaveInvalid());
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(CurrentId(), newId);
}

TEST_F(TreeCommandsTest, AddingAVolumeIsOneStepThatRecordsItsSourceForCopying)
{
    const QString before = Dump();
    const int undoBefore = History().GetUndoCount();
    left.SelectWaveItem(3, 0);
    dialogs.QueueResults({ID_WIZFINISH});
    dialogs.NewVolumeAnswer.Name = QStringLiteral("Phone");
    dialogs.NewVolumeAnswer.QuestionSource = Sample("wave3.zoz");
    dialogs.NewVolumeAnswer.InterviewSource = Sample("wave3.zoz");
    dialogs.NewVolumeAnswer.PathFormat = PATH_RELATIVE;
    dialogs.NewVolumeAnswer.AncestorVolumeId = 4;
    dialogs.NewVolumeAnswer.QuestionMethods = {2, 1};
    dialogs.NewVolumeAnswer.ResponseMethods = {1};
    dialogs.NewVolumeAnswer.CopyQuestionSource = true;
    // Interviews with the questions: the interview copy is the question source's own.
    dialogs.NewVolumeAnswer.CopyInterviewSource = true;
    EXPECT_TRUE(actions.Execute(ID_VOLUME_ADD));

    // The wizard was given the wave and its last volume's matching settings.
    ASSERT_EQ(dialogs.NewVolumeInputs.size(), 1u);
    EXPECT_EQ(dialogs.NewVolumeInputs[0].Campaign, &Campaign());
    EXPECT_EQ(dialogs.NewVolumeInputs[0].Wave, Campaign().FindWave(3));
    EXPECT_EQ(dialogs.NewVolumeInputs[0].QuestionMethods, (QList<quint32>{1, 2, 3}));

    const CVolume* phone = Campaign().FindVolume(5);
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(Campaign().FindWaveByVolume(5)->GetWaveId(), 3);
    EXPECT_EQ(phone->GetName(), QStringLiteral("Phone"));
    EXPECT_EQ(phone->GetInheritsFromVolumeId(), 4);
    EXPECT_EQ(phone->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_EQ(phone->GetQuestionMatchingMethods(), (QList<quint32>{2, 1}));
    EXPECT_EQ(phone->GetMetaData(), (CSourcePath{0, PATH_RELATIVE, Sample("wave3.zoz"), 0}));
    EXPECT_EQ(phone->GetCaseData(), phone->GetMetaData());
    EXPECT_EQ(app.GetPendingQuestionSourceCopies(), std::set<int>({5}));
    EXPECT_TRUE(app.GetPendingInterviewSourceCopies().empty());
    // Two place holders, the volume and its analysis item, named as one step.
    EXPECT_EQ(History().GetUndoCount(), undoBefore + 4);
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("new volume"));
    EXPECT_EQ(CurrentKind(), TREE_KIND_VOLUME);
    EXPECT_EQ(CurrentId(), 5);
    EXPECT_EQ(bottom.GetShownVolumeId(), 5);
    EXPECT_TRUE(left.GetModel()->FindItem(TREE_KIND_VOLUME, 5).isValid());

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(History().GetUndoCount(), undoBefore);
    EXPECT_FALSE(left.GetModel()->FindItem(TREE_KIND_VOLUME, 5).isValid());
    EXPECT_EQ(CurrentKind(), TREE_KIND_WAVE);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownWave);
    EXPECT_EQ(bottom.GetShownWaveId(), 3);

    ASSERT_TRUE(app.Redo());
    EXPECT_NE(Campaign().FindVolume(5), nullptr);
    EXPECT_EQ(CurrentKind(), TREE_KIND_VOLUME);
    EXPECT_EQ(CurrentId(), 5);
    EXPECT_EQ(History().GetRedoCount(), 0);
}

TEST_F(TreeCommandsTest, AFailingStepOfAddingAVolumeTakesBackOnlyWhatItRecorded)
{
    // The user's earlier step.
    left.SelectVolumeItem(4, 0);
    EXPECT_TRUE(actions.Execute(ID_VOLUME_UNRECONCILE));
    CCmdVirtual* earlier = History().GetUndoTopCommand();
    ASSERT_NE(dynamic_cast<CCmdUnreconcileVolume*>(earlier), nullptr);
    const int undoCount = History().GetUndoCount();
    const QString afterEarlier = Dump();
    windows.Prompts.clear();

    left.FailAnalysis = true;
    AddVolume(3, QStringLiteral("Phone"), Sample("wave3.zoz"));
    EXPECT_EQ(windows.Prompts, QStringList({"The analysis question could not be made."}));
    EXPECT_EQ(History().GetUndoCount(), undoCount);
    EXPECT_EQ(History().GetUndoTopCommand(), earlier);
    EXPECT_EQ(History().GetRedoCount(), 0);
    EXPECT_TRUE(SameDump(Dump(), afterEarlier));
    EXPECT_EQ(Campaign().FindVolume(5), nullptr);
    EXPECT_FALSE(left.GetModel()->FindItem(TREE_KIND_VOLUME, 5).isValid());
    EXPECT_TRUE(app.GetPendingQuestionSourceCopies().empty());
    EXPECT_TRUE(app.IsModified());

    // Undo takes back the earlier step, not a part of the failed one.
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Campaign().FindVolume(4)->GetStatus(), VOLUME_RECONCILED);
    EXPECT_EQ(History().GetUndoCount(), undoCount - 1);
}

TEST_F(TreeCommandsTest, RedoReconciliationRunsWithTheOptionsChosen)
{
    CCampaignDiffsCache& cache = FilledCache();
    const QString before = Dump();
    left.SelectWaveItem(2, 0);
    dialogs.QueueResults({IDOK});
    dialogs.ReReconciliationAnswer = {true, true};
    EXPECT_TRUE(actions.Execute(ID_WAVE_REDO_RECONCILIATION));
    ASSERT_NE(dynamic_cast<CMetaReReconcileWaveCmd*>(History().GetUndoTopCommand()), nullptr);
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("re-reconcile wave"));
    EXPECT_NE(History().GetUndoTopSnapshot(), nullptr);
    ASSERT_NE(TopReconciliation(), nullptr);
    EXPECT_TRUE(TopReconciliation()->GetOptions().UseCaptionLibraries);
    EXPECT_FALSE(TopReconciliation()->GetOptions().ReconcileUnmatchedOnly);
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(right.GetWaveId(), 2);
    EXPECT_TRUE(std::any_of(windows.Reports.begin(), windows.Reports.end(), [](const auto& report) {
        return report.Kind == REPORT_RECONCILIATION;
    }));
    // Wave 2 and the waves after it have stale differences, wave 1 not.
    EXPECT_FALSE(cache.GetWaveEntry(1, false)->IsWholeWaveInvalid());
    EXPECT_TRUE(cache.GetWaveEntry(3, false)->IsWholeWaveInvalid());

    right.ShowCampaignQuestions();
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    ASSERT_TRUE(app.Redo());
    EXPECT_TRUE(cache.GetWaveEntry(1, false)->IsWholeWaveInvalid());
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
}

TEST_F(TreeCommandsTest, ReconcileUnmatchedOnlyOnAReconciledWave)
{
    left.SelectWaveItem(3, 0);
    // Every volume is reconciled: there is nothing to reconcile whole.
    EXPECT_FALSE(actions.Execute(ID_WAVE_RECONCILE));
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE_UNMATCHED));
    EXPECT_EQ(windows.Prompts.value(0),
              QStringLiteral("Do you want to apply a caption library during reconciliation?"));
    EXPECT_EQ(windows.PromptTypes.at(0), unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(dialogs.Calls.isEmpty());
    ASSERT_NE(TopReconciliation(), nullptr);
    EXPECT_TRUE(TopReconciliation()->GetOptions().ReconcileUnmatchedOnly);
    EXPECT_FALSE(TopReconciliation()->GetOptions().UseCaptionLibraries);
    EXPECT_TRUE(TopReconciliation()->GetOptions().Interactive);
    EXPECT_EQ(History().GetUndoTopSnapshot(), nullptr);
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(right.GetWaveId(), 3);
}

// The commands from an empty campaign: waves and volumes added through the dialogs, then
// reconciled.
class TreeCommandsFromEmptyTest : public TreeCommandsBase
{
};

const QString kLibraryQuestion =
    QStringLiteral("Do you want to apply a caption library during reconciliation?");

TEST_F(TreeCommandsFromEmptyTest, ReconcilingShowsTheReportAndTheReconciliationPage)
{
    const int spring = AddWave(QStringLiteral("Spring"));
    const int online = AddVolume(spring, QStringLiteral("Online"), Sample("wave1.zoz"));
    // Only the analysis question so far: no caption-library question.
    EXPECT_EQ(Campaign().GetQuestionCount(), 1);
    const QString before = Dump();
    left.SelectWaveItem(spring, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    EXPECT_FALSE(windows.Prompts.contains(kLibraryQuestion));
    EXPECT_FALSE(dialogs.Calls.contains(QStringLiteral("CaptionLibraryDlg")));
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("reconcile wave"));
    EXPECT_EQ(Campaign().GetWave(0)->GetVolume(0)->GetStatus(), VOLUME_RECONCILED);
    ASSERT_EQ(windows.Reports.size(), 1u);
    EXPECT_EQ(windows.Reports[0].Kind, REPORT_RECONCILIATION);
    EXPECT_EQ(windows.Reports[0].Title,
              QStringLiteral("Reconciliation Report for Wave \"Spring\""));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(right.GetWaveId(), spring);

    // The property pane follows the volume's status through Undo and Redo.
    left.SelectVolumeItem(online, 0);
    EXPECT_EQ(pane_test::ShownText(bottom, CBottomView::VolumeStatus),
              QStringLiteral("Reconciled"));
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(right.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_EQ(right.GetWaveId(), spring);
    EXPECT_EQ(pane_test::ShownText(bottom, CBottomView::VolumeStatus),
              QStringLiteral("Unreconciled"));
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(right.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(pane_test::ShownText(bottom, CBottomView::VolumeStatus),
              QStringLiteral("Reconciled"));
    // Redo shows no report again.
    EXPECT_EQ(windows.Reports.size(), 1u);
}

TEST_F(TreeCommandsFromEmptyTest, TheCaptionLibraryQuestionAndDialog)
{
    const int spring = AddWave(QStringLiteral("Spring"));
    const int online = AddVolume(spring, QStringLiteral("Online"), Sample("wave1.zoz"));
    left.SelectWaveItem(spring, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    const int summer = AddWave(QStringLiteral("Summer"));
    AddVolume(summer, QStringLiteral("Online"), Sample("wave2.zoz"), {1, 2, 3}, online);
    const int undoCount = History().GetUndoCount();
    windows.Prompts.clear();
    dialogs.Calls.clear();
    left.SelectWaveItem(summer, 0);

    // Cancel, then Yes with the library dialog cancelled: nothing runs.
    windows.QueueAnswers({IDCANCEL, IDYES});
    dialogs.QueueResults({IDCANCEL});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    EXPECT_EQ(windows.Prompts, QStringList({kLibraryQuestion, kLibraryQuestion}));
    ASSERT_EQ(dialogs.CaptionLibraryRequests.size(), 1u);
    EXPECT_EQ(dialogs.CaptionLibraryRequests[0].Mode, CAPTION_LIBRARY_RECONCILE);
    EXPECT_TRUE(dialogs.CalledModal.back());
    EXPECT_EQ(History().GetUndoCount(), undoCount);

    // Yes and the library dialog's Reconcile: the libraries are applied.
    windows.QueueAnswers({IDYES});
    dialogs.QueueResults({IDOK});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    ASSERT_NE(TopReconciliation(), nullptr);
    EXPECT_TRUE(TopReconciliation()->GetOptions().UseCaptionLibraries);
    EXPECT_EQ(Campaign().FindWave(summer)->GetVolume(0)->GetStatus(), VOLUME_RECONCILED);

    // No: reconciled without them, and no dialog.
    ASSERT_TRUE(app.Undo());
    dialogs.Calls.clear();
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    EXPECT_TRUE(dialogs.Calls.isEmpty());
    ASSERT_NE(TopReconciliation(), nullptr);
    EXPECT_FALSE(TopReconciliation()->GetOptions().UseCaptionLibraries);
}

TEST_F(TreeCommandsFromEmptyTest, OpenQuestionsThatMayBeNumericOnesGetTheirReport)
{
    // Matched by internal codes only: the open "age" of wave 2 (code 2) does not match the
    // numeric AGE of wave 1 (code 1).
    const int spring = AddWave(QStringLiteral("Spring"));
    const int first = AddVolume(spring, QStringLiteral("First"), Fixture("age-numeric.zoz"), {0});
    left.SelectWaveItem(spring, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    ASSERT_EQ(windows.Reports.size(), 1u);
    const int autumn = AddWave(QStringLiteral("Autumn"));
    AddVolume(autumn, QStringLiteral("Second"), Fixture("age-open.zoz"), {0}, first);
    left.SelectWaveItem(autumn, 0);
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    ASSERT_EQ(windows.Reports.size(), 3u);
    EXPECT_EQ(windows.Reports[1].Kind, REPORT_RECONCILIATION);
    EXPECT_EQ(windows.Reports[2].Kind, REPORT_OPEN_NUMERIC);
    EXPECT_TRUE(windows.Reports[2].Html.contains(QStringLiteral("AGE")));
}

TEST_F(TreeCommandsFromEmptyTest, AReconciliationThatStopsSaysWhyOnce)
{
    const QString source = folder.filePath(QStringLiteral("spring.zoz"));
    ASSERT_TRUE(QFile::copy(Sample("wave1.zoz"), source));
    const int spring = AddWave(QStringLiteral("Spring"));
    AddVolume(spring, QStringLiteral("Online"), source);
    const QString before = Dump();
    const int steps = History().GetUndoCount();
    // The source goes missing before the reconciliation reads it.
    ASSERT_TRUE(QFile::remove(source));
    left.SelectWaveItem(spring, 0);
    EXPECT_TRUE(actions.Execute(ID_WAVE_RECONCILE));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(source)) << qPrintable(windows.Prompts[0]);
    EXPECT_EQ(History().GetUndoCount(), steps);
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_TRUE(windows.Reports.empty());
}
