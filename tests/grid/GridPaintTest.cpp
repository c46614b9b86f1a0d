#include "GridTestSupport.h"

#include "grid/DrawTextFormat.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString Artefacts = QStringLiteral("test-artefacts/grid");
const QString Gallery = QStringLiteral("gallery");

// A grid of texts with one fixed row and column, 24-pixel rows and 70-pixel columns.
void FillGrid(CGridCtrl& grid, int rows, int cols, int fixedRows, int fixedCols)
{
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedCols);
    for (int row = 0; row < rows; ++row) {
        grid.SetRowHeight(row, 24);
        for (int col = 0; col < cols; ++col) {
            QString text;
            if (row < fixedRows && col < fixedCols)
                text = QString();
            else if (row < fixedRows)
                text = QStringLiteral("Column %1").arg(col);
            else if (col < fixedCols)
                text = QStringLiteral("Row %1").arg(row);
            else
                text = QStringLiteral("Cell %1,%2").arg(row).arg(col);
            grid.SetCellText(row, col, text);
        }
    }
    for (int col = 0; col < cols; ++col)
        grid.SetColumnWidth(col, 70);
    grid.SetModified(false);
}

// The grid painted and grabbed, with the viewport's offset in the picture.
struct SPicture
{
    QImage Image;
    QPoint Offset;
    QColor At(int x, int y) const { return shots::PixelAt(Image, x + Offset.x(), y + Offset.y()); }
};

SPicture Paint(CGridCtrl& grid, const QString& kind, const QString& name)
{
    grid.show();
    QApplication::processEvents();
    SPicture picture;
    picture.Image = shots::GrabAndSave(grid, kind, name);
    picture.Offset = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    return picture;
}

QColor Sys(int index)
{
    return ColorRefToQColor(GetSysColor(index));
}
} // namespace

TEST(GridPaintTest, LinesBackgroundSelectionAndFixedCellsAtComputedPoints)
{
    CGridCtrl grid;
    FillGrid(grid, 6, 4, 1, 1);
    grid.resize(420, 240);
    grid.SetSelectedRange(2, 2, 2, 2);
    const SPicture picture = Paint(grid, Artefacts, QStringLiteral("paint-basic"));

    const int W = grid.GetFixedColumnsWidth();
    const int H = grid.GetFixedRowsHeight();
    const QColor line(192, 192, 192);
    // The vertical grid line of column 1 at x + width - 1, inside row 3.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70 - 1, H + 2 * 24 + 3), line));
    // The horizontal line under row 1.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 3, H + 24 - 1), line));
    // A plain cell's inside is the window colour.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 2, H + 2 * 24 + 2), Sys(COLOR_WINDOW)));
    // The selected cell (2, 2) is highlighted inside.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70 + 3, H + 24 + 3), Sys(COLOR_HIGHLIGHT)));
    // Past the last column: the grid's background.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 3 * 70 + 5, H + 5), Sys(COLOR_3DSHADOW)));
    // Below the last row.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 5, H + 5 * 24 + 5), Sys(COLOR_3DSHADOW)));
    // A fixed cell: face inside, light edge left and top, dark edge right.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 30, 3), Sys(COLOR_3DFACE), 2) ||
                picture.At(W + 30, 3).lightness() < 128); // or a glyph of the heading
    EXPECT_TRUE(shots::ColourNear(picture.At(W, 5), Sys(COLOR_3DHIGHLIGHT)));
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 69, 5), Sys(COLOR_3DDKSHADOW)));
}

TEST(GridPaintTest, FocusCellIsFramedAndTrackedInTheHeadings)
{
    CGridCtrl grid;
    FillGrid(grid, 6, 4, 1, 1);
    grid.resize(420, 240);
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.SetFocusCell(2, 2);
    const SPicture picture = Paint(grid, Artefacts, QStringLiteral("paint-focus"));
    const int W = grid.GetFixedColumnsWidth();
    const int H = grid.GetFixedRowsHeight();
    // The frame in the highlight text colour on the cell's left edge, highlight inside.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70, H + 24 + 10), Sys(COLOR_HIGHLIGHTTEXT)));
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70 + 3, H + 24 + 3), Sys(COLOR_HIGHLIGHT)));
    // The heading of the focus column is drawn sunken: dark at its top-left.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70, 3), Sys(COLOR_3DDKSHADOW)));
    // Another heading keeps the raised look.
    EXPECT_TRUE(shots::ColourNear(picture.At(W, 5), Sys(COLOR_3DHIGHLIGHT)));
}

