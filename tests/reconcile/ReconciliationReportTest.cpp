#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include "reconcile/ReconciliationReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(ReconciliationReportTest, HeadDeclaresUtf8AndEveryClassOfTheLines)
{
    const QString head = GetReconciliationReportHead();
    EXPECT_TRUE(
        head.startsWith("<html>\n<head>\n<title></title>\n<meta http-equiv=\"Content-Type\" "
                        "content=\"text/html; charset=UTF-8\"/>\n<style type=\"text/css\">\n"
                        "\tp.font {margin-top: 2; font-family: tahoma; font-size: 12}\n"));
    EXPECT_TRUE(head.contains("\tp.indent3 {margin-top: 2; margin-left: 3em; font-family: tahoma; "
                              "font-size: 12}\n"));
    EXPECT_TRUE(
        head.contains("\tp.color_red_lgrey {color: red; background-color: rgb(220,220,220)}\n"));
    EXPECT_TRUE(head.endsWith("</style>\n</head>\n<body>\n"));
    EXPECT_EQ(GetReportFooter(), "</body>\n</html>\n");
}

TEST(ReconciliationReportTest, LinesAreSelfClosingParagraphsWithEscapedArguments)
{
    QString report;
    AppendReportLine(report, ReportClass::Line3,
                     FormatReportText(63268, QStringLiteral("<b>"), 7, QStringLiteral("a & \"b\""),
                                      QStringLiteral("12")));
    EXPECT_EQ(report, "<p class = \"indent3 font color1\"/>\nCampaign response \"&lt;b&gt;\" (ID "
                      "7) has been matched to source response \"a &amp; &quot;b&quot;\" (ID 12)\n");
    // Scores are written in the C locale whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::French));
    EXPECT_TRUE(
        FormatReportText(63250, QString(), 1, QString(), QString(), 0.5).endsWith("(0.500000)"));
    QLocale::setDefault(QLocale::c());
}

class ReportPathTest : public ::testing::Test
{
protected:
    ReportPathTest() { app.CampaignPath = folder.filePath("Study.duv"); }

    QString InFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    CTestWaveApp app;
};

TEST_F(ReportPathTest, BesideTheCampaignWithTheFirstFreeNumber)
{
    EXPECT_EQ(GetReconciliationReportPath("W2"), InFolder("Study_W2_1.html"));
    Touch(InFolder("Study_W2_1.html"));
    EXPECT_EQ(GetReconciliationReportPath("W2"), InFolder("Study_W2_2.html"));
    // The campaign's own name comes first; separators cannot lead into another folder.
    app.Campaign->SetName("Coffee");
    EXPECT_EQ(GetReconciliationReportPath("W/3"), InFolder("Coffee_W_3_1.html"));
}

TEST_F(ReportPathTest, TheOutputSwitchNamesTheFile)
{
    QDir(folder.path()).mkdir("out");
    const struct
    {
        QString Output;
        QString Expected;
    } cases[] = {
        {"report.html", InFolder("report.html")},               // no folder: beside the campaign
        {InFolder("out/r.html"), InFolder("out/r.html")},       // an existing folder
        {InFolder("none/r.html"), InFolder("Study_W2_1.html")}, // no such folder: not given
    };
    for (const auto& c : cases) {
        app.CmdLineInfo = CWaveCmdLineInfo();
        ASSERT_TRUE(app.CmdLineInfo.ParseCommandLine({"-source:x.zoz", "-output:" + c.Output}));
        EXPECT_EQ(GetReconciliationReportPath("W2"), c.Expected) << c.Output.toStdString();
    }
}

TEST_F(ReportPathTest, TheFileIsWrittenWholeAsUtf8)
{
    CScriptedWindowServices windows;
    const QString text = QStringLiteral("<p>Caf\u00e9 \u4e2d\u6587 \U0001F600</p>\n");
    const QString path = InFolder("r.html");
    ASSERT_TRUE(WriteTextFile("old and longer content that must go away", path));
    ASSERT_TRUE(WriteTextFile(text, path));
    EXPECT_EQ(ReadFile(path), text.toUtf8());
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_FALSE(WriteTextFile(text, InFolder("missing/r.html")));
}

