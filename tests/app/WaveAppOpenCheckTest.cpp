// Opening, after the read: the upgrade of an older file and the check of the campaign against
// its sources, with what each outcome shows.

#include "ShellTestSupport.h"

#include "model/CampaignDump.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QFile>

using namespace pelko_wave;
using namespace shell_test;

namespace {

class WaveAppOpenCheck : public CShellTest
{
};

TEST_F(WaveAppOpenCheck, ACleanCampaignOpensWithoutReport)
{
    const QString file = Path("coffee.duv");
    WriteReconciledCampaign(file, SampleCode());
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    EXPECT_EQ(m_windows.ProgressDialogCaptions, QStringList{LoadString(IDS_CHECKING_VALIDITY)});
    EXPECT_EQ(m_windows.ProgressDialogCancelAllowed, std::vector<bool>{true});
    EXPECT_EQ(m_windows.ProgressDialogTexts,
              (QStringList{LoadString(IDS_COMPARING), LoadString(IDS_CHECKING_COMPLETED)}));
    EXPECT_TRUE(m_windows.Reports.empty());
    EXPECT_EQ(m_shell.Calls, (QStringList{"open " + file, "views", "path " + file}));
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << qPrintable(m_windows.Prompts.join('\n'));
}

TEST_F(WaveAppOpenCheck, MissingSourcesAreReportedAndTheCampaignStaysOpen)
{
    const QString file = Path("coffee.duv");
    WriteReconciledCampaign(file, SampleCode());
    const QString source = MakeCampaign()->FindVolume(3)->GetMetaData().SourceString;
    ASSERT_TRUE(QFile::remove(source));
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    ASSERT_EQ(m_windows.Reports.size(), 1u);
    EXPECT_EQ(m_windows.Reports[0].Title, LoadString(IDS_SOURCE_FILE_PROBLEMS));
    EXPECT_EQ(m_windows.Reports[0].Kind, REPORT_SOURCE_FILES);
    EXPECT_TRUE(m_windows.Reports[0].Html.contains(QStringLiteral("Volume 3")));
    EXPECT_TRUE(m_windows.ProgressDialogTexts.contains(LoadString(IDS_BUILDING_REPORT)));
    EXPECT_FALSE(m_shell.Calls.contains("validation"));
    EXPECT_EQ(m_app.GetCampaignPath(), file);
    EXPECT_TRUE(m_shell.Calls.contains("path " + file));
}

TEST_F(WaveAppOpenCheck, MatchingProblemsGoToTheValidationDialog)
{
    const QString file = Path("coffee.duv");
    // A matching to a source question that no longer exists.
    WriteReconciledCampaign(file, QStringLiteral("987654"));
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    EXPECT_TRUE(m_windows.Reports.empty());
    ASSERT_TRUE(m_shell.Calls.contains("validation"));
    EXPECT_EQ(m_shell.ValidationLists.InvalidQuestionMatches.count(11), 1u);
    EXPECT_FALSE(m_shell.ValidationReport.isEmpty());
    EXPECT_FALSE(m_app.IsModalState());
}

TEST_F(WaveAppOpenCheck, ACancelledCheckShowsNothing)
{
    const QString file = Path("coffee.duv");
    WriteReconciledCampaign(file, QStringLiteral("987654"));
    m_windows.CancelProgressAfterTexts = 1;
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    EXPECT_TRUE(m_windows.Reports.empty());
    EXPECT_FALSE(m_shell.Calls.contains("validation"));
    EXPECT_EQ(m_windows.ProgressDialogTexts.value(m_windows.ProgressDialogTexts.size() - 1),
              LoadString(IDS_CHECKING_CANCELLED));
    EXPECT_EQ(m_app.GetCampaignPath(), file);
}

} // namespace
