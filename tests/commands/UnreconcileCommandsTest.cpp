#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/UnreconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"

using namespace pelko_wave;
using namespace engine_test;
using command_test::KeepsItsReferences;

namespace {

class UnreconcileCommandsTest : public CCommandTest
{
protected:
    // Wave 1 holds volume 1; waves 2 and 3 hold volumes 2 and 3, both inheriting from volume 1.
    // Question 10 (with response 100) and chapter 12 first appeared in volume 1 and are matched
    // only there, open-ended; question 11 first appeared in volume 1 too, and volume 3 has its
    // own matching of it.
    void BuildTree()
    {
        CWave* w1 = AddWave(Campaign(), 1);
        CWave* w2 = AddWave(Campaign(), 2);
        CWave* w3 = AddWave(Campaign(), 3);
        v1 = AddVolume(Campaign(), *w1, 1, {1}, {1});
        v2 = AddVolume(Campaign(), *w2, 2, {1}, {1}, 1);
        v3 = AddVolume(Campaign(), *w3, 3, {1}, {1}, 1);
        CQuestion* q10 =
            AddQuestion(Campaign(), 10, QStringLiteral("Q10"), QStringLiteral("Ten"), 1);
        AddResponse(Campaign(), *q10, 100, QStringLiteral("Yes"));
        AddQuestion(Campaign(), 11, QStringLiteral("Q11"), QStringLiteral("Eleven"), 1);
        AddQuestion(Campaign(), 12, QStringLiteral("CHAPTER"), QStringLiteral("Chapter"), 1, 0, 0);
        MatchQuestion(*v1, 10, 5);
        MatchResponse(*v1, 10, 100, 1);
        MatchQuestion(*v1, 11, 6);
        MatchQuestion(*v1, 12, 7);
        MatchQuestion(*v3, 11, 8);
        for (CVolume* volume : {v1, v2, v3})
            volume->SetStatus(VOLUME_RECONCILED);
    }
    std::unique_ptr<CCmdUnreconcileVolume> Unreconcile(int volumeId, bool keepChapters = false)
    {
        return std::make_unique<CCmdUnreconcileVolume>(&Campaign(), volumeId, keepChapters);
    }

    CVolume* v1 = nullptr;
    CVolume* v2 = nullptr;
    CVolume* v3 = nullptr;
};

TEST_F(UnreconcileCommandsTest, EveryChildThatInheritsAMatchingKeepsItsOwnCopy)
{
    BuildTree();
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(1), 3));
    EXPECT_EQ(v1->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(v1->GetModalityMatchingCount(), 0);
    EXPECT_EQ(v1->GetStatus(), VOLUME_UNRECONCILED);
    for (CVolume* child : {v2, v3}) {
        SCOPED_TRACE(child->GetVolumeId());
        const CQuestionMatching* copy = child->FindQuestionMatching(10);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->GetStartVolumeId(), child->GetVolumeId());
        EXPECT_EQ(copy->GetEndVolumeId(), OPEN_END_ID);
        EXPECT_EQ(copy->GetSourceId(), QStringLiteral("5"));
        EXPECT_TRUE(child->FindModalityMatching(100));
    }
    // Volume 3 has its own matching of question 11: only volume 2 takes a copy of volume 1's.
    EXPECT_EQ(v2->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("6"));
    EXPECT_EQ(v3->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("8"));
    // Matched in later volumes, the questions and the response stay, first appearing in
    // volume 2.
    EXPECT_EQ(Campaign().GetQuestionById(10)->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(Campaign().GetModalityById(100)->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(Campaign().GetQuestionById(11)->GetAppearanceVolumeId(), 2);

    ASSERT_TRUE(m_history.Undo());
    EXPECT_FALSE(v2->FindQuestionMatching(10));
    EXPECT_FALSE(v3->FindModalityMatching(100));
    EXPECT_EQ(Campaign().GetQuestionById(10)->GetAppearanceVolumeId(), 1);
}

// A child not reconciled yet takes no copy: its own reconciliation makes its matchings, and a
// copy would stand beside them.
TEST_F(UnreconcileCommandsTest, AChildNotReconciledYetTakesNoCopy)
{
    BuildTree();
    v3->SetStatus(VOLUME_UNRECONCILED);
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(1)));
    EXPECT_TRUE(v2->FindQuestionMatching(10));
    EXPECT_FALSE(v3->FindQuestionMatching(10));
    EXPECT_FALSE(v3->FindModalityMatching(100));
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
}

