#include "grid/GridCellDateTime.h"

#include "grid/InPlaceDateTime.h"

const CRuntimeClass CGridCellDateTime::classCGridCellDateTime = {
    "CGridCellDateTime", &CGridCell::classCGridCell, &MakeCell<CGridCellDateTime>};

CGridCellDateTime::CGridCellDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_cTime = now.addMSecs(-now.time().msec());
}

bool CGridCellDateTime::Edit(int row, int col, CRect rect, CPoint, unsigned id, unsigned ch)
{
    if (IsEditing())
        return true;
    if (!m_pGrid)
        return false;
    m_bEditing = true;
    m_pEditWnd =
        new CInPlaceDateTime(m_pGrid, rect, m_dwStyle | DTS_UPDOWN, id, row, col, m_cTime, ch);
    return true;
}
