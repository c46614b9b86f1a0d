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

// The pair of languages in which the captions of one volume are compared with the campaign's.
struct SComparisonLanguages
{
    int CampaignLanguage = 0;
    int QuestionnaireLanguage = 0;
};

// The pair for the volume's questionnaire in the wave: the two default languages when they agree
// and both cover more than 80 % of their questions; else the first pair of well covered
// languages (80 % or more) with the same language, then with the same primary language; else
// each side's default language.
SComparisonLanguages ChooseComparisonLanguages(const pelko_wave::CCampaign& campaign,
                                               const qnr::CQuestionnaire& questionnaire,
                                               int waveId);

// Sets the current campaign language and the current questionnaire language to the pair chosen
// for the volume's questionnaire.
void ReconcileLanguages(const pelko_wave::CCampaign& campaign,
                        const qnr::CQuestionnaire& questionnaire, int waveId);

// Compares in the languages a reconciliation of the volume's wave would choose for its
// questionnaire, for as long as it lives, whatever a pane had set; then gives the current
// languages back the values they had. For the commands that match a volume's items by hand.
class CComparisonLanguagesScope
{
public:
    CComparisonLanguagesScope(const pelko_wave::CCampaign& campaign,
                              const qnr::CQuestionnaire& questionnaire, int waveId);
    ~CComparisonLanguagesScope();

    CComparisonLanguagesScope(const CComparisonLanguagesScope&) = delete;
    CComparisonLanguagesScope& operator=(const CComparisonLanguagesScope&) = delete;

private:
    int m_previousCampaignLanguage;
    int m_previousQuestionnaireLanguage;
};
