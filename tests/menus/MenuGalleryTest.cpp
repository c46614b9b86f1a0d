#include "MenuTestSupport.h"

#include "menus/NewMenu.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"
#include "res/CommandIds.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace menutest;

namespace {
// Opens the Edit menu with Copy highlighted and saves what the screen shows of the window.
void ShootEditMenu(STestFrame& frame, const QString& name)
{
    QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isVisible());
    edit->setActiveAction(frame.Actions.Action(ID_EDIT_COPY));
    QTest::qWait(20);
    shots::Save(GrabWithPopups(frame.Frame), QStringLiteral("gallery"), name);
    edit->hide();
    frame.Frame.menuBar()->setActiveAction(nullptr);
    QTest::qWait(10);
}
} // namespace

// One picture per draw mode of the main window with its Edit menu open, the themes' own flat
// frames (even modes) with their soft shadow where flat menus are off, and the looks without
// the theme library and on a 256-colour screen.
TEST(MenuGallery, EveryModeDrawsAPopupAndAMenuBar)
{
    ResetSettings();
    STestFrame frame;
    for (int mode = 0; mode < 12; ++mode) {
        CNewMenu::SetDrawMode(mode);
        ShootEditMenu(frame, QStringLiteral("menus-mode-%1").arg(mode));
    }
    menus::SystemSettings().FlatMenus = 0;
    for (int mode : {0, 2, 4, 6, 8, 10}) {
        CNewMenu::SetDrawMode(mode);
        ShootEditMenu(frame, QStringLiteral("menus-mode-%1-shadow").arg(mode));
    }
    ResetSettings();
    CUxThemeLoader::Instance().SetAvailable(false);
    frame.Frame.update();
    ShootEditMenu(frame, QStringLiteral("menus-mode-9-theme-off"));
    ResetSettings();
    menus::SystemSettings().ScreenDepth = 8;
    frame.Frame.update();
    ShootEditMenu(frame, QStringLiteral("menus-mode-9-256-colours"));
    ResetSettings();
}

TEST(MenuGallery, ToolsMenuWithRadioItemsAndContextMenus)
{
    ResetSettings();
    STestFrame frame;
    QMenu* tools = OpenBarMenu(frame.Frame, QStringLiteral("&Tools"));
    ASSERT_NE(tools, nullptr);
    QTest::qWait(20);
    shots::Save(GrabWithPopups(frame.Frame), QStringLiteral("gallery"),
                QStringLiteral("menus-tools"));
    tools->hide();
    frame.Frame.menuBar()->setActiveAction(nullptr);

    CNewMenu tree;
    ASSERT_TRUE(tree.LoadMenu(IDR_CAMPAIGN_TREE_MENU));
    CNewMenu* wave = tree.GetSubMenuAt(1);
    wave->EnableMenuItem(ID_WAVE_SHOW_RECONCILIATION, false);
    wave->EnableMenuItem(ID_WAVE_SHOW_SUMMARY, false);
    wave->GetMenu()->popup(frame.Frame.geometry().topLeft() + QPoint(200, 120));
    QTest::qWait(20);
    wave->GetMenu()->setActiveAction(wave->FindCommand(ID_WAVE_RECONCILE));
    QTest::qWait(20);
    shots::Save(GrabWithPopups(frame.Frame), QStringLiteral("gallery"),
                QStringLiteral("menus-context-182-wave"));
    wave->GetMenu()->hide();
}
