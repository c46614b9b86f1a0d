#include "questionnaire/SourceReaders.h"

namespace qnr {

bool ReadZozSource(QIODevice&, const QString& name, const SReadOptions&, CQuestionnaire&,
                   QString& error)
{
    error = QStringLiteral("Reading %1 is not available yet.").arg(name);
    return false;
}

} // namespace qnr
