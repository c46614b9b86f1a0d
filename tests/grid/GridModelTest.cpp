#include "GridTestSupport.h"

#include "grid/SysColors.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {
// A class record that is not a cell class.
const CRuntimeClass NotACell = {"CNotACell", &CGridCtrl::classCGridCtrl, nullptr};

class CCountingCell : public CGridCell
{
public:
    static const CRuntimeClass classCCountingCell;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCCountingCell; }
};
const CRuntimeClass CCountingCell::classCCountingCell = {
    "CCountingCell", &CGridCell::classCGridCell,
    [] { return std::unique_ptr<CGridCellBase>(std::make_unique<CCountingCell>()); }};
} // namespace

TEST(GridModelTest, ConstructionSetsCountsSizesAndDefaultCells)
{
    CGridCtrl grid(5, 4, 1, 1);
    EXPECT_EQ(grid.GetRowCount(), 5);
    EXPECT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    // Rows from the row count take the normal default height, columns the fixed-column width.
    EXPECT_EQ(grid.GetRowHeight(3), grid.GetDefaultCell(false, false)->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_EQ(grid.GetRowHeight(5), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);

    EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackColour(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(grid.GetDefaultCell(true, true)->GetBackColour(), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(grid.GetDefaultCell(true, false)->GetTextColour(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(grid.GetGridBkColor(), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(grid.GetGridLineColor(), RGB(192, 192, 192));
    EXPECT_EQ(grid.GetTitleTipBackClr(), CLR_DEFAULT);

    // Cells know their kind by their state bits.
    EXPECT_EQ(grid.GetCellState(0, 0) & 0x70, 0x70u);
    EXPECT_EQ(grid.GetCellState(0, 2) & 0x70, 0x30u);
    EXPECT_EQ(grid.GetCellState(2, 0) & 0x70, 0x50u);
    EXPECT_EQ(grid.GetCellState(2, 2) & 0x70, 0x00u);
    EXPECT_EQ(grid.GetCellFormat(2, 2), 0x8824u);
}

TEST(GridModelTest, CountSettersKeepFixedCountsAndFocusInRange)
{
    struct Case
    {
        const char* Name;
        std::function<void(CGridCtrl&)> Change;
        int Rows, Cols, FixedRows, FixedCols;
        CCellID Focus;
    };
    const Case cases[] = {
        {"rows below fixed", [](CGridCtrl& g) { g.SetRowCount(1); }, 1, 6, 1, 2, CCellID()},
        {"rows to focus row", [](CGridCtrl& g) { g.SetRowCount(3); }, 3, 6, 2, 2, CCellID()},
        {"rows above focus", [](CGridCtrl& g) { g.SetRowCount(4); }, 4, 6, 2, 2, CCellID(3, 4)},
        {"columns below fixed", [](CGridCtrl& g) { g.SetColumnCount(1); }, 6, 1, 2, 1, CCellID()},
        {"fixed rows grow the grid", [](CGridCtrl& g) { g.SetFixedRowCount(8); }, 8, 6, 8, 2,
         CCellID()},
        {"fixed columns over focus", [](CGridCtrl& g) { g.SetFixedColumnCount(5); }, 6, 6, 2, 5,
         CCellID()},
        {"fixed rows below focus", [](CGridCtrl& g) { g.SetFixedRowCount(3); }, 6, 6, 3, 2,
         CCellID(3, 4)},
    };
    for (const Case& c : cases) {
        CGridCtrl grid(6, 6, 2, 2);
        grid.SetFocusCell(3, 4);
        c.Change(grid);
        EXPECT_EQ(grid.GetRowCount(), c.Rows) << c.Name;
        EXPECT_EQ(grid.GetColumnCount(), c.Cols) << c.Name;
        EXPECT_EQ(grid.GetFixedRowCount(), c.FixedRows) << c.Name;
        EXPECT_EQ(grid.GetFixedColumnCount(), c.FixedCols) << c.Name;
        EXPECT_EQ(grid.GetFocusCell(), c.Focus) << c.Name;
        EXPECT_FALSE(grid.SetRowCount(-1));
    }
}

TEST(GridModelTest, FixedCountChangesMoveTheCellsStateBitsAndResetTheirColours)
{
    CGridCtrl grid(4, 4, 1, 1);
    grid.SetCellBackColour(2, 2, RGB(1, 2, 3));
    grid.SetFixedRowCount(3);
    EXPECT_EQ(grid.GetCellState(2, 2) & 0x70, 0x30u);
    EXPECT_EQ(grid.GetCellBackColour(2, 2), CLR_DEFAULT);
    grid.SetCellBackColour(2, 0, RGB(1, 2, 3));
    grid.SetFixedRowCount(1);
    // A fixed-column cell only loses its fixed-row bit and keeps its colour.
    EXPECT_EQ(grid.GetCellState(2, 0) & 0x70, 0x50u);
    EXPECT_EQ(grid.GetCellBackColour(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(grid.GetCellState(2, 2) & 0x70, 0x00u);

    // The same with columns.
    grid.SetCellBackColour(0, 1, RGB(1, 2, 3));
    grid.SetCellBackColour(2, 1, RGB(1, 2, 3));
    grid.SetFixedColumnCount(2);
    EXPECT_EQ(grid.GetCellState(2, 1) & 0x70, 0x50u);
    EXPECT_EQ(grid.GetCellBackColour(2, 1), CLR_DEFAULT);
    grid.SetCellBackColour(0, 1, RGB(1, 2, 3));
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetCellState(0, 1) & 0x70, 0x30u);
    EXPECT_EQ(grid.GetCellBackColour(0, 1), RGB(1, 2, 3));
    EXPECT_EQ(grid.GetCellState(2, 1) & 0x70, 0x00u);
}

TEST(GridModelTest, InsertAndDeleteRows)
{
    CGridCtrl grid(4, 3, 1, 1);
    grid.SetFocusCell(2, 1);
    const int fixedHeight = grid.GetDefaultCell(true, false)->GetHeight();

    EXPECT_EQ(grid.InsertRow(QStringLiteral("x"), 0), -1); // inside the fixed rows
    EXPECT_EQ(grid.InsertRow(QStringLiteral("x"), 4), -1); // past the last row
    EXPECT_EQ(grid.GetRowCount(), 4);

    EXPECT_EQ(grid.InsertRow(QString(), 1), 1);
    EXPECT_EQ(grid.GetRowHeight(1), fixedHeight);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(grid.InsertRow(QStringLiteral("Heading")), 5);
    EXPECT_EQ(grid.GetCellText(5, 0), QStringLiteral("Heading"));
    EXPECT_EQ(grid.GetRowHeight(5), grid.GetCell(5, 0)->GetTextExtent("Heading").cy);

    EXPECT_TRUE(grid.DeleteRow(1));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
    EXPECT_TRUE(grid.DeleteRow(2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_FALSE(grid.DeleteRow(9));
    EXPECT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetRowCount(), 3);

    // A grid without columns gets one for the heading.
    CGridCtrl empty;
    EXPECT_EQ(empty.InsertRow(QStringLiteral("a")), 0);
    EXPECT_EQ(empty.GetColumnCount(), 1);
    EXPECT_TRUE(empty.DeleteAllCells());
    EXPECT_EQ(empty.GetRowCount(), 0);
    EXPECT_EQ(empty.GetColumnCount(), 0);
}

TEST(GridModelTest, SizesAndSums)
{
    CGridCtrl grid(4, 4, 1, 2);
    EXPECT_TRUE(grid.SetRowHeight(0, 10));
    EXPECT_TRUE(grid.SetRowHeight(1, 0));
    EXPECT_TRUE(grid.SetRowHeight(2, 7));
    EXPECT_TRUE(grid.SetRowHeight(3, 5));
    EXPECT_FALSE(grid.SetRowHeight(4, 5));
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_EQ(grid.GetRowHeight(1), 0);
    for (int col = 0; col < 4; ++col)
        grid.SetColumnWidth(col, 10 * (col + 1));
    EXPECT_EQ(grid.GetFixedRowsHeight(), 10);
    EXPECT_EQ(grid.GetVirtualHeight(), 22);
    EXPECT_EQ(grid.GetFixedColumnsWidth(), 30);
    EXPECT_EQ(grid.GetVirtualWidth(), 100);
}

TEST(GridModelTest, CellAttributesAndTheSortColumn)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetSortColumn(2);
    EXPECT_TRUE(grid.SetCellBackColour(1, 2, RGB(9, 9, 9)));
    EXPECT_EQ(grid.GetSortColumn(), 2); // colours do not mark a cell modified
    EXPECT_FALSE(grid.GetModified(1, 2));
    EXPECT_TRUE(grid.SetCellText(1, 2, QStringLiteral("t")));
    EXPECT_EQ(grid.GetSortColumn(), -1);
    EXPECT_TRUE(grid.GetModified(1, 2));
    EXPECT_TRUE(grid.GetModified());

    grid.SetModified(false);
    EXPECT_FALSE(grid.GetModified(1, 2));

    EXPECT_FALSE(grid.SetCellText(3, 0, QStringLiteral("x")));
    EXPECT_EQ(grid.GetCellText(-1, 0), QString());
    EXPECT_EQ(grid.GetCellData(9, 9), 0);
    EXPECT_TRUE(grid.SetCellData(2, 2, 77));
    EXPECT_EQ(grid.GetCellData(2, 2), 77);

    // Read-only cells and a read-only grid are not editable.
    EXPECT_TRUE(grid.IsCellEditable(2, 2));
    grid.SetCellState(2, 2, grid.GetCellState(2, 2) | GVIS_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(2, 2));
    grid.SetEditable(false);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
}

TEST(GridModelTest, ItemRecordsSetAndGetTheMaskedFields)
{
    CGridCtrl grid(3, 3, 1, 1);
    GRIDCELLITEM item;
    item.row = 1;
    item.col = 2;
    item.mask = GVIF_TEXT | GVIF_PARAM | GVIF_FGCLR | GVIF_FONT | GVIF_STATE;
    item.strText = QStringLiteral("cell");
    item.lParam = 5;
    item.crFgClr = RGB(1, 2, 3);
    item.crBkClr = RGB(4, 5, 6); // not in the mask
    item.lfFont.lfWeight = FW_BOLD;
    item.nState = GVIS_SELECTED;
    EXPECT_TRUE(grid.SetCellFromRecord(&item));
    EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("cell"));
    EXPECT_EQ(grid.GetCellBackColour(1, 2), CLR_DEFAULT);
    EXPECT_TRUE(grid.IsCellSelected(1, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    // The record's state replaces the cell's, the modified mark set before it included.
    EXPECT_EQ(grid.GetCellState(1, 2), unsigned(GVIS_SELECTED));
    EXPECT_TRUE(grid.GetModified());

    GRIDCELLITEM back;
    back.row = 1;
    back.col = 2;
    back.mask = GVIF_TEXT | GVIF_FGCLR | GVIF_FONT | GVIF_MARGIN;
    EXPECT_TRUE(grid.GetCellIntoRecord(&back));
    EXPECT_EQ(back.strText, QStringLiteral("cell"));
    EXPECT_EQ(back.crFgClr, RGB(1, 2, 3));
    EXPECT_EQ(back.lfFont.lfWeight, FW_BOLD);
    EXPECT_EQ(back.nMargin, grid.GetDefaultCell(false, false)->GetMargin());
    EXPECT_EQ(back.lParam, 0); // not asked for

    EXPECT_FALSE(grid.SetCellFromRecord(nullptr));
    back.row = 7;
    EXPECT_FALSE(grid.GetCellIntoRecord(&back));
}

TEST(GridModelTest, DefaultCellTypeAndReplaceCell)
{
    CGridCtrl grid(2, 2);
    EXPECT_FALSE(grid.SetDefaultCellType(&NotACell));
    EXPECT_FALSE(grid.SetDefaultCellType(&CGridCtrl::classCGridCtrl));
    EXPECT_EQ(grid.GetDefaultCellType(), &CGridCell::classCGridCell);
    EXPECT_TRUE(grid.SetDefaultCellType(&CCountingCell::classCCountingCell));
    EXPECT_EQ(grid.GetCell(1, 1)->GetRuntimeClass(), &CGridCell::classCGridCell);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetCell(2, 1)->GetRuntimeClass(), &CCountingCell::classCCountingCell);

    auto replacement = std::make_unique<CGridCell>();
    CGridCellBase* raw = replacement.get();
    grid.SetCellText(0, 0, QStringLiteral("old"));
    std::unique_ptr<CGridCellBase> old = grid.ReplaceCell(0, 0, std::move(replacement));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->GetText(), QStringLiteral("old"));
    EXPECT_EQ(grid.GetCell(0, 0), raw);
    // A refused cell comes back to the caller.
    std::unique_ptr<CGridCellBase> refused = grid.ReplaceCell(5, 5, std::make_unique<CGridCell>());
    EXPECT_TRUE(refused);
}

TEST(GridModelTest, VirtualModeAsksForEveryCellThroughOneTemporaryCell)
{
    CGridCtrl grid(5, 3, 1, 1);
    CRecordingOwner owner;
    grid.SetOwner(&owner);
    grid.SetVirtualMode(true);
    grid.SetRowCount(5);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    owner.FillText = [](GRIDCELLITEM& item) {
        item.strText = QStringLiteral("%1,%2").arg(item.row).arg(item.col);
    };

    EXPECT_FALSE(grid.SetCellText(1, 1, QStringLiteral("x")));
    EXPECT_FALSE(grid.SetCellBackColour(1, 1, 0));
    EXPECT_TRUE(grid.SetRowHeight(1, 30));
    EXPECT_EQ(grid.GetRowHeight(1), 30);

    grid.SetFocusCell(2, 2);
    CGridCellBase* first = grid.GetCell(2, 2);
    EXPECT_EQ(first->GetText(), QStringLiteral("2,2"));
    EXPECT_TRUE(first->GetState() & GVIS_FOCUSED);
    CGridCellBase* second = grid.GetCell(0, 1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->GetText(), QStringLiteral("0,1"));
    EXPECT_EQ(second->GetState() & 0x70, 0x30u);

    // A text callback replaces the owner's text request.
    owner.TextRequests = 0;
    grid.SetCallbackFunc(
        [](GRIDCELLITEM* item, std::intptr_t param) {
            item->strText = QString::number(param);
            return true;
        },
        42);
    EXPECT_EQ(grid.GetCellText(3, 2), QStringLiteral("42"));
    EXPECT_EQ(owner.TextRequests, 0);

    // Fitting a column: a hint of the rows, one request per cell, then the end of the hint.
    grid.SetCallbackFunc(nullptr, 0);
    owner.Hints.clear();
    EXPECT_TRUE(grid.FitColumnWidth(2));
    ASSERT_EQ(owner.Hints.size(), 2u);
    EXPECT_EQ(owner.Hints[0], CCellIDRange(0, 2, 4, 2));
    EXPECT_EQ(owner.Hints[1], CCellIDRange());
    EXPECT_EQ(owner.TextRequests, 5);
}

TEST(GridModelTest, SelectedCellsAreKeyedByTheWholeRowAndColumn)
{
    // Rows past 65535 used to share keys with other cells.
    CGridCtrl grid(70000, 3, 0, 0);
    grid.SetCellState(65537, 0, GVIS_SELECTED);
    EXPECT_TRUE(grid.IsCellSelected(65537, 0));
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_EQ(grid.GetSelectedRange(), CCellIDRange(65537, 0, 65537, 0));

    CGridCtrl virtualGrid;
    virtualGrid.SetVirtualMode(true);
    virtualGrid.SetRowCount(70000);
    virtualGrid.SetColumnCount(3);
    virtualGrid.SetSelectedRange(65537, 0, 65537, 0);
    EXPECT_TRUE(virtualGrid.IsCellSelected(65537, 0));
    EXPECT_FALSE(virtualGrid.IsCellSelected(1, 1));
    // A cell outside the grid never joins the selection.
    EXPECT_FALSE(virtualGrid.SetCellState(-1, -1, GVIS_SELECTED));
    EXPECT_FALSE(virtualGrid.SetCellState(70000, 0, GVIS_SELECTED));
    EXPECT_EQ(virtualGrid.GetSelectedCount(), 1);
}

TEST(GridModelTest, MergedCells)
{
    CGridCtrl grid(6, 6, 1, 1);
    for (int i = 0; i < 6; ++i) {
        grid.SetRowHeight(i, 20);
        grid.SetColumnWidth(i, 50);
    }
    grid.resize(400, 300);
    grid.MergeCells(2, 2, 3, 4);
    EXPECT_TRUE(grid.GetCell(2, 2)->IsMerged());
    EXPECT_FALSE(grid.GetCell(2, 2)->IsShow());
    EXPECT_EQ(grid.GetMergedOwner(3, 4), CCellID(2, 2));
    EXPECT_EQ(grid.GetMergedOwner(4, 4), CCellID(4, 4));
    EXPECT_EQ(grid.GetMergedHeight(2, 2), 40);
    EXPECT_EQ(grid.GetMergedWidth(2, 2), 150);
    EXPECT_EQ(grid.GetMergedWidth(3, 4), 50);

    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(2, 2, rect));
    EXPECT_EQ(rect, CRect(100, 40, 249, 79));
    // A point anywhere in the area gives its top-left cell.
    EXPECT_EQ(grid.GetCellFromPoint({240, 75}), CCellID(2, 2));
    EXPECT_EQ(grid.GetCellFromPoint({260, 75}), CCellID(3, 5));
}

TEST(GridModelTest, CellFromPointOverFixedAndHiddenCells)
{
    CGridCtrl grid(5, 5, 1, 1);
    for (int i = 0; i < 5; ++i) {
        grid.SetRowHeight(i, 10);
        grid.SetColumnWidth(i, 20);
    }
    grid.SetColumnWidth(2, 0);
    grid.resize(300, 200);
    struct Case
    {
        CPoint Point;
        bool AllowFixed;
        CCellID Expected;
    };
    const Case cases[] = {
        {{5, 5}, true, {0, 0}},    {{5, 5}, false, {-1, -1}},  {{25, 15}, true, {1, 1}},
        {{45, 15}, true, {1, 3}}, // the zero-width column 2 is passed
        {{-1, 15}, true, {1, -1}}, {{200, 15}, true, {1, -1}}, {{25, 60}, true, {-1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.GetCellFromPoint(c.Point, c.AllowFixed), c.Expected)
            << c.Point.x << "," << c.Point.y;
}

TEST(GridModelTest, ClearCellsAsksTheOwnerAndSkipsHiddenCells)
{
    CGridCtrl grid(4, 4, 1, 1);
    CRecordingOwner owner;
    grid.SetOwner(&owner);
    for (int row = 1; row < 4; ++row)
        for (int col = 1; col < 4; ++col)
            grid.SetCellText(row, col, QStringLiteral("x"));
    grid.SetColumnWidth(2, 0);
    owner.Answer = [](int code) { return code == GVN_BEGINLABELEDIT ? 0 : 0; };
    grid.ClearCells(CCellIDRange(1, 1, 2, 3));
    EXPECT_EQ(grid.GetCellText(1, 1), QString());
    EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("x"));
    EXPECT_EQ(grid.GetCellText(3, 3), QStringLiteral("x"));

    // An owner that refuses every edit keeps the texts.
    owner.Answer = [](int code) { return code == GVN_BEGINLABELEDIT ? -1 : 0; };
    grid.ClearCells(CCellIDRange(3, 1, 3, 3));
    EXPECT_EQ(grid.GetCellText(3, 3), QStringLiteral("x"));
    // An owner that rejects the new text gets the old one back.
    owner.Answer = [](int code) { return code == GVN_ENDLABELEDIT ? -1 : 0; };
    grid.ClearCells(CCellIDRange(3, 1, 3, 3));
    EXPECT_EQ(grid.GetCellText(3, 3), QStringLiteral("x"));
}

TEST(GridModelTest, PaletteChangeFollowsTheSystemColoursThatWereNotChanged)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetTextColor(RGB(10, 20, 30)); // set by the program: stays
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Base, QColor(200, 255, 200));
    palette.setColor(QPalette::Button, QColor(230, 230, 250));
    const QPalette saved = QGuiApplication::palette();
    QGuiApplication::setPalette(palette);
    grid.OnSysColorChange();
    EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackColour(), RGB(200, 255, 200));
    EXPECT_EQ(grid.GetDefaultCell(false, false)->GetTextColour(), RGB(10, 20, 30));
    EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackColour(), RGB(230, 230, 250));
    QGuiApplication::setPalette(saved);
}

TEST(GridModelTest, AGridBeingDestroyedReportsNothing)
{
    CRecordingOwner owner;
    {
        CGridCtrl grid(5, 5, 1, 1);
        grid.SetOwner(&owner);
        grid.SetSelectedRange(1, 1, 2, 2);
        owner.Reports.clear();
    }
    EXPECT_TRUE(owner.Reports.empty());
}
