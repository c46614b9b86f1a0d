#include "dialogs/DialogControls.h"

#include "controls/RotBevelLine.h"

namespace {

constexpr int kSeparatorHeight = 8;

} // namespace

void SetControlId(QWidget* control, int id)
{
    control->setObjectName(QString::number(id));
    control->setProperty("controlId", id);
}

QWidget* MakeSeparator(int id)
{
    auto* separator = MakeControl<cdxCRotBevelLine>(id);
    separator->setFixedHeight(kSeparatorHeight);
    return separator;
}
