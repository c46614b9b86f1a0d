#include "ComparisonTexts.h"
#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "platform/ProgressThreadData.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/SourceComparison.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// A progress window that cancels the run once the done-count reaches a number.
class CCancellingWindow final : public IProgressDialogWindow
{
public:
    CCancellingWindow(CUPDialogUserProcData& data, int cancelAt)
        : m_data(data), m_cancelAt(cancelAt)
    {
    }
    void EnableCancel(bool) override {}
    void SetPos(int position) override
    {
        if (position >= m_cancelAt)
            m_data.Cancelled = true;
    }
    bool SetText(const QString&) override { return true; }

private:
    CUPDialogUserProcData& m_data;
    int m_cancelAt;
};

// A campaign in English whose volumes' sources are written as ZOZ files into a folder of its
// own before the comparison reads them back.
class SourceComparison : public ::testing::Test
{
protected:
    SourceComparison()
    {
        auto english = std::make_unique<CLanguage>(kLanguage);
        english->SetIsDefault(1);
        Campaign().AddLanguage(std::move(english));
        Campaign().SetDefaultLanguageId(kLanguage);
    }
    CCampaign& Campaign() { return *app.Campaign; }
    CVolume& AddReconciledVolume(CWave& wave, int volumeId, int parentId = -1)
    {
        CVolume& volume = *AddVolume(Campaign(), wave, volumeId, {}, {}, parentId);
        volume.SetStatus(VOLUME_RECONCILED);
        return volume;
    }
    // Writes every volume's questionnaire to "V<id>.zoz", points the volume at it and empties
    // its questionnaire, as after opening a campaign.
    void WriteSources()
    {
        for (int w = 0; w < Campaign().GetWaveCount(); ++w) {
            CWave& wave = *Campaign().GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                CVolume& volume = *wave.GetVolume(v);
                const QString path =
                    folder.filePath(QStringLiteral("V%1.zoz").arg(volume.GetVolumeId()));
                QString error;
                ASSERT_TRUE(qnr::WriteZozFile(volume.GetQuestionnaire(), path, error))
                    << error.toStdString();
                CSourcePath source;
                source.SourceFilePathFormat = PATH_ABSOLUTE;
                source.SourceString = path;
                volume.SetMetaData(source);
                volume.GetQuestionnaire().Clear();
            }
        }
    }
    QString Compare(int threads, bool* clean = nullptr)
    {
        SSourceComparisonLists lists;
        const bool empty = CompareSourcesParallel(nullptr, Campaign(), lists, threads);
        EXPECT_EQ(empty, lists.IsEmpty());
        if (clean)
            *clean = empty;
        return DumpComparison(lists);
    }

    CTestWaveApp app;
    QTemporaryDir folder;
};

} // namespace

TEST_F(SourceComparison, FindsEveryKindOfProblemWhateverTheThreadCount)
{
    CWave& w1 = *AddWave(Campaign(), 1);
    CWave& w2 = *AddWave(Campaign(), 2);
    CVolume& v1 = AddReconciledVolume(w1, 1);
    CVolume& v2 = AddReconciledVolume(w2, 2, 1);
    v2.GetQuestionnaire().AddLanguage(qnr::CLanguage(1036));

    // Q1 with responses A, B and D; D deleted in wave 2.
    CQuestion& q1 = *AddQuestion(Campaign(), 2, "Q1", "Brands", 1);
    AddResponses(Campaign(), q1, 1, {"A", "B", "D"});
    Campaign().GetModalityById(3)->SetIsDeleted(1);
    Campaign().GetModalityById(3)->SetDeletionWaveId(2);
    // Q2, gone from the sources; Q3, deleted in wave 1; the loop L and Q4 inside it.
    AddQuestion(Campaign(), 3, "Q2", "Gone", 1);
    CQuestion& q3 = *AddQuestion(Campaign(), 4, "Q3", "Deleted", 1, 5);
    q3.SetIsDeleted(1);
    q3.SetDeletionWaveId(1);
    AddQuestion(Campaign(), 5, "L", "Loop", 1, 1, 2, 1);
    AddQuestion(Campaign(), 6, "Q4", "In loop", 1, 5, 1, 2);
    // The reserved question's matching names a source code that no source has: never a problem.
    Campaign().CreateReservedQuestion(1, QStringLiteral("Analysis"), kLanguage);
    Campaign().CreateReservedQuestionMatching(&v1);

    for (CVolume* volume : {&v1, &v2}) {
        qnr::CQuestion& brands = *AddSourceQuestion(*volume, 10, "Q1", "Brands");
        AddSourceResponses(brands, 1, {"A", "C", "D"});
        AddSourceQuestion(*volume, 12, "Q3", "Deleted", 5);
        AddSourceQuestion(*volume, 20, "Q9", "Nine", 5);
        AddSourceQuestion(*volume, 13, "L", "Loop", 1, 2, 1);
        // In the second wave Q4 moved out of its loop.
        AddSourceQuestion(*volume, 14, "Q4", "In loop", 5, 1, volume == &v1 ? 2 : 1);
    }
    MatchQuestion(v1, 2, 10);
    MatchResponse(v1, 2, 1, 1);
    MatchResponse(v1, 2, 2, 5);  // B is no longer in the source
    MatchResponse(v1, 2, 3, 3);  // D, deleted in wave 2
    MatchResponse(v1, 2, 99, 2); // a response the campaign does not have
    MatchQuestion(v1, 3, 11);    // Q2 is no longer in the source
    MatchQuestion(v1, 4, 12);
    MatchQuestion(v1, 5, 13);
    MatchQuestion(v1, 6, 14);
    MatchQuestion(v1, 50, 20); // a question the campaign does not have
    WriteSources();

    const QString expected = "1 missing questions: 50 \"Q9\"\n"
                             "2 missing responses: 2/99 \"C\"\n"
                             "3 invalid question matches: 3>1, 3>2\n"
                             "4 invalid response matches: 2/2>1, 2/2>2\n"
                             "5 new languages: 1036 FRA French (France)\n"
                             "7 deleted questions: 4>1, 4>2\n"
                             "8 deleted responses: 2/3>2\n"
                             "9 loop hierarchy: 6>2";
    bool clean = true;
    EXPECT_EQ(Compare(1, &clean), expected);
    EXPECT_FALSE(clean);
    EXPECT_EQ(Compare(8), expected);
    // Every matching checked counts once, the reserved question's left out.
    EXPECT_EQ(CountCampaignVolumeQuestions(Campaign()), 12);
    CUPDialogUserProcData progress;
    SSourceComparisonLists lists;
    CompareSourcesParallel(&progress, Campaign(), lists);
    EXPECT_EQ(progress.DoneCount, 12);
}

