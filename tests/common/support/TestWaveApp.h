#pragma once

// The application as the model and engine tests see it: a campaign, the option records, the
// command-line record, the caption libraries and the version information, all open to the test.
// Header-only: include it from a test folder that links plim_model.

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
#include <set>

// Installs itself for its lifetime (the application it replaced comes back when it goes) and
// starts each test with the current campaign and questionnaire languages at 0.
class CTestWaveApp : public IWaveApp
{
public:
    CTestWaveApp()
        : m_previous(GetWaveApp()), m_ownCampaign(std::make_unique<pelko_wave::CCampaign>())
    {
        Campaign = m_ownCampaign.get();
        SetWaveApp(this);
        SetCurrentLanguageId(0);
        SetCurrentQuestionnaireLanguage(0);
    }
    ~CTestWaveApp() override
    {
        if (GetWaveApp() == this)
            SetWaveApp(m_previous);
        pelko_wave::FreeCaptionLibraries(Groups, Libraries);
    }
    CTestWaveApp(const CTestWaveApp&) = delete;
    CTestWaveApp& operator=(const CTestWaveApp&) = delete;

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
    const CEnvironmentSettings& GetEnvironmentSettings() const override
    {
        return EnvironmentSettings;
    }
    const CUserDefinedApp& GetUserDefinedApps() const override { return UserDefinedApps; }
    // Neither the model nor the engine asks for the difference options.
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

    void AddPendingQuestionSourceCopy(int volumeId) override
    {
        PendingQuestionCopies.insert(volumeId);
    }
    void AddPendingInterviewSourceCopy(int volumeId) override
    {
        PendingInterviewCopies.insert(volumeId);
    }

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
    bool TakeBackGroup(const GUID&) override { return false; }

    // The application's campaign: an empty one of its own, unless the test points it at one of
    // its own (borrowed).
    pelko_wave::CCampaign* Campaign = nullptr;
    QString CampaignPath;
    CLanguageSettings LanguageSettings;
    CViewSettings ViewSettings;
    CNGramSettings NGramSettings;
    CReconciliationSettings ReconciliationSettings;
    CEnvironmentSettings EnvironmentSettings;
    CUserDefinedApp UserDefinedApps;
    // Caption groups and libraries: the application owns what the lists hold.
    QList<pelko_wave::CResponseCaptionGroup*> Groups;
    QList<pelko_wave::CResponseLibrary*> Libraries;
    std::set<int> PendingQuestionCopies;
    std::set<int> PendingInterviewCopies;
    CWaveCmdLineInfo CmdLineInfo;
    CVersionInfo VersionInfo;

private:
    IWaveApp* m_previous;
    std::unique_ptr<pelko_wave::CCampaign> m_ownCampaign;
};
