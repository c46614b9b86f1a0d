#include "ReconPageTestSupport.h"

#include "commands/UnreconcileCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 (volume 1), wave 2 (volumes 2 "Online" and 3 "Phone"), wave 3 (volume 4). The page
// shows wave 2. Campaign questions, in order:
//   10 AGE     appeared in volume 2; matched in both volumes, the same captions
//   11 REGION  responses North, South; matched in volume 2 only, responses alike
//   12 BRAND   responses A, B, C; matched in volume 2; every source response captioned apart
//   13 INCOME  matched in volume 2 to a source question of another caption
//   14 OLD     removed in wave 2, matched nowhere
//   15 GONE    removed in wave 1
//   16 LATER   appeared in volume 4
//   17 SPARE   matched nowhere
// Source questions without a campaign question: EXTRA (9) in volume 2, NEWQ (8) in volume 3.
class LoadWaveTest : public CReconPageTest
{
protected:
    LoadWaveTest()
    {
        CWave* first = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        view_test::AddVolume(Campaign(), *first, 1, QStringLiteral("First"), VOLUME_RECONCILED);
        CWave* second = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
        online = view_test::AddVolume(Campaign(), *second, 2, QStringLiteral("Online"),
                                      VOLUME_RECONCILED);
        phone = view_test::AddVolume(Campaign(), *second, 3, QStringLiteral("Phone"),
                                     VOLUME_RECONCILED);
        CWave* third = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
        view_test::AddVolume(Campaign(), *third, 4, QStringLiteral("Later"), VOLUME_RECONCILED);

        CQuestion* age = AddQuestion(Campaign(), 10, 1, "AGE", "Age", 2, 5);
        AddSourceQuestion(*online, 1, "AGE", "Age", 5);
        AddSourceQuestion(*phone, 1, "AGE", "Age", 5);
        MatchQuestion(*online, age->GetQuestionId(), 1);
        MatchQuestion(*phone, age->GetQuestionId(), 1);

        region = AddQuestion(Campaign(), 11, 2, "REGION", "Region", 1);
        AddResponse(Campaign(), *region, 111, "North", "n");
        AddResponse(Campaign(), *region, 112, "South", "s");
        qnr::CQuestion* sourceRegion = AddSourceQuestion(*online, 2, "REGION", "Region");
        AddSourceResponse(*sourceRegion, 1, "North", "n");
        AddSourceResponse(*sourceRegion, 2, "South", "s");
        MatchQuestion(*online, 11, 2);
        MatchResponse(*online, *region, 111, 1);
        MatchResponse(*online, *region, 112, 2);

        brand = AddQuestion(Campaign(), 12, 3, "BRAND", "Brand", 1);
        qnr::CQuestion* sourceBrand = AddSourceQuestion(*online, 3, "BRAND", "Brand");
        for (int i = 0; i < 3; ++i) {
            const QString name = QString(QChar(u'A' + i));
            AddResponse(Campaign(), *brand, 121 + i, name);
            AddSourceResponse(*sourceBrand, 1 + i, name + QStringLiteral("!"));
            MatchResponse(*online, *brand, 121 + i, 1 + i);
        }
        MatchQuestion(*online, 12, 3);

        AddQuestion(Campaign(), 13, 4, "INCOME", "Income", 1, 5);
        AddSourceQuestion(*online, 4, "INCOME", "Household income", 5);
        MatchQuestion(*online, 13, 4);

        AddQuestion(Campaign(), 14, 5, "OLD", "Old", 1, 5)->SetDeletionWaveId(2);
        AddQuestion(Campaign(), 15, 6, "GONE", "Gone", 1, 5)->SetDeletionWaveId(1);
        AddQuestion(Campaign(), 16, 7, "LATER", "Later", 4, 5);
        AddQuestion(Campaign(), 17, 8, "SPARE", "Spare", 1, 5);
        AddSourceQuestion(*online, 9, "EXTRA", "Extra", 5);
        AddSourceQuestion(*phone, 8, "NEWQ", "New question", 5);
    }

