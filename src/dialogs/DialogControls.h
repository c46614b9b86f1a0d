#pragma once

#include <QString>
#include <QWidget>

#include <utility>

// Names a control of a dialog by the id it has in the dialog's template: its object name is the
// id's decimal text (by which tests find it) and its "controlId" property the id.
void SetControlId(QWidget* control, int id);

// A control of the type made with the arguments (its text, mostly) and named by its id.
template <class T, class... Args> T* MakeControl(int id, Args&&... args)
{
    auto* control = new T(std::forward<Args>(args)...);
    SetControlId(control, id);
    return control;
}

// The etched line that parts a dialog's fields from its buttons.
QWidget* MakeSeparator(int id);

// The dialog's control of the id, null when it has none of that type.
template <class T> T* FindControl(const QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}
