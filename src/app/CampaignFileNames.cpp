#include "app/CampaignFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

QString UniqueCampaignFileName(const QString& sourcePath)
{
    const QFileInfo source(sourcePath);
    const QString suffix = source.suffix();
    QString base = sourcePath;
    if (!suffix.isEmpty())
        base.chop(suffix.size() + 1);
    const QString first = base + QStringLiteral(".duv");
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 1;; ++n) {
        const QString candidate = base + QStringLiteral("_%1.duv").arg(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

namespace {

// The canonical path of the file, or of its folder joined with its name when the file does not
// exist (yet), or else the cleaned absolute path.
QString ComparablePath(const QString& path)
{
    const QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

} // namespace

bool IsSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (ComparablePath(a) == ComparablePath(b))
        return true;
    // Two names of one file (a hard link) differ as paths.
    std::error_code error;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(),
                                       QFile::encodeName(b).toStdString(), error) &&
           !error;
}

bool IsPathInFolder(const QString& path, const QString& folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanPath = QDir::cleanPath(path);
    if (cleanFolder == QStringLiteral("/"))
        return cleanPath.size() > 1 && cleanPath.startsWith(QLatin1Char('/'));
    return cleanPath.size() > cleanFolder.size() + 1 && cleanPath.startsWith(cleanFolder) &&
           cleanPath.at(cleanFolder.size()) == QLatin1Char('/');
}

QString SafePathComponent(const QString& text, int maxBytes)
{
    QString safe;
    safe.reserve(text.size());
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        // A surrogate pair is one character: both halves go, or neither.
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        int size = 0;
        if (pair)
            size = 4;
        else if (c.isSurrogate())
            c = QLatin1Char('_'), size = 1;
        else if (c == QLatin1Char('/') || c == QLatin1Char('\\') ||
                 c.category() == QChar::Other_Control)
            c = QLatin1Char('_'), size = 1;
        else
            size = c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        safe.append(c);
        if (pair)
            safe.append(text.at(++i));
    }
    return safe;
}
