#pragma once

#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/VersionInfo.h"
#include "platform/ViewState.h"
#include "platform/WaveCmdLineInfo.h"

#include <QList>
#include <cstdlib>
#include <memory>

// The application as the engine tests see it: it owns a campaign, the option records, the
// command-line record and the caption libraries. Installs itself for its lifetime; the current
// languages start at 0 for each test.
class CEngineTestApp : public IWaveApp
{
public:
    CEngineTestApp() : Campaign(std::make_unique<pelko_wave::CCampaign>())
    {
        SetWaveApp(this);
        SetCurrentLanguageId(0);
        SetCurrentQuestionnaireLanguage(0);
    }
    ~CEngineTestApp() override
    {
        SetWaveApp(nullptr);
        pelko_wave::FreeCaptionLibraries(Groups, Libraries);
    }

    pelko_wave::CCampaign* GetCampaign() const override { return Campaign.get(); }
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
    const CEnvironmentSettings& GetEnvironmentSettings() const override
    {
        return EnvironmentSettings;
    }
    const CUserDefinedApp& GetUserDefinedApps() const override { return UserDefinedApps; }
    // The engine never asks for the difference options.
    const CQuestionDiffsOptions& GetQuestionDiffsOptions() const override { std::abort(); }
    const CModalityDiffsOptions& GetModalityDiffsOptions() const override { std::abort(); }
    bool IsQuestionDiffKindHidden(int) const override { return false; }
    bool IsModalityDiffKindHidden(int) const override { return false; }
    bool IsQuestionDiffKindHiddenInDialog(int) const override { return false; }
    bool IsModalityDiffKindHiddenInDialog(int) const override { return false; }

    const QList<pelko_wave::CResponseCaptionGroup*>& GetCaptionGroups() const override
    {
        return Groups;
    }
    const QList<pelko_wave::CResponseLibrary*>& GetCaptionLibraries() const override
    {
        return Libraries;
    }
    void AddPendingQuestionSourceCopy(int) override {}
    void AddPendingInterviewSourceCopy(int) override {}

    CWaveCmdLineInfo& GetCmdLineInfo() override { return CmdLineInfo; }
    bool IsBatchRun() const override { return CmdLineInfo.IsBatchRun(); }
    const CVersionInfo& GetVersionInfo() const override { return VersionInfo; }

    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>&, const CCmdCallBacks&,
                        const CCmdPreCallBacks*, std::unique_ptr<CViewState>, bool) override
    {
        return false;
    }
    std::unique_ptr<CViewState> CaptureViewState() override { return nullptr; }
    bool Undo() override { return false; }
    bool Redo() override { return false; }

    std::unique_ptr<pelko_wave::CCampaign> Campaign;
    QString CampaignPath;
    CLanguageSettings LanguageSettings;
    CViewSettings ViewSettings;
    CNGramSettings NGramSettings;
    CReconciliationSettings ReconciliationSettings;
    CEnvironmentSettings EnvironmentSettings;
    CUserDefinedApp UserDefinedApps;
    QList<pelko_wave::CResponseCaptionGroup*> Groups;
    QList<pelko_wave::CResponseLibrary*> Libraries;
    CWaveCmdLineInfo CmdLineInfo;
    CVersionInfo VersionInfo;
};
