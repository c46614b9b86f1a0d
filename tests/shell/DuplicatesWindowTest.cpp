// The duplicates dialog in the main window: a consolidation, its Undo and its Redo each leave
// the campaign tree, the question tree or the reconciliation page, and the property pane
// showing what a fresh fill of the campaign shows.

#include "ShellTestSupport.h"

#include "controls/PropertyGrid.h"
#include "dialogs/CampaignDialogs.h"
#include "dialogs/CheckForDuplicatesDlg.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "shell/CampaignPanes.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "support/views/SampleCampaign.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightReconciliationPage.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"
#include "views/WaveGridCtrl.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace pelko_wave;

namespace {

using Page = CRightReconciliationPage;

// Every item of the tree model: its place, text and colour.
QStringList TreeLines(const CCampaignTreeModel& model)
{
    QStringList lines;
    for (int r = 0; r < model.GetRecordCount(); ++r) {
        const QModelIndex index = model.IndexOfRecord(r);
        const CTreeItemRecord* record = model.GetRecord(index);
        lines << QStringLiteral("tree %1/%2 under %3: %4 %5")
                     .arg(record->kind)
                     .arg(record->id)
                     .arg(record->parent)
                     .arg(index.data(Qt::DisplayRole).toString(),
                          index.data(Qt::ForegroundRole).toString());
    }
    return lines;
}

// Every cell of the grid: text, image, colours and weight.
QStringList GridLines(const char* name, const CWaveGridCtrl& grid)
{
    QStringList lines;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const CGridCellBase* cell = grid.GetCell(row, col);
            if (!cell) {
                cells << QStringLiteral("-");
                continue;
            }
            const LOGFONT* font = cell->GetFont();
            cells << QStringLiteral("%1 %2 %3/%4 %5")
                         .arg(cell->GetText())
                         .arg(cell->GetImage())
                         .arg(cell->GetTextColour(), 0, 16)
                         .arg(cell->GetBackColour(), 0, 16)
                         .arg(font ? font->lfWeight : 0);
        }
        lines << QStringLiteral("%1 %2: ").arg(QLatin1String(name)).arg(row) + cells.join(u'|');
    }
    return lines;
}

// The lines that differ, when any do.
::testing::AssertionResult SameLines(const QStringList& actual, const QStringList& expected)
{
    return SameDump(actual.join(u'\n'), expected.join(u'\n'));
}

// Runs `act` on the first modal dialog of the type that comes up, once.
template <class Dialog> class CWhenShown
{
public:
    explicit CWhenShown(std::function<void(Dialog&)> act) : m_act(std::move(act))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                m_poll.stop();
                Shown = true;
                m_act(*dialog);
            }
        });
        m_poll.start();
    }

    bool Shown = false;

private:
    std::function<void(Dialog&)> m_act;
    QTimer m_poll;
};

} // namespace

// The sample campaign in the main window with the program's panes and dialogs; wave 3's Q4 is
// a question of its own, the duplicate of the campaign's Q4.
class DuplicatesWindowTest : public shell_test::CShellTest
{
public:
    DuplicatesWindowTest()
    {
        m_app.CreateCampaignObjects(nullptr, nullptr);
        m_shellApp = std::make_unique<CShellApp>(
            m_app,
            [this](CCommandActions& actions) {
                auto panes = std::make_unique<CCampaignPanes>(actions);
                m_panes = panes.get();
                return panes;
            },
            std::make_unique<CCampaignDialogs>(m_app));
    }
    ~DuplicatesWindowTest() override { m_shellApp.reset(); }

    void SetUp() override
    {
        QString error;
        // The campaign built is opened again from its file without saving it first.
        m_windows.QueueAnswers({IDNO});
        ASSERT_TRUE(
            sample_campaign::BuildSampleCampaign(m_app, Path(QStringLiteral("sample.duv")), error))
            << qPrintable(error);
        ASSERT_NE(sample_campaign::MakeDuplicateQuestion(m_app, 4, QStringLiteral("Q4"), error),
                  nullptr)
            << qPrintable(error);
        ASSERT_TRUE(m_shellApp->ResetViewsAfterLoad());
        CMainFrame& frame = *m_shellApp->GetMainFrame();
        frame.resize(1280, 860);
        frame.show();
        QApplication::processEvents();
    }

    CLeftView& Left() { return *m_panes->GetLeftView(); }
    CRightView& Right() { return *m_panes->GetRightView(); }
    CBottomView& Bottom() { return *m_panes->GetBottomView(); }

