#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/MetaCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "res/StringIds.h"

#include <stdexcept>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// A reconciliation whose last step fails after the engine's run: the run's changes are all in
// the campaign when the failure comes.
class CFailingReconcileWave : public CCmdReconcileWave
{
public:
    enum class EFailure
    {
        Result,
        Exception
    };
    CFailingReconcileWave(CCampaign* campaign, CWave* wave, EFailure failure)
        : CCmdReconcileWave(campaign, wave, {}), m_failure(failure)
    {
    }

protected:
    bool RunEngine(ReconcileResultsMap& results, QString& report) override
    {
        if (!CCmdReconcileWave::RunEngine(results, report))
            return false;
        if (m_failure == EFailure::Exception)
            throw std::runtime_error("the last step broke down");
        report = QStringLiteral("the last step failed");
        return false;
    }

private:
    EFailure m_failure;
};

class ReconcileCommandsTest : public CCommandTest
{
protected:
    // Wave 1 with an unreconciled root volume whose source has questions A (code 5, two
    // responses) and B (code 6), against a campaign that has question 10 "A" already.
    CWave* BuildFirstWave()
    {
        CWave* wave = AddWave(Campaign(), 1);
        v1 = AddVolume(Campaign(), *wave, 1, {1}, {2});
        qnr::CQuestion* a = AddSourceQuestion(*v1, 5, QStringLiteral("A"), QStringLiteral("Age"));
        AddSourceResponses(*a, 1, {QStringLiteral("Young"), QStringLiteral("Old")});
        AddSourceQuestion(*v1, 6, QStringLiteral("B"), QStringLiteral("Brand"));
        CQuestion* q10 = AddQuestion(Campaign(), 10, QStringLiteral("A"), QStringLiteral("Age"), 1);
        AddResponse(Campaign(), *q10, 100, QStringLiteral("Young"));
        return wave;
    }
    std::unique_ptr<CCmdReconcileWave> Reconcile(CWave* wave, bool interactive = true)
    {
        SReconcileWaveOptions options;
        options.Interactive = interactive;
        return std::make_unique<CCmdReconcileWave>(&Campaign(), wave, options);
    }

    CVolume* v1 = nullptr;
};

TEST_F(ReconcileCommandsTest, AReconciliationIsTakenBackAndPutBackWhole)
{
    CWave* wave = BuildFirstWave();
    std::unique_ptr<CCallBackInfo> received;
    const QString before = Dump();
    auto command = Reconcile(wave);
    CCmdReconcileWave* raw = command.get();
    EXPECT_EQ(raw->GetName(), QStringLiteral("reconcile wave"));
    ASSERT_TRUE(Execute(
        std::move(command),
        {[&](std::unique_ptr<CCallBackInfo> record) { received = std::move(record); }, {}, {}}));
    const auto* record = dynamic_cast<CCallBackInfoReconcileWave*>(received.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->WaveId, 1);
    EXPECT_EQ(record->Results, &raw->GetResults());
    EXPECT_EQ(record->Report, raw->GetReport());
    ASSERT_EQ(raw->GetResults().size(), 1u);
    EXPECT_EQ(v1->GetStatus(), VOLUME_RECONCILED);
    // A matched, B new.
    EXPECT_EQ(v1->FindQuestionMatching(10)->GetSourceId(), QStringLiteral("5"));
    ASSERT_TRUE(Campaign().FindQuestionByShortcut(QStringLiteral("B")));
    EXPECT_TRUE(CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), 3));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(v1->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_FALSE(Campaign().FindQuestionByShortcut(QStringLiteral("B")));
}

TEST_F(ReconcileCommandsTest, AWaveWithoutVolumesChangesNothing)
{
    CWave* wave = AddWave(Campaign(), 1);
    const QString before = Dump();
    auto command = Reconcile(wave);
    CCmdReconcileWave* raw = command.get();
    EXPECT_TRUE(ExecuteAndCycle(std::move(command)));
    EXPECT_TRUE(raw->GetResults().empty());
    EXPECT_TRUE(SameDump(Dump(), before));
}

TEST_F(ReconcileCommandsTest, UndoGivesBackEachVolumesStatusAndLinkQuestion)
{
    CWave* wave = BuildFirstWave();
    CVolume* second = AddVolume(Campaign(), *wave, 2, {1}, {2});
    AddSourceQuestion(*second, 9, QStringLiteral("A"), QStringLiteral("Age"));
    second->SetMainVolumeLinkQuestionId(-5);
    second->SetStatus(VOLUME_INCOMPLETE);
    second->SetStatus(VOLUME_UNRECONCILED);
    ASSERT_TRUE(Execute(Reconcile(wave)));
    EXPECT_EQ(second->GetMainVolumeLinkQuestionId(), 10);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(second->GetMainVolumeLinkQuestionId(), -5);
    EXPECT_EQ(second->GetStatus(), VOLUME_UNRECONCILED);
    EXPECT_TRUE(second->GetQuestionIndex().IsEmpty());
}

