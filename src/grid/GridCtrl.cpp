#include "grid/GridCtrl.h"

#include "grid/InPlaceEditor.h"

#include "grid/SysColors.h"
#include "platform/FormatString.h"
#include "res/StringTable.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

const CRuntimeClass CGridCtrl::classCGridCtrl = {"CGridCtrl", nullptr, nullptr};

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : QAbstractScrollArea(parent), m_pRtcDefault(&CGridCell::classCGridCell)
{
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    m_nRowsPerWheelNotch = GetMouseScrollLines();
    ResetDefaultCells();
    m_crGridBkColour = m_crShadow;

    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setMouseTracking(true);
    // The paint pass paints every pixel of the client area.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(SB_VERT, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(SB_HORZ, action); });

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_crTTipBackClr = CLR_DEFAULT;
    m_crTTipTextClr = CLR_DEFAULT;
    SetupAfterAttach();
}

CGridCtrl::~CGridCtrl()
{
    StopAutoScroll();
    // A grid being destroyed reports nothing: its owner may be gone already.
    m_pOwner = nullptr;
    m_DropTarget.Revoke();
    // An open editor goes first, so that it reports to no grid being taken apart.
    for (QWidget* child : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (dynamic_cast<CInPlaceEditor*>(child))
            delete child;
    }
    DeleteAllCells();
}

std::unique_ptr<CGridCtrl> CGridCtrl::CreateObject()
{
    return std::make_unique<CGridCtrl>(0, 0, 0, 0);
}

bool CGridCtrl::SetupAfterAttach()
{
    HideTitleTip();
    return true;
}

int CGridCtrl::GetMouseScrollLines() const
{
    // The system's lines per wheel notch, 3 when it gives none.
    const int lines = QApplication::wheelScrollLines();
    return lines != 0 ? lines : 3;
}

