#pragma once

#include "reconcile/DiffInfo.h"

#include <vector>

// The differences between a matched campaign item and its source item, property by property.
// Only the kinds that the application does not hide and that the difference options in force
// enable are compared; the list gets them in ascending kind order, the differing caption
// languages of one kind in the source's language order. Pure functions: they change nothing.

namespace pelko_wave {
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CLocalisedTexts;
class CModalite;
class CQuestion;
} // namespace qnr

// Empties the list and fills it; true when it is not empty. The response count (25) and the
// responses (26) are not produced here: the cache filler adds them.
bool GetQuestionDifferences(const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                            CDiffList& diffs);
bool GetModalityDifferences(const pelko_wave::CModality& modality, const qnr::CModalite& source,
                            CDiffList& diffs);

// The same comparisons with what they read of the application (the options in force, the hidden
// kinds, the caption language rule) taken once, for a caller that compares many pairs while
// nothing changes them.
class CDifferenceComparer
{
public:
    CDifferenceComparer();

    bool GetQuestionDifferences(const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                                CDiffList& diffs) const;
    bool GetModalityDifferences(const pelko_wave::CModality& modality, const qnr::CModalite& source,
                                CDiffList& diffs) const;

private:
    // Whether a caption of the language takes part in the comparison.
    bool ComparesLanguage(int languageId) const
    {
        return !m_defaultLanguageOnly || languageId == m_defaultLanguageId;
    }
    template <typename CampaignCaption>
    void CompareCaptions(const qnr::CLocalisedTexts& texts, int kind, bool useLong,
                         bool skipEmptySource, const CampaignCaption& campaignCaption,
                         CDiffList& diffs) const;

    bool m_defaultLanguageOnly = false;
    int m_defaultLanguageId = 0;
    // The kinds compared, ascending.
    std::vector<int> m_questionKinds;
    std::vector<int> m_modalityKinds;
};
