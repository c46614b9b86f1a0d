#include "grid/GridCtrl.h"

#include <QApplication>

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
    // The cell may have gone while its editor was open.
    if (!IsValid(nRow, nCol))
        return;
    if (text != GetCellText(nRow, nCol))
        ApplyEditedText(nRow, nCol, text);
    if (CGridCellBase* cell = GetCell(nRow, nCol))
        cell->OnEndEdit();
}

bool CGridCtrl::ApplyEditedText(int nRow, int nCol, const QString& text)
{
    // The new text is in the cell while the cell and the owner judge it (the owner may read it),
    // but nothing is marked modified until both accept it.
    const QString old = GetCellText(nRow, nCol);
    if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol))
        cell->SetText(text);
    if (ValidateCellEdit(nRow, nCol, text) && NotifyParent(nRow, nCol, GVN_ENDLABELEDIT) >= 0) {
        SetModified(true, nRow, nCol);
        RedrawCell(nRow, nCol);
        return true;
    }
    if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol))
        cell->SetText(old);
    return false;
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

LRESULT CGridCtrl::OnChildNotify(NMHDR& header)
{
    if (header.idFrom == IDC_INPLACE_CONTROL && header.code == GVN_ENDLABELEDIT)
        OnEndInPlaceEdit(static_cast<GV_DISPINFO&>(header));
    return 0;
}

void CGridCtrl::OnEndInPlaceEdit(const GV_DISPINFO& record)
{
    const GRIDCELLITEM& item = record.item;
    // The editor knows the place its cell had when the edit began; rows or columns inserted
    // since have moved the cell on. (A cell deleted while edited closed its editor unheard.)
    const CCellID edited = FindEditedCell(CCellID(item.row, item.col));
    FinishCellEdit(edited.row, edited.col, item.strText);
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
        // Shift still held turns Tab back.
        const Qt::KeyboardModifiers shift =
            key.Key == Qt::Key_Tab ? QApplication::keyboardModifiers() & Qt::ShiftModifier
                                   : Qt::KeyboardModifiers();
        OnKeyDown(key.Key, shift);
        StartCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1),
                      unsigned(key.VirtualKey));
        return;
    }
}

CCellID CGridCtrl::FindEditedCell(const CCellID& start) const
{
    const auto editing = [this](int row, int col) {
        const CGridCellBase* cell = GetCell(row, col);
        return cell && cell->IsEditing();
    };
    if (editing(start.row, start.col) || m_bVirtualMode)
        return start;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (editing(row, col))
                return CCellID(row, col);
    return start;
}

bool CGridCtrl::ModifyCellText(int nRow, int nCol, const QString& text)
{
    if (!IsCellEditable(nRow, nCol) || NotifyParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0)
        return false;
    if (text == GetCellText(nRow, nCol))
        return true;
    return ApplyEditedText(nRow, nCol, text);
}
