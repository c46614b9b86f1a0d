#include "app/WaveApp.h"

#include "TempUserFolders.h"
#include "app/OptionFiles.h"
#include "model/Campaign.h"
#include "reconcile/DiffsOptions.h"
#include "storage/DBAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class WaveAppOptions : public ::testing::Test
{
protected:
    CTempUserFolders m_folders;
};

} // namespace

TEST_F(WaveAppOptions, StartUpWithAnEmptyProfile)
{
    CWaveApp app;
    app.LoadOptions();
    EXPECT_EQ(app.GetNGramSettings().GetNGramLength(), 2);
    EXPECT_EQ(app.GetEnvironmentSettings().GetMRUSize(), 10);
    for (int kind : GetStoredQuestionDiffKinds())
        EXPECT_TRUE(app.GetQuestionDiffsOptions().IsEnabled(kind)) << kind;
    for (int kind : GetStoredModalityDiffKinds())
        EXPECT_TRUE(app.GetModalityDiffsOptions().IsEnabled(kind)) << kind;
    // The local sets equal the global ones until a campaign brings its own.
    const CQuestionDiffsOptions global = app.GetQuestionDiffsOptions();
    app.UseLocalOptions();
    EXPECT_TRUE(app.GetQuestionDiffsOptions() == global);

    // Nothing changed, so exit writes nothing.
    app.SaveOptionsAtExit();
    EXPECT_FALSE(QFile::exists(m_folders.ProfilePath()));
}

TEST_F(WaveAppOptions, ChangedOptionsSurviveExitAndStartUp)
{
    {
        CWaveApp app;
        app.LoadOptions();
        CNGramSettings ngram = app.GetNGramSettings();
        ngram.SetNGramThreshold(85);
        app.SetNGramSettings(ngram);
        CQuestionDiffsOptions questions = app.GetQuestionDiffsOptions();
        questions.SetEnabled(23, false);
        app.SetQuestionDiffsOptions(questions);
        CUserDefinedApp apps;
        apps.SetUserDefinedApp1Title(QStringLiteral("Éditeur & \"co\""));
        app.SetUserDefinedApps(apps);
        app.SetPreviewPages(2);
        app.SaveOptionsAtExit();
    }
    QSettings profile(m_folders.ProfilePath(), QSettings::NativeFormat);
    const QStringList groups = profile.childGroups();
    EXPECT_EQ(groups,
              (QStringList{"NGram", "QuestionDifferences", "Settings", "UserDefinedAppsOptions"}));

    CWaveApp app;
    app.LoadOptions();
    EXPECT_EQ(app.GetNGramSettings().GetNGramThreshold(), 85);
    EXPECT_FALSE(app.GetQuestionDiffsOptions().IsEnabled(23));
    EXPECT_TRUE(app.GetQuestionDiffsOptions().IsEnabled(24));
    EXPECT_EQ(app.GetUserDefinedApps().GetUserDefinedApp1Title(), "Éditeur & \"co\"");
    EXPECT_EQ(app.GetPreviewPages(), 2);
}

TEST_F(WaveAppOptions, TheSetterChangesThePairInForce)
{
    CWaveApp app;
    app.LoadOptions();
    app.SetOptionMode(true, false);
    CModalityDiffsOptions local;
    local.SetEnabled(3, false);
    app.SetModalityDiffsOptions(local);
    EXPECT_FALSE(app.GetModalityDiffsOptions().IsEnabled(3));

    EXPECT_TRUE(app.UseGlobalOptions());
    EXPECT_FALSE(app.UseGlobalOptions());
    EXPECT_TRUE(app.GetModalityDiffsOptions().IsEnabled(3));
    EXPECT_TRUE(app.UseLocalOptions());
    EXPECT_FALSE(app.UseLocalOptions());
    EXPECT_FALSE(app.GetModalityDiffsOptions().IsEnabled(3));

    // The global set was untouched, so the profile is not written.
    app.SaveOptionsAtExit();
    EXPECT_FALSE(QFile::exists(m_folders.ProfilePath()));
}

TEST_F(WaveAppOptions, LocalOptionsFileBesideTheCampaign)
{
    const QString campaign = m_folders.FilePath(QStringLiteral("Study.duv"));
    const QString localFile = m_folders.FilePath(QStringLiteral("PlimLocalOptions.xml"));

    CWaveApp app;
    app.LoadOptions();
    EXPECT_FALSE(app.SaveLocalOptions()); // no campaign path yet
    app.SetCampaignPath(campaign);
    EXPECT_FALSE(app.LoadDiffsOptions()); // no file yet

    // Not written while the global options are in force or no local options were loaded.
    EXPECT_FALSE(app.SaveLocalOptionsIfUsed());
    app.SetOptionMode(false, false);
    EXPECT_FALSE(app.SaveLocalOptionsIfUsed());
    EXPECT_FALSE(QFile::exists(localFile));

    app.SetOptionMode(true, false);
    CQuestionDiffsOptions questions = app.GetQuestionDiffsOptions();
    questions.SetEnabled(11, false);
    app.SetQuestionDiffsOptions(questions);
    EXPECT_TRUE(app.SaveLocalOptionsIfUsed());
    EXPECT_TRUE(QFile::exists(localFile));

    // Another session opens the campaign and finds its local options.
    CWaveApp reopened;
    reopened.LoadOptions();
    reopened.SetCampaignPath(campaign);
    const bool loaded = reopened.LoadDiffsOptions();
    EXPECT_TRUE(loaded);
    reopened.SetOptionMode(loaded, !loaded);
    EXPECT_FALSE(reopened.GetQuestionDiffsOptions().IsEnabled(11));
    EXPECT_TRUE(reopened.UseGlobalOptions());
    EXPECT_TRUE(reopened.GetQuestionDiffsOptions().IsEnabled(11));

    // The export writes the sets in force.
    const QString exported = m_folders.FilePath(QStringLiteral("exported.xml"));
    EXPECT_TRUE(reopened.SaveDiffsOptions(exported));
    CQuestionDiffsOptions readBack;
    CModalityDiffsOptions readResponses;
    ASSERT_TRUE(LoadDiffsOptionsFile(exported, readBack, readResponses));
    EXPECT_TRUE(readBack.IsEnabled(11));
}

TEST_F(WaveAppOptions, ExitFreesTheCampaignAndWritesWhatChanged)
{
    CWaveApp app;
    app.LoadOptions();
    app.CreateCampaignObjects(nullptr, nullptr);
    CNGramSettings ngram = app.GetNGramSettings();
    ngram.SetNGramLength(3);
    app.SetNGramSettings(ngram);

    EXPECT_EQ(app.ExitInstance(), app.GetExitCode());
    EXPECT_EQ(app.GetCampaign(), nullptr);
    EXPECT_EQ(app.GetDBAccess(), nullptr);
    QSettings profile(m_folders.ProfilePath(), QSettings::NativeFormat);
    EXPECT_EQ(profile.value(QStringLiteral("NGram/NGramLength")).toInt(), 3);
    EXPECT_FALSE(profile.childGroups().contains(QStringLiteral("ViewOptions")));
}
