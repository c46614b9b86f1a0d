#include "MenuTestSupport.h"

#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"
#include "menus/MenuIcons.h"
#include "menus/NewMenu.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"

#include <QAction>
#include <QImage>
#include <gtest/gtest.h>

using namespace menus;

namespace {
// A strip of two 4 x 3 images: a corner colour around a red and a green square.
QImage MakeStrip(QColor corner)
{
    QImage strip(8, 3, QImage::Format_RGB32);
    strip.fill(corner);
    strip.setPixelColor(1, 1, Qt::red);
    strip.setPixelColor(5, 1, Qt::green);
    strip.setPixelColor(6, 2, Qt::magenta);
    return strip;
}
} // namespace

TEST(MenuIcons, TheMainToolbarStripGivesOneImagePerButton)
{
    CNewMenuIcons icons;
    ASSERT_TRUE(icons.LoadToolBar(IDR_MAINFRAME, CLR_DEFAULT));
    EXPECT_EQ(icons.Commands(),
              (std::vector<unsigned>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT,
                                     ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO}));
    EXPECT_EQ(icons.ImageSize(), QSize(16, 15));
    const QImage save = icons.Image(ID_FILE_SAVE).toImage();
    ASSERT_EQ(save.size(), QSize(16, 15));
    EXPECT_EQ(save.pixelColor(0, 0).alpha(), 0) << "the light grey corner is transparent";
    EXPECT_EQ(save.pixelColor(7, 7).alpha(), 255);
    EXPECT_TRUE(icons.Image(ID_APP_ABOUT).isNull());
    for (const SToolBarResource& bar : GetToolBarResources()) {
        CNewMenuIcons set;
        EXPECT_TRUE(set.LoadToolBar(bar.Id, CLR_DEFAULT)) << bar.Id;
    }
}

TEST(MenuIcons, TheTopLeftPixelOrTheGivenColourIsTransparent)
{
    struct SCase
    {
        QColor Corner;
        COLORREF Transparent;
        bool CornerClear, MagentaClear;
    };
    const SCase cases[] = {
        {Qt::magenta, CLR_DEFAULT, true, true},
        {Qt::white, CLR_DEFAULT, true, false},
        {Qt::white, RGB(255, 0, 255), false, true},
    };
    for (const SCase& c : cases) {
        CNewMenuIcons icons;
        const unsigned ids[] = {1, 2};
        ASSERT_TRUE(icons.LoadBitmap(MakeStrip(c.Corner), QSize(4, 3), ids, c.Transparent));
        const QImage second = icons.Image(2).toImage();
        EXPECT_EQ(second.pixelColor(0, 0).alpha() == 0, c.CornerClear)
            << c.Corner.name().toStdString();
        EXPECT_EQ(second.pixelColor(2, 2).alpha() == 0, c.MagentaClear)
            << c.Corner.name().toStdString();
        EXPECT_EQ(second.pixelColor(1, 1), QColor(Qt::green));
        EXPECT_EQ(icons.Image(1).toImage().pixelColor(1, 1), QColor(Qt::red));
    }
}

TEST(MenuIcons, UnreadableStripsGiveNoIcons)
{
    CNewMenuIcons icons;
    const unsigned ids[] = {1};
    EXPECT_FALSE(icons.LoadBitmap(QImage(), QSize(16, 15), ids, CLR_DEFAULT));
    EXPECT_FALSE(icons.LoadBitmap(MakeStrip(Qt::white), QSize(16, 15), ids, CLR_DEFAULT))
        << "narrower than one image";
    EXPECT_FALSE(icons.LoadToolBar(IDR_CAMPAIGN_TREE_MENU, CLR_DEFAULT)) << "no such toolbar";
    EXPECT_EQ(CNewMenuIcons::FindOrLoad(IDR_CAMPAIGN_TREE_MENU, CLR_DEFAULT), nullptr);
    const unsigned some[] = {ID_FILE_NEW};
    EXPECT_EQ(CNewMenuIcons::FindOrLoad(4242, some, CLR_DEFAULT), nullptr) << "no such strip";

    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CAMPAIGN_TREE_MENU));
    EXPECT_FALSE(menu.LoadToolBar(IDR_CAMPAIGN_TREE_MENU));
    EXPECT_FALSE(menu.LoadToolBar(4242, some, CLR_DEFAULT));
    EXPECT_TRUE(menu.GetSubMenuAt(0)->FindCommand(ID_WAVE_ADD)->icon().isNull());
}

