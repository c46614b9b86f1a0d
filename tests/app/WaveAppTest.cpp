#include "app/WaveApp.h"

#include "platform/ViewState.h"
#include "support/ScriptedWindowServices.h"

#include <gtest/gtest.h>

TEST(WaveApp, InstallsItselfForItsLifetime)
{
    EXPECT_EQ(GetWaveApp(), nullptr);
    {
        CWaveApp app;
        EXPECT_EQ(GetWaveApp(), &app);
        EXPECT_EQ(GetWaveApp()->GetCampaign(), nullptr);
        EXPECT_EQ(GetWaveApp()->GetDiffsCache(), nullptr);
    }
    EXPECT_EQ(GetWaveApp(), nullptr);
}

TEST(WaveApp, FreshObjectHoldsTheDefaultOptions)
{
    const CWaveApp app;
    const CNGramSettings& ngram = app.GetNGramSettings();
    EXPECT_EQ(ngram.GetEnableNGramAnalysis(), 1);
    EXPECT_EQ(ngram.GetNGramLength(), 2);
    EXPECT_EQ(ngram.GetNGramThreshold(), 95);
    EXPECT_EQ(ngram.GetIgnoreWhitespace(), 1);
    EXPECT_EQ(app.GetReconciliationSettings().GetCheckQuesTypeForMatches(), 1);
    const CViewSettings& view = app.GetViewSettings();
    EXPECT_EQ(view.GetCreateReconciliationReport(), 1);
    EXPECT_TRUE(view == CViewSettings());
    EXPECT_EQ(view.GetQuestionGridViewText(), CViewSettings::ViewShortcuts);
    EXPECT_EQ(view.GetViewEntryCodes(), 1);
    EXPECT_EQ(app.GetEnvironmentSettings().GetMRUSize(), 10);
    EXPECT_EQ(app.GetEnvironmentSettings().GetMRUFileNameLength(), 30);
    EXPECT_EQ(app.GetLanguageSettings().GetSourceItems(), 1);
    EXPECT_TRUE(app.GetUserDefinedApps().GetUserDefinedApp1Title().isEmpty());
    EXPECT_TRUE(app.GetCaptionGroups().isEmpty());
    EXPECT_TRUE(app.GetCaptionLibraries().isEmpty());
    EXPECT_FALSE(app.IsBatchRun());
    EXPECT_FALSE(app.IsModified());
    EXPECT_EQ(app.GetBatchWaveId(), -1);
    EXPECT_FALSE(app.IsNewCampaign());
    EXPECT_EQ(app.GetHighestVolumeIdAtLoad(), 999999999);
    EXPECT_FALSE(app.AreLocalOptionsLoaded());
    EXPECT_TRUE(app.AreGlobalOptionsInUse());
}

TEST(WaveApp, SettersReplaceTheRecords)
{
    CWaveApp app;
    CNGramSettings ngram;
    ngram.SetNGramLength(4);
    app.SetNGramSettings(ngram);
    EXPECT_EQ(app.GetNGramSettings().GetNGramLength(), 4);

    CEnvironmentSettings environment;
    environment.SetFindQuestionText(QStringLiteral("brand"));
    app.SetEnvironmentSettings(environment);
    EXPECT_EQ(app.GetEnvironmentSettings().GetFindQuestionText(), QStringLiteral("brand"));
}

TEST(WaveApp, HiddenDifferenceKinds)
{
    const CWaveApp app;
    for (int kind = 0; kind <= 29; ++kind) {
        const bool hidden =
            kind == 0 || kind == 1 || kind == 19 || kind == 20 || kind == 27 || kind == 28;
        EXPECT_EQ(app.IsQuestionDiffKindHidden(kind), hidden) << kind;
        EXPECT_EQ(app.IsQuestionDiffKindHiddenInDialog(kind), hidden || kind == 25 || kind == 26)
            << kind;
    }
    for (int kind = 0; kind <= 12; ++kind) {
        const bool hidden = kind == 0 || kind == 1 || kind == 2 || kind == 4 || kind == 7 ||
                            kind == 10 || kind == 11;
        EXPECT_EQ(app.IsModalityDiffKindHidden(kind), hidden) << kind;
        EXPECT_EQ(app.IsModalityDiffKindHiddenInDialog(kind), hidden) << kind;
        EXPECT_EQ(app.IsResponseDiffKindHidden(kind), hidden) << kind;
    }
}

TEST(WaveApp, CampaignPathAndName)
{
    CWaveApp app;
    EXPECT_TRUE(app.GetCampaignPath().isEmpty());
    EXPECT_TRUE(app.GetCampaignName().isEmpty());
    app.SetCampaignPath(QStringLiteral("/data/studies/brand.tracking.duv"));
    EXPECT_EQ(app.GetCampaignPath(), QStringLiteral("/data/studies/brand.tracking.duv"));
    EXPECT_EQ(app.GetCampaignName(), QStringLiteral("brand.tracking"));
    EXPECT_TRUE(app.GetCampaignFilePath().isEmpty());
}

TEST(WaveApp, PendingSourceCopiesKeepEachVolumeOnce)
{
    CWaveApp app;
    app.AddPendingQuestionSourceCopy(12);
    app.AddPendingQuestionSourceCopy(3);
    app.AddPendingQuestionSourceCopy(12);
    app.AddPendingInterviewSourceCopy(7);
    EXPECT_EQ(app.GetPendingQuestionSourceCopies(), std::set<int>({3, 12}));
    EXPECT_EQ(app.GetPendingInterviewSourceCopies(), std::set<int>({7}));
}

TEST(WaveApp, ModalState)
{
    CWaveApp app;
    EXPECT_FALSE(app.IsModalState());
    app.BeginModalState();
    EXPECT_TRUE(app.IsModalState());
    app.EndModalState();
    EXPECT_FALSE(app.IsModalState());
}

TEST(WaveApp, ViewStateComesFromTheWindowServices)
{
    CScriptedWindowServices windows;
    windows.CurrentView.Page = CViewState::PageReconciliation;
    windows.CurrentView.QuestionId = 42;
    CWaveApp app;
    const std::unique_ptr<CViewState> state = app.CaptureViewState();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(*state, windows.CurrentView);
}

TEST(WaveApp, WrongSwitchEndsStartupWithAnError)
{
    CWaveApp app;
    app.SetStartupPause(std::chrono::milliseconds(0));
    EXPECT_FALSE(
        app.InitInstance({QStringLiteral("/source:/data/a.zoz"), QStringLiteral("-nosuchswitch")}));
    EXPECT_EQ(app.GetExitCode(), 2);
    EXPECT_TRUE(app.GetCmdLineInfo().GetErrorText().startsWith(QStringLiteral("-nosuchswitch:")));
}
