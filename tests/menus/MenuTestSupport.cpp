#include "MenuTestSupport.h"

#include "menus/MenuText.h"
#include "menus/NewFrameWnd.h"
#include "menus/NewMenu.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
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

QImage GrabScreen(const QRect& rect)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height()).toImage();
}
} // namespace menutest
