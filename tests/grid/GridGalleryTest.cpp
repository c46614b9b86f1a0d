#include "GridTestSupport.h"

#include "grid/DrawTextFormat.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCellCombo.h"
#include "grid/GridCellDateTime.h"
#include "grid/GridCellNumeric.h"
#include "grid/GridPrint.h"
#include "grid/GridURLCell.h"
#include "grid/SysColors.h"
#include "grid/TitleTip.h"
#include "widgets/Screenshots.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {
const QString Gallery = QStringLiteral("gallery");

// The widget as shown, with the pop-up windows given laid over it where they stand on the
// screen.
QImage Composite(QWidget& base, std::initializer_list<QWidget*> windows)
{
    QImage image = shots::Grab(base);
    const QPoint origin = base.mapToGlobal(QPoint(0, 0));
    QRect area(QPoint(0, 0), image.size() / image.devicePixelRatio());
    for (QWidget* window : windows)
        if (window && window->isVisible())
            area |= QRect(window->mapToGlobal(QPoint(0, 0)) - origin, window->size());
    QImage canvas(area.size(), QImage::Format_RGB32);
    canvas.fill(QColor(236, 236, 236));
    QPainter painter(&canvas);
    painter.drawImage(-area.topLeft(), image);
    for (QWidget* window : windows)
        if (window && window->isVisible())
            painter.drawImage(window->mapToGlobal(QPoint(0, 0)) - origin - area.topLeft(),
                              window->grab().toImage());
    return canvas;
}

// A grid of products with a heading row and a row number column, 24-pixel rows.
void FillProducts(CGridCtrl& grid)
{
    const char* rows[][3] = {
        {"Bean There", "Coffee shop", "12"},
        {"Cuppa Corner", "Tea room", "7"},
        {"Daily Grind", "Coffee shop, roastery", "31"},
        {"Espresso Yourself", "Kiosk", "3"},
        {"Brew Haven", "Coffee shop", "18"},
        {"Steep & Sip", "Tea room", "9"},
    };
    grid.SetRowCount(7);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetCellText(0, 1, QStringLiteral("Brand"));
    grid.SetCellText(0, 2, QStringLiteral("Kind of outlet"));
    grid.SetCellText(0, 3, QStringLiteral("Visits"));
    for (int row = 1; row < 7; ++row) {
        grid.SetCellText(row, 0, QString::number(row));
        for (int col = 1; col < 4; ++col)
            grid.SetCellText(row, col, QString::fromUtf8(rows[row - 1][col - 1]));
        grid.SetCellFormat(row, 3, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        grid.SetRowHeight(row, 24);
    }
    grid.SetRowHeight(0, 24);
    grid.SetColumnWidth(0, 36);
    grid.SetColumnWidth(1, 130);
    grid.SetColumnWidth(2, 120);
    grid.SetColumnWidth(3, 70);
    grid.SetModified(false);
}

// The column's texts of the rows below the heading, top to bottom.
QStringList ColumnTexts(const CGridCtrl& grid, int col)
{
    QStringList texts;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        texts << grid.GetCellText(row, col);
    return texts;
}

// Orders two cells by the numbers they show.
int CompareNumbers(const CGridCellBase* cell1, const CGridCellBase* cell2, std::intptr_t)
{
    const double first = cell1->GetText().toDouble();
    const double second = cell2->GetText().toDouble();
    return first < second ? -1 : first > second ? 1 : 0;
}

// Whether the heading of the column shows the sort triangle: its shadow outline near the
// heading's right end.
bool ShowsSortTriangle(CGridCtrl& grid, const QImage& image, int col)
{
    CRect heading;
    grid.GetCellRect(0, col, heading);
    const QColor shadow = ColorRefToQColor(GetSysColor(COLOR_3DSHADOW));
    for (int x = heading.right - 30; x < heading.right; ++x)
        for (int y = heading.top + 2; y < heading.bottom - 2; ++y) {
            const QPoint at = grid.viewport()->mapTo(&grid, QPoint(x, y));
            if (shots::ColourNear(shots::PixelAt(image, at.x(), at.y()), shadow, 4))
                return true;
        }
    return false;
}

void Show(CGridCtrl& grid, QSize size = {420, 220})
{
    grid.resize(size);
    grid.show();
    grid.activateWindow();
    QApplication::processEvents();
    grid.setFocus();
}
} // namespace

