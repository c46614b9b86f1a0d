#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Test programs of the core run inside a QCoreApplication, as the batch run does.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Tests never touch the user's real profile or data folders: this program, and every
    // program it starts, gets temporary ones.
    QTemporaryDir userFolders;
    const QString config = userFolders.filePath(QStringLiteral("config"));
    const QString data = userFolders.filePath(QStringLiteral("data"));
    QDir().mkpath(config);
    QDir().mkpath(data);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
