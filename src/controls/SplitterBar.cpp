#include "controls/SplitterBar.h"

#include "grid/GdiPaint.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The band shown on the parent while the bar is dragged: a halftone over what lies beneath.
class CDragBand final : public QWidget
{
public:
    explicit CDragBand(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

} // namespace

int SplitterBarThickness()
{
    return 4;
}

CSplitterBar::CSplitterBar() = default;

bool CSplitterBar::Create(QWidget* parent, const QRect& rect, int id, bool horizontal)
{
    if (!parent)
        return false;
    setParent(parent);
    m_id = id;
    m_horizontal = horizontal;
    setGeometry(rect);
    setCursor(horizontal ? Qt::SplitVCursor : Qt::SplitHCursor);
    raise();
    const QRect client = parent->rect();
    m_upperLimit = Start(client);
    m_lowerLimit = End(client);
    show();
    return true;
}

void CSplitterBar::SetPanes(const QList<QWidget*>& upper, const QList<QWidget*>& lower)
{
    m_upper.clear();
    m_lower.clear();
    for (QWidget* pane : upper)
        m_upper.append(pane);
    for (QWidget* pane : lower)
        m_lower.append(pane);
    UpdatePosition();
}

void CSplitterBar::UpdatePosition()
{
    if (m_upper.isEmpty() || m_lower.isEmpty() || !m_upper.first() || !m_upper.last() ||
        !m_lower.first())
        return;
    const QRect first = m_upper.first()->geometry();
    const QRect last = m_upper.last()->geometry();
    const int thickness = SplitterBarThickness();
    if (m_horizontal) {
        const int top = std::max(End(first), End(last));
        setGeometry(first.left(), top, last.left() + last.width() - first.left(), thickness);
    } else {
        const int left = std::max(End(first), End(last));
        setGeometry(left, first.top(), thickness, last.top() + last.height() - first.top());
    }
    update();
    LayoutPanes();
    m_upperLimit = Start(m_upper.first()->geometry());
    m_lowerLimit = End(m_lower.first()->geometry());
    if (parentWidget())
        parentWidget()->update();
}

void CSplitterBar::LayoutPanes()
{
    const QRect bar = geometry();
    for (const QPointer<QWidget>& pane : m_upper) {
        if (!pane)
            continue;
        QRect rect = pane->geometry();
        if (m_horizontal)
            rect.setBottom(bar.top() - 1);
        else
            rect.setRight(bar.left() - 1);
        pane->setGeometry(rect);
    }
    for (const QPointer<QWidget>& pane : m_lower) {
        if (!pane)
            continue;
        QRect rect = pane->geometry();
        if (m_horizontal)
            rect.setTop(End(bar));
        else
            rect.setLeft(End(bar));
        pane->setGeometry(rect);
    }
    if (parentWidget())
        parentWidget()->update();
}

QRect CSplitterBar::Shifted(const QRect& rect, int offset) const
{
    return m_horizontal ? rect.translated(0, offset) : rect.translated(offset, 0);
}

void CSplitterBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FillRect(painter, CRect(rect()), m_background);
}

void CSplitterBar::ShowFeedback(const QRect& rect)
{
    if (!parentWidget())
        return;
    if (!m_feedback)
        m_feedback = new CDragBand(parentWidget());
    m_feedback->setGeometry(rect);
    m_feedback->raise();
    m_feedback->show();
}

void CSplitterBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragStart = event->globalPosition().toPoint();
    m_startRect = geometry();
    ShowFeedback(m_startRect);
}

void CSplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    ShowFeedback(
        Shifted(m_startRect, Along(event->globalPosition().toPoint()) - Along(m_dragStart)));
}

void CSplitterBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    if (m_feedback)
        m_feedback->hide();

    // The bar keeps its start at or after the upper limit and its end at or before the lower.
    const int size = m_horizontal ? m_startRect.height() : m_startRect.width();
    const int candidate =
        Start(m_startRect) + Along(event->globalPosition().toPoint()) - Along(m_dragStart);
    int start = candidate;
    if (candidate < m_upperLimit)
        start = m_upperLimit;
    else if (candidate + size > m_lowerLimit)
        start = m_lowerLimit - size;
    setGeometry(Shifted(m_startRect, start - Start(m_startRect)));
    update();
    LayoutPanes();
    Q_EMIT SplitterMoved();
}
