// The property grid's layout and painting: the scroll range, the rectangles of every row (set
// synchronously after each change) and the drawing of title and item rows.
#include "controls/FrameControls.h"
#include "controls/PropertyGrid.h"
#include "grid/DrawTextFormat.h"
#include "grid/GdiPaint.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr unsigned RowTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr int RowLeft = 2 + 8; // x of the rows plus their indent
} // namespace

int CPropertyGrid::GetContentHeight() const
{
    int total = 0;
    for (const CSection& section : m_sections) {
        if (m_displayMode == DM_CATEGORIZED)
            total += m_lineHeight;
        if (!section.m_collapsed || m_displayMode != DM_CATEGORIZED)
            total += int(section.m_items.size()) * m_lineHeight;
    }
    return total;
}

int CPropertyGrid::GetScrollPos() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? verticalScrollBar()->value() : 0;
}

void CPropertyGrid::RecalcLayout()
{
    const int total = GetContentHeight();
    const int client = ClientHeight();
    QScrollBar* bar = verticalScrollBar();
    if (total >= client) {
        bar->setRange(0, total - client);
        bar->setPageStep(std::max(1, client));
        bar->setSingleStep(std::max(1, m_lineHeight));
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        bar->setRange(0, 0);
    }
    Arrange();
}

void CPropertyGrid::ArrangeItem(CItem& item, int y, int width)
{
    item.m_rcValue.SetRectEmpty();
    item.m_rcName.SetRect(0, y, width, y + m_lineHeight);
    if (y + m_lineHeight <= 0 || y >= viewport()->height())
        return;
    int valueRight = width;
    const int editMode = item.GetEditMode();
    if (item.m_hItem == m_focusedItem && item.m_editable && editMode != EDIT_NONE) {
        valueRight = width - m_lineHeight;
        m_rcButton.SetRect(width - m_lineHeight, y, width, y + m_lineHeight);
        if (editMode == EDIT_INPLACE)
            m_rcButton.left = m_gutter;
    }
    item.m_rcName.SetRect(0, y, m_gutter, y + m_lineHeight);
    item.m_rcValue.SetRect(m_gutter, y, valueRight, y + m_lineHeight);
}

void CPropertyGrid::Arrange()
{
    const int width = viewport()->width();
    int y = -GetScrollPos();
    // Only the focused row of an enabled item sets a button; any other focus has none.
    m_rcButton.SetRectEmpty();
    for (CSection& section : m_sections) {
        section.m_rcSign.SetRectEmpty();
        section.m_rcTitle.SetRectEmpty();
        for (CItem& item : section.m_items) {
            item.m_rcName.SetRectEmpty();
            item.m_rcValue.SetRectEmpty();
        }
    }
    if (m_displayMode == DM_ALPHABETICAL) {
        std::vector<CItem*> items;
        for (CSection& section : m_sections) {
            for (CItem& item : section.m_items)
                items.push_back(&item);
        }
        std::stable_sort(items.begin(), items.end(),
                         [](const CItem* a, const CItem* b) { return a->m_name < b->m_name; });
        for (CItem* item : items) {
            ArrangeItem(*item, y, width);
            y += m_lineHeight;
        }
    } else {
        for (CSection& section : m_sections) {
            if (m_displayMode == DM_CATEGORIZED) {
                section.m_rcSign.SetRect(2, y + 4, 2 + 9, y + 4 + 9);
                section.m_rcTitle.SetRect(14, y, width, y + m_lineHeight);
                y += m_lineHeight;
            }
            if (section.m_collapsed && m_displayMode == DM_CATEGORIZED)
                continue;
            for (CItem& item : section.m_items) {
                ArrangeItem(item, y, width);
                y += m_lineHeight;
            }
        }
    }
    viewport()->update();
}

void CPropertyGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!m_gutterSet && width() > 0) {
        m_gutter = ClientWidth() / 2;
        m_gutterSet = true;
    }
    RecalcLayout();
}

void CPropertyGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    RecalcLayout();
}

bool CPropertyGrid::viewportEvent(QEvent* event)
{
    // The viewport narrows when the scroll bar comes and widens when it goes.
    if (event->type() == QEvent::Resize)
        Arrange();
    return QAbstractScrollArea::viewportEvent(event);
}

void CPropertyGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int width = viewport()->width();
    const CRect client(0, 0, width, viewport()->height());
    FillRect(painter, client, m_colours[COLOUR_BACK]);
    if (m_sections.empty()) {
        CRect message(width / 4, 10, width - width / 4, client.bottom);
        painter.setFont(m_normalFont);
        painter.setPen(ColorRefToQColor(m_colours[COLOUR_TEXT]));
        DrawText(painter, m_emptyMessage, message, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        return;
    }
    for (const CSection& section : m_sections) {
        if (m_displayMode == DM_CATEGORIZED) {
            CRect overlap;
            const CRect row(0, section.m_rcTitle.top, width, section.m_rcTitle.bottom);
            if (overlap.IntersectRect(row, client))
                DrawTitle(painter, section);
        }
        for (const CItem& item : section.m_items) {
            if (!item.m_rcValue.IsRectEmpty())
                DrawItem(painter, item);
        }
    }
}

