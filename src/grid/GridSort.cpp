#include "grid/GridCtrl.h"

#include <vector>

int CGridCtrl::pfnCellTextCompare(const CGridCellBase* cell1, const CGridCellBase* cell2,
                                  std::intptr_t)
{
    if (!cell1 || !cell2)
        return 0;
    return QString::compare(cell1->GetText(), cell2->GetText(), Qt::CaseSensitive);
}

bool CGridCtrl::SortByColumn(int nCol, bool bAscending, std::intptr_t data)
{
    return SortWithCompare(m_pfnCompare ? m_pfnCompare : pfnCellTextCompare, nCol, bAscending,
                           data);
}

bool CGridCtrl::SortWithCompare(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    // An edit left open would end in whatever row moved under its editor.
    StopEditing();
    // The state bits travel with the cells: the selection and the focus would move with them.
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortRange(compare, nCol, bAscending, data, m_nFixedRows, -1);
}

namespace {
// The quicksort of positions [low, high] of the order on the pivot at the middle position: the
// entries of the order move, and the compare function takes two entries. Of the two parts left,
// the smaller one is sorted by recursion and the larger one by the loop, so that the depth stays
// small whatever the keys; the parts do not overlap, so the order of sorting them changes
// nothing.
template <class Compare>
void QuickSort(std::vector<int>& order, int low, int high, const Compare& compare, bool ascending)
{
    while (low < high) {
        // The pivot is an entry, and travels with it.
        const int pivot = order[std::size_t((low + high) / 2)];
        const auto before = [&](int position) {
            const int result = compare(order[std::size_t(position)], pivot);
            return ascending ? result < 0 : result > 0;
        };
        const auto after = [&](int position) {
            const int result = compare(order[std::size_t(position)], pivot);
            return ascending ? result > 0 : result < 0;
        };
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && before(lo))
                ++lo;
            while (hi > low && after(hi))
                --hi;
            if (lo <= hi) {
                if (compare(order[std::size_t(lo)], order[std::size_t(hi)]) != 0)
                    std::swap(order[std::size_t(lo)], order[std::size_t(hi)]);
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi)
                QuickSort(order, low, hi, compare, ascending);
            low = lo;
        } else {
            if (lo < high)
                QuickSort(order, lo, high, compare, ascending);
            high = hi;
        }
    }
}
} // namespace

bool CGridCtrl::SortRange(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data,
                          int low, int high)
{
    if (nCol < 0 || nCol >= m_nCols)
        return false;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high || m_bVirtualMode)
        return false;
    if (!compare)
        compare = pfnCellTextCompare;

    // The rows are sorted as an order of their indices, then moved once: the compare calls, and
    // so where rows with equal keys end, are those of swapping the rows themselves.
    const int count = high - low + 1;
    std::vector<int> order(static_cast<std::size_t>(count));
    std::vector<const CGridCellBase*> cells(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        order[std::size_t(i)] = i;
        cells[std::size_t(i)] = GetCell(low + i, nCol);
    }
    if (compare == pfnCellTextCompare) {
        // The text order on the texts taken once: a missing cell is equal to every cell.
        std::vector<QString> keys(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            if (const CGridCellBase* cell = cells[std::size_t(i)])
                keys[std::size_t(i)] = cell->GetText();
        QuickSort(
            order, 0, count - 1,
            [&](int a, int b) {
                if (!cells[std::size_t(a)] || !cells[std::size_t(b)])
                    return 0;
                return QString::compare(keys[std::size_t(a)], keys[std::size_t(b)],
                                        Qt::CaseSensitive);
            },
            bAscending);
    } else {
        QuickSort(
            order, 0, count - 1,
            [&](int a, int b) {
                return compare(cells[std::size_t(a)], cells[std::size_t(b)], data);
            },
            bAscending);
    }
    MoveRows(low, order);
    return true;
}

void CGridCtrl::MoveRows(int low, const std::vector<int>& order)
{
    const std::size_t count = order.size();
    std::vector<std::unique_ptr<GRID_ROW>> rows(count);
    std::vector<int> heights(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows[i] = std::move(m_RowData[std::size_t(low + order[i])]);
        heights[i] = m_arRowHeights.GetSize(low + order[i]);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const int row = low + int(i);
        m_RowData[std::size_t(row)] = std::move(rows[i]);
        if (m_arRowHeights.GetSize(row) != heights[i])
            m_arRowHeights.SetSize(row, heights[i]);
    }
    // The cells are not told their new places: a cell keeps no coordinates, and drawing hands
    // each cell its own.
}
