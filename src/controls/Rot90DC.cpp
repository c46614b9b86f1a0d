#include "controls/Rot90DC.h"

#include <QPaintDevice>
#include <QTransform>

namespace {

// The coefficients (a, b) of each quarter.
constexpr int kA[4] = {0, -1, 0, 1};
constexpr int kB[4] = {1, 0, -1, 0};

// The linear map of a quarter turn as a transform.
QTransform Turn(int q)
{
    const int a = kA[q];
    const int b = kB[q];
    // x' = b x + a y, y' = -a x + b y
    return QTransform(b, -a, a, b, 0, 0);
}

int Inverse(int q)
{
    return q == 0 ? 0 : 4 - q;
}

} // namespace

int QuarterTurns(int angle)
{
    const int q = (angle / 90) % 4;
    return q < 0 ? q + 4 : q;
}

QPoint RotatePoint(int q, const QPoint& point)
{
    const int a = kA[q];
    const int b = kB[q];
    return {point.y() * a + point.x() * b, point.y() * b - point.x() * a};
}

QRect RotateRect(int q, const QRect& rect)
{
    const QPoint first = RotatePoint(q, rect.topLeft());
    const QPoint second =
        RotatePoint(q, QPoint(rect.left() + rect.width(), rect.top() + rect.height()));
    const int left = std::min(first.x(), second.x());
    const int right = std::max(first.x(), second.x());
    const int top = std::min(first.y(), second.y());
    const int bottom = std::max(first.y(), second.y());
    return QRect(left, top, right - left, bottom - top);
}

cdxCRot90DC::cdxCRot90DC(QPainter& target, const QRect& rect, int angle, bool copyBackground)
{
    QPaintDevice* device = target.device();
    if (!device || device->devType() == QInternal::Printer)
        return;
    const QRect clip = target.hasClipping() ? target.clipBoundingRect().toAlignedRect()
                                            : QRect(0, 0, device->width(), device->height());
    const QRect visible = rect.intersected(clip);
    if (visible.isEmpty())
        return;

    m_target = &target;
    m_q = QuarterTurns(angle);
    m_rect = rect;
    m_visible = visible;
    m_rotatedRect = RotateRect(m_q, rect);
    m_rotatedVisible = RotateRect(m_q, visible);

    m_image = QImage(m_rotatedVisible.size(), QImage::Format_ARGB32_Premultiplied);
    if (m_image.isNull()) {
        m_target = nullptr;
        return;
    }
    // Drawn over a transparent image, the target shows through wherever nothing was drawn.
    m_image.fill(Qt::transparent);
    if (copyBackground && device->devType() == QInternal::Image) {
        const QImage& source = *static_cast<QImage*>(device);
        const QImage behind = source.copy(visible).transformed(Turn(m_q));
        QPainter copy(&m_image);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(0, 0, behind);
    }

    m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setFont(target.font());
    m_painter->setPen(target.pen());
    m_painter->setBackground(target.background());
    m_painter->setBackgroundMode(target.backgroundMode());
    m_painter->setRenderHints(target.renderHints());
    m_painter->translate(-m_rotatedVisible.topLeft());
}

cdxCRot90DC::~cdxCRot90DC()
{
    Finish();
}

void cdxCRot90DC::Finish()
{
    if (m_finished || !m_painter)
        return;
    m_finished = true;
    m_painter->end();
    m_painter.reset();
    // An image point u lies at the turned point u + origin; the target point is that point
    // turned back.
    const QTransform back =
        QTransform::fromTranslate(m_rotatedVisible.left(), m_rotatedVisible.top()) *
        Turn(Inverse(m_q));
    m_target->save();
    m_target->setWorldTransform(back, true);
    m_target->drawImage(0, 0, m_image);
    m_target->restore();
}
