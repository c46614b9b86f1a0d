#pragma once

#include "app/OptionsProfile.h"
#include "commands/CommandHistory.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/VersionInfo.h"
#include "platform/WaveCmdLineInfo.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DiffsOptions.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

class CDBAccess;
class QSettings;
class CConsoleWindowServices;
class IShellWindow;

namespace pelko_wave {
class CCampaign;
class CWave;
} // namespace pelko_wave

// The one application object: it owns the campaign state, the option records, the command line
// and the version information, and starts either the batch run or the window program. It holds
// no widget and is not the Qt application object: main makes that first. It installs itself as
// the application seen by the core for its lifetime.
class CWaveApp final : public IWaveApp
{
public:
    CWaveApp();
    ~CWaveApp() override;
    CWaveApp(const CWaveApp&) = delete;
    CWaveApp& operator=(const CWaveApp&) = delete;

    // Start-up with the program's arguments (without its own name). Returns whether the program
    // goes on; GetExitCode gives the process's exit code. Every return waits the start-up pause.
    bool InitInstance(const QStringList& arguments);
    int GetExitCode() const { return m_exitCode; }
    // The end of the program, after start-up in every branch: writes the local difference
    // options, frees the campaign objects, writes the profile sections this run changed and the
    // caption libraries when they changed. Returns the exit code.
    int ExitInstance();
    // The pause before every return from start-up (one second; tests shorten it).
    void SetStartupPause(std::chrono::milliseconds pause) { m_startupPause = pause; }
    // The window program, which the start-up runs when the command line asks for no batch run:
    // it shows the windows and opens the campaign of the command line (or a new one). It
    // returns whether the program goes on; false (the campaign named could not be opened) ends
    // the program with exit code 1. Without one, the start-up says that there is no window
    // program and ends the same way.
    using WindowProgram = std::function<bool(CWaveApp& app)>;
    void SetWindowProgram(WindowProgram program) { m_windowProgram = std::move(program); }

    // Campaign state (WaveAppCampaign.cpp). The storage object and the campaign exist together
    // or not at all.
    pelko_wave::CCampaign* GetCampaign() const override { return m_pCampaign.get(); }
    CDBAccess* GetDBAccess() const { return m_pDBAccess.get(); }
    // Takes the storage object and the campaign (new, empty ones for null), clears the
    // modified flag and the pending source copies, and forgets the highest volume id.
    void CreateCampaignObjects(std::unique_ptr<CDBAccess> dbAccess,
                               std::unique_ptr<pelko_wave::CCampaign> campaign);
    // Clears the history, closes and deletes the storage object, deletes the campaign, empties
    // the campaign path and resets the clean point. Harmless when there is nothing to destroy.
    void DestroyCampaignObjects();
    QString GetCampaignPath() const override { return m_campaignPath; }
    void SetCampaignPath(const QString& path) override;
    // The campaign file's name without its extension.
    QString GetCampaignName() const;
    QString GetCampaignFilePath() const override;
    QString GetCampaignDataFolder() override;
    CCampaignDiffsCache* GetDiffsCache() const override;
    bool IsModified() const { return m_modified; }
    // The file name of the campaign path without its extension (the package's name).
    QString GetCampaignFileTitle() const { return GetCampaignName(); }

    // The window program's document and views (not owned); null in a batch run and before the
    // window exists, when the roads skip the document and view steps.
    void SetShellWindow(IShellWindow* shell) { m_shellWindow = shell; }
    IShellWindow* GetShellWindow() const { return m_shellWindow; }
    // Makes the storage objects of campaign files: a CDBAccessDAO unless a test installs
    // another maker.
    void SetStorageFactory(std::function<std::unique_ptr<CDBAccess>()> factory)
    {
        m_storageFactory = std::move(factory);
    }
    std::unique_ptr<CDBAccess> MakeStorage() const;

    // File > New (WaveAppNew.cpp): after the ask to save, an empty campaign in the program's
    // language, a fresh document and rebuilt views.
    void OnFileNew();

