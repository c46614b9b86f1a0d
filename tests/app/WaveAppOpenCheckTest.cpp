// Opening, after the read: the upgrade of an older file and the check of the campaign against
// its sources, with what each outcome shows.

#include "ShellTestSupport.h"

#include "model/CampaignDump.h"
#include "model/RecordMakers.h"
#include "platform/FormatString.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringTable.h"

#include <QFile>

using namespace pelko_wave;
using namespace shell_test;

namespace {

constexpr unsigned IDS_SOURCE_FILE_PROBLEMS = 63414;
constexpr unsigned IDS_CHECKING_VALIDITY = 63443;
constexpr unsigned IDS_CHECKING_COMPLETED = 63540;
constexpr unsigned IDS_BUILDING_REPORT = 63541;
constexpr unsigned IDS_CHECKING_CANCELLED = 63547;
constexpr unsigned IDS_COMPARING = 63553;

class WaveAppOpenCheck : public CShellTest
{
protected:
    // The fixture's campaign, its volumes reconciled, with a matching of question 11 to the
    // source question of code `sourceCode` in volume 1, written at the path.
    void WriteReconciledCampaign(const QString& path, const QString& sourceCode,
                                 const QString& version = QString())
    {
        std::unique_ptr<CCampaign> campaign = MakeCampaign();
        if (!version.isEmpty())
            campaign->SetVersionNumber(version);
        for (int id = 1; id <= 4; ++id)
            campaign->FindVolume(id)->SetStatus(VOLUME_RECONCILED);
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(11);
        question->SetOrder(1);
        question->SetShortcut(QStringLiteral("Q11"));
        question->SetElementType(1);
        question->SetQuestionType(1);
        question->SetDeletionWaveId(NO_WAVE_ID);
        question->SetAppearanceVolumeId(1);
        question->SetLinkQuestionId(-1);
        question->SetQuestionClassId(-1);
        campaign->InsertQuestion(std::move(question));
        CVolume& volume = *campaign->FindVolume(1);
        auto matching = MakeQuestionMatching(11, sourceCode, volume);
        matching->SetStartVolumeId(1);
        matching->SetEndVolumeId(1);
        volume.AddQuestionMatching(std::move(matching));
        WriteCampaignFile(*campaign, path);
    }
    // The code of a question of the first sample wave, which every volume of wave 1 has.
    QString SampleCode()
    {
        qnr::CQuestionnaire questionnaire;
        EXPECT_TRUE(
            questionnaire.Read(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.zoz"), {}, 0, 1033));
        return QString::number(questionnaire.GetQuestion(1)->GetCodeQuestion());
    }
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
