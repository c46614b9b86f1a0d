#include "grid/InPlaceDateTime.h"

#include "grid/GridCellDateTime.h"
#include "grid/GridCtrl.h"

#include <QKeyEvent>
#include <QLocale>

CInPlaceDateTime::CInPlaceDateTime(CGridCtrl* grid, const CRect& rect, unsigned style, unsigned id,
                                   int row, int col, const QDateTime& time, unsigned firstKey)
    : QDateTimeEdit(grid->viewport()), CInPlaceEditor(grid, this, id, row, col), m_InitialTime(time)
{
    const QLocale locale;
    QString format;
    if (style & 0x8) // the time bit of DTS_TIMEFORMAT
        format = locale.timeFormat(QLocale::ShortFormat);
    else if (style & DTS_LONGDATEFORMAT)
        format = locale.dateFormat(QLocale::LongFormat);
    else
        format = locale.dateFormat(QLocale::ShortFormat);
    // A two-digit year would be read back in the wrong century: years show in full.
    if (!format.contains(QLatin1StringView("yyyy")))
        format.replace(QLatin1StringView("yy"), QLatin1StringView("yyyy"));
    setDisplayFormat(format);
    setCalendarPopup(!(style & DTS_UPDOWN));
    setDateTime(time);
    setFont(grid->GetDefaultCell(false, false)->GetFontObject());
    setGeometry(rect.ToQRect());
    show();
    setFocus(Qt::OtherFocusReason);
    if (firstKey != VK_LBUTTON && firstKey != VK_RETURN && !IsNavigationKey(firstKey))
        TypeKey(this, firstKey);
}

bool CInPlaceDateTime::event(QEvent* event)
{
    // Tab and Shift+Tab end the edit instead of moving between the date's parts.
    if (QKeyEvent* tab = TabKeyPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QDateTimeEdit::event(event);
}

void CInPlaceDateTime::keyPressEvent(QKeyEvent* event)
{
    if (EndOnKey(*event, false, [this] { setDateTime(m_InitialTime); })) {
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
    // The editor takes every key: none goes on to the grid.
    event->accept();
}

void CInPlaceDateTime::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    EndOnFocusOut(*event);
}

void CInPlaceDateTime::OnEnded()
{
    // The value goes with the text: kept when the grid kept the edited text.
    auto* cell = dynamic_cast<CGridCellDateTime*>(Grid()->GetCell(GetRow(), GetColumn()));
    if (cell && cell->GetText() == text())
        cell->SetTime(dateTime());
}