TEST(GridPaintTest, MergedAreaIsDrawnFromItsTopLeftCell)
{
    CGridCtrl grid;
    FillGrid(grid, 20, 5, 1, 1);
    grid.resize(420, 260);
    grid.SetCellBackColour(2, 2, RGB(255, 220, 160));
    grid.SetCellText(2, 2, QStringLiteral("Merged area"));
    grid.MergeCells(2, 2, 3, 3);
    const SPicture picture = Paint(grid, Artefacts, QStringLiteral("paint-merged"));
    const int W = grid.GetFixedColumnsWidth();
    const int H = grid.GetFixedRowsHeight();
    const QColor peach(255, 220, 160);
    // Inside the area, where cell (3, 3) and the grid lines between would be.
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 2 * 70 + 30, H + 2 * 24 + 20), peach));
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 2 * 70 - 1, H + 2 * 24 + 20), peach));
    EXPECT_TRUE(shots::ColourNear(picture.At(W + 70 + 30, H + 2 * 24 - 1), peach));
    // The grid line after the area stays.
    EXPECT_TRUE(
        shots::ColourNear(picture.At(W + 3 * 70 - 1, H + 2 * 24 + 20), QColor(192, 192, 192)));

    // Scrolled so that the area starts above the view: still painted from its top-left cell.
    grid.SetScrollPos32(SB_VERT, 2 * 24);
    const SPicture scrolled = Paint(grid, Artefacts, QStringLiteral("paint-merged-scrolled"));
    ASSERT_EQ(grid.GetTopLeftNonFixedCell().row, 3);
    EXPECT_TRUE(shots::ColourNear(scrolled.At(W + 70 + 30, H + 10), peach));
    // The part of the area above the view stays under the headings: "Column 2" and "Column 3"
    // keep their face above their texts, and the fixed column its own face.
    for (const int x : {W + 70 + 30, W + 2 * 70 + 30}) {
        EXPECT_TRUE(shots::ColourNear(scrolled.At(x, 2), Sys(COLOR_3DFACE), 2)) << x;
        EXPECT_FALSE(shots::ColourNear(scrolled.At(x, H - 4), peach)) << x;
    }
}

TEST(GridPaintTest, OnlyFixedCellsShowTheBackgroundAndADisabledVerticalBar)
{
    CGridCtrl grid;
    FillGrid(grid, 2, 3, 2, 3);
    grid.resize(320, 200);
    const SPicture picture = Paint(grid, Artefacts, QStringLiteral("paint-fixed-only"));
    EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.verticalScrollBar()->isEnabled());
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(shots::ColourNear(picture.At(250, 150), Sys(COLOR_3DSHADOW)));
    EXPECT_TRUE(shots::ColourNear(picture.At(3 * 70 + 5, 10), Sys(COLOR_3DSHADOW)));
}

TEST(GridPaintTest, HorizontalBarShowsOnlyWhenTheColumnsDoNotFit)
{
    CGridCtrl grid;
    FillGrid(grid, 4, 3, 1, 1);
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    grid.SetColumnWidth(2, 500);
    QApplication::processEvents();
    EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
    EXPECT_GT(grid.horizontalScrollBar()->maximum(), 0);
}

TEST(GridPaintTest, RedrawRowFailsWhenACellIsNotVisible)
{
    CGridCtrl grid;
    FillGrid(grid, 4, 12, 1, 1);
    grid.resize(300, 200);
    grid.show();
    QApplication::processEvents();
    EXPECT_FALSE(grid.RedrawRow(1));
    grid.SetColumnCount(3);
    EXPECT_TRUE(grid.RedrawRow(1));
    EXPECT_FALSE(grid.RedrawCell(10, 0));
}

TEST(GridPaintTest, VirtualModePaintsTheOwnersTextsBetweenCacheHints)
{
    CRecordingOwner owner;
    CGridCtrl grid;
    grid.SetOwner(&owner);
    grid.SetVirtualMode(true);
    grid.SetRowCount(1000);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    owner.FillText = [](GRIDCELLITEM& item) {
        item.strText = QStringLiteral("v%1.%2").arg(item.row).arg(item.col);
    };
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
    owner.Hints.clear();
    Paint(grid, Artefacts, QStringLiteral("paint-virtual"));
    ASSERT_GE(owner.Hints.size(), 2u);
    const CCellIDRange shown = owner.Hints[0];
    EXPECT_EQ(shown.GetMinRow(), 1);
    EXPECT_EQ(shown.GetMinCol(), 1);
    EXPECT_EQ(shown.GetMaxCol(), 3);
    EXPECT_GT(shown.GetMaxRow(), 5);
    EXPECT_EQ(owner.Hints[1], CCellIDRange());
    EXPECT_GT(owner.TextRequests, 0);
}

// The cell's rectangle in viewport coordinates.
CRect CellRect(CGridCtrl& grid, int row, int col)
{
    CRect rect;
    grid.GetCellRect(row, col, rect);
    return rect;
}

// The colour just inside a cell's top-left corner, clear of its text.
QColor CellFill(const SPicture& picture, CGridCtrl& grid, int row, int col)
{
    const CRect rect = CellRect(grid, row, col);
    return picture.At(rect.right - 4, rect.top + 2);
}

