#pragma once

#include "grid/CellID.h"

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

// The grid's selected cells: one bit per cell, each row in whole 64-bit words, and their count.
// Selecting every cell of a large grid costs a bit per cell, and the cells are walked in row and
// column order. Cells outside the grid's counts are never held.
class CSelectedCells
{
public:
    // Follows the grid's counts; cells that stay inside keep their bit.
    void Resize(int rows, int cols);
    // A row inserted before the index (the rows from it move down), or a row removed.
    void InsertRow(int row);
    void EraseRow(int row);

    bool Contains(int row, int col) const
    {
        if (!Inside(row, col) || m_bits.empty())
            return false;
        return (m_bits[Word(row, col)] >> (col & 63)) & 1;
    }
    // Adds or removes a cell; false for a cell outside the counts.
    bool Insert(int row, int col);
    bool Erase(int row, int col);
    void Clear();
    // Hands over every selected cell and keeps none (the counts stay).
    CSelectedCells TakeAll()
    {
        CSelectedCells taken = std::move(*this);
        m_bits.clear();
        m_count = 0;
        return taken;
    }

    long long Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }
    // The smallest range holding every selected cell; invalid when none is.
    CCellIDRange Bounds() const;

    // Calls the function with (row, column) of every selected cell, row by row, left to right.
    template <class Function> void ForEach(Function function) const
    {
        if (m_count == 0)
            return;
        for (int row = 0; row < m_rows; ++row) {
            const std::uint64_t* words = &m_bits[std::size_t(row) * m_stride];
            for (int w = 0; w < m_stride; ++w) {
                std::uint64_t word = words[w];
                while (word) {
                    const int bit = std::countr_zero(word);
                    word &= word - 1;
                    function(row, w * 64 + bit);
                }
            }
        }
    }

private:
    bool Inside(int row, int col) const
    {
        return row >= 0 && col >= 0 && row < m_rows && col < m_cols;
    }
    std::size_t Word(int row, int col) const
    {
        return std::size_t(row) * m_stride + std::size_t(col >> 6);
    }
    static int Stride(int cols) { return (cols + 63) / 64; }

    int m_rows = 0;
    int m_cols = 0;
    int m_stride = 0; // words per row
    // Made on the first selected cell, so that a grid without a selection holds no bits.
    std::vector<std::uint64_t> m_bits;
    long long m_count = 0;
};
