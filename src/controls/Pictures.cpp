#include "controls/Pictures.h"

#include "controls/TreePictures.h"

#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>

namespace {

// The colours of the mark's three bars.
const QColor kBarColours[] = {QColor(150, 210, 235), QColor(110, 200, 190), QColor(245, 200, 90)};

// The program's mark, three rising bars in a ring with a soft glow, centred on a point, at a
// scale of the splash screen's (a ring of radius 44).
void DrawMark(QPainter& painter, const QPointF& centre, double scale)
{
    painter.save();
    painter.translate(centre);
    painter.scale(scale, scale);
    QRadialGradient glow(QPointF(0, 0), 58);
    glow.setColorAt(0, QColor(255, 255, 255, 70));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(glow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(0, 0), 58, 58);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(235, 245, 250), 4));
    painter.drawEllipse(QPointF(0, 0), 44, 44);
    painter.setPen(Qt::NoPen);
    for (int b = 0; b < 3; ++b) {
        const double height = 22 + b * 14;
        painter.setBrush(kBarColours[b]);
        painter.drawRoundedRect(QRectF(-26 + b * 19, 26 - height, 14, height), 3, 3);
    }
    painter.restore();
}

// The program's icon at one size: the mark on a rounded square of the splash screen's colours.
// From 32 pixels up the whole mark is drawn, scaled to the size; below, the ring and the glow
// would blur into the square, so only the three bars are drawn, on whole pixels.
QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, size, size);
    background.setColorAt(0.0, QColor(24, 45, 82));
    background.setColorAt(1.0, QColor(38, 150, 140));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    const double inset = size >= 32 ? size / 64.0 : 0.0;
    const double radius = size * 12.0 / 64.0;
    painter.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), radius,
                            radius);
    if (size >= 32) {
        DrawMark(painter, QPointF(size / 2.0, size / 2.0), 0.56 * size / 64.0);
        return image;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int barWidth = std::max(2, int(std::lround(size * 0.17)));
    const int gap = std::max(1, int(std::lround(size * 0.06)));
    const int left = (size - 3 * barWidth - 2 * gap) / 2;
    const int margin = int(std::lround(size * 0.2));
    const int tallest = size - 2 * margin;
    for (int b = 0; b < 3; ++b) {
        const int height = std::max(2, int(std::lround(tallest * (2 + b) / 4.0)));
        painter.fillRect(
            QRect(left + b * (barWidth + gap), size - margin - height, barWidth, height),
            kBarColours[b]);
    }
    return image;
}

// The start-up picture: a rounded card with the program's name over a gradient and three
// waves, on pure green (the colour the splash window leaves out).
QImage DrawSplash()
{
    constexpr int kWidth = 510;
    constexpr int kHeight = 202;
    // The card is drawn whole on a rectangle, then cut out pixel by pixel: a pixel whose centre
    // lies outside the rounded outline is pure green, every other one is card. A smoothed edge
    // pixel would be neither, and show as a green fringe around the cut-out window.
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient background(0, 0, kWidth, kHeight);
    background.setColorAt(0.0, QColor(24, 45, 82));
    background.setColorAt(0.6, QColor(28, 92, 120));
    background.setColorAt(1.0, QColor(38, 150, 140));
    painter.fillRect(image.rect(), background);

    painter.setRenderHint(QPainter::Antialiasing);
    // Three waves along the bottom, one for each wave of a tracking study.
    const QColor waveColours[] = {QColor(255, 255, 255, 40), QColor(255, 255, 255, 60),
                                  QColor(120, 220, 200, 90)};
    for (int w = 0; w < 3; ++w) {
        QPainterPath wave;
        const double base = 150 + w * 14;
        wave.moveTo(0, kHeight);
        for (int x = 0; x <= kWidth; x += 6)
            wave.lineTo(x, base + 10 * std::sin((x + w * 70) / 55.0));
        wave.lineTo(kWidth, kHeight);
        wave.closeSubpath();
        painter.fillPath(wave, waveColours[w]);
    }

    DrawMark(painter, QPointF(92, 86), 1.0);

    painter.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(58);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(170, 28, 320, 72), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Plim"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(17);
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 236, 244));
    painter.drawText(QRectF(172, 100, 330, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tracking-study reconciliation"));
    QFont maker(QStringLiteral("DejaVu Sans"));
    maker.setPixelSize(12);
    maker.setBold(true);
    painter.setFont(maker);
    painter.setPen(QColor(255, 255, 255, 210));
    painter.drawText(QRectF(0, 172, kWidth - 24, 20), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("PELKO"));
    painter.end();

    QPainterPath card;
    card.addRoundedRect(QRectF(0, 0, kWidth, kHeight), 22, 22);
    const QRgb green = qRgb(0, 255, 0);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            if (!card.contains(QPointF(x + 0.5, y + 0.5)))
                row[x] = green;
    }
    return image;
}