TEST_F(SourceComparison, UnreconciledVolumesAreNotRead)
{
    CVolume& volume = *AddVolume(Campaign(), *AddWave(Campaign(), 1), 1, {}, {});
    AddQuestion(Campaign(), 2, "Q1", "One", 1);
    AddSourceQuestion(volume, 10, "Q9", "Nine");
    MatchQuestion(volume, 2, 11);
    WriteSources();
    QFile::remove(volume.GetMetaData().SourceString);

    bool clean = false;
    EXPECT_EQ(Compare(0, &clean), "");
    EXPECT_TRUE(clean);
    EXPECT_EQ(volume.GetQuestionnaire().GetNbreQuestion(), 0);
    // The progress range counts every volume, whatever its status.
    EXPECT_EQ(CountCampaignVolumeQuestions(Campaign()), 1);
}

TEST_F(SourceComparison, MissingAndUnreadableSourceFiles)
{
    CWave& wave = *AddWave(Campaign(), 1);
    for (int volumeId = 1; volumeId <= 3; ++volumeId) {
        CVolume& volume = AddReconciledVolume(wave, volumeId);
        AddSourceQuestion(volume, 10, "Q1", "One");
    }
    WriteSources();
    const QString missing = Campaign().FindVolume(1)->GetMetaData().SourceString;
    QFile::remove(missing);
    // Half a file: the reader refuses it.
    QFile damaged(Campaign().FindVolume(3)->GetMetaData().SourceString);
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    const QByteArray bytes = damaged.readAll();
    damaged.close();
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(bytes.left(bytes.size() / 2));
    damaged.close();

    EXPECT_EQ(Compare(2), "6 source files: 1>0, 3>1");
    // The missing file was neither read nor created.
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(SourceComparison, ANewLanguageIsListedOnceWithTheFirstVolumesRecord)
{
    CWave& w1 = *AddWave(Campaign(), 1);
    CWave& w2 = *AddWave(Campaign(), 2);
    AddReconciledVolume(w2, 3).GetQuestionnaire().AddLanguage(
        qnr::CLanguage(1036, QStringLiteral("Third"), QStringLiteral("TRD")));
    AddReconciledVolume(w1, 1).GetQuestionnaire().AddLanguage(
        qnr::CLanguage(1036, QStringLiteral("First"), QStringLiteral("FST")));
    AddReconciledVolume(w1, 2).GetQuestionnaire().AddLanguage(
        qnr::CLanguage(1036, QStringLiteral("Second"), QStringLiteral("SND")));
    for (int volumeId = 1; volumeId <= 3; ++volumeId)
        AddSourceQuestion(*Campaign().FindVolume(volumeId), 10, "Q1", "One");
    WriteSources();
    for (int threads : {1, 3}) {
        SSourceComparisonLists lists;
        CompareSourcesParallel(nullptr, Campaign(), lists, threads);
        ASSERT_EQ(lists.NewLanguages.size(), 1u);
        EXPECT_EQ(lists.NewLanguages.at(1036),
                  (SNewLanguage{1036, 0, QStringLiteral("FST"), QStringLiteral("First")}));
    }
}

TEST_F(SourceComparison, CancellingKeepsWhatWasFound)
{
    CWave& wave = *AddWave(Campaign(), 1);
    for (int volumeId = 1; volumeId <= 3; ++volumeId) {
        CVolume& volume = AddReconciledVolume(wave, volumeId);
        for (int i = 0; i < 4; ++i) {
            AddSourceQuestion(volume, 10 + i, QStringLiteral("Q%1").arg(i), "Question");
            MatchQuestion(volume, 100 + i, 10 + i); // none of them is in the campaign
        }
    }
    WriteSources();

    // Cancelled at the sixth matching: the second volume stops there, the third never starts.
    CUPDialogUserProcData progress;
    CCancellingWindow window(progress, 6);
    progress.Window = &window;
    SSourceComparisonLists lists;
    EXPECT_FALSE(CompareSourcesParallel(&progress, Campaign(), lists, 1));
    EXPECT_EQ(progress.DoneCount, 6);
    EXPECT_EQ(DumpComparison(lists),
              "1 missing questions: 100 \"Q0\", 101 \"Q1\", 102 \"Q2\", 103 \"Q3\"");

    // Cancelled before the start: nothing is read.
    SSourceComparisonLists none;
    EXPECT_TRUE(CompareSourcesParallel(&progress, Campaign(), none, 4));
    EXPECT_TRUE(none.IsEmpty());
}
