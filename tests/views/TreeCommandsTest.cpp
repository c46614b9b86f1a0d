#include "ViewTestSupport.h"

#include "commands/MetaCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/SampleCampaign.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightView.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

using namespace pelko_wave;

namespace {

const QString kQuillKey = QStringLiteral("Applications/QuillU.exe/shell/open/command");

} // namespace

// The commands of the campaign tree's context menu on the sample campaign (saved, so that its
// folder exists): wave 1 "Spring" (volume 1), wave 2 "Summer" (volumes 2 and 3), wave 3
// "Autumn" (volume 4), all reconciled. The commands run as the context menu runs them, through
// the shared actions.
class TreeCommandsTest : public ::testing::Test
{
protected:
    TreeCommandsTest() : left(&actions)
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        QString error;
        EXPECT_TRUE(sample_campaign::BuildSampleCampaign(
            app, folder.filePath(QStringLiteral("sample.duv")), error))
            << qPrintable(error);
        left.SetPanes(&right, &bottom);
        left.ResetAfterLoad();
        windows.Prompts.clear();
    }
    ~TreeCommandsTest() override { QSettings().remove(kQuillKey); }

    CCampaign& Campaign() { return *app.GetCampaign(); }
    QString Dump() { return DumpCampaign(Campaign()); }
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

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
    CCommandActions actions;
    CRightView right;
    CBottomView bottom;
    CLeftView left;
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
    EXPECT_TRUE(windows.Prompts[0].startsWith(
        QStringLiteral("Warning: any manual matching you have done for this wave will be lost!")));
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
          ID_WAVE_APPLY_QUESTION_ORDER, ID_VOLUME_OPEN_IN_QUILL, ID_WAVE_SHOW_SUMMARY})
        EXPECT_FALSE(actions.Execute(id)) << id;
    left.OnRemoveWave();
    left.OnRemoveVolume();
    left.OnUnreconcileVolume();
    left.OnOrderCampaign();
    left.OnOpenVolume();
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
}
