#include "grid/InPlaceList.h"

#include "grid/GridCtrl.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <algorithm>

CInPlaceList::CInPlaceList(CGridCtrl* grid, const CRect& rect, unsigned, unsigned id, int row,
                           int col, const QStringList& items, const QString& initialText, unsigned)
    : CCheckComboBox(grid->viewport()), CInPlaceEditor(grid, this, id, row, col),
      m_sInitText(initialText)
{
    // Always a drop-down list, whatever the cell's style; the first key is not used.
    addItems(items);
    setFont(grid->GetDefaultCell(false, false)->GetFontObject());
    setGeometry(rect.ToQRect());

    // The open list takes the room of a few rows and the width of its widest item, up to 200.
    const QFontMetrics metrics(font());
    const int extent = grid->ScrollBarExtent();
    const int itemHeight = metrics.height() + metrics.leading() + 2;
    setMaxVisibleItems(std::max(1, (m_nNumLines * rect.Height() + extent) / itemHeight));
    int widest = 0;
    for (const QString& item : items)
        widest = std::max(widest, metrics.horizontalAdvance(item));
    const int checkWidth = itemHeight + 4;
    view()->setMinimumWidth(
        std::min(200, widest + checkWidth + extent + metrics.horizontalAdvance(QLatin1Char('0'))));

    // The items the text names start checked; the field keeps the text as it is.
    for (const QString& piece : initialText.split(ItemSeparator().trimmed())) {
        const int index = findText(piece.trimmed(), Qt::MatchExactly);
        if (index >= 0)
            SetCheck(index, true);
    }
    setCurrentIndex(findText(initialText, Qt::MatchExactly));
    SetWindowText(initialText);

    show();
    setFocus(Qt::OtherFocusReason);
    showPopup();
}

bool CInPlaceList::event(QEvent* event)
{
    if (QKeyEvent* tab = TabKeyPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return CCheckComboBox::event(event);
}

void CInPlaceList::keyPressEvent(QKeyEvent* event)
{
    if (EndOnKey(*event, false, [this] { Restore(); })) {
        event->accept();
        return;
    }
    CCheckComboBox::keyPressEvent(event);
    // The editor takes every key: none goes on to the grid.
    event->accept();
}

bool CInPlaceList::OnListKey(QKeyEvent* event)
{
    // Enter, Tab and Escape in the open list close it and end the edit.
    unsigned key = 0;
    if (EndsEditOnKey(*event, false, key)) {
        hidePopup();
        EndOnKey(*event, false, [this] { Restore(); });
        return true;
    }
    return CCheckComboBox::OnListKey(event);
}

void CInPlaceList::focusOutEvent(QFocusEvent* event)
{
    CCheckComboBox::focusOutEvent(event);
    EndOnFocusOut(*event);
}
