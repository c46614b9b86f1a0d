#include "StorageTestSupport.h"

#include "storage/DBAccessDAO.h"

#include <algorithm>
#include <functional>

using namespace pelko_wave;
using namespace storage_test;

namespace {

class SaveLoad : public CStorageTest
{
};

TEST_F(SaveLoad, EveryRecordKindReadsBackEqual)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*campaign)));
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << m_windows.Prompts.join('\n').toStdString();
}

TEST_F(SaveLoad, SecondSaveWithoutChangesLeavesTheFileAsItWas)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const QByteArray saved = FileBytes(FilePath());

    ASSERT_EQ(SaveInto(*campaign, FilePath()), QString());
    EXPECT_EQ(FileBytes(FilePath()), saved);

    // The campaign as read back saves the same.
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(SaveInto(*loaded, FilePath()), QString());
    EXPECT_EQ(FileBytes(FilePath()), saved);
}

// One removal of each kind of object; each leaves the model consistent, as the commands do.
struct SRemoval
{
    const char* Name;
    std::function<void(CCampaign&)> Remove;
};

void RemoveModalityEverywhere(CCampaign& campaign, int modalityId)
{
    const std::unique_ptr<CModality> modality = campaign.RemoveModality(modalityId);
    if (CQuestion* question = campaign.GetQuestionById(modality->GetQuestionId()))
        question->RemoveModality(modalityId);
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        for (int v = 0; v < campaign.GetWave(w)->GetVolumeCount(); ++v)
            campaign.GetWave(w)->GetVolume(v)->RemoveModalityMatching(modalityId);
    }
    for (int i = campaign.GetModalityMergingCount() - 1; i >= 0; --i) {
        const CModalityMerging& merging = *campaign.GetModalityMerging(i);
        if (merging.GetMasterModalityId() == modalityId ||
            merging.GetChildModalityId() == modalityId)
            campaign.RemoveModalityMerging(merging.GetMergeVolumeId(),
                                           merging.GetMasterModalityId(),
                                           merging.GetChildModalityId());
    }
}

// Takes a volume out of its wave and out of the tree, and moves what first appeared in it to
// the first volume.
void RemoveVolume(CCampaign& campaign, int volumeId)
{
    CWave* wave = campaign.FindWaveByVolume(volumeId);
    const std::unique_ptr<CVolume> volume = wave->RemoveVolume(volumeId);
    if (volume->GetParent())
        volume->GetParent()->RemoveChildVolume(volumeId);
    std::vector<std::unique_ptr<CModalityMerging>> mergings;
    campaign.RemoveModalityMergingsOfVolume(volumeId, mergings);
    for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
        if (campaign.GetQuestion(q)->GetAppearanceVolumeId() == volumeId)
            campaign.GetQuestion(q)->SetAppearanceVolumeId(1);
    }
    for (int m = 0; m < campaign.GetModalityCount(); ++m) {
        if (campaign.GetModality(m)->GetAppearanceVolumeId() == volumeId)
            campaign.GetModality(m)->SetAppearanceVolumeId(1);
    }
}

const SRemoval kRemovals[] = {
    {"wave without volumes", [](CCampaign& c) { c.RemoveWave(5); }},
    {"wave with volumes",
     [](CCampaign& c) {
         RemoveVolume(c, 3);
         RemoveVolume(c, 4);
         RemoveVolume(c, 5);
         c.RemoveWave(2);
     }},
    {"volume", [](CCampaign& c) { RemoveVolume(c, 3); }},
    {"question",
     [](CCampaign& c) {
         RemoveModalityEverywhere(c, 105);
         c.FindVolume(3)->RemoveQuestionMatching(13);
         c.RemoveQuestion(13);
     }},
    {"response", [](CCampaign& c) { RemoveModalityEverywhere(c, 104); }},
    {"question matching", [](CCampaign& c) { c.FindVolume(2)->RemoveQuestionMatching(12); }},
    {"response matching", [](CCampaign& c) { c.FindVolume(1)->RemoveModalityMatching(101); }},
    {"question caption", [](CCampaign& c) { c.GetQuestionById(12)->RemoveCaption(1036); }},
    {"response caption", [](CCampaign& c) { c.GetModalityById(100)->RemoveCaption(1036); }},
    {"language", [](CCampaign& c) { c.RemoveLanguage(1036); }},
    {"question class", [](CCampaign& c) { c.RemoveQuestionClass(8); }},
    {"version", [](CCampaign& c) { c.RemoveVersion(4); }},
    {"merging", [](CCampaign& c) { c.RemoveModalityMerging(2, 100, 101); }},
};

