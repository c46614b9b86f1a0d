#include "ViewTestSupport.h"

#include "commands/CommandHistory.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/SampleCampaign.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/RightReconciliationPage.h"

#include <QTemporaryDir>

using namespace pelko_wave;

// The reconciliation page's commands on the sample campaign: the three sample waves reconciled
// through the application's commands, saved and opened again.
class ReconPageSampleTest : public ::testing::Test
{
protected:
    ReconPageSampleTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        QString error;
        built = sample_campaign::BuildSampleCampaign(app, folder.filePath("sample.duv"), error);
        EXPECT_TRUE(built) << qPrintable(error);
        page.resize(1000, 600);
        page.show();
    }

    CCampaign& Campaign() { return *app.GetCampaign(); }
    std::vector<const CModality*> ResponsesOf(const QString& shortcut)
    {
        for (int q = 0; q < Campaign().GetQuestionCount(); ++q) {
            const CQuestion* question = Campaign().GetQuestion(q);
            if (question->GetShortcut() == shortcut)
                return {question->GetModalities().begin(), question->GetModalities().end()};
        }
        return {};
    }
    QString Caption(const CModality& response)
    {
        return response.GetShortCaption(Campaign().GetDefaultLanguageId());
    }
    // The captions of the question's responses removed as of the wave.
    QStringList RemovedResponses(const QString& shortcut, int waveId)
    {
        QStringList captions;
        for (const CModality* response : ResponsesOf(shortcut))
            if (response->IsDeleted() && response->GetDeletionWaveId() == waveId)
                captions << Caption(*response);
        return captions;
    }
    int Response(const QString& shortcut, const QString& caption)
    {
        for (const CModality* response : ResponsesOf(shortcut))
            if (Caption(*response) == caption)
                return response->GetModalityId();
        return -1;
    }

    // A library that keeps the campaign's income bands of D2 for those wave 3 regroups them
    // into.
    void InstallIncomeLibrary()
    {
        QList<CResponseCaptionGroup*> groups;
        QList<CResponseLibrary*> libraries;
        auto* library = new CResponseLibrary(QStringLiteral("Income bands"));
        const auto group = [&](const QString& base, const QStringList& others) {
            auto* made = new CResponseCaptionGroup(base);
            for (const QString& text : QStringList(base) + others) {
                CResponseCaption* caption =
                    made->AddCaption(std::make_unique<CResponseCaption>(text, made));
                if (text == base)
                    made->SetBaseLabelId(caption->GetGuid());
                library->SetCaptionState(caption, 1);
            }
            library->AddGroup(made);
            groups << made;
        };
        group(QStringLiteral("Under 20,000"), {QStringLiteral("Under 30,000")});
        group(QStringLiteral("50,000 or more"), {QStringLiteral("30,000 or more")});
        libraries << library;
        SetCaptionLibraries(groups, libraries);
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CScriptedViewDialogs dialogs;
    CWaveApp app;
    bool built = false;
    CRightReconciliationPage page;
};

TEST_F(ReconPageSampleTest, ApplyingACaptionLibraryAndUndoingItGivesTheCampaignBack)
{
    ASSERT_TRUE(built);
    InstallIncomeLibrary();

    const int waveId = Campaign().GetWave(2)->GetWaveId();
    ASSERT_TRUE(page.LoadWave(waveId));
    const QString before = DumpCampaign(Campaign());
    dialogs.QueueResults({IDOK});
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(RemovedResponses(QStringLiteral("D2"), waveId),
              QStringList({"Under 30,000", "30,000 or more"}));
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join(u'\n'));
    // The kept band takes the new band's source response in the wave.
    const CVolume* volume = Campaign().GetWave(2)->GetVolume(0);
    EXPECT_TRUE(volume->FindModalityMatchingInherited(
        Response(QStringLiteral("D2"), QStringLiteral("Under 20,000")), volume->GetVolumeId()));

    // The campaign was opened with an empty history: the step is all there is to undo.
    CommandHistory& history = app.GetCommandHistory();
    EXPECT_EQ(history.GetUndoCount(), 2 + 2);
    while (history.CanUndo() && app.Undo()) {
    }
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    EXPECT_TRUE(RemovedResponses(QStringLiteral("D2"), waveId).isEmpty());
}

TEST_F(ReconPageSampleTest, MergingTwoResponsesThenApplyingALibraryUndoesToTheStart)
{
    ASSERT_TRUE(built);
    InstallIncomeLibrary();
    const int waveId = Campaign().GetWave(2)->GetWaveId();
    ASSERT_TRUE(page.LoadWave(waveId));
    const QString before = DumpCampaign(Campaign());

    // In wave 3, East merged into North by the merge pick mode.
    const CQuestion* region = nullptr;
    for (int q = 0; q < Campaign().GetQuestionCount() && !region; ++q)
        if (Campaign().GetQuestion(q)->GetShortcut() == QStringLiteral("S3"))
            region = Campaign().GetQuestion(q);
    ASSERT_TRUE(region);
    page.SelectCampaignQuestion(region->GetQuestionId());
    const int east = Response(QStringLiteral("S3"), QStringLiteral("East"));
    const int north = Response(QStringLiteral("S3"), QStringLiteral("North"));
    const int eastRow = page.GetResponseRows().GetFirstRow(east);
    const int northRow = page.GetResponseRows().GetFirstRow(north);
    ASSERT_GE(eastRow, CRightReconciliationPage::kFixedRows);
    ASSERT_GE(northRow, CRightReconciliationPage::kFixedRows);
    page.SelectResponseRow(eastRow, CRightReconciliationPage::RColCaption);
    page.OnCommand(ID_RESPONSE_MERGE);
    windows.QueueAnswers({IDYES});
    page.OnResponseGridClick(northRow, CRightReconciliationPage::RColCaption);
    ASSERT_EQ(windows.Prompts.size(), 1) << qPrintable(windows.Prompts.join(u'\n'));
    const CVolume* volume = Campaign().GetWave(2)->GetVolume(0);
    EXPECT_EQ(Campaign().GetMergeMaster(east, volume->GetVolumeId()), north);
    EXPECT_EQ(Campaign().GetModalityById(east)->GetDeletionWaveId(), waveId);

    // Then the library, as one more step.
    dialogs.QueueResults({IDOK});
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(RemovedResponses(QStringLiteral("D2"), waveId),
              QStringList({"Under 30,000", "30,000 or more"}));
    EXPECT_EQ(windows.Prompts.size(), 1);

    CommandHistory& history = app.GetCommandHistory();
    while (history.CanUndo() && app.Undo()) {
    }
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    EXPECT_EQ(Campaign().GetMergeMaster(east, volume->GetVolumeId()), -1);
}
