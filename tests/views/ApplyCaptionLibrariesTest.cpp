#include "ReconPageTestSupport.h"

#include "commands/CommandHistory.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/CaptionLibrary.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 (volume 1 "First"), wave 2 (volume 2 "Online"); the page shows wave 2. Campaign
// questions and their responses:
//   10 SAT    101 Don't know, 102 DK, 103 dont know, 104 Good, 105 Unsure; matched in volume 2,
//             102 to the source response 2 and 104 to 4
//   11 BRAND  111 DON'T KNOW, 112 dk; matched nowhere in wave 2
//   12 OTHER  121 DK, 122 Other
//   13 BOTH   131 Don't know, 132 DK; both matched in volume 2
//   14 OLD    141 Don't know (removed in wave 1), 142 DK
//   15 YES    151 Yes, 152 Y
//   16 LATER  161 Don't know (appears in wave 3), 162 DK
//   17 NEWER  171 Don't know (appears in volume 2), 172 DK (in volume 1)
//   18 EARLIER 181 Don't know, 182 DK; both matched in volume 1 (wave 1)
// One library holds three groups, a tick (state 1) on each caption but where said:
//   "Don't know" (base), "DK", "Dont Know", "DON'T KNOW", "Unsure" (not ticked), "Not sure"
//   "Good" (base), "DK"
//   "Yes" (base, not ticked), "Y"
class ApplyCaptionLibrariesTest : public CReconPageTest
{
protected:
    ApplyCaptionLibrariesTest()
    {
        CWave* first = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        view_test::AddVolume(Campaign(), *first, 1, QStringLiteral("First"), VOLUME_RECONCILED);
        CWave* second = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
        online = view_test::AddVolume(Campaign(), *second, 2, QStringLiteral("Online"),
                                      VOLUME_RECONCILED);

        CQuestion* sat = AddQuestion(Campaign(), 10, 1, "SAT", "Satisfaction", 1);
        AddResponses(*sat, {"Don't know", "DK", "dont know", "Good", "Unsure"});
        qnr::CQuestion* source = AddSourceQuestion(*online, 1, "SAT", "Satisfaction");
        AddSourceResponse(*source, 2, "DK");
        AddSourceResponse(*source, 4, "Good");
        MatchQuestion(*online, 10, 1);
        MatchResponse(*online, *sat, 102, 2);
        MatchResponse(*online, *sat, 104, 4);

        AddResponses(*AddQuestion(Campaign(), 11, 2, "BRAND", "Brand", 1), {"DON'T KNOW", "dk"});
        AddResponses(*AddQuestion(Campaign(), 12, 3, "OTHER", "Other", 1), {"DK", "Other"});

        CQuestion* both = AddQuestion(Campaign(), 13, 4, "BOTH", "Both", 1);
        AddResponses(*both, {"Don't know", "DK"});
        qnr::CQuestion* sourceBoth = AddSourceQuestion(*online, 3, "BOTH", "Both");
        AddSourceResponse(*sourceBoth, 1, "Don't know");
        AddSourceResponse(*sourceBoth, 2, "DK");
        MatchQuestion(*online, 13, 3);
        MatchResponse(*online, *both, 131, 1);
        MatchResponse(*online, *both, 132, 2);

        AddResponses(*AddQuestion(Campaign(), 14, 5, "OLD", "Old", 1), {"Don't know", "DK"});
        CModality* removed = Campaign().GetModalityById(141);
        removed->SetIsDeleted(1);
        removed->SetDeletionWaveId(1);
        AddResponses(*AddQuestion(Campaign(), 15, 6, "YES", "Yes", 1), {"Yes", "Y"});
        CWave* third = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
        view_test::AddVolume(Campaign(), *third, 3, QStringLiteral("Later"), VOLUME_RECONCILED);
        AddResponses(*AddQuestion(Campaign(), 16, 7, "LATER", "Later", 1), {"Don't know", "DK"});
        Campaign().GetModalityById(161)->SetAppearanceVolumeId(3);
        AddResponses(*AddQuestion(Campaign(), 17, 8, "NEWER", "Newer", 1), {"Don't know", "DK"});
        Campaign().GetModalityById(171)->SetAppearanceVolumeId(2);
        CQuestion* earlier = AddQuestion(Campaign(), 18, 9, "EARLIER", "Earlier", 1);
        AddResponses(*earlier, {"Don't know", "DK"});
        CVolume* firstVolume = Campaign().FindVolume(1);
        MatchQuestion(*firstVolume, 18, 1);
        MatchResponse(*firstVolume, *earlier, 181, 1);
        MatchResponse(*firstVolume, *earlier, 182, 2);

        QList<CResponseCaptionGroup*> groups;
        auto* library = new CResponseLibrary(QStringLiteral("Answers"));
        AddGroup(groups, *library, "Don't know",
                 {{"Don't know", 1},
                  {"DK", 1},
                  {"Dont Know", 1},
                  {"DON'T KNOW", 1},
                  {"Unsure", 0},
                  {"Not sure", 1}});
        AddGroup(groups, *library, "Good", {{"Good", 1}, {"DK", 1}});
        AddGroup(groups, *library, "Yes", {{"Yes", 0}, {"Y", 1}});
        QList<CResponseLibrary*> libraries{library};
        // The application takes both lists over and empties them.
        SetCaptionLibraries(groups, libraries);
        EXPECT_TRUE(page.LoadWave(2));
    }

