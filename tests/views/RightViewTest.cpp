#include "ViewTestSupport.h"

#include "app/OptionsProfile.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "views/BottomView.h"
#include "views/LeftView.h"
#include "views/ReconciliationPage.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QStackedWidget>

using namespace pelko_wave;
using namespace view_test;

namespace {

// A reconciliation page that records what the host asks of it.
class CFakeReconPage : public IReconciliationPage
{
public:
    QWidget* GetWindow() override { return Window.get(); }
    void ShowWave(int waveId) override { Calls << QStringLiteral("show %1").arg(waveId); }
    void ForgetWave() override { Calls << QStringLiteral("forget"); }
    int GetCurrentQuestionId() const override { return 17; }
    int GetFocusedModalityId() const override { return 170; }
    void SelectQuestion(int questionId) override
    {
        Calls << QStringLiteral("select %1").arg(questionId);
    }
    void RefreshQuestionGrid() override { Calls << QStringLiteral("refresh question grid"); }
    void RefillFromFocusedQuestion() override { Calls << QStringLiteral("refill"); }
    void ReloadWave() override { Calls << QStringLiteral("reload"); }
    int GetQuestionGridHeight() const override { return 123; }
    void SetQuestionGridHeight(int height) override { GridHeight = height; }
    void OnCommand(unsigned id) override { Calls << QStringLiteral("command %1").arg(id); }
    void OnUpdateCommand(CCmdUI& ui) override { ui.Enable(ui.m_nID == 32799); }
    void SetCommandStateListener(std::function<void()> listener) override
    {
        Listener = std::move(listener);
    }

    std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
    QStringList Calls;
    int GridHeight = 0;
    std::function<void()> Listener;
};

void ClearLayoutSection()
{
    OpenUserProfile()->remove(QStringLiteral("Layout"));
}

} // namespace

class RightViewTest : public CViewTest
{
protected:
    RightViewTest() { ClearLayoutSection(); }

    bool Enabled(unsigned id)
    {
        actions.Update(id);
        return actions.Action(id)->isEnabled();
    }

    CCommandActions actions;
    CRightView view{&actions};
};

TEST_F(RightViewTest, LayoutKeysDefaultToMinusOneAndSavedSizesComeBack)
{
    CLeftView left;
    CBottomView bottom;
    int width = 0;
    int height = 0;
    for (CViewLayout* pane : std::initializer_list<CViewLayout*>{&left, &view, &bottom}) {
        width = height = 0;
        pane->ReadLayout(width, height);
        EXPECT_EQ(width, -1);
        EXPECT_EQ(height, -1);
    }

    left.resize(210, 480);
    view.resize(600, 300);
    bottom.resize(600, 180);
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    // The frame saves left, right and bottom before its window goes.
    left.SaveLayout();
    view.SaveLayout();
    bottom.SaveLayout();

    left.ReadLayout(width, height);
    EXPECT_EQ(width, 210);
    EXPECT_EQ(height, 480);
    view.ReadLayout(width, height);
    EXPECT_EQ(width, 600);
    EXPECT_EQ(height, 300);
    bottom.ReadLayout(width, height);
    EXPECT_EQ(width, 600);
    EXPECT_EQ(height, 180);

    // Applying hands the stored question-grid height to the reconciliation page.
    view.ApplyLayout();
    EXPECT_EQ(recon.GridHeight, 123);
    EXPECT_EQ(view.GetShownPage(), CRightView::PageQuestionTree);
}

TEST_F(RightViewTest, ApplyingWithoutAStoredGridHeightHandsMinusOne)
{
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    view.ApplyLayout();
    EXPECT_EQ(recon.GridHeight, -1);
}