    // Each data row as "campaign shortcut/source shortcut/volume".
    QStringList Rows() const
    {
        QStringList rows;
        for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
            rows << QRow(row, {Page::QColShortcut, Page::QColSourceShortcut, Page::QColVolume});
        return rows;
    }
    int Row(const QString& campaignShortcut, const QString& volume) const
    {
        for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
            if (QText(row, Page::QColShortcut) == campaignShortcut &&
                QText(row, Page::QColVolume) == volume)
                return row;
        return -1;
    }
    CWaveDiffsEntry* Entry() { return app.GetDiffsCache()->GetWaveEntry(2, false); }
    std::vector<int> BarStates() const
    {
        std::vector<int> states;
        for (int i = 0; i < page.GetQuestionBar()->GetItemCount(); ++i)
            states.push_back(page.GetQuestionBar()->GetItemState(i));
        return states;
    }
    CViewSettings& ViewOptions()
    {
        m_view = app.GetViewSettings();
        return m_view;
    }

    CVolume* online = nullptr;
    CVolume* phone = nullptr;
    CQuestion* region = nullptr;
    CQuestion* brand = nullptr;
    CViewSettings m_view;
};

TEST_F(LoadWaveTest, RowsFollowTheCampaignOrderThenTheVolumesThenTheUnmatchedSources)
{
    ASSERT_TRUE(page.LoadWave(2));
    const QString nm = QStringLiteral("Not matched");
    EXPECT_EQ(Rows(),
              QStringList({"AGE|AGE|Online", "AGE|AGE|Phone", "REGION|REGION|Online",
                           "BRAND|BRAND|Online", "INCOME|INCOME|Online", "OLD|" + nm + "|" + nm,
                           "SPARE|" + nm + "|" + nm, nm + "|EXTRA|Online", nm + "|NEWQ|Phone"}));
    EXPECT_EQ(BarStates(), std::vector<int>({0, 0, 0, 1, 1, 3, 2, 2, 2}));
    // Row numbers, campaign and source codes.
    EXPECT_EQ(QRow(kFirst, {Page::QColNumber, Page::QColCode, Page::QColSourceCode}),
              QStringLiteral("1|10|1"));
    EXPECT_EQ(QText(kFirst + 8, Page::QColNumber), QStringLiteral("9"));

    // The mappers: campaign question ids, and -1, -2 for the unmatched source questions in the
    // order shown; the volume of the source side (-1 without one).
    const CReconRows& ids = page.GetQuestionRows();
    EXPECT_EQ(ids.GetId(kFirst + 1), 10);
    EXPECT_EQ(ids.GetId(kFirst + 7), -1);
    EXPECT_EQ(ids.GetId(kFirst + 8), -2);
    EXPECT_EQ(ids.GetVolumeId(kFirst + 1), 3);
    EXPECT_EQ(ids.GetVolumeId(kFirst + 5), -1);
    EXPECT_EQ(ids.GetVolumeId(kFirst + 8), 3);
    EXPECT_EQ(ids.GetSourceKey(kFirst + 7), QStringLiteral("9"));
    EXPECT_EQ(ids.GetSourceKey(kFirst + 5), Page::kNoSourceKey);

    // A later fill goes on with the keys: none is used twice.
    ASSERT_TRUE(page.LoadWave(2));
    EXPECT_EQ(ids.GetId(kFirst + 7), -3);
    EXPECT_EQ(ids.GetId(kFirst + 8), -4);
}

