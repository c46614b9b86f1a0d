#include "reconcile/CandidateScan.h"

#include "model/OptionRecords.h"
#include "reconcile/NGram.h"

#include <cmath>

namespace pelko_wave {

CCandidateScan::CCandidateScan(QStringList sourceTexts, bool upperCase)
    : m_sourceTexts(std::move(sourceTexts)), m_upperCase(upperCase)
{
}

double CCandidateScan::QueryFloor(double threshold)
{
    return threshold < 1.0 ? threshold : std::nextafter(1.0, 0.0);
}

void CCandidateScan::Query(const QString& text, double minScore,
                           const std::function<bool(int entry, double score)>& visit) const
{
    CNGram ngram;
    ngram.SetUpperCase(m_upperCase ? 1 : 0);
    ngram.SetTrim(GetAppNGramSettings().GetIgnoreWhitespace());
    ngram.SetFirstText(text);
    for (int entry = 0; entry < m_sourceTexts.size(); ++entry) {
        ngram.SetSecondText(m_sourceTexts[entry]);
        const double score = ngram.GetSimilarity(0);
        if (score > minScore && !visit(entry, score))
            return;
    }
}

} // namespace pelko_wave
