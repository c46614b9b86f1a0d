#include "controls/Rot90DC.h"
#include "controls/RotBevelLine.h"
#include "controls/TransparentStatic.h"

#include "widgets/Screenshots.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Counts the pixels of a colour in a rectangle of an image.
int CountNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 8)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += shots::ColourNear(shots::PixelAt(image, x, y), colour, tolerance);
    return count;
}

} // namespace

TEST(Rot90DC, QuarterTurnsOfAngles)
{
    const std::pair<int, int> angles[] = {{0, 0},   {90, 1}, {180, 2}, {270, 3}, {360, 0}, {450, 1},
                                          {-90, 3}, {45, 0}, {135, 1}, {-45, 0}, {-180, 2}};
    for (const auto& [angle, q] : angles)
        EXPECT_EQ(QuarterTurns(angle), q) << angle;

    const QPoint p(3, 5);
    EXPECT_EQ(RotatePoint(0, p), QPoint(3, 5));
    EXPECT_EQ(RotatePoint(1, p), QPoint(-5, 3));
    EXPECT_EQ(RotatePoint(2, p), QPoint(-3, -5));
    EXPECT_EQ(RotatePoint(3, p), QPoint(5, -3));
    // A rectangle's right and bottom edges lie just outside it.
    EXPECT_EQ(RotateRect(1, QRect(10, 20, 30, 5)), QRect(-25, 10, 5, 30));
    EXPECT_EQ(RotateRect(3, QRect(10, 20, 30, 5)), QRect(20, -40, 5, 30));
    for (int q = 0; q < 4; ++q)
        EXPECT_EQ(RotateRect((4 - q) % 4, RotateRect(q, QRect(7, 9, 13, 4))), QRect(7, 9, 13, 4));
}

TEST(Rot90DC, DrawingComesBackTurned)
{
    struct SCase
    {
        int Angle;
        QPoint Red;  // where the start of a left-to-right stroke lands
        QPoint Blue; // where its end lands
    };
    // A target rectangle 10 wide and 40 high at (20, 30): a stroke drawn left to right reads
    // upwards at 90 degrees and downwards at 270.
    const QRect area(20, 30, 10, 40);
    const SCase cases[] = {
        {90, {25, 68}, {25, 31}},
        {450, {25, 68}, {25, 31}},
        {270, {25, 31}, {25, 68}},
        {-90, {25, 31}, {25, 68}},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Angle);
        QImage image(60, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            cdxCRot90DC turned(painter, area, test.Angle, true);
            ASSERT_TRUE(turned.IsValid());
            const QRect r = turned.GetRotatedRect();
            ASSERT_EQ(r.size(), QSize(40, 10));
            turned.Painter()->fillRect(QRect(r.left(), r.top(), 3, r.height()), Qt::red);
            turned.Painter()->fillRect(QRect(r.right() - 2, r.top(), 3, r.height()), Qt::blue);
        }
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, test.Red.x(), test.Red.y()), Qt::red));
        EXPECT_TRUE(
            shots::ColourNear(shots::PixelAt(image, test.Blue.x(), test.Blue.y()), Qt::blue));
        // Exactly the rectangle was covered: nothing outside, the white background kept
        // inside where nothing was drawn.
        EXPECT_EQ(CountNear(image, image.rect(), Qt::red, 0) +
                      CountNear(image, image.rect(), Qt::blue, 0),
                  2 * 3 * 10);
        EXPECT_EQ(CountNear(image, area, Qt::white, 0), 10 * 40 - 2 * 3 * 10);
    }
}

TEST(Rot90DC, NotTurnedAndInvalidCases)
{
    QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        cdxCRot90DC flat(painter, QRect(5, 5, 10, 10), 45, false);
        ASSERT_TRUE(flat.IsValid());
        EXPECT_EQ(flat.GetRotatedRect(), QRect(5, 5, 10, 10));
        flat.Painter()->fillRect(QRect(5, 5, 2, 2), Qt::red);
    }
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 5, 5), Qt::red));

    // Outside the clip box: invalid, and nothing is drawn.
    painter.setClipRect(QRect(0, 0, 20, 20));
    cdxCRot90DC outside(painter, QRect(30, 30, 10, 10), 90, true);
    EXPECT_FALSE(outside.IsValid());
    EXPECT_EQ(outside.Painter(), nullptr);
    // Partly outside: only the visible part is kept.
    cdxCRot90DC partly(painter, QRect(15, 15, 10, 10), 90, true);
    EXPECT_TRUE(partly.IsValid());
    EXPECT_EQ(partly.GetRotatedVisibleRect().size(), QSize(5, 5));
}

