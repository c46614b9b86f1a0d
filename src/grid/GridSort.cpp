#include "grid/GridCtrl.h"

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

bool CGridCtrl::SortRange(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data,
                          int low, int high)
{
    if (nCol < 0 || nCol >= m_nCols)
        return false;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high || m_bVirtualMode)
        return false;
    SortRows(compare ? compare : pfnCellTextCompare, nCol, bAscending, data, low, high);
    return true;
}

void CGridCtrl::SortRows(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data,
                         int low, int high)
{
    // The quicksort of the rows [low, high] on the middle row's cell. Of the two parts left, the
    // smaller one is sorted by recursion and the larger one by the loop, so that the depth stays
    // small whatever the keys; the parts do not overlap, so the order of sorting them changes
    // nothing.
    while (low < high) {
        const CGridCellBase* pivot = GetCell((low + high) / 2, nCol);
        // Whether the row's cell goes before or after the pivot in the order asked for.
        const auto before = [&](int row) {
            const int order = compare(GetCell(row, nCol), pivot, data);
            return bAscending ? order < 0 : order > 0;
        };
        const auto after = [&](int row) {
            const int order = compare(GetCell(row, nCol), pivot, data);
            return bAscending ? order > 0 : order < 0;
        };
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && before(lo))
                ++lo;
            while (hi > low && after(hi))
                --hi;
            if (lo <= hi) {
                if (compare(GetCell(lo, nCol), GetCell(hi, nCol), data) != 0)
                    SwapRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi)
                SortRows(compare, nCol, bAscending, data, low, hi);
            low = lo;
        } else {
            if (lo < high)
                SortRows(compare, nCol, bAscending, data, lo, high);
            high = hi;
        }
    }
}

void CGridCtrl::SwapRows(int row1, int row2)
{
    std::swap(m_RowData[row1], m_RowData[row2]);
    for (int col = 0; col < m_nCols; ++col) {
        if (CGridCellBase* cell = (*m_RowData[row1])[col].get())
            cell->SetCoords(row1, col);
        if (CGridCellBase* cell = (*m_RowData[row2])[col].get())
            cell->SetCoords(row2, col);
    }
    const int height1 = m_arRowHeights.GetSize(row1);
    const int height2 = m_arRowHeights.GetSize(row2);
    if (height1 != height2) {
        m_arRowHeights.SetSize(row1, height2);
        m_arRowHeights.SetSize(row2, height1);
    }
}
