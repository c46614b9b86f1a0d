#pragma once

#include "grid/CellID.h"
#include "grid/WinGeometry.h"

class CGridCtrl;
class CWaveGridCtrl;

// Drags in the campaign grids as the window system's drag loop would drive them, through the
// grid's entry points (the loop itself does not run offscreen).

// The middle of a cell in the grid's viewport.
CPoint CellCentre(const CGridCtrl& grid, int row, int col);

// Selects the cell, starts a drag from it, moves it over the target cell and drops it there.
// Whether the grid took the target cell while the drag was over it.
bool DragCell(CWaveGridCtrl& grid, const CCellID& from, const CCellID& to);
