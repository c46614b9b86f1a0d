// Undo and Redo in the window program: the menu texts, the keys, and nothing undone under a
// modal window; the panes brought back to each step's snapshot.

#include "ShellWindowTestSupport.h"

#include "platform/ViewState.h"
#include "res/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ViewStates.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <thread>

using namespace shell_test;
using namespace shell_window_test;

namespace {

class UndoRedo : public CShellWindowTest
{
protected:
    UndoRedo()
    {
        m_shellApp->ProcessShellCommand(false, QString());
        m_shellApp->ShowMainFrame();
        // A text box in a pane holds the keyboard focus, as the property pane's editors do.
        m_edit = new QLineEdit(m_panes->GetPaneWidget(IShellPanes::BottomPane));
        m_edit->show();
        m_shellApp->GetMainFrame()->activateWindow();
        m_edit->setFocus();
        QApplication::processEvents();
    }

    int UndoCount() const { return m_app.GetCommandHistory().GetUndoCount(); }
    int RedoCount() const { return m_app.GetCommandHistory().GetRedoCount(); }

    QLineEdit* m_edit = nullptr;
};

} // namespace

TEST_F(UndoRedo, MenuTextsNameTheStepOnTop)
{
    EXPECT_EQ(Updated(ID_EDIT_UNDO)->text(), QStringLiteral("Undo\tCtrl+Z"));
    EXPECT_FALSE(Updated(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(Updated(ID_EDIT_REDO)->isEnabled());
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("change question")));
    EXPECT_EQ(Updated(ID_EDIT_UNDO)->text(), QStringLiteral("Undo change question\tCtrl+Z"));
    EXPECT_TRUE(Updated(ID_EDIT_UNDO)->isEnabled());
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Updated(ID_EDIT_UNDO)->text(), QStringLiteral("Undo\tCtrl+Z"));
    EXPECT_EQ(Updated(ID_EDIT_REDO)->text(), QStringLiteral("Redo change question\tCtrl+Y"));
    EXPECT_TRUE(Updated(ID_EDIT_REDO)->isEnabled());
    // The toolbar's button shows the same state after the command.
    EXPECT_FALSE(m_shellApp->GetActions().Action(ID_EDIT_UNDO)->isEnabled());

    // In the application's modal state both are greyed.
    m_app.BeginModalState();
    EXPECT_FALSE(Updated(ID_EDIT_REDO)->isEnabled());
    m_app.EndModalState();
}

TEST_F(UndoRedo, CtrlZAndCtrlYGoToTheHistoryFirst)
{
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("B")));
    m_edit->setText(QStringLiteral("typed"));
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("typed")) << "the text box's own undo did not run";
    EXPECT_EQ(m_shellApp->GetActions().Action(ID_EDIT_UNDO)->text(),
              QStringLiteral("Undo A\tCtrl+Z"))
        << "the commands are brought up to date after the key";
    QTest::keyClick(m_edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(RedoCount(), 0);

    // Nothing to redo: the key is swallowed.
    QTest::keyClick(m_edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), 2);
    // Plain letters are typed.
    QTest::keyClick(m_edit, Qt::Key_Z);
    EXPECT_EQ(m_edit->text(), QStringLiteral("typedz"));
    EXPECT_EQ(UndoCount(), 2);
}

