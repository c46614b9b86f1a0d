#include "ComparisonTexts.h"
#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "reconcile/ValidationReports.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Three waves of volumes V1 to V4 (wave 1: V1 and V2), with source paths.
class ValidationReports : public ::testing::Test
{
protected:
    ValidationReports()
    {
        // Campaign items show their captions in the campaign's current language.
        Campaign().AddLanguage(std::make_unique<CLanguage>(kLanguage));
        Campaign().SetCurrentLanguageId(kLanguage);
        CWave& w1 = *AddWave(Campaign(), 1);
        CWave& w2 = *AddWave(Campaign(), 2);
        AddVolume(Campaign(), w1, 1, {}, {});
        AddVolume(Campaign(), w1, 2, {}, {});
        AddVolume(Campaign(), w2, 3, {}, {}, 1);
        AddVolume(Campaign(), *AddWave(Campaign(), 3), 4, {}, {}, 3);
        for (int volumeId = 1; volumeId <= 4; ++volumeId) {
            CSourcePath source;
            source.SourceString = QStringLiteral("/study/v%1.zoz").arg(volumeId);
            Campaign().FindVolume(volumeId)->SetMetaData(source);
        }
    }
    CCampaign& Campaign() { return *app.Campaign; }

    CTestWaveApp app;
};

} // namespace

TEST_F(ValidationReports, SourceFilesByWaveWithAlternatingRows)
{
    Campaign().FindVolume(2)->SetName(QStringLiteral("<Second & last>"));
    const QString html = FormatMissingSourceFilesMessage(Campaign(), {{4, 1}, {2, 0}, {1, 1}});
    EXPECT_TRUE(html.startsWith(QStringLiteral("<html>\n<head>\n<title></title>\n<meta "
                                               "http-equiv=\"Content-Type\" content=\"text/html; "
                                               "charset=UTF-8\"/>")));
    EXPECT_FALSE(html.contains(QStringLiteral("p.color2")));
    EXPECT_EQ(ListReportLines(html),
              QStringList({
                  "font color1 bgcolor3|The campaign contains volume(s) that have source files "
                  "which either cannot be found or cannot be opened. You are advised to correct "
                  "this and open the campaign again.",
                  "font color0 bgcolor0|Wave 'W1'",
                  "font indent1 color1 bgcolor1|Volume 'V1' - the source file at '/study/v1.zoz' "
                  "exists but cannot be opened",
                  "font indent1 color1 bgcolor2|Volume '&lt;Second &amp; last&gt;' - the source "
                  "file at '/study/v2.zoz' is missing",
                  "font color0 bgcolor0|Wave 'W3'",
                  "font indent1 color1 bgcolor1|Volume 'V4' - the source file at '/study/v4.zoz' "
                  "exists but cannot be opened",
              }));
}

TEST_F(ValidationReports, OnlyNewLanguagesStillPrintsEverySummaryLine)
{
    SSourceComparisonLists lists;
    lists.NewLanguages[1036] = {1036, 0, QStringLiteral("FRA"), QStringLiteral("French")};
    const QString html = FormatValidationReport(Campaign(), lists);
    EXPECT_TRUE(html.contains(QStringLiteral("p.color2 {color: red}")));
    EXPECT_EQ(
        ListReportLines(html),
        QStringList({
            "font color1 bgcolor1|There is <b>1</b> new language in the source volume(s)",
            "font color1 bgcolor2|There are <b>0</b> invalid question matches to campaign "
            "questions which do not exist",
            "font color1 bgcolor1|There are <b>0</b> invalid response matches to  campaign "
            "responses which do not exist",
            "font color1 bgcolor2|There are <b>0</b> invalid question matches to source questions "
            "which no longer exist in <b>0</b> volume(s)",
            "font color1 bgcolor1|There are <b>0</b> invalid response matches to  source responses "
            "which no longer exist in <b>0</b> volume(s)",
            "font color1 bgcolor2|There are <b>0</b> question matches in <b>0</b> volume(s) for "
            "campaign questions which have been deleted in waves that are earlier than the volumes "
            "the matchings are valid for",
            "font color1 bgcolor1|There are <b>0</b> response matches in <b>0</b> volume(s) for "
            "campaign responses which have been deleted in waves that are earlier than the volumes "
            "the matchings are valid for",
            "font color1 bgcolor2|There are <b>0</b> question matches in <b>0</b> volume(s) for "
            "campaign questions which have a different loop-hierarchy than the questions they are "
            "matched to. These cannot be corrected by Plim - you must check and correct these "
            "manually so that the campaign can be opened in Tally and Lumen.",
        }));
}

