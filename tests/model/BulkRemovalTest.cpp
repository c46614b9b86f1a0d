// Taking many objects out of the campaign and its volumes in one pass, and putting them back at
// their places: the commands that take back a reconciliation of thousands of items rely on it.

#include "ModelFixtures.h"

#include "model/CampaignDump.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

TEST(BulkRemoval, QuestionsGoInOnePassAndComeBackByTheirOrders)
{
    const auto campaign = MakeFullCampaign();
    const QString before = DumpCampaign(*campaign);
    CQuestion* chapter = campaign->GetQuestionById(10);
    CQuestion* q12 = campaign->GetQuestionById(12);
    CQuestion absent;
    auto removed = campaign->RemoveQuestions({q12, &absent, chapter});
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[0].get(), chapter);
    EXPECT_EQ(removed[1].get(), q12);
    EXPECT_EQ(campaign->GetQuestionById(10), nullptr);
    const CQuestion* q11 = campaign->GetQuestionById(11);
    ASSERT_TRUE(q11);
    EXPECT_EQ(campaign->GetQuestion(campaign->GetQuestionIndexById(11)), q11);

    campaign->InsertQuestions(std::move(removed));
    EXPECT_TRUE(SameDump(DumpCampaign(*campaign), before));
    EXPECT_EQ(campaign->GetQuestion(campaign->GetQuestionIndexById(12)), q12);
}

TEST(BulkRemoval, MatchingsAndResponsesGoInOnePass)
{
    const auto campaign = MakeFullCampaign();
    CVolume* volume = campaign->FindVolume(1);
    CModalityMatching* m100 = volume->FindModalityMatching(100);
    CModalityMatching* m101 = volume->FindModalityMatching(101);
    const int count = volume->GetModalityMatchingCount();
    const auto responses = volume->RemoveModalityMatchings({m101, m100});
    ASSERT_EQ(responses.size(), 2u);
    EXPECT_EQ(responses[0].get(), m100);
    EXPECT_EQ(volume->GetModalityMatchingCount(), count - 2);
    EXPECT_EQ(volume->FindModalityMatching(100), nullptr);

    CQuestionMatching* q12 = volume->FindQuestionMatching(12);
    const auto questions = volume->RemoveQuestionMatchings({q12});
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(volume->FindQuestionMatching(12), nullptr);
    EXPECT_EQ(volume->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("11"));

    const auto modalities = campaign->RemoveModalities({campaign->GetModalityById(103)});
    ASSERT_EQ(modalities.size(), 1u);
    EXPECT_EQ(campaign->GetModalityById(103), nullptr);
    EXPECT_EQ(campaign->GetModalityById(102)->GetModalityId(), 102);
}

TEST(BulkRemoval, AVolumeAndAChildComeBackToTheirPlaces)
{
    const auto campaign = MakeFullCampaign();
    const QString before = DumpCampaign(*campaign);
    CWave* wave = campaign->FindWave(2);
    CVolume* parent = campaign->FindVolume(2);
    CVolume* child = campaign->FindVolume(3);
    const int position = parent->FindChildVolumeIndex(3);
    ASSERT_EQ(position, 0);
    parent->RemoveChildVolume(3);
    auto volume = wave->RemoveVolume(3);
    EXPECT_EQ(parent->FindChildVolumeIndex(3), -1);
    EXPECT_EQ(wave->InsertVolume(0, std::move(volume)), 0);
    parent->InsertChildVolume(position, child);
    EXPECT_TRUE(SameDump(DumpCampaign(*campaign), before));
    EXPECT_EQ(campaign->FindVolume(3), child);
    EXPECT_TRUE(campaign->IsVolumeBefore(3, 4));
}

} // namespace
