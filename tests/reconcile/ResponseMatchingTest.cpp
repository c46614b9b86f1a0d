#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/OptionRecords.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ResponseMatching.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Campaign question 10 appeared in volume 1 of wave 1; its source question 100 in volume 2 of
// wave 2 (a root) is matched to it.
class ResponseMatchingTest : public ::testing::Test
{
protected:
    ResponseMatchingTest()
    {
        first = AddVolume(campaign, *AddWave(campaign, 1), 1, {1}, {1});
        volume = AddVolume(campaign, *AddWave(campaign, 2), 2, {1}, {1});
        question = AddQuestion(campaign, 10, "Q1", "Brand", 1);
        source = AddSourceQuestion(*volume, 100, "Q1", "Brand");
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
    }

    QStringList Match(const QList<quint32>& methods, bool strict)
    {
        volume->SetResponseMatchingMethods(methods);
        volume->SetIsMatchingStrict(strict ? 1 : 0);
        report.clear();
        MatchQuestionResponses(report, *volume, *question, *source, 2, {.ReportFlag = true});
        return NewResponsePairs(*question);
    }

    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CVolume* first = nullptr;
    CVolume* volume = nullptr;
    CQuestion* question = nullptr;
    qnr::CQuestion* source = nullptr;
    QString report;
};

TEST_F(ResponseMatchingTest, StrictOrderIsTheKeyAndOnlyLaterMethodsCheck)
{
    AddResponse(campaign, *question, 1, "A", "1");
    AddResponse(campaign, *question, 2, "B", "2");
    AddResponse(campaign, *question, 3, "C", "3");
    AddSourceResponse(*source, 11, "a", "1");
    AddSourceResponse(*source, 12, "b", "9");
    AddSourceResponse(*source, 13, "c", "3");
    // [3, 1]: order proposes, entry codes must agree.
    EXPECT_EQ(Match({3, 1}, true), (QStringList{"1>11", "3>13"}));
    // [1, 3]: order is still the key; the entry code in the first position is not checked.
    EXPECT_EQ(Match({1, 3}, true), (QStringList{"1>11", "2>12", "3>13"}));
}

TEST_F(ResponseMatchingTest, StrictOrderWithInternalCodeChecksTheMatchingWhereTheQuestionAppeared)
{
    AddResponses(campaign, *question, 1, {"A", "B", "C"});
    MatchResponse(*first, 10, 1, 11);
    MatchResponse(*first, 10, 2, 12);
    MatchResponse(*first, 10, 3, 13);
    AddSourceResponse(*source, 11, "x");
    AddSourceResponse(*source, 15, "y");
    AddSourceResponse(*source, 13, "z");
    EXPECT_EQ(Match({3, 0}, true), (QStringList{"1>11", "3>13"}));
    // Internal code alone finds the codes wherever they stand.
    EXPECT_EQ(Match({0}, false), (QStringList{"1>11", "3>13"}));
}

// A response matching the volume holds already (a copy given by a step on a volume above it)
// stands: neither its response nor its source is matched again.
TEST_F(ResponseMatchingTest, AMatchingTheVolumeHoldsAlreadyStands)
{
    AddResponse(campaign, *question, 1, "A", "1");
    AddResponse(campaign, *question, 2, "B", "2");
    AddSourceResponse(*source, 11, "a", "1");
    AddSourceResponse(*source, 12, "b", "2");
    MatchResponse(*volume, 10, 1, 11);
    EXPECT_EQ(Match({1}, false), QStringList{"2>12"});
}

