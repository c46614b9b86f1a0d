#include "GridTestSupport.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

namespace {
using R = CRecordingOwner::SReport;
} // namespace

TEST(GridInputTest, ClickSelectsTheCellAndReportsInOrder)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.Click(2, 3);
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{GVN_SELCHANGING, 2, 3},
                                                   {GVN_SELCHANGED, 2, 3},
                                                   {GVN_SELCHANGED, 2, 3},
                                                   {NM_CLICK, 2, 3}}));
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(2, 3));
    EXPECT_TRUE(shown.grid.IsCellSelected(2, 3));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 1);
}

TEST(GridInputTest, ShiftClickInCellModeSelectsOnlyTheCellAndInRowModeTheRows)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.Click(2, 2);
    shown.owner.Reports.clear();
    shown.Click(4, 3, Qt::ShiftModifier);
    EXPECT_EQ(shown.owner.Codes(),
              (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED, GVN_SELCHANGED, NM_CLICK}));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 1);
    EXPECT_TRUE(shown.grid.IsCellSelected(4, 3));

    SShownGrid list(10, 5, 1, 1);
    list.grid.SetListMode(true);
    list.Click(2, 2);
    list.Click(4, 3, Qt::ShiftModifier);
    EXPECT_EQ(list.grid.GetSelectedRange(), CCellIDRange(2, 1, 4, 4));
    EXPECT_EQ(list.grid.GetSelectedCount(), 12);
}

TEST(GridInputTest, CtrlClickOnASelectedCellDeselectsItAndMovesTheFocus)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.grid.SetSelectedRange(1, 1, 3, 3);
    shown.grid.SetFocusCell(1, 1);
    shown.owner.Reports.clear();
    shown.Click(2, 2, Qt::ControlModifier);
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{GVN_SELCHANGED, 2, 2}, {NM_CLICK, 2, 2}}));
    EXPECT_FALSE(shown.grid.IsCellSelected(2, 2));
    EXPECT_TRUE(shown.grid.IsCellSelected(3, 3));
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(2, 2));
}

TEST(GridInputTest, RightClickOnAFixedCellFocusesTheFirstCellOfItsRow)
{
    SShownGrid shown(10, 5, 1, 1);
    QTest::mouseClick(shown.grid.viewport(), Qt::RightButton, {}, shown.Centre(3, 0));
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{NM_RCLICK, 3, 0}}));
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(3, 1));

    shown.owner.Reports.clear();
    QTest::mouseClick(shown.grid.viewport(), Qt::RightButton, {}, QPoint(380, 280));
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{NM_RCLICK, -1, -1}}));
}

TEST(GridInputTest, DoubleClickReportsAfterTheClick)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.grid.SetEditable(false);
    QWidget* viewport = shown.grid.viewport();
    const QPoint point = shown.Centre(2, 2);
    // What a double click delivers: press, release, double click, release.
    QTest::mousePress(viewport, Qt::LeftButton, {}, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, point, viewport->mapToGlobal(point),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dbl);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{GVN_SELCHANGING, 2, 2},
                                                   {GVN_SELCHANGED, 2, 2},
                                                   {GVN_SELCHANGED, 2, 2},
                                                   {NM_CLICK, 2, 2},
                                                   {NM_DBLCLK, 2, 2},
                                                   {GVN_SELCHANGED, 2, 2},
                                                   {NM_CLICK, 2, 2}}));
}

TEST(GridInputTest, SelectAllReportsChangingAndChangedTwice)
{
    SShownGrid shown(6, 4, 1, 1);
    shown.Click(2, 2);
    shown.owner.Reports.clear();
    shown.Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(
        shown.owner.Reports,
        (std::vector<R>{{GVN_SELCHANGING, 2, 2}, {GVN_SELCHANGED, 5, 3}, {GVN_SELCHANGED, 2, 2}}));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 5 * 3);
}

TEST(GridInputTest, ClickingTheFixedCornerSelectsAllAndAHeadingItsColumn)
{
    SShownGrid shown(6, 4, 1, 1);
    shown.Click(0, 0);
    EXPECT_EQ(shown.grid.GetSelectedCount(), 5 * 3);
    shown.Click(0, 2);
    EXPECT_EQ(shown.grid.GetSelectedRange(), CCellIDRange(1, 2, 5, 2));
    shown.Click(3, 0);
    EXPECT_EQ(shown.grid.GetSelectedRange(), CCellIDRange(3, 1, 3, 3));
}

TEST(GridInputTest, ClearingTheSelectionReportsNoCell)
{
    SShownGrid shown(6, 4, 1, 1);
    shown.grid.SetSelectedRange(1, 1, 2, 2);
    shown.owner.Reports.clear();
    shown.grid.ClearSelection();
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{GVN_SELCHANGED, -1, -1}}));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 0);
}

