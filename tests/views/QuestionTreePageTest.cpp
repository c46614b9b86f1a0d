#include "ViewTestSupport.h"

#include "commands/CommandHistory.h"
#include "controls/AutoRepeatButton.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "support/SameDump.h"
#include "support/TestCommands.h"
#include "views/IssueCommand.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightTreePage.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace pelko_wave;
using namespace view_test;

namespace {

// A repeat timer that ticks when the test says.
class CManualRepeatTimer : public IRepeatTimer
{
public:
    void Start(int milliseconds) override { Periods.push_back(milliseconds); }
    void Stop() override { Stopped = true; }
    std::vector<int> Periods;
    bool Stopped = false;
};

} // namespace

// The campaign questionnaire of these tests (order, indent, shortcut):
//   1 1 SCREENING (chapter)   2 2 S1   3 2 S2
//   4 1 VISITS (chapter)      5 2 V1   6 2 V2 (loop)   7 3 V2A
//   8 1 D1
class QuestionTreePageTest : public CViewTest
{
protected:
    QuestionTreePageTest()
    {
        AddQuestion(Campaign(), 10, 1, 1, QStringLiteral("SCREENING"), 0, 0);
        AddQuestion(Campaign(), 11, 2, 2, QStringLiteral("S1"));
        AddQuestion(Campaign(), 12, 3, 2, QStringLiteral("S2"));
        AddQuestion(Campaign(), 20, 4, 1, QStringLiteral("VISITS"), 0, 0);
        AddQuestion(Campaign(), 21, 5, 2, QStringLiteral("V1"), 1, 5);
        AddQuestion(Campaign(), 22, 6, 2, QStringLiteral("V2"), 2, 1);
        AddQuestion(Campaign(), 23, 7, 3, QStringLiteral("V2A"), 1, 4);
        AddQuestion(Campaign(), 30, 8, 1, QStringLiteral("D1"));
        page.resize(360, 320);
        page.show();
        page.ShowCampaign();
    }

    CQuestionTreeCtrl& Tree() { return *page.GetTree(); }
    HTREEITEM Item(int questionId) { return Tree().FindItemByData(quintptr(questionId)); }

    // The tree as "SHORTCUT(depth)" in pre-order, expanded or not.
    QString Outline()
    {
        QStringList parts;
        for (HTREEITEM walk = Tree().GetRootItem(); walk; walk = Tree().GetNextTreeItem(walk))
            parts << QStringLiteral("%1(%2)")
                         .arg(Tree().GetItemText(walk))
                         .arg(CQuestionTreeCtrl::GetDepth(walk));
        return parts.join(u' ');
    }
    // The campaign's shown questions as "SHORTCUT order/indent" in question order.
    QString Numbering()
    {
        QStringList parts;
        for (int i = 0; i < Campaign().GetQuestionCount(); ++i) {
            const CQuestion* q = Campaign().GetQuestion(i);
            parts << QStringLiteral("%1 %2/%3")
                         .arg(q->GetShortcut())
                         .arg(q->GetOrder())
                         .arg(q->GetIndent());
        }
        return parts.join(QStringLiteral(", "));
    }
    void ClickItem(int questionId, Qt::KeyboardModifiers modifiers = {})
    {
        HTREEITEM item = Item(questionId);
        ASSERT_NE(item, nullptr);
        Tree().scrollToItem(item);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, modifiers,
                          Tree().GetItemRect(item, true).center());
    }
    void ClickButton(CRightTreePage::EButton button)
    {
        QTest::mouseClick(page.GetButton(button), Qt::LeftButton);
    }
    // Renames the question's item by F2, typing and Return.
    void Rename(int questionId, const QString& text)
    {
        ClickItem(questionId);
        QTest::keyClick(&Tree(), Qt::Key_F2);
        auto* editor = Tree().findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), Campaign().GetQuestionById(questionId)->GetShortcut());
        editor->selectAll();
        if (!text.isEmpty())
            QTest::keyClicks(editor, text);
        else
            QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view commits the edit from its event loop
        // The closed editor goes now, so that the next rename finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool Enabled(CRightTreePage::EButton button) { return page.GetButton(button)->isEnabled(); }
    bool Selected(int questionId) { return Tree().GetNativeState(Item(questionId), TVIS_SELECTED); }

    CRightTreePage page;
};

