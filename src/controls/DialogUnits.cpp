#include "controls/DialogUnits.h"

#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <cstdlib>

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

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    if (std::llabs(remainder) * 2 >= std::llabs(std::int64_t(denominator)))
        quotient += (product < 0) != (denominator < 0) ? -1 : 1;
    return int(quotient);
}
