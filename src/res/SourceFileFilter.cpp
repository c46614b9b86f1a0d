#include "res/SourceFileFilter.h"

#include "res/StringTable.h"

namespace {

constexpr unsigned IDS_SOURCE_FILE_FILTER = 63980;

} // namespace

QString SourceFileFilter()
{
    return LoadString(IDS_SOURCE_FILE_FILTER);
}
