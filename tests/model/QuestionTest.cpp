#include "ModelFixtures.h"

#include "model/RecordMakers.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

// A question holding responses of the given orders (ids 1, 2, 3 ... in that sequence).
struct SQuestionWithResponses
{
    CQuestion Question;
    std::vector<std::unique_ptr<CModality>> Responses;

    explicit SQuestionWithResponses(std::initializer_list<int> orders)
    {
        Question.SetQuestionId(5);
        int id = 1;
        for (const int order : orders)
            Add(id++, order);
    }
    CModality* Add(int id, int order)
    {
        Responses.push_back(MakeModality(id, 5, order));
        Question.InsertModality(Responses.back().get());
        return Responses.back().get();
    }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (int i = 0; i < Question.GetModalityCount(); ++i)
            ids.push_back(Question.GetModality(i)->GetModalityId());
        return ids;
    }
    std::vector<int> Orders() const
    {
        std::vector<int> orders;
        for (int i = 0; i < Question.GetModalityCount(); ++i)
            orders.push_back(Question.GetModality(i)->GetModalityOrder());
        return orders;
    }
};

} // namespace

TEST(Question, ResponsesInsertedByOrder)
{
    SQuestionWithResponses q({0, 1, 2});
    // Beyond all others: appended with its order unchanged.
    const CModality* last = q.Add(4, 9);
    EXPECT_EQ(q.Question.FindModalityIndex(last), 3);
    EXPECT_EQ(q.Orders(), (std::vector<int>{0, 1, 2, 9}));
    EXPECT_EQ(q.Question.GetMaxModalityOrder(), 9);

    SQuestionWithResponses r({0, 1, 2});
    r.Add(4, 1);
    EXPECT_EQ(r.Ids(), (std::vector<int>{1, 4, 2, 3}));
    EXPECT_EQ(r.Orders(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(r.Question.GetMaxModalityOrder(), 3);

    // Orders counted from 1, as the wave ordering leaves them: the array stays sorted.
    SQuestionWithResponses s({1, 2, 3});
    s.Add(4, 2);
    EXPECT_EQ(s.Ids(), (std::vector<int>{1, 4, 2, 3}));
    EXPECT_EQ(s.Orders(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(Question, RemoveRenumberAndFindResponses)
{
    SQuestionWithResponses q({0, 1, 2, 3});
    CModality* removed = q.Question.RemoveModality(2);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->GetModalityId(), 2);
    EXPECT_EQ(q.Question.RemoveModality(2), nullptr);
    EXPECT_EQ(q.Question.FindModalityIndex(removed), -1);
    q.Question.GetModality(0)->SetModalityOrder(7);
    q.Question.RenumberModalities();
    EXPECT_EQ(q.Ids(), (std::vector<int>{3, 4, 1}));
    EXPECT_EQ(q.Orders(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(q.Question.GetModalityByOrder(1)->GetModalityId(), 4);
    EXPECT_EQ(q.Question.GetModalityByOrder(5), nullptr);
    EXPECT_EQ(q.Question.GetModalityAt(3), nullptr);
}

TEST(Question, FindModalityIndexTakesTheFirstOfEqualIds)
{
    CQuestion empty;
    CModality lone;
    EXPECT_EQ(empty.FindModalityIndex(&lone), -1);

    SQuestionWithResponses q({0, 1, 2});
    q.Question.GetModality(2)->SetModalityId(2);
    auto probe = MakeModality(2, 5, 0);
    EXPECT_EQ(q.Question.FindModalityIndex(probe.get()), 1);
}

TEST(Question, OneCaptionPerLanguage)
{
    CQuestion question;
    question.SetQuestionId(4);
    EXPECT_EQ(question.AddCaption(MakeQuestionCaption(4, 1033, QStringLiteral("S"), QStringLiteral("L"))), 0);
    // A second caption of the language is refused; the first stays.
    EXPECT_EQ(question.AddCaption(MakeQuestionCaption(4, 1033, QStringLiteral("X"), QStringLiteral("Y"))), -1);
    EXPECT_EQ(question.GetCaptionCount(), 1);
    EXPECT_EQ(question.GetShortCaption(1033), QStringLiteral("S"));
    EXPECT_EQ(question.GetLongCaption(1036), QString());
    EXPECT_EQ(question.FindCaption(1036), nullptr);

    // Setting a text of a language without a caption makes one.
    question.SetLongCaption(1036, QStringLiteral("Longue"));
    ASSERT_TRUE(question.FindCaption(1036));
    EXPECT_EQ(question.FindCaption(1036)->GetQuestionId(), 4);
    EXPECT_EQ(question.GetShortCaption(1036), QString());
    question.SetShortCaption(1036, QStringLiteral("Courte"));
    EXPECT_EQ(question.GetCaptionCount(), 2);

    std::unique_ptr<CQuestionCaption> removed = question.RemoveCaption(1033);
    ASSERT_TRUE(removed);
    EXPECT_EQ(question.RemoveCaption(1033), nullptr);
    EXPECT_EQ(question.FindCaption(1036)->GetLongCaption(), QStringLiteral("Longue"));
    EXPECT_EQ(question.AddCaption(std::move(removed)), 1);
    EXPECT_EQ(question.GetShortCaption(1033), QStringLiteral("S"));
}

TEST(Question, ResponseCaptions)
{
    CModality modality;
    modality.SetModalityId(8);
    modality.SetQuestionId(4);
    EXPECT_TRUE(modality.GetShortCaption(1033).isEmpty());
    modality.SetShortCaption(1033, QStringLiteral("Yes"));
    ASSERT_TRUE(modality.FindCaption(1033));
    EXPECT_EQ(modality.FindCaption(1033)->GetModalityId(), 8);
    EXPECT_EQ(modality.FindCaption(1033)->GetQuestionId(), 4);
    EXPECT_EQ(modality.AddCaption(MakeModalityCaption(4, 8, 1033, QStringLiteral("No"))), -1);
    EXPECT_EQ(modality.GetShortCaption(1033), QStringLiteral("Yes"));
    modality.SetShortCaption(1033, QStringLiteral("Oui"));
    EXPECT_EQ(modality.GetCaptionCount(), 1);

    const CModality copy(modality);
    EXPECT_NE(copy.FindCaption(1033), modality.FindCaption(1033));
    EXPECT_EQ(copy.GetShortCaption(1033), QStringLiteral("Oui"));
}

TEST(Question, FindResponseByCaptionIgnoresCase)
{
    auto campaign = MakeFullCampaign();
    const CQuestion* q11 = campaign->GetQuestionById(11);
    EXPECT_EQ(q11->FindModalityByCaption(QStringLiteral("yes 101"), 1033)->GetModalityId(), 101);
    EXPECT_EQ(q11->FindModalityByCaption(QStringLiteral("Yes 101"), 1036), nullptr);
    EXPECT_EQ(q11->FindModalityByCaption(QStringLiteral("Oui 100"), 1036)->GetModalityId(), 100);
}

TEST(Question, CopyTakesCaptionsNotResponses)
{
    auto campaign = MakeFullCampaign();
    CQuestion* original = campaign->GetQuestionById(11);
    original->GetResponseIndex().NewMatchings.insert(100, QStringLiteral("1"));
    const CQuestion copy(*original);
    EXPECT_EQ(copy.GetModalityCount(), 0);
    EXPECT_EQ(copy.GetCaptionCount(), 2);
    EXPECT_NE(copy.FindCaption(1033), original->FindCaption(1033));
    EXPECT_EQ(copy.GetShortCaption(1036), QStringLiteral("Court 11"));
    EXPECT_EQ(copy.GetResponseIndex(), original->GetResponseIndex());
    EXPECT_EQ(copy.GetQuestionClassId(), 7);
}

TEST(SmallRecords, CopyAndSelfAssignment)
{
    CQuestionMatching matching;
    matching.SetQuestionId(3);
    matching.SetSourceId(QStringLiteral("12"));
    matching.SetEndVolumeId(OPEN_END_ID);
    CQuestionMatching& same = matching;
    matching = same;
    EXPECT_EQ(matching.GetSourceId(), QStringLiteral("12"));
    const CQuestionMatching copy(matching);
    EXPECT_EQ(copy, matching);

    CLanguage defaults;
    EXPECT_EQ(defaults.GetLanguageId(), 0);
    EXPECT_EQ(defaults.IsDefault(), 0);
}

TEST(SmallRecords, LanguageNamesComeFromTheSystemTable)
{
    const CLanguage french(1036);
    EXPECT_EQ(french.GetLanguageId(), 1036);
    EXPECT_EQ(french.IsDefault(), 0);
    EXPECT_FALSE(french.GetLanguageName().isEmpty());
    EXPECT_EQ(french.GetLanguageAbbreviation().size(), 3);
    // An id the system does not know has empty texts.
    const CLanguage unknown(0x7FFF);
    EXPECT_TRUE(unknown.GetLanguageName().isEmpty());
    EXPECT_TRUE(unknown.GetLanguageAbbreviation().isEmpty());
}