TEST_F(UndoRedo, NoKeyUndoesUnderAModalWindow)
{
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));
    // In the application's modal state.
    m_app.BeginModalState();
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    m_app.EndModalState();
    EXPECT_EQ(UndoCount(), 1);

    // Under a modal dialog shown without it: the dialog's own text box keeps its key.
    QDialog dialog(m_shellApp->GetMainFrame());
    auto* field = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(field);
    int undoCountInside = -1;
    bool undoEnabledInside = true;
    QTimer::singleShot(0, &dialog, [&] {
        field->setFocus();
        field->setText(QStringLiteral("name"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        // A key sent to the main window behind the dialog does not undo either.
        QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
        m_shellApp->GetActions().Execute(ID_EDIT_UNDO);
        undoCountInside = UndoCount();
        undoEnabledInside = Updated(ID_EDIT_UNDO)->isEnabled();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(undoCountInside, 1);
    EXPECT_FALSE(undoEnabledInside);
    EXPECT_EQ(field->text(), QStringLiteral("name")) << "the dialog's text box undid its typing";
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), 0);
}

TEST(ViewStates, ASnapshotRecordsThePanes)
{
    CScriptedPanes panes;
    panes.SelectedWave = 3;
    panes.SelectedVolume = 7;
    panes.Page = IShellPanes::PageReconciliation;
    panes.Question = 17;
    panes.Response = 40;
    panes.BottomValue = 2;
    const std::unique_ptr<CViewState> state = CaptureViewState(&panes);
    EXPECT_EQ(*state, (CViewState{CViewState::PageReconciliation, 2, 17, 40, 3, 7}));
    // Without panes every field says none.
    EXPECT_EQ(*CaptureViewState(nullptr), CViewState{});
}

TEST(ViewStates, RestoringBringsThePanesBack)
{
    struct SCase
    {
        const char* Name;
        CViewState State;
        int PageShown;
        int WaveShown;
        QStringList Calls;
    };
    const SCase cases[] = {
        {"the campaign root alone",
         {CViewState::PageReconciliation, 0, 17, -1, -1, -1},
         IShellPanes::PageNone,
         -1,
         {"select campaign"}},
        {"a wave on the question tree",
         {CViewState::PageQuestionTree, 0, -1, -1, 3, -1},
         IShellPanes::PageNone,
         -1,
         {"select wave 3"}},
        {"a volume",
         {CViewState::PageNone, 0, -1, -1, 3, 7},
         IShellPanes::PageNone,
         -1,
         {"select volume 7"}},
        {"the reconciliation page of another page",
         {CViewState::PageReconciliation, 0, 17, 5, 3, -1},
         IShellPanes::PageQuestionTree,
         -1,
         {"select wave 3", "show reconciliation 3", "select question 17"}},
        {"the reconciliation page of another wave",
         {CViewState::PageReconciliation, 0, 17, 5, 3, -1},
         IShellPanes::PageReconciliation,
         2,
         {"select wave 3", "show reconciliation 3", "select question 17"}},
        {"the reconciliation page of the same wave",
         {CViewState::PageReconciliation, 0, 17, 5, 3, -1},
         IShellPanes::PageReconciliation,
         3,
         {"select wave 3", "select question 17"}},
        {"the page without a question",
         {CViewState::PageReconciliation, 0, -1, 5, 3, 7},
         IShellPanes::PageReconciliation,
         3,
         {"select volume 7"}},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        CScriptedPanes panes;
        panes.Page = test.PageShown;
        panes.ReconciliationWave = test.WaveShown;
        RestoreViewState(panes, test.State);
        EXPECT_EQ(panes.Calls, test.Calls);
    }
}

TEST_F(UndoRedo, AStepIssuedOutsideTheMenusUpdatesTheButtons)
{
    QAction* undo = m_shellApp->GetActions().Action(ID_EDIT_UNDO);
    QAction* redo = m_shellApp->GetActions().Action(ID_EDIT_REDO);
    const auto issue = [this](const QString& name) {
        std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(m_journal, name);
        return m_app.ExecuteCommand(command, JournalCallBacks(m_journal), nullptr,
                                    m_app.CaptureViewState(), true);
    };
    // A view's own step: the toolbar's Undo button and the title follow without any menu
    // opening.
    ASSERT_TRUE(issue(QStringLiteral("rename wave")));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo rename wave\tCtrl+Z"));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" * - Plim"))) << qPrintable(Title());

    ASSERT_TRUE(m_app.Undo());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_FALSE(Title().contains(QLatin1Char('*'))) << qPrintable(Title());

    // A step run on a worker thread reaches the windows once the interface thread runs again.
    std::thread worker([&issue] { issue(QStringLiteral("fix matching")); });
    worker.join();
    QTRY_VERIFY(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo fix matching\tCtrl+Z"));
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(Title().contains(QLatin1Char('*'))) << qPrintable(Title());

    // A step run on a worker and taken back before the windows heard of it: the title follows
    // the campaign as it is when the news arrives, back at the state it was opened in.
    std::thread fixer([&issue] { issue(QStringLiteral("fix response")); });
    fixer.join();
    ASSERT_TRUE(m_app.Undo());
    EXPECT_TRUE(m_app.IsModified());
    ASSERT_TRUE(m_app.Undo());
    EXPECT_FALSE(m_app.IsModified());
    QApplication::processEvents();
    EXPECT_FALSE(Title().contains(QLatin1Char('*'))) << qPrintable(Title());
    EXPECT_FALSE(undo->isEnabled());
}
