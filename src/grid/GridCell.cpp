#include "grid/GridCell.h"

#include "grid/DrawTextFormat.h"
#include "grid/GridCtrl.h"
#include "grid/InPlaceEdit.h"

#include <QApplication>
#include <QFontMetrics>

const CRuntimeClass CGridCell::classCGridCell = {"CGridCell", &CGridCellBase::classCGridCellBase,
                                                 &MakeCell<CGridCell>};
const CRuntimeClass CGridDefaultCell::classCGridDefaultCell = {
    "CGridDefaultCell", &CGridCell::classCGridCell, &MakeCell<CGridDefaultCell>};

CGridCell::CGridCell()
{
    CGridCell::Reset();
}

CGridCell::~CGridCell()
{
    if (auto* editor = dynamic_cast<CInPlaceEditor*>(m_pEditWnd.data()))
        editor->Abandon();
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.clear();
    m_nImage = -1;
    m_nFormat = 0xFFFFFFFF;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_plfFont.reset();
    m_nMargin = 0xFFFFFFFF;
    m_bEditing = false;
    m_pEditWnd = nullptr;
}

void CGridCell::SetFont(const LOGFONT* logFont)
{
    if (!logFont)
        m_plfFont.reset();
    else if (m_plfFont)
        *m_plfFont = *logFont;
    else
        m_plfFont = std::make_unique<LOGFONT>(*logFont);
}

unsigned CGridCell::GetFormat() const
{
    if (m_nFormat != 0xFFFFFFFF)
        return m_nFormat;
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell ? defaultCell->GetFormat() : 0;
}

const LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell ? defaultCell->GetFont() : nullptr;
}

QFont CGridCell::GetFontObject() const
{
    if (m_plfFont)
        return LogFontToQFont(*m_plfFont);
    if (const CGridDefaultCell* defaultCell = GetDefaultCell())
        return defaultCell->GetFontObject();
    return QApplication::font();
}

unsigned CGridCell::GetMargin() const
{
    if (m_nMargin != 0xFFFFFFFF)
        return m_nMargin;
    const CGridDefaultCell* defaultCell = GetDefaultCell();
    return defaultCell ? defaultCell->GetMargin() : 0;
}

bool CGridCell::Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch)
{
    // While an editor is open, further keys go to it.
    if (IsEditing()) {
        TypeKey(m_pEditWnd, ch);
        return true;
    }
    if (!m_pGrid)
        return false;
    const unsigned format = GetFormat();
    unsigned style = ES_LEFT;
    if (format & DT_RIGHT)
        style = ES_RIGHT;
    else if (format & DT_CENTER)
        style = ES_CENTER;
    m_bEditing = true;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, style, id, row, col, GetText(), ch);
    return true;
}

void CGridCell::EndEdit()
{
    if (auto* editor = dynamic_cast<CInPlaceEditor*>(m_pEditWnd.data()))
        editor->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = false;
    m_pEditWnd = nullptr;
}

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = 0x8824; // DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    const LOGFONT font = GetMessageBoxFont();
    CGridDefaultCell::SetFont(&font);
}

void CGridDefaultCell::SetFont(const LOGFONT* logFont)
{
    if (!logFont)
        return;
    CGridCell::SetFont(logFont);
    m_Font = LogFontToQFont(*logFont);
    const QFontMetrics metrics(m_Font);
    m_nMargin = unsigned(metrics.horizontalAdvance(QLatin1Char(' ')));
    m_Size = CSize(metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")),
                   metrics.height() * 3 / 2);
}

const LOGFONT* CGridDefaultCell::GetFont() const
{
    return m_plfFont.get();
}
