#pragma once

#include <QString>

#include <map>

// Ties the rows of the reconciliation page's grids to the objects shown on them. A campaign
// response sits on exactly one row of the response grid; a campaign question, or a source
// question or response, may sit on several rows. Each mapper answers its "not found" id or row,
// given at construction, for what it does not hold.

// One id on one row: each id and each row at most once.
template <typename Id, typename Row> class CRowMapper
{
public:
    CRowMapper(Id notFoundId, Row notFoundRow)
        : m_notFoundId(notFoundId), m_notFoundRow(notFoundRow)
    {
    }
    virtual ~CRowMapper() = default;

    // Inserts the pair; false, and nothing inserted, when the id or the row is already held.
    bool Add(Id id, Row row)
    {
        if (m_rowOfId.count(id) || m_idOfRow.count(row))
            return false;
        m_rowOfId.emplace(id, row);
        m_idOfRow.emplace(row, id);
        return true;
    }
    // Erases the pair that holds the id or, when the id is absent, the pair that holds the row.
    bool Remove(Id id, Row row)
    {
        if (const auto it = m_rowOfId.find(id); it != m_rowOfId.end()) {
            m_idOfRow.erase(it->second);
            m_rowOfId.erase(it);
            return true;
        }
        if (const auto it = m_idOfRow.find(row); it != m_idOfRow.end()) {
            m_rowOfId.erase(it->second);
            m_idOfRow.erase(it);
            return true;
        }
        return false;
    }
    Row GetRow(Id id) const
    {
        const auto it = m_rowOfId.find(id);
        return it == m_rowOfId.end() ? m_notFoundRow : it->second;
    }
    Id GetId(Row row) const
    {
        const auto it = m_idOfRow.find(row);
        return it == m_idOfRow.end() ? m_notFoundId : it->second;
    }
    void Clear()
    {
        m_rowOfId.clear();
        m_idOfRow.clear();
    }

private:
    Id m_notFoundId;
    Row m_notFoundRow;
    std::map<Id, Row> m_rowOfId;
    std::map<Row, Id> m_idOfRow;
};

// Ids and rows many to many; a pair added twice is held twice. The walks over an id's rows
// (GetFirstRow, GetNextRow) and GetId share one cursor each, so one walk runs at a time.
template <typename Id, typename Row> class CMultiRowMapper
{
public:
    CMultiRowMapper(Id notFoundId, Row notFoundRow)
        : m_notFoundId(notFoundId), m_notFoundRow(notFoundRow), m_idCursor(m_rowsOfId.end()),
          m_rowCursor(m_idsOfRow.end())
    {
    }
    virtual ~CMultiRowMapper() = default;
    CMultiRowMapper(const CMultiRowMapper&) = delete;
    CMultiRowMapper& operator=(const CMultiRowMapper&) = delete;

    // Always true.
    bool Add(const Id& id, Row row)
    {
        m_rowsOfId.emplace(id, row);
        m_idsOfRow.emplace(row, id);
        return true;
    }
    // Erases the first (id, row) entry of each index; true only when both held one.
    bool Remove(const Id& id, Row row)
    {
        const bool fromIds = EraseFirst(m_rowsOfId, id, row, m_idCursor);
        const bool fromRows = EraseFirst(m_idsOfRow, row, id, m_rowCursor);
        return fromIds && fromRows;
    }
    // Puts the id cursor on the id's first row and returns it.
    Row GetFirstRow(const Id& id)
    {
        m_idCursor = m_rowsOfId.lower_bound(id);
        if (m_idCursor == m_rowsOfId.end() || m_idCursor->first != id)
            return m_notFoundRow;
        return m_idCursor->second;
    }
    // Moves the id cursor to the id's next row and returns it; the not-found row once the
    // cursor has left the id's rows.
    Row GetNextRow(const Id& id)
    {
        if (m_idCursor == m_rowsOfId.end() || m_idCursor->first != id)
            return m_notFoundRow;
        ++m_idCursor;
        if (m_idCursor == m_rowsOfId.end() || m_idCursor->first != id)
            return m_notFoundRow;
        return m_idCursor->second;
    }
    // Puts the row cursor on the row's first id and returns it.
    Id GetId(Row row)
    {
        m_rowCursor = m_idsOfRow.find(row);
        if (m_rowCursor == m_idsOfRow.end())
            return m_notFoundId;
        return m_rowCursor->second;
    }
    void Clear()
    {
        m_rowsOfId.clear();
        m_idsOfRow.clear();
        m_idCursor = m_rowsOfId.end();
        m_rowCursor = m_idsOfRow.end();
    }

private:
    // Erases the first entry of the key with that value; a cursor on it moves to the end, so
    // that a walk never follows an erased entry.
    template <typename Map, typename Key, typename Value>
    static bool EraseFirst(Map& map, const Key& key, const Value& value,
                           typename Map::iterator& cursor)
    {
        const auto [first, last] = map.equal_range(key);
        for (auto it = first; it != last; ++it) {
            if (it->second == value) {
                if (cursor == it)
                    cursor = map.end();
                map.erase(it);
                return true;
            }
        }
        return false;
    }

    Id m_notFoundId;
    Row m_notFoundRow;
    std::multimap<Id, Row> m_rowsOfId;
    std::multimap<Row, Id> m_idsOfRow;
    typename std::multimap<Id, Row>::iterator m_idCursor;
    typename std::multimap<Row, Id>::iterator m_rowCursor;
};

// The response grid: one row per campaign response.
class CModalityRowMapper : public CRowMapper<long, int>
{
public:
    using CRowMapper::CRowMapper;
};

// The question grid: the rows of each campaign question.
class CQuestionRowMultiMapper : public CMultiRowMapper<long, int>
{
public:
    using CMultiRowMapper::CMultiRowMapper;
};

// The question grid: the rows of each source question, by its code as text.
class CQuestionSourceRowMultiMapper : public CMultiRowMapper<QString, int>
{
public:
    using CMultiRowMapper::CMultiRowMapper;
};

// The response grid: the rows of each source response, by its code as text.
class CModalitySourceRowMultiMapper : public CMultiRowMapper<QString, int>
{
public:
    using CMultiRowMapper::CMultiRowMapper;
};
