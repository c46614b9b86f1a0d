#pragma once

#include <QString>

namespace qnr {

// A code for an item whose format keeps only a name stable (a Dimensions variable, a Triple-S
// literal value code): the 32-bit FNV-1a hash of the name's UTF-8 bytes, lower-cased, kept to
// its low 30 bits and raised above 1 (so that it is never 0, 1 or -1). The same name gives the
// same code in every wave's file.
int StableCodeFromText(const QString& text);

// When `code` is already taken (by another item of the same list), the next free code above it,
// wrapping within the 30 bits.
template <typename IsTaken> int FreeStableCode(int code, IsTaken isTaken)
{
    while (isTaken(code))
        code = code >= 0x3FFFFFFF ? 2 : code + 1;
    return code;
}

} // namespace qnr
