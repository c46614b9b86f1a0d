#include "grid/GridCellBase.h"

#include "grid/DrawTextFormat.h"
#include "grid/GdiPaint.h"
#include "grid/GridCtrl.h"
#include "grid/SysColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QWidget>

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* current = this; current; current = current->m_pBaseClass)
        if (current == base)
            return true;
    return false;
}

std::unique_ptr<CGridCellBase> CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass CGridCellBase::classCGridCellBase = {"CGridCellBase", nullptr, nullptr};

CGridCellBase::CGridCellBase()
{
    CGridCellBase::Reset();
}

void CGridCellBase::Reset()
{
    m_nState = 0;
    m_MergeRange = CCellIDRange();
    m_IsMergeWithOthers = false;
    m_MergeCellID = CCellID();
    m_Hide = false;
}

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    const CGridCtrl* grid = GetGrid();
    if (!grid)
        return nullptr;
    return grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& other)
{
    if (this == &other)
        return *this;
    SetGrid(other.GetGrid());
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColour(other.GetTextColour());
    SetBackColour(other.GetBackColour());
    SetFont(other.IsDefaultFont() ? nullptr : other.GetFont());
    SetMargin(other.GetMargin());
    const CCellID mergeCell = other.GetMergeCellID();
    SetMergeCellID(mergeCell.row, mergeCell.col);
    const CCellIDRange range = other.GetMergeRange();
    SetMergeRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol());
    SetShow(other.IsShow());
    return *this;
}

void CGridCellBase::SetMergeCellID(int row, int col)
{
    m_MergeCellID = CCellID(row, col);
    m_IsMergeWithOthers = row != -1;
}

namespace {
// The image of the cell in the grid's list, or none.
const QImage* CellImage(const CGridCellBase& cell)
{
    const CGridCtrl* grid = cell.GetGrid();
    const std::vector<QImage>* images = grid ? grid->GetImageList() : nullptr;
    const int index = cell.GetImage();
    if (!images || index < 0 || index >= int(images->size()))
        return nullptr;
    return &(*images)[index];
}

// The raised look of a fixed cell: light edge at the top and left, dark at the right and bottom.
void DrawRaised(QPainter& painter, const CRect& rect)
{
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    DrawLine(painter, {rect.right, rect.top}, {rect.left, rect.top}, light);
    DrawLine(painter, {rect.left, rect.top}, {rect.left, rect.bottom}, light);
    DrawLine(painter, {rect.right, rect.top}, {rect.right, rect.bottom}, dark);
    DrawLine(painter, {rect.right, rect.bottom}, {rect.left, rect.bottom}, dark);
}

void DrawSortMark(QPainter& painter, const CGridCellBase& cell, CRect& rect, unsigned margin,
                  bool ascending)
{
    int size = painter.fontMetrics().height() - 4;
    if (size >= rect.Height())
        size = rect.Height() - 4;
    if (size <= 0)
        return;
    const LOGFONT* font = cell.GetFont();
    const bool vertical = font && font->lfEscapement == 900;
    if (size + rect.left >= rect.right + 2 * int(margin))
        return;
    const int base = rect.bottom - 2 - size;
    const int left = vertical ? (rect.right + rect.left - size) / 2 : rect.right - size;
    auto outline = [&](int shift, COLORREF colour) {
        const int x = left + shift;
        const int y = base + shift;
        CPoint apex, corner1, corner2;
        if (ascending) {
            apex = {x + size / 2, y};
            corner1 = {x, y + size};
            corner2 = {x + size, y + size};
        } else {
            apex = {x + size / 2, y + size};
            corner1 = {x, y};
            corner2 = {x + size, y};
        }
        DrawLine(painter, corner2, corner1, colour);
        DrawLine(painter, corner1, apex, colour);
        DrawLine(painter, apex, corner2, colour);
    };
    outline(1, GetSysColor(COLOR_3DHIGHLIGHT));
    outline(0, GetSysColor(COLOR_3DSHADOW));
    if (!vertical)
        rect.right -= size;
}
} // namespace