TEST_F(LoadWaveTest, EachRowKindHasItsImagesAndColours)
{
    ASSERT_TRUE(page.LoadWave(2));
    CWaveGridCtrl& grid = *page.GetQuestionGrid();
    const auto image = [&](int row, int col) { return grid.GetCell(row, col)->GetImage(); };
    const auto text = [&](int row, int col) { return grid.GetCellTextColour(row, col); };
    // AGE appeared in this wave: image 2, its source side green.
    EXPECT_EQ(image(kFirst, Page::QColState), Page::ImageNewInWave);
    EXPECT_EQ(image(kFirst, Page::QColKind), Page::ImageFirstKind + 15);
    EXPECT_EQ(image(kFirst, Page::QColSourceState), Page::ImageMatched);
    EXPECT_EQ(text(kFirst, Page::QColSourceShortcut), recon_colours::Green);
    EXPECT_EQ(text(kFirst, Page::QColShortcut), recon_colours::Default);
    // REGION appeared before: image 1, default colours.
    EXPECT_EQ(image(kFirst + 2, Page::QColState), Page::ImageMatched);
    EXPECT_EQ(text(kFirst + 2, Page::QColSourceShortcut), recon_colours::Default);
    // OLD, removed in this wave: grey, image 4, source side image 6 in grey.
    EXPECT_EQ(image(kFirst + 5, Page::QColState), Page::ImageDeleted);
    EXPECT_EQ(image(kFirst + 5, Page::QColSourceState), Page::ImageMissingDeleted);
    EXPECT_EQ(image(kFirst + 5, Page::QColSourceKind), Page::ImageFirstKind + 22);
    EXPECT_EQ(text(kFirst + 5, Page::QColShortcut), recon_colours::Grey);
    EXPECT_EQ(text(kFirst + 5, Page::QColSourceShortcut), recon_colours::Grey);
    // SPARE: the missing side red.
    EXPECT_EQ(image(kFirst + 6, Page::QColSourceState), Page::ImageMissing);
    EXPECT_EQ(text(kFirst + 6, Page::QColSourceCode), recon_colours::Red);
    EXPECT_EQ(text(kFirst + 6, Page::QColCode), recon_colours::Default);
    // EXTRA: the campaign side red and without a kind.
    EXPECT_EQ(image(kFirst + 7, Page::QColState), Page::ImageMissing);
    EXPECT_EQ(image(kFirst + 7, Page::QColKind), Page::ImageFirstKind + 22);
    EXPECT_EQ(text(kFirst + 7, Page::QColShortcut), recon_colours::Red);
    EXPECT_EQ(text(kFirst + 7, Page::QColVolume), recon_colours::Default);
}

TEST_F(LoadWaveTest, DifferenceRowsAreBoldOnYellowAndTheirResponsesToo)
{
    ASSERT_TRUE(page.LoadWave(2));
    CWaveGridCtrl& grid = *page.GetQuestionGrid();
    for (int row : {kFirst + 3, kFirst + 4}) {
        for (int col = Page::QColState; col <= Page::QColVolume; ++col) {
            EXPECT_EQ(grid.GetCellBackColour(row, col), recon_colours::Yellow) << row << col;
            EXPECT_EQ(grid.GetCellTextColour(row, col), recon_colours::Default) << row << col;
        }
        EXPECT_EQ(grid.GetCell(row, Page::QColShortcut)->GetFont()->lfWeight, FW_BOLD);
        EXPECT_EQ(grid.GetCell(row, Page::QColVolume)->GetFont()->lfWeight, FW_BOLD);
    }
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 2, Page::QColShortcut), recon_colours::Default);
    EXPECT_NE(grid.GetCell(kFirst + 2, Page::QColShortcut)->GetFont()->lfWeight, FW_BOLD);

    // BRAND's responses all differ.
    page.SelectQuestionRow(kFirst + 3, Page::QColShortcut);
    ASSERT_EQ(RDataRows(), 3);
    for (int row = kFirst; row < kFirst + 3; ++row) {
        EXPECT_EQ(page.GetResponseGrid()->GetCellBackColour(row, Page::RColCaption),
                  recon_colours::Yellow);
        EXPECT_EQ(page.GetResponseBar()->GetItemState(row - kFirst), Page::RowDiffers);
    }
    EXPECT_EQ(RRow(kFirst, {Page::RColCode, Page::RColCaption, Page::RColSourceCode,
                            Page::RColSourceCaption}),
              QStringLiteral("121|A|1|A!"));
}

TEST_F(LoadWaveTest, ThreeDifferingResponsesGiveThreeMarkersListedOnce)
{
    ASSERT_TRUE(page.LoadWave(2));
    const CRowMultimap& store = Entry()->GetQuestionDiffs();
    EXPECT_EQ(store.CountKeyRow({12, 2}, 26), 3);
    EXPECT_EQ(Entry()->GetModalityDiffs().Count(121), 1);
    CDiffList kinds;
    page.CollectQuestionDiffKinds(12, 2, kinds);
    EXPECT_EQ(kinds.count(26), 1u);
    EXPECT_EQ(kinds.size(), 1u);
    kinds.clear();
    page.CollectResponseDiffKinds(122, kinds);
    EXPECT_EQ(kinds.count(9), 1u);

    // Markers follow the responses that still differ.
    Entry()->GetModalityDiffs().EraseKey(121);
    page.SyncResponseDiffMarkers(*brand, *online);
    EXPECT_EQ(store.CountKeyRow({12, 2}, 26), 2);
    Entry()->GetModalityDiffs().Insert(121, 9, nullptr);
    Entry()->GetModalityDiffs().Insert(111, 9, nullptr);
    page.SyncResponseDiffMarkers(*brand, *online);
    EXPECT_EQ(store.CountKeyRow({12, 2}, 26), 3);
}

