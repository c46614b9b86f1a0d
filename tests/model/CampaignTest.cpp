#include "ModelFixtures.h"

#include "model/CampaignDump.h"
#include "model/RecordMakers.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

std::vector<int> WaveOrders(const CCampaign& campaign)
{
    std::vector<int> orders;
    for (int i = 0; i < campaign.GetWaveCount(); ++i)
        orders.push_back(campaign.GetWave(i)->GetWaveOrder());
    return orders;
}

std::vector<int> WaveIds(const CCampaign& campaign)
{
    std::vector<int> ids;
    for (int i = 0; i < campaign.GetWaveCount(); ++i)
        ids.push_back(campaign.GetWave(i)->GetWaveId());
    return ids;
}

std::vector<int> QuestionIds(const CCampaign& campaign)
{
    std::vector<int> ids;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        ids.push_back(campaign.GetQuestion(i)->GetQuestionId());
    return ids;
}

// Every object of the campaign is found by its id, and every id map points at the right one.
void ExpectEverythingFoundById(const CCampaign& campaign)
{
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        CWave* wave = campaign.GetWave(w);
        EXPECT_EQ(campaign.FindWave(wave->GetWaveId()), wave);
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            CVolume* volume = wave->GetVolume(v);
            EXPECT_EQ(campaign.FindVolume(volume->GetVolumeId()), volume);
            EXPECT_EQ(campaign.FindWaveByVolume(volume->GetVolumeId()), wave);
            for (int m = 0; m < volume->GetQuestionMatchingCount(); ++m) {
                CQuestionMatching* matching = volume->GetQuestionMatching(m);
                EXPECT_EQ(volume->FindQuestionMatching(matching->GetQuestionId()), matching);
            }
            for (int m = 0; m < volume->GetModalityMatchingCount(); ++m) {
                CModalityMatching* matching = volume->GetModalityMatching(m);
                EXPECT_EQ(volume->FindModalityMatching(matching->GetModalityId()), matching);
            }
        }
    }
    for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
        CQuestion* question = campaign.GetQuestion(q);
        EXPECT_EQ(campaign.GetQuestionById(question->GetQuestionId()), question);
        EXPECT_EQ(campaign.GetQuestionIndexById(question->GetQuestionId()), q);
        for (int c = 0; c < question->GetCaptionCount(); ++c) {
            CQuestionCaption* caption = question->GetCaption(c);
            EXPECT_EQ(question->FindCaption(caption->GetLanguageId()), caption);
        }
    }
    for (int i = 0; i < campaign.GetModalityCount(); ++i) {
        CModality* modality = campaign.GetModality(i);
        EXPECT_EQ(campaign.GetModalityById(modality->GetModalityId()), modality);
        for (int c = 0; c < modality->GetCaptionCount(); ++c) {
            CModalityCaption* caption = modality->GetCaption(c);
            EXPECT_EQ(modality->FindCaption(caption->GetLanguageId()), caption);
        }
    }
    for (int i = 0; i < campaign.GetLanguageCount(); ++i)
        EXPECT_EQ(campaign.FindLanguage(campaign.GetLanguage(i)->GetLanguageId()), campaign.GetLanguage(i));
    for (int i = 0; i < campaign.GetQuestionClassCount(); ++i) {
        CQuestionClass* c = campaign.GetQuestionClass(i);
        EXPECT_EQ(campaign.GetQuestionClassById(c->GetQuestionClassId()), c);
    }
    for (int i = 0; i < campaign.GetVersionCount(); ++i)
        EXPECT_EQ(campaign.GetVersionById(campaign.GetVersion(i)->GetVersionId()), campaign.GetVersion(i));
}

} // namespace

