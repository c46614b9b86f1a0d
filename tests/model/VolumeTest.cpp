#include "ModelFixtures.h"

#include "questionnaire/Questionnaire.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

class VolumeTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        campaign = MakeFullCampaign();
        v1 = campaign->FindVolume(1);
        v2 = campaign->FindVolume(2);
        v3 = campaign->FindVolume(3);
        v4 = campaign->FindVolume(4);
    }

    std::unique_ptr<CCampaign> campaign;
    CVolume* v1 = nullptr;
    CVolume* v2 = nullptr;
    CVolume* v3 = nullptr;
    CVolume* v4 = nullptr;
};

} // namespace

TEST_F(VolumeTree, MatchingValidityOverARangeOfVolumes)
{
    struct Case
    {
        int start;
        int end;
        int volume;
        bool valid;
    };
    const Case cases[] = {
        {2, 2, 1, false}, {2, 2, 2, true},  {2, 2, 3, false}, // start = end: that volume only
        {2, OPEN_END_ID, 1, false}, {2, OPEN_END_ID, 2, true}, {2, OPEN_END_ID, 4, true},
        {1, 3, 3, true},  {1, 3, 4, false}, {3, 1, 2, false},
        {77, OPEN_END_ID, 2, false}, // a start that names no volume
    };
    for (const Case& c : cases) {
        CQuestionMatching matching;
        matching.SetStartVolumeId(c.start);
        matching.SetEndVolumeId(c.end);
        CModalityMatching response;
        response.SetStartVolumeId(c.start);
        response.SetEndVolumeId(c.end);
        EXPECT_EQ(CVolume::IsQuestionMatchingValidFor(*campaign, matching, c.volume), c.valid)
            << c.start << ".." << c.end << " at " << c.volume;
        EXPECT_EQ(CVolume::IsModalityMatchingValidFor(*campaign, response, c.volume), c.valid);
    }
}

TEST_F(VolumeTree, InheritedLookupsWalkUpToTheRoot)
{
    // Volume 3 has no matching of its own: 11 comes from its grandparent, 12 from its parent.
    EXPECT_EQ(v3->FindQuestionMatchingInherited(11, 3)->GetSourceId(), QStringLiteral("11"));
    EXPECT_EQ(v3->FindQuestionMatchingInherited(12, 3)->GetSourceId(), QStringLiteral("22"));
    // Volume 1's matching of 12 ends at 1 and is valid there only.
    EXPECT_EQ(v1->FindQuestionMatchingInherited(12, 1)->GetSourceId(), QStringLiteral("12"));
    EXPECT_EQ(v1->FindQuestionMatchingInherited(12, 2), nullptr);
    // A root without a matching of its own looks no further.
    EXPECT_EQ(v4->FindQuestionMatchingInherited(12, 4), nullptr);
    EXPECT_EQ(v3->FindModalityMatchingInherited(103, 3)->GetModalitySourceId(), QStringLiteral("2"));
    EXPECT_EQ(v3->FindModalityMatchingInherited(100, 3)->GetVolumeId(), 1);
    EXPECT_EQ(v4->FindModalityMatchingInherited(100, 4), nullptr);

    QString source;
    EXPECT_TRUE(v3->GetQuestionSourceId(3, 12, source));
    EXPECT_EQ(source, QStringLiteral("22"));
    const std::set<QString> excluded{QStringLiteral("22")};
    EXPECT_FALSE(v3->GetQuestionSourceId(3, 12, source, &excluded));
    EXPECT_TRUE(source.isEmpty());

    int questionId = 0;
    EXPECT_TRUE(v3->FindQuestionIdBySource(3, QStringLiteral("11"), questionId, true));
    EXPECT_EQ(questionId, 11);
    EXPECT_FALSE(v3->FindQuestionIdBySource(3, QStringLiteral("11"), questionId, false));
    EXPECT_EQ(questionId, -1);
    EXPECT_FALSE(v2->FindQuestionIdBySource(2, QStringLiteral("22 "), questionId, true));
}

