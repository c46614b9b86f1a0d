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
// Where a row of a pop-up, or an item of the menu bar, lies in a picture of the window.
QRect RowIn(const QWidget& window, const QMenu& menu, QAction* action)
{
    return menu.actionGeometry(action).translated(menu.geometry().topLeft() -
                                                  window.geometry().topLeft());
}
QRect BarItemIn(const QWidget& window, QMenuBar& bar, const QString& title)
{
    for (QAction* action : bar.actions())
        if (action->text() == title)
            return bar.actionGeometry(action).translated(bar.mapTo(&window, QPoint(0, 0)));
    return {};
}

// The lightness of the darkest pixel in the area: the ink of a row's label.
int DarkestIn(const QImage& image, const QRect& area)
{
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::min(darkest, At(image, x, y).lightness());
    return darkest;
}

bool Differs(QColor a, QColor b, int by)
{
    return !Near(a, b, by);
}

// What every look must show of the open Edit menu with Copy highlighted: the highlight, the
// greyed text of the disabled Paste, the open Edit item of the bar, and the soft shadow where
// the look draws one.
void CheckEditMenu(const QImage& image, STestFrame& frame, QMenu& edit, bool shadow)
{
    const QRect copy = RowIn(frame.Frame, edit, frame.Actions.Action(ID_EDIT_COPY));
    const QRect selectAll = RowIn(frame.Frame, edit, frame.Actions.Action(ID_EDIT_SELECT_ALL));
    const QRect cut = RowIn(frame.Frame, edit, frame.Actions.Action(ID_EDIT_CUT));
    const QRect paste = RowIn(frame.Frame, edit, frame.Actions.Action(ID_EDIT_PASTE));
    // Between the label and the accelerator, the highlighted row differs from a plain one.
    const int between = copy.center().x() + 20;
    EXPECT_TRUE(Differs(At(image, between, copy.center().y()),
                        At(image, between, selectAll.center().y()), 12));
    // The label of the disabled row is lighter than that of an enabled one.
    auto label = [](const QRect& row) {
        return QRect(row.left() + 28, row.top() + 2, 70, row.height() - 4);
    };
    EXPECT_GT(DarkestIn(image, label(paste)), DarkestIn(image, label(cut)) + 40);
    // The open item of the bar is drawn apart from a closed one, by its edge or its fill: the
    // rows above the labels and the columns left of them differ.
    const QRect open = BarItemIn(frame.Frame, *frame.Frame.menuBar(), QStringLiteral("&Edit"));
    const QRect closed = BarItemIn(frame.Frame, *frame.Frame.menuBar(), QStringLiteral("&View"));
    std::vector<QPoint> clearOfLabels;
    for (int x = 0; x < std::min(open.width(), closed.width()); ++x)
        for (int y = 0; y < 3; ++y)
            clearOfLabels.emplace_back(x, y);
    for (int y = 3; y < open.height(); ++y)
        for (int x = 0; x < 2; ++x)
            clearOfLabels.emplace_back(x, y);
    int apart = 0;
    for (const QPoint& p : clearOfLabels)
        apart += Differs(At(image, open.left() + p.x(), open.top() + p.y()),
                         At(image, closed.left() + p.x(), closed.top() + p.y()), 10);
    EXPECT_GT(apart, 8);
    // The shadow darkens the white client area right of the pop-up's frame.
    const QRect popup = edit.geometry().translated(-frame.Frame.geometry().topLeft());
    const QColor beside = At(image, popup.right() - 1, popup.center().y());
    if (shadow) {
        EXPECT_LT(beside.lightness(), 225);
        EXPECT_GT(beside.lightness(), 60);
    }
}

// Opens the Edit menu with Copy highlighted, saves what the screen shows of the window and
// checks it.
void ShootEditMenu(STestFrame& frame, const QString& name, bool shadow = false)
{
    SCOPED_TRACE(name.toStdString());
    QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isVisible());
    edit->setActiveAction(frame.Actions.Action(ID_EDIT_COPY));
    QTest::qWait(20);
    const QImage image = GrabWithPopups(frame.Frame);
    shots::Save(image, QStringLiteral("gallery"), name);
    CheckEditMenu(image, frame, *edit, shadow);
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
        ShootEditMenu(frame, QStringLiteral("menus-mode-%1-shadow").arg(mode), true);
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
    const QImage toolsImage = GrabWithPopups(frame.Frame);
    shots::Save(toolsImage, QStringLiteral("gallery"), QStringLiteral("menus-tools"));
    // The radio mark stands in the icon bar of the chosen options only.
    auto iconBar = [&](unsigned id) {
        const QRect row = RowIn(frame.Frame, *tools, frame.Actions.Action(id));
        return QRect(row.left() + 2, row.top() + 2, 20, row.height() - 4);
    };
    EXPECT_LT(DarkestIn(toolsImage, iconBar(ID_USE_GLOBAL_OPTIONS)),
              DarkestIn(toolsImage, iconBar(ID_USE_LOCAL_OPTIONS)) - 80);
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
    const QImage context = GrabWithPopups(frame.Frame);
    shots::Save(context, QStringLiteral("gallery"), QStringLiteral("menus-context-182-wave"));
    QMenu& popup = *wave->GetMenu();
    auto row = [&](unsigned id) { return RowIn(frame.Frame, popup, wave->FindCommand(id)); };
    auto label = [](const QRect& r) {
        return QRect(r.left() + 28, r.top() + 2, 90, r.height() - 4);
    };
    // The greyed commands read lighter than the others; the highlighted one stands out.
    EXPECT_GT(DarkestIn(context, label(row(ID_WAVE_SHOW_RECONCILIATION))),
              DarkestIn(context, label(row(ID_WAVE_REDO_RECONCILIATION))) + 40);
    EXPECT_GT(DarkestIn(context, label(row(ID_WAVE_SHOW_SUMMARY))),
              DarkestIn(context, label(row(ID_WAVE_REMOVE))) + 40);
    const int right = row(ID_WAVE_RECONCILE).right() - 6;
    EXPECT_TRUE(Differs(At(context, right, row(ID_WAVE_RECONCILE).center().y()),
                        At(context, right, row(ID_WAVE_REMOVE).center().y()), 12));
    wave->GetMenu()->hide();
}
