#include "MenuTestSupport.h"

#include "menus/MenuColors.h"
#include "menus/NewMenu.h"
#include "menus/NewToolBar.h"
#include "menus/SystemMetrics.h"
#include "res/CommandIds.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace menus;
using namespace menutest;

namespace {
class ToolBar : public ::testing::Test
{
protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override { ResetSettings(); }
};

QToolButton* Button(CNewToolBar& bar, CCommandActions& actions, unsigned id)
{
    return qobject_cast<QToolButton*>(bar.widgetForAction(actions.Action(id)));
}

void Hover(QWidget* widget)
{
    const QPoint at = widget->rect().center();
    QEnterEvent enter(at, widget->mapTo(widget->window(), at), widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &enter);
    widget->setAttribute(Qt::WA_UnderMouse, true);
    widget->update();
    QTest::qWait(10);
}

COLORREF Pixel(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}
} // namespace

TEST_F(ToolBar, DockedAtTheTopTheBarIsTheOfficeGradient)
{
    STestFrame frame;
    CNewToolBar& bar = frame.Main;
    const QImage image = bar.grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("toolbar-main-mode-9"));
    const int h = image.height();
    ASSERT_GE(h, 20);
    // A column between two buttons, clear of separators and corners.
    const QRect save = Button(bar, frame.Actions, ID_FILE_SAVE)->geometry();
    const int x = save.right() - 1;
    EXPECT_EQ(Pixel(image, x, 0), RGB(221, 236, 254)) << "c1 at the top";
    EXPECT_TRUE(Near(At(image, x, h / 2), QColor(196, 219, 249), 1)) << "c2 at mid-height";
    EXPECT_TRUE(Near(At(image, x, h - 1), QColor(129, 169, 226), 8)) << "c3 at the foot";
    EXPECT_EQ(Pixel(image, x, h - 3), RGB(59, 97, 156)) << "c4 three pixels above the bottom";
    // Rounded corners in the base colour.
    EXPECT_EQ(Pixel(image, 0, 0), 0xF5C2A3u);
    EXPECT_EQ(Pixel(image, image.width() - 1, h - 1), 0xF5C2A3u);
}

TEST_F(ToolBar, GripperIsDotsOfTwoByTwoEveryFourPixels)
{
    STestFrame frame;
    const QImage image = frame.Main.grab().toImage();
    const COLORREF dark = RGB(59, 97, 156);
    const COLORREF light = GetSysColor(COLOR_WINDOW);
    // The dots run down at the left: find the first dark pixel in the first columns.
    int dotX = -1, dotY = -1;
    for (int y = 0; y < image.height() && dotX < 0; ++y)
        for (int x = 0; x < 10 && dotX < 0; ++x)
            if (Pixel(image, x, y) == dark && y > 1) {
                dotX = x;
                dotY = y;
            }
    ASSERT_GE(dotX, 0) << "no gripper dot";
    EXPECT_EQ(dotY, 4) << "starting 4 pixels in";
    int dots = 0;
    for (int y = dotY; y + 2 <= image.height() - 8; y += 4) {
        EXPECT_EQ(Pixel(image, dotX, y), dark) << y;
        EXPECT_EQ(Pixel(image, dotX + 1, y + 1), dark) << y;
        EXPECT_EQ(Pixel(image, dotX + 2, y + 2), light) << "the light dot below right, " << y;
        EXPECT_NE(Pixel(image, dotX, y + 2), dark) << "two pixels of dot, then a gap, " << y;
        ++dots;
    }
    EXPECT_GE(dots, 3);
}