TEST_F(LoadWaveTest, NavigationStopsOnRowsWhoseOnlyDifferencesAreInTheirResponses)
{
    ASSERT_TRUE(page.LoadWave(2));
    EXPECT_EQ(page.FindFirstDifferenceRow(), kFirst + 3);
    EXPECT_EQ(page.FindNextDifferenceRow(kFirst + 3), kFirst + 4);
    EXPECT_EQ(page.FindNextDifferenceRow(kFirst + 4), -1);
    EXPECT_EQ(page.FindLastDifferenceRow(), kFirst + 4);
    EXPECT_EQ(page.FindPrevDifferenceRow(kFirst + 4), kFirst + 3);
    EXPECT_EQ(page.FindPrevDifferenceRow(kFirst + 3), -1);

    // The commands go there from the focus cell; at the last one "Next" is off.
    page.OnCommand(ID_NEXT_DIFFERENCE);
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell(), CCellID(kFirst + 3, Page::QColShortcut));
    EXPECT_EQ(page.GetCurrentQuestionId(), 12);
    page.OnCommand(ID_LAST_DIFFERENCE);
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell().row, kFirst + 4);
    CCmdUI next(ID_NEXT_DIFFERENCE);
    page.OnUpdateCommand(next);
    EXPECT_EQ(next.m_enable, false);
    CCmdUI previous(ID_PREVIOUS_DIFFERENCE);
    page.OnUpdateCommand(previous);
    EXPECT_EQ(previous.m_enable, true);
    // "Update all campaign questions" has work to do.
    CCmdUI updateAll(ID_UPDATE_ALL_QUESTIONS);
    page.OnUpdateCommand(updateAll);
    EXPECT_EQ(updateAll.m_enable, true);
}

TEST_F(LoadWaveTest, TheFiltersChooseTheRows)
{
    struct Case
    {
        bool withDifferences, withoutDifferences, unmatchedCampaign, unmatchedSource;
        int rows;
    };
    // 3 rows without differences, 2 with, 2 unmatched campaign questions, 2 unmatched sources.
    const Case cases[] = {{true, true, true, true, 9},    {false, false, false, false, 0},
                          {true, false, false, false, 2}, {false, true, false, false, 3},
                          {false, false, true, false, 2}, {false, false, false, true, 2},
                          {true, true, false, true, 7}};
    for (const Case& c : cases) {
        CViewSettings& view = ViewOptions();
        view.SetShowImperfectQuestionMatches(c.withDifferences);
        view.SetShowPerfectQuestionMatches(c.withoutDifferences);
        view.SetShowUnmatchedCampaignQuestions(c.unmatchedCampaign);
        view.SetShowUnmatchedSourceQuestions(c.unmatchedSource);
        app.SetViewSettings(view);
        ASSERT_TRUE(page.LoadWave(2));
        EXPECT_EQ(QDataRows(), c.rows) << c.withDifferences << c.withoutDifferences
                                       << c.unmatchedCampaign << c.unmatchedSource;
        EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), c.rows);
    }
    // With no rows the headings stay.
    EXPECT_EQ(QText(0, Page::QColState), QStringLiteral("Campaign Questions"));
}

TEST_F(LoadWaveTest, TheResponseFiltersChooseTheResponseRows)
{
    // REGION: South loses its matching, the source gets a third response, North is new.
    online->RemoveModalityMatching(112);
    qnr::CQuestion* source = online->GetQuestionnaire().GetQuestion(1);
    AddSourceResponse(*source, 3, "East", "");
    Campaign().GetModalityById(111)->SetAppearanceVolumeId(2);
    struct Case
    {
        bool matched, unmatchedCampaign, unmatchedSource, newHere;
        QStringList rows;
    };
    const QString nm = QStringLiteral("Not matched");
    const Case cases[] = {
        {true, true, true, true, {"North|North", "South|" + nm, nm + "|South", nm + "|East"}},
        {false, false, false, true, {"North|North"}},
        {false, false, false, false, {}},
        {false, true, false, false, {"South|" + nm}},
        {false, false, true, false, {nm + "|South", nm + "|East"}},
    };
    for (const Case& c : cases) {
        CViewSettings& view = ViewOptions();
        view.SetShowPerfectResponseMatches(c.matched);
        view.SetShowImperfectResponseMatches(c.matched);
        view.SetShowUnmatchedCampaignResponses(c.unmatchedCampaign);
        view.SetShowUnmatchedSourceResponses(c.unmatchedSource);
        view.SetShowNewCampaignResponses(c.newHere);
        app.SetViewSettings(view);
        ASSERT_TRUE(page.LoadWave(2));
        page.SelectQuestionRow(kFirst + 2, Page::QColShortcut);
        QStringList rows;
        for (int row = kFirst; row < page.GetResponseGrid()->GetRowCount(); ++row)
            rows << RRow(row, {Page::RColCaption, Page::RColSourceCaption});
        EXPECT_EQ(rows, c.rows);
    }
}

