#include "ModelFixtures.h"

#include "model/ModelHelpers.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FileHelpers, DataFolderBesideTheCampaign)
{
    QTemporaryDir dir;
    const QString campaign = dir.filePath(QStringLiteral("brand.v2.duv"));
    const QString folder = MakeDataFolder(campaign);
    EXPECT_EQ(folder, dir.filePath(QStringLiteral("brand.v2.dat")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(MakeDataFolder(campaign), folder); // already there: no harm
    WriteFile(folder + QStringLiteral("/a.zoz"), "a");
    WriteFile(folder + QStringLiteral("/.hidden"), "h");
    EXPECT_TRUE(DeleteFolderTree(campaign));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(DeleteFolderTree(campaign));
    // A campaign path without extension.
    EXPECT_EQ(GetDataFolderPath(dir.filePath(QStringLiteral("plain"))),
              dir.filePath(QStringLiteral("plain.dat")));
}

TEST(FileHelpers, FolderTreesAreCopied)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source"));
    QDir().mkpath(source + QStringLiteral("/sub/deeper"));
    WriteFile(source + QStringLiteral("/top.txt"), "top");
    WriteFile(source + QStringLiteral("/sub/deeper/leaf.txt"), "leaf");
    // A link back up the tree is not followed.
    QFile::link(source, source + QStringLiteral("/sub/loop"));
    const QString flat = dir.filePath(QStringLiteral("flat"));
    QDir().mkdir(flat);
    WriteFile(flat + QStringLiteral("/top.txt"), "old");
    EXPECT_TRUE(CopyFolderTree(source, flat, false));
    EXPECT_EQ(ReadFile(flat + QStringLiteral("/top.txt")), "top");
    EXPECT_FALSE(QFileInfo::exists(flat + QStringLiteral("/sub")));

    const QString deep = dir.filePath(QStringLiteral("deep"));
    QDir().mkdir(deep);
    EXPECT_TRUE(CopyFolderTree(source, deep, true));
    EXPECT_EQ(ReadFile(deep + QStringLiteral("/sub/deeper/leaf.txt")), "leaf");
    EXPECT_FALSE(QFileInfo::exists(deep + QStringLiteral("/sub/loop")));
}

TEST(FileHelpers, SourceFilesCopiedWithTheirDataFolder)
{
    QTemporaryDir dir;
    const QString studies = dir.filePath(QStringLiteral("studies"));
    QDir().mkpath(studies + QStringLiteral("/wave1.dat"));
    WriteFile(studies + QStringLiteral("/wave1.zoz"), "questionnaire");
    WriteFile(studies + QStringLiteral("/wave1.dat/interviews.bin"), "interviews");
    const QString package = dir.filePath(QStringLiteral("package"));
    QDir().mkdir(package);

    // The working folder is elsewhere: the data folder is found beside the source file.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString plain =
        CopySourceFileToPackage(studies + QStringLiteral("/wave1.zoz"), package, false);
    const QString unique =
        CopySourceFileToPackage(studies + QStringLiteral("/wave1.zoz"), package, true);
    QDir::setCurrent(previous);

    EXPECT_EQ(plain, package + QStringLiteral("/wave1.zoz"));
    EXPECT_EQ(ReadFile(plain), "questionnaire");
    EXPECT_EQ(ReadFile(package + QStringLiteral("/wave1.dat/interviews.bin")), "interviews");
    const QFileInfo uniqueInfo(unique);
    EXPECT_TRUE(uniqueInfo.fileName().startsWith(QStringLiteral("wave1_")));
    EXPECT_EQ(uniqueInfo.fileName().size(), QStringLiteral("wave1_12345678.zoz").size());
    EXPECT_EQ(ReadFile(unique), "questionnaire");
    const QString uniqueData =
        package + QLatin1Char('/') + uniqueInfo.completeBaseName() + QStringLiteral(".dat");
    EXPECT_EQ(ReadFile(uniqueData + QStringLiteral("/interviews.bin")), "interviews");

    // A missing source still gives the path it would have had.
    EXPECT_EQ(CopySourceFileToPackage(studies + QStringLiteral("/none.sss"), package, false),
              package + QStringLiteral("/none.sss"));
}

TEST(FileHelpers, CommonDataFolder)
{
    QString path;
    ASSERT_TRUE(GetCommonAppDataPath(path));
    EXPECT_FALSE(path.isEmpty());
    EXPECT_NE(path, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

class ExternalPrograms : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }

    QTemporaryDir m_dir;
};

TEST_F(ExternalPrograms, SiblingProgramCommandFromTheSettings)
{
    QString path = QStringLiteral("stale");
    EXPECT_FALSE(GetSiblingProgramCommand(path, SIBLING_QUILL));
    EXPECT_TRUE(path.isEmpty());
    {
        QSettings settings(QStringLiteral("Pelko"), QStringLiteral("Plim"));
        settings.setValue(QStringLiteral("Applications/QuillU.exe/shell/open/command"),
                          QStringLiteral("\"/opt/pelko/quill\" \"%1\""));
        settings.setValue(QStringLiteral("Applications/TallyU.exe/shell/open/command"),
                          QStringLiteral("/opt/pelko/tally"));
    }
    EXPECT_TRUE(GetSiblingProgramCommand(path, SIBLING_QUILL));
    EXPECT_EQ(path, QStringLiteral("/opt/pelko/quill"));
    EXPECT_TRUE(GetSiblingProgramCommand(path, SIBLING_TALLY));
    EXPECT_EQ(path, QStringLiteral("/opt/pelko/tally"));
    EXPECT_FALSE(GetSiblingProgramCommand(path, 2));
}

TEST_F(ExternalPrograms, LaunchedWithoutWaiting)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
    ASSERT_FALSE(program.isEmpty());
    EXPECT_TRUE(LaunchExternalProgram(program, QStringLiteral("/some/file name.zoz")));
    EXPECT_TRUE(LaunchExternalProgram(program, QString()));
    EXPECT_FALSE(
        LaunchExternalProgram(m_dir.filePath(QStringLiteral("no-such-program")), QString()));
    EXPECT_FALSE(LaunchExternalProgram(QString(), QString()));
}
