#include "controls/HyperLink.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

CHyperLink::LinkOpener& Opener()
{
    static CHyperLink::LinkOpener opener = [](const QString& target) {
        return QDesktopServices::openUrl(QUrl::fromUserInput(target));
    };
    return opener;
}

constexpr int kIconGap = 3;

} // namespace

CHyperLink::LinkOpener CHyperLink::SetLinkOpener(LinkOpener opener)
{
    LinkOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

CHyperLink::CHyperLink(QWidget* parent) : QWidget(parent), m_backColour(GetSysColor(COLOR_3DFACE))
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setToolTipDuration(1600);
    SetLinkFont(QStringLiteral("Arial"), 14, FW_NORMAL, false);
    m_disabled = !isEnabled();
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::SetWindowText(const QString& text)
{
    m_windowText = text;
    update();
}

void CHyperLink::SetLinkText(std::optional<QString> text)
{
    m_text = std::move(text);
    update();
}

QString CHyperLink::Text() const
{
    return m_text ? *m_text : m_windowText;
}

void CHyperLink::SetURL(const QString& target)
{
    m_target = target;
    setToolTip(target);
}

void CHyperLink::SetLinkFont(const QString& face, int height, int weight, bool italic)
{
    m_font = NamedFont(face, height, weight, italic);
    m_font.setStyleStrategy(QFont::PreferAntialias);
    update();
}

void CHyperLink::SetColours(COLORREF idle, COLORREF hover, COLORREF pressed)
{
    m_idleColour = idle;
    m_hoverColour = hover;
    m_pressedColour = pressed;
    update();
}

void CHyperLink::SetUnderlineAlways(bool always)
{
    m_underlineAlways = always;
    update();
}

void CHyperLink::SetMultiLine(bool multiLine)
{
    m_multiLine = multiLine;
    update();
}

void CHyperLink::SetReserveIconSpace(bool reserve)
{
    m_reserveIconSpace = reserve;
    update();
}

void CHyperLink::SetBorder(COLORREF colour, int width, Qt::PenStyle style)
{
    m_borderColour = colour;
    m_borderWidth = std::max(width, 0);
    m_borderStyle = style;
    update();
}

void CHyperLink::SetIcons(const QImage& idle, const QImage& hover, const QImage& pressed,
                          const QImage& disabled)
{
    m_icons[Idle] = idle;
    m_icons[Hover] = hover;
    m_icons[Pressed] = pressed;
    m_icons[Disabled] = disabled;
    m_madeDisabledIcon = QImage();
    update();
}

void CHyperLink::SetIconFlags(unsigned flags)
{
    m_iconFlags = flags;
    update();
}

void CHyperLink::SetMakeDisabledIcon(bool make)
{
    m_makeDisabledIcon = make;
    m_madeDisabledIcon = QImage();
    update();
}

CHyperLink::EState CHyperLink::GetState() const
{
    if (m_disabled)
        return Disabled;
    if (m_hover)
        return m_pressed ? Pressed : Hover;
    return Idle;
}

unsigned CHyperLink::StateFlags(EState state) const
{
    return (m_iconFlags >> (4 * int(state))) & 0x7;
}

QImage CHyperLink::MakeDisabledIcon(const QImage& icon)
{
    QImage grey = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = row[x];
            int index = 255 - (qBlue(pixel) + qGreen(pixel) + qRed(pixel)) / 3;
            if (qAlpha(pixel) == 0 && index == 255)
                continue;
            if (index == 0)
                index = 1;
            const int level = 255 - index;
            row[x] = qRgba(level, level, level, qAlpha(pixel));
        }
    }
    return grey;
}

const QImage& CHyperLink::StateIcon(EState state) const
{
    if (state != Disabled || !m_icons[Disabled].isNull() || !m_makeDisabledIcon)
        return m_icons[state];
    if (m_madeDisabledIcon.isNull()) {
        for (const EState source : {Idle, Hover, Pressed})
            if (!m_icons[source].isNull()) {
                m_madeDisabledIcon = MakeDisabledIcon(m_icons[source]);
                break;
            }
    }
    return m_madeDisabledIcon;
}

