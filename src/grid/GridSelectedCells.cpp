#include "grid/GridSelectedCells.h"

#include <algorithm>

void CSelectedCells::Resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == m_rows && cols == m_cols)
        return;
    if (m_count == 0) {
        m_bits.clear();
        m_rows = rows;
        m_cols = cols;
        m_stride = Stride(cols);
        return;
    }
    CSelectedCells resized;
    resized.Resize(rows, cols);
    ForEach([&](int row, int col) { resized.Insert(row, col); });
    *this = std::move(resized);
}

void CSelectedCells::InsertRow(int row)
{
    if (row < 0 || row > m_rows)
        return;
    ++m_rows;
    if (!m_bits.empty())
        m_bits.insert(m_bits.begin() + std::ptrdiff_t(row) * m_stride, std::size_t(m_stride), 0);
}

void CSelectedCells::EraseRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    if (!m_bits.empty()) {
        const auto first = m_bits.begin() + std::ptrdiff_t(row) * m_stride;
        for (auto word = first; word != first + m_stride; ++word)
            m_count -= std::popcount(*word);
        m_bits.erase(first, first + m_stride);
    }
    --m_rows;
}

bool CSelectedCells::Insert(int row, int col)
{
    if (!Inside(row, col))
        return false;
    if (m_bits.empty())
        m_bits.assign(std::size_t(m_rows) * m_stride, 0);
    std::uint64_t& word = m_bits[Word(row, col)];
    const std::uint64_t bit = std::uint64_t(1) << (col & 63);
    if (!(word & bit)) {
        word |= bit;
        ++m_count;
    }
    return true;
}

bool CSelectedCells::Erase(int row, int col)
{
    if (!Inside(row, col))
        return false;
    if (m_bits.empty())
        return true;
    std::uint64_t& word = m_bits[Word(row, col)];
    const std::uint64_t bit = std::uint64_t(1) << (col & 63);
    if (word & bit) {
        word &= ~bit;
        if (--m_count == 0)
            m_bits.clear();
    }
    return true;
}

void CSelectedCells::Clear()
{
    m_bits.clear();
    m_count = 0;
}

CCellIDRange CSelectedCells::Bounds() const
{
    if (m_count == 0)
        return CCellIDRange();
    int minRow = -1, maxRow = -1, minCol = m_cols, maxCol = -1;
    for (int row = 0; row < m_rows; ++row) {
        const std::uint64_t* words = &m_bits[std::size_t(row) * m_stride];
        int first = -1, last = -1;
        for (int w = 0; w < m_stride; ++w) {
            if (!words[w])
                continue;
            if (first < 0)
                first = w * 64 + std::countr_zero(words[w]);
            last = w * 64 + 63 - std::countl_zero(words[w]);
        }
        if (first < 0)
            continue;
        if (minRow < 0)
            minRow = row;
        maxRow = row;
        minCol = std::min(minCol, first);
        maxCol = std::max(maxCol, last);
    }
    return CCellIDRange(minRow, minCol, maxRow, maxCol);
}
