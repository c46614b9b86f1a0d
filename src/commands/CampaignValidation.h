#pragma once

#include <atomic>

// The correction of the matching problems that the comparison of a campaign with its sources
// found: every problem becomes an editing command, all gathered in one composite that the
// history runs as one undoable step, "validated campaign". Matchings to campaign items that do
// not exist are removed, missing languages added, and matchings to source items that are gone or
// to items deleted before the volume broken from the first volume concerned on. Loop-hierarchy
// problems and missing source files cannot be corrected here.
//
// The commands are built on the worker thread; the composite is executed on the thread that
// owns the campaign and the history (the application object's), while the worker waits for it.
// That thread must go on handling its events meanwhile (the validation dialog waits in 30 ms
// steps doing so), so that the campaign is never changed from two threads at once.

namespace pelko_wave {
class CCampaign;
}

struct SSourceComparisonLists;

// The worker's parameters, owned by the dialog.
struct CValidationThreadParams
{
    // Written by the worker.
    bool Result = false;
    // The entries handled so far: changed by the worker only, read by the dialog.
    std::atomic<int> DoneCount{0};
    pelko_wave::CCampaign* Campaign = nullptr;
    // The comparison's lists, of which the correction reads (and partly empties) the missing
    // questions and responses, the invalid and deleted question and response matches and the
    // new languages.
    SSourceComparisonLists* Lists = nullptr;
};

// The number of entries in the seven lists the correction handles: the range of the dialog's
// progress, and the total the worker's done-count reaches.
int GetValidationIssueCount(const CValidationThreadParams& params);

// The worker's function: ValidateCampaign with the parameters; stores the result and returns 1
// for success, 0 for failure.
unsigned ValidationThreadProc(CValidationThreadParams* params);

// Builds the correction and has it executed through the application's command execution.
// False, with nothing executed, when a response, question or volume named by an invalid or
// deleted match cannot be found; false too when the composite fails, the campaign then being
// as before.
bool ValidateCampaign(std::atomic<int>& doneCount, pelko_wave::CCampaign& campaign,
                      SSourceComparisonLists& lists);