TEST(GridInputTest, KeysMoveOverZeroSizeRowsAndColumns)
{
    struct Case
    {
        const char* Name;
        CCellID Start;
        int Key;
        Qt::KeyboardModifiers Modifiers;
        CCellID Expected;
    };
    // Rows 3 and 4 and column 2 are hidden; row 0 and column 0 are fixed.
    const Case cases[] = {
        {"down over hidden rows", {2, 1}, Qt::Key_Down, {}, {5, 1}},
        {"up over hidden rows", {5, 1}, Qt::Key_Up, {}, {2, 1}},
        {"up stops at the fixed rows", {1, 1}, Qt::Key_Up, {}, {1, 1}},
        {"down at the last row", {7, 1}, Qt::Key_Down, {}, {7, 1}},
        {"right over a hidden column", {1, 1}, Qt::Key_Right, {}, {1, 3}},
        {"left over a hidden column", {1, 3}, Qt::Key_Left, {}, {1, 1}},
        {"left stops at the fixed columns", {1, 1}, Qt::Key_Left, {}, {1, 1}},
        {"tab changes line", {2, 4}, Qt::Key_Tab, {}, {5, 1}},
        {"shift-tab changes line", {5, 1}, Qt::Key_Backtab, Qt::ShiftModifier, {2, 4}},
        {"home", {5, 4}, Qt::Key_Home, {}, {5, 1}},
        {"ctrl-home", {5, 4}, Qt::Key_Home, Qt::ControlModifier, {1, 1}},
        {"end", {5, 1}, Qt::Key_End, {}, {5, 4}},
        {"ctrl-end", {1, 1}, Qt::Key_End, Qt::ControlModifier, {7, 4}},
    };
    for (const Case& c : cases) {
        SShownGrid shown(8, 5, 1, 1);
        shown.grid.SetRowHeight(3, 0);
        shown.grid.SetRowHeight(4, 0);
        shown.grid.SetColumnWidth(2, 0);
        shown.grid.SetFocusCell(c.Start);
        shown.Key(c.Key, c.Modifiers);
        EXPECT_EQ(shown.grid.GetFocusCell(), c.Expected) << c.Name;
    }
}

TEST(GridInputTest, TabOnTheLastCellIsLeftToTheWindowAndTheFocusStays)
{
    SShownGrid shown(4, 3, 1, 1);
    shown.grid.SetFocusCell(3, 2);
    shown.Key(Qt::Key_Tab);
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(3, 2));
}

TEST(GridInputTest, KeyMovesSelectTheCellReached)
{
    SShownGrid shown(8, 5, 1, 1);
    shown.Click(2, 2);
    shown.owner.Reports.clear();
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(
        shown.owner.Reports,
        (std::vector<R>{{GVN_SELCHANGING, 3, 2}, {GVN_SELCHANGED, 3, 2}, {GVN_SELCHANGED, 3, 2}}));
    EXPECT_TRUE(shown.grid.IsCellSelected(3, 2));
    EXPECT_FALSE(shown.grid.IsCellSelected(2, 2));
    // Shift keeps the start cell; in list mode the rows between are selected.
    shown.grid.SetListMode(true);
    shown.grid.SetFocusCell(2, 2);
    shown.Click(2, 2);
    shown.Key(Qt::Key_Down, Qt::ShiftModifier);
    shown.Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(shown.grid.GetSelectedRange(), CCellIDRange(2, 1, 4, 4));
}

TEST(GridInputTest, WheelTurnsNotchesIntoLineOrPageSteps)
{
    struct Case
    {
        int LinesPerNotch;
        int Start;
        int Delta;
        int Expected;
    };
    // Rows of 20 pixels; a page is the client height below the fixed row.
    const Case cases[] = {
        {3, 0, -240, 6 * 20}, {3, 200, 60, 180}, {3, 200, 39, 200}, {3, 0, 120, 0},
        {1, 0, -120, 20},     {-1, 0, 60, 0},    {-1, 0, -120, -1}, {-1, 400, 120, -2},
    };
    for (const Case& c : cases) {
        SShownGrid shown(100, 3, 1, 1);
        const int page = shown.grid.GetClientRect().Height() - 20;
        shown.grid.SetMouseScrollLines(c.LinesPerNotch);
        shown.grid.SetScrollPos32(SB_VERT, c.Start);
        shown.grid.OnMouseWheel(c.Delta);
        int expected = c.Expected;
        if (expected == -1)
            expected = page;
        else if (expected == -2)
            expected = 400 - page;
        EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), expected)
            << c.LinesPerNotch << " " << c.Delta;
    }
}

