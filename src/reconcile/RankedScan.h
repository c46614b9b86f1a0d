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

    // The entries still in the scan, in ranking order.
    std::vector<int> Rank(const QString& text);
    // The first entry of the ranking that accepts lets through, taken out of the scan (it is
    // paired); -1 when none is.
    int TakeFirst(const QString& text, const std::function<bool(int entry)>& accepts);

private:
    CTextScanIndex m_index;
    double m_threshold;
    std::vector<CTextScanIndex::SHit> m_hits;
};
