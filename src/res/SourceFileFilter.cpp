#include "res/SourceFileFilter.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

QString SourceFileFilter()
{
    return LoadString(IDS_SOURCE_FILE_FILTER);
}
