#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/UnreconcileCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "commands/WaveCommands.h"
#include "model/Campaign.h"

using namespace pelko_wave;
using namespace engine_test;

namespace {

class WaveCommandsTest : public CCommandTest
{
protected:
    // A wave with the id and order given (orders may leave gaps).
    CWave* AddWaveAt(int waveId, int order)
    {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(waveId);
        wave->SetWaveOrder(order);
        wave->SetName(QStringLiteral("W%1").arg(waveId));
        CWave* raw = wave.get();
        Campaign().InsertWave(std::move(wave));
        return raw;
    }
    std::unique_ptr<CCmdNewWave> NewWave(int position)
    {
        return std::make_unique<CCmdNewWave>(&Campaign(), position, QStringLiteral("New"),
                                             QStringLiteral("Inserted"), QDateTime(), QDateTime(),
                                             QDateTime());
    }
    // The wave ids in campaign order.
    std::vector<int> WaveIds()
    {
        std::vector<int> ids;
        for (int i = 0; i < Campaign().GetWaveCount(); ++i)
            ids.push_back(Campaign().GetWave(i)->GetWaveId());
        return ids;
    }
};

TEST_F(WaveCommandsTest, ANewWaveWithoutPositionComesAfterTheLastWithTheNextId)
{
    AddWaveAt(3, 1);
    AddWaveAt(7, 4);
    std::unique_ptr<CCallBackInfo> received;
    auto command = NewWave(-1);
    CCmdNewWave* raw = command.get();
    ASSERT_TRUE(Execute(
        std::move(command),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    EXPECT_EQ(raw->GetNewWaveId(), 8);
    EXPECT_EQ(WaveIds(), (std::vector<int>{3, 7, 8}));
    EXPECT_EQ(Campaign().FindWave(8)->GetWaveOrder(), 5);
    const auto* record = dynamic_cast<CCallBackInfoNewWave*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Wave, Campaign().FindWave(8));
    EXPECT_EQ(record->InsertedBefore, nullptr);
    EXPECT_EQ(raw->GetName(), QStringLiteral("new wave"));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(WaveIds(), (std::vector<int>{3, 7}));
    // The id is free again: the campaign is as it was.
    EXPECT_EQ(Campaign().GetMaxWaveId(), 7);
}

// Orders leave gaps once a wave was removed: the position is a wave order, not an index.
TEST_F(WaveCommandsTest, InsertingTakesTheWaveAtThatOrder)
{
    AddWaveAt(1, 1);
    CWave* second = AddWaveAt(2, 3);
    AddWaveAt(3, 4);
    std::unique_ptr<CCallBackInfo> received;
    ASSERT_TRUE(Execute(
        NewWave(3),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    EXPECT_EQ(WaveIds(), (std::vector<int>{1, 4, 2, 3}));
    const auto* record = dynamic_cast<CCallBackInfoNewWave*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->InsertedBefore, second);
    EXPECT_TRUE(Campaign().IsWaveBefore(4, 2));
    EXPECT_TRUE(Campaign().IsWaveBefore(1, 4));
}

TEST_F(WaveCommandsTest, InsertingAtAnOrderBeyondEveryWaveAppends)
{
    AddWaveAt(1, 1);
    AddWaveAt(2, 2);
    EXPECT_TRUE(ExecuteAndCycle(NewWave(9)));
    EXPECT_EQ(WaveIds(), (std::vector<int>{1, 2, 3}));
}

TEST_F(WaveCommandsTest, InsertingBeforeInheritingVolumesMakesThemRootsWithTheirOwnCopies)
{
    CWave* first = AddWaveAt(1, 1);
    CWave* second = AddWaveAt(2, 2);
    CVolume* parent = AddVolume(Campaign(), *first, 1, {1}, {1});
    AddQuestion(Campaign(), 10, QStringLiteral("Q1"), QStringLiteral("One"), 1);
    CQuestion* q11 = AddQuestion(Campaign(), 11, QStringLiteral("Q2"), QStringLiteral("Two"), 1);
    AddResponse(Campaign(), *q11, 100, QStringLiteral("Yes"));
    MatchQuestion(*parent, 10, 5);
    MatchQuestion(*parent, 11, 6);
    MatchResponse(*parent, 11, 100, 1);
    // Two volumes of the second wave inherit from the first; the second has a matching of its
    // own for question 11.
    CVolume* a = AddVolume(Campaign(), *second, 2, {1}, {1}, 1);
    CVolume* b = AddVolume(Campaign(), *second, 3, {1}, {1}, 1);
    MatchQuestion(*b, 11, 9);
    for (CVolume* volume : {parent, a, b})
        volume->SetStatus(VOLUME_RECONCILED);

    EXPECT_TRUE(ExecuteAndCycle(NewWave(2), 3));
    EXPECT_EQ(WaveIds(), (std::vector<int>{1, 3, 2}));
    for (CVolume* volume : {a, b}) {
        SCOPED_TRACE(volume->GetVolumeId());
        EXPECT_TRUE(volume->IsRoot());
        EXPECT_EQ(volume->GetParent(), nullptr);
        const CQuestionMatching* copy = volume->FindQuestionMatching(10);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->GetStartVolumeId(), volume->GetVolumeId());
        EXPECT_EQ(copy->GetEndVolumeId(), OPEN_END_ID);
        EXPECT_EQ(copy->GetSourceId(), QStringLiteral("5"));
        EXPECT_TRUE(volume->FindModalityMatching(100));
    }
    // Its own matching of question 11 stands; the inherited one is not copied beside it.
    EXPECT_EQ(b->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("9"));
    EXPECT_EQ(b->GetQuestionMatchingCount(), 2);
    EXPECT_EQ(parent->GetChildVolumeCount(), 0);
    EXPECT_EQ(parent->FindQuestionMatching(10)->GetEndVolumeId(), 1);
    EXPECT_EQ(parent->FindModalityMatching(100)->GetEndVolumeId(), 1);

    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(a->GetParent(), parent);
    EXPECT_EQ(parent->GetChildVolumeAt(0), a);
    EXPECT_EQ(parent->GetChildVolumeAt(1), b);
    EXPECT_EQ(parent->FindQuestionMatching(10)->GetEndVolumeId(), OPEN_END_ID);
    EXPECT_FALSE(a->FindQuestionMatching(10));
}

// A volume not reconciled yet holds no matchings of its own: it becomes a root to be reconciled
// as one, and the matchings of the volume it inherited from stay as they were.
TEST_F(WaveCommandsTest, AVolumeNotReconciledYetBecomesARootWithoutCopies)
{
    CVolume* parent = AddVolume(Campaign(), *AddWaveAt(1, 1), 1, {1}, {1});
    AddQuestion(Campaign(), 10, QStringLiteral("Q1"), QStringLiteral("One"), 1);
    MatchQuestion(*parent, 10, 5);
    parent->SetStatus(VOLUME_RECONCILED);
    CVolume* child = AddVolume(Campaign(), *AddWaveAt(2, 2), 2, {1}, {1}, 1);
    ASSERT_EQ(child->GetStatus(), VOLUME_UNRECONCILED);

    EXPECT_TRUE(ExecuteAndCycle(NewWave(2)));
    EXPECT_TRUE(child->IsRoot());
    EXPECT_EQ(child->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(parent->FindQuestionMatching(10)->GetEndVolumeId(), OPEN_END_ID);
}

TEST_F(WaveCommandsTest, RemovingAWaveThatStillHasAVolumeFailsAndChangesNothing)
{
    CWave* wave = AddWaveAt(1, 1);
    AddVolume(Campaign(), *wave, 1, {1}, {1});
    const QString before = Dump();
    auto command = std::make_unique<CCmdRemoveWave>(&Campaign(), 1);
    std::unique_ptr<CCmdVirtual> held = std::move(command);
    EXPECT_FALSE(m_history.Execute(held, {}));
    EXPECT_EQ(held->GetErrorText(), QStringLiteral("no error information available"));
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(m_history.GetUndoCount(), 0);
}

TEST_F(WaveCommandsTest, ARemovedWaveComesBackAtItsPlace)
{
    AddWaveAt(1, 1);
    AddWaveAt(2, 3);
    AddWaveAt(3, 7);
    std::unique_ptr<CCallBackInfo> received;
    ASSERT_TRUE(Execute(
        std::make_unique<CCmdRemoveWave>(&Campaign(), 2),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    EXPECT_EQ(WaveIds(), (std::vector<int>{1, 3}));
    const auto* record = dynamic_cast<CCallBackInfoRemoveWave*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->WaveId, 2);
    const QString after = Dump();
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(WaveIds(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Campaign().FindWave(2)->GetWaveOrder(), 3);
    EXPECT_EQ(Campaign().FindWave(3)->GetWaveOrder(), 7);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_TRUE(SameDump(Dump(), after));
}

TEST_F(WaveCommandsTest, TheRemoveWaveStepRemovesItsVolumesLastFirstThenTheWave)
{
    CWave* first = AddWaveAt(1, 1);
    CWave* second = AddWaveAt(2, 2);
    AddVolume(Campaign(), *first, 1, {1}, {1});
    AddVolume(Campaign(), *second, 2, {1}, {1}, 1);
    AddVolume(Campaign(), *second, 3, {1}, {1});
    auto composite = MakeRemoveWaveCmd(&Campaign(), 2);
    ASSERT_TRUE(composite);
    ASSERT_EQ(composite->GetCmdCount(), 3);
    EXPECT_EQ(composite->GetName(), QStringLiteral("remove wave"));
    EXPECT_TRUE(dynamic_cast<const CCmdRemoveVolume*>(composite->GetCmd(0)));
    EXPECT_TRUE(dynamic_cast<const CCmdRemoveWave*>(composite->GetCmd(2)));
    EXPECT_TRUE(ExecuteAndCycle(std::move(composite), 3));
    EXPECT_EQ(WaveIds(), (std::vector<int>{1}));
    EXPECT_EQ(Campaign().FindVolume(1)->GetChildVolumeCount(), 0);
    EXPECT_FALSE(MakeRemoveWaveCmd(&Campaign(), 2));
}

} // namespace
