#pragma once

#include "grid/GridCell.h"

// A text cell whose editor takes digits only.
class CGridCellNumeric : public CGridCell
{
public:
    static const CRuntimeClass classCGridCellNumeric;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCellNumeric; }

    // Opens a digits-only editor; while one is open, nothing more.
    bool Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch) override;
};
