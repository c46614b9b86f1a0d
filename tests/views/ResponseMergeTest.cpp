#include "ResponsePageTestSupport.h"

#include "commands/MetaCallBackInfo.h"
#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/ManualClock.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/ReconColours.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Response differences and merges on the reconciliation page: the response differences dialog's
// changes and new response, merging by the merge pick mode, and removing a duplicate by a drag.
class ResponseMergeTest : public CResponsePageTest
{
protected:
    // Starts the merge pick mode on the row and clicks the target row.
    void MergeByPick(const CCellID& merged, const CCellID& master)
    {
        Focus(merged);
        page.OnCommand(ID_RESPONSE_MERGE);
        ASSERT_TRUE(page.IsMergePickOn());
        Click(master);
    }
    const CGridCellBase& Cell(const CCellID& cell)
    {
        return *Responses().GetCell(cell.row, cell.col);
    }
    int MergeMaster(int childId)
    {
        return Campaign().GetMergeMaster(childId, online->GetVolumeId());
    }

    CScriptedViewDialogs dialogs;
};

TEST_F(ResponseMergeTest, TheMergeModeEndsWithoutAMergeOnItsOwnRowOrAnotherQuestion)
{
    MergeByPick(CampaignCell("West", "-"), CCellID(ResponseRow("West", "-"), Page::RColEntryCode));
    EXPECT_FALSE(page.IsMergePickOn());
    EXPECT_EQ(page.GetMergePickCell(), CCellID());
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_EQ(History().GetUndoCount(), 0);
    // A click where the response cannot go (no campaign response) ends it too.
    MergeByPick(CampaignCell("West", "-"), CampaignCell("-", "East"));
    EXPECT_FALSE(page.IsMergePickOn());
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_EQ(History().GetUndoCount(), 0);

    // Another question's responses end the mode: its row named a response of REGION.
    Focus(CampaignCell("West", "-"));
    page.OnCommand(ID_RESPONSE_MERGE);
    ASSERT_TRUE(page.IsMergePickOn());
    SelectRow(Row("BRAND", "BRAND"));
    EXPECT_FALSE(page.IsMergePickOn());
    EXPECT_EQ(page.GetMergePickCell(), CCellID());
}

