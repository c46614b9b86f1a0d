#include "grid/GridPrint.h"

#include "grid/DrawTextFormat.h"
#include "grid/GdiPaint.h"
#include "grid/GridCtrl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <ctime>

namespace {
// a * b / c rounded to the nearest integer (halves away from zero); 0 for c = 0.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return int(std::lround(double(a) * double(b) / double(c)));
}

// The logical window of the printer page: the page in grid pixels, with its origin.
void SetWindowOrigin(QPainter& dc, int x, int y, CSize logicalPage)
{
    dc.setWindow(x, y, logicalPage.cx, logicalPage.cy);
}

// The date and time in the C library's "%c" form of the user's locale.
QString LocaleDateTime(const QDateTime& when)
{
    const std::time_t seconds = std::time_t(when.toSecsSinceEpoch());
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%c", &local);
    return QString::fromLocal8Bit(buffer, qsizetype(length));
}

constexpr unsigned BandFormat = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;

// The header and the footer: the printer font in bold, in black.
void SetBandFont(QPainter& dc, const QFont& printerFont)
{
    QFont bold = printerFont;
    bold.setWeight(QFont::Bold);
    dc.setFont(bold);
    dc.setPen(Qt::black);
}
} // namespace

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                   int nRightMargin, int nTopMargin, int nBottomMargin, int nGap)
{
    const auto keep = [](int& member, int value) {
        if (value >= 0)
            member = value;
    };
    keep(m_nHeaderHeight, nHeaderHeight);
    keep(m_nFooterHeight, nFooterHeight);
    keep(m_nLeftMargin, nLeftMargin);
    keep(m_nRightMargin, nRightMargin);
    keep(m_nTopMargin, nTopMargin);
    keep(m_nBottomMargin, nBottomMargin);
    keep(m_nGap, nGap);
}

void CGridCtrl::OnBeginPrinting(QPainter* dc, CPrintInfo* info)
{
    if (!dc || !info || !dc->device())
        return;
    const QPaintDevice& paper = *dc->device();
    dc->save();

    // A 10-unit Arial (or the system's sans-serif face), measured on the printer.
    m_PrinterFont = QFont(QStringLiteral("Arial"));
    m_PrinterFont.setStyleHint(QFont::SansSerif);
    m_PrinterFont.setPixelSize(10);
    m_PrinterFont.setWeight(QFont::Normal);
    dc->setFont(m_PrinterFont);
    const QFontMetrics metrics = dc->fontMetrics();
    const QString alphabet =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
    m_CharSize = CSize(metrics.horizontalAdvance(alphabet.left(52)) / 52, metrics.height());
    const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

    m_PaperSize = CSize(paper.width(), paper.height());
    if (m_bWysiwygPrinting) {
        // At screen scale: the paper's inches in screen pixels, three quarters of them.
        m_LogicalPageSize.cx = logicalDpiX() * m_PaperSize.cx / paper.logicalDpiX() * 3 / 4;
        m_LogicalPageSize.cy = logicalDpiY() * m_PaperSize.cy / paper.logicalDpiY() * 3 / 4;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + marginWidth;
        m_LogicalPageSize.cy = MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);
    }

    m_nPageHeight = m_LogicalPageSize.cy - GetFixedRowsHeight() -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy;
    m_nNumPages = 1;
    int total = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        total += GetRowHeight(row);
        if (total > m_nPageHeight) {
            ++m_nNumPages;
            total = GetRowHeight(row);
        }
    }

    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnsWidth() - marginWidth;
    m_nPageMultiplier = 1;
    if (m_bWysiwygPrinting) {
        total = 0;
        for (int col = m_nFixedCols; col < m_nCols; ++col) {
            total += GetColumnWidth(col);
            if (total > m_nPageWidth) {
                ++m_nPageMultiplier;
                total = GetColumnWidth(col);
            }
        }
        m_nNumPages *= m_nPageMultiplier;
    }

    info->SetMaxPage(unsigned(m_nNumPages));
    info->m_nCurPage = 1;
    dc->restore();
}

