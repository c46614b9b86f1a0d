#pragma once

#include "reconcile/TextScanIndex.h"

#include <QString>

// Pairs the responses of one source question with the responses of the campaign question it is
// matched to, by the volume's ordered response matching methods, strictly or by first success,
// and writes the question's response section of the report. The pairs and what is left go into
// the campaign question's response look-up record; applying a volume's question matchings then
// makes them campaign matchings and creates the missing campaign responses.

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

namespace pelko_wave {

class CModality;
class CQuestion;
class CVolume;
struct SReconcileRun;

struct SResponseMatchingOptions
{
    // The short-caption and user-data methods also match through the application's response
    // caption libraries.
    bool UseCaptionLibraries = false;
    // Whether report lines are written.
    bool ReportFlag = false;
    TextScanMode TextScan = TextScanMode::Indexed;
};

// Fills the campaign question's response look-up record (emptied first), and appends its lines
// to the report when the options ask for lines.
void MatchQuestionResponses(QString& report, CVolume& volume, CQuestion& campaignQuestion,
                            const qnr::CQuestion& sourceQuestion, int waveId,
                            const SResponseMatchingOptions& options);

// The text of a campaign response's entry code as response matching compares it: its entry
// code, or when it has none its position in the question + 1, zero-padded to the width of the
// question's response count (a "don't know" and a semi-open answer counted too).
QString GetModalityEntryCodeText(const CQuestion& question, int position);
// Whether two entry codes are the same: as numbers when both are whole numbers ("01" equals
// "1"), otherwise as texts ignoring case.
bool EntryCodesEqual(const QString& a, const QString& b);

// Whether the campaign response and the source response agree by one method: internal code,
// entry code, order (the same position in their questions), short caption or user data.
bool CheckModalityPairByMethod(int method, const CVolume& volume, const CQuestion& campaignQuestion,
                               int campaignPosition, const qnr::CQuestion& sourceQuestion,
                               int sourcePosition);

// Matches the responses of a question pair of the run (when either side has any): the question's
// look-up record is filled, the lines go into the run's report and the progress advances. In a
// command-line run without the switch that ignores unmatched responses, stops the run when
// campaign responses are left unmatched.
void MatchPairResponses(SReconcileRun& run, CVolume& volume, CQuestion& campaignQuestion,
                        const qnr::CQuestion& sourceQuestion);

// The driver's step: makes a campaign matching of every new question matching of the volume and
// matches the responses of each.
void ApplyQuestionMatchings(SReconcileRun& run, CVolume& volume);

// After a question's responses were matched: makes the new response matchings, brings the
// captions of every response matched in the volume up to date, and turns the source responses
// left over into campaign responses. In a command-line run without the switch that allows new
// responses, stops the run when there are any.
void RecordResponseMatchings(SReconcileRun& run, CVolume& volume, CQuestion& campaignQuestion,
                             const qnr::CQuestion& sourceQuestion, bool keepSourceCodes);

} // namespace pelko_wave
