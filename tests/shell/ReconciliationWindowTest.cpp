#include "ShellTestSupport.h"

#include "menus/CommandActions.h"
#include "menus/NewToolBar.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/CommandIds.h"
#include "shell/CampaignPanes.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "support/views/SampleCampaign.h"
#include "views/LeftView.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/RightReconciliationPage.h"
#include "views/RightView.h"
#include "views/WaveGridCtrl.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <vector>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

// The reconciliation page in the program's main window: the campaign tree's "Show
// Reconciliation" shows it for the selected wave.
class ReconciliationWindowTest : public shell_test::CShellTest
{
protected:
    ReconciliationWindowTest()
    {
        m_app.CreateCampaignObjects(nullptr, nullptr);
        m_shellApp = std::make_unique<CShellApp>(m_app, [this](CCommandActions& actions) {
            auto panes = std::make_unique<CCampaignPanes>(actions);
            m_panes = panes.get();
            return panes;
        });
    }
    ~ReconciliationWindowTest() override { m_shellApp.reset(); }

    void ShowWindow()
    {
        EXPECT_TRUE(m_shellApp->ResetViewsAfterLoad());
        CMainFrame& frame = *m_shellApp->GetMainFrame();
        frame.resize(1280, 860);
        frame.show();
        QApplication::processEvents();
    }
    // Selects the wave in the tree and chooses "Show Reconciliation" in its menu.
    void ShowReconciliation(int waveId)
    {
        Left().SelectWaveItem(waveId, 0);
        Q_EMIT Left().ContextCommand(ID_WAVE_SHOW_RECONCILIATION);
        QApplication::processEvents();
    }

    CLeftView& Left() { return *m_panes->GetLeftView(); }
    CRightView& Right() { return *m_panes->GetRightView(); }
    Page& ReconPage() { return static_cast<Page&>(*Right().GetReconciliationPage()); }
    // The picture of the right-hand pane, and where a cell of a page grid lies in it.
    QPoint InRight(const CWaveGridCtrl& grid, int row, int col)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(row, col, rect));
        return grid.viewport()->mapTo(&Right(), rect.ToQRect().center());
    }

    CCampaignPanes* m_panes = nullptr; // owned by the frame
    std::unique_ptr<CShellApp> m_shellApp;
};

TEST_F(ReconciliationWindowTest, EachSampleWaveShowsItsGridsFromTheCampaignTree)
{
    QString error;
    // The campaign built is opened again from its file without saving it first.
    m_windows.QueueAnswers({IDNO});
    ASSERT_TRUE(
        sample_campaign::BuildSampleCampaign(m_app, Path(QStringLiteral("sample.duv")), error))
        << qPrintable(error);
    ShowWindow();
    const CCampaign& campaign = *m_app.GetCampaign();
    int differenceRows = 0;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        ShowReconciliation(wave.GetWaveId());
        ASSERT_EQ(m_panes->GetShownPage(), IShellPanes::PageReconciliation) << w;
        EXPECT_EQ(m_panes->GetReconciliationWaveId(), wave.GetWaveId());
        Page& page = ReconPage();
        ASSERT_TRUE(page.isVisible());
        EXPECT_EQ(page.GetWaveId(), wave.GetWaveId());
        const CWaveGridCtrl& grid = *page.GetQuestionGrid();
        ASSERT_GT(grid.GetRowCount(), Page::kFixedRows + 10) << w;
        EXPECT_EQ(grid.GetCellText(0, Page::QColState), QStringLiteral("Campaign Questions"));
        EXPECT_EQ(grid.GetCellText(0, Page::QColSourceState), QStringLiteral("Source Questions"));
        EXPECT_EQ(grid.GetCellText(1, Page::QColVolume), QStringLiteral("Volume"));
        // The fill selected the first row: its question is the current one, its responses
        // are listed.
        EXPECT_EQ(m_panes->GetCurrentQuestionId(), page.GetCurrentQuestionId());
        EXPECT_NE(page.GetCurrentQuestionId(), -1);

        const QImage image = shots::GrabAndSave(Right(), QStringLiteral("test-artefacts/shell"),
                                                QStringLiteral("reconciliation-wave%1").arg(w + 1));
        const QPoint heading = InRight(grid, 1, Page::QColCode);
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, heading.x() + 20, heading.y()),
                                      ReconQColor(recon_colours::HeadingBack)));
        const int row = page.FindFirstDifferenceRow();
        if (row < 0)
            continue;
        ++differenceRows;
        page.GetQuestionGrid()->EnsureVisible(row, Page::QColCode);
        const QImage scrolled = shots::Grab(Right());
        const QPoint volume = InRight(grid, row, Page::QColVolume);
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(scrolled, volume.x() + 30, volume.y()),
                                      ReconQColor(recon_colours::Yellow)))
            << w;
        EXPECT_EQ(grid.GetCell(row, Page::QColShortcut)->GetFont()->lfWeight, FW_BOLD);
    }
    // Waves 2 and 3 change questions of the earlier waves.
    EXPECT_GE(differenceRows, 2);
}

