#include "controls/PropPageFrame.h"

#include "grid/DrawTextFormat.h"
#include "grid/GdiPaint.h"
#include "grid/LogFont.h"
#include "grid/SysColors.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace TreePropSheet {

CPropPageFrame::~CPropPageFrame() = default;

CRect CPropPageFrame::ClientRect() const
{
    const QWidget* window = const_cast<CPropPageFrame*>(this)->GetWindow();
    return window ? CRect(window->rect()) : CRect();
}

void CPropPageFrame::InvalidateArea(const CRect& area)
{
    if (QWidget* window = GetWindow())
        window->update(area.ToQRect());
}

void CPropPageFrame::SetCaptionVisible(bool visible)
{
    m_captionVisible = visible;
    InvalidateArea(ClientRect());
}

void CPropPageFrame::SetCaptionHeight(int height)
{
    m_captionHeight = height;
    InvalidateArea(ClientRect());
}

void CPropPageFrame::SetCaption(const QString& text, const QImage& icon)
{
    m_captionText = text;
    m_captionIcon = icon;
    InvalidateArea(GetCaptionArea());
}

void CPropPageFrame::SetMessageText(const QString& text)
{
    m_messageText = text;
    InvalidateArea(GetMessageArea());
}

void CPropPageFrame::SetMessageFormat(unsigned format)
{
    m_messageFormat = format;
    InvalidateArea(GetMessageArea());
}

void CPropPageFrame::Paint(QPainter& painter)
{
    if (m_captionVisible)
        DrawCaption(painter, GetCaptionArea(), m_captionText, m_captionIcon);
    DrawMessage(painter, GetMessageArea(), m_messageText, m_messageFormat);
}

CRect CPropPageFrame::GetMessageArea() const
{
    CRect area = ClientRect();
    if (m_captionVisible)
        area.top += m_captionHeight;
    return area;
}

void CPropPageFrame::DrawMessage(QPainter& painter, CRect rect, const QString& text,
                                 unsigned format)
{
    painter.save();
    painter.setFont(QApplication::font());
    painter.setPen(ColorRefToQColor(GetSysColor(COLOR_WINDOWTEXT)));
    DrawText(painter, text, rect, format);
    painter.restore();
}

CRect CPropPageFrame::GetCaptionArea() const
{
    CRect area = ClientRect();
    area.bottom = m_captionVisible ? area.top + m_captionHeight : area.top;
    return area;
}

void CPropPageFrame::DrawCaption(QPainter&, CRect, const QString&, const QImage&) {}

CPropPageFrameDefault::CPropPageFrameDefault(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

bool CPropPageFrameDefault::Create(const QRect& rect, QWidget* parent, int id)
{
    setParent(parent);
    setGeometry(rect);
    setWindowTitle(QStringLiteral("Page Frame"));
    setProperty("dlgCtrlId", id);
    show();
    return true;
}

void CPropPageFrameDefault::SetCaption(const QString& text, const QImage& icon)
{
    CPropPageFrame::SetCaption(text, icon);
}

CRect CPropPageFrameDefault::GetCaptionArea() const
{
    return CPropPageFrame::GetCaptionArea();
}

CRect CPropPageFrameDefault::GetMessageArea() const
{
    CRect area = ClientRect();
    if (m_captionVisible)
        area.top += m_captionHeight + 1;
    return area;
}

QFont CPropPageFrameDefault::CaptionFont()
{
    return NamedFont(QStringLiteral("MS Shell Dlg 2"), 18, FW_SEMIBOLD);
}

void CPropPageFrameDefault::DrawCaption(QPainter& painter, CRect rect, const QString& text,
                                        const QImage& icon)
{
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    const int barLeft = rect.left;
    const int barRight = rect.right;
    int textLeft = rect.left;
    if (!icon.isNull())
        textLeft += icon.deviceIndependentSize().toSize().width() + 3;
    textLeft += 2;
    // The bar fades into the frame's face colour, in which the caption text would not read: the
    // text stays on the caption colour, ending with an ellipsis before the last quarter of the
    // bar, and the fade runs from behind its end to the right edge.
    const int latestFade = barLeft + (barRight - barLeft) * 3 / 4;
    const QFont font = CaptionFont();
    const QFontMetrics metrics(font);
    constexpr int FadeGap = 16;
    const QString shown =
        metrics.elidedText(text, Qt::ElideRight, std::max(0, latestFade - FadeGap - textLeft));
    const int fadeFrom =
        std::min(latestFade, textLeft + metrics.horizontalAdvance(shown) + FadeGap);
    if (fadeFrom > barLeft)
        FillRect(painter, CRect(barLeft, rect.top, fadeFrom, rect.bottom), caption);
    FillHorizontalGradient(painter,
                           CRect(std::max(barLeft, fadeFrom), rect.top, barRight, rect.bottom),
                           caption, GetSysColor(COLOR_3DFACE));
    if (!icon.isNull()) {
        const QSize size = icon.deviceIndependentSize().toSize();
        painter.drawImage(QPoint(3, rect.CenterPoint().y - size.height() / 2), icon);
    }
    painter.save();
    painter.setPen(ColorRefToQColor(GetSysColor(COLOR_CAPTIONTEXT)));
    painter.setFont(font);
    CRect textArea(textLeft, rect.top, fadeFrom, rect.bottom);
    DrawText(painter, shown, textArea, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    painter.restore();
}

void CPropPageFrameDefault::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void CPropPageFrameDefault::resizeEvent(QResizeEvent*)
{
    LayOutPages();
}

void CPropPageFrameDefault::InvalidateArea(const CRect& area)
{
    CPropPageFrame::InvalidateArea(area);
    LayOutPages();
}

void CPropPageFrameDefault::LayOutPages()
{
    const QRect area = GetMessageArea().ToQRect();
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            widget->setGeometry(area);
    }
}

void FillHorizontalGradient(QPainter& painter, const CRect& rect, COLORREF left, COLORREF right)
{
    const int width = rect.Width();
    if (width <= 0 || rect.Height() <= 0)
        return;
    const double steps[3] = {double(GetRValue(right) - GetRValue(left)) / width,
                             double(GetGValue(right) - GetGValue(left)) / width,
                             double(GetBValue(right) - GetBValue(left)) / width};
    double channel[3] = {double(GetRValue(left)), double(GetGValue(left)), double(GetBValue(left))};
    for (int x = rect.left; x <= rect.right; ++x) {
        const COLORREF colour = RGB(int(channel[0]), int(channel[1]), int(channel[2]));
        DrawLine(painter, CPoint(x, rect.top), CPoint(x, rect.bottom), colour);
        for (int c = 0; c < 3; ++c)
            channel[c] += steps[c];
    }
}

} // namespace TreePropSheet