TEST_F(VolumeTree, CollectingWalksTakeTheNearestVolume)
{
    AddModalityMatching(*v3, 100, 11, QStringLiteral("9"), 3, OPEN_END_ID);

    QMap<int, QString> sources;
    v3->CollectQuestionSources(3, sources);
    EXPECT_EQ(sources, (QMap<int, QString>{{11, QStringLiteral("11")}, {12, QStringLiteral("22")}}));

    QMap<QString, int> codes;
    v3->CollectMatchedSourceCodes(3, codes);
    EXPECT_EQ(codes, (QMap<QString, int>{{QStringLiteral("11"), 11}, {QStringLiteral("22"), 12}}));

    std::set<int> ids;
    v2->CollectMatchedQuestionIds(2, ids);
    EXPECT_EQ(ids, (std::set<int>{11, 12}));

    QMap<int, QString> responseSources;
    v3->CollectModalitySourceIds(3, 11, responseSources, true);
    EXPECT_EQ(responseSources,
              (QMap<int, QString>{{100, QStringLiteral("9")}, {101, QStringLiteral("2")}}));
    responseSources.clear();
    v3->CollectModalitySourceIds(3, 11, responseSources, false);
    EXPECT_EQ(responseSources, (QMap<int, QString>{{100, QStringLiteral("9")}}));

    QMap<QString, int> bySource;
    v3->GetModalityIdsBySource(3, 12, bySource, true);
    EXPECT_EQ(bySource, (QMap<QString, int>{{QStringLiteral("1"), 102}, {QStringLiteral("2"), 103}}));

    QList<CQuestionMatching*> questionMatchings;
    v3->CollectValidQuestionMatchings(3, questionMatchings);
    EXPECT_EQ(questionMatchings.size(), 2);
    QList<CModalityMatching*> responseMatchings;
    v3->CollectValidModalityMatchings(3, responseMatchings);
    // 100 twice (its own and the grandparent's), 101, 102, 103 and the reserved response.
    EXPECT_EQ(responseMatchings.size(), 6);
    responseMatchings.clear();
    v3->CollectModalityMatchingsOfQuestion(3, 12, responseMatchings, false);
    EXPECT_TRUE(responseMatchings.isEmpty());
    v3->CollectModalityMatchingsOfQuestion(3, 12, responseMatchings, true);
    EXPECT_EQ(responseMatchings.size(), 2);
}

TEST_F(VolumeTree, SubtreeAndLatestVolumeBefore)
{
    AddModalityMatching(*v3, 100, 11, QStringLiteral("9"), 3, OPEN_END_ID);
    QList<CModalityMatching*> matchings;
    v1->CollectModalityMatchingsInSubtree(1, 11, matchings, false);
    EXPECT_EQ(matchings.size(), 2);
    matchings.clear();
    v1->CollectModalityMatchingsInSubtree(1, 11, matchings, true);
    ASSERT_EQ(matchings.size(), 3);
    EXPECT_EQ(matchings.last()->GetVolumeId(), 3);

    EXPECT_EQ(v1->FindLatestVolumeBefore(3), 2);
    EXPECT_EQ(v1->FindLatestVolumeBefore(2), 1);
    EXPECT_EQ(v1->FindLatestVolumeBefore(1), -1);
    EXPECT_EQ(v4->FindLatestVolumeBefore(4), -1);
    CVolume loose;
    loose.SetVolumeId(42);
    EXPECT_EQ(loose.FindLatestVolumeBefore(3), 42);
}

TEST_F(VolumeTree, EndingMatchingsNotesBeforeAndAfter)
{
    QMap<CQuestionMatching*, int> questionBefore, questionAfter;
    QMap<CModalityMatching*, int> responseBefore, responseAfter;
    v3->EndQuestionMatchingsAt(3, {11}, questionBefore, questionAfter, responseBefore, responseAfter);
    CQuestionMatching* q11 = v1->FindQuestionMatching(11);
    EXPECT_EQ(q11->GetEndVolumeId(), 3);
    EXPECT_EQ(questionBefore, (QMap<CQuestionMatching*, int>{{q11, OPEN_END_ID}}));
    EXPECT_EQ(questionAfter, (QMap<CQuestionMatching*, int>{{q11, 3}}));
    EXPECT_EQ(responseBefore.size(), 2);
    EXPECT_EQ(v1->FindModalityMatching(100)->GetEndVolumeId(), 3);
    // The root volume 4 is not below volume 1: its matching of 11 is untouched.
    EXPECT_EQ(v4->FindQuestionMatching(11)->GetEndVolumeId(), OPEN_END_ID);

    QMap<CModalityMatching*, int> before, after;
    v3->EndModalityMatchingsAt(3, 12, {102}, before, after);
    EXPECT_EQ(v2->FindModalityMatching(102)->GetEndVolumeId(), 3);
    EXPECT_EQ(v2->FindModalityMatching(103)->GetEndVolumeId(), OPEN_END_ID);
    EXPECT_EQ(before.size(), 1);
}