TEST_F(LoadWaveTest, AWaveThatCannotBeShownLeavesThePageEmpty)
{
    CWave* empty = view_test::AddWave(Campaign(), 5, QStringLiteral("Empty"));
    for (const int waveId : {99, empty->GetWaveId()}) {
        ASSERT_TRUE(page.LoadWave(2));
        page.SelectQuestionRow(Row("REGION", "Online"), Page::QColSourceShortcut);
        ASSERT_GT(RDataRows(), 0);
        page.OnCommand(ID_QUESTION_REMATCH);
        // Nothing of wave 2 stays to be taken for the other wave's.
        EXPECT_FALSE(page.LoadWave(waveId));
        EXPECT_EQ(page.GetWaveId(), waveId);
        EXPECT_EQ(QDataRows(), 0) << waveId;
        EXPECT_EQ(RDataRows(), 0);
        EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), 0);
        EXPECT_EQ(page.GetResponseBar()->GetItemCount(), 0);
        EXPECT_EQ(page.GetCurrentQuestionId(), -1);
        EXPECT_EQ(page.GetFocusedModalityId(), -1);
        EXPECT_FALSE(page.IsQuestionPickOn());
        EXPECT_EQ(QText(0, Page::QColSourceState), QStringLiteral("Source Questions"));
    }
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST_F(LoadWaveTest, AWaveThatLosesItsLastVolumeIsClearedAndFindQuestionListsNothing)
{
    CScriptedViewDialogs dialogs;
    AddSourceQuestion(*Campaign().FindVolume(1), 1, "REGION", "Region");
    ASSERT_TRUE(page.LoadWave(1));
    ASSERT_GT(QDataRows(), 0);
    const int row = kFirst + QDataRows() - 1;
    ASSERT_TRUE(
        IssueCommand(std::make_unique<CCmdRemoveVolume>(&Campaign(), 1), {}, nullptr, false));
    ASSERT_EQ(Campaign().FindWave(1)->GetVolumeCount(), 0);
    EXPECT_EQ(QDataRows(), 0);
    EXPECT_EQ(RDataRows(), 0);
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    page.OnCommand(ID_FIND_QUESTION);
    ASSERT_EQ(dialogs.FindQuestionRequests.size(), 1u);
    EXPECT_TRUE(dialogs.FindQuestionRequests[0].CampaignQuestionIds.empty());
    EXPECT_TRUE(dialogs.FindQuestionRequests[0].SourceQuestions.empty());
    // A row of the old fill asked for reads nothing of the wave.
    page.FillResponses(row, Page::QColShortcut);
    EXPECT_EQ(RDataRows(), 0);
    EXPECT_FALSE(page.LoadWave(1));
    EXPECT_EQ(QDataRows(), 0);

    // Undone, the volume is back and the wave shows its rows again.
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(page.LoadWave(1));
    EXPECT_EQ(QDataRows(), row - kFirst + 1);
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST_F(LoadWaveTest, TheResponsesOfARowAreNeverReadFromAWaveWithoutVolumes)
{
    AddSourceQuestion(*Campaign().FindVolume(1), 1, "REGION", "Region");
    ASSERT_TRUE(page.LoadWave(1));
    ASSERT_GT(QDataRows(), 0);
    // The volume taken out of the model behind the page's back: the rows stay.
    std::unique_ptr<CVolume> taken = Campaign().FindWave(1)->RemoveVolume(1);
    ASSERT_TRUE(taken);
    page.FillResponses(kFirst, Page::QColShortcut);
    EXPECT_EQ(RDataRows(), 0);
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    Campaign().FindWave(1)->AddVolume(std::move(taken));
}

TEST_F(LoadWaveTest, ForgettingTheWaveLeavesNoRowsNoCurrentItemsNoPickAndNoFade)
{
    ASSERT_TRUE(page.LoadWave(2));
    page.SelectQuestionRow(Row("REGION", "Online"), Page::QColSourceShortcut);
    page.SelectResponseRow(kFirst, Page::RColCaption);
    ASSERT_NE(page.GetFocusedModalityId(), -1);
    page.OnCommand(ID_QUESTION_REMATCH);
    page.StartQuestionRowFade(kFirst, recon_colours::Grey);
    ASSERT_EQ(page.GetFadeCount(), 1);
    page.ForgetWave();
    EXPECT_EQ(page.GetWaveId(), -1);
    EXPECT_EQ(QDataRows(), 0);
    EXPECT_EQ(RDataRows(), 0);
    EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), 0);
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    EXPECT_EQ(page.GetFocusedModalityId(), -1);
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_EQ(page.GetFadeCount(), 0);
    EXPECT_FALSE(page.IsFadeTimerRunning());
    EXPECT_EQ(QText(0, Page::QColSourceState), QStringLiteral("Source Questions"));
    for (unsigned id : {ID_FIRST_DIFFERENCE, ID_NEXT_DIFFERENCE, ID_PREVIOUS_DIFFERENCE,
                        ID_LAST_DIFFERENCE, ID_RESPONSE_MOVE_UP, ID_RESPONSE_MOVE_DOWN}) {
        CCmdUI ui(id);
        page.OnUpdateCommand(ui);
        EXPECT_EQ(ui.m_enable, std::optional<bool>(false)) << id;
    }
}

