#pragma once

#include "grid/ColorRef.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The thickness of a splitter bar: the system's sizing-frame width.
int SplitterBarThickness();

// A thin bar between two groups of sibling windows inside one parent: one group above it and
// one below (left and right of a vertical bar). The user drags it with the left button; on
// release it moves itself, stretches the windows above down to its top edge and those below up
// to its bottom edge, and emits SplitterMoved so that the parent can lay out the rest.
class CSplitterBar : public QWidget
{
    Q_OBJECT

public:
    CSplitterBar();

    // Makes the bar a child of the parent at the rectangle; horizontal bars move up and down,
    // vertical ones left and right.
    bool Create(QWidget* parent, const QRect& rect, int id, bool horizontal = true);
    // The windows before and after the bar, not owned; then UpdatePosition.
    void SetPanes(const QList<QWidget*>& upper, const QList<QWidget*>& lower);
    // Places the bar after the first group, lays the panes out against it and takes the limits
    // of a drag from the first pane of each group. Does nothing while a group is empty.
    void UpdatePosition();

    int GetDlgCtrlID() const { return m_id; }
    bool IsHorizontal() const { return m_horizontal; }
    // The smallest allowed start and the largest allowed end of the bar along its axis of
    // movement (parent coordinates).
    int GetUpperLimit() const { return m_upperLimit; }
    int GetLowerLimit() const { return m_lowerLimit; }

Q_SIGNALS:
    // After a completed drag, once the panes have been moved.
    void SplitterMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Along the axis of movement: the bar's start, and a rectangle's start and end.
    int Along(const QPoint& point) const { return m_horizontal ? point.y() : point.x(); }
    int Start(const QRect& rect) const { return m_horizontal ? rect.top() : rect.left(); }
    int End(const QRect& rect) const
    {
        return m_horizontal ? rect.top() + rect.height() : rect.left() + rect.width();
    }
    QRect Shifted(const QRect& rect, int offset) const;
    void LayoutPanes();
    void ShowFeedback(const QRect& rect);

    bool m_horizontal = true;
    int m_id = 0;
    QPoint m_dragStart;
    QRect m_startRect;
    bool m_dragging = false;
    QList<QPointer<QWidget>> m_upper;
    QList<QPointer<QWidget>> m_lower;
    int m_upperLimit = 0;
    int m_lowerLimit = 0;
    COLORREF m_background = RGB(255, 255, 255);
    QPointer<QWidget> m_feedback;
};
