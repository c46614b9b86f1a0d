#pragma once

#include "platform/WindowServices.h"

#include <QList>

class QWidget;

// The modal dialogs that the panes open. Each dialog a view opens is one call of this
// interface: the dialog's inputs in, its result code and outputs back. The window program
// installs the implementation of the campaign dialogs; tests install a scripted one. The views
// make every call inside a CModalDialogScope, so that Undo and Redo stay off while a dialog is
// up. The panes of the campaign tree and the question tree open no dialog of their own: the
// calls come with the views that do.
class IViewDialogs
{
public:
    virtual ~IViewDialogs() = default;

    // ---- The property pane's items ----
    // Each takes the window to centre on (null: the main window). A dialog that the installed
    // implementation does not provide answers IDCANCEL and changes no output.

    // The languages dialog (CLanguageDlg) on the application's campaign. On IDOK the two
    // outputs are the positions, in the campaign's language list, of the language chosen as the
    // default and of the one chosen as current (-1 for the default when no language is flagged
    // default).
    virtual int RunLanguagesDialog(QWidget* parent, int& defaultPosition, int& currentPosition)
    {
        return IDCANCEL;
    }
    // The matching-method dialog (CMatchingMethodDlg): kind 0 question methods, 1 response
    // methods; methods holds the volume's method ids in trial order. On IDOK methods holds the
    // ids the user ticked, in the order shown (never empty).
    virtual int RunMatchingMethodDialog(QWidget* parent, int kind, QList<quint32>& methods)
    {
        return IDCANCEL;
    }
};

// The installed dialogs; null until one is installed (a view then opens nothing).
IViewDialogs* GetViewDialogs();
// Installs the dialogs (not owned; the caller keeps them alive) or, with null, removes them.
void SetViewDialogs(IViewDialogs* dialogs);

// The application's modal state for the guard's lifetime (BeginModalState, EndModalState),
// when the installed application is the program's own.
class CModalDialogScope
{
public:
    CModalDialogScope();
    ~CModalDialogScope();
    CModalDialogScope(const CModalDialogScope&) = delete;
    CModalDialogScope& operator=(const CModalDialogScope&) = delete;

private:
    bool m_began = false;
};
