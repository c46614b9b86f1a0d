#include "GridTestSupport.h"

#include "grid/TitleTip.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <cmath>

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

TEST(GridTitleTipTest, ATextCutByAFewPixelsGetsItsTipAndAWholeOneNone)
{
    // The grid draws a text inside the cell's grid line and margins, and inside the frame of a
    // heading cell or of the focus cell: the text is cut as soon as it is wider than what they
    // leave, even by a pixel.
    struct SCase
    {
        const char* What;
        int Row;
        int Col;
        int Frame; // the pixels the frame or the grid line takes from the width
    };
    const SCase cases[] = {
        {"heading", 0, 2, 2},
        {"plain", 2, 2, 1},
        {"focus", 3, 2, 2},
    };
    for (const SCase& test : cases) {
        for (const bool cut : {false, true}) {
            STipGrid shown;
            const QString text = QStringLiteral("Entry Code");
            shown.grid.SetCellText(test.Row, test.Col, text);
            // The focus stays at (5, 1) but in the focus case: no heading of column 2 is sunk.
            if (test.Row == 3)
                shown.grid.SetFocusCell(test.Row, test.Col);
            const CGridCellBase* cell = shown.grid.GetCell(test.Row, test.Col);
            const int textWidth =
                int(std::ceil(QFontMetricsF(cell->GetFontObject()).horizontalAdvance(text)));
            // The cell rectangle's right edge is its last pixel column.
            const int whole = textWidth + 2 * int(cell->GetMargin()) + test.Frame + 1;
            shown.grid.SetColumnWidth(test.Col, cut ? whole - 1 : whole);
            shown.grid.viewport()->repaint();
            shown.MoveTo(shown.Centre(test.Row, test.Col));
            EXPECT_EQ(shown.TipShown(), cut) << test.What << (cut ? " cut" : " whole");
            if (cut && shown.TipShown())
                EXPECT_EQ(shown.Tip()->GetTitle(), QStringLiteral(" Entry Code ")) << test.What;
        }
    }
}

TEST(GridTitleTipTest, ALeaveWhileThePointerStaysOnTheCellKeepsTheTip)
{
    // A window system may say that the pointer left the grid for the tip just shown under it.
    STipGrid shown;
    shown.MoveTo(shown.Centre(2, 2));
    ASSERT_TRUE(shown.TipShown());
    QWidget* viewport = shown.grid.viewport();
    QCursor::setPos(viewport->mapToGlobal(shown.Centre(2, 2)));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport, &leave);
    EXPECT_TRUE(shown.TipShown());

    // The pointer gone from the cell: the leave takes the tip away.
    QCursor::setPos(viewport->mapToGlobal(shown.Centre(5, 3)));
    QApplication::sendEvent(viewport, &leave);
    EXPECT_FALSE(shown.TipShown());
}
