#include "controls/PropertyGridMonthCalCtrl.h"

#include <QKeyEvent>
#include <QTableView>

CPropertyGridMonthCalCtrl::CPropertyGridMonthCalCtrl(QWidget* owner) : QCalendarWidget(owner)
{
    setWindowFlags(Qt::Popup);
    setGridVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::clicked, this, &CPropertyGridMonthCalCtrl::DateDone);
    // Enter in the day table picks the day shown as current.
    if (auto* days = findChild<QTableView*>())
        days->installEventFilter(this);
}

void CPropertyGridMonthCalCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Execute:
        Q_EMIT DateDone();
        return;
    default:
        QCalendarWidget::keyPressEvent(event);
    }
}

bool CPropertyGridMonthCalCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Execute ||
            key == Qt::Key_Escape) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}
