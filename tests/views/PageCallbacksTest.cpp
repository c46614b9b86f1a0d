#include "QuestionPageTestSupport.h"

#include "commands/MatchingCommands.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/views/ManualClock.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

#include <QTest>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

namespace {

// A change record of a kind no callback of the page expects.
class CCallBackInfoOther : public CCallBackInfo
{
};

} // namespace

// The command callbacks and in-place row updates of the reconciliation page, on the page of
// QuestionPageTestSupport.h.
class PageCallbacksTest : public CQuestionPageTest
{
protected:
    COLORREF Back(int row, int col) const
    {
        return page.GetQuestionGrid()->GetCell(row, col)->GetBackColour();
    }
    COLORREF Text(int row, int col) const
    {
        return page.GetQuestionGrid()->GetCell(row, col)->GetTextColour();
    }
    int Image(int row, int col) const
    {
        return page.GetQuestionGrid()->GetCell(row, col)->GetImage();
    }
    // Every data row numbered from 1 without gaps, and one overview item per row.
    void ExpectNumbersAndItems() const
    {
        QStringList numbers;
        for (int i = 1; i <= QDataRows(); ++i)
            numbers << QString::number(i);
        EXPECT_EQ(QuestionNumbers(), numbers.join(u','));
        EXPECT_EQ(page.GetQuestionBar()->GetItemCount(), QDataRows());
    }
    int State(int row) const { return page.GetQuestionBar()->GetItemState(row - kFirst); }
    // The id the question mapper gives for the row.
    long Key(int row) const { return page.GetQuestionRows().GetId(row); }
    bool Issue(std::unique_ptr<CCmdVirtual> command, const CCmdCallBacks& callBacks)
    {
        return IssueCommand(std::move(command), callBacks, nullptr, false);
    }
};

TEST_F(PageCallbacksTest, BreakingAMatchingSplitsTheRowAndUndoJoinsItAgain)
{
    const QStringList before = Rows();
    const QString states = QuestionStates();
    // BRAND differs from its source: bold on yellow, state 1.
    const int brand = Row("BRAND", "BRAND");
    EXPECT_EQ(Back(brand, Page::QColShortcut), recon_colours::Yellow);
    EXPECT_EQ(State(brand), Page::RowDiffers);

    page.SelectQuestionRow(brand, Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    QStringList split = before;
    split[brand - kFirst] = QStringLiteral("BRAND/-/-");
    split.insert(brand - kFirst + 1, QStringLiteral("-/BRAND/Online"));
    EXPECT_EQ(Rows(), split);
    ExpectNumbersAndItems();
    EXPECT_EQ(State(brand), Page::RowUnmatched);
    EXPECT_EQ(State(brand + 1), Page::RowUnmatched);
    EXPECT_GT(Key(brand), 0);
    EXPECT_LT(Key(brand + 1), 0);
    // The campaign row keeps the question, its source side red and empty; the new row shows the
    // source question with the image of a source item alone.
    EXPECT_EQ(Text(brand, Page::QColSourceShortcut), recon_colours::Red);
    EXPECT_EQ(page.GetQuestionRows().GetVolumeId(brand), -1);
    EXPECT_EQ(Image(brand, Page::QColSourceState), int(Page::ImageMissing));
    EXPECT_EQ(Image(brand + 1, Page::QColSourceState), int(Page::ImageSourceOnly));
    EXPECT_EQ(Text(brand + 1, Page::QColShortcut), recon_colours::Red);
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell().row, brand);
    EXPECT_EQ(page.GetCurrentQuestionId(), 12);

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Rows(), before);
    ExpectNumbersAndItems();
    EXPECT_EQ(QuestionStates(), states);
    EXPECT_EQ(Back(brand, Page::QColShortcut), recon_colours::Yellow);
    EXPECT_EQ(Key(brand), 12);

    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Rows(), split);
    ExpectNumbersAndItems();
}

