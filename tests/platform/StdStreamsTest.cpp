#include "platform/StdStreams.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Makes the three FIFOs of a process in a folder, as a launcher does.
void MakeFifos(const QString& folder, long long pid)
{
    for (const char* name : {"cout", "cin", "cerr"}) {
        const QByteArray path = QFile::encodeName(folder + u'/' + QString::number(pid) + name);
        ASSERT_EQ(::mkfifo(path.constData(), 0600), 0) << path.constData();
    }
}

int OpenReader(const QString& folder, long long pid, const char* name)
{
    const QByteArray path = QFile::encodeName(folder + u'/' + QString::number(pid) + name);
    return ::open(path.constData(), O_RDONLY | O_NONBLOCK);
}

// Runs the body in a child process and gives its exit code, or -1 when it did not end within
// ten seconds (it is then killed).
int RunChild(const std::function<int()>& body, const std::function<void(pid_t)>& launcher = {})
{
    int go[2];
    if (::pipe(go) != 0)
        return -2;
    const pid_t child = ::fork();
    if (child == 0) {
        char byte = 0;
        ::close(go[1]);
        if (::read(go[0], &byte, 1) != 1)
            ::_exit(99);
        ::_exit(body());
    }
    ::close(go[0]);
    if (launcher)
        launcher(child);
    const char byte = 1;
    ::write(go[1], &byte, 1);
    ::close(go[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

class StdStreams : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        m_hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    }
    void TearDown() override
    {
        if (m_hadRuntime)
            qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    QTemporaryDir m_dir;
    QByteArray m_savedRuntime;
    bool m_hadRuntime = false;
};

} // namespace

TEST_F(StdStreams, TheFolderIsTheRuntimeFolder)
{
    EXPECT_EQ(LauncherStreamFolder(), m_dir.path());
}

TEST_F(StdStreams, NoFifosNothingOpened)
{
    SLauncherStreams streams;
    EXPECT_FALSE(OpenLauncherStreams(m_dir.path(), 4242, streams));
    EXPECT_EQ(streams.Out, -1);
    EXPECT_EQ(streams.In, -1);
    EXPECT_EQ(streams.Err, -1);
}

TEST_F(StdStreams, FifoWithoutReaderDoesNotBlock)
{
    MakeFifos(m_dir.path(), 4243);
    SLauncherStreams streams;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(OpenLauncherStreams(m_dir.path(), 4243, streams));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(streams.Out, -1);

    // An error FIFO without reader fails as well, and the streams opened before it are closed.
    const int coutReader = OpenReader(m_dir.path(), 4243, "cout");
    ASSERT_GE(coutReader, 0);
    EXPECT_FALSE(OpenLauncherStreams(m_dir.path(), 4243, streams));
    EXPECT_EQ(streams.Out, -1);
    EXPECT_EQ(streams.In, -1);
    ::close(coutReader);
}

TEST_F(StdStreams, RegularFilesAreNoFifos)
{
    for (const char* name : {"cout", "cin", "cerr"}) {
        QFile file(m_dir.filePath(QStringLiteral("4244") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    SLauncherStreams streams;
    EXPECT_FALSE(OpenLauncherStreams(m_dir.path(), 4244, streams));
    EXPECT_EQ(QFile(m_dir.filePath(QStringLiteral("4244cout"))).size(), 0);
}

TEST_F(StdStreams, FifosWithReadersOpenBlocking)
{
    MakeFifos(m_dir.path(), 4245);
    const int coutReader = OpenReader(m_dir.path(), 4245, "cout");
    const int cerrReader = OpenReader(m_dir.path(), 4245, "cerr");
    ASSERT_GE(coutReader, 0);
    ASSERT_GE(cerrReader, 0);
    SLauncherStreams streams;
    ASSERT_TRUE(OpenLauncherStreams(m_dir.path(), 4245, streams));
    EXPECT_EQ(::fcntl(streams.Out, F_GETFL) & O_NONBLOCK, 0);
    EXPECT_EQ(::write(streams.Out, "line\n", 5), 5);
    char buffer[16] = {};
    EXPECT_EQ(::read(coutReader, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "line\n");
    for (int fd : {streams.Out, streams.In, streams.Err, coutReader, cerrReader})
        ::close(fd);
}

// The folder and the FIFOs serve only when they are the user's own, give group and others no
// access and are no links: otherwise another local user could have made them to read the run.
TEST_F(StdStreams, OnlyPrivateFifosInAPrivateFolderAreUsed)
{
    const auto opens = [](const QString& folder, long long pid) {
        const int coutReader = OpenReader(folder, pid, "cout");
        const int cerrReader = OpenReader(folder, pid, "cerr");
        SLauncherStreams streams;
        const bool opened = OpenLauncherStreams(folder, pid, streams);
        for (int fd : {streams.Out, streams.In, streams.Err, coutReader, cerrReader})
            if (fd >= 0)
                ::close(fd);
        return opened;
    };
    const auto path = [](const QString& folder, long long pid, const char* name) {
        return QFile::encodeName(folder + u'/' + QString::number(pid) + name);
    };

    // A private folder with private FIFOs: used.
    const QString folder = m_dir.path();
    MakeFifos(folder, 4250);
    EXPECT_TRUE(opens(folder, 4250));

    // The same FIFOs when the folder lets group or others in: not used.
    for (const mode_t mode : {0750, 0705, 0777}) {
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), mode), 0);
        EXPECT_FALSE(opens(folder, 4250)) << std::oct << mode;
    }
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);

    // One FIFO that group or others may read or write: not used.
    for (const mode_t mode : {0640, 0620, 0604, 0602, 0666}) {
        ASSERT_EQ(::chmod(path(folder, 4250, "cerr").constData(), mode), 0);
        EXPECT_FALSE(opens(folder, 4250)) << std::oct << mode;
    }
    ASSERT_EQ(::chmod(path(folder, 4250, "cerr").constData(), 0600), 0);
    EXPECT_TRUE(opens(folder, 4250));

    // A link to a private FIFO elsewhere: not followed.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    MakeFifos(elsewhere.path(), 4251);
    for (const char* name : {"cout", "cin"})
        ASSERT_EQ(::rename(path(elsewhere.path(), 4251, name).constData(),
                           path(folder, 4251, name).constData()),
                  0);
    ASSERT_EQ(::symlink(path(elsewhere.path(), 4251, "cerr").constData(),
                        path(folder, 4251, "cerr").constData()),
              0);
    EXPECT_FALSE(opens(folder, 4251));

    // A folder that is a link to a private folder: not followed.
    const QString linked = elsewhere.filePath(QStringLiteral("runtime"));
    ASSERT_EQ(
        ::symlink(QFile::encodeName(folder).constData(), QFile::encodeName(linked).constData()), 0);
    EXPECT_FALSE(opens(linked, 4250));
}

TEST_F(StdStreams, FifosOfAnotherUserAreNotUsed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a FIFO to another user";
    const QString folder = m_dir.path();
    MakeFifos(folder, 4252);
    const QByteArray cout = QFile::encodeName(folder + QStringLiteral("/4252cout"));
    ASSERT_EQ(::chown(cout.constData(), 65534, 65534), 0);
    const int coutReader = OpenReader(folder, 4252, "cout");
    const int cerrReader = OpenReader(folder, 4252, "cerr");
    SLauncherStreams streams;
    EXPECT_FALSE(OpenLauncherStreams(folder, 4252, streams));
    ASSERT_EQ(::chown(cout.constData(), 0, 0), 0);
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
    EXPECT_FALSE(OpenLauncherStreams(folder, 4252, streams));
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 0, 0), 0);
    EXPECT_TRUE(OpenLauncherStreams(folder, 4252, streams));
    for (int fd : {streams.Out, streams.In, streams.Err, coutReader, cerrReader})
        if (fd >= 0)
            ::close(fd);
}

