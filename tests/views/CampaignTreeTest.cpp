#include "ViewTestSupport.h"

#include "menus/CommandActions.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"
#include "widgets/Screenshots.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace pelko_wave;
using namespace view_test;

// The campaign of these tests: wave 1 "Spring" fully reconciled (volumes 1 and 2), wave 2
// "Autumn" with one reconciled and one unreconciled volume (3, 4), wave 3 without a volume.
class CampaignTreeTest : public CViewTest
{
protected:
    CampaignTreeTest()
    {
        Campaign().SetName(QStringLiteral("Brand tracker"));
        CWave* spring = AddWave(Campaign(), 1, QStringLiteral("Spring"));
        AddVolume(Campaign(), *spring, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        AddVolume(Campaign(), *spring, 2, QStringLiteral("Phone"), VOLUME_RECONCILED, 1);
        CWave* autumn = AddWave(Campaign(), 2, QStringLiteral("Autumn"));
        AddVolume(Campaign(), *autumn, 3, QStringLiteral("Online"), VOLUME_RECONCILED);
        AddVolume(Campaign(), *autumn, 4, QString(), VOLUME_UNRECONCILED, 3);
        AddWave(Campaign(), 3, QStringLiteral("Winter"));

        left.SetPanes(&right, &bottom);
        left.resize(240, 300);
        left.ResetAfterLoad();
    }

    QModelIndex Item(int kind, int id) const { return left.GetModel()->FindItem(kind, id); }
    QString Text(int kind, int id) const { return Item(kind, id).data().toString(); }

    CRightView right;
    CBottomView bottom;
    CLeftView left;
};

// Qt's model tester follows the campaign tree's model through fills and refills, as the tree
// view does, and reports every broken rule of the item-model protocol as a warning.
TEST_F(CampaignTreeTest, TheModelKeepsTheItemModelRules)
{
    static QStringList problems;
    problems.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type != QtDebugMsg && QByteArray(context.category).startsWith("qt.modeltest"))
                problems << message;
        });
    {
        QAbstractItemModelTester tester(left.GetModel(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        left.show();
        left.GetTree()->expandAll();
        // A new wave with a volume, a refill, a wave taken away, an empty campaign.
        CWave* summer = AddWave(Campaign(), 4, QStringLiteral("Summer"));
        AddVolume(Campaign(), *summer, 5, QStringLiteral("Online"), VOLUME_UNRECONCILED);
        left.RefreshTree();
        EXPECT_EQ(left.GetModel()->GetRecordCount(), 1 + 4 + 5);
        Campaign().RemoveWave(Campaign().GetWave(0)->GetWaveId());
        left.RefreshTree();
        left.GetTree()->expandAll();
        left.SelectVolumeItem(5, 0);
        while (Campaign().GetWaveCount() > 0)
            Campaign().RemoveWave(Campaign().GetWave(0)->GetWaveId());
        left.ResetAfterLoad();
        EXPECT_EQ(left.GetModel()->GetRecordCount(), 1);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

TEST_F(CampaignTreeTest, ShowsTheCampaignWithItsWavesAndVolumesInOrder)
{
    CCampaignTreeModel& model = *left.GetModel();
    const QModelIndex root = model.index(0, 0);
    EXPECT_EQ(root.data().toString(), QStringLiteral("Brand tracker"));
    EXPECT_TRUE(left.GetTree()->isExpanded(root));
    ASSERT_EQ(model.rowCount(root), 3);
    EXPECT_EQ(model.index(0, 0, root).data().toString(), QStringLiteral("Spring"));
    EXPECT_EQ(model.index(2, 0, root).data().toString(), QStringLiteral("Winter"));
    const QModelIndex autumn = model.index(1, 0, root);
    ASSERT_EQ(model.rowCount(autumn), 2);
    EXPECT_EQ(model.index(0, 0, autumn).data().toString(), QStringLiteral("Online"));
    // An empty name shows as not set.
    EXPECT_EQ(model.index(1, 0, autumn).data().toString(), QStringLiteral("(Not set)"));
    EXPECT_EQ(model.rowCount(model.index(2, 0, root)), 0);
    // Each kind has its own image.
    EXPECT_FALSE(root.data(Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_NE(root.data(Qt::DecorationRole).value<QPixmap>().toImage(),
              Item(TREE_KIND_VOLUME, 1).data(Qt::DecorationRole).value<QPixmap>().toImage());
}

TEST_F(CampaignTreeTest, AnEmptyCampaignShowsOnlyItsItemExpanded)
{
    app.CreateCampaignObjects(nullptr, nullptr);
    left.ResetAfterLoad();
    CCampaignTreeModel& model = *left.GetModel();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("(Not set)"));
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
    EXPECT_TRUE(left.GetTree()->isExpanded(model.index(0, 0)));
}

TEST_F(CampaignTreeTest, WaveColourFollowsItsVolumesStatus)
{
    auto colour = [&](int waveId) {
        const QVariant brush = Item(TREE_KIND_WAVE, waveId).data(Qt::ForegroundRole);
        return brush.isValid() ? brush.value<QBrush>().color() : QColor();
    };
    const QColor orange(255, 142, 22);
    EXPECT_EQ(colour(1), QColor(Qt::black));
    EXPECT_EQ(colour(2), orange); // one volume unreconciled
    EXPECT_EQ(colour(3), orange); // no volume
    Campaign().FindVolume(4)->SetStatus(VOLUME_INCOMPLETE);
    EXPECT_EQ(colour(2), orange);
    Campaign().FindVolume(4)->SetStatus(VOLUME_RECONCILED);
    EXPECT_EQ(colour(2), QColor(Qt::black));
    EXPECT_EQ(Item(TREE_KIND_CAMPAIGN, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(Qt::black));
    EXPECT_EQ(Item(TREE_KIND_VOLUME, 4).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(Qt::black));

    // A wave the campaign no longer knows: not set, in the tree's own colour.
    std::unique_ptr<CWave> removed = Campaign().RemoveWave(3);
    EXPECT_EQ(Text(TREE_KIND_WAVE, 3), QStringLiteral("(Not set)"));
    EXPECT_FALSE(Item(TREE_KIND_WAVE, 3).data(Qt::ForegroundRole).isValid());
}

TEST_F(CampaignTreeTest, AnUnfinishedWaveIsDrawnInOrange)
{
    left.show();
    const QImage image = shots::GrabAndSave(left, QStringLiteral("test-artefacts/views"),
                                            QStringLiteral("campaign-tree-colours"));
    QTreeView& tree = *left.GetTree();
    auto hasTextOf = [&](const QModelIndex& index, const QColor& colour) {
        const QRect rect = tree.visualRect(index).translated(tree.viewport()->pos());
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left() + 18; x <= rect.right(); ++x)
                if (shots::ColourNear(shots::PixelAt(image, x, y), colour, 30))
                    return true;
        return false;
    };
    const QColor orange(255, 142, 22);
    EXPECT_TRUE(hasTextOf(Item(TREE_KIND_WAVE, 2), orange));
    EXPECT_FALSE(hasTextOf(Item(TREE_KIND_WAVE, 1), orange));
    EXPECT_TRUE(hasTextOf(Item(TREE_KIND_WAVE, 1), Qt::black));
}

TEST_F(CampaignTreeTest, SelectionDrivesTheOtherPanes)
{
    left.SelectWaveItem(2, 0);
    EXPECT_EQ(left.GetSelectedWaveId(), 2);
    EXPECT_EQ(left.GetSelectedVolumeId(), -1);
    EXPECT_EQ(right.GetShownPage(), CRightView::PageQuestionTree);
    EXPECT_EQ(right.GetWaveId(), 2);
    EXPECT_EQ(right.GetTreePage()->GetMode(), CRightTreePage::ModeWave);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownWave);

    left.SelectVolumeItem(4, 0);
    EXPECT_EQ(left.GetSelectedWaveId(), 2);
    EXPECT_EQ(left.GetSelectedVolumeId(), 4);
    EXPECT_EQ(right.GetVolumeId(), 4);
    EXPECT_EQ(right.GetTreePage()->GetMode(), CRightTreePage::ModeVolume);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownVolume);

    left.SelectCampaign(0);
    EXPECT_EQ(left.GetSelectedWaveId(), -1);
    EXPECT_EQ(left.GetSelectedVolumeId(), -1);
    EXPECT_EQ(right.GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownCampaign);
}

TEST_F(CampaignTreeTest, ModeOneSelectsSilently)
{
    left.SelectWaveItem(1, 1);
    EXPECT_EQ(left.GetSelectedWaveId(), 1);
    EXPECT_EQ(right.GetWaveId(), -1);
    EXPECT_EQ(right.GetTreePage()->GetMode(), CRightTreePage::ModeCampaign);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownCampaign);

    left.SelectVolumeItem(2, 1);
    EXPECT_EQ(left.GetSelectedVolumeId(), 2);
    EXPECT_EQ(right.GetVolumeId(), -1);
    // The mode is back to 0 afterwards: a click makes the panes follow again.
    left.GetTree()->setCurrentIndex(Item(TREE_KIND_VOLUME, 3));
    EXPECT_EQ(right.GetVolumeId(), 3);
}

TEST_F(CampaignTreeTest, ReselectingTheSelectedVolumeRefreshesThePanes)
{
    left.SelectVolumeItem(3, 1);
    ASSERT_EQ(left.GetSelectedVolumeId(), 3);
    bottom.ShowCampaignProperties();
    left.SelectVolumeItem(3, 0);
    EXPECT_EQ(right.GetVolumeId(), 3);
    EXPECT_EQ(bottom.GetShownKind(), CBottomView::ShownVolume);

    // A volume the campaign does not hold selects nothing.
    left.SelectVolumeItem(99, 0);
    EXPECT_EQ(left.GetSelectedVolumeId(), 3);
}

TEST_F(CampaignTreeTest, RefillKeepsExpandedWavesAndDropsTheSelection)
{
    QTreeView& tree = *left.GetTree();
    tree.expand(Item(TREE_KIND_WAVE, 1));
    tree.expand(Item(TREE_KIND_WAVE, 2));
    tree.collapse(Item(TREE_KIND_WAVE, 2));
    left.SelectWaveItem(1, 0);
    view_test::AddWave(Campaign(), 4, QStringLiteral("Next year"));
    left.RefreshTree();
    EXPECT_TRUE(tree.isExpanded(Item(TREE_KIND_WAVE, 1)));
    EXPECT_FALSE(tree.isExpanded(Item(TREE_KIND_WAVE, 2)));
    EXPECT_EQ(Text(TREE_KIND_WAVE, 4), QStringLiteral("Next year"));
    EXPECT_EQ(left.GetSelectedWaveId(), -1);
}

TEST_F(CampaignTreeTest, RefillKeepsAWaveExpandedThatIsScrolledOutOfSight)
{
    for (int w = 10; w < 40; ++w)
        view_test::AddWave(Campaign(), w, QStringLiteral("Wave %1").arg(w));
    left.RefreshTree();
    left.show();
    QTreeView& tree = *left.GetTree();
    tree.expand(Item(TREE_KIND_WAVE, 1));
    tree.scrollToBottom();
    ASSERT_FALSE(tree.viewport()->rect().intersects(tree.visualRect(Item(TREE_KIND_WAVE, 1))));
    left.RefreshTree();
    EXPECT_TRUE(tree.isExpanded(Item(TREE_KIND_WAVE, 1)));
}

// Which commands of the context menu are greyed, for every item kind and state.
TEST_F(CampaignTreeTest, ContextMenuGreying)
{
    CWave* fresh = view_test::AddWave(Campaign(), 5, QStringLiteral("Fresh"));
    AddVolume(Campaign(), *fresh, 5, QStringLiteral("New"), VOLUME_UNRECONCILED);
    CWave* started = view_test::AddWave(Campaign(), 6, QStringLiteral("Started"));
    AddVolume(Campaign(), *started, 6, QStringLiteral("Done"), VOLUME_RECONCILED);
    AddVolume(Campaign(), *started, 7, QStringLiteral("Half"), VOLUME_INCOMPLETE);

    struct SCase
    {
        int Kind;
        int Id;
        unsigned Command;
        bool Greyed;
    };
    const QString path = QStringLiteral("/studies/brand.duv");
    const SCase cases[] = {
        // Campaign: some volume is not reconciled (wave 2, 5, 6).
        {TREE_KIND_CAMPAIGN, 0, ID_WAVE_ADD, true},
        {TREE_KIND_CAMPAIGN, 0, ID_CAMPAIGN_OPEN_FOLDER, false},
        {TREE_KIND_CAMPAIGN, 0, ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT, true},
        // Wave 1: all reconciled.
        {TREE_KIND_WAVE, 1, ID_VOLUME_ADD, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_ADD, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_APPLY_QUESTION_ORDER, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_RECONCILE, true},
        {TREE_KIND_WAVE, 1, ID_WAVE_SHOW_RECONCILIATION, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_SHOW_SUMMARY, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_REDO_RECONCILIATION, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_RECONCILE_UNMATCHED, false},
        {TREE_KIND_WAVE, 1, ID_WAVE_REMOVE, false},
        // Wave 2: one reconciled, one unreconciled.
        {TREE_KIND_WAVE, 2, ID_WAVE_APPLY_QUESTION_ORDER, true},
        {TREE_KIND_WAVE, 2, ID_WAVE_RECONCILE, false},
        {TREE_KIND_WAVE, 2, ID_WAVE_SHOW_RECONCILIATION, true},
        {TREE_KIND_WAVE, 2, ID_WAVE_SHOW_SUMMARY, true},
        {TREE_KIND_WAVE, 2, ID_WAVE_REDO_RECONCILIATION, false},
        {TREE_KIND_WAVE, 2, ID_WAVE_RECONCILE_UNMATCHED, true},
        // Wave 3: no volume.
        {TREE_KIND_WAVE, 3, ID_VOLUME_ADD, false},
        {TREE_KIND_WAVE, 3, ID_WAVE_APPLY_QUESTION_ORDER, true},
        {TREE_KIND_WAVE, 3, ID_WAVE_RECONCILE, true},
        {TREE_KIND_WAVE, 3, ID_WAVE_SHOW_RECONCILIATION, true},
        {TREE_KIND_WAVE, 3, ID_WAVE_SHOW_SUMMARY, true},
        {TREE_KIND_WAVE, 3, ID_WAVE_REDO_RECONCILIATION, true},
        // Nothing to match in a wave without volumes.
        {TREE_KIND_WAVE, 3, ID_WAVE_RECONCILE_UNMATCHED, true},
        {TREE_KIND_WAVE, 3, ID_WAVE_REMOVE, false},
        // Wave 5: only unreconciled volumes: nothing started.
        {TREE_KIND_WAVE, 5, ID_WAVE_RECONCILE, false},
        {TREE_KIND_WAVE, 5, ID_WAVE_REDO_RECONCILIATION, true},
        // Wave 6: reconciled and incomplete, none unreconciled.
        {TREE_KIND_WAVE, 6, ID_WAVE_APPLY_QUESTION_ORDER, true},
        {TREE_KIND_WAVE, 6, ID_WAVE_RECONCILE, true},
        {TREE_KIND_WAVE, 6, ID_WAVE_SHOW_RECONCILIATION, false},
        {TREE_KIND_WAVE, 6, ID_WAVE_REDO_RECONCILIATION, false},
        {TREE_KIND_WAVE, 6, ID_WAVE_RECONCILE_UNMATCHED, true},
        // Volumes: only the last of its wave can go; only a reconciled one is unreconciled.
        {TREE_KIND_VOLUME, 1, ID_VOLUME_OPEN_IN_QUILL, false},
        {TREE_KIND_VOLUME, 1, ID_VOLUME_REMOVE, true},
        {TREE_KIND_VOLUME, 2, ID_VOLUME_REMOVE, false},
        {TREE_KIND_VOLUME, 1, ID_VOLUME_UNRECONCILE, false},
        {TREE_KIND_VOLUME, 4, ID_VOLUME_UNRECONCILE, true},
        {TREE_KIND_VOLUME, 7, ID_VOLUME_UNRECONCILE, true},
        {TREE_KIND_VOLUME, 7, ID_VOLUME_REMOVE, false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(IsCampaignTreeCommandGreyed(Campaign(), path, c.Kind, c.Id, c.Command), c.Greyed)
            << "kind " << c.Kind << ", id " << c.Id << ", command " << c.Command;

    // A campaign never saved has no folder to open; one all reconciled may grow.
    EXPECT_TRUE(IsCampaignTreeCommandGreyed(Campaign(), QString(), TREE_KIND_CAMPAIGN, 0,
                                            ID_CAMPAIGN_OPEN_FOLDER));
    for (int v : {4, 5, 7})
        Campaign().FindVolume(v)->SetStatus(VOLUME_RECONCILED);
    EXPECT_FALSE(IsCampaignTreeCommandGreyed(Campaign(), path, TREE_KIND_CAMPAIGN, 0, ID_WAVE_ADD));
}

TEST_F(CampaignTreeTest, ContextMenuHoldsThePopupOfTheItemsKindGreyedByItsState)
{
    CNewMenu menu;
    CNewMenu* popup = left.LoadContextMenu(menu, Item(TREE_KIND_WAVE, 2));
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(popup->FindCommand(ID_WAVE_RECONCILE), nullptr);
    EXPECT_TRUE(popup->FindCommand(ID_WAVE_RECONCILE)->isEnabled());
    EXPECT_FALSE(popup->FindCommand(ID_WAVE_SHOW_RECONCILIATION)->isEnabled());
    EXPECT_EQ(popup->FindCommand(ID_VOLUME_REMOVE), nullptr);

    CNewMenu volumeMenu;
    popup = left.LoadContextMenu(volumeMenu, Item(TREE_KIND_VOLUME, 1));
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(popup->FindCommand(ID_VOLUME_REMOVE)->isEnabled());
    EXPECT_TRUE(popup->FindCommand(ID_VOLUME_UNRECONCILE)->isEnabled());

    CNewMenu none;
    EXPECT_EQ(left.LoadContextMenu(none, QModelIndex()), nullptr);
}

TEST_F(CampaignTreeTest, RightClickSelectsTheItemAndRunsTheChosenCommand)
{
    left.show();
    QTreeView& tree = *left.GetTree();
    tree.expand(Item(TREE_KIND_WAVE, 2));
    QSignalSpy chosen(&left, &CLeftView::ContextCommand);
    const QPoint point = tree.visualRect(Item(TREE_KIND_VOLUME, 3)).center();
    CloseNextMenu(ID_VOLUME_UNRECONCILE);
    QContextMenuEvent click(QContextMenuEvent::Mouse, point, tree.viewport()->mapToGlobal(point));
    QApplication::sendEvent(tree.viewport(), &click);
    EXPECT_EQ(left.GetSelectedVolumeId(), 3);
    EXPECT_EQ(right.GetVolumeId(), 3);
    EXPECT_EQ(left.GetContextItem(), Item(TREE_KIND_VOLUME, 3));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toUInt(), ID_VOLUME_UNRECONCILE);

    // Empty space: no menu, nothing changes.
    const QPoint empty(10, tree.viewport()->height() - 2);
    ASSERT_FALSE(tree.indexAt(empty).isValid());
    QContextMenuEvent miss(QContextMenuEvent::Mouse, empty, tree.viewport()->mapToGlobal(empty));
    QApplication::sendEvent(tree.viewport(), &miss);
    EXPECT_EQ(left.GetSelectedVolumeId(), 3);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_FALSE(left.GetContextItem().isValid());
}

TEST_F(CampaignTreeTest, ShiftF10OpensTheMenuOfTheSelectedItemAsTheMenuKeyDoes)
{
    left.show();
    QTreeView& tree = *left.GetTree();
    left.SelectWaveItem(1, 0);
    QCursor::setPos(
        tree.viewport()->mapToGlobal(tree.visualRect(Item(TREE_KIND_WAVE, 3)).center()));
    QSignalSpy chosen(&left, &CLeftView::ContextCommand);
    QPoint menuAt;
    QTimer::singleShot(0, [&menuAt] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menuAt = menu->pos();
    });
    CloseNextMenu(ID_VOLUME_ADD);
    QTest::keyClick(&tree, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(left.GetContextItem(), Item(TREE_KIND_WAVE, 1));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toUInt(), ID_VOLUME_ADD);
    EXPECT_EQ(menuAt,
              tree.viewport()->mapToGlobal(tree.visualRect(Item(TREE_KIND_WAVE, 1)).center()));
    EXPECT_EQ(left.GetSelectedWaveId(), 1);

    // F10 alone, or with Ctrl as well, is no menu key.
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(),
          Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier)}) {
        CloseNextMenu();
        QTest::keyClick(&tree, Qt::Key_F10, modifiers);
        QApplication::processEvents();
        EXPECT_EQ(chosen.count(), 1);
    }
}

