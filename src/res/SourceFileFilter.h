#pragma once

#include <QString>

// The one file filter of every chooser of a volume's source file (the new-volume wizard's
// Browse buttons, the property pane's source file items), written as the string table writes
// filters: every questionnaire the program reads first (ZOZ, Triple-S, Dimensions), then each
// format alone, then all files.
QString SourceFileFilter();
