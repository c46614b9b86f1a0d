#include "GridTestSupport.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <random>

namespace {
// A grid with one fixed row ("Key", "Id") and one row per key: column 0 the key, column 1 the
// row's number, each row as high as 20 plus its number.
void Fill(CGridCtrl& grid, const std::vector<QString>& keys)
{
    grid.SetColumnCount(2);
    grid.SetRowCount(int(keys.size()) + 1);
    grid.SetFixedRowCount(1);
    grid.SetCellText(0, 0, QStringLiteral("Key"));
    grid.SetCellText(0, 1, QStringLiteral("Id"));
    for (int i = 0; i < int(keys.size()); ++i) {
        grid.SetCellText(i + 1, 0, keys[std::size_t(i)]);
        grid.SetCellText(i + 1, 1, QString::number(i + 1));
        grid.SetRowHeight(i + 1, 20 + i + 1);
    }
}

// The ids (column 1) from the first body row down.
std::vector<int> Ids(const CGridCtrl& grid)
{
    std::vector<int> ids;
    for (int row = 1; row < grid.GetRowCount(); ++row)
        ids.push_back(grid.GetCellText(row, 1).toInt());
    return ids;
}

std::vector<QString> Keys(std::initializer_list<const char*> keys)
{
    std::vector<QString> result;
    for (const char* key : keys)
        result.push_back(QString::fromLatin1(key));
    return result;
}

// The in-place quicksort of rows [low, high], swapping the entries themselves: the order the
// grid's sort must give, equal keys included.
void ReferenceSort(std::vector<std::pair<QString, int>>& rows, int low, int high, bool ascending)
{
    if (low >= high)
        return;
    const auto compare = [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first);
    };
    const std::pair<QString, int> pivot = rows[std::size_t((low + high) / 2)];
    int lo = low, hi = high;
    while (lo <= hi) {
        if (ascending) {
            while (lo < high && compare(rows[std::size_t(lo)], pivot) < 0)
                ++lo;
            while (hi > low && compare(rows[std::size_t(hi)], pivot) > 0)
                --hi;
        } else {
            while (lo < high && compare(rows[std::size_t(lo)], pivot) > 0)
                ++lo;
            while (hi > low && compare(rows[std::size_t(hi)], pivot) < 0)
                --hi;
        }
        if (lo <= hi) {
            if (compare(rows[std::size_t(lo)], rows[std::size_t(hi)]) != 0)
                std::swap(rows[std::size_t(lo)], rows[std::size_t(hi)]);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        ReferenceSort(rows, low, hi, ascending);
    if (lo < high)
        ReferenceSort(rows, lo, high, ascending);
}
} // namespace

TEST(GridSortTest, SortsTheRowsBelowTheFixedOnesWholeByOneColumn)
{
    struct SCase
    {
        const char* Name;
        std::vector<QString> Keys;
        bool Ascending;
        std::vector<int> Ids;
    };
    const SCase cases[] = {
        {"ascending", Keys({"pear", "apple", "Zoo", "fig"}), true, {3, 2, 4, 1}},
        {"descending", Keys({"pear", "apple", "Zoo", "fig"}), false, {1, 4, 2, 3}},
        {"code units, not the alphabet", Keys({"b", "B", "a", "\xe9"}), true, {2, 3, 1, 4}},
        {"already sorted", Keys({"a", "b", "c"}), true, {1, 2, 3}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        CGridCtrl grid;
        Fill(grid, c.Keys);
        grid.SetSelectedRange(1, 0, 2, 1);
        grid.SetFocusCell(2, 1);
        EXPECT_TRUE(grid.SortByColumn(0, c.Ascending));
        EXPECT_EQ(Ids(grid), c.Ids);
        // The fixed row stays; heights went with their rows; selection and focus are cleared.
        EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("Key"));
        for (int row = 1; row < grid.GetRowCount(); ++row)
            EXPECT_EQ(grid.GetRowHeight(row), 20 + grid.GetCellText(row, 1).toInt());
        EXPECT_EQ(grid.GetSelectedCount(), 0);
        EXPECT_EQ(grid.GetFocusCell(), CCellID());
        EXPECT_EQ(grid.GetSortColumn(), 0);
        EXPECT_EQ(grid.GetSortAscending(), c.Ascending);
    }
}

TEST(GridSortTest, EqualKeysEndWhereTheQuicksortPutsThem)
{
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        const int count = 2 + int(random() % 60);
        std::vector<QString> keys;
        std::vector<std::pair<QString, int>> reference;
        for (int i = 0; i < count; ++i) {
            keys.push_back(QString(QChar(u'a' + char16_t(random() % 4))));
            reference.emplace_back(keys.back(), i + 1);
        }
        const bool ascending = round % 2 == 0;
        ReferenceSort(reference, 0, count - 1, ascending);
        std::vector<int> expected;
        for (const auto& entry : reference)
            expected.push_back(entry.second);

        CGridCtrl grid;
        Fill(grid, keys);
        grid.SortByColumn(0, ascending);
        EXPECT_EQ(Ids(grid), expected) << "round " << round;
    }
}

