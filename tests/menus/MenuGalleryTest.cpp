#include "MenuTestSupport.h"

#include "menus/CommandActions.h"
#include "menus/NewFrameWnd.h"
#include "menus/NewMenu.h"
#include "menus/NewToolBar.h"
#include "menus/SystemMetrics.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace menutest;

namespace {
// The program's main window as the window program builds it: the main menu with the shared
// actions, the three toolbars in a row and the menu icons of the main toolbar's strip.
struct SFrame
{
    CCommandActions Actions;
    CNewFrameWnd Frame;
    CNewToolBar Main, Reconciliation, Options;

    SFrame()
    {
        for (const SMenuResource& menu : GetMenuResources()) {
            std::function<void(std::span<const SMenuItem>)> walk =
                [&](std::span<const SMenuItem> items) {
                    for (const SMenuItem& item : items) {
                        if (item.IsPopup())
                            walk(item.Items);
                        else if (!item.IsSeparator())
                            Actions.AddHandler(item.Id, CCommandActions::Application, nullptr,
                                               [] {});
                    }
                };
            walk(menu.Items);
        }
        for (unsigned id : {ID_EDIT_PASTE, ID_EDIT_REDO, ID_REAPPLY_MATCHES})
            Actions.AddHandler(id, CCommandActions::View, nullptr, {},
                               [](CCmdUI& ui) { ui.Enable(false); });
        Actions.AddHandler(ID_USE_GLOBAL_OPTIONS, CCommandActions::View, nullptr, {},
                           [](CCmdUI& ui) { ui.SetRadio(true); });
        Actions.AddHandler(ID_USE_LOCAL_OPTIONS, CCommandActions::View, nullptr, {},
                           [](CCmdUI& ui) { ui.SetRadio(false); });
        Frame.LoadFrameMenu(IDR_MAINFRAME, Actions);
        Main.LoadToolBarResource(IDR_MAINFRAME, Actions);
        Reconciliation.LoadToolBarResource(IDR_RECONCILIATION_BAR, Actions);
        Options.LoadToolBarResource(IDR_OPTIONS_BAR, Actions);
        Frame.addToolBar(&Main);
        Frame.addToolBar(&Reconciliation);
        Frame.addToolBar(&Options);
        Frame.GetMenu().LoadToolBar(IDR_MAINFRAME, MainMenuIconCommands(),
                                    menus::RGB(192, 192, 192));
        auto* client = new QWidget;
        client->setAutoFillBackground(true);
        QPalette palette = client->palette();
        palette.setColor(QPalette::Window, Qt::white);
        client->setPalette(palette);
        Frame.setCentralWidget(client);
        Frame.resize(640, 360);
        Frame.move(0, 0);
        Actions.UpdateAll();
        Frame.show();
        QTest::qWait(20);
    }
};
} // namespace

TEST(MenuGallery, EveryModeDrawsAPopupAndAMenuBar)
{
    ResetSettings();
    SFrame frame;
    for (int mode = 0; mode < 12; ++mode) {
        CNewMenu::SetDrawMode(mode);
        QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(edit->isVisible());
        edit->setActiveAction(frame.Actions.Action(ID_EDIT_COPY));
        QTest::qWait(20);
        const QImage shot = GrabScreen(QRect(0, 0, 640, 360));
        shots::Save(shot, QStringLiteral("gallery"), QStringLiteral("menus-mode-%1").arg(mode));
        edit->hide();
        frame.Frame.menuBar()->setActiveAction(nullptr);
        QTest::qWait(10);
    }
    CNewMenu::SetDrawMode(9);
}
