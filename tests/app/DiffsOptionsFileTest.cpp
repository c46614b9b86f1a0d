#include "app/OptionFiles.h"

#include "app/XmlParser.h"
#include "reconcile/DiffsOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DiffsOptionsFile : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // Writes a file in the program's layout from a body of Group elements.
    QString WriteFile(const QString& name, const QString& groups)
    {
        CXmlParser parser;
        EXPECT_TRUE(parser.ParseText(QStringLiteral("<xml>") + groups + QStringLiteral("</xml>")));
        const QString path = PathOf(name);
        EXPECT_TRUE(parser.SaveToFile(path, CXmlParser::XmlFileUtf16));
        return path;
    }

    QTemporaryDir m_dir;
};

QStringList SettingsOf(CXmlParser& parser, const QString& groupName)
{
    QStringList out;
    CXmlElement* root = parser.GetRootElement();
    for (CXmlElement* group = parser.GetFirstChildElement(root); group;
         group = parser.GetNextChildElement(root)) {
        if (parser.GetAttribute(group, QStringLiteral("name")) != groupName)
            continue;
        for (int i = 0; i < group->GetChildCount(); ++i) {
            CXmlElement* setting = group->GetChildAt(i);
            out << parser.GetAttribute(setting, QStringLiteral("tag")) + QLatin1Char('=') +
                       setting->GetValue();
        }
    }
    return out;
}

} // namespace

TEST_F(DiffsOptionsFile, WritesOneSettingPerStoredKind)
{
    CQuestionDiffsOptions questions;
    questions.SetEnabled(3, false);
    CModalityDiffsOptions responses;
    responses.SetEnabled(3, true);
    responses.SetEnabled(9, true);

    const QString path = PathOf(QStringLiteral("options.xml"));
    ASSERT_TRUE(SaveDiffsOptionsFile(path, questions, responses));

    CXmlParser parser;
    ASSERT_TRUE(parser.LoadFromFile(path, CXmlParser::XmlFileByMark));
    EXPECT_EQ(parser.GetRootElement()->GetName(), "xml");
    const QStringList questionSettings = SettingsOf(parser, QStringLiteral("Question Diffs"));
    EXPECT_EQ(questionSettings.size(), 22);
    EXPECT_EQ(questionSettings.first(), "Shortcut=1");
    EXPECT_EQ(questionSettings.at(1), "Indent=0");
    EXPECT_EQ(questionSettings.last(), "Response count=1");
    EXPECT_EQ(SettingsOf(parser, QStringLiteral("Response Diffs")),
              (QStringList{"Value=1", "Is exclusive=0", "Rotation behaviour=0", "User data=0",
                           "Short captions=1"}));

    // The file starts with the UTF-16 mark and header.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(QByteArray("\xFF\xFE<\0?\0x\0m\0l\0", 12)));
}

TEST_F(DiffsOptionsFile, RoundTripRestoresTheSets)
{
    CQuestionDiffsOptions questions;
    CModalityDiffsOptions responses;
    for (int kind : GetStoredQuestionDiffKinds())
        questions.SetEnabled(kind, kind % 3 == 0);
    for (int kind : GetStoredModalityDiffKinds())
        responses.SetEnabled(kind, kind % 2 == 0);
    const QString path = PathOf(QStringLiteral("round.xml"));
    ASSERT_TRUE(SaveDiffsOptionsFile(path, questions, responses));

    CQuestionDiffsOptions readQuestions;
    CModalityDiffsOptions readResponses;
    ASSERT_TRUE(LoadDiffsOptionsFile(path, readQuestions, readResponses));
    EXPECT_TRUE(readQuestions == questions);
    EXPECT_TRUE(readResponses == responses);
}

TEST_F(DiffsOptionsFile, ReadingRules)
{
    const QString path = WriteFile(
        QStringLiteral("rules.xml"),
        QStringLiteral("<Group name=\"question diffs\">"
                       "<Setting tag=\"order\">0</Setting>"        // hidden, applied anyway
                       "<Setting tag=\"SHORTCUT\">0</Setting>"     // caption ignoring case
                       "<Setting tag=\"Indent\">12abc</Setting>"   // leading integer
                       "<Setting tag=\"No such kind\">0</Setting>" // ignored
                       "<Setting tag=\"\">0</Setting>"             // names no kind
                       "<Setting>0</Setting>"
                       "</Group>"
                       "<Group name=\"Other\"><Setting tag=\"Decimals\">0</Setting></Group>"
                       "<Other name=\"Response Diffs\"><Anything tag=\"value\">1</Anything>"
                       "<Setting tag=\"User data\"> 0 </Setting></Other>"));

    CQuestionDiffsOptions questions;
    questions.SetEnabled(3, false);
    CModalityDiffsOptions responses;
    responses.SetEnabled(8, true);
    responses.SetEnabled(9, true);
    ASSERT_TRUE(LoadDiffsOptionsFile(path, questions, responses));

    EXPECT_FALSE(questions.IsEnabled(1));
    EXPECT_FALSE(questions.IsEnabled(2));
    EXPECT_TRUE(questions.IsEnabled(3));
    EXPECT_TRUE(questions.IsEnabled(12));
    EXPECT_EQ(questions.GetEntries().size(), 3u); // kinds 1, 2, 3: nothing for 27
    EXPECT_TRUE(responses.IsEnabled(3));
    EXPECT_FALSE(responses.IsEnabled(8));
    EXPECT_TRUE(responses.IsEnabled(9)); // absent from the file: keeps its flag
}

TEST_F(DiffsOptionsFile, MissingOrUnreadableFilesChangeNothing)
{
    CQuestionDiffsOptions questions;
    questions.SetEnabled(5, false);
    CModalityDiffsOptions responses;
    const CQuestionDiffsOptions questionsBefore = questions;

    const QString empty = PathOf(QStringLiteral("empty.xml"));
    {
        QFile file(empty);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    for (const QString& path :
         {QString(), PathOf(QStringLiteral("missing.xml")), empty, m_dir.path()}) {
        EXPECT_FALSE(LoadDiffsOptionsFile(path, questions, responses)) << path.toStdString();
        EXPECT_TRUE(questions == questionsBefore);
        EXPECT_TRUE(responses.GetEntries().empty());
    }
    EXPECT_FALSE(
        SaveDiffsOptionsFile(PathOf(QStringLiteral("no/folder/x.xml")), questions, responses));
}

TEST_F(DiffsOptionsFile, LocalOptionsLiveBesideTheCampaign)
{
    EXPECT_EQ(GetLocalOptionsPath(QStringLiteral("/data/studies/Brand tracker.duv")),
              "/data/studies/PlimLocalOptions.xml");
    EXPECT_TRUE(GetLocalOptionsPath(QString()).isEmpty());
}