TEST(Campaign, NewCampaignCarriesTheProgramVersion)
{
    const CCampaign campaign;
    EXPECT_EQ(campaign.GetVersionNumber(), QStringLiteral("5,2,3,8"));
    EXPECT_EQ(campaign.GetVersionParts(), (std::array<quint32, 4>{5, 2, 3, 8}));
    EXPECT_EQ(campaign.GetMaxQuestionId(), 1);
    EXPECT_EQ(campaign.GetMaxWaveId(), 0);
    EXPECT_EQ(campaign.GetFirstVolumeId(), -1);
    EXPECT_EQ(campaign.GetMaxVolumeId(), 0);
}

TEST(Campaign, VersionTexts)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool older;
    };
    const Case cases[] = {
        {"5.2.3.4", "5.2.3.5", true},   {"5.2.3.5", "5.2.3.5", false},
        {"5,1,6,15", "5.1.6.15", false}, {"5,1,6,14", "5.1.6.15", true},
        {"5.2", "5.2.1.1", true},        {"5.2", "5.2.0.0", false},
        {"5.10.0.0", "5.9.9.9", false},  {"4.99.99.99", "5.0.0.0", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsVersionOlder(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.older)
            << c.a << " vs " << c.b;

    CCampaign campaign;
    campaign.SetVersionNumber(QStringLiteral("5.1"));
    EXPECT_EQ(campaign.GetVersionParts(), (std::array<quint32, 4>{5, 1, 0, 0}));
}

TEST(Campaign, WavesAppendedAndInsertedKeepTheirOrder)
{
    CCampaign campaign;
    EXPECT_EQ(campaign.InsertWave(MakeWave(1, 1)), 0);
    EXPECT_EQ(campaign.InsertWave(MakeWave(2, 2)), 1);
    EXPECT_EQ(campaign.InsertWave(MakeWave(3, 3)), 2);
    // Inserted before wave 2: waves 2 and 3 move one order up.
    EXPECT_EQ(campaign.InsertWave(MakeWave(4, 2)), 1);
    EXPECT_EQ(WaveIds(campaign), (std::vector<int>{1, 4, 2, 3}));
    EXPECT_EQ(WaveOrders(campaign), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(campaign.GetMaxWaveId(), 4);
    // The highest order follows the waves that moved up, so the next appended wave comes last.
    EXPECT_EQ(campaign.GetMaxWaveOrder(), 4);
    EXPECT_EQ(campaign.InsertWave(MakeWave(5, campaign.GetMaxWaveOrder() + 1)), 4);
    EXPECT_EQ(WaveIds(campaign), (std::vector<int>{1, 4, 2, 3, 5}));
    EXPECT_EQ(campaign.GetWave(1)->GetCampaign(), &campaign);
    EXPECT_EQ(campaign.GetWaveAt(5), nullptr);
    EXPECT_EQ(campaign.GetWaveAt(-1), nullptr);
}

TEST(Campaign, WaveInsertedWithGapsTakesThePositionOrder)
{
    CCampaign campaign;
    campaign.InsertWave(MakeWave(1, 1));
    campaign.InsertWave(MakeWave(2, 10));
    EXPECT_EQ(campaign.InsertWave(MakeWave(3, 5)), 1);
    EXPECT_EQ(WaveOrders(campaign), (std::vector<int>{1, 2, 11}));
    EXPECT_EQ(campaign.GetMaxWaveOrder(), 11);
}

// Orders with gaps before the place: the new wave's order stays above the wave before it, so
// that no two waves share an order (which a campaign file would read back in either sequence).
TEST(Campaign, AWaveInsertedAfterGapsSharesNoOrder)
{
    CCampaign campaign;
    for (const auto& [id, order] : {std::pair{1, 1}, {2, 3}, {3, 5}, {4, 7}})
        campaign.InsertWave(MakeWave(id, order));
    EXPECT_EQ(campaign.InsertWave(MakeWave(5, 6)), 3);
    EXPECT_EQ(WaveIds(campaign), (std::vector<int>{1, 2, 3, 5, 4}));
    EXPECT_EQ(WaveOrders(campaign), (std::vector<int>{1, 3, 5, 6, 8}));
}

TEST(Campaign, RemovingAWaveKeepsTheOtherOrders)
{
    CCampaign campaign;
    for (int id = 1; id <= 3; ++id)
        campaign.InsertWave(MakeWave(id, id));
    std::unique_ptr<CWave> removed = campaign.RemoveWave(3);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->GetCampaign(), nullptr);
    EXPECT_EQ(campaign.GetMaxWaveOrder(), 2);
    EXPECT_EQ(campaign.GetMaxWaveId(), 3); // ids are never given twice
    EXPECT_EQ(campaign.RemoveWave(3), nullptr);
    removed = campaign.RemoveWave(1);
    EXPECT_EQ(WaveOrders(campaign), (std::vector<int>{2}));
    campaign.RemoveWave(2);
    EXPECT_EQ(campaign.GetMaxWaveOrder(), 0);
}

TEST(Campaign, SortWavesFollowsOrders)
{
    CCampaign campaign;
    for (int id = 1; id <= 3; ++id)
        campaign.InsertWave(MakeWave(id, id));
    campaign.GetWave(0)->SetWaveOrder(9);
    campaign.SortWaves();
    EXPECT_EQ(WaveIds(campaign), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(WaveOrders(campaign), (std::vector<int>{2, 3, 9}));
}

TEST(Campaign, WaveOrderTestFollowsWaveOrderNotPosition)
{
    CCampaign campaign;
    campaign.InsertWave(MakeWave(1, 1));
    campaign.InsertWave(MakeWave(2, 2));
    // The array is not re-sorted: the test still reads the orders.
    campaign.GetWave(0)->SetWaveOrder(5);
    EXPECT_TRUE(campaign.IsWaveBefore(2, 1));
    EXPECT_FALSE(campaign.IsWaveBefore(1, 2));
    EXPECT_FALSE(campaign.IsWaveBefore(1, 1));
    EXPECT_TRUE(campaign.IsWaveBefore(1, NO_WAVE_ID));
    EXPECT_FALSE(campaign.IsWaveBefore(NO_WAVE_ID, 1));
    EXPECT_FALSE(campaign.IsWaveBefore(1, 77));
    EXPECT_FALSE(campaign.IsWaveBefore(77, 1));
    EXPECT_TRUE(campaign.IsWaveBefore(77, NO_WAVE_ID));
}

TEST(Campaign, VolumeOrderIsPositionAmongTheWaves)
{
    CCampaign campaign;
    auto wave1 = MakeWave(1, 1);
    wave1->AddVolume(MakeVolume(9, 1));
    wave1->AddVolume(MakeVolume(2, 1));
    campaign.InsertWave(std::move(wave1));
    auto wave2 = MakeWave(2, 2);
    wave2->AddVolume(MakeVolume(1, 2));
    campaign.InsertWave(std::move(wave2));

    struct Case
    {
        int a;
        int b;
        bool before;
    };
    const Case cases[] = {
        {9, 9, false},          {9, NO_VOLUME_ID, true}, {NO_VOLUME_ID, 9, false},
        {9, 2, true},           {2, 9, false},           {2, 1, true},
        {1, 9, false},          {9, 77, false},          {77, 9, false},
        {77, NO_VOLUME_ID, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(campaign.IsVolumeBefore(c.a, c.b), c.before) << c.a << " before " << c.b;
    EXPECT_EQ(campaign.GetFirstVolumeId(), 9);
    EXPECT_EQ(campaign.GetMaxVolumeId(), 9);
    EXPECT_EQ(campaign.GetVolumeCount(), 3);

    // Structural changes move the order with them.
    campaign.GetWave(1)->AddVolume(MakeVolume(5, 2));
    EXPECT_TRUE(campaign.IsVolumeBefore(1, 5));
    EXPECT_EQ(campaign.GetVolumeCount(), 4);
    std::unique_ptr<CVolume> removed = campaign.GetWave(0)->RemoveVolume(9);
    EXPECT_EQ(removed->GetWave(), nullptr);
    EXPECT_EQ(campaign.FindVolume(9), nullptr);
    EXPECT_EQ(campaign.GetVolumeCount(), 3);
    EXPECT_FALSE(campaign.IsVolumeBefore(9, 2));
    EXPECT_EQ(campaign.GetFirstVolumeId(), 2);
    campaign.GetWave(0)->SetWaveOrder(3);
    campaign.SortWaves();
    EXPECT_TRUE(campaign.IsVolumeBefore(5, 2));
    EXPECT_EQ(campaign.GetFirstVolumeId(), 1);
    // A volume whose id changes is found by its new id.
    campaign.FindVolume(5)->SetVolumeId(6);
    EXPECT_EQ(campaign.FindVolume(5), nullptr);
    EXPECT_TRUE(campaign.IsVolumeBefore(6, 2));
}

TEST(Campaign, QuestionsInsertedByOrderStaySorted)
{
    CCampaign campaign;
    campaign.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("A")));
    campaign.InsertQuestion(MakeQuestion(3, 1, QStringLiteral("B")));
    campaign.InsertQuestion(MakeQuestion(4, 2, QStringLiteral("C")));
    // Before B: B and C move one order up.
    EXPECT_EQ(campaign.InsertQuestion(MakeQuestion(5, 1, QStringLiteral("D"))), 1);
    EXPECT_EQ(QuestionIds(campaign), (std::vector<int>{2, 5, 3, 4}));
    EXPECT_EQ(campaign.GetQuestionById(4)->GetOrder(), 3);
    EXPECT_EQ(campaign.GetMaxQuestionId(), 5);
    EXPECT_EQ(campaign.GetMaxQuestionOrder(), 3);
    // Orders with gaps (as the wave ordering leaves them, counting from 1): the new question
    // keeps its order and the array stays sorted, so the next insertion lands right.
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        campaign.GetQuestion(i)->SetOrder(10 * (i + 1));
    EXPECT_EQ(campaign.InsertQuestion(MakeQuestion(6, 25, QStringLiteral("E"))), 2);
    EXPECT_EQ(campaign.GetQuestionById(6)->GetOrder(), 25);
    EXPECT_EQ(campaign.InsertQuestion(MakeQuestion(7, 21, QStringLiteral("F"))), 2);
    EXPECT_EQ(QuestionIds(campaign), (std::vector<int>{2, 5, 7, 6, 3, 4}));
    for (int i = 1; i < campaign.GetQuestionCount(); ++i)
        EXPECT_LT(campaign.GetQuestion(i - 1)->GetOrder(), campaign.GetQuestion(i)->GetOrder());
    ExpectEverythingFoundById(campaign);

    campaign.RenumberQuestions();
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        EXPECT_EQ(campaign.GetQuestion(i)->GetOrder(), i);
}

// Sorting by order keeps questions of equal orders in their sequence, and every question found
// by id at its new place.
TEST(Campaign, SortingQuestionsKeepsEqualOrdersInTheirSequence)
{
    CCampaign campaign;
    std::vector<std::unique_ptr<CQuestion>> questions;
    const int orders[] = {5, 2, 5, -1, 2, 9, 5};
    for (int i = 0; i < int(std::size(orders)); ++i)
        questions.push_back(MakeQuestion(i + 2, orders[i], QStringLiteral("Q%1").arg(i)));
    campaign.InsertQuestions(std::move(questions));
    EXPECT_EQ(QuestionIds(campaign), (std::vector<int>{5, 3, 6, 2, 4, 8, 7}));
    campaign.GetQuestionById(7)->SetOrder(2);
    campaign.GetQuestionById(5)->SetOrder(5);
    campaign.SortQuestions();
    EXPECT_EQ(QuestionIds(campaign), (std::vector<int>{3, 6, 7, 5, 2, 4, 8}));
    ExpectEverythingFoundById(campaign);
}

TEST(Campaign, QuestionLookups)
{
    auto campaign = MakeFullCampaign();
    EXPECT_EQ(campaign->FindQuestionByShortcut(QStringLiteral("q1"))->GetQuestionId(), 11);
    EXPECT_EQ(campaign->FindQuestionByShortcut(QStringLiteral("Q9")), nullptr);
    EXPECT_EQ(campaign->GetQuestionById(99), nullptr);
    EXPECT_EQ(campaign->GetQuestionIndexById(99), -1);
    EXPECT_FALSE(campaign->ContainsQuestion(99));
    EXPECT_TRUE(campaign->ContainsModality(100));
    EXPECT_EQ(campaign->GetModalityById(999), nullptr);
    EXPECT_TRUE(campaign->IsReservedQuestion(campaign->GetQuestion(0)));
    EXPECT_FALSE(campaign->IsReservedQuestion(campaign->GetQuestionById(11)));
    EXPECT_FALSE(campaign->IsReservedQuestion(nullptr));
    EXPECT_EQ(campaign->FindLanguage(1031), nullptr);
    EXPECT_EQ(campaign->GetDefaultLanguageId(), 1033);
    ExpectEverythingFoundById(*campaign);
}

TEST(Campaign, ParentQuestionIsTheNearestOneLevelUp)
{
    CCampaign campaign;
    campaign.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("CH"), 1, 0));
    campaign.InsertQuestion(MakeQuestion(3, 1, QStringLiteral("L"), 2, 2));
    campaign.InsertQuestion(MakeQuestion(4, 2, QStringLiteral("Q"), 3));
    campaign.InsertQuestion(MakeQuestion(5, 3, QStringLiteral("R"), 2));
    campaign.InsertQuestion(MakeQuestion(6, 4, QStringLiteral("T"), 1));
    campaign.InsertQuestion(MakeQuestion(7, 5, QStringLiteral("U"), 3));
    const auto parentOf = [&](int id) {
        return campaign.GetParentQuestion(campaign.GetQuestionById(id))->GetQuestionId();
    };
    EXPECT_EQ(parentOf(4), 3);
    EXPECT_EQ(parentOf(5), 2);
    EXPECT_EQ(parentOf(3), 2);
    EXPECT_EQ(parentOf(2), 2); // the start is reached
    EXPECT_EQ(parentOf(7), 7); // a question further up (indent 1) comes first
}

