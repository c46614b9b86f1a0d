#include "SampleStudyFile.h"

#include "CommandTestSupport.h"
#include "SampleStudyRuns.h"

#include "model/Campaign.h"
#include "storage/DBAccessDAO.h"

using namespace pelko_wave;
using namespace sample_study;

QTemporaryDir* CSampleStudyTest::s_folder = nullptr;

namespace {

const QString kStudyFile = QStringLiteral("study.duv");

SSampleVolume Volume(const char* file, int type, int parent)
{
    SSampleVolume setup;
    setup.File = QString::fromLatin1(file);
    setup.SourceType = type;
    setup.ParentId = parent;
    return setup;
}

} // namespace

void CSampleStudyTest::SetUpTestSuite()
{
    s_folder = new QTemporaryDir;
    CScriptedWindowServices windows;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    CCampaign& campaign = *app.GetCampaign();
    AddSampleWave(campaign, 1, 1, {Volume("wave1.zoz", SOURCE_ZOZ, -1)});
    ASSERT_TRUE(ReconcileSampleWave(1, true).Result);
    AddSampleWave(campaign, 2, 2,
                  {Volume("wave2.zoz", SOURCE_ZOZ, 1), Volume("wave2.sss", SOURCE_TRIPLE_S, -1)});
    ASSERT_TRUE(ReconcileSampleWave(2, true).Result);
    AddSampleWave(campaign, 3, 4,
                  {Volume("wave3.zoz", SOURCE_ZOZ, 2), Volume("wave3.mdd", SOURCE_DIMENSIONS, 3)});
    ASSERT_TRUE(ReconcileSampleWave(3, true).Result);
    QString error;
    ASSERT_FALSE(command_test::SaveAndReload(campaign, FilePath(kStudyFile), &error).isEmpty())
        << error.toStdString();
}

void CSampleStudyTest::TearDownTestSuite()
{
    delete s_folder;
    s_folder = nullptr;
}

QString CSampleStudyTest::FilePath(const QString& name)
{
    return s_folder->filePath(name);
}

CSampleStudyTest::CSampleStudyTest()
{
    LoadStudy();
}

void CSampleStudyTest::LoadStudy()
{
    app.DestroyCampaignObjects();
    auto campaign = std::make_unique<CCampaign>();
    auto storage = std::make_unique<CDBAccessDAO>();
    SLoadCampaignRecord record;
    record.Campaign = campaign.get();
    record.DBAccess = storage.get();
    record.Path = FilePath(kStudyFile);
    EXPECT_TRUE(LoadCampaign(record));
    storage->Close();
    app.CreateCampaignObjects(std::move(storage), std::move(campaign));
}