TEST_F(ValidationReports, DetailsWaveByWaveAndVolumeByVolume)
{
    CQuestion& q1 = *AddQuestion(Campaign(), 2, "Q1", "Brands & co", 1);
    AddResponses(Campaign(), q1, 1, {"A", "B"});
    CQuestion& q2 = *AddQuestion(Campaign(), 3, "Q2", "Visits", 1);
    q2.SetDeletionWaveId(2);
    Campaign().GetModalityById(2)->SetDeletionWaveId(2);
    CVolume& v1 = *Campaign().FindVolume(1);
    CVolume& v3 = *Campaign().FindVolume(3);
    MatchQuestion(v1, 2, 10);
    MatchResponse(v1, 2, 1, 1);
    MatchResponse(v1, 2, 2, 2);
    MatchQuestion(v1, 3, 11);
    MatchQuestion(v3, 3, 12);
    MatchResponse(v1, 2, 7, 3); // response 7 is not in the campaign
    AddSourceQuestion(v3, 12, "Q2", "Visits <all>");

    SSourceComparisonLists lists;
    // Two missing questions share a shortcut: counted and listed once, with the lower id.
    lists.MissingQuestions = {
        {60, QStringLiteral("Q6")}, {51, QStringLiteral("Q6")}, {70, QStringLiteral("A<7>")}};
    lists.MissingModalities = {{{2, 7}, QStringLiteral("Seven")}};
    lists.InvalidQuestionMatches = {{3, 1}};
    lists.InvalidModalityMatches = {{{2, 1}, 1}, {{2, 7}, 1}};
    lists.DeletedQuestionMatches = {{3, 3}, {3, 4}};
    lists.DeletedModalityMatches = {{{2, 2}, 3}};
    lists.LoopHierarchyMatches = {{3, 3}, {2, 1}};
    EXPECT_EQ(
        ListReportLines(FormatValidationReport(Campaign(), lists)),
        QStringList({
            "font color1 bgcolor1|There are <b>0</b> new language in the source volume(s)",
            "font color1 bgcolor2|There are <b>2</b> invalid question matches to campaign "
            "questions which do not exist",
            "font color1 bgcolor1|There is <b>1</b> invalid response match to a campaign response "
            "which does not exist",
            "font color1 bgcolor2|There is <b>1</b> invalid question match to a source question "
            "which no longer exists in <b>1</b> volume(s)",
            "font color1 bgcolor1|There are <b>2</b> invalid response matches to  source responses "
            "which no longer exist in <b>1</b> volume(s)",
            "font color1 bgcolor2|There are <b>2</b> question matches in <b>2</b> volume(s) for "
            "campaign questions which have been deleted in waves that are earlier than the volumes "
            "the matchings are valid for",
            "font color1 bgcolor1|There is <b>1</b> response match in <b>1</b> volume for a "
            "campaign response which has been deleted in a wave that is earlier than the volume "
            "the matching is valid for",
            "font color2 bgcolor2|There are <b>2</b> question matches in <b>2</b> volume(s) for "
            "campaign questions which have a different loop-hierarchy than the questions they are "
            "matched to. These cannot be corrected by Plim - you must check and correct these "
            "manually so that the campaign can be opened in Tally and Lumen.",
            "font color0 bgcolor0|Missing campaign questions",
            "indent2 font color1 bgcolor2|ID '70', shortcut \"A&lt;7&gt;\"",
            "indent2 font color1 bgcolor1|ID '51', shortcut \"Q6\"",
            "font color0 bgcolor0|Missing campaign responses",
            "indent2 font color1 bgcolor2|ID '7' (Question ID '2'), short caption \"Seven\"",
            "font color0 bgcolor0|Wave 'W1'",
            "indent1 font color1 bgcolor0|Volume 'V1' (/study/v1.zoz)",
            "indent2 font color1 bgcolor0|Invalid question matches (1)",
            "indent3 font color1 bgcolor2|Invalid question match: campaign question 'Visits' (ID "
            "3), matched to a source question with the code '11'",
            "indent2 font color1 bgcolor0|Invalid response matches (2)",
            "indent3 font color1 bgcolor2|Invalid response match: campaign response 'A' ( ID 1, "
            "question 'Brands &amp; co'), matched to a source response with the code '1'",
            "indent3 font color1 bgcolor1|Invalid response match: campaign response (ID 7, "
            "question 'Brands &amp; co'), matched to a source response with the code '3' - "
            "WARNING - the campaign response could not be retrieved!",
            "indent2 font color1 bgcolor0|Matched questions with different loop-hierarchy (1)",
            "indent3 font color1 bgcolor2|Different loop hierarchy: campaign question 'Brands "
            "&amp; co' (ID 2), matched to the source question '' with code '10'",
            "font color0 bgcolor0|Wave 'W2'",
            "indent1 font color1 bgcolor0|Volume 'V3' (/study/v3.zoz)",
            "indent2 font color1 bgcolor0|Deleted questions (1)",
            "indent3 font color1 bgcolor2|Deleted campaign question: campaign question 'Visits' "
            "(ID 3), matched to a source question with the code '12', was deleted in Wave 'W2' (ID "
            "2)",
            "indent2 font color1 bgcolor0|Deleted responses (1)",
            "indent3 font color1 bgcolor2|Deleted campaign response: campaign response 'B' (ID 2, "
            "question 'Brands &amp; co'), matched to a source response with the code '2' was "
            "deleted in Wave 'W2' (ID 2)",
            "indent2 font color1 bgcolor0|Matched questions with different loop-hierarchy (1)",
            "indent3 font color1 bgcolor2|Different loop hierarchy: campaign question 'Visits' (ID "
            "3), matched to the source question 'Visits &lt;all&gt;' with code '12'",
            "font color0 bgcolor0|Wave 'W3'",
            "indent1 font color1 bgcolor0|Volume 'V4' (/study/v4.zoz)",
            "indent2 font color1 bgcolor0|Deleted questions (1)",
            "indent3 font color1 bgcolor2|Deleted campaign question: campaign question 'Visits' "
            "(ID 3), matched to a source question with the code '12', was deleted in Wave 'W2' (ID "
            "2)",
        }));
}

