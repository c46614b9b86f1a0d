#include "StorageTestSupport.h"

#include "model/Language.h"
#include "res/StringTable.h"
#include "storage/DBAccessDAO.h"

using namespace pelko_wave;
using namespace storage_test;

namespace {

class Reading : public CStorageTest
{
protected:
    void SetUp() override
    {
        m_campaign = MakeFullCampaign(FilePath());
        ASSERT_EQ(CreateAndSave(*m_campaign), QString());
    }

    std::unique_ptr<CCampaign> m_campaign;
};

TEST_F(Reading, EmptyFileReadsAsAnEmptyCampaignOfTheProgramsVersion)
{
    CDBAccessDAO storage;
    storage.SetFilePath(FilePath(QStringLiteral("empty.duv")));
    ASSERT_TRUE(storage.CreateDatabase());
    storage.Close();
    const auto loaded = Load(FilePath(QStringLiteral("empty.duv")));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetVersionNumber(), PROGRAM_VERSION_TEXT);
    EXPECT_EQ(loaded->GetWaveCount(), 0);
    EXPECT_EQ(loaded->GetQuestionCount(), 0);
}

TEST_F(Reading, NullIdsTakeTheirDefaults)
{
    ExecuteRaw(
        FilePath(),
        QStringLiteral("UPDATE Questions SET DeletionWaveID = NULL WHERE QuestionID = 13;"
                       "UPDATE Questions SET AppearanceVolumeID = NULL WHERE QuestionID = 11;"
                       "UPDATE Modalities SET AppearanceVolumeID = NULL, DeletionWaveID = "
                       "NULL WHERE ModalityID = 105;"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetQuestionById(13)->GetDeletionWaveId(), NO_WAVE_ID);
    EXPECT_EQ(loaded->GetQuestionById(11)->GetAppearanceVolumeId(), loaded->GetFirstVolumeId());
    // A response takes its question's.
    EXPECT_EQ(loaded->GetModalityById(105)->GetAppearanceVolumeId(), 3);
    EXPECT_EQ(loaded->GetModalityById(105)->GetDeletionWaveId(), NO_WAVE_ID);
}

TEST_F(Reading, VolumeWhoseParentIsMissingBecomesARootAndIsReported)
{
    ExecuteRaw(FilePath(), QStringLiteral("UPDATE Volumes SET InheritsFromVolumeID = 88 "
                                          "WHERE VolumeID = 4"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    const CVolume* volume = loaded->FindVolume(4);
    EXPECT_TRUE(volume->IsRoot());
    EXPECT_EQ(volume->GetParent(), nullptr);
    // Its child, written before it, still hangs on it.
    EXPECT_EQ(loaded->FindVolume(3)->GetParent(), volume);
    EXPECT_EQ(m_windows.Prompts.size(), 1);
    if (!LoadString(63930).isEmpty()) {
        EXPECT_TRUE(m_windows.Prompts.value(0).contains(QStringLiteral("88")));
    }
}

TEST_F(Reading, RowsOfObjectsTheCampaignDoesNotHoldArePassedOver)
{
    ExecuteRaw(FilePath(),
               QStringLiteral("INSERT INTO QuestionCaptions VALUES (500, 1033, 'long', 'short');"
                              "INSERT INTO Modalities (ModalityID, QuestionID, ModalityOrder) "
                              "VALUES (600, 500, 0);"
                              "INSERT INTO ModalityCaptions VALUES (601, 12, 1033, 'orphan');"
                              "INSERT INTO Volumes (VolumeID, WaveID) VALUES (70, 99);"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->GetQuestionById(500));
    EXPECT_FALSE(loaded->GetModalityById(600));
    EXPECT_FALSE(loaded->FindVolume(70));
    EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*m_campaign)));
}

TEST_F(Reading, MatchingOfAVolumeTheFileDoesNotHoldFailsTheLoad)
{
    for (const char* table : {"QuestionMatchings", "ModalityMatchings"}) {
        SCOPED_TRACE(table);
        const QString path = FilePath(QLatin1String(table) + QStringLiteral(".duv"));
        ASSERT_EQ(CreateAndSave(*m_campaign, path), QString());
        ExecuteRaw(
            path, qstrcmp(table, "QuestionMatchings") == 0
                      ? QStringLiteral("INSERT INTO QuestionMatchings VALUES (11, 99, 'x', 99, 99)")
                      : QStringLiteral(
                            "INSERT INTO ModalityMatchings VALUES (100, 11, 99, 'x', 99, 99)"));
        const QByteArray bytes = FileBytes(path);
        QString error;
        EXPECT_FALSE(Load(path, &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Error ")));
        EXPECT_TRUE(error.contains(QLatin1String(table)) && error.contains(QStringLiteral("99")))
            << error.toStdString();
        EXPECT_EQ(FileBytes(path), bytes);
    }
    // The application shows each failure with the storage error text.
    ASSERT_EQ(m_windows.Prompts.size(), 2);
    EXPECT_TRUE(m_windows.Prompts[0].contains(QStringLiteral("QuestionMatchings")));
}

TEST_F(Reading, LateColumnsAreReadOnlyForTheVersionsThatHaveThem)
{
    struct SCase
    {
        const char* Version;
        int CaseSensitive;  // of volume 1 (stored 1)
        int AncestorValues; // of volume 2 (stored 1)
        int DevelopLevels;  // of question 12 (stored 0)
    };
    for (const SCase& c :
         {SCase{"5,2,3,8", 1, 1, 0}, SCase{"5.2.1.1", 1, 1, 0}, SCase{"5.2.1.0", 1, 1, 1},
          SCase{"5.2.0.0", 1, 1, 1}, SCase{"5.1.6.15", 0, 1, 1}, SCase{"5.1.6.14", 0, 0, 1},
          SCase{"5.2", 1, 1, 1}}) {
        SCOPED_TRACE(c.Version);
        ExecuteRaw(FilePath(), QStringLiteral("UPDATE Campaigns SET VersionNumber = '%1'")
                                   .arg(QLatin1String(c.Version)));
        const auto loaded = Load();
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->FindVolume(1)->GetCaseSensitiveMatching(), c.CaseSensitive);
        EXPECT_EQ(loaded->FindVolume(2)->GetMatchUsingAncestorValues(), c.AncestorValues);
        EXPECT_EQ(loaded->GetQuestionById(12)->IsDevelopLevels(), c.DevelopLevels);
    }
}

TEST_F(Reading, LanguageNameComesFromTheFileOrElseFromTheSystem)
{
    ExecuteRaw(FilePath(), QStringLiteral("UPDATE Languages SET LanguageName = '' "
                                          "WHERE LanguageID = 1036"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->FindLanguage(1033)->GetLanguageName(),
              QStringLiteral("English (house style)"));
    EXPECT_EQ(loaded->FindLanguage(1036)->GetLanguageName(), GetLanguageNameOfId(1036));
    EXPECT_EQ(loaded->GetDefaultLanguageId(), 1033);
    EXPECT_EQ(loaded->GetCurrentLanguageId(), 1033);
}

TEST_F(Reading, SecondCaptionOfALanguageIsDropped)
{
    // A file without its key could hold two; the first read wins.
    ExecuteRaw(FilePath(),
               QStringLiteral("CREATE TABLE Copy AS SELECT * FROM ModalityCaptions;"
                              "DROP TABLE ModalityCaptions;"
                              "ALTER TABLE Copy RENAME TO ModalityCaptions;"
                              "INSERT INTO ModalityCaptions VALUES (100, 11, 1033, 'second');"));
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetModalityById(100)->GetShortCaption(1033), QStringLiteral("Yes 100"));
}

} // namespace
