#include "QuestionPageTestSupport.h"

#include "menus/CommandActions.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Volume.h"
#include "res/CommandIds.h"
#include "views/WaveGridCtrl.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

namespace {

// The enabled items of a pop-up, by command id, in menu order.
QString Enabled(const CNewMenu& popup)
{
    QStringList ids;
    for (QAction* action : popup.GetMenu()->actions())
        if (!action->isSeparator() && action->isEnabled())
            ids << QString::number(CCommandActions::CommandId(action));
    return ids.join(u' ');
}

} // namespace

// The context menus of the reconciliation page, on the page of QuestionPageTestSupport.h.
class PageMenusTest : public CQuestionPageTest
{
protected:
    PageMenusTest()
    {
        // South differs from its source response; EXTRA has a source response.
        Campaign().GetModalityById(112)->SetShortCaption(recon_test::kLanguage, "Southern");
        recon_test::AddSourceResponse(*extra, 1, "Yes");
        Load();
    }
    // Handlers for the commands that other parts of the page register, so that only the rules
    // of the rows grey them.
    void HandleAllCommands()
    {
        for (unsigned id :
             {ID_QUESTION_VIEW_DIFFERENCES, ID_QUESTION_CREATE, ID_QUESTION_REORDER_RESPONSES,
              ID_RESPONSE_VIEW_DIFFERENCES, ID_RESPONSE_BREAK_MATCHING, ID_RESPONSE_REMATCH,
              ID_RESPONSE_CREATE, ID_RESPONSE_REMOVE, ID_RESPONSE_MERGE})
            page.AddCommand(id, [] {});
    }
    void RightClick(CWaveGridCtrl& grid, int row, int col)
    {
        const CPoint point = Centre(grid, row, col);
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(point.x, point.y));
    }
};

TEST_F(PageMenusTest, ItemsAreGreyedWhereTheyDoNotApply)
{
    HandleAllCommands();
    struct SCase
    {
        bool QuestionGrid;
        QString Row;     // question row "campaign/source", or the REGION response row
        QString Current; // the question row selected first
        int Col;
        QString Enabled;
        const char* Why;
    };
    const QString region = QStringLiteral("REGION/REGION");
    const QString extra = QStringLiteral("-/EXTRA");
    const SCase cases[] = {
        {true, "AGE/AGE", region, Page::QColShortcut, "32837 32808", "matched, numeric"},
        {true, "AGE/AGE", region, Page::QColSourceShortcut, "32837 32812", "its source cell"},
        {true, "BRAND/BRAND", region, Page::QColShortCaption, "32798 32837 32808 32855",
         "differences, responses"},
        {true, "REGION/REGION", region, Page::QColCode, "32798 32837 32808 32855",
         "a response differs"},
        {true, "OLD/-", region, Page::QColShortcut, "", "removed in the wave"},
        {true, "SPARE/-", region, Page::QColLongCaption, "32808", "unmatched"},
        {true, "SPARE/-", region, Page::QColVolume, "", "unmatched, volume column"},
        {true, "-/EXTRA", region, Page::QColSourceCode, "32812 32847", "a source question"},
        {true, "-/EXTRA", region, Page::QColShortcut, "32847", "its campaign side"},
        {true, "headings", region, Page::QColShortcut, "32878 32879", "a heading cell"},
        {true, "AGE/AGE", region, 0, "32878 32879", "the row-number column"},
        {false, "North/North", region, Page::RColCaption, "32839 32810 32817",
         "a matched response"},
        {false, "North/North", region, Page::RColSourceCaption, "32839 32815", "its source cell"},
        {false, "Southern/South", region, Page::RColCode, "32804 32839 32810 32817", "differences"},
        {false, "West/-", region, Page::RColCaption, "32810 32817", "unmatched"},
        {false, "-/East", region, Page::RColSourceCode, "32815 32841", "a source response"},
        {false, "-/East", region, Page::RColCaption, "32841", "its campaign side"},
        {false, "-/Yes", extra, Page::RColSourceCaption, "", "no campaign question"},
        {false, "headings", region, Page::RColCaption, "32806", "a heading cell"},
    };
    for (const SCase& test : cases) {
        const QStringList current = test.Current.split(u'/');
        SelectRow(Row(current[0], current[1]));
        CCellID cell(1, test.Col);
        if (test.Row != QStringLiteral("headings")) {
            const QStringList parts = test.Row.split(u'/');
            cell.row =
                test.QuestionGrid ? Row(parts[0], parts[1]) : ResponseRow(parts[0], parts[1]);
        }
        ASSERT_GE(cell.row, 1) << test.Why;
        CNewMenu menu;
        CNewMenu* popup = test.QuestionGrid ? page.LoadQuestionMenu(menu, cell)
                                            : page.LoadResponseMenu(menu, cell);
        ASSERT_NE(popup, nullptr) << test.Why;
        EXPECT_EQ(Enabled(*popup), test.Enabled) << test.Why;
    }

    // A removed response, and the merge mode, take their items away.
    SelectRow(Row("REGION", "REGION"));
    page.SelectResponseRow(ResponseRow("West", "-"), Page::RColCaption);
    page.StartMergePick();
    CNewMenu merging;
    EXPECT_EQ(Enabled(*page.LoadResponseMenu(
                  merging, CCellID(ResponseRow("North", "North"), Page::RColSourceCaption))),
              QStringLiteral("32839"));
    page.EndMergePick();
    Campaign().GetModalityById(113)->SetDeletionWaveId(2);
    Load();
    SelectRow(Row("REGION", "REGION"));
    CNewMenu removed;
    EXPECT_EQ(
        Enabled(*page.LoadResponseMenu(removed, CCellID(ResponseRow("West", "-"), Page::RColCode))),
        QString());
}

