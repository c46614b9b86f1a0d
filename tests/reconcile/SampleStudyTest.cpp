#include "EngineFixtures.h"
#include "SampleStudyRuns.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "storage/DBAccess.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace sample_study;

namespace {

// The sample study reconciled at engine level: wave 1 builds the campaign questionnaire from
// wave1.zoz; the later waves are matched against it with the options each test chooses.

SSampleVolume Inheriting(const char* file, int parent)
{
    SSampleVolume setup{file};
    setup.ParentId = parent;
    return setup;
}

// A campaign of its own whose wave 1 was reconciled from wave1.zoz, for tests that run one
// case per campaign.
// The program's own application object holds it, with its default options.
struct SFirstWaveCampaign
{
    SFirstWaveCampaign()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        AddSampleWave(Campaign(), 1, 1, {{"wave1.zoz"}});
        First = ReconcileSampleWave(1, true);
    }
    CCampaign& Campaign() { return *app.GetCampaign(); }
    SRun SecondWave(const SSampleVolume& setup, bool interactive = true, bool useLibraries = false)
    {
        AddSampleWave(Campaign(), 2, 2, {setup});
        return ReconcileSampleWave(2, interactive, useLibraries);
    }

    CScriptedWindowServices windows;
    CWaveApp app;
    SRun First;
};

// The lines of a volume summary whose names are given, in the summary's order.
QString Pick(const QString& summary, const QStringList& names)
{
    QStringList picked;
    for (const QString& line : summary.split(u'\n'))
        if (names.contains(line.section(u':', 0, 0)))
            picked << line;
    return picked.join(u'\n');
}

TEST(SampleStudyTest, ThreeWavesEachInheritingFromThePreviousOne)
{
    SFirstWaveCampaign study;
    const SRun& first = study.First;
    ASSERT_TRUE(first.Result);
    EXPECT_EQ(SummariseVolume(first, 1),
              "languages: -1/2057\n"
              "questions: \n"
              "responses: \n"
              "broken: \n"
              "unmatched: \n"
              "new questions: SCREENING id 2 order 1, S1 id 3 order 2, S2 id 4 order 3, S3 id 5 "
              "order 4, AWARENESS id 6 order 5, Q1 id 7 order 6, Q2 id 8 order 7, Q3 id 9 order "
              "8, Q3_OTH id 10 order 9, Q4 id 11 order 10, USAGE id 12 order 11, Q5 id 13 order "
              "12, Q6 id 14 order 13, Q7 id 15 order 14, BRANDLOOP id 16 order 15, Q8 id 17 order "
              "16, Q9 id 18 order 17, Q10 id 19 order 18, PROFILE id 20 order 19, D1 id 21 order "
              "20, D2 id 22 order 21, D3 id 23 order 22, D4 id 24 order 23, D5 id 25 order 24\n"
              "new responses: ");
    EXPECT_EQ(study.Campaign().GetDefaultLanguageId(), 2057);
    EXPECT_TRUE(MatchesGolden(first.Report, "sample_wave1.html"));

    // Wave 2: Q7 is gone, the regions are recoded, Q2 has a sixth brand, Q11 is new.
    const SRun second = study.SecondWave(Inheriting("wave2.zoz", 1));
    ASSERT_TRUE(second.Result);
    EXPECT_EQ(SummariseVolume(second, 2), "languages: 2057/2057\n"
                                          "questions: shortcut 0, short caption 0, long caption 0\n"
                                          "responses: short caption 4, entry code 0\n"
                                          "broken: 22; S3: 1 2 3 4\n"
                                          "unmatched: Q7(15)\n"
                                          "new questions: Q11 id 26 order 19\n"
                                          "new responses: Q2 \"Roast House\" id 50 order 7");
    EXPECT_TRUE(MatchesGolden(second.Report, "sample_wave2.html"));

    // Wave 3, strict by shortcut and short caption: D3 is gone, the incomes are regrouped and
    // recoded, Q12 is new.
    SSampleVolume third = Inheriting("wave3.zoz", 2);
    third.Strict = true;
    third.QuestionMethods = {1, 2};
    AddSampleWave(study.Campaign(), 3, 3, {third});
    const SRun last = ReconcileSampleWave(3, true);
    ASSERT_TRUE(last.Result);
    EXPECT_EQ(SummariseVolume(last, 3),
              "languages: 2057/2057\n"
              "questions: shortcut; short caption 0\n"
              "responses: short caption; entry code 0\n"
              "broken: 42; D2: 1 2 3\n"
              "unmatched: Q7(15) D3(23)\n"
              "new questions: Q12 id 27 order 20\n"
              "new responses: D2 \"Under 30,000\" id 55 order 5, D2 \"30,000 or more\" id 56 "
              "order 6");
    EXPECT_TRUE(MatchesGolden(last.Report, "sample_wave3.html"));
}