TEST_F(PageCallbacksTest, BreakingTheLastRowAppendsTheSourceRow)
{
    CViewSettings view = app.GetViewSettings();
    view.SetShowUnmatchedSourceQuestions(0);
    app.SetViewSettings(view);
    Load();
    const int last = page.GetQuestionGrid()->GetRowCount() - 1;
    ASSERT_EQ(Rows().last(), QStringLiteral("INLOOP/INLOOP/Phone"));
    page.SelectQuestionRow(last, Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    EXPECT_EQ(Rows().mid(Rows().size() - 2), QStringList({"INLOOP/-/-", "-/INLOOP/Phone"}));
    ExpectNumbersAndItems();
    EXPECT_EQ(State(last + 1), Page::RowUnmatched);
}

TEST_F(PageCallbacksTest, DetachingTakesTheCampaignSideAwayAndDropsRowsLeftWithNothing)
{
    // AGE's matchings broken in Online, then in Phone: its Online row goes to the source
    // question (Phone still matched AGE), its Phone row keeps it without a source.
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    ASSERT_EQ(Rows().mid(0, 3), QStringList({"-/AGE/Online", "AGE/-/-", "-/AGE/Phone"}));
    const int rows = QDataRows();
    page.DetachCampaignQuestionRows(*Campaign().GetQuestionById(10));
    EXPECT_EQ(Rows().mid(0, 3),
              QStringList({"-/AGE/Online", "-/AGE/Phone", "REGION/REGION/Online"}));
    EXPECT_EQ(QDataRows(), rows - 1);
    ExpectNumbersAndItems();
    EXPECT_LT(Key(kFirst), 0);
    EXPECT_EQ(State(kFirst), Page::RowUnmatched);
    EXPECT_EQ(page.GetQuestionRows().GetFirstRow(10), Page::kNoRow);

    // A response row: the matched one keeps its source side, the unmatched one goes.
    SelectRow(Row("REGION", "REGION"));
    page.DetachCampaignResponseRow(*Campaign().GetModalityById(111));
    page.DetachCampaignResponseRow(*Campaign().GetModalityById(113));
    EXPECT_EQ(ResponseRows(),
              QStringList({"-/North", "South/South", "Central/-", "-/East", "-/Middle"}));
    EXPECT_LT(page.GetResponseRows().GetId(kFirst), 0);
    EXPECT_EQ(page.GetResponseBar()->GetItemState(0), Page::RowUnmatched);
    EXPECT_EQ(page.GetResponseBar()->GetItemCount(), RDataRows());
    EXPECT_EQ(RText(kFirst + 2, 0), QStringLiteral("3"));
}

TEST_F(PageCallbacksTest, ARecordOfAnotherKindIsOnlyLetGo)
{
    const QStringList rows = Rows();
    const QString states = QuestionStates();
    const CCmdCallBacks sets[] = {page.NewQuestionCallBacks(),
                                  page.NewModalityCallBacks(),
                                  page.ChangeQuestionCallBacks(),
                                  page.ChangeModalityCallBacks(),
                                  page.CreateQuesMatchingCallBacks(),
                                  page.BreakQuesMatchingCallBacks(),
                                  page.DeepBreakQuesMatchingCallBacks(),
                                  page.ReorderQuesModalitiesCallBacks(),
                                  page.MetaChangeQuesAppVolIDCallBacks(),
                                  page.MetaChangeModAppVolIDCallBacks(),
                                  page.MetaCmdCallBacks(10),
                                  page.FixAllPlaceHolderCallBacks()};
    for (const CCmdCallBacks& set : sets)
        for (const CCmdCallBack& handler : {set.AfterDo, set.AfterUndo, set.AfterRedo}) {
            handler(std::make_unique<CCallBackInfoOther>());
            handler(nullptr);
        }
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(QuestionStates(), states);

    // The history may run a handler after its page has gone: it does nothing, not even make the
    // differences stale.
    CCmdCallBacks orphan;
    {
        CRightReconciliationPage gone;
        orphan = gone.FixAllPlaceHolderCallBacks();
    }
    orphan.AfterDo(std::make_unique<CCallBackInfoFixAllPlaceHolderCmd>());
    const CWaveDiffsEntry* entry = app.GetDiffsCache()->GetWaveEntry(int(page.GetWaveId()), false);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->IsWholeWaveInvalid());
}

