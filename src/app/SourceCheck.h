#pragma once

#include "reconcile/SourceComparison.h"

#include <QString>

#include <chrono>

class CUPDialogUserProcData;

namespace pelko_wave {
class CCampaign;
}

// The check of an opened campaign against its volumes' source files, run by the open road on the
// worker of a progress dialog.

// What the check works on and what it finds. The campaign is borrowed.
struct SSourceCheckRecord
{
    pelko_wave::CCampaign* Campaign = nullptr;
    SSourceComparisonLists Lists;
    // Whether every list stayed empty.
    bool Clean = false;
    // The report of the missing source files, or else the validation report; empty when the
    // campaign is clean or the check was cancelled.
    QString Report;
    // How long the last text stays up before the dialog ends.
    std::chrono::milliseconds FinalPause{1000};
};

// The progress dialog's procedure; its user parameter is an SSourceCheckRecord. Compares the
// campaign with its sources, builds the report unless cancelled or clean, shows the outcome for
// the record's pause and returns whether the campaign is clean.
bool CompareCampaignWithSources(CUPDialogUserProcData& data);