TEST_F(SaveLoad, RemovedObjectsOfEveryKindStayRemoved)
{
    for (const SRemoval& removal : kRemovals) {
        SCOPED_TRACE(removal.Name);
        const QString path = FilePath(QString::fromLatin1(removal.Name) + QStringLiteral(".duv"));
        const auto campaign = MakeFullCampaign(path);
        ASSERT_EQ(CreateAndSave(*campaign, path), QString());
        const QString before = StoredDump(*campaign);
        removal.Remove(*campaign);
        ASSERT_NE(StoredDump(*campaign), before);
        ASSERT_EQ(SaveInto(*campaign, path), QString());
        const auto loaded = Load(path);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*campaign)));
        EXPECT_EQ(QueryRaw(path, QStringLiteral("SELECT count(*) FROM pragma_foreign_key_check")),
                  0);
    }
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << m_windows.Prompts.join('\n').toStdString();
}

TEST_F(SaveLoad, VolumeTakenOutAndPutBackReadsBackInItsWavesOrder)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    // Volume 3 goes to the end of its wave, behind 4 and 5, while its row stays first.
    CWave* wave = campaign->FindWave(2);
    wave->AddVolume(wave->RemoveVolume(3));
    ASSERT_EQ(wave->GetVolume(2)->GetVolumeId(), 3);
    ASSERT_EQ(SaveInto(*campaign, FilePath()), QString());
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*campaign)));
}

// Orders are properties the user may set, so two questions, or two responses of a question, can
// share one. Reading keeps every order and the sequence of the rows; putting each in by its order
// pushed the earlier ones up and moved a question to the end of the campaign.
TEST_F(SaveLoad, EqualOrdersReadBackUnchanged)
{
    const auto campaign = MakeFullCampaign(FilePath());
    // Ties in the model: each question takes the order of the one after it, each response the
    // order of the one before it, so that the response sequence differs from the order in which
    // the responses were added.
    for (int q = 0; q + 1 < campaign->GetQuestionCount(); q += 2)
        campaign->GetQuestion(q)->SetOrder(campaign->GetQuestion(q + 1)->GetOrder());
    for (int q = 0; q < campaign->GetQuestionCount(); ++q) {
        CQuestion& question = *campaign->GetQuestion(q);
        std::vector<CModality*> sequence = question.GetModalities();
        std::reverse(sequence.begin(), sequence.end());
        for (CModality* response : sequence)
            response->SetModalityOrder(4);
        ASSERT_TRUE(question.SetModalitySequence(sequence));
    }
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*campaign)));

    // Ties made in the file: every question of order 7, every response of order 3.
    ExecuteRaw(FilePath(), QStringLiteral("UPDATE Questions SET \"Order\" = 7"));
    ExecuteRaw(FilePath(), QStringLiteral("UPDATE Modalities SET ModalityOrder = 3"));
    loaded = Load();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->GetQuestionCount(), campaign->GetQuestionCount());
    for (int q = 0; q < loaded->GetQuestionCount(); ++q) {
        const CQuestion& question = *loaded->GetQuestion(q);
        EXPECT_EQ(question.GetOrder(), 7) << question.GetQuestionId();
        EXPECT_EQ(question.GetQuestionId(), campaign->GetQuestion(q)->GetQuestionId());
        for (int r = 0; r < question.GetModalityCount(); ++r) {
            EXPECT_EQ(question.GetModality(r)->GetModalityOrder(), 3);
            EXPECT_EQ(question.GetModality(r)->GetModalityId(),
                      campaign->GetQuestion(q)->GetModality(r)->GetModalityId());
        }
    }
}