enum class EArrow
{
    Up,
    Down,
    Left,
    Right
};

// A 16 x 16 arrow of the question tree's move buttons.
QImage DrawArrow(EArrow direction)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(8, 8);
    const int turns[] = {0, 180, 270, 90};
    painter.rotate(turns[int(direction)]);
    QPainterPath arrow;
    arrow.moveTo(0, -7);
    arrow.lineTo(7, 0);
    arrow.lineTo(2.5, 0);
    arrow.lineTo(2.5, 7);
    arrow.lineTo(-2.5, 7);
    arrow.lineTo(-2.5, 0);
    arrow.lineTo(-7, 0);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(20, 70, 130), 1));
    painter.setBrush(QColor(60, 140, 215));
    painter.drawPath(arrow);
    return image;
}

// A 16 x 16 chapter (a book) with a green plus.
QImage DrawAddChapter()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(120, 80, 20));
    painter.setBrush(QColor(240, 200, 90));
    painter.drawRect(1, 2, 10, 12);
    painter.setPen(QColor(170, 120, 40));
    painter.drawLine(3, 5, 9, 5);
    painter.drawLine(3, 8, 9, 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 140, 50));
    painter.drawRect(11, 6, 3, 9);
    painter.drawRect(8, 9, 9, 3);
    return image;
}

// One 16 x 16 image of the caption library strip.
QImage CaptionLibraryImage(int index)
{
    return DrawCaptionLibraryStrip().copy(index * 16, 0, 16, 16);
}

// The image with a green plus in its lower right corner.
QImage WithPlus(QImage image)
{
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(245, 245, 240));
    painter.drawRect(10, 5, 5, 11);
    painter.drawRect(7, 8, 11, 5);
    painter.setBrush(QColor(30, 140, 50));
    painter.drawRect(11, 6, 3, 9);
    painter.drawRect(8, 9, 9, 3);
    return image;
}

// A caption with a gold star: the group's base caption.
QImage DrawMakeBase()
{
    QImage image = CaptionLibraryImage(2);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 100, 10), 0.8));
    painter.setBrush(QColor(250, 200, 40));
    painter.drawPath(StarPath(QPointF(11, 4.5), 4.5, 1.9));
    return image;
}

} // namespace

QPainterPath StarPath(const QPointF& centre, double outerRadius, double innerRadius)
{
    QPainterPath star;
    for (int point = 0; point < 10; ++point) {
        const double angle = -M_PI / 2 + point * M_PI / 5;
        const double radius = point % 2 == 0 ? outerRadius : innerRadius;
        const QPointF at = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (point == 0)
            star.moveTo(at);
        else
            star.lineTo(at);
    }
    star.closeSubpath();
    return star;
}

QImage ProgramIconPicture(int size)
{
    return size > 0 ? DrawIcon(size) : QImage();
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : kProgramIconSizes)
        icon.addPixmap(QPixmap::fromImage(DrawIcon(size)));
    return icon;
}

QImage LoadPicture(unsigned id)
{
    switch (id) {
    case IDR_MAINFRAME_ICON:
        return DrawIcon(64);
    case IDB_QUESTION_KINDS:
        return DrawQuestionKindStrip();
    case IDB_CAMPAIGN_TREE:
        return DrawCampaignTreeStrip();
    case IDB_SPLASH:
        return DrawSplash();
    case IDB_MOVE_UP:
        return DrawArrow(EArrow::Up);
    case IDB_MOVE_DOWN:
        return DrawArrow(EArrow::Down);
    case IDB_MOVE_LEFT:
        return DrawArrow(EArrow::Left);
    case IDB_MOVE_RIGHT:
        return DrawArrow(EArrow::Right);
    case IDB_ADD_CHAPTER:
        return DrawAddChapter();
    case IDB_CAPTION_LIBRARY_TREE:
        return DrawCaptionLibraryStrip();
    case IDI_ADD_GROUP_TO_LIBRARY:
        return WithPlus(CaptionLibraryImage(0));
    case IDI_ADD_CAPTIONS:
        return WithPlus(CaptionLibraryImage(1));
    case IDI_MAKE_BASE_CAPTION:
        return DrawMakeBase();
    default:
        return {};
    }
}
