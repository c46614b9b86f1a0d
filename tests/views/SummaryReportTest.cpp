#include "ViewTestSupport.h"

#include "commands/ReconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsOptions.h"
#include "res/CommandIds.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightView.h"
#include "views/SummaryReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace pelko_wave;

namespace {

const QDir kData(QStringLiteral(PLIM_TEST_DATA_DIR "/summary"));

// wave2.zoz without TOWN and EXTRA.
const char kAgeAndBrand[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<zoz version="1">
  <languages default="2057"><language id="2057"/></languages>
  <questions>
    <question code="1" shortcut="AGE" type="1" maxresponses="1">
      <caption lang="2057"><short>Age</short><long>How old are you?</long></caption>
      <response code="1" entry="young"><caption lang="2057">Young</caption></response>
      <response code="2" entry="old"><caption lang="2057">Old</caption></response>
    </question>
    <question code="3" shortcut="BRAND" type="1" maxresponses="1">
      <caption lang="2057"><short>Brand</short><long>Which brand?</long></caption>
      <response code="1" entry="bean"><caption lang="2057">Bean There</caption></response>
      <response code="2" entry="cafe"><caption lang="2057">Cafe &amp; Co</caption></response>
    </question>
  </questions>
</zoz>
)";

QString ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return QString::fromUtf8(file.readAll());
}

} // namespace

// A campaign built from wave1.zoz (AGE, CITY, BRAND, NOTE), whose second wave "Summer" has one
// volume "Online" of wave2.zoz: AGE with its second response captioned "Older & <wiser>", CITY
// renamed TOWN and captioned "Town <b>", BRAND unchanged, NOTE gone and EXTRA new. Responses are
// compared on every kind the options offer.
class SummaryReportTest : public CViewTest
{
protected:
    SummaryReportTest()
    {
        CModalityDiffsOptions responses;
        for (const int kind : GetStoredModalityDiffKinds())
            responses.SetEnabled(kind, true);
        app.SetModalityDiffsOptions(responses);
    }

