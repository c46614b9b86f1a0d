#include "FakeWaveApp.h"
#include "ModelFixtures.h"

#include "model/ModelHelpers.h"
#include "questionnaire/Questionnaire.h"

#include <QThread>
#include <random>
#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

TEST(CampaignOrder, FreeFunctionsFollowTheCampaign)
{
    auto campaign = MakeFullCampaign();
    EXPECT_TRUE(IsVolumeBefore(campaign.get(), 2, 3));
    EXPECT_FALSE(IsVolumeBefore(campaign.get(), 3, 3));
    EXPECT_FALSE(IsVolumeBefore(nullptr, 2, 3));
    EXPECT_TRUE(IsWaveBefore(campaign.get(), 1, 2));
    EXPECT_FALSE(IsWaveBefore(nullptr, 1, 2));

    EXPECT_FALSE(WaveHasVolume(1, 1)); // no application
    CFakeWaveApp app;
    app.Campaign = campaign.get();
    EXPECT_TRUE(WaveHasVolume(1, 2));
    EXPECT_FALSE(WaveHasVolume(1, 3));
    EXPECT_FALSE(WaveHasVolume(9, 1));
}

TEST(CampaignOrder, MatchedInAnotherVolume)
{
    auto campaign = MakeFullCampaign();
    int start = 0;
    // Question 11: volume 1 holds a matching, volume 4 too. From volume 1 on, volume 1 itself
    // is skipped: wave 1 has no other, wave 2's volume 4 has.
    EXPECT_TRUE(FindQuestionMatchedInOtherVolume(*campaign, 11, 1, start));
    EXPECT_EQ(start, 4);
    // Question 12 from volume 2: volume 1 (same wave, earlier) holds one.
    EXPECT_TRUE(FindQuestionMatchedInOtherVolume(*campaign, 12, 2, start));
    EXPECT_EQ(start, 1);
    // From wave 2 on, nobody else holds question 12.
    EXPECT_FALSE(FindQuestionMatchedInOtherVolume(*campaign, 12, 4, start));
    EXPECT_EQ(start, -1);
    EXPECT_FALSE(FindQuestionMatchedInOtherVolume(*campaign, 11, 77, start));

    // Responses: only later waves count.
    EXPECT_FALSE(FindModalityMatchedInOtherVolume(*campaign, 100, 2, start));
    AddModalityMatching(*campaign->FindVolume(3), 100, 11, QStringLiteral("5"), 3, OPEN_END_ID);
    EXPECT_TRUE(FindModalityMatchedInOtherVolume(*campaign, 100, 2, start));
    EXPECT_EQ(start, 3);
    EXPECT_FALSE(FindModalityMatchedInOtherVolume(*campaign, 100, 3, start));
}

TEST(CampaignOrder, WhichResponsesCanBeMerged)
{
    auto campaign = MakeFullCampaign();
    const CVolume* v2 = campaign->FindVolume(2);
    const CVolume* v4 = campaign->FindVolume(4);
    // 102 and 103 are both matched in volume 2.
    EXPECT_FALSE(CanMergeModalities(*campaign, v2, 102, 103));
    EXPECT_TRUE(CanMergeModalities(*campaign, nullptr, 102, 103));
    // Neither is matched in volume 4.
    EXPECT_TRUE(CanMergeModalities(*campaign, v4, 102, 103));
    campaign->FindVolume(2)->RemoveModalityMatching(103);
    EXPECT_TRUE(CanMergeModalities(*campaign, v2, 102, 103));
    // Master or child of a merging, or an unknown response.
    EXPECT_FALSE(CanMergeModalities(*campaign, nullptr, 100, 102));
    EXPECT_FALSE(CanMergeModalities(*campaign, nullptr, 102, 101));
    EXPECT_FALSE(CanMergeModalities(*campaign, nullptr, 102, 999));
}

TEST(QuestionKinds, KindsByElementAndQuestionType)
{
    struct Case
    {
        int element;
        int type;
        bool multiple;
        bool scale;
        int kind;
    };
    const Case cases[] = {
        {0, 5, false, false, 0},  {1, 1, true, true, 13},   {1, 1, false, true, 6},
        {1, 1, false, false, 2},  {1, 3, false, false, 4},  {1, 4, false, false, 17},
        {1, 5, false, false, 15}, {1, 6, false, false, 6},  {1, 7, false, false, 6},
        {1, 2, false, false, 0},  {1, 9, false, false, 0},  {2, 2, false, false, 11},
        {2, 3, false, false, 19}, {2, 4, false, false, 12}, {2, 1, false, false, 10},
        {2, 0, false, false, 10}, {3, 1, false, false, 0},
    };
    for (const Case& c : cases) {
        CQuestion question;
        question.SetElementType(c.element);
        question.SetQuestionType(c.type);
        question.SetIsMultiple(c.multiple);
        question.SetIsScale(c.scale);
        EXPECT_EQ(GetQuestionKind(question), c.kind) << c.element << "/" << c.type;
        qnr::CQuestion source;
        source.SetTypeElement(c.element);
        source.SetTypeQuestion(c.type);
        source.SetMultiple(c.multiple);
        source.SetEchelle(c.scale);
        EXPECT_EQ(GetSourceQuestionKind(source), c.kind);
    }
    EXPECT_EQ(GetQuestionKindOrNone(nullptr), 22);

    CQuestion loop;
    loop.SetElementType(2);
    EXPECT_TRUE(IsQuestionWithResponses(loop));
    CQuestion open;
    open.SetElementType(1);
    open.SetQuestionType(4);
    EXPECT_FALSE(IsQuestionWithResponses(open));
}

