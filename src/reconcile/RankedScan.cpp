#include "reconcile/RankedScan.h"

#include <algorithm>

CRankedScan::CRankedScan(const QStringList& sourceTexts, const CTextScanIndex::SSettings& settings,
                         double threshold)
    : m_index(sourceTexts, settings), m_threshold(threshold)
{
}

std::vector<int> CRankedScan::Rank(const QString& text)
{
    m_index.Find(text, m_threshold, m_hits);
    std::vector<CTextScanIndex::SHit> passing;
    for (const CTextScanIndex::SHit& hit : m_hits)
        if (hit.Score > m_threshold)
            passing.push_back(hit);
    // Key: score descending, then entry descending.
    std::sort(passing.begin(), passing.end(),
              [](const CTextScanIndex::SHit& a, const CTextScanIndex::SHit& b) {
                  return a.Score != b.Score ? a.Score > b.Score : a.Entry > b.Entry;
              });
    std::vector<int> entries;
    entries.reserve(passing.size());
    for (const CTextScanIndex::SHit& hit : passing)
        entries.push_back(hit.Entry);
    return entries;
}

int CRankedScan::TakeFirst(const QString& text, const std::function<bool(int entry)>& accepts)
{
    for (const int entry : Rank(text)) {
        if (accepts(entry)) {
            m_index.Remove(entry);
            return entry;
        }
    }
    return -1;
}