TEST_F(SaveLoad, CampaignRowIsEditedNeverAdded)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    campaign->SetName(QStringLiteral("Renamed"));
    ASSERT_EQ(SaveInto(*campaign, FilePath()), QString());
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Campaigns")), 1);
    EXPECT_EQ(Load()->GetName(), QStringLiteral("Renamed"));
}

TEST_F(SaveLoad, MatchingsEndingAtMinusOneLeaveNoRow)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    campaign->FindVolume(1)->FindQuestionMatching(12)->SetEndVolumeId(-1);
    campaign->FindVolume(1)->FindModalityMatching(101)->SetEndVolumeId(-1);
    ASSERT_EQ(SaveInto(*campaign, FilePath()), QString());
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM QuestionMatchings "
                                                  "WHERE QuestionID = 12 AND VolumeID = 1")),
              0);
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM ModalityMatchings "
                                                  "WHERE ModalityID = 101 AND VolumeID = 1")),
              0);
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->FindVolume(1)->FindQuestionMatching(12));
    EXPECT_FALSE(loaded->FindVolume(1)->FindModalityMatching(101));
}

TEST_F(SaveLoad, DatesRoundTripAndAClearedDateIsNull)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Waves WHERE WaveID = 1 "
                                                  "AND WaveStart = '2024-03-01T08:30:15.250'")),
              1);
    // Stored dates sort as the dates do.
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT WaveID FROM Waves "
                                                  "WHERE WaveStart IS NOT NULL ORDER BY WaveStart "
                                                  "DESC LIMIT 1")),
              2);
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Waves WHERE WaveID = 2 "
                                                  "AND WaveEnd IS NULL")),
              1);

    campaign->FindWave(1)->SetWaveEnd(QDateTime());
    ASSERT_EQ(SaveInto(*campaign, FilePath()), QString());
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Waves WHERE WaveID = 1 "
                                                  "AND WaveEnd IS NULL")),
              1);
    EXPECT_TRUE(Load()->FindWave(1)->GetWaveEnd().isNull());
}

TEST_F(SaveLoad, MethodListsAreStoredAsIdsSeparatedBySemicolons)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Volumes WHERE VolumeID = 1 "
                                                  "AND ResponseMatchingMethods = '0;2;5' AND "
                                                  "QuestionMatchingMethods = '1;1;2'")),
              1);
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Volumes WHERE VolumeID = 2 "
                                                  "AND ResponseMatchingMethods = ''")),
              1);
}

// The late Volumes columns are written (and read) only for a campaign whose version has them.
TEST_F(SaveLoad, LateVolumeColumnsFollowTheCampaignVersion)
{
    struct SCase
    {
        const char* Version;
        bool CaseSensitive;
        bool AncestorValues;
    };
    for (const SCase& c :
         {SCase{"5.2.0.0", true, true}, SCase{"5,2,0,0", true, true}, SCase{"5.1.9.9", false, true},
          SCase{"5.1.6.15", false, true}, SCase{"5.1.6.14", false, false}}) {
        SCOPED_TRACE(c.Version);
        const QString path = FilePath(QStringLiteral("v%1.duv").arg(QLatin1String(c.Version)));
        const auto campaign = MakeFullCampaign(path);
        campaign->SetVersionNumber(QLatin1String(c.Version));
        ASSERT_EQ(CreateAndSave(*campaign, path), QString());
        EXPECT_EQ(
            QueryRaw(path, QStringLiteral("SELECT count(CaseSensitiveMatching) FROM Volumes")),
            c.CaseSensitive ? 5 : 0);
        EXPECT_EQ(
            QueryRaw(path, QStringLiteral("SELECT count(MatchUsingAncestorValues) FROM Volumes")),
            c.AncestorValues ? 5 : 0);
        const auto loaded = Load(path);
        ASSERT_TRUE(loaded);
        // Volume 1 holds 1 and 0, volume 2 holds 0 and 1.
        EXPECT_EQ(loaded->FindVolume(1)->GetCaseSensitiveMatching(), c.CaseSensitive ? 1 : 0);
        EXPECT_EQ(loaded->FindVolume(2)->GetMatchUsingAncestorValues(), c.AncestorValues ? 1 : 0);
    }
}