void CGridCtrl::ResetDefaultCells()
{
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* cell : cells) {
        cell->SetGrid(this);
        cell->SetTextColour(m_crWindowText);
        cell->SetBackColour(cell == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool bFixedRow, bool bFixedCol) const
{
    auto* self = const_cast<CGridCtrl*>(this);
    if (bFixedRow && bFixedCol)
        return &self->m_cellFixedRowColDef;
    if (bFixedRow)
        return &self->m_cellFixedRowDef;
    if (bFixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

// ---- counts and sizes ----------------------------------------------------------------------

bool CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return false;
    if (nRows == m_nRows)
        return true;
    ForgetTopLeft();
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    const int addedRows = nRows - m_nRows;
    if (addedRows < 0 && !m_bVirtualMode) {
        for (int row = nRows; row < m_nRows; ++row) {
            for (int col = 0; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
        m_nRows = nRows;
    }
    m_arRowHeights.Resize(nRows, m_cellDefault.GetHeight());
    if (!m_bVirtualMode)
        m_RowData.resize(nRows);
    if (addedRows > 0) {
        const int startRow = nRows - addedRows;
        if (!m_bVirtualMode) {
            for (int row = startRow; row < nRows; ++row) {
                m_RowData[row] = std::make_unique<GRID_ROW>(m_nCols);
                for (int col = 0; col < m_nCols; ++col)
                    (*m_RowData[row])[col] = CreateCell(row, col);
                m_nRows = row + 1;
            }
        }
    }
    m_nRows = nRows;
    m_SelectedCells.Resize(m_nRows, m_nCols);
    SetModified();
    ResetScrollBars();
    Refresh();
    return true;
}

bool CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return false;
    if (nCols == m_nCols)
        return true;
    ForgetTopLeft();
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    const int addedCols = nCols - m_nCols;
    if (addedCols < 0 && !m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row)
            for (int col = nCols; col < m_nCols; ++col)
                DestroyCell(row, col);
    }
    m_arColWidths.Resize(nCols, m_cellFixedColDef.GetWidth());
    const int oldCols = m_nCols;
    if (!m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            GRID_ROW& rowData = *m_RowData[row];
            rowData.resize(nCols);
            for (int col = oldCols; col < nCols; ++col)
                rowData[col] = CreateCell(row, col);
        }
    }
    m_nCols = nCols;
    m_SelectedCells.Resize(m_nRows, m_nCols);
    SetModified();
    ResetScrollBars();
    Refresh();
    return true;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    return SetFixedCount(true, nFixedRows);
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    return SetFixedCount(false, nFixedCols);
}

bool CGridCtrl::SetFixedCount(bool rows, int count)
{
    if (count < 0)
        return false;
    if ((rows ? m_nFixedRows : m_nFixedCols) == count)
        return true;
    ResetSelectedRange();
    ForgetTopLeft();
    if (count > (rows ? m_nRows : m_nCols) && !(rows ? SetRowCount(count) : SetColumnCount(count)))
        return false;
    if ((rows ? m_idCurrentCell.row : m_idCurrentCell.col) < count)
        SetFocusCell(-1, -1);

    const int fixed = rows ? m_nFixedRows : m_nFixedCols;
    if (!m_bVirtualMode) {
        // The cells of the rows (columns) that become fixed or stop being fixed.
        const unsigned ownBit = rows ? GVIS_FIXEDROW : GVIS_FIXEDCOL;
        const int otherFixed = rows ? m_nFixedCols : m_nFixedRows;
        const int others = rows ? m_nCols : m_nRows;
        const bool growing = count > fixed;
        for (int i = std::min(fixed, count); i < std::max(fixed, count); ++i) {
            for (int j = 0; j < others; ++j) {
                const int row = rows ? i : j;
                const int col = rows ? j : i;
                const unsigned state = GetCellState(row, col);
                if (!growing && j < otherFixed) {
                    // Still fixed the other way: it only loses this way's bit.
                    SetCellState(row, col, state & ~ownBit);
                    continue;
                }
                SetCellState(row, col,
                             growing ? state | GVIS_FIXED | ownBit
                                     : state & ~(GVIS_FIXED | ownBit));
                SetCellTextColour(row, col, CLR_DEFAULT);
                SetCellBackColour(row, col, CLR_DEFAULT);
            }
        }
    }
    (rows ? m_nFixedRows : m_nFixedCols) = count;
    ResetScrollBars();
    Refresh();
    return true;
}

int CGridCtrl::InsertRow(const QString& heading, int nRow)
{
    if (nRow >= 0 && (nRow < m_nFixedRows || nRow >= m_nRows))
        return -1;
    ForgetTopLeft();
    ResetSelectedRange();
    if (m_nCols < 1)
        SetColumnCount(1);

    const int height = m_cellFixedRowDef.GetHeight();
    if (nRow < 0) {
        nRow = m_nRows;
        m_arRowHeights.Resize(m_nRows + 1, height);
        if (!m_bVirtualMode)
            m_RowData.push_back(std::make_unique<GRID_ROW>(m_nCols));
    } else {
        m_arRowHeights.Insert(nRow, height);
        if (!m_bVirtualMode)
            m_RowData.insert(m_RowData.begin() + nRow, std::make_unique<GRID_ROW>(m_nCols));
    }
    m_nRows++;
    m_SelectedCells.InsertRow(nRow);
    if (!m_bVirtualMode) {
        GRID_ROW& rowData = *m_RowData[nRow];
        for (int col = 0; col < m_nCols; ++col)
            rowData[col] = CreateCell(nRow, col);
    }

    // The heading's cell; its height when there is a heading.
    if (!heading.isEmpty()) {
        SetCellText(nRow, 0, heading);
        if (CGridCellBase* cell = GetCell(nRow, 0))
            m_arRowHeights.SetSize(nRow, cell->GetTextExtent(heading).cy);
    } else {
        SetCellText(nRow, 0, heading);
    }

    if (m_idCurrentCell.row != -1 && nRow <= m_idCurrentCell.row)
        m_idCurrentCell.row++;
    ResetScrollBars();
    SetModified();
    return nRow;
}

bool CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return false;
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        if (!m_RowData[nRow])
            return false;
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.Erase(nRow);
    m_nRows--;
    m_SelectedCells.EraseRow(nRow);
    if (nRow < m_nFixedRows)
        m_nFixedRows--;
    if (nRow == m_idCurrentCell.row)
        m_idCurrentCell = CCellID();
    else if (nRow < m_idCurrentCell.row)
        m_idCurrentCell.row--;
    ForgetTopLeft();
    ResetScrollBars();
    SetModified();
    return true;
}