TEST_F(RightViewTest, PagesAndTheirQueries)
{
    auto* stack = view.findChild<QStackedWidget*>();
    ASSERT_NE(stack, nullptr);
    // The host starts on the campaign's questions.
    EXPECT_EQ(view.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_EQ(stack->currentWidget(), view.GetTreePage());

    view.ShowPage(CRightView::PageNone);
    EXPECT_EQ(stack->currentIndex(), CRightView::PageNone);
    EXPECT_EQ(view.GetCurrentQuestionId(), -1);
    EXPECT_EQ(view.GetFocusedModalityId(), -1);

    // Without the reconciliation page the page shows empty and answers nothing.
    view.ShowReconciliation(3);
    EXPECT_EQ(view.GetShownPage(), CRightView::PageReconciliation);
    EXPECT_EQ(view.GetWaveId(), 3);
    EXPECT_EQ(view.GetCurrentQuestionId(), -1);

    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    EXPECT_EQ(stack->currentWidget(), recon.Window.get());
    view.ShowReconciliation(4);
    EXPECT_EQ(view.GetCurrentQuestionId(), 17);
    EXPECT_EQ(view.GetFocusedModalityId(), 170);
    view.SelectReconQuestion(5);
    view.RefreshReconciliationGrids();
    view.ReloadReconciliation();
    view.RefreshReconQuestionGrid();
    EXPECT_EQ(recon.Calls,
              QStringList({"show 4", "select 5", "refill", "reload", "refresh question grid"}));

    // On another page only the question grid's refresh reaches the page.
    recon.Calls.clear();
    view.ShowCampaignQuestions();
    EXPECT_EQ(view.GetCurrentQuestionId(), -1);
    EXPECT_EQ(view.GetFocusedModalityId(), -1);
    view.SelectReconQuestion(5);
    view.RefreshReconciliationGrids();
    view.ReloadReconciliation();
    view.RefreshReconQuestionGrid();
    EXPECT_EQ(recon.Calls, QStringList({"refresh question grid"}));
}

TEST_F(RightViewTest, QuestionsOfAWaveOrVolumeNeedAnId)
{
    CWave* wave = AddWave(Campaign(), 2, QStringLiteral("Spring"));
    AddVolume(Campaign(), *wave, 5, QStringLiteral("Online"), VOLUME_RECONCILED);
    view.ShowPage(CRightView::PageNone);
    view.ShowWaveQuestions(0);
    EXPECT_EQ(view.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_EQ(view.GetWaveId(), -1);
    EXPECT_EQ(view.GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);
    view.ShowVolumeQuestions(-1);
    EXPECT_EQ(view.GetVolumeId(), -1);
    EXPECT_EQ(view.GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);

    view.ShowWaveQuestions(2);
    EXPECT_EQ(view.GetWaveId(), 2);
    EXPECT_EQ(view.GetTreePage()->GetMode(), CRightTreePage::ModeWave);
    view.ShowVolumeQuestions(5);
    EXPECT_EQ(view.GetVolumeId(), 5);
    EXPECT_EQ(view.GetTreePage()->GetMode(), CRightTreePage::ModeVolume);
}

TEST_F(RightViewTest, ForwardedCommandsAreDisabledUntilThePageHasItsWindow)
{
    AddWave(Campaign(), 4, QStringLiteral("Spring"));
    for (unsigned id : CRightView::kForwardedCommands)
        EXPECT_FALSE(Enabled(id)) << id;

    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    view.ShowReconciliation(4);
    // The page-enabled commands follow the page's own update (it enables 32799 only), the
    // others are enabled while the window exists.
    for (unsigned id : CRightView::kForwardedCommands) {
        const bool pageEnabled = std::ranges::find(CRightView::kPageEnabledCommands, id) !=
                                 std::end(CRightView::kPageEnabledCommands);
        EXPECT_EQ(Enabled(id), pageEnabled ? id == 32799 : true) << id;
    }

    // A page without its window disables them all again.
    recon.Window.reset();
    for (unsigned id : CRightView::kForwardedCommands)
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(RightViewTest, ForwardedCommandsRunThePagesHandler)
{
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    view.ShowReconciliation(4);
    recon.Calls.clear();
    EXPECT_TRUE(actions.Execute(32799));
    EXPECT_TRUE(actions.Execute(32805));
    EXPECT_FALSE(actions.Execute(32800)); // disabled by the page
    EXPECT_EQ(recon.Calls, QStringList({"command 32799", "command 32805"}));
}

TEST_F(RightViewTest, ThePagesCommandsAreDisabledWhileAnotherPageIsShown)
{
    AddWave(Campaign(), 4, QStringLiteral("Spring"));
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    view.ShowReconciliation(4);
    ASSERT_TRUE(Enabled(32799));
    ASSERT_TRUE(Enabled(32805));
    for (int shown : {CRightView::PageQuestionTree, CRightView::PageNone}) {
        view.ShowPage(shown);
        // Only Find Open Numeric Equivalents, the view's own, stays.
        for (unsigned id : CRightView::kForwardedCommands)
            EXPECT_EQ(Enabled(id), id == 32884) << shown << " " << id;
        recon.Calls.clear();
        EXPECT_FALSE(actions.Execute(32799));
        EXPECT_FALSE(actions.Execute(32805));
        EXPECT_TRUE(recon.Calls.isEmpty()) << shown;
    }
    view.ShowPage(CRightView::PageReconciliation);
    EXPECT_TRUE(Enabled(32799));
}

TEST_F(RightViewTest, NewAndOpenLeaveNoWaveAndAPageThatForgotItsWave)
{
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    view.ShowVolumeQuestions(5);
    view.ShowReconciliation(4);
    recon.Calls.clear();
    view.ResetAfterLoad();
    EXPECT_EQ(recon.Calls, QStringList({"forget"}));
    EXPECT_EQ(view.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_EQ(view.GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);
    EXPECT_EQ(view.GetWaveId(), -1);
    EXPECT_EQ(view.GetVolumeId(), -1);
}

TEST_F(RightViewTest, APageShownOrThePagesNewStateQueuesOneUpdatePass)
{
    auto page = std::make_unique<CFakeReconPage>();
    CFakeReconPage& recon = *page;
    view.SetReconciliationPage(std::move(page));
    QApplication::processEvents();
    const quint64 before = actions.GetUpdatePassCount();
    view.ShowReconciliation(4);
    const quint64 shown = actions.GetUpdatePassCount();
    ASSERT_TRUE(recon.Listener);
    for (int i = 0; i < 10; ++i)
        recon.Listener();
    view.ShowPage(CRightView::PageQuestionTree);
    EXPECT_EQ(actions.GetUpdatePassCount(), shown) << "queued, not run at once";
    QApplication::processEvents();
    EXPECT_EQ(actions.GetUpdatePassCount(), shown + 1);
    EXPECT_EQ(shown, before);
    // The pass disabled the page's commands of the page no longer shown.
    EXPECT_FALSE(actions.Action(32799)->isEnabled());
}

class FindOpenNumericTest : public RightViewTest
{
protected:
    FindOpenNumericTest()
    {
        CWave* first = AddWave(Campaign(), 1, QStringLiteral("Spring"));
        first1 = AddVolume(Campaign(), *first, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        CWave* second = AddWave(Campaign(), 2, QStringLiteral("Autumn"));
        second2 = AddVolume(Campaign(), *second, 2, QStringLiteral("Online"), VOLUME_RECONCILED);
        // A numeric question of wave 1.
        CQuestion* age = AddQuestion(Campaign(), 10, 1, 1, QStringLiteral("AGE"), 1, 5);
        age->SetAppearanceVolumeId(1);
        Match(*first1, 10);
    }

    CVolume* first1 = nullptr;
    CVolume* second2 = nullptr;
};

TEST_F(FindOpenNumericTest, WithoutAWaveNothingHappens)
{
    view.OnFindOpenNumericEquivalents();
    view.ShowReconciliation(99);
    view.OnFindOpenNumericEquivalents();
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_TRUE(windows.Reports.empty());
}

TEST_F(FindOpenNumericTest, TheCommandIsGreyedWhileNoWaveIsLoaded)
{
    view.SetReconciliationPage(std::make_unique<CFakeReconPage>());
    EXPECT_FALSE(Enabled(ID_FIND_OPEN_NUMERIC)) << "no wave yet";
    EXPECT_FALSE(actions.Execute(ID_FIND_OPEN_NUMERIC));

    view.ShowReconciliation(2);
    EXPECT_TRUE(Enabled(ID_FIND_OPEN_NUMERIC));
    EXPECT_TRUE(actions.Execute(ID_FIND_OPEN_NUMERIC));
    EXPECT_EQ(windows.Prompts.size(), 1) << "wave 2 has no pairs";

    // A wave the campaign does not have, New or Open, and a wave removed from the campaign.
    view.ShowReconciliation(99);
    EXPECT_FALSE(Enabled(ID_FIND_OPEN_NUMERIC));
    view.ShowWaveQuestions(1);
    EXPECT_TRUE(Enabled(ID_FIND_OPEN_NUMERIC)) << "the question tree's wave";
    view.ResetAfterLoad();
    EXPECT_FALSE(Enabled(ID_FIND_OPEN_NUMERIC));
    view.ShowReconciliation(2);
    ASSERT_TRUE(Enabled(ID_FIND_OPEN_NUMERIC));
    const std::unique_ptr<CWave> removed = Campaign().RemoveWave(2);
    EXPECT_FALSE(Enabled(ID_FIND_OPEN_NUMERIC));
    EXPECT_EQ(windows.Prompts.size(), 1);
}

TEST_F(FindOpenNumericTest, AWaveWithoutPairsSaysSo)
{
    view.ShowReconciliation(2);
    view.OnFindOpenNumericEquivalents();
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("No open-numeric equivalents were found for this wave."));
    EXPECT_EQ(windows.PromptTypes[0] & 0xF0, unsigned(MB_ICONINFORMATION));
    EXPECT_TRUE(windows.Reports.empty());
}

TEST_F(FindOpenNumericTest, PairsGoToAReportWindow)
{
    // Wave 2 read AGE as an open question and did not match the numeric one.
    CQuestion* ageText = AddQuestion(Campaign(), 11, 2, 1, QStringLiteral("age"), 1, 4);
    ageText->SetAppearanceVolumeId(2);
    Match(*second2, 11);
    view.ShowWaveQuestions(2);
    view.OnFindOpenNumericEquivalents();
    EXPECT_TRUE(windows.Prompts.isEmpty());
    ASSERT_EQ(windows.Reports.size(), 1u);
    EXPECT_EQ(windows.Reports[0].Kind, REPORT_OPEN_NUMERIC);
    EXPECT_TRUE(windows.Reports[0].Html.contains(QStringLiteral("AGE")));
}
