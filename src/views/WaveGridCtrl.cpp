#include "views/WaveGridCtrl.h"

#include "grid/GdiPaint.h"
#include "views/ReconColours.h"
#include "views/ViewClock.h"

#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

const QString CWaveGridCtrl::kQuestionFormat = QStringLiteral("PelkoQuestion");
const QString CWaveGridCtrl::kResponseFormat = QStringLiteral("PelkoModality");

namespace {

// The format of a kind; any other kind drags plain text.
QString DragFormatOf(int kind)
{
    switch (kind) {
    case CWaveGridCtrl::QuestionGrid:
        return CWaveGridCtrl::kQuestionFormat;
    case CWaveGridCtrl::ResponseGrid:
        return CWaveGridCtrl::kResponseFormat;
    default:
        return QStringLiteral("text/plain");
    }
}

qint64 Now()
{
    return GetViewClock().MonotonicMilliseconds();
}

} // namespace

COLORREF BlendColour(qint64 start, qint64 now, COLORREF from, COLORREF to)
{
    qint64 percent = (now - start) * 100 / kHighlightDuration;
    if (percent >= 100)
        percent = 100;
    const auto channel = [percent](int a, int b) { return int(a + (b - a) * percent / 100); };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

// Grid ------------------------------------------------------------------------------------------

CWaveGridCtrl::CWaveGridCtrl(int kind, QWidget* parent)
    : CGridCtrl(0, 0, 0, 0, parent), m_nDragFormat(DragFormatOf(kind))
{
    // The one-pixel frame drawn with the cells stands in for the sunken edge.
    setFrameShape(QFrame::NoFrame);
    SetDefaultCellType(&CWaveGridCell::classCWaveGridCell);
    GetDefaultCell(true, true)->SetBackColour(recon_colours::HeadingBack);
    GetDefaultCell(true, false)->SetBackColour(recon_colours::HeadingBack);
    GetDefaultCell(false, true)->SetBackColour(recon_colours::HeadingBack);
    GetDefaultCell(false, false)->SetBackColour(recon_colours::CellBack);
    SetGridBkColor(recon_colours::HeadingBack);
}

CCellID CWaveGridCtrl::SetFocusCellNotify(int row, int col)
{
    const CCellID previous = SetFocusCell(row, col);
    NotifyParent(row, col, GVN_SELCHANGED);
    return previous;
}

void CWaveGridCtrl::SelectCell(int row, int col, bool forceRedraw, bool selectCells)
{
    if (!IsSelectable() || !IsValid(row, col) || row < GetFixedRowCount() ||
        col < GetFixedColumnCount())
        return;
    if (m_bSingleCellSelect)
        SetSelectedRange(row, col, row, col, forceRedraw, selectCells);
}

void CWaveGridCtrl::SetForcedCursor(std::optional<Qt::CursorShape> shape)
{
    m_forcedCursor = shape;
    viewport()->setCursor(shape.value_or(Qt::ArrowCursor));
}

int CWaveGridCtrl::GetBodyRowsHeight() const
{
    return GetVirtualHeight() - GetFixedRowsHeight();
}

void CWaveGridCtrl::ResetDataRows(int count)
{
    ClearSelection();
    const int fixedRows = GetFixedRowCount();
    const int fixedCols = GetFixedColumnCount();
    const int rows = fixedRows + std::max(0, count);
    if (GetRowCount() > rows)
        SetRowCount(rows);
    const int height = GetDefaultCell(false, false)->GetHeight();
    for (int row = fixedRows; row < GetRowCount(); ++row) {
        SetRowHeight(row, height);
        for (int col = 0; col < GetColumnCount(); ++col) {
            if (CGridCellBase* cell = GetCell(row, col)) {
                cell->Reset();
                cell->SetState(col < fixedCols ? GVIS_FIXED | GVIS_FIXEDCOL : 0);
            }
        }
    }
    SetRowCount(rows);
}

QSize CWaveGridCtrl::GetClientSize() const
{
    const int frame = 2 * frameWidth();
    const auto shown = [this](const QScrollBar* bar, Qt::ScrollBarPolicy policy) {
        return policy == Qt::ScrollBarAlwaysOn ||
                       (policy != Qt::ScrollBarAlwaysOff && bar->isVisible())
                   ? ScrollBarExtent()
                   : 0;
    };
    return QSize(
        std::max(0, width() - frame - shown(verticalScrollBar(), verticalScrollBarPolicy())),
        std::max(0, height() - frame - shown(horizontalScrollBar(), horizontalScrollBarPolicy())));
}

void CWaveGridCtrl::SwapRowCells(int rowA, int rowB, int firstCol, int lastCol)
{
    if (rowA == rowB || GetVirtualMode() || firstCol > lastCol || !IsValid(rowA, firstCol) ||
        !IsValid(rowA, lastCol) || !IsValid(rowB, firstCol))
        return;
    // The place of the first cell while it is out; made once for all columns.
    std::unique_ptr<CGridCellBase> spare;
    for (int col = firstCol; col <= lastCol; ++col) {
        if (!GetCell(rowA, col) || !GetCell(rowB, col))
            continue;
        if (!spare)
            spare = CreateCell(rowA, col);
        if (!spare)
            return;
        // The selection is kept by place as well as in the cells: both leave it, and each cell
        // takes its own state back in its new place. The focus bit stays with the place.
        const unsigned stateA = GetCellState(rowA, col);
        const unsigned stateB = GetCellState(rowB, col);
        SetCellState(rowA, col, stateA & ~GVIS_SELECTED);
        SetCellState(rowB, col, stateB & ~GVIS_SELECTED);
        std::unique_ptr<CGridCellBase> cellA = ReplaceCell(rowA, col, std::move(spare));
        std::unique_ptr<CGridCellBase> cellB = ReplaceCell(rowB, col, std::move(cellA));
        spare = ReplaceCell(rowA, col, std::move(cellB));
        SetCellState(rowA, col, (stateB & ~GVIS_FOCUSED) | (stateA & GVIS_FOCUSED));
        SetCellState(rowB, col, (stateA & ~GVIS_FOCUSED) | (stateB & GVIS_FOCUSED));
    }
}

// Drag and drop ---------------------------------------------------------------------------------

void CWaveGridCtrl::StartDrag()
{
    const CCellID focus = GetFocusCell();
    if (NotifyParent(focus.row, focus.col, WGN_BEGINDRAGQUERY) < 0) {
        m_cellDragSource = CCellID();
        return;
    }
    m_cellDragSource = focus;
    CGridCtrl::StartDrag();
}

std::unique_ptr<QMimeData> CWaveGridCtrl::MakeDragDataSource()
{
    // Only a marker: the owner knows what is dragged from the source cell.
    auto data = std::make_unique<QMimeData>();
    data->setData(m_nDragFormat, QByteArray(1, '\0'));
    return data;
}

DROPEFFECT CWaveGridCtrl::OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                      CPoint point)
{
    SetLastDragOverCell(CCellID());
    return OnDragOver(data, keyState, point);
}

