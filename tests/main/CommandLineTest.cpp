#include "RunPlim.h"

#include "platform/WaveCmdLineInfo.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(CommandLine, HelpPrintsTheUsageText)
{
    QFile golden(QStringLiteral(PLIM_TEST_DATA_DIR "/usage.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray expected = golden.readAll();
    // The text ends with the note and two empty lines; nothing is added to it.
    EXPECT_TRUE(expected.endsWith("use 'plim'.\n\n\n"));
    EXPECT_EQ(expected, CWaveCmdLineInfo::GetUsageText().toUtf8());

    for (const char* word : {"-?", "/?"}) {
        const SRun run = RunPlim({QString::fromLatin1(word)});
        EXPECT_FALSE(run.Crashed) << word;
        EXPECT_EQ(run.ExitCode, 0) << word;
        EXPECT_EQ(run.Out, expected) << word;
        EXPECT_TRUE(run.Err.isEmpty()) << run.Err.constData();
        // Start-up pauses a second on every way out.
        EXPECT_GE(run.Milliseconds, 900) << word;
    }
}

TEST(CommandLine, WrongSwitchesGiveAClearErrorAndFail)
{
    const char* const wrong[] = {"-bogus", "/SOURCE:", "--help", "-Embedding"};
    for (const char* word : wrong) {
        const SRun run =
            RunPlim({QStringLiteral("/source:/data/a.zoz"), QString::fromLatin1(word)});
        EXPECT_FALSE(run.Crashed) << word;
        EXPECT_EQ(run.ExitCode, 2) << word;
        EXPECT_TRUE(run.Out.isEmpty()) << word;
        EXPECT_TRUE(run.Err.startsWith(QByteArray("plim: ") + word + ':')) << run.Err.constData();
    }
}

TEST(CommandLine, SlashPathsAreFilesNotSwitches)
{
    // A campaign file to open in the window program, which needs a display this run does not
    // have: a clear message, not a switch error.
    const SRun run = RunPlim({QStringLiteral("/home/u/study.duv")});
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_TRUE(run.Err.startsWith("plim: ")) << run.Err.constData();
    EXPECT_FALSE(run.Err.contains("/home/u/study.duv")) << run.Err.constData();
}

TEST(CommandLine, TheWindowProgramWithoutADisplaySaysSoInOneLine)
{
    // No display named, a display that cannot be reached, a platform named without its display.
    const QString displays[] = {QString(), QStringLiteral("DISPLAY=:987"),
                                QStringLiteral("QT_QPA_PLATFORM=xcb")};
    for (const QString& display : displays) {
        const SRun run = RunPlim({}, QString(), display);
        EXPECT_FALSE(run.Crashed) << qPrintable(display);
        EXPECT_EQ(run.ExitCode, 1) << qPrintable(display);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(run.Err.startsWith("plim: No display")) << run.Err.constData();
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.constData();
    }
}
