#include "StorageTestSupport.h"

#include "model/ModelIds.h"
#include "storage/DBAccessDAO.h"

using namespace pelko_wave;
using namespace storage_test;

namespace {

class Upgrade : public CStorageTest
{
protected:
    // A campaign file as a program of the version wrote it: the columns that came later are
    // missing, and before 5.2.3.5 the Versions texts refuse to be empty.
    void MakeOlderFile(const QString& path, const QString& version)
    {
        const auto campaign = MakeFullCampaign(path);
        campaign->SetVersionNumber(version);
        ASSERT_EQ(CreateAndSave(*campaign, path), QString());
        QString sql;
        if (IsVersionOlder(version, QStringLiteral("5.1.6.15")))
            sql += QStringLiteral("ALTER TABLE Volumes DROP COLUMN MatchUsingAncestorValues;");
        if (IsVersionOlder(version, QStringLiteral("5.2.0.0")))
            sql += QStringLiteral("ALTER TABLE Volumes DROP COLUMN CaseSensitiveMatching;");
        if (IsVersionOlder(version, QStringLiteral("5.2.1.1")))
            sql += QStringLiteral("ALTER TABLE Questions DROP COLUMN IsDevelopLevels;");
        if (IsVersionOlder(version, QStringLiteral("5.2.3.5"))) {
            for (const char* table : {"Questions", "Modalities"}) {
                for (const char* event : {"INSERT", "UPDATE OF Versions"}) {
                    sql +=
                        QStringLiteral("CREATE TRIGGER %1_Versions_NotZeroLength%2 BEFORE %3 ON %1 "
                                       "WHEN NEW.Versions = '' BEGIN SELECT RAISE(ABORT, "
                                       "'%1.Versions cannot be a zero-length string'); END;")
                            .arg(QLatin1String(table), QString::fromLatin1(event).left(6).toLower(),
                                 QLatin1String(event));
                }
            }
        }
        if (!sql.isEmpty())
            ExecuteRaw(path, sql);
    }

