#include "ComparisonTexts.h"
#include "SampleStudyRuns.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "platform/ProgressThreadData.h"
#include "reconcile/SourceComparison.h"
#include "reconcile/ValidationReports.h"
#include "storage/DBAccess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace pelko_wave;
using namespace sample_study;

namespace {

// The sample study copied into a folder of its own and reconciled wave by wave: wave 1 from
// wave1.zoz; wave 2 from wave2.zoz (inheriting) and wave2.sss; wave 3 from wave3.zoz
// (inheriting) and wave3.mdd (inheriting from the Triple-S volume).
class SampleComparison : public ::testing::Test
{
protected:
    SampleComparison()
    {
        for (const QString& file :
             QDir(QStringLiteral(PLIM_SOURCE_DIR "/samples")).entryList({"wave*"}, QDir::Files))
            QFile::copy(QStringLiteral(PLIM_SOURCE_DIR "/samples/") + file, Copy(file));
        app.CreateCampaignObjects(nullptr, nullptr);
        AddWave(1, 1, {{"wave1.zoz"}});
        AddWave(2, 2, {Inheriting("wave2.zoz", 0, 1), {"wave2.sss", SOURCE_TRIPLE_S}});
        AddWave(3, 4,
                {Inheriting("wave3.zoz", 0, 2), Inheriting("wave3.mdd", SOURCE_DIMENSIONS, 3)});
    }
    static SSampleVolume Inheriting(const char* file, int type, int parent)
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
        for (int i = 0; i < volumes.size(); ++i) {
            CVolume& volume = *Campaign().FindVolume(firstVolumeId + i);
            volume.GetMetaData().SourceString = Copy(volumes[i].File);
        }
        ASSERT_TRUE(ReconcileSampleWave(waveId, true).Result);
    }
    // Applies the change to the text of the copy of the file.
    void Edit(const QString& file, const std::function<void(QString&)>& change)
    {
        QFile copy(Copy(file));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(copy.readAll());
        copy.close();
        const QString before = text;
        change(text);
        ASSERT_NE(text, before) << file.toStdString();
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
        copy.write(text.toUtf8());
    }
    static void Remove(QString& text, const QString& pattern)
    {
        text.remove(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption));
    }
    QString Compare(int threads)
    {
        SSourceComparisonLists lists;
        CompareSourcesParallel(nullptr, Campaign(), lists, threads);
        return DumpComparison(lists);
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
};

} // namespace

TEST_F(SampleComparison, AFreshCampaignComparesClean)
{
    for (int threads : {1, 8})
        EXPECT_EQ(Compare(threads), "");
    // Every volume was reconciled, so every one was read and each of its matchings checked.
    for (int volumeId = 1; volumeId <= 5; ++volumeId)
        EXPECT_EQ(Campaign().FindVolume(volumeId)->GetStatus(), VOLUME_RECONCILED);
    CUPDialogUserProcData progress;
    SSourceComparisonLists lists;
    EXPECT_TRUE(CompareSourcesParallel(&progress, Campaign(), lists));
    EXPECT_EQ(progress.DoneCount, CountCampaignVolumeQuestions(Campaign()));
    EXPECT_GT(progress.DoneCount, 100);
}

