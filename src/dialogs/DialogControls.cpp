#include "dialogs/DialogControls.h"

void SetControlId(QWidget* control, int id)
{
    control->setObjectName(QString::number(id));
    control->setProperty("controlId", id);
}
