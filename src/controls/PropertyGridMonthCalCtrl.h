#pragma once

#include <QCalendarWidget>

// The property grid's drop-down month calendar: a bordered pop-up that reports when the user
// picks a day (a click, or Enter); Escape and a click outside close it without a report. The
// grid reads the chosen day with selectedDate.
class CPropertyGridMonthCalCtrl : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CPropertyGridMonthCalCtrl(QWidget* owner);

Q_SIGNALS:
    void DateDone();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