TEST_F(LoadWaveTest, AnUnreadableSourceIsReported)
{
    phone->GetQuestionnaire().Clear();
    phone->GetMetaData().SourceString = QStringLiteral("/nowhere/phone.zoz");
    EXPECT_FALSE(page.LoadWave(2));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(
        windows.Prompts[0],
        QStringLiteral("The source file \"/nowhere/phone.zoz\" for the volume \"Phone\" could "
                       "not be found or is not a valid source file"));
    EXPECT_EQ(QDataRows(), 0);
    EXPECT_EQ(QText(0, Page::QColSourceState), QStringLiteral("Source Questions"));
}

TEST_F(LoadWaveTest, AMatchedSourceQuestionMissingFromItsSourceClearsThePage)
{
    ASSERT_TRUE(page.LoadWave(2));
    online->RemoveQuestionMatching(13);
    MatchQuestion(*online, 13, 77);
    EXPECT_FALSE(page.LoadWave(2));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].startsWith(
        QStringLiteral("The source file for the volume 'Online' does \nnot contain the question "
                       "'77'")));
    EXPECT_EQ(QDataRows(), 0);
    EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), 0);
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    // The differences are reset: the next fill computes them all again.
    EXPECT_TRUE(Entry()->IsWholeWaveInvalid());
    EXPECT_EQ(Entry()->GetQuestionDiffs().Size(), 0);
}

TEST_F(LoadWaveTest, AMissingSourceResponseIsReportedAndTheOthersCompared)
{
    MatchResponse(*online, *region, 113, 7);
    AddResponse(Campaign(), *region, 113, "West", "w");
    online->RemoveModalityMatching(113);
    MatchResponse(*online, *region, 113, 7);
    ASSERT_TRUE(page.LoadWave(2));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("response '7'")));
    EXPECT_EQ(Entry()->GetQuestionDiffs().CountKeyRow({12, 2}, 26), 3);
}

