#include "controls/XListCtrl.h"

#include "widgets/Screenshots.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A list of the six question methods of the new-volume wizard: a check box and a name per row.
struct SList
{
    SList()
    {
        list.resize(300, 220);
        list.InsertColumn(0, QStringLiteral("Enable"));
        list.InsertColumn(1, QStringLiteral("Matching method"));
        const char* names[] = {"Internal code", "Shortcut", "Short caption",
                               "Long caption",  "Manual",   "User data"};
        for (int i = 0; i < 6; ++i) {
            const int row = list.InsertItem(i, QString());
            list.SetCheckbox(row, 0, i == 1 ? 1 : 0);
            list.SetItemText(row, 1, QString::fromLatin1(names[i]));
            list.SetItemData(row, quintptr(100 + i));
            list.SetItemToolTipText(row, 1, QStringLiteral("tip %1").arg(i));
        }
        list.show();
        QApplication::processEvents();
    }

    QRect Cell(int row, int column)
    {
        const QRect rowRect = list.visualItemRect(list.topLevelItem(row));
        return QRect(list.header()->sectionViewportPosition(column), rowRect.top(),
                     list.header()->sectionSize(column), rowRect.height());
    }
    // Where the style puts the check box of a cell.
    QPoint CheckBox(int row, int column)
    {
        QStyleOptionViewItem option;
        option.initFrom(list.viewport());
        option.rect = Cell(row, column);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        return list.style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
            .center();
    }
    void Click(const QPoint& point)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
    }

    CXListCtrl list;
};

} // namespace

TEST(XListCtrlTest, ReportsTheChecksTheUserChangesButNotTheCallsOwn)
{
    SList s;
    QSignalSpy checks(&s.list, &CXListCtrl::CheckboxClicked);
    s.list.SetCheckbox(3, 0, 1);
    s.list.SetCheckbox(3, 0, 0);
    EXPECT_EQ(checks.count(), 0);

    s.Click(s.CheckBox(2, 0));
    ASSERT_EQ(checks.count(), 1);
    EXPECT_EQ(checks[0], (QVariantList{2, 0, 1}));
    EXPECT_EQ(s.list.GetCheckbox(2, 0), 1);

    // Space toggles the current row's box; a click on the text only selects the row.
    s.list.SetCurSel(1);
    QTest::keyClick(s.list.viewport(), Qt::Key_Space);
    ASSERT_EQ(checks.count(), 2);
    EXPECT_EQ(checks[1], (QVariantList{1, 0, 0}));
    s.Click(s.Cell(4, 1).center());
    EXPECT_EQ(checks.count(), 2);
    EXPECT_EQ(s.list.GetCurSel(), 4);
    EXPECT_EQ(s.list.GetCheckbox(4, 0), 0);

    // A cell without a box has none; taking a box away is not a check change either.
    EXPECT_EQ(s.list.GetCheckbox(4, 1), -1);
    s.list.SetCheckbox(4, 0, -1);
    EXPECT_EQ(s.list.GetCheckbox(4, 0), -1);
    EXPECT_EQ(checks.count(), 2);

    QSignalSpy headers(&s.list, &CXListCtrl::HeaderClicked);
    QTest::mouseClick(
        s.list.header()->viewport(), Qt::LeftButton, {},
        QPoint(s.list.header()->sectionViewportPosition(1) + 20, s.list.header()->height() / 2));
    ASSERT_EQ(headers.count(), 1);
    EXPECT_EQ(headers[0][0].toInt(), 1);
    EXPECT_EQ(s.list.GetCheckbox(0, 0), 0); // nothing ticked by it
}

TEST(XListCtrlTest, DisabledRowsCanBeNeitherCheckedNorSelected)
{
    SList s;
    s.list.SetCurSel(2);
    ASSERT_TRUE(s.list.SetEnabled(2, false));
    EXPECT_FALSE(s.list.GetEnabled(2));
    EXPECT_EQ(s.list.GetCurSel(), -1); // its selection went with it

    QSignalSpy checks(&s.list, &CXListCtrl::CheckboxClicked);
    s.Click(s.CheckBox(2, 0));
    s.Click(s.Cell(2, 1).center());
    EXPECT_EQ(checks.count(), 0);
    EXPECT_EQ(s.list.GetCheckbox(2, 0), 0);
    EXPECT_EQ(s.list.GetCurSel(), -1);
    EXPECT_FALSE(s.list.SetCurSel(2));
    EXPECT_FALSE(s.list.EditLabel(2));

    // Enabled again, it takes both.
    s.list.SetEnabled(2, true);
    s.Click(s.CheckBox(2, 0));
    EXPECT_EQ(checks.count(), 1);
    EXPECT_TRUE(s.list.SetCurSel(2));
    EXPECT_EQ(s.list.GetCurSel(), 2);

    // Rows out of range are refused.
    EXPECT_FALSE(s.list.SetEnabled(6, false));
    EXPECT_FALSE(s.list.SetCheckbox(-1, 0, 1));
    EXPECT_EQ(s.list.GetItemData(9), 0u);
}

