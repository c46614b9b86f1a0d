#include "EngineFixtures.h"
#include "support/DiffsTestWaveApp.h"

#include "model/Campaign.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/WaveDiffsFill.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

std::vector<int> Kinds(const CDiffList& diffs)
{
    std::vector<int> kinds;
    for (const auto& [kind, detail] : diffs)
        kinds.push_back(kind);
    return kinds;
}

// Wave 1 with volume 1, wave 2 with volumes 2 and 3, all roots. Question Q1 (id 2, responses 1
// and 2) and Q2 (id 3), matched in every volume to sources that agree with them.
class DiffsCache : public ::testing::Test
{
protected:
    DiffsCache()
    {
        CCampaign& campaign = *app.Campaign;
        auto language = std::make_unique<CLanguage>(kLanguage);
        language->SetIsDefault(1);
        campaign.AddLanguage(std::move(language));
        AddVolume(campaign, *AddWave(campaign, 1), 1, {}, {});
        CWave& second = *AddWave(campaign, 2);
        AddVolume(campaign, second, 2, {}, {});
        AddVolume(campaign, second, 3, {}, {});
        CQuestion& q1 = *AddQuestion(campaign, 2, "Q1", "Brands", 1);
        q1.SetLongCaption(kLanguage, QStringLiteral("Brands"));
        AddResponses(campaign, q1, 1, {"A", "B"});
        AddQuestion(campaign, 3, "Q2", "Visits", 1, 5)
            ->SetLongCaption(kLanguage, QStringLiteral("Visits"));
        for (int volumeId = 1; volumeId <= 3; ++volumeId) {
            CVolume& volume = *campaign.FindVolume(volumeId);
            volume.SetStatus(VOLUME_RECONCILED);
            qnr::CQuestion* brands = AddSourceQuestion(volume, 10, "Q1", "Brands");
            m_sourceResponses[{volumeId, 1}] = AddSourceResponse(*brands, 1, QStringLiteral("A"));
            m_sourceResponses[{volumeId, 2}] = AddSourceResponse(*brands, 2, QStringLiteral("B"));
            AddSourceQuestion(volume, 11, "Q2", "Visits", 5);
            MatchQuestion(volume, 2, 10);
            MatchResponse(volume, 2, 1, 1);
            MatchResponse(volume, 2, 2, 2);
            MatchQuestion(volume, 3, 11);
        }
    }
    CCampaign& Campaign() { return *app.Campaign; }
    qnr::CQuestion& Source(int volumeId, int code)
    {
        return *Campaign().FindVolume(volumeId)->GetQuestionnaire().GetQuestion(code - 10);
    }
    qnr::CModalite& SourceResponse(int volumeId, int code)
    {
        return *m_sourceResponses.at({volumeId, code});
    }
    std::vector<int> QuestionKinds(const CWaveDiffsEntry& entry, int questionId, int volumeId)
    {
        CDiffList diffs;
        GetCachedQuestionDifferenceKinds(entry.GetQuestionDiffs(), questionId, volumeId, diffs);
        return Kinds(diffs);
    }
    std::vector<int> ModalityKinds(const CWaveDiffsEntry& entry, int modalityId)
    {
        CDiffList diffs;
        GetCachedModalityDifferenceKinds(entry.GetModalityDiffs(), modalityId, diffs);
        return Kinds(diffs);
    }

    CDiffsTestWaveApp app;
    CCampaignDiffsCache cache{app.Campaign};

private:
    std::map<std::pair<int, int>, qnr::CModalite*> m_sourceResponses;
};

} // namespace

TEST_F(DiffsCache, EntriesAreMadeOnlyWhenAskedFor)
{
    EXPECT_EQ(cache.GetWaveEntry(1, false), nullptr);
    EXPECT_EQ(cache.GetWaveEntry(1, false), nullptr);
    CWaveDiffsEntry* entry = cache.GetWaveEntry(1, true);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsWholeWaveInvalid());
    EXPECT_EQ(cache.GetWaveEntry(1, false), entry);

    entry->SetWholeWaveInvalid(false);
    entry->InvalidateQuestion(4);
    entry->GetModalityDiffs().Insert(1, 9, nullptr);
    EXPECT_EQ(cache.ResetWaveEntry(1), entry);
    EXPECT_TRUE(entry->IsWholeWaveInvalid());
    EXPECT_FALSE(entry->IsQuestionInvalid(4));
    EXPECT_EQ(entry->GetModalityDiffs().Size(), 0);
}

