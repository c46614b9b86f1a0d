#include "reconcile/LanguageReconciliation.h"

#include "TextEngineFixtures.h"
#include "model/OptionRecords.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace text_engine_test;

namespace {

constexpr int kEnglishUs = 0x0409;
constexpr int kEnglishUk = 0x0809;
constexpr int kFrench = 0x040C;
constexpr int kFrenchCanada = 0x0C0C;
constexpr int kGerman = 0x0407;
constexpr int kWave = 1;

// A campaign of `count` questions; question i has a caption in each language whose share of
// questions (out of count) is at least i + 1.
std::unique_ptr<CCampaign> MakeCampaign(const std::vector<std::pair<int, int>>& languageShares,
                                        int defaultLanguage, int count = 10)
{
    auto campaign = std::make_unique<CCampaign>();
    AddWave(*campaign, kWave, 1);
    for (const auto& share : languageShares)
        AddLanguage(*campaign, share.first, share.first == defaultLanguage);
    for (int i = 0; i < count; ++i) {
        CaptionList captions;
        for (const auto& [languageId, questions] : languageShares) {
            if (i < questions)
                captions.push_back({languageId, QStringLiteral("Q%1").arg(i)});
        }
        AddQuestion(*campaign, 100 + i, QStringLiteral("Q%1").arg(i), captions);
    }
    return campaign;
}

// The same for a questionnaire.
std::unique_ptr<qnr::CQuestionnaire>
MakeQuestionnaire(const std::vector<std::pair<int, int>>& languageShares, int defaultLanguage,
                  int count = 10)
{
    auto questionnaire = std::make_unique<qnr::CQuestionnaire>();
    for (const auto& share : languageShares)
        questionnaire->AddLanguage(qnr::CLanguage(share.first));
    questionnaire->SetDefaultLanguageId(defaultLanguage);
    for (int i = 0; i < count; ++i) {
        CaptionList captions;
        for (const auto& [languageId, questions] : languageShares) {
            if (i < questions)
                captions.push_back({languageId, QStringLiteral("S%1").arg(i)});
        }
        AddSourceQuestion(*questionnaire, 1000 + i, QStringLiteral("S%1").arg(i), captions);
    }
    questionnaire->PreparerSaisie();
    return questionnaire;
}

std::pair<int, int> Reconcile(const CCampaign& campaign, const qnr::CQuestionnaire& questionnaire)
{
    ReconcileLanguages(campaign, questionnaire, kWave);
    return {GetCurrentLanguageId(), GetCurrentQuestionnaireLanguage()};
}

using Chosen = std::pair<int, int>;

} // namespace

TEST(LanguageReconciliation, ChoosesTheCommonDefaultLanguageWhenBothCoverIt)
{
    CCurrentLanguagesGuard guard;
    const auto campaign = MakeCampaign({{kEnglishUs, 10}, {kFrench, 10}}, kEnglishUs);
    const auto questionnaire = MakeQuestionnaire({{kFrench, 10}, {kEnglishUs, 10}}, kEnglishUs);
    EXPECT_EQ(Reconcile(*campaign, *questionnaire), Chosen(kEnglishUs, kEnglishUs));
}

TEST(LanguageReconciliation, ChoosesAWellCoveredCommonLanguageOverTheDefault)
{
    CCurrentLanguagesGuard guard;
    // Captions 90 % French, the default English barely covered; the questionnaire is French.
    const auto campaign = MakeCampaign({{kEnglishUs, 5}, {kFrench, 9}}, kEnglishUs);
    const auto questionnaire = MakeQuestionnaire({{kFrench, 10}}, kFrench);
    EXPECT_EQ(Reconcile(*campaign, *questionnaire), Chosen(kFrench, kFrench));
}

TEST(LanguageReconciliation, PairsLanguagesOfTheSamePrimaryLanguage)
{
    CCurrentLanguagesGuard guard;
    const auto campaign = MakeCampaign({{kFrench, 10}}, kFrench);
    const auto questionnaire = MakeQuestionnaire({{kFrenchCanada, 10}}, kFrenchCanada);
    EXPECT_EQ(Reconcile(*campaign, *questionnaire), Chosen(kFrench, kFrenchCanada));
}

TEST(LanguageReconciliation, FallsBackToEachSidesDefault)
{
    CCurrentLanguagesGuard guard;
    // No question is counted: every coverage is 0.
    const auto empty = MakeCampaign({{kEnglishUs, 0}, {kFrench, 0}}, kFrench, 0);
    const auto questionnaire = MakeQuestionnaire({{kEnglishUs, 10}}, kEnglishUs);
    EXPECT_EQ(Reconcile(*empty, *questionnaire), Chosen(kFrench, kEnglishUs));

    // Languages that agree in nothing.
    const auto german = MakeCampaign({{kGerman, 10}}, kGerman);
    EXPECT_EQ(Reconcile(*german, *questionnaire), Chosen(kGerman, kEnglishUs));

    // A campaign without a default language gives -1.
    const auto noDefault = MakeCampaign({{kGerman, 10}}, -1);
    EXPECT_EQ(Reconcile(*noDefault, *questionnaire), Chosen(-1, kEnglishUs));
}

