#include "ShellTestSupport.h"

#include "commands/CommandHistory.h"
#include "menus/CommandActions.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "shell/CampaignPanes.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "shell/ViewStates.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"

#include <QTreeView>

using namespace pelko_wave;

// The main window on the campaign views: the tree, the right-hand host and the property pane
// stand in the frame's splitters and answer the frame through the pane interface.
class CampaignPanesTest : public shell_test::CShellTest
{
protected:
    CampaignPanesTest()
    {
        m_shellApp = std::make_unique<CShellApp>(m_app, [this](CCommandActions& actions) {
            auto panes = std::make_unique<CCampaignPanes>(actions);
            m_panes = panes.get();
            return panes;
        });
        OpenCampaignAt(Path(QStringLiteral("study.duv")));
        EXPECT_TRUE(m_shellApp->ResetViewsAfterLoad());
    }
    ~CampaignPanesTest() override { m_shellApp.reset(); }

    CCampaign& Campaign() { return *m_app.GetCampaign(); }
    CLeftView& Left() { return *m_panes->GetLeftView(); }

    CCampaignPanes* m_panes = nullptr; // owned by the frame
    std::unique_ptr<CShellApp> m_shellApp;
};

TEST_F(CampaignPanesTest, TheViewsStandInTheMainWindowAndFollowTheTree)
{
    for (IShellPanes::EPane pane :
         {IShellPanes::LeftPane, IShellPanes::RightPane, IShellPanes::BottomPane})
        EXPECT_TRUE(m_shellApp->GetMainFrame()->isAncestorOf(m_panes->GetPaneWidget(pane)));
    // After the load: the campaign with its two waves, its questions on the right.
    EXPECT_EQ(Left().GetModel()->GetRecordCount(), 1 + 2 + 4);
    EXPECT_EQ(m_panes->GetShownPage(), IShellPanes::PageQuestionTree);
    EXPECT_EQ(m_panes->GetBottomValue(), CBottomView::ShownCampaign);
    EXPECT_EQ(m_panes->GetSelectedWaveId(), -1);

    const int wave = Campaign().GetWave(1)->GetWaveId();
    const int volume = Campaign().GetWave(1)->GetVolume(1)->GetVolumeId();
    m_panes->SelectVolume(volume);
    EXPECT_EQ(m_panes->GetSelectedVolumeId(), volume);
    EXPECT_EQ(m_panes->GetSelectedWaveId(), wave);
    EXPECT_EQ(m_panes->GetRightView()->GetTreePage()->GetMode(), CRightTreePage::ModeVolume);
    EXPECT_EQ(m_panes->GetBottomValue(), CBottomView::ShownVolume);

    // The snapshot of the panes records the selection, and the restore brings it back.
    const std::unique_ptr<CViewState> state = CaptureViewState(m_panes);
    EXPECT_EQ(state->WaveId, wave);
    EXPECT_EQ(state->VolumeId, volume);
    EXPECT_EQ(state->Page, CViewState::PageQuestionTree);
    EXPECT_EQ(state->BottomValue, CBottomView::ShownVolume);
    m_panes->SelectCampaign();
    EXPECT_EQ(m_panes->GetRightView()->GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);
    RestoreViewState(*m_panes, *state);
    EXPECT_EQ(m_panes->GetSelectedVolumeId(), volume);
    EXPECT_EQ(m_panes->GetRightView()->GetTreePage()->GetMode(), CRightTreePage::ModeVolume);

    // The reconciliation page is there; while it is not shown its queries answer none.
    EXPECT_TRUE(m_panes->IsReconciliationPageWindow());
    EXPECT_EQ(m_panes->GetReconciliationWaveId(), -1);
    EXPECT_EQ(m_panes->GetCurrentQuestionId(), -1);
}

TEST_F(CampaignPanesTest, PaneSizesGoToTheLayoutKeys)
{
    int width = 0, height = 0;
    m_panes->ReadLayout(IShellPanes::LeftPane, width, height);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
    m_panes->GetPaneWidget(IShellPanes::BottomPane)->resize(210, 90);
    m_panes->SaveLayout(IShellPanes::BottomPane);
    m_panes->ReadLayout(IShellPanes::BottomPane, width, height);
    EXPECT_EQ(width, 210);
    EXPECT_EQ(height, 90);
}

TEST_F(CampaignPanesTest, AContextMenuCommandRunsAsTheSameCommandOfTheMenuBar)
{
    m_panes->SelectCampaign();
    Q_EMIT Left().ContextCommand(ID_CAMPAIGN_OPEN_FOLDER);
    EXPECT_EQ(m_windows.OpenedFolders.size(), 1);
    // A command that the selected item's menu does not offer does nothing.
    Q_EMIT Left().ContextCommand(ID_WAVE_RECONCILE);
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
    EXPECT_EQ(m_app.GetCommandHistory().GetUndoCount(), 0);
}

TEST_F(CampaignPanesTest, TheTreesOwnCommandsRunFromItsContextMenuAndUndoThroughTheEditMenu)
{
    CCommandActions& actions = m_shellApp->GetActions();
    const int wave = Campaign().GetWave(0)->GetWaveId();
    m_panes->SelectWave(wave);
    m_windows.QueueAnswers({IDYES});
    Q_EMIT Left().ContextCommand(ID_WAVE_REMOVE);
    EXPECT_EQ(Campaign().FindWave(wave), nullptr);
    EXPECT_EQ(m_panes->GetBottomValue(), CBottomView::ShownCampaign);
    EXPECT_EQ(Left().GetModel()->GetRecordCount(), 1 + 1 + 2);

    EXPECT_TRUE(actions.Execute(ID_EDIT_UNDO));
    ASSERT_NE(Campaign().FindWave(wave), nullptr);
    EXPECT_EQ(m_panes->GetSelectedWaveId(), wave);
    EXPECT_EQ(m_panes->GetBottomValue(), CBottomView::ShownWave);
    EXPECT_EQ(m_panes->GetBottomView()->GetShownWaveId(), wave);
}

TEST_F(CampaignPanesTest, AStepOfTheQuestionTreeUndoesAndRedoesAfterThePanesWent)
{
    const int questions = Campaign().GetQuestionCount();
    CRightTreePage* page = m_panes->GetRightView()->GetTreePage();
    ASSERT_EQ(page->GetMode(), CRightTreePage::ModeCampaign);
    page->AddChapter();
    ASSERT_EQ(Campaign().GetQuestionCount(), questions + 1);
    ASSERT_TRUE(m_app.GetCommandHistory().CanUndo());

    // The window program, its panes with it, goes before the application and its history;
    // the page's callbacks then find no page.
    m_panes = nullptr;
    m_shellApp.reset();
    EXPECT_TRUE(m_app.Undo());
    EXPECT_EQ(Campaign().GetQuestionCount(), questions);
    EXPECT_TRUE(m_app.Redo());
    EXPECT_EQ(Campaign().GetQuestionCount(), questions + 1);
    EXPECT_TRUE(m_app.Undo());
    EXPECT_EQ(Campaign().GetQuestionCount(), questions);
}