TEST(XListCtrlTest, AMovedRowKeepsEverything)
{
    SList s;
    s.list.SetEnabled(0, false);
    s.list.SetItemText(0, 1, LPSTR_TEXTCALLBACK);
    s.list.SetTextCallback([](int row, int column, quintptr data) {
        return QStringLiteral("row %1 column %2 data %3").arg(row).arg(column).arg(data);
    });
    EXPECT_EQ(s.list.GetItemText(0, 1), QStringLiteral("row 0 column 1 data 100"));

    ASSERT_TRUE(s.list.MoveItem(1, 4)); // Shortcut, ticked, to the fifth place
    ASSERT_TRUE(s.list.MoveItem(0, 5)); // the disabled callback row to the end
    const QStringList order = {"Short caption", "Long caption", "Manual",
                               "Shortcut",      "User data",    "row 5 column 1 data 100"};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(s.list.GetItemText(row, 1), order[row]) << row;
    EXPECT_EQ(s.list.GetCheckbox(3, 0), 1);
    EXPECT_EQ(s.list.GetItemData(3), 101u);
    EXPECT_EQ(s.list.GetItemToolTipText(3, 1), QStringLiteral("tip 1"));
    EXPECT_TRUE(s.list.GetEnabled(3));
    EXPECT_FALSE(s.list.GetEnabled(5));
    EXPECT_EQ(s.list.GetItemData(5), 100u);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(s.list.GetCheckbox(row, 0), row == 3 ? 1 : 0) << row;

    // The moved row still reports its own box.
    QSignalSpy checks(&s.list, &CXListCtrl::CheckboxClicked);
    s.Click(s.CheckBox(3, 0));
    ASSERT_EQ(checks.count(), 1);
    EXPECT_EQ(checks[0], (QVariantList{3, 0, 0}));
    EXPECT_FALSE(s.list.MoveItem(2, 6));
}

TEST(XListCtrlTest, DraggingARowOntoAnotherReportsTheDrop)
{
    SList s;
    QSignalSpy drops(&s.list, &CXListCtrl::RowDropped);
    const auto dragTo = [&s](int from, const QPoint& end) {
        const QPoint start = s.Cell(from, 1).center();
        QTest::mousePress(s.list.viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(end),
                         s.list.viewport()->mapToGlobal(QPointF(end)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(s.list.viewport(), &move);
        QTest::mouseRelease(s.list.viewport(), Qt::LeftButton, {}, end);
    };
    const auto drag = [&](int from, int onto) { dragTo(from, s.Cell(onto, 1).center()); };
    // Without row dragging the list only selects.
    drag(1, 4);
    EXPECT_EQ(drops.count(), 0);

    s.list.SetRowDragging(true);
    drag(1, 4);
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0], (QVariantList{1, 4}));
    // The list itself moved nothing.
    EXPECT_EQ(s.list.GetItemText(1, 1), QStringLiteral("Shortcut"));

    // A click that does not move, or a drop on the row itself, is no drop.
    s.Click(s.Cell(2, 1).center());
    drag(3, 3);
    EXPECT_EQ(drops.count(), 1);

    // Below the last row, the drop is onto the end.
    dragTo(1, s.Cell(5, 1).center() + QPoint(0, s.Cell(5, 1).height() * 2));
    ASSERT_EQ(drops.count(), 2);
    EXPECT_EQ(drops[1], (QVariantList{1, 6}));
}

TEST(XListCtrlTest, LabelEditsGoToTheOwnerAndColumnsFollowTheWidth)
{
    CXListCtrl list;
    list.resize(502, 200);
    list.InsertColumn(0, QStringLiteral("Volume name"));
    list.InsertColumn(1, QStringLiteral("Relative size"));
    list.InsertColumn(2, QStringLiteral("Inheritance compatibility"));
    list.SetColumnWidthPercents({45, 20});
    list.InsertItem(0, QStringLiteral("Spring - Online"));
    list.show();
    QApplication::processEvents();
    const int width = list.viewport()->width() - 2;
    EXPECT_EQ(list.columnWidth(0), width * 45 / 100);
    EXPECT_EQ(list.columnWidth(1), width * 20 / 100);
    EXPECT_EQ(list.columnWidth(2), width - list.columnWidth(0) - list.columnWidth(1));
    list.resize(702, 200);
    QApplication::processEvents();
    EXPECT_EQ(list.columnWidth(0), (list.viewport()->width() - 2) * 45 / 100);
    // Narrower than a heading's share would show it: the column keeps the heading's width.
    list.resize(302, 200);
    QApplication::processEvents();
    const int narrow = list.viewport()->width() - 2;
    ASSERT_GT(list.header()->sectionSizeHint(1), narrow * 20 / 100);
    EXPECT_EQ(list.columnWidth(1), list.header()->sectionSizeHint(1)) << "\"Relative size\" is cut";
    EXPECT_EQ(list.columnWidth(0), narrow * 45 / 100);
    list.resize(502, 200);
    QApplication::processEvents();

    QSignalSpy edits(&list, &CXListCtrl::EndLabelEdit);
    ASSERT_TRUE(list.EditLabel(0));
    auto* editor = list.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Spring - Web"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the edit is committed by a queued call
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0], (QVariantList{0, QStringLiteral("Spring - Web")}));
    EXPECT_EQ(list.GetItemText(0, 0), QStringLiteral("Spring - Online"));
}
