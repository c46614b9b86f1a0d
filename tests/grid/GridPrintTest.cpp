#include "GridTestSupport.h"

#include "grid/GridPrint.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString Artefacts = QStringLiteral("test-artefacts/grid");
const QSize Letter(850, 1100); // 8.5 x 11 inches at 100 dots per inch

// A grid with one fixed row and column and the body rows given (20 pixels high), four body
// columns of 90 pixels.
void Fill(CGridCtrl& grid, int bodyRows, int bodyCols = 4, int colWidth = 90)
{
    grid.SetRowCount(bodyRows + 1);
    grid.SetColumnCount(bodyCols + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int col = 0; col <= bodyCols; ++col) {
        grid.SetColumnWidth(col, col == 0 ? 40 : colWidth);
        grid.SetCellText(0, col, QStringLiteral("Col %1").arg(col));
    }
    for (int row = 0; row <= bodyRows; ++row) {
        grid.SetRowHeight(row, 20);
        grid.SetCellText(row, 0, QString::number(row));
        for (int col = 1; col <= bodyCols; ++col)
            grid.SetCellText(row, col, QStringLiteral("r%1c%2").arg(row).arg(col));
    }
}

bool Dark(QColor colour)
{
    return colour.lightness() < 100;
}

// The rows of the band where a horizontal line crosses the page: dark at several points across.
std::vector<int> LineRows(const QImage& page, int fromY, int toY)
{
    std::vector<int> rows;
    for (int y = fromY; y < toY; ++y) {
        bool line = true;
        for (const double at : {0.15, 0.35, 0.65, 0.85})
            line = line && Dark(page.pixelColor(int(page.width() * at), y));
        if (line)
            rows.push_back(y);
    }
    return rows;
}

// The lines across the page in the band, each line's rows merged: the line's middle row.
std::vector<int> Lines(const QImage& page, int fromY, int toY)
{
    std::vector<int> lines;
    int first = -1, last = -1;
    for (const int y : LineRows(page, fromY, toY)) {
        if (y != last + 1 && first >= 0) {
            lines.push_back((first + last) / 2);
            first = -1;
        }
        if (first < 0)
            first = y;
        last = y;
    }
    if (first >= 0)
        lines.push_back((first + last) / 2);
    return lines;
}

// The colour inside the heading row (between the second and third lines across the page, after
// the header line), just left of the border of the heading cell in the page's middle.
QColor HeadingColour(const QImage& page)
{
    const std::vector<int> lines = Lines(page, 0, page.height() / 5);
    if (lines.size() < 3)
        return {};
    const int y = (lines[1] + lines[2]) / 2;
    int x = page.width() / 2;
    while (x < page.width() - 1 && !Dark(page.pixelColor(x, y)))
        ++x;
    return page.pixelColor(x - 4, y);
}

bool AllWhite(const QImage& page, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3)
            if (page.pixelColor(x, y) != QColor(Qt::white))
                return false;
    return true;
}

bool Contains(const QImage& page, QColor colour)
{
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            if (shots::ColourNear(page.pixelColor(x, y), colour, 2))
                return true;
    return false;
}

int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    return int(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}
} // namespace

TEST(GridPrintTest, PageCountsMatchThePagesOfThePdf)
{
    struct SCase
    {
        const char* Name;
        int BodyRows;
        int TallRowHeight; // 0: none
        int Pages;
    };
    const SCase cases[] = {
        {"no body rows", 0, 0, 1},
        {"a few rows", 5, 0, 1},
        {"many rows", 150, 0, 6},
        {"a row taller than a page", 4, 3000, 3},
    };
    QTemporaryDir folder;
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        CGridCtrl grid;
        Fill(grid, c.BodyRows);
        if (c.TallRowHeight)
            grid.SetRowHeight(2, c.TallRowHeight);
        const QString path = folder.filePath(QStringLiteral("%1.pdf").arg(c.BodyRows));
        int printed = 0;
        ASSERT_TRUE(PrintGridToPdf(grid, path,
                                   QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter),
                                   &printed));
        EXPECT_EQ(printed, c.Pages);
        EXPECT_EQ(PdfPages(path), c.Pages);
        EXPECT_EQ(int(PrintGridToImages(grid, QSize(595, 842), 72).size()), c.Pages);
    }
    // An unwritable file is an error.
    CGridCtrl grid;
    Fill(grid, 3);
    EXPECT_FALSE(PrintGridToPdf(grid, folder.filePath(QStringLiteral("missing/folder/x.pdf")),
                                QPageLayout()));
}

TEST(GridPrintTest, APageHasTheHeaderLineTheRowsWhiteBelowAndTheFooter)
{
    CGridCtrl grid;
    Fill(grid, 8);
    const std::vector<QImage> pages = PrintGridToImages(grid, Letter, 100);
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    shots::Save(page, Artefacts, QStringLiteral("print-page"));

    const std::vector<int> header = LineRows(page, 0, page.height() / 10);
    ASSERT_FALSE(header.empty());
    const std::vector<int> footer = LineRows(page, page.height() * 9 / 10, page.height());
    ASSERT_FALSE(footer.empty());
    // The headings, in the face colour, below the header line.
    EXPECT_TRUE(
        shots::ColourNear(HeadingColour(page), ColorRefToQColor(GetSysColor(COLOR_3DFACE)), 2));
    // Below the last of the nine rows and above the footer: white paper.
    EXPECT_TRUE(AllWhite(page, QRect(10, page.height() / 2, page.width() - 20,
                                     footer.front() - page.height() / 2 - 5)));
    EXPECT_FALSE(AllWhite(page, QRect(10, header.back() + 5, page.width() - 20, 100)));
}

