#include "controls/RotBevelLine.h"

#include "controls/ControlPaint.h"
#include "controls/Rot90DC.h"
#include "grid/GdiPaint.h"
#include "grid/SysColors.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace {

const QString kPadding = QStringLiteral("  ");
// Where the light copy of a disabled caption goes.
const QPoint kDisabledOffset(1, 1);

} // namespace

cdxCRotBevelLine::cdxCRotBevelLine(QWidget* parent) : QLabel(parent) {}

cdxCRotBevelLine::cdxCRotBevelLine(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
}

void cdxCRotBevelLine::SetSunken(bool sunken)
{
    m_sunken = sunken;
    update();
}

cdxCRotBevelLine::SLayout cdxCRotBevelLine::Layout() const
{
    SLayout layout;
    const int width = this->width();
    const int height = this->height();
    const bool horizontal = width > height;
    layout.Line = horizontal ? QRect(0, height / 2, width, 2) : QRect(width / 2, 0, 2, height);

    QString caption = text();
    if (caption.isEmpty())
        return layout;
    layout.Angle = 0;
    if (!horizontal) {
        layout.Angle = 90;
        if (caption.startsWith(u'~')) {
            caption.remove(0, 1);
            layout.Angle = 270;
        }
    } else if (caption.startsWith(u'~')) {
        caption.remove(0, 1);
    }

    enum
    {
        Left,
        Centre,
        Right
    } align = Left;
    if (alignment() & Qt::AlignHCenter)
        align = Centre;
    else if (alignment() & Qt::AlignRight)
        align = Right;
    if (align != Left)
        caption.prepend(kPadding);
    if (align != Right)
        caption.append(kPadding);
    layout.Caption = caption;

    // Whole pixels, rounded up, so that the caption fits its rectangle without an ellipsis.
    const QFontMetricsF metrics(font());
    const int w = int(std::ceil(metrics.horizontalAdvance(caption)));
    const int h = int(std::ceil(metrics.height()));
    const QRect& line = layout.Line;
    const int lineRight = line.left() + line.width();
    const int lineBottom = line.top() + line.height();
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    if (layout.Angle == 0) {
        top = line.top() - h / 2 - 2;
        bottom = top + h;
        left = align == Left     ? line.left()
               : align == Centre ? line.left() + (line.width() - w) / 2
                                 : lineRight - w;
        right = left + w;
    } else {
        left = layout.Angle == 90 ? line.left() - h / 2 - 1 : line.left() - h / 2 + 1;
        right = left + h;
        // Where the text starts: at the bottom going up (90) or at the top going down (270).
        const bool fromBottom = (layout.Angle == 90) == (align == Left);
        if (align == Centre)
            top = line.top() + (line.height() - w) / 2;
        else if (fromBottom)
            top = lineBottom - w;
        else
            top = line.top();
        bottom = top + w;
    }
    bottom += 1;
    if (align == Right)
        left -= 1;
    layout.Text = QRect(left, top, right - left, bottom - top);
    return layout;
}

QRect cdxCRotBevelLine::LineRect() const
{
    return Layout().Line;
}

QRect cdxCRotBevelLine::CaptionRect() const
{
    return Layout().Text;
}

void cdxCRotBevelLine::paintEvent(QPaintEvent*)
{
    // Drawn into an image first, so that a turned caption can take the background behind it.
    const qreal ratio = devicePixelRatioF();
    QImage buffer(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    const COLORREF face = GetSysColor(COLOR_BTNFACE, palette());
    buffer.fill(ColorRefToQColor(face));
    QPainter painter(&buffer);

    const SLayout layout = Layout();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW, palette());
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT, palette());
    Draw3dRect(painter, CRect(layout.Line), m_sunken ? shadow : highlight,
               m_sunken ? highlight : shadow);

    if (!layout.Text.isEmpty()) {
        painter.setClipRect(layout.Text);
        FillRect(painter, CRect(layout.Text), face);
        painter.setFont(font());

        auto drawText = [&](QPainter& onto, const QRect& area, const QPoint& offset) {
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
            const QString shown =
                onto.fontMetrics().elidedText(layout.Caption, Qt::ElideRight, area.width());
            if (isEnabled()) {
                onto.setPen(ColorRefToQColor(GetSysColor(COLOR_BTNTEXT, palette())));
                onto.drawText(area, flags, shown);
                return;
            }
            onto.setPen(ColorRefToQColor(highlight));
            onto.drawText(area.translated(offset), flags, shown);
            onto.setPen(ColorRefToQColor(shadow));
            onto.drawText(area, flags, shown);
        };

        if (layout.Angle == 0) {
            drawText(painter, layout.Text, kDisabledOffset);
        } else {
            cdxCRot90DC turned(painter, layout.Text, layout.Angle, true);
            if (turned.IsValid())
                drawText(*turned.Painter(), turned.GetRotatedRect(),
                         turned.Rotated(kDisabledOffset));
        }
    }
    painter.end();
    QPainter(this).drawImage(0, 0, buffer);
}

void cdxCRotBevelLine::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}
