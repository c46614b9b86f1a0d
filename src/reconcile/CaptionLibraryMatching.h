#pragma once

#include "reconcile/TextScanIndex.h"

#include <QList>
#include <QMap>
#include <QString>

// Response matching through the application's response caption libraries: a campaign response
// whose text is the base caption of a library group may also match a source response through
// any other caption of that group.

namespace pelko_wave {
class CModality;
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CQuestion;
}

// Whether the application holds caption groups and caption libraries.
bool HasCaptionLibraries();

// The short-caption (2) or user-data (5) scan of one question pair with the caption libraries
// as a thesaurus, in place of the plain text scan: the same inputs and effect (see
// RunResponseTextScan). A campaign response not paired at once by its own text is compared,
// trimmed and upper-cased as the scan is, with the base caption of every group of every
// library; on equality each other caption of that group proposes pairs with the source
// responses as the response's own text does. Returns false, doing nothing, when the
// application holds no caption groups or no caption libraries.
bool MatchResponsesByCaptionLibrary(const pelko_wave::CVolume& volume,
                                    const pelko_wave::CQuestion& campaignQuestion,
                                    const qnr::CQuestion& sourceQuestion,
                                    QList<pelko_wave::CModality*>& campaignCandidates,
                                    QList<int>& sourceCandidates, QMap<int, QString>& newMatchings,
                                    int method, TextScanMode mode = TextScanMode::Indexed);
