#pragma once

#include <vector>

// The sizes of a grid's rows or columns, with running sums kept for the positions that painting,
// hit tests and scrolling ask for. The sums are brought up to date lazily from the first changed
// size on, and the total is kept at every change, so filling a grid stays linear.
class CGridAxis
{
public:
    int GetCount() const { return int(m_sizes.size()); }
    int GetSize(int index) const { return m_sizes[index]; }
    void SetSize(int index, int size);
    // Resizes to the count; new elements take the size.
    void Resize(int count, int size);
    void Insert(int index, int size);
    void Erase(int index);
    void Clear();

    // Sum of the sizes before the index (0 <= index <= count).
    long long Offset(int index) const;
    // Sum of all sizes.
    long long Total() const { return m_total; }
    // Sum of the sizes of [from, to).
    long long Span(int from, int to) const { return Offset(to) - Offset(from); }

    // The first index in [from, last] whose offset is at least the given one; last when none.
    int FirstAtOrAfter(long long offset, int from, int last) const;
    // The index in [from, count) whose span holds the offset (offset(i) <= offset < offset(i+1)),
    // passing zero sizes; -1 when the offset lies at or past the end.
    int IndexAt(long long offset, int from) const;
    // Number of non-zero sizes before the index.
    int NonZeroBefore(int index) const;
    // The index of the n-th (0-based) non-zero size at or after from; -1 when there is none.
    int NthNonZero(int from, int n) const;
    // The next index after the given one with a non-zero size, at most last; -1 when none.
    int NextNonZero(int index, int last) const;
    // The previous index before the given one with a non-zero size, at least first; -1 when none.
    int PreviousNonZero(int index, int first) const;

private:
    void Invalidate(int from);
    void Update(int upTo) const;

    std::vector<int> m_sizes;
    mutable std::vector<long long> m_offsets{0}; // m_offsets[i]: sum of sizes before i
    mutable std::vector<int> m_nonZero{0};       // m_nonZero[i]: non-zero sizes before i
    mutable int m_valid = 0;                     // m_offsets[0..m_valid] are up to date
    long long m_total = 0;
};
