#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Test programs of the window libraries run inside a QApplication on the offscreen platform,
// with one fixed font so that sizes taken from font metrics are the same on every machine,
// and with temporary profile and data folders.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir userFolders;
    const QString config = userFolders.filePath(QStringLiteral("config"));
    const QString data = userFolders.filePath(QStringLiteral("data"));
    QDir().mkpath(config);
    QDir().mkpath(data);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pelko"));
    QCoreApplication::setApplicationName(QStringLiteral("Plim"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);

    QFont font(QStringLiteral("DejaVu Sans"), 9);
    QApplication::setFont(font);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
