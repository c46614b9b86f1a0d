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
    if (m_oldConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
}

QString CTempUserFolders::ProfilePath() const
{
    return QDir(ConfigFolder()).filePath(QStringLiteral("Pelko/Plim.conf"));
}