bool CGridCtrl::DeleteAllCells()
{
    ResetSelectedRange();
    m_arRowHeights.Clear();
    m_arColWidths.Clear();
    if (!m_bVirtualMode) {
        for (int row = 0; row < int(m_RowData.size()); ++row) {
            if (!m_RowData[row])
                continue;
            for (int col = 0; col < int(m_RowData[row]->size()); ++col)
                DestroyCell(row, col);
        }
        m_RowData.clear();
    }
    m_idCurrentCell = CCellID();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_SelectedCells.Clear();
    m_SelectedCells.Resize(0, 0);
    ForgetTopLeft();
    ResetScrollBars();
    SetModified();
    return true;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return nRow >= 0 && nRow < m_nRows ? m_arRowHeights.GetSize(nRow) : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < m_nCols ? m_arColWidths.GetSize(nCol) : -1;
}

bool CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height < 0)
        return false;
    m_arRowHeights.SetSize(row, height);
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width < 0)
        return false;
    m_arColWidths.SetSize(col, width);
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetFixedRowsHeight() const
{
    return int(m_arRowHeights.Offset(m_nFixedRows));
}

int CGridCtrl::GetFixedColumnsWidth() const
{
    return int(m_arColWidths.Offset(m_nFixedCols));
}

int CGridCtrl::GetVirtualHeight() const
{
    return int(m_arRowHeights.Total());
}

int CGridCtrl::GetVirtualWidth() const
{
    return int(m_arColWidths.Total());
}

bool CGridCtrl::FitColumnWidth(int nCol, unsigned nAutoSizeStyle, bool bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) < 1)
        return false;
    m_arColWidths.SetSize(nCol, GetColumnExtent(nCol, nAutoSizeStyle));
    if (bResetScroll)
        ResetScrollBars();
    return true;
}

int CGridCtrl::GetColumnExtent(int nCol, unsigned nAutoSizeStyle)
{
    if (nCol < 0 || nCol >= m_nCols)
        return 0;
    if (nAutoSizeStyle == 0)
        nAutoSizeStyle = m_nAutoSizeColumnStyle;
    const int startRow = (nAutoSizeStyle & 0x1) ? 0 : m_nFixedRows;
    const int endRow = (nAutoSizeStyle & 0x2) ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange(startRow, nCol, endRow, nCol));
    int width = 0;
    for (int row = startRow; row <= endRow; ++row) {
        if (CGridCellBase* cell = GetCell(row, nCol))
            width = std::max(width, cell->GetCellExtent(nullptr).cx);
    }
    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange());
    return width;
}

bool CGridCtrl::FitRowHeight(int nRow, bool bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) < 1)
        return false;
    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange(nRow, 0, nRow, m_nCols - 1));
    int height = 0;
    for (int col = 0; col < m_nCols; ++col) {
        if (CGridCellBase* cell = GetCell(nRow, col))
            height = std::max(height, cell->GetCellExtent(nullptr).cy);
    }
    m_arRowHeights.SetSize(nRow, height);
    if (m_bVirtualMode)
        SendCacheHint(CCellIDRange());
    if (bResetScroll)
        ResetScrollBars();
    return true;
}

void CGridCtrl::EnableScrollBars(int nBar, bool bEnable)
{
    auto apply = [&](int bit, Qt::Orientation orientation) {
        if (bool(m_nBarState & bit) == bEnable)
            return;
        if (bEnable)
            m_nBarState |= bit;
        else
            m_nBarState &= ~bit;
        const Qt::ScrollBarPolicy policy = bEnable ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        if (orientation == Qt::Horizontal)
            setHorizontalScrollBarPolicy(policy);
        else
            setVerticalScrollBarPolicy(policy);
    };
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        apply(0x1, Qt::Horizontal);
    if (nBar == SB_VERT || nBar == SB_BOTH)
        apply(0x2, Qt::Vertical);
}

// ---- cells ----------------------------------------------------------------------------------

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return nullptr;
    if (m_bVirtualMode)
        return GetVirtualCell(nRow, nCol);
    const GRID_ROW* row = m_RowData[nRow].get();
    return row ? (*row)[nCol].get() : nullptr;
}