// Both volumes of the wave give the campaign's version their captions: Undo takes the second's
// back before the first's.
TEST_F(ReconcileCommandsTest, TheVolumesOfAWaveAreTakenBackLastFirst)
{
    CWave* wave = BuildFirstWave();
    CVolume* second = AddVolume(Campaign(), *wave, 2, {1}, {2});
    AddSourceQuestion(*second, 5, QStringLiteral("A"), QStringLiteral("Age"));
    auto version = std::make_unique<CVersion>();
    version->SetVersionId(1);
    version->SetLongCaption(QStringLiteral("Original"));
    CVersion* campaignVersion = version.get();
    Campaign().AddVersion(std::move(version));
    v1->GetQuestionnaire().AddVersion(qnr::CVersion(1, QStringLiteral("First"), QString()));
    second->GetQuestionnaire().AddVersion(qnr::CVersion(1, QStringLiteral("Second"), QString()));
    EXPECT_TRUE(ExecuteAndCycle(Reconcile(wave), 3));
    EXPECT_EQ(campaignVersion->GetLongCaption(), QStringLiteral("Second"));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(campaignVersion->GetLongCaption(), QStringLiteral("Original"));
}

// A failure in the run's last step, after the engine changed the campaign: Do takes the run back,
// the history does not keep the command, and the error text says what failed.
TEST_F(ReconcileCommandsTest, AFailureInTheLastStepLeavesTheCampaignAsItWas)
{
    const struct
    {
        CFailingReconcileWave::EFailure Failure;
        const char* Error;
    } cases[] = {
        {CFailingReconcileWave::EFailure::Result, "the last step failed"},
        {CFailingReconcileWave::EFailure::Exception, "the last step broke down"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        // A campaign of its own for each case.
        CTestWaveApp app;
        CommandHistory history;
        CCampaign& campaign = *app.Campaign;
        CWave* wave = AddWave(campaign, 1);
        CVolume* volume = AddVolume(campaign, *wave, 1, {1}, {2});
        AddSourceQuestion(*volume, 5, QStringLiteral("A"), QStringLiteral("Age"));
        const QString before = DumpCampaign(campaign);
        std::unique_ptr<CCmdVirtual> command =
            std::make_unique<CFailingReconcileWave>(&campaign, wave, c.Failure);
        EXPECT_FALSE(history.Execute(command, {}));
        EXPECT_EQ(command->GetErrorText(), QString::fromUtf8(c.Error));
        EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
        EXPECT_EQ(history.GetUndoCount(), 0);

        // Inside the reconcile step, the composite fails with it and runs nothing after it.
        auto composite = std::make_unique<CMetaReconcileWaveCmd>(IDS_RECONCILE_WAVE, 1);
        composite->AddCmd(std::make_unique<CFailingReconcileWave>(&campaign, wave, c.Failure));
        composite->AddCmd(std::make_unique<CCmdPrepDefLang>(&campaign));
        std::unique_ptr<CCmdVirtual> step = std::move(composite);
        EXPECT_FALSE(history.Execute(step, {}));
        EXPECT_EQ(step->GetErrorText(), QStringLiteral("'reconcile wave': \"%1\"").arg(c.Error));
        EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
        EXPECT_EQ(history.GetUndoCount(), 0);
    }
}

// A command-line run stopped by its switches in the second volume, after the first was matched.
TEST_F(ReconcileCommandsTest, ARunStoppedInItsLastVolumeLeavesTheCampaignAsItWas)
{
    CWave* first = AddWave(Campaign(), 1);
    CVolume* old = AddVolume(Campaign(), *first, 1, {1}, {2});
    old->SetStatus(VOLUME_RECONCILED);
    AddQuestion(Campaign(), 10, QStringLiteral("A"), QStringLiteral("Age"), 1);
    MatchQuestion(*old, 10, 5);
    CWave* wave = AddWave(Campaign(), 2);
    CVolume* a = AddVolume(Campaign(), *wave, 2, {1}, {2});
    AddSourceQuestion(*a, 5, QStringLiteral("A"), QStringLiteral("Age"));
    CVolume* b = AddVolume(Campaign(), *wave, 3, {1}, {2});
    AddSourceQuestion(*b, 5, QStringLiteral("A"), QStringLiteral("Age"));
    AddSourceQuestion(*b, 6, QStringLiteral("NEW"), QStringLiteral("Brand new"));
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> command = Reconcile(wave, false);
    EXPECT_FALSE(m_history.Execute(command, {}));
    EXPECT_TRUE(command->GetErrorText().contains(
        QStringLiteral("Due to a number of new questions that must be added")));
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(m_history.GetUndoCount(), 0);
}

// Reconciling a volume folds a later volume's own matching that repeats it into its own; Undo
// gives the later volume its matching back.
TEST_F(ReconcileCommandsTest, TheRechecksBelowTheVolumeAreTakenBackToo)
{
    CWave* wave = BuildFirstWave();
    CWave* later = AddWave(Campaign(), 2);
    CVolume* child = AddVolume(Campaign(), *later, 2, {1}, {2}, 1);
    AddSourceQuestion(*child, 5, QStringLiteral("A"), QStringLiteral("Age"));
    child->SetStatus(VOLUME_RECONCILED);
    MatchQuestion(*child, 10, 5);
    Campaign().GetQuestionById(10)->SetAppearanceVolumeId(2);
    EXPECT_TRUE(ExecuteAndCycle(Reconcile(wave), 3));
    EXPECT_FALSE(child->FindQuestionMatching(10));
    EXPECT_EQ(v1->FindQuestionMatching(10)->GetEndVolumeId(), OPEN_END_ID);
    EXPECT_EQ(Campaign().GetQuestionById(10)->GetAppearanceVolumeId(), 1);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_TRUE(child->FindQuestionMatching(10));
}

TEST_F(ReconcileCommandsTest, TheDefaultLanguagePreparationTakesBackExactlyWhatItAdded)
{
    constexpr int kFrench = 1036;
    Campaign().AddLanguage(MakeLanguage(kLanguage, 1, QString(), QString()));
    Campaign().AddLanguage(MakeLanguage(kFrench, 0, QString(), QString()));
    CQuestion* french = AddQuestion(Campaign(), 10, QStringLiteral("Q"), QString(), 1);
    french->RemoveCaption(kLanguage);
    french->SetShortCaption(kFrench, QStringLiteral("Court"));
    french->SetLongCaption(kFrench, QStringLiteral("Long"));
    CModality* response = AddResponse(Campaign(), *french, 100, QString());
    response->RemoveCaption(kLanguage);
    response->SetShortCaption(kFrench, QStringLiteral("Oui"));
    // A caption in the default language that lacks only its long text.
    CQuestion* half = AddQuestion(Campaign(), 11, QStringLiteral("R"), QStringLiteral("Short"), 1);
    half->SetLongCaption(kFrench, QStringLiteral("Longue"));
    const CQuestionCaption* existing = half->FindCaption(kLanguage);

    EXPECT_TRUE(ExecuteAndCycle(std::make_unique<CCmdPrepDefLang>(&Campaign()), 3));
    EXPECT_EQ(french->GetShortCaption(kLanguage), QStringLiteral("Court"));
    EXPECT_EQ(french->GetLongCaption(kLanguage), QStringLiteral("Long"));
    EXPECT_EQ(response->GetShortCaption(kLanguage), QStringLiteral("Oui"));
    EXPECT_EQ(half->GetLongCaption(kLanguage), QStringLiteral("Longue"));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_FALSE(french->FindCaption(kLanguage));
    EXPECT_FALSE(response->FindCaption(kLanguage));
    EXPECT_EQ(half->FindCaption(kLanguage), existing);
    EXPECT_EQ(half->GetLongCaption(kLanguage), QString());
}

TEST_F(ReconcileCommandsTest, TheReconcileStepsHoldTheirCommandsInOrder)
{
    CWave* wave = BuildFirstWave();
    AddVolume(Campaign(), *wave, 2, {1}, {2});
    SReconcileWaveOptions options;
    options.UseCaptionLibraries = true;
    const auto reconcile = MakeReconcileWaveCmd(&Campaign(), wave, options);
    ASSERT_EQ(reconcile->GetCmdCount(), 2);
    EXPECT_EQ(reconcile->GetName(), QStringLiteral("reconcile wave"));
    EXPECT_TRUE(dynamic_cast<const CCmdReconcileWave*>(reconcile->GetCmd(0)));
    EXPECT_TRUE(dynamic_cast<const CCmdPrepDefLang*>(reconcile->GetCmd(1)));
    const auto again = MakeReReconcileWaveCmd(&Campaign(), wave, true, options);
    ASSERT_EQ(again->GetCmdCount(), 3);
    EXPECT_EQ(again->GetName(), QStringLiteral("re-reconcile wave"));
    EXPECT_TRUE(dynamic_cast<const CCmdReconcileWave*>(again->GetCmd(2)));
}

} // namespace