TEST(MenuIcons, TheSameStripAndColourShareOneSet)
{
    CNewMenuIcons* first = CNewMenuIcons::FindOrLoad(IDR_RECONCILIATION_BAR, CLR_DEFAULT);
    ASSERT_NE(first, nullptr);
    const std::size_t count = CNewMenuIcons::SetCount();
    EXPECT_EQ(CNewMenuIcons::FindOrLoad(IDR_RECONCILIATION_BAR, CLR_DEFAULT), first);
    EXPECT_EQ(CNewMenuIcons::SetCount(), count);
    CNewMenuIcons* other = CNewMenuIcons::FindOrLoad(IDR_RECONCILIATION_BAR, RGB(0, 0, 0));
    EXPECT_NE(other, first);
    EXPECT_EQ(CNewMenuIcons::SetCount(), count + 1);
}

TEST(MenuIcons, AddingAnImageChecksItsSizeAndReplacesInPlace)
{
    CNewMenuIcons icons;
    const unsigned ids[] = {10, 20};
    ASSERT_TRUE(icons.LoadBitmap(MakeStrip(Qt::white), QSize(4, 3), ids, CLR_DEFAULT));
    QImage wrong(5, 3, QImage::Format_ARGB32);
    wrong.fill(Qt::blue);
    EXPECT_EQ(icons.AddImage(wrong, 30), -1);
    EXPECT_EQ(icons.Commands().size(), 2u);
    QImage blue(4, 3, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    EXPECT_EQ(icons.AddImage(blue, 20), 3);
    EXPECT_EQ(icons.Commands().size(), 2u);
    EXPECT_EQ(icons.Image(20).toImage().pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(icons.AddImage(blue, 30), 6);
    EXPECT_EQ(icons.FindCommand(30), 2);
}

TEST(MenuIcons, MenuItemsOfTheCommandsTakeTheImagesAtAnyDepth)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    ASSERT_TRUE(menu.LoadToolBar(IDR_MAINFRAME, MainMenuIconCommands(), RGB(192, 192, 192)));
    for (unsigned id : MainMenuIconCommands()) {
        QAction* action = menu.FindCommand(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_FALSE(action->icon().isNull()) << id;
        EXPECT_TRUE(action->isIconVisibleInMenu()) << id;
    }
    EXPECT_TRUE(menu.FindCommand(ID_OPTIONS)->icon().isNull());
    const QImage about = menu.FindCommand(ID_APP_ABOUT)->icon().pixmap(QSize(16, 15)).toImage();
    EXPECT_EQ(about.pixelColor(0, 0).alpha(), 0);
}

TEST(MenuIcons, DerivedImagesAreShadedAndWashedPerPixel)
{
    menutest::ResetSettings();
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixelColor(0, 0, QColor(200, 100, 30));
    source.setPixelColor(1, 0, QColor(0, 0, 0, 0));
    const QImage shaded = MakeShadedImage(source);
    EXPECT_EQ(FromQColor(shaded.pixelColor(0, 0)), DarkenColor(50, RGB(200, 100, 30)));
    EXPECT_EQ(shaded.pixelColor(1, 0).alpha(), 0);
    const COLORREF wash = RGB(240, 220, 200);
    const QImage disabled = MakeDisabledImage(source, wash);
    const int grey = (200 + 100 + 30) / 3;
    EXPECT_EQ(disabled.pixelColor(0, 0),
              QColor((110 * grey + 145 * 240) / 256, (110 * grey + 145 * 220) / 256,
                     (110 * grey + 145 * 200) / 256));
    EXPECT_EQ(disabled.pixelColor(1, 0).alpha(), 0);
    // Mode 9 washes with LightenColor(115, 2003 base); the cache gives the same pixmap back.
    EXPECT_EQ(DisabledImageWash(), LightenColor(115, 0xF5C2A3));
    const QPixmap pixmap = QPixmap::fromImage(source);
    EXPECT_EQ(CommandImage(pixmap, EImageKind::Disabled).cacheKey(),
              CommandImage(pixmap, EImageKind::Disabled).cacheKey());
    EXPECT_EQ(CommandImage(pixmap, EImageKind::Normal).cacheKey(), pixmap.cacheKey());
}
