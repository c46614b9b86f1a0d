#include "GridTestSupport.h"

#include "grid/DrawTextFormat.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
QColor Sys(int index)
{
    return ColorRefToQColor(GetSysColor(index));
}

// Draws the grid's cell into a picture of the given size, filled first with the fill colour.
QImage DrawCell(CGridCtrl& grid, int row, int col, QSize size, QColor fill = Qt::green,
                bool erase = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    CRect rect(0, 0, size.width() - 2, size.height() - 2);
    EXPECT_TRUE(grid.GetCell(row, col)->Draw(&painter, row, col, rect, erase));
    return image;
}

int CountColour(const QImage& image, QColor colour, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shots::ColourNear(image.pixelColor(x, y), colour, 0))
                ++count;
    return count;
}
} // namespace

TEST(GridCellTest, AttributesFallBackToTheDefaultCellOfTheCellsKind)
{
    CGridCtrl grid(3, 3, 1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_EQ(cell->GetFormat(), 0x8824u);
    cell->SetFormat(0);
    EXPECT_EQ(cell->GetFormat(), 0u);
    EXPECT_EQ(cell->GetMargin(), grid.GetDefaultCell(false, false)->GetMargin());
    EXPECT_TRUE(cell->IsDefaultFont());
    EXPECT_EQ(cell->GetFont(), grid.GetDefaultCell(false, false)->GetFont());
    EXPECT_EQ(cell->GetTextColour(), CLR_DEFAULT); // colours fall back only when drawn

    // Each kind reads its own default cell (new cells copy its format when made).
    grid.GetDefaultCell(true, false)->SetMargin(7);
    EXPECT_EQ(grid.GetCell(0, 1)->GetMargin(), 7u);
    EXPECT_NE(grid.GetCell(1, 1)->GetMargin(), 7u);
    EXPECT_EQ(grid.GetCell(0, 0)->GetDefaultCell(), grid.GetDefaultCell(true, true));
    EXPECT_EQ(grid.GetCell(1, 0)->GetDefaultCell(), grid.GetDefaultCell(false, true));

    // A cell without a grid has no defaults.
    CGridCell loose;
    EXPECT_EQ(loose.GetFormat(), 0u);
    EXPECT_EQ(loose.GetMargin(), 0u);
    EXPECT_EQ(loose.GetFont(), nullptr);
}

TEST(GridCellTest, DefaultCellsAreReadOnlyInStateOnlyAndKeepNoData)
{
    CGridDefaultCell cell;
    cell.SetState(GVIS_SELECTED);
    cell.SetData(9);
    EXPECT_EQ(cell.GetState(), unsigned(GVIS_READONLY));
    EXPECT_FALSE(cell.IsReadOnly());
    EXPECT_EQ(cell.GetData(), 0);
    // The font sizes the margin and the default size.
    const QFontMetrics metrics(cell.GetFontObject());
    EXPECT_EQ(int(cell.GetMargin()), metrics.horizontalAdvance(QLatin1Char(' ')));
    EXPECT_EQ(cell.GetHeight(), metrics.height() * 3 / 2);
    EXPECT_EQ(cell.GetWidth(), metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")));
    cell.SetFont(nullptr); // nothing for no font
    EXPECT_NE(cell.GetFont(), nullptr);
}

TEST(GridCellTest, AssignmentCopiesEveryAttribute)
{
    CGridCtrl grid(3, 3, 1, 1);
    CGridCellBase* from = grid.GetCell(1, 1);
    from->SetText(QStringLiteral("t"));
    from->SetBackColour(RGB(1, 2, 3));
    LOGFONT font;
    font.lfWeight = FW_BOLD;
    from->SetFont(&font);
    from->SetMergeRange(1, 1, 2, 2);
    CGridCell to;
    to = *from;
    EXPECT_EQ(to.GetText(), QStringLiteral("t"));
    EXPECT_EQ(to.GetBackColour(), RGB(1, 2, 3));
    ASSERT_FALSE(to.IsDefaultFont());
    EXPECT_EQ(to.GetFont()->lfWeight, FW_BOLD);
    EXPECT_EQ(to.GetMergeRange(), CCellIDRange(1, 1, 2, 2));
    EXPECT_EQ(to.GetGrid(), &grid);
}

TEST(GridCellTest, TextExtentOfWrappedAndVerticalText)
{
    CGridCtrl grid(3, 3, 1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    const int margin = int(cell->GetMargin());
    const QFontMetrics metrics(cell->GetFontObject());

    const CSize plain = cell->GetTextExtent(QStringLiteral("Hello"));
    EXPECT_EQ(plain.cx, metrics.horizontalAdvance(QStringLiteral("Hello")) + 4 * margin);
    EXPECT_EQ(plain.cy, metrics.height() + 2 * margin);

    // Word-wrapped lines: as wide as the widest line plus 1, before the margins.
    cell->SetFormat(DT_WORDBREAK);
    const CSize wrapped = cell->GetTextExtent(QStringLiteral("ab\ncdefgh\nij"));
    EXPECT_EQ(wrapped.cx, metrics.horizontalAdvance(QStringLiteral("cdefgh")) + 1 + 4 * margin);
    EXPECT_GE(wrapped.cy, 3 * metrics.height() + 2 * margin);

    // Vertical text swaps width and height.
    cell->SetFormat(0x8824);
    LOGFONT font = *cell->GetFont();
    font.lfEscapement = 900;
    cell->SetFont(&font);
    const QFontMetrics ownMetrics(cell->GetFontObject());
    const CSize vertical = cell->GetTextExtent(QStringLiteral("Hello"));
    EXPECT_EQ(vertical.cx, ownMetrics.height() + 2 * margin);
    EXPECT_EQ(vertical.cy, ownMetrics.horizontalAdvance(QStringLiteral("Hello")) + 8 * margin);

    // No text: the default cell's size.
    EXPECT_EQ(cell->GetTextExtent(QString()),
              CSize(grid.GetDefaultCell(false, false)->GetWidth(),
                    grid.GetDefaultCell(false, false)->GetHeight()));
}

TEST(GridCellTest, ACellWithItsOwnBackgroundIsAlwaysErased)
{
    CGridCtrl grid(3, 3, 1, 1);
    const QImage untouched = DrawCell(grid, 1, 1, {80, 24});
    EXPECT_TRUE(shots::ColourNear(untouched.pixelColor(3, 3), Qt::green, 0));
    grid.SetCellBackColour(1, 1, RGB(255, 0, 0));
    const QImage erased = DrawCell(grid, 1, 1, {80, 24});
    EXPECT_TRUE(shots::ColourNear(erased.pixelColor(3, 3), Qt::red, 0));
    // The fill covers the rectangle grown by one pixel to the right and bottom.
    EXPECT_TRUE(shots::ColourNear(erased.pixelColor(78, 22), Qt::red, 0));
    EXPECT_TRUE(shots::ColourNear(erased.pixelColor(79, 23), Qt::green, 0));
}

TEST(GridCellTest, AFocusedSelectedCellIsHighlightedAndFramed)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetCellState(1, 1, GVIS_FOCUSED | GVIS_SELECTED);
    const QImage framed = DrawCell(grid, 1, 1, {80, 24});
    EXPECT_TRUE(shots::ColourNear(framed.pixelColor(0, 10), Sys(COLOR_HIGHLIGHTTEXT), 0));
    EXPECT_TRUE(shots::ColourNear(framed.pixelColor(3, 3), Sys(COLOR_HIGHLIGHT), 0));
    grid.SetFrameFocusCell(false);
    const QImage plain = DrawCell(grid, 1, 1, {80, 24});
    EXPECT_TRUE(shots::ColourNear(plain.pixelColor(0, 10), Sys(COLOR_HIGHLIGHT), 0));
}

TEST(GridCellTest, FixedCellsAreRaisedOnlyWithGridLines)
{
    CGridCtrl grid(3, 3, 1, 1);
    const QImage raised = DrawCell(grid, 0, 1, {80, 24}, Qt::green, true);
    EXPECT_TRUE(shots::ColourNear(raised.pixelColor(0, 10), Sys(COLOR_3DHIGHLIGHT), 0));
    EXPECT_TRUE(shots::ColourNear(raised.pixelColor(78, 10), Sys(COLOR_3DDKSHADOW), 0));
    grid.SetGridLines(GVL_NONE);
    const QImage flat = DrawCell(grid, 0, 1, {80, 24}, Qt::green, true);
    EXPECT_TRUE(shots::ColourNear(flat.pixelColor(0, 10), Sys(COLOR_3DFACE), 0));
    EXPECT_TRUE(shots::ColourNear(flat.pixelColor(78, 10), Sys(COLOR_3DFACE), 0));
}

TEST(GridCellTest, SortMarkOnlyInRowZeroOfTheSortColumn)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetCellState(1, 1, grid.GetCellState(1, 1) | GVIS_FIXED); // drawn like a heading
    grid.SetSortColumn(1);
    const QRect markArea(50, 2, 28, 20);
    const QImage heading = DrawCell(grid, 0, 1, {80, 24}, Qt::green, true);
    EXPECT_GT(CountColour(heading, Sys(COLOR_3DSHADOW), markArea), 5);
    const QImage other = DrawCell(grid, 1, 1, {80, 24}, Qt::green, true);
    EXPECT_EQ(CountColour(other, Sys(COLOR_3DSHADOW), markArea), 0);

    // In a rectangle lower than the text, the mark is the rectangle's height less 4.
    const QImage low = DrawCell(grid, 0, 1, {80, 10}, Qt::green, true);
    EXPECT_GT(CountColour(low, Sys(COLOR_3DSHADOW), QRect(60, 0, 20, 10)), 0);
}

TEST(GridCellTest, AnImageWiderThanTheCellIsNotDrawnButMovesTheText)
{
    CGridCtrl grid(3, 3, 1, 1);
    std::vector<QImage> images;
    QImage wide(200, 10, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::blue);
    images.push_back(wide);
    images.push_back(small);
    grid.SetImageList(&images);
    CGridCellBase* cell = grid.GetCell(1, 1);
    cell->SetText(QStringLiteral("Text"));

    cell->SetImage(0);
    CRect rect(0, 0, 78, 22);
    cell->GetTextRect(rect);
    EXPECT_EQ(rect.left, 200 + int(cell->GetMargin()));
    const QImage notDrawn = DrawCell(grid, 1, 1, {80, 24}, Qt::white, true);
    EXPECT_EQ(CountColour(notDrawn, Qt::blue, QRect(0, 0, 80, 24)), 0);

    cell->SetImage(1);
    const QImage drawn = DrawCell(grid, 1, 1, {80, 24}, Qt::white, true);
    EXPECT_EQ(CountColour(drawn, Qt::blue, QRect(0, 0, 80, 24)), 64);
}

TEST(GridCellTest, VerticalTextIsDrawnAlongTheHeight)
{
    CGridCtrl grid(3, 3, 1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    cell->SetText(QStringLiteral("Vertical"));
    cell->SetFormat(DT_SINGLELINE | DT_VCENTER);
    LOGFONT font = *cell->GetFont();
    font.lfEscapement = 900;
    cell->SetFont(&font);
    const QImage image = DrawCell(grid, 1, 1, {24, 90}, Qt::white, true);
    shots::Save(image, QStringLiteral("test-artefacts/grid"), QStringLiteral("cell-vertical"));
    // Ink runs down the cell (the text's length) but stays within a line's height across.
    int inkRows = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 24; ++x)
            if (image.pixelColor(x, y).lightness() < 100) {
                ++inkRows;
                break;
            }
    EXPECT_GT(inkRows, 25);
}