TEST(SampleStudyTest, ARootVolumeMatchedByItsMethodLists)
{
    const struct
    {
        QList<quint32> QuestionMethods;
        QList<quint32> ResponseMethods;
        bool Strict;
        QString Expected;
    } cases[] = {
        // Internal codes checked by short captions; response codes checked by entry codes: the
        // recoded regions become new responses.
        {{0, 2},
         {0, 1},
         true,
         "questions: internal code; short caption 23\n"
         "responses: internal code; entry code 45\n"
         "unmatched: Q7(15)\n"
         "new questions: Q11 id 26 order 19\n"
         "new responses: S3 \"North\" id 50 order 5, S3 \"South\" id 51 order 6, S3 \"East\" id "
         "52 order 7, S3 \"West\" id 53 order 8, Q2 \"Roast House\" id 54 order 7"},
        // Entry codes survive the recoding of the regions.
        {{2, 3},
         {1},
         false,
         "questions: short caption 23, long caption 0\n"
         "responses: entry code 49\n"
         "unmatched: Q7(15)\n"
         "new questions: Q11 id 26 order 19\n"
         "new responses: Q2 \"Roast House\" id 50 order 7"},
        // Q4's long caption was reworded: it comes back as a new question after Q3_OTH. By
        // position, Q2's sixth brand takes the place of "None of these", which comes back new.
        {{3},
         {3},
         true,
         "questions: long caption 22\n"
         "responses: order 44\n"
         "unmatched: Q4(11) Q7(15)\n"
         "new questions: Q4 id 26 order 10, Q11 id 27 order 20\n"
         "new responses: Q2 \"None of these\" id 50 order 7"},
        // No question has user data, and two empty texts never match.
        {{5},
         {5},
         false,
         "questions: user data 0\n"
         "responses: \n"
         "unmatched: SCREENING(2) S1(3) S2(4) S3(5) AWARENESS(6) Q1(7) Q2(8) Q3(9) Q3_OTH(10) "
         "Q4(11) USAGE(12) Q5(13) Q6(14) Q7(15) BRANDLOOP(16) Q8(17) Q9(18) Q10(19) PROFILE(20) "
         "D1(21) D2(22) D3(23) D4(24) D5(25)"},
    };
    for (const auto& c : cases) {
        SFirstWaveCampaign study;
        SSampleVolume setup{"wave2.zoz"};
        setup.QuestionMethods = c.QuestionMethods;
        setup.ResponseMethods = c.ResponseMethods;
        setup.Strict = c.Strict;
        const SRun run = study.SecondWave(setup);
        ASSERT_TRUE(run.Result);
        QStringList names{"questions", "responses", "unmatched"};
        if (c.QuestionMethods != QList<quint32>{5})
            names << "new questions"
                  << "new responses";
        EXPECT_EQ(Pick(SummariseVolume(run, 2), names), c.Expected);
    }
}

