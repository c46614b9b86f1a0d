#include "grid/GridCellNumeric.h"

#include "grid/InPlaceEdit.h"

namespace {
std::unique_ptr<CGridCellBase> Make()
{
    return std::make_unique<CGridCellNumeric>();
}
} // namespace

const CRuntimeClass CGridCellNumeric::classCGridCellNumeric = {"CGridCellNumeric",
                                                               &CGridCell::classCGridCell, &Make};

bool CGridCellNumeric::Edit(int row, int col, CRect rect, CPoint, unsigned id, unsigned ch)
{
    if (m_bEditing)
        return true;
    if (!m_pGrid)
        return false;
    m_bEditing = true;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, ES_NUMBER, id, row, col, GetText(), ch);
    return true;
}