CGridCellBase* CGridCtrl::GetVirtualCell(int nRow, int nCol) const
{
    if (!m_pVirtualCell)
        m_pVirtualCell = std::make_unique<CGridCell>();
    const bool fixedRow = nRow < m_nFixedRows;
    const bool fixedCol = nCol < m_nFixedCols;
    const CGridDefaultCell* defaultCell = GetDefaultCell(fixedRow, fixedCol);

    GV_DISPINFO record;
    GRIDCELLITEM& item = record.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GVIF_ALL;
    item.nState = 0;
    item.nFormat = defaultCell->GetFormat();
    item.iImage = defaultCell->GetImage();
    item.crBkClr = defaultCell->GetBackColour();
    item.crFgClr = defaultCell->GetTextColour();
    item.lParam = defaultCell->GetData();
    if (const LOGFONT* font = defaultCell->GetFont())
        item.lfFont = *font;
    item.nMargin = defaultCell->GetMargin();
    if (IsCellSelected(nRow, nCol))
        item.nState |= GVIS_SELECTED;
    if (fixedRow)
        item.nState |= GVIS_FIXED | GVIS_FIXEDROW;
    if (fixedCol)
        item.nState |= GVIS_FIXED | GVIS_FIXEDCOL;
    if (CCellID(nRow, nCol) == m_idCurrentCell)
        item.nState |= GVIS_FOCUSED;

    if (m_pfnCallback)
        m_pfnCallback(&item, m_lParam);
    else
        RequestCellText(record);

    CGridCell& cell = *m_pVirtualCell;
    cell.SetState(item.nState);
    cell.SetFormat(item.nFormat);
    cell.SetImage(item.iImage);
    cell.SetBackColour(item.crBkClr);
    cell.SetTextColour(item.crFgClr);
    cell.SetData(item.lParam);
    cell.SetFont(&item.lfFont);
    cell.SetMargin(item.nMargin);
    cell.SetText(item.strText);
    cell.SetGrid(const_cast<CGridCtrl*>(this));
    return &cell;
}

std::unique_ptr<CGridCellBase> CGridCtrl::ReplaceCell(int nRow, int nCol,
                                                      std::unique_ptr<CGridCellBase> cell)
{
    if (m_bVirtualMode || !cell || nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols ||
        !m_RowData[nRow])
        return cell;
    cell->SetCoords(nRow, nCol);
    std::unique_ptr<CGridCellBase>& place = (*m_RowData[nRow])[nCol];
    // The old cell leaves the selection with its place; the new one takes the place's state.
    std::unique_ptr<CGridCellBase> old = std::move(place);
    place = std::move(cell);
    return old;
}

bool CGridCtrl::SetDefaultCellType(const CRuntimeClass* pRuntimeClass)
{
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(&CGridCellBase::classCGridCellBase))
        return false;
    m_pRtcDefault = pRuntimeClass;
    return true;
}

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(&CGridCellBase::classCGridCellBase))
        return nullptr;
    std::unique_ptr<CGridCellBase> cell = m_pRtcDefault->CreateObject();
    if (!cell)
        return nullptr;
    cell->SetGrid(this);
    cell->SetCoords(nRow, nCol);
    unsigned state = cell->GetState();
    if (nCol < m_nFixedCols)
        state |= GVIS_FIXED | GVIS_FIXEDCOL;
    if (nRow < m_nFixedRows)
        state |= GVIS_FIXED | GVIS_FIXEDROW;
    cell->SetState(state);
    if (const CGridDefaultCell* defaultCell = cell->GetDefaultCell())
        cell->SetFormat(defaultCell->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    SetCellState(nRow, nCol, 0);
    if (nRow < int(m_RowData.size()) && m_RowData[nRow] && nCol < int(m_RowData[nRow]->size()))
        (*m_RowData[nRow])[nCol].reset();
}

bool CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

bool CGridCtrl::IsValid(const CCellIDRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 &&
           range.GetMaxCol() >= 0 && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols &&
           range.GetMinRow() <= range.GetMaxRow() && range.GetMinCol() <= range.GetMaxCol();
}

bool CGridCtrl::IsCellFixed(int nRow, int nCol) const
{
    return nRow < m_nFixedRows || nCol < m_nFixedCols;
}

bool CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return IsEditable() && (GetCellState(nRow, nCol) & GVIS_READONLY) == 0;
}

bool CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (m_bVirtualMode)
        return m_SelectedCells.Contains(nRow, nCol);
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell && cell->IsSelected();
}

bool CGridCtrl::SetCellText(int nRow, int nCol, const QString& text)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetText(text);
    SetModified(true, nRow, nCol);
    return true;
}

bool CGridCtrl::SetCellTextFormat(int nRow, int nCol, unsigned stringId,
                                  std::initializer_list<QVariant> args)
{
    return SetCellText(nRow, nCol, FormatString(LoadString(stringId), args));
}