TEST(RotBevelLine, LinePixelsAndCaptionPlaces)
{
    QWidget dialog;
    auto* horizontal = new cdxCRotBevelLine(&dialog);
    horizontal->setGeometry(0, 0, 200, 10);
    auto* vertical = new cdxCRotBevelLine(&dialog);
    vertical->setGeometry(0, 20, 10, 200);
    dialog.show();
    const QColor shadow = dialog.palette().color(QPalette::Dark); // the button shadow
    const QColor light = dialog.palette().color(QPalette::Light);
    const QColor face = dialog.palette().color(QPalette::Button);

    const QImage h = shots::Grab(*horizontal);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(h, 100, 5), shadow, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(h, 100, 6), light, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(h, 100, 4), face, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(h, 100, 7), face, 2));
    const QImage v = shots::Grab(*vertical);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(v, 5, 100), shadow, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(v, 6, 100), light, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(v, 4, 100), face, 2));

    // Raised: the colours swap.
    horizontal->SetSunken(false);
    const QImage raised = shots::Grab(*horizontal);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(raised, 100, 5), light, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(raised, 100, 6), shadow, 2));

    // Caption rectangles by alignment and angle (text w wide and h high).
    const QFontMetricsF metrics(vertical->font());
    const int hText = int(std::ceil(metrics.height()));
    struct SCase
    {
        const char* Caption;
        Qt::Alignment Align;
        bool Vertical;
        QRect Expected;
    };
    const int wLeft = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("Total  "))));
    const int wCentre = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("  Name  "))));
    const int wRight = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("  Total"))));
    const SCase cases[] = {
        {"Total", Qt::AlignLeft, false, QRect(0, 5 - hText / 2 - 2, wLeft, hText + 1)},
        {"Name", Qt::AlignHCenter, false,
         QRect((200 - wCentre) / 2, 5 - hText / 2 - 2, wCentre, hText + 1)},
        {"Total", Qt::AlignRight, false,
         QRect(200 - wRight - 1, 5 - hText / 2 - 2, wRight + 1, hText + 1)},
        {"Total", Qt::AlignLeft, true, QRect(5 - hText / 2 - 1, 200 - wLeft, hText, wLeft + 1)},
        {"~Total", Qt::AlignLeft, true, QRect(5 - hText / 2 + 1, 0, hText, wLeft + 1)},
        {"Total", Qt::AlignRight, true, QRect(5 - hText / 2 - 2, 0, hText + 1, wRight + 1)},
        {"~Total", Qt::AlignRight, true, QRect(5 - hText / 2, 200 - wRight, hText + 1, wRight + 1)},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(testing::Message() << test.Caption << " " << int(test.Align) << test.Vertical);
        cdxCRotBevelLine& line = test.Vertical ? *vertical : *horizontal;
        line.setText(QString::fromUtf8(test.Caption));
        line.setAlignment(test.Align);
        EXPECT_EQ(line.CaptionRect(), test.Expected);
    }
}

TEST(RotBevelLine, CaptionHidesTheLineAndIsEmbossedWhenDisabled)
{
    QWidget dialog;
    auto* line = new cdxCRotBevelLine(QStringLiteral("Name"), &dialog);
    line->setAlignment(Qt::AlignHCenter);
    line->setGeometry(0, 0, 200, 20);
    dialog.show();
    const QColor shadow = dialog.palette().color(QPalette::Dark); // the button shadow
    const QColor light = dialog.palette().color(QPalette::Light);
    const QColor text = dialog.palette().color(QPalette::ButtonText);
    const QRect caption = line->CaptionRect();
    const QImage image = shots::Grab(*line);
    // The line stops behind the caption, padding included.
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, caption.left() - 2, 10), shadow, 2));
    EXPECT_FALSE(shots::ColourNear(shots::PixelAt(image, caption.left() + 2, 10), shadow, 2));
    EXPECT_GT(CountNear(image, caption, text, 40), 5);

    line->setEnabled(false);
    const QImage disabled = shots::Grab(*line);
    EXPECT_EQ(CountNear(disabled, caption, text, 40), 0);
    EXPECT_GT(CountNear(disabled, caption, shadow, 12), 5);
    EXPECT_GT(CountNear(disabled, caption, light, 12), 5);
}

TEST(RotBevelLine, VerticalCaptionsReadUpOrDown)
{
    // Text pixels sit at the bottom for a left-aligned caption turned by 90 degrees and at the
    // top for one turned by 270.
    QWidget dialog;
    auto* up = new cdxCRotBevelLine(QStringLiteral("Total"), &dialog);
    up->setGeometry(0, 0, 20, 200);
    auto* down = new cdxCRotBevelLine(QStringLiteral("~Total"), &dialog);
    down->setGeometry(30, 0, 20, 200);
    dialog.show();
    const QColor text = dialog.palette().color(QPalette::ButtonText);
    const QImage upImage = shots::Grab(*up);
    const QImage downImage = shots::Grab(*down);
    EXPECT_GT(CountNear(upImage, QRect(0, 150, 20, 50), text, 60), 10);
    EXPECT_EQ(CountNear(upImage, QRect(0, 0, 20, 100), text, 60), 0);
    EXPECT_GT(CountNear(downImage, QRect(0, 0, 20, 50), text, 60), 10);
    EXPECT_EQ(CountNear(downImage, QRect(0, 100, 20, 100), text, 60), 0);
    // The two read in opposite directions: one is the other turned half round.
    const QRect a = up->CaptionRect();
    const QRect b = down->CaptionRect();
    ASSERT_EQ(a.size(), b.size());
}

