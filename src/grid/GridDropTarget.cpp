#include "grid/GridDropTarget.h"

#include "grid/GridCtrl.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace {
// Guards registration against being entered again while it runs.
bool s_bRegistering = false;

Qt::DropAction ToDropAction(DROPEFFECT effect)
{
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}
} // namespace

bool CGridDropTarget::Register(CGridCtrl* grid)
{
    if (m_bRegistered || s_bRegistering || !grid)
        return false;
    s_bRegistering = true;
    m_pGridCtrl = grid;
    grid->viewport()->setAcceptDrops(true);
    grid->viewport()->installEventFilter(this);
    m_bRegistered = true;
    s_bRegistering = false;
    return true;
}

void CGridDropTarget::Revoke()
{
    if (!m_bRegistered)
        return;
    m_bRegistered = false;
    m_pGridCtrl->viewport()->removeEventFilter(this);
    m_pGridCtrl->viewport()->setAcceptDrops(false);
}

void CGridDropTarget::OnDragScroll(CPoint point)
{
    if (!m_bRegistered)
        return;
    CGridCtrl& grid = *m_pGridCtrl;
    const CCellID cell = grid.GetCellFromPoint(point);
    CRect rect;
    if (!grid.IsValid(cell) || !grid.GetCellRect(cell.row, cell.col, rect))
        return;
    const CRect client = grid.GetClientRect();
    const int middle = rect.top + rect.Height() / 2;
    if (client.Height() >= rect.top + rect.Height()) {
        if (cell.row + 1 < grid.GetRowCount() && !grid.IsCellVisible(cell.row + 1, cell.col) &&
            point.y > middle)
            grid.EnsureVisible(cell.row + 1, cell.col);
        if (cell.row - 1 >= grid.GetFixedRowCount() &&
            !grid.IsCellVisible(cell.row - 1, cell.col) && point.y < middle)
            grid.EnsureVisible(cell.row - 1, cell.col);
    } else {
        grid.EnsureVisible(cell.row, cell.col);
    }
}

bool CGridDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_bRegistered || watched != m_pGridCtrl->viewport())
        return QObject::eventFilter(watched, event);
    CGridCtrl& grid = *m_pGridCtrl;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        const DROPEFFECT effect = grid.OnDragEnter(drag->mimeData(), drag->modifiers(),
                                                   CPoint(drag->position().toPoint()));
        // Taken even where nothing can be dropped, so that the moves over the grid follow.
        drag->setDropAction(ToDropAction(effect));
        drag->accept();
        return true;
    }
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const CPoint point(drag->position().toPoint());
        OnDragScroll(point);
        const DROPEFFECT effect = grid.OnDragOver(drag->mimeData(), drag->modifiers(), point);
        drag->setDropAction(ToDropAction(effect));
        drag->setAccepted(effect != DROPEFFECT_NONE);
        return true;
    }
    case QEvent::DragLeave:
        grid.OnDragLeave();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const DROPEFFECT effect = DropEffectOf(drop->modifiers());
        if (grid.OnDrop(drop->mimeData(), effect, CPoint(drop->position().toPoint()))) {
            drop->setDropAction(ToDropAction(effect));
            drop->accept();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