TEST_F(VolumeTree, RemovingAMatchingKeepsTheOthersFoundById)
{
    ASSERT_EQ(v1->GetQuestionMatching(0)->GetQuestionId(), 1);
    std::unique_ptr<CQuestionMatching> first = v1->RemoveQuestionMatching(1);
    ASSERT_TRUE(first);
    EXPECT_EQ(v1->FindQuestionMatching(1), nullptr);
    EXPECT_EQ(v1->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("11"));
    EXPECT_EQ(v1->FindQuestionMatching(12)->GetSourceId(), QStringLiteral("12"));
    EXPECT_EQ(v1->RemoveQuestionMatching(1), nullptr);

    // Two matchings of one question: the index finds the first; once it is taken out, the
    // other.
    CQuestionMatching* second = AddQuestionMatching(*v1, 11, QStringLiteral("other"), 1, 1);
    EXPECT_EQ(v1->FindQuestionMatching(11)->GetSourceId(), QStringLiteral("11"));
    std::unique_ptr<CQuestionMatching> removed = v1->RemoveQuestionMatching(11);
    EXPECT_EQ(v1->FindQuestionMatching(11), second);
    EXPECT_EQ(v1->FindQuestionMatching(12)->GetSourceId(), QStringLiteral("12"));

    std::unique_ptr<CModalityMatching> response = v1->RemoveModalityMatching(12, 100);
    EXPECT_EQ(response, nullptr); // 100 belongs to question 11
    response = v1->RemoveModalityMatching(11, 100);
    ASSERT_TRUE(response);
    EXPECT_EQ(v1->FindModalityMatching(101)->GetModalitySourceId(), QStringLiteral("2"));
    v1->AddModalityMatching(std::move(response));
    EXPECT_EQ(v1->FindModalityMatching(100)->GetModalitySourceId(), QStringLiteral("1"));
}

// The lookups by source id and by question go through the volume's groups of matchings: a
// removed matching is never found again, and of two matchings of one source id (or question)
// the one earlier in the volume's list comes first, also after removals and additions.
TEST_F(VolumeTree, LookupsBySourceAndByQuestionFollowRemovals)
{
    int questionId = -1;
    CQuestionMatching* twin = AddQuestionMatching(*v1, 12, QStringLiteral("11"), 1, OPEN_END_ID);
    ASSERT_TRUE(v1->FindQuestionIdBySource(1, QStringLiteral("11"), questionId, false));
    EXPECT_EQ(questionId, 11);
    std::unique_ptr<CQuestionMatching> first =
        v1->RemoveQuestionMatching(v1->FindQuestionMatching(11));
    ASSERT_TRUE(v1->FindQuestionIdBySource(1, QStringLiteral("11"), questionId, false));
    EXPECT_EQ(questionId, 12);
    // Put back, it comes after the twin.
    v1->AddQuestionMatching(std::move(first));
    ASSERT_TRUE(v1->FindQuestionIdBySource(1, QStringLiteral("11"), questionId, false));
    EXPECT_EQ(questionId, 12);
    const auto removed = v1->RemoveQuestionMatchings({twin, v1->FindQuestionMatching(11)});
    EXPECT_EQ(removed.size(), 2u);
    EXPECT_FALSE(v1->FindQuestionIdBySource(1, QStringLiteral("11"), questionId, false));

    QMap<QString, int> bySource;
    v1->GetModalityIdsBySource(1, 11, bySource, false);
    EXPECT_EQ(bySource,
              (QMap<QString, int>{{QStringLiteral("1"), 100}, {QStringLiteral("2"), 101}}));
    AddModalityMatching(*v1, 104, 11, QStringLiteral("1"), 1, OPEN_END_ID);
    std::unique_ptr<CModalityMatching> response = v1->RemoveModalityMatching(100);
    bySource.clear();
    v1->GetModalityIdsBySource(1, 11, bySource, false);
    EXPECT_EQ(bySource,
              (QMap<QString, int>{{QStringLiteral("1"), 104}, {QStringLiteral("2"), 101}}));
    v1->AddModalityMatching(std::move(response));
    QList<CModalityMatching*> ofQuestion;
    v1->CollectModalityMatchingsOfQuestion(1, 11, ofQuestion, false);
    ASSERT_EQ(ofQuestion.size(), 3);
    EXPECT_EQ(ofQuestion[0]->GetModalityId(), 101);
    EXPECT_EQ(ofQuestion[1]->GetModalityId(), 104);
    EXPECT_EQ(ofQuestion[2]->GetModalityId(), 100);
    // Taking out fewer than stay, and then more.
    v1->RemoveModalityMatchings({ofQuestion[0]});
    ofQuestion.clear();
    v1->CollectModalityMatchingsOfQuestion(1, 11, ofQuestion, false);
    ASSERT_EQ(ofQuestion.size(), 2);
    EXPECT_EQ(ofQuestion[0]->GetModalityId(), 104);
    v1->RemoveModalityMatchings({ofQuestion[1]});
    ofQuestion.clear();
    v1->CollectModalityMatchingsOfQuestion(1, 11, ofQuestion, false);
    ASSERT_EQ(ofQuestion.size(), 1);
    EXPECT_EQ(ofQuestion[0]->GetModalityId(), 104);
}

