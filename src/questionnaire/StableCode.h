#pragma once

#include <QHash>
#include <QString>

namespace qnr {

// A code for an item whose format keeps only a name stable (a Dimensions variable, a Triple-S
// literal value code): the 32-bit FNV-1a hash of the name's UTF-8 bytes, lower-cased, kept to
// its low 30 bits and raised above 1 (so that it is never 0, 1 or -1). The same name gives the
// same code in every wave's file.
int StableCodeFromText(const QString& text);

// The codes given to the items of one list. An item gets the code it asks for, or when that is
// taken the next free code above it, wrapping within the 30 bits to 2. Codes are never given
// back, so a code that was taken once stays taken: each taken code remembers where to look on
// from, and the paths are shortened as they are walked, so that many items asking for one code
// (or for codes close together) cost about one step each instead of one per code given before.
class CStableCodes
{
public:
    // Whether an item of the list has the code.
    bool IsTaken(int code) const { return m_next.contains(code); }
    // Gives the item a code: the wished one, or the next free one above it.
    int Take(int wished);

private:
    static int After(int code) { return code >= 0x3FFFFFFF ? 2 : code + 1; }

    // Taken code -> a code above it from which the next free one is looked for.
    QHash<int, int> m_next;
};

} // namespace qnr