TEST_F(SaveLoad, AppearanceVolumeThatNamesNoVolumeIsStoredAsNull)
{
    const auto campaign = MakeFullCampaign(FilePath());
    campaign->GetQuestionById(12)->SetAppearanceVolumeId(77);
    campaign->GetModalityById(100)->SetAppearanceVolumeId(78);
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    EXPECT_EQ(
        QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Questions WHERE "
                                            "QuestionID = 12 AND AppearanceVolumeID IS NULL")),
        1);
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    // Read back as the first volume, and the response as its question's.
    EXPECT_EQ(loaded->GetQuestionById(12)->GetAppearanceVolumeId(), 1);
    EXPECT_EQ(loaded->GetModalityById(100)->GetAppearanceVolumeId(), 1);
}

TEST_F(SaveLoad, FailedSaveLeavesTheFileAsItWas)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const QByteArray saved = FileBytes(FilePath());
    const QString savedDump = StoredDump(*campaign);

    // Everything changes, and the last table refuses a merging of a response it does not hold.
    campaign->SetName(QStringLiteral("Changed"));
    campaign->RemoveWave(5);
    campaign->GetQuestionById(11)->SetShortcut(QStringLiteral("Changed"));
    auto merging = std::make_unique<CModalityMerging>();
    merging->SetMasterModalityId(999);
    merging->SetChildModalityId(100);
    merging->SetMergeVolumeId(1);
    campaign->AddModalityMerging(std::move(merging));

    CDBAccessDAO storage;
    storage.SetFilePath(FilePath());
    EXPECT_FALSE(storage.Save(*campaign));
    EXPECT_TRUE(storage.GetErrorText().startsWith(QStringLiteral("Error ")));
    EXPECT_TRUE(storage.GetErrorText().contains(QStringLiteral("FOREIGN KEY constraint failed")))
        << storage.GetErrorText().toStdString();
    EXPECT_TRUE(storage.GetErrorText().contains(QStringLiteral("ModalityMergings")));
    storage.Close();

    EXPECT_EQ(FileBytes(FilePath()), saved);
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), savedDump));
}

TEST_F(SaveLoad, ReadOnlyStorageSavesNothing)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const QByteArray saved = FileBytes(FilePath());
    campaign->SetName(QStringLiteral("Changed"));
    CDBAccessDAO storage;
    storage.SetFilePath(FilePath());
    storage.SetReadOnly(true);
    EXPECT_FALSE(storage.Save(*campaign));
    EXPECT_TRUE(storage.GetErrorText().contains(QStringLiteral("readonly")))
        << storage.GetErrorText().toStdString();
    storage.Close();
    EXPECT_EQ(FileBytes(FilePath()), saved);
}

TEST_F(SaveLoad, OneSavingStepOnItsOwnCommitsItself)
{
    const auto campaign = MakeFullCampaign(FilePath());
    CDBAccessDAO storage;
    storage.SetFilePath(FilePath());
    ASSERT_TRUE(storage.CreateDatabase());
    ASSERT_TRUE(storage.SaveCampaign(*campaign));
    storage.Close();
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM Campaigns")), 1);
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), campaign->GetName());
    EXPECT_EQ(loaded->GetWaveCount(), 0);
}

} // namespace
