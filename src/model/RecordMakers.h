#pragma once

#include "model/Captions.h"
#include "model/Language.h"
#include "model/Matchings.h"

#include <QString>
#include <memory>

// Makers of the campaign's small records from values, shared by the engine and the commands so
// that both make identical objects. Each returns a new object for the caller to insert.

namespace pelko_wave {

class CModality;
class CQuestion;
class CVolume;

// Master, child and merge volume from the three objects' ids.
std::unique_ptr<CModalityMerging> MakeModalityMerging(const CModality& master,
                                                      const CModality& child,
                                                      const CVolume& volume);
// A response matching held by the volume, from it on with an open end.
std::unique_ptr<CModalityMatching> MakeModalityMatching(int modalityId, const QString& sourceId,
                                                        const CVolume& volume,
                                                        const CQuestion& question);
// A question matching held by the volume, from it on with an open end.
std::unique_ptr<CQuestionMatching> MakeQuestionMatching(int questionId, const QString& sourceId,
                                                        const CVolume& volume);
std::unique_ptr<CLanguage> MakeLanguage(int languageId, int isDefault, const QString& name,
                                        const QString& abbreviation);
std::unique_ptr<CModalityCaption> MakeModalityCaption(int questionId, int modalityId,
                                                      int languageId, const QString& shortCaption);
std::unique_ptr<CQuestionCaption> MakeQuestionCaption(int questionId, int languageId,
                                                      const QString& shortCaption,
                                                      const QString& longCaption);

} // namespace pelko_wave