void CGridCtrl::OnPrint(QPainter* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    dc->save();
    dc->setFont(m_PrinterFont);
    // The page in grid pixels over the paper's pixels; the window origin moves the drawing.
    dc->setViewport(0, 0, m_PaperSize.cx, m_PaperSize.cy);
    int originX = -m_nLeftMargin * m_CharSize.cx;
    int originY = 0;
    SetWindowOrigin(*dc, originX, originY, m_LogicalPageSize);

    const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    info->m_rectDraw =
        CRect(0, 0, m_LogicalPageSize.cx - marginWidth, m_nHeaderHeight * m_CharSize.cy);
    PrintHeader(dc, info);
    const int fixedHeight = GetFixedRowsHeight();
    const int fixedWidth = GetFixedColumnsWidth();
    originY -= (m_nHeaderHeight + m_nGap) * m_CharSize.cy + fixedHeight;
    SetWindowOrigin(*dc, originX, originY, m_LogicalPageSize);

    // The page's band of rows (1-based) and its part across the band (0-based).
    const int page = int(info->m_nCurPage);
    const int band = page / m_nPageMultiplier + (page % m_nPageMultiplier ? 1 : 0);
    const int part = (page % m_nPageMultiplier ? page % m_nPageMultiplier : m_nPageMultiplier) - 1;

    m_nCurrPrintRow = m_nFixedRows;
    int total = 0;
    for (int count = 1; count < band && m_nCurrPrintRow < m_nRows;) {
        total += GetRowHeight(m_nCurrPrintRow);
        if (total > m_nPageHeight) {
            if (++count == band)
                break;
            total = GetRowHeight(m_nCurrPrintRow);
        }
        ++m_nCurrPrintRow;
    }
    m_nCurrPrintCol = m_nFixedCols;
    for (int i = 0; i < part; ++i) {
        total = 0;
        for (int col = m_nCurrPrintCol; col < m_nCols; ++col) {
            total += GetColumnWidth(col);
            if (total > m_nPageWidth) {
                m_nCurrPrintCol = col;
                break;
            }
        }
    }

    PrintRowButtons(dc, info);

    // The headings over the page's columns, with the fixed corner.
    info->m_rectDraw.bottom = fixedHeight;
    originY += fixedHeight;
    SetWindowOrigin(*dc, originX, originY, m_LogicalPageSize);
    m_nPageWidth += fixedWidth;
    if (part == 0) {
        m_nCurrPrintCol = 0;
        PrintColumnHeadings(dc, info);
        m_nCurrPrintCol = m_nFixedCols;
    } else {
        PrintColumnHeadings(dc, info);
    }
    m_nPageWidth -= fixedWidth;
    originX -= fixedWidth;
    originY -= fixedHeight;
    SetWindowOrigin(*dc, originX, originY, m_LogicalPageSize);

    if (m_nCurrPrintRow >= m_nRows) {
        dc->restore();
        return;
    }

    // Where the white below the last row starts.
    int blankFrom = -1;
    for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
        const int top = blankFrom + 1;
        const int bottom = top + GetRowHeight(row) - 1;
        if (bottom > m_nPageHeight) {
            blankFrom = top;
            break;
        }
        blankFrom = bottom;
    }

    CRect rect;
    rect.bottom = -1;
    for (; m_nCurrPrintRow < m_nRows; ++m_nCurrPrintRow) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(m_nCurrPrintRow) - 1;
        if (rect.bottom > m_nPageHeight)
            break;
        rect.right = -1;
        for (int col = m_nCurrPrintCol; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > m_nPageWidth)
                break;
            PrintCellAt(dc, m_nCurrPrintRow, col, rect);
        }
    }

    FillRect(*dc, CRect(0, blankFrom + 1, m_LogicalPageSize.cx, m_LogicalPageSize.cy), 0xFFFFFF);

    info->m_rectDraw.bottom = m_nFooterHeight * m_CharSize.cy;
    SetWindowOrigin(*dc, -m_nLeftMargin * m_CharSize.cx,
                    m_nFooterHeight * m_CharSize.cy - m_LogicalPageSize.cy, m_LogicalPageSize);
    PrintFooter(dc, info);
    dc->restore();
}

void CGridCtrl::OnEndPrinting(QPainter*, CPrintInfo*)
{
    m_PrinterFont = QFont();
}

void CGridCtrl::PrintCellAt(QPainter* dc, int row, int col, const CRect& rect)
{
    CGridCellBase* cell = GetCell(row, col);
    if (!cell)
        return;
    if (cell->IsMerged()) {
        // The merged area as on the screen, moved to the cell's place on the page.
        CRect area;
        if (!GetCellRangeRect(cell->GetMergeRange(), area))
            return;
        area.OffsetRect(rect.left - area.left, rect.top - area.top);
        cell->PrintCell(dc, row, col, area);
    } else if (cell->IsShow() || !cell->IsMergeWithOthers()) {
        cell->PrintCell(dc, row, col, rect);
    }
}

void CGridCtrl::PrintColumnHeadings(QPainter* dc, CPrintInfo*)
{
    dc->save();
    dc->setFont(m_PrinterFont);
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        bool first = true;
        if (m_nCurrPrintCol >= m_nFixedCols)
            PrintFixedRowCells(0, m_nFixedCols, row, rect, dc, first);
        PrintFixedRowCells(m_nCurrPrintCol, m_nCols, row, rect, dc, first);
    }
    dc->restore();
}

void CGridCtrl::PrintFixedRowCells(int nStartColumn, int nStopColumn, int row, CRect& rect,
                                   QPainter* dc, bool& bFirst)
{
    // The first span of a row starts at x 0; a later one goes on where the previous ended.
    if (bFirst) {
        rect.right = -1;
        bFirst = false;
    }
    for (int col = nStartColumn; col < nStopColumn; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        if (rect.right > m_nPageWidth)
            break;
        PrintCellAt(dc, row, col, rect);
    }
}

