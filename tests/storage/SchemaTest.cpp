#include "StorageTestSupport.h"

#include "storage/CampaignSchema.h"
#include "storage/DBAccessDAO.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <sqlite3.h>

using namespace pelko_wave;
using namespace storage_test;

namespace {

class Schema : public CStorageTest
{
protected:
    void CreateEmpty(const QString& path)
    {
        CDBAccessDAO storage;
        storage.SetFilePath(path);
        ASSERT_TRUE(storage.CreateDatabase()) << storage.GetErrorText().toStdString();
        EXPECT_TRUE(storage.IsOpen());
    }
};

// Reads one text column of every row that a query gives.
QStringList QueryTexts(const QString& path, const QString& sql)
{
    QStringList texts;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        ADD_FAILURE() << sqlite3_errmsg(db) << "\n" << sql.toStdString();
    while (statement && sqlite3_step(statement) == SQLITE_ROW)
        texts.append(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return texts;
}

TEST_F(Schema, NewFileHoldsTheTablesKeysIndexesAndRelationsAndNoRow)
{
    CreateEmpty(FilePath());
    const QStringList tables = QueryTexts(
        FilePath(),
        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY rowid"));
    EXPECT_EQ(tables,
              (QStringList{"Campaigns", "Waves", "Volumes", "Questions", "QuestionMatchings",
                           "QuestionClasses", "QuestionCaptions", "Modalities", "ModalityMatchings",
                           "ModalityCaptions", "Languages", "Versions", "ModalityMergings"}));

    for (const STableDef& table : GetCampaignTables()) {
        const QString name = QLatin1String(table.Name);
        SCOPED_TRACE(name.toStdString());
        QStringList expected;
        for (const SColumnDef& column : table.Columns)
            expected.append(QLatin1String(column.Name));
        EXPECT_EQ(
            QueryTexts(
                FilePath(),
                QStringLiteral("SELECT name FROM pragma_table_info('%1') ORDER BY cid").arg(name)),
            expected);
        QStringList key;
        for (const char* column : table.PrimaryKey)
            key.append(QLatin1String(column));
        EXPECT_EQ(QueryTexts(FilePath(), QStringLiteral("SELECT name FROM pragma_table_info('%1') "
                                                        "WHERE pk > 0 ORDER BY pk")
                                             .arg(name)),
                  key);
        EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(name)), 0);
    }

    EXPECT_EQ(
        QueryTexts(FilePath(), QStringLiteral("SELECT name FROM sqlite_schema WHERE type = "
                                              "'index' AND sql IS NOT NULL ORDER BY name")),
        (QStringList{"Modalities_Index1", "ModalityCaptions_Index1", "QuestionCaptions_Index1",
                     "Questions_Index1", "Questions_Index2", "Volumes_Index1"}));
    EXPECT_EQ(QueryTexts(FilePath(),
                         QStringLiteral("SELECT name FROM pragma_index_info('Modalities_Index1') "
                                        "ORDER BY seqno")),
              (QStringList{"QuestionID", "ModalityOrder"}));

    // The ten relations, each a cascading foreign key.
    QStringList relations;
    for (const QString& table : tables) {
        relations += QueryTexts(
            FilePath(),
            QStringLiteral("SELECT '%1.' || \"from\" || '->' || \"table\" || '.' || \"to\" "
                           "|| ' ' || on_delete FROM pragma_foreign_key_list('%1')")
                .arg(table));
    }
    relations.sort();
    EXPECT_EQ(relations,
              (QStringList{"Modalities.AppearanceVolumeID->Volumes.VolumeID CASCADE",
                           "ModalityCaptions.ModalityID->Modalities.ModalityID CASCADE",
                           "ModalityMatchings.VolumeID->Volumes.VolumeID CASCADE",
                           "ModalityMergings.ChildModalityID->Modalities.ModalityID CASCADE",
                           "ModalityMergings.MasterModalityID->Modalities.ModalityID CASCADE",
                           "ModalityMergings.MergeVolumeID->Volumes.VolumeID CASCADE",
                           "QuestionCaptions.QuestionID->Questions.QuestionID CASCADE",
                           "QuestionMatchings.VolumeID->Volumes.VolumeID CASCADE",
                           "Questions.AppearanceVolumeID->Volumes.VolumeID CASCADE",
                           "Volumes.WaveID->Waves.WaveID CASCADE"}));
    EXPECT_EQ(QueryTexts(FilePath(), QStringLiteral("PRAGMA journal_mode")), QStringList{"delete"});
}

TEST_F(Schema, CreatingOverAnExistingFileReplacesItAndItsJournal)
{
    QFile file(FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an old file that is not a database");
    file.close();
    QFile journal(FilePath() + QStringLiteral("-journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("a journal of the old file");
    journal.close();

    CreateEmpty(FilePath());
    EXPECT_FALSE(QFile::exists(FilePath() + QStringLiteral("-journal")));
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'table'")),
              13);
}

TEST_F(Schema, DeletingAVolumeRowCascades)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    ExecuteRaw(FilePath(),
               QStringLiteral("PRAGMA foreign_keys = ON; DELETE FROM Volumes WHERE VolumeID = 3"));
    // Question 13 and its response 105 first appeared in volume 3.
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM Questions WHERE QuestionID = 13")),
              0);
    EXPECT_EQ(
        QueryRaw(FilePath(),
                 QStringLiteral("SELECT count(*) FROM QuestionCaptions WHERE QuestionID = 13")),
        0);
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM Modalities WHERE ModalityID = 105")),
              0);
    EXPECT_EQ(
        QueryRaw(FilePath(),
                 QStringLiteral("SELECT count(*) FROM ModalityCaptions WHERE ModalityID = 105")),
        0);
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM QuestionMatchings WHERE VolumeID = 3")),
              0);
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM ModalityMatchings WHERE VolumeID = 3")),
              0);
    // Nothing cascades from a question to its matchings, nor to other volumes.
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Volumes")), 4);
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM ModalityMergings")), 2);

    ExecuteRaw(FilePath(),
               QStringLiteral("PRAGMA foreign_keys = ON; DELETE FROM Waves WHERE WaveID = 2"));
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Volumes")), 2);
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM ModalityMergings")), 1);
    EXPECT_EQ(QueryRaw(FilePath(),
                       QStringLiteral("SELECT count(*) FROM Modalities WHERE ModalityID = 104")),
              0);
}

