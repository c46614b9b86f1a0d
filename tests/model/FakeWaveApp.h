#pragma once

#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/ViewState.h"
#include "platform/VersionInfo.h"
#include "platform/WaveCmdLineInfo.h"

#include <QList>
#include <set>

// The application as the model tests see it: a campaign, caption libraries, option records and
// the program's version information. Installs itself for its lifetime.
class CFakeWaveApp : public IWaveApp
{
public:
    CFakeWaveApp() { SetWaveApp(this); }
    ~CFakeWaveApp() override
    {
        SetWaveApp(nullptr);
        pelko_wave::FreeCaptionLibraries(Groups, Libraries);
    }

    pelko_wave::CCampaign* GetCampaign() const override { return Campaign; }
    QString GetCampaignPath() const override { return CampaignPath; }
    void SetCampaignPath(const QString& path) override { CampaignPath = path; }
    QString GetCampaignFilePath() const override { return CampaignPath; }
    QString GetCampaignDataFolder() override { return QString(); }
    CCampaignDiffsCache* GetDiffsCache() const override { return nullptr; }

    const CLanguageSettings& GetLanguageSettings() const override { return LanguageSettings; }
    const CViewSettings& GetViewSettings() const override { return ViewSettings; }
    const CNGramSettings& GetNGramSettings() const override { return NGramSettings; }
    const CReconciliationSettings& GetReconciliationSettings() const override
    {
        return ReconciliationSettings;
    }
    const CEnvironmentSettings& GetEnvironmentSettings() const override { return EnvironmentSettings; }
    const CUserDefinedApp& GetUserDefinedApps() const override { return UserDefinedApps; }
    // The model never asks for the difference options.
    const CQuestionDiffsOptions& GetQuestionDiffsOptions() const override { Unexpected(); }
    const CModalityDiffsOptions& GetModalityDiffsOptions() const override { Unexpected(); }

    bool IsQuestionDiffKindHidden(int) const override { return false; }
    bool IsModalityDiffKindHidden(int) const override { return false; }
    bool IsQuestionDiffKindHiddenInDialog(int) const override { return false; }
    bool IsModalityDiffKindHiddenInDialog(int) const override { return false; }

    const QList<pelko_wave::CResponseCaptionGroup*>& GetCaptionGroups() const override { return Groups; }
    const QList<pelko_wave::CResponseLibrary*>& GetCaptionLibraries() const override { return Libraries; }

    void AddPendingQuestionSourceCopy(int volumeId) override { PendingQuestionCopies.insert(volumeId); }
    void AddPendingInterviewSourceCopy(int volumeId) override { PendingInterviewCopies.insert(volumeId); }

    CWaveCmdLineInfo& GetCmdLineInfo() override { return CmdLineInfo; }
    bool IsBatchRun() const override { return false; }
    const CVersionInfo& GetVersionInfo() const override { return VersionInfo; }

    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>&, const CCmdCallBacks&,
                        const CCmdPreCallBacks*, std::unique_ptr<CViewState>, bool) override
    {
        return false;
    }
    std::unique_ptr<CViewState> CaptureViewState() override { return nullptr; }
    bool Undo() override { return false; }
    bool Redo() override { return false; }

    pelko_wave::CCampaign* Campaign = nullptr;
    QString CampaignPath;
    CLanguageSettings LanguageSettings;
    CViewSettings ViewSettings;
    CNGramSettings NGramSettings;
    CReconciliationSettings ReconciliationSettings;
    CEnvironmentSettings EnvironmentSettings;
    CUserDefinedApp UserDefinedApps;
    QList<pelko_wave::CResponseCaptionGroup*> Groups;
    QList<pelko_wave::CResponseLibrary*> Libraries;
    std::set<int> PendingQuestionCopies;
    std::set<int> PendingInterviewCopies;
    CWaveCmdLineInfo CmdLineInfo;
    CVersionInfo VersionInfo;

private:
    [[noreturn]] static void Unexpected() { std::abort(); }
};
