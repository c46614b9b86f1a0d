#include "reconcile/LanguageReconciliation.h"

#include "model/Campaign.h"
#include "model/Language.h"
#include "model/OptionRecords.h"
#include "questionnaire/Questionnaire.h"

#include <QHash>
#include <algorithm>

using namespace pelko_wave;

namespace {

// Coverage below which a language is not considered for the comparison.
constexpr float kCoverageThreshold = 0.8f;

// Orders coverages for the walk. Key: coverage descending, then position in the language list
// descending (the language recorded last first).
void OrderForWalk(std::vector<SLanguageCoverage>& coverages)
{
    std::reverse(coverages.begin(), coverages.end());
    std::stable_sort(coverages.begin(), coverages.end(),
                     [](const SLanguageCoverage& a, const SLanguageCoverage& b) {
                         return a.Coverage > b.Coverage;
                     });
}

float CoverageOf(int count, int counted)
{
    return counted == 0 ? 0.0f : float(count) / float(counted);
}

float FindCoverage(const std::vector<SLanguageCoverage>& coverages, int languageId)
{
    for (const SLanguageCoverage& coverage : coverages) {
        if (coverage.LanguageId == languageId)
            return coverage.Coverage;
    }
    return 0.0f;
}

int GetCampaignDefaultLanguage(const CCampaign& campaign)
{
    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        if (campaign.GetLanguage(i)->IsDefault())
            return campaign.GetLanguage(i)->GetLanguageId();
    }
    return -1;
}

bool IsWellCovered(const SLanguageCoverage& coverage)
{
    return !(coverage.Coverage < kCoverageThreshold);
}

// The first pair, walking the campaign languages and within each the questionnaire languages,
// both by falling coverage and while well covered, whose ids agree by the test.
template <typename Agree>
bool FindPair(const std::vector<SLanguageCoverage>& campaignSide,
              const std::vector<SLanguageCoverage>& questionnaireSide, Agree agree,
              int& campaignLanguage, int& questionnaireLanguage)
{
    for (const SLanguageCoverage& c : campaignSide) {
        if (!IsWellCovered(c))
            break;
        for (const SLanguageCoverage& q : questionnaireSide) {
            if (!IsWellCovered(q))
                break;
            if (agree(c.LanguageId, q.LanguageId)) {
                campaignLanguage = c.LanguageId;
                questionnaireLanguage = q.LanguageId;
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::vector<SLanguageCoverage> GetCampaignLanguageCoverages(const CCampaign& campaign, int waveId)
{
    QHash<int, int> counts;
    int counted = 0;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion* question = campaign.GetQuestion(i);
        if (campaign.IsReservedQuestion(question) ||
            !campaign.IsWaveBefore(waveId, question->GetDeletionWaveId()))
            continue;
        ++counted;
        for (int c = 0; c < question->GetCaptionCount(); ++c)
            ++counts[question->GetCaption(c)->GetLanguageId()];
    }
    std::vector<SLanguageCoverage> coverages;
    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        const int languageId = campaign.GetLanguage(i)->GetLanguageId();
        coverages.push_back({languageId, CoverageOf(counts.value(languageId), counted)});
    }
    OrderForWalk(coverages);
    return coverages;
}

std::vector<SLanguageCoverage>
GetQuestionnaireLanguageCoverages(const qnr::CQuestionnaire& questionnaire)
{
    QHash<int, int> counts;
    const int counted = questionnaire.GetNbreQuestion();
    for (int i = 0; i < counted; ++i) {
        for (const auto& entry : questionnaire.GetQuestion(i)->GetCaptions().GetEntries()) {
            if (!entry.shortCaption.isEmpty() || !entry.longCaption.isEmpty())
                ++counts[entry.languageId];
        }
    }
    std::vector<SLanguageCoverage> coverages;
    for (int i = 0; i < questionnaire.GetLanguageCount(); ++i) {
        const int languageId = questionnaire.GetLanguage(i)->GetId();
        coverages.push_back({languageId, CoverageOf(counts.value(languageId), counted)});
    }
    OrderForWalk(coverages);
    return coverages;
}

SComparisonLanguages ChooseComparisonLanguages(const CCampaign& campaign,
                                               const qnr::CQuestionnaire& questionnaire, int waveId)
{
    const std::vector<SLanguageCoverage> campaignSide =
        GetCampaignLanguageCoverages(campaign, waveId);
    const std::vector<SLanguageCoverage> questionnaireSide =
        GetQuestionnaireLanguageCoverages(questionnaire);
    const int campaignDefault = GetCampaignDefaultLanguage(campaign);
    const int questionnaireDefault = questionnaire.GetDefaultLanguageId();

    // The default languages, unless a better pair is found; FindPair changes nothing when it
    // finds none.
    SComparisonLanguages chosen{campaignDefault, questionnaireDefault};
    const bool defaultsAgree =
        campaignDefault == questionnaireDefault &&
        FindCoverage(campaignSide, campaignDefault) > kCoverageThreshold &&
        FindCoverage(questionnaireSide, questionnaireDefault) > kCoverageThreshold;
    if (!defaultsAgree) {
        const auto sameLanguage = [](int a, int b) { return a == b; };
        const auto samePrimary = [](int a, int b) {
            return PrimaryLanguageOf(a) == PrimaryLanguageOf(b);
        };
        if (!FindPair(campaignSide, questionnaireSide, sameLanguage, chosen.CampaignLanguage,
                      chosen.QuestionnaireLanguage))
            FindPair(campaignSide, questionnaireSide, samePrimary, chosen.CampaignLanguage,
                     chosen.QuestionnaireLanguage);
    }
    return chosen;
}

void ReconcileLanguages(const CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                        int waveId)
{
    const SComparisonLanguages chosen = ChooseComparisonLanguages(campaign, questionnaire, waveId);
    SetCurrentLanguageId(chosen.CampaignLanguage);
    SetCurrentQuestionnaireLanguage(chosen.QuestionnaireLanguage);
}

CComparisonLanguagesScope::CComparisonLanguagesScope(const CCampaign& campaign,
                                                     const qnr::CQuestionnaire& questionnaire,
                                                     int waveId)
    : m_previousCampaignLanguage(GetCurrentLanguageId()),
      m_previousQuestionnaireLanguage(GetCurrentQuestionnaireLanguage())
{
    ReconcileLanguages(campaign, questionnaire, waveId);
}

CComparisonLanguagesScope::~CComparisonLanguagesScope()
{
    SetCurrentLanguageId(m_previousCampaignLanguage);
    SetCurrentQuestionnaireLanguage(m_previousQuestionnaireLanguage);
}
