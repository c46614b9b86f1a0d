#include "reconcile/RowMultimaps.h"

int CRowMultimap::CountKeyRow(const CKey& key, int value) const
{
    const auto [first, last] = m_entries.equal_range(key);
    int count = 0;
    for (auto it = first; it != last; ++it)
        count += it->second.Value == value ? 1 : 0;
    return count;
}

void CRowMultimap::EraseKeyRow(const CKey& key, int value)
{
    const auto [first, last] = m_entries.equal_range(key);
    for (auto it = first; it != last; ++it) {
        if (it->second.Value == value) {
            Erase(it);
            return;
        }
    }
}

void CRowMultimap::EraseKeyExceptRow(const CKey& key, int value)
{
    auto [it, last] = m_entries.equal_range(key);
    while (it != last)
        it = it->second.Value == value ? std::next(it) : Erase(it);
}
