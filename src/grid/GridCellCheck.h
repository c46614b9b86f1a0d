#pragma once

#include "grid/GridCell.h"

// A text cell with a check box before its text; a click on the box toggles it.
class CGridCellCheck : public CGridCell
{
public:
    static const CRuntimeClass classCGridCellCheck;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCellCheck; }

    // Sets the check and returns the previous one.
    bool SetCheck(bool checked = true);
    bool GetCheck() const { return m_bChecked; }

    bool Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd = true) override;
    // The text starts after the box.
    bool GetTextRect(CRect& rect) override;
    CSize GetCellExtent(QPainter* painter) override;
    void OnClick(CPoint pointCellRelative) override;

    // The box, relative to the cell's top-left corner.
    CRect GetCheckPlacement() const;

protected:
    bool m_bChecked = false;
    // Where the cell was last drawn (grid client coordinates).
    CRect m_Rect;
};
