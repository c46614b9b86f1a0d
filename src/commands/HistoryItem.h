#pragma once

#include "commands/CmdCallBacks.h"
#include "commands/CmdVirtual.h"
#include "platform/ViewState.h"

#include <cstdint>
#include <memory>

// One executed command with everything that travels with it. Serves as a history entry and as
// a sub-command of a composite (where the pre-callbacks and the snapshot stay empty).
struct CHistoryItem
{
    std::unique_ptr<CCmdVirtual> Command;
    CCmdCallBacks CallBacks;
    CCmdPreCallBacks PreCallBacks;
    // The panes' state when the command was issued; may be null.
    std::unique_ptr<CViewState> Snapshot;
    // Identity of a history entry, never reused while the program runs (0 for a composite's
    // sub-command).
    uint64_t Serial = 0;
};
