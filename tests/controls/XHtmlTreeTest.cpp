#include "controls/XHtmlTree.h"

#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A caption-library tree: a library with two groups of captions.
struct STree
{
    STree()
    {
        tree.resize(320, 300);
        tree.Initialize(true, false);
        tree.SetSmartCheckBoxes(true);
        library = tree.InsertItem(QStringLiteral("Brands"));
        group = tree.InsertItem(QStringLiteral("Bean There"), library);
        first = tree.InsertItem(QStringLiteral("Bean There"), group);
        second = tree.InsertItem(QStringLiteral("Bean-There Coffee"), group);
        other = tree.InsertItem(QStringLiteral("Daily Grind"), library);
        tree.ExpandAll();
        tree.show();
        QApplication::processEvents();
    }
    QPoint CheckBox(HTREEITEM item) { return tree.ItemLayout(item).State.center(); }
    QPoint Label(HTREEITEM item) { return tree.ItemLayout(item).Text.center(); }

    CXHtmlTree tree;
    HTREEITEM library, group, first, second, other;
};

XHTMLTREEDATA Data(bool checked, bool enabled, bool separator, int children, int checkedChildren,
                   int separators)
{
    XHTMLTREEDATA data;
    data.bChecked = checked;
    data.bEnabled = enabled;
    data.bSeparator = separator;
    data.nChildren = children;
    data.nCheckedChildren = checkedChildren;
    data.nSeparators = separators;
    return data;
}

class CToolTipOwner final : public INotifyOwner
{
public:
    LRESULT OnNotify(NMHDR& header) override
    {
        if (header.code == CXHtmlTree::XHTMLTREE_DISPLAY_TOOLTIP)
            Asked.push_back(static_cast<CXHtmlTree::XHTMLTREEMSGDATA&>(header).hItem);
        return Answer;
    }
    LRESULT Answer = 0;
    std::vector<HTREEITEM> Asked;
};

} // namespace

TEST(XHtmlTree, SmartCheckBoxImages)
{
    struct SCase
    {
        const char* Name;
        XHTMLTREEDATA Data;
        bool Smart;
        bool Hot;
        int Image;
    };
    const SCase cases[] = {
        {"separator", Data(true, true, true, 0, 0, 0), true, false, 0},
        {"unchecked leaf", Data(false, true, false, 0, 0, 0), true, false, 1},
        {"checked leaf", Data(true, true, false, 0, 0, 0), true, false, 2},
        {"disabled checked leaf", Data(true, false, false, 0, 0, 0), true, false, 6},
        {"hot unchecked", Data(false, true, false, 0, 0, 0), true, true, 9},
        {"no child checked", Data(true, true, false, 3, 0, 0), true, false, 1},
        {"all but separators checked", Data(false, true, false, 4, 3, 1), true, false, 2},
        {"some checked", Data(false, true, false, 4, 1, 1), true, false, 3},
        {"some checked, disabled, hot", Data(false, false, false, 4, 1, 0), true, true, 15},
        {"not smart: own flag", Data(false, true, false, 4, 4, 0), false, false, 1},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(XHtmlTreeStateImage(test.Data, test.Smart, test.Hot), test.Image) << test.Name;
}

TEST(XHtmlTree, ChildrenDecideTheParentsCheck)
{
    STree s;
    QSignalSpy clicked(&s.tree, &CXHtmlTree::CheckboxClicked);
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.CheckBox(s.first));
    EXPECT_TRUE(s.tree.GetCheck(s.first));
    EXPECT_EQ(s.tree.GetStateImage(s.group), 3);
    EXPECT_FALSE(s.tree.GetCheck(s.group));
    EXPECT_EQ(s.tree.GetSelectedItem(), s.first); // a check selects
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<HTREEITEM>(), s.first);
    EXPECT_EQ(clicked[0][1].toInt(), 1);

    s.tree.SetCheck(s.second, true);
    EXPECT_EQ(s.tree.GetStateImage(s.group), 2);
    EXPECT_TRUE(s.tree.GetCheck(s.group));
    EXPECT_EQ(s.tree.GetStateImage(s.library), 3);

    s.tree.SetCheck(s.first, false);
    EXPECT_EQ(s.tree.GetStateImage(s.group), 3);
    EXPECT_FALSE(s.tree.GetCheck(s.group));
    EXPECT_EQ(s.tree.GetItemDataStruct(s.library)->nCheckedChildren, 1);
}

