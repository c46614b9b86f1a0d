#include "controls/FlatSplitterWnd.h"

#include "grid/SysColors.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

CFlatSplitterHandle::CFlatSplitterHandle(Qt::Orientation orientation, CFlatSplitterWnd* splitter)
    : QSplitterHandle(orientation, splitter)
{
    setMouseTracking(true);
}

CFlatSplitterWnd* CFlatSplitterHandle::Splitter() const
{
    return static_cast<CFlatSplitterWnd*>(splitter());
}

QRect CFlatSplitterHandle::GetButtonRect() const
{
    if (!Splitter()->HasButton())
        return {};
    const int middle = width() / 2;
    return QRect(middle - CFlatSplitterWnd::kButtonWidth / 2, 0, CFlatSplitterWnd::kButtonWidth,
                 height());
}

bool CFlatSplitterHandle::OnButton(const QPoint& point) const
{
    return GetButtonRect().contains(point);
}

void CFlatSplitterHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor line = Splitter()->GetLineColour();
    painter.fillRect(rect(), ColorRefToQColor(GetSysColor(COLOR_BTNFACE, palette())));
    // The lines on both sides close the frames of the panes beside the bar.
    painter.setPen(line);
    if (orientation() == Qt::Vertical) {
        painter.drawLine(0, 0, width() - 1, 0);
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    } else {
        painter.drawLine(0, 0, 0, height() - 1);
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    }

    const QRect button = GetButtonRect();
    if (button.isEmpty())
        return;
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(button.adjusted(0, 0, -1, -1));

    // A triangle 10 pixels wide: pointing down while the last row shows, up while it is hidden.
    const int middle = button.center().x();
    const int top = button.top();
    const int bottom = button.top() + button.height() - 1;
    QPolygon arrow;
    if (Splitter()->IsLastRowHidden())
        arrow << QPoint(middle, top) << QPoint(middle - 5, bottom) << QPoint(middle + 5, bottom);
    else
        arrow << QPoint(middle, bottom) << QPoint(middle - 5, top) << QPoint(middle + 5, top);
    const QColor fill = GetArrowColour();
    painter.setPen(fill);
    painter.setBrush(fill);
    painter.drawPolygon(arrow);
}

QColor CFlatSplitterHandle::GetArrowColour() const
{
    const QColor face = ColorRefToQColor(GetSysColor(COLOR_BTNFACE, palette()));
    const QColor text = ColorRefToQColor(GetSysColor(COLOR_BTNTEXT, palette()));
    const int share = !m_hot ? 2 : m_pressed ? 4 : 3; // quarters of the way to the text colour
    auto channel = [share](int from, int to) { return from + (to - from) * share / 4; };
    return QColor(channel(face.red(), text.red()), channel(face.green(), text.green()),
                  channel(face.blue(), text.blue()));
}

void CFlatSplitterHandle::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && OnButton(point)) {
        m_pressed = true;
        update();
        return;
    }
    m_tracking = event->button() == Qt::LeftButton;
    QSplitterHandle::mousePressEvent(event);
}

void CFlatSplitterHandle::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton) {
        if (OnButton(event->position().toPoint()) && Splitter()->HasButton())
            Splitter()->ToggleLastRow();
        update();
        return;
    }
    m_tracking = false;
    QSplitterHandle::mouseReleaseEvent(event);
}

void CFlatSplitterHandle::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_tracking && OnButton(point)) {
        setCursor(Qt::ArrowCursor);
        SetHot(true);
        return;
    }
    setCursor(orientation() == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
    SetHot(false);
    if (!m_pressed)
        QSplitterHandle::mouseMoveEvent(event);
}

void CFlatSplitterHandle::SetHot(bool hot)
{
    if (hot == m_hot)
        return;
    m_hot = hot;
    // The timer ends the hot look when the cursor leaves without a message reaching the bar.
    if (hot)
        m_hoverTimer.start(kHoverCheckInterval, this);
    else
        m_hoverTimer.stop();
    update(GetButtonRect());
}

void CFlatSplitterHandle::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_hoverTimer.timerId()) {
        QSplitterHandle::timerEvent(event);
        return;
    }
    if (!OnButton(mapFromGlobal(QCursor::pos())))
        SetHot(false);
}

CFlatSplitterWnd::CFlatSplitterWnd(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent)
{
    setHandleWidth(kBarWidth);
    setChildrenCollapsible(true);
    setOpaqueResize(true);
    setContentsMargins(1, 1, 1, 1);
    setFrameShape(QFrame::NoFrame);
}

QSplitterHandle* CFlatSplitterWnd::createHandle()
{
    return new CFlatSplitterHandle(orientation(), this);
}

QColor CFlatSplitterWnd::GetLineColour() const
{
    if (!m_lineColour.isValid())
        m_lineColour = ColorRefToQColor(GetSysColor(COLOR_BTNSHADOW, palette()));
    return m_lineColour;
}

void CFlatSplitterWnd::paintEvent(QPaintEvent* event)
{
    QSplitter::paintEvent(event);
    // The outer line around the panes; the bars draw the lines between them.
    QPainter painter(this);
    painter.setPen(GetLineColour());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool CFlatSplitterWnd::IsLastRowHidden() const
{
    const QList<int> heights = sizes();
    return !heights.isEmpty() && heights.last() == 0;
}

void CFlatSplitterWnd::ToggleLastRow()
{
    QList<int> heights = sizes();
    if (!HasButton() || heights.size() < 2)
        return;
    const int last = int(heights.size()) - 1;
    if (heights[last] != 0) {
        // The focus leaves the row that goes for the row above it.
        QWidget* hidden = widget(last);
        if (hidden && hidden->isAncestorOf(QApplication::focusWidget()))
            if (QWidget* above = widget(last - 1))
                above->setFocus();
        m_savedRowHeight = heights[last];
        heights[last - 1] += heights[last];
        heights[last] = 0;
    } else {
        // A row never hidden by the button (or whose height is gone) comes back at the
        // initial height.
        const int wanted = m_savedRowHeight > 0 ? m_savedRowHeight : kInitialSavedHeight;
        const int height = std::min(wanted, heights[last - 1]);
        heights[last - 1] -= height;
        heights[last] = height;
        m_savedRowHeight = 0;
    }
    setSizes(heights);
    for (int i = 0; i < count(); ++i)
        handle(i)->update();
}
