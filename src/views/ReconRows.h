#pragma once

#include "reconcile/RowMappers.h"

#include <QString>

#include <map>
#include <vector>

// What each row of one grid of the reconciliation page stands for. A row holds one campaign item
// (a campaign question or response id; the row of a source item that no campaign item holds
// gets a key of its own instead: -1, -2, ... never given twice by the same rows) and may hold a
// source item (its code as text) with the volume whose source it comes from. The question grid
// and the response grid each have their rows.
//
// Every look-up is const and may run inside another: none keeps a cursor.
class CReconRows
{
public:
    // What a look-up answers for what the rows do not hold.
    static constexpr long kNoId = -999999999;
    static constexpr int kNoRow = -999999999;
    static const QString kNoSourceKey; // "-999999999"
    // The volume of a row without a source item.
    static constexpr int kNoVolume = -1;

    CReconRows() = default;
    CReconRows(const CReconRows&) = delete;
    CReconRows& operator=(const CReconRows&) = delete;

    // Look-ups -------------------------------------------------------------------------------

    // The campaign item (or unmatched key) on the row; kNoId when none.
    long GetId(int row) const { return m_items.FindId(row); }
    // The first row the item was put on, and all its rows in that order; kNoRow or none.
    int GetRow(long id) const { return m_items.FindFirstRow(id); }
    int GetFirstRow(long id) const { return m_items.FindFirstRow(id); }
    std::vector<int> GetRows(long id) const { return m_items.FindRows(id); }
    // The source item on the row; kNoSourceKey when none.
    QString GetSourceKey(int row) const { return m_sources.FindId(row); }
    bool HasSource(int row) const { return GetSourceKey(row) != kNoSourceKey; }
    // The rows of the source item (of any volume), in the order they were given it.
    std::vector<int> GetSourceRows(const QString& key) const { return m_sources.FindRows(key); }
    int GetFirstSourceRow(const QString& key) const { return m_sources.FindFirstRow(key); }
    // The volume of the row's source item; kNoVolume when the row has none.
    int GetVolumeId(int row) const;
    // The item's row whose source item comes from the volume, and the row of the source item
    // of the volume; kNoRow when none.
    int FindRow(long id, int volumeId) const;
    int FindSourceRow(const QString& key, int volumeId) const;

    // Entries --------------------------------------------------------------------------------

    // The row holds the item (in place of the one it held).
    void SetId(int row, long id);
    // The row holds a new unmatched key, which it answers.
    long SetUnmatchedId(int row);
    // The row holds the source item of the volume (in place of the one it held), or none.
    void SetSource(int row, const QString& key, int volumeId);
    void RemoveSource(int row);
    // The entries of the rows from fromRow on move by delta rows (rows were inserted or deleted
    // above them); the rows they move onto must be free or moving themselves.
    void ShiftRows(int fromRow, int delta);
    // The row's entries go (the row is about to be deleted).
    void RemoveRow(int row);
    // Two rows exchange their entries.
    void SwapRows(int rowA, int rowB);
    // Every entry goes; the unmatched keys go on from where they were.
    void Clear();

private:
    CMultiRowMapper<long, int> m_items{kNoId, kNoRow};
    CMultiRowMapper<QString, int> m_sources{kNoSourceKey, kNoRow};
    // The volume of each row that has a source item.
    std::map<int, int> m_volumes;
    long m_nextUnmatchedKey = -1;
};
