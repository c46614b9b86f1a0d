#include "controls/TreePictures.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

constexpr int kSize = 16;
constexpr int kQuestionKinds = 23;

const QColor kInk(30, 60, 110);
const QColor kBlue(60, 140, 215);
const QColor kPaper(248, 248, 244);

using Drawing = std::function<void(QPainter&)>;

QImage DrawImage(const Drawing& draw)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

// The image in greys, a little lighter, transparency kept.
QImage Greyed(const QImage& source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            const int grey = std::min(255, qGray(line[x]) + 50);
            line[x] = qRgba(grey, grey, grey, alpha);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void DrawChapter(QPainter& p)
{
    // A closed book.
    p.setPen(QPen(QColor(120, 80, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
    p.setBrush(QColor(190, 130, 40));
    p.drawRect(QRectF(2.5, 1.5, 2.5, 13));
    p.setPen(QPen(QColor(170, 120, 40), 1));
    p.drawLine(QPointF(7, 5.5), QPointF(11.5, 5.5));
    p.drawLine(QPointF(7, 8.5), QPointF(11.5, 8.5));
}

void DrawSingle(QPainter& p)
{
    // A chosen radio button.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8, 8), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 3, 3);
}

void DrawDate(QPainter& p)
{
    // A calendar page.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 50, 40));
    p.drawRect(QRectF(2, 3, 12, 3));
    p.setBrush(QColor(90, 90, 90));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            p.drawRect(QRectF(3.5 + column * 2.5, 7.5 + row * 2.2, 1.5, 1.4));
}

void DrawScale(QPainter& p)
{
    // Bars rising from left to right.
    p.setPen(QPen(QColor(30, 100, 40), 1));
    const QColor fills[] = {QColor(150, 210, 120), QColor(100, 185, 80), QColor(50, 150, 60)};
    for (int b = 0; b < 3; ++b) {
        const double height = 5 + b * 4;
        p.setBrush(fills[b]);
        p.drawRect(QRectF(1.5 + b * 4.5, 14.5 - height, 3.5, height));
    }
}

// A ring of two arrows: the loops.
void DrawLoopRing(QPainter& p, const QColor& colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.8));
    const QRectF ring(2, 2, 12, 12);
    p.drawArc(ring, 30 * 16, 140 * 16);
    p.drawArc(ring, 210 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPainterPath head;
    head.moveTo(1, 6.5);
    head.lineTo(5.5, 6.5);
    head.lineTo(3, 10);
    head.closeSubpath();
    p.drawPath(head);
    QPainterPath tail;
    tail.moveTo(15, 9.5);
    tail.lineTo(10.5, 9.5);
    tail.lineTo(13, 6);
    tail.closeSubpath();
    p.drawPath(tail);
}

void DrawLoop(QPainter& p)
{
    DrawLoopRing(p, QColor(110, 60, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 60, 170));
    p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
}

void DrawNumericLoop(QPainter& p)
{
    DrawLoopRing(p, QColor(110, 60, 170));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawLine(QPointF(7, 5.5), QPointF(6.5, 10.5));
    p.drawLine(QPointF(9.5, 5.5), QPointF(9, 10.5));
    p.drawLine(QPointF(5.5, 7), QPointF(10.5, 7));
    p.drawLine(QPointF(5.5, 9), QPointF(10.5, 9));
}

void DrawLevelLoop(QPainter& p)
{
    DrawLoopRing(p, QColor(110, 60, 170));
    p.setPen(QPen(QColor(20, 20, 20), 1.2));
    QPainterPath steps;
    steps.moveTo(5, 10.5);
    steps.lineTo(7, 10.5);
    steps.lineTo(7, 8);
    steps.lineTo(9, 8);
    steps.lineTo(9, 5.5);
    steps.lineTo(11, 5.5);
    p.drawPath(steps);
}

void DrawMultiple(QPainter& p)
{
    // Two ticked boxes.
    for (int b = 0; b < 2; ++b) {
        const double top = 1.5 + b * 7;
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, top, 6, 6));
        p.setPen(QPen(QColor(30, 140, 50), 1.6));
        p.drawLine(QPointF(2.8, top + 3), QPointF(4.3, top + 4.6));
        p.drawLine(QPointF(4.3, top + 4.6), QPointF(7.5, top + 0.5));
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.drawLine(QPointF(9.5, top + 3), QPointF(14.5, top + 3));
    }
}

void DrawNumeric(QPainter& p)
{
    // A box holding a number sign.
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(200, 90, 20), 1.3));
    p.drawLine(QPointF(6.5, 4), QPointF(5.5, 12));
    p.drawLine(QPointF(10.5, 4), QPointF(9.5, 12));
    p.drawLine(QPointF(4, 6.5), QPointF(12, 6.5));
    p.drawLine(QPointF(4, 9.5), QPointF(12, 9.5));
}

void DrawOpen(QPainter& p)
{
    // A text field with writing and a caret.
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.setPen(QPen(kBlue, 1.2));
    p.drawLine(QPointF(3.5, 6.5), QPointF(10, 6.5));
    p.drawLine(QPointF(3.5, 9.5), QPointF(8, 9.5));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawLine(QPointF(12, 5), QPointF(12, 11));
}