TEST_F(PageMenusTest, TheHeadingMenusGreyTheShownMode)
{
    page.OnCommand(ID_QUESTION_VIEW_LONG_CAPTIONS);
    page.OnCommand(ID_RESPONSE_VIEW_CODES);
    CNewMenu questions, responses;
    EXPECT_EQ(Enabled(*page.LoadQuestionMenu(questions, CCellID(0, 5))),
              QStringLiteral("32889 32878"));
    EXPECT_EQ(Enabled(*page.LoadResponseMenu(responses, CCellID(1, 0))), QStringLiteral("32807"));
    // No menu for a cell outside the grid.
    CNewMenu none;
    EXPECT_EQ(page.LoadQuestionMenu(none, CCellID(-1, -1)), nullptr);
}

TEST_F(PageMenusTest, CommandsOfOtherPartsOfThePageAreGreyedUntilTheyAreHandled)
{
    // Whatever parts of the page handle their commands yet, an item whose command has no
    // handler is never enabled.
    SelectRow(Row("REGION", "REGION"));
    CNewMenu questions, responses;
    CNewMenu* questionMenu =
        page.LoadQuestionMenu(questions, CCellID(Row("REGION", "REGION"), Page::QColShortcut));
    CNewMenu* responseMenu =
        page.LoadResponseMenu(responses, CCellID(ResponseRow("Southern", "South"), Page::RColCode));
    ASSERT_NE(questionMenu, nullptr);
    ASSERT_NE(responseMenu, nullptr);
    for (const CNewMenu* popup : {questionMenu, responseMenu}) {
        for (QAction* action : popup->GetMenu()->actions()) {
            const unsigned id = CCommandActions::CommandId(action);
            if (!action->isSeparator() && !page.HasCommand(id)) {
                EXPECT_FALSE(action->isEnabled()) << id;
            }
        }
    }
}

