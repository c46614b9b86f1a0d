#pragma once

#include <QString>

// The parent volume's source items that stand in for campaign items when a volume matches
// using its parent's source values (MatchUsingAncestorValues): the source question and source
// response to which the parent volume's matchings (its own or inherited) tie the campaign item.

namespace pelko_wave {
class CModality;
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// The code of a source id ("%d"); false when the text is not a whole number.
bool ReadSourceCode(const QString& sourceId, int& code);

// The source question of the parent volume matched to the campaign question, loading the
// parent's questionnaire when needed; null for a root volume, without a matching valid for the
// parent, or when the parent's source has no such question.
const qnr::CQuestion* FindParentSourceQuestion(const pelko_wave::CVolume& volume,
                                               const pelko_wave::CQuestion& question);
// The source response of that source question matched to the campaign response by the parent's
// response matchings; null when there is none.
const qnr::CModalite* FindParentSourceModality(const pelko_wave::CVolume& volume,
                                               const pelko_wave::CQuestion& question,
                                               const pelko_wave::CModality& modality);