TEST_F(LoadWaveTest, AWarmFillReadsTheCacheAndAStaleQuestionIsComputedInEveryVolume)
{
    ASSERT_TRUE(page.LoadWave(2));
    EXPECT_FALSE(Entry()->IsWholeWaveInvalid());
    // The Phone source of AGE changes its caption: the cache does not know yet.
    phone->GetQuestionnaire().GetQuestion(0)->SetCaptions(kLanguage, "Age!", "Age!");
    ASSERT_TRUE(page.LoadWave(2));
    EXPECT_EQ(page.GetQuestionBar()->GetItemState(1), Page::RowMatched);

    app.GetDiffsCache()->InvalidateQuestion(2, 10);
    ASSERT_TRUE(page.LoadWave(2));
    EXPECT_EQ(page.GetQuestionBar()->GetItemState(0), Page::RowMatched);
    EXPECT_EQ(page.GetQuestionBar()->GetItemState(1), Page::RowDiffers);
    EXPECT_EQ(QText(kFirst + 1, Page::QColVolume), QStringLiteral("Phone"));
    EXPECT_FALSE(Entry()->IsQuestionInvalid(10));

    // A whole-wave refresh finds the changes too.
    phone->GetQuestionnaire().GetQuestion(0)->SetCaptions(kLanguage, "Age", "Age");
    app.GetDiffsCache()->InvalidateWave(2);
    page.ReloadWave();
    EXPECT_EQ(page.GetQuestionBar()->GetItemState(1), Page::RowMatched);
}

TEST_F(LoadWaveTest, SelectingARowMakesItsItemsTheCurrentOnes)
{
    ASSERT_TRUE(page.LoadWave(2));
    // The fill selects the first row.
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell(), CCellID(kFirst, Page::QColShortcut));
    EXPECT_EQ(page.GetCurrentQuestionId(), 10);
    page.SelectQuestion(11);
    EXPECT_EQ(page.GetCurrentQuestionId(), 11);
    EXPECT_EQ(page.GetCurrentVolume(), online);
    ASSERT_NE(page.GetCurrentSourceQuestion(), nullptr);
    EXPECT_EQ(page.GetCurrentSourceQuestion()->GetCodeQuestion(), 2);
    EXPECT_EQ(RDataRows(), 2);
    page.SelectResponseRow(kFirst + 1, Page::RColCaption);
    EXPECT_EQ(page.GetFocusedModalityId(), 112);

    // An unmatched source row has no campaign question; its source responses are listed.
    page.SelectQuestionRow(kFirst + 7, Page::QColShortcut);
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    EXPECT_EQ(page.GetCurrentVolume(), online);
    EXPECT_EQ(page.GetFocusedModalityId(), -1);

    // Selecting the same row again does not refill the responses.
    page.SelectQuestionRow(kFirst + 2, Page::QColShortcut);
    page.SelectResponseRow(kFirst, Page::RColCaption);
    page.SelectQuestionRow(kFirst + 2, Page::QColCode);
    EXPECT_EQ(page.GetResponseGrid()->GetFocusCell().row, kFirst);

    // Restoring a cell of a snapshot: only a cell the grid has.
    EXPECT_TRUE(page.HasResponseFocusCell());
    page.SelectQuestionRow(kFirst + 3, Page::QColCode);
    EXPECT_EQ(page.GetCurrentQuestionId(), 12);
    EXPECT_FALSE(page.HasResponseFocusCell());
    EXPECT_TRUE(page.RestoreResponseCell({kFirst + 1, Page::RColCaption}));
    EXPECT_EQ(page.GetFocusedModalityId(), 122);
    EXPECT_FALSE(page.RestoreResponseCell({kFirst + 3, Page::RColCaption}));
    EXPECT_FALSE(page.RestoreResponseCell({kFirst + 1, 14}));
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell(), CCellID(kFirst + 3, Page::QColCode));

    // A reload forgets the current items with the rows, the volume too.
    page.ResetPage();
    EXPECT_EQ(page.GetCurrentQuestionId(), -1);
    EXPECT_EQ(page.GetCurrentVolume(), nullptr);
}

TEST_F(LoadWaveTest, TheOverviewBarsSelectTheirRows)
{
    ASSERT_TRUE(page.LoadWave(2));
    NMOVERVIEWCLICK click;
    click.idFrom = Page::kQuestionBarId;
    click.code = NM_CLICK;
    click.iRow = 3;
    page.OnNotify(click);
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell(), CCellID(kFirst + 3, Page::QColShortcut));
    EXPECT_EQ(page.GetCurrentQuestionId(), 12);
    click.iRow = -1;
    page.OnNotify(click);
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell().row, kFirst + 3);

    click.idFrom = Page::kResponseBarId;
    click.iRow = 2;
    page.OnNotify(click);
    EXPECT_EQ(page.GetResponseGrid()->GetFocusCell(), CCellID(kFirst + 2, Page::RColCode));
    EXPECT_EQ(page.GetFocusedModalityId(), 123);
    EXPECT_NE(page.GetResponseBar()->GetMarkerY(), -1);
}
