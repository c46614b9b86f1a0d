#include "menus/CommandActions.h"
#include "menus/NewMenu.h"
#include "menus/NewMenuHook.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "res/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

namespace {
// The items of a pop-up as "id text" lines, "-" for a separator, "[..]" around a greyed one.
QStringList Items(const CNewMenu& menu)
{
    QStringList lines;
    for (QAction* action : menu.GetMenu()->actions()) {
        if (action->isSeparator()) {
            lines << QStringLiteral("-");
            continue;
        }
        QString line =
            QStringLiteral("%1 %2").arg(CCommandActions::CommandId(action)).arg(action->text());
        if (!action->isEnabled())
            line = u'[' + line + u']';
        lines << line;
    }
    return lines;
}
} // namespace

TEST(ContextMenu, CampaignTreeMenuHasOnePopupPerRecordKind)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CAMPAIGN_TREE_MENU));
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(Items(*menu.GetSubMenuAt(0)),
              QStringList({"32788 Add New Wave...", "32869 Open Containing Folder",
                           "32870 Maximise Response Count"}));
    EXPECT_EQ(Items(*menu.GetSubMenuAt(1)),
              QStringList({"32786 Add New Volume...", "32788 Add New Wave Above This...",
                           "32846 Apply Wave Question Order", "-", "32793 Reconcile Questions",
                           "32794 Show Reconciliation", "32819 Show Reconciliation Summary", "-",
                           "32859 Redo Reconciliation", "32886 Reconcile Unmatched Questions Only",
                           "32795 Remove Wave"}));
    EXPECT_EQ(Items(*menu.GetSubMenuAt(2)),
              QStringList({"32803 Open Volume in Pelko Quill", "32787 Remove Volume",
                           "32861 Unreconcile Volume"}));
    EXPECT_EQ(menu.GetSubMenuAt(3), nullptr);
    EXPECT_EQ(menu.GetSubMenuAt(-1), nullptr);
    EXPECT_EQ(menu.GetSubMenuAt(0)->GetParentMenu(), &menu);
}

TEST(ContextMenu, GreysTheAskedItemsAndRemovesACommandTwoLevelsDown)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CAMPAIGN_TREE_MENU));
    CNewMenu* wave = menu.GetSubMenuAt(1);
    EXPECT_TRUE(wave->EnableMenuItem(ID_WAVE_RECONCILE, false));
    EXPECT_TRUE(wave->EnableMenuItem(ID_WAVE_SHOW_SUMMARY, false));
    EXPECT_FALSE(wave->EnableMenuItem(ID_VOLUME_REMOVE, false)) << "not in the wave pop-up";
    EXPECT_EQ(Items(*wave).mid(4, 3),
              QStringList({"[32793 Reconcile Questions]", "32794 Show Reconciliation",
                           "[32819 Show Reconciliation Summary]"}));

    // From the root: the command sits in a pop-up, found depth-first.
    EXPECT_TRUE(menu.RemoveMenuItem(ID_VOLUME_UNRECONCILE));
    EXPECT_EQ(Items(*menu.GetSubMenuAt(2)),
              QStringList({"32803 Open Volume in Pelko Quill", "32787 Remove Volume"}));
    EXPECT_FALSE(menu.RemoveMenuItem(ID_VOLUME_UNRECONCILE)) << "already gone";
    // 32788 is in two pop-ups: the first found goes, the other stays.
    EXPECT_TRUE(menu.RemoveMenuItem(ID_WAVE_ADD));
    EXPECT_EQ(menu.GetSubMenuAt(0)->FindCommand(ID_WAVE_ADD), nullptr);
    EXPECT_NE(menu.GetSubMenuAt(1)->FindCommand(ID_WAVE_ADD), nullptr);
    // Greying by command reaches every item of it, in every pop-up.
    CNewMenu again;
    again.LoadMenu(IDR_CAMPAIGN_TREE_MENU);
    EXPECT_TRUE(again.EnableMenuItem(ID_WAVE_ADD, false));
    EXPECT_FALSE(again.GetSubMenuAt(0)->FindCommand(ID_WAVE_ADD)->isEnabled());
    EXPECT_FALSE(again.GetSubMenuAt(1)->FindCommand(ID_WAVE_ADD)->isEnabled());
}

TEST(ContextMenu, RemovingAPopupByPositionTakesItsLevelAlong)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CAMPAIGN_TREE_MENU));
    QPointer<QMenu> wave = menu.GetSubMenuAt(1)->GetMenu();
    EXPECT_TRUE(menu.RemoveMenuItem(1, MF_BYPOSITION));
    EXPECT_TRUE(wave.isNull());
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(Items(*menu.GetSubMenuAt(1)).first(),
              QStringLiteral("32803 Open Volume in Pelko Quill"));
    EXPECT_FALSE(menu.RemoveMenuItem(5, MF_BYPOSITION));
    // A separator by position.
    CNewMenu* first = menu.GetSubMenuAt(0);
    const int before = first->GetMenuItemCount();
    EXPECT_TRUE(first->RemoveMenuItem(0, MF_BYPOSITION));
    EXPECT_EQ(first->GetMenuItemCount(), before - 1);
}

