#pragma once

#include "grid/InPlaceEditor.h"
#include "grid/WinGeometry.h"

#include <QDateTimeEdit>

class CGridCtrl;

// Styles of the date-time editor.
enum : unsigned
{
    DTS_UPDOWN = 0x1,
    DTS_SHOWNONE = 0x2,
    DTS_SHORTDATEFORMAT = 0x0,
    DTS_LONGDATEFORMAT = 0x4,
    DTS_TIMEFORMAT = 0x9,
};

// The date-time editor a date-time cell opens over itself: spin buttons, or a calendar pop-up
// without DTS_UPDOWN, in the user's short date, long date or time format. Tab, Enter, Escape
// (which puts the old value back), focus loss and, with Ctrl, Page Up, Page Down and the arrows
// end the edit; the arrows alone step the date. A cell's value is stored in it once the grid
// keeps the edited text.
class CInPlaceDateTime : public QDateTimeEdit, public CInPlaceEditor
{
    Q_OBJECT

public:
    CInPlaceDateTime(CGridCtrl* grid, const CRect& rect, unsigned style, unsigned id, int row,
                     int col, const QDateTime& time, unsigned firstKey);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QString EditedText() const override { return text(); }
    void OnEnded() override;

private:
    QDateTime m_InitialTime;
};
