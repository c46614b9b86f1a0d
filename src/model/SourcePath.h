#pragma once

#include "model/ModelIds.h"

#include <QString>

// Where one of a volume's sources is: a file (by a path of some kind) or a database (by a
// connection text and a survey id). A value type, copied and compared as a whole.

namespace pelko_wave {

struct CSourcePath
{
    // 0 a file; any other value a database.
    int SourceStorageType = 0;
    // ESourcePathFormat: 0 absolute, 1 relative to the campaign file, 2 UNC, 3 unknown.
    int SourceFilePathFormat = PATH_UNKNOWN;
    // The path or the connection text.
    QString SourceString;
    // The survey in a database source.
    int SurveyID = 0;

    bool IsFile() const { return SourceStorageType == 0; }

    bool operator==(const CSourcePath&) const = default;
};

} // namespace pelko_wave