TEST_F(UnreconcileCommandsTest, ItemsMatchedNowhereElseGoUnlessTheyAreChaptersToBeKept)
{
    BuildTree();
    v2->RemoveChildVolume(2);
    v1->RemoveChildVolume(2);
    v1->RemoveChildVolume(3);
    v2->SetParent(nullptr);
    v2->SetInheritsFromVolumeId(2);
    v3->SetParent(nullptr);
    v3->SetInheritsFromVolumeId(3);
    for (const bool keepChapters : {false, true}) {
        SCOPED_TRACE(keepChapters);
        ASSERT_TRUE(Execute(Unreconcile(1, keepChapters)));
        EXPECT_FALSE(Campaign().ContainsQuestion(10));
        EXPECT_FALSE(Campaign().ContainsModality(100));
        EXPECT_EQ(Campaign().ContainsQuestion(12), keepChapters);
        // Question 11 stays: volume 3 matches it.
        EXPECT_EQ(Campaign().GetQuestionById(11)->GetAppearanceVolumeId(), 3);
        // The orders close up.
        EXPECT_EQ(Campaign().GetQuestionById(11)->GetOrder(), 0);
        ASSERT_TRUE(m_history.Undo());
    }
}

TEST_F(UnreconcileCommandsTest, AnInheritedMatchingEndsAtTheParent)
{
    BuildTree();
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(2)));
    EXPECT_EQ(v1->FindQuestionMatching(10)->GetEndVolumeId(), 1);
    EXPECT_EQ(v1->FindModalityMatching(100)->GetEndVolumeId(), 1);
    // Volume 3 inherited them too, but not through volume 2.
    EXPECT_FALSE(v3->FindQuestionMatching(10));
    EXPECT_TRUE(Campaign().ContainsQuestion(10));
}

// Unreconciling what was never reconciled to the end leaves it as it was on Undo.
TEST_F(UnreconcileCommandsTest, UndoGivesTheVolumeItsStatusBack)
{
    BuildTree();
    v1->SetStatus(VOLUME_INCOMPLETE);
    std::unique_ptr<CCallBackInfo> received;
    ASSERT_TRUE(Execute(
        Unreconcile(1),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    const auto* record = dynamic_cast<CCallBackInfoUnreconcileVolume*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->VolumeId, 1);
    EXPECT_EQ(record->WaveId, 1);
    EXPECT_EQ(v1->GetStatus(), VOLUME_UNRECONCILED);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(v1->GetStatus(), VOLUME_INCOMPLETE);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(v1->GetStatus(), VOLUME_UNRECONCILED);
}

// A response that first appeared in a wave's main volume and is matched by the wave's second
// volume stays, as a question does; otherwise the second volume's matching would name no
// response.
TEST_F(UnreconcileCommandsTest, AResponseMatchedByAnotherVolumeOfTheWaveStays)
{
    CWave* wave = AddWave(Campaign(), 1);
    CVolume* main = AddVolume(Campaign(), *wave, 1, {1}, {1});
    CVolume* other = AddVolume(Campaign(), *wave, 2, {1}, {1});
    CQuestion* question = AddQuestion(Campaign(), 10, QStringLiteral("Q"), QStringLiteral("Q"), 1);
    AddResponse(Campaign(), *question, 100, QStringLiteral("Yes"));
    MatchQuestion(*main, 10, 5);
    MatchResponse(*main, 10, 100, 1);
    MatchQuestion(*other, 10, 5);
    MatchResponse(*other, 10, 100, 1);
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(1)));
    ASSERT_TRUE(Campaign().ContainsModality(100));
    EXPECT_EQ(Campaign().GetModalityById(100)->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(Campaign().GetQuestionById(10)->GetAppearanceVolumeId(), 2);
}