    // What the panes show: the campaign tree's items, the page shown (question tree items or
    // the reconciliation page's cells) and the property pane's values.
    QStringList Shown()
    {
        QStringList lines = TreeLines(*Left().GetModel());
        lines << QStringLiteral("page %1").arg(Right().GetShownPage());
        if (Right().GetShownPage() == CRightView::PageQuestionTree) {
            const CQuestionTreeCtrl& tree = *Right().GetTreePage()->GetTree();
            lines << QStringLiteral("mode %1").arg(Right().GetTreePage()->GetMode());
            for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk))
                lines << QStringLiteral("question %1 %2 %3 %4")
                             .arg(CQuestionTreeCtrl::GetDepth(walk))
                             .arg(tree.GetItemData(walk))
                             .arg(tree.GetItemText(walk))
                             .arg(tree.GetItemImage(walk));
        } else if (Right().GetShownPage() == CRightView::PageReconciliation) {
            const auto& page = static_cast<const Page&>(*Right().GetReconciliationPage());
            lines << GridLines("q", *page.GetQuestionGrid())
                  << GridLines("r", *page.GetResponseGrid());
        }
        lines << QStringLiteral("properties %1").arg(Bottom().GetShownKind());
        for (int slot = 0; slot < CBottomView::VolumeSlotCount; ++slot) {
            const CPropertyGrid::CItem* item =
                Bottom().GetGrid()->FindItem(Bottom().GetSlotItem(slot));
            if (item && item->m_type != CPropertyGrid::IT_CUSTOM)
                lines << QStringLiteral("property %1: ").arg(slot) +
                             Bottom().GetGrid()->GetValueText(*item);
        }
        return lines;
    }

    // What the panes show once filled afresh: a new tree of the campaign, the page and the
    // properties filled again from the campaign with no difference kept from before.
    QStringList Fresh()
    {
        m_app.GetDiffsCache()->InvalidateWave(0);
        CCampaignTreeModel model;
        model.Rebuild(m_app.GetCampaign());
        const QStringList tree = TreeLines(model);
        if (Right().GetShownPage() == CRightView::PageReconciliation) {
            Right().ShowReconciliation(Right().GetWaveId());
        } else if (Right().GetTreePage()->GetMode() == CRightTreePage::ModeWave) {
            Right().ShowWaveQuestions(Right().GetWaveId());
        } else if (Right().GetTreePage()->GetMode() == CRightTreePage::ModeVolume) {
            Right().ShowVolumeQuestions(Right().GetVolumeId());
        } else {
            Right().ShowCampaignQuestions();
        }
        switch (Bottom().GetShownKind()) {
        case CBottomView::ShownCampaign:
            Bottom().ShowCampaignProperties();
            break;
        case CBottomView::ShownWave:
            Bottom().ShowWaveProperties(Bottom().GetShownWaveId());
            break;
        case CBottomView::ShownVolume:
            Bottom().ShowVolumeProperties(Bottom().GetShownVolumeId());
            break;
        default:
            break;
        }
        QStringList lines = Shown();
        for (int i = 0; i < tree.size() && i < lines.size(); ++i)
            lines[i] = tree[i];
        return lines;
    }

    // Check for Duplicates: the search runs to its end, Consolidate, Close.
    void Consolidate()
    {
        bool consolidated = false;
        CWhenShown<CCheckForDuplicatesDlg> consolidate([&](CCheckForDuplicatesDlg& dialog) {
            if (QTest::qWaitFor([&dialog] { return !dialog.IsSearching(); }, 20000) &&
                dialog.GetConsolidateButton()->isEnabled()) {
                QTest::mouseClick(dialog.GetConsolidateButton(), Qt::LeftButton);
                consolidated = true;
            }
            QTest::mouseClick(dialog.GetCloseButton(), Qt::LeftButton);
        });
        m_shellApp->UpdateCommands();
        m_shellApp->GetActions().Action(ID_CHECK_DUPLICATES)->trigger();
        ASSERT_TRUE(consolidate.Shown);
        ASSERT_TRUE(consolidated);
        QApplication::processEvents();
    }

    CCampaignPanes* m_panes = nullptr; // owned by the frame
    std::unique_ptr<CShellApp> m_shellApp;
};

TEST_F(DuplicatesWindowTest, AfterConsolidationUndoAndRedoThePanesShowWhatAFreshFillShows)
{
    const int questionCount = m_app.GetCampaign()->GetQuestionCount();
    struct SCase
    {
        const char* What;
        std::function<void(DuplicatesWindowTest&)> Show;
    };
    const SCase cases[] = {
        {"the reconciliation page of the duplicate's wave",
         [](DuplicatesWindowTest& t) {
             t.Left().SelectWaveItem(3, 0);
             t.Right().ShowReconciliation(3);
         }},
        {"the campaign's questions", [](DuplicatesWindowTest& t) { t.Left().SelectCampaign(0); }},
        {"the questions of the duplicate's volume",
         [](DuplicatesWindowTest& t) { t.Left().SelectVolumeItem(4, 0); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.What);
        c.Show(*this);
        QApplication::processEvents();
        const QStringList before = Shown();
        ASSERT_TRUE(SameLines(Fresh(), before));

        Consolidate();
        EXPECT_EQ(m_app.GetCampaign()->GetQuestionCount(), questionCount - 1);
        const QStringList consolidated = Shown();
        EXPECT_TRUE(SameLines(consolidated, Fresh()));
        EXPECT_NE(consolidated, before);

        ASSERT_TRUE(m_app.Undo());
        QApplication::processEvents();
        const QStringList undone = Shown();
        EXPECT_TRUE(SameLines(undone, Fresh()));
        EXPECT_TRUE(SameLines(undone, before));

        ASSERT_TRUE(m_app.Redo());
        QApplication::processEvents();
        const QStringList redone = Shown();
        EXPECT_TRUE(SameLines(redone, Fresh()));
        EXPECT_TRUE(SameLines(redone, consolidated));

        // Back to the duplicate for the next case.
        ASSERT_TRUE(m_app.Undo());
        QApplication::processEvents();
    }
}
