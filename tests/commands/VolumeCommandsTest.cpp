#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/PlaceHolderCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "res/StringIds.h"

using namespace pelko_wave;
using namespace engine_test;

namespace {

class VolumeCommandsTest : public CCommandTest
{
protected:
    // Runs a new volume in the wave and returns it (null when Do failed).
    CVolume* NewVolume(CWave& wave, int parentId = -1, const QString& name = QStringLiteral("V"))
    {
        SNewVolumeProperties properties;
        properties.ParentVolumeId = parentId;
        properties.QuestionMatchingMethods = {1, 2};
        properties.ResponseMatchingMethods = {2};
        auto command = std::make_unique<CCmdNewVolume>(&Campaign(), &wave, name, properties);
        CCmdNewVolume* raw = command.get();
        return Execute(std::move(command)) ? raw->GetNewVolume() : nullptr;
    }
    std::unique_ptr<CCallBackInfo> AddAnalysis(CVolume& volume)
    {
        std::unique_ptr<CCallBackInfo> received;
        EXPECT_TRUE(
            Execute(std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), &volume),
                    {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); },
                     {},
                     {}}));
        return received;
    }
    QString Caption(const CModality& modality)
    {
        return modality.GetShortCaption(m_app.GetVersionInfo().GetLanguageId());
    }
};

TEST_F(VolumeCommandsTest, TheFirstVolumeOfAWaveIsItsMainVolumeAndTakesTheNextId)
{
    CWave* first = AddWave(Campaign(), 1);
    CWave* second = AddWave(Campaign(), 2);
    AddVolume(Campaign(), *first, 4, {1}, {1});
    CVolume* main = NewVolume(*second, 4, QStringLiteral("Main"));
    ASSERT_TRUE(main);
    EXPECT_EQ(main->GetVolumeId(), 5);
    EXPECT_EQ(main->IsMainVolume(), 1);
    EXPECT_EQ(main->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_EQ(main->GetInheritsFromVolumeId(), 4);
    EXPECT_EQ(main->GetParent(), Campaign().FindVolume(4));
    EXPECT_EQ(Campaign().FindVolume(4)->GetChildVolumeAt(0), main);
    EXPECT_EQ(main->GetQuestionMatchingMethods(), (QList<quint32>{1, 2}));

    const QString before = Dump();
    CVolume* other = NewVolume(*second);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->GetVolumeId(), 6);
    EXPECT_EQ(other->IsMainVolume(), 0);
    EXPECT_TRUE(other->IsRoot());
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 2));
    ASSERT_TRUE(m_history.Undo());
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(Campaign().FindVolume(4)->GetChildVolumeCount(), 0);
    EXPECT_EQ(Campaign().GetMaxVolumeId(), 4);
}

// A parent that names no volume would leave a volume pointing nowhere.
TEST_F(VolumeCommandsTest, AParentIdThatNamesNoVolumeGivesARoot)
{
    CWave* wave = AddWave(Campaign(), 1);
    CVolume* volume = NewVolume(*wave, 77);
    ASSERT_TRUE(volume);
    EXPECT_TRUE(volume->IsRoot());
    EXPECT_EQ(volume->GetParent(), nullptr);
}

TEST_F(VolumeCommandsTest, TheFirstVolumesOfTheFirstWavesGetTheWaveQuestionAndAResponseEach)
{
    CWave* first = AddWave(Campaign(), 1);
    CWave* second = AddWave(Campaign(), 2);
    CVolume* a = NewVolume(*first);
    QString before = Dump();
    auto record = AddAnalysis(*a);
    const auto* info = dynamic_cast<CCallBackInfoAddVolAnalyseMatchingCmd*>(record.get());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Volume, a);
    const CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    ASSERT_TRUE(reserved);
    EXPECT_EQ(reserved->GetShortcut(), QStringLiteral("Wave"));
    EXPECT_EQ(reserved->GetAppearanceVolumeId(), a->GetVolumeId());
    ASSERT_EQ(reserved->GetModalityCount(), 1);
    EXPECT_EQ(Caption(*reserved->GetModality(0)), QStringLiteral("W1"));
    EXPECT_TRUE(a->FindQuestionMatching(RESERVED_QUESTION_ID));
    EXPECT_TRUE(a->FindModalityMatching(reserved->GetModality(0)->GetModalityId()));
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 2));

    // The first volume of the second wave: only a response and its matchings.
    CVolume* b = NewVolume(*second);
    before = Dump();
    AddAnalysis(*b);
    ASSERT_EQ(reserved->GetModalityCount(), 2);
    EXPECT_EQ(Caption(*reserved->GetModality(1)), QStringLiteral("W2"));
    EXPECT_EQ(reserved->GetAppearanceVolumeId(), a->GetVolumeId());
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 2));

    // A second volume of a wave gets nothing.
    CVolume* c = NewVolume(*second);
    before = Dump();
    EXPECT_EQ(AddAnalysis(*c), nullptr);
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(c->GetQuestionMatchingCount(), 0);
}

