#include "grid/GridURLCell.h"

#include "grid/DrawTextFormat.h"
#include "grid/GridCtrl.h"
#include "grid/SysColors.h"

#include <QCursor>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace {
// What makes a word look like a link, wherever it stands in the word.
const QLatin1StringView UrlPrefixes[] = {
    QLatin1StringView("www."),    QLatin1StringView("http:"),   QLatin1StringView("mailto:"),
    QLatin1StringView("ftp:"),    QLatin1StringView("https:"),  QLatin1StringView("news:"),
    QLatin1StringView("gopher:"), QLatin1StringView("telnet:"), QLatin1StringView("url:"),
    QLatin1StringView("file:"),   QLatin1StringView("ftp."),
};
} // namespace

const CRuntimeClass CGridURLCell::classCGridURLCell = {"CGridURLCell", &CGridCell::classCGridCell,
                                                       &MakeCell<CGridURLCell>};

CGridURLCell::CGridURLCell() : m_clrUrl(GetSysColor(COLOR_HIGHLIGHT)) {}

bool CGridURLCell::HasUrl(const QString& text)
{
    for (const QLatin1StringView prefix : UrlPrefixes)
        if (text.contains(prefix, Qt::CaseSensitive))
            return true;
    return false;
}

QString CGridURLCell::LaunchableUrl(const QString& word)
{
    if (word.startsWith(QLatin1StringView("www.")))
        return QStringLiteral("http://") + word;
    if (word.startsWith(QLatin1StringView("ftp.")))
        return QStringLiteral("ftp://") + word;
    const QUrl url(word, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (url.isValid() &&
        (scheme == QLatin1StringView("http") || scheme == QLatin1StringView("https") ||
         scheme == QLatin1StringView("ftp") || scheme == QLatin1StringView("mailto")))
        return word;
    return {};
}

bool CGridURLCell::Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd)
{
    if (HasUrl(GetText()))
        SetTextColour(m_clrUrl);
    m_Rect = rect;
    return CGridCell::Draw(painter, row, col, rect, eraseBkgnd);
}

QString CGridURLCell::GetUrlAt(CPoint point)
{
    const QString text = GetText();
    if (text.isEmpty())
        return {};
    // Where the text lies in the cell as last drawn, by its measured width and the format.
    const int textWidth = GetTextExtent(text).cx;
    const CRect& r = m_Rect;
    const unsigned format = GetFormat();
    int x = point.x + r.left;
    const int centre = (r.left + r.right) / 2;
    const bool overText =
        ((format & DT_RIGHT) && x >= r.right - textWidth) ||
        ((format & DT_CENTER) && centre - textWidth / 2 <= x && x <= centre + textWidth / 2) ||
        x <= r.left + textWidth;
    if (!overText)
        return {};

    const double charWidth = double(textWidth) / double(text.size());
    x -= r.left;
    if (format & DT_RIGHT) {
        x -= r.Width() - textWidth;
        if (x <= 0)
            return {};
    }
    if (format & DT_CENTER) {
        const int half = (r.Width() - textWidth) / 2;
        x -= half;
        if (x <= 0 || x > half + textWidth)
            return {};
    }
    const qsizetype index = std::min<qsizetype>(qsizetype(x / charWidth), text.size() - 1);
    // The word around the character: from after the blank before it to the blank after it.
    qsizetype end = text.indexOf(QLatin1Char(' '), index);
    if (end < 0)
        end = text.size();
    const qsizetype start = index > 0 ? text.lastIndexOf(QLatin1Char(' '), index - 1) + 1 : 0;
    const QString word = text.mid(start, end - start);
    return HasUrl(word) ? word : QString();
}

void CGridURLCell::OnClick(CPoint pointCellRelative)
{
    if (!m_bLaunchUrl)
        return;
    const QString url = LaunchableUrl(GetUrlAt(pointCellRelative));
    if (!url.isEmpty())
        QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}

bool CGridURLCell::OnSetCursor(QWidget* widget)
{
    CGridCtrl* grid = GetGrid();
    if (grid && widget) {
        const CPoint point(widget->mapFromGlobal(QCursor::pos()));
        const CCellID cell = grid->GetCellFromPoint(point);
        if (grid->GetCell(cell.row, cell.col) == this &&
            !GetUrlAt(grid->GetPointInCell(cell.row, cell.col, point)).isEmpty()) {
            widget->setCursor(Qt::PointingHandCursor);
            return true;
        }
    }
    return CGridCell::OnSetCursor(widget);
}
