#include "controls/MultiTree.h"

#include "widgets/Screenshots.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// One entry of the report stream: the code and the item it names (the new item, else the old).
struct SEntry
{
    int Code;
    QString Item;
    bool operator==(const SEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SEntry& entry)
{
    return out << entry.Code << ":" << entry.Item.toStdString();
}

// The owner of the tree: answers TVN_SELCHANGING and records it with the signalled reports.
class CRecorder final : public INotifyOwner
{
public:
    explicit CRecorder(CMultiTree& tree) : m_tree(tree)
    {
        tree.SetOwner(this);
        QObject::connect(&tree, &CTreeCtrl::Notified,
                         [this](const NMTREEVIEW& report) { Record(report); });
    }
    LRESULT OnNotify(NMHDR& header) override
    {
        Record(static_cast<NMTREEVIEW&>(header));
        return Refuse;
    }
    void Record(const NMTREEVIEW& report)
    {
        HTREEITEM item = report.itemNew.hItem ? report.itemNew.hItem : report.itemOld.hItem;
        Stream.push_back({report.code, item ? m_tree.GetItemText(item) : QStringLiteral("-")});
    }
    LRESULT Refuse = 0;
    std::vector<SEntry> Stream;

private:
    CMultiTree& m_tree;
};

struct STree
{
    STree()
    {
        tree.resize(260, 220);
        for (const char* name : {"A", "B", "C", "D", "E"})
            items.push_back(tree.InsertItem(QString::fromLatin1(name)));
        parent = tree.InsertItem(QStringLiteral("P"));
        child = tree.InsertItem(QStringLiteral("P1"), parent);
        tree.InsertItem(QStringLiteral("P2"), parent);
        tree.Expand(parent, TVE_EXPAND);
        tree.show();
        QApplication::processEvents();
        tree.FocusItem(items[0]);
    }
    QPoint At(HTREEITEM item) { return tree.ItemLayout(item).Text.center(); }
    QStringList Selected()
    {
        QList<HTREEITEM> list;
        tree.GetSelectedList(list);
        QStringList names;
        for (HTREEITEM item : list)
            names << tree.GetItemText(item);
        return names;
    }

    CMultiTree tree;
    std::vector<HTREEITEM> items;
    HTREEITEM parent = nullptr;
    HTREEITEM child = nullptr;
};

constexpr int SELCHANGING = TVN_SELCHANGING;
constexpr int SELCHANGED = TVN_SELCHANGED;

} // namespace

TEST(MultiTree, ClicksByButtonAndModifierGiveTheirReportStream)
{
    struct SCase
    {
        const char* Name;
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Modifiers;
        int Target;
        std::vector<SEntry> Stream;
        QStringList Selected;
        const char* Caret;
    };
    const SCase cases[] = {
        {"plain click",
         Qt::LeftButton,
         {},
         2,
         {{SELCHANGING, "A"},
          {SELCHANGED, "A"},
          {SELCHANGING, "C"},
          {SELCHANGED, "C"},
          {SELCHANGING, "C"},
          {SELCHANGED, "C"},
          {NM_CLICK, "C"}},
         {"C"},
         "C"},
        {"ctrl click",
         Qt::LeftButton,
         Qt::ControlModifier,
         2,
         {{SELCHANGING, "C"},
          {SELCHANGED, "C"},
          {SELCHANGING, "C"},
          {SELCHANGED, "C"},
          {NM_CLICK, "C"}},
         {"A", "C"},
         "C"},
        {"shift click",
         Qt::LeftButton,
         Qt::ShiftModifier,
         3,
         {{SELCHANGING, "B"},
          {SELCHANGED, "B"},
          {SELCHANGING, "C"},
          {SELCHANGED, "C"},
          {SELCHANGING, "D"},
          {SELCHANGED, "D"},
          {SELCHANGING, "D"},
          {SELCHANGED, "D"},
          {NM_CLICK, "D"}},
         {"A", "B", "C", "D"},
         "D"},
        {"right click",
         Qt::RightButton,
         {},
         1,
         {{SELCHANGING, "A"},
          {SELCHANGED, "A"},
          {SELCHANGING, "B"},
          {SELCHANGED, "B"},
          {NM_RCLICK, "B"}},
         {"B"},
         "B"},
        {"right click on the selection", Qt::RightButton, {}, 0, {{NM_RCLICK, "A"}}, {"A"}, "A"},
        {"ctrl right click sets the anchor only",
         Qt::RightButton,
         Qt::ControlModifier,
         4,
         {{NM_RCLICK, "E"}},
         {"A"},
         "A"},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        STree s;
        CRecorder recorder(s.tree);
        QTest::mouseClick(s.tree.viewport(), test.Button, test.Modifiers,
                          s.At(s.items[test.Target]));
        std::vector<SEntry> expected;
        for (const SEntry& entry : test.Stream)
            expected.push_back(entry);
        EXPECT_EQ(recorder.Stream, expected);
        EXPECT_EQ(s.Selected(), test.Selected);
        EXPECT_EQ(s.tree.GetItemText(s.tree.GetSelectedItem()), QString::fromLatin1(test.Caret));
    }
}