void CPropertyGrid::DrawTitle(QPainter& painter, const CSection& section)
{
    const int width = viewport()->width();
    const int y = section.m_rcTitle.top;
    const COLORREF shade = m_colours[COLOUR_SHADE];
    const COLORREF title = m_colours[COLOUR_TITLE];
    if (m_shadeTitles)
        FillRect(painter, CRect(0, y, width, y + m_lineHeight), shade);
    if (m_drawLines) {
        DrawLine(painter, CPoint(0, y), CPoint(width + 1, y), shade);
        DrawLine(painter, CPoint(0, y + m_lineHeight), CPoint(width + 1, y + m_lineHeight), shade);
    }
    if (m_drawGutter)
        DrawLine(painter, CPoint(m_gutter, y), CPoint(m_gutter, y + m_lineHeight + 1), shade);

    // The expand glyph: a square with a minus, a plus while collapsed.
    FrameRect(painter, section.m_rcSign, title);
    DrawLine(painter, CPoint(4, y + 8), CPoint(9, y + 8), title);
    if (section.m_collapsed)
        DrawLine(painter, CPoint(6, y + 6), CPoint(6, y + 11), title);

    painter.setFont(m_boldFont);
    const QFontMetrics metrics(m_boldFont);
    if (section.m_hSection == m_focusedSection) {
        const int textHeight = metrics.height();
        const int top = y + (m_lineHeight - textHeight) / 2;
        const int textWidth = metrics.horizontalAdvance(section.m_title);
        painter.setPen(ColorRefToQColor(title));
        DrawFocusRect(painter, CRect(14, top, 14 + textWidth + 6, top + textHeight));
    }
    painter.setPen(ColorRefToQColor(title));
    CRect text(14 + 4, y, width, y + m_lineHeight);
    DrawText(painter, section.m_title, text, RowTextFormat);
}

void CPropertyGrid::DrawButton(QPainter& painter, int editMode)
{
    if (editMode == EDIT_DROPDOWN)
        DrawDropDownButtonFrame(painter, *this, m_rcButton, m_buttonDepressed);
    else if (editMode == EDIT_MODAL)
        DrawPushButtonFrame(painter, *this, m_rcButton, QStringLiteral("..."), m_boldFont,
                            m_buttonDepressed);
}

void CPropertyGrid::DrawItem(QPainter& painter, const CItem& item)
{
    const int width = viewport()->width();
    const int y = item.m_rcName.top;
    const int left = RowLeft;
    const COLORREF shade = m_colours[COLOUR_SHADE];
    if (m_shadeTitles)
        FillRect(painter, CRect(0, y, left + 4, y + m_lineHeight), shade);
    if (m_drawLines)
        DrawLine(painter, CPoint(0, y + m_lineHeight - 1), CPoint(width + 1, y + m_lineHeight - 1),
                 shade);
    if (m_drawGutter)
        DrawLine(painter, CPoint(m_gutter, y), CPoint(m_gutter, y + m_lineHeight + 1), shade);

    const bool focused = item.m_hItem == m_focusedItem;
    const int editMode = item.GetEditMode();
    if (focused && item.m_editable && editMode != EDIT_NONE && !m_rcButton.IsRectEmpty())
        DrawButton(painter, editMode);

    // The name.
    COLORREF nameColour = m_colours[COLOUR_TEXT];
    if (focused) {
        FillRect(painter, CRect(left + 4, y, m_gutter, y + m_lineHeight), m_colours[COLOUR_FOCUS]);
        nameColour = m_colours[COLOUR_HILITE_TEXT];
    }
    painter.setFont(m_normalFont);
    painter.setPen(ColorRefToQColor(nameColour));
    CRect name(left + 8, y, m_gutter - 1, y + m_lineHeight);
    DrawText(painter, item.m_name, name, RowTextFormat);

    // The value.
    const COLORREF valueColour =
        item.m_editable ? m_colours[COLOUR_EDITABLE] : m_colours[COLOUR_DISABLED];
    if (item.m_type == IT_CUSTOM) {
        if (item.m_pCustom) {
            painter.save();
            painter.setPen(ColorRefToQColor(valueColour));
            item.m_pCustom->DrawItem(painter, item.m_rcValue, focused);
            painter.restore();
        }
        return;
    }
    CRect text = item.m_rcValue;
    text.left += GetTextMargin();
    const bool bold = (item.IsChanged() && m_boldModified) || (item.m_editable && m_boldEditables);
    painter.setFont(bold ? m_boldFont : m_normalFont);
    if (item.m_type == IT_COLOR && !item.m_values.Undefined) {
        const CRect swatch(text.left, text.top + 3, text.left + m_lineHeight, text.bottom - 2);
        FrameRect(painter, swatch, m_colours[COLOUR_TEXT]);
        CRect inside = swatch;
        inside.DeflateRect(1);
        FillRect(painter, inside, item.m_values.Colour);
        text.left = swatch.right + 6;
    }
    painter.setPen(ColorRefToQColor(valueColour));
    DrawText(painter, GetValueText(item), text, RowTextFormat);
}
