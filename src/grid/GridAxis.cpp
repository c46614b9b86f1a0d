#include "grid/GridAxis.h"

#include <algorithm>

void CGridAxis::Invalidate(int from)
{
    m_valid = std::min(m_valid, from);
}

void CGridAxis::Update(int upTo) const
{
    if (upTo <= m_valid)
        return;
    m_offsets.resize(m_sizes.size() + 1);
    m_nonZero.resize(m_sizes.size() + 1);
    for (int i = m_valid; i < upTo; ++i) {
        m_offsets[i + 1] = m_offsets[i] + m_sizes[i];
        m_nonZero[i + 1] = m_nonZero[i] + (m_sizes[i] > 0 ? 1 : 0);
    }
    m_valid = upTo;
}

void CGridAxis::SetSize(int index, int size)
{
    m_total += (long long)size - m_sizes[index];
    m_sizes[index] = size;
    Invalidate(index);
}

void CGridAxis::Resize(int count, int size)
{
    const int old = GetCount();
    if (count < old) {
        for (int i = count; i < old; ++i)
            m_total -= m_sizes[i];
        Invalidate(count);
    }
    m_sizes.resize(count, size);
    if (count > old)
        m_total += (long long)(count - old) * size;
}

void CGridAxis::Insert(int index, int size)
{
    m_sizes.insert(m_sizes.begin() + index, size);
    m_total += size;
    Invalidate(index);
}

void CGridAxis::Erase(int index)
{
    m_total -= m_sizes[index];
    m_sizes.erase(m_sizes.begin() + index);
    Invalidate(index);
}

void CGridAxis::Clear()
{
    m_sizes.clear();
    m_total = 0;
    m_valid = 0;
}

long long CGridAxis::Offset(int index) const
{
    Update(index);
    return m_offsets[index];
}

int CGridAxis::FirstAtOrAfter(long long offset, int from, int last) const
{
    if (from >= last)
        return last;
    Update(last);
    const auto begin = m_offsets.begin() + from;
    const auto end = m_offsets.begin() + last;
    return int(std::lower_bound(begin, end, offset) - m_offsets.begin());
}

int CGridAxis::IndexAt(long long offset, int from) const
{
    const int count = GetCount();
    if (from >= count)
        return -1;
    Update(count);
    if (offset < m_offsets[from] || offset >= m_offsets[count])
        return -1;
    // The last index whose offset is <= offset, which has a non-zero size.
    const auto it =
        std::upper_bound(m_offsets.begin() + from, m_offsets.begin() + count + 1, offset);
    return int(it - m_offsets.begin()) - 1;
}

int CGridAxis::NonZeroBefore(int index) const
{
    Update(index);
    return m_nonZero[index];
}

int CGridAxis::NthNonZero(int from, int n) const
{
    const int count = GetCount();
    if (from >= count || n < 0)
        return -1;
    Update(count);
    const int wanted = m_nonZero[from] + n + 1; // non-zero count including the one we look for
    if (wanted > m_nonZero[count])
        return -1;
    const auto it =
        std::lower_bound(m_nonZero.begin() + from + 1, m_nonZero.begin() + count + 1, wanted);
    return int(it - m_nonZero.begin()) - 1;
}

int CGridAxis::NextNonZero(int index, int last) const
{
    for (int i = index + 1; i <= last && i < GetCount(); ++i)
        if (m_sizes[i] > 0)
            return i;
    return -1;
}

int CGridAxis::PreviousNonZero(int index, int first) const
{
    for (int i = index - 1; i >= first && i >= 0; --i)
        if (m_sizes[i] > 0)
            return i;
    return -1;
}
