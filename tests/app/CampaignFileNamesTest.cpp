// Names of the campaign files and folders the program makes.

#include "app/CampaignFileNames.h"

#include "support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CampaignFileNames, NewCampaignFilesNeverReplaceAFile)
{
    QTemporaryDir folder;
    const auto touch = [&](const char* name) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QString june = folder.filePath("june.zoz");
    EXPECT_EQ(UniqueCampaignFileName(june), folder.filePath("june.duv"));
    touch("june.duv");
    EXPECT_EQ(UniqueCampaignFileName(june), folder.filePath("june_1.duv"));
    touch("june_1.duv");
    EXPECT_EQ(UniqueCampaignFileName(june), folder.filePath("june_2.duv"));
    // A list file names the campaign as well; a name without extension gets one; a campaign
    // file given as a source is never the new campaign.
    EXPECT_EQ(UniqueCampaignFileName(folder.filePath("sources.txt")),
              folder.filePath("sources.duv"));
    EXPECT_EQ(UniqueCampaignFileName(folder.filePath("wave")), folder.filePath("wave.duv"));
    EXPECT_EQ(UniqueCampaignFileName(folder.filePath("june.duv")), folder.filePath("june_2.duv"));
    EXPECT_EQ(UniqueCampaignFileName(folder.filePath("my.study.zoz")),
              folder.filePath("my.study.duv"));
}

TEST(CampaignFileNames, SameFileByAnyName)
{
    QTemporaryDir folder;
    QFile(folder.filePath("a.duv")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(folder.path(), folder.filePath("link")));
    EXPECT_TRUE(IsSameFile(folder.filePath("a.duv"), folder.filePath("link/a.duv")));
    EXPECT_TRUE(IsSameFile(folder.filePath("a.duv"), folder.filePath("./x/../a.duv")));
    // Files still to be made compare by their folders.
    EXPECT_TRUE(IsSameFile(folder.filePath("new.duv"), folder.filePath("link/new.duv")));
    EXPECT_FALSE(IsSameFile(folder.filePath("a.duv"), folder.filePath("A.duv")));
    EXPECT_FALSE(IsSameFile(folder.filePath("a.duv"), QString()));
    EXPECT_FALSE(IsSameFile(QString(), QString()));
}

TEST(CampaignFileNames, PathsInFolderCompareWholeComponents)
{
    struct SCase
    {
        const char* Path;
        const char* Folder;
        bool Inside;
    };
    const SCase cases[] = {
        {"/s/c.dat/a.zoz", "/s/c.dat", true},     {"/s/c.dat/sub/a.zoz", "/s/c.dat/", true},
        {"/s/c.dat//a.zoz", "/s/./c.dat", true},  {"/s/c.data/a.zoz", "/s/c.dat", false},
        {"/s/c.dat", "/s/c.dat", false},          {"/s/C.dat/a.zoz", "/s/c.dat", false},
        {"/s/c.dat/../a.zoz", "/s/c.dat", false}, {"a.zoz", "", false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(IsPathInFolder(QLatin1String(c.Path), QLatin1String(c.Folder)), c.Inside)
            << c.Path << " in " << c.Folder;
}

TEST(CampaignFileNames, SafePathComponents)
{
    EXPECT_EQ(SafePathComponent("Spring 2024"), "Spring 2024");
    EXPECT_EQ(SafePathComponent("a/b\\c"), "a_b_c");
    EXPECT_EQ(SafePathComponent(QStringLiteral("tab\there\nand") + QChar(0)), "tab_here_and_");
    EXPECT_EQ(SafePathComponent(QString(300, 'x')).size(), 200);
    // Cut by bytes of UTF-8, never inside a character: "é" is two bytes, "😀" four.
    EXPECT_EQ(SafePathComponent(QString(150, QChar(0xE9))).toUtf8().size(), 200);
    const QString faces = QString::fromUtf8("😀😀😀");
    EXPECT_EQ(SafePathComponent(faces, 10), QString::fromUtf8("😀😀"));
    EXPECT_EQ(SafePathComponent(QString(1, QChar(0xD800)) + "x"), "_x");
}
