#include "controls/SplashScreenEx.h"

#include "controls/Pictures.h"
#include "widgets/Screenshots.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kGreen = 0xFF00FF00;

// A picture from rows of characters: 'g' pure green, anything else grey.
QImage Picture(const std::vector<const char*>& rows)
{
    QImage image(int(strlen(rows[0])), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x] == 'g' ? kGreen : qRgb(90, 90, 90));
    return image;
}

void DeleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(SplashScreenEx, RegionKeepsRunsOfOtherColours)
{
    struct SCase
    {
        const char* Name;
        std::vector<const char*> Rows;
        std::vector<QRect> Expected;
    };
    const SCase cases[] = {
        {"all transparent", {"ggg", "ggg"}, {}},
        {"nothing transparent", {"xxx", "xxx"}, {QRect(0, 0, 3, 2)}},
        {"runs to the last column",
         {"gxx", "xgx"},
         {QRect(1, 0, 2, 1), QRect(0, 1, 1, 1), QRect(2, 1, 1, 1)}},
        {"corners cut",
         {"gxxg", "xxxx", "gxxg"},
         {QRect(1, 0, 2, 1), QRect(0, 1, 4, 1), QRect(1, 2, 2, 1)}},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const QRegion region = CreateRegionFromBitmap(Picture(test.Rows), kGreen);
        QRegion expected;
        for (const QRect& rect : test.Expected)
            expected += rect;
        EXPECT_EQ(region, expected);
    }
}

TEST(SplashScreenEx, StartUpPictureIsMaskedAtItsCornersAndCentred)
{
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    ASSERT_TRUE(splash->Create(nullptr, {}, 1500, 0x2F));
    ASSERT_TRUE(splash->SetBitmap(IDB_SPLASH, 0, 255, 0));
    const QRegion& region = splash->GetRegion();
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 510, 202));
    for (const QPoint corner : {QPoint(0, 0), QPoint(509, 0), QPoint(0, 201), QPoint(509, 201)})
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint inside : {QPoint(255, 101), QPoint(30, 3), QPoint(3, 101)})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash->GetPosition(), QPoint(screen.left() + (screen.width() - 510) / 2,
                                            screen.top() + (screen.height() - 202) / 2));

    splash->Show();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->geometry(), QRect(splash->GetPosition(), QSize(510, 202)));
    EXPECT_EQ(splash->mask(), region);

    // The gallery shows the window as the screen does: what the mask leaves out is transparent.
    QImage image = shots::Grab(*splash).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!region.contains(QPoint(x, y)))
                image.setPixel(x, y, 0);
    shots::Save(image, "gallery", "SplashScreen");
    // No green is left inside the shape, not even blended into an edge pixel.
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            green += region.contains(QPoint(x, y)) && c.green() > 200 && c.red() < 100 &&
                     c.blue() < 100;
        }
    EXPECT_EQ(green, 0);

    splash->Hide();
    DeleteLaterNow();
    EXPECT_TRUE(splash.isNull());
}

TEST(SplashScreenEx, NoTransparentColourOrAnEmptyShape)
{
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(nullptr, QStringLiteral("Loading"), 0, CSplashScreenEx::CSS_HIDEONCLICK);
    // -1 in any component: rectangular.
    ASSERT_TRUE(splash->SetBitmap(Picture({"gxg", "xxx"}), 0, -1, 0));
    EXPECT_TRUE(splash->GetRegion().isEmpty());
    EXPECT_TRUE(splash->mask().isEmpty());
    // Every pixel transparent: an empty region, and nothing of the window shows.
    ASSERT_TRUE(splash->SetBitmap(Picture({"ggg"}), 0, 255, 0));
    EXPECT_TRUE(splash->GetRegion().isEmpty());
    EXPECT_FALSE(splash->mask().isEmpty());
    EXPECT_FALSE(splash->mask().intersects(QRect(0, 0, 3, 1)));
    // An unknown picture fails.
    EXPECT_FALSE(splash->SetBitmap(9999u, 0, 255, 0));
    delete splash;
}

TEST(SplashScreenEx, ClosedByTimeOutOrByClickOrKey)
{
    {
        // A time-out hides and deletes the window.
        QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
        splash->Create(nullptr, {}, 30, CSplashScreenEx::CSS_CENTERSCREEN);
        splash->SetBitmap(IDB_SPLASH, 0, 255, 0);
        splash->Show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
    }
    for (const bool byKey : {false, true}) {
        // Without a time-out it stays until a click or key when asked for.
        QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
        splash->Create(nullptr, {}, 0, CSplashScreenEx::CSS_HIDEONCLICK);
        splash->SetBitmap(IDB_SPLASH, 0, 255, 0);
        splash->Show();
        QTest::qWait(50);
        ASSERT_FALSE(splash.isNull());
        EXPECT_TRUE(splash->isVisible());
        if (byKey)
            QTest::keyClick(splash.data(), Qt::Key_Space);
        else
            QTest::mouseClick(splash.data(), Qt::LeftButton, {}, QPoint(255, 100));
        DeleteLaterNow();
        EXPECT_TRUE(splash.isNull());
    }
    {
        // Without the style a click does nothing.
        QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
        splash->Create(nullptr, {}, 0, 0);
        splash->SetBitmap(IDB_SPLASH, 0, 255, 0);
        splash->Show();
        QTest::mouseClick(splash.data(), Qt::LeftButton, {}, QPoint(255, 100));
        DeleteLaterNow();
        ASSERT_FALSE(splash.isNull());
        splash->Hide();
        DeleteLaterNow();
        EXPECT_TRUE(splash.isNull());
    }
}

TEST(SplashScreenEx, TextOverThePicture)
{
    auto* splash = new CSplashScreenEx;
    splash->Create(nullptr, QStringLiteral("Version 5.2"), 0, 0);
    QImage plain(200, 60, QImage::Format_RGB32);
    plain.fill(Qt::white);
    splash->SetBitmap(plain, -1, -1, -1);
    splash->Show();
    const QImage image = shots::Grab(*splash);
    // Black text centred across the top (word-wrapped text is not centred vertically), white
    // at the edges and below.
    auto darkIn = [&](const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(shots::PixelAt(image, x, y).rgb()) < 80)
                    return true;
        return false;
    };
    EXPECT_TRUE(darkIn(QRect(60, 0, 80, 20)));
    EXPECT_FALSE(darkIn(QRect(0, 0, 40, 60)));
    EXPECT_FALSE(darkIn(QRect(0, 30, 200, 30)));
    splash->Hide();
    DeleteLaterNow();
}