bool CGridCtrl::SetCellData(int nRow, int nCol, std::intptr_t data)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetData(data);
    SetModified(true, nRow, nCol);
    return true;
}

bool CGridCtrl::SetCellState(int nRow, int nCol, unsigned state)
{
    if (!IsValid(nRow, nCol))
        return false;
    const bool selected = IsCellSelected(nRow, nCol);
    if (selected && !(state & GVIS_SELECTED))
        m_SelectedCells.Erase(nRow, nCol);
    else if (!selected && (state & GVIS_SELECTED))
        m_SelectedCells.Insert(nRow, nCol);
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetState(state);
    return true;
}

namespace {
template <class Apply> bool ApplyToCell(CGridCtrl& grid, int row, int col, Apply apply)
{
    if (grid.GetVirtualMode())
        return false;
    CGridCellBase* cell = grid.GetCell(row, col);
    if (!cell)
        return false;
    apply(*cell);
    return true;
}
} // namespace

bool CGridCtrl::SetCellFormat(int nRow, int nCol, unsigned format)
{
    return ApplyToCell(*this, nRow, nCol, [&](CGridCellBase& cell) { cell.SetFormat(format); });
}

bool CGridCtrl::SetCellTextColour(int nRow, int nCol, COLORREF colour)
{
    return ApplyToCell(*this, nRow, nCol, [&](CGridCellBase& cell) { cell.SetTextColour(colour); });
}

bool CGridCtrl::SetCellBackColour(int nRow, int nCol, COLORREF colour)
{
    return ApplyToCell(*this, nRow, nCol, [&](CGridCellBase& cell) { cell.SetBackColour(colour); });
}

bool CGridCtrl::SetCellFont(int nRow, int nCol, const LOGFONT* logFont)
{
    return ApplyToCell(*this, nRow, nCol, [&](CGridCellBase& cell) { cell.SetFont(logFont); });
}

bool CGridCtrl::SetCellImage(int nRow, int nCol, int image)
{
    return ApplyToCell(*this, nRow, nCol, [&](CGridCellBase& cell) { cell.SetImage(image); });
}

QString CGridCtrl::GetCellText(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetText() : QString();
}

unsigned CGridCtrl::GetCellState(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetState() : 0;
}

unsigned CGridCtrl::GetCellFormat(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetFormat() : 0;
}

std::intptr_t CGridCtrl::GetCellData(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetData() : 0;
}

COLORREF CGridCtrl::GetCellTextColour(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetTextColour() : CLR_DEFAULT;
}

COLORREF CGridCtrl::GetCellBackColour(int nRow, int nCol) const
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetBackColour() : CLR_DEFAULT;
}