TEST_F(ReconciliationWindowTest, AWaveOfTwoThousandQuestionsScrollsToItsEndAndBack)
{
    CCampaign& campaign = *m_app.GetCampaign();
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(1);
    wave->SetWaveOrder(1);
    wave->SetName(QStringLiteral("Big"));
    CWave* big = wave.get();
    campaign.InsertWave(std::move(wave));
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(1);
    volume->SetWaveId(1);
    volume->SetName(QStringLiteral("Online"));
    volume->SetInheritsFromVolumeId(1);
    volume->SetStatus(VOLUME_RECONCILED);
    CVolume* online = volume.get();
    big->AddVolume(std::move(volume));
    qnr::CQuestionnaire& questionnaire = online->GetQuestionnaire();
    constexpr int kQuestions = 2000;
    for (int i = 1; i <= kQuestions; ++i) {
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(i + 1);
        question->SetOrder(i);
        question->SetIndent(1);
        question->SetElementType(1);
        question->SetQuestionType(5);
        question->SetShortcut(QStringLiteral("Q%1").arg(i));
        question->SetAppearanceVolumeId(1);
        question->SetDeletionWaveId(NO_WAVE_ID);
        campaign.InsertQuestion(std::move(question));
        auto source = std::make_unique<qnr::CQuestion>();
        source->SetCodeQuestion(i);
        source->SetShortcut(QStringLiteral("Q%1").arg(i));
        source->SetTypeElement(1);
        source->SetTypeQuestion(5);
        source->SetIndent(1);
        questionnaire.AddQuestion(std::move(source));
        online->AddQuestionMatching(MakeQuestionMatching(i + 1, QString::number(i), *online));
    }
    questionnaire.PreparerSaisie();
    ShowWindow();
    ShowReconciliation(1);

    Page& page = ReconPage();
    CWaveGridCtrl& grid = *page.GetQuestionGrid();
    ASSERT_EQ(grid.GetRowCount(), Page::kFixedRows + kQuestions);
    const int last = grid.GetRowCount() - 1;
    EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), kQuestions);
    EXPECT_TRUE(grid.IsCellVisible(Page::kFixedRows, Page::QColCode));
    EXPECT_FALSE(grid.IsCellVisible(last, Page::QColCode));

    // The page keeps the keys in its question grid.
    EXPECT_EQ(page.focusProxy(), &grid);
    QTest::keyClick(grid.viewport(), Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(grid.GetFocusCell().row, last);
    EXPECT_TRUE(grid.IsCellVisible(last, Page::QColCode));
    EXPECT_FALSE(grid.IsCellVisible(Page::kFixedRows, Page::QColCode));
    EXPECT_EQ(page.GetCurrentQuestionId(), kQuestions + 1);
    EXPECT_EQ(grid.GetCellText(last, Page::QColNumber), QString::number(kQuestions));
    // The overview bar's marker followed to the bottom.
    const COverviewBar& bar = *page.GetQuestionBar();
    EXPECT_GT(bar.GetMarkerY(), bar.BandAreaRect().bottom() - 3);

    QTest::keyClick(grid.viewport(), Qt::Key_Home, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(grid.GetFocusCell().row, Page::kFixedRows);
    EXPECT_TRUE(grid.IsCellVisible(Page::kFixedRows, Page::QColCode));
    EXPECT_EQ(page.GetCurrentQuestionId(), 2);
    EXPECT_LT(bar.GetMarkerY(), bar.BandAreaRect().top() + 3);
}

// The sample campaign built, saved and opened, in the window at its size.
class ReconciliationStateTest : public ReconciliationWindowTest
{
protected:
    ReconciliationStateTest()
    {
        QString error;
        // The campaign built is opened again from its file without saving it first.
        m_windows.QueueAnswers({IDNO});
        EXPECT_TRUE(
            sample_campaign::BuildSampleCampaign(m_app, Path(QStringLiteral("sample.duv")), error))
            << qPrintable(error);
        ShowWindow();
    }

    bool Enabled(unsigned id) { return Actions().Action(id)->isEnabled(); }
    CCommandActions& Actions() { return m_shellApp->GetActions(); }
    // The commands that act on the reconciliation page's rows.
    static std::vector<unsigned> PageCommands()
    {
        std::vector<unsigned> ids;
        for (unsigned id : CRightView::kForwardedCommands)
            if (id != ID_FIND_OPEN_NUMERIC)
                ids.push_back(id);
        return ids;
    }
    void Click(CWaveGridCtrl& grid, int row, int col)
    {
        grid.EnsureVisible(row, col);
        CRect rect;
        ASSERT_TRUE(grid.GetCellRect(row, col, rect));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, rect.ToQRect().center());
    }
};