TEST_F(PageCallbacksTest, ARowFadesToItsNewColourOverTwoAndAHalfSeconds)
{
    CManualClock clock;
    const int spare = Row("SPARE", "-");
    // Already the colour: nothing to fade.
    page.StartQuestionRowFade(spare, recon_colours::Default);
    EXPECT_EQ(page.GetFadeCount(), 0);
    EXPECT_FALSE(page.IsFadeTimerRunning());

    page.StartQuestionRowFade(spare, recon_colours::Yellow);
    EXPECT_EQ(page.GetFadeCount(), 1);
    EXPECT_TRUE(page.IsFadeTimerRunning());
    clock.Advance(1250);
    page.OnFadeTimer();
    // Halfway each channel is the whole-number middle of 0xF8F8F8 and 0x5FF2FE.
    for (int col = 1; col < 14; ++col)
        EXPECT_EQ(Back(spare, col), RGB(251, 245, 172)) << col;
    clock.Advance(1250);
    page.OnFadeTimer();
    EXPECT_EQ(Back(spare, Page::QColVolume), RGB(254, 242, 95));
    EXPECT_EQ(page.GetFadeCount(), 1);
    clock.Advance(1);
    page.OnFadeTimer();
    EXPECT_EQ(Back(spare, Page::QColVolume), recon_colours::Yellow);
    EXPECT_EQ(page.GetFadeCount(), 0);
    EXPECT_FALSE(page.IsFadeTimerRunning());

    // The timer steps the fade: a break's split row fades from yellow to the default colour.
    const int brand = Row("BRAND", "BRAND");
    page.SelectQuestionRow(brand, Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    EXPECT_EQ(Back(brand, Page::QColShortcut), recon_colours::Yellow);
    ASSERT_TRUE(page.IsFadeTimerRunning());
    clock.Advance(1250);
    QTest::qWait(250);
    EXPECT_EQ(Back(brand, Page::QColShortcut), RGB(251, 245, 171));
    clock.Advance(1300);
    QTest::qWait(250);
    EXPECT_EQ(Back(brand, Page::QColShortcut), recon_colours::Default);
    EXPECT_FALSE(page.IsFadeTimerRunning());
    // A new fill forgets the fades of the rows it replaces.
    page.StartQuestionRowFade(brand, recon_colours::Yellow);
    Load();
    EXPECT_EQ(page.GetFadeCount(), 0);
}

TEST_F(PageCallbacksTest, ARefillOfTheResponseGridStopsItsFadesAndOnlyThose)
{
    CManualClock clock;
    SelectRow(Row("REGION", "REGION"));
    const int central = ResponseRow("Central", "-");
    const int spare = Row("SPARE", "-");
    page.StartResponseRowFade(central, recon_colours::Yellow);
    page.StartQuestionRowFade(spare, recon_colours::Yellow);
    ASSERT_EQ(page.GetFadeCount(), 2);
    // "Re-order Campaign Responses" fills the response grid again.
    const int steps = app.GetCommandHistory().GetUndoCount();
    page.OnCommand(ID_QUESTION_REORDER_RESPONSES);
    ASSERT_EQ(app.GetCommandHistory().GetUndoCount(), steps + 1);
    EXPECT_EQ(page.GetFadeCount(), 1);
    clock.Advance(2600);
    page.OnFadeTimer();
    // No response row took the fade's colour; the question row's fade ran to its end.
    const CWaveGridCtrl& responses = *page.GetResponseGrid();
    for (int row = kFirst; row < responses.GetRowCount(); ++row)
        EXPECT_NE(responses.GetCell(row, Page::RColCaption)->GetBackColour(), recon_colours::Yellow)
            << row;
    EXPECT_EQ(Back(spare, Page::QColShortcut), recon_colours::Yellow);

    // A refill of the question grid stops the fades of both.
    page.StartResponseRowFade(kFirst, recon_colours::Yellow);
    page.StartQuestionRowFade(spare, recon_colours::Grey);
    ASSERT_EQ(page.GetFadeCount(), 2);
    page.ReloadWave();
    EXPECT_EQ(page.GetFadeCount(), 0);
    EXPECT_FALSE(page.IsFadeTimerRunning());
}

TEST_F(PageCallbacksTest, ARemovedQuestionTurnsGreyAndItsUndoGivesTheColoursBack)
{
    CManualClock clock;
    const int spare = Row("SPARE", "-");
    ASSERT_TRUE(page.RemoveCampaignQuestion(Campaign().GetQuestionById(13), false));
    // After Do, without a fade: the whole row light grey in the default text colour.
    EXPECT_EQ(Back(spare, Page::QColShortcut), recon_colours::LightGrey);
    EXPECT_EQ(Back(spare, Page::QColVolume), recon_colours::LightGrey);
    EXPECT_EQ(Text(spare, Page::QColShortcut), recon_colours::Default);
    EXPECT_EQ(Image(spare, Page::QColState), int(Page::ImageDeleted));
    EXPECT_EQ(State(spare), Page::RowMatched);

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Back(spare, Page::QColShortcut), recon_colours::Default);
    EXPECT_EQ(Text(spare, Page::QColSourceShortcut), recon_colours::Red);
    EXPECT_EQ(Image(spare, Page::QColState), int(Page::ImageMatched));
    EXPECT_EQ(State(spare), Page::RowUnmatched);

    // After Redo, fading: the campaign texts grey, the background on its way to light grey.
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Text(spare, Page::QColShortcut), recon_colours::Grey);
    EXPECT_EQ(page.GetFadeCount(), 1);
    clock.Advance(2600);
    page.OnFadeTimer();
    EXPECT_EQ(Back(spare, Page::QColShortcut), recon_colours::LightGrey);
}

