#include "ModelFixtures.h"

#include "model/SourcePaths.h"

#include <gtest/gtest.h>

using namespace pelko_wave;

TEST(SourcePaths, AbsoluteAgainstTheCampaignFolder)
{
    struct Case
    {
        const char* campaign;
        const char* relative;
        const char* absolute;
    };
    const Case cases[] = {
        {"/studies/brand/brand.duv", "wave1.zoz", "/studies/brand/wave1.zoz"},
        {"/studies/brand/brand.duv", "../shared/wave1.zoz", "/studies/shared/wave1.zoz"},
        {"/studies/brand/brand.duv", "data\\\\wave1.zoz", "/studies/brand/data/wave1.zoz"},
        {"/studies/brand/brand.duv", "data\\wave1.zoz", "/studies/brand/data/wave1.zoz"},
        {"/studies/brand/brand.duv", "./data//wave1.zoz", "/studies/brand/data/wave1.zoz"},
        {"/studies/brand/brand.duv", "/elsewhere/w.zoz", "/elsewhere/w.zoz"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeAbsolutePath(QString::fromUtf8(c.campaign), QString::fromUtf8(c.relative)),
                  QString::fromUtf8(c.absolute))
            << c.relative;
}

TEST(SourcePaths, RelativeOnlyOnTheSameRoot)
{
    struct Case
    {
        const char* campaign;
        const char* target;
        const char* relative;
    };
    const Case cases[] = {
        {"/studies/brand/brand.duv", "/studies/brand/wave1.zoz", "wave1.zoz"},
        {"/studies/brand/brand.duv", "/studies/shared/w.zoz", "../shared/w.zoz"},
        {"/studies/brand/brand.duv", "/studies/brand/data/w.zoz", "data/w.zoz"},
        {"//server/share/brand/brand.duv", "//server/share/data/w.zoz", "../data/w.zoz"},
        // Another root: a network share against a local disk, or two shares.
        {"/studies/brand/brand.duv", "//server/share/w.zoz", ""},
        {"//server/share/brand.duv", "/studies/w.zoz", ""},
        {"//server/one/brand.duv", "//server/two/w.zoz", ""},
        {"/studies/brand/brand.duv", "relative/w.zoz", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeRelativePath(QString::fromUtf8(c.campaign), QString::fromUtf8(c.target)),
                  QString::fromUtf8(c.relative))
            << c.target;
    // Relative and back give the path again.
    const QString campaign = QStringLiteral("/studies/brand/brand.duv");
    const QString target = QStringLiteral("/studies/other/deep/w.zoz");
    EXPECT_EQ(MakeAbsolutePath(campaign, MakeRelativePath(campaign, target)), target);
}

TEST(SourcePaths, NetworkFormFromTheMountTable)
{
    const QList<SMountEntry> mounts{
        {QStringLiteral("/dev/sda1"), QStringLiteral("/"), QStringLiteral("ext4")},
        {QStringLiteral("//fileserver/studies"), QStringLiteral("/mnt/studies"), QStringLiteral("cifs")},
        {QStringLiteral("nas:/export/data"), QStringLiteral("/mnt/nas data"), QStringLiteral("nfs4")},
        {QStringLiteral("tmpfs"), QStringLiteral("/mnt/studies/cache"), QStringLiteral("tmpfs")},
    };
    struct Case
    {
        const char* path;
        const char* unc;
    };
    const Case cases[] = {
        {"/mnt/studies/brand/w.zoz", "//fileserver/studies/brand/w.zoz"},
        {"/mnt/nas data/w1.zoz", "//nas/export/data/w1.zoz"},
        {"//server/share/w.zoz", "//server/share/w.zoz"}, // already in network form
        {"/home/user/w.zoz", ""},                          // a local disk
        {"/mnt/studies/cache/w.zoz", ""},                  // a local mount inside the share
        {"/mnt/studiesX/w.zoz", ""},                       // not under the mount point
        {"C:", ""},
        {"w.zoz", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeUncPath(QString::fromUtf8(c.path), mounts), QString::fromUtf8(c.unc)) << c.path;
    EXPECT_TRUE(IsUncPath(QStringLiteral("\\\\server\\share")));
    EXPECT_FALSE(IsUncPath(QStringLiteral("///tmp")));
}

TEST(SourcePaths, MountTableOfThisSystemIsRead)
{
    const QList<SMountEntry> mounts = ReadMountTable();
    ASSERT_FALSE(mounts.isEmpty());
    EXPECT_TRUE(std::any_of(mounts.begin(), mounts.end(),
                            [](const SMountEntry& m) { return m.MountPoint == QLatin1String("/"); }));
    // The root file system of a test machine is local.
    EXPECT_EQ(MakeUncPath(QStringLiteral("/proc/self/mounts")), QString());
}

TEST(SourcePaths, SourcePathRecordsCompareAsAWhole)
{
    CSourcePath a;
    EXPECT_EQ(a.SourceFilePathFormat, PATH_UNKNOWN);
    CSourcePath b = a;
    EXPECT_EQ(a, b);
    b.SourceString = QStringLiteral("x");
    EXPECT_NE(a, b);
    b = a;
    b.SurveyID = 2;
    EXPECT_NE(a, b);
}