TEST_F(ReconciliationStateTest, NewAndOpenLeaveThePageEmptyAndEveryPageCommandDisabled)
{
    const QString other = Path(QStringLiteral("other.duv"));
    ASSERT_TRUE(QFile::copy(Path(QStringLiteral("sample.duv")), other));
    const auto road = [&](const char* name, const std::function<void()>& run) {
        SCOPED_TRACE(name);
        // Wave 2 shown, a question with responses selected and a response that can move up
        // focused.
        ShowReconciliation(m_app.GetCampaign()->GetWave(1)->GetWaveId());
        Page& page = ReconPage();
        CWaveGridCtrl& grid = *page.GetQuestionGrid();
        bool found = false;
        for (int row = Page::kFixedRows; row < grid.GetRowCount() && !found; ++row) {
            Click(grid, row, Page::QColShortcut);
            if (page.GetResponseGrid()->GetRowCount() > Page::kFixedRows + 1) {
                Click(*page.GetResponseGrid(), Page::kFixedRows + 1, Page::RColCaption);
                found = page.CanMoveResponse(true);
            }
        }
        ASSERT_TRUE(found);
        m_shellApp->UpdateCommands();
        ASSERT_TRUE(Enabled(ID_RESPONSE_MOVE_UP));
        ASSERT_TRUE(Enabled(ID_FIND_QUESTION));
        ASSERT_TRUE(Enabled(ID_FIND_OPEN_NUMERIC));

        run();
        QApplication::processEvents();
        // As a menu opening would see them.
        m_shellApp->UpdateCommands();
        for (unsigned id : PageCommands())
            EXPECT_FALSE(Enabled(id)) << id;
        // No wave is loaded: the report on one has nothing to act on.
        EXPECT_FALSE(Enabled(ID_FIND_OPEN_NUMERIC));
        EXPECT_EQ(Right().GetShownPage(), CRightView::PageQuestionTree);
        EXPECT_EQ(page.GetWaveId(), -1);
        EXPECT_EQ(grid.GetRowCount(), Page::kFixedRows);
        EXPECT_EQ(page.GetResponseGrid()->GetRowCount(), Page::kFixedRows);
        EXPECT_EQ(page.GetCurrentQuestionId(), -1);
        EXPECT_EQ(page.GetFocusedModalityId(), -1);
        const QString before = QString::number(m_app.GetCommandHistory().GetUndoCount());
        for (unsigned id : PageCommands())
            EXPECT_FALSE(Actions().Execute(id)) << id;
        EXPECT_EQ(QString::number(m_app.GetCommandHistory().GetUndoCount()), before);
    };
    road("Open", [&] { ASSERT_TRUE(m_app.OpenDocumentFile(other)); });
    road("New", [&] { ASSERT_TRUE(Actions().Execute(ID_FILE_NEW)); });
    EXPECT_EQ(m_app.GetCampaign()->GetWaveCount(), 0);
}