    // File > Open (WaveAppOpen.cpp). OpenDocumentFile reads the file into new campaign objects
    // and, when the read succeeded, replaces the open campaign with them; a file that cannot be
    // read leaves the open campaign as it was. Returns whether the file was opened.
    void OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    // How long the outcome of the check against the sources stays up (one second; tests
    // shorten it).
    void SetSourceCheckPause(std::chrono::milliseconds pause) { m_sourceCheckPause = pause; }
    // Whether the campaign was written by a newer program; whether it is not older than this
    // program (versions compared as four numbers, major first).
    bool IsCampaignFromNewerVersion() const;
    bool IsCampaignVersionCurrent() const;

    // Saving (WaveAppSave.cpp).
    // File > Save from the application's own menu entry: saves only a modified campaign.
    void OnFileSave();
    // Writes the campaign to its file (Save As when it has none yet), after copying the pending
    // source files into the data folder; a failure is shown. Returns whether it was saved.
    bool SaveCampaign();
    // File > Save As: SaveCampaignAs, showing its error text when it has one.
    void OnFileSaveAs();
    // Writes the campaign into a new file of the user's choice and moves the data folder along.
    // False with an empty error text when the user cancelled; false with the error text when
    // the file could not be written, the campaign then staying on its old file.
    bool SaveCampaignAs(QString& errorText);
    // Asks whether to save a modified campaign; false when the caller must not go on.
    bool SaveModified();
    // Copies the source files of the volumes recorded since the last save into the data folder
    // and points the volumes at the copies. A copy that fails leaves its volume where it was
    // and its id pending; false (after telling the user) when one failed.
    bool CopyPendingSourceFiles();
    // Points every source path of the volumes known at the last load or save that lies in the
    // old folder at the same place in the new folder (sub-folders kept), or at the file that
    // renamed gives for that place.
    void RebaseVolumePaths(const QString& oldFolder, const QString& newFolder,
                           const QHash<QString, QString>& renamed = {});

    // Package Campaign (WaveAppPackage.cpp): a copy of the campaign and of every volume's
    // source files in a new folder of the user's choice; the open campaign is not touched.
    void PackageCampaign();

    // Option records.
    const CLanguageSettings& GetLanguageSettings() const override { return m_languageSettings; }
    void SetLanguageSettings(const CLanguageSettings& settings) { m_languageSettings = settings; }
    const CViewSettings& GetViewSettings() const override { return m_viewSettings; }
    void SetViewSettings(const CViewSettings& settings) { m_viewSettings = settings; }
    const CNGramSettings& GetNGramSettings() const override { return m_nGramSettings; }
    void SetNGramSettings(const CNGramSettings& settings) { m_nGramSettings = settings; }
    const CReconciliationSettings& GetReconciliationSettings() const override
    {
        return m_reconciliationSettings;
    }
    void SetReconciliationSettings(const CReconciliationSettings& settings)
    {
        m_reconciliationSettings = settings;
    }
    const CEnvironmentSettings& GetEnvironmentSettings() const override
    {
        return m_environmentSettings;
    }
    void SetEnvironmentSettings(const CEnvironmentSettings& settings)
    {
        m_environmentSettings = settings;
    }
    const CUserDefinedApp& GetUserDefinedApps() const override { return m_userDefinedApps; }
    void SetUserDefinedApps(const CUserDefinedApp& apps) { m_userDefinedApps = apps; }
    const CQuestionDiffsOptions& GetQuestionDiffsOptions() const override;
    const CModalityDiffsOptions& GetModalityDiffsOptions() const override;

    // The fixed sets of difference kinds that are never shown.
    bool IsQuestionDiffKindHidden(int kind) const override;
    bool IsModalityDiffKindHidden(int kind) const override;
    bool IsQuestionDiffKindHiddenInDialog(int kind) const override;
    bool IsModalityDiffKindHiddenInDialog(int kind) const override;
    bool IsResponseDiffKindHidden(int kind) const { return IsModalityDiffKindHidden(kind); }
    bool IsResponseDiffKindHiddenInDialog(int kind) const
    {
        return IsModalityDiffKindHiddenInDialog(kind);
    }