TEST_F(CampaignTreeTest, MenuKeyOpensTheMenuOfTheSelectedItemAtTheItem)
{
    left.show();
    QTreeView& tree = *left.GetTree();
    left.SelectWaveItem(1, 0);
    // The mouse rests over another item, where it happens to be.
    const QPoint elsewhere = tree.visualRect(Item(TREE_KIND_WAVE, 3)).center();
    QCursor::setPos(tree.viewport()->mapToGlobal(elsewhere));
    QSignalSpy chosen(&left, &CLeftView::ContextCommand);
    QPoint menuAt;
    QTimer::singleShot(0, [&menuAt] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menuAt = menu->pos();
    });
    CloseNextMenu(ID_VOLUME_ADD);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(&tree, &key);
    EXPECT_EQ(left.GetContextItem(), Item(TREE_KIND_WAVE, 1));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toUInt(), ID_VOLUME_ADD);
    // The menu opened at the selected item, and the selection stayed.
    EXPECT_EQ(menuAt,
              tree.viewport()->mapToGlobal(tree.visualRect(Item(TREE_KIND_WAVE, 1)).center()));
    EXPECT_EQ(left.GetSelectedWaveId(), 1);

    // With nothing selected the key opens no menu.
    tree.selectionModel()->clearCurrentIndex();
    CloseNextMenu();
    QApplication::sendEvent(&tree, &key);
    EXPECT_FALSE(left.GetContextItem().isValid());
    EXPECT_EQ(chosen.count(), 1);
}