TEST_F(ReconciliationStateTest, AClickOnADifferenceRowEnablesTheDifferenceArrowsAtOnce)
{
    const CCampaign& campaign = *m_app.GetCampaign();
    int tested = 0;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        ShowReconciliation(campaign.GetWave(w)->GetWaveId());
        QApplication::processEvents();
        Page& page = ReconPage();
        CWaveGridCtrl& grid = *page.GetQuestionGrid();
        // The fill selected the first row: nothing goes before it.
        ASSERT_EQ(grid.GetFocusCell().row, Page::kFixedRows);
        EXPECT_FALSE(Enabled(ID_PREVIOUS_DIFFERENCE));
        const int last = page.FindLastDifferenceRow();
        const int row = last > Page::kFixedRows ? last : grid.GetRowCount() - 1;
        if (page.FindPrevDifferenceRow(row) < 0)
            continue;
        ++tested;
        Click(grid, row, Page::QColShortcut);
        ASSERT_EQ(grid.GetFocusCell().row, row);
        QApplication::processEvents();
        EXPECT_TRUE(Enabled(ID_PREVIOUS_DIFFERENCE)) << w;
        EXPECT_EQ(Enabled(ID_NEXT_DIFFERENCE), page.FindNextDifferenceRow(row) >= 0) << w;
        EXPECT_TRUE(Enabled(ID_FIRST_DIFFERENCE));
        // The toolbar's button follows its action.
        QAction* previous = Actions().Action(ID_PREVIOUS_DIFFERENCE);
        bool onToolBar = false;
        for (int bar = 0; bar < 3; ++bar)
            if (QWidget* button =
                    m_shellApp->GetMainFrame()->GetToolBar(bar)->widgetForAction(previous)) {
                onToolBar = true;
                EXPECT_TRUE(button->isEnabled());
            }
        EXPECT_TRUE(onToolBar);

        // Many selection changes in one turn of the event loop give one pass.
        QApplication::processEvents();
        const quint64 passes = Actions().GetUpdatePassCount();
        for (int other = Page::kFixedRows; other < grid.GetRowCount(); ++other)
            page.SelectQuestionRow(other, Page::QColShortcut);
        Click(grid, Page::kFixedRows, Page::QColShortcut);
        EXPECT_EQ(Actions().GetUpdatePassCount(), passes) << "queued, not run at once";
        QApplication::processEvents();
        EXPECT_EQ(Actions().GetUpdatePassCount(), passes + 1);
        EXPECT_FALSE(Enabled(ID_PREVIOUS_DIFFERENCE));

        // On the question tree page the arrows are off.
        Left().SelectCampaign(0);
        QApplication::processEvents();
        EXPECT_FALSE(Enabled(ID_NEXT_DIFFERENCE));
        EXPECT_FALSE(Enabled(ID_FIRST_DIFFERENCE));
    }
    EXPECT_GE(tested, 1);
}