void CGridCtrl::PrintRowButtons(QPainter* dc, CPrintInfo*)
{
    dc->save();
    dc->setFont(m_PrinterFont);
    const bool horizontal = m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ;
    const bool vertical = m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT;
    constexpr COLORREF Pen = 0x000000;
    bool firstCell = true;
    CRect rect;
    rect.right = -1;
    for (int col = 0; col < m_nFixedCols; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        rect.bottom = -1;
        for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (rect.bottom > m_nPageHeight)
                break;
            PrintCellAt(dc, row, col, rect);
            const int left = col == 0 ? rect.left : rect.left - 1;
            const int top = row == 0 ? rect.top : rect.top - 1;
            if (horizontal) {
                DrawLine(*dc, {left, rect.bottom}, {rect.right, rect.bottom}, Pen);
                if (firstCell)
                    DrawLine(*dc, {left, rect.top - 1}, {rect.right, rect.top - 1}, Pen);
            }
            if (vertical) {
                DrawLine(*dc, {rect.right, top}, {rect.right, rect.bottom}, Pen);
                if (col == 0)
                    DrawLine(*dc, {rect.left, top}, {rect.left, rect.bottom}, Pen);
            }
            firstCell = false;
        }
    }
    dc->restore();
}

void CGridCtrl::PrintHeader(QPainter* dc, CPrintInfo* info)
{
    const QString title = QGuiApplication::applicationDisplayName();
    // The nearest window above the grid that has a title names the print-out.
    QString caption;
    for (const QWidget* ancestor = parentWidget(); ancestor && caption.isEmpty();
         ancestor = ancestor->parentWidget())
        caption = ancestor->windowTitle();

    dc->save();
    SetBandFont(*dc, m_PrinterFont);
    CRect rect = info->m_rectDraw;
    if (!caption.isEmpty())
        DrawText(*dc, caption, rect, DT_CENTER | BandFormat);
    if (!title.isEmpty())
        DrawText(*dc, title, rect, DT_RIGHT | BandFormat);
    dc->restore();
    DrawLine(*dc, {rect.left, rect.bottom}, {rect.right, rect.bottom}, 0x000000);
}

void CGridCtrl::PrintFooter(QPainter* dc, CPrintInfo* info)
{
    const QString left =
        QStringLiteral("Page %1 of %2").arg(info->m_nCurPage).arg(info->GetMaxPage());
    const QString right =
        LocaleDateTime(m_PrintClock ? m_PrintClock() : QDateTime::currentDateTime());
    CRect rect = info->m_rectDraw;
    DrawLine(*dc, {rect.left, rect.top}, {rect.right, rect.top}, 0x000000);
    dc->save();
    SetBandFont(*dc, m_PrinterFont);
    if (!left.isEmpty())
        DrawText(*dc, left, rect, DT_LEFT | BandFormat);
    if (!right.isEmpty())
        DrawText(*dc, right, rect, DT_RIGHT | BandFormat);
    dc->restore();
}

// ---- print jobs -----------------------------------------------------------------------------

namespace {
// Begin printing, the pages from the first to the last (newPage turns to the next one; false
// stops the job), end printing. Returns the pages printed.
template <class NewPage> int RunPrintJob(CGridCtrl& grid, QPainter& painter, NewPage newPage)
{
    CPrintInfo info;
    grid.OnBeginPrinting(&painter, &info);
    int printed = 0;
    for (unsigned page = info.GetMinPage(); page <= info.GetMaxPage(); ++page) {
        if (page > info.GetMinPage() && !newPage())
            break;
        info.m_nCurPage = page;
        grid.OnPrint(&painter, &info);
        ++printed;
    }
    grid.OnEndPrinting(&painter, &info);
    return printed;
}

QImage BlankPage(QSize pixels, int dotsPerInch, QImage::Format format)
{
    QImage page(pixels, format);
    const int dotsPerMetre = int(std::lround(dotsPerInch / 0.0254));
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    page.fill(Qt::white);
    return page;
}
} // namespace

std::vector<QImage> PrintGridToImages(CGridCtrl& grid, QSize pixels, int dotsPerInch,
                                      QImage::Format format)
{
    std::vector<QImage> pages;
    pages.push_back(BlankPage(pixels, dotsPerInch, format));
    QPainter painter(&pages.back());
    RunPrintJob(grid, painter, [&] {
        painter.end();
        pages.push_back(BlankPage(pixels, dotsPerInch, format));
        return painter.begin(&pages.back());
    });
    painter.end();
    return pages;
}

bool PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageLayout& layout, int* pageCount)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int printed = RunPrintJob(grid, painter, [&] { return printer.newPage(); });
    const bool written = painter.end();
    if (pageCount)
        *pageCount = printed;
    return written;
}