TEST_F(StdStreams, BatchRunWritesToTheLaunchersFifo)
{
    const QString folder = m_dir.path();
    int coutReader = -1;
    int cerrReader = -1;
    const int code = RunChild(
        [] {
            if (!AttachStdioToConsole(false))
                return 1;
            WriteStdOutLine(QStringLiteral("Wave added"));
            WriteStdErrLine(QStringLiteral("warning"));
            return 0;
        },
        [&](pid_t child) {
            MakeFifos(folder, child);
            coutReader = OpenReader(folder, child, "cout");
            cerrReader = OpenReader(folder, child, "cerr");
        });
    ASSERT_EQ(code, 0);
    char buffer[64] = {};
    EXPECT_EQ(::read(coutReader, buffer, sizeof buffer - 1), 11);
    EXPECT_STREQ(buffer, "Wave added\n");
    char errors[64] = {};
    EXPECT_EQ(::read(cerrReader, errors, sizeof errors - 1), 8);
    ::close(coutReader);
    ::close(cerrReader);
}

TEST_F(StdStreams, WithoutReaderTheBatchRunKeepsItsConsole)
{
    const QString folder = m_dir.path();
    // The launcher made the FIFOs but reads none of them: the run must go on at once.
    const int batch = RunChild([] { return AttachStdioToConsole(true) ? 0 : 1; },
                               [&](pid_t child) { MakeFifos(folder, child); });
    EXPECT_EQ(batch, 0);
    const int interactive = RunChild([] { return AttachStdioToConsole(false) ? 1 : 0; },
                                     [&](pid_t child) { MakeFifos(folder, child); });
    EXPECT_EQ(interactive, 0);
    // Without FIFOs an interactive start attaches nothing; a batch start keeps the console.
    EXPECT_EQ(RunChild([] { return AttachStdioToConsole(false) ? 1 : 0; }), 0);
    EXPECT_EQ(RunChild([] { return AttachStdioToConsole(true) ? 0 : 1; }), 0);
}

TEST_F(StdStreams, ClosedStandardStreamsAreReopened)
{
    const int code = RunChild([] {
        ::close(STDOUT_FILENO);
        AttachStdioToConsole(true);
        // A file opened now must not take the place of standard output.
        const int fd = ::open("/dev/null", O_RDONLY);
        return fd == STDOUT_FILENO ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
}
