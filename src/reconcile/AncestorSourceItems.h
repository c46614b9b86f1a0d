#pragma once

// The parent volume's source items, which take the campaign item's place in the text
// comparisons of a volume matched "using parent volume source values": the source question or
// response that the parent volume's matching (its own or inherited) names, in the parent's
// questionnaire, read on demand.

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

namespace pelko_wave {

class CModality;
class CVolume;

// The parent volume's source question of the campaign question; null when the volume has no
// parent, the parent has no matching of the question or its questionnaire lacks the source.
const qnr::CQuestion* FindParentSourceQuestion(const CVolume& volume, int questionId);
// The parent volume's source response of the campaign response, found through the parent's
// matchings of its question and of the response; null when any of them is missing.
const qnr::CModalite* FindParentSourceModality(const CVolume& volume, const CModality& modality);

} // namespace pelko_wave