CHyperLink::SLayout CHyperLink::Layout() const
{
    SLayout layout;
    const QFontMetrics metrics(m_font);
    QString text = Text();
    if (m_multiLine) {
        while (text.endsWith(u'\n'))
            text.chop(1);
        layout.Lines = text.split(u'\n');
    } else {
        layout.Lines = {text};
    }
    layout.LineHeight = metrics.height();
    for (const QString& line : layout.Lines)
        layout.Widest = std::max(layout.Widest, metrics.horizontalAdvance(line));
    const int count = int(layout.Lines.size());
    layout.TextHeight = layout.LineHeight + (count - 1) * (layout.LineHeight + 2);

    const EState state = GetState();
    const unsigned flags = StateFlags(state);
    const QImage& icon = StateIcon(state);
    const QSize iconSize = (flags & HLINK_IDLE_SHOW) ? icon.size() : QSize(0, 0);
    const int height =
        std::max(layout.TextHeight + 2 + count, iconSize.height() + 2) + 2 * m_borderWidth;
    int width = layout.Widest + 3 + 2 * m_borderWidth;
    if ((flags & HLINK_IDLE_LEFT) || m_reserveIconSpace)
        width += kIconGap + iconSize.width();
    if ((flags & HLINK_IDLE_RIGHT) || m_reserveIconSpace)
        width += kIconGap + iconSize.width();
    layout.Size = QSize(width, height);
    return layout;
}

QSize CHyperLink::SizeForText() const
{
    return Layout().Size;
}

void CHyperLink::paintEvent(QPaintEvent*)
{
    const SLayout layout = Layout();
    // The link keeps its top-left corner and takes the size of its text.
    if (size() != layout.Size)
        resize(layout.Size);

    QPainter painter(this);
    FillRect(painter, CRect(QRect(QPoint(0, 0), layout.Size)), m_backColour);
    painter.setFont(m_font);

    if (m_borderWidth > 0) {
        const COLORREF colour = m_disabled ? GetSysColor(COLOR_GRAYTEXT) : m_borderColour;
        QPen pen(ColorRefToQColor(colour), m_borderWidth, m_borderStyle);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        const qreal half = m_borderWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }

    const EState state = GetState();
    COLORREF textColour = m_idleColour;
    COLORREF underline = m_underlineAlways ? m_idleColour : m_backColour;
    switch (state) {
    case Disabled:
        textColour = GetSysColor(COLOR_GRAYTEXT);
        if (m_underlineAlways)
            underline = textColour;
        break;
    case Hover:
        textColour = underline = m_hoverColour;
        break;
    case Pressed:
        textColour = underline = m_pressedColour;
        break;
    case Idle:
        break;
    }

    const unsigned flags = StateFlags(state);
    const QImage& icon = StateIcon(state);
    const bool showIcon = (flags & HLINK_IDLE_SHOW) && !icon.isNull();
    int x = m_borderWidth + 1;
    if (showIcon && (flags & HLINK_IDLE_LEFT)) {
        painter.drawImage(x, (height() - icon.height()) / 2, icon);
        x = icon.width() + 4 + m_borderWidth;
    } else if (m_reserveIconSpace) {
        x += kIconGap + (showIcon ? icon.width() : 0);
    }
    if (showIcon && (flags & HLINK_IDLE_RIGHT))
        painter.drawImage(x + layout.Widest + kIconGap, (height() - icon.height()) / 2, icon);

    int y = (height() - layout.TextHeight) / 2;
    const QFontMetrics metrics(m_font);
    for (const QString& line : layout.Lines) {
        painter.setPen(ColorRefToQColor(textColour));
        painter.drawText(QRect(x, y, metrics.horizontalAdvance(line), layout.LineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
        DrawLine(painter, CPoint(x, y + layout.LineHeight),
                 CPoint(x + metrics.horizontalAdvance(line), y + layout.LineHeight), underline);
        y += layout.LineHeight + 2;
    }
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_hover) {
        m_hover = true;
        m_pressed = (event->buttons() & Qt::LeftButton) != 0;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_hover = true;
    update();
    m_screenRect = QRect(mapToGlobal(QPoint(0, 0)), size());
}

void CHyperLink::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    m_hover = m_screenRect.contains(event->globalPosition().toPoint());
    update();
    if (!m_hover)
        return;
    OpenTarget();
    Q_EMIT Clicked();
}

void CHyperLink::OpenTarget()
{
    if (m_target.isEmpty() || !m_isLink || !Opener())
        return;
    Opener()(m_target);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_pressed)
        return; // the release decides
    m_hover = false;
    update();
}

void CHyperLink::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_disabled = !isEnabled();
        m_hover = m_pressed = false;
        update();
    }
}
