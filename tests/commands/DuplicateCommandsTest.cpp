#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/DuplicateCommands.h"
#include "commands/MatchingCallBackInfo.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;
using engine_test::kLanguage;

namespace {

// Volumes 1, 2, 3 in waves 1 to 3, each inheriting from the one before. The kept question 10
// has responses 100 "Yes" and 101 "No"; its duplicate 11 has 110 "yes", 111 "Maybe" and 112
// with no caption.
class DuplicateCommands : public ::testing::Test
{
protected:
    DuplicateCommands()
    {
        CCampaign& c = Campaign();
        c.AddLanguage(MakeLanguage(kLanguage, 1, QStringLiteral("English"), QString()));
        for (int v = 1; v <= 3; ++v)
            volumes[v] = engine_test::AddVolume(c, *engine_test::AddWave(c, v), v, {1}, {2},
                                                v == 1 ? -1 : v - 1);
        kept = engine_test::AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
        engine_test::AddResponses(c, *kept, 100, {"Yes", "No"});
        duplicate =
            engine_test::AddQuestion(c, 11, QStringLiteral("Q1B"), QStringLiteral("Brand"), 1);
        engine_test::AddResponses(c, *duplicate, 110, {"yes", "Maybe"});
        engine_test::AddResponse(c, *duplicate, 112, QString());
        duplicate->GetModality(2)->RemoveCaption(kLanguage);
    }

    CCampaign& Campaign() { return *app.Campaign; }
    QString Matchings() { return MatchingsText(Campaign()); }

    CTestWaveApp app;
    CVolume* volumes[4] = {};
    CQuestion* kept = nullptr;
    CQuestion* duplicate = nullptr;
};

TEST_F(DuplicateCommands, ADuplicateQuestionPassesItsMatchingsWhereTheKeptOneHasNone)
{
    engine_test::MatchQuestion(*volumes[1], 11, 6);
    engine_test::MatchResponse(*volumes[1], 11, 110, 1);
    engine_test::MatchResponse(*volumes[1], 11, 111, 3);
    engine_test::MatchResponse(*volumes[1], 11, 112, 4);
    // In volume 2 the kept question is matched already: the duplicate's matching there goes.
    engine_test::MatchQuestion(*volumes[2], 10, 5);
    engine_test::MatchQuestion(*volumes[2], 11, 8);
    // A merging of two duplicate responses would name responses that are gone.
    Campaign().AddModalityMerging(MakeModalityMerging(
        *Campaign().GetModalityById(110), *Campaign().GetModalityById(111), *volumes[2]));

    CCmdRemoveDuplicateQuestion command(&Campaign(), kept, duplicate);
    EXPECT_EQ(command.GetName(), "remove duplicate response");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    // "yes" pairs with "Yes"; "Maybe" and the response without caption pair with nothing.
    EXPECT_EQ(Matchings(), "Q10@1=6[1..*] Q10@2=5[2..*] R100@1=1[1..*]");
    EXPECT_EQ(Campaign().GetQuestionById(11), nullptr);
    for (const int id : {110, 111, 112})
        EXPECT_EQ(Campaign().GetModalityById(id), nullptr);
    EXPECT_EQ(Campaign().GetModalityMergingCount(), 0);
    const auto& info = dynamic_cast<const CCallBackInfoRemoveDuplicateQuestion&>(*records.AfterDo);
    EXPECT_EQ(info.KeptQuestionId, 10);
    EXPECT_EQ(info.RemovedQuestionId, 11);

    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(Campaign().GetQuestionById(11), duplicate);
    EXPECT_EQ(duplicate->GetModalityCount(), 3);
    EXPECT_EQ(Campaign().GetModalityMergingCount(), 1);
}

TEST_F(DuplicateCommands, ADuplicateResponseIsMarkedDeletedAndItsMatchingsPass)
{
    CModality* yes = Campaign().GetModalityById(100);
    CModality* no = Campaign().GetModalityById(101);
    engine_test::MatchQuestion(*volumes[1], 10, 5);
    engine_test::MatchResponse(*volumes[1], 10, 101, 2);
    // Volume 3 matches both: the duplicate's matching there is dropped, not carried over.
    engine_test::MatchResponse(*volumes[3], 10, 100, 1);
    engine_test::MatchResponse(*volumes[3], 10, 101, 3);
    no->SetDeletionWaveId(NO_WAVE_ID);

    CCmdRemoveDuplicateModality command(&Campaign(), Campaign().GetWave(0), volumes[2], 0, yes, no);
    EXPECT_EQ(command.GetName(), "remove duplicate response");
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(Matchings(), "Q10@1=5[1..*] R100@1=2[1..*] R100@3=1[3..*]");
    EXPECT_EQ(no->IsDeleted(), 1);
    EXPECT_EQ(no->GetDeletionWaveId(), 2); // the given volume's wave
    EXPECT_EQ(kept->FindModalityIndex(no), 1);
    const auto& info = dynamic_cast<const CCallBackInfoRemoveDuplicateModality&>(*records.AfterDo);
    EXPECT_EQ(info.SourceId, "2");
    EXPECT_EQ(info.Duplicate, no);

    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(no->IsDeleted(), 0);
    EXPECT_EQ(no->GetDeletionWaveId(), NO_WAVE_ID);

    // Without a volume the given wave is the deletion wave.
    CCmdRemoveDuplicateModality withoutVolume(&Campaign(), Campaign().GetWave(2), nullptr, 0, yes,
                                              no);
    ASSERT_TRUE(RunSteps(withoutVolume, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(no->GetDeletionWaveId(), 3);
}

} // namespace