TEST_F(Schema, FileRefusesRowsThatHangOnNothing)
{
    CreateEmpty(FilePath());
    EXPECT_NE(TryExecuteRaw(FilePath(), QStringLiteral("PRAGMA foreign_keys = ON; INSERT INTO "
                                                       "Volumes (VolumeID, WaveID) VALUES (1, 9)")),
              QString());
    EXPECT_NE(TryExecuteRaw(FilePath(), QStringLiteral("PRAGMA foreign_keys = ON; INSERT INTO "
                                                       "Questions (QuestionID, \"Order\", "
                                                       "QuestionClassID, AppearanceVolumeID) "
                                                       "VALUES (2, 0, 0, 9)")),
              QString());
    // Keys and indexed columns must hold a value.
    EXPECT_NE(TryExecuteRaw(FilePath(), QStringLiteral("INSERT INTO Waves (WaveID) VALUES (NULL)")),
              QString());
}

// The file as the sqlite3 program sees it.
TEST_F(Schema, Sqlite3ProgramFindsTheTablesAndNoFault)
{
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty())
        GTEST_SKIP() << "the sqlite3 program is not installed";
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const auto run = [&](const QString& command) {
        QProcess process;
        process.start(sqlite3, {FilePath(), command});
        EXPECT_TRUE(process.waitForFinished(10000));
        return QString::fromUtf8(process.readAllStandardOutput()).simplified();
    };
    const QStringList tables = run(QStringLiteral(".tables")).split(QLatin1Char(' '));
    EXPECT_EQ(tables.size(), 13) << tables.join(' ').toStdString();
    EXPECT_TRUE(tables.contains(QStringLiteral("ModalityMergings")));
    EXPECT_EQ(run(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(run(QStringLiteral("PRAGMA foreign_key_check")), QString());
}

} // namespace
