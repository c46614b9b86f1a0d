#include "grid/TitleTip.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"
#include "menus/PopupPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QWindow>

#include <algorithm>

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
    const CRect anchor = hoverRect ? *hoverRect : rectTitle;
    m_rectHover = anchor;
    m_rectHover.InflateRect(0, 0, 1, 1);
    // An application without the keyboard focus shows no tips.
    if (!QApplication::focusWidget())
        return;

    m_Font = logFont ? LogFontToQFont(*logFont) : m_pClient->font();
    const QFontMetrics metrics(m_Font);
    // Only a text wider than the room it is drawn in, so drawn cut, gets a tip. The width with
    // its fractions decides, as it decides where the text is cut.
    if (QFontMetricsF(m_Font).horizontalAdvance(title) <= rectTitle.Width())
        return;
    m_strTitle = QLatin1Char(' ') + title + QLatin1Char(' ');
    // The tip's text starts where the cell's does, behind the tip's border and blank, without
    // reaching left of the hover rectangle; the tip takes the hover rectangle's height.
    const int lead = 1 + metrics.horizontalAdvance(QLatin1Char(' '));
    const int left = std::max(anchor.left, rectTitle.left - lead) + xOffset;
    // The border takes a pixel on each side.
    const int width = metrics.horizontalAdvance(m_strTitle) + 2;
    m_crText = textColour;
    m_crBack = backColour;
    const QPoint topLeft = m_pClient->mapToGlobal(QPoint(left, anchor.top));
    // A long text near the screen's edge moves left so that the whole of it shows.
    setGeometry(FitPopupOnScreen(QRect(topLeft, QSize(width, anchor.Height()))));
    show();
    // The pointer passes through the tip to the cell beneath. On X the window, once shown, took
    // the pointer all the same (the clicks meant for the grid were lost): the flag given to the
    // shown window again makes it pass.
    if (QWindow* window = windowHandle()) {
        window->setFlags(window->flags() & ~Qt::WindowTransparentForInput);
        window->setFlags(window->flags() | Qt::WindowTransparentForInput);
    }
    update();
}

void CTitleTip::Hide()
{
    if (isVisible())
        hide();
}

bool CTitleTip::IsPointerOverHoverRect() const
{
    return isVisible() && m_rectHover.PtInRect(CPoint(m_pClient->mapFromGlobal(QCursor::pos())));
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
