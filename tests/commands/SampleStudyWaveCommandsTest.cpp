// The sample study of samples/ built through the commands, wave by wave and in each source
// format, with every step undone and redone several times over; then unreconciled, its
// volumes and waves removed, also on a campaign saved and opened again.

#include "CommandTestSupport.h"

#include "app/WaveApp.h"
#include "commands/PlaceHolderCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/UnreconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "res/StringIds.h"
#include "storage/DBAccessDAO.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

constexpr int kCycles = 3;

struct SFormat
{
    const char* Extension;
    int SourceType;
};
const SFormat kFormats[] = {
    {"zoz", SOURCE_ZOZ}, {"sss", SOURCE_TRIPLE_S}, {"mdd", SOURCE_DIMENSIONS}};

QString SamplePath(int wave, const char* extension)
{
    return QDir(QStringLiteral(PLIM_SOURCE_DIR "/samples"))
        .filePath(QStringLiteral("wave%1.%2").arg(wave).arg(QLatin1String(extension)));
}

// The program's own application object with an empty campaign; every step runs through its
// command execution and is taken back and put back by its Undo and Redo.
class CSampleStudy
{
public:
    CSampleStudy() { m_app.CreateCampaignObjects(nullptr, nullptr); }

    CCampaign& Campaign() { return *m_app.GetCampaign(); }
    QString Dump() { return DumpCampaign(Campaign()); }

    bool Execute(std::unique_ptr<CCmdVirtual> command)
    {
        std::unique_ptr<CCmdVirtual> held = std::move(command);
        const bool done = m_app.ExecuteCommand(held, {}, nullptr, nullptr, true);
        if (!done)
            ADD_FAILURE() << held->GetName().toStdString() << ": "
                          << held->GetErrorText().toStdString();
        return done;
    }

    // Runs one step (one or more commands of one group), then undoes and redoes it: each Undo
    // must give back the campaign of before the step, byte for byte, each Redo the one after.
    ::testing::AssertionResult Step(const std::function<bool()>& step, int cycles = kCycles)
    {
        const QString before = Dump();
        if (!step())
            return ::testing::AssertionFailure() << "the step failed";
        const QString after = Dump();
        for (int i = 0; i < cycles; ++i) {
            if (!m_app.Undo())
                return ::testing::AssertionFailure() << "Undo failed";
            if (auto same = SameDump(Dump(), before); !same)
                return ::testing::AssertionFailure() << "Undo " << i + 1 << same.message();
            if (!m_app.Redo())
                return ::testing::AssertionFailure() << "Redo failed";
            if (auto same = SameDump(Dump(), after); !same)
                return ::testing::AssertionFailure() << "Redo " << i + 1 << same.message();
        }
        return ::testing::AssertionSuccess();
    }

    bool NewWave(int number, int& waveId)
    {
        auto command =
            std::make_unique<CCmdNewWave>(&Campaign(), -1, QStringLiteral("Wave %1").arg(number),
                                          QString(), QDateTime(), QDateTime(), QDateTime());
        CCmdNewWave* raw = command.get();
        if (!Execute(std::move(command)))
            return false;
        waveId = raw->GetNewWaveId();
        return true;
    }

    // The left view's add-volume step: a place holder, the volume and its wave response, under
    // one group id.
    bool NewVolume(int waveId, const QString& path, int sourceType, int parentId, int& volumeId)
    {
        GUID group;
        CreateGuid(group);
        CWave* wave = Campaign().FindWave(waveId);
        SNewVolumeProperties properties;
        properties.ParentVolumeId = parentId;
        properties.SourceType = sourceType;
        properties.QuestionMatchingMethods = {1, 2, 3};
        properties.ResponseMatchingMethods = {2, 1};
        properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
        properties.MetaData.SourceString = path;
        auto holder = std::make_unique<CCmdNewVolumePlaceHolder>(IDS_NEW_VOLUME, group, -1);
        auto volume = std::make_unique<CCmdNewVolume>(&Campaign(), wave, QFileInfo(path).fileName(),
                                                      properties);
        volume->SetGroupId(group);
        CCmdNewVolume* raw = volume.get();
        if (!Execute(std::move(holder)) || !Execute(std::move(volume)))
            return false;
        volumeId = raw->GetNewVolumeId();
        auto analysis =
            std::make_unique<CCmdAddVolAnalyseMatching>(&Campaign(), raw->GetNewVolume());
        analysis->SetGroupId(group);
        return Execute(std::move(analysis));
    }