TEST_F(ToolBar, HotPressedAndCheckedButtons)
{
    STestFrame frame;
    CNewToolBar& bar = frame.Options;
    QToolButton* global = Button(bar, frame.Actions, ID_USE_GLOBAL_OPTIONS);
    QToolButton* local = Button(bar, frame.Actions, ID_USE_LOCAL_OPTIONS);
    ASSERT_TRUE(global->isChecked());
    Hover(local);
    const QImage image = bar.grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("toolbar-options-hot-checked"));
    const QRect checked = global->geometry();
    const QRect hot = local->geometry();
    EXPECT_EQ(Pixel(image, checked.left(), checked.center().y()), RGB(4, 2, 132));
    EXPECT_EQ(Pixel(image, checked.left() + 1, checked.top() + 1), RGB(255, 238, 194));
    EXPECT_EQ(Pixel(image, hot.left(), hot.center().y()), RGB(4, 2, 132));
    EXPECT_TRUE(Near(At(image, hot.left() + 1, hot.top() + 1), QColor(250, 239, 219), 6));
    EXPECT_TRUE(Near(At(image, hot.left() + 1, hot.bottom() - 1), QColor(255, 212, 151), 6));

    // Pressed: the warmer gradient.
    local->setDown(true);
    const QImage pressed = bar.grab().toImage();
    EXPECT_TRUE(Near(At(pressed, hot.left() + 1, hot.top() + 1), QColor(242, 151, 107), 6));
    local->setDown(false);

    // With 256 colours the hot button is filled.
    SystemSettings().ScreenDepth = 8;
    const QImage few = bar.grab().toImage();
    EXPECT_EQ(Pixel(few, hot.left() + 1, hot.top() + 1),
              Pixel(few, hot.left() + 1, hot.bottom() - 1));
}

TEST_F(ToolBar, ButtonImagesAreShadedNormalWhenHotAndWashedWhenDisabled)
{
    STestFrame frame;
    CNewToolBar& bar = frame.Main;
    QToolButton* open = Button(bar, frame.Actions, ID_FILE_OPEN);
    QToolButton* paste = Button(bar, frame.Actions, ID_EDIT_PASTE);
    ASSERT_FALSE(paste->isEnabled());
    const QImage strip = frame.Actions.Action(ID_FILE_OPEN)->icon().pixmap(QSize(16, 15)).toImage();
    const QPoint probe(5, 6); // the folder's yellow
    ASSERT_EQ(strip.pixelColor(probe).alpha(), 255);
    auto imagePixel = [&](const QImage& image, QToolButton* button) {
        const QRect r = button->geometry();
        return image.pixelColor(r.x() + (r.width() - 16) / 2 + probe.x(),
                                r.y() + (r.height() - 15) / 2 + probe.y());
    };
    QImage image = bar.grab().toImage();
    EXPECT_EQ(FromQColor(imagePixel(image, open)),
              DarkenColor(50, FromQColor(strip.pixelColor(probe))));
    Hover(open);
    image = bar.grab().toImage();
    EXPECT_EQ(imagePixel(image, open), strip.pixelColor(probe));
    const QImage pasteStrip =
        frame.Actions.Action(ID_EDIT_PASTE)->icon().pixmap(QSize(16, 15)).toImage();
    const QColor source = pasteStrip.pixelColor(probe);
    ASSERT_EQ(source.alpha(), 255);
    const int grey = (source.red() + source.green() + source.blue()) / 3;
    const COLORREF wash = DisabledImageWash();
    EXPECT_EQ(FromQColor(imagePixel(image, paste)),
              RGB((110 * grey + 145 * GetRValue(wash)) / 256,
                  (110 * grey + 145 * GetGValue(wash)) / 256,
                  (110 * grey + 145 * GetBValue(wash)) / 256));
}