TEST_F(ValidationReports, FallbackRowsForItemsThatCannotBeFound)
{
    CVolume& v1 = *Campaign().FindVolume(1);
    MatchQuestion(v1, 40, 10);
    MatchResponse(v1, 41, 5, 4);
    CQuestion& q = *AddQuestion(Campaign(), 2, "Q1", "Brands", 1);
    AddResponses(Campaign(), q, 1, {"A"});
    q.SetDeletionWaveId(77);
    Campaign().GetModalityById(1)->SetDeletionWaveId(77);
    MatchQuestion(v1, 2, 11);
    MatchResponse(v1, 2, 1, 1);

    SSourceComparisonLists lists;
    lists.InvalidQuestionMatches = {{40, 1}};
    lists.InvalidModalityMatches = {{{41, 1}, 1}, {{41, 5}, 1}};
    lists.DeletedQuestionMatches = {{2, 1}, {40, 1}};
    lists.DeletedModalityMatches = {{{2, 1}, 1}, {{41, 5}, 1}};
    QStringList rows;
    for (const QString& line : ListReportLines(FormatValidationReport(Campaign(), lists))) {
        if (line.startsWith(QStringLiteral("indent3")))
            rows << line.section(u'|', 1);
    }
    EXPECT_EQ(rows,
              QStringList({
                  "Invalid question match: campaign question (ID 40), matched to a source "
                  "question with the code '10' - WARNING - the campaign question could not be "
                  "retrieved!",
                  "Invalid response match: campaign response 'A' (ID 1, question ID 41), matched "
                  "to a source response with the code '1' - WARNING - the campaign question could "
                  "not be retrieved!",
                  "Invalid response match: campaign response (ID 5, question ''), matched to a "
                  "source response with the code '4' - WARNING - the campaign response could not "
                  "be retrieved!",
                  "Deleted campaign question: campaign question 'Brands' (ID 2), matched to a "
                  "source question with the code '11', was deleted in the wave with ID 77 - "
                  "WARNING - the wave could not be retrieved!",
                  "Deleted campaign question: campaign question (ID 40), matched to a source "
                  "question with the code '10' - WARNING - the campaign question could not be "
                  "retrieved!",
                  "Deleted campaign response: campaign response 'A' (ID 1, question ID 2), matched "
                  "to a source response with the code '1' - WARNING - the campaign question or "
                  "the wave it was deleted in could not be retrieved!",
                  "Deleted campaign response: campaign response (ID 5, question ID 41), matched to "
                  "a source response with the code '4' - WARNING - the campaign response could "
                  "not be retrieved!",
              }));
}