TEST(GridSortTest, TooFewRowsChangeOnlyTheSortStateSelectionAndFocus)
{
    CGridCtrl grid;
    Fill(grid, Keys({"only"}));
    grid.SetSelectedRange(1, 0, 1, 1);
    grid.SetFocusCell(1, 1);
    EXPECT_FALSE(grid.SortByColumn(1, false));
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("only"));

    // A column out of range, an empty range, and a grid in virtual mode sort nothing.
    CGridCtrl other;
    Fill(other, Keys({"b", "a"}));
    EXPECT_FALSE(other.SortRange(nullptr, 2, true, 0, 1, -1));
    EXPECT_FALSE(other.SortRange(nullptr, 0, true, 0, 2, 2));
    EXPECT_EQ(Ids(other), (std::vector<int>{1, 2}));
    CGridCtrl virtualGrid;
    virtualGrid.SetVirtualMode(true);
    virtualGrid.SetRowCount(5);
    virtualGrid.SetColumnCount(2);
    EXPECT_FALSE(virtualGrid.SortByColumn(0));
}

TEST(GridSortTest, TheCompareFunctionDecidesAndAMissingCellIsEqualToAll)
{
    CGridCtrl grid;
    Fill(grid, Keys({"10", "9", "100", "1"}));
    grid.SetCompareFunction([](const CGridCellBase* a, const CGridCellBase* b, std::intptr_t) {
        return a->GetText().toInt() - b->GetText().toInt();
    });
    grid.SortByColumn(0, true);
    EXPECT_EQ(Ids(grid), (std::vector<int>{4, 2, 1, 3}));

    CGridCell cell;
    EXPECT_EQ(CGridCtrl::pfnCellTextCompare(nullptr, &cell, 0), 0);
    EXPECT_EQ(CGridCtrl::pfnCellTextCompare(&cell, nullptr, 0), 0);
}

TEST(GridSortTest, ClickingAHeadingSortsItAscendingThenDescending)
{
    SShownGrid shown(6, 3, 1, 1);
    const char* keys[] = {"d", "b", "e", "a", "c"};
    for (int row = 1; row < 6; ++row)
        shown.grid.SetCellText(row, 1, QString::fromLatin1(keys[row - 1]));
    const auto column = [&] {
        QString text;
        for (int row = 1; row < 6; ++row)
            text += shown.grid.GetCellText(row, 1);
        return text;
    };
    shown.Click(0, 1);
    EXPECT_EQ(column(), QStringLiteral("dbeac"));
    EXPECT_EQ(shown.grid.GetSortColumn(), -1);

    shown.grid.SetHeaderSort(true);
    shown.Click(0, 1);
    EXPECT_EQ(column(), QStringLiteral("abcde"));
    EXPECT_TRUE(shown.grid.GetSortAscending());
    // The column selection of a heading click follows the sort.
    EXPECT_TRUE(shown.grid.IsCellSelected(1, 1));
    EXPECT_TRUE(shown.grid.IsCellSelected(5, 1));
    shown.Click(0, 1);
    EXPECT_EQ(column(), QStringLiteral("edcba"));
    EXPECT_FALSE(shown.grid.GetSortAscending());
    shown.Click(0, 2);
    EXPECT_EQ(shown.grid.GetSortColumn(), 2);
    EXPECT_TRUE(shown.grid.GetSortAscending());
}

TEST(GridSortTest, EditingTheSortedColumnForgetsTheSort)
{
    SShownGrid shown(6, 3, 1, 1);
    shown.grid.SortByColumn(1, true);
    ASSERT_EQ(shown.grid.GetSortColumn(), 1);
    shown.grid.SetFocusCell(2, 2);
    shown.Type(QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown.grid.GetSortColumn(), 1);
    shown.grid.SetFocusCell(2, 1);
    shown.Type(QStringLiteral("y"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown.grid.GetCellText(2, 1), QStringLiteral("y"));
    EXPECT_EQ(shown.grid.GetSortColumn(), -1);
}

TEST(GridSortTest, AnOpenEditEndsInItsOwnRowBeforeTheRowsMove)
{
    SShownGrid shown(5, 2, 1, 1);
    const char* keys[] = {"c", "a", "d", "b"};
    for (int row = 1; row < 5; ++row)
        shown.grid.SetCellText(row, 1, QString::fromLatin1(keys[row - 1]));
    shown.grid.SetFocusCell(2, 1);
    shown.Type(QStringLiteral("z"));
    ASSERT_NE(shown.OpenEditor(), nullptr);
    shown.grid.SortByColumn(1, true);
    EXPECT_EQ(shown.OpenEditor(), nullptr);
    EXPECT_EQ(shown.grid.GetCellText(4, 1), QStringLiteral("z"));
    EXPECT_EQ(shown.grid.GetCellText(1, 1), QStringLiteral("b"));
}
