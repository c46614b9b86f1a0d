#include "grid/GridCellNumeric.h"

#include "grid/InPlaceEdit.h"

const CRuntimeClass CGridCellNumeric::classCGridCellNumeric = {
    "CGridCellNumeric", &CGridCell::classCGridCell, &MakeCell<CGridCellNumeric>};

bool CGridCellNumeric::Edit(int row, int col, CRect rect, CPoint, unsigned id, unsigned ch)
{
    if (IsEditing())
        return true;
    if (!m_pGrid)
        return false;
    m_bEditing = true;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, ES_NUMBER, id, row, col, GetText(), ch);
    return true;
}
