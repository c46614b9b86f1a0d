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
    // A campaign file to open in the window program, which this build does not have: a clear
    // message, not a switch error.
    const SRun run = RunPlim({QStringLiteral("/home/u/study.duv")});
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_TRUE(run.Err.startsWith("plim: ")) << run.Err.constData();
    EXPECT_FALSE(run.Err.contains("/home/u/study.duv")) << run.Err.constData();
}

TEST(CommandLine, WithoutSwitchesTheWindowProgramIsAsked)
{
    const SRun run = RunPlim({});
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_TRUE(run.Err.startsWith("plim: ")) << run.Err.constData();
    EXPECT_EQ(run.Err.count('\n'), 1);
}
