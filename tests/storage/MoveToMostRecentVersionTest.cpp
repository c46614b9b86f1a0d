#include "StorageTestSupport.h"

#include "model/CampaignDump.h"

using namespace pelko_wave;
using namespace storage_test;

namespace {

// A campaign of the given version with one wave of three volumes (2 and 3 inheriting from 1)
// and a second wave of two; question 11 with twelve responses 100..111, question 12 with two.
std::unique_ptr<CCampaign> MakeOldCampaign(const QString& version)
{
    auto campaign = std::make_unique<CCampaign>();
    campaign->SetVersionNumber(version);
    int volumeId = 0;
    for (int w = 1; w <= 2; ++w) {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(w);
        wave->SetWaveOrder(w);
        for (int v = 0; v < 4 - w; ++v) {
            auto volume = std::make_unique<CVolume>();
            volume->SetVolumeId(++volumeId);
            volume->SetWaveId(w);
            volume->SetInheritsFromVolumeId(w == 1 && v > 0 ? 1 : volumeId);
            wave->AddVolume(std::move(volume));
        }
        campaign->InsertWave(std::move(wave));
    }
    for (const int id : {2, 3}) {
        CVolume* volume = campaign->FindVolume(id);
        volume->SetParent(campaign->FindVolume(1));
        campaign->FindVolume(1)->AddChildVolume(volume);
    }
    for (const int id : {11, 12}) {
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(id);
        question->SetOrder(id);
        campaign->InsertQuestion(std::move(question));
    }
    for (int i = 0; i < 12; ++i)
        AddModality(*campaign, 100 + i, 11, i)->SetEntryCode(QString::number(i % 11));
    AddModality(*campaign, 120, 12, 0)->SetEntryCode(QStringLiteral("a"));
    AddModality(*campaign, 121, 12, 1)->SetEntryCode(QStringLiteral("b"));
    return campaign;
}

void AddMatchings(CVolume& volume, int questionId, int questionEnd, int modalityId, int modalityEnd)
{
    auto question = std::make_unique<CQuestionMatching>();
    question->SetQuestionId(questionId);
    question->SetVolumeId(volume.GetVolumeId());
    question->SetStartVolumeId(volume.GetVolumeId());
    question->SetEndVolumeId(questionEnd);
    volume.AddQuestionMatching(std::move(question));
    auto modality = std::make_unique<CModalityMatching>();
    modality->SetModalityId(modalityId);
    modality->SetQuestionId(questionId);
    modality->SetVolumeId(volume.GetVolumeId());
    modality->SetStartVolumeId(volume.GetVolumeId());
    modality->SetEndVolumeId(modalityEnd);
    volume.AddModalityMatching(std::move(modality));
}

TEST(MoveToMostRecentVersion, SettlesLinkQuestionsAndDropsDeadMatchingsBefore5_1_6_15)
{
    const auto campaign = MakeOldCampaign(QStringLiteral("5.1.6.14"));
    // Wave 1's first volume is reconciled, wave 2's is not.
    campaign->FindVolume(1)->SetStatus(VOLUME_RECONCILED);
    campaign->FindVolume(1)->SetMainVolumeLinkQuestionId(8);
    campaign->FindVolume(2)->SetMainVolumeLinkQuestionId(-1);
    campaign->FindVolume(3)->SetMainVolumeLinkQuestionId(5);
    campaign->FindVolume(4)->SetMainVolumeLinkQuestionId(6);
    campaign->FindVolume(5)->SetMainVolumeLinkQuestionId(7);
    AddMatchings(*campaign->FindVolume(2), 11, -1, 100, -1);
    AddMatchings(*campaign->FindVolume(3), 12, OPEN_END_ID, 120, OPEN_END_ID);

    EXPECT_TRUE(campaign->MoveToMostRecentVersion());
    EXPECT_EQ(campaign->FindVolume(1)->GetMainVolumeLinkQuestionId(), 0);
    EXPECT_EQ(campaign->FindVolume(2)->GetMainVolumeLinkQuestionId(), 0);
    EXPECT_EQ(campaign->FindVolume(3)->GetMainVolumeLinkQuestionId(), 5);
    EXPECT_EQ(campaign->FindVolume(4)->GetMainVolumeLinkQuestionId(), 0);
    EXPECT_EQ(campaign->FindVolume(5)->GetMainVolumeLinkQuestionId(), -7);
    EXPECT_EQ(campaign->FindVolume(2)->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(campaign->FindVolume(2)->GetModalityMatchingCount(), 0);
    EXPECT_EQ(campaign->FindVolume(3)->GetQuestionMatchingCount(), 1);
    EXPECT_EQ(campaign->GetVersionNumber(), PROGRAM_VERSION_TEXT);
}

TEST(MoveToMostRecentVersion, EndsResponseMatchingsWithTheirQuestionBefore5_1_9_4)
{
    const auto campaign = MakeOldCampaign(QStringLiteral("5.1.9.3"));
    // Question 11 is matched in volume 1 up to volume 2; its response matching runs on.
    AddMatchings(*campaign->FindVolume(1), 11, 2, 100, OPEN_END_ID);
    // Question 12's matching ends after its response matching: nothing to do.
    AddMatchings(*campaign->FindVolume(4), 12, OPEN_END_ID, 120, 4);
    campaign->MoveToMostRecentVersion();
    EXPECT_EQ(campaign->FindVolume(1)->FindModalityMatching(100)->GetEndVolumeId(), 2);
    EXPECT_EQ(campaign->FindVolume(4)->FindModalityMatching(120)->GetEndVolumeId(), 4);
}

TEST(MoveToMostRecentVersion, RecodesResponsesThatShareAnEntryCodeBefore5_2_3_6)
{
    const auto campaign = MakeOldCampaign(QStringLiteral("5.2.3.5"));
    campaign->MoveToMostRecentVersion();
    const CQuestion& q11 = *campaign->GetQuestionById(11);
    for (int i = 0; i < q11.GetModalityCount(); ++i)
        EXPECT_EQ(q11.GetModality(i)->GetEntryCode(), QString::asprintf("%02d", i + 1));
    EXPECT_EQ(campaign->GetModalityById(120)->GetEntryCode(), QStringLiteral("a"));
    EXPECT_EQ(campaign->GetModalityById(121)->GetEntryCode(), QStringLiteral("b"));
}

TEST(MoveToMostRecentVersion, CurrentCampaignOnlyKeepsItsVersion)
{
    for (const char* version : {"5.2.3.6", "5,2,3,8"}) {
        SCOPED_TRACE(version);
        const auto campaign = MakeOldCampaign(QLatin1String(version));
        campaign->FindVolume(5)->SetMainVolumeLinkQuestionId(7);
        AddMatchings(*campaign->FindVolume(1), 11, 2, 100, OPEN_END_ID);
        AddMatchings(*campaign->FindVolume(2), 12, -1, 120, -1);
        const QString before = DumpCampaign(*campaign, DUMP_STORED);
        campaign->MoveToMostRecentVersion();
        campaign->SetVersionNumber(QLatin1String(version));
        EXPECT_EQ(DumpCampaign(*campaign, DUMP_STORED), before);
    }
}

} // namespace
