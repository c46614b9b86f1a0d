#pragma once

#include "reconcile/ReconcileResults.h"

#include <QString>

// The engine's main operation: reconciles every volume of one wave with the campaign
// questionnaire, volume by volume in wave order, and writes the HTML reconciliation report.
// The reconcile-wave command runs it in the interactive program and in the command-line batch
// run alike.

namespace pelko_wave {

// Reconciles the wave of the application's campaign.
// - results receives one new record per processed volume (the caller owns them);
// - report is emptied, then receives the whole HTML report (head and footer included) when
//   reports are wanted (the view option, always on the command line), else stays empty;
// - useCaptionLibraries: response caption libraries help the short-caption and user-data
//   response methods;
// - interactive: a progress window and message boxes; otherwise the command-line mode, in which
//   the command line's switches decide whether new items, unmatched items and broken inherited
//   matchings stop the run;
// - keepSourceCodes: new campaign responses keep their source codes as ids when free;
// - reconcileUnmatchedOnly: only volumes already reconciled are processed, and only campaign
//   questions still unmatched in them are matched.
// Returns FALSE when a questionnaire could not be read or a command-line rule stopped the run;
// what the volumes processed before already changed stays for the caller to take back.
bool ReconcileWave(int waveId, ReconcileResultsMap& results, QString& report,
                   bool useCaptionLibraries, bool interactive, bool keepSourceCodes,
                   bool reconcileUnmatchedOnly);

// Whether a reconciliation writes report lines: always on the command line, else as the view
// option says.
bool IsReconciliationReportWanted(bool interactive);

} // namespace pelko_wave
