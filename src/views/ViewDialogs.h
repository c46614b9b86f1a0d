#pragma once

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
