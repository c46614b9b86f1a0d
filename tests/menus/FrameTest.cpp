#include "MenuTestSupport.h"

#include "menus/MenuColors.h"
#include "menus/NewDialog.h"
#include "menus/NewMenu.h"
#include "menus/NewMenuHook.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace menus;
using namespace menutest;

TEST(Frame, LoadsItsMenuIntoTheBarWithTheThemeBrush)
{
    ResetSettings();
    CCommandActions actions;
    CNewFrameWnd frame;
    EXPECT_FALSE(frame.LoadFrameMenu(999, actions));
    EXPECT_TRUE(frame.menuBar()->actions().isEmpty());
    ASSERT_TRUE(frame.LoadFrameMenu(IDR_MAINFRAME, actions));
    ASSERT_EQ(frame.menuBar()->actions().size(), 5);
    EXPECT_EQ(frame.menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"));
    EXPECT_TRUE(frame.menuBar()->property("plimThemeBrush").toBool());
    EXPECT_EQ(frame.GetMenu().FindCommand(ID_EDIT_UNDO), actions.Action(ID_EDIT_UNDO));
    // Loading again replaces the menu.
    ASSERT_TRUE(frame.LoadFrameMenu(IDR_MAINFRAME, actions));
    EXPECT_EQ(frame.menuBar()->actions().size(), 5);
}

TEST(Frame, APaletteChangeRebuildsTheBarColours)
{
    ResetSettings();
    CUxThemeLoader::Instance().SetAvailable(false);
    STestFrame frame;
    const QPalette original = QApplication::palette();
    QImage image = frame.Frame.menuBar()->grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(0, 1)), GetSysColor(COLOR_BTNFACE));

    QPalette changed = original;
    changed.setColor(QPalette::Button, QColor(200, 180, 160));
    changed.setColor(QPalette::Window, QColor(200, 180, 160));
    QApplication::setPalette(changed);
    QTest::qWait(20);
    image = frame.Frame.menuBar()->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 1), QColor(200, 180, 160));
    QApplication::setPalette(original);
    ResetSettings();
}

TEST(Frame, DialogKeepsItsTemplateId)
{
    CNewDialog plain;
    EXPECT_EQ(plain.GetTemplateId(), 0u);
    CNewDialog about(100, nullptr);
    EXPECT_EQ(about.GetTemplateId(), 100u);
}

TEST(MenuHook, KeepsARecordOfEachShownPopupAndItsFirstPicture)
{
    ResetSettings();
    SystemSettings().FlatMenus = 0;
    CNewMenu::SetDrawMode(8);
    STestFrame frame;
    QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    const CMenuHookData* record = CNewMenuHook::Instance().Record(edit);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Menu, edit);
    EXPECT_EQ(record->LastPosition, edit->pos());
    EXPECT_TRUE(record->Captured);
    const qint64 picture = record->Screen.cacheKey();
    const QPoint first = record->LastPosition;
    edit->move(edit->pos() + QPoint(30, 20));
    QTest::qWait(10);
    edit->repaint();
    EXPECT_EQ(CNewMenuHook::Instance().Record(edit)->Screen.cacheKey(), picture)
        << "a popup that moves keeps the picture of its first place";
    EXPECT_EQ(CNewMenuHook::Instance().Record(edit)->LastPosition, first);
    edit->hide();
    EXPECT_EQ(CNewMenuHook::Instance().Record(edit), nullptr);
    frame.Frame.menuBar()->setActiveAction(nullptr);

    // Odd modes take no picture.
    CNewMenu::SetDrawMode(9);
    edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(CNewMenuHook::Instance().Record(edit), nullptr);
    EXPECT_FALSE(CNewMenuHook::Instance().Record(edit)->Captured);
    edit->hide();
    ResetSettings();
}
