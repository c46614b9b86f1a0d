#include "CommandTestSupport.h"
#include "EngineFixtures.h"
#include "SampleStudyRuns.h"

#include "app/WaveApp.h"
#include "commands/CampaignValidation.h"
#include "commands/CommandHistory.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "reconcile/SourceComparison.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace pelko_wave;
using namespace command_test;
using namespace sample_study;

namespace {

// Runs the validation worker on a thread of its own while this thread, which owns the
// application, waits for it in 30 ms steps handling its events, as the validation dialog does.
bool RunWorker(CValidationThreadParams& params)
{
    std::atomic<bool> finished{false};
    unsigned result = 0;
    std::thread worker([&] {
        result = ValidationThreadProc(&params);
        finished = true;
    });
    while (!finished) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    worker.join();
    return result == 1 && params.Result;
}

// The sample study copied into a folder of its own and reconciled: wave 1 from wave1.zoz, wave 2
// from wave2.zoz, wave 3 from wave3.zoz and wave3.mdd, each inheriting from the volume before.
class SampleValidation : public ::testing::Test
{
protected:
    SampleValidation()
    {
        for (const QString& file :
             QDir(QStringLiteral(PLIM_SOURCE_DIR "/samples")).entryList({"wave*"}, QDir::Files))
            QFile::copy(QStringLiteral(PLIM_SOURCE_DIR "/samples/") + file, Copy(file));
        app.CreateCampaignObjects(nullptr, nullptr);
        AddWave(1, 1, {Volume("wave1.zoz", SOURCE_ZOZ, -1)});
        AddWave(2, 2, {Volume("wave2.zoz", SOURCE_ZOZ, 1)});
        AddWave(3, 3,
                {Volume("wave3.zoz", SOURCE_ZOZ, 2), Volume("wave3.mdd", SOURCE_DIMENSIONS, 3)});
    }
    static SSampleVolume Volume(const char* file, int type, int parent)
    {
        SSampleVolume setup;
        setup.File = QString::fromLatin1(file);
        setup.SourceType = type;
        setup.ParentId = parent;
        return setup;
    }
    QString Copy(const QString& file) const { return folder.filePath(file); }
    CCampaign& Campaign() { return *app.GetCampaign(); }
    void AddWave(int waveId, int firstVolumeId, const QList<SSampleVolume>& volumes)
    {
        AddSampleWave(Campaign(), waveId, firstVolumeId, volumes);
        for (int i = 0; i < volumes.size(); ++i)
            Campaign().FindVolume(firstVolumeId + i)->GetMetaData().SourceString =
                Copy(volumes[i].File);
        ASSERT_TRUE(ReconcileSampleWave(waveId, true).Result);
    }
    // Replaces what the pattern finds in the copy of the file (it must find something).
    void Edit(const QString& file, const QString& pattern, const QString& with = QString())
    {
        QFile copy(Copy(file));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(copy.readAll());
        copy.close();
        const QString before = text;
        text.replace(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption),
                     with);
        ASSERT_NE(text, before) << pattern.toStdString();
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
        copy.write(text.toUtf8());
    }
    // The comparison reads every volume's source again, as opening the campaign does.
    SSourceComparisonLists Compare()
    {
        SSourceComparisonLists lists;
        CompareSourcesParallel(nullptr, Campaign(), lists);
        return lists;
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
};

TEST_F(SampleValidation, TheCorrectionMakesTheCampaignCompareCleanAndOneUndoTakesItBack)
{
    // The sources: German added to wave 1; Q6 (id 14) gone from wave 2; Q2's Roast House
    // (response 50) gone from wave 3.
    Edit("wave1.zoz", QStringLiteral("(?<=<language id=\"1036\"/>)"),
         QStringLiteral("<language id=\"1031\"/>"));
    Edit("wave2.zoz", QStringLiteral("    <question code=\"21\".*?</question>\n"));
    Edit("wave3.zoz",
         QStringLiteral("      <response code=\"6\" entry=\"roast_house\">.*?</response>\n"));
    // The campaign: Q5 (id 13) deleted in wave 2; D2's first band (the first response of
    // question 22) deleted in wave 1; D3 (id 23) and its responses gone altogether.
    Campaign().GetQuestionById(13)->SetIsDeleted(1);
    Campaign().GetQuestionById(13)->SetDeletionWaveId(2);
    CModality* band = Campaign().GetQuestionById(22)->GetModality(0);
    band->SetIsDeleted(1);
    band->SetDeletionWaveId(1);
    CQuestion* d3 = Campaign().GetQuestionById(23);
    const auto d3Responses = Campaign().RemoveModalities(
        QList<CModality*>(d3->GetModalities().begin(), d3->GetModalities().end()));
    const std::unique_ptr<CQuestion> d3Removed = Campaign().RemoveQuestion(23);
    // And D2's last band gone from the campaign, its question staying.
    CQuestion* d2 = Campaign().GetQuestionById(22);
    const int lastBand = d2->GetModality(d2->GetModalityCount() - 1)->GetModalityId();
    d2->RemoveModality(lastBand);
    const std::unique_ptr<CModality> bandRemoved = Campaign().RemoveModality(lastBand);

    // As a campaign read from its file shows it.
    Campaign().SetCurrentLanguageId(Campaign().GetDefaultLanguageId());

    SSourceComparisonLists lists = Compare();
    EXPECT_EQ(lists.MissingQuestions.count(23), 1u);
    EXPECT_EQ(lists.MissingModalities.count({22, lastBand}), 1u);
    EXPECT_EQ(lists.InvalidQuestionMatches.count(14), 1u);
    EXPECT_EQ(lists.InvalidModalityMatches.count({8, 50}), 1u);
    EXPECT_GE(lists.DeletedQuestionMatches.count(13), 2u);
    EXPECT_GE(lists.DeletedModalityMatches.count({22, band->GetModalityId()}), 1u);
    ASSERT_EQ(lists.NewLanguages.size(), 1u);
    EXPECT_EQ(lists.NewLanguages.begin()->second.LanguageId, 1031);
    EXPECT_TRUE(lists.MissingSourceFiles.empty());

    const QString before = Dump(Campaign());
    CValidationThreadParams params;
    params.Campaign = &Campaign();
    params.Lists = &lists;
    const int issues = GetValidationIssueCount(params);
    ASSERT_TRUE(RunWorker(params));
    EXPECT_EQ(params.DoneCount, issues);
    // The invalid and deleted matches are consumed.
    EXPECT_TRUE(lists.InvalidQuestionMatches.empty() && lists.InvalidModalityMatches.empty() &&
                lists.DeletedQuestionMatches.empty() && lists.DeletedModalityMatches.empty());
    ASSERT_EQ(app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_EQ(app.GetCommandHistory().GetUndoStepName(), "validated campaign");

    EXPECT_TRUE(Compare().IsEmpty());
    const CLanguage* german = Campaign().FindLanguage(1031);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(german->IsDefault(), 0);
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 2057);
    const QString after = Dump(Campaign());
    QString error;
    EXPECT_TRUE(
        SameDump(SaveAndReload(Campaign(), folder.filePath("validated.duv"), &error), after))
        << error.toStdString();
    EXPECT_EQ(CheckCampaignFile(folder.filePath("validated.duv")), "");

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(Campaign()), before));
    EXPECT_TRUE(SameDump(SaveAndReload(Campaign(), folder.filePath("undone.duv"), &error), before))
        << error.toStdString();
    ASSERT_TRUE(app.Redo());
    EXPECT_TRUE(SameDump(Dump(Campaign()), after));
    EXPECT_TRUE(Compare().IsEmpty());
}

