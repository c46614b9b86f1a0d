// The qnrdump test program: a dump starting with the question count, or the library's error
// text and a non-zero exit.

#include "TestPaths.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct SRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

SRun RunQnrDump(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QNRDUMP_PATH), arguments);
    SRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST(QnrDump, PrintsTheQuestionnaire)
{
    const SRun run = RunQnrDump({qnrtest::SamplePath(1, "sss"), QStringLiteral("2")});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.startsWith(QLatin1String("questions: 23\n")))
        << qPrintable(run.out.left(80));
    EXPECT_TRUE(run.out.contains(QLatin1String("shortcut=\"Q8_bean_there\"")));
}

TEST(QnrDump, UnreadableFileGivesTheErrorAndFails)
{
    SRun run = RunQnrDump({qnrtest::SamplePath(1, "zoz"), QStringLiteral("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("not Triple-S"))) << qPrintable(run.err);
    EXPECT_TRUE(run.out.isEmpty());
    run = RunQnrDump({QStringLiteral("/nonexistent/x.zoz"), QStringLiteral("0")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("does not exist")));
    run = RunQnrDump({qnrtest::SamplePath(1, "zoz")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QLatin1String("usage")));
}