void DrawGridLoop(QPainter& p)
{
    p.setPen(QPen(QColor(110, 60, 170), 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(200, 180, 235));
    p.drawRect(QRectF(1.5, 1.5, 13, 4.3));
    p.drawLine(QPointF(1.5, 10.2), QPointF(14.5, 10.2));
    p.drawLine(QPointF(5.8, 1.5), QPointF(5.8, 14.5));
    p.drawLine(QPointF(10.2, 1.5), QPointF(10.2, 14.5));
}

void DrawNoQuestion(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(140, 140, 140), 1, Qt::DashLine));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

void DrawCampaign(QPainter& p)
{
    // The tracking study: a chart of rising bars on a board.
    p.setPen(QPen(QColor(24, 45, 82), 1));
    p.setBrush(QColor(210, 228, 240));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    const QColor bars[] = {QColor(60, 140, 215), QColor(40, 150, 140), QColor(230, 160, 40)};
    p.setPen(Qt::NoPen);
    for (int b = 0; b < 3; ++b) {
        const double height = 4 + b * 3.5;
        p.setBrush(bars[b]);
        p.drawRect(QRectF(3 + b * 3.7, 13 - height, 2.8, height));
    }
}

void DrawWave(QPainter& p)
{
    // A round of fieldwork: a wave on a disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 150, 140));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath wave;
    wave.moveTo(2, 9);
    wave.cubicTo(4.5, 4, 6.5, 4, 8, 8.5);
    wave.cubicTo(9.5, 13, 11.5, 13, 14, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(245, 245, 240), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);
}

void DrawVolume(QPainter& p)
{
    // A questionnaire file: a page with a folded corner and lines of text.
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(10.5, 0.5);
    page.lineTo(13.5, 3.5);
    page.lineTo(13.5, 15.5);
    page.lineTo(2.5, 15.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(QColor(200, 200, 200));
    QPainterPath fold;
    fold.moveTo(10.5, 0.5);
    fold.lineTo(10.5, 3.5);
    fold.lineTo(13.5, 3.5);
    fold.closeSubpath();
    p.drawPath(fold);
    p.setPen(QPen(kBlue, 1));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(4.5, 6.5 + line * 2.3), QPointF(line == 3 ? 9 : 11.5, 6.5 + line * 2.3));
}

void DrawLibrary(QPainter& p)
{
    // A caption library: two books standing on a shelf.
    p.setPen(QPen(QColor(60, 40, 90), 1));
    p.setBrush(QColor(150, 110, 200));
    p.drawRect(QRectF(2.5, 2.5, 4, 11));
    p.setBrush(QColor(60, 140, 215));
    p.drawRect(QRectF(7.5, 4.5, 4, 9));
    p.setPen(QPen(QColor(245, 245, 240), 1));
    p.drawLine(QPointF(3.5, 5), QPointF(5.5, 5));
    p.drawLine(QPointF(8.5, 7), QPointF(10.5, 7));
    p.setPen(QPen(QColor(120, 80, 20), 1.5));
    p.drawLine(QPointF(0.5, 14.5), QPointF(15.5, 14.5));
}

// A caption label: a tag with a hole, at an offset.
void DrawTag(QPainter& p, const QPointF& at, const QColor& fill)
{
    QPainterPath tag;
    tag.moveTo(at + QPointF(0, 3));
    tag.lineTo(at + QPointF(3, 0));
    tag.lineTo(at + QPointF(10, 0));
    tag.lineTo(at + QPointF(10, 6));
    tag.lineTo(at + QPointF(3, 6));
    tag.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawPath(tag);
    p.setBrush(kPaper);
    p.drawEllipse(at + QPointF(3, 3), 1, 1);
}

void DrawCaptionGroup(QPainter& p)
{
    // Captions that mean the same: three tags in a pile.
    DrawTag(p, QPointF(5.5, 1.5), QColor(240, 200, 90));
    DrawTag(p, QPointF(3.5, 5.5), QColor(110, 200, 190));
    DrawTag(p, QPointF(1.5, 9.5), kPaper);
}

void DrawCaption(QPainter& p)
{
    DrawTag(p, QPointF(2.5, 5.5), kPaper);
}

QImage Strip(const QList<QImage>& images)
{
    QImage strip(kSize * int(images.size()), kSize, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int i = 0; i < images.size(); ++i)
        painter.drawImage(i * kSize, 0, images[i]);
    return strip;
}

} // namespace

QImage DrawQuestionKindStrip()
{
    const std::pair<int, void (*)(QPainter&)> kinds[] = {
        {0, DrawChapter},  {2, DrawSingle},       {4, DrawDate},       {6, DrawScale},
        {10, DrawLoop},    {11, DrawNumericLoop}, {12, DrawLevelLoop}, {13, DrawMultiple},
        {15, DrawNumeric}, {17, DrawOpen},        {19, DrawGridLoop},  {22, DrawNoQuestion},
    };
    QList<QImage> images(kQuestionKinds);
    QImage previous;
    for (int index = 0; index < kQuestionKinds; ++index) {
        bool drawn = false;
        for (const auto& [kind, draw] : kinds) {
            if (kind == index) {
                images[index] = previous = DrawImage(draw);
                drawn = true;
            }
        }
        if (!drawn)
            images[index] = Greyed(previous);
    }
    return Strip(images);
}

QImage DrawCampaignTreeStrip()
{
    return Strip({DrawImage(DrawCampaign), DrawImage(DrawWave), DrawImage(DrawVolume)});
}

QImage DrawCaptionLibraryStrip()
{
    return Strip({DrawImage(DrawLibrary), DrawImage(DrawCaptionGroup), DrawImage(DrawCaption)});
}
