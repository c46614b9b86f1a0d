#include "views/ReconPictures.h"

#include "controls/Pictures.h"
#include "menus/DerivedImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSize = 16;
constexpr int kStates = 7;

const QColor kRed(214, 40, 40);
const QColor kGreen(40, 160, 70);
const QColor kBlue(45, 120, 200);
const QColor kOrange(230, 140, 20);
const QColor kGrey(150, 150, 150);

// A filled disc with a white sign drawn over it.
QImage Badge(const QColor& fill, void (*sign)(QPainter&))
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(125), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    sign(painter);
    return image;
}

void Cross(QPainter& p)
{
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void Check(QPainter& p)
{
    p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
}

void Plus(QPainter& p)
{
    p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
    p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
}

void Dot(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}

void Minus(QPainter& p)
{
    p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
}

void Arrow(QPainter& p)
{
    // Into the response it is merged with.
    p.drawLine(QPointF(4.5, 8), QPointF(11, 8));
    p.drawPolyline(QPolygonF({QPointF(8.5, 5), QPointF(11.5, 8), QPointF(8.5, 11)}));
}

std::vector<QImage> Split(const QImage& strip)
{
    std::vector<QImage> images;
    for (int x = 0; x + kSize <= strip.width(); x += kSize)
        images.push_back(strip.copy(x, 0, kSize, kSize));
    return images;
}

} // namespace

QImage DrawMatchStateStrip()
{
    const QImage images[kStates] = {Badge(kRed, Cross),
                                    Badge(kBlue, Check),
                                    Badge(kGreen, Plus),
                                    Badge(kOrange, Dot),
                                    Badge(kGrey, Minus),
                                    Badge(kGrey, Arrow),
                                    Badge(kGrey.lighter(115), Cross)};
    QImage strip(kSize * kStates, kSize, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int i = 0; i < kStates; ++i)
        painter.drawImage(i * kSize, 0, images[i]);
    return strip;
}

const std::vector<QImage>& QuestionGridImages()
{
    static const std::vector<QImage> images = [] {
        std::vector<QImage> list = Split(DrawMatchStateStrip());
        // White is the kind strip's mask colour.
        for (QImage& kind :
             Split(menus::ApplyTransparentColour(LoadPicture(IDB_QUESTION_KINDS), 0x00FFFFFF)))
            list.push_back(std::move(kind));
        return list;
    }();
    return images;
}

const std::vector<QImage>& ResponseGridImages()
{
    static const std::vector<QImage> images = Split(DrawMatchStateStrip());
    return images;
}
