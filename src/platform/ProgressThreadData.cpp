#include "platform/ProgressThreadData.h"

IProgressDialogWindow* CUPDialogUserProcData::ActiveWindow() const
{
    return Cancelled.load() ? nullptr : Window.load();
}

bool CUPDialogUserProcData::SetText(const QString& text)
{
    IProgressDialogWindow* window = Window.load();
    return window ? window->SetText(text) : false;
}

void CUPDialogUserProcData::EnableCancel(bool enable)
{
    if (IProgressDialogWindow* window = ActiveWindow())
        window->EnableCancel(enable);
}

void CUPDialogUserProcData::SetPos(int position)
{
    if (IProgressDialogWindow* window = ActiveWindow())
        window->SetPos(position);
}

void CUPDialogUserProcData::StepPos()
{
    const int count = DoneCount.fetch_add(1) + 1;
    if (IProgressDialogWindow* window = ActiveWindow())
        window->StepPos(count);
}

int CUPDialogUserProcData::RunWorker()
{
    Running = true;
    int result = UPDIALOG_FAILED;
    if (!Cancelled && Proc)
        result = Proc(*this) ? UPDIALOG_SUCCEEDED : UPDIALOG_FAILED;
    Running = false;
    return Cancelled ? UPDIALOG_CANCELLED : result;
}