TEST_F(QuestionTreePageTest, CampaignQuestionsNestByIndent)
{
    EXPECT_EQ(page.GetMode(), CRightTreePage::ModeCampaign);
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1)"));
    EXPECT_EQ(Tree().GetItemImage(Item(10)), 0);  // chapter
    EXPECT_EQ(Tree().GetItemImage(Item(21)), 15); // numeric
    EXPECT_EQ(Tree().GetItemImage(Item(22)), 10); // loop over responses
    EXPECT_EQ(Tree().GetItemImage(Item(23)), 17); // open
    // Text and image follow the campaign without a refill; a question gone shows neither.
    Campaign().GetQuestionById(21)->SetElementType(0);
    Campaign().GetQuestionById(21)->SetShortcut(QStringLiteral("VISITS_N"));
    EXPECT_EQ(Tree().GetItemImage(Item(21)), 0);
    EXPECT_EQ(Tree().GetItemText(Item(21)), QStringLiteral("VISITS_N"));
    Tree().SetItemData(Item(30), quintptr(-1));
    EXPECT_EQ(Tree().GetItemImage(Tree().GetLastTreeItem()), 11);
    EXPECT_EQ(Tree().GetItemText(Tree().GetLastTreeItem()), QString());
    Tree().SetItemData(Tree().GetLastTreeItem(), 99);
    EXPECT_EQ(Tree().GetItemImage(Tree().GetLastTreeItem()), -1);
    page.ShowCampaign();
    // The root item is the caret, nothing is selected: only a chapter can be added.
    EXPECT_EQ(Tree().GetSelectedItem(), Item(10));
    EXPECT_EQ(Tree().GetSelectedCount(), 0);
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonUp));
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonDown));
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonLeft));
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonRight));
    EXPECT_TRUE(Enabled(CRightTreePage::ButtonAddChapter));
}

TEST_F(QuestionTreePageTest, ReservedAndDeletedQuestionsAndStrayIndentsAreHandled)
{
    Campaign().CreateReservedQuestion(1, QStringLiteral("RESERVED"), 2057);
    // The reserved question takes order 0 and moves the others up by one: D1 is 9 now.
    CQuestion* gone = AddQuestion(Campaign(), 40, 10, 1, QStringLiteral("GONE"));
    gone->SetDeletionWaveId(3);
    // Indent 4 after an item of indent 1 goes to the root level (the deeper levels ended with
    // D1); indent 0 too.
    AddQuestion(Campaign(), 41, 11, 4, QStringLiteral("DEEP"));
    AddQuestion(Campaign(), 42, 12, 0, QStringLiteral("FLAT"));
    page.ShowCampaign();
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1) "
                             "DEEP(1) FLAT(1)"));
}

