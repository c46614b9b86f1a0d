#include "controls/ButtonST.h"

#include "controls/ControlPaint.h"
#include "controls/Pictures.h"
#include "grid/GdiPaint.h"
#include "grid/SysColors.h"
#include "res/StringTable.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <cmath>

namespace {

// Straight lines through the points, each stopping one pixel before its end point.
void PolyLineTo(QPainter& painter, COLORREF colour, std::initializer_list<CPoint> points)
{
    const CPoint* previous = nullptr;
    for (const CPoint& point : points) {
        if (previous)
            DrawLine(painter, *previous, point, colour);
        previous = &point;
    }
}

QImage MapPixels(const QImage& icon, QRgb (*map)(QRgb))
{
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0x00FFFFFF) != 0)
                row[x] = map(row[x]);
    }
    return image;
}

} // namespace

CButtonST::CButtonST(QWidget* parent) : QPushButton(parent)
{
    setMouseTracking(true);
    setAutoDefault(false);
    ResetColours(false);
    connect(this, &QPushButton::clicked, this, &CButtonST::OnClicked);
}

void CButtonST::SubclassButton(unsigned style)
{
    const unsigned type = style & BS_TYPEMASK;
    m_type = type;
    // Check boxes, three-state boxes and radio buttons act as check boxes; a push button,
    // default or not, never does.
    m_checkBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                 type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (type == BS_DEFPUSHBUTTON) {
        m_default = true;
        m_type = BS_PUSHBUTTON;
        setDefault(true);
    }
    update();
}

void CButtonST::SetButtonStyle(unsigned style)
{
    const unsigned type = style & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_default = true;
    else if (type == BS_PUSHBUTTON)
        m_default = false;
    setDefault(m_default);
    update();
}

int CButtonST::SetIcon(int overId, int normalId)
{
    return LoadIcons(overId, 0, 0, normalId, 0, 0);
}

int CButtonST::LoadIcons(int overId, int overWidth, int overHeight, int normalId, int normalWidth,
                         int normalHeight)
{
    auto load = [](int id, int width, int height) {
        QImage image = LoadPicture(unsigned(id));
        if (!image.isNull() && width > 0 && height > 0)
            image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return image;
    };
    const QImage over = overId != 0 ? load(overId, overWidth, overHeight) : QImage();
    if (overId != 0 && over.isNull()) {
        SetIconHandles(QImage(), QImage());
        return BTNST_INVALIDRESOURCE;
    }
    if (normalId == ICON_GREY || normalId == ICON_DARKER || normalId == ICON_NONE)
        return SetIconHandles(over, normalId);
    const QImage normal = load(normalId, normalWidth, normalHeight);
    if (normal.isNull()) {
        SetIconHandles(QImage(), QImage());
        return BTNST_INVALIDRESOURCE;
    }
    return SetIconHandles(over, normal);
}

int CButtonST::SetIconHandles(const QImage& overIcon, const QImage& normalIcon)
{
    m_overIcon = overIcon;
    m_normalIcon = normalIcon;
    update();
    return BTNST_OK;
}

int CButtonST::SetIconHandles(const QImage& overIcon, int derived)
{
    QImage normal;
    if (!overIcon.isNull() && derived == ICON_GREY)
        normal = GreyIcon(overIcon);
    else if (!overIcon.isNull() && derived == ICON_DARKER)
        normal = DarkerIcon(overIcon);
    return SetIconHandles(overIcon, normal);
}

QImage CButtonST::DarkerIcon(const QImage& icon)
{
    return MapPixels(icon, [](QRgb pixel) {
        auto darker = [](int v) { return int(std::lround(v - v * 0.25)); };
        return qRgba(darker(qRed(pixel)), darker(qGreen(pixel)), darker(qBlue(pixel)),
                     qAlpha(pixel));
    });
}

QImage CButtonST::GreyIcon(const QImage& icon)
{
    return MapPixels(icon, [](QRgb pixel) {
        const int grey =
            int(std::lround(0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel)));
        return qRgba(grey, grey, grey, qAlpha(pixel));
    });
}

void CButtonST::SetTooltipText(const QString& text, bool activate)
{
    m_tooltip = text;
    setToolTip(activate ? text : QString());
}

void CButtonST::SetTooltipText(unsigned stringId, bool activate)
{
    const QString text = LoadString(stringId);
    if (!text.isEmpty())
        SetTooltipText(text, activate);
}

void CButtonST::SetCheckState(int state, bool repaint)
{
    if (!m_checkBox)
        return;
    m_checkState = (state == 1 || state == 2) ? 1 : 0;
    if (repaint)
        update();
}

int CButtonST::SetPressedOffsetStyle(int style, bool repaint)
{
    if (style == 0)
        m_pressedOffset = QPoint(1, 1);
    else if (style == 1)
        m_pressedOffset = QPoint(0, 2);
    else
        return BTNST_INVALIDPRESSEDSTYLE;
    if (repaint)
        update();
    return BTNST_OK;
}

void CButtonST::ResetColours(bool repaint)
{
    m_overBack = m_normalBack = m_focusBack = GetSysColor(COLOR_BTNFACE, palette());
    m_overText = m_normalText = m_focusText = GetSysColor(COLOR_BTNTEXT, palette());
    if (repaint)
        update();
}

void CButtonST::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (m_checkBox) {
        m_checkState = m_checkState ? 0 : 1;
        update();
    }
}

void CButtonST::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) && !m_mouseOver)
        return;
    if (!m_flat)
        return;
    if (!rect().contains(event->position().toPoint())) {
        EndHover();
    } else if (!m_mouseOver) {
        m_mouseOver = true;
        update();
    }
}