TEST(GridGallery, Pictures)
{
    const QColor face = Sys(COLOR_3DFACE);
    const QColor window = Sys(COLOR_WINDOW);
    const QColor highlight = Sys(COLOR_HIGHLIGHT);
    const QColor line(192, 192, 192);
    {
        CGridCtrl grid;
        FillGrid(grid, 12, 6, 1, 1);
        grid.resize(480, 260);
        const SPicture picture =
            Paint(grid, Gallery, QStringLiteral("grid-fixed-rows-and-columns"));
        // Headings and row numbers on the face colour, cells on the window colour, a grid
        // line after every column.
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 0, 2), face, 2));
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 3, 0), face, 2));
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 3, 2), window));
        for (int col = 1; col < 6; ++col) {
            const CRect rect = CellRect(grid, 3, col);
            EXPECT_TRUE(shots::ColourNear(picture.At(rect.right, rect.top + 3), line)) << col;
        }
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 12, 6, 2, 2);
        grid.resize(480, 260);
        grid.SetSelectedRange(3, 3, 5, 4);
        grid.SetFocusCell(4, 3);
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-cell-selection"));
        // The six selected cells highlighted, their neighbours not.
        for (int row = 3; row <= 5; ++row)
            for (int col = 3; col <= 4; ++col)
                EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, row, col), highlight))
                    << row << "," << col;
        for (const auto& [row, col] : {std::pair{2, 3}, {6, 4}, {4, 2}, {4, 5}})
            EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, row, col), window))
                << row << "," << col;
        // Two fixed rows and two fixed columns.
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 1, 3), face, 2));
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 3, 1), face, 2));
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 12, 6, 1, 1);
        grid.resize(480, 260);
        grid.SetListMode(true);
        grid.SetSelectedRange(3, 1, 4, 5);
        grid.SetFocusCell(4, 2);
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-row-selection"));
        // Whole rows: every cell of rows 3 and 4 highlighted, row 5 not.
        for (int col = 1; col < 6; ++col) {
            EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 3, col), highlight)) << col;
            EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 4, col), highlight)) << col;
            EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 5, col), window)) << col;
        }
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 12, 6, 1, 1);
        grid.resize(480, 260);
        grid.SetCellText(2, 2, QStringLiteral("A merged area of six cells"));
        grid.SetCellFormat(2, 2, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        grid.MergeCells(2, 2, 4, 3);
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-merged-area"));
        // The area spans columns 2 and 3 and rows 2 to 4: no grid line crosses it, the line
        // after it stays, and its text stands in its middle.
        const int W = grid.GetFixedColumnsWidth();
        const int H = grid.GetFixedRowsHeight();
        const CRect area(W + 70, H + 24, W + 3 * 70 - 1, H + 4 * 24 - 1);
        EXPECT_TRUE(shots::ColourNear(picture.At(W + 2 * 70 - 1, area.top + 3), window));
        EXPECT_TRUE(shots::ColourNear(picture.At(area.left + 3, H + 2 * 24 - 1), window));
        EXPECT_TRUE(shots::ColourNear(picture.At(area.right, area.top + 3), line));
        int left = area.right, right = area.left;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left + 1; x < area.right; ++x)
                if (picture.At(x, y).lightness() < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_LT(left, right);
        EXPECT_NEAR(left - area.left, area.right - right, 6) << "centred";
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 12, 6, 1, 1);
        grid.resize(480, 260);
        grid.SetColumnWidth(2, 0);
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-hidden-column"));
        // Column 3 follows column 1 directly, with one grid line between them.
        EXPECT_EQ(CellRect(grid, 3, 3).left, CellRect(grid, 3, 1).right + 1);
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 3, 3), window));
        EXPECT_TRUE(shots::ColourNear(
            picture.At(CellRect(grid, 3, 1).right, CellRect(grid, 3, 1).top + 3), line));
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 60, 12, 1, 1);
        grid.resize(480, 260);
        grid.show();
        QApplication::processEvents();
        grid.SetFocusCell(1, 1);
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-scrolled-to-end"));
        EXPECT_EQ(grid.GetFocusCell(), CCellID(59, 11));
        // The last cell is in view, framed as the focus, its heading and row number tracked.
        const CRect focus = CellRect(grid, 59, 11);
        EXPECT_LE(focus.right, grid.viewport()->width());
        EXPECT_LE(focus.bottom, grid.viewport()->height());
        EXPECT_FALSE(
            shots::ColourNear(picture.At(focus.left, focus.top + focus.Height() / 2), line));
        EXPECT_TRUE(
            shots::ColourNear(picture.At(CellRect(grid, 0, 11).left, 3), Sys(COLOR_3DDKSHADOW)));
    }
    {
        CGridCtrl grid;
        FillGrid(grid, 2, 3, 2, 3);
        grid.resize(480, 260);
        for (int col = 0; col < 3; ++col) {
            grid.SetCellText(0, col, QStringLiteral("Heading %1").arg(col + 1));
            grid.SetCellText(1, col, QStringLiteral("Total %1").arg(col + 1));
        }
        const SPicture picture = Paint(grid, Gallery, QStringLiteral("grid-only-fixed-cells"));
        // Fixed cells only: face colour in them, the grid's background past them.
        EXPECT_TRUE(shots::ColourNear(CellFill(picture, grid, 1, 2), face, 2));
        EXPECT_TRUE(shots::ColourNear(picture.At(3 * 70 + 20, 20), Sys(COLOR_3DSHADOW)));
        EXPECT_TRUE(shots::ColourNear(picture.At(20, 2 * 24 + 20), Sys(COLOR_3DSHADOW)));
    }
}