TEST_F(QuestionTreePageTest, WaveAndVolumeShowTheMatchedQuestionsReadOnly)
{
    CWave* wave = AddWave(Campaign(), 1, QStringLiteral("Spring"));
    CVolume* online = AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
    CVolume* phone = AddVolume(Campaign(), *wave, 2, QStringLiteral("Phone"), VOLUME_INCOMPLETE);
    CVolume* paper = AddVolume(Campaign(), *wave, 3, QStringLiteral("Paper"), VOLUME_UNRECONCILED);
    for (int id : {20, 21, 30})
        Match(*online, id);
    for (int id : {22, 23})
        Match(*phone, id);
    Match(*paper, 11);

    // The wave: its reconciled volumes only, nested by indent among themselves.
    page.ShowWave(1);
    EXPECT_EQ(page.GetMode(), CRightTreePage::ModeWave);
    EXPECT_EQ(Outline(), QStringLiteral("VISITS(1) V1(2) D1(1)"));
    for (int b = 0; b < CRightTreePage::ButtonCount; ++b)
        EXPECT_FALSE(Enabled(CRightTreePage::EButton(b)));
    ClickItem(21);
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonLeft));

    // A volume started but not finished shows what it matched; an unreconciled one nothing.
    page.ShowVolume(2);
    EXPECT_EQ(page.GetMode(), CRightTreePage::ModeVolume);
    EXPECT_EQ(Outline(), QStringLiteral("V2(1) V2A(2)"));
    page.ShowVolume(3);
    EXPECT_EQ(Outline(), QString());
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonAddChapter));

    // A wave whose volumes are all unreconciled shows an empty page.
    CWave* fresh = AddWave(Campaign(), 2, QStringLiteral("Autumn"));
    Match(*AddVolume(Campaign(), *fresh, 4, QStringLiteral("New"), VOLUME_UNRECONCILED), 10);
    page.ShowWave(2);
    EXPECT_EQ(Outline(), QString());
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST_F(QuestionTreePageTest, AMatchedQuestionMissingFromTheCampaignIsReportedAndSkipped)
{
    CWave* wave = AddWave(Campaign(), 1, QStringLiteral("Spring"));
    CVolume* online = AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
    Match(*online, 30);
    Match(*online, 77);
    page.ShowWave(1);
    EXPECT_EQ(Outline(), QStringLiteral("D1(1)"));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("Missing matched campaign question with ID '77'."));
    EXPECT_EQ(windows.PromptTypes[0] & 0xF0, unsigned(MB_ICONWARNING));
}

TEST_F(QuestionTreePageTest, ButtonsFollowTheSelection)
{
    ClickItem(21);
    EXPECT_TRUE(Enabled(CRightTreePage::ButtonUp));
    EXPECT_TRUE(Enabled(CRightTreePage::ButtonDown));
    EXPECT_TRUE(Enabled(CRightTreePage::ButtonLeft));
    EXPECT_TRUE(Enabled(CRightTreePage::ButtonRight));
    // The first question cannot go up; the last visible item cannot go down.
    ClickItem(10);
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonUp));
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonRight));
    ClickItem(30);
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonDown));
}

TEST_F(QuestionTreePageTest, AChapterMovedByClicksRenumbersTheCampaignInOneStepAndUndoes)
{
    const QString before = DumpCampaign(Campaign());
    Tree().Expand(Item(20), TVE_EXPAND);
    Tree().Expand(Item(22), TVE_EXPAND);
    ClickItem(20);
    ASSERT_TRUE(Selected(20));
    ClickButton(CRightTreePage::ButtonUp);

    EXPECT_EQ(Outline(),
              QStringLiteral("VISITS(1) V1(2) V2(2) V2A(3) SCREENING(1) S1(2) S2(2) D1(1)"));
    EXPECT_EQ(Numbering(), QStringLiteral("VISITS 1/1, V1 2/2, V2 3/2, V2A 4/3, SCREENING 5/1, "
                                          "S1 6/2, S2 7/2, D1 8/1"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_EQ(app.GetCommandHistory().GetUndoStepName(), QStringLiteral("re-order questions"));
    // The moved chapter keeps its expansion, its children theirs, and stays selected.
    EXPECT_TRUE(Tree().IsExpanded(Item(20)));
    EXPECT_TRUE(Tree().IsExpanded(Item(22)));
    EXPECT_TRUE(Selected(20));
    EXPECT_EQ(windows.Restored.size(), 0u);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1)"));
    EXPECT_TRUE(Tree().IsExpanded(Item(20)));
    EXPECT_TRUE(Tree().IsExpanded(Item(22)));
    EXPECT_FALSE(Tree().IsExpanded(Item(10)));
    EXPECT_TRUE(Selected(20));
    EXPECT_EQ(Tree().GetSelectedCount(), 1);
    // The snapshot taken with the move came back first.
    EXPECT_EQ(windows.Restored.size(), 1u);

    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Outline(),
              QStringLiteral("VISITS(1) V1(2) V2(2) V2A(3) SCREENING(1) S1(2) S2(2) D1(1)"));
    EXPECT_EQ(Numbering(), QStringLiteral("VISITS 1/1, V1 2/2, V2 3/2, V2A 4/3, SCREENING 5/1, "
                                          "S1 6/2, S2 7/2, D1 8/1"));
}