    // Caption libraries.
    const QList<pelko_wave::CResponseCaptionGroup*>& GetCaptionGroups() const override;
    const QList<pelko_wave::CResponseLibrary*>& GetCaptionLibraries() const override;

    // Volumes whose source files are copied into the data folder on the next save.
    void AddPendingQuestionSourceCopy(int volumeId) override;
    void AddPendingInterviewSourceCopy(int volumeId) override;
    const std::set<int>& GetPendingQuestionSourceCopies() const { return m_pendingQuestionCopies; }
    const std::set<int>& GetPendingInterviewSourceCopies() const
    {
        return m_pendingInterviewCopies;
    }

    // Command line and version.
    CWaveCmdLineInfo& GetCmdLineInfo() override { return m_cmdLineInfo; }
    bool IsBatchRun() const override { return m_cmdLineInfo.IsBatchRun(); }
    const CVersionInfo& GetVersionInfo() const override { return m_versionInfo; }

    // Commands and the panes (WaveAppCommands.cpp). Every change of the campaign runs through
    // ExecuteCommand; Undo and Redo first bring the panes back to the entry's snapshot.
    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks& callBacks,
                        const CCmdPreCallBacks* preCallBacks, std::unique_ptr<CViewState> viewState,
                        bool setModified) override;
    std::unique_ptr<CViewState> CaptureViewState() override;
    void RestoreViewState(const CViewState& state);
    bool Undo() override;
    bool Redo() override;
    bool TakeBackGroup(const GUID& groupId) override;
    void AddHistoryListener(QObject* owner, std::function<void()> listener) override;
    // The history itself, for the views that take back or drop a step they have just executed.
    CommandHistory& GetCommandHistory() { return m_history; }
    const CommandHistory& GetCommandHistory() const { return m_history; }

    // The Edit menu's Undo and Redo: run when enabled, else nothing; enabled while no modal
    // dialog is up and the history allows it; named after the step on top.
    void OnEditUndo();
    void OnEditRedo();
    bool IsUndoEnabled() const;
    bool IsRedoEnabled() const;
    QString GetUndoMenuText() const;
    QString GetRedoMenuText() const;
    // The keyboard filter's part for Ctrl+Z and Ctrl+Y (the key is a Qt::Key value, ctrlHeld
    // whether the left Ctrl key is down now). Returns whether the key was taken.
    bool PreTranslateHistoryKey(int key, bool ctrlHeld);

    // The modified flag. With update set (and outside a batch run) the document is told too.
    void SetModifiedFlag(bool modified, bool update);
    // Modified unless the history is back at the state of the last save.
    void UpdateModifiedState();
    // The campaign was saved: its current history state is the clean point.
    void MarkSaved();
    // Drops the newest history entry, which the caller has taken back itself; returns 1.
    int UpdateModifiedIfUndoable();
    // Tells the document (the "*" in the title) about the modified flag.
    void SetDocumentModifiedNotifier(std::function<void(bool modified)> notifier)
    {
        m_documentModifiedNotifier = std::move(notifier);
    }

    // Every modal dialog of the program runs between these two; Undo and Redo keys are not
    // taken meanwhile.
    void BeginModalState() { m_modalState = true; }
    void EndModalState() { m_modalState = false; }
    bool IsModalState() const { return m_modalState; }

    // The find question dialog's last search, which its next opening starts with: where it
    // looked (0 shortcut, 1 short caption, 2 long caption) and the text.
    struct SFindRecord
    {
        int Location = 0;
        QString Text;
    };
    SFindRecord& GetFindRecord() { return m_findRecord; }

    // The batch run's new wave (-1 until made), and whether the run created the campaign file.
    int GetBatchWaveId() const { return m_batchWaveId; }
    bool IsNewCampaign() const { return m_newCampaign; }
    int GetHighestVolumeIdAtLoad() const { return m_highestVolumeIdAtLoad; }

    // The batch run (BatchRun.cpp). Its exit codes: 0 saved, or reported only; 1 stopped or
    // failed (nothing saved, or the report not written); 2 the command line refused; 3 the
    // reconciliation refused by the switches (the report written, nothing saved).
    enum EBatchExitCode
    {
        BATCH_DONE = 0,
        BATCH_FAILED = 1,
        BATCH_COMMAND_LINE_REFUSED = 2,
        BATCH_RECONCILIATION_REFUSED = 3,
    };
    // Reads the campaign file into new campaign objects, without a message box or a progress
    // window, and puts them in place of the open ones; brings a file of an older program up to
    // date (in memory only for a report-only run) and compares the campaign with its sources.
    // False with the reason when the file cannot be read (the open campaign is then kept) or
    // the campaign does not agree with its sources.
    bool OpenCampaignHeadless(const QString& path, QString& errorText);
    // The batch run of the parsed command line (start-up runs it in place of the windows):
    // returns whether it reached its end, whatever the reconciliation's outcome, and sets the
    // exit code.
    bool RunCommandLine();
    // The after-do callbacks of the batch run's new wave and reconciliation.
    void OnNewWaveCallBack(std::unique_ptr<CCallBackInfo> record);
    void OnReconcileWaveCallBack(std::unique_ptr<CCallBackInfo> record);
    // Writes the wave's reconciliation report where the command line says, with the lines of
    // what this run created put after the command-line line; false (after saying so) when the
    // file could not be written.
    bool WriteReconciliationReport(const pelko_wave::CWave& wave, const QString& report);
    // Where the batch run's lines go: standard output unless a test gives another writer.
    void SetBatchOutput(std::function<void(const QString& line)> writer)
    {
        m_batchOutput = std::move(writer);
    }
    // The threads of the comparison with the sources after a headless open (0: one per
    // processor).
    void SetSourceCheckThreads(int threads) { m_sourceCheckThreads = threads; }

    // Which difference options are in force: the global pair, or the campaign's local pair.
    bool AreLocalOptionsLoaded() const { return m_localOptionsLoaded; }
    bool AreGlobalOptionsInUse() const { return m_globalOptionsInUse; }

    // Options in the profile and in files (WaveAppOptions.cpp).
    // Start-up: reads every profile section into its record, then the caption libraries.
    void LoadOptions();
    // Exit: writes back the profile sections this process changed, then the caption libraries.
    void SaveOptionsAtExit();
    void LoadLanguageOptions(QSettings& profile);
    void LoadViewOptions(QSettings& profile);
    void LoadNGramOptions(QSettings& profile);
    void LoadReconciliationOptions(QSettings& profile);
    // Read into the global set; the local set becomes a copy of it.
    void LoadQuestionDifferenceOptions(QSettings& profile);
    void LoadModalityDifferenceOptions(QSettings& profile);
    void LoadEnvironmentSettings(QSettings& profile);
    void LoadUserDefinedApps(QSettings& profile);
    void SaveLanguageOptions(QSettings& profile);
    void SaveViewOptions(QSettings& profile);
    void SaveNGramOptions(QSettings& profile);
    void SaveReconciliationOptions(QSettings& profile);
    void SaveQuestionDifferenceOptions(QSettings& profile);
    void SaveModalityDifferenceOptions(QSettings& profile);
    void SaveEnvironmentSettings(QSettings& profile);
    void SaveUserDefinedApps(QSettings& profile);
    // The print preview's page count, kept in the profile's "Settings" section.
    int GetPreviewPages() const { return m_previewPages; }
    void SetPreviewPages(int pages) { m_previewPages = pages; }

    // The difference options in force are replaced by copies of these.
    void SetQuestionDiffsOptions(const CQuestionDiffsOptions& options);
    void SetModalityDiffsOptions(const CModalityDiffsOptions& options);
    // Put the local or the global pair in force; each returns whether that changed anything.
    bool UseLocalOptions();
    bool UseGlobalOptions();
    // Set by New (no local options, global in force) and after Open (from LoadDiffsOptions).
    void SetOptionMode(bool localOptionsLoaded, bool globalOptionsInUse);
    // Writes the sets in force to an options file.
    bool SaveDiffsOptions(const QString& path) const;
    // Writes the sets in force to "PlimLocalOptions.xml" beside the campaign file.
    bool SaveLocalOptions() const;
    // SaveLocalOptions, only while local options are loaded and in force.
    bool SaveLocalOptionsIfUsed() const;
    // Reads "PlimLocalOptions.xml" beside the campaign file into the local pair.
    bool LoadDiffsOptions();

    // Caption libraries (WaveAppCaptionLibraries.cpp).
    // Reads a caption-library file and appends its groups and libraries to the lists, whose
    // nodes the caller owns; false when the file cannot be loaded.
    static bool LoadCaptionLibraries(const QString& path,
                                     QList<pelko_wave::CResponseCaptionGroup*>& groups,
                                     QList<pelko_wave::CResponseLibrary*>& libraries);
    static bool SaveCaptionLibraries(const QString& path,
                                     const QList<pelko_wave::CResponseCaptionGroup*>& groups,
                                     const QList<pelko_wave::CResponseLibrary*>& libraries);
    bool SaveCaptionLibrariesToFile(const QString& path) const;
    // Start-up: the libraries of the "CaptionsLibraryPath" file, else of the default file.
    void LoadCaptionLibrariesAtStartup();
    // Exit: writes the libraries to the "CaptionsLibraryPath" file when they were changed.
    bool SaveCaptionLibrariesAtExit();
    // The caption-library option now names another file: the libraries of an existing file
    // replace the application's, and the libraries are written to a file that does not exist
    // yet at exit. False, changing nothing, when the file exists but cannot be read (it is
    // then never overwritten). The option itself is set by the caller.
    bool ChangeCaptionLibraryFile(const QString& path);
    // The default caption-library file, made when missing; empty when that fails.
    static QString GetDefaultCaptionLibraryPath();

