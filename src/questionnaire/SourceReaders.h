#pragma once

#include <QString>

class QIODevice;

namespace qnr {

class CQuestionnaire;

// What a reader is asked to take from its source.
struct SReadOptions
{
    bool questions = true;
    bool modalites = true;
    bool interviews = false;
    // The program's language: a source that names no language is taken to be in it (1033
    // when none is given).
    int languageId = 0;
};

// The three readers. Each fills an empty questionnaire from a device opened for reading and
// returns true, or returns false with the reason in `error` (the caller then empties the
// questionnaire). `name` names the source in error texts.
bool ReadZozSource(QIODevice& device, const QString& name, const SReadOptions& options,
                   CQuestionnaire& questionnaire, QString& error);
bool ReadDimensionsSource(QIODevice& device, const QString& name, const SReadOptions& options,
                          CQuestionnaire& questionnaire, QString& error);
bool ReadTripleSSource(QIODevice& device, const QString& name, const SReadOptions& options,
                       CQuestionnaire& questionnaire, QString& error);

} // namespace qnr
