#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// The narrow view of the application object that the model, the engine and the commands use.
// CWaveApp implements it; the libraries below the application reach "the application" only
// through this interface, so that they depend one way only. Tests install their own.

namespace pelko_wave {
class CCampaign;
class CResponseCaptionGroup;
class CResponseLibrary;
} // namespace pelko_wave

class CLanguageSettings;
class CViewSettings;
class CNGramSettings;
class CReconciliationSettings;
class CEnvironmentSettings;
class CUserDefinedApp;
class CQuestionDiffsOptions;
class CModalityDiffsOptions;
class CCampaignDiffsCache;
class CWaveCmdLineInfo;
class CVersionInfo;
class CViewState;
class CCmdVirtual;
struct CCmdCallBacks;
struct CCmdPreCallBacks;
class QObject;
struct GUID;

class IWaveApp
{
public:
    virtual ~IWaveApp() = default;

    // Campaign state.
    virtual pelko_wave::CCampaign* GetCampaign() const = 0;
    virtual QString GetCampaignPath() const = 0;
    virtual void SetCampaignPath(const QString& path) = 0;
    virtual QString GetCampaignFilePath() const = 0;
    virtual QString GetCampaignDataFolder() = 0;
    virtual CCampaignDiffsCache* GetDiffsCache() const = 0;

    // Option records in force.
    virtual const CLanguageSettings& GetLanguageSettings() const = 0;
    virtual const CViewSettings& GetViewSettings() const = 0;
    virtual const CNGramSettings& GetNGramSettings() const = 0;
    virtual const CReconciliationSettings& GetReconciliationSettings() const = 0;
    virtual const CEnvironmentSettings& GetEnvironmentSettings() const = 0;
    virtual const CUserDefinedApp& GetUserDefinedApps() const = 0;
    virtual const CQuestionDiffsOptions& GetQuestionDiffsOptions() const = 0;
    virtual const CModalityDiffsOptions& GetModalityDiffsOptions() const = 0;

    // The fixed sets of difference kinds that are never shown.
    virtual bool IsQuestionDiffKindHidden(int kind) const = 0;
    virtual bool IsModalityDiffKindHidden(int kind) const = 0;
    virtual bool IsQuestionDiffKindHiddenInDialog(int kind) const = 0;
    virtual bool IsModalityDiffKindHiddenInDialog(int kind) const = 0;

    // The response caption libraries (owned by the application).
    virtual const QList<pelko_wave::CResponseCaptionGroup*>& GetCaptionGroups() const = 0;
    virtual const QList<pelko_wave::CResponseLibrary*>& GetCaptionLibraries() const = 0;
    // The same lists for the caption-library functions that replace their contents
    // (SetCaptionLibraries); the application keeps owning what they hold. By default the lists
    // that the two getters above give.
    virtual QList<pelko_wave::CResponseCaptionGroup*>& GetCaptionGroupsToEdit()
    {
        return const_cast<QList<pelko_wave::CResponseCaptionGroup*>&>(GetCaptionGroups());
    }
    virtual QList<pelko_wave::CResponseLibrary*>& GetCaptionLibrariesToEdit()
    {
        return const_cast<QList<pelko_wave::CResponseLibrary*>&>(GetCaptionLibraries());
    }

    // Source files of new volumes to be copied into the data folder on the next save.
    virtual void AddPendingQuestionSourceCopy(int volumeId) = 0;
    virtual void AddPendingInterviewSourceCopy(int volumeId) = 0;

    // The parsed command line, and whether this process is a windowless batch run.
    virtual CWaveCmdLineInfo& GetCmdLineInfo() = 0;
    virtual bool IsBatchRun() const = 0;

    // The program's own version information (its language id is given to every questionnaire
    // read).
    virtual const CVersionInfo& GetVersionInfo() const = 0;

    // Runs a command through the history. On success the history owns the command (the pointer
    // is released); on failure it stays with the caller, holding its error text.
    virtual bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command,
                                const CCmdCallBacks& callBacks,
                                const CCmdPreCallBacks* preCallBacks,
                                std::unique_ptr<CViewState> viewState, bool setModified) = 0;
    virtual std::unique_ptr<CViewState> CaptureViewState() = 0;
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;
    // Takes back for good the newest done entries that carry the group id, newest first, each
    // with its callbacks as by Undo: a step that its issuer could not complete leaves the
    // campaign and the history as before it, with nothing to redo. False when one could not be
    // taken back: the group is then left whole, as it was done.
    virtual bool TakeBackGroup(const GUID& groupId) = 0;
    // Has the listener called after every step of the history (a command executed, a step
    // undone, redone or dropped), on the owner's thread, for as long as the owner lives. An
    // application without a history calls nobody.
    virtual void AddHistoryListener(QObject* /*owner*/, std::function<void()> /*listener*/) {}
};

// The process's application object; null until one is installed.
IWaveApp* GetWaveApp();
// Installs the application object (not owned) or, with null, removes it.
void SetWaveApp(IWaveApp* app);
