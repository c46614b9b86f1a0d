#pragma once

#include "grid/WinGeometry.h"

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <vector>

class CGridCtrl;

// What a print job and the grid tell each other: the range of pages, the page being printed and
// the band (header or footer) being drawn, in the grid's logical units.
class CPrintInfo
{
public:
    void SetMinPage(unsigned page) { m_nMinPage = page; }
    void SetMaxPage(unsigned page) { m_nMaxPage = page; }
    unsigned GetMinPage() const { return m_nMinPage; }
    unsigned GetMaxPage() const { return m_nMaxPage; }

    unsigned m_nCurPage = 1;
    CRect m_rectDraw;

private:
    unsigned m_nMinPage = 1;
    unsigned m_nMaxPage = 1;
};

// Print jobs of a grid: begin printing, one print call per page with the page set, end printing.

// The pages as images of the given size in pixels and resolution, on white paper.
std::vector<QImage> PrintGridToImages(CGridCtrl& grid, QSize pixels, int dotsPerInch,
                                      QImage::Format format = QImage::Format_RGB32);

// The pages written as a PDF file with the page layout; false when the file cannot be written.
// The number of pages printed goes to pageCount when given.
bool PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageLayout& layout,
                    int* pageCount = nullptr);
