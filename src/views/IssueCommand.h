#pragma once

#include "commands/CmdCallBacks.h"

#include <memory>

class CCmdVirtual;
class QObject;

// How every view and dialog runs a change of the campaign: through the application's command
// execution with the issuer's callbacks, and, when asked for, a snapshot of the panes taken
// now (restored before the step is undone or redone). A command that fails is not recorded:
// its error text is shown through the window services and false is returned; the issuer then
// leaves its pane as it was before the attempt. False as well, showing nothing, when no
// application is installed.
bool IssueCommand(std::unique_ptr<CCmdVirtual> command, const CCmdCallBacks& callBacks,
                  const CCmdPreCallBacks* preCallBacks, bool withSnapshot, bool setModified = true);

// The callbacks of a view, reaching the view only while it lives. The history keeps a command's
// callbacks as long as the command, and the panes go before the application that owns the
// history: an Undo or Redo after that deletes the record and leaves the view alone. Empty
// callbacks stay empty.
CCmdCallBacks GuardCallBacks(QObject* view, const CCmdCallBacks& callBacks);
CCmdPreCallBacks GuardCallBacks(QObject* view, const CCmdPreCallBacks& callBacks);
