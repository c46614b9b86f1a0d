#pragma once

// A grid cell by row and column, and a rectangular range of cells. -1 stands for "none".
class CCellID
{
public:
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}

    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    constexpr bool operator==(const CCellID&) const = default;
};

class CCellIDRange
{
public:
    constexpr CCellIDRange() = default;
    constexpr CCellIDRange(int minRow, int minCol, int maxRow, int maxCol)
        : m_nMinRow(minRow), m_nMinCol(minCol), m_nMaxRow(maxRow), m_nMaxCol(maxCol)
    {
    }

    constexpr bool IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMaxRow >= m_nMinRow && m_nMaxCol >= m_nMinCol;
    }
    constexpr bool InRange(int row, int col) const
    {
        return m_nMinRow <= row && row <= m_nMaxRow && m_nMinCol <= col && col <= m_nMaxCol;
    }
    constexpr bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }
    constexpr CCellID GetTopLeft() const { return {m_nMinRow, m_nMinCol}; }
    // Number of cells: meaningful for a valid range only.
    constexpr long long Count() const
    {
        return (long long)(m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1);
    }

    constexpr int GetMinRow() const { return m_nMinRow; }
    constexpr int GetMinCol() const { return m_nMinCol; }
    constexpr int GetMaxRow() const { return m_nMaxRow; }
    constexpr int GetMaxCol() const { return m_nMaxCol; }
    constexpr void SetMinRow(int value) { m_nMinRow = value; }
    constexpr void SetMinCol(int value) { m_nMinCol = value; }
    constexpr void SetMaxRow(int value) { m_nMaxRow = value; }
    constexpr void SetMaxCol(int value) { m_nMaxCol = value; }
    constexpr void Set(int minRow, int minCol, int maxRow, int maxCol)
    {
        *this = CCellIDRange(minRow, minCol, maxRow, maxCol);
    }

    constexpr bool operator==(const CCellIDRange&) const = default;

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