TEST_F(ResponseMergeTest, AMergeGreysTheMergedRowAndOneUndoTakesItBack)
{
    CManualClock clock;
    struct SCase
    {
        QString Campaign, Source, Master, MasterSource;
        QString Confirmation;
        QStringList Steps;
        QStringList Rows;
    };
    const QString close = QStringLiteral("\nAre you sure you want to continue?");
    const SCase cases[] = {
        {"West",
         "-",
         "North",
         "North",
         QStringLiteral("• Merge campaign response \"West\" (entry code w) into campaign "
                        "response \"North\" (entry code n)\n") +
             close,
         {"Change West True", "Change West 2", "Merge West into North"},
         {"North/North", "South/South", "West (merged to \"North\")/-", "Central/-", "-/East",
          "-/Middle"}},
        // A response matched in the volume gives up its source response first.
        {"South",
         "South",
         "Central",
         "-",
         QStringLiteral("• Break response matching between campaign response \"South\" and "
                        "source response \"South\"\n• Merge campaign response \"South\" "
                        "(entry code s) into campaign response \"Central\" (entry code c)\n") +
             close,
         {"DeepBreak South/South", "Change South True", "Change South 2",
          "Merge South into Central"},
         {"North/North", "South (merged to \"Central\")/-", "-/South", "West/-", "Central/-",
          "-/East", "-/Middle"}},
    };
    const QString before = Dump();
    for (const SCase& test : cases) {
        windows.Prompts.clear();
        windows.QueueAnswers({IDYES});
        MergeByPick(CampaignCell(test.Campaign, test.Source),
                    CampaignCell(test.Master, test.MasterSource));
        EXPECT_FALSE(page.IsMergePickOn());
        ASSERT_EQ(windows.Prompts.size(), 1) << qPrintable(test.Campaign);
        EXPECT_EQ(windows.Prompts[0], test.Confirmation);
        EXPECT_EQ(TopSteps(), test.Steps);
        EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("merge responses"));
        EXPECT_EQ(ResponseRows(), test.Rows);

        // The merged row: image 5, its caption in grey, fading to light grey; the master's row
        // is the selected one.
        const int row = ResponseRow(
            QStringLiteral("%1 (merged to \"%2\")").arg(test.Campaign, test.Master), "-");
        ASSERT_GE(row, kFirst);
        EXPECT_EQ(Cell(CCellID(row, Page::RColState)).GetImage(), Page::ImageMerged);
        EXPECT_EQ(Cell(CCellID(row, Page::RColCaption)).GetTextColour(), recon_colours::Grey);
        EXPECT_GT(page.GetFadeCount(), 0);
        clock.Advance(3000);
        page.OnFadeTimer();
        EXPECT_EQ(Cell(CCellID(row, Page::RColCaption)).GetBackColour(), recon_colours::LightGrey);
        EXPECT_EQ(Responses().GetFocusCell().row, ResponseRow(test.Master, test.MasterSource));
        const CModality* merged =
            Campaign().GetModalityById(int(page.GetResponseRows().GetId(row)));
        ASSERT_TRUE(merged);
        EXPECT_EQ(Caption(Campaign().GetModalityById(MergeMaster(merged->GetModalityId()))),
                  test.Master);
        EXPECT_EQ(merged->GetDeletionWaveId(), 2);
        EXPECT_FALSE(
            online->FindModalityMatchingInherited(merged->GetModalityId(), online->GetVolumeId()));

        // Redo shows it merged again, without a fade.
        ASSERT_TRUE(app.Undo());
        ASSERT_TRUE(app.Redo());
        EXPECT_EQ(ResponseRows(), test.Rows);
        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(test.Campaign);
        EXPECT_EQ(ResponseRows(), RegionRows());
        EXPECT_EQ(
            Cell(CCellID(ResponseRow(test.Campaign, test.Source), Page::RColState)).GetImage(),
            Page::ImageMatched);
        EXPECT_FALSE(History().CanUndo());
    }
}

TEST_F(ResponseMergeTest, AnUndoRightAfterTheMergeLeavesNoFadeBehind)
{
    CManualClock clock;
    windows.QueueAnswers({IDYES});
    MergeByPick(CampaignCell("West", "-"), CampaignCell("North", "North"));
    ASSERT_GT(page.GetFadeCount(), 0);
    clock.Advance(500);
    page.OnFadeTimer();
    ASSERT_TRUE(app.Undo());
    // The fade to the merged row's grey ends with the step taken back: the row keeps the
    // colours the Undo gave it.
    clock.Advance(3000);
    page.OnFadeTimer();
    const CCellID west = CampaignCell("West", "-");
    EXPECT_EQ(Cell(west).GetBackColour(), recon_colours::Default);
    EXPECT_EQ(Cell(west).GetTextColour(), recon_colours::Default);
}

TEST_F(ResponseMergeTest, ARefusedMergeChangesNothing)
{
    const QString before = Dump();
    windows.QueueAnswers({IDNO});
    MergeByPick(CampaignCell("South", "South"), CampaignCell("North", "North"));
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_FALSE(page.IsMergePickOn());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(Dump(), before));
}

