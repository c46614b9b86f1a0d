#include "grid/GridCtrl.h"

LRESULT CGridCtrl::NotifyParent(int nRow, int nCol, int nMessage) const
{
    GRIDNOTIFY record;
    record.hwndFrom = const_cast<CGridCtrl*>(this);
    record.idFrom = std::uintptr_t(m_nCtrlID);
    record.code = nMessage;
    record.iRow = nRow;
    record.iColumn = nCol;
    return SendNotify(m_pOwner, record);
}

LRESULT CGridCtrl::SendCacheHint(const CCellIDRange& range) const
{
    GV_CACHEHINT record;
    record.hwndFrom = const_cast<CGridCtrl*>(this);
    record.idFrom = std::uintptr_t(m_nCtrlID);
    record.code = GVN_ODCACHEHINT;
    record.range = range;
    return SendNotify(m_pOwner, record);
}

LRESULT CGridCtrl::RequestCellText(GV_DISPINFO& record) const
{
    record.hwndFrom = const_cast<CGridCtrl*>(this);
    record.idFrom = std::uintptr_t(m_nCtrlID);
    record.code = GVN_GETDISPINFO;
    return SendNotify(m_pOwner, record);
}

void CGridCtrl::StartCellEdit(int nRow, int nCol, CPoint point, unsigned nChar)
{
    HideTitleTip();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, rect))
        return;
    if (NotifyParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0)
        return;
    if (CGridCellBase* cell = GetCell(nRow, nCol))
        cell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

void CGridCtrl::FinishCellEdit(int nRow, int nCol, const QString& text)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    const QString old = GetCellText(nRow, nCol);
    if (text != old) {
        SetCellText(nRow, nCol, text);
        if (ValidateCellEdit(nRow, nCol, text) && NotifyParent(nRow, nCol, GVN_ENDLABELEDIT) >= 0) {
            SetModified(true, nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            SetCellText(nRow, nCol, old);
        }
    }
    if (cell)
        cell->OnEndEdit();
}

bool CGridCtrl::ValidateCellEdit(int nRow, int nCol, const QString& text)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->ValidateEdit(text) : true;
}

void CGridCtrl::StopEditing()
{
    if (!IsValid(m_idCurrentCell))
        return;
    if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        cell->EndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(const GV_DISPINFO& record)
{
    const GRIDCELLITEM& item = record.item;
    FinishCellEdit(item.row, item.col, item.strText);
    // The keys that go on editing in the cell they reach, as key codes: Tab, Page Up, Page
    // Down, End, Home, Left, Up, Right, Down.
    static constexpr struct
    {
        std::intptr_t VirtualKey;
        int Key;
    } NavigationKeys[] = {{0x09, Qt::Key_Tab}, {0x21, Qt::Key_PageUp}, {0x22, Qt::Key_PageDown},
                          {0x23, Qt::Key_End}, {0x24, Qt::Key_Home},   {0x25, Qt::Key_Left},
                          {0x26, Qt::Key_Up},  {0x27, Qt::Key_Right},  {0x28, Qt::Key_Down}};
    for (const auto& key : NavigationKeys) {
        if (key.VirtualKey != item.lParam)
            continue;
        OnKeyDown(key.Key, Qt::NoModifier);
        StartCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1),
                      unsigned(key.VirtualKey));
        return;
    }
}

bool CGridCtrl::ModifyCellText(int nRow, int nCol, const QString& text)
{
    if (!IsCellEditable(nRow, nCol) || NotifyParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0)
        return false;
    const QString old = GetCellText(nRow, nCol);
    if (text == old)
        return true;
    SetCellText(nRow, nCol, text);
    if (ValidateCellEdit(nRow, nCol, text) && NotifyParent(nRow, nCol, GVN_ENDLABELEDIT) >= 0) {
        SetModified(true, nRow, nCol);
        RedrawCell(nRow, nCol);
        return true;
    }
    SetCellText(nRow, nCol, old);
    return false;
}