    bool Run(std::unique_ptr<CCmdVirtual> command)
    {
        return app.ExecuteCommand(command, {}, nullptr, nullptr, true);
    }
    CWave* NewWave(const QString& name)
    {
        EXPECT_TRUE(Run(std::make_unique<CCmdNewWave>(&Campaign(), -1, name, QString(), QDateTime(),
                                                      QDateTime(), QDateTime())));
        return Campaign().GetWave(Campaign().GetWaveCount() - 1);
    }
    CVolume* NewVolume(CWave& wave, const QString& name, const QString& file, int parent = -1)
    {
        SNewVolumeProperties properties;
        properties.ParentVolumeId = parent;
        properties.QuestionMatchingMethods = {0, 1};
        properties.ResponseMatchingMethods = {0, 1};
        properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
        properties.MetaData.SourceString = kData.filePath(file);
        EXPECT_TRUE(Run(std::make_unique<CCmdNewVolume>(&Campaign(), &wave, name, properties)));
        return wave.GetVolume(wave.GetVolumeCount() - 1);
    }
    void Reconcile(CWave& wave)
    {
        EXPECT_TRUE(
            Run(std::make_unique<CCmdReconcileWave>(&Campaign(), &wave, SReconcileWaveOptions{})));
    }
    // Spring from wave1.zoz, then Summer with one volume per file given, reconciled: "Online",
    // and "Phone" inheriting from it.
    CWave* BuildCampaign(std::initializer_list<const char*> summerFiles)
    {
        CWave* spring = NewWave(QStringLiteral("Spring"));
        NewVolume(*spring, QStringLiteral("Online"), QStringLiteral("wave1.zoz"));
        Reconcile(*spring);
        CWave* summer = NewWave(QStringLiteral("Summer"));
        const char* names[] = {"Online", "Phone"};
        int parent = -1;
        for (const char* file : summerFiles)
            parent = NewVolume(*summer, QString::fromLatin1(names[summer->GetVolumeCount()]),
                               QString::fromLatin1(file), parent)
                         ->GetVolumeId();
        Reconcile(*summer);
        Campaign().SetCurrentLanguageId(2057);
        windows.Prompts.clear();
        return summer;
    }
    // The golden wave: EXTRA's matching taken out again, so that it and its source question
    // stand unmatched.
    CWave* BuildGoldenCampaign()
    {
        CWave* summer = BuildCampaign({"wave2.zoz"});
        const CQuestion* extra = Campaign().FindQuestionByShortcut(QStringLiteral("EXTRA"));
        EXPECT_TRUE(extra && summer->GetVolume(0)->RemoveQuestionMatching(extra->GetQuestionId()));
        return summer;
    }
    // Writes a source file into the test's folder; returns its path.
    QString WriteSource(const char* text)
    {
        const QString path = m_folder.filePath(QStringLiteral("source%1.zoz").arg(++m_sources));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    // Points the volume at another source, to be read afresh.
    static void SwapSource(CVolume& volume, const QString& path)
    {
        volume.GetMetaData().SourceString = path;
        volume.ReplaceQuestionnaire(nullptr);
    }

private:
    QTemporaryDir m_folder;
    int m_sources = 0;
};

TEST_F(SummaryReportTest, ThePageOfAWaveEqualsTheGoldenPage)
{
    const CWave* summer = BuildGoldenCampaign();
    // The ids the golden page names.
    EXPECT_EQ(Campaign().FindQuestionByShortcut(QStringLiteral("AGE"))->GetQuestionId(), 2);
    EXPECT_EQ(Campaign().FindQuestionByShortcut(QStringLiteral("CITY"))->GetQuestionId(), 3);

    CSummaryCounts counts;
    QString details;
    ASSERT_TRUE(ComputeSummary(summer->GetWaveId(), counts, details));
    CSummaryCounts expected;
    expected.IncludedQuestions = 5; // AGE, CITY, BRAND, NOTE, EXTRA
    expected.SourceQuestions = 4;   // AGE, TOWN, BRAND, EXTRA
    expected.PerfectMatches = 1;    // BRAND
    expected.MultipleMatches = 0;
    expected.MatchesWithDifferences = 2;   // AGE (a response), CITY
    expected.UnmatchedQuestions = 2;       // NOTE, EXTRA
    expected.UnmatchedSourceQuestions = 1; // EXTRA's source question
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(BuildSummaryHtml(counts, details), ReadFile(kData.filePath("summary-wave2.html")));
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST_F(SummaryReportTest, EachCountTakesItsPluralOrSingularSentence)
{
    // The sentence of each count, plural and singular.
    const struct
    {
        int CSummaryCounts::*Count;
        const char* Plural;
        const char* Singular;
    } lines[] = {
        {&CSummaryCounts::IncludedQuestions,
         "There are <b>%1</b> questions in the campaign that are included in the current wave\n",
         "There is <b>%1</b> question in the campaign that is included in the current wave\n"},
        {&CSummaryCounts::SourceQuestions,
         "There are <b>%1</b> questions in the source volumes of the current wave\n",
         "There is <b>%1</b> question in the source volumes of the current wave\n"},
        {&CSummaryCounts::PerfectMatches,
         "There are <b>%1</b> perfect question matches in the current wave\n",
         "There is <b>%1</b> perfect question match in the current wave\n"},
        {&CSummaryCounts::MultipleMatches,
         "There are <b>%1</b> questions that are matched to more than one source question in the "
         "current wave\n",
         "There is <b>%1</b> question that is matched to more than one source question in the "
         "current wave\n"},
        {&CSummaryCounts::MatchesWithDifferences,
         "There are <b>%1</b> question matches with differences in the current wave\n",
         "There is <b>%1</b> question match with differences in the current wave\n"},
        {&CSummaryCounts::UnmatchedQuestions,
         "There are <b>%1</b> questions in the campaign that are not matched in the current wave\n",
         "There is <b>%1</b> question in the campaign that is not matched in the current wave\n"},
        {&CSummaryCounts::UnmatchedSourceQuestions,
         "There are <b>%1</b> questions in the source volumes of the current wave that are not "
         "matched to a campaign question\n",
         "There is <b>%1</b> question in the source volumes of the current wave that is not "
         "matched to a campaign question\n"},
    };
    for (const int value : {0, 1, 2}) {
        for (int i = 0; i < int(std::size(lines)); ++i) {
            CSummaryCounts counts;
            counts.*lines[i].Count = value;
            const QString html = BuildSummaryHtml(counts, QString());
            // The line's opener alternates, starting with colour 1.
            const QString opener = i % 2 == 0 ? QStringLiteral("<p class = \"font color1\"/>\n")
                                              : QStringLiteral("<p class = \"font color2\"/>\n");
            const QString sentence =
                QString::fromLatin1(value == 1 ? lines[i].Singular : lines[i].Plural).arg(value);
            EXPECT_TRUE(html.contains(opener + sentence)) << i << " " << value;
        }
    }
}

TEST_F(SummaryReportTest, AQuestionMatchedInTwoVolumesCountsOnceAsMultipleAndPerVolumeOtherwise)
{
    // Phone inherits Online's matchings, except CITY's, whose shortcut drifted: Phone ends it
    // and matches a new question TOWN instead; AGE's changed response gets a new response there.
    const CWave* summer = BuildCampaign({"wave2.zoz", "wave2.zoz"});
    ASSERT_EQ(summer->GetVolumeCount(), 2);
    const CQuestion* town = Campaign().FindQuestionByShortcut(QStringLiteral("TOWN"));
    ASSERT_NE(town, nullptr);
    EXPECT_EQ(town->GetAppearanceVolumeId(), summer->GetVolume(1)->GetVolumeId());

    CSummaryCounts counts;
    QString details;
    ASSERT_TRUE(ComputeSummary(summer->GetWaveId(), counts, details));
    CSummaryCounts expected;
    expected.IncludedQuestions = 6; // AGE, CITY, BRAND, NOTE, EXTRA, TOWN
    expected.SourceQuestions = 8;
    // AGE, BRAND and EXTRA are matched in both volumes, once each here.
    expected.MultipleMatches = 3;
    // ... and each match counts: BRAND and EXTRA twice, AGE (Phone) and TOWN once.
    expected.PerfectMatches = 6;
    expected.MatchesWithDifferences = 2; // AGE and CITY in Online
    expected.UnmatchedQuestions = 1;     // NOTE
    expected.UnmatchedSourceQuestions = 0;
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(details.count(QStringLiteral("campaign question \"AGE\"")), 1);
    EXPECT_EQ(details.count(QStringLiteral("campaign question \"CITY\"")), 1);
}

TEST_F(SummaryReportTest, AWaveThatMatchesExactlyHasOnlyPerfectMatchesAndNoDetails)
{
    CWave* spring = NewWave(QStringLiteral("Spring"));
    NewVolume(*spring, QStringLiteral("Online"), QStringLiteral("wave1.zoz"));
    Reconcile(*spring);
    CSummaryCounts counts;
    QString details;
    ASSERT_TRUE(ComputeSummary(spring->GetWaveId(), counts, details));
    EXPECT_EQ(counts.IncludedQuestions, 4);
    EXPECT_EQ(counts.PerfectMatches, counts.IncludedQuestions);
    EXPECT_EQ(counts.MatchesWithDifferences + counts.UnmatchedQuestions +
                  counts.UnmatchedSourceQuestions + counts.MultipleMatches,
              0);
    EXPECT_TRUE(details.isEmpty());
}

TEST_F(SummaryReportTest, AnUnreadableSourceOrAMissingQuestionStopsTheSummary)
{
    CWave* summer = BuildGoldenCampaign();
    CVolume& volume = *summer->GetVolume(0);
    const QString missing = kData.filePath(QStringLiteral("gone.zoz"));
    SwapSource(volume, missing);
    CSummaryCounts counts;
    QString details;
    EXPECT_FALSE(ComputeSummary(summer->GetWaveId(), counts, details));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("The source file \"%1\" for the volume \"Online\" could not be found "
                             "or is not a valid source file")
                  .arg(missing));

    // A source without TOWN's code 2, which CITY is matched to.
    windows.Prompts.clear();
    SwapSource(volume, WriteSource(kAgeAndBrand));
    EXPECT_FALSE(ComputeSummary(summer->GetWaveId(), counts, details));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("The source file for the volume 'Online' does \nnot contain the "
                             "question '2' which existed when the volume was \nfirst reconciled. "
                             "The file may have been changed since the reconciliation."));
}