TEST(SampleStudyTest, CaseSensitiveMatchingAndParentValues)
{
    const struct
    {
        bool CaseSensitive;
        bool ParentValues;
        QString Expected;
    } cases[] = {
        // The renamed S1 no longer agrees with its source's shortcut; short captions find it
        // again (and its responses).
        {false, false,
         "questions: shortcut 0, short caption 1, long caption 0\n"
         "responses: short caption 7, entry code 0\n"
         "broken: 1 22; S3: 1 2 3 4"},
        // Case-sensitive, "q1" no longer agrees with "Q1" either.
        {true, false,
         "questions: shortcut 0, short caption 2, long caption 0\n"
         "responses: short caption 7, entry code 0\n"
         "broken: 1 10 22; S3: 1 2 3 4"},
        // With the parent's source values the campaign's own names do not matter.
        {false, true,
         "questions: shortcut 0, short caption 0, long caption 0\n"
         "responses: short caption 4, entry code 0\n"
         "broken: 22; S3: 1 2 3 4"},
        {true, true,
         "questions: shortcut 0, short caption 0, long caption 0\n"
         "responses: short caption 4, entry code 0\n"
         "broken: 22; S3: 1 2 3 4"},
    };
    for (const auto& c : cases) {
        SFirstWaveCampaign study;
        // The campaign's own names drifted after wave 1: S1 was renamed, Q1 lower-cased.
        study.Campaign().GetQuestionById(3)->SetShortcut("GENDER");
        study.Campaign().GetQuestionById(7)->SetShortcut("q1");
        SSampleVolume setup = Inheriting("wave2.zoz", 1);
        setup.CaseSensitive = c.CaseSensitive;
        setup.ParentValues = c.ParentValues;
        const SRun run = study.SecondWave(setup);
        ASSERT_TRUE(run.Result);
        EXPECT_EQ(Pick(SummariseVolume(run, 2), {"questions", "responses", "broken"}), c.Expected)
            << c.CaseSensitive << c.ParentValues;
    }
}

TEST(SampleStudyTest, CaptionLibrariesOnAndOff)
{
    for (const bool useLibraries : {false, true}) {
        SFirstWaveCampaign study;
        AddIncomeCaptionLibrary(study.app);

        SSampleVolume setup{"wave3.zoz"};
        setup.ResponseMethods = {2};
        const SRun run = study.SecondWave(setup, true, useLibraries);
        ASSERT_TRUE(run.Result);
        EXPECT_EQ(Pick(SummariseVolume(run, 2), {"responses", "new responses"}),
                  useLibraries
                      ? "responses: short caption 44\n"
                        "new responses: Q2 \"Roast House\" id 50 order 7, D2 \"30,000 or more\" "
                        "id 51 order 5"
                      : "responses: short caption 43\n"
                        "new responses: Q2 \"Roast House\" id 50 order 7, D2 \"Under 30,000\" id "
                        "51 order 5, D2 \"30,000 or more\" id 52 order 6");
        EXPECT_EQ(run.Report.contains("Using caption libraries"), useLibraries);
    }
}

TEST(SampleStudyTest, CommandLineRunsStopUnlessTheirSwitchesAllowWhatIsNeeded)
{
    const struct
    {
        QStringList Switches;
        const char* Stop; // the red paragraph's reason, or null for a run that goes through
    } cases[] = {
        {{}, "Due to unmatched campaign questions"},
        {{"-I:Q"}, "Due to inherited question matches that must be broken"},
        {{"-I:Q", "-X:Q"}, "Due to inherited response matches that must be broken"},
        {{"-I:Q", "-X:QR"}, "Due to a number of new responses that must be added"},
        {{"-I:Q", "-X:QR", "-A:R"}, "Due to a number of new questions that must be added"},
        {{"-I:Q", "-X:QR", "-A:QR"}, nullptr},
    };
    for (const auto& c : cases) {
        SFirstWaveCampaign study;
        ASSERT_TRUE(study.app.GetCmdLineInfo().ParseCommandLine(QStringList{"-source:wave2.zoz"} +
                                                                c.Switches));
        const SRun run = study.SecondWave(Inheriting("wave2.zoz", 1), false);
        EXPECT_EQ(run.Result, c.Stop == nullptr) << c.Switches.join(u' ').toStdString();
        const QString third = engine_test::ReportLines(run.Report).value(2);
        if (c.Stop) {
            EXPECT_TRUE(
                third.startsWith(QStringLiteral("indent0 fontBold color_red_lgrey|") + c.Stop))
                << third.toStdString();
        } else {
            EXPECT_FALSE(run.Report.contains("color_red_lgrey|"));
            EXPECT_EQ(study.Campaign().FindVolume(2)->GetStatus(), VOLUME_RECONCILED);
        }
        if (c.Switches.isEmpty()) {
            EXPECT_TRUE(MatchesGolden(run.Report, "sample_wave2_command_line.html"));
        }
    }
}

} // namespace
