#include "platform/StdStreams.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void CloseStreams(SLauncherStreams& streams)
{
    for (int* fd : {&streams.Out, &streams.In, &streams.Err}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

// Whether the path itself (a link is not followed) belongs to the running user and gives no
// access to group or others: in a folder that another local user could make (the fallback
// under the temporary folder), anything else may be a trap set to read the run's lines.
bool IsPrivateToUser(const QByteArray& path, struct stat& info)
{
    return ::lstat(path.constData(), &info) == 0 && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool IsPrivateFolder(const QString& folder)
{
    struct stat info;
    return IsPrivateToUser(QFile::encodeName(folder), info) && S_ISDIR(info.st_mode);
}

// Opens one FIFO without waiting for its other end: a writer with no reader fails at once. Only
// a private FIFO of the user is opened, and only the very one that was checked.
int OpenFifo(const QString& path, int mode)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat checked;
    if (!IsPrivateToUser(name, checked) || !S_ISFIFO(checked.st_mode))
        return -1;
    const int fd = ::open(name.constData(), mode | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISFIFO(info.st_mode) || info.st_dev != checked.st_dev ||
        info.st_ino != checked.st_ino) {
        ::close(fd);
        return -1;
    }
    // Once open, reads and writes wait as on any pipe, so no line is dropped.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool IsOpen(int fd)
{
    return ::fcntl(fd, F_GETFD) != -1;
}

void WriteBytes(FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

QString LauncherStreamFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!folder.isEmpty())
        return folder;
    // Qt's own runtime folder when the variable is not set; looked up without making it, since
    // a launcher that made FIFOs there made the folder too.
    const passwd* user = ::getpwuid(::geteuid());
    if (!user || !user->pw_name)
        return QString();
    return QDir::tempPath() + QStringLiteral("/runtime-") + QFile::decodeName(user->pw_name);
}

bool OpenLauncherStreams(const QString& folder, long long pid, SLauncherStreams& streams)
{
    streams = SLauncherStreams();
    if (folder.isEmpty() || !IsPrivateFolder(folder))
        return false;
    const QString prefix = folder + u'/' + QString::number(pid);
    streams.Out = OpenFifo(prefix + QStringLiteral("cout"), O_WRONLY);
    if (streams.Out >= 0)
        streams.In = OpenFifo(prefix + QStringLiteral("cin"), O_RDONLY);
    if (streams.In >= 0)
        streams.Err = OpenFifo(prefix + QStringLiteral("cerr"), O_WRONLY);
    if (streams.Err < 0) {
        CloseStreams(streams);
        return false;
    }
    return true;
}

bool AttachStdioToConsole(bool allowConsole)
{
    // A closed standard descriptor would be reused by the next file opened, and lines meant for
    // the console would land in that file.
    for (int fd = 0; fd <= 2; ++fd) {
        if (!IsOpen(fd)) {
            const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (null >= 0 && null != fd) {
                ::dup2(null, fd);
                ::close(null);
            }
        }
    }

    SLauncherStreams streams;
    if (OpenLauncherStreams(LauncherStreamFolder(), ::getpid(), streams)) {
        std::fflush(stdout);
        std::fflush(stderr);
        const bool attached = ::dup2(streams.Out, STDOUT_FILENO) >= 0 &&
                              ::dup2(streams.In, STDIN_FILENO) >= 0 &&
                              ::dup2(streams.Err, STDERR_FILENO) >= 0;
        CloseStreams(streams);
        if (attached) {
            // A launcher that goes away must not kill the run in the middle of a save: writes
            // then fail instead.
            std::signal(SIGPIPE, SIG_IGN);
            return true;
        }
    }
    if (!allowConsole)
        return false;
    return IsOpen(STDIN_FILENO) && IsOpen(STDOUT_FILENO) && IsOpen(STDERR_FILENO);
}

void WriteStdOutLine(const QString& line)
{
    WriteBytes(stdout, line.toUtf8() + '\n');
}

void WriteStdOutText(const QString& text)
{
    WriteBytes(stdout, text.toUtf8());
}

void WriteStdErrLine(const QString& line)
{
    WriteBytes(stderr, line.toUtf8() + '\n');
}