// Question 13 first appeared in volume 2, but volume 1 (an earlier wave) has matched it since,
// up to itself: unreconciling volume 2 keeps the question and its response, which now first
// appear in volume 1.
TEST_F(UnreconcileCommandsTest, AnItemThatAnEarlierVolumeMatchesStays)
{
    BuildTree();
    CQuestion* question =
        AddQuestion(Campaign(), 13, QStringLiteral("Q13"), QStringLiteral("Thirteen"), 2);
    AddResponse(Campaign(), *question, 130, QStringLiteral("Yes"))->SetAppearanceVolumeId(2);
    for (CVolume* volume : {v1, v2}) {
        MatchQuestion(*volume, 13, 9);
        MatchResponse(*volume, 13, 130, 1);
    }
    v1->FindQuestionMatching(13)->SetEndVolumeId(1);
    v1->FindModalityMatching(130)->SetEndVolumeId(1);
    ASSERT_TRUE(KeepsItsReferences(Campaign()));

    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(2)));
    ASSERT_TRUE(Campaign().ContainsQuestion(13));
    ASSERT_TRUE(Campaign().ContainsModality(130));
    EXPECT_EQ(question->GetAppearanceVolumeId(), 1);
    EXPECT_EQ(Campaign().GetModalityById(130)->GetAppearanceVolumeId(), 1);
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
}

// Question 13 first appeared in volume 2 and is matched there only; its response 131 too, while
// its response 130 was added by hand for volume 3 and merged there into 131. The question goes
// with both responses and the merging; Undo brings all of them back.
TEST_F(UnreconcileCommandsTest, AQuestionGoesWithItsResponsesAndTheirMergings)
{
    BuildTree();
    CQuestion* question =
        AddQuestion(Campaign(), 13, QStringLiteral("Q13"), QStringLiteral("Thirteen"), 2);
    CModality* byHand = AddResponse(Campaign(), *question, 130, QStringLiteral("Yes"));
    byHand->SetAppearanceVolumeId(3);
    CModality* reconciled = AddResponse(Campaign(), *question, 131, QStringLiteral("No"));
    reconciled->SetAppearanceVolumeId(2);
    MatchQuestion(*v2, 13, 9);
    MatchResponse(*v2, 13, 131, 2);
    MatchResponse(*v3, 13, 130, 1);
    Campaign().AddModalityMerging(MakeModalityMerging(*reconciled, *byHand, *v3));
    const QString before = Dump();

    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(2)));
    EXPECT_FALSE(Campaign().ContainsQuestion(13));
    EXPECT_FALSE(Campaign().ContainsModality(130));
    EXPECT_FALSE(Campaign().ContainsModality(131));
    EXPECT_FALSE(v3->FindModalityMatching(130));
    EXPECT_EQ(Campaign().GetModalityMergingCount(), 0);
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
}

// Question 13 is matched in volume 1 up to itself, its response 130 on to volume 2: the question
// goes, and its response with it, without a copy for volume 2 that would name a response no
// longer there; Undo gives back exactly what was.
TEST_F(UnreconcileCommandsTest, AResponseThatGoesWithItsQuestionLeavesNoCopyBehind)
{
    BuildTree();
    CQuestion* question =
        AddQuestion(Campaign(), 13, QStringLiteral("Q13"), QStringLiteral("Thirteen"), 1);
    AddResponse(Campaign(), *question, 130, QStringLiteral("Yes"));
    MatchQuestion(*v1, 13, 9);
    MatchResponse(*v1, 13, 130, 1);
    v1->FindQuestionMatching(13)->SetEndVolumeId(1);
    v1->FindModalityMatching(130)->SetEndVolumeId(2);

    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(1), 3));
    EXPECT_FALSE(Campaign().ContainsQuestion(13));
    EXPECT_FALSE(Campaign().ContainsModality(130));
    EXPECT_FALSE(v2->FindModalityMatching(130));
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
}

