#pragma once

// Chooses the languages in which captions are compared before a volume is matched.

namespace qnr {
class CQuestionnaire;
}

namespace pelko_wave {

class CCampaign;

// Sets the current campaign language and the current questionnaire language.
void ReconcileLanguages(const CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                        int waveId);

} // namespace pelko_wave
