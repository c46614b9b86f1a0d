#pragma once

#include "reconcile/TextScanIndex.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The ranking of strict matching by several text methods: for one campaign text, the source
// entries (positions in the texts given) whose score by the first method passes the threshold,
// highest score first and, among equal scores, the later entry first. The caller then tries
// them in that order against its other methods.
class CRankedScan
{
public:
    CRankedScan(const QStringList& sourceTexts, const CTextScanIndex::SSettings& settings,
                double threshold);

    // The entries still in the scan that the filter lets through, in ranking order.
    std::vector<int> Rank(const QString& text, const std::function<bool(int entry)>& filter = {});
    // Takes an entry out of the scan (it was paired).
    void Remove(int entry) { m_index.Remove(entry); }

private:
    CTextScanIndex m_index;
    double m_threshold;
    std::vector<CTextScanIndex::SHit> m_hits;
};
