#include "StorageTestSupport.h"

#include "model/SourcePath.h"
#include "storage/DBAccessDAO.h"

using namespace pelko_wave;
using namespace storage_test;

namespace {

CSourcePath Source(int storage, int format, const QString& text, int survey = 0)
{
    CSourcePath source;
    source.SourceStorageType = storage;
    source.SourceFilePathFormat = format;
    source.SourceString = text;
    source.SurveyID = survey;
    return source;
}

// A record written for a campaign file, and read back from the text.
struct SCase
{
    const char* Name;
    QString CampaignFile;
    CSourcePath Written;
    CSourcePath Read;
};

TEST(SourcePathList, WritesThePathInItsKindAndReadsTheKindFromThePath)
{
    const QString campaign = QStringLiteral("/studies/brand/brand.duv");
    const SCase cases[] = {
        {"absolute file", campaign, Source(0, PATH_ABSOLUTE, "/data/w1.zoz"),
         Source(0, PATH_ABSOLUTE, "/data/w1.zoz")},
        {"relative file", campaign, Source(0, PATH_RELATIVE, "/studies/brand/w1/a.zoz"),
         Source(0, PATH_RELATIVE, "/studies/brand/w1/a.zoz")},
        {"relative file above", campaign, Source(0, PATH_RELATIVE, "/studies/other/a.zoz"),
         Source(0, PATH_RELATIVE, "/studies/other/a.zoz")},
        // Another root than the campaign file's: kept absolute.
        {"relative on another root", QStringLiteral("//server/share/brand.duv"),
         Source(0, PATH_RELATIVE, "/data/a.zoz"), Source(0, PATH_ABSOLUTE, "/data/a.zoz")},
        {"network file", campaign, Source(0, PATH_UNC, "//server/share/a.zoz"),
         Source(0, PATH_UNC, "//server/share/a.zoz")},
        // A local path with no network form is kept as it is.
        {"network form missing", campaign, Source(0, PATH_UNC, "/tmp/a.zoz"),
         Source(0, PATH_ABSOLUTE, "/tmp/a.zoz")},
        // A database source keeps its text; its path kind is never stored.
        {"database", campaign, Source(1, PATH_ABSOLUTE, "Driver=QSQLITE;Database=x|y", 42),
         Source(1, PATH_UNKNOWN, "Driver=QSQLITE;Database=x|y", 42)},
        // A file of unknown kind keeps its path, which gives the kind when read; without a
        // path it stays of unknown kind.
        {"unknown kind", campaign, Source(0, PATH_UNKNOWN, "/data/a.zoz", 3),
         Source(0, PATH_ABSOLUTE, "/data/a.zoz", 3)},
        {"unknown kind without a path", campaign, Source(0, PATH_UNKNOWN, "", 3),
         Source(0, PATH_UNKNOWN, QString(), 3)},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        CDBAccessDAO storage;
        storage.SetFilePath(c.CampaignFile);
        const QString text = storage.WriteSourcePathList(c.Written);
        EXPECT_TRUE(CDBAccess::IsSourcePathList(text)) << text.toStdString();
        CSourcePath read;
        storage.ReadSourcePathList(text, read);
        EXPECT_EQ(read.SourceStorageType, c.Read.SourceStorageType);
        EXPECT_EQ(read.SourceFilePathFormat, c.Read.SourceFilePathFormat);
        EXPECT_EQ(read.SourceString, c.Read.SourceString);
        EXPECT_EQ(read.SurveyID, c.Read.SurveyID);
    }
}

TEST(SourcePathList, RelativeStoredPathIsRelativeWhateverTheStoredKindSays)
{
    CDBAccessDAO storage;
    storage.SetFilePath(QStringLiteral("/studies/brand/brand.duv"));
    CSourcePath read;
    storage.ReadSourcePathList(QStringLiteral("PL1|SourceFilePathFormat:i=0;SourceStorageType:i=0;"
                                              "SourceString:s=w1/a.zoz;SurveyID:i=0;"),
                               read);
    EXPECT_EQ(read.SourceFilePathFormat, PATH_RELATIVE);
    EXPECT_EQ(read.SourceString, QStringLiteral("/studies/brand/w1/a.zoz"));
}

TEST(SourcePathList, TextWithoutTheKnownPropertiesIsABarePath)
{
    for (const char* text : {"/data/w1.zoz", "", "PL1|Other:i=1;", "PL1|SourceStorageType:s=0;"})
        EXPECT_FALSE(CDBAccess::IsSourcePathList(QLatin1String(text))) << text;
    for (const char* text :
         {"PL1|SourceStorageType:i=0;", "PL1|SourceString:s=a;", "PL1|SurveyID:i=2;"})
        EXPECT_TRUE(CDBAccess::IsSourcePathList(QLatin1String(text))) << text;

    CDBAccessDAO storage;
    storage.SetFilePath(QStringLiteral("/studies/brand.duv"));
    const struct
    {
        const char* Text;
        int Format;
        const char* Path;
    } bare[] = {{"/data/a.zoz", PATH_ABSOLUTE, "/data/a.zoz"},
                {"w1\\a.zoz", PATH_RELATIVE, "/studies/w1/a.zoz"},
                {"//server/share/a.zoz", PATH_UNC, "//server/share/a.zoz"},
                {"", PATH_ABSOLUTE, ""}};
    for (const auto& b : bare) {
        SCOPED_TRACE(b.Text);
        CSourcePath read = Source(1, PATH_UNKNOWN, QStringLiteral("old"), 9);
        storage.ResolveVolumePath(read, QLatin1String(b.Text));
        EXPECT_EQ(read.SourceStorageType, 0);
        EXPECT_EQ(read.SourceFilePathFormat, b.Format);
        EXPECT_EQ(read.SourceString, QLatin1String(b.Path));
        EXPECT_EQ(read.SurveyID, 0);
    }
}

TEST(MethodIds, WrittenWithSemicolonsBetweenAndReadInOrder)
{
    EXPECT_EQ(CDBAccess::WriteMethodIds({1, 2, 0}), QStringLiteral("1;2;0"));
    EXPECT_EQ(CDBAccess::WriteMethodIds({0}), QStringLiteral("0"));
    EXPECT_EQ(CDBAccess::WriteMethodIds({}), QString());

    QList<quint32> ids{7};
    EXPECT_TRUE(CDBAccess::ReadMethodIds(QStringLiteral("5;0;2"), ids));
    EXPECT_EQ(ids, (QList<quint32>{5, 0, 2}));
    EXPECT_FALSE(CDBAccess::ReadMethodIds(QString(), ids));
    EXPECT_TRUE(ids.isEmpty());
    // Texts written with a trailing separator by older versions.
    EXPECT_TRUE(CDBAccess::ReadMethodIds(QStringLiteral("1;2;"), ids));
    EXPECT_EQ(ids, (QList<quint32>{1, 2}));
}

} // namespace
