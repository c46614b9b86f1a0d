// A source's format is told from its content, whatever its name.

#include "questionnaire/SourceType.h"
#include "questionnaire/QuestionnaireTypes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace qnr;

namespace {

int DetectBuffer(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return DetectSourceType(buffer);
}

} // namespace

TEST(SourceType, RootElementDecides)
{
    struct SCase
    {
        const char* document;
        int expected;
    };
    const SCase cases[] = {
        {"<?xml version='1.0'?><zoz version='1'><questions/></zoz>", DataBaseZoz},
        {"<sss version='2.0'><survey/></sss>", DataBaseTripleS},
        {"<xml xmlns:mdm='urn:x'><mdm:metadata/></xml>", DataBaseDimensions},
        {"<!-- made by hand --><xml>\n <mdm:metadata xmlns:mdm='urn:x'/></xml>",
         DataBaseDimensions},
        {"<mdm:metadata xmlns:mdm='urn:x'><definition/></mdm:metadata>", DataBaseDimensions},
        {"<xml><other/></xml>", -1},
        {"<xml/>", -1},
        {"<questionnaire/>", -1},
        {"", -1},
        {"not xml at all", -1},
        {"\x89PNG\r\n\x1a\n", -1},
        // A truncated document: the reader itself reports what is wrong with the rest.
        {"<zoz version='1'><questions><question code=", DataBaseZoz},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(DetectBuffer(c.document), c.expected) << c.document;
}

TEST(SourceType, FilesAreReadByContentNotName)
{
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    EXPECT_EQ(DetectSourceType(write("wave.zoz", "<sss version='2.0'/>")), DataBaseTripleS);
    EXPECT_EQ(DetectSourceType(write("wave.mdd", "<zoz version='1'/>")), DataBaseZoz);
    EXPECT_EQ(DetectSourceType(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.zoz")), DataBaseZoz);
    EXPECT_EQ(DetectSourceType(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.sss")),
              DataBaseTripleS);
    EXPECT_EQ(DetectSourceType(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.mdd")),
              DataBaseDimensions);
    // Missing files, folders and FIFOs are no sources; a FIFO is never opened (it would wait
    // for a writer).
    EXPECT_EQ(DetectSourceType(folder.filePath("missing.zoz")), -1);
    EXPECT_EQ(DetectSourceType(folder.path()), -1);
    const QString fifo = folder.filePath("pipe.zoz");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(DetectSourceType(fifo), -1);
}