TEST(GridGallery, EditorTitleTipAndSortedColumn)
{
    {
        CGridCtrl grid;
        FillProducts(grid);
        Show(grid);
        grid.SetFocusCell(3, 2);
        grid.SetSelectedRange(3, 2, 3, 2);
        QTest::keyClick(&grid, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" and bakery"));
        const QImage image = shots::Grab(grid);
        shots::Save(image, Gallery, QStringLiteral("grid-editor-open"));
        // The editor lies over the cell and, widened, over the next one: its base colour there.
        auto* editor = qobject_cast<QWidget*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        CRect next;
        grid.GetCellRect(3, 3, next);
        const QPoint inside = grid.viewport()->mapTo(&grid, QPoint(next.left + 20, next.top + 3));
        EXPECT_GT(editor->geometry().right(), next.left + 20);
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, inside.x(), inside.y()),
                                      editor->palette().color(QPalette::Base)));
    }
    {
        CGridCtrl grid;
        FillProducts(grid);
        Show(grid);
        QTest::mouseMove(grid.viewport(), QPoint(5, 5));
        CRect rect;
        grid.GetCellRect(3, 2, rect);
        QTest::mouseMove(grid.viewport(), QPoint(rect.left + 20, rect.top + 10));
        auto* tip = grid.viewport()->findChild<CTitleTip*>();
        ASSERT_TRUE(tip && tip->isVisible());
        const QImage image = Composite(grid, {tip});
        shots::Save(image, Gallery, QStringLiteral("grid-title-tip"));
        // The tip's tool-tip colour inside, past the cell's right edge.
        const QPoint past = tip->mapToGlobal(QPoint(tip->width() - 3, tip->height() / 2)) -
                            grid.mapToGlobal(QPoint(0, 0));
        EXPECT_GT(past.x(), grid.viewport()->mapTo(&grid, QPoint(rect.right, 0)).x());
        EXPECT_TRUE(
            shots::ColourNear(image.pixelColor(past), ColorRefToQColor(GetSysColor(COLOR_INFOBK))));
    }
    {
        CGridCtrl grid;
        FillProducts(grid);
        Show(grid);
        grid.SetHeaderSort(true);
        grid.SortByColumn(1, true);
        QImage image = shots::Grab(grid);
        shots::Save(image, Gallery, QStringLiteral("grid-sorted-ascending"));
        EXPECT_EQ(ColumnTexts(grid, 1),
                  (QStringList{"Bean There", "Brew Haven", "Cuppa Corner", "Daily Grind",
                               "Espresso Yourself", "Steep & Sip"}));
        // The triangle at the right of the sorted heading only.
        EXPECT_TRUE(ShowsSortTriangle(grid, image, 1));
        EXPECT_FALSE(ShowsSortTriangle(grid, image, 3));
        // The visits are numbers: their column sorts by value, not by text.
        grid.SetCompareFunction(CompareNumbers);
        grid.SortByColumn(3, false);
        image = shots::Grab(grid);
        shots::Save(image, Gallery, QStringLiteral("grid-sorted-descending"));
        EXPECT_EQ(ColumnTexts(grid, 3), (QStringList{"31", "18", "12", "9", "7", "3"}));
        EXPECT_EQ(ColumnTexts(grid, 1),
                  (QStringList{"Daily Grind", "Brew Haven", "Bean There", "Steep & Sip",
                               "Cuppa Corner", "Espresso Yourself"}));
        EXPECT_TRUE(ShowsSortTriangle(grid, image, 3));
        EXPECT_FALSE(ShowsSortTriangle(grid, image, 1));
    }
}