bool CGridCtrl::SetCellFromRecord(const GRIDCELLITEM* item)
{
    if (!item || m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(item->row, item->col);
    if (!cell)
        return false;
    SetModified(true, item->row, item->col);
    if (item->mask & GVIF_TEXT)
        cell->SetText(item->strText);
    if (item->mask & GVIF_PARAM)
        cell->SetData(item->lParam);
    if (item->mask & GVIF_IMAGE)
        cell->SetImage(item->iImage);
    if (item->mask & GVIF_STATE)
        SetCellState(item->row, item->col, item->nState);
    if (item->mask & GVIF_FORMAT)
        cell->SetFormat(item->nFormat);
    if (item->mask & GVIF_BKCLR)
        cell->SetBackColour(item->crBkClr);
    if (item->mask & GVIF_FGCLR)
        cell->SetTextColour(item->crFgClr);
    if (item->mask & GVIF_FONT)
        cell->SetFont(&item->lfFont);
    if (item->mask & GVIF_MARGIN)
        cell->SetMargin(item->nMargin);
    return true;
}

bool CGridCtrl::GetCellIntoRecord(GRIDCELLITEM* item) const
{
    if (!item)
        return false;
    const CGridCellBase* cell = GetCell(item->row, item->col);
    if (!cell)
        return false;
    if (item->mask & GVIF_TEXT)
        item->strText = GetCellText(item->row, item->col);
    if (item->mask & GVIF_PARAM)
        item->lParam = cell->GetData();
    if (item->mask & GVIF_IMAGE)
        item->iImage = cell->GetImage();
    if (item->mask & GVIF_STATE)
        item->nState = cell->GetState();
    if (item->mask & GVIF_FORMAT)
        item->nFormat = cell->GetFormat();
    if (item->mask & GVIF_BKCLR)
        item->crBkClr = cell->GetBackColour();
    if (item->mask & GVIF_FGCLR)
        item->crFgClr = cell->GetTextColour();
    if (item->mask & GVIF_FONT) {
        const LOGFONT* font = cell->GetFont();
        item->lfFont = font ? *font : LOGFONT();
    }
    if (item->mask & GVIF_MARGIN)
        item->nMargin = cell->GetMargin();
    return true;
}

// ---- merged cells ---------------------------------------------------------------------------

void CGridCtrl::MergeCells(int nStartRow, int nStartCol, int nEndRow, int nEndCol)
{
    const CCellIDRange range(nStartRow, nStartCol, nEndRow, nEndCol);
    if (!IsValid(range) || m_bVirtualMode)
        return;
    for (int row = nStartRow; row <= nEndRow; ++row)
        for (int col = nStartCol; col <= nEndCol; ++col)
            if (CGridCellBase* cell = GetCell(row, col))
                cell->SetShow(false);
    for (int row = nStartRow; row <= nEndRow; ++row) {
        for (int col = nStartCol; col <= nEndCol; ++col) {
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            if (row == nStartRow && col == nStartCol)
                cell->SetMergeRange(nStartRow, nStartCol, nEndRow, nEndCol);
            else
                cell->SetMergeCellID(nStartRow, nStartCol);
        }
    }
    Refresh();
}

CCellID CGridCtrl::GetMergedOwner(int nRow, int nCol) const
{
    if (!m_bVirtualMode) {
        if (const CGridCellBase* cell = GetCell(nRow, nCol)) {
            if (cell->IsMergeWithOthers())
                return cell->GetMergeCellID();
        }
    }
    return CCellID(nRow, nCol);
}

int CGridCtrl::GetMergedHeight(int nRow, int nCol) const
{
    const CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (cell && cell->IsMerged()) {
        const CCellIDRange range = cell->GetMergeRange();
        return int(m_arRowHeights.Span(range.GetMinRow(), range.GetMaxRow() + 1));
    }
    return GetRowHeight(nRow);
}

int CGridCtrl::GetMergedWidth(int nRow, int nCol) const
{
    const CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (cell && cell->IsMerged()) {
        const CCellIDRange range = cell->GetMergeRange();
        return int(m_arColWidths.Span(range.GetMinCol(), range.GetMaxCol() + 1));
    }
    return GetColumnWidth(nCol);
}

bool CGridCtrl::GetCellRect(int nRow, int nCol, CRect& rect) const
{
    const CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (cell && cell->IsMerged())
        return GetCellRangeRect(cell->GetMergeRange(), rect);
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, origin))
        return false;
    rect = CRect(origin.x, origin.y, origin.x + GetColumnWidth(nCol) - 1,
                 origin.y + GetRowHeight(nRow) - 1);
    return true;
}

bool CGridCtrl::GetCellTextRoom(int nRow, int nCol, CRect& rect, bool tip)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell || !GetCellRect(nRow, nCol, rect))
        return false;
    // As the paint hands the rectangle to the cell's Draw.
    if (!IsCellFixed(nRow, nCol))
        rect.DeflateRect(0, 0, 1, 1);
    cell->InsetForText(nRow, nCol, rect);
    return tip ? cell->GetTipTextRect(rect) : cell->GetTextRect(rect);
}

int CGridCtrl::ColumnWidthForText(const QFont& font, const QString& text, int margin)
{
    // The text with its fractions, as the drawing cuts it; the margins; two pixels for the
    // grid line and the focus frame of a cell of the scrolled area, or a heading's frame; and
    // the cell rectangle's last pixel column, which GetCellTextRoom leaves out.
    const int textWidth = int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
    return textWidth + 2 * margin + 3;
}

CPoint CGridCtrl::GetPointInCell(int nRow, int nCol, CPoint point) const
{
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, origin))
        return CPoint(0, 0);
    return point - origin;
}

