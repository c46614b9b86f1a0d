#include "ModelFixtures.h"

#include "model/CampaignDump.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

// The dump of the fixture campaign, kept as a golden file. Set PLIM_UPDATE_GOLDEN=1 to write it
// again after a deliberate change of the dump.
TEST(CampaignDump, GoldenTextOfTheFullCampaign)
{
    const QString dump = DumpCampaign(*MakeFullCampaign());
    const QString path = QStringLiteral(PLIM_TEST_DATA_DIR "/full_campaign.dump.txt");
    if (qEnvironmentVariableIntValue("PLIM_UPDATE_GOLDEN") == 1) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(dump.toUtf8());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(SameDump(dump, QString::fromUtf8(file.readAll())));
}

TEST(CampaignDump, EveryChangeShowsAndTextsAreEscaped)
{
    const auto campaign = MakeFullCampaign();
    const QString before = DumpCampaign(*campaign);
    EXPECT_TRUE(before.contains(QStringLiteral("name=\"Tracking \\\"2024\\\"\"")));
    EXPECT_TRUE(before.contains(QStringLiteral("description=\"Brand tracking\\nwith two waves\"")));
    // Texts holding "%1" are taken as they stand.
    campaign->GetQuestionById(11)->SetUserData(QStringLiteral("50%1 %2"));
    EXPECT_TRUE(DumpCampaign(*campaign).contains(QStringLiteral("userData=\"50%1 %2\"")));

    campaign->FindVolume(3)->GetQuestionIndex().UnmatchedSources.append(QStringLiteral("7"));
    EXPECT_NE(DumpCampaign(*campaign, DUMP_ALL), DumpCampaign(*campaign, DUMP_STORED));
    campaign->SetMaxWaveId(40);
    const QString stored = DumpCampaign(*campaign, DUMP_STORED);
    EXPECT_FALSE(stored.contains(QStringLiteral("maxWaveId")));
    EXPECT_FALSE(stored.contains(QStringLiteral("VolumeIndex")));
    campaign->GetModalityById(103)->SetValue(0.1);
    EXPECT_NE(DumpCampaign(*campaign, DUMP_STORED), stored);
}