TEST_F(DiffsCache, InvalidationReachesTheWaveAndTheLaterOnes)
{
    CWaveDiffsEntry* first = cache.GetWaveEntry(1, true);
    CWaveDiffsEntry* second = cache.GetWaveEntry(2, true);
    const auto stale = [&](int questionId) {
        return std::make_pair(bool(first->IsQuestionInvalid(questionId)),
                              bool(second->IsQuestionInvalid(questionId)));
    };
    cache.InvalidateQuestion(2, 7);
    EXPECT_EQ(stale(7), std::make_pair(false, true));
    cache.InvalidateQuestion(1, 8);
    EXPECT_EQ(stale(8), std::make_pair(true, true));
    cache.InvalidateQuestion(0, 9);
    EXPECT_EQ(stale(9), std::make_pair(true, true));
    first->ValidateQuestion(9);
    EXPECT_EQ(stale(9), std::make_pair(false, true));

    // The wave order decides, not the ids.
    Campaign().FindWave(1)->SetWaveOrder(5);
    cache.InvalidateQuestion(2, 10);
    EXPECT_EQ(stale(10), std::make_pair(true, true));
    Campaign().FindWave(1)->SetWaveOrder(1);

    first->SetWholeWaveInvalid(false);
    second->SetWholeWaveInvalid(false);
    cache.InvalidateWave(2);
    EXPECT_FALSE(first->IsWholeWaveInvalid());
    EXPECT_TRUE(second->IsWholeWaveInvalid());
    second->SetWholeWaveInvalid(false);
    // A wave the campaign does not have reaches every entry.
    cache.InvalidateWave(77);
    EXPECT_TRUE(first->IsWholeWaveInvalid());
    EXPECT_TRUE(second->IsWholeWaveInvalid());
}

TEST_F(DiffsCache, StoreOperations)
{
    CRowMultimap questions;
    CRowMultimapStr responses;
    CQuestion& q1 = *Campaign().GetQuestionById(2);
    Source(2, 10).SetShortcut(QStringLiteral("Q1new"));
    EXPECT_TRUE(CacheQuestionDifferences(q1, Source(2, 10), 2, questions));
    EXPECT_FALSE(CacheQuestionDifferences(q1, Source(3, 10), 3, questions));
    questions.Insert({2, 2}, 26, nullptr);
    questions.Insert({2, 2}, 26, nullptr);

    CDiffList diffs;
    EXPECT_EQ(GetCachedQuestionDifferenceKinds(questions, 2, 2, diffs), 3);
    // Of the two "Responses" entries the list gets one.
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{2, 26}));
    EXPECT_EQ(GetCachedQuestionDifferenceKinds(questions, 2, 2, diffs), 3);
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{2, 2, 26}));
    EXPECT_EQ(GetCachedQuestionDifferenceKinds(questions, 2, 3, diffs), 0);

    app.ModalityDiffs.SetEnabled(8, true);
    qnr::CModalite source = *Source(2, 10).GetModalite(0);
    source.SetUserData(QStringLiteral("changed"));
    EXPECT_TRUE(CacheModalityDifferences(*Campaign().GetModalityById(1), source, responses));
    diffs.clear();
    EXPECT_EQ(GetCachedModalityDifferenceKinds(responses, 1, diffs), 1);
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{8}));
}

