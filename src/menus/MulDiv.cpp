#include "menus/MulDiv.h"

#include <cstdlib>

namespace menus {
int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    long long half = denominator / 2;
    if (denominator < 0)
        half = -half;
    // Rounds the magnitude: halves go away from zero whatever the signs.
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = std::llabs(product) + std::llabs(half);
    const long long result = magnitude / std::llabs(static_cast<long long>(denominator));
    return static_cast<int>(negative ? -result : result);
}
} // namespace menus
