#include "grid/TitleTip.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"
#include "menus/PopupPlacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

CTitleTip::CTitleTip(QWidget* client)
    : QWidget(client, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus),
      m_pClient(client)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CTitleTip::Show(CRect rectTitle, const QString& title, int xOffset, const CRect* hoverRect,
                     const LOGFONT* logFont, COLORREF textColour, COLORREF backColour)
{
    if (rectTitle.IsRectEmpty() || isVisible())
        return;
    m_rectHover = hoverRect ? *hoverRect : rectTitle;
    m_rectHover.InflateRect(0, 0, 1, 1);
    // An application without the keyboard focus shows no tips.
    if (!QApplication::focusWidget())
        return;

    m_Font = logFont ? LogFontToQFont(*logFont) : m_pClient->font();
    m_strTitle = QLatin1Char(' ') + title + QLatin1Char(' ');
    const int textWidth = QFontMetrics(m_Font).horizontalAdvance(m_strTitle);
    CRect display(rectTitle.left + xOffset, rectTitle.top, rectTitle.left + textWidth + xOffset,
                  rectTitle.bottom);
    // Only a text that does not fit in the title rectangle gets a tip.
    if (display.right <= rectTitle.right - xOffset)
        return;
    // The border takes a pixel on each side.
    display.right += 2;
    m_crText = textColour;
    m_crBack = backColour;
    const QPoint topLeft = m_pClient->mapToGlobal(QPoint(display.left, display.top));
    // A long text near the screen's edge moves left so that the whole of it shows.
    setGeometry(FitPopupOnScreen(QRect(topLeft, QSize(display.Width(), display.Height()))));
    show();
    update();
}

void CTitleTip::Hide()
{
    if (isVisible())
        hide();
}

void CTitleTip::OnMouseMove(CPoint point)
{
    if (isVisible() && !m_rectHover.PtInRect(point))
        Hide();
}

void CTitleTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const CRect client(rect());
    FillRect(painter, client, m_crBack != CLR_DEFAULT ? m_crBack : GetSysColor(COLOR_INFOBK));
    FrameRect(painter, client, GetSysColor(COLOR_WINDOWFRAME));
    const QColor text =
        ColorRefToQColor(m_crText != CLR_DEFAULT ? m_crText : GetSysColor(COLOR_INFOTEXT));
    painter.setPen(text.isValid() ? text : QColor(Qt::black));
    painter.setFont(m_Font);
    // The text starts inside the border, centred on the height as the cell centres it.
    painter.drawText(QRect(1, 0, width() - 1, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     m_strTitle);
}
