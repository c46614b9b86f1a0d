#pragma once

#include "reconcile/DiffInfo.h"

// The differences between a matched campaign item and its source item, property by property.
// Only the kinds that the application does not hide and that the difference options in force
// enable are compared; the list gets them in ascending kind order, the differing caption
// languages of one kind in the source's language order. Pure functions: they change nothing.

namespace pelko_wave {
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// Empties the list and fills it; true when it is not empty. The response count (25) and the
// responses (26) are not produced here: the cache filler adds them.
bool GetQuestionDifferences(const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                            CDiffList& diffs);
bool GetModalityDifferences(const pelko_wave::CModality& modality, const qnr::CModalite& source,
                            CDiffList& diffs);
