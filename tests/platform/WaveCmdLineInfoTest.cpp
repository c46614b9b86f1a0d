#include "platform/WaveCmdLineInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

CWaveCmdLineInfo Parse(const QStringList& arguments, bool expectParsed = true)
{
    CWaveCmdLineInfo info;
    EXPECT_EQ(info.ParseCommandLine(arguments), expectParsed) << arguments.join(u' ').toStdString();
    return info;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(WaveCmdLineInfo, SourcesKeepTheirOrderWhateverTheCase)
{
    const CWaveCmdLineInfo info =
        Parse({QStringLiteral("/SOURCE:/data/w1.zoz"), QStringLiteral("-source:/data/W2.zoz"),
               QStringLiteral("/Source:C:\\old\\w3.zoz")});
    EXPECT_EQ(info.GetSources(),
              QStringList({QStringLiteral("/data/w1.zoz"), QStringLiteral("/data/W2.zoz"),
                           QStringLiteral("C:\\old\\w3.zoz")}));
    EXPECT_TRUE(info.IsBatchRun());
    EXPECT_TRUE(info.GetFileName().isEmpty());
}

TEST(WaveCmdLineInfo, ValuesAndFlags)
{
    const CWaveCmdLineInfo info = Parse({
        QStringLiteral("-target:/data/study.duv"),
        QStringLiteral("-output:/data/first.html"),
        QStringLiteral("/OUTPUT:/data/report.html"),
        QStringLiteral("/linkq:Q1a"),
        QStringLiteral("/A:Q"),
        QStringLiteral("/a:r"),
        QStringLiteral("-I:qr"),
        QStringLiteral("/X:Q"),
        QStringLiteral("-c"),
        QStringLiteral("/R"),
    });
    EXPECT_EQ(info.GetTarget(), QStringLiteral("/data/study.duv"));
    EXPECT_EQ(info.GetOutput(), QStringLiteral("/data/report.html"));
    EXPECT_EQ(info.GetLinkQuestion(), QStringLiteral("Q1a"));
    // A later A switch overwrites both flags.
    EXPECT_FALSE(info.GetAllowNewQuestions());
    EXPECT_TRUE(info.GetAllowNewResponses());
    EXPECT_TRUE(info.GetIgnoreUnmatchedQuestions());
    EXPECT_TRUE(info.GetIgnoreUnmatchedResponses());
    EXPECT_TRUE(info.GetBreakQuestionMatchings());
    EXPECT_FALSE(info.GetBreakResponseMatchings());
    EXPECT_TRUE(info.GetKeepSourceCodes());
    EXPECT_TRUE(info.GetReportOnly());
    EXPECT_FALSE(info.GetHelp());
    // Without sources or help the run is interactive, whatever else was given.
    EXPECT_FALSE(info.IsBatchRun());
}

TEST(WaveCmdLineInfo, MatchingMethodsInOrderWithoutRepeats)
{
    struct Case
    {
        const char* word;
        QList<int> questions;
        QList<int> responses;
    };
    const Case cases[] = {
        {"/M:SLC", {1, 3, 2}, {2, 1}}, {"/M:SSX", {1}, {2, 1}},
        {"-m:iu", {0, 5}, {2, 1}},     {"/N:OEICU", {1, 2, 3}, {3, 1, 0, 2, 5}},
        {"/N:S", {1, 2, 3}, {2, 1}}, // S is no response method: the defaults stay
        {"/M", {1, 2, 3}, {2, 1}},
    };
    for (const Case& c : cases) {
        CWaveCmdLineInfo info = Parse({QString::fromLatin1(c.word)});
        EXPECT_EQ(info.GetQuestionMatchingMethods(), c.questions) << c.word;
        EXPECT_EQ(info.GetResponseMatchingMethods(), c.responses) << c.word;
    }
}

TEST(WaveCmdLineInfo, HelpIsABatchRun)
{
    for (const char* word : {"-?", "/?"}) {
        const CWaveCmdLineInfo info = Parse({QString::fromLatin1(word)});
        EXPECT_TRUE(info.GetHelp()) << word;
        EXPECT_TRUE(info.IsBatchRun()) << word;
    }
}

TEST(WaveCmdLineInfo, SlashWordsArePathsUnlessTheyNameASwitch)
{
    const CWaveCmdLineInfo info = Parse({QStringLiteral("/home/u/study.duv")});
    EXPECT_EQ(info.GetFileName(), QStringLiteral("/home/u/study.duv"));
    EXPECT_EQ(info.GetShellCommand(), CWaveCmdLineInfo::FileOpen);
    EXPECT_FALSE(info.IsBatchRun());

    EXPECT_EQ(Parse({}).GetShellCommand(), CWaveCmdLineInfo::FileNew);
    EXPECT_EQ(Parse({QStringLiteral("study.duv")}).GetFileName(), QStringLiteral("study.duv"));
    EXPECT_EQ(Parse({QStringLiteral("/target")}).GetTarget(), QString()); // the switch
    EXPECT_TRUE(Parse({QStringLiteral("/targets")}).GetTarget().isEmpty());
    EXPECT_EQ(Parse({QStringLiteral("/targets")}).GetFileName(), QStringLiteral("/targets"));

    EXPECT_TRUE(CWaveCmdLineInfo::IsSwitchName(QStringLiteral("/source:/x")));
    EXPECT_TRUE(CWaveCmdLineInfo::IsSwitchName(QStringLiteral("/r")));
    EXPECT_FALSE(CWaveCmdLineInfo::IsSwitchName(QStringLiteral("/tmp/a.duv")));
    EXPECT_FALSE(CWaveCmdLineInfo::IsSwitchName(QStringLiteral("/")));
}

TEST(WaveCmdLineInfo, WrongWordsAreRefusedWithTheirText)
{
    const char* const wrong[] = {"-bogus", "/SOURCE:", "/M:", "--help", "-", "-dde", "-Embedding"};
    for (const char* word : wrong) {
        CWaveCmdLineInfo info;
        EXPECT_FALSE(info.ParseCommandLine({QString::fromLatin1(word)})) << word;
        EXPECT_TRUE(info.GetErrorText().startsWith(QString::fromLatin1(word) + u':')) << word;
    }

    CWaveCmdLineInfo twoFiles;
    EXPECT_FALSE(
        twoFiles.ParseCommandLine({QStringLiteral("a.duv"), QStringLiteral("/data/b.duv")}));
    EXPECT_TRUE(twoFiles.GetErrorText().startsWith(QStringLiteral("/data/b.duv:")));
    EXPECT_EQ(twoFiles.GetFileName(), QStringLiteral("a.duv"));
}

TEST(WaveCmdLineInfo, ListFilesExpandInPlace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString list = dir.filePath(QStringLiteral("wave7.TXT"));
    const QString inner = dir.filePath(QStringLiteral("inner.txt"));
    // CR LF line ends, a blank line and a line of spaces are taken as no source.
    WriteFile(list, "/data/a.zoz\r\n\r\n/data/b.zoz\n   \n" + inner.toUtf8() + "\n/data/c.zoz");
    WriteFile(inner, "/data/never.zoz\n");
    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    WriteFile(empty, "");

    CWaveCmdLineInfo info =
        Parse({QStringLiteral("/source:/data/first.zoz"), QStringLiteral("/source:") + list,
               QStringLiteral("/source:") + empty, QStringLiteral("/source:/data/last.zoz"),
               QStringLiteral("/source:/data/mytxt")});
    EXPECT_TRUE(info.ReadListFile());
    EXPECT_EQ(info.GetSources(),
              QStringList({QStringLiteral("/data/first.zoz"), QStringLiteral("/data/a.zoz"),
                           QStringLiteral("/data/b.zoz"), inner, QStringLiteral("/data/c.zoz"),
                           QStringLiteral("/data/last.zoz"), QStringLiteral("/data/mytxt")}));
}

TEST(WaveCmdLineInfo, UnreadableListFileIsReported)
{
    CWaveCmdLineInfo info = Parse(
        {QStringLiteral("/source:/nonexistent/list.txt"), QStringLiteral("/source:/data/a.zoz")});
    EXPECT_FALSE(info.ReadListFile());
    EXPECT_EQ(info.GetSources(), QStringList({QStringLiteral("/data/a.zoz")}));
    EXPECT_EQ(info.GetErrorText(),
              QStringLiteral("The list file '/nonexistent/list.txt' could not be read."));
}

TEST(WaveCmdLineInfo, AListFileThatIsNoRegularFileIsReportedWithoutWaiting)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A FIFO without a writer would block a reader for ever; a folder has no lines.
    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));

    CWaveCmdLineInfo info =
        Parse({QStringLiteral("-source:") + fifo, QStringLiteral("-source:") + folder,
               QStringLiteral("-source:/data/a.zoz")});
    EXPECT_FALSE(info.ReadListFile());
    EXPECT_EQ(info.GetSources(), QStringList({QStringLiteral("/data/a.zoz")}));
    EXPECT_TRUE(info.GetErrorText().contains(fifo));
    EXPECT_TRUE(info.GetErrorText().contains(folder));
}

TEST(WaveCmdLineInfo, UsageTextNamesTheProgram)
{
    const QString usage = CWaveCmdLineInfo::GetUsageText();
    EXPECT_TRUE(usage.startsWith(QStringLiteral(
        "\nStarts PelkoPlim, optionally adding a new wave to an existing PelkoPlim \n")));
    EXPECT_TRUE(usage.contains(
        QStringLiteral("\n  plim /source:\"path\" [+ /source:\"path\" [+ ...]] \n")));
    EXPECT_TRUE(usage.endsWith(QStringLiteral("use 'plim'.\n\n\n")));
    EXPECT_FALSE(usage.contains(QStringLiteral("PlimRU")));
}
