#include "ModelFixtures.h"

#include "model/CampaignDump.h"
#include "model/ModelHelpers.h"
#include "model/RecordMakers.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

constexpr int kEnglishUs = 0x0409;
constexpr int kEnglishUk = 0x0809;
constexpr int kFrench = 0x040C;

} // namespace

TEST(DefaultLanguageCaptions, FilledFromTheSamePrimaryLanguageFirst)
{
    CCampaign campaign;
    campaign.AddLanguage(MakeLanguage(kEnglishUk, 1, QString(), QString()));
    // Question 2: French first, then US English: the English text is taken.
    campaign.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("A")));
    CQuestion* a = campaign.GetQuestionById(2);
    a->AddCaption(
        MakeQuestionCaption(2, kFrench, QStringLiteral("Court"), QStringLiteral("Long FR")));
    a->AddCaption(
        MakeQuestionCaption(2, kEnglishUs, QStringLiteral("Short"), QStringLiteral("Long US")));
    // Question 3: a UK caption with an empty long caption, French only otherwise.
    campaign.InsertQuestion(MakeQuestion(3, 1, QStringLiteral("B")));
    CQuestion* b = campaign.GetQuestionById(3);
    b->AddCaption(MakeQuestionCaption(3, kEnglishUk, QStringLiteral("UK short"), QString()));
    b->AddCaption(MakeQuestionCaption(3, kFrench, QString(), QStringLiteral("Long FR")));
    // Question 4: no caption at all.
    campaign.InsertQuestion(MakeQuestion(4, 2, QStringLiteral("C")));
    CModality* response = AddModalityTo(campaign, MakeModality(10, 2, 0));
    response->AddCaption(MakeModalityCaption(2, 10, kFrench, QStringLiteral("Oui")));
    const QString before = DumpCampaign(campaign);

    SPrepDefLangState state;
    BuildDefaultLanguageCaptions(campaign, &state);
    EXPECT_EQ(a->GetLongCaption(kEnglishUk), QStringLiteral("Long US"));
    EXPECT_EQ(a->GetShortCaption(kEnglishUk), QStringLiteral("Short"));
    EXPECT_EQ(b->GetLongCaption(kEnglishUk), QStringLiteral("Long FR"));
    EXPECT_EQ(b->GetShortCaption(kEnglishUk), QStringLiteral("UK short"));
    EXPECT_EQ(campaign.GetQuestionById(4)->GetCaptionCount(), 0);
    EXPECT_EQ(response->GetShortCaption(kEnglishUk), QStringLiteral("Oui"));
    ASSERT_TRUE(response->FindCaption(kEnglishUk));
    EXPECT_EQ(response->FindCaption(kEnglishUk)->GetQuestionId(), 2);

    // The record names what was made and what was replaced.
    ASSERT_EQ(state.AddedQuestionCaptions.size(), 1);
    EXPECT_EQ(state.AddedQuestionCaptions[0], a->FindCaption(kEnglishUk));
    ASSERT_EQ(state.AddedModalityCaptions.size(), 1);
    EXPECT_EQ(state.OldQuestionLongCaptions.value(b->FindCaption(kEnglishUk), QStringLiteral("?")),
              QString());
    EXPECT_FALSE(state.OldQuestionShortCaptions.contains(b->FindCaption(kEnglishUk)));

    // Taking back what the record names gives the campaign as it was.
    for (auto it = state.OldQuestionLongCaptions.cbegin();
         it != state.OldQuestionLongCaptions.cend(); ++it)
        it.key()->SetLongCaption(it.value());
    for (auto it = state.OldQuestionShortCaptions.cbegin();
         it != state.OldQuestionShortCaptions.cend(); ++it)
        it.key()->SetShortCaption(it.value());
    for (CQuestionCaption* caption : state.AddedQuestionCaptions)
        campaign.GetQuestionById(caption->GetQuestionId())->RemoveCaption(caption->GetLanguageId());
    for (CModalityCaption* caption : state.AddedModalityCaptions)
        campaign.GetModalityById(caption->GetModalityId())->RemoveCaption(caption->GetLanguageId());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
}

TEST(DefaultLanguageCaptions, NothingWithoutADefaultLanguage)
{
    auto campaign = MakeFullCampaign();
    campaign->SetDefaultLanguageId(0);
    const QString before = DumpCampaign(*campaign);
    BuildDefaultLanguageCaptions(*campaign, nullptr);
    EXPECT_EQ(DumpCampaign(*campaign), before);
}

TEST(ItemOrders, RestoredOrdersKeepTheArraysSorted)
{
    auto campaign = MakeFullCampaign();
    QMap<CQuestion*, int> questionOrders;
    SaveQuestionOrders(questionOrders, *campaign);
    QMap<CModality*, int> responseOrders;
    SaveModalityOrders(responseOrders, *campaign);
    EXPECT_EQ(questionOrders.size(), campaign->GetQuestionCount());
    EXPECT_EQ(responseOrders.size(), campaign->GetModalityCount());
    const QString before = DumpCampaign(*campaign, DUMP_ALL & ~DUMP_COUNTERS);

    // Reverse the orders (as an ordering routine might), then restore them.
    for (int i = 0; i < campaign->GetQuestionCount(); ++i)
        campaign->GetQuestion(i)->SetOrder(100 - i);
    campaign->SortQuestions();
    EXPECT_EQ(campaign->GetQuestion(0)->GetQuestionId(), 12);
    CQuestion* q11 = campaign->GetQuestionById(11);
    q11->GetModality(0)->SetModalityOrder(5);
    q11->SortModalities();
    EXPECT_EQ(q11->GetModality(1)->GetModalityId(), 100);
    RestoreQuestionOrders(questionOrders, *campaign);
    RestoreModalityOrders(responseOrders, *campaign);
    EXPECT_TRUE(SameDump(DumpCampaign(*campaign, DUMP_ALL & ~DUMP_COUNTERS), before));

    // So a question inserted afterwards lands in its place.
    campaign->InsertQuestion(MakeQuestion(20, 2, QStringLiteral("New")));
    EXPECT_EQ(campaign->GetQuestionIndexById(20), 2);
    for (int i = 1; i < campaign->GetQuestionCount(); ++i)
        EXPECT_LT(campaign->GetQuestion(i - 1)->GetOrder(), campaign->GetQuestion(i)->GetOrder());
}

TEST(ItemOrders, EntryCodesCompareIgnoringCase)
{
    CCampaign campaign;
    campaign.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("A")));
    AddModalityTo(campaign, MakeModality(10, 2, 0, QStringLiteral("abc")));
    const CQuestion& question = *campaign.GetQuestionById(2);
    EXPECT_TRUE(HasResponseWithEntryCode(question, QStringLiteral("ABC")));
    EXPECT_FALSE(HasResponseWithEntryCode(question, QStringLiteral("ab")));
    EXPECT_FALSE(HasResponseWithEntryCode(question, QString()));
}

TEST(ItemOrders, NumberedEntryCodesTakeAsManyDigitsAsTheCount)
{
    struct SCase
    {
        int number;
        int count;
        const char* code;
    };
    const SCase cases[] = {{1, 0, "1"},   {3, 9, "3"},     {3, 10, "03"},     {12, 10, "12"},
                           {7, 99, "07"}, {7, 100, "007"}, {5, 1000, "0005"}, {10, 1000, "0010"}};
    for (const SCase& c : cases)
        EXPECT_EQ(NumberedEntryCode(c.number, c.count), QLatin1String(c.code))
            << c.number << "/" << c.count;
}