TEST_F(PageMenusTest, ARightClickMakesTheRowCurrentEndsThePickModeAndRunsTheChoice)
{
    // The pick mode of the question grid ends before its menu opens.
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColSourceShortcut);
    page.OnCommand(ID_QUESTION_REMATCH);
    ASSERT_TRUE(page.IsQuestionPickOn());
    QStringList shown;
    view_test::CloseNextMenu(0, &shown);
    RightClick(*page.GetQuestionGrid(), Row("SPARE", "-"), Page::QColShortcut);
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_EQ(shown.join(u' '), QStringLiteral("32798 32837 32812 32847 32808 32855"));
    EXPECT_EQ(page.GetCurrentQuestionId(), 13);

    // The chosen command acts on the clicked row.
    shown.clear();
    view_test::CloseNextMenu(ID_QUESTION_BREAK_MATCHING, &shown);
    RightClick(*page.GetQuestionGrid(), Row("REGION", "REGION"), Page::QColShortcut);
    EXPECT_GE(Row("REGION", "-"), kFirst);
    EXPECT_GE(Row("-", "REGION"), kFirst);

    // The heading menu's choice changes the view.
    shown.clear();
    view_test::CloseNextMenu(ID_QUESTION_VIEW_SHORT_CAPTIONS, &shown);
    RightClick(*page.GetQuestionGrid(), 1, Page::QColShortcut);
    EXPECT_EQ(shown.join(u' '), QStringLiteral("32889 32878 32879"));
    EXPECT_EQ(app.GetViewSettings().GetQuestionGridViewText(), 1);

    // The response grid's pick mode ends before its menu opens.
    SelectRow(Row("AGE", "AGE"));
    SelectRow(Row("-", "EXTRA"));
    page.StartResponsePick();
    shown.clear();
    view_test::CloseNextMenu(0, &shown);
    RightClick(*page.GetResponseGrid(), kFirst, Page::RColSourceCaption);
    EXPECT_FALSE(page.IsResponsePickOn());
    EXPECT_EQ(shown.join(u' '), QStringLiteral("32804 32839 32815 32841 32810 32817"));
}

TEST_F(PageMenusTest, TheKeyboardOpensTheMenuOfTheFocusedRowAtItWhereverTheMouseIs)
{
    page.show();
    CWaveGridCtrl& questions = *page.GetQuestionGrid();
    CWaveGridCtrl& responses = *page.GetResponseGrid();
    QCursor::setPos(page.mapToGlobal(QPoint(page.width() - 2, page.height() - 2)));
    // Where the next menu opens, seen while it is open.
    QPoint menuAt;
    const auto seeMenu = [&menuAt] {
        QTimer::singleShot(0, [&menuAt] {
            if (QWidget* menu = QApplication::activePopupWidget())
                menuAt = menu->pos();
        });
    };
    const auto cellOnScreen = [](const CWaveGridCtrl& grid, int row, int col) {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(row, col, rect));
        return QRect(grid.viewport()->mapToGlobal(rect.ToQRect().topLeft()), rect.ToQRect().size());
    };

    // Shift+F10 in the question grid: the focused row's menu, at the row; its choice acts on it.
    const int region = Row("REGION", "REGION");
    page.SelectQuestionRow(region, Page::QColShortcut);
    QStringList shown;
    seeMenu();
    view_test::CloseNextMenu(ID_QUESTION_BREAK_MATCHING, &shown);
    QTest::keyClick(&questions, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_FALSE(shown.isEmpty()) << "no menu opened";
    EXPECT_TRUE(cellOnScreen(questions, region, Page::QColShortcut).contains(menuAt));
    EXPECT_GE(Row("REGION", "-"), kFirst);
    EXPECT_GE(Row("-", "REGION"), kFirst);

    // F10 alone opens nothing.
    shown.clear();
    view_test::CloseNextMenu(0, &shown);
    QTest::keyClick(&questions, Qt::Key_F10);
    EXPECT_TRUE(shown.isEmpty());
    QApplication::processEvents();

    // The Menu key (a context menu event from the keyboard) and Shift+F10 in the response grid.
    SelectRow(Row("REGION", "-"));
    ASSERT_GT(responses.GetRowCount(), kFirst);
    page.SelectResponseRow(kFirst, Page::RColCaption);
    for (const bool menuKey : {true, false}) {
        SCOPED_TRACE(menuKey ? "Menu key" : "Shift+F10");
        shown.clear();
        menuAt = QPoint();
        seeMenu();
        view_test::CloseNextMenu(0, &shown);
        if (menuKey) {
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(&responses, &key);
        } else {
            QTest::keyClick(&responses, Qt::Key_F10, Qt::ShiftModifier);
        }
        EXPECT_FALSE(shown.isEmpty()) << "no menu opened";
        EXPECT_TRUE(cellOnScreen(responses, kFirst, Page::RColCaption).contains(menuAt));
    }
}