TEST_F(QuestionTreePageTest, MovesLeftRightAndDownChangeNesting)
{
    // V1 right: into SCREENING's last sibling before it? No: into its previous sibling, none.
    ClickItem(20);
    Tree().Expand(Item(20), TVE_EXPAND);
    ClickItem(22);
    ClickButton(CRightTreePage::ButtonRight); // V2 into V1
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(3) V2A(4) D1(1)"));
    EXPECT_EQ(Campaign().GetQuestionById(23)->GetIndent(), 4);
    ClickButton(CRightTreePage::ButtonLeft); // and back out, after V1
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1)"));
    ClickButton(CRightTreePage::ButtonLeft); // out of VISITS, after it
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(1) V2A(2) D1(1)"));
    ClickButton(CRightTreePage::ButtonDown); // after D1
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) D1(1) V2(1) V2A(2)"));
    EXPECT_EQ(Numbering(), QStringLiteral("SCREENING 1/1, S1 2/2, S2 3/2, VISITS 4/1, V1 5/2, "
                                          "D1 6/1, V2 7/1, V2A 8/2"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 4);
}

TEST_F(QuestionTreePageTest, TheLastChildGoingDownLeavesForTheLevelAbove)
{
    ClickItem(10);
    Tree().Expand(Item(10), TVE_EXPAND);
    ClickItem(12);
    ClickButton(CRightTreePage::ButtonDown);
    // After the next item of a higher level, VISITS, with all of VISITS's subtree.
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) VISITS(1) V1(2) V2(2) V2A(3) S2(1) D1(1)"));
}

TEST_F(QuestionTreePageTest, AFirstChildGoingUpJoinsThePreviousChapter)
{
    Tree().Expand(Item(20), TVE_EXPAND);
    ClickItem(21);
    ClickButton(CRightTreePage::ButtonUp);
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) V1(2) VISITS(1) V2(2) V2A(3) D1(1)"));
    // A first child of the first item goes to the level above, before its parent.
    Tree().Expand(Item(10), TVE_EXPAND);
    Tree().SelectAll(false);
    ClickItem(11);
    ClickButton(CRightTreePage::ButtonUp);
    EXPECT_EQ(Outline(),
              QStringLiteral("S1(1) SCREENING(1) S2(2) V1(2) VISITS(1) V2(2) V2A(3) D1(1)"));
}

TEST_F(QuestionTreePageTest, MovingNothingIssuesNoCommand)
{
    const QString outline = Outline();
    ClickItem(30);
    page.MoveDown(); // D1 is the last item
    ClickItem(10);
    page.MoveUp();    // SCREENING is the first
    page.MoveLeft();  // and at the root level
    page.MoveRight(); // with no item before it
    EXPECT_EQ(Outline(), outline);
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
}

