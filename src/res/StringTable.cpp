#include "res/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct SStringEntry
{
    unsigned Id;
    const char16_t* Text;
};

// Sorted by id.
constexpr SStringEntry kStrings[] = {
    {63038, u"True"},
    {63039, u"False"},
};

} // namespace

QString LoadString(unsigned id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const SStringEntry& e, unsigned v) { return e.Id < v; });
    if (it == std::end(kStrings) || it->Id != id)
        return QString();
    return QString::fromUtf16(it->Text);
}
