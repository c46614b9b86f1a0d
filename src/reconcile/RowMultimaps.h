#pragma once

#include "reconcile/DiffInfo.h"

#include <map>
#include <utility>

// Keyed containers of an int value with a shared payload, in which the difference cache, the
// update dialog and the reconciliation page keep differences: the value is a difference kind,
// the payload its detail record. The entries of one key keep their insertion order. One cursor
// walks all entries in key order (GetFirst, GetNext).

template <typename Key, int NotFound> class CRowMultimapBase
{
public:
    using CKey = Key;

    CRowMultimapBase() = default;
    CRowMultimapBase(const CRowMultimapBase& other) : m_entries(other.m_entries) {}
    CRowMultimapBase& operator=(const CRowMultimapBase& other)
    {
        m_entries = other.m_entries;
        m_cursor = m_entries.end();
        return *this;
    }

    int Size() const { return int(m_entries.size()); }
    int Count(const Key& key) const { return int(m_entries.count(key)); }
    // Adds an entry after the key's existing ones.
    void Insert(const Key& key, int value, CDiffInfoPtr payload)
    {
        m_entries.emplace(key, SEntry{value, std::move(payload)});
    }
    // The value of the key's n-th entry (from 0); NotFound when the key has n or fewer.
    int GetNthRow(const Key& key, int n) const
    {
        const SEntry* entry = Nth(key, n);
        return entry ? entry->Value : NotFound;
    }
    // The payload of the key's n-th entry; empty when there is none.
    CDiffInfoPtr GetNthPayload(const Key& key, int n) const
    {
        const SEntry* entry = Nth(key, n);
        return entry ? entry->Payload : CDiffInfoPtr();
    }
    // The entries of any key with that value.
    int CountRow(int value) const
    {
        int count = 0;
        for (const auto& [key, entry] : m_entries)
            count += entry.Value == value ? 1 : 0;
        return count;
    }
    // Erases the key's entries and returns how many there were.
    int EraseKey(const Key& key)
    {
        const auto [first, last] = m_entries.equal_range(key);
        int erased = 0;
        for (auto it = first; it != last;) {
            it = Erase(it);
            ++erased;
        }
        return erased;
    }
    void Clear()
    {
        m_entries.clear();
        m_cursor = m_entries.end();
    }
    // Puts the cursor on the first entry; false when there is none.
    bool GetFirst(Key& key, int& value)
    {
        m_cursor = m_entries.begin();
        return Current(key, value);
    }
    // Moves the cursor to the next entry; false when the cursor was or becomes the end.
    bool GetNext(Key& key, int& value)
    {
        if (m_cursor == m_entries.end())
            return false;
        ++m_cursor;
        return Current(key, value);
    }

protected:
    struct SEntry
    {
        int Value;
        CDiffInfoPtr Payload;
    };
    using CEntries = std::multimap<Key, SEntry>;

    // Erases one entry; a cursor standing on it moves to the end, so that a walk never follows
    // an erased entry.
    typename CEntries::iterator Erase(typename CEntries::iterator it)
    {
        if (it == m_cursor)
            m_cursor = m_entries.end();
        return m_entries.erase(it);
    }

    CEntries m_entries;

private:
    const SEntry* Nth(const Key& key, int n) const
    {
        if (n < 0)
            return nullptr;
        auto [it, last] = m_entries.equal_range(key);
        for (; it != last && n > 0; ++it)
            --n;
        return it == last ? nullptr : &it->second;
    }
    bool Current(Key& key, int& value) const
    {
        if (m_cursor == m_entries.end())
            return false;
        key = m_cursor->first;
        value = m_cursor->second.Value;
        return true;
    }

    typename CEntries::iterator m_cursor = m_entries.end();
};

// Keyed by a pair of ids (the difference cache: campaign question id and volume id).
class CRowMultimap : public CRowMultimapBase<std::pair<long, long>, 29>
{
public:
    // The key's entries with that value.
    int CountKeyRow(const CKey& key, int value) const;
    // Erases the key's first entry with that value.
    void EraseKeyRow(const CKey& key, int value);
    // Erases every entry of the key whose value differs.
    void EraseKeyExceptRow(const CKey& key, int value);
};

// Keyed by one id (the difference cache: campaign response id).
class CRowMultimapStr : public CRowMultimapBase<long, 12>
{
};
