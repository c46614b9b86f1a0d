// Damaged, hostile or wrongly typed sources: Read returns false with a clear reason and leaves
// the questionnaire empty, whatever the format it is asked to read.

#include "TestPaths.h"

#include "questionnaire/Questionnaire.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qnr;

namespace {

const int kTypes[] = {DataBaseZoz, DataBaseDimensions, DataBaseTripleS};
const char* const kExtensions[] = {"zoz", "mdd", "sss"};

QByteArray SampleBytes(int type)
{
    QFile file(qnrtest::SamplePath(1, kExtensions[type]));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectRefused(CQuestionnaire& questionnaire, bool ok, const char* what, const char* reason)
{
    EXPECT_FALSE(ok) << what;
    EXPECT_FALSE(questionnaire.GetLastError().isEmpty()) << what;
    if (reason)
        EXPECT_TRUE(
            questionnaire.GetLastError().contains(QLatin1String(reason), Qt::CaseInsensitive))
            << what << ": " << qPrintable(questionnaire.GetLastError());
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 0) << what;
    EXPECT_EQ(questionnaire.GetLanguageCount(), 0) << what;
    EXPECT_EQ(questionnaire.GetVersionCount(), 0) << what;
}

// Elements nested `depth` deep inside each format's root.
QByteArray Nested(int type, int depth)
{
    const char* const open[] = {"<zoz version='1'><questions>", "<xml><mdm:metadata xmlns:mdm='u'>",
                                "<sss version='2.0'><survey>"};
    const char* const close[] = {"</questions></zoz>", "</mdm:metadata></xml>", "</survey></sss>"};
    return open[type] + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth) +
           close[type];
}

} // namespace

TEST(BadInput, FilesThatCannotBeRead)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.sss"));
    QFile(empty).open(QIODevice::WriteOnly);
    for (int type : kTypes) {
        CQuestionnaire questionnaire;
        ExpectRefused(questionnaire,
                      questionnaire.Read(dir.filePath(QStringLiteral("none.zoz")), {}, type, 1033),
                      "missing file", "does not exist");
        ExpectRefused(questionnaire, questionnaire.Read(empty, {}, type, 1033), "empty file",
                      "is empty");
        ExpectRefused(questionnaire, questionnaire.Read(dir.path(), {}, type, 1033), "folder",
                      "folder");
        ExpectRefused(questionnaire, questionnaire.Read(QString(), {}, type, 1033), "no path",
                      "No source file");
    }
    CQuestionnaire questionnaire;
    ExpectRefused(questionnaire, questionnaire.Read(qnrtest::SamplePath(1, "zoz"), {}, 7, 1033),
                  "unknown source type", "Unknown source type 7");
}

TEST(BadInput, DamagedDocuments)
{
    for (int type : kTypes) {
        SCOPED_TRACE(kExtensions[type]);
        const QByteArray sample = SampleBytes(type);
        ASSERT_FALSE(sample.isEmpty());
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(static_cast<char>((i * 7919 + 13) % 256));
        struct SCase
        {
            const char* what;
            QByteArray bytes;
            const char* reason;
        };
        const SCase cases[] = {
            {"truncated", sample.left(sample.size() / 2), "ends too early"},
            {"cut after the declaration", sample.left(40), nullptr},
            {"binary", binary, nullptr},
            {"zero bytes", QByteArray(100, '\0'), nullptr},
            {"not XML", "questions: 3\nQ1 Age\n", nullptr},
            {"mismatched tags", "<zoz version='1'><sss></zoz></sss>", nullptr},
            {"two roots", sample + sample, nullptr},
            {"deep nesting", Nested(type, 100000), "nested more than"},
            {"text over the cap", "<a>" + QByteArray(5 * 1024 * 1024, 'x') + "</a>", nullptr},
            {"entity expansion",
             "<!DOCTYPE a [<!ENTITY a '0123456789'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>"
             "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;'><!ENTITY d '&c;&c;&c;&c;&c;&c;&c;&c;&c;"
             "&c;'><!ENTITY e '&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;'>]><a>&e;&e;&e;&e;&e;&e;</a>",
             nullptr},
        };
        for (const SCase& c : cases) {
            CQuestionnaire questionnaire;
            ExpectRefused(questionnaire, questionnaire.ReadBuffer(c.bytes, type), c.what, c.reason);
        }
        // The other formats' samples are refused too.
        for (int other : kTypes) {
            if (other == type)
                continue;
            CQuestionnaire questionnaire;
            ExpectRefused(questionnaire, questionnaire.ReadBuffer(SampleBytes(other), type),
                          "another format", nullptr);
        }
    }
}

TEST(BadInput, ExternalEntitiesAreNeverFetched)
{
    QTemporaryDir dir;
    const QString secret = dir.filePath(QStringLiteral("secret.txt"));
    QFile file(secret);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SECRET");
    file.close();
    const QByteArray document = "<!DOCTYPE sss [<!ENTITY x SYSTEM 'file://" + secret.toUtf8() +
                                "'>]><sss version='2.0'><survey><record ident='A'>"
                                "<variable ident='1' type='logical'><name>A</name>"
                                "<label>&x;</label></variable></record></survey></sss>";
    CQuestionnaire questionnaire;
    if (questionnaire.ReadBuffer(document, DataBaseTripleS))
        EXPECT_FALSE(questionnaire.GetQuestion(0)->GetShortCaption().contains("SECRET"));
}

TEST(BadInput, AFailedReadEmptiesAQuestionnaireThatWasLoaded)
{
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.Read(qnrtest::SamplePath(1, "zoz"), {}, DataBaseZoz, 1033));
    ASSERT_GT(questionnaire.GetNbreQuestion(), 0);
    ExpectRefused(questionnaire,
                  questionnaire.Read(qnrtest::SamplePath(1, "zoz"), {}, DataBaseTripleS, 1033),
                  "ZOZ read as Triple-S", "not Triple-S");
    EXPECT_TRUE(questionnaire.GetLastError().contains("wave1.zoz"));
    // And a good read clears the error.
    ASSERT_TRUE(questionnaire.Read(qnrtest::SamplePath(1, "sss"), {}, DataBaseTripleS, 1033));
    EXPECT_TRUE(questionnaire.GetLastError().isEmpty());
}

// A shared category list used by many variables cannot make the read grow without end.
TEST(BadInput, SharedCategoryListsCannotMultiplyWithoutEnd)
{
    QByteArray document = "<xml><mdm:metadata xmlns:mdm='u'><definition><categories id='s'>";
    for (int i = 0; i < 1000; ++i)
        document += "<category name='c" + QByteArray::number(i) + "'/>";
    document += "</categories>";
    for (int i = 0; i < 1500; ++i)
        document += "<variable id='v" + QByteArray::number(i) + "' name='V" +
                    QByteArray::number(i) + "' type='3'><categories ref='s'/></variable>";
    document += "</definition></mdm:metadata></xml>";
    CQuestionnaire questionnaire;
    ExpectRefused(questionnaire, questionnaire.ReadBuffer(document, DataBaseDimensions),
                  "shared list", "more than 500000 categories");
}
