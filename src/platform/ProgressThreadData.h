#pragma once

#include <QString>

#include <atomic>
#include <functional>

// The window side of a progress dialog whose procedure runs on a worker thread. The dialog sets
// it into the worker data when its window is up and clears it before the window goes. Calls come
// from worker threads, several at once: EnableCancel and SetText return once the window has
// handled them (or at once, unhandled, when the window is going); SetPos and StepPos never wait:
// the window shows the latest position when it gets to it.
class IProgressDialogWindow
{
public:
    virtual ~IProgressDialogWindow() = default;
    virtual void EnableCancel(bool enable) = 0;
    virtual void SetPos(int position) = 0;
    // A step of the worker data's done-count, which now stands at the count given. A window that
    // reads the count itself needs only to know that the position follows it.
    virtual void StepPos(int count) { SetPos(count); }
    virtual bool SetText(const QString& text) = 0;
};

// Results of a progress dialog's run.
enum : int
{
    UPDIALOG_SUCCEEDED = 1,
    UPDIALOG_FAILED = 2,
    UPDIALOG_NO_THREAD = 3,      // the worker thread could not be started
    UPDIALOG_CANCELLED = 0x10002 // cancelled, whatever the procedure returned
};

class CUPDialogUserProcData;

// The data handed to the worker of a progress dialog.
class CProgressThreadData
{
public:
    // The caller's procedure; true for success.
    using UserProc = std::function<bool(CUPDialogUserProcData&)>;

    virtual ~CProgressThreadData() = default;

    std::atomic<IProgressDialogWindow*> Window{nullptr};
    void* UserParam = nullptr;
    std::atomic<bool> Running{false};
    // Set on the interface thread when the user asks to cancel; polled by the procedure.
    std::atomic<bool> Cancelled{false};
    UserProc Proc;
};

// The worker data with the done-count that several worker threads may raise at once.
class CUPDialogUserProcData : public CProgressThreadData
{
public:
    std::atomic<int> DoneCount{0};

    // Shows a text while the window is up, also after the user asked to cancel (so the
    // procedure can say it stopped); false when it was not shown.
    bool SetText(const QString& text);
    // Each of these does nothing once the window is gone or the user asked to cancel.
    void EnableCancel(bool enable);
    void SetPos(int position);
    // Raises the done-count by one, atomically, and shows the new count.
    void StepPos();

    bool IsCancelled() const { return Cancelled.load(); }
    void* GetUserParam() const { return UserParam; }

    // The worker's body: runs the procedure unless already cancelled and gives the dialog's
    // result (UPDIALOG_*). The running flag is cleared before it returns.
    int RunWorker();

private:
    IProgressDialogWindow* ActiveWindow() const;
};
