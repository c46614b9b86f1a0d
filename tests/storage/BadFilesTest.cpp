#include "StorageTestSupport.h"

#include "storage/DBAccessDAO.h"

#include <QDir>
#include <QFile>
#include <functional>

using namespace pelko_wave;
using namespace storage_test;

namespace {

class BadFiles : public CStorageTest
{
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Each damage turns a good campaign file at the path into a bad one.
struct SDamage
{
    const char* Name;
    std::function<void(const QString& path)> Damage;
    const char* Message; // in the error text
};

TEST_F(BadFiles, FailWithAClearErrorAndAreNeverWritten)
{
    const SDamage damages[] = {
        {"not a database",
         [](const QString& path) {
             WriteFile(path, QByteArray("Name;Waves\nBrand;3\n").repeated(200));
         },
         "file is not a database"},
        {"truncated",
         [](const QString& path) {
             const QByteArray bytes = FileBytes(path);
             WriteFile(path, bytes.left(bytes.size() / 2));
         },
         "malformed"},
        {"empty file", [](const QString& path) { WriteFile(path, QByteArray()); }, "no such table"},
        {"missing table",
         [](const QString& path) { ExecuteRaw(path, QStringLiteral("DROP TABLE Versions")); },
         "no such table: Versions"},
        {"missing column",
         [](const QString& path) {
             ExecuteRaw(path, QStringLiteral("ALTER TABLE Questions DROP COLUMN UserData"));
         },
         "no such column: UserData"},
        {"text where a number belongs",
         [](const QString& path) {
             ExecuteRaw(path, QStringLiteral("UPDATE Questions SET \"Order\" = 'first' "
                                             "WHERE QuestionID = 11"));
         },
         "Questions.Order"},
        {"number out of range",
         [](const QString& path) {
             ExecuteRaw(path, QStringLiteral("UPDATE Modalities SET ModalityOrder = 5000000000 "
                                             "WHERE ModalityID = 100"));
         },
         "Modalities.ModalityOrder"},
        {"damaged date",
         [](const QString& path) {
             ExecuteRaw(path, QStringLiteral("UPDATE Waves SET WaveEnd = 'soon' WHERE WaveID = 1"));
         },
         "Waves.WaveEnd"},
        {"blob where a text belongs",
         [](const QString& path) {
             ExecuteRaw(path, QStringLiteral("UPDATE Campaigns SET Name = x'00ff'"));
         },
         "Campaigns.Name"},
    };
    for (const SDamage& damage : damages) {
        SCOPED_TRACE(damage.Name);
        const QString path = FilePath(QString::fromLatin1(damage.Name) + QStringLiteral(".duv"));
        const auto campaign = MakeFullCampaign(path);
        ASSERT_EQ(CreateAndSave(*campaign, path), QString());
        // Large enough that the truncation cuts into the tables.
        damage.Damage(path);
        const QByteArray bytes = FileBytes(path);

        QString error;
        EXPECT_FALSE(Load(path, &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Error ")));
        EXPECT_TRUE(error.contains(QLatin1String(damage.Message))) << error.toStdString();
        EXPECT_EQ(FileBytes(path), bytes);
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
    }
}

TEST_F(BadFiles, OpeningAMissingFileCreatesNothing)
{
    const QString path = FilePath(QStringLiteral("missing.duv"));
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    EXPECT_FALSE(storage.Open());
    EXPECT_TRUE(storage.GetErrorText().startsWith(QStringLiteral("Error ")));
    EXPECT_FALSE(QFile::exists(path));
    // Nor does a save into it.
    EXPECT_FALSE(storage.Save(*MakeFullCampaign(path)));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BadFiles, OpeningAFolderFails)
{
    CDBAccessDAO storage;
    storage.SetFilePath(m_folder.path());
    EXPECT_FALSE(storage.Open());
    EXPECT_FALSE(storage.GetErrorText().isEmpty());
}

TEST_F(BadFiles, EmptyPathFailsAndKeepsTheErrorText)
{
    CDBAccessDAO storage;
    storage.SetErrorText(QStringLiteral("before"));
    EXPECT_FALSE(storage.Open());
    EXPECT_EQ(storage.GetErrorText(), QStringLiteral("before"));
    CCampaign campaign;
    EXPECT_FALSE(storage.ReadWaves(campaign));
    EXPECT_EQ(storage.GetErrorText(), QStringLiteral("before"));
}

} // namespace