private:
    // Calls the history listeners whose owner lives (WaveAppCommands.cpp).
    void NotifyHistoryListeners();

    // Its steps, each printing why it stopped when it returns false.
    bool OpenOrCreateBatchCampaign();
    bool AddBatchWave(const QStringList& sources);
    bool AddBatchVolumes(const QStringList& sources);
    bool ReconcileBatchWave();
    // Writes the reconciliation report kept by the run, once.
    void WriteBatchReport();
    // One line of the batch run's output.
    void PrintBatchLine(const QString& line) const;
    // Runs a command of the batch run through the history; a failure prints the line, then the
    // command's error text when it has one.
    bool ExecuteBatchCommand(std::unique_ptr<CCmdVirtual> command, const QString& failureLine,
                             const CCmdCallBacks& callBacks = {});
    // The same, noting each copy made.
    bool CopyPendingSourceFiles(QStringList* copiesMade);
    // After a Save As over another campaign's file: removes the files that the data folder
    // held before (the replaced campaign's source copies) that no volume uses, and the
    // sub-folders they leave empty.
    void RemoveReplacedDataFiles(const QString& dataFolder, const QStringList& files);
    // Gives the campaign its first language, the program's own, as the default language.
    void AddProgramLanguage();

    CWaveCmdLineInfo m_cmdLineInfo;
    CVersionInfo m_versionInfo;
    QString m_campaignPath;
    std::unique_ptr<CDBAccess> m_pDBAccess;
    std::unique_ptr<pelko_wave::CCampaign> m_pCampaign;
    bool m_modified = false;
    QString m_campaignDataFolder;

    CLanguageSettings m_languageSettings;
    CViewSettings m_viewSettings;
    CNGramSettings m_nGramSettings;
    CReconciliationSettings m_reconciliationSettings;
    CEnvironmentSettings m_environmentSettings;
    CUserDefinedApp m_userDefinedApps;

    // Caption groups and libraries: owned by the application once the caption-library file is
    // read.
    QList<pelko_wave::CResponseCaptionGroup*> m_captionGroups;
    QList<pelko_wave::CResponseLibrary*> m_captionLibraries;

    std::set<int> m_pendingQuestionCopies;
    std::set<int> m_pendingInterviewCopies;
    int m_highestVolumeIdAtLoad = 999999999;

    bool m_modalState = false;
    SFindRecord m_findRecord;
    CommandHistory m_history;
    // The history entry on top of the undo stack at the last save (0: none). An identity and
    // not a stack size: after Undo and a new command the size is the same, the campaign not.
    uint64_t m_cleanPoint = 0;
    std::function<void(bool)> m_documentModifiedNotifier;
    // Told after every step of the history, before the document.
    struct SHistoryListener
    {
        QPointer<QObject> Owner;
        std::function<void()> Listener;
    };
    std::vector<SHistoryListener> m_historyListeners;

    // Guards the difference-cache pointer, which a worker thread may read.
    mutable std::mutex m_diffsCacheLock;
    std::unique_ptr<CCampaignDiffsCache> m_pDiffsCache;

    bool m_languagesCommand = false;
    int m_batchWaveId = -1;
    bool m_newCampaign = false;
    // The batch run's reconciliation report, whether it was written, and whether writing it
    // failed.
    QString m_batchReport;
    bool m_batchReportWritten = false;
    bool m_batchReportFailed = false;
    std::function<void(const QString&)> m_batchOutput;
    int m_sourceCheckThreads = 0;
    bool m_localOptionsLoaded = false;
    bool m_globalOptionsInUse = true;

    IShellWindow* m_shellWindow = nullptr;
    std::function<std::unique_ptr<CDBAccess>()> m_storageFactory;

    std::unique_ptr<CConsoleWindowServices> m_consoleServices;
    int m_exitCode = 0;
    std::chrono::milliseconds m_startupPause{1000};
    std::chrono::milliseconds m_sourceCheckPause{1000};
    WindowProgram m_windowProgram;

    // Difference options: the global pair kept in the profile, the campaign's local pair.
    CQuestionDiffsOptions m_globalQuestionDiffs;
    CQuestionDiffsOptions m_localQuestionDiffs;
    CModalityDiffsOptions m_globalModalityDiffs;
    CModalityDiffsOptions m_localModalityDiffs;
    // The profile sections as read at start-up, so that exit writes back only changed ones.
    COptionsProfile m_profileAsRead;
    int m_previewPages = 0;
    // The caption libraries as the file holds them after start-up (or after the last write).
    QString m_captionLibrariesAsRead;
    // Frees the caption groups and libraries with the application object.
    struct SCaptionLibrariesOwner
    {
        QList<pelko_wave::CResponseCaptionGroup*>& Groups;
        QList<pelko_wave::CResponseLibrary*>& Libraries;
        ~SCaptionLibrariesOwner();
    };
    SCaptionLibrariesOwner m_captionLibrariesOwner{m_captionGroups, m_captionLibraries};
};

// What LoadCampaign reads a campaign with and what it reports. The campaign and the storage
// object are borrowed: the caller keeps owning both, whatever the result.
struct SLoadCampaignRecord
{
    pelko_wave::CCampaign* Campaign = nullptr; // an empty campaign, filled by the load
    CDBAccess* DBAccess = nullptr;
    QString Path;                    // becomes the storage object's path
    unsigned ProgressTextId = 63543; // "Opening the file"
    int Progress = 0;                // 100 once the load has ended, either way
    bool Result = false;             // whether every read succeeded
    // Whether a failure, and what the reads put right, are shown to the user (not in the
    // headless open, which reports in one line of its own).
    bool ShowMessages = true;
};

// Reads a campaign file through the storage object: Open, then the campaign, languages, waves,
// volumes, questions, question matchings, question classes, versions, question captions,
// responses, response matchings, response captions and mergings. The first failure ends the
// load and (unless the record says otherwise) is shown to the user with the storage object's
// error text (a file that cannot be opened as a campaign at all is named and said to be no Plim
// campaign); what the reads put right in the file is shown after a load that succeeded.
// Returns the result.
bool LoadCampaign(SLoadCampaignRecord& record);