TEST(XHtmlTree, CheckingAParentChecksItsEnabledDescendantsWithOneReport)
{
    STree s;
    HTREEITEM line = s.tree.InsertSeparator(s.group);
    HTREEITEM off = s.tree.InsertItem(QStringLiteral("Old spelling"), s.group);
    s.tree.EnableItem(off, false);
    QSignalSpy clicked(&s.tree, &CXHtmlTree::CheckboxClicked);
    s.tree.SetCheck(s.library, true);
    EXPECT_TRUE(s.tree.GetCheck(s.group));
    EXPECT_TRUE(s.tree.GetCheck(s.first));
    EXPECT_TRUE(s.tree.GetCheck(s.second));
    EXPECT_TRUE(s.tree.GetCheck(s.other));
    EXPECT_FALSE(s.tree.GetCheck(off));
    EXPECT_FALSE(s.tree.GetCheck(line));
    EXPECT_EQ(s.tree.GetStateImage(off), 5);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<HTREEITEM>(), s.library);

    s.tree.SetCheck(s.library, false);
    EXPECT_FALSE(s.tree.GetCheck(s.first));
    EXPECT_EQ(s.tree.GetItemDataStruct(s.group)->nCheckedChildren, 0);
}

TEST(XHtmlTree, DisabledItemsAreSkippedAndSwallowClicks)
{
    STree s;
    s.tree.EnableItem(s.group, false);
    s.tree.SelectItem(s.library);
    ASSERT_EQ(s.tree.GetSelectedItem(), s.library);
    QTest::keyClick(&s.tree, Qt::Key_Down);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.first);
    QTest::keyClick(&s.tree, Qt::Key_Up);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.library);

    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.Label(s.group));
    EXPECT_EQ(s.tree.GetSelectedItem(), s.library);
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.CheckBox(s.group));
    EXPECT_FALSE(s.tree.GetCheck(s.group));
    EXPECT_EQ(s.tree.GetStateImage(s.group), 5);
    s.tree.SelectItem(s.group);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.library);
    s.tree.SetCheck(s.group, true);
    EXPECT_FALSE(s.tree.GetCheck(s.group));
}

TEST(XHtmlTree, SeparatorsTakeNoTextNoCheckAndNoEdit)
{
    STree s;
    HTREEITEM line = s.tree.InsertSeparator(s.library, s.group);
    EXPECT_FALSE(s.tree.SetItemText(line, QStringLiteral("text")));
    EXPECT_EQ(s.tree.GetStateImage(line), 0);
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.Label(line));
    EXPECT_EQ(s.tree.GetSelectedItem(), line);
    QSignalSpy clicked(&s.tree, &CXHtmlTree::CheckboxClicked);
    QTest::keyClick(&s.tree, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_FALSE(s.tree.EditLabel(line));
    // Space on an ordinary item flips its check.
    s.tree.SelectItem(s.other);
    QTest::keyClick(&s.tree, Qt::Key_Space);
    EXPECT_TRUE(s.tree.GetCheck(s.other));
}

TEST(XHtmlTree, SecondClickOnTheSelectionEditsItsLabel)
{
    STree s;
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.Label(s.other));
    ASSERT_EQ(s.tree.GetSelectedItem(), s.other);
    EXPECT_FALSE(s.tree.IsEditingLabel());
    QCursor::setPos(s.tree.viewport()->mapToGlobal(s.Label(s.other)));
    QTest::mouseClick(s.tree.viewport(), Qt::LeftButton, {}, s.Label(s.other));
    EXPECT_FALSE(s.tree.IsEditingLabel());
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.tree.IsEditingLabel(); }, 1000));

    QSignalSpy edited(&s.tree, &CTreeCtrl::EndLabelEdit);
    auto* editor = s.tree.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral(" Ltd"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the view commits the edit from its event loop
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited[0][1].toString(), QStringLiteral("Daily Grind Ltd"));
    EXPECT_EQ(s.tree.GetItemText(s.other), QStringLiteral("Daily Grind")); // the owner sets it

    s.tree.SetReadOnly(true);
    EXPECT_FALSE(s.tree.EditLabel(s.other));
}

TEST(XHtmlTree, ItemsWithoutAnImageListGetTheNoImageIndex)
{
    CXHtmlTree tree;
    HTREEITEM before = tree.InsertItem(QStringLiteral("before"), 3, 3, TVI_ROOT, TVI_LAST);
    tree.show();
    shots::Grab(tree);
    HTREEITEM after = tree.InsertItem(QStringLiteral("after"), 3, 3, TVI_ROOT, TVI_LAST);
    EXPECT_EQ(tree.GetItemImage(before), 3);
    EXPECT_EQ(tree.GetItemImage(after), CXHtmlTree::kNoImage);
}