DROPEFFECT CWaveGridCtrl::OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                     CPoint point)
{
    if (!GetDragAndDrop() || !IsEditable() || !data || !data->hasFormat(m_nDragFormat))
        return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPoint(point, false);
    if (!IsValid(cell)) {
        OnDragLeave();
        SetLastDragOverCell(CCellID());
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (NotifyParent(cell.row, cell.col, WGN_DRAGOVERQUERY) < 0)
        return DROPEFFECT_NONE;
    const CCellID last = GetLastDragOverCell();
    if (cell != last) {
        if (IsValid(last)) {
            SetCellState(last.row, last.col, GetCellState(last.row, last.col) & ~GVIS_DROPHILITED);
            RedrawCell(last.row, last.col);
        }
        SetLastDragOverCell(cell);
        SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return DropEffectOf(keyState);
}

void CWaveGridCtrl::OnDragLeave()
{
    NotifyParent(m_cellDragSource.row, m_cellDragSource.col, WGN_DRAGLEAVE);
    CGridCtrl::OnDragLeave();
}

bool CWaveGridCtrl::OnDrop(const QMimeData* data, DROPEFFECT dropEffect, CPoint point)
{
    const bool dropped = CGridCtrl::OnDrop(data, dropEffect, point);
    NotifyParent(m_cellDragSource.row, m_cellDragSource.col, WGN_DROPPED);
    return dropped;
}

// Mouse and painting ----------------------------------------------------------------------------

void CWaveGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // A context menu then acts on the clicked cell.
        const CCellID cell = GetCellFromPoint(CPoint(event->position().toPoint()));
        if (IsValid(cell))
            SetSelectedRange(cell.row, cell.col, cell.row, cell.col, false, true);
        else
            SetSelectedRange(-1, -1, -1, -1, false, true);
    }
    CGridCtrl::mouseReleaseEvent(event);
}

