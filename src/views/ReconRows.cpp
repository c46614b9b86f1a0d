#include "views/ReconRows.h"

#include <utility>

const QString CReconRows::kNoSourceKey = QStringLiteral("-999999999");

// Look-ups -----------------------------------------------------------------------------------

int CReconRows::GetVolumeId(int row) const
{
    const auto it = m_volumes.find(row);
    return it == m_volumes.end() ? kNoVolume : it->second;
}

int CReconRows::FindRow(long id, int volumeId) const
{
    for (const int row : m_items.FindRows(id))
        if (GetVolumeId(row) == volumeId)
            return row;
    return kNoRow;
}

int CReconRows::FindSourceRow(const QString& key, int volumeId) const
{
    for (const int row : m_sources.FindRows(key))
        if (GetVolumeId(row) == volumeId)
            return row;
    return kNoRow;
}

// Entries ------------------------------------------------------------------------------------

void CReconRows::SetId(int row, long id)
{
    if (const long held = m_items.FindId(row); held != kNoId)
        m_items.Remove(held, row);
    m_items.Add(id, row);
}

long CReconRows::SetUnmatchedId(int row)
{
    const long key = m_nextUnmatchedKey--;
    SetId(row, key);
    return key;
}

void CReconRows::SetSource(int row, const QString& key, int volumeId)
{
    RemoveSource(row);
    if (key == kNoSourceKey)
        return;
    m_sources.Add(key, row);
    m_volumes[row] = volumeId;
}

void CReconRows::RemoveSource(int row)
{
    if (const QString held = m_sources.FindId(row); held != kNoSourceKey)
        m_sources.Remove(held, row);
    m_volumes.erase(row);
}

void CReconRows::ShiftRows(int fromRow, int delta)
{
    m_items.ShiftRows(fromRow, delta);
    m_sources.ShiftRows(fromRow, delta);
    std::map<int, int> moved;
    for (auto it = m_volumes.lower_bound(fromRow); it != m_volumes.end();) {
        auto node = m_volumes.extract(it++);
        node.key() += delta;
        moved.insert(std::move(node));
    }
    m_volumes.merge(moved);
}

void CReconRows::RemoveRow(int row)
{
    if (const long held = m_items.FindId(row); held != kNoId)
        m_items.Remove(held, row);
    RemoveSource(row);
}

void CReconRows::SwapRows(int rowA, int rowB)
{
    const long idA = GetId(rowA);
    const long idB = GetId(rowB);
    const QString sourceA = GetSourceKey(rowA);
    const QString sourceB = GetSourceKey(rowB);
    const int volumeA = GetVolumeId(rowA);
    const int volumeB = GetVolumeId(rowB);
    RemoveRow(rowA);
    RemoveRow(rowB);
    if (idA != kNoId)
        m_items.Add(idA, rowB);
    if (idB != kNoId)
        m_items.Add(idB, rowA);
    SetSource(rowB, sourceA, volumeA);
    SetSource(rowA, sourceB, volumeB);
}

void CReconRows::Clear()
{
    m_items.Clear();
    m_sources.Clear();
    m_volumes.clear();
}
