#include "model/MatchIndexes.h"

#include <limits>

namespace pelko_wave {

bool ReadCodeAsWritten(const QString& sourceId, int& code)
{
    const qsizetype size = sourceId.size();
    const bool negative = size > 0 && sourceId[0] == u'-';
    qsizetype i = negative ? 1 : 0;
    if (i >= size || (sourceId[i] == u'0' && (size - i > 1 || negative)))
        return false;
    qint64 value = 0;
    for (; i < size; ++i) {
        const char16_t digit = sourceId[i].unicode();
        if (digit < u'0' || digit > u'9')
            return false;
        value = value * 10 + (digit - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max())
        return false;
    code = int(value);
    return true;
}

} // namespace pelko_wave