TEST_F(SampleComparison, AChangedCopyFillsTheExpectedLists)
{
    // Wave 1: a language added, Q9 (id 18) moved out of the brand loop.
    Edit("wave1.zoz", [](QString& text) {
        text.replace(QStringLiteral("<language id=\"1036\"/>"),
                     QStringLiteral("<language id=\"1036\"/><language id=\"1031\"/>"));
        text.replace(
            QStringLiteral("<question code=\"32\" shortcut=\"Q9\" type=\"6\" indent=\"3\">"),
            QStringLiteral("<question code=\"32\" shortcut=\"Q9\" type=\"6\" indent=\"2\">"));
    });
    // Wave 2: Q6 (id 14) deleted; the Triple-S file missing.
    Edit("wave2.zoz", [](QString& text) {
        Remove(text, QStringLiteral("    <question code=\"21\".*?</question>\n"));
    });
    ASSERT_TRUE(QFile::remove(Copy("wave2.sss")));
    // Wave 3: Q2's Roast House (response 50) deleted; the Dimensions file cut in half.
    Edit("wave3.zoz", [](QString& text) {
        Remove(text,
               QStringLiteral("      <response code=\"6\" entry=\"roast_house\">.*?</response>\n"));
    });
    Edit("wave3.mdd", [](QString& text) { text.truncate(text.size() / 2); });
    // In the campaign, Q5 (id 13) deleted in wave 2 while waves 2 and 3 still match it.
    Campaign().GetQuestionById(13)->SetIsDeleted(1);
    Campaign().GetQuestionById(13)->SetDeletionWaveId(2);

    const QString expected = "3 invalid question matches: 14>2\n"
                             "4 invalid response matches: 8/50>4\n"
                             "5 new languages: 1031 DEU German (Germany)\n"
                             "6 source files: 3>0, 5>1\n"
                             "7 deleted questions: 13>2, 13>4\n"
                             "9 loop hierarchy: 18>1";
    for (int threads : {1, 8})
        EXPECT_EQ(Compare(threads), expected) << threads;

    // With source files missing, the report lists those.
    SSourceComparisonLists lists;
    CompareSourcesParallel(nullptr, Campaign(), lists);
    EXPECT_EQ(
        ListReportLines(FormatMissingSourceFilesMessage(Campaign(), lists.MissingSourceFiles)),
        QStringList({
            "font color1 bgcolor3|The campaign contains volume(s) that have source files "
            "which either cannot be found or cannot be opened. You are advised to correct "
            "this and open the campaign again.",
            "font color0 bgcolor0|Wave 'W2'",
            "font indent1 color1 bgcolor1|Volume 'V3' - the source file at '" + Copy("wave2.sss") +
                "' is missing",
            "font color0 bgcolor0|Wave 'W3'",
            "font indent1 color1 bgcolor1|Volume 'V5' - the source file at '" + Copy("wave3.mdd") +
                "' exists but cannot be opened",
        }));
    // The matching problems, volume by volume, as the validation report details them, with
    // the campaign's captions in English.
    Campaign().SetCurrentLanguageId(2057);
    QStringList details;
    for (const QString& line : ListReportLines(FormatValidationReport(Campaign(), lists))) {
        if (line.startsWith(QStringLiteral("indent")))
            details << line.section(u'|', 1);
    }
    EXPECT_EQ(details,
              QStringList({
                  "Volume 'V1' (" + Copy("wave1.zoz") + ")",
                  "Matched questions with different loop-hierarchy (1)",
                  "Different loop hierarchy: campaign question 'Would recommend' (ID 18), matched "
                  "to the source question 'Would recommend' with code '32'",
                  "Volume 'V2' (" + Copy("wave2.zoz") + ")",
                  "Invalid question matches (1)",
                  "Invalid question match: campaign question 'Visits a month' (ID 14), matched to "
                  "a source question with the code '21'",
                  "Deleted questions (1)",
                  "Deleted campaign question: campaign question 'Last visit' (ID 13), matched to a "
                  "source question with the code '20', was deleted in Wave 'W2' (ID 2)",
                  "Volume 'V4' (" + Copy("wave3.zoz") + ")",
                  "Invalid response matches (1)",
                  "Invalid response match: campaign response 'Roast House' ( ID 50, question "
                  "'Aided awareness'), matched to a source response with the code '6'",
                  "Deleted questions (1)",
                  "Deleted campaign question: campaign question 'Last visit' (ID 13), matched to a "
                  "source question with the code '20', was deleted in Wave 'W2' (ID 2)",
              }));
}