TEST_F(SummaryReportTest, AMissingSourceResponseEndsOnlyItsQuestionsResponseList)
{
    CWave* summer = BuildGoldenCampaign();
    CVolume& volume = *summer->GetVolume(0);
    // AGE keeps only its first response; TOWN is back.
    QString source = QString::fromLatin1(kAgeAndBrand);
    source.replace(QStringLiteral("<response code=\"2\" entry=\"old\"><caption "
                                  "lang=\"2057\">Old</caption></response>"),
                   QStringLiteral("</question><question code=\"2\" shortcut=\"TOWN\" type=\"4\">"));
    SwapSource(volume, WriteSource(source.toLatin1().constData()));
    CSummaryCounts counts;
    QString details;
    ASSERT_TRUE(ComputeSummary(summer->GetWaveId(), counts, details));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("The source file for the volume 'Online' does \nnot contain the "
                             "response '2' which existed when the volume was \nfirst reconciled. "
                             "The file may have been changed since the reconciliation."));
    // The summary went on with the other questions.
    EXPECT_TRUE(details.contains(QStringLiteral("campaign question \"CITY\" (3)")));
}

TEST_F(SummaryReportTest, TheTreeShowsTheSummaryOfTheSelectedWaveInAReportWindow)
{
    CWave* summer = BuildGoldenCampaign();
    CCommandActions actions;
    CRightView right;
    CBottomView bottom;
    CLeftView left(&actions);
    left.SetPanes(&right, &bottom);
    left.ResetAfterLoad();

    // Only for a wave whose volumes are all reconciled.
    left.SelectCampaign(0);
    EXPECT_FALSE(actions.Execute(ID_WAVE_SHOW_SUMMARY));
    left.SelectVolumeItem(summer->GetVolume(0)->GetVolumeId(), 0);
    EXPECT_FALSE(actions.Execute(ID_WAVE_SHOW_SUMMARY));
    EXPECT_TRUE(windows.Reports.empty());

    left.SelectWaveItem(summer->GetWaveId(), 0);
    windows.PumpCount = 0;
    windows.WaitCursorCount = 0;
    EXPECT_TRUE(actions.Execute(ID_WAVE_SHOW_SUMMARY));
    ASSERT_EQ(windows.Reports.size(), 1u);
    EXPECT_EQ(windows.Reports[0].Title,
              QStringLiteral("Reconciliation Summary for Wave \"Summer\""));
    EXPECT_EQ(windows.Reports[0].Kind, REPORT_SUMMARY);
    EXPECT_EQ(windows.Reports[0].Html, ReadFile(kData.filePath("summary-wave2.html")));
    EXPECT_GT(windows.PumpCount, 0);
    EXPECT_GT(windows.WaitCursorCount, 0);
    EXPECT_EQ(windows.WaitCursorDepth, 0);

    // A source that cannot be read: its message and no window.
    SwapSource(*summer->GetVolume(0), kData.filePath(QStringLiteral("gone.zoz")));
    left.OnShowSummary();
    EXPECT_EQ(windows.Reports.size(), 1u);
    EXPECT_EQ(windows.Prompts.size(), 1);

    // A wave with a volume still unreconciled offers no summary.
    CWave* autumn = NewWave(QStringLiteral("Autumn"));
    NewVolume(*autumn, QStringLiteral("Online"), QStringLiteral("wave2.zoz"));
    left.RefreshTree();
    left.SelectWaveItem(autumn->GetWaveId(), 0);
    EXPECT_FALSE(actions.Execute(ID_WAVE_SHOW_SUMMARY));
}
