#include "MenuTestSupport.h"

#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"
#include "menus/MenuIcons.h"
#include "menus/MenuItemPainting.h"
#include "menus/MenuPaint.h"
#include "menus/MenuTheme.h"
#include "menus/NewMenu.h"
#include "menus/NewMenuHook.h"
#include "menus/SystemMetrics.h"
#include "menus/UxThemeLoader.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace menus;
using namespace menutest;

namespace {
class MenuDrawing : public ::testing::Test
{
protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        ResetSettings();
    }
};

QRect ItemRect(QMenu* menu, unsigned id)
{
    for (QAction* action : menu->actions()) {
        if (CCommandActions::CommandId(action) == id)
            return menu->actionGeometry(action);
    }
    return {};
}

QRect BarItemRect(QMenuBar* bar, const QString& title)
{
    for (QAction* action : bar->actions()) {
        if (action->text() == title)
            return bar->actionGeometry(action);
    }
    return {};
}

// The colour the theme brush shows at column x of the window.
COLORREF BrushAt(int x)
{
    const QImage texture = CNewMenu::GetThemeBrush()->textureImage();
    return FromQColor(texture.pixelColor(x % texture.width(), 0));
}

COLORREF Pixel(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// Paints one item on a white image of the rectangle's size plus a margin.
QImage Paint(void (*routine)(QPainter&, const SMenuItemPaint&), SMenuItemPaint item)
{
    QImage image(item.Rect.size() + QSize(8, 8), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    routine(painter, item);
    return image;
}

// Moves the mouse over the point of the widget, as the user's mouse would.
void Hover(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::qWait(10);
}

QPixmap CommandIcon(unsigned id)
{
    return CNewMenuIcons::FindOrLoad(IDR_MAINFRAME, MainMenuIconCommands(), RGB(192, 192, 192))
        ->Image(id);
}
} // namespace

TEST_F(MenuDrawing, PopupWithIconsInTheOfficeLook)
{
    STestFrame frame;
    QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    edit->setActiveAction(frame.Actions.Action(ID_EDIT_COPY));
    QTest::qWait(20);
    const QImage popup = edit->grab().toImage();
    shots::Save(popup, QStringLiteral("gallery"), QStringLiteral("menus-popup-edit-mode-9"));

    // The icon bar runs from pale to the blue base: its right column is the base.
    const QRect selectAll = ItemRect(edit, ID_EDIT_SELECT_ALL);
    const int barRight = selectAll.left() + 16 + 8 - 1;
    EXPECT_TRUE(Near(At(popup, barRight, selectAll.center().y()), QColor(163, 194, 245), 4))
        << At(popup, barRight, selectAll.center().y()).name().toStdString();
    EXPECT_TRUE(Near(
        At(popup, selectAll.left(), selectAll.center().y()),
        Colour(MixColor86(DarkenColor(10, GetSysColor(COLOR_WINDOW)), MenuBackgroundColor())), 2));

    // The highlighted item: filled RGB(255, 238, 194) inside a frame of the highlight colour.
    const QRect copy = ItemRect(edit, ID_EDIT_COPY);
    EXPECT_EQ(At(popup, copy.right() - 3, copy.center().y()), QColor(255, 238, 194));
    EXPECT_EQ(At(popup, copy.left(), copy.center().y()), Colour(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(At(popup, copy.right(), copy.top()), Colour(GetSysColor(COLOR_HIGHLIGHT)));

    // The disabled Paste shows the washed grey of its image's pixels.
    const QRect paste = ItemRect(edit, ID_EDIT_PASTE);
    const QImage source = CommandIcon(ID_EDIT_PASTE).toImage();
    const QImage washed = MakeDisabledImage(source, LightenColor(115, 0xF5C2A3));
    const QPoint origin(paste.left() + 3, paste.top() + (paste.height() - 15) / 2);
    int compared = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (source.pixelColor(x, y).alpha() != 255)
                continue;
            ASSERT_EQ(At(popup, origin.x() + x, origin.y() + y), washed.pixelColor(x, y))
                << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 50);
}

TEST_F(MenuDrawing, MenuBarGradientRunsOnBehindTheItemsAndAnOpenItemHasItsShadow)
{
    STestFrame frame;
    QMenuBar* bar = frame.Frame.menuBar();
    QImage image = bar->grab().toImage();
    const int x0 = bar->mapTo(&frame.Frame, QPoint(0, 0)).x();
    for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(Pixel(image, x, 1), BrushAt(x0 + x)) << "column " << x;

    QMenu* edit = OpenBarMenu(frame.Frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    image = bar->grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("menus-bar-open-item"));
    const QRect item = BarItemRect(bar, QStringLiteral("&Edit"));
    ASSERT_GT(item.height(), 12);
    const int y = item.top() + 10;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(Pixel(image, item.left(), y), highlight);
    EXPECT_EQ(Pixel(image, item.right() - 4, y), highlight) << "the item is 4 pixels narrower";
    for (int i = 1; i <= 4; ++i) {
        const int x = item.right() + 1 - i;
        EXPECT_EQ(Pixel(image, x, y), DarkenColor(30 * i, BrushAt(x0 + x))) << "column " << i;
        EXPECT_EQ(Pixel(image, x, item.top() + 2), BrushAt(x0 + x)) << "column " << i;
        EXPECT_EQ(Pixel(image, x, item.top() + 5), DarkenColor(6 * i * 2, BrushAt(x0 + x)));
    }
    // Beside the open item the bar shows its brush.
    EXPECT_EQ(Pixel(image, item.right() + 2, 1), BrushAt(x0 + item.right() + 2));
}

TEST_F(MenuDrawing, HotMenuBarItemIsAGradientToTheSelectionFill)
{
    STestFrame frame;
    QMenuBar* bar = frame.Frame.menuBar();
    const QRect item = BarItemRect(bar, QStringLiteral("&View"));
    Hover(bar, item.center());
    const QImage image = bar->grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("menus-bar-hot-item"));
    EXPECT_EQ(Pixel(image, item.left(), item.center().y()), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(Near(At(image, item.left() + 2, item.bottom() - 1), QColor(255, 238, 194), 12));
    EXPECT_TRUE(Near(At(image, item.left() + 2, item.top() + 1),
                     Colour(DarkenColor(10, GetSysColor(COLOR_WINDOW))), 12));
    EXPECT_EQ(Pixel(image, item.right(), item.center().y()), GetSysColor(COLOR_HIGHLIGHT))
        << "a hot item keeps its full width";
}

TEST_F(MenuDrawing, EvenModesFrameTheirPopupsOddModesKeepTheSystemFrame)
{
    STestFrame frame;
    for (int mode = 0; mode < 12; ++mode) {
        CNewMenu::SetDrawMode(mode);
        QMenu* view = OpenBarMenu(frame.Frame, QStringLiteral("&View"));
        ASSERT_NE(view, nullptr);
        const QImage popup = view->grab().toImage();
        shots::Save(popup, QStringLiteral("gallery"),
                    QStringLiteral("menus-popup-mode-%1").arg(mode));
        const COLORREF menu = MenuBackgroundColor();
        COLORREF expected = GetSysColor(COLOR_BTNSHADOW); // flat menus: a one-pixel system line
        if (mode % 2 == 0)
            expected = (mode == 2 || mode == 8 || mode == 10) ? DarkenColor(128, menu)
                                                              : GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_EQ(Pixel(popup, 0, popup.height() / 2), expected) << "mode " << mode;
        EXPECT_EQ(view->contentsMargins(), mode % 2 == 0 ? QMargins(2, 2, 2, 2) : QMargins())
            << "mode " << mode;
        view->hide();
        frame.Frame.menuBar()->setActiveAction(nullptr);
    }
}

TEST_F(MenuDrawing, XpFrameJoinsThePopupToItsOpenBarItem)
{
    STestFrame frame;
    CNewMenu::SetDrawMode(2);
    QMenuBar* bar = frame.Frame.menuBar();
    QMenu* view = OpenBarMenu(frame.Frame, QStringLiteral("&View"));
    ASSERT_NE(view, nullptr);
    const QRect item = BarItemRect(bar, QStringLiteral("&View"));
    const QPoint itemOnScreen = bar->mapToGlobal(item.topLeft());
    EXPECT_EQ(view->pos().y(), itemOnScreen.y() + item.height() - 1) << "lifted by one pixel";
    const QImage popup = view->grab().toImage();
    const int underItem = itemOnScreen.x() + item.width() / 2 - view->pos().x();
    const COLORREF joint = MixColor86(MenuBarColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(Pixel(popup, underItem, 0), joint);
    EXPECT_EQ(Pixel(popup, popup.width() - 10, 0), DarkenColor(128, MenuBackgroundColor()))
        << "beyond the item the frame stays";
}

TEST_F(MenuDrawing, FlatFrameShadowDarkensWhatLiesBehindThePopup)
{
    SystemSettings().FlatMenus = 0;
    CNewMenu::SetDrawMode(0);
    QMenu popup;
    popup.addAction(QStringLiteral("One"));
    popup.addAction(QStringLiteral("Two"));
    popup.resize(popup.sizeHint());
    ASSERT_EQ(popup.contentsMargins(), QMargins(2, 2, 6, 6));
    const int w = popup.width(), h = popup.height();
    const CMenuTheme& theme = CurrentTheme();

    struct SCase
    {
        const char* Name;
        int Depth;
        bool Captured;
    };
    const QColor behind(100, 150, 200);
    for (const SCase& c : {SCase{"true colour", 24, true}, SCase{"256 colours", 8, true},
                           SCase{"nothing captured", 24, false}}) {
        SystemSettings().ScreenDepth = c.Depth;
        CMenuHookData record;
        record.Menu = &popup;
        if (c.Captured) {
            record.Screen = QImage(w + 10, h + 10, QImage::Format_RGB32);
            record.Screen.fill(behind);
        }
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ASSERT_TRUE(theme.PaintNonClientFrame(painter, &popup, &record));
        painter.end();
        const COLORREF back = FromQColor(behind);
        EXPECT_EQ(Pixel(image, 0, h / 2), GetSysColor(COLOR_HIGHLIGHT)) << c.Name;
        EXPECT_EQ(Pixel(image, w - 5, h / 2), GetSysColor(COLOR_HIGHLIGHT)) << c.Name;
        if (!c.Captured) {
            EXPECT_EQ(Pixel(image, w - 1, h / 2), GetSysColor(COLOR_APPWORKSPACE)) << c.Name;
            EXPECT_EQ(Pixel(image, w / 2, h - 1), GetSysColor(COLOR_APPWORKSPACE)) << c.Name;
        } else if (c.Depth > 8) {
            for (int i = 1; i <= 4; ++i) {
                EXPECT_EQ(Pixel(image, w - i, 2), back) << c.Name;
                EXPECT_EQ(Pixel(image, w - i, 5), DarkenColor(6 * i * 2, back)) << c.Name;
                EXPECT_EQ(Pixel(image, w - i, h / 2), DarkenColor(30 * i, back)) << c.Name;
                EXPECT_EQ(Pixel(image, w / 2, h - i), DarkenColor(30 * i, back)) << c.Name;
                EXPECT_EQ(Pixel(image, 2, h - i), back) << c.Name;
            }
            // The corner square takes the column pass alone: 6 i (h - row).
            EXPECT_EQ(Pixel(image, w - 1, h - 1), DarkenColor(6, back));
            EXPECT_EQ(Pixel(image, w - 4, h - 4), DarkenColor(6 * 4 * 4, back));
        } else {
            EXPECT_EQ(Pixel(image, w - 1, h / 2), back) << c.Name;
            EXPECT_EQ(Pixel(image, w - 3, h / 2), GetSysColor(COLOR_BTNSHADOW)) << c.Name;
            EXPECT_EQ(Pixel(image, w - 4, 2), back) << c.Name;
            EXPECT_EQ(Pixel(image, w / 2, h - 3), GetSysColor(COLOR_BTNSHADOW)) << c.Name;
        }
    }
    // Odd modes paint no frame of their own.
    EXPECT_FALSE(CNewMenuHook::Instance().FindTheme(9)->PaintNonClientFrame(
        *std::make_unique<QPainter>().get(), &popup, nullptr));
}

TEST_F(MenuDrawing, ThemeOffAndFewColoursTakeThePlainColours)
{
    STestFrame frame;
    CUxThemeLoader::Instance().SetAvailable(false);
    QMenuBar* bar = frame.Frame.menuBar();
    QImage image = bar->grab().toImage();
    EXPECT_EQ(Pixel(image, 0, 1), GetSysColor(COLOR_BTNFACE)) << "the brush starts at the face";

    ResetSettings();
    SystemSettings().ScreenDepth = 8;
    image = bar->grab().toImage();
    for (int x = 0; x < image.width(); x += 7)
        ASSERT_EQ(Pixel(image, x, 1), 0xF5C2A3u) << "a solid bar, column " << x;
    const QRect item = BarItemRect(bar, QStringLiteral("&View"));
    Hover(bar, item.center());
    image = bar->grab().toImage();
    EXPECT_EQ(Pixel(image, item.left() + 2, item.bottom() - 1),
              DarkenColor(10, GetSysColor(COLOR_WINDOW)))
        << "a hot item is filled, not gradient-filled";
}

TEST_F(MenuDrawing, SectionsAreTitleItemsInTheCaptionColours)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Above"));
    menu.addSection(QStringLiteral("Section"));
    menu.addAction(QStringLiteral("Below"));
    menu.resize(menu.sizeHint());
    const QImage image = menu.grab().toImage();
    shots::Save(image, QStringLiteral("gallery"), QStringLiteral("menus-section-title"));
    const QRect title = menu.actionGeometry(menu.actions().at(1));
    EXPECT_GE(title.height(), 14);
    EXPECT_EQ(Pixel(image, title.right() - 2, title.center().y()),
              GetSysColor(COLOR_ACTIVECAPTION));

    // Each colour left at the default takes the caption colours; given colours win.
    SMenuItemPaint item;
    item.Rect = QRect(0, 0, 80, 20);
    item.Text = QStringLiteral("T");
    item.TitleFlags = MFT_TITLE | MFT_TITLE_GRADIENT;
    QImage gradient = Paint(DrawTitle, item);
    EXPECT_EQ(Pixel(gradient, 0, 10), GetSysColor(COLOR_ACTIVECAPTION));
    item.TitleStart = RGB(10, 20, 30);
    item.TitleEnd = RGB(200, 210, 220);
    gradient = Paint(DrawTitle, item);
    EXPECT_EQ(Pixel(gradient, 0, 10), RGB(10, 20, 30));
    EXPECT_TRUE(Near(At(gradient, 79, 10), QColor(200, 210, 220), 4));
}

TEST_F(MenuDrawing, ClassicBarItemsAreSunkenWhenOpenAndRaisedWhenHot)
{
    SMenuItemPaint item;
    item.Rect = QRect(0, 0, 40, 19);
    item.Text = QStringLiteral("&Edit");
    item.MenuBar = true;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    item.State = ODS_SELECTED;
    QImage image = Paint(DrawItemFirst, item);
    EXPECT_EQ(Pixel(image, 0, 5), shadow);
    EXPECT_EQ(Pixel(image, 37, 5), light);
    item.State = ODS_HOTLIGHT;
    image = Paint(DrawItemFirst, item);
    EXPECT_EQ(Pixel(image, 0, 5), light);
    EXPECT_EQ(Pixel(image, 37, 5), shadow);
    for (unsigned state : {unsigned(ODS_SELECTED), unsigned(ODS_HOTLIGHT)}) {
        item.State = state;
        image = Paint(DrawItemSecond, item);
        EXPECT_EQ(Pixel(image, 1, 1), GetSysColor(COLOR_HIGHLIGHT)) << state;
    }
    item.State = 0;
    image = Paint(DrawItemSecond, item);
    EXPECT_EQ(Pixel(image, 1, 1), MenuBarColor());
}

TEST_F(MenuDrawing, DisabledImagesAreWashedInClassicModesAndSilhouettesInGradientModes)
{
    const QPixmap icon = CommandIcon(ID_FILE_SAVE);
    const QImage source = icon.toImage();
    SMenuItemPaint item;
    item.Rect = QRect(0, 0, 120, 22);
    item.Text = QStringLiteral("Save");
    item.Image = icon;
    item.State = ODS_GRAYED | ODS_DISABLED;
    const QPoint at(1 + (24 - 16) / 2, (22 - 15) / 2); // icon bar from x 1, centred
    const QPoint probe(6, 7);                          // an opaque pixel of the floppy disk
    ASSERT_EQ(source.pixelColor(probe).alpha(), 255);
    for (int mode : {0, 1, 4, 5}) {
        CNewMenu::SetDrawMode(mode);
        const QImage image = Paint(DrawMenuItem, item);
        EXPECT_EQ(At(image, at.x() + probe.x(), at.y() + probe.y()),
                  MakeDisabledImage(source, DisabledImageWash()).pixelColor(probe))
            << "mode " << mode;
    }
    // Modes 6 and 7: a grey silhouette that keeps the image's shape. The Paste icon is a
    // clipboard of large opaque areas: its black outline takes the silhouette's colour, the
    // white paper lets the menu show through, and the light brown board lies between.
    item.Image = CommandIcon(ID_EDIT_PASTE);
    item.Text = QStringLiteral("Paste");
    for (int mode : {6, 7}) {
        CNewMenu::SetDrawMode(mode);
        const QImage image = Paint(DrawMenuItem, item);
        const COLORREF silhouette =
            GetNearestColor(DarkenColor(70, DarkenColor(60, MenuBackgroundColor())));
        auto iconPixel = [&](int x, int y) { return image.pixelColor(at.x() + x, at.y() + y); };
        EXPECT_EQ(FromQColor(iconPixel(7, 8)), silhouette) << "mode " << mode << ": page outline";
        const QColor paper = iconPixel(9, 10);
        const QColor board = iconPixel(3, 6);
        EXPECT_GT(paper.lightness(), board.lightness() + 20) << "mode " << mode;
        EXPECT_GT(board.lightness(), ToQColor(silhouette).lightness() + 20) << "mode " << mode;
        // The paper is the item's own background, as beside the icon.
        EXPECT_TRUE(Near(paper, image.pixelColor(at.x() + 17, at.y() + 10), 6)) << "mode " << mode;
        // Every colour in the icon is a shade of the silhouette's grey.
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                EXPECT_LE(std::abs(iconPixel(x, y).red() - iconPixel(x, y).blue()), 12)
                    << x << "," << y;
    }
}

TEST_F(MenuDrawing, MeasureRules)
{
    const int cyMenu = GetSystemMetrics(SM_CYMENU);
    const int padding = GetSystemMetrics(SM_CXMENUCHECK) - 1;
    const QFontMetrics metrics(GetMenuFont());
    SMenuItemPaint separator;
    separator.Flags = MF_SEPARATOR;
    EXPECT_EQ(MeasureItemXP(separator), QSize(3, 3));
    EXPECT_EQ(MeasureItemFirst(separator, false), QSize(3, 3));

    SMenuItemPaint item;
    item.Text = QStringLiteral("Open\tCtrl+O");
    const int withN = metrics.horizontalAdvance(QStringLiteral("OpennnnCtrl+O"));
    const int withBlank = metrics.horizontalAdvance(QStringLiteral("Open Ctrl+O"));
    QSize xp = MeasureItemXP(item);
    EXPECT_EQ(xp.width(), 16 + 6 + withN + cyMenu / 2 + padding);
    EXPECT_EQ(xp.height(), 15 + 8 < cyMenu ? cyMenu : 15 + 7);
    item.HasSubMenu = true;
    EXPECT_EQ(MeasureItemXP(item).width(), 16 + 6 + withN + cyMenu + padding);
    item.HasSubMenu = false;
    EXPECT_EQ(MeasureItemFirst(item, false).width(), 16 + withBlank + 2 + 16 + padding);
    EXPECT_EQ(MeasureItemFirst(item, true).width() - MeasureItemFirst(item, false).width(),
              withN - withBlank)
        << "the second routine counts the TAB as \"nnn\"";
    EXPECT_EQ(MeasureItemFirst(item, false).height(), std::max(cyMenu, 15 + 4));
    EXPECT_EQ(MeasureItemFirst(item, true).height(), std::max(cyMenu, 15 + 6));
    item.MenuBar = true;
    item.Text = QStringLiteral("&Edit");
    EXPECT_EQ(MeasureItemXP(item),
              QSize(metrics.size(Qt::TextShowMnemonic, QStringLiteral("&Edit")).width() + padding,
                    std::max(cyMenu, 15 + 2)));

    // A system command is measured at least as wide as the next command.
    SMenuItemPaint close;
    close.Id = 0xF060;
    close.Text = QStringLiteral("C");
    SMenuItemPaint next;
    next.Text = QStringLiteral("A much longer command text");
    const QSize measured = MeasureMenuItem(close, &next);
    EXPECT_EQ(measured.width(), MeasureMenuItem(next).width());
    EXPECT_EQ(measured.height(), cyMenu);
}