TEST_F(PageCallbacksTest, ANewQuestionMatchedAndBothUndoneLeaveTheRowsAsTheyWere)
{
    const QStringList before = Rows();
    ASSERT_TRUE(Issue(std::make_unique<CCmdNewQuestion>(&Campaign(), online, extra, -1),
                      page.NewQuestionCallBacks()));
    const int made = int(page.GetNewQuestionId());
    CQuestion* question = Campaign().GetQuestionById(made);
    ASSERT_NE(question, nullptr);
    // A new question is shown once it has a matching.
    EXPECT_EQ(Rows(), before);
    ASSERT_TRUE(
        Issue(std::make_unique<CCmdCreateQuesMatching>(&Campaign(), online, question, extra),
              page.CreateQuesMatchingCallBacks()));
    EXPECT_GE(Row(question->GetShortcut(), "EXTRA"), kFirst);
    EXPECT_EQ(Row("-", "EXTRA"), -1);
    EXPECT_EQ(Key(Row(question->GetShortcut(), "EXTRA")), made);

    ASSERT_TRUE(app.Undo());
    EXPECT_GE(Row(question->GetShortcut(), "-"), kFirst);
    EXPECT_GE(Row("-", "EXTRA"), kFirst);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Rows().size(), before.size());
    for (const QString& row : before)
        EXPECT_TRUE(Rows().contains(row)) << qPrintable(row);
    ExpectNumbersAndItems();
}

TEST_F(PageCallbacksTest, AChangedResponseIsRewrittenInItsRow)
{
    SelectRow(Row("REGION", "REGION"));
    const int west = ResponseRow("West", "-");
    CModality* response = Campaign().GetModalityById(113);
    ASSERT_TRUE(Issue(std::make_unique<CCmdChangeModality>(&Campaign(), response,
                                                           MODALITY_PROP_DELETION_WAVE, CValue(2)),
                      page.ChangeModalityCallBacks()));
    CWaveGridCtrl& grid = *page.GetResponseGrid();
    EXPECT_EQ(grid.GetCell(west, Page::RColState)->GetImage(), int(Page::ImageDeleted));
    EXPECT_EQ(grid.GetCell(west, Page::RColCaption)->GetTextColour(), recon_colours::Grey);
    EXPECT_EQ(grid.GetCell(west, Page::RColSourceCaption)->GetBackColour(),
              recon_colours::LightGrey);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(grid.GetCell(west, Page::RColState)->GetImage(), int(Page::ImageMatched));
    EXPECT_EQ(grid.GetCell(west, Page::RColSourceCaption)->GetBackColour(), recon_colours::Default);
    EXPECT_EQ(page.GetResponseBar()->GetItemState(west - kFirst), Page::RowUnmatched);

    // A source response matched to a campaign response joins its row.
    const qnr::CModalite* east = page.GetCurrentSourceQuestion()->FindModaliteById(3);
    ASSERT_TRUE(
        Issue(std::make_unique<CCmdCreateModMatching>(&Campaign(), online, response, east), {}));
    page.ShowResponseMatched(*online, *response, *east, false);
    EXPECT_EQ(ResponseRows(),
              QStringList({"North/North", "South/South", "West/East", "Central/-", "-/Middle"}));
    EXPECT_EQ(page.GetResponseBar()->GetItemCount(), RDataRows());
    // Their captions differ: the response row, and its question's, show it.
    EXPECT_EQ(page.GetResponseBar()->GetItemState(west - kFirst), Page::RowDiffers);
    EXPECT_EQ(grid.GetCell(west, Page::RColCaption)->GetBackColour(), recon_colours::Yellow);
    EXPECT_EQ(State(Row("REGION", "REGION")), Page::RowDiffers);
    EXPECT_EQ(page.GetResponseGrid()->GetFocusCell().row, west);
}

