#pragma once

#include "reconcile/SourceComparison.h"

#include <QString>

#include <map>

// The HTML reports built from the comparison of a campaign with its sources: the report of
// volumes whose source files are missing or cannot be read, and otherwise the validation report
// of the matching problems found. Every text taken from the campaign or a source is
// HTML-escaped.

namespace pelko_wave {
class CCampaign;
}

// Volume by volume in campaign order, grouped under their waves: each volume's name, source path
// and whether the file is missing or cannot be opened. missingSourceFiles is list 6 (volume id
// -> 0 missing, 1 unreadable).
QString FormatMissingSourceFilesMessage(const pelko_wave::CCampaign& campaign,
                                        const std::map<int, int>& missingSourceFiles);

// A summary line per kind of problem (every line always present), the campaign questions and
// responses that matchings name but the campaign lacks, then wave by wave and volume by volume
// the problems of each kind. The source-file list is not used.
QString FormatValidationReport(const pelko_wave::CCampaign& campaign,
                               const SSourceComparisonLists& lists);