TEST(MultiTree, CtrlClicksSelectSeveralAndTheOwnerCanRefuse)
{
    STree s;
    CRecorder recorder(s.tree);
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[3]));
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[1]));
    EXPECT_EQ(s.tree.GetSelectedCount(), 3);
    EXPECT_EQ(s.Selected(), QStringList({"A", "B", "D"}));
    EXPECT_EQ(s.tree.GetFirstSelectedItem(), s.items[0]);
    EXPECT_EQ(s.tree.GetNextSelectedItem(s.items[0]), s.items[1]);
    EXPECT_EQ(s.tree.GetLastSelectedItem(), s.items[3]);
    EXPECT_EQ(s.tree.GetItemState(s.items[1], TVIS_FOCUSED | TVIS_SELECTED),
              TVIS_FOCUSED | TVIS_SELECTED);
    EXPECT_EQ(s.tree.GetItemState(s.items[3], TVIS_FOCUSED | TVIS_SELECTED), TVIS_SELECTED);

    // A click on an item already selected edits it, with Ctrl too; the selection stays.
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[3]));
    EXPECT_TRUE(s.tree.IsEditingLabel());
    EXPECT_EQ(s.Selected(), QStringList({"A", "B", "D"}));
    s.tree.closePersistentEditor(s.items[3]);
    s.tree.SetItemState(s.items[3], 0, TVIS_SELECTED);
    EXPECT_EQ(s.Selected(), QStringList({"A", "B"}));

    // The owner refuses every change: a ctrl-clicked item stays unselected.
    recorder.Refuse = 1;
    recorder.Stream.clear();
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[4]));
    EXPECT_EQ(s.Selected(), QStringList({"A", "B"}));
    ASSERT_FALSE(recorder.Stream.empty());
    EXPECT_EQ(recorder.Stream[0], (SEntry{SELCHANGING, "E"}));
}

TEST(MultiTree, PlainClickOnASelectedItemEditsItAndKeepsTheOthers)
{
    STree s;
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[2]));
    ASSERT_EQ(s.Selected(), QStringList({"A", "C"}));
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.At(s.items[0]));
    EXPECT_TRUE(s.tree.IsEditingLabel());
    EXPECT_EQ(s.Selected(), QStringList({"A", "C"}));
}

TEST(MultiTree, ShiftRangesAndKeys)
{
    STree s;
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ShiftModifier, s.At(s.items[3]));
    EXPECT_EQ(s.tree.GetSelectedCount(), 4);
    QTest::keyClick(&s.tree, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(s.Selected(), QStringList({"A", "B", "C", "D", "E"}));
    QTest::keyClick(&s.tree, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&s.tree, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(s.Selected(), QStringList({"A", "B", "C"}));

    // Ctrl moves only the caret: the selections stay, the new caret is not selected.
    QTest::keyClick(&s.tree, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.items[3]);
    EXPECT_EQ(s.Selected(), QStringList({"A", "B", "C"}));

    // A plain key deselects every item before the caret moves.
    QTest::keyClick(&s.tree, Qt::Key_Down);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.items[4]);
    EXPECT_EQ(s.Selected(), QStringList({"E"}));
}

TEST(MultiTree, CollapsingTheCaretsParentLeavesNothingSelected)
{
    STree s;
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.At(s.child));
    ASSERT_EQ(s.Selected(), QStringList({"P1"}));
    s.tree.Expand(s.parent, TVE_COLLAPSE);
    EXPECT_EQ(s.tree.GetSelectedCount(), 0);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.parent);

    // A selected parent keeps its own selection; its hidden children give theirs up.
    s.tree.Expand(s.parent, TVE_EXPAND);
    s.tree.SelectAll(false);
    s.tree.SetItemState(s.parent, TVIS_SELECTED, TVIS_SELECTED);
    s.tree.SetItemState(s.child, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
    ASSERT_EQ(s.Selected(), QStringList({"P", "P1"}));
    s.tree.Expand(s.parent, TVE_COLLAPSE);
    EXPECT_EQ(s.Selected(), QStringList({"P"}));
}

