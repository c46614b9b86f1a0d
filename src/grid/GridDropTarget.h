#pragma once

#include "grid/WinGeometry.h"

#include <QObject>
#include <Qt>

class CGridCtrl;

// What a drop does with the dragged data: nothing, a copy, or a move (the source empties what it
// gave).
using DROPEFFECT = unsigned;
enum : DROPEFFECT
{
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
};

// The effect of a drag or drop by the keys held: a copy with Ctrl, else a move.
inline DROPEFFECT DropEffectOf(Qt::KeyboardModifiers keyState)
{
    return (keyState & Qt::ControlModifier) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// The grid's drop target: once registered it takes the drag events of the grid's client area,
// hands them to the grid's drag-enter, drag-over, drag-leave and drop handling, and while a drag
// moves over the grid brings the neighbouring row into view near its edges.
class CGridDropTarget : public QObject
{
public:
    // False when already registered, when called again while it runs, or without a grid.
    bool Register(CGridCtrl* grid);
    void Revoke();
    bool IsRegistered() const { return m_bRegistered; }

    // While a drag is at the point (client coordinates): when the cell under it has a hidden
    // neighbour row and the point lies on that side of the cell's middle, that row is brought into
    // view; a cell reaching past the client area is brought into view itself.
    void OnDragScroll(CPoint point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CGridCtrl* m_pGridCtrl = nullptr;
    bool m_bRegistered = false;
};