TEST_F(DiffsCache, FillerComputesStaleQuestionsOnly)
{
    app.ModalityDiffs.SetEnabled(8, true);
    Source(2, 10).SetShortcut(QStringLiteral("Brand"));
    SourceResponse(3, 2).SetUserData(QStringLiteral("u"));
    AddSourceResponse(Source(3, 10), 3, QStringLiteral("C"));

    CWaveDiffsEntry* entry = FillWaveDifferences(cache, Campaign(), 2);
    ASSERT_EQ(entry, cache.GetWaveEntry(2, false));
    EXPECT_FALSE(entry->IsWholeWaveInvalid());
    EXPECT_EQ(QuestionKinds(*entry, 2, 2), (std::vector<int>{2}));
    // Stored after the question's own kinds: "Responses", then "Response count".
    EXPECT_EQ(QuestionKinds(*entry, 2, 3), (std::vector<int>{25, 26}));
    EXPECT_EQ(entry->GetQuestionDiffs().GetNthRow({2, 3}, 0), 26);
    EXPECT_EQ(entry->GetQuestionDiffs().GetNthRow({2, 3}, 1), 25);
    EXPECT_EQ(ModalityKinds(*entry, 2), (std::vector<int>{8}));
    EXPECT_EQ(ModalityKinds(*entry, 1), std::vector<int>{});
    EXPECT_EQ(QuestionKinds(*entry, 3, 2), std::vector<int>{});
    // Only the wave asked for is filled.
    EXPECT_EQ(cache.GetWaveEntry(1, false), nullptr);

    // The response count is compared only while it is enabled.
    app.QuestionDiffs.SetEnabled(25, false);
    cache.InvalidateQuestion(2, 2);
    FillWaveDifferences(cache, Campaign(), 2);
    EXPECT_EQ(QuestionKinds(*entry, 2, 3), (std::vector<int>{26}));
    EXPECT_FALSE(entry->IsQuestionInvalid(2));

    // A change that nobody reports stays unseen; once the question is invalidated, it is
    // recomputed, and the other questions are used as they stand.
    Source(2, 10).SetShortcut(QStringLiteral("Q1"));
    Source(2, 11).SetShortcut(QStringLiteral("Visits"));
    FillWaveDifferences(cache, Campaign(), 2);
    EXPECT_EQ(QuestionKinds(*entry, 2, 2), (std::vector<int>{2}));
    cache.InvalidateQuestion(1, 2);
    FillWaveDifferences(cache, Campaign(), 2);
    EXPECT_EQ(QuestionKinds(*entry, 2, 2), std::vector<int>{});
    EXPECT_EQ(QuestionKinds(*entry, 3, 2), std::vector<int>{});
    cache.InvalidateWave(2);
    FillWaveDifferences(cache, Campaign(), 2);
    EXPECT_EQ(QuestionKinds(*entry, 3, 2), (std::vector<int>{2}));
}

TEST_F(DiffsCache, RemovedItemsLeaveNoEntriesBehind)
{
    app.ModalityDiffs.SetEnabled(8, true);
    for (int volumeId = 1; volumeId <= 3; ++volumeId) {
        Source(volumeId, 11).SetShortcut(QStringLiteral("Q2new"));
        SourceResponse(volumeId, 1).SetUserData(QStringLiteral("u"));
    }
    CWaveDiffsEntry* first = FillWaveDifferences(cache, Campaign(), 1);
    CWaveDiffsEntry* second = FillWaveDifferences(cache, Campaign(), 2);
    ASSERT_EQ(QuestionKinds(*first, 3, 1), (std::vector<int>{2}));
    ASSERT_EQ(ModalityKinds(*second, 1), (std::vector<int>{8, 8}));

    // A question taken out of the campaign (its view invalidates it in its wave only): no entry
    // of any wave names it any more.
    std::unique_ptr<CQuestion> removed = Campaign().RemoveQuestion(3);
    cache.InvalidateQuestion(2, 3);
    EXPECT_EQ(QuestionKinds(*first, 3, 1), std::vector<int>{});
    EXPECT_EQ(QuestionKinds(*second, 3, 2), std::vector<int>{});
    EXPECT_EQ(QuestionKinds(*second, 3, 3), std::vector<int>{});
    EXPECT_EQ(QuestionKinds(*second, 2, 2), (std::vector<int>{26}));

    // A response taken out of the campaign.
    std::unique_ptr<CModality> response = Campaign().RemoveModality(1);
    Campaign().GetQuestionById(2)->RemoveModality(1);
    cache.InvalidateQuestion(2, 2);
    EXPECT_EQ(ModalityKinds(*first, 1), std::vector<int>{});
    EXPECT_EQ(ModalityKinds(*second, 1), std::vector<int>{});

    // A wave taken out: its entry goes with it.
    std::unique_ptr<CWave> wave = Campaign().RemoveWave(1);
    cache.InvalidateWave(1);
    EXPECT_EQ(cache.GetWaveEntry(1, false), nullptr);
    EXPECT_EQ(cache.GetWaveEntry(2, false), second);
}
