#pragma once

#include <QString>
#include <QWidget>

// Names a control of a dialog by the id it has in the dialog's template: its object name is the
// id's decimal text (by which tests find it) and its "controlId" property the id.
void SetControlId(QWidget* control, int id);

// The dialog's control of the id, null when it has none of that type.
template <class T> T* FindControl(const QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}
