#pragma once

#include <QString>

// The entry-code texts of the reconciliation page's response grid. A response shows its own
// entry code; one without shows its position among the responses as a number in brackets,
// padded to the width of the count, so that the user can still tell the codes apart.

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CQuestion;
}

// The campaign response's entry code; without one, its place among the question's responses
// that still exist in the wave ("[05]" for the fifth of twelve; the question's don't-know and
// semi-open answers count too); "Not matched" without a response.
QString EntryCodeText(const pelko_wave::CCampaign& campaign, int waveId,
                      const pelko_wave::CQuestion* question, const pelko_wave::CModality* response);

// The number a source response without an entry code is given: its place (index from 0) among
// the source question's responses, padded to the width of their count (the semi-open and the
// non-response answers count too).
QString SourceEntryCodeNumber(const qnr::CQuestion& question, int index);