TEST_F(ResponseMergeTest, ADuplicateDropThenOffersTheCaptionLibrary)
{
    struct SCase
    {
        QString Dragged, DraggedSource, Target, TargetSource;
        int Answer; // to the caption library offer
        QStringList Rows;
    };
    const SCase cases[] = {
        // Both unmatched: only the removal.
        {"Central",
         "-",
         "West",
         "-",
         IDYES,
         {"North/North", "South/South", "West/-", "Central/-", "-/East", "-/Middle"}},
        // The dragged response's source response passes to the target.
        {"North",
         "North",
         "West",
         "-",
         IDNO,
         {"North/-", "South/South", "West/North", "Central/-", "-/East", "-/Middle"}},
    };
    const QString before = Dump();
    for (const SCase& test : cases) {
        windows.Prompts.clear();
        windows.QueueAnswers({IDYES, test.Answer});
        dialogs.Calls.clear();
        dialogs.CaptionLibraryRequests.clear();
        ASSERT_TRUE(Drag(CampaignCell(test.Dragged, test.DraggedSource),
                         CampaignCell(test.Target, test.TargetSource)));
        ASSERT_EQ(windows.Prompts.size(), 2) << qPrintable(test.Dragged);
        EXPECT_TRUE(windows.Prompts[0].contains(
            QStringLiteral("• Remove the campaign response '%1'.").arg(test.Dragged)));
        EXPECT_EQ(windows.Prompts[1],
                  QStringLiteral("Would you like to add the response captions to the captions "
                                 "library?"));
        EXPECT_EQ(windows.PromptTypes[1], unsigned(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(ResponseRows(), test.Rows) << qPrintable(test.Dragged);
        EXPECT_FALSE(page.IsMergeDragOn());
        EXPECT_EQ(page.GetDraggedCampaignResponseCell(), CCellID());
        // The duplicate is removed as of the wave whatever the answer.
        EXPECT_EQ(History().GetUndoCount(), 1);
        const int dragged = int(page.GetResponseRows().GetId(ResponseRow(test.Dragged, "-")));
        EXPECT_EQ(Campaign().GetModalityById(dragged)->GetDeletionWaveId(), 2);
        EXPECT_EQ(Cell(CCellID(ResponseRow(test.Dragged, "-"), Page::RColState)).GetImage(),
                  Page::ImageDeleted);
        if (test.Answer == IDYES) {
            ASSERT_EQ(dialogs.CaptionLibraryRequests.size(), 1u);
            const SCaptionLibraryDlgRequest& request = dialogs.CaptionLibraryRequests[0];
            EXPECT_EQ(request.Mode, CAPTION_LIBRARY_EDIT);
            EXPECT_TRUE(request.ProposeCaptions);
            EXPECT_EQ(request.FirstCaption, test.Target);
            EXPECT_EQ(request.SecondCaption, test.Dragged);
            EXPECT_TRUE(dialogs.CalledModal.back());
        } else {
            EXPECT_TRUE(dialogs.Calls.isEmpty());
        }
        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(test.Dragged);
        QStringList rows = ResponseRows();
        rows.sort();
        QStringList expected = RegionRows();
        expected.sort();
        EXPECT_EQ(rows, expected);
    }
}

TEST_F(ResponseMergeTest, TheDifferencesDialogsChoicesBecomeOneStep)
{
    // North's campaign caption differs from its source's.
    Campaign().GetModalityById(111)->SetShortCaption(kLanguage, QStringLiteral("Northern"));
    Load();
    SelectRegion();
    const QString before = Dump();
    const CCellID north = CampaignCell("Northern", "North");
    ASSERT_EQ(Cell(north).GetBackColour(), recon_colours::Yellow);

    // Nothing chosen, or Cancel: no command.
    for (const int result : {IDOK, IDCANCEL}) {
        dialogs.QueueResults({result});
        dialogs.DiffsAnswer = {std::nullopt};
        Focus(north);
        page.OnCommand(ID_RESPONSE_VIEW_DIFFERENCES);
        EXPECT_EQ(History().GetUndoCount(), 0);
    }
    ASSERT_EQ(dialogs.ModalityDiffsRequests.size(), 2u);
    const SModalityDiffsDlgRequest& request = dialogs.ModalityDiffsRequests[0];
    EXPECT_EQ(request.CampaignModality, Campaign().GetModalityById(111));
    EXPECT_EQ(request.SourceModality->GetShortCaption(), QStringLiteral("North"));
    ASSERT_EQ(request.Differences.size(), 1u);
    EXPECT_EQ(request.Differences.begin()->first, 9);

    // A chosen caption: one change, the row without its difference and highlighted after Do.
    CManualClock clock;
    dialogs.QueueResults({IDOK});
    dialogs.DiffsAnswer = {QStringLiteral("North")};
    Focus(north);
    page.OnCommand(ID_RESPONSE_VIEW_DIFFERENCES);
    ASSERT_EQ(History().GetUndoCount(), 1);
    const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
    ASSERT_TRUE(composite);
    EXPECT_EQ(composite->GetCmdCount(), 1);
    EXPECT_TRUE(dynamic_cast<const CCallBackInfoMetaChangeModalityCmd*>(
        composite->CreateCallBackInfo().get()));
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("change response"));
    EXPECT_EQ(Caption(Campaign().GetModalityById(111)), QStringLiteral("North"));
    const CCellID changed = CampaignCell("North", "North");
    ASSERT_GE(changed.row, kFirst);
    EXPECT_GT(page.GetFadeCount(), 0);
    clock.Advance(3000);
    page.OnFadeTimer();
    EXPECT_EQ(Cell(changed).GetBackColour(), recon_colours::Default);
    EXPECT_EQ(page.GetResponseBar()->GetItemState(unsigned(changed.row - kFirst)),
              Page::RowMatched);

    // Undo and Redo refresh the row without a highlight.
    for (const bool undo : {true, false}) {
        ASSERT_TRUE(undo ? app.Undo() : app.Redo());
        EXPECT_EQ(page.GetFadeCount(), 0);
    }
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(Cell(north).GetBackColour(), recon_colours::Yellow);

    // An empty text is a value chosen too.
    dialogs.QueueResults({IDOK});
    dialogs.DiffsAnswer = {QString()};
    Focus(north);
    page.OnCommand(ID_RESPONSE_VIEW_DIFFERENCES);
    EXPECT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(Caption(Campaign().GetModalityById(111)), QString());
}

TEST_F(ResponseMergeTest, TheDifferencesDialogsNewResponseIsTwoStepsUndoneAsOne)
{
    Campaign().GetModalityById(111)->SetShortCaption(kLanguage, QStringLiteral("Northern"));
    Load();
    SelectRegion();
    const QString before = Dump();
    dialogs.QueueResults({ID_DIFFS_NEW_ITEM});
    Focus(CampaignCell("Northern", "North"));
    page.OnCommand(ID_RESPONSE_VIEW_DIFFERENCES);

    // The source response leaves Northern for a new response right after it.
    EXPECT_EQ(History().GetUndoCount(), 2);
    EXPECT_EQ(ResponseRows(), QStringList({"Northern/-", "North/North", "South/South", "West/-",
                                           "Central/-", "-/East", "-/Middle"}));
    const CModality* made = Campaign().GetModalityById(int(page.GetNewResponseId()));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetModalityOrder(), Campaign().GetModalityById(111)->GetModalityOrder() + 1);
    EXPECT_EQ(online->FindModalityMatching(made->GetModalityId())->GetModalitySourceId(),
              QStringLiteral("1"));
    EXPECT_FALSE(online->FindModalityMatchingInherited(111, online->GetVolumeId()));
    // The new response has the source's caption: no difference is left of the pair.
    const CWaveDiffsEntry* entry = app.GetDiffsCache()->GetWaveEntry(2, false);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->GetModalityDiffs().Count(made->GetModalityId()), 0);
    EXPECT_EQ(entry->GetModalityDiffs().Count(111), 0);
    EXPECT_EQ(Cell(CampaignCell("North", "North")).GetBackColour(), recon_colours::Default);

    ASSERT_TRUE(app.Undo());
    EXPECT_FALSE(History().CanUndo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(ResponseRows(), QStringList({"Northern/North", "South/South", "West/-", "Central/-",
                                           "-/East", "-/Middle"}));
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(History().GetUndoCount(), 2);
    EXPECT_GE(ResponseRow("North", "North"), kFirst);
}
