#include "TempUserFolders.h"

#include <QDir>
#include <QSettings>

CTempUserFolders::CTempUserFolders()
    : m_oldDataHome(qgetenv("XDG_DATA_HOME")), m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    QDir().mkpath(ConfigFolder());
    QDir().mkpath(DataFolder());
    qputenv("XDG_DATA_HOME", QFile::encodeName(DataFolder()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigFolder()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ConfigFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ConfigFolder());
}

CTempUserFolders::~CTempUserFolders()
{
    if (m_oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    if (m_oldConfigHome.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
        // Later profiles go back to the folder the test program chose, not to this one, which
        // is deleted with the object.
        const QString config = QFile::decodeName(m_oldConfigHome);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    }
}

QString CTempUserFolders::ProfilePath() const
{
    return QDir(ConfigFolder()).filePath(QStringLiteral("Pelko/Plim.conf"));
}