TEST_F(ResponseMatchingTest, EntryCodesCompareAsWholeNumbersElseAsTextsIgnoringCase)
{
    const struct
    {
        const char* A;
        const char* B;
        bool Equal;
    } cases[] = {
        {"01", "1", true},
        {"1", "1", true},
        {"007", "7", true},
        {"+1", "1", true},
        {"-0", "0", true},
        {"-1", "1", false},
        {"A", "B", false},
        {"a", "A", true},
        {"1.0", "1", false},
        {"1a", "1", false},
        {"", "", true},
        {"", "0", false},
        {"99999999999999999999", "099999999999999999999", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntryCodesEqual(c.A, c.B), c.Equal) << c.A << " / " << c.B;
}

TEST_F(ResponseMatchingTest, EmptyEntryCodesArePositionsPaddedToTheResponseCount)
{
    QStringList captions;
    for (int i = 0; i < 12; ++i)
        captions << QStringLiteral("R%1").arg(i);
    AddResponses(campaign, *question, 1, captions);
    EXPECT_EQ(GetModalityEntryCodeText(*question, 4), "05");

    CQuestion* nine = AddQuestion(campaign, 11, "Q2", "", 1);
    AddResponses(campaign, *nine, 20, captions.mid(0, 9));
    EXPECT_EQ(GetModalityEntryCodeText(*nine, 4), "5");
    nine->SetIsDontKnow(1); // ten answers with "don't know"
    EXPECT_EQ(GetModalityEntryCodeText(*nine, 4), "05");

    // "05" matches a source entry code "5" and a source without entry code at position 4.
    AddSourceResponses(*source, 1, captions.mid(0, 4));
    AddSourceResponse(*source, 5, "other", "5");
    EXPECT_EQ(Match({1}, false), (QStringList{"1>1", "2>2", "3>3", "4>4", "5>5"}));
}

TEST_F(ResponseMatchingTest, OrderComparesPositionsWhateverTheStoredOrders)
{
    AddResponses(campaign, *question, 1, {"A", "B", "C"});
    for (int i = 0; i < 3; ++i)
        question->GetModality(i)->SetModalityOrder(i + 5);
    AddSourceResponses(*source, 21, {"x", "y", "z"});
    EXPECT_EQ(Match({3}, false), (QStringList{"1>21", "2>22", "3>23"}));
}

TEST_F(ResponseMatchingTest, NonStrictCaptionScanOnlySeesWhatEntryCodesLeft)
{
    AddResponse(campaign, *question, 1, "Yes", "1");
    AddResponse(campaign, *question, 2, "Maybe", "7");
    AddSourceResponse(*source, 11, "Maybe", "1");
    AddSourceResponse(*source, 12, "Maybe", "8");
    // Response 1 takes 11 by entry code; "Maybe" would score 1.0 with 11 but finds it gone.
    EXPECT_EQ(Match({1, 2}, false), (QStringList{"1>11", "2>12"}));
}

TEST_F(ResponseMatchingTest, CaptionScanPairsPerfectScoresAtOnceThenTheBestProposals)
{
    app.NGramSettings.SetNGramThreshold(50);
    AddResponse(campaign, *question, 1, "AB");
    AddResponse(campaign, *question, 2, "AB");
    AddResponse(campaign, *question, 3, "Same");
    AddSourceResponse(*source, 11, "ABC"); // 0.8 for both 1 and 2: the later proposal wins
    AddSourceResponse(*source, 12, "Same");
    EXPECT_EQ(Match({2}, false), (QStringList{"2>11", "3>12"}));
    EXPECT_EQ(question->GetResponseIndex().UnmatchedModalities, QList<int>{1});
}

TEST_F(ResponseMatchingTest, ManualIsDroppedFromTheListAndStrictSingleMethodActsAlone)
{
    AddResponses(campaign, *question, 1, {"Yes", "No"});
    AddSourceResponses(*source, 11, {"No", "Yes"});
    EXPECT_EQ(Match({4, 2, 4}, true), (QStringList{"1>12", "2>11"}));
    EXPECT_EQ(ReportLines(report).mid(3, 2),
              (QStringList{"indent0 color0|Matching responses strictly (matches will be checked "
                           "against all matching methods)",
                           "indent1 font color0|Attempting to match responses using matching "
                           "method(s): short caption..."}));
}

TEST_F(ResponseMatchingTest, StrictCaptionAndUserDataRankByCaptionAndCheckUserData)
{
    app.NGramSettings.SetNGramThreshold(50);
    CModality* only = AddResponse(campaign, *question, 1, "AB");
    only->SetUserData("keep");
    AddSourceResponse(*source, 11, "ABC")->SetUserData("keep");
    AddSourceResponse(*source, 12, "ABD")->SetUserData("other");
    // Both score 0.8; the later one is tried first but its user data differs.
    EXPECT_EQ(Match({2, 5}, true), QStringList{"1>11"});
}

TEST_F(ResponseMatchingTest, CaptionLibrariesHelpTheCaptionMethodOnlyWhenChosenAndDefined)
{
    AddResponses(campaign, *question, 1, {"Yes", "No"});
    AddSourceResponses(*source, 11, {"Oui", "No"});
    volume->SetResponseMatchingMethods({2});
    const auto match = [&](bool useLibraries) {
        MatchQuestionResponses(report, *volume, *question, *source, 2,
                               {.UseCaptionLibraries = useLibraries});
        return NewResponsePairs(*question);
    };
    // Chosen but none defined: the plain scan still runs.
    EXPECT_EQ(match(true), QStringList{"2>12"});

    auto* group = new CResponseCaptionGroup(QStringLiteral("Yes"));
    for (const char* text : {"Yes", "Oui"})
        group->AddCaption(std::make_unique<CResponseCaption>(QString::fromUtf8(text), group));
    group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
    auto* library = new CResponseLibrary(QStringLiteral("Answers"));
    library->AddGroup(group);
    app.Groups.append(group);
    app.Libraries.append(library);
    EXPECT_EQ(match(false), QStringList{"2>12"});
    EXPECT_EQ(match(true), (QStringList{"1>11", "2>12"}));
}

TEST_F(ResponseMatchingTest, ReportNamesThePairsAndWhatIsLeftEscaped)
{
    AddResponse(campaign, *question, 1, "Yes & no");
    AddResponse(campaign, *question, 2, "<script>");
    AddSourceResponse(*source, 11, "Yes & no");
    AddSourceResponse(*source, 12, "Other");
    Match({2}, false);
    EXPECT_EQ(ReportLines(report),
              (QStringList{
                  "indent0 font color0|Matching responses of question \"Q1\" (ID 10)",
                  // The volume is a root: its inherited check finds nothing, and says so.
                  "indent1 color0|Checking inherited response matchings (0) of question \"Q1\" "
                  "for validity in this volume",
                  "indent2 font color1|0 of 0 inherited matchings are still valid in this volume",
                  "indent0 color0|Matching responses non-strictly (matches will be made with the "
                  "first successful matching method)",
                  "indent1 font color0|Attempting to match responses using matching method short "
                  "caption...",
                  "indent2 font color1|1 new response matchings were made using this matching "
                  "method",
                  "indent3 font color1|Campaign response \"Yes &amp; no\" (ID 1) has been matched "
                  "to source response \"Yes &amp; no\" (ID 11)",
                  "indent1 font color0|The following campaign responses could not be matched in "
                  "this question:",
                  "indent2 font color1|Campaign response \"&lt;script&gt;\" (ID 2)",
                  "indent1 font color0|The following source responses in this question could not "
                  "be matched and were added as new campaign responses:",
                  "indent2 font color1|Source response \"Other\" (ID 12)",
              }));
}

// The driver's step that makes the volume's question and response matchings.
class ApplyQuestionMatchingsTest : public ResponseMatchingTest
{
protected:
    ApplyQuestionMatchingsTest()
    {
        run = MakeRun(campaign, 2, results, runReport);
        run.ReportFlag = true;
        volume->GetQuestionIndex().CodeMap.Insert(100, 0);
        volume->GetQuestionIndex().NewMatchings.insert(10, "100");
    }

    SReconcileResults results;
    SReconcileRun run;
    QString runReport;
};

TEST_F(ApplyQuestionMatchingsTest, MakesMatchingsAddsCaptionsAndCreatesNewResponses)
{
    question->SetAppearanceVolumeId(NO_VOLUME_ID); // as if it first appeared later
    CModality* yes = AddResponse(campaign, *question, 1, "Yes");
    AddSourceResponse(*source, 11, "Yes")->SetShortCaption(1036, "Oui");
    AddSourceResponse(*source, 12, "No", "2");
    source->SetCaptions(1036, "Marque", "Marque");
    volume->SetResponseMatchingMethods({2});

    ApplyQuestionMatchings(run, *volume);

    EXPECT_EQ(question->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(results.QuestionAppearanceBefore.value(question), NO_VOLUME_ID);
    ASSERT_NE(volume->FindQuestionMatching(10), nullptr);
    EXPECT_EQ(volume->FindQuestionMatching(10)->GetSourceId(), "100");
    // The French captions were missing: added to the question and to the matched response.
    EXPECT_EQ(question->GetShortCaption(1036), "Marque");
    EXPECT_EQ(yes->GetShortCaption(1036), "Oui");
    EXPECT_EQ(results.AddedQuestionCaptions.size(), 1);
    EXPECT_EQ(results.AddedModalityCaptions.size(), 1);
    // "No" became a new response of the question, matched to its source.
    ASSERT_EQ(results.CreatedModalities.size(), 1);
    const CModality* no = results.CreatedModalities.first();
    EXPECT_EQ(no->GetQuestionId(), 10);
    EXPECT_EQ(question->GetModalityCount(), 2);
    EXPECT_EQ(volume->FindModalityMatching(no->GetModalityId())->GetModalitySourceId(), "12");
    EXPECT_EQ(results.ModalityMatchingsMade.size(), 2);
    EXPECT_TRUE(runReport.contains("Matching responses of question"));
}

TEST_F(ApplyQuestionMatchingsTest, SourceResponsesOfAQuestionWithoutResponsesBecomeNewResponses)
{
    AddSourceResponses(*source, 11, {"Yes", "No"});
    ApplyQuestionMatchings(run, *volume);
    EXPECT_EQ(question->GetModalityCount(), 2);
}

TEST_F(ApplyQuestionMatchingsTest, CommandLineStopsOnUnmatchedOrNewResponsesUnlessAllowed)
{
    AddResponse(campaign, *question, 1, "Yes");
    AddSourceResponse(*source, 12, "No");
    volume->SetResponseMatchingMethods({2});
    run.CommandLine = true;
    run.Switches = &app.CmdLineInfo;

    const struct
    {
        QStringList Switches;
        const char* Stop; // start of the red paragraph, or null when the run goes on
    } cases[] = {
        {{}, "Due to unmatched campaign responses"},
        {{"-I:R"}, "Due to a number of new responses"},
        {{"-I:R", "-A:R"}, nullptr},
    };
    for (const auto& c : cases) {
        app.CmdLineInfo = CWaveCmdLineInfo();
        ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine(QStringList{"-source:x.zoz"} + c.Switches));
        runReport.clear();
        if (c.Stop) {
            EXPECT_THROW(ApplyQuestionMatchings(run, *volume), CReconcileStop);
            EXPECT_TRUE(runReport.startsWith("<p class = \"indent0 fontBold color_red_lgrey\"/>\n" +
                                             QString(c.Stop)))
                << runReport.left(200).toStdString();
        } else {
            ApplyQuestionMatchings(run, *volume);
            EXPECT_EQ(question->GetModalityCount(), 2);
        }
        // Take back what a run made so that the next case starts alike.
        for (CModalityMatching* made : std::as_const(results.ModalityMatchingsMade))
            volume->RemoveModalityMatching(made);
        volume->RemoveQuestionMatching(10);
        results = SReconcileResults();
    }
}

} // namespace