    bool Reconcile(int waveId)
    {
        return Execute(MakeReconcileWaveCmd(&Campaign(), Campaign().FindWave(waveId), {}));
    }

    // Saves the campaign into a new file and opens it again in the application, with an empty
    // history; what the file keeps of the campaign must not change.
    ::testing::AssertionResult SaveAndReopen(const QString& path)
    {
        const QString stored = StoredDump();
        {
            CDBAccessDAO storage;
            storage.SetFilePath(path);
            if (!storage.CreateDatabase() || !storage.Save(Campaign()))
                return ::testing::AssertionFailure() << storage.GetErrorText().toStdString();
        }
        // No record left pointing at one that is gone.
        if (const QString problems = command_test::CheckCampaignFile(path); !problems.isEmpty())
            return ::testing::AssertionFailure() << problems.toStdString();
        // Opened as the program opens a file: its sources checked, nothing found to report.
        m_app.SetSourceCheckPause(std::chrono::milliseconds(0));
        m_windows.Prompts.clear();
        if (!m_app.OpenDocumentFile(path))
            return ::testing::AssertionFailure() << "the file did not open";
        if (!m_windows.Prompts.isEmpty() || !m_windows.Reports.empty())
            return ::testing::AssertionFailure()
                   << "opening reported: " << m_windows.Prompts.join(u'|').toStdString();
        return SameDump(StoredDump(), stored);
    }

    // What a campaign file keeps; the current language is not kept (opening a file makes the
    // default language the current one).
    QString StoredDump()
    {
        static const QRegularExpression current(QStringLiteral(" currentLanguage=-?\\d+"));
        return DumpCampaign(Campaign(), DUMP_STORED).replace(current, QString());
    }

    CScriptedWindowServices m_windows;
    CWaveApp m_app;
};

// Waves 1 to 3 of the sample study in one format, each volume inheriting from the one before;
// each step checked by undoing and redoing it. Returns the volume ids.
std::vector<int> BuildStudy(CSampleStudy& study, const SFormat& format, int cycles)
{
    std::vector<int> volumes;
    int parent = -1;
    for (int number = 1; number <= 3; ++number) {
        SCOPED_TRACE(number);
        int waveId = -1;
        int volumeId = -1;
        EXPECT_TRUE(study.Step([&] { return study.NewWave(number, waveId); }, cycles));
        EXPECT_TRUE(study.Step(
            [&] {
                return study.NewVolume(waveId, SamplePath(number, format.Extension),
                                       format.SourceType, parent, volumeId);
            },
            cycles));
        EXPECT_TRUE(study.Step([&] { return study.Reconcile(waveId); }, cycles));
        const CVolume* volume = study.Campaign().FindVolume(volumeId);
        EXPECT_TRUE(volume && volume->GetStatus() == VOLUME_RECONCILED);
        volumes.push_back(volumeId);
        parent = volumeId;
    }
    return volumes;
}

