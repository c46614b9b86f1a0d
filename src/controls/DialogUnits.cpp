#include "controls/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

SDialogUnits SDialogUnits::FromFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52, metrics.height()};
}

int SDialogUnits::ToPixelsX(int units) const
{
    return MulDiv(units, BaseX, 4);
}

int SDialogUnits::ToPixelsY(int units) const
{
    return MulDiv(units, BaseY, 8);
}
