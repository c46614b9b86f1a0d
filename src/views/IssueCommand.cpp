#include "views/IssueCommand.h"

#include "commands/CmdVirtual.h"
#include "platform/AppServices.h"
#include "platform/ViewState.h"
#include "platform/WindowServices.h"

#include <QPointer>

namespace {

CCmdCallBack Guard(QObject* view, const CCmdCallBack& callBack)
{
    if (!callBack)
        return {};
    return [view = QPointer<QObject>(view), callBack](std::unique_ptr<CCallBackInfo> record) {
        if (view)
            callBack(std::move(record));
    };
}

} // namespace

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

CCmdCallBacks GuardCallBacks(QObject* view, const CCmdCallBacks& callBacks)
{
    return {Guard(view, callBacks.AfterDo), Guard(view, callBacks.AfterUndo),
            Guard(view, callBacks.AfterRedo)};
}

CCmdPreCallBacks GuardCallBacks(QObject* view, const CCmdPreCallBacks& callBacks)
{
    return {Guard(view, callBacks.BeforeUndo), Guard(view, callBacks.BeforeRedo)};
}
