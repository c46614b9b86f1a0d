#include "GridTestSupport.h"

#include "grid/TitleTip.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {
// A grid whose cell (2, 2) holds a text far wider than its column and (3, 2) a short one.
struct STipGrid : SShownGrid
{
    STipGrid() : SShownGrid(10, 5, 1, 1)
    {
        grid.SetCellText(2, 2, QStringLiteral("A caption much wider than the column"));
        grid.SetCellText(3, 2, QStringLiteral("Yes"));
        grid.SetFocusCell(5, 1);
        // The mouse starts away from the cells, wherever an earlier test left it.
        MoveTo(QPoint(395, 295));
    }
    CTitleTip* Tip() const { return grid.viewport()->findChild<CTitleTip*>(); }
    bool TipShown() const { return Tip() && Tip()->isVisible(); }
    void MoveTo(QPoint point) { QTest::mouseMove(grid.viewport(), point); }
};
} // namespace

TEST(GridTitleTipTest, ShowsOnlyForTextThatIsCutOffAndGoesWhenTheMouseLeaves)
{
    STipGrid shown;
    shown.MoveTo(shown.Centre(3, 2));
    EXPECT_FALSE(shown.TipShown());

    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    CTitleTip* tip = shown.Tip();
    EXPECT_EQ(tip->GetTitle(), QStringLiteral(" A caption much wider than the column "));
    // Laid over the cell, from its left edge, and wider than it.
    CRect cell;
    shown.grid.GetCellRect(2, 2, cell);
    const QPoint cellTopLeft = shown.grid.viewport()->mapToGlobal(QPoint(cell.left, cell.top));
    EXPECT_EQ(tip->geometry().topLeft(), cellTopLeft);
    EXPECT_GT(tip->width(), cell.Width());
    EXPECT_EQ(tip->height(), cell.Height());

    // Moving inside the cell keeps it; leaving the cell hides it.
    shown.MoveTo(shown.Centre(2, 2) + QPoint(5, 2));
    EXPECT_TRUE(shown.TipShown());
    shown.MoveTo(shown.Centre(3, 2));
    EXPECT_FALSE(shown.TipShown());

    // Disabled title tips show nothing.
    shown.grid.EnableTitleTips(false);
    shown.MoveTo(shown.Centre(2, 2));
    EXPECT_FALSE(shown.TipShown());
}

TEST(GridTitleTipTest, ATipAtTheScreensRightEdgeMovesLeftToShowWhole)
{
    STipGrid shown;
    // The grid's window stands so that the cut cell ends at the screen's right edge.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    CRect cell;
    shown.grid.GetCellRect(2, 2, cell);
    shown.grid.move(area.left(), area.top() + 40);
    QApplication::processEvents();
    const int cellRight = shown.grid.viewport()->mapToGlobal(QPoint(cell.right, 0)).x();
    shown.grid.move(shown.grid.pos() + QPoint(area.right() + 1 - cellRight, 0));
    QApplication::processEvents();
    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    const QRect tip = shown.Tip()->geometry();
    EXPECT_TRUE(area.contains(tip)) << tip.x() << " " << tip.width();
    EXPECT_EQ(tip.right(), area.right());
    EXPECT_EQ(tip.top(), shown.grid.viewport()->mapToGlobal(QPoint(0, cell.top)).y());
}

TEST(GridTitleTipTest, AKeyHidesTheTipAndReachesTheGrid)
{
    STipGrid shown;
    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    shown.Key(Qt::Key_Down);
    EXPECT_FALSE(shown.TipShown());
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(6, 1));
}

TEST(GridTitleTipTest, TheMousePassesThroughTheTipToTheGrid)
{
    STipGrid shown;
    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    CTitleTip* tip = shown.Tip();
    EXPECT_TRUE(tip->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_TRUE(tip->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(tip->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(tip->isActiveWindow());

    // A double click on the cell under the tip is the grid's double click: the tip goes and the
    // cell is edited.
    shown.Click(2, 2);
    shown.owner.Reports.clear();
    QTest::mouseDClick(shown.grid.viewport(), Qt::LeftButton, {}, shown.Centre(2, 2));
    EXPECT_FALSE(shown.TipShown());
    EXPECT_EQ(shown.owner.Codes(), (std::vector<int>{GVN_BEGINLABELEDIT, NM_DBLCLK}));
    EXPECT_NE(shown.OpenEditor(), nullptr);
}

TEST(GridTitleTipTest, NoTipOverTheCellBeingEdited)
{
    STipGrid shown;
    shown.grid.SetFocusCell(2, 2);
    shown.Key(Qt::Key_F2);
    ASSERT_NE(shown.OpenEditor(), nullptr);
    shown.MoveTo(shown.Centre(2, 2));
    EXPECT_FALSE(shown.TipShown());
}

TEST(GridTitleTipTest, ScrollingHidesTheTip)
{
    STipGrid shown;
    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    shown.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_FALSE(shown.TipShown());
}
