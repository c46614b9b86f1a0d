#include "MenuTestSupport.h"

#include "menus/MenuTips.h"
#include "menus/SystemMetrics.h"
#include "res/CommandIds.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

using namespace menutest;

TEST(MenuTips, TipWindowSizesToItsTextAndShowsAtOnceOrAfterItsDelay)
{
    CPopupText tip;
    tip.SetMargins(QSize(4, 0));
    tip.SetText(QStringLiteral("Create a new campaign"));
    const QSize text = QFontMetrics(tip.font()).size(0, QStringLiteral("Create a new campaign"));
    EXPECT_EQ(tip.size(), text + QSize(8, 0) + QSize(2, 2));
    const QPoint placed(40, 50);
    tip.move(placed);
    tip.SetText(QStringLiteral("Short"));
    EXPECT_EQ(tip.pos(), placed) << "a new text resizes without moving";

    tip.ShowDelayed(0);
    EXPECT_TRUE(tip.isVisible());
    tip.Cancel();
    EXPECT_FALSE(tip.isVisible());
    tip.ShowDelayed(40);
    EXPECT_FALSE(tip.isVisible());
    EXPECT_TRUE(tip.IsPending());
    QTest::qWait(80);
    EXPECT_TRUE(tip.isVisible());
    EXPECT_FALSE(tip.IsPending());
    tip.ShowDelayed(40);
    tip.Cancel();
    QTest::qWait(60);
    EXPECT_FALSE(tip.isVisible()) << "a cancelled show never comes";
}

TEST(MenuTips, TheTipLeavesRoomAroundItsText)
{
    MenuTipManager manager;
    CPopupText& tip = *manager.Tip();
    tip.SetText(QStringLiteral("Create a new campaign"));
    tip.ShowDelayed(0);
    const QImage image = tip.grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("menus-tip"));
    const QFontMetrics metrics(tip.font());
    EXPECT_GE(tip.height(), metrics.height() + 2 * 3 + 2);
    // A one-pixel border, then the info colour all round the text for the margin's width.
    const QColor border = menus::ToQColor(menus::GetSysColor(menus::COLOR_WINDOWFRAME));
    const QColor back = menus::ToQColor(menus::GetSysColor(menus::COLOR_INFOBK));
    EXPECT_EQ(image.pixelColor(0, tip.height() / 2), border);
    EXPECT_EQ(image.pixelColor(tip.width() / 2, tip.height() - 1), border);
    const QRect text = image.rect().adjusted(1 + 3, 1 + 2, -1 - 3, -1 - 2);
    int inkInside = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            const bool ink = image.pixelColor(x, y) != back;
            if (text.contains(x, y))
                inkInside += ink;
            else
                EXPECT_FALSE(ink) << "text at " << x << "," << y << " touches the border";
        }
    }
    EXPECT_GT(inkInside, 50);
    tip.Cancel();
}

TEST(MenuTips, ManagerShowsThePromptOfTheHighlightedItemBesideThePopup)
{
    ResetSettings();
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    QAction* first = file->addAction(QStringLiteral("First"));
    first->setStatusTip(QStringLiteral("The first command"));
    QAction* second = file->addAction(QStringLiteral("Second"));
    second->setStatusTip(QStringLiteral("The second command"));
    QAction* quiet = file->addAction(QStringLiteral("Quiet"));
    QMenu* more = file->addMenu(QStringLiteral("More"));
    more->addAction(QStringLiteral("Inner"))->setStatusTip(QStringLiteral("Inner command"));
    window.resize(400, 300);
    window.show();
    QTest::qWait(20);

    MenuTipManager manager;
    manager.Install(&window);
    manager.SetDelay(40);
    window.menuBar()->setActiveAction(file->menuAction());
    QTest::qWait(20);
    ASSERT_TRUE(file->isVisible());
    CPopupText* tip = manager.Tip();

    file->setActiveAction(first);
    QTest::qWait(10);
    EXPECT_FALSE(tip->isVisible()) << "the first tip waits for the delay";
    QTest::qWait(80);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->Text(), QStringLiteral("The first command"));
    EXPECT_EQ(tip->pos().x(), file->mapToGlobal(QPoint(file->width(), 0)).x());
    EXPECT_EQ(tip->pos().y(), file->mapToGlobal(file->actionGeometry(first).topLeft()).y());

    file->setActiveAction(second);
    EXPECT_TRUE(tip->isVisible()) << "moving on while a tip shows shows the next at once";
    EXPECT_EQ(tip->Text(), QStringLiteral("The second command"));
    EXPECT_EQ(tip->pos().y(), file->mapToGlobal(file->actionGeometry(second).topLeft()).y());

    file->setActiveAction(quiet);
    EXPECT_FALSE(tip->isVisible()) << "no prompt, no tip";
    file->setActiveAction(more->menuAction());
    EXPECT_FALSE(tip->isVisible()) << "a pop-up item hides the tip";

    file->setActiveAction(first);
    QTest::qWait(80);
    EXPECT_TRUE(tip->isVisible());
    file->hide();
    EXPECT_FALSE(tip->isVisible()) << "a closed menu hides the tip";
    window.menuBar()->setActiveAction(nullptr);
}

TEST(MenuTips, MenusOfOtherWindowsGetNoTips)
{
    QMainWindow window, other;
    MenuTipManager manager;
    manager.Install(&window);
    manager.SetDelay(0);
    QMenu menu(&other);
    QAction* action = menu.addAction(QStringLiteral("Elsewhere"));
    action->setStatusTip(QStringLiteral("Not for this window"));
    menu.popup(QPoint(10, 10));
    QTest::qWait(20);
    menu.setActiveAction(action);
    QTest::qWait(20);
    EXPECT_FALSE(manager.Tip()->isVisible());
    menu.hide();

    // A pop-up whose parent lies in the hooked window does get them.
    QMenu own(&window);
    QAction* mine = own.addAction(QStringLiteral("Here"));
    mine->setStatusTip(QStringLiteral("For this window"));
    own.popup(QPoint(10, 10));
    QTest::qWait(20);
    own.setActiveAction(mine);
    EXPECT_TRUE(manager.Tip()->isVisible());
    EXPECT_EQ(manager.Tip()->Text(), QStringLiteral("For this window"));
    own.hide();
}

TEST(MenuTips, AMouseSelectedTipGoesWhenTheMouseLeavesTheMenu)
{
    QMainWindow window;
    MenuTipManager manager;
    manager.Install(&window);
    manager.SetDelay(0);
    QMenu menu(&window);
    QAction* action = menu.addAction(QStringLiteral("Item"));
    action->setStatusTip(QStringLiteral("Prompt"));
    menu.popup(QPoint(10, 10));
    QTest::qWait(20);
    manager.OnItemHighlighted(&menu, action, true);
    ASSERT_TRUE(manager.Tip()->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&menu, &leave);
    EXPECT_FALSE(manager.Tip()->isVisible());

    manager.OnItemHighlighted(&menu, action, false);
    ASSERT_TRUE(manager.Tip()->isVisible());
    QApplication::sendEvent(&menu, &leave);
    EXPECT_TRUE(manager.Tip()->isVisible()) << "a tip chosen by keyboard stays";
    menu.hide();
}