TEST_F(UnreconcileCommandsTest, TheLinkQuestionGoesBackToTheMainVolumesSourceCode)
{
    CWave* wave = AddWave(Campaign(), 1);
    CVolume* main = AddVolume(Campaign(), *wave, 1, {1}, {1});
    CVolume* second = AddVolume(Campaign(), *wave, 2, {1}, {1});
    AddQuestion(Campaign(), 10, QStringLiteral("ID"), QStringLiteral("Respondent"), 1);
    MatchQuestion(*main, 10, 77);
    second->SetMainVolumeLinkQuestionId(10);
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(2)));
    EXPECT_EQ(second->GetMainVolumeLinkQuestionId(), -77);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(second->GetMainVolumeLinkQuestionId(), 10);
}

TEST_F(UnreconcileCommandsTest, TheVolumesMergingsGoAndComeBack)
{
    BuildTree();
    CQuestion* question = Campaign().GetQuestionById(10);
    CModality* other = AddResponse(Campaign(), *question, 101, QStringLiteral("No"));
    other->SetAppearanceVolumeId(2);
    MatchResponse(*v2, 10, 101, 2);
    Campaign().AddModalityMerging(
        MakeModalityMerging(*Campaign().GetModalityById(100), *other, *v2));
    EXPECT_TRUE(ExecuteAndCycle(Unreconcile(2)));
    EXPECT_EQ(Campaign().GetModalityMergingCount(), 0);
}

TEST_F(UnreconcileCommandsTest, AVolumeThatIsNotThereFailsAndChangesNothing)
{
    BuildTree();
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> command = Unreconcile(9);
    EXPECT_FALSE(m_history.Execute(command, {}));
    EXPECT_TRUE(SameDump(Dump(), before));
}

// ---------------------------------------------------------------------------------------------

class RemoveVolumeTest : public UnreconcileCommandsTest
{
protected:
    // The volumes given their items of the wave question, as the add-volume step does.
    void AddWaveQuestion()
    {
        for (CVolume* volume : {v1, v2, v3})
            ASSERT_TRUE(Execute(std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), volume)));
    }
    std::unique_ptr<CCmdRemoveVolume> Remove(int volumeId)
    {
        return std::make_unique<CCmdRemoveVolume>(&Campaign(), volumeId);
    }
};

TEST_F(RemoveVolumeTest, TheChildrenBecomeRootsAndComeBackUnderTheVolume)
{
    BuildTree();
    AddWaveQuestion();
    EXPECT_TRUE(ExecuteAndCycle(Remove(1), 3));
    EXPECT_FALSE(Campaign().FindVolume(1));
    EXPECT_EQ(Campaign().GetWave(0)->GetVolumeCount(), 0);
    for (CVolume* child : {v2, v3}) {
        EXPECT_TRUE(child->IsRoot());
        EXPECT_EQ(child->GetParent(), nullptr);
        EXPECT_TRUE(child->FindQuestionMatching(10));
    }
    // The wave question keeps the other waves' responses and first appears in volume 2.
    const CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    ASSERT_TRUE(reserved);
    EXPECT_EQ(reserved->GetModalityCount(), 2);
    EXPECT_EQ(reserved->GetAppearanceVolumeId(), 2);

    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(v2->GetParent(), v1);
    EXPECT_EQ(v3->GetInheritsFromVolumeId(), 1);
    EXPECT_EQ(v1->GetChildVolumeCount(), 2);
}