// A wave inserted before the first wave: its volume becomes the wave question's first
// appearance.
// The wave question's responses with a gap in their orders (a wave response taken out since):
// the new one takes an order a later response has and moves it up; Undo gives it its order back.
TEST_F(VolumeCommandsTest, UndoGivesTheOtherWaveResponsesTheirOrdersBack)
{
    std::vector<CVolume*> volumes;
    for (int id = 1; id <= 3; ++id)
        volumes.push_back(AddVolume(Campaign(), *AddWave(Campaign(), id), id, {1}, {1}));
    for (CVolume* volume : volumes)
        AddAnalysis(*volume);
    CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    ASSERT_EQ(reserved->GetModalityCount(), 3);
    reserved->GetModality(2)->SetModalityOrder(4);
    reserved->GetModality(1)->SetModalityOrder(3);
    reserved->SetMaxModalityOrder(4);
    CVolume* added = AddVolume(Campaign(), *AddWave(Campaign(), 4), 4, {1}, {1});
    EXPECT_TRUE(ExecuteAndCycle(std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), added)));
}

TEST_F(VolumeCommandsTest, TheFirstWavesVolumeBecomesTheWaveQuestionsAppearance)
{
    CWave* later = AddWave(Campaign(), 2);
    AddAnalysis(*NewVolume(*later));
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(1);
    wave->SetWaveOrder(1);
    wave->SetName(QStringLiteral("W1"));
    CWave* first = wave.get();
    Campaign().InsertWave(std::move(wave));
    CVolume* volume = NewVolume(*first);
    const QString before = Dump();
    AddAnalysis(*volume);
    EXPECT_EQ(Campaign().GetQuestionById(RESERVED_QUESTION_ID)->GetAppearanceVolumeId(),
              volume->GetVolumeId());
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 2));
}

TEST_F(VolumeCommandsTest, UndoFailsWhenTheWaveResponseIsGoneAndChangesNothing)
{
    CWave* wave = AddWave(Campaign(), 1);
    CVolume* volume = NewVolume(*wave);
    AddAnalysis(*volume);
    CQuestion* reserved = Campaign().GetQuestionById(RESERVED_QUESTION_ID);
    const int responseId = reserved->GetModality(0)->GetModalityId();
    reserved->RemoveModality(responseId);
    const std::unique_ptr<CModality> gone = Campaign().RemoveModality(responseId);
    const QString before = Dump();
    EXPECT_FALSE(m_history.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    Campaign().AddModality(std::make_unique<CModality>(*gone));
}

TEST_F(VolumeCommandsTest, PlaceHoldersChangeNothingAndGroupAStep)
{
    CWave* wave = AddWave(Campaign(), 1);
    GUID group;
    ASSERT_TRUE(CreateGuid(group));
    std::vector<std::unique_ptr<CCallBackInfo>> records;
    const CCmdCallBack keep = [&](std::unique_ptr<CCallBackInfo> record) {
        records.push_back(std::move(record));
    };
    const QString before = Dump();
    ASSERT_TRUE(Execute(std::make_unique<CCmdNewVolumePlaceHolder>(IDS_NEW_VOLUME, group, -1),
                        {keep, keep, keep}));
    SNewVolumeProperties properties;
    auto volume =
        std::make_unique<CCmdNewVolume>(&Campaign(), wave, QStringLiteral("V"), properties);
    volume->SetGroupId(group);
    CCmdNewVolume* raw = volume.get();
    ASSERT_TRUE(Execute(std::move(volume)));
    auto analysis = std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), raw->GetNewVolume());
    analysis->SetGroupId(group);
    ASSERT_TRUE(Execute(std::move(analysis)));
    EXPECT_EQ(m_history.GetUndoStepName(), QStringLiteral("new volume"));

    ASSERT_TRUE(m_history.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(m_history.GetUndoCount(), 0);
    ASSERT_EQ(records.size(), 2u);
    const auto* placeHolder = dynamic_cast<CCallBackInfoNewVolumePlaceHolder*>(records[1].get());
    ASSERT_TRUE(placeHolder);
    EXPECT_EQ(placeHolder->Id, -1);

    CCmdPlaceHolder fixAll(IDS_FIX_ALL_DIFFERENCES, group);
    EXPECT_EQ(fixAll.GetName(), QStringLiteral("fix all differences"));
    EXPECT_EQ(fixAll.GetGroupId(), group);
    std::unique_ptr<CCallBackInfo> record;
    EXPECT_TRUE(fixAll.Do(record));
    EXPECT_TRUE(dynamic_cast<CCallBackInfoFixAllPlaceHolderCmd*>(record.get()));
}

} // namespace
