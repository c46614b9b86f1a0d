#pragma once

#include "grid/GridCell.h"

#include <QDateTime>

// A text cell with a date and time value, edited with a date-time editor; the edited value is
// kept and the cell shows its text.
class CGridCellDateTime : public CGridCell
{
public:
    static const CRuntimeClass classCGridCellDateTime;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCellDateTime; }

    // The value starts as the time of the cell's making, to the second.
    CGridCellDateTime();

    void SetTime(const QDateTime& time) { m_cTime = time; }
    QDateTime GetTime() const { return m_cTime; }
    // Date-time editor styles (DTS_*); the editor always gets spin buttons.
    void SetStyle(unsigned style) { m_dwStyle = style; }
    unsigned GetStyle() const { return m_dwStyle; }

    bool Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch) override;

protected:
    QDateTime m_cTime;
    unsigned m_dwStyle = 0;
};
