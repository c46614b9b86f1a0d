#pragma once

#include <QByteArray>
#include <QString>

namespace qnr {

class CQuestionnaire;

// Writes a questionnaire, with its interviews, as a ZOZ document (the format is described in
// the README). Reading the result back gives the same questionnaire.
QByteArray WriteZozDocument(const CQuestionnaire& questionnaire);
// Writes it to a file; false with the reason in `error` when the file cannot be written.
bool WriteZozFile(const CQuestionnaire& questionnaire, const QString& path, QString& error);

} // namespace qnr
