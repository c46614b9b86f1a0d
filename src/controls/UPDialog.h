#pragma once

#include "platform/ProgressThreadData.h"

#include <QDialog>

class QTimer;

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

// A small modal progress dialog that runs a caller's procedure on a worker thread of its own and
// shows a text line, a progress bar and Cancel while the interface thread stays in the dialog's
// modal loop. Cancel, Escape and the Close box only ask the procedure to stop: the dialog ends
// when the worker ends.
class CUPDialog : public QDialog, private IProgressDialogWindow
{
    Q_OBJECT

public:
    // Control ids of the built-in layout.
    enum : int
    {
        IDC_PROGRESS_TEXT = 1026,
        IDC_PROGRESS_BAR = 1018,
        IDC_CANCEL = 2
    };

    CUPDialog(QWidget* parent, CProgressThreadData::UserProc proc, void* userParam,
              const QString& caption, bool allowCancel, int upperBound);
    ~CUPDialog() override;

    // Resets any earlier run, shows the dialog, starts the worker once it shows and returns when
    // the worker has ended: UPDIALOG_SUCCEEDED, UPDIALOG_FAILED, UPDIALOG_CANCELLED, or
    // UPDIALOG_NO_THREAD when the worker could not be started.
    int DoModal();

    // What the dialog shows now (interface thread).
    QString GetText() const;
    int GetPos() const;
    int GetUpperBound() const;
    bool IsCancelEnabled() const { return m_cancelEnabled; }

    CUPDialogUserProcData& GetUserProcData() { return m_data; }

protected:
    // Starts a thread that runs the body; false when no thread could be made. Tests replace it.
    virtual bool StartWorker(std::function<void()> body);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // IProgressDialogWindow, called on worker threads. Texts and the cancel state wait until the
    // interface thread has shown them; positions are only recorded, the latest one shown.
    void EnableCancel(bool enable) override;
    void SetPos(int position) override;
    void StepPos(int count) override;
    bool SetText(const QString& text) override;

    // Runs the function on the interface thread and waits for it, unless the dialog is going
    // (then false without waiting).
    bool CallOnInterfaceThread(std::function<void()> call);
    void ShowLatestPos();
    void ApplyCancelEnabled(bool enable);
    void RequestCancel();
    void StartRun();
    void EndRun(int result);
    // Sets the cancel flag, lets waiting worker calls go and joins the worker; then clears the
    // flags for a next run. No thread is ever terminated.
    void Cleanup();

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_posTimer = nullptr;

    const bool m_allowCancel;
    const int m_upperBound;
    QString m_caption;
    QString m_fullText;
    bool m_cancelEnabled = true;
    bool m_started = false;
    bool m_ended = false;

    CUPDialogUserProcData m_data;
    std::thread m_worker;

    std::mutex m_callLock;
    std::condition_variable m_callDone;
    bool m_closing = false;

    // The position the procedure set last, or the mark that it stepped the done-count since: the
    // bar shows the one or the other at each tick of the position timer and when the run ends.
    std::atomic<int> m_latestPos{0};
    std::atomic<bool> m_followSteps{false};
};
