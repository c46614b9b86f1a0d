// Popups that the program places itself stay whole on the screen: the placement rules, and the
// menu items' tips beside a menu at the screen's right edge.

#include "MenuTestSupport.h"

#include "menus/MenuTips.h"
#include "menus/PopupPlacement.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace menutest;

TEST(PopupPlacement, APopupMovesIntoTheAreaAndOpensAboveItsAnchorWhenBelowHasNoRoom)
{
    const QRect area(0, 0, 800, 600);
    struct SCase
    {
        const char* Name;
        QRect Wanted;
        QRect Anchor;
        QRect Expected;
    };
    const SCase cases[] = {
        {"inside stays", QRect(100, 100, 200, 150), QRect(100, 80, 200, 20),
         QRect(100, 100, 200, 150)},
        {"past the right edge moves left", QRect(700, 100, 200, 150), QRect(),
         QRect(600, 100, 200, 150)},
        {"past the left edge moves right", QRect(-50, 100, 200, 150), QRect(),
         QRect(0, 100, 200, 150)},
        {"under an anchor at the foot opens above it", QRect(650, 560, 200, 150),
         QRect(650, 540, 150, 20), QRect(600, 390, 200, 150)},
        {"without an anchor it is only shifted up", QRect(100, 560, 200, 150), QRect(),
         QRect(100, 450, 200, 150)},
        {"more room below than above: shifted up, not flipped", QRect(100, 80, 200, 560),
         QRect(100, 60, 200, 20), QRect(100, 40, 200, 560)},
        {"above the top moves down", QRect(100, -30, 200, 150), QRect(), QRect(100, 0, 200, 150)},
        {"larger than the area keeps its corner in it", QRect(300, 300, 900, 700), QRect(),
         QRect(0, 0, 900, 700)},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(FitPopupIntoArea(c.Wanted, area, c.Anchor), c.Expected);
    }
    // An area offset from the origin (a second screen, a panel at the top).
    EXPECT_EQ(FitPopupIntoArea(QRect(1500, 1000, 200, 100), QRect(800, 30, 800, 1000)),
              QRect(1400, 930, 200, 100));
}

TEST(PopupPlacement, AMenuTipGoesRightOfTheMenuOrElseLeftOfIt)
{
    const QRect area(0, 0, 800, 600);
    const QSize tip(150, 20);
    EXPECT_EQ(MenuTipPlace(QRect(100, 50, 200, 300), 80, tip, area), QRect(QPoint(300, 80), tip));
    EXPECT_EQ(MenuTipPlace(QRect(550, 50, 200, 300), 80, tip, area), QRect(QPoint(400, 80), tip));
    // At the foot of the screen it moves up to show whole.
    EXPECT_EQ(MenuTipPlace(QRect(100, 300, 200, 300), 590, tip, area),
              QRect(QPoint(300, 580), tip));
}

TEST(PopupPlacement, TheTipOfAMenuAtTheScreensRightEdgeShowsWholeLeftOfIt)
{
    ResetSettings();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QMainWindow window;
    QMenu* tools = window.menuBar()->addMenu(QStringLiteral("&Tools"));
    QAction* item = tools->addAction(QStringLiteral("Options"));
    item->setStatusTip(QStringLiteral("Change the options of the program and of this campaign"));
    window.resize(200, 150);
    window.move(area.right() - 200, area.top() + 40);
    window.show();
    QTest::qWait(20);
    MenuTipManager manager;
    manager.Install(&window);
    manager.SetDelay(0);
    tools->popup(QPoint(area.right() - tools->sizeHint().width(), area.top() + 80));
    QTest::qWait(20);
    ASSERT_TRUE(tools->isVisible());
    tools->setActiveAction(item);
    QTest::qWait(20);
    CPopupText* tip = manager.Tip();
    ASSERT_TRUE(tip->isVisible());
    EXPECT_TRUE(area.contains(tip->geometry()));
    EXPECT_LE(tip->geometry().right(), tools->geometry().left());
    tools->hide();
}