TEST_F(RemoveVolumeTest, RemovingTheOnlyVolumeRemovesTheWaveQuestion)
{
    CWave* wave = AddWave(Campaign(), 1);
    v1 = AddVolume(Campaign(), *wave, 1, {1}, {1});
    ASSERT_TRUE(Execute(std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), v1)));
    AddQuestion(Campaign(), 10, QStringLiteral("Q10"), QStringLiteral("Ten"), 1);
    MatchQuestion(*v1, 10, 5);
    std::unique_ptr<CCallBackInfo> received;
    const QString before = Dump();
    ASSERT_TRUE(Execute(
        Remove(1),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    const auto* record = dynamic_cast<CCallBackInfoRemoveVolume*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->VolumeId, 1);
    EXPECT_EQ(record->WaveId, 1);
    EXPECT_EQ(Campaign().GetQuestionCount(), 0);
    EXPECT_EQ(Campaign().GetModalityCount(), 0);
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 2));
}

// The wave response of volume 3, merged in volume 1, with or without its matching in volume 3
// (taken out by hand), matched in volume 2 or not: it goes with the volume (its merging too)
// when no other volume matches it, and first appears in the one that does otherwise.
class WaveResponseOfARemovedVolume : public RemoveVolumeTest,
                                     public ::testing::WithParamInterface<std::tuple<bool, bool>>
{
};

TEST_P(WaveResponseOfARemovedVolume, GoesWithItUnlessAnotherVolumeMatchesIt)
{
    const auto [matchingTakenOut, matchedElsewhere] = GetParam();
    BuildTree();
    AddWaveQuestion();
    const CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    CModality* response = nullptr;
    for (int r = 0; r < reserved->GetModalityCount(); ++r) {
        if (reserved->GetModality(r)->GetAppearanceVolumeId() == 3)
            response = reserved->GetModality(r);
    }
    ASSERT_TRUE(response);
    const int id = response->GetModalityId();
    if (matchingTakenOut) {
        ASSERT_TRUE(v3->RemoveModalityMatching(id));
    }
    if (matchedElsewhere)
        MatchResponse(*v2, RESERVED_QUESTION_ID, id, 99);
    Campaign().AddModalityMerging(MakeModalityMerging(*reserved->GetModality(0), *response, *v1));

    EXPECT_TRUE(ExecuteAndCycle(Remove(3)));
    EXPECT_EQ(Campaign().ContainsModality(id), matchedElsewhere);
    if (matchedElsewhere) {
        EXPECT_EQ(Campaign().GetModalityById(id)->GetAppearanceVolumeId(), 2);
    }
    EXPECT_EQ(Campaign().GetModalityMergingCount(), matchedElsewhere ? 1 : 0);
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
}

INSTANTIATE_TEST_SUITE_P(RemoveVolumeTest, WaveResponseOfARemovedVolume,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

// The wave question first appears in volume 1, the only volume whose matching of it is left:
// removed with volume 1, it first appears where its first remaining wave response does.
TEST_F(RemoveVolumeTest, TheWaveQuestionFollowsItsRemainingResponses)
{
    BuildTree();
    AddWaveQuestion();
    ASSERT_TRUE(v2->RemoveQuestionMatching(RESERVED_QUESTION_ID));
    ASSERT_TRUE(v3->RemoveQuestionMatching(RESERVED_QUESTION_ID));
    EXPECT_TRUE(ExecuteAndCycle(Remove(1)));
    const CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    ASSERT_TRUE(reserved);
    EXPECT_EQ(reserved->GetModalityCount(), 2);
    EXPECT_EQ(reserved->GetAppearanceVolumeId(), 2);
    EXPECT_TRUE(KeepsItsReferences(Campaign()));
}

// Taken out of the middle of its wave, a volume comes back to its place in campaign order.
TEST_F(RemoveVolumeTest, AVolumeComesBackToItsPlaceInTheWave)
{
    CWave* wave = AddWave(Campaign(), 1);
    for (int id = 1; id <= 3; ++id)
        AddVolume(Campaign(), *wave, id, {1}, {1});
    EXPECT_TRUE(ExecuteAndCycle(Remove(2)));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(wave->GetVolume(1)->GetVolumeId(), 2);
    EXPECT_TRUE(Campaign().IsVolumeBefore(2, 3));
}

} // namespace