bool CGridCellBase::Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd)
{
    if (!IsShow() && !IsMerged())
        return true;
    CGridCtrl* grid = GetGrid();
    if (!grid || !painter || rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    CGridDefaultCell* defaultCell = GetDefaultCell();
    if (!defaultCell)
        return false;
    painter->save();

    COLORREF textColour =
        GetTextColour() == CLR_DEFAULT ? defaultCell->GetTextColour() : GetTextColour();
    COLORREF backColour = defaultCell->GetBackColour();
    if (GetBackColour() != CLR_DEFAULT) {
        backColour = GetBackColour();
        eraseBkgnd = true;
    }

    const bool gridLines = grid->GetGridLines() != GVL_NONE;
    if (IsFocused() || IsDropHighlighted()) {
        if (IsSelected()) {
            backColour = GetSysColor(COLOR_HIGHLIGHT);
            textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
            eraseBkgnd = true;
        }
        rect.right++;
        rect.bottom++;
        if (eraseBkgnd)
            FillRect(*painter, rect, backColour);
        if (gridLines) {
            rect.right--;
            rect.bottom--;
        }
        if (grid->GetFrameFocusCell())
            FrameRect(*painter, rect, textColour);
        if (!gridLines) {
            rect.right--;
            rect.bottom--;
        }
        rect.DeflateRect(0, 1, 1, 1);
    } else {
        CRect fill = rect;
        fill.InflateRect(0, 0, 1, 1);
        if (IsSelected()) {
            FillRect(*painter, fill, GetSysColor(COLOR_HIGHLIGHT));
            textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        } else if (eraseBkgnd) {
            FillRect(*painter, fill, backColour);
        }
    }

    if (IsFixed() && gridLines) {
        const CCellID focus = grid->GetFocusCell();
        if (grid->GetTrackFocusCell() && grid->IsValid(focus) &&
            (focus.row == row || focus.col == col)) {
            rect.right++;
            rect.bottom++;
            DrawSunkenEdge(*painter, rect);
            rect.DeflateRect(1);
        } else {
            DrawRaised(*painter, rect);
            rect.DeflateRect(1);
        }
    }

    painter->setFont(GetFontObject());
    QColor pen = ColorRefToQColor(textColour);
    painter->setPen(pen.isValid() ? pen : QColor(Qt::black));

    const int margin = int(GetMargin());
    rect.DeflateRect(margin, 0);

    if (const QImage* image = CellImage(*this)) {
        const int w = image->width();
        const int h = image->height();
        if (w + rect.left <= rect.right + 2 * margin && h + rect.top <= rect.bottom + 2 * margin)
            painter->drawImage(QPoint(rect.left, rect.top), *image);
    }

    if (row == 0 && col == grid->GetSortColumn())
        DrawSortMark(*painter, *this, rect, unsigned(margin), grid->GetSortAscending());

    GetTextRect(rect);
    const LOGFONT* logFont = GetFont();
    const int escapement = logFont ? logFont->lfEscapement : 0;
    if (escapement == 900 || escapement == -900) {
        // Vertical text: laid out along the rectangle's height, reading upwards (900) or
        // downwards (-900).
        painter->translate(escapement == 900 ? rect.left : rect.right,
                           escapement == 900 ? rect.bottom : rect.top);
        painter->rotate(escapement == 900 ? -90 : 90);
        CRect turned(0, 0, rect.Height(), rect.Width());
        DrawText(*painter, GetText(), turned, GetFormat() | DT_NOPREFIX);
    } else {
        DrawText(*painter, GetText(), rect, GetFormat() | DT_NOPREFIX);
    }

    painter->restore();
    return true;
}

bool CGridCellBase::PrintCell(QPainter* dc, int row, int col, CRect rect)
{
    if (!IsShow() && !IsMerged())
        return true;
    CGridCtrl* grid = GetGrid();
    if (!grid || !dc || rect.IsRectEmpty())
        return false;
    dc->save();

    // The border: the rectangle grown by one, outlined in black and filled white.
    CRect border = rect;
    border.InflateRect(1);
    FillRect(*dc, border, 0xFFFFFF);
    FrameRect(*dc, border, 0x000000);

    COLORREF textColour = 0x000000;
    if (grid->GetShadedPrintOut()) {
        const CGridDefaultCell* defaultCell = GetDefaultCell();
        if (!defaultCell) {
            dc->restore();
            return false;
        }
        COLORREF backColour = CLR_DEFAULT;
        if (IsFixed())
            backColour =
                GetBackColour() == CLR_DEFAULT ? defaultCell->GetBackColour() : GetBackColour();
        else if (GetBackColour() != CLR_DEFAULT && GetBackColour() != defaultCell->GetBackColour())
            backColour = GetBackColour();
        textColour =
            GetTextColour() == CLR_DEFAULT ? defaultCell->GetTextColour() : GetTextColour();
        // A two-colour printer prints a text without fill in its darkened colour.
        if (dc->device() && dc->device()->depth() == 1 && backColour == CLR_DEFAULT)
            textColour = RGB(int(GetRValue(textColour) * 0.30), int(GetGValue(textColour) * 0.59),
                             int(GetBValue(textColour) * 0.11));
        if (backColour != CLR_DEFAULT) {
            CRect fill = rect;
            fill.InflateRect(0, 0, 1, 1);
            FillRect(*dc, fill, backColour);
        }
    }
    const QColor pen = ColorRefToQColor(textColour);
    dc->setPen(pen.isValid() ? pen : QColor(Qt::black));
    dc->setFont(GetFontObject());

    if (IsFixed() && grid->GetGridLines() != GVL_NONE) {
        DrawRaised(*dc, rect);
        rect.DeflateRect(1);
    }
    const int margin = int(GetMargin());
    rect.DeflateRect(margin, 0);
    if (const QImage* image = CellImage(*this)) {
        dc->drawImage(QPoint(rect.left, rect.top), *image);
        rect.left += image->width() - 1 + margin;
    }
    DrawText(*dc, GetText(), rect, GetFormat() | DT_NOPREFIX);
    dc->restore();
    return true;
}

void CGridCellBase::InsetForText(int row, int col, CRect& rect) const
{
    // The steps of Draw, without the painting.
    const CGridCtrl* grid = GetGrid();
    const bool gridLines = grid && grid->GetGridLines() != GVL_NONE;
    if (IsFocused() || IsDropHighlighted())
        rect.DeflateRect(0, 1, 1, 1);
    if (grid && IsFixed() && gridLines) {
        const CCellID focus = grid->GetFocusCell();
        if (grid->GetTrackFocusCell() && grid->IsValid(focus) &&
            (focus.row == row || focus.col == col)) {
            rect.right++;
            rect.bottom++;
        }
        rect.DeflateRect(1);
    }
    rect.DeflateRect(int(GetMargin()), 0);
}

bool CGridCellBase::GetTextRect(CRect& rect)
{
    if (const QImage* image = CellImage(*this))
        rect.left += image->width() + int(GetMargin());
    return true;
}

CSize CGridCellBase::GetTextExtent(const QString& text, QPainter* painter)
{
    CGridDefaultCell* defaultCell = GetDefaultCell();
    if (text.isEmpty()) {
        if (defaultCell)
            return {defaultCell->GetWidth(), defaultCell->GetHeight()};
        return {};
    }
    const QFont font = GetFontObject();
    const QFontMetrics metrics =
        painter ? QFontMetrics(font, painter->device()) : QFontMetrics(font);
    const unsigned format = GetFormat();
    CSize size;
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        CRect rect(0, 0, widest + 1, 0);
        CalcTextRect(metrics, text, rect, format | DT_CALCRECT);
        size = rect.Size();
    } else {
        size = {metrics.horizontalAdvance(text), metrics.height()};
    }
    const int margin = int(GetMargin());
    size.cx += 4 * margin;
    size.cy += 2 * margin;
    const LOGFONT* logFont = GetFont();
    if (logFont && (logFont->lfEscapement == 900 || logFont->lfEscapement == -900)) {
        std::swap(size.cx, size.cy);
        size.cy += 4 * margin;
    }
    return size;
}

CSize CGridCellBase::GetCellExtent(QPainter* painter)
{
    CSize size = GetTextExtent(GetText(), painter);
    if (const QImage* image = CellImage(*this)) {
        size.cx += image->width();
        size.cy = std::max(size.cy, image->height());
    }
    return size;
}

bool CGridCellBase::OnSetCursor(QWidget* widget)
{
    if (widget)
        widget->setCursor(Qt::ArrowCursor);
    return true;
}