TEST(Campaign, MergingLookups)
{
    auto campaign = MakeFullCampaign();
    EXPECT_EQ(campaign->GetMergeMaster(101, 2), 100);
    EXPECT_EQ(campaign->GetMergeMaster(101, 1), -1);
    EXPECT_TRUE(campaign->IsMergeMaster(100));
    EXPECT_FALSE(campaign->IsMergeMaster(101));
    EXPECT_TRUE(campaign->IsMergeChild(101));
    EXPECT_TRUE(campaign->IsMergedInVolume(101, 2));
    EXPECT_FALSE(campaign->IsMergedInVolume(101, 3));

    campaign->AddModalityMerging(MakeModalityMerging(*campaign->GetModalityById(102),
                                                     *campaign->GetModalityById(103),
                                                     *campaign->FindVolume(3)));
    std::vector<std::unique_ptr<CModalityMerging>> removed;
    campaign->RemoveModalityMergingsOfVolume(2, removed);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0]->GetChildModalityId(), 101);
    EXPECT_EQ(campaign->GetModalityMergingCount(), 1);
    EXPECT_EQ(campaign->RemoveModalityMerging(3, 103, 102), nullptr);
    EXPECT_NE(campaign->RemoveModalityMerging(3, 102, 103), nullptr);
    EXPECT_EQ(campaign->GetModalityMergingCount(), 0);
}

