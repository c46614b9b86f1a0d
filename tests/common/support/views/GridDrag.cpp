#include "support/views/GridDrag.h"

#include "views/WaveGridCtrl.h"

#include <QMimeData>

CPoint CellCentre(const CGridCtrl& grid, int row, int col)
{
    CRect rect;
    grid.GetCellRect(row, col, rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

bool DragCell(CWaveGridCtrl& grid, const CCellID& from, const CCellID& to)
{
    grid.SetFocusCell(from.row, from.col);
    grid.SetSelectedRange(from.row, from.col, from.row, from.col);
    grid.StartDrag();
    QMimeData data;
    data.setData(grid.GetDragFormat(), QByteArray(1, '\0'));
    const CPoint point = CellCentre(grid, to.row, to.col);
    const bool taken = grid.OnDragOver(&data, {}, point) != DROPEFFECT_NONE;
    grid.OnDrop(&data, DROPEFFECT_MOVE, point);
    return taken;
}