TEST(GridPrintTest, APageWithoutRowsHasNoFooterAndATallRowIsNeverPrinted)
{
    CGridCtrl empty;
    Fill(empty, 0);
    const QImage page = PrintGridToImages(empty, Letter, 100).at(0);
    EXPECT_FALSE(LineRows(page, 0, page.height() / 10).empty());
    EXPECT_TRUE(AllWhite(page, QRect(0, page.height() / 3, page.width(), page.height() * 2 / 3)));

    // The pages that start with a row taller than a page carry header, headings and footer only.
    CGridCtrl tall;
    Fill(tall, 3);
    tall.SetRowHeight(2, 5000);
    tall.SetCellBackColour(2, 1, RGB(200, 0, 0));
    const std::vector<QImage> pages = PrintGridToImages(tall, Letter, 100);
    ASSERT_EQ(pages.size(), 3u);
    for (const QImage& each : pages)
        EXPECT_FALSE(Contains(each, QColor(200, 0, 0)));
    const QImage& second = pages[1];
    EXPECT_FALSE(LineRows(second, second.height() * 9 / 10, second.height()).empty());
    EXPECT_TRUE(
        AllWhite(second, QRect(10, second.height() / 4, second.width() - 20, second.height() / 2)));
}

TEST(GridPrintTest, WysiwygPrintingSplitsWideGridsAcrossPagesWithTheFixedColumns)
{
    CGridCtrl grid;
    Fill(grid, 10, 20, 100);
    grid.SetCellBackColour(1, 1, RGB(200, 0, 0));
    grid.SetWysiwygPrinting();
    const std::vector<QImage> pages = PrintGridToImages(grid, Letter, 100);
    ASSERT_GT(pages.size(), 2u);
    EXPECT_TRUE(Contains(pages[0], QColor(200, 0, 0)));
    EXPECT_FALSE(Contains(pages[1], QColor(200, 0, 0)));
    // The fixed column and the fixed corner come again at the left of page 2.
    const QColor face = ColorRefToQColor(GetSysColor(COLOR_3DFACE));
    const QImage& second = pages[1];
    const std::vector<int> header = LineRows(second, 0, second.height() / 10);
    ASSERT_FALSE(header.empty());
    int faceRows = 0;
    for (int y = header.back(); y < second.height() / 2; ++y)
        for (int x = 0; x < second.width() / 6; x += 4)
            if (shots::ColourNear(second.pixelColor(x, y), face, 2)) {
                ++faceRows;
                break;
            }
    EXPECT_GT(faceRows, 11 * 20);
}

TEST(GridPrintTest, TheLeftMarginMovesThePageAndLeavesTheOthers)
{
    // The header line runs between the margins: its gaps at the left and right of the page.
    const auto gaps = [](CGridCtrl& grid) {
        const QImage page = PrintGridToImages(grid, Letter, 100).at(0);
        const std::vector<int> header = LineRows(page, 0, page.height() / 10);
        if (header.empty())
            return std::pair(-1, -1);
        const int y = header.front();
        int left = 0;
        while (left < page.width() && !Dark(page.pixelColor(left, y)))
            ++left;
        int right = page.width() - 1;
        while (right > 0 && !Dark(page.pixelColor(right, y)))
            --right;
        return std::pair(left, page.width() - 1 - right);
    };
    CGridCtrl grid;
    Fill(grid, 5);
    const auto [left4, right4] = gaps(grid);
    grid.SetPrintMarginInfo(-1, -1, 6, -1, -1, -1, -1);
    const auto [left6, right6] = gaps(grid);
    EXPECT_NEAR(double(left4) / right4, 1.0, 0.1);
    EXPECT_NEAR(double(left6) / right6, 1.5, 0.1);
}

TEST(GridPrintTest, WithoutShadingNoColoursArePrinted)
{
    CGridCtrl grid;
    Fill(grid, 5);
    grid.SetCellBackColour(2, 2, RGB(200, 0, 0));
    grid.SetCellTextColour(3, 3, RGB(0, 0, 200));
    const QColor face = ColorRefToQColor(GetSysColor(COLOR_3DFACE));
    const QImage shaded = PrintGridToImages(grid, Letter, 100).at(0);
    EXPECT_TRUE(Contains(shaded, QColor(200, 0, 0)));
    EXPECT_TRUE(Contains(shaded, QColor(0, 0, 200)));
    EXPECT_TRUE(shots::ColourNear(HeadingColour(shaded), face, 2));
    grid.SetShadedPrintOut(false);
    const QImage plain = PrintGridToImages(grid, Letter, 100).at(0);
    EXPECT_FALSE(Contains(plain, QColor(200, 0, 0)));
    EXPECT_EQ(HeadingColour(plain), QColor(Qt::white));
    EXPECT_FALSE(Contains(plain, QColor(0, 0, 200)));
}