TEST(XHtmlTree, FindItemByWholeWordCaseAndDirection)
{
    CXHtmlTree tree;
    HTREEITEM root = tree.InsertItem(QStringLiteral("Animals"));
    HTREEITEM category = tree.InsertItem(QStringLiteral("category"), root);
    HTREEITEM underscore = tree.InsertItem(QStringLiteral("cat_x"), root);
    HTREEITEM sat = tree.InsertItem(QStringLiteral("the cat sat"), root);
    HTREEITEM upper = tree.InsertItem(QStringLiteral("Big CAT"), root);
    struct SCase
    {
        const char* Text;
        bool MatchCase;
        bool Down;
        bool WholeWord;
        bool Wrap;
        HTREEITEM Start;
        HTREEITEM Expected;
    };
    const SCase cases[] = {
        {"cat", false, true, true, false, root, sat},
        {"cat", false, true, false, false, root, category},
        {"cat", true, true, true, false, sat, nullptr},
        {"cat", false, true, true, false, sat, upper},
        {"cat", false, true, true, true, upper, sat},
        {"cat", false, false, true, false, upper, sat},
        {"cat", false, false, true, false, sat, nullptr},
        {"CAT", true, true, true, true, upper, nullptr}, // only the start matches
        {"", false, true, false, true, root, nullptr},
        {"x", false, true, true, true, root, nullptr}, // "cat_x": "_" touches it
        {"x", false, true, false, true, root, underscore},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(testing::Message() << test.Text << " case " << test.MatchCase << " down "
                                        << test.Down << " word " << test.WholeWord);
        EXPECT_EQ(tree.FindItem(QString::fromUtf8(test.Text), test.MatchCase, test.Down,
                                test.WholeWord, test.Wrap, test.Start),
                  test.Expected);
    }
}

TEST(XHtmlTree, DeletingKeepsTheCountsAndFreesTheRecords)
{
    const int before = XHTMLTREEDATA::LiveCount();
    {
        STree s;
        EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before + 5);
        s.tree.SetCheck(s.first, true);
        s.tree.DeleteItem(s.second);
        // The group's only child left is checked: the group is checked.
        EXPECT_TRUE(s.tree.GetCheck(s.group));
        EXPECT_EQ(s.tree.GetItemDataStruct(s.group)->nChildren, 1);
        EXPECT_EQ(s.tree.GetItemDataStruct(s.library)->nChildren, 3);
        EXPECT_EQ(s.tree.GetItemDataStruct(s.library)->nCheckedChildren, 2);
        EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before + 4);

        // A group whose last caption goes keeps its own check instead of turning checked.
        s.tree.SetCheck(s.other, false);
        HTREEITEM empty = s.tree.InsertItem(QStringLiteral("New group"), s.library);
        HTREEITEM caption = s.tree.InsertItem(QStringLiteral("New caption"), empty);
        s.tree.DeleteItem(caption);
        EXPECT_FALSE(s.tree.GetCheck(empty));
        EXPECT_EQ(s.tree.GetStateImage(empty), 1);

        s.tree.DeleteAllItems();
        EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before);
        EXPECT_EQ(s.tree.topLevelItemCount(), 0);
    }
    EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before);
}

TEST(XHtmlTree, ExpandingReportsTheNewState)
{
    STree s;
    QSignalSpy expanded(&s.tree, &CXHtmlTree::ItemExpanded);
    s.tree.Expand(s.group, TVE_COLLAPSE);
    EXPECT_FALSE(s.tree.IsExpanded(s.group));
    s.tree.Expand(s.group, TVE_TOGGLE);
    EXPECT_TRUE(s.tree.IsExpanded(s.group));
    s.tree.Expand(s.group, TVE_EXPAND); // no change, no report
    ASSERT_EQ(expanded.count(), 2);
    EXPECT_FALSE(expanded[0][1].toBool());
    EXPECT_TRUE(expanded[1][1].toBool());
    EXPECT_TRUE(s.tree.GetItemDataStruct(s.group)->bHasBeenExpanded);
    // A double click on an item with children flips it.
    QTest::mouseDClick(s.tree.viewport(), Qt::LeftButton, {}, s.Label(s.group));
    EXPECT_FALSE(s.tree.IsExpanded(s.group));
    EXPECT_EQ(expanded.count(), 3);
}