void CWaveGridCtrl::DrawGrid(QPainter& painter, const CRect& clipBox)
{
    if (!m_bBorderColourRead) {
        m_crBorder = ReadEditBorderColour(this);
        m_bBorderColourRead = true;
    }
    CGridCtrl::DrawGrid(painter, clipBox);
    if (!GetRedraw())
        return;
    const QRect client = viewport()->rect();
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ReconQColor(m_crBorder));
    painter.drawRect(client.adjusted(0, 0, -1, -1));
    painter.restore();
}

// Cell ------------------------------------------------------------------------------------------

const CRuntimeClass CWaveGridCell::classCWaveGridCell = {
    "CWaveGridCell", &CGridCell::classCGridCell, &MakeCell<CWaveGridCell>};

void CWaveGridCell::Reset()
{
    CGridCell::Reset();
    m_clockStart.reset();
    m_crFrom = CLR_DEFAULT;
    m_crTo = CLR_DEFAULT;
}

void CWaveGridCell::StartHighlight(COLORREF from, COLORREF to)
{
    m_crFrom = from;
    m_crTo = to;
    m_clockStart = Now();
    SetBackColour(to);
    if (CGridCtrl* grid = GetGrid())
        grid->Refresh();
}

void CWaveGridCell::StopHighlight()
{
    m_clockStart.reset();
}

bool CWaveGridCell::IsHighlighting() const
{
    return m_clockStart && Now() - *m_clockStart < kHighlightDuration;
}

COLORREF CWaveGridCell::GetBackColour() const
{
    if (IsHighlighting())
        return BlendColour(*m_clockStart, Now(), m_crFrom, m_crTo);
    return CGridCell::GetBackColour();
}

bool CWaveGridCell::Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd)
{
    CGridCtrl* grid = GetGrid();
    const std::vector<QImage>* images = grid ? grid->GetImageList() : nullptr;
    const bool imageOnly =
        m_nImage >= 0 && m_strText.isEmpty() && images && m_nImage < int(images->size());
    bool drawn = false;
    if (imageOnly) {
        // The cell is drawn without its image, which then goes in the middle of the cell.
        const int image = m_nImage;
        m_nImage = -1;
        drawn = CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
        m_nImage = image;
        const QImage& picture = (*images)[size_t(image)];
        const QRect area = rect.ToQRect();
        if (drawn && picture.width() <= area.width() && picture.height() <= area.height()) {
            painter->save();
            painter->setClipRect(area);
            painter->drawImage(area.left() + (area.width() - picture.width()) / 2,
                               area.top() + (area.height() - picture.height()) / 2, picture);
            painter->restore();
        }
    } else {
        drawn = CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
    }
    if (grid && IsHighlighting() && col == grid->GetColumnCount() - 1)
        grid->Refresh();
    return drawn;
}

bool CWaveGridCell::OnSetCursor(QWidget* widget)
{
    const auto* grid = dynamic_cast<const CWaveGridCtrl*>(GetGrid());
    if (grid && widget && grid->GetForcedCursor()) {
        widget->setCursor(*grid->GetForcedCursor());
        return true;
    }
    return CGridCell::OnSetCursor(widget);
}
