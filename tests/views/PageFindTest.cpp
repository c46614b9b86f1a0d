#include "ReconPageTestSupport.h"

#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "res/CommandIds.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 with the volumes 1 "Online" and 2 "Phone". Rows of the question grid:
//   AGE    | AGE (code 1)    | Online
//   AGE    | AGE (code 1)    | Phone
//   REGION | REGION (code 2) | Online
//   SPARE  | Not matched
//   Not matched | EXTRA (code 9) | Online
//   Not matched | EXTRA (code 9) | Phone
class PageFindTest : public CReconPageTest
{
protected:
    PageFindTest()
    {
        CWave* wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        CVolume* online =
            view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        CVolume* phone =
            view_test::AddVolume(Campaign(), *wave, 2, QStringLiteral("Phone"), VOLUME_RECONCILED);
        AddQuestion(Campaign(), 10, 1, "AGE", "Age", 1, 5);
        AddQuestion(Campaign(), 11, 2, "REGION", "Region", 1, 5);
        AddQuestion(Campaign(), 12, 3, "SPARE", "Spare", 1, 5);
        for (CVolume* volume : {online, phone}) {
            AddSourceQuestion(*volume, 1, "AGE", "Age", 5);
            MatchQuestion(*volume, 10, 1);
        }
        AddSourceQuestion(*online, 2, "REGION", "Region", 5);
        MatchQuestion(*online, 11, 2);
        extraOnline = AddSourceQuestion(*online, 9, "EXTRA", "Extra", 5);
        extraPhone = AddSourceQuestion(*phone, 9, "EXTRA", "Extra", 5);
        EXPECT_TRUE(page.LoadWave(1));
        // The search starts away from the rows it finds.
        page.SelectQuestionRow(kFirst + 3, Page::QColShortcut);
    }

    CCellID Focus() const { return page.GetQuestionGrid()->GetFocusCell(); }

    CScriptedViewDialogs dialogs;
    const qnr::CQuestion* extraOnline = nullptr;
    const qnr::CQuestion* extraPhone = nullptr;
};

TEST_F(PageFindTest, TheDialogSearchesTheCampaignQuestionsAndSourceRowsOfThePage)
{
    page.OnCommand(ID_FIND_QUESTION);
    ASSERT_EQ(dialogs.Calls, QStringList({"FindQuestionDlg"}));
    EXPECT_TRUE(dialogs.CalledModal[0]);
    const SFindQuestionRequest& request = dialogs.FindQuestionRequests[0];
    EXPECT_EQ(request.WaveId, 1);
    EXPECT_EQ(request.CampaignQuestionIds, std::set<int>({10, 11, 12}));
    QStringList sources;
    for (const SFindQuestionSource& source : request.SourceQuestions)
        sources << QStringLiteral("%1:%2:%3")
                       .arg(source.VolumeId)
                       .arg(source.SourceId, source.Question ? source.Question->GetShortcut()
                                                             : QStringLiteral("null"));
    EXPECT_EQ(sources, QStringList({"1:1:AGE", "2:1:AGE", "1:2:REGION", "1:9:EXTRA", "2:9:EXTRA"}));
    EXPECT_EQ(request.SourceQuestions[3].Question, extraOnline);
    EXPECT_EQ(request.SourceQuestions[4].Question, extraPhone);
    // Cancelled: the selection stays.
    EXPECT_EQ(Focus(), CCellID(kFirst + 3, Page::QColShortcut));
}

TEST_F(PageFindTest, GoToSelectsTheChosenQuestionsRow)
{
    const struct
    {
        SFindQuestionChoice Choice;
        CCellID Selected;
    } cases[] = {
        // A campaign question: its first row, on the campaign shortcut.
        {{true, 11, {}, -1}, {kFirst + 2, Page::QColShortcut}},
        {{true, 10, {}, -1}, {kFirst, Page::QColShortcut}},
        // A source question: its row in the chosen volume, on the source shortcut.
        {{false, -1, "1", 2}, {kFirst + 1, Page::QColSourceShortcut}},
        {{false, -1, "9", 2}, {kFirst + 5, Page::QColSourceShortcut}},
        {{false, -1, "9", 1}, {kFirst + 4, Page::QColSourceShortcut}},
        // Nothing to go to: a source question of no row in that volume, no campaign question.
        {{false, -1, "2", 2}, {kFirst + 3, Page::QColShortcut}},
        {{true, -1, {}, -1}, {kFirst + 3, Page::QColShortcut}},
    };
    for (const auto& test : cases) {
        page.SelectQuestionRow(kFirst + 3, Page::QColShortcut);
        dialogs.QueueResults({IDOK});
        dialogs.FindQuestionAnswer = test.Choice;
        page.OnCommand(ID_FIND_QUESTION);
        EXPECT_EQ(Focus(), test.Selected)
            << test.Choice.CampaignQuestionId << " " << qPrintable(test.Choice.SourceId) << " "
            << test.Choice.VolumeId;
        // The response grid follows the selected row.
        EXPECT_EQ(page.GetCurrentQuestionId(),
                  page.GetCampaignQuestionAtRow(test.Selected.row)
                      ? page.GetCampaignQuestionAtRow(test.Selected.row)->GetQuestionId()
                      : -1);
    }
}
