#include "ResponsePageTestSupport.h"

#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// The response matching commands of the reconciliation page: breaking a matching, re-matching a
// source response by a drop or the pick mode, removing and making campaign responses.
class ResponseMatchingCommandsTest : public CResponsePageTest
{
protected:
    const CModalityMatching* OnlineMatching(int responseId) const
    {
        return online->FindModalityMatchingInherited(responseId, online->GetVolumeId());
    }
};

TEST_F(ResponseMatchingCommandsTest, BreakSplitsTheRowAndUndoJoinsIt)
{
    const QString before = Dump();
    Focus(CampaignCell("South", "South"));
    page.OnCommand(ID_RESPONSE_BREAK_MATCHING);
    EXPECT_EQ(TopSteps(), QStringList({"Break South/South"}));
    EXPECT_EQ(OnlineMatching(112), nullptr);
    // The row keeps South; the source response takes a row of its own right below it.
    EXPECT_EQ(ResponseRows(), QStringList({"North/North", "South/-", "-/South", "West/-",
                                           "Central/-", "-/East", "-/Middle"}));
    EXPECT_EQ(ResponseNumbers(), QStringLiteral("1,2,3,4,5,6,7"));
    EXPECT_EQ(ResponseStates(), QStringLiteral("0,2,2,2,2,2,2"));
    EXPECT_EQ(RText(ResponseRow("South", "-"), Page::RColSourceCaption),
              QStringLiteral("Not matched"));
    EXPECT_EQ(page.GetResponseRows().GetVolumeId(ResponseRow("-", "South")), online->GetVolumeId());

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(ResponseRows(), RegionRows());
    EXPECT_EQ(ResponseNumbers(), QStringLiteral("1,2,3,4,5,6"));
    EXPECT_EQ(ResponseStates(), QStringLiteral("0,0,2,2,2,2"));
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(ResponseRows(), QStringList({"North/North", "South/-", "-/South", "West/-",
                                           "Central/-", "-/East", "-/Middle"}));

    // A row without a campaign response, or without a source response, has nothing to break.
    const int count = History().GetUndoCount();
    for (const CCellID& cell : {CampaignCell("-", "East"), CampaignCell("West", "-")}) {
        Focus(cell);
        page.OnCommand(ID_RESPONSE_BREAK_MATCHING);
    }
    EXPECT_EQ(History().GetUndoCount(), count);
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST_F(ResponseMatchingCommandsTest, ADropRematchesInOneCompositeThatTheRowsFollow)
{
    struct SCase
    {
        QString FromCampaign, FromSource, ToCampaign, ToSource;
        QStringList Steps;
        QStringList Rows;
    };
    const SCase cases[] = {
        {"-",
         "East",
         "West",
         "-",
         {"Create West/East"},
         {"North/North", "South/South", "West/East", "Central/-", "-/Middle"}},
        {"-",
         "East",
         "South",
         "South",
         {"Break South/South", "Create South/East"},
         {"North/North", "South/East", "-/South", "West/-", "Central/-", "-/Middle"}},
        {"North",
         "North",
         "Central",
         "-",
         {"Break North/North", "Create Central/North"},
         {"North/-", "South/South", "West/-", "Central/North", "-/East", "-/Middle"}},
        {"North",
         "North",
         "South",
         "South",
         {"Break North/North", "Break South/South", "Create South/North"},
         {"North/-", "South/North", "-/South", "West/-", "Central/-", "-/East", "-/Middle"}},
    };
    const QString before = Dump();
    for (const SCase& test : cases) {
        const QString what = test.FromSource + QStringLiteral(" onto ") + test.ToCampaign;
        windows.Prompts.clear();
        windows.QueueAnswers({IDYES});
        ASSERT_TRUE(Drag(SourceCell(test.FromCampaign, test.FromSource),
                         CampaignCell(test.ToCampaign, test.ToSource)))
            << qPrintable(what);
        EXPECT_EQ(TopSteps(), test.Steps) << qPrintable(what);
        EXPECT_EQ(ResponseRows(), test.Rows) << qPrintable(what);
        // Every response appeared in wave 1: nothing is offered for removal.
        EXPECT_EQ(windows.Prompts.size(), 1) << qPrintable(what);
        EXPECT_FALSE(page.IsRematchDragOn());
        EXPECT_EQ(page.GetResponsePickCell(), CCellID());
        // The target row is the selected one.
        EXPECT_EQ(Responses().GetFocusCell().row, ResponseRow(test.ToCampaign, test.FromSource))
            << qPrintable(what);

        // One Undo takes the composite back, and the rows with it.
        ASSERT_TRUE(app.Undo()) << qPrintable(what);
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(what);
        QStringList rows = ResponseRows();
        rows.sort();
        QStringList expected = RegionRows();
        expected.sort();
        EXPECT_EQ(rows, expected) << qPrintable(what);
        SelectRow(Row("BRAND", "BRAND"));
        SelectRegion();
    }
}

TEST_F(ResponseMatchingCommandsTest, ATargetWithoutACampaignResponseIsRefused)
{
    const QString before = Dump();
    EXPECT_FALSE(
        page.RematchResponse(SourceCell("-", "East"), CampaignCell("-", "Middle"), nullptr));
    // Nor is a drop there taken.
    EXPECT_FALSE(Drag(SourceCell("-", "East"), CampaignCell("-", "Middle")));
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(ResponseRows(), RegionRows());
}

TEST_F(ResponseMatchingCommandsTest, TheRemovalIsOfferedOnlyAfterASuccessfulRematch)
{
    // North first appeared in Online (this wave).
    Campaign().GetModalityById(111)->SetAppearanceVolumeId(online->GetVolumeId());
    Load();
    SelectRegion();
    const QString before = Dump();

    // Refused at the confirmation: nothing runs, nothing is offered.
    windows.QueueAnswers({IDNO});
    Drag(SourceCell("North", "North"), CampaignCell("Central", "-"));
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(History().GetUndoCount(), 0);

    // A command that fails shows its error and offers nothing: North's matching is gone from
    // the model behind the page's back, so breaking it fails.
    windows.Prompts.clear();
    std::unique_ptr<CModalityMatching> taken = online->RemoveModalityMatching(11, 111);
    ASSERT_TRUE(taken);
    windows.QueueAnswers({IDYES});
    Drag(SourceCell("North", "North"), CampaignCell("Central", "-"));
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_EQ(windows.PromptTypes.back(), unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_TRUE(windows.Prompts[1].contains(QStringLiteral("break response matching")));
    EXPECT_EQ(History().GetUndoCount(), 0);
    online->AddModalityMatching(std::move(taken));
    EXPECT_TRUE(SameDump(Dump(), before));

    // Succeeded: the offer names the response left behind; Yes removes it as of the wave.
    windows.Prompts.clear();
    windows.QueueAnswers({IDYES, IDYES});
    ASSERT_TRUE(Drag(SourceCell("North", "North"), CampaignCell("Central", "-")));
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_EQ(windows.Prompts[1],
              QStringLiteral("Do you want to remove the campaign response 'North' that the "
                             "rematched source response was originally matched to?"));
    EXPECT_EQ(Campaign().GetModalityById(111)->GetDeletionWaveId(), 2);
    EXPECT_EQ(History().GetUndoCount(), 2);
    EXPECT_EQ(TopSteps(), QStringList({"Change North True", "Change North 2"}));

    // A response of wave 1 left behind is not offered.
    while (History().CanUndo())
        ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    windows.Prompts.clear();
    windows.QueueAnswers({IDYES});
    ASSERT_TRUE(Drag(SourceCell("South", "South"), CampaignCell("West", "-")));
    EXPECT_EQ(windows.Prompts.size(), 1);
}

TEST_F(ResponseMatchingCommandsTest, ThePickModeEndsWithAClickOnTheTargetRow)
{
    Focus(SourceCell("-", "East"));
    page.OnCommand(ID_RESPONSE_REMATCH);
    ASSERT_TRUE(page.IsResponsePickOn());
    // A click on the row it started from only ends the mode.
    Click(CampaignCell("-", "East"));
    EXPECT_FALSE(page.IsResponsePickOn());
    EXPECT_TRUE(windows.Prompts.isEmpty());

    // A click where the response cannot go ends it too, asking nothing.
    Focus(SourceCell("-", "East"));
    page.OnCommand(ID_RESPONSE_REMATCH);
    Click(CampaignCell("-", "Middle"));
    EXPECT_FALSE(page.IsResponsePickOn());
    EXPECT_TRUE(windows.Prompts.isEmpty());

    Focus(SourceCell("-", "East"));
    page.OnCommand(ID_RESPONSE_REMATCH);
    windows.QueueAnswers({IDYES});
    Click(CampaignCell("Central", "-"));
    EXPECT_FALSE(page.IsResponsePickOn());
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(TopSteps(), QStringList({"Create Central/East"}));
    EXPECT_GE(ResponseRow("Central", "East"), kFirst);
    EXPECT_EQ(ResponseRow("-", "East"), -1);
    EXPECT_TRUE(OnlineMatching(114));
}

TEST_F(ResponseMatchingCommandsTest, RemovingAResponseBreaksItsMatchingOnlyWhereItHasOne)
{
    struct SCase
    {
        QString Campaign, Source;
        int ResponseId;
        QStringList Steps;
        QStringList Rows;
    };
    const SCase cases[] = {
        {"South",
         "South",
         112,
         {"DeepBreak South/South", "Change South True", "Change South 2"},
         {"North/North", "South/-", "-/South", "West/-", "Central/-", "-/East", "-/Middle"}},
        {"West", "-", 113, {"Change West True", "Change West 2"}, RegionRows()},
    };
    const QString before = Dump();
    for (const SCase& test : cases) {
        Focus(CampaignCell(test.Campaign, test.Source));
        page.OnCommand(ID_RESPONSE_REMOVE);
        EXPECT_TRUE(windows.Prompts.isEmpty()) << "no confirmation";
        EXPECT_EQ(TopSteps(), test.Steps) << qPrintable(test.Campaign);
        EXPECT_EQ(ResponseRows(), test.Rows) << qPrintable(test.Campaign);
        const CModality* removed = Campaign().GetModalityById(test.ResponseId);
        EXPECT_TRUE(removed->IsDeleted());
        EXPECT_EQ(removed->GetDeletionWaveId(), 2);
        EXPECT_EQ(OnlineMatching(test.ResponseId), nullptr);
        // Removed in this wave, the response's row shows it greyed.
        const int row = ResponseRow(test.Campaign, "-");
        EXPECT_EQ(Responses().GetCell(row, Page::RColState)->GetImage(), Page::ImageDeleted);
        // A second removal has nothing to do.
        Focus(CampaignCell(test.Campaign, "-"));
        page.OnCommand(ID_RESPONSE_REMOVE);
        EXPECT_EQ(History().GetUndoCount(), 1);

        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(test.Campaign);
        EXPECT_EQ(ResponseRows(), RegionRows());
        EXPECT_EQ(Responses()
                      .GetCell(ResponseRow(test.Campaign, test.Source), Page::RColState)
                      ->GetImage(),
                  Page::ImageMatched);
        EXPECT_FALSE(History().CanUndo());
    }
}

TEST_F(ResponseMatchingCommandsTest, CreatingAResponseReusesOneOfTheSameCaptionThatAppearsLater)
{
    // A campaign response "EAST" of REGION (the caption compared without case).
    CQuestion* region = Campaign().GetQuestionById(11);
    CModality* candidate = AddResponse(Campaign(), *region, 115, "EAST");
    CWave* third = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
    CVolume* later =
        view_test::AddVolume(Campaign(), *third, 4, QStringLiteral("Later"), VOLUME_RECONCILED);
    struct SCase
    {
        const char* Why;
        int AppearanceVolumeId;
        int DeletionWaveId;
        CVolume* MatchedIn;
        bool Reused;
    };
    const SCase cases[] = {
        {"appears in Phone, after Online", 3, NO_WAVE_ID, nullptr, true},
        {"appears in wave 3, matched there", 4, NO_WAVE_ID, later, true},
        {"appears in wave 1", 1, NO_WAVE_ID, nullptr, false},
        {"removed in wave 3", 3, 3, nullptr, false},
        {"matched in Phone, in the same wave", 3, NO_WAVE_ID, phone, false},
    };
    for (const SCase& test : cases) {
        candidate->SetAppearanceVolumeId(test.AppearanceVolumeId);
        candidate->SetDeletionWaveId(test.DeletionWaveId);
        candidate->SetIsDeleted(test.DeletionWaveId != NO_WAVE_ID);
        if (test.MatchedIn)
            MatchResponse(*test.MatchedIn, *region, 115, 3);
        Load();
        SelectRegion();
        const QString before = Dump();
        const int responses = region->GetModalityCount();

        Focus(SourceCell("-", "East"));
        page.OnCommand(ID_RESPONSE_CREATE);
        EXPECT_TRUE(windows.Prompts.isEmpty()) << test.Why;
        EXPECT_EQ(region->GetModalityCount(), responses + (test.Reused ? 0 : 1)) << test.Why;
        const CModalityMatching* matching =
            online->FindModalityMatching(test.Reused ? 115 : int(page.GetNewResponseId()));
        ASSERT_TRUE(matching) << test.Why;
        EXPECT_EQ(matching->GetModalitySourceId(), QStringLiteral("3")) << test.Why;
        if (test.Reused) {
            EXPECT_EQ(candidate->GetAppearanceVolumeId(), online->GetVolumeId()) << test.Why;
            EXPECT_GE(ResponseRow("EAST", "East"), kFirst) << test.Why;
        } else {
            EXPECT_GE(ResponseRow("East", "East"), kFirst) << test.Why;
        }
        EXPECT_EQ(ResponseRow("-", "East"), -1) << test.Why;

        // One Undo takes the whole of it back.
        ASSERT_TRUE(app.Undo()) << test.Why;
        EXPECT_FALSE(History().CanUndo()) << test.Why;
        EXPECT_TRUE(SameDump(Dump(), before)) << test.Why;
        EXPECT_GE(ResponseRow("-", "East"), kFirst) << test.Why;
        EXPECT_EQ(ResponseRow("East", "East"), -1) << test.Why;
        if (test.MatchedIn)
            test.MatchedIn->RemoveModalityMatching(11, 115);
    }
}

TEST_F(ResponseMatchingCommandsTest, AFailingSecondStepTakesBackTheNewResponse)
{
    // A stray matching in Online already names the id the new response will get, so that its
    // matching cannot be made.
    const int nextId = Campaign().GetMaxModalityId() + 1;
    MatchResponse(*online, *Campaign().GetQuestionById(13), nextId, 1);
    // An earlier step of the user's, which stays.
    Focus(CampaignCell("South", "South"));
    page.OnCommand(ID_RESPONSE_BREAK_MATCHING);
    ASSERT_EQ(History().GetUndoCount(), 1);
    const CCmdVirtual* earlier = History().GetUndoTopCommand();
    const QString before = Dump();
    const QStringList rows = ResponseRows();
    const int responses = Campaign().GetQuestionById(11)->GetModalityCount();

    Focus(SourceCell("-", "East"));
    page.OnCommand(ID_RESPONSE_CREATE);
    // The error is shown, and nothing of the step stays, not even to redo.
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.PromptTypes.back(), unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("create response matching")));
    EXPECT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(History().GetUndoTopCommand(), earlier);
    EXPECT_EQ(History().GetRedoCount(), 0);
    EXPECT_FALSE(app.Redo());
    EXPECT_EQ(Campaign().GetQuestionById(11)->GetModalityCount(), responses);
    EXPECT_EQ(Campaign().GetModalityById(nextId), nullptr);
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(ResponseRows(), rows);

    // Undo takes back the earlier step.
    ASSERT_TRUE(app.Undo());
    EXPECT_FALSE(History().CanUndo());
    EXPECT_EQ(ResponseRows(), RegionRows());
}