CCellID CGridCtrl::GetCellFromPoint(CPoint point, bool bAllowFixedCellCheck) const
{
    CCellID cell;
    const CCellID topLeft = GetTopLeftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(topLeft))
        return topLeft;

    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    // Column.
    if (point.x < 0 || (!bAllowFixedCellCheck && point.x < fixedWidth)) {
        cell.col = -1;
    } else if (point.x < fixedWidth) {
        cell.col = m_arColWidths.IndexAt(point.x, 0);
        if (cell.col >= m_nFixedCols)
            cell.col = -1;
    } else if (topLeft.col < 0) {
        cell.col = -1;
    } else {
        const long long offset = point.x - fixedWidth + m_arColWidths.Offset(topLeft.col);
        cell.col = m_arColWidths.IndexAt(offset, topLeft.col);
    }
    // Row.
    if (point.y < 0 || (!bAllowFixedCellCheck && point.y < fixedHeight)) {
        cell.row = -1;
    } else if (point.y < fixedHeight) {
        cell.row = m_arRowHeights.IndexAt(point.y, 0);
        if (cell.row >= m_nFixedRows)
            cell.row = -1;
    } else if (topLeft.row < 0) {
        cell.row = -1;
    } else {
        const long long offset = point.y - fixedHeight + m_arRowHeights.Offset(topLeft.row);
        cell.row = m_arRowHeights.IndexAt(offset, topLeft.row);
    }
    if (cell.row < 0 || cell.col < 0)
        return cell;
    return GetMergedOwner(cell.row, cell.col);
}

CSize CGridCtrl::MeasureCellText(int nRow, int nCol, const QString& text)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetTextExtent(text) : CSize(0, 0);
}

void CGridCtrl::ClearCells(const CCellIDRange& selection)
{
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) > 0)
                ModifyCellText(row, col, QString());
        }
    }
    Refresh();
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCellRect(0, nCol);
}

// ---- modified flags, modes, colours ---------------------------------------------------------

void CGridCtrl::SetModified(bool bModified, int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortColumn)
        m_nSortColumn = -1;
    if (nRow < 0 || nCol < 0) {
        m_bModified = bModified;
    } else if (!m_bVirtualMode) {
        if (CGridCellBase* cell = GetCell(nRow, nCol)) {
            const unsigned state = cell->GetState();
            cell->SetState(bModified ? state | GVIS_MODIFIED : state & ~GVIS_MODIFIED);
            if (bModified)
                m_bModified = true;
        }
    }
    if (!m_bModified && !m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row)
            for (int col = 0; col < m_nCols; ++col)
                if (CGridCellBase* cell = GetCell(row, col))
                    cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
    }
}

bool CGridCtrl::GetModified(int nRow, int nCol) const
{
    if (nRow >= 0 && nCol >= 0)
        return (GetCellState(nRow, nCol) & GVIS_MODIFIED) != 0;
    return m_bModified;
}

void CGridCtrl::SetVirtualMode(bool bVirtual)
{
    DeleteAllCells();
    m_bVirtualMode = bVirtual;
    if (!bVirtual)
        m_pVirtualCell.reset();
}

void CGridCtrl::SetListMode(bool bEnableListMode)
{
    ClearSelection();
    m_bListMode = bEnableListMode;
    Refresh();
}

void CGridCtrl::EnableSelection(bool bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    ResetSelectedRange();
}

void CGridCtrl::SetRedraw(bool bAllowDraw, bool bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = true;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars)
        ResetScrollBars();
}

void CGridCtrl::SetTextColor(COLORREF colour)
{
    m_cellDefault.SetTextColour(colour);
}

void CGridCtrl::SetTextBkColor(COLORREF colour)
{
    m_cellDefault.SetBackColour(colour);
}

void CGridCtrl::SetFixedTextColor(COLORREF colour)
{
    m_cellFixedRowDef.SetTextColour(colour);
    m_cellFixedColDef.SetTextColour(colour);
    m_cellFixedRowColDef.SetTextColour(colour);
}

void CGridCtrl::SetFixedBkColor(COLORREF colour)
{
    m_cellFixedRowDef.SetBackColour(colour);
    m_cellFixedColDef.SetBackColour(colour);
    m_cellFixedRowColDef.SetBackColour(colour);
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::SetGridFont(const LOGFONT& logFont)
{
    m_cellDefault.SetFont(&logFont);
    m_cellFixedRowDef.SetFont(&logFont);
    m_cellFixedColDef.SetFont(&logFont);
    m_cellFixedRowColDef.SetFont(&logFont);
    Refresh();
}

const LOGFONT* CGridCtrl::GetGridFont() const
{
    return m_cellDefault.GetFont();
}
