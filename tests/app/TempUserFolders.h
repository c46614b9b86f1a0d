#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points the user's profile (QSettings) and data folder (QStandardPaths) at a
// temporary folder for the lifetime of the object, so that tests never touch the real ones.
class CTempUserFolders
{
public:
    CTempUserFolders();
    ~CTempUserFolders();
    CTempUserFolders(const CTempUserFolders&) = delete;
    CTempUserFolders& operator=(const CTempUserFolders&) = delete;

    QString ConfigFolder() const { return m_dir.filePath(QStringLiteral("config")); }
    QString DataFolder() const { return m_dir.filePath(QStringLiteral("data")); }
    // The settings file that OpenUserProfile uses.
    QString ProfilePath() const;
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDataHome;
    QByteArray m_oldConfigHome;
};