TEST_F(QuestionTreePageTest, SeveralSelectedItemsMoveTogether)
{
    Tree().Expand(Item(20), TVE_EXPAND);
    ClickItem(20);
    ClickItem(21, Qt::ControlModifier); // inside the selected chapter: moves with it
    ClickItem(30, Qt::ControlModifier);
    ClickButton(CRightTreePage::ButtonUp);
    // Each moved before its previous sibling, first to last; V1 went with VISITS.
    EXPECT_EQ(Outline(),
              QStringLiteral("VISITS(1) V1(2) V2(2) V2A(3) D1(1) SCREENING(1) S1(2) S2(2)"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_TRUE(Selected(20));
    EXPECT_TRUE(Selected(21));
    EXPECT_TRUE(Selected(30));
    // The selection now starts at the first question: it cannot go up further.
    EXPECT_FALSE(Enabled(CRightTreePage::ButtonUp));
}

TEST_F(QuestionTreePageTest, HoldingAButtonRepeatsTheMove)
{
    auto timer = std::make_unique<CManualRepeatTimer>();
    CManualRepeatTimer& repeat = *timer;
    CAutoRepeatButton& down = *page.GetButton(CRightTreePage::ButtonDown);
    down.SetRepeatTimer(std::move(timer));
    ClickItem(10);
    QTest::mousePress(&down, Qt::LeftButton);
    repeat.Tick();
    repeat.Tick();
    QTest::mouseRelease(&down, Qt::LeftButton);
    EXPECT_EQ(repeat.Periods, std::vector<int>({300, 150, 150}));
    EXPECT_EQ(Outline(),
              QStringLiteral("VISITS(1) V1(2) V2(2) V2A(3) D1(1) SCREENING(1) S1(2) S2(2)"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 2);
}

TEST_F(QuestionTreePageTest, DeletedQuestionsKeepTheirPlaceAndUndoGivesEveryOrderBack)
{
    // A deleted question between V1 and V2, not shown, and numbering with gaps.
    CQuestion* gone = AddQuestion(Campaign(), 40, 9, 2, QStringLiteral("GONE"));
    gone->SetDeletionWaveId(1);
    Campaign().GetQuestionById(40)->SetOrder(5);
    Campaign().GetQuestionById(21)->SetOrder(4); // equal to VISITS: a tie the tree keeps
    Campaign().SortQuestions();
    page.ShowCampaign();
    ASSERT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1)"));
    const QString before = DumpCampaign(Campaign());

    ClickItem(30);
    ClickButton(CRightTreePage::ButtonUp);
    // GONE stays after V1, the shown question before it, and is numbered with the rest.
    EXPECT_EQ(Numbering(), QStringLiteral("SCREENING 1/1, S1 2/2, S2 3/2, D1 4/1, VISITS 5/1, "
                                          "V1 6/2, GONE 7/2, V2 8/2, V2A 9/3"));
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
}

TEST_F(QuestionTreePageTest, RenameByLabelEditIsOneUndoableCommand)
{
    Rename(21, QStringLiteral("VISITS_NUMBER"));
    EXPECT_EQ(Campaign().GetQuestionById(21)->GetShortcut(), QStringLiteral("VISITS_NUMBER"));
    EXPECT_EQ(Tree().GetItemText(Item(21)), QStringLiteral("VISITS_NUMBER"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Tree().GetItemText(Item(21)), QStringLiteral("V1"));
    EXPECT_TRUE(Selected(21));
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Tree().GetItemText(Item(21)), QStringLiteral("VISITS_NUMBER"));
}

TEST_F(QuestionTreePageTest, RenameToTheSameTextIssuesNothingButCaseCounts)
{
    Rename(30, QString());
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
    Rename(30, QStringLiteral("d1"));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_EQ(Campaign().GetQuestionById(30)->GetShortcut(), QStringLiteral("d1"));
}

TEST_F(QuestionTreePageTest, ABlankNameIsRefusedAndTheOldNameStays)
{
    for (const QString& blank : {QString(), QStringLiteral("   ")}) {
        SCOPED_TRACE(qPrintable(QStringLiteral("'%1'").arg(blank)));
        windows.Prompts.clear();
        ClickItem(21);
        QTest::keyClick(&Tree(), Qt::Key_F2);
        auto* editor = Tree().findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, blank);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_EQ(windows.Prompts,
                  QStringList({"A question's name cannot be empty. The question keeps its name "
                               "\"V1\"."}));
        EXPECT_EQ(Campaign().GetQuestionById(21)->GetShortcut(), QStringLiteral("V1"));
        EXPECT_EQ(Item(21)->text(0), QStringLiteral("V1"));
        EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
        EXPECT_FALSE(app.IsModified());
    }
}

TEST_F(QuestionTreePageTest, RenameWorksInWaveMode)
{
    CWave* wave = AddWave(Campaign(), 1, QStringLiteral("Spring"));
    Match(*AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED), 30);
    page.ShowWave(1);
    Rename(30, QStringLiteral("AGE"));
    EXPECT_EQ(Campaign().GetQuestionById(30)->GetShortcut(), QStringLiteral("AGE"));
    EXPECT_EQ(page.GetMode(), CRightTreePage::ModeWave);
}