TEST_F(VolumeTree, WalksNeverFollowAMissingParentOrALoop)
{
    // A volume whose parent names no volume: the walk stays with it.
    auto orphan = MakeVolume(9, 2, 77);
    CVolume* added = orphan.get();
    campaign->GetWave(1)->AddVolume(std::move(orphan));
    EXPECT_EQ(added->GetParent(), nullptr);
    EXPECT_EQ(added->FindQuestionMatchingInherited(11, 9), nullptr);
    EXPECT_EQ(added->GetAncestry().size(), 1u);

    // A damaged tree: 1 -> 2 -> 3 -> 1.
    v1->SetInheritsFromVolumeId(3);
    v1->SetParent(v3);
    v3->AddChildVolume(v1);
    EXPECT_EQ(v3->GetAncestry().size(), 3u);
    EXPECT_EQ(v3->FindQuestionMatchingInherited(99, 3), nullptr);
    QList<CModalityMatching*> matchings;
    v1->CollectModalityMatchingsInSubtree(1, 11, matchings, true);
    EXPECT_EQ(matchings.size(), 2);
    EXPECT_EQ(v2->FindLatestVolumeBefore(3), 2);
}

TEST_F(VolumeTree, ChildVolumes)
{
    EXPECT_EQ(v2->GetChildVolumeCount(), 1);
    EXPECT_EQ(v2->GetChildVolumeAt(0), v3);
    EXPECT_EQ(v2->GetChildVolumeAt(1), nullptr);
    EXPECT_EQ(v2->RemoveChildVolume(4), nullptr);
    EXPECT_EQ(v2->RemoveChildVolume(3), v3);
    EXPECT_EQ(v2->GetChildVolumeCount(), 0);
    EXPECT_EQ(v3->GetCampaign(), campaign.get());
    CVolume loose;
    EXPECT_EQ(loose.GetCampaign(), nullptr);
    EXPECT_EQ(loose.FindQuestionMatchingInherited(11, 1), nullptr);
}

TEST_F(VolumeTree, CopyOfAVolume)
{
    v2->GetQuestionIndex().UnmatchedQuestions.append(12);
    const CVolume copy(*v2);
    EXPECT_EQ(copy.GetVolumeId(), 2);
    EXPECT_EQ(copy.GetParent(), nullptr);
    EXPECT_EQ(copy.GetChildVolumeCount(), 0);
    EXPECT_EQ(copy.GetWave(), v2->GetWave());
    EXPECT_EQ(copy.GetMetaData(), v2->GetMetaData());
    EXPECT_EQ(copy.GetQuestionIndex(), v2->GetQuestionIndex());
    ASSERT_EQ(copy.GetModalityMatchingCount(), 2);
    EXPECT_NE(copy.FindModalityMatching(102), v2->FindModalityMatching(102));
    EXPECT_EQ(*copy.FindModalityMatching(102), *v2->FindModalityMatching(102));
    EXPECT_EQ(copy.GetQuestionnaire().GetNbreQuestion(), 0);
}