    // Responses numbered question id * 10 + 1, 2, ... in order.
    void AddResponses(CQuestion& question, std::initializer_list<const char*> captions)
    {
        int id = question.GetQuestionId() * 10;
        for (const char* caption : captions)
            AddResponse(Campaign(), question, ++id, caption);
    }
    // A group of the captions (text, the library's state for it), the first its base caption,
    // added to the library and to groups.
    void AddGroup(QList<CResponseCaptionGroup*>& groups, CResponseLibrary& library,
                  const char* name, std::initializer_list<std::pair<const char*, int>> captions)
    {
        auto* group = new CResponseCaptionGroup(name);
        for (const auto& [text, state] : captions) {
            CResponseCaption* caption =
                group->AddCaption(std::make_unique<CResponseCaption>(text, group));
            if (group->GetCaptionCount() == 1)
                group->SetBaseLabelId(caption->GetGuid());
            library.SetCaptionState(caption, state);
        }
        library.AddGroup(group);
        groups << group;
    }
    // The responses removed as of wave 2.
    std::vector<int> Removed()
    {
        std::vector<int> ids;
        for (int q = 0; q < Campaign().GetQuestionCount(); ++q)
            for (const CModality* response : Campaign().GetQuestion(q)->GetModalities())
                if (response->IsDeleted() && response->GetDeletionWaveId() == 2)
                    ids.push_back(response->GetModalityId());
        return ids;
    }
    // The state image of the response's row once the question's row is selected.
    int ResponseImage(int questionId, int responseId)
    {
        page.SelectCampaignQuestion(questionId);
        const int row = page.GetResponseRows().GetFirstRow(responseId);
        const CGridCellBase* cell = page.GetResponseGrid()->GetCell(row, Page::RColState);
        return cell ? cell->GetImage() : -1;
    }
    CommandHistory& History() { return app.GetCommandHistory(); }

    CScriptedViewDialogs dialogs;
    CVolume* online = nullptr;
    // The library and its groups as the application holds them.
    CResponseLibrary& Library() { return *app.GetCaptionLibraries().at(0); }
    const CResponseCaptionGroup& Group(int index) { return *app.GetCaptionGroups().at(index); }
};

TEST_F(ApplyCaptionLibrariesTest, MergesTheResponsesEachGroupCallsTheSameInOneUndoableStep)
{
    const QString before = DumpCampaign(Campaign());
    dialogs.QueueResults({IDOK});
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    ASSERT_EQ(dialogs.Calls, QStringList({"CaptionLibraryDlg"}));
    EXPECT_EQ(dialogs.CaptionLibraryRequests[0].Mode, CAPTION_LIBRARY_APPLY);
    EXPECT_TRUE(dialogs.CalledModal[0]);

    // SAT: "DK" and "dont know" (any case) into "Don't know"; "Good" finds its "DK" merged
    // already; "DON'T KNOW" names the kept response itself; "Unsure" is not ticked. BRAND: "dk"
    // into "DON'T KNOW". Nothing where the base caption has no response (OTHER), where both
    // are matched in the volume (BOTH) or in a volume of another wave (EARLIER), where the kept
    // response is removed (OLD), appears after the wave (LATER) or after the other one (NEWER),
    // or where the library does not use the base caption (YES).
    EXPECT_EQ(Removed(), std::vector<int>({102, 103, 112}));
    // The merged response's matching passes to the kept one.
    const CModalityMatching* passed = online->FindModalityMatchingInherited(101, 2);
    ASSERT_NE(passed, nullptr);
    EXPECT_EQ(passed->GetModalitySourceId(), QStringLiteral("2"));
    EXPECT_EQ(online->FindModalityMatchingInherited(102, 2), nullptr);
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join(u'\n'));
    // Two place holders around three merges, all one step; the page shows the wave again.
    EXPECT_EQ(History().GetUndoCount(), 5);
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("apply caption libraries"));
    EXPECT_EQ(ResponseImage(10, 102), Page::ImageDeleted);
    EXPECT_TRUE(app.IsModified());

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    EXPECT_EQ(ResponseImage(10, 102), Page::ImageMatched);

    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Removed(), std::vector<int>({102, 103, 112}));
    EXPECT_EQ(ResponseImage(10, 103), Page::ImageDeleted);
}

