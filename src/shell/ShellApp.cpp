#include "shell/ShellApp.h"

#include "app/CampaignFileNames.h"
#include "app/WaveApp.h"
#include "dialogs/ReportDlg.h"
#include "menus/NewMenu.h"
#include "platform/WindowServices.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/HistoryKeys.h"
#include "shell/MainFrame.h"
#include "shell/PlaceholderPanes.h"
#include "shell/WidgetWindowServices.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QStandardPaths>
#include <QThread>

namespace {

const QString kRecentFileSection = QStringLiteral("Recent File List");
const QString kRecentFileEntry = QStringLiteral("File%d");

} // namespace

CShellApp::CShellApp(CWaveApp& app, PaneMaker paneMaker, std::unique_ptr<IShellDialogs> dialogs,
                     CWidgetWindowServices* services)
    : m_app(app), m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<CUnavailableDialogs>()),
      m_services(services),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_programFolder(QCoreApplication::applicationDirPath())
{
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (folder != QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            m_systemDataFolders << folder;
    }

    const CEnvironmentSettings& environment = app.GetEnvironmentSettings();
    m_recentFiles = std::make_unique<CRecentFileListEx>(0, kRecentFileSection, kRecentFileEntry,
                                                        environment.GetMRUSize(),
                                                        environment.GetMRUFileNameLength());
    m_recentFiles->ReadList();

    RegisterFileCommands();
    RegisterEditCommands();
    RegisterApplicationCommands();
    RegisterRecentFileCommands();
    // The update pass after every command, and one queued pass whenever the keyboard focus
    // moves (Copy and Select All act on the grid that has it).
    connect(&m_actions, &CCommandActions::CommandExecuted, this, [this] { UpdateCommands(); });
    connect(qApp, &QApplication::focusChanged, &m_actions, [this] { m_actions.RequestUpdate(); });

    std::unique_ptr<IShellPanes> panes =
        paneMaker ? paneMaker(m_actions) : std::make_unique<CPlaceholderPanes>();
    m_frame = std::make_unique<CMainFrame>(m_actions, std::move(panes));
    m_frame->SetCloseQuery([this] { return QueryClose(); });
    m_frame->RestorePlacement();
    m_doc.SetTitleListener([this](const QString& title) { m_frame->SetDocumentTitle(title); });
    m_frame->SetDocumentTitle(m_doc.GetTitle());
    m_recentFileMenu = FindRecentFileMenu();
    RebuildRecentFileMenu();

    if (m_services) {
        m_services->SetMainWindow(m_frame.get());
        m_services->SetPanes([this] { return GetPanes(); });
    }
    m_keyFilter = std::make_unique<CHistoryKeyFilter>(app, [this] { UpdateCommands(); });
    m_keyFilter->SetMainWindow(m_frame.get());
    qApp->installEventFilter(m_keyFilter.get());

    m_app.SetShellWindow(this);
    // Every executed, undone or redone step and every save ends here: the title's mark follows
    // the modified flag, and the update pass brings the menus and toolbar buttons up to date
    // whoever ran the step (a command of the menus, or a view that issued its own). A step run
    // by a worker thread (the validation fixes) reaches the windows on the interface thread.
    m_app.SetDocumentModifiedNotifier([this](bool modified) {
        if (QThread::currentThread() == thread()) {
            m_doc.SetModifiedFlag(modified);
            UpdateCommands();
            return;
        }
        // The news arrives later, when Undo or a save may have changed the flag again: the
        // title takes the flag as it is then.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_doc.SetModifiedFlag(m_app.IsModified());
                UpdateCommands();
            },
            Qt::QueuedConnection);
    });
}

CShellApp::~CShellApp()
{
    qApp->removeEventFilter(m_keyFilter.get());
    if (m_app.GetShellWindow() == this)
        m_app.SetShellWindow(nullptr);
    m_app.SetDocumentModifiedNotifier({});
    if (m_services) {
        m_services->SetMainWindow(nullptr);
        m_services->SetPanes({});
    }
}

IShellPanes* CShellApp::GetPanes() const
{
    return m_frame ? &m_frame->GetPanes() : nullptr;
}

