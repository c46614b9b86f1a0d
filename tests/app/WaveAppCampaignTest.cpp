#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccessDAO.h"

#include "support/ScriptedWindowServices.h"
#include "support/TestCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

class WaveAppCampaign : public ::testing::Test
{
protected:
    CScriptedWindowServices m_windows;
    STestJournal m_journal;
    CWaveApp m_app;
};

TEST_F(WaveAppCampaign, CreateMakesNewObjectsOrAdoptsTheGivenOnes)
{
    m_app.AddPendingQuestionSourceCopy(3);
    m_app.AddPendingInterviewSourceCopy(4);
    m_app.SetModifiedFlag(true, false);
    m_app.CreateCampaignObjects(nullptr, nullptr);
    ASSERT_TRUE(m_app.GetCampaign());
    ASSERT_TRUE(dynamic_cast<CDBAccessDAO*>(m_app.GetDBAccess()));
    // The difference cache comes with the campaign.
    ASSERT_TRUE(m_app.GetDiffsCache());
    EXPECT_EQ(m_app.GetCampaign()->GetWaveCount(), 0);
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_TRUE(m_app.GetPendingQuestionSourceCopies().empty());
    EXPECT_TRUE(m_app.GetPendingInterviewSourceCopies().empty());
    EXPECT_EQ(m_app.GetHighestVolumeIdAtLoad(), NO_VOLUME_ID);

    auto storage = std::make_unique<CDBAccessDAO>();
    auto campaign = std::make_unique<CCampaign>();
    storage->SetFilePath(QStringLiteral("/studies/brand.duv"));
    const CDBAccess* givenStorage = storage.get();
    const CCampaign* givenCampaign = campaign.get();
    m_app.DestroyCampaignObjects();
    m_app.CreateCampaignObjects(std::move(storage), std::move(campaign));
    EXPECT_EQ(m_app.GetDBAccess(), givenStorage);
    EXPECT_EQ(m_app.GetCampaign(), givenCampaign);
    EXPECT_EQ(m_app.GetCampaignFilePath(), QStringLiteral("/studies/brand.duv"));
}

TEST_F(WaveAppCampaign, DestroyClearsHistoryAndObjectsAndIsHarmlessTwice)
{
    m_app.CreateCampaignObjects(nullptr, nullptr);
    m_app.SetCampaignPath(QStringLiteral("/studies/brand.duv"));
    std::unique_ptr<CCmdVirtual> command =
        std::make_unique<CTestCmd>(m_journal, QStringLiteral("A"));
    ASSERT_TRUE(m_app.ExecuteCommand(command, {}, nullptr, nullptr, true));
    ASSERT_TRUE(m_app.IsModified());

    m_app.DestroyCampaignObjects();
    EXPECT_FALSE(m_app.GetCommandHistory().CanUndo());
    EXPECT_EQ(m_journal.LiveCommands, 0);
    EXPECT_EQ(m_app.GetCampaign(), nullptr);
    EXPECT_EQ(m_app.GetDBAccess(), nullptr);
    EXPECT_EQ(m_app.GetDiffsCache(), nullptr);
    EXPECT_EQ(m_app.GetCampaignPath(), QString());
    EXPECT_EQ(m_app.GetCampaignFilePath(), QString());
    // The modified flag is the caller's to set.
    EXPECT_TRUE(m_app.IsModified());

    m_app.DestroyCampaignObjects();
    EXPECT_EQ(m_app.GetCampaign(), nullptr);
}

TEST_F(WaveAppCampaign, DataFolderIsMadeBesideTheCampaignFileOnce)
{
    QTemporaryDir folder;
    EXPECT_EQ(m_app.GetCampaignDataFolder(), QString());
    m_app.SetCampaignPath(folder.filePath(QStringLiteral("brand.duv")));
    const QString dataFolder = m_app.GetCampaignDataFolder();
    EXPECT_EQ(QFileInfo(dataFolder).fileName(), QStringLiteral("brand.dat"));
    EXPECT_TRUE(QFileInfo(dataFolder).isDir());
    EXPECT_EQ(m_app.GetCampaignDataFolder(), dataFolder);
    m_app.SetCampaignPath(folder.filePath(QStringLiteral("other.duv")));
    EXPECT_EQ(QFileInfo(m_app.GetCampaignDataFolder()).fileName(), QStringLiteral("other.dat"));
}

// A storage object that records the operations the application runs, failing the named one.
class CRecordingStorage : public CDBAccess
{
public:
    QStringList Calls;
    QString Failing;

