#pragma once

#include "reconcile/ReconcileResults.h"
#include "reconcile/TextScanIndex.h"

#include <QString>

// The engine's main operation: reconciles every volume of one wave with the campaign
// questionnaire, volume by volume in wave order, and writes the HTML reconciliation report.
// The reconcile-wave command runs it in the interactive program and in the command-line batch
// run alike.

namespace pelko_wave {

struct SReconcileWaveOptions
{
    // Response caption libraries help the short-caption and user-data response methods.
    bool UseCaptionLibraries = false;
    // A progress window and message boxes; otherwise the command-line mode, in which the
    // command line's switches decide whether new items, unmatched items and broken inherited
    // matchings stop the run.
    bool Interactive = true;
    // New campaign responses keep their source codes as ids when free.
    bool KeepSourceCodes = false;
    // Only volumes already reconciled are processed, and only campaign questions still
    // unmatched in them are matched.
    bool ReconcileUnmatchedOnly = false;
    // How the text methods look for pairs (the program always uses the index).
    TextScanMode TextScan = TextScanMode::Indexed;
};

// Reconciles the wave of the application's campaign.
// - results receives one new record per processed volume (the caller owns them);
// - report is emptied, then receives the whole HTML report (head and footer included) when
//   reports are wanted (the view option, always on the command line), else stays empty.
// Returns FALSE when a questionnaire could not be read or a command-line rule stopped the run;
// what the volumes processed before already changed stays for the caller to take back. Any
// other exception (a real fault) goes through to the caller.
bool ReconcileWave(int waveId, ReconcileResultsMap& results, QString& report,
                   const SReconcileWaveOptions& options);

// Whether a reconciliation writes report lines: always on the command line, else as the view
// option says.
bool IsReconciliationReportWanted(bool interactive);

} // namespace pelko_wave