TEST_F(ToolBar, ControlsHideWhileDockedLeftOrRightAndShowAgainAtTheTop)
{
    QMainWindow window;
    CCommandActions actions;
    CNewToolBar bar;
    ASSERT_TRUE(bar.LoadToolBarResource(IDR_RECONCILIATION_BAR, actions));
    auto* edit = new QLineEdit;
    QAction* control = bar.AddControl(edit);
    window.addToolBar(Qt::TopToolBarArea, &bar);
    window.resize(500, 300);
    window.show();
    QTest::qWait(20);
    EXPECT_TRUE(edit->isVisible());
    window.addToolBar(Qt::LeftToolBarArea, &bar);
    QTest::qWait(20);
    EXPECT_EQ(bar.orientation(), Qt::Vertical);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_FALSE(control->isVisible());
    const QImage docked = window.grab().toImage();
    shots::Save(docked, QStringLiteral("gallery"), QStringLiteral("toolbar-docked-left"));
    // The bar stands at the left edge, its buttons one under the other, each image drawn.
    EXPECT_EQ(bar.x(), 0);
    EXPECT_GT(bar.height(), 4 * bar.width());
    int buttons = 0;
    int drawn = 0;
    for (QAction* action : bar.actions()) {
        const QWidget* button = bar.widgetForAction(action);
        if (!qobject_cast<const QToolButton*>(button) || !action->isVisible())
            continue;
        ++buttons;
        const QRect area(button->mapTo(&window, QPoint(4, 4)), button->size() - QSize(8, 8));
        bool ink = false;
        for (int y = area.top(); y <= area.bottom() && !ink; ++y)
            for (int x = area.left(); x <= area.right() && !ink; ++x)
                ink = At(docked, x, y).lightness() < 200;
        drawn += ink;
    }
    EXPECT_GE(buttons, 8);
    EXPECT_EQ(drawn, buttons);
    window.addToolBar(Qt::RightToolBarArea, &bar);
    QTest::qWait(20);
    EXPECT_FALSE(edit->isVisible());
    window.addToolBar(Qt::TopToolBarArea, &bar);
    QTest::qWait(20);
    EXPECT_TRUE(edit->isVisible());
}

TEST_F(ToolBar, UnknownResourceAddsNothingAndImagesComeFromTheStrip)
{
    CCommandActions actions;
    CNewToolBar bar;
    EXPECT_FALSE(bar.LoadToolBarResource(IDR_CAMPAIGN_TREE_MENU, actions));
    EXPECT_TRUE(bar.actions().isEmpty());
    ASSERT_TRUE(bar.LoadToolBarResource(IDR_MAINFRAME, actions));
    EXPECT_EQ(bar.actions().size(), 10);
    QAction* cut = actions.Action(ID_EDIT_CUT);
    EXPECT_FALSE(cut->icon().isNull());
    EXPECT_FALSE(cut->isIconVisibleInMenu()) << "menus take their icons from their own sets";
    EXPECT_EQ(bar.iconSize(), QSize(16, 15));
}

