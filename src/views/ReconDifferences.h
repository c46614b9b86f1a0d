#pragma once

#include "reconcile/Differences.h"
#include "reconcile/PropertyCaptions.h"

#include <QString>

#include <functional>

// How the reconciliation page records the differences of a matched pair (a campaign question
// and the source question a volume matches to it) into its wave's entry of the difference
// cache: the question's own differences under the pair (campaign question id, volume id); the
// differences of each matched response under the response's id, with one "Responses" marker
// (kind 26) under the pair for every response that differs; and "Response count" (kind 25)
// under the pair when that kind is compared and the counts disagree.

class CWaveDiffsEntry;

namespace pelko_wave {
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CQuestion;
}

class CPairDifferences
{
public:
    // What the comparisons read of the application is read once here: the recorder serves one
    // fill, while nothing changes the options.
    CPairDifferences(int waveId, CWaveDiffsEntry& entry);

    // Erases the pair's question differences and the differences of the question's responses.
    void ErasePair(const pelko_wave::CQuestion& question, int volumeId);
    // Records the question's differences; whether there were any.
    bool RecordQuestionDifferences(const pelko_wave::CVolume& volume,
                                   const pelko_wave::CQuestion& question,
                                   const qnr::CQuestion& source);
    // Records the differences of the question's responses matched in the volume, their markers
    // and the response count; whether anything was recorded. A matched source response that the
    // source question no longer has is handed to missing (its code) and skipped.
    bool RecordResponseDifferences(const pelko_wave::CVolume& volume,
                                   const pelko_wave::CQuestion& question,
                                   const qnr::CQuestion& source,
                                   const std::function<void(const QString& code)>& missing);

private:
    int m_waveId;
    CWaveDiffsEntry& m_entry;
    CDifferenceComparer m_comparer;
    bool m_comparesResponseCount = false;
};

// Makes the pair's "Responses" markers as many as the question's responses that have recorded
// differences, adding or removing one at a time.
void SyncResponseDiffMarkers(CWaveDiffsEntry& entry, const pelko_wave::CQuestion& question,
                             int volumeId);