TEST(Campaign, ReservedQuestionAndItsItems)
{
    auto campaign = MakeFullCampaign();
    const CQuestion* reserved = campaign->GetQuestionById(1);
    ASSERT_TRUE(reserved);
    EXPECT_EQ(reserved->GetOrder(), 0);
    EXPECT_EQ(campaign->GetQuestion(0), reserved);
    EXPECT_EQ(reserved->GetShortcut(), QStringLiteral("Wave"));
    EXPECT_EQ(reserved->GetLongCaption(1033), QStringLiteral("Wave"));
    EXPECT_EQ(reserved->GetModalityCount(), 2);
    EXPECT_EQ(reserved->GetModality(1)->GetShortCaption(1033), QStringLiteral("Wave 2"));
    EXPECT_EQ(reserved->GetModality(1)->GetAppearanceVolumeId(), 4);
    // Made once only.
    EXPECT_EQ(campaign->CreateReservedQuestion(2, QStringLiteral("Wave"), 1033), nullptr);
    const CModalityMatching* matching = campaign->FindVolume(4)->FindModalityMatching(
        reserved->GetModality(1)->GetModalityId());
    ASSERT_TRUE(matching);
    EXPECT_EQ(matching->GetModalitySourceId(), QStringLiteral("-1"));
    EXPECT_EQ(matching->GetEndVolumeId(), OPEN_END_ID);
    const CQuestionMatching* questionMatching = campaign->FindVolume(1)->FindQuestionMatching(1);
    ASSERT_TRUE(questionMatching);
    EXPECT_EQ(questionMatching->GetStartVolumeId(), 1);
    EXPECT_EQ(questionMatching->GetEndVolumeId(), 1);

    CCampaign empty;
    auto wave = MakeWave(1, 1);
    wave->AddVolume(MakeVolume(1, 1));
    empty.InsertWave(std::move(wave));
    EXPECT_EQ(empty.CreateReservedModality(empty.FindVolume(1), QStringLiteral("W"), 1033), nullptr);
    EXPECT_EQ(empty.CreateReservedQuestionMatching(empty.FindVolume(1)), nullptr);
    EXPECT_EQ(empty.CreateReservedModalityMatching(empty.FindVolume(1)), nullptr);
}

