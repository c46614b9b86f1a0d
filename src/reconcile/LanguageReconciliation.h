#pragma once

#include <vector>

// Choosing the pair of languages in which a volume's captions are compared: the campaign's
// captions in the current campaign language, the source captions in the current questionnaire
// language.

namespace pelko_wave {
class CCampaign;
}
namespace qnr {
class CQuestionnaire;
}

struct SLanguageCoverage
{
    int LanguageId = 0;
    // The share of the counted questions that have a caption in the language.
    float Coverage = 0.0f;
};

// The campaign's languages, in the order they are walked: by falling coverage, the language
// recorded last in the campaign first among equal coverages. Counted are the questions that are
// not reserved and that are deleted in no wave up to the given one; each caption counts for its
// language.
std::vector<SLanguageCoverage> GetCampaignLanguageCoverages(const pelko_wave::CCampaign& campaign,
                                                            int waveId);
// The questionnaire's languages in the same order: every question counts for each language in
// which it has a text.
std::vector<SLanguageCoverage>
GetQuestionnaireLanguageCoverages(const qnr::CQuestionnaire& questionnaire);

// Sets the current campaign language and the current questionnaire language for the volume's
// questionnaire: the two default languages when they agree and both cover more than 80 % of
// their questions; else the first pair of well covered languages (80 % or more) with the same
// language, then with the same primary language; else each side's default language.
void ReconcileLanguages(const pelko_wave::CCampaign& campaign,
                        const qnr::CQuestionnaire& questionnaire, int waveId);