TEST_F(ApplyCaptionLibrariesTest, ACaptionTickedInTheDialogCounts)
{
    dialogs.QueueResults({IDOK});
    // The dialog's edit: the user ticks "Unsure".
    dialogs.CaptionLibraryEdit = [this] { Library().SetCaptionState(Group(0).GetCaptionAt(4), 1); };
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(Removed(), std::vector<int>({102, 103, 105, 112}));
}

TEST_F(ApplyCaptionLibrariesTest, CancelOrNoLibrariesRecordNothing)
{
    // Cancelled.
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(dialogs.Calls.size(), 1);
    EXPECT_EQ(History().GetUndoCount(), 0);

    // The user removed every library in the dialog: the groups alone apply nothing.
    dialogs.QueueResults({IDOK});
    dialogs.CaptionLibraryEdit = [this] {
        QList<CResponseCaptionGroup*> groups;
        QList<CResponseLibrary*> libraries;
        CopyCaptionLibraries(groups, libraries);
        QList<CResponseCaptionGroup*> none;
        FreeCaptionLibraries(none, libraries);
        SetCaptionLibraries(groups, libraries);
    };
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(dialogs.Calls.size(), 2);
    EXPECT_TRUE(app.GetCaptionLibraries().isEmpty());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_FALSE(app.IsModified());
    EXPECT_TRUE(Removed().empty());
}

TEST_F(ApplyCaptionLibrariesTest, TheWaveIsShownAgainOnceAfterEachDoUndoAndRedo)
{
    // "Unsure" is matched to a source response its source no longer has: every showing of the
    // wave after its differences went stale says so once.
    MatchResponse(*online, *Campaign().GetQuestionById(10), 105, 9);
    const auto reports = [this] {
        const int count = int(windows.Prompts.count());
        windows.Prompts.clear();
        return count;
    };
    app.GetDiffsCache()->InvalidateWave(2);
    page.ReloadWave();
    ASSERT_EQ(reports(), 1);

    dialogs.QueueResults({IDOK});
    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(Removed(), std::vector<int>({102, 103, 112}));
    EXPECT_EQ(reports(), 1);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(reports(), 1);
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(reports(), 1);
}

TEST_F(ApplyCaptionLibrariesTest, LibrariesThatMergeNothingRecordNothingAndThePageKeepsItsPlace)
{
    // The user leaves only captions that no response of the wave can be merged under.
    dialogs.QueueResults({IDOK});
    dialogs.CaptionLibraryEdit = [this] {
        for (int g = 0; g < 2; ++g)
            for (int i = 1; const CResponseCaption* caption = Group(g).GetCaptionAt(i); ++i)
                Library().SetCaptionState(caption, 0);
    };
    page.SelectCampaignQuestion(15);
    const CCellID focus = page.GetQuestionGrid()->GetFocusCell();
    ASSERT_EQ(page.GetCampaignQuestionAtRow(focus.row)->GetQuestionId(), 15);
    page.GetQuestionGrid()->SetFocusCell(focus.row, Page::QColShortcut);
    const QString before = DumpCampaign(Campaign());

    page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
    EXPECT_EQ(dialogs.Calls.size(), 1);
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_FALSE(app.IsModified());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    // The wave was not shown again: the row and the cell the user was on stay.
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell(), CCellID(focus.row, Page::QColShortcut));
}