TEST(Campaign, CopyEqualsTheOriginalWithItsOwnObjects)
{
    auto original = MakeFullCampaign();
    // Orders a renumbering would change: the copy keeps them as they are.
    original->GetQuestionById(11)->SetOrder(7);
    original->GetModalityById(100)->SetModalityOrder(5);
    original->FindVolume(2)->GetQuestionIndex().NewMatchings.insert(11, QStringLiteral("11"));
    original->GetQuestionById(12)->GetResponseIndex().UnmatchedModalities.append(102);

    const CCampaign copy(*original);
    EXPECT_TRUE(SameDump(DumpCampaign(copy), DumpCampaign(*original)));
    ExpectEverythingFoundById(copy);

    // The volume tree and the responses link the copy's own objects.
    const CVolume* v3 = copy.FindVolume(3);
    ASSERT_TRUE(v3->GetParent());
    EXPECT_EQ(v3->GetParent(), copy.FindVolume(2));
    EXPECT_EQ(copy.FindVolume(2)->GetParent(), copy.FindVolume(1));
    EXPECT_EQ(copy.FindVolume(1)->GetChildVolumeAt(0), copy.FindVolume(2));
    EXPECT_EQ(v3->GetCampaign(), &copy);
    EXPECT_EQ(copy.GetQuestionById(11)->GetModality(0), copy.GetModalityById(100));
    EXPECT_NE(copy.GetModalityById(100), original->GetModalityById(100));
    EXPECT_EQ(copy.GetWave(0)->GetCampaign(), &copy);
    EXPECT_TRUE(copy.IsVolumeBefore(2, 3));

    // The two are independent.
    copy.GetQuestionById(11)->SetShortcut(QStringLiteral("changed"));
    EXPECT_EQ(original->GetQuestionById(11)->GetShortcut(), QStringLiteral("Q1"));
}

