#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// One text scan of the matching methods: the source candidates' texts, in scan order, scored
// against one campaign text after another with the n-gram settings of the scan (gram length 2,
// trim as the options say, upper-cased unless case-sensitive, two empty texts scoring 0).

namespace pelko_wave {

class CCandidateScan
{
public:
    CCandidateScan(QStringList sourceTexts, bool upperCase);

    // The smallest score a query must let through so that both a score greater than the
    // threshold and a perfect score (1.0, which pairs at once) are found.
    static double QueryFloor(double threshold);

    // Calls visit(entry, score) in scan order for every entry whose score is greater than
    // minScore (and possibly for others), with the entry's exact score; stops when visit
    // returns false.
    void Query(const QString& text, double minScore,
               const std::function<bool(int entry, double score)>& visit) const;

private:
    QStringList m_sourceTexts;
    bool m_upperCase = true;
};

} // namespace pelko_wave