TEST(GridInputTest, LineStepsSkipHiddenRowsAndStopAtTheEnds)
{
    SShownGrid shown(50, 3, 1, 1);
    shown.grid.SetRowHeight(1, 0);
    shown.grid.SetRowHeight(2, 35);
    shown.grid.ResetScrollBars();
    shown.grid.OnVScroll(SB_LINEUP);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 0);
    shown.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 35); // past the hidden row, by row 2
    EXPECT_EQ(shown.grid.GetTopLeftNonFixedCell().row, 3);
    shown.grid.OnVScroll(SB_LINEUP);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 0);
    shown.grid.OnVScroll(SB_BOTTOM);
    const int bottom = shown.grid.GetScrollPos32(SB_VERT);
    EXPECT_EQ(bottom, shown.grid.verticalScrollBar()->maximum());
    shown.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), bottom);
}

TEST(GridInputTest, EnsureVisibleReachesWhereTheLineStepsWould)
{
    std::mt19937 random(17);
    for (int round = 0; round < 30; ++round) {
        const int rows = 40 + int(random() % 200);
        std::vector<int> heights(rows);
        for (int& height : heights)
            height = random() % 4 == 0 ? 0 : 5 + int(random() % 40);
        SShownGrid fast(rows, 3, 1, 1);
        SShownGrid reference(rows, 3, 1, 1);
        for (int row = 0; row < rows; ++row) {
            fast.grid.SetRowHeight(row, heights[row]);
            reference.grid.SetRowHeight(row, heights[row]);
        }
        // Some rounds start from a position inside a row.
        const int start = round % 3 == 0 ? int(random() % 300) : 0;
        fast.grid.SetScrollPos32(SB_VERT, start);
        reference.grid.SetScrollPos32(SB_VERT, start);
        const int target = int(random() % rows);

        fast.grid.EnsureVisible(target, 1);

        // The reference: one line step per non-zero row between the visible range and the
        // target, then line steps while the row reaches past the bottom.
        CGridCtrl& ref = reference.grid;
        const CCellIDRange range = ref.GetVisibleNonFixedCellRange();
        if (target > range.GetMaxRow()) {
            for (int row = range.GetMaxRow() + 1; row <= target; ++row)
                if (heights[row] > 0)
                    ref.OnVScroll(SB_LINEDOWN);
        } else if (target < range.GetMinRow()) {
            for (int row = range.GetMinRow() - 1; row >= target; --row)
                if (heights[row] > 0)
                    ref.OnVScroll(SB_LINEUP);
        }
        CRect rect;
        const CRect client = ref.GetClientRect();
        while (ref.GetCellRect(target, 1, rect) && rect.bottom > client.bottom &&
               rect.top > ref.GetFixedRowsHeight()) {
            const int before = ref.GetScrollPos32(SB_VERT);
            ref.OnVScroll(SB_LINEDOWN);
            if (ref.GetScrollPos32(SB_VERT) == before)
                break;
        }
        EXPECT_EQ(fast.grid.GetScrollPos32(SB_VERT), ref.GetScrollPos32(SB_VERT))
            << "round " << round << " target " << target << " start " << start;
    }
}

TEST(GridInputTest, EnsureVisibleOfAShownCellDoesNotScroll)
{
    SShownGrid shown(100, 3, 1, 1);
    shown.grid.SetScrollPos32(SB_VERT, 200);
    const CCellIDRange range = shown.grid.GetVisibleNonFixedCellRange();
    shown.grid.EnsureVisible(range.GetMinRow() + 1, 1);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 200);
    shown.grid.EnsureVisible(99, 1);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), shown.grid.verticalScrollBar()->maximum());
    shown.grid.EnsureVisible(3, 1);
    EXPECT_EQ(shown.grid.GetTopLeftNonFixedCell().row, 3);
}

TEST(GridInputTest, DraggingADividerResizesAndHidesOnlyWhenAllowed)
{
    for (const bool allowHide : {true, false}) {
        SShownGrid shown(5, 4, 1, 1);
        shown.grid.EnableColumnHide(allowHide);
        // The divider between columns 1 and 2 in the heading row, at x = 120.
        QWidget* viewport = shown.grid.viewport();
        QTest::mouseMove(viewport, QPoint(119, 10));
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(119, 10));
        EXPECT_EQ(shown.grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);
        QTest::mouseMove(viewport, QPoint(40, 10));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(40, 10));
        EXPECT_EQ(shown.grid.GetColumnWidth(1), allowHide ? 0 : 1) << allowHide;
        EXPECT_EQ(shown.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
    }
    SShownGrid shown(5, 4, 1, 1);
    QWidget* viewport = shown.grid.viewport();
    QTest::mouseMove(viewport, QPoint(179, 10));
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(179, 10));
    QTest::mouseMove(viewport, QPoint(230, 10));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(230, 10));
    EXPECT_EQ(shown.grid.GetColumnWidth(2), 230 - 120);
}