TEST(TransparentStatic, TextOverTheParentsBackground)
{
    // A parent painting two colours behind the text.
    class CBanded final : public QWidget
    {
    public:
        QColor Top = Qt::white;

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            painter.fillRect(0, 0, width(), 20, Top);
            painter.fillRect(0, 20, width(), height() - 20, QColor(255, 230, 180));
        }
    };
    CBanded dialog;
    dialog.resize(300, 40);
    auto* text = new CTransparentStatic(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), &dialog);
    text->setGeometry(10, 10, 280, 20);
    dialog.show();
    QImage image = shots::GrabAndSave(dialog, "test-artefacts/controls", "TransparentStatic");
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 280, 12), Qt::white, 0));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 280, 27), QColor(255, 230, 180), 0));

    // A shorter text: no trace of the old one where it was; a later background shows.
    text->setText(QStringLiteral("W"));
    dialog.Top = QColor(200, 240, 255);
    dialog.update();
    image = shots::Grab(dialog);
    const QColor lower(255, 230, 180);
    for (int x = 60; x < 280; x += 7) {
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, x, 15), QColor(200, 240, 255), 0)) << x;
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, x, 25), lower, 0)) << x;
    }
}

TEST(RotBevelLine, Gallery)
{
    QWidget dialog;
    dialog.setAutoFillBackground(true);
    dialog.resize(360, 220);
    const std::tuple<const char*, Qt::Alignment, QRect, bool> lines[] = {
        {"Questions", Qt::AlignLeft, QRect(10, 10, 340, 16), true},
        {"Name", Qt::AlignHCenter, QRect(10, 40, 340, 16), true},
        {"Total", Qt::AlignRight, QRect(10, 70, 340, 16), true},
        {"Disabled", Qt::AlignHCenter, QRect(10, 100, 340, 16), false},
        {"Upwards", Qt::AlignLeft, QRect(40, 130, 16, 80), true},
        {"~Downwards", Qt::AlignLeft, QRect(80, 130, 16, 80), true},
        {"Centred", Qt::AlignHCenter, QRect(120, 130, 16, 80), true},
        {"", Qt::AlignLeft, QRect(160, 170, 180, 16), true},
    };
    std::vector<cdxCRotBevelLine*> made;
    for (const auto& [caption, align, rect, enabled] : lines) {
        auto* line = new cdxCRotBevelLine(QString::fromUtf8(caption), &dialog);
        line->setAlignment(align);
        line->setGeometry(rect);
        line->setEnabled(enabled);
        made.push_back(line);
    }
    auto* over = new CTransparentStatic(QStringLiteral("Transparent text"), &dialog);
    over->setGeometry(160, 140, 180, 20);
    dialog.show();
    const QImage image = shots::GrabAndSave(dialog, "gallery", "BevelLines");

    const QColor shadow = dialog.palette().color(QPalette::Dark);
    const QColor light = dialog.palette().color(QPalette::Light);
    const QColor text = dialog.palette().color(QPalette::ButtonText);
    for (cdxCRotBevelLine* line : made) {
        SCOPED_TRACE(line->text().toStdString());
        const QRect area = line->geometry();
        const bool across = area.width() > area.height();
        const QRect caption =
            line->text().isEmpty() ? QRect() : line->CaptionRect().translated(area.topLeft());
        // The line runs along the middle, in the shadow colour with its light edge beside, at
        // every point the caption leaves free.
        const int length = across ? area.width() : area.height();
        int free = 0;
        int drawn = 0;
        for (int t = 0; t < length; ++t) {
            const QPoint at = across ? QPoint(area.left() + t, area.top() + area.height() / 2)
                                     : QPoint(area.left() + area.width() / 2, area.top() + t);
            if (across ? (at.x() >= caption.left() && at.x() <= caption.right())
                       : (at.y() >= caption.top() && at.y() <= caption.bottom()))
                continue;
            ++free;
            const QRect cross =
                across ? QRect(at.x(), at.y() - 1, 1, 4) : QRect(at.x() - 1, at.y(), 4, 1);
            drawn +=
                CountNear(image, cross, shadow, 2) > 0 && CountNear(image, cross, light, 2) > 0;
        }
        EXPECT_GE(drawn, free - 2);
        if (caption.isEmpty()) {
            EXPECT_EQ(free, length);
            continue;
        }
        if (line->isEnabled()) {
            EXPECT_GT(CountNear(image, caption, text, 40), 5);
        } else {
            EXPECT_EQ(CountNear(image, caption, text, 40), 0);
            EXPECT_GT(CountNear(image, caption, light, 12), 5);
        }
    }
    // The transparent text over the dialog's face.
    EXPECT_GT(CountNear(image, over->geometry(), text, 40), 20);
    EXPECT_TRUE(shots::ColourNear(
        shots::PixelAt(image, over->geometry().right() - 2, over->geometry().top() + 1),
        dialog.palette().color(QPalette::Window), 2));
}