TEST_F(PageCallbacksTest, CompositeStepsUpdateTheRowsOfTheirSubject)
{
    CManualClock clock;
    // A question that appears in a later wave takes a source question of this wave: the
    // source question's row takes it, and its Undo takes it away again.
    CWave* autumn = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
    view_test::AddVolume(Campaign(), *autumn, 4, QStringLiteral("Later"), VOLUME_RECONCILED);
    CQuestion* late = recon_test::AddQuestion(Campaign(), 19, 10, "LATE", "Late", 4);
    Load();
    ASSERT_EQ(Row("LATE", "-"), -1);
    auto reuse = std::make_unique<CMetaChangeQuesAppVolIDCmd>(63314, 2, 19, 4);
    // The matching comes first: an appearance volume must be one that matches the question.
    reuse->AddCmd(std::make_unique<CCmdCreateQuesMatching>(&Campaign(), online, late, extra));
    reuse->AddCmd(std::make_unique<CCmdChangeQuestion>(&Campaign(), late,
                                                       QUESTION_PROP_APPEARANCE_VOLUME, CValue(2)));
    ASSERT_TRUE(Issue(std::move(reuse), page.MetaChangeQuesAppVolIDCallBacks()));
    EXPECT_GE(Row("LATE", "EXTRA"), kFirst);
    EXPECT_EQ(Row("-", "EXTRA"), -1);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Row("LATE", "EXTRA"), -1);
    EXPECT_GE(Row("-", "EXTRA"), kFirst);
    ExpectNumbersAndItems();

    clock.Advance(3000);
    page.OnFadeTimer();
    ASSERT_EQ(page.GetFadeCount(), 0);

    // A composite about BRAND that renames it and gives it its source's caption: the row reads
    // the new shortcut and no longer differs, fading from yellow; its Undo gives both back.
    const int brand = Row("BRAND", "BRAND");
    CQuestion* question = Campaign().GetQuestionById(12);
    CValue caption;
    caption.SetText(QStringLiteral("Brand name"));
    CValue shortcut;
    shortcut.SetText(QStringLiteral("MARQUE"));
    auto change = std::make_unique<CMetaCmd>(63336);
    change->AddCmd(std::make_unique<CCmdChangeQuestion>(&Campaign(), question,
                                                        QUESTION_PROP_SHORTCUT, shortcut));
    change->AddCmd(std::make_unique<CCmdChangeQuestionShortCaption>(
        &Campaign(), question, QUESTION_PROP_SHORT_CAPTION,
        CCaptionValue(caption, recon_test::kLanguage)));
    ASSERT_TRUE(Issue(std::move(change), page.MetaCmdCallBacks(12)));
    EXPECT_EQ(QText(brand, Page::QColShortcut), QStringLiteral("MARQUE"));
    EXPECT_EQ(State(brand), Page::RowMatched);
    EXPECT_EQ(page.GetFadeCount(), 1);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(QText(brand, Page::QColShortcut), QStringLiteral("BRAND"));
    EXPECT_EQ(State(brand), Page::RowDiffers);
    EXPECT_EQ(Back(brand, Page::QColShortcut), recon_colours::Yellow);

    // Re-ordered responses: the question's row becomes the current one, its responses shown.
    SelectRow(Row("AGE", "AGE"));
    CQuestion* region = Campaign().GetQuestionById(11);
    ASSERT_TRUE(Issue(
        std::make_unique<CCmdReorderQuesModalities>(&Campaign(), Campaign().FindWave(2), region),
        page.ReorderQuesModalitiesCallBacks()));
    EXPECT_EQ(page.GetCurrentQuestionId(), 11);
    EXPECT_EQ(RDataRows(), 6);

    // A new response made from a source response: its id is kept; Undo leaves the rows.
    const QStringList responses = ResponseRows();
    const qnr::CModalite* east = page.GetCurrentSourceQuestion()->FindModaliteById(3);
    ASSERT_TRUE(Issue(std::make_unique<CCmdNewModality>(&Campaign(), online, region, east, -1),
                      page.NewModalityCallBacks()));
    EXPECT_GT(page.GetNewResponseId(), 114);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(ResponseRows(), responses);
}