TEST(MultiTree, RubberBandSelectsWhatItCrosses)
{
    STree s;
    CRecorder recorder(s.tree);
    const QPoint right(230, s.At(s.items[1]).y());
    const QPoint further(200, s.At(s.items[3]).y());
    QTest::mousePress(s.tree.viewport(), Qt::LeftButton, {}, right);
    ASSERT_TRUE(s.tree.IsBanding());
    QTest::mouseMove(s.tree.viewport(), further);
    EXPECT_EQ(s.Selected(), QStringList({"B", "C", "D"}));
    QTest::mouseMove(s.tree.viewport(), QPoint(200, s.At(s.items[2]).y()));
    EXPECT_EQ(s.Selected(), QStringList({"B", "C"}));
    QTest::mouseRelease(s.tree.viewport(), Qt::LeftButton, {}, QPoint(200, s.At(s.items[2]).y()));
    EXPECT_FALSE(s.tree.IsBanding());
    EXPECT_EQ(recorder.Stream.back(), (SEntry{NM_CLICK, "-"}));

    // With Ctrl, remembered items the band crosses are deselected.
    QTest::mousePress(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, right);
    QTest::mouseMove(s.tree.viewport(), further);
    EXPECT_EQ(s.Selected(), QStringList({"D"}));
    // Escape deselects everything and ends.
    QTest::keyClick(&s.tree, Qt::Key_Escape);
    EXPECT_FALSE(s.tree.IsBanding());
    EXPECT_EQ(s.tree.GetSelectedCount(), 0);
    QTest::mouseRelease(s.tree.viewport(), Qt::LeftButton, {}, further);
}

TEST(MultiTree, ABandThatNeverMovesClearsTheSelectionUnlessShiftOrCtrl)
{
    STree s;
    CRecorder recorder(s.tree);
    const QPoint empty(230, s.At(s.items[1]).y());
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ShiftModifier, empty);
    EXPECT_EQ(s.Selected(), QStringList({"A"}));
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(s.tree.GetSelectedCount(), 0);
    ASSERT_FALSE(recorder.Stream.empty());
    EXPECT_EQ(recorder.Stream.back(), (SEntry{NM_CLICK, "-"}));
}

TEST(MultiTree, BandScrollsWhileTheCursorIsOutside)
{
    CMultiTree tree;
    tree.resize(200, 120);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 40; ++i)
        items.push_back(tree.InsertItem(QStringLiteral("Question %1").arg(i)));
    tree.show();
    QApplication::processEvents();
    const int before = tree.verticalScrollBar()->value();
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, QPoint(180, 10));
    QTest::mouseMove(tree.viewport(), QPoint(180, 60));
    QCursor::setPos(tree.viewport()->mapToGlobal(QPoint(100, 300)));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return tree.verticalScrollBar()->value() > before + 2; }, 2000));
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, QPoint(100, 300));
    EXPECT_GT(tree.GetSelectedCount(), 5);
}

TEST(MultiTree, DragOfAnItemReportsItsStart)
{
    STree s;
    QSignalSpy reports(&s.tree, &CTreeCtrl::Notified);
    const QPoint from = s.At(s.items[2]);
    QTest::mousePress(s.tree.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(s.tree.viewport(), from + QPoint(0, 30));
    QTest::mouseRelease(s.tree.viewport(), Qt::LeftButton, {}, from + QPoint(0, 30));
    bool dragged = false;
    for (const QList<QVariant>& report : reports) {
        const NMTREEVIEW record = report[0].value<NMTREEVIEW>();
        if (record.code == TVN_BEGINDRAG) {
            dragged = true;
            EXPECT_EQ(record.itemNew.hItem, s.items[2]);
            EXPECT_EQ(record.ptDrag, from);
        }
        EXPECT_NE(record.code, NM_CLICK);
    }
    EXPECT_TRUE(dragged);
    EXPECT_EQ(s.Selected(), QStringList({"C"}));
}

TEST(MultiTree, SelectChildrenAndFocus)
{
    STree s;
    EXPECT_FALSE(s.tree.SelectChildren(s.parent, true));
    EXPECT_EQ(s.Selected(), QStringList({"A", "P1", "P2"}));
    s.tree.FocusItem(s.child);
    EXPECT_TRUE(s.tree.SelectChildren(s.parent, false));
    s.tree.FocusItem(nullptr);
    EXPECT_EQ(s.tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(s.tree.GetSelectedCount(), 0);
}

TEST(MultiTree, Gallery)
{
    STree s;
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.items[2]));
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, Qt::ControlModifier, s.At(s.child));
    s.tree.setFocus();
    shots::GrabAndSave(s.tree, "gallery", "MultiTree");
    const QImage image = shots::Grab(*s.tree.viewport());
    const QColor highlight = s.tree.palette().color(QPalette::Active, QPalette::Highlight);
    for (HTREEITEM item : {s.items[0], s.items[2], s.child}) {
        const QRect text = s.tree.ItemLayout(item).Text;
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, text.right() - 1, text.top() + 3),
                                      highlight, 4))
            << s.tree.GetItemText(item).toStdString();
    }
    const QRect unselected = s.tree.ItemLayout(s.items[1]).Text;
    EXPECT_FALSE(shots::ColourNear(
        shots::PixelAt(image, unselected.right() - 1, unselected.top() + 3), highlight, 4));
}