TEST(GridGallery, ExtraCellTypes)
{
    CGridCtrl grid;
    grid.SetRowCount(7);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetCellText(0, 1, QStringLiteral("Cell"));
    grid.SetCellText(0, 2, QStringLiteral("Another"));
    const char* kinds[] = {"Link", "Number", "Date", "List", "Check list", "Check box"};
    for (int row = 1; row < 7; ++row) {
        grid.SetCellText(row, 0, QString::fromLatin1(kinds[row - 1]));
        grid.SetRowHeight(row, 26);
    }
    grid.SetRowHeight(0, 24);
    grid.SetColumnWidth(0, 80);
    grid.SetColumnWidth(1, 200);
    grid.SetColumnWidth(2, 150);
    const auto place = [&](int row, int col, const CRuntimeClass& kind) {
        grid.ReplaceCell(row, col, kind.CreateObject());
        CGridCellBase* cell = grid.GetCell(row, col);
        cell->SetGrid(&grid);
        cell->SetFormat(DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        return cell;
    };
    for (int col = 1; col < 3; ++col) {
        place(1, col, CGridURLCell::classCGridURLCell);
        place(2, col, CGridCellNumeric::classCGridCellNumeric);
        place(3, col, CGridCellDateTime::classCGridCellDateTime);
        for (int row : {4, 5}) {
            auto* combo = static_cast<CGridCellCombo*>(
                place(row, col,
                      row == 4 ? CGridCellCombo::classCGridCellCombo
                               : CGridCellCheckCombo::classCGridCellCheckCombo));
            combo->SetOptions({QStringLiteral("Coffee shop"), QStringLiteral("Tea room"),
                               QStringLiteral("Kiosk"), QStringLiteral("Roastery"),
                               QStringLiteral("Bakery")});
        }
        auto* check =
            static_cast<CGridCellCheck*>(place(6, col, CGridCellCheck::classCGridCellCheck));
        check->SetCheck(col == 1);
    }
    grid.SetCellText(1, 1, QStringLiteral("see www.pelko.example"));
    grid.SetCellText(1, 2, QStringLiteral("mailto:panel@pelko.example"));
    grid.SetCellText(2, 1, QStringLiteral("1250"));
    grid.SetCellText(3, 1, QStringLiteral("03/14/2024"));
    grid.SetCellText(4, 1, QStringLiteral("Tea room"));
    grid.SetCellText(5, 1, QStringLiteral("Coffee shop; Bakery"));
    grid.SetCellText(6, 1, QStringLiteral("Visited"));
    grid.SetCellText(6, 2, QStringLiteral("Not visited"));
    Show(grid, {460, 230});
    const QImage cells = shots::Grab(grid);
    shots::Save(cells, Gallery, QStringLiteral("grid-extra-cells"));
    // The link in the link colour somewhere along its cell; a checked box is not blank.
    const auto cellHas = [&](int row, int col, const std::function<bool(QColor)>& test) {
        CRect rect;
        grid.GetCellRect(row, col, rect);
        for (int y = rect.top + 2; y < rect.bottom - 1; ++y)
            for (int x = rect.left + 2; x < rect.right - 1; ++x) {
                const QPoint at = grid.viewport()->mapTo(&grid, QPoint(x, y));
                if (test(shots::PixelAt(cells, at.x(), at.y())))
                    return true;
            }
        return false;
    };
    const QColor link = ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(cellHas(1, 1, [&](QColor c) { return shots::ColourNear(c, link, 40); }));
    EXPECT_TRUE(cellHas(6, 1, [](QColor c) { return c.lightness() < 80; }));

    // The check-list open over its cell.
    grid.SetFocusCell(5, 1);
    QTest::keyClick(&grid, Qt::Key_F2);
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    QWidget* popup = combo->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const QImage open = Composite(grid, {popup});
    shots::Save(open, Gallery, QStringLiteral("grid-check-list-open"));
    // The list lies below the field.
    EXPECT_GE(popup->mapToGlobal(QPoint(0, 0)).y(),
              combo->mapToGlobal(QPoint(0, combo->height())).y() - 1);
    QTest::keyClick(combo->view(), Qt::Key_Escape);

    // The date editor open over its cell.
    grid.SetFocusCell(3, 1);
    static_cast<CGridCellDateTime*>(grid.GetCell(3, 1))
        ->SetTime(QDateTime(QDate(2024, 3, 14), QTime(9, 30)));
    QTest::keyClick(&grid, Qt::Key_F2);
    const QImage dateOpen = shots::Grab(grid);
    shots::Save(dateOpen, Gallery, QStringLiteral("grid-date-editor-open"));
    // The editor lies on its cell with the cell's date, in the editor's base colour.
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(grid.viewport()->isAncestorOf(editor));
    CRect dateCell;
    grid.GetCellRect(3, 1, dateCell);
    EXPECT_TRUE(editor->geometry().contains(QPoint(dateCell.left + 20, dateCell.top + 13)));
    const QPoint insideEditor =
        editor->mapTo(&grid, QPoint(editor->width() * 3 / 4, editor->height() / 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(dateOpen, insideEditor.x(), insideEditor.y()),
                                  editor->palette().color(QPalette::Base), 8));
    if (auto* edit = qobject_cast<QDateTimeEdit*>(editor)) {
        EXPECT_EQ(edit->date(), QDate(2024, 3, 14));
    }
}

TEST(GridGallery, PrintedPage)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brand tracking, wave 3"));
    CGridCtrl grid(0, 0, 0, 0, &window);
    grid.SetRowCount(61);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const char* headings[] = {"", "Question", "Wave 1", "Wave 2", "Wave 3"};
    for (int col = 0; col < 5; ++col)
        grid.SetCellText(0, col, QString::fromLatin1(headings[col]));
    for (int row = 1; row < 61; ++row) {
        grid.SetCellText(row, 0, QString::number(row));
        grid.SetCellText(row, 1, QStringLiteral("Q%1 Which brand did you buy last?").arg(row));
        for (int col = 2; col < 5; ++col)
            grid.SetCellText(row, col, QStringLiteral("%1 %").arg((row * 7 + col * 13) % 100));
    }
    grid.SetCellBackColour(4, 2, RGB(255, 236, 179));
    grid.SetColumnWidth(0, 40);
    grid.SetColumnWidth(1, 260);
    for (int col = 2; col < 5; ++col)
        grid.SetColumnWidth(col, 80);
    grid.SetPrintClock([] { return QDateTime(QDate(2024, 3, 14), QTime(9, 30)); });

    const std::vector<QImage> pages = PrintGridToImages(grid, QSize(850, 1100), 100);
    ASSERT_GE(pages.size(), 2u);
    shots::Save(pages[0], Gallery, QStringLiteral("grid-print-page-1"));
    // The shaded cell is printed in its colour.
    bool shaded = false;
    for (int y = 0; y < 400 && !shaded; y += 2)
        for (int x = 0; x < 850 && !shaded; x += 2)
            shaded = shots::ColourNear(pages[0].pixelColor(x, y), QColor(255, 236, 179), 2);
    EXPECT_TRUE(shaded);
    const QString pdf =
        QDir(shots::OutputFolder(Gallery)).filePath(QStringLiteral("grid-print.pdf"));
    int printed = 0;
    ASSERT_TRUE(PrintGridToPdf(grid, pdf,
                               QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter),
                               &printed));
    EXPECT_GE(printed, 2);
    EXPECT_TRUE(QFile::exists(pdf));
}
