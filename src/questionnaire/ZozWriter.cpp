#include "questionnaire/ZozWriter.h"

#include "questionnaire/Questionnaire.h"

namespace qnr {

QByteArray WriteZozDocument(const CQuestionnaire&)
{
    return QByteArray();
}

bool WriteZozFile(const CQuestionnaire&, const QString&, QString& error)
{
    error = QStringLiteral("Writing ZOZ files is not available yet.");
    return false;
}

} // namespace qnr