TEST(GridInputTest, DraggingBelowTheGridAutoScrollsUntilRelease)
{
    SShownGrid shown(100, 3, 1, 1, QSize(300, 150));
    QWidget* viewport = shown.grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, shown.Centre(2, 1));
    const QPoint below(shown.Centre(2, 1).x(), viewport->height() + 20);
    QMouseEvent move(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::qWait(400);
    const int row = shown.grid.GetFocusCell().row;
    EXPECT_GT(row, 4);
    EXPECT_GT(shown.grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_GE(shown.grid.GetSelectedCount(), 1);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    const int stopped = shown.grid.GetFocusCell().row;
    QTest::qWait(100);
    EXPECT_EQ(shown.grid.GetFocusCell().row, stopped);
}

TEST(GridInputTest, AClickOnTheFocusCellsTextAsksToEditOnRelease)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.Click(2, 2);
    shown.owner.Reports.clear();
    QWidget* viewport = shown.grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, shown.Centre(2, 2));
    EXPECT_TRUE(shown.owner.Reports.empty());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, shown.Centre(2, 2));
    EXPECT_EQ(shown.owner.Reports, (std::vector<R>{{GVN_BEGINLABELEDIT, 2, 2}}));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 1);
    EXPECT_TRUE(shown.grid.IsCellSelected(2, 2));
}

TEST(GridInputTest, HoverReportsTheCellUnderTheMouse)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.owner.KeepHover = true;
    QTest::mouseMove(shown.grid.viewport(), shown.Centre(3, 2));
    QTest::mouseMove(shown.grid.viewport(), QPoint(380, 280));
    ASSERT_GE(shown.owner.Reports.size(), 2u);
    EXPECT_EQ(shown.owner.Reports[shown.owner.Reports.size() - 2], (R{GVN_HOVER, 3, 2}));
    EXPECT_EQ(shown.owner.Reports.back(), (R{GVN_HOVER, -1, -1}));
}

TEST(GridInputTest, GridCommandFollowsAReleaseOnACell)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.grid.SetDlgCtrlID(1234);
    std::vector<int> commands;
    QObject::connect(&shown.grid, &CGridCtrl::GridCommand, [&](int id) { commands.push_back(id); });
    shown.Click(2, 2);
    EXPECT_EQ(commands, std::vector<int>{1234});
    QTest::mouseClick(shown.grid.viewport(), Qt::LeftButton, {}, QPoint(380, 280));
    EXPECT_EQ(commands.size(), 1u);
}

TEST(GridInputTest, EndingAnEditWithTheDownKeyEditsTheCellBelow)
{
    SShownGrid shown(10, 5, 1, 1);
    shown.grid.SetFocusCell(2, 2);
    shown.owner.Reports.clear();
    GV_DISPINFO record;
    record.item.row = 2;
    record.item.col = 2;
    record.item.strText = QStringLiteral("typed");
    record.item.lParam = 0x28; // Down
    shown.grid.OnEndInPlaceEdit(record);
    EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("typed"));
    EXPECT_TRUE(shown.grid.GetModified(2, 2));
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(3, 2));
    ASSERT_FALSE(shown.owner.Reports.empty());
    EXPECT_EQ(shown.owner.Reports.front(), (R{GVN_ENDLABELEDIT, 2, 2}));
    EXPECT_EQ(shown.owner.Reports.back(), (R{GVN_BEGINLABELEDIT, 3, 2}));

    // An unchanged text sends no end of edit and leaves the cell unmodified.
    shown.grid.SetModified(false);
    shown.owner.Reports.clear();
    record.item.row = 3;
    record.item.strText = shown.grid.GetCellText(3, 2);
    record.item.lParam = 0x0D; // Enter: the edit ends there
    shown.grid.OnEndInPlaceEdit(record);
    EXPECT_TRUE(shown.owner.Reports.empty());
    EXPECT_FALSE(shown.grid.GetModified(3, 2));
}

TEST(GridInputTest, ScrollBarArrowsTakeTheGridsLineSteps)
{
    SShownGrid shown(100, 3, 1, 1);
    shown.grid.SetRowHeight(1, 0);
    shown.grid.SetRowHeight(2, 37);
    shown.grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 37);
    shown.grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 57);
    shown.grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), 37);
    shown.grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(shown.grid.GetScrollPos32(SB_VERT), shown.grid.verticalScrollBar()->maximum());
}
