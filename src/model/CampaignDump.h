#pragma once

#include <QString>

// A canonical text of a campaign: one record a line, every field, records of one kind sorted
// by their ids, so that two campaigns are equal exactly when their texts are. Tests compare
// "copy equals original", "undo gives the campaign back" and "save then load gives the same
// campaign" in one assertion.

namespace pelko_wave {

class CCampaign;

enum EDumpFlags : unsigned
{
    // Only what a campaign file keeps.
    DUMP_STORED = 0x0,
    // The running counters of new ids and orders (the highest wave id ever given, a wave's
    // highest volume id, a question's highest response order ...), which a file does not keep.
    DUMP_COUNTERS = 0x1,
    // The engine's look-up records of volumes and questions.
    DUMP_ENGINE_INDEXES = 0x2,
    DUMP_ALL = DUMP_COUNTERS | DUMP_ENGINE_INDEXES,
};

QString DumpCampaign(const CCampaign& campaign, unsigned flags = DUMP_ALL);

} // namespace pelko_wave