TEST(Campaign, RemovingAndPuttingBackKeepsEveryObjectFoundById)
{
    auto campaign = MakeFullCampaign();
    const QString before = DumpCampaign(*campaign, DUMP_ALL & ~DUMP_COUNTERS);

    // A volume (with its tree links) and then its wave.
    CVolume* v3 = campaign->FindVolume(3);
    CVolume* v2 = campaign->FindVolume(2);
    v2->RemoveChildVolume(3);
    v3->SetParent(nullptr);
    std::unique_ptr<CVolume> volume3 = campaign->GetWave(1)->RemoveVolume(3);
    std::unique_ptr<CVolume> volume4 = campaign->GetWave(1)->RemoveVolume(4);
    std::unique_ptr<CWave> wave2 = campaign->RemoveWave(2);
    ExpectEverythingFoundById(*campaign);
    EXPECT_EQ(campaign->FindVolume(3), nullptr);

    // A question with its responses, a response matching, a question matching and captions.
    CQuestion* q12 = campaign->GetQuestionById(12);
    QList<CModality*> responses{q12->GetModality(0), q12->GetModality(1)};
    for (CModality* response : responses)
        EXPECT_EQ(q12->RemoveModality(response->GetModalityId()), response);
    std::vector<std::unique_ptr<CModality>> removedResponses = campaign->RemoveModalities(responses);
    ASSERT_EQ(removedResponses.size(), 2u);
    std::unique_ptr<CQuestion> question12 = campaign->RemoveQuestion(12);
    std::unique_ptr<CModalityMatching> m100 = campaign->FindVolume(1)->RemoveModalityMatching(100);
    std::unique_ptr<CQuestionMatching> q11 = campaign->FindVolume(1)->RemoveQuestionMatching(11);
    std::unique_ptr<CQuestionCaption> caption = campaign->GetQuestionById(10)->RemoveCaption(1033);
    std::unique_ptr<CModalityCaption> modalityCaption =
        campaign->GetModalityById(101)->RemoveCaption(1036);
    std::unique_ptr<CModalityMerging> merging = campaign->RemoveModalityMerging(2, 100, 101);
    std::unique_ptr<CLanguage> language = campaign->RemoveLanguage(1036);
    std::unique_ptr<CQuestionClass> questionClass = campaign->RemoveQuestionClass(7);
    std::unique_ptr<CVersion> version = campaign->RemoveVersion(3);
    ASSERT_TRUE(language && questionClass && version);
    ExpectEverythingFoundById(*campaign);
    EXPECT_EQ(campaign->FindLanguage(1036), nullptr);
    EXPECT_EQ(campaign->GetQuestionClassById(7), nullptr);
    EXPECT_EQ(campaign->GetVersionById(3), nullptr);
    EXPECT_EQ(campaign->GetModalityById(102), nullptr);
    EXPECT_EQ(campaign->FindVolume(1)->FindModalityMatching(100), nullptr);
    EXPECT_EQ(campaign->FindVolume(1)->FindModalityMatching(101)->GetModalitySourceId(), QStringLiteral("2"));

    // Everything back, as the same objects.
    campaign->AddLanguage(std::move(language));
    campaign->AddQuestionClass(std::move(questionClass));
    campaign->AddVersion(std::move(version));
    campaign->AddModalityMerging(std::move(merging));
    campaign->GetModalityById(101)->AddCaption(std::move(modalityCaption));
    campaign->GetQuestionById(10)->AddCaption(std::move(caption));
    campaign->FindVolume(1)->AddQuestionMatching(std::move(q11));
    campaign->FindVolume(1)->AddModalityMatching(std::move(m100));
    campaign->InsertQuestion(std::move(question12));
    for (auto& response : removedResponses)
        AddModalityTo(*campaign, std::move(response));
    campaign->InsertWave(std::move(wave2));
    campaign->GetWave(1)->AddVolume(std::move(volume3));
    campaign->GetWave(1)->AddVolume(std::move(volume4));
    v3->SetParent(v2);
    v2->AddChildVolume(v3);

    ExpectEverythingFoundById(*campaign);
    EXPECT_TRUE(SameDump(DumpCampaign(*campaign, DUMP_ALL & ~DUMP_COUNTERS), before));
}
