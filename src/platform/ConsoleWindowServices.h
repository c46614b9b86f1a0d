#pragma once

#include "platform/WindowServices.h"

#include <functional>

// The window services where no window exists: the batch run, and any run before a window build
// or a test installs its own. A message box prints its text as one line (on standard output
// unless another writer is given) and takes its first button; progress, reports, the wait cursor
// and the panes show nothing; choosers are cancelled; a progress dialog's procedure runs at once.
class CConsoleWindowServices final : public IWindowServices
{
public:
    using LineWriter = std::function<void(const QString&)>;

    // Lines go to standard output unless another writer is given.
    explicit CConsoleWindowServices(LineWriter writeLine = {});

    int MessageBox(const QString& text, unsigned type) override;
    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString& caption, const QString& text,
                                                       int range) override;
    void ShowReport(const QString& title, int kind, const QString& html) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpMessages() override {}
    std::unique_ptr<CViewState> CaptureViewState() override;
    void RestoreViewState(const CViewState& state) override {}
    // No one to ask: every chooser is cancelled.
    QString ChooseFileToOpen(const QString&, const QString&) override { return QString(); }
    QString ChooseFileToSave(const QString&, const QString&, const QString&) override
    {
        return QString();
    }
    QString ChooseFolder(const QString&, const QString&) override { return QString(); }
    int RunProgressDialog(const QString& caption, bool allowCancel, int upperBound,
                          CUPDialogUserProcData& data) override;
    void OpenFolder(const QString&) override {}

private:
    LineWriter m_writeLine;
};