TEST(XHtmlTree, ASubtreeMadeApartGoesInWithItsRecords)
{
    const int before = XHTMLTREEDATA::LiveCount();
    {
        STree s;
        s.tree.SetCheck(s.library, true);
        HTREEITEM group = s.tree.CreateItem(QStringLiteral("Daily Grind"), 1, 1);
        group->addChildren({s.tree.CreateItem(QStringLiteral("Daily Grind"), 2, 2),
                            s.tree.CreateItem(QStringLiteral("The Daily Grind"), 2, 2)});
        ASSERT_EQ(s.tree.InsertSubtree(group, s.library, s.group), group);
        EXPECT_EQ(s.tree.GetParentItem(group), s.library);
        EXPECT_EQ(s.tree.GetNextSiblingItem(s.group), group);
        EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before + 5 + 3);
        // The counts take the new items, unchecked: the library is no longer all checked.
        EXPECT_EQ(s.tree.GetItemDataStruct(group)->nChildren, 2);
        EXPECT_EQ(s.tree.GetItemDataStruct(s.library)->nChildren, 7);
        EXPECT_FALSE(s.tree.GetCheck(s.library));
        EXPECT_EQ(s.tree.GetStateImage(s.library), 3);
        s.tree.SetCheck(group, true);
        EXPECT_TRUE(s.tree.GetCheck(s.tree.GetChildItem(group)));
        EXPECT_TRUE(s.tree.GetCheck(s.library));
        // An item already in a tree is refused.
        EXPECT_EQ(s.tree.InsertSubtree(s.group), nullptr);

        // Deleting everything reports the collapses and leaves no record.
        s.tree.ExpandAll();
        QSignalSpy expanded(&s.tree, &CXHtmlTree::ItemExpanded);
        s.tree.DeleteAllItems();
        EXPECT_EQ(expanded.count(), 3);
        EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before);
    }
    EXPECT_EQ(XHTMLTREEDATA::LiveCount(), before);
}

TEST(XHtmlTree, ToolTipsAskTheOwner)
{
    STree s;
    CToolTipOwner owner;
    s.tree.SetOwner(&owner);
    s.tree.GetItemDataStruct(s.other)->strToolTip = QStringLiteral("A chain of coffee shops");
    shots::Grab(s.tree);
    EXPECT_EQ(s.tree.OnToolTipText(s.Label(s.other)), QStringLiteral("A chain of coffee shops"));
    ASSERT_EQ(owner.Asked.size(), 1u);
    EXPECT_EQ(owner.Asked[0], s.other);
    // A short text shown whole needs no tip; the owner can refuse one.
    EXPECT_TRUE(s.tree.OnToolTipText(s.Label(s.first)).isEmpty());
    owner.Answer = 1;
    EXPECT_TRUE(s.tree.OnToolTipText(s.Label(s.other)).isEmpty());
    s.tree.GetItemDataStruct(s.other)->strToolTip = QString(100, u'x');
    owner.Answer = 0;
    EXPECT_EQ(s.tree.OnToolTipText(s.Label(s.other)).size(), 78);
}

TEST(XHtmlTree, Gallery)
{
    STree s;
    s.tree.SetCheck(s.first, true);
    HTREEITEM line = s.tree.InsertSeparator(s.library);
    HTREEITEM off = s.tree.InsertItem(QStringLiteral("Disabled caption"), s.library);
    s.tree.EnableItem(off, false);
    XHTMLTREEDATA& bold = *s.tree.GetItemDataStruct(s.other);
    bold.bBold = true;
    bold.crText = RGB(160, 0, 0);
    s.tree.SelectItem(s.second);
    s.tree.setFocus();
    shots::GrabAndSave(s.tree, "gallery", "XHtmlTree");
    const QImage image = shots::Grab(*s.tree.viewport());
    // The partly checked group and the checked caption show different boxes; the separator is
    // a grey line.
    const QRect groupBox = s.tree.ItemLayout(s.group).State;
    const QRect firstBox = s.tree.ItemLayout(s.first).State;
    EXPECT_NE(image.copy(groupBox), image.copy(firstBox));
    const CTreeCtrl::SItemLayout separator = s.tree.ItemLayout(line);
    const QColor grey = ColorRefToQColor(GetSysColor(COLOR_GRAYTEXT));
    EXPECT_TRUE(
        shots::ColourNear(shots::PixelAt(image, separator.Text.left() + 20,
                                         separator.Text.top() + separator.Text.height() / 2),
                          grey, 4));
    // The selected caption is highlighted.
    const QRect selected = s.tree.ItemLayout(s.second).Text;
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, selected.right() - 1, selected.top() + 2),
                                  ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT)), 4));
}
