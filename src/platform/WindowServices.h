#pragma once

#include <QString>
#include <memory>

// Everything the core shows to the user goes through one window interface: the window build
// implements it with widgets, the batch run for the console, and tests with a scripted double.

// Message-box buttons and icons, combined as one type value.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
// Message-box answers.
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// The answer of a message box's first button (OK or Yes), given by runs that ask no one.
int FirstButtonAnswer(unsigned type);

// Kinds of report window.
enum : int {
    REPORT_SUMMARY = 1,
    REPORT_RECONCILIATION = 2,
    REPORT_SOURCE_FILES = 3,
    REPORT_OPEN_NUMERIC = 4
};

class CViewState;
class CUPDialogUserProcData;

// A modeless progress window. Destroying the object closes the window.
class IProgressWindow
{
public:
    virtual ~IProgressWindow() = default;
    virtual void SetPos(int position) = 0;
    virtual int GetPos() const = 0;
    virtual void OffsetPos(int steps) = 0;
    virtual void SetPosToLast() = 0;
    virtual void SetMessageText(const QString& text) = 0;
};

class IWindowServices
{
public:
    virtual ~IWindowServices() = default;

    // Shows a message box with the given text and type (MB_*); returns the answer (ID*).
    virtual int MessageBox(const QString& text, unsigned type) = 0;
    // The same with the text of a string-table id.
    int MessageBoxId(unsigned stringId, unsigned type);

    // Creates and shows a modeless progress window with a range 0..range.
    virtual std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString& caption,
                                                               const QString& text,
                                                               int range) = 0;

    // Shows a modeless HTML report window of the given kind (REPORT_*).
    virtual void ShowReport(const QString& title, int kind, const QString& html) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Lets the interface stay alive during long work on its thread.
    virtual void PumpMessages() = 0;

    // Snapshot and restore of the panes around commands.
    virtual std::unique_ptr<CViewState> CaptureViewState() = 0;
    virtual void RestoreViewState(const CViewState& state) = 0;

    // File and folder choosers; each returns the chosen path, or an empty text when the user
    // cancelled. The filter is a string-table filter ("Plim Files (*.duv)|*.duv|...||"); the
    // default extension is added to a name typed without one. Saving asks before replacing an
    // existing file.
    virtual QString ChooseFileToOpen(const QString& filter, const QString& defaultExtension) = 0;
    virtual QString ChooseFileToSave(const QString& initialPath, const QString& filter,
                                     const QString& defaultExtension) = 0;
    virtual QString ChooseFolder(const QString& title, const QString& startFolder) = 0;

    // Runs the procedure of the worker data on a worker thread behind a modal progress dialog
    // (caption, a text line, a bar from 0 to upperBound, Cancel when allowed) and returns the
    // dialog's result (UPDIALOG_*). Without windows the procedure runs at once, on this thread.
    virtual int RunProgressDialog(const QString& caption, bool allowCancel, int upperBound,
                                  CUPDialogUserProcData& data) = 0;

    // Shows a folder in the desktop's file manager.
    virtual void OpenFolder(const QString& path) = 0;
};

// The process's window services: set once at start-up (window build, batch run) or by a test.
// Never null: until one is set, a console implementation answers.
IWindowServices& GetWindowServices();
// Installs services (not owned; the caller keeps them alive) or, with null, the console ones.
void SetWindowServices(IWindowServices* services);

// Shows the wait cursor for the lifetime of the guard.
class CWaitCursor
{
public:
    CWaitCursor() { GetWindowServices().BeginWaitCursor(); }
    ~CWaitCursor() { GetWindowServices().EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
