#include "app/OptionFiles.h"
#include "app/WaveApp.h"
#include "app/XmlParser.h"
#include "model/CaptionLibrary.h"
#include "reconcile/DiffsOptions.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Replays the damaged and hostile files of the corpus (also the fuzz target's seed corpus):
// each loads as the reading rules make of it, or fails cleanly, under every file mode.
TEST(XmlCorpus, DamagedFilesLoadOrFailCleanly)
{
    const QDir corpus(QStringLiteral(PLIM_TEST_DATA_DIR "/xml-corpus"));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 15);

    // Under mode 0 only these fail: no text at all, or nesting beyond the limit.
    const QTemporaryDir written;
    const QSet<QString> failing = {QStringLiteral("bom-only.xml"), QStringLiteral("deep.xml")};

    for (const QString& name : files) {
        const QString path = corpus.filePath(name);
        for (int mode : {0, 1, 2}) {
            CXmlParser parser;
            const bool loaded = parser.LoadFromFile(path, mode);
            if (mode == 0) {
                EXPECT_EQ(loaded, !failing.contains(name)) << name.toStdString();
            }
            if (!loaded) {
                EXPECT_EQ(parser.GetRootElement()->GetChildCount(), 0) << name.toStdString();
                continue;
            }
            CXmlElement* root = parser.GetRootElement();
            for (CXmlElement* child = parser.GetFirstChildElement(root); child;
                 child = parser.GetNextChildElement(root)) {
                (void)parser.GetAttribute(child, QStringLiteral("name"));
                (void)child->GetValue();
            }
            CXmlParser again;
            EXPECT_TRUE(again.ParseText(parser.GetXmlText(true))) << name.toStdString();
        }

        CQuestionDiffsOptions questions;
        CModalityDiffsOptions responses;
        LoadDiffsOptionsFile(path, questions, responses);
        QList<pelko_wave::CResponseCaptionGroup*> groups;
        QList<pelko_wave::CResponseLibrary*> libraries;
        if (CWaveApp::LoadCaptionLibraries(path, groups, libraries)) {
            EXPECT_TRUE(CWaveApp::SaveCaptionLibraries(written.filePath(name), groups, libraries))
                << name.toStdString();
        }
        pelko_wave::FreeCaptionLibraries(groups, libraries);
    }
}

TEST(XmlCorpus, KnownDamageReadsAsExpected)
{
    const QDir corpus(QStringLiteral(PLIM_TEST_DATA_DIR "/xml-corpus"));

    // A file cut in the middle keeps what came before the cut.
    CQuestionDiffsOptions questions;
    CModalityDiffsOptions responses;
    questions.SetEnabled(2, false);
    ASSERT_TRUE(LoadDiffsOptionsFile(corpus.filePath(QStringLiteral("truncated-utf16.xml")),
                                     questions, responses));
    EXPECT_TRUE(questions.IsEnabled(2));

    // Entities of a document type are not expanded.
    CXmlParser parser;
    ASSERT_TRUE(parser.LoadFromFile(corpus.filePath(QStringLiteral("entities.xml")), 0));
    EXPECT_LT(parser.GetDocumentText().size(), 1000);

    // Unknown and invalid references stay as they stand.
    ASSERT_TRUE(parser.LoadFromFile(corpus.filePath(QStringLiteral("references.xml")), 0));
    CXmlElement* a = parser.GetRootElement()->GetChildAt(0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetValue(), "AB<>&'&bogus;&#12345678901234567890;");
    EXPECT_EQ(parser.GetAttribute(a, QStringLiteral("v")),
              QString(QChar(0)) + "&#xD800;&#99999999999;&#x;&;&amp&#-1;&#x110000;&quot");

    // A UTF-8 mark is skipped.
    ASSERT_TRUE(parser.LoadFromFile(corpus.filePath(QStringLiteral("utf8-bom.xml")), 0));
    EXPECT_EQ(parser.GetRootElement()->GetName(), "xml");
    EXPECT_EQ(parser.GetRootElement()->GetChildAt(0)->GetValue(), "café");
}