    static bool HasColumn(const QString& path, const QString& table, const QString& column)
    {
        return QueryRaw(path, QStringLiteral("SELECT count(*) FROM pragma_table_info('%1') WHERE "
                                             "name = '%2'")
                                  .arg(table, column)) == 1;
    }
};

TEST_F(Upgrade, OlderFilesReadBackWithTheDefaultsAfterTheUpgrade)
{
    struct SCase
    {
        const char* Version;
        bool AncestorValuesAdded;
        bool CaseSensitiveAdded;
        bool DevelopLevelsAdded;
        bool EmptyVersionsRefused;
    };
    for (const SCase& c :
         {SCase{"5.1.6.14", true, true, true, true}, SCase{"5,1,6,14", true, true, true, true},
          SCase{"5.1.6.15", false, true, true, true}, SCase{"5.2.1.0", false, false, true, true},
          SCase{"5.2", false, false, true, true}, SCase{"5.2.3.4", false, false, false, true},
          SCase{"5.2.3.5", false, false, false, false}}) {
        SCOPED_TRACE(c.Version);
        const QString path = FilePath(QStringLiteral("%1.duv").arg(QLatin1String(c.Version)));
        MakeOlderFile(path, QLatin1String(c.Version));
        const auto campaign = Load(path);
        ASSERT_TRUE(campaign);
        EXPECT_EQ(campaign->GetVersionNumber(), QLatin1String(c.Version));

        // An older file refuses an empty Versions text.
        campaign->GetQuestionById(11)->SetVersions(QString());
        const QString refused = SaveInto(*campaign, path);
        EXPECT_EQ(refused.contains(QStringLiteral("zero-length")), c.EmptyVersionsRefused)
            << refused.toStdString();

        CDBAccessDAO storage;
        storage.SetFilePath(path);
        ASSERT_TRUE(storage.Upgrade(*campaign)) << storage.GetErrorText().toStdString();
        EXPECT_TRUE(
            HasColumn(path, QStringLiteral("Volumes"), QStringLiteral("MatchUsingAncestorValues")));
        EXPECT_TRUE(
            HasColumn(path, QStringLiteral("Volumes"), QStringLiteral("CaseSensitiveMatching")));
        EXPECT_TRUE(
            HasColumn(path, QStringLiteral("Questions"), QStringLiteral("IsDevelopLevels")));
        EXPECT_EQ(QueryRaw(path, QStringLiteral(
                                     "SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'")),
                  0);
        if (c.AncestorValuesAdded) {
            EXPECT_EQ(
                QueryRaw(path,
                         QStringLiteral(
                             "SELECT count(*) FROM Volumes WHERE MatchUsingAncestorValues = 0")),
                5);
        }
        if (c.CaseSensitiveAdded) {
            EXPECT_EQ(
                QueryRaw(path, QStringLiteral(
                                   "SELECT count(*) FROM Volumes WHERE CaseSensitiveMatching = 0")),
                5);
        }
        if (c.DevelopLevelsAdded) {
            EXPECT_EQ(
                QueryRaw(path, QStringLiteral(
                                   "SELECT count(*) FROM Questions WHERE IsDevelopLevels = -1")),
                5);
        }
        // The upgrade writes no version text: the campaign's move does, on the next save.
        EXPECT_EQ(campaign->GetVersionNumber(), QLatin1String(c.Version));

        // Upgrading twice is harmless.
        const QByteArray upgraded = FileBytes(path);
        ASSERT_TRUE(storage.Upgrade(*campaign));
        EXPECT_EQ(FileBytes(path), upgraded);

        ASSERT_TRUE(campaign->MoveToMostRecentVersion());
        ASSERT_TRUE(storage.Save(*campaign)) << storage.GetErrorText().toStdString();
        storage.Close();
        const auto reloaded = Load(path);
        ASSERT_TRUE(reloaded);
        EXPECT_TRUE(SameDump(StoredDump(*reloaded), StoredDump(*campaign)));
        EXPECT_EQ(reloaded->GetVersionNumber(), PROGRAM_VERSION_TEXT);
        EXPECT_EQ(reloaded->GetQuestionById(11)->GetVersions(), QString());
        for (const int id : {1, 2, 3, 4, 5}) {
            const CVolume& volume = *reloaded->FindVolume(id);
            if (c.AncestorValuesAdded) {
                EXPECT_EQ(volume.GetMatchUsingAncestorValues(), 0);
            }
            if (c.CaseSensitiveAdded) {
                EXPECT_EQ(volume.GetCaseSensitiveMatching(), 0);
            }
        }
        if (c.DevelopLevelsAdded) {
            for (int q = 0; q < reloaded->GetQuestionCount(); ++q)
                EXPECT_EQ(reloaded->GetQuestion(q)->IsDevelopLevels(), 1);
        }
    }
}

TEST_F(Upgrade, ColumnThatExistsAlreadyIsNeitherAddedNorOverwritten)
{
    MakeOlderFile(FilePath(), QStringLiteral("5.1.6.14"));
    ExecuteRaw(FilePath(),
               QStringLiteral("ALTER TABLE Volumes ADD COLUMN MatchUsingAncestorValues "
                              "BOOLEAN; UPDATE Volumes SET MatchUsingAncestorValues = 1"));
    const auto campaign = Load();
    ASSERT_TRUE(campaign);
    CDBAccessDAO storage;
    storage.SetFilePath(FilePath());
    ASSERT_TRUE(storage.Upgrade(*campaign));
    EXPECT_EQ(
        QueryRaw(FilePath(),
                 QStringLiteral("SELECT count(*) FROM Volumes WHERE MatchUsingAncestorValues = 1")),
        5);
    EXPECT_FALSE(storage.AddFieldIfMissing(QStringLiteral("Volumes"),
                                           QStringLiteral("matchusingancestorvalues"), 1, 0));
}

TEST_F(Upgrade, FailedStepLeavesTheFileAsItWas)
{
    MakeOlderFile(FilePath(), QStringLiteral("5.1.6.14"));
    ExecuteRaw(FilePath(), QStringLiteral("CREATE TRIGGER Refuse BEFORE UPDATE ON Questions "
                                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const auto campaign = Load();
    ASSERT_TRUE(campaign);
    const QByteArray before = FileBytes(FilePath());
    CDBAccessDAO storage;
    storage.SetFilePath(FilePath());
    EXPECT_FALSE(storage.Upgrade(*campaign));
    EXPECT_EQ(storage.GetErrorText(), QStringLiteral("Dao error description refused\n"));
    storage.Close();
    EXPECT_EQ(FileBytes(FilePath()), before);
    EXPECT_FALSE(HasColumn(FilePath(), QStringLiteral("Volumes"),
                           QStringLiteral("MatchUsingAncestorValues")));
}

TEST_F(Upgrade, BaseInterfaceHasNothingToDo)
{
    struct CNoStorage : CDBAccessDAO
    {
        bool Upgrade(CCampaign& campaign) override { return CDBAccess::Upgrade(campaign); }
    } storage;
    CCampaign campaign;
    campaign.SetVersionNumber(QStringLiteral("5.0.0.0"));
    EXPECT_TRUE(storage.Upgrade(campaign));
}

} // namespace
