#include "model/FileHelpers.h"

#include "model/ValueTexts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace pelko_wave {

namespace {

QString DataFolderExtension()
{
    const QString extension = LoadString(IDS_DATA_FOLDER_EXTENSION);
    return extension.isEmpty() ? QStringLiteral("dat") : extension;
}

// The path without the extension of its file name.
QString WithoutExtension(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int separator = path.lastIndexOf(QLatin1Char('/'));
    return dot > separator + 1 ? path.left(dot) : path;
}

bool CopyFileOverwriting(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target))
        QFile::remove(target);
    return QFile::copy(source, target);
}

} // namespace

QString GetDataFolderPath(const QString& campaignFilePath)
{
    return WithoutExtension(campaignFilePath) + QLatin1Char('.') + DataFolderExtension();
}

QString MakeDataFolder(const QString& campaignFilePath)
{
    const QString folder = GetDataFolderPath(campaignFilePath);
    QDir().mkdir(folder);
    return folder;
}

bool DeleteFolderTree(const QString& campaignFilePath)
{
    const QString folder = GetDataFolderPath(campaignFilePath);
    const QDir dir(folder);
    const QFileInfoList items =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& item : items) {
        if (!item.isDir() || item.isSymLink())
            QFile::remove(item.absoluteFilePath());
    }
    return QDir().rmdir(folder);
}

bool CopyFolderTree(const QString& sourceFolder, const QString& targetFolder, bool descend)
{
    const QDir source(sourceFolder);
    const QFileInfoList items =
        source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& item : items) {
        const QString target = targetFolder + QLatin1Char('/') + item.fileName();
        if (item.isDir()) {
            // A link to a folder could lead back up the tree: it is not followed.
            if (descend && !item.isSymLink()) {
                QDir().mkdir(target);
                CopyFolderTree(item.absoluteFilePath(), target, true);
            }
            continue;
        }
        CopyFileOverwriting(item.absoluteFilePath(), target);
    }
    return true;
}

QString CopySourceFileToPackage(const QString& sourceFilePath, const QString& targetFolder,
                                bool unique)
{
    const QFileInfo source(sourceFilePath);
    const QString tag = CreateGuidString();
    const QString base = WithoutExtension(source.fileName());
    const QString extension = source.fileName().mid(base.size());
    const QString name = unique ? base + QLatin1Char('_') + tag : base;
    const QString copy = targetFolder + QLatin1Char('/') + name + extension;
    CopyFileOverwriting(sourceFilePath, copy);

    // The source's data folder lies beside the source file.
    const QString dataFolder =
        source.path() + QLatin1Char('/') + base + QLatin1Char('.') + DataFolderExtension();
    if (QFileInfo(dataFolder).isDir()) {
        const QString targetData =
            targetFolder + QLatin1Char('/') + name + QLatin1Char('.') + DataFolderExtension();
        QDir().mkdir(targetData);
        CopyFolderTree(dataFolder, targetData, true);
    }
    return copy;
}

bool GetCommonAppDataPath(QString& path)
{
    // The shared data folders are those of the list that are not the user's own.
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (folder != own) {
            path = folder;
            return true;
        }
    }
    std::printf("Line %d. Problem getting application data directory path - return code %d\n", 19,
                -1);
    std::fflush(stdout);
    return false;
}

} // namespace pelko_wave