TEST_F(QuestionTreePageTest, AddChapterDoUndoRedo)
{
    ClickButton(CRightTreePage::ButtonAddChapter);
    ASSERT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    HTREEITEM chapter = Tree().GetLastTreeItem();
    ASSERT_NE(chapter, nullptr);
    EXPECT_EQ(chapter->parent(), nullptr);
    EXPECT_EQ(Tree().GetItemText(chapter), QStringLiteral("new chapter"));
    const int id = int(Tree().GetItemData(chapter));
    EXPECT_EQ(Campaign().GetQuestionById(id)->GetElementType(), 0);
    EXPECT_EQ(Tree().GetSelectedCount(), 1);
    EXPECT_TRUE(Selected(id));
    EXPECT_EQ(Tree().GetItemImage(chapter), 0);

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Item(id), nullptr);
    EXPECT_EQ(Campaign().GetQuestionById(id), nullptr);
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1)"));

    ASSERT_TRUE(app.Redo());
    ASSERT_NE(Item(id), nullptr);
    // The redone chapter is ready to be named.
    EXPECT_TRUE(Tree().IsEditingLabel());
    EXPECT_EQ(Outline(),
              QStringLiteral("SCREENING(1) S1(2) S2(2) VISITS(1) V1(2) V2(2) V2A(3) D1(1) "
                             "new chapter(1)"));
}

TEST(IssueCommand, AFailedCommandShowsItsErrorAndIsNotRecorded)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    STestJournal journal;
    auto command = std::make_unique<CTestCmd>(journal, QStringLiteral("A"));
    command->FailDo = true;
    command->Error = QStringLiteral("The volume is locked");
    EXPECT_FALSE(IssueCommand(std::move(command), {}, nullptr, true));
    EXPECT_EQ(windows.Prompts, QStringList({"The volume is locked"}));
    EXPECT_EQ(windows.PromptTypes[0], unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
    EXPECT_EQ(journal.LiveCommands, 0);

    EXPECT_TRUE(
        IssueCommand(std::make_unique<CTestCmd>(journal, QStringLiteral("B")), {}, nullptr, false));
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_EQ(app.GetCommandHistory().GetUndoTopSnapshot(), nullptr);
    EXPECT_TRUE(app.IsModified());
}

TEST_F(QuestionTreePageTest, MovingRightStopsAtTheDeepestLevel)
{
    // After D1: a question with a chain of 98 levels below it, the deepest at level 99.
    for (int level = 1; level <= 99; ++level)
        AddQuestion(Campaign(), 100 + level, 8 + level, level, QStringLiteral("L%1").arg(level));
    page.ShowCampaign();
    const QString outline = Outline();
    const QString before = DumpCampaign(Campaign());
    // Into D1 the chain would reach level 100: nothing moves, nothing is issued.
    ClickItem(101);
    ClickButton(CRightTreePage::ButtonRight);
    EXPECT_EQ(Outline(), outline);
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    // Level 99 itself is allowed: L2's chain moves out of L1 and back in, its last item at 99.
    Tree().Expand(Item(101), TVE_EXPAND);
    ClickItem(102);
    ClickButton(CRightTreePage::ButtonLeft);  // L2 .. L99 now at levels 1 .. 98
    ClickButton(CRightTreePage::ButtonRight); // back into L1: levels 2 .. 99
    EXPECT_EQ(CQuestionTreeCtrl::GetDepth(Item(199)), 99);
    EXPECT_EQ(Campaign().GetQuestionById(199)->GetIndent(), 99);
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 2);
}