TEST(SampleStudyWaveCommandsTest, EveryStepUndoesAndRedoesInEachFormat)
{
    for (const SFormat& format : kFormats) {
        SCOPED_TRACE(format.Extension);
        CSampleStudy study;
        const std::vector<int> volumes = BuildStudy(study, format, kCycles);
        ASSERT_EQ(volumes.size(), 3u);
        // The campaign questionnaire holds the study's items and the wave question.
        EXPECT_GT(study.Campaign().GetQuestionCount(), 25);
        EXPECT_EQ(study.Campaign().GetQuestionById(RESERVED_QUESTION_ID)->GetModalityCount(), 3);

        EXPECT_TRUE(study.Step([&] {
            return study.Execute(
                std::make_unique<CCmdUnreconcileVolume>(&study.Campaign(), volumes[1], false));
        }));
        EXPECT_TRUE(study.Step([&] {
            return study.Execute(std::make_unique<CCmdRemoveVolume>(&study.Campaign(), volumes[2]));
        }));
        const int firstWave = study.Campaign().GetWave(0)->GetWaveId();
        EXPECT_TRUE(study.Step(
            [&] { return study.Execute(MakeRemoveWaveCmd(&study.Campaign(), firstWave)); }));
    }
}

TEST(SampleStudyWaveCommandsTest, StepsOnACampaignSavedAndOpenedAgain)
{
    QTemporaryDir folder;
    for (const SFormat& format : kFormats) {
        SCOPED_TRACE(format.Extension);
        CSampleStudy study;
        const std::vector<int> volumes = BuildStudy(study, format, 0);
        const QString path = folder.filePath(QStringLiteral("study_%1.duv").arg(format.Extension));
        ASSERT_TRUE(study.SaveAndReopen(path));

        EXPECT_TRUE(study.Step([&] {
            return study.Execute(
                std::make_unique<CCmdUnreconcileVolume>(&study.Campaign(), volumes[1], false));
        }));
        // Re-reconciled from its source file, read again.
        EXPECT_TRUE(study.Step([&] {
            CWave* wave = study.Campaign().FindWaveByVolume(volumes[1]);
            return study.Execute(MakeReReconcileWaveCmd(&study.Campaign(), wave, false, {}));
        }));
        ASSERT_TRUE(study.SaveAndReopen(path + QStringLiteral(".2")));
        EXPECT_TRUE(study.Step([&] {
            return study.Execute(std::make_unique<CCmdRemoveVolume>(&study.Campaign(), volumes[0]));
        }));
        const int lastWave = study.Campaign().GetWave(2)->GetWaveId();
        EXPECT_TRUE(study.Step(
            [&] { return study.Execute(MakeRemoveWaveCmd(&study.Campaign(), lastWave)); }));
        ASSERT_TRUE(study.SaveAndReopen(path + QStringLiteral(".3")));
    }
}

// A wave of two volumes in two formats: the second volume's results are taken back before the
// first's.
TEST(SampleStudyWaveCommandsTest, AWaveOfVolumesInTwoFormats)
{
    CSampleStudy study;
    int waveId = -1;
    int first = -1;
    ASSERT_TRUE(study.NewWave(1, waveId));
    ASSERT_TRUE(study.NewVolume(waveId, SamplePath(1, "zoz"), SOURCE_ZOZ, -1, first));
    ASSERT_TRUE(study.Reconcile(waveId));
    int second = -1;
    int third = -1;
    ASSERT_TRUE(study.NewWave(2, waveId));
    ASSERT_TRUE(study.NewVolume(waveId, SamplePath(2, "sss"), SOURCE_TRIPLE_S, first, second));
    ASSERT_TRUE(study.NewVolume(waveId, SamplePath(2, "mdd"), SOURCE_DIMENSIONS, -1, third));
    EXPECT_TRUE(study.Step([&] { return study.Reconcile(waveId); }, 4));
    EXPECT_TRUE(study.Step([&] {
        return study.Execute(
            MakeReReconcileWaveCmd(&study.Campaign(), study.Campaign().FindWave(waveId), true, {}));
    }));
    EXPECT_TRUE(study.Step([&] {
        return study.Execute(std::make_unique<CCmdRemoveVolume>(&study.Campaign(), second));
    }));
}

} // namespace
