#pragma once

#include "platform/WindowServices.h"

#include <QPointer>
#include <QStringList>

#include <functional>

class IShellPanes;
class QUrl;
class QWidget;

// The Qt file dialogs' name filters of a string-table filter ("Plim Files (*.duv)|*.duv|All
// Files (*.*)|*.*||"): one "<name> (<patterns>)" per pair, "*.*" standing for every file.
QStringList NameFiltersFromFilter(const QString& filter);

// The window services of the window program: message boxes, progress and report windows, the
// wait cursor and the file choosers as widgets on the main window, the panes' snapshot through
// the frame's panes. A call from a worker thread runs on the interface thread, the caller
// waiting for its result; the wait cursor and the message pump are left to the interface
// thread.
class CWidgetWindowServices final : public IWindowServices
{
public:
    CWidgetWindowServices();

    // The window dialogs are placed on (the main frame), and where the panes are found; either
    // may be missing (before the frame exists, after it went).
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    void SetPanes(std::function<IShellPanes*()> panes) { m_panes = std::move(panes); }
    // What hands a folder to the desktop's file manager: QDesktopServices::openUrl unless
    // replaced. Whether the desktop took it.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // Whether messages are being dispatched for work on the interface thread: the main window
    // refuses to close meanwhile.
    bool IsPumping() const { return m_pumpDepth > 0; }

    int MessageBox(const QString& text, unsigned type) override;
    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString& caption, const QString& text,
                                                       int range) override;
    void ShowReport(const QString& title, int kind, const QString& html) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // Dispatches what is pending except user input, so that no command starts inside another.
    void PumpMessages() override;
    std::unique_ptr<CViewState> CaptureViewState() override;
    void RestoreViewState(const CViewState& state) override;
    QString ChooseFileToOpen(const QString& filter, const QString& defaultExtension) override;
    QString ChooseFileToSave(const QString& initialPath, const QString& filter,
                             const QString& defaultExtension) override;
    QString ChooseFolder(const QString& title, const QString& startFolder) override;
    int RunProgressDialog(const QString& caption, bool allowCancel, int upperBound,
                          CUPDialogUserProcData& data) override;
    // Shows the folder in the desktop's file manager; a warning naming the folder when the
    // desktop cannot.
    void OpenFolder(const QString& path) override;

private:
    IShellPanes* Panes() const { return m_panes ? m_panes() : nullptr; }
    // The calls themselves, on the interface thread.
    int ShowMessageBox(const QString& text, unsigned type);
    QString AskFileToOpen(const QString& filter, const QString& defaultExtension);
    QString AskFileToSave(const QString& initialPath, const QString& filter,
                          const QString& defaultExtension);

    QPointer<QWidget> m_mainWindow;
    std::function<IShellPanes*()> m_panes;
    UrlOpener m_openUrl;
    int m_pumpDepth = 0;
    int m_waitDepth = 0;
};