TEST(ContextMenu, ReconciliationPageAndLanguageMenus)
{
    struct SCase
    {
        unsigned Menu;
        int Popup;
        QStringList Items;
    };
    const SCase cases[] = {
        {IDR_QUESTION_GRID_MENU,
         0,
         {"32798 View Question Differences...", "-", "32837 Break This Matching",
          "32812 Re-match Source Question...", "-", "32847 Create New Campaign Question",
          "32808 Remove Campaign Question", "32855 Re-order Campaign Responses"}},
        {IDR_QUESTION_GRID_MENU,
         1,
         {"32889 View shortcuts", "32878 View short captions", "32879 View long-captions"}},
        {IDR_RESPONSE_GRID_MENU,
         0,
         {"32804 View Response Differences...", "-", "32839 Break This Matching",
          "32815 Re-match Source Response...", "32841 Create New Campaign Response", "-",
          "32810 Remove Campaign Response", "32817 Merge Campaign Response..."}},
        {IDR_RESPONSE_GRID_MENU, 1, {"32806 View Response Codes", "32807 View Entry Codes"}},
        {IDR_LANGUAGE_MENU, 0, {"32844 Set as Default", "32845 Set as Current"}},
    };
    for (const SCase& c : cases) {
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(c.Menu)) << c.Menu;
        ASSERT_NE(menu.GetSubMenuAt(c.Popup), nullptr) << c.Menu;
        EXPECT_EQ(Items(*menu.GetSubMenuAt(c.Popup)), c.Items) << c.Menu << "/" << c.Popup;
    }
}

TEST(ContextMenu, UnknownMenuGivesNoMenuAndTheHelperReturnsFalse)
{
    CNewMenu menu;
    EXPECT_FALSE(menu.LoadMenu(999));
    EXPECT_FALSE(menu.IsLoaded());
    EXPECT_EQ(menu.GetMenu(), nullptr);
    EXPECT_EQ(menu.GetMenuItemCount(), 0);
    EXPECT_FALSE(menu.RemoveMenuItem(ID_WAVE_ADD));
    bool prepared = false;
    EXPECT_FALSE(ShowContextMenu(999, 0, [&](CNewMenu&) { prepared = true; }, {}));
    EXPECT_FALSE(
        ShowContextMenu(IDR_CAMPAIGN_TREE_MENU, 3, [&](CNewMenu&) { prepared = true; }, {}));
    EXPECT_FALSE(prepared);
}

TEST(ContextMenu, TheHelperRunsThePopupAtThePointAndHandsOverTheChosenCommand)
{
    CNewMenu::SetDrawMode(9);
    unsigned chosen = 0;
    QPoint shownAt;
    // Once the pop-up shows: down twice skips the greyed first item, Return chooses.
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        shownAt = popup->pos();
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    const bool shown = ShowContextMenu(
        IDR_CAMPAIGN_TREE_MENU, 2,
        [](CNewMenu& popup) {
            popup.EnableMenuItem(ID_VOLUME_OPEN_IN_QUILL, false);
            popup.RemoveMenuItem(ID_VOLUME_REMOVE);
        },
        [&](unsigned id) { chosen = id; }, QPoint(120, 80));
    EXPECT_TRUE(shown);
    EXPECT_EQ(chosen, ID_VOLUME_UNRECONCILE);
    EXPECT_NEAR(shownAt.x(), 120, 2);
    EXPECT_NEAR(shownAt.y(), 80, 2);
}

TEST(ContextMenu, MainMenuSharesTheCommandActions)
{
    CCommandActions actions;
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME, &actions));
    QStringList titles;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
        titles << menu.GetSubMenuAt(i)->GetMenu()->title();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Tools", "&Help"}));
    for (unsigned id : {ID_REAPPLY_MATCHES, ID_VALIDATE_MATCHES, ID_CHECK_DUPLICATES})
        EXPECT_EQ(menu.GetSubMenuAt(1)->FindCommand(id), actions.Action(id)) << id;
    EXPECT_EQ(menu.FindCommand(ID_FILE_NEW), actions.Action(ID_FILE_NEW));
    EXPECT_EQ(menu.FindCommand(ID_FILE_NEW)->text(), QStringLiteral("&New\tCtrl+N"));
    EXPECT_FALSE(menu.FindCommand(ID_FILE_MRU_FILE1)->isEnabled()) << "a greyed placeholder";

    // Opening a pop-up updates its commands.
    bool asked = false;
    actions.AddHandler(
        ID_LANGUAGES, CCommandActions::Application, nullptr, [] {},
        [&asked](CCmdUI& ui) {
            asked = true;
            ui.Enable(true);
        });
    QMenu* tools = menu.GetSubMenuAt(3)->GetMenu();
    QMetaObject::invokeMethod(tools, "aboutToShow");
    EXPECT_TRUE(asked);
    EXPECT_TRUE(actions.Action(ID_LANGUAGES)->isEnabled());

    // Freeing the menu leaves the shared actions alone.
    menu.DestroyMenu();
    EXPECT_NE(actions.FindAction(ID_FILE_NEW), nullptr);
}

TEST(ContextMenu, EveryCommandOfTheTablesHasItsPromptAndTip)
{
    std::function<void(std::span<const SMenuItem>)> check = [&](std::span<const SMenuItem> items) {
        for (const SMenuItem& item : items) {
            if (item.IsPopup()) {
                check(item.Items);
            } else if (!item.IsSeparator()) {
                EXPECT_FALSE(QString::fromUtf16(item.Text).isEmpty()) << item.Id;
                if (item.Id != ID_FILE_MRU_FILE1) {
                    EXPECT_TRUE(LoadString(item.Id).contains(u'\n')) << item.Id;
                }
            }
        }
    };
    for (const SMenuResource& menu : GetMenuResources())
        check(menu.Items);
    for (const SToolBarResource& bar : GetToolBarResources()) {
        for (unsigned id : bar.Buttons) {
            if (id != 0) {
                EXPECT_TRUE(LoadString(id).contains(u'\n')) << id;
            }
        }
    }
}
