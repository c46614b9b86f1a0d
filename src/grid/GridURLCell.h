#pragma once

#include "grid/GridCell.h"

// A text cell whose words that look like links (they hold "www.", "http:", "mailto:", ...) are
// drawn in the link colour; a click on one opens it in the desktop's handler when it is a web,
// FTP or mail address. Never edited in place.
class CGridURLCell : public CGridCell
{
public:
    static const CRuntimeClass classCGridURLCell;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridURLCell; }

    CGridURLCell();

    void SetAutoLaunchUrl(bool bLaunch = true) { m_bLaunchUrl = bLaunch; }
    bool GetAutoLaunchUrl() const { return m_bLaunchUrl; }
    void SetUrlColour(COLORREF colour) { m_clrUrl = colour; }
    COLORREF GetUrlColour() const { return m_clrUrl; }

    bool Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd = true) override;
    bool Edit(int, int, CRect, CPoint, unsigned, unsigned) override { return false; }
    void OnClick(CPoint pointCellRelative) override;
    bool OnSetCursor(QWidget* widget) override;

    // True when the text holds one of the link prefixes anywhere.
    static bool HasUrl(const QString& text);
    // The word under the point (relative to the cell, as last drawn) when it looks like a link;
    // empty otherwise.
    QString GetUrlAt(CPoint pointCellRelative);
    // The address the desktop opens for a word that looks like a link: http, https, ftp and mailto
    // addresses, with "www." and "ftp." names taken as web and FTP addresses; empty for any other
    // (a "file:" or "telnet:" word looks like a link but opens nothing).
    static QString LaunchableUrl(const QString& word);

protected:
    COLORREF m_clrUrl;
    bool m_bLaunchUrl = true;
    // Where the cell was last drawn (grid client coordinates).
    CRect m_Rect;
};
