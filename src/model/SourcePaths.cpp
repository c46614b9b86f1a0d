#include "model/SourcePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pelko_wave {

namespace {

// Backslashes become slashes, and every run of separators one separator, except the two that
// open a network path.
QString NormaliseSeparators(const QString& path)
{
    QString text = path;
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool network = text.startsWith(QLatin1String("//")) && !text.startsWith(QLatin1String("///"));
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('/') && result.endsWith(QLatin1Char('/')))
            continue;
        result.append(c);
    }
    if (network)
        result.prepend(QLatin1Char('/'));
    return result;
}

// "//server/share" of a network path, else "/" for an absolute path, else empty.
QString RootOf(const QString& normalisedPath)
{
    if (IsUncPath(normalisedPath)) {
        const int serverEnd = normalisedPath.indexOf(QLatin1Char('/'), 2);
        if (serverEnd < 0)
            return normalisedPath;
        const int shareEnd = normalisedPath.indexOf(QLatin1Char('/'), serverEnd + 1);
        return shareEnd < 0 ? normalisedPath : normalisedPath.left(shareEnd);
    }
    if (normalisedPath.startsWith(QLatin1Char('/')))
        return QStringLiteral("/");
    return QString();
}

// Decodes the octal escapes (\040 for a blank ...) of a mount-table field.
QString DecodeMountField(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromLocal8Bit(out);
}

bool IsPathUnder(const QString& path, const QString& folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// The network form of what a network mount mounts; empty for a local mount.
QString NetworkSourceOf(const SMountEntry& mount)
{
    const QString type = mount.Type.toLower();
    if (type == QLatin1String("cifs") || type == QLatin1String("smb3")
        || type == QLatin1String("smbfs")) {
        const QString source = NormaliseSeparators(mount.Source);
        return IsUncPath(source) ? source : QString();
    }
    if (type.startsWith(QLatin1String("nfs"))) {
        // "server:/export/path" is reached as "//server/export/path".
        const int colon = mount.Source.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return QString();
        QString exportPath = mount.Source.mid(colon + 1);
        if (!exportPath.startsWith(QLatin1Char('/')))
            exportPath.prepend(QLatin1Char('/'));
        return NormaliseSeparators(QStringLiteral("//") + mount.Source.left(colon) + exportPath);
    }
    return QString();
}

} // namespace

QString MakeAbsolutePath(const QString& campaignFilePath, const QString& relativePath)
{
    const QString relative = NormaliseSeparators(relativePath);
    if (IsUncPath(relative) || QDir::isAbsolutePath(relative))
        return relative;
    const QString folder = QFileInfo(campaignFilePath).path();
    return QDir::cleanPath(folder + QLatin1Char('/') + relative);
}

QString MakeRelativePath(const QString& campaignFilePath, const QString& targetPath)
{
    const QString campaign = NormaliseSeparators(campaignFilePath);
    const QString target = NormaliseSeparators(targetPath);
    const QString root = RootOf(campaign);
    if (root.isEmpty() || root != RootOf(target))
        return QString();
    // Work below the common root, so that a network root is kept out of the path arithmetic.
    const QString base = root == QLatin1String("/") ? QString() : root;
    const auto belowRoot = [&base](const QString& path) {
        const QString rest = path.mid(base.size());
        return rest.startsWith(QLatin1Char('/')) ? rest : QLatin1Char('/') + rest;
    };
    const QString folder = QFileInfo(belowRoot(campaign)).path();
    const QString file = QDir::cleanPath(belowRoot(target));
    return QDir(folder).relativeFilePath(file);
}

bool IsUncPath(const QString& path)
{
    return (path.startsWith(QLatin1String("//")) && !path.startsWith(QLatin1String("///")))
        || path.startsWith(QLatin1String("\\\\"));
}

QList<SMountEntry> ReadMountTable()
{
    QList<SMountEntry> mounts;
    QFile file(QStringLiteral("/proc/self/mounts"));
    if (!file.open(QIODevice::ReadOnly))
        return mounts;
    // The pseudo-file reports no size: read it line by line until the end.
    while (true) {
        const QByteArray line = file.readLine();
        if (line.isEmpty())
            break;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        mounts.append({DecodeMountField(fields[0]), DecodeMountField(fields[1]),
                       QString::fromLatin1(fields[2])});
    }
    return mounts;
}

QString MakeUncPath(const QString& path)
{
    if (IsUncPath(path))
        return path;
    if (path.size() < 4 || !QDir::isAbsolutePath(path))
        return QString();
    return MakeUncPath(path, ReadMountTable());
}

QString MakeUncPath(const QString& path, const QList<SMountEntry>& mounts)
{
    if (IsUncPath(path))
        return path;
    if (path.size() < 4 || !QDir::isAbsolutePath(path))
        return QString();
    const QString clean = QDir::cleanPath(path);
    // The mount that holds the path is the one with the longest mount point above it; a later
    // line of the table mounts over an earlier one at the same point.
    const SMountEntry* holder = nullptr;
    for (const SMountEntry& mount : mounts) {
        const QString point = QDir::cleanPath(mount.MountPoint);
        if (!IsPathUnder(clean, point))
            continue;
        if (!holder || point.size() >= QDir::cleanPath(holder->MountPoint).size())
            holder = &mount;
    }
    if (!holder)
        return QString();
    const QString source = NetworkSourceOf(*holder);
    if (source.isEmpty())
        return QString();
    const QString point = QDir::cleanPath(holder->MountPoint);
    QString rest = point == QLatin1String("/") ? clean : clean.mid(point.size());
    if (source.endsWith(QLatin1Char('/')) && rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return source + rest;
}

} // namespace pelko_wave