TEST_F(ToolBar, DockAreasShowTheMenuBarGradientAlignedToTheWindow)
{
    STestFrame frame;
    frame.Frame.addToolBar(Qt::LeftToolBarArea, &frame.Options);
    QTest::qWait(20);
    shots::Save(frame.Frame.grab().toImage(), QStringLiteral("gallery"),
                QStringLiteral("frame-bar-docked-left"));
    const QRect top = frame.Frame.DockAreaRect(Qt::TopToolBarArea);
    const QRect left = frame.Frame.DockAreaRect(Qt::LeftToolBarArea);
    EXPECT_EQ(top, QRect(0, frame.Main.y(), frame.Frame.width(), frame.Main.height()));
    EXPECT_EQ(left.top(), top.bottom() + 1);
    EXPECT_EQ(left.width(), frame.Options.width());
    EXPECT_TRUE(frame.Frame.DockAreaRect(Qt::RightToolBarArea).isEmpty());

    // The window itself, without its children, paints the brush under every docked bar.
    QImage image(frame.Frame.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    frame.Frame.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QImage texture = CNewMenu::GetThemeBrush()->textureImage();
    for (const QPoint& p : {top.center(), QPoint(top.right(), top.top()), left.center(),
                            QPoint(left.left(), left.bottom())})
        EXPECT_EQ(image.pixelColor(p), texture.pixelColor(p.x() % texture.width(), 0))
            << p.x() << "," << p.y();
    // The menu bar shows the same brush at the same columns.
    const QImage menuBar = frame.Frame.menuBar()->grab().toImage();
    EXPECT_EQ(menuBar.pixelColor(top.center().x(), 1), texture.pixelColor(top.center().x(), 0));
}

TEST_F(ToolBar, AWindowWiderThanTheGradientRunsOnInItsLastColour)
{
    STestFrame frame;
    const QImage texture = CNewMenu::GetThemeBrush()->textureImage();
    const COLORREF last = FromQColor(texture.pixelColor(texture.width() - 1, 0));
    ASSERT_NE(FromQColor(texture.pixelColor(0, 0)), last);
    // A second, larger monitor: the window is wider than the screen the texture was made for.
    frame.Frame.resize(texture.width() + 300, 360);
    QTest::qWait(20);
    const QImage image = frame.Frame.grab().toImage();
    shots::Save(image.copy(0, 0, image.width(), 60), QStringLiteral("gallery"),
                QStringLiteral("frame-bars-wider-than-the-screen"));
    // The menu bar right of its items, and the dock area as the window paints it behind the
    // bars.
    QImage behind(frame.Frame.size(), QImage::Format_RGB32);
    behind.fill(Qt::black);
    frame.Frame.render(&behind, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const int barY = frame.Frame.menuBar()->geometry().center().y();
    const int dockY = frame.Frame.DockAreaRect(Qt::TopToolBarArea).center().y();
    for (const int x : {texture.width(), texture.width() + 150, image.width() - 2}) {
        EXPECT_EQ(Pixel(image, x, barY), last) << "menu bar at " << x;
        EXPECT_EQ(Pixel(behind, x, dockY), last) << "dock area at " << x;
    }
    // Inside the texture the gradient is as before.
    for (const int x : {3, texture.width() / 2, texture.width() - 1})
        EXPECT_EQ(Pixel(behind, x, dockY), FromQColor(texture.pixelColor(x, 0))) << x;
    // The menu bar's items take the colour behind them from the same rule.
    const QBrush brush = *CNewMenu::GetThemeBrush();
    EXPECT_EQ(ThemeBrushColourAt(brush, texture.width() + 40), last);
    EXPECT_EQ(ThemeBrushColourAt(brush, 3), FromQColor(texture.pixelColor(3, 0)));
}

TEST_F(ToolBar, GalleryOfEveryMode)
{
    STestFrame frame;
    // A button's place in the picture of the window.
    auto place = [&frame](unsigned id) {
        const QToolButton* button = Button(frame.Main, frame.Actions, id);
        return QRect(button->mapTo(&frame.Frame, QPoint(0, 0)), button->size());
    };
    auto darkest = [](const QImage& image, const QRect& area) {
        int value = 255;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                value = std::min(value, At(image, x, y).lightness());
        return value;
    };
    for (int mode = 0; mode < 12; ++mode) {
        SCOPED_TRACE(mode);
        CNewMenu::SetDrawMode(mode);
        Hover(Button(frame.Main, frame.Actions, ID_FILE_SAVE));
        QImage image = frame.Frame.grab().toImage();
        shots::Save(image.copy(0, 0, image.width(), 60), QStringLiteral("gallery"),
                    QStringLiteral("frame-bars-mode-%1").arg(mode));
        // The hot Save button is drawn apart from the plain Open button along its edges.
        const QRect hot = place(ID_FILE_SAVE);
        const QRect plain = place(ID_FILE_OPEN);
        int apart = 0;
        for (int x = 0; x < hot.width(); ++x)
            for (int y : {0, 1, hot.height() - 2, hot.height() - 1})
                apart += !Near(At(image, hot.left() + x, hot.top() + y),
                               At(image, plain.left() + x, plain.top() + y), 10);
        EXPECT_GT(apart, 8);
        // The disabled Paste image is paler than the enabled Cut image.
        EXPECT_GT(darkest(image, place(ID_EDIT_PASTE).adjusted(3, 3, -3, -3)),
                  darkest(image, place(ID_EDIT_CUT).adjusted(3, 3, -3, -3)) + 30);
        // The three bars stand in one row.
        EXPECT_EQ(frame.Reconciliation.y(), frame.Main.y());
        EXPECT_EQ(frame.Options.y(), frame.Main.y());
    }
}
