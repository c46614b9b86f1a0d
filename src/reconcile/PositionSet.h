#pragma once

#include <cstddef>
#include <iterator>
#include <vector>

// A set of the positions 0 to n - 1 of an array (questions of a campaign or a questionnaire),
// kept as one flag per position: adding, taking out and testing a position cost nothing, and
// walking the set gives its positions in ascending order, as an ordered set would.
class CPositionSet
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = int;
        using difference_type = std::ptrdiff_t;
        using pointer = const int*;
        using reference = int;

        const_iterator(const std::vector<char>* flags, int position)
            : m_flags(flags), m_position(position)
        {
            Skip();
        }
        int operator*() const { return m_position; }
        const_iterator& operator++()
        {
            ++m_position;
            Skip();
            return *this;
        }
        bool operator==(const const_iterator& other) const
        {
            return m_position == other.m_position;
        }
        bool operator!=(const const_iterator& other) const
        {
            return m_position != other.m_position;
        }

    private:
        void Skip()
        {
            while (m_position < int(m_flags->size()) && !(*m_flags)[size_t(m_position)])
                ++m_position;
        }

        const std::vector<char>* m_flags;
        int m_position;
    };

    CPositionSet() = default;
    // An empty set of the positions 0 to count - 1.
    explicit CPositionSet(int count) : m_flags(size_t(count > 0 ? count : 0), 0) {}

    void insert(int position)
    {
        if (!m_flags[size_t(position)]) {
            m_flags[size_t(position)] = 1;
            ++m_size;
        }
    }
    // Takes the position out; a position outside the range is in no set. Returns 1 when it was
    // in the set.
    std::size_t erase(int position)
    {
        if (count(position) == 0)
            return 0;
        m_flags[size_t(position)] = 0;
        --m_size;
        return 1;
    }
    std::size_t count(int position) const
    {
        return position >= 0 && position < int(m_flags.size()) && m_flags[size_t(position)] ? 1 : 0;
    }
    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    const_iterator begin() const { return const_iterator(&m_flags, 0); }
    const_iterator end() const { return const_iterator(&m_flags, int(m_flags.size())); }

private:
    std::vector<char> m_flags;
    std::size_t m_size = 0;
};
