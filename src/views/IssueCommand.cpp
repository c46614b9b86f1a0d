#include "views/IssueCommand.h"

#include "commands/CmdVirtual.h"
#include "platform/AppServices.h"
#include "platform/ViewState.h"
#include "platform/WindowServices.h"

bool IssueCommand(std::unique_ptr<CCmdVirtual> command, const CCmdCallBacks& callBacks,
                  const CCmdPreCallBacks* preCallBacks, bool withSnapshot, bool setModified)
{
    IWaveApp* app = GetWaveApp();
    if (!app || !command)
        return false;
    std::unique_ptr<CViewState> snapshot = withSnapshot ? app->CaptureViewState() : nullptr;
    if (app->ExecuteCommand(command, callBacks, preCallBacks, std::move(snapshot), setModified))
        return true;
    if (command)
        GetWindowServices().MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
    return false;
}
