#pragma once

#include <QString>

class QIODevice;

namespace qnr {

// The format of a source questionnaire, told from its content rather than its name: the root
// element "zoz" is ZOZ (0), a Dimensions metadata document ("metadata", alone or inside an "xml"
// wrapper) is Dimensions (1), "sss" is Triple-S (2). -1 for anything else: a missing or
// unreadable file, a document that is not XML, or another root. Only the first elements are
// read, however long the file.
int DetectSourceType(const QString& path);
int DetectSourceType(QIODevice& device);

} // namespace qnr