bool CShellApp::ProcessShellCommand(bool openFile, const QString& path)
{
    if (!openFile) {
        m_app.OnFileNew();
        return true;
    }
    return m_app.OpenDocumentFile(path);
}

void CShellApp::ShowMainFrame()
{
    m_frame->ShowFirstTime();
    UpdateCommands();
    // A report of the open check (missing sources) opened while the window was still hidden;
    // it stays in front of the window that has just appeared over it.
    CReportDlg* report = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<CReportDlg*>(widget); shown && shown->isVisible()) {
            shown->raise();
            report = shown;
        }
    }
    if (report)
        report->activateWindow();
}

void CShellApp::Shutdown()
{
    m_recentFiles->WriteList();
}

void CShellApp::NewDocument()
{
    m_doc.OnNewDocument();
}

bool CShellApp::OpenDocument(const QString& path)
{
    m_openTried = false;
    // The open campaign's own file: the application has asked already.
    if (m_doc.GetPathName().isEmpty() || !IsSameFile(path, m_doc.GetPathName())) {
        if (!m_app.SaveModified())
            return false;
    }
    m_openTried = true;
    return true;
}

void CShellApp::SetDocumentPath(const QString& path, bool modified)
{
    m_doc.SetPathName(path);
    m_doc.SetModifiedFlag(modified);
    m_recentFiles->Add(path);
    RebuildRecentFileMenu();
}

bool CShellApp::ResetViewsAfterLoad()
{
    IShellPanes* panes = GetPanes();
    const bool reset = !panes || panes->ResetAfterLoad();
    UpdateCommands();
    return reset;
}

void CShellApp::ShowValidationDialog(const SSourceComparisonLists& lists, const QString& report)
{
    if (m_dialogs->HasDialog(IShellDialogs::ValidationDialog))
        m_dialogs->RunValidationDialog(m_frame.get(), lists, report);
    else
        GetWindowServices().ShowReport(LoadString(IDS_VALIDATION_TITLE), 0, report);
}

bool CShellApp::QueryClose()
{
    // A close asked for while work on the interface thread dispatches messages waits for its
    // end; the user closes again then.
    if ((m_services && m_services->IsPumping()) || QApplication::activeModalWidget())
        return false;
    return m_app.SaveModified();
}

QMenu* CShellApp::FindRecentFileMenu() const
{
    const CNewMenu& menu = m_frame->GetMenu();
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        const CNewMenu* popup = menu.GetSubMenuAt(i);
        if (!popup)
            continue;
        for (int j = 0; j < popup->GetMenuItemCount(); ++j) {
            if (popup->GetMenuItemID(j) == ID_FILE_MRU_FILE1)
                return popup->GetMenu();
        }
    }
    return nullptr;
}

void CShellApp::RebuildRecentFileMenu()
{
    if (m_recentFileMenu)
        m_recentFiles->UpdateMenu(*m_recentFileMenu, m_actions);
}

void CShellApp::ResetRecentFileList()
{
    const CEnvironmentSettings& environment = m_app.GetEnvironmentSettings();
    m_recentFiles->Resize(environment.GetMRUSize());
    m_recentFiles->SetMaxDisplayLength(environment.GetMRUFileNameLength());
    RebuildRecentFileMenu();
}

void CShellApp::ClearRecentFileList()
{
    m_recentFiles->Clear();
    RebuildRecentFileMenu();
}

void CShellApp::OpenRecentFile(int index)
{
    const QString path = m_recentFiles->GetItem(index);
    if (path.isEmpty())
        return;
    m_openTried = false;
    if (!m_app.OpenDocumentFile(path) && m_openTried) {
        m_recentFiles->Remove(index);
        RebuildRecentFileMenu();
    }
}

void CShellApp::RegisterRecentFileCommands()
{
    for (int i = 0; i < CRecentFileListEx::kMaxSize; ++i) {
        m_actions.AddHandler(
            ID_FILE_MRU_FILE1 + unsigned(i), CCommandActions::Application, this,
            [this, i] { OpenRecentFile(i); },
            [this, i](CCmdUI& ui) {
                // The first item's update shows the list in the menu, as the menu opens.
                if (i == 0)
                    RebuildRecentFileMenu();
                ui.Enable(!m_recentFiles->GetItem(i).isEmpty());
            });
    }
}
