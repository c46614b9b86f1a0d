#include "MenuTestSupport.h"

#include "menus/MenuText.h"
#include "menus/NewFrameWnd.h"
#include "menus/NewMenu.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include <cstdlib>

namespace menutest {
void ResetSettings()
{
    CUxThemeLoader& binding = CUxThemeLoader::Instance();
    binding.SetAvailable(true);
    for (const char* entry : {"IsAppThemed", "IsThemeActive", "OpenThemeData", "CloseThemeData",
                              "GetThemeColor", "DrawThemeBackground", "DrawThemeEdge"})
        binding.SetEntryAvailable(QString::fromLatin1(entry), true);
    menus::SystemSettings() = menus::SSystemSettings{};
    menus::SetShowAccelerators(true);
    CNewMenu::SetDrawMode(9);
}

QColor At(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return {};
    return image.pixelColor(x, y);
}

QColor Colour(menus::COLORREF c)
{
    return menus::ToQColor(c);
}

bool Near(QColor actual, QColor expected, int tolerance)
{
    return actual.isValid() && std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

STestFrame::STestFrame()
{
    std::function<void(std::span<const SMenuItem>)> handleAll =
        [&](std::span<const SMenuItem> items) {
            for (const SMenuItem& item : items) {
                if (item.IsPopup())
                    handleAll(item.Items);
                else if (!item.IsSeparator())
                    Actions.AddHandler(item.Id, CCommandActions::Application, nullptr, [] {});
            }
        };
    for (const SMenuResource& menu : GetMenuResources())
        handleAll(menu.Items);
    for (const SToolBarResource& bar : GetToolBarResources()) {
        for (unsigned id : bar.Buttons) {
            if (id != 0)
                Actions.AddHandler(id, CCommandActions::Application, nullptr, [] {});
        }
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
    Frame.GetMenu().LoadToolBar(IDR_MAINFRAME, MainMenuIconCommands(), menus::RGB(192, 192, 192));
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

QMenu* OpenBarMenu(CNewFrameWnd& frame, const QString& title)
{
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->menu() && action->text() == title) {
            frame.menuBar()->setActiveAction(action);
            QTest::qWait(20);
            return action->menu();
        }
    }
    return nullptr;
}

QImage GrabWithPopups(QWidget& window)
{
    QImage image = window.grab().toImage();
    QPainter painter(&image);
    // Pop-ups in the order they were opened: a sub-menu lies over its parent.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* popup = qobject_cast<QMenu*>(widget);
        if (popup && popup->isVisible())
            painter.drawPixmap(popup->geometry().topLeft() - window.geometry().topLeft(),
                               popup->grab());
    }
    return image;
}
} // namespace menutest