class OpenNumericPairsTest : public ::testing::Test
{
protected:
    OpenNumericPairsTest()
    {
        AddVolume(campaign, *AddWave(campaign, 1), 1, {1}, {1});
        wave = AddWave(campaign, 2);
        volume = AddVolume(campaign, *wave, 2, {1}, {1});
    }

    QList<SOpenNumericPair> Find()
    {
        QList<SOpenNumericPair> pairs;
        FindOpenNumericEquivalents(campaign, *wave, pairs);
        return pairs;
    }

    CTestWaveApp app;
    CCampaign& campaign = *app.Campaign;
    CWave* wave = nullptr;
    CVolume* volume = nullptr;
};

TEST_F(OpenNumericPairsTest, AnUnmatchedNumericQuestionPairsWithANewOpenOneOfTheSameShortcut)
{
    CQuestion* age = AddQuestion(campaign, 10, "Age", "", 1, /*numeric*/ 5);
    CQuestion* newAge = AddQuestion(campaign, 20, "AGE", "", 2, /*open*/ 4);
    AddQuestion(campaign, 11, "Income", "", 1, 5);
    AddQuestion(campaign, 21, "Other", "", 2, 4);
    QList<SOpenNumericPair> pairs = Find();
    ASSERT_EQ(pairs.size(), 1);
    EXPECT_EQ(pairs[0].Numeric, age);
    EXPECT_EQ(pairs[0].Open, newAge);
    EXPECT_EQ(pairs[0].Volume, volume);
    EXPECT_EQ(ReportLines(BuildOpenNumericPairsReport(pairs)),
              (QStringList{"font color0 bgcolor0|There is 1 open source question that should "
                           "possibly be converted to a numeric question and then rematched to the "
                           "corresponding numeric campaign question.",
                           "font indent1 color1 bgcolor1|Numeric campaign question 'Age' with ID "
                           "'10'",
                           "font indent1 color1 bgcolor1|Open campaign question 'AGE' with ID "
                           "'20', new in volume 'V2'"}));

    // A matched or deleted numeric question is no pair.
    MatchQuestion(*volume, 10, 5);
    EXPECT_TRUE(Find().isEmpty());
    volume->RemoveQuestionMatching(10);
    age->SetDeletionWaveId(2);
    EXPECT_TRUE(Find().isEmpty());
}

TEST_F(OpenNumericPairsTest, TwoPairsUseThePluralTextAndAlternateTheirBackground)
{
    AddQuestion(campaign, 10, "Age", "", 1, 5);
    AddQuestion(campaign, 11, "Size", "", 1, 5);
    AddQuestion(campaign, 20, "Age", "", 2, 4);
    AddQuestion(campaign, 21, "Size", "", 2, 4);
    const QString html = BuildOpenNumericPairsReport(Find());
    const QStringList lines = ReportLines(html);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("font color0 bgcolor0|There are 2 open source questions"));
    EXPECT_TRUE(
        lines[3].startsWith("font indent1 color1 bgcolor2|Numeric campaign question 'Size'"));
    EXPECT_TRUE(html.contains("\tp.bgcolor3 {background-color: rgb(255,255,255)}\n"));
    EXPECT_TRUE(html.endsWith("</body>\n</html>\n"));

    CScriptedWindowServices windows;
    ShowOpenNumericPairsReport(campaign, *wave, Find());
    ShowReconciliationReport(*wave, QStringLiteral("report"));
    ASSERT_EQ(windows.Reports.size(), 2u);
    EXPECT_EQ(windows.Reports[0].Title, "Open Numeric Question Pairs");
    EXPECT_EQ(windows.Reports[0].Kind, REPORT_OPEN_NUMERIC);
    EXPECT_EQ(windows.Reports[1].Title, "Reconciliation Report for Wave \"W2\"");
    EXPECT_EQ(windows.Reports[1].Kind, REPORT_RECONCILIATION);
}

} // namespace