void CButtonST::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A fast second click counts as a click.
    mousePressEvent(event);
}

void CButtonST::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    EndHover();
}

void CButtonST::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    EndHover();
}

void CButtonST::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            EndHover();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            // The focus goes on to the next item of the tab order.
            if (hasFocus())
                if (QWidget* next = nextInFocusChain(); next && next != this)
                    next->setFocus(Qt::TabFocusReason);
            EndHover();
        }
        break;
    case QEvent::PaletteChange:
        ResetColours(true);
        break;
    default:
        break;
    }
}

void CButtonST::EndHover()
{
    if (m_flat && m_mouseOver) {
        m_mouseOver = false;
        update();
    }
}

void CButtonST::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    SDrawState state;
    state.Pressed = isDown() || (m_checkBox && m_checkState != 0);
    state.Focused = hasFocus();
    state.Disabled = !isEnabled();

    QRect item = rect();
    DrawButtonBackground(painter, item, state);
    DrawButtonBorder(painter, item, state);

    QRect caption = item;
    if (!m_overIcon.isNull())
        DrawButtonIcon(painter, item, caption, state);
    DrawButtonBitmap(painter, item, caption, state);
    if (!text().isEmpty())
        DrawButtonText(painter, caption, state);

    if ((!m_flat || m_drawFocusWhenFlat) && state.Focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = item.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CButtonST::DrawButtonBackground(QPainter& painter, QRect& rect, const SDrawState& state)
{
    if (!m_flat && (state.Focused || m_default)) {
        FrameRect(painter, CRect(rect), RGB(0, 0, 0));
        rect.adjust(1, 1, -1, -1);
    }
    COLORREF back = m_normalBack;
    if (m_mouseOver || state.Pressed)
        back = m_overBack;
    else if (state.Focused)
        back = m_focusBack;
    FillRect(painter, CRect(rect), back);
}

void CButtonST::DrawButtonBorder(QPainter& painter, const QRect& area, const SDrawState& state)
{
    const CRect rect(area);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW, palette());
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT, palette());
    if (state.Pressed) {
        if (!m_flat)
            FrameRect(painter, rect, shadow);
        else if (m_drawBorder)
            Draw3dRect(painter, rect, shadow, highlight);
        return;
    }
    if (m_flat) {
        if (m_mouseOver && m_drawBorder)
            Draw3dRect(painter, rect, highlight, shadow);
        return;
    }
    // The raised edge of a push button, in four lines.
    const int left = rect.left;
    const int top = rect.top;
    const int right = rect.right;
    const int bottom = rect.bottom;
    PolyLineTo(painter, highlight, {{left, bottom - 1}, {left, top}, {right, top}});
    PolyLineTo(painter, GetSysColor(COLOR_3DLIGHT, palette()),
               {{left + 1, bottom - 1}, {left + 1, top + 1}, {right, top + 1}});
    PolyLineTo(painter, GetSysColor(COLOR_3DDKSHADOW, palette()),
               {{left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1}});
    PolyLineTo(painter, shadow,
               {{left + 1, bottom - 2}, {right - 2, bottom - 2}, {right - 2, top}});
}

QRect CButtonST::PlaceImage(const QRect& item, QRect& caption, const QSize& size,
                            const SDrawState& state) const
{
    QRect image(QPoint(), size);
    if (text().isEmpty()) {
        image.moveLeft(item.left() + (item.width() - size.width()) / 2);
    } else {
        image.moveLeft(item.left() + m_imageOrigin.x());
        caption.setLeft(caption.left() + size.width() + m_imageOrigin.x());
    }
    image.moveTop(item.top() + (item.height() - size.height()) / 2);
    if (state.Pressed && !m_checkBox)
        image.translate(m_pressedOffset);
    return image;
}

void CButtonST::DrawButtonIcon(QPainter& painter, const QRect& item, QRect& caption,
                               const SDrawState& state)
{
    const bool useOver = m_checkBox ? state.Pressed : (state.Pressed || m_mouseOver);
    const QImage& icon = useOver || m_normalIcon.isNull() ? m_overIcon : m_normalIcon;
    const QRect place = PlaceImage(item, caption, icon.size(), state);
    if (state.Disabled) {
        QStyleOption option;
        option.initFrom(this);
        const QPixmap greyed =
            style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(icon), &option);
        painter.drawPixmap(place.topLeft(), greyed);
    } else {
        painter.drawImage(place.topLeft(), icon);
    }
}

void CButtonST::DrawButtonBitmap(QPainter&, const QRect&, QRect&, const SDrawState&) {}

void CButtonST::DrawButtonText(QPainter& painter, const QRect& caption, const SDrawState& state)
{
    QRect area = caption;
    if (state.Pressed && !m_checkBox)
        area.translate(m_pressedOffset);
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    QRect measured = painter.fontMetrics().boundingRect(area, flags, text());
    measured.moveCenter(area.center());
    if (state.Disabled) {
        painter.setPen(ColorRefToQColor(GetSysColor(COLOR_3DHIGHLIGHT, palette())));
        painter.drawText(measured.translated(1, 1), flags, text());
        painter.setPen(ColorRefToQColor(GetSysColor(COLOR_3DSHADOW, palette())));
        painter.drawText(measured, flags, text());
        return;
    }
    COLORREF colour = m_normalText;
    if (m_mouseOver || state.Pressed)
        colour = m_overText;
    else if (state.Focused)
        colour = m_focusText;
    painter.setPen(ColorRefToQColor(colour));
    painter.drawText(measured, flags, text());
}
