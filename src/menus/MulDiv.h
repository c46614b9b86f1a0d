#pragma once

namespace menus {
// number * numerator / denominator in 64 bits, rounded to the nearest integer (halves away
// from zero); -1 when the denominator is 0. The scaling of colour channels, gradients, fonts
// and dialog units.
int MulDiv(int number, int numerator, int denominator);
} // namespace menus
