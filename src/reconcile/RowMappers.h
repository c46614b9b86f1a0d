#pragma once

#include <QString>

#include <map>
#include <vector>

// Ties the rows of the reconciliation page's grids to the objects shown on them. A campaign
// response sits on exactly one row of the response grid; a campaign question, or a source
// question or response, may sit on several rows. Each mapper answers its "not found" id or row,
// given at construction, for what it does not hold.
//
// Each mapper keeps a row index (row to id) and an id index (id to row) that always hold the
// same pairs. The row numbers live only in the row index's nodes; an id index entry points at
// its pair's node there. So when rows are inserted into or deleted from a grid, ShiftRows moves
// the rows below in place, touching only their nodes, and both indexes follow.

namespace row_mapper_detail {

// A row number kept in a row index node. A row moved in place keeps the index ordered as long
// as every row from some row on moves by the same amount onto free rows.
template <typename Row> struct SRowKey
{
    mutable Row Value;
};

template <typename Row> struct SRowLess
{
    using is_transparent = void;
    bool operator()(const SRowKey<Row>& a, const SRowKey<Row>& b) const
    {
        return a.Value < b.Value;
    }
    bool operator()(const SRowKey<Row>& a, Row b) const { return a.Value < b; }
    bool operator()(Row a, const SRowKey<Row>& b) const { return a < b.Value; }
};

template <typename RowIndex, typename Row> void ShiftRowKeys(RowIndex& rows, Row from, Row delta)
{
    for (auto it = rows.lower_bound(from); it != rows.end(); ++it)
        it->first.Value += delta;
}

} // namespace row_mapper_detail

// One id on one row: each id and each row at most once.
template <typename Id, typename Row> class CRowMapper
{
public:
    CRowMapper(Id notFoundId, Row notFoundRow)
        : m_notFoundId(notFoundId), m_notFoundRow(notFoundRow)
    {
    }
    virtual ~CRowMapper() = default;
    CRowMapper(const CRowMapper&) = delete;
    CRowMapper& operator=(const CRowMapper&) = delete;

    // Inserts the pair; false, and nothing inserted, when the id or the row is already held.
    bool Add(Id id, Row row)
    {
        if (m_rowOfId.count(id) || m_idOfRow.count(row))
            return false;
        const auto node = m_idOfRow.emplace(Key{row}, id).first;
        m_rowOfId.emplace(id, node);
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
        return it == m_rowOfId.end() ? m_notFoundRow : it->second->first.Value;
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
    // Moves every pair on the row or below it by delta rows (rows inserted or deleted above
    // them); the rows they move onto must be free or moving themselves.
    void ShiftRows(Row from, Row delta) { row_mapper_detail::ShiftRowKeys(m_idOfRow, from, delta); }

private:
    using Key = row_mapper_detail::SRowKey<Row>;
    using RowIndex = std::map<Key, Id, row_mapper_detail::SRowLess<Row>>;

    Id m_notFoundId;
    Row m_notFoundRow;
    std::map<Id, typename RowIndex::iterator> m_rowOfId;
    RowIndex m_idOfRow;
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
        const auto node = m_idsOfRow.emplace(Key{row}, id);
        m_rowsOfId.emplace(id, node);
        return true;
    }
    // Erases the first pair of the id on the row; true when there was one. A cursor on it moves
    // to the end, so that a walk never follows an erased entry.
    bool Remove(const Id& id, Row row)
    {
        const auto [first, last] = m_rowsOfId.equal_range(id);
        for (auto it = first; it != last; ++it) {
            if (it->second->first.Value != row)
                continue;
            if (m_rowCursor == it->second)
                m_rowCursor = m_idsOfRow.end();
            if (m_idCursor == it)
                m_idCursor = m_rowsOfId.end();
            m_idsOfRow.erase(it->second);
            m_rowsOfId.erase(it);
            return true;
        }
        return false;
    }
    // Puts the id cursor on the id's first row and returns it.
    Row GetFirstRow(const Id& id)
    {
        m_idCursor = m_rowsOfId.lower_bound(id);
        if (m_idCursor == m_rowsOfId.end() || m_idCursor->first != id)
            return m_notFoundRow;
        return m_idCursor->second->first.Value;
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
        return m_idCursor->second->first.Value;
    }
    // The same answers as the walk and GetId, without a cursor: the id's first row, all its
    // rows in the walk's order, and the row's first id.
    Row FindFirstRow(const Id& id) const
    {
        const auto it = m_rowsOfId.lower_bound(id);
        return it == m_rowsOfId.end() || it->first != id ? m_notFoundRow : it->second->first.Value;
    }
    std::vector<Row> FindRows(const Id& id) const
    {
        std::vector<Row> rows;
        const auto [first, last] = m_rowsOfId.equal_range(id);
        for (auto it = first; it != last; ++it)
            rows.push_back(it->second->first.Value);
        return rows;
    }
    Id FindId(Row row) const
    {
        const auto it = m_idsOfRow.lower_bound(row);
        return it == m_idsOfRow.end() || it->first.Value != row ? m_notFoundId : it->second;
    }
    // Puts the row cursor on the row's first id and returns it.
    Id GetId(Row row)
    {
        m_rowCursor = m_idsOfRow.lower_bound(row);
        if (m_rowCursor == m_idsOfRow.end() || m_rowCursor->first.Value != row) {
            m_rowCursor = m_idsOfRow.end();
            return m_notFoundId;
        }
        return m_rowCursor->second;
    }
    void Clear()
    {
        m_rowsOfId.clear();
        m_idsOfRow.clear();
        m_idCursor = m_rowsOfId.end();
        m_rowCursor = m_idsOfRow.end();
    }
    // Moves every pair on the row or below it by delta rows (rows inserted or deleted above
    // them); the rows they move onto must be free or moving themselves.
    void ShiftRows(Row from, Row delta)
    {
        row_mapper_detail::ShiftRowKeys(m_idsOfRow, from, delta);
    }

private:
    using Key = row_mapper_detail::SRowKey<Row>;
    using RowIndex = std::multimap<Key, Id, row_mapper_detail::SRowLess<Row>>;
    using IdIndex = std::multimap<Id, typename RowIndex::iterator>;

    Id m_notFoundId;
    Row m_notFoundRow;
    IdIndex m_rowsOfId;
    RowIndex m_idsOfRow;
    typename IdIndex::iterator m_idCursor;
    typename RowIndex::iterator m_rowCursor;
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