    bool Open() override { return Record(QStringLiteral("Open")); }
    bool Close() override { return true; }
    bool CreateDatabase() override { return Record(QStringLiteral("CreateDatabase")); }
    bool Save(const CCampaign&) override { return Record(QStringLiteral("Save")); }
    bool SaveCampaign(const CCampaign&) override { return Record(QStringLiteral("SaveCampaign")); }
    bool ReadCampaign(CCampaign&) override { return Record(QStringLiteral("ReadCampaign")); }
    bool ReadWaves(CCampaign&) override { return Record(QStringLiteral("ReadWaves")); }
    bool ReadVolumes(CCampaign&) override { return Record(QStringLiteral("ReadVolumes")); }
    bool ReadQuestions(CCampaign&) override { return Record(QStringLiteral("ReadQuestions")); }
    bool ReadQuestionMatchings(CCampaign&) override
    {
        return Record(QStringLiteral("ReadQuestionMatchings"));
    }
    bool ReadQuestionClasses(CCampaign&) override
    {
        return Record(QStringLiteral("ReadQuestionClasses"));
    }
    bool ReadQuestionCaptions(CCampaign&) override
    {
        return Record(QStringLiteral("ReadQuestionCaptions"));
    }
    bool ReadModalityMatchings(CCampaign&) override
    {
        return Record(QStringLiteral("ReadModalityMatchings"));
    }
    bool ReadModalityCaptions(CCampaign&) override
    {
        return Record(QStringLiteral("ReadModalityCaptions"));
    }
    bool ReadModalities(CCampaign&) override { return Record(QStringLiteral("ReadModalities")); }
    bool ReadLanguages(CCampaign&) override { return Record(QStringLiteral("ReadLanguages")); }
    bool ReadModalityMergings(CCampaign&) override
    {
        return Record(QStringLiteral("ReadModalityMergings"));
    }
    bool ReadVersions(CCampaign&) override { return Record(QStringLiteral("ReadVersions")); }
    const QString& GetErrorText() const override { return m_error; }
    void SetErrorText(const QString& text) override { m_error = text; }

private:
    bool Record(const QString& call)
    {
        Calls.append(call);
        if (call != Failing)
            return true;
        m_error = QStringLiteral("Error in ") + call;
        return false;
    }
    QString m_error;
};

const QStringList kLoadOrder = {"Open",
                                "ReadCampaign",
                                "ReadLanguages",
                                "ReadWaves",
                                "ReadVolumes",
                                "ReadQuestions",
                                "ReadQuestionMatchings",
                                "ReadQuestionClasses",
                                "ReadVersions",
                                "ReadQuestionCaptions",
                                "ReadModalities",
                                "ReadModalityMatchings",
                                "ReadModalityCaptions",
                                "ReadModalityMergings"};

TEST_F(WaveAppCampaign, LoadReadsInTheFixedOrder)
{
    CRecordingStorage storage;
    CCampaign campaign;
    SLoadCampaignRecord record;
    record.Campaign = &campaign;
    record.DBAccess = &storage;
    record.Path = QStringLiteral("/studies/brand.duv");
    EXPECT_TRUE(LoadCampaign(record));
    EXPECT_TRUE(record.Result);
    EXPECT_EQ(record.Progress, 100);
    EXPECT_EQ(storage.Calls, kLoadOrder);
    EXPECT_EQ(storage.GetFilePath(), QStringLiteral("/studies/brand.duv"));
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
}

TEST_F(WaveAppCampaign, FirstFailingReadEndsTheLoadAndIsShown)
{
    for (const QString& failing : kLoadOrder) {
        SCOPED_TRACE(failing.toStdString());
        CRecordingStorage storage;
        storage.Failing = failing;
        CCampaign campaign;
        SLoadCampaignRecord record;
        record.Campaign = &campaign;
        record.DBAccess = &storage;
        m_windows.Prompts.clear();
        EXPECT_FALSE(LoadCampaign(record));
        EXPECT_FALSE(record.Result);
        EXPECT_EQ(record.Progress, 100);
        EXPECT_EQ(storage.Calls, kLoadOrder.mid(0, kLoadOrder.indexOf(failing) + 1));
        ASSERT_EQ(m_windows.Prompts.size(), 1);
        EXPECT_EQ(m_windows.Prompts[0], FormatString(LoadString(IDS_OPEN_DATABASE_ERROR),
                                                     {QStringLiteral("Error in ") + failing}));
    }
}

} // namespace