TEST(LanguageReconciliation, ACoverageOfExactlyEightyPercentIsWalkedButNotTakenAsDefault)
{
    CCurrentLanguagesGuard guard;
    const auto questionnaire = MakeQuestionnaire({{kEnglishUs, 10}, {kFrench, 10}}, kEnglishUs);
    // English, the common default, at 80 %: the walk takes the better covered French first.
    const auto eighty = MakeCampaign({{kEnglishUs, 8}, {kFrench, 10}}, kEnglishUs);
    EXPECT_EQ(Reconcile(*eighty, *questionnaire), Chosen(kFrench, kFrench));
    // At 90 % the common default wins at once.
    const auto ninety = MakeCampaign({{kEnglishUs, 9}, {kFrench, 10}}, kEnglishUs);
    EXPECT_EQ(Reconcile(*ninety, *questionnaire), Chosen(kEnglishUs, kEnglishUs));
    // The walk itself stops below 80 % only: English at 80 % pairs with the questionnaire's.
    const auto onlyEnglish = MakeCampaign({{kEnglishUs, 8}, {kGerman, 10}}, kGerman);
    EXPECT_EQ(Reconcile(*onlyEnglish, *questionnaire), Chosen(kEnglishUs, kEnglishUs));
    const auto below = MakeCampaign({{kEnglishUs, 7}, {kGerman, 10}}, kGerman);
    EXPECT_EQ(Reconcile(*below, *questionnaire), Chosen(kGerman, kEnglishUs));
}

TEST(LanguageReconciliation, AmongEqualCoveragesTheLanguageRecordedLastComesFirst)
{
    CCurrentLanguagesGuard guard;
    const auto campaign = MakeCampaign({{kEnglishUs, 10}, {kFrench, 10}, {kGerman, 9}}, -1);
    std::vector<int> order;
    for (const SLanguageCoverage& coverage : GetCampaignLanguageCoverages(*campaign, kWave))
        order.push_back(coverage.LanguageId);
    EXPECT_EQ(order, (std::vector<int>{kFrench, kEnglishUs, kGerman}));

    const auto questionnaire =
        MakeQuestionnaire({{kFrench, 10}, {kGerman, 10}, {kEnglishUs, 10}}, kGerman);
    order.clear();
    for (const SLanguageCoverage& coverage : GetQuestionnaireLanguageCoverages(*questionnaire))
        order.push_back(coverage.LanguageId);
    EXPECT_EQ(order, (std::vector<int>{kEnglishUs, kGerman, kFrench}));

    // The walk takes the campaign's French first and finds it in the questionnaire.
    EXPECT_EQ(Reconcile(*campaign, *questionnaire), Chosen(kFrench, kFrench));

    // Within the primary-language walk the questionnaire side is walked in its order too.
    const auto british = MakeCampaign({{kEnglishUk, 10}}, kEnglishUk);
    const auto american =
        MakeQuestionnaire({{kFrench, 10}, {0x1009, 10}, {kEnglishUs, 10}}, kFrench);
    EXPECT_EQ(Reconcile(*british, *american), Chosen(kEnglishUk, kEnglishUs));
}

TEST(LanguageReconciliation, CountsOnlyQuestionsAliveAfterTheWave)
{
    CCurrentLanguagesGuard guard;
    auto campaign = MakeCampaign({{kEnglishUs, 10}, {kFrench, 6}}, kEnglishUs);
    AddWave(*campaign, 2, 2);
    // Four English-only questions deleted in this very wave, and the reserved question:
    // none of them counts, so French covers 6 of 6.
    for (int i = 0; i < 4; ++i)
        campaign->GetQuestionById(106 + i)->SetDeletionWaveId(kWave);
    AddQuestion(*campaign, RESERVED_QUESTION_ID, QStringLiteral("ANALYSIS"),
                {{kEnglishUs, QStringLiteral("Analysis")}});
    const auto coverages = GetCampaignLanguageCoverages(*campaign, kWave);
    ASSERT_EQ(coverages.size(), 2u);
    EXPECT_EQ(coverages[0].Coverage, 1.0f);
    EXPECT_EQ(coverages[1].Coverage, 1.0f);
    // Deleted only in the later wave 2: still counted for wave 1.
    campaign->GetQuestionById(106)->SetDeletionWaveId(2);
    const auto later = GetCampaignLanguageCoverages(*campaign, kWave);
    EXPECT_EQ(later[0].LanguageId, kEnglishUs);
    EXPECT_EQ(later[1].Coverage, 6.0f / 7.0f);
}

TEST(LanguageReconciliation, AScopeComparesInTheChosenPairAndThenGivesTheOldOneBack)
{
    CCurrentLanguagesGuard guard;
    const auto campaign = MakeCampaign({{kFrench, 10}}, kFrench);
    const auto questionnaire = MakeQuestionnaire({{kFrenchCanada, 10}}, kFrenchCanada);
    const SComparisonLanguages chosen = ChooseComparisonLanguages(*campaign, *questionnaire, kWave);
    EXPECT_EQ(Chosen(chosen.CampaignLanguage, chosen.QuestionnaireLanguage),
              Chosen(kFrench, kFrenchCanada));
    // What a pane had set.
    SetCurrentLanguageId(kGerman);
    SetCurrentQuestionnaireLanguage(kGerman);
    {
        const CComparisonLanguagesScope scope(*campaign, *questionnaire, kWave);
        EXPECT_EQ(GetCurrentLanguageId(), kFrench);
        EXPECT_EQ(GetCurrentQuestionnaireLanguage(), kFrenchCanada);
    }
    EXPECT_EQ(GetCurrentLanguageId(), kGerman);
    EXPECT_EQ(GetCurrentQuestionnaireLanguage(), kGerman);
}
