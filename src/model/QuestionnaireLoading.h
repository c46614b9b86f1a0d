#pragma once

#include <QHash>
#include <QString>

// Reading a volume's source questionnaire on demand. The format read is the volume's source
// type (0 ZOZ, 1 Dimensions, 2 Triple-S); the questions are read with the program's own
// language. A questionnaire that fails to load stays empty, so the next call tries again.

namespace qnr {
class CQuestion;
class CQuestionnaire;
} // namespace qnr

namespace pelko_wave {

struct CSourcePath;
class CVolume;

// Whether the source type is a questionnaire format that can be read.
bool IsReadableSourceType(int sourceType);

// Reads the questionnaire of the source path record (a file) in the source type's format.
// databaseType is kept for the callers, which pass 0; the format follows the source type. On
// failure errorText, when given, says why.
bool LoadQuestionnaire(qnr::CQuestionnaire& questionnaire, const CSourcePath& source,
                       int sourceType, int databaseType = 0, QString* errorText = nullptr);
// The same with a path.
bool LoadQuestionnaireFromSource(qnr::CQuestionnaire& questionnaire, const QString& path,
                                 int sourceType, int databaseType = 0,
                                 QString* errorText = nullptr);
// True at once when the questionnaire has questions; otherwise reads it from the path.
bool EnsureQuestionnaireLoaded(qnr::CQuestionnaire& questionnaire, const QString& path,
                               int sourceType, int databaseType = 0, QString* errorText = nullptr);
// True at once when the volume's questionnaire has questions; otherwise reads it from the
// volume's questionnaire source. Called before every use of a volume's questionnaire.
bool EnsureVolumeQuestionnaire(CVolume& volume, int databaseType = 0, QString* errorText = nullptr);
// The questionnaire's question count, reading it from the path first when it is empty; 0 when
// that read fails.
int GetQuestionnaireQuestionCount(qnr::CQuestionnaire& questionnaire, int sourceType,
                                  const QString& path, int databaseType = 0);
// Source question code ("%d") -> the question (borrowed from the questionnaire); the map is
// emptied first.
void IndexQuestionnaireByCode(const qnr::CQuestionnaire& questionnaire,
                              QHash<QString, const qnr::CQuestion*>& questions);

} // namespace pelko_wave