// An application that runs commands through a history of its own and notes the thread each ran
// on.
class CThreadNotingApp : public CTestWaveApp
{
public:
    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks& callBacks,
                        const CCmdPreCallBacks*, std::unique_ptr<CViewState>, bool) override
    {
        Threads.push_back(std::this_thread::get_id());
        return History.Execute(command, callBacks);
    }
    CommandHistory History;
    std::vector<std::thread::id> Threads;
};

TEST(Validation, TheCorrectionRunsOnTheThreadThatOwnsTheCampaign)
{
    CThreadNotingApp app;
    CCampaign& c = *app.Campaign;
    CVolume* volume = engine_test::AddVolume(c, *engine_test::AddWave(c, 1), 1, {1}, {2});
    engine_test::AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
    engine_test::MatchQuestion(*volume, 10, 5);
    SSourceComparisonLists lists;
    lists.InvalidQuestionMatches.emplace(10, 1);
    lists.DeletedQuestionMatches.emplace(10, 1);

    CValidationThreadParams params;
    params.Campaign = &c;
    params.Lists = &lists;
    EXPECT_EQ(GetValidationIssueCount(params), 2);
    ASSERT_TRUE(RunWorker(params));
    ASSERT_EQ(app.Threads.size(), 1u);
    EXPECT_EQ(app.Threads[0], std::this_thread::get_id());
    // Both entries name one matching: one break.
    EXPECT_EQ(volume->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(params.DoneCount, 2);
}

TEST(Validation, AnEntryNamingNothingEndsTheRunWithNothingExecuted)
{
    CThreadNotingApp app;
    CCampaign& c = *app.Campaign;
    engine_test::AddVolume(c, *engine_test::AddWave(c, 1), 1, {1}, {2});
    engine_test::AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
    for (const auto& [question, volume] : {std::pair{10, 1}, {99, 1}, {10, 42}}) {
        SCOPED_TRACE(question * 100 + volume);
        SSourceComparisonLists lists;
        lists.InvalidQuestionMatches.emplace(question, volume);
        std::atomic<int> done{0};
        EXPECT_FALSE(ValidateCampaign(done, c, lists));
        EXPECT_TRUE(app.Threads.empty());
    }

    // Empty lists give an empty composite, which is executed all the same.
    SSourceComparisonLists empty;
    std::atomic<int> done{0};
    EXPECT_TRUE(ValidateCampaign(done, c, empty));
    EXPECT_EQ(app.Threads.size(), 1u);
    EXPECT_EQ(done, 0);
}

TEST(Validation, NewLanguagesAloneGiveOneAddLanguageEach)
{
    CThreadNotingApp app;
    CCampaign& c = *app.Campaign;
    c.AddLanguage(MakeLanguage(2057, 1, QStringLiteral("English"), QStringLiteral("ENG")));
    c.SetDefaultLanguageId(2057);
    SSourceComparisonLists lists;
    lists.NewLanguages.emplace(1031, SNewLanguage{1031, 0, "DEU", "German (Germany)"});
    lists.NewLanguages.emplace(1040, SNewLanguage{1040, 0, "ITA", "Italian (Italy)"});
    CValidationThreadParams params;
    params.Campaign = &c;
    params.Lists = &lists;
    EXPECT_EQ(GetValidationIssueCount(params), 2);
    const QString before = Dump(c);
    ASSERT_TRUE(RunWorker(params));
    EXPECT_EQ(params.DoneCount, 2);
    ASSERT_EQ(c.GetLanguageCount(), 3);
    EXPECT_EQ(c.FindLanguage(1040)->GetLanguageName(), "Italian (Italy)");
    EXPECT_EQ(c.FindLanguage(1031)->GetLanguageAbbreviation(), "DEU");
    EXPECT_EQ(c.GetDefaultLanguageId(), 2057);
    ASSERT_TRUE(app.History.Undo());
    EXPECT_TRUE(SameDump(Dump(c), before));
}

TEST(Validation, TheIssueCountSumsTheSevenListsEntries)
{
    SSourceComparisonLists lists;
    lists.MissingQuestions = {{1, ""}};
    lists.MissingModalities = {{{1, 1}, ""}, {{1, 2}, ""}};
    for (int i = 0; i < 3; ++i)
        lists.InvalidQuestionMatches.emplace(1, i);
    for (int i = 0; i < 4; ++i)
        lists.InvalidModalityMatches.emplace(CModalityKey{1, 1}, i);
    for (int i = 0; i < 5; ++i)
        lists.NewLanguages.emplace(1000 + i, SNewLanguage());
    for (int i = 0; i < 6; ++i)
        lists.DeletedQuestionMatches.emplace(2, i);
    for (int i = 0; i < 7; ++i)
        lists.DeletedModalityMatches.emplace(CModalityKey{2, 2}, i);
    // Neither missing files nor loop problems are corrected.
    lists.MissingSourceFiles = {{1, 0}};
    lists.LoopHierarchyMatches.emplace(3, 1);
    CValidationThreadParams params;
    params.Lists = &lists;
    EXPECT_EQ(GetValidationIssueCount(params), 28);
}

} // namespace
