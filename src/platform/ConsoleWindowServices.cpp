#include "platform/ConsoleWindowServices.h"

#include "platform/ProgressThreadData.h"
#include "platform/SilentProgressWindow.h"
#include "platform/StdStreams.h"
#include "platform/ViewState.h"

CConsoleWindowServices::CConsoleWindowServices(LineWriter writeLine)
    : m_writeLine(writeLine ? std::move(writeLine) : LineWriter(&WriteStdOutLine))
{
}

int CConsoleWindowServices::MessageBox(const QString& text, unsigned type)
{
    m_writeLine(text);
    return FirstButtonAnswer(type);
}

std::unique_ptr<IProgressWindow>
CConsoleWindowServices::CreateProgressDlg(const QString&, const QString&, int range)
{
    return std::make_unique<CSilentProgressWindow>(range);
}

std::unique_ptr<CViewState> CConsoleWindowServices::CaptureViewState()
{
    return std::make_unique<CViewState>();
}

int CConsoleWindowServices::RunProgressDialog(const QString&, bool, int,
                                              CUPDialogUserProcData& data)
{
    // No window to show progress in: the procedure runs at once, on this thread.
    return data.RunWorker();
}
