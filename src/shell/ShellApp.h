#pragma once

#include "app/ShellWindow.h"
#include "dialogs/ShellDialogs.h"
#include "menus/CommandActions.h"
#include "shell/RecentFileList.h"
#include "shell/ShellPanes.h"
#include "shell/WaveDoc.h"

#include <QObject>
#include <QPointer>

#include <memory>

class CHistoryKeyFilter;
class CMainFrame;
class CWaveApp;
class CWidgetWindowServices;
class QMenu;

// The window program around the application object: the shared command actions with the
// handlers of the application's and the document's commands, the document, the recent-file
// list, the main frame with its panes, and the dialogs the commands open. It is the document and
// views of the application's roads (IShellWindow).
//
// The update pass (CCommandActions::UpdateAll) runs when a menu opens and after every command,
// undo and redo, and once queued (coalesced within a turn of the event loop) when the panes'
// selection, a grid's focus cell, the page shown or the keyboard focus change, so that menus
// and toolbar buttons show the state of the moment.
class CShellApp final : public QObject, public IShellWindow
{
    Q_OBJECT

public:
    // Builds the actions, the document, the recent-file list (from the profile, with the
    // application's environment settings) and the main frame, hidden, with the panes of the
    // maker (placeholder panes without one) and the dialogs given (none there without them).
    // The window services are the caller's (CWindowProgram installs the widget ones); when
    // given, they are told about the main window and its panes.
    CShellApp(CWaveApp& app, PaneMaker paneMaker = {}, std::unique_ptr<IShellDialogs> dialogs = {},
              CWidgetWindowServices* services = nullptr);
    ~CShellApp() override;

    CWaveApp& GetApp() const { return m_app; }
    CCommandActions& GetActions() { return m_actions; }
    CMainFrame* GetMainFrame() const { return m_frame.get(); }
    // The frame's panes; null when there is no main window.
    IShellPanes* GetPanes() const;
    CWaveDoc& GetDocument() { return m_doc; }
    CRecentFileListEx& GetRecentFileList() { return *m_recentFiles; }
    IShellDialogs& GetDialogs() { return *m_dialogs; }

    // The start-up's shell command: a new campaign, or the campaign file named on the command
    // line. False when that file could not be opened.
    bool ProcessShellCommand(bool openFile, const QString& path);
    // Shows the main frame the first time and brings the commands up to date; report windows
    // opened before it (the open check's) are brought in front of it.
    void ShowMainFrame();
    // The end of the window program: the recent-file list goes to the profile.
    void Shutdown();

    // The update pass: every command's action is enabled and named for the moment.
    void UpdateCommands() { m_actions.UpdateAll(); }

    // IShellWindow.
    void NewDocument() override;
    bool OpenDocument(const QString& path) override;
    void SetDocumentPath(const QString& path, bool modified) override;
    bool ResetViewsAfterLoad() override;
    // The validation dialog; while the factory has none, the validation report in a report
    // window.
    void ShowValidationDialog(const SSourceComparisonLists& lists, const QString& report) override;

    // Application commands.
    // Maximise Response Counts: asks whether higher counts are kept, then raises the counts in
    // one undoable step and says how many questions changed.
    void MaximiseResponseCounts();
    // The options sheet; after OK, what the displayed pages changed is put in force
    // (ApplyOptionsSheet).
    void OnOptions();
    // Takes the records of the displayed pages and refreshes what their changes touch: the
    // difference cache after a change of the difference sets or of comparing captions in the
    // default language only, the reconciliation page after language and view changes, the
    // recent-file list after the environment settings.
    void ApplyOptionsSheet(const SOptionsSheetRecords& edited);
    // Languages: the default and current languages chosen in the languages dialog, changed in
    // one undoable step (a new default language also gets the captions it lacks); nothing when
    // both stay as they are.
    void OnLanguages();
    // Global and local difference options: the choice, the cache forgets its differences (they
    // were made under the other options) and the reconciliation page is reloaded.
    void UseGlobalOptions();
    void UseLocalOptions();
    // User-defined application 1 or 2: started with the campaign file as its argument.
    void StartUserApplication(int which);
    void OpenTutorialFolder();
    // Help Topics, the wiki item and the About box's links: the user guide that ships with the
    // program, in the desktop's browser, or in the program's own report window when no browser
    // can be started. A guide that cannot be found is said, with the places looked in.
    void OpenUserGuide();
    // The user guide's file: beside the program, else in the share folder of its install; empty
    // when neither holds it.
    QString FindUserGuide() const;
    // The address the About box's links give: the guide's file, or where it is first looked for.
    QUrl UserGuideUrl() const;
    void ShowAboutBox();
    // Opens the file of the recent-file item; a file that could not be opened leaves the list
    // (a refused question to save the open campaign keeps it).
    void OpenRecentFile(int index);

    // The recent-file list takes the environment settings' size and name length.
    void ResetRecentFileList();
    // Empties the recent-file list (the general options page's "Clear List").
    void ClearRecentFileList();
    // Shows the recent-file list in the File menu.
    void RebuildRecentFileMenu();

    // How the desktop opens addresses and folders (tests replace it); true when it could.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Where the system's shared data folders are (tests replace them): the tutorial folder is
    // "Pelko/PelkoPlim/Tutorial" in the first of them that has it, else in the first.
    void SetSystemDataFolders(const QStringList& folders) { m_systemDataFolders = folders; }
    // The folder of the program, where the user guide is looked for (tests replace it).
    void SetProgramFolder(const QString& folder) { m_programFolder = folder; }

private:
    void RegisterFileCommands();
    void RegisterEditCommands();
    void RegisterApplicationCommands();
    void RegisterRecentFileCommands();
    // The handlers of the duplicates dialog's consolidation: the step's record makes the
    // differences of its questions stale and the panes show the campaign again.
    CCmdCallBacks ConsolidationCallBacks();
    // Whether the main window may close now: not during work on the interface thread, and
    // only after the question whether to save a modified campaign.
    bool QueryClose();
    QMenu* FindRecentFileMenu() const;

    CWaveApp& m_app;
    CCommandActions m_actions;
    CWaveDoc m_doc;
    std::unique_ptr<CRecentFileListEx> m_recentFiles;
    std::unique_ptr<IShellDialogs> m_dialogs;
    CWidgetWindowServices* m_services;
    std::unique_ptr<CMainFrame> m_frame;
    QPointer<QMenu> m_recentFileMenu;
    std::unique_ptr<CHistoryKeyFilter> m_keyFilter;
    // Whether the last open got past the question whether to save (so its file was tried).
    bool m_openTried = false;
    UrlOpener m_openUrl;
    QStringList m_systemDataFolders;
    QString m_programFolder;
};