TEST(QuestionKinds, LoopMasksOfAllQuestionsInOnePassEqualEachAlone)
{
    // Random nesting, damaged indents (0, negative, jumps) and a duplicate id: the one-pass
    // masks must equal the masks asked question by question.
    CCampaign duplicate;
    duplicate.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("L"), 1, 2));
    duplicate.InsertQuestion(MakeQuestion(2, 1, QStringLiteral("Q"), 2));
    EXPECT_EQ(GetQuestionLoopMasks(duplicate), (std::vector<uint32_t>{1u, 0u}));

    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        CCampaign campaign;
        const int count = 2 + int(random() % 60);
        for (int i = 0; i < count; ++i) {
            const int indent = int(random() % 7) - 1;
            const int element = int(random() % 3);
            const int id = (round % 4 == 0 && i == count - 1) ? 2 : i + 2;
            campaign.InsertQuestion(MakeQuestion(id, i, QStringLiteral("Q%1").arg(i), indent,
                                                 element));
        }
        const std::vector<uint32_t> masks = GetQuestionLoopMasks(campaign);
        ASSERT_EQ(int(masks.size()), campaign.GetQuestionCount());
        for (int p = 0; p < campaign.GetQuestionCount(); ++p)
            EXPECT_EQ(masks[size_t(p)], GetQuestionLoopMask(campaign, *campaign.GetQuestion(p)))
                << "round " << round << " position " << p;
    }
}

TEST(QuestionKinds, LoopAncestry)
{
    // Campaign: chapter, loop L (indent 2) holding Q (indent 3); R outside (indent 2).
    CCampaign campaign;
    campaign.InsertQuestion(MakeQuestion(2, 0, QStringLiteral("CH"), 1, 0));
    campaign.InsertQuestion(MakeQuestion(3, 1, QStringLiteral("L"), 2, 2));
    campaign.InsertQuestion(MakeQuestion(4, 2, QStringLiteral("Q"), 3));
    campaign.InsertQuestion(MakeQuestion(5, 3, QStringLiteral("R"), 2));
    EXPECT_EQ(GetQuestionLoopMask(campaign, *campaign.GetQuestionById(4)), 2u);
    EXPECT_EQ(GetQuestionLoopMask(campaign, *campaign.GetQuestionById(3)), 2u);
    EXPECT_EQ(GetQuestionLoopMask(campaign, *campaign.GetQuestionById(5)), 0u);

    // Source: a loop at indent 1 holding a question, and a question outside.
    qnr::CQuestionnaire questionnaire;
    const auto add = [&questionnaire](int code, int indent, int element) {
        auto question = std::make_unique<qnr::CQuestion>();
        question->SetCodeQuestion(code);
        question->SetIndent(indent);
        question->SetTypeElement(element);
        return questionnaire.AddQuestion(std::move(question));
    };
    add(1, 1, 2);
    add(2, 2, 1);
    add(3, 1, 1);
    questionnaire.PreparerSaisie();
    const qnr::CQuestion& inLoop = *questionnaire.FindQuestionById(2);
    const qnr::CQuestion& outside = *questionnaire.FindQuestionById(3);
    EXPECT_EQ(GetSourceLoopMask(inLoop), 1u);
    EXPECT_EQ(GetSourceLoopMask(outside), 0u);
    EXPECT_EQ(GetSourceLoopMask(qnr::CQuestion()), 0u); // no questionnaire

    // Inside some loop on both sides, even different ones: the same ancestry.
    EXPECT_TRUE(HasSameLoopAncestry(campaign, *campaign.GetQuestionById(4), inLoop));
    EXPECT_FALSE(HasSameLoopAncestry(campaign, *campaign.GetQuestionById(4), outside));
    EXPECT_TRUE(HasSameLoopAncestry(campaign, *campaign.GetQuestionById(5), outside));
    EXPECT_EQ(ReduceLoopMask(0), 0u);
    EXPECT_EQ(ReduceLoopMask(0x80000000u), 1u);
    EXPECT_EQ(ReduceLoopMask(6), 1u);
}

TEST(QuestionKinds, LoopAncestryOfADeeplyNestedDamagedFileOnASmallStack)
{
    // Each question one indent below the one before it, under a loop at the top.
    constexpr int kDepth = 10000;
    CCampaign campaign;
    qnr::CQuestionnaire questionnaire;
    for (int i = 0; i < kDepth; ++i) {
        campaign.InsertQuestion(
            MakeQuestion(i + 2, i, QStringLiteral("Q%1").arg(i), i + 1, i == 0 ? 2 : 1));
        auto source = std::make_unique<qnr::CQuestion>();
        source->SetCodeQuestion(i + 1);
        source->SetIndent(i + 1);
        source->SetTypeElement(i == 0 ? 2 : 1);
        questionnaire.AddQuestion(std::move(source));
    }
    const CQuestion& deepest = *campaign.GetQuestionById(kDepth + 1);
    const qnr::CQuestion& deepestSource = *questionnaire.FindQuestionById(kDepth);
    uint32_t campaignMask = 0;
    uint32_t sourceMask = 0;
    // A walk that took a stack frame per level would overflow this stack.
    std::unique_ptr<QThread> thread(QThread::create([&] {
        campaignMask = GetQuestionLoopMask(campaign, deepest);
        sourceMask = GetSourceLoopMask(deepestSource);
    }));
    thread->setStackSize(128 * 1024);
    thread->start();
    ASSERT_TRUE(thread->wait());
    EXPECT_EQ(campaignMask, 1u);
    EXPECT_EQ(sourceMask, 1u);
}
