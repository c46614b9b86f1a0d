#include "reconcile/VolumeTreeRechecks.h"

#include "TextEngineFixtures.h"
#include "questionnaire/Language.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace text_engine_test;

namespace {

constexpr int kEnglish = 1033;

// Volume 1 (wave 1, the holder), volume 2 (wave 2, child of 1) and volume 3 (wave 3, child of
// 2). Campaign question 10 "Q10" with responses 100 "Yes" and 101 "No"; every volume's source
// has question 5 "Q10" with responses 1 "Yes" and 2 "No". The holder matches 10 to "5", 100 to
// "1" and 101 to "2", all open.
class VolumeTreeTest : public ::testing::Test
{
protected:
    VolumeTreeTest()
    {
        m_app.Campaign = &m_campaign;
        AddLanguage(m_campaign, kEnglish, true);
        m_campaign.SetCurrentLanguageId(kEnglish);
        for (int w = 1; w <= 3; ++w)
            AddWave(m_campaign, w, w);
        m_holder = AddVolume(m_campaign, 1, 1);
        m_child = AddVolume(m_campaign, 2, 2, 1);
        m_grandchild = AddVolume(m_campaign, 3, 3, 2);
        m_question = AddQuestion(m_campaign, 10, QStringLiteral("Q10"));
        AddModality(m_campaign, *m_question, 100, {{kEnglish, QStringLiteral("Yes")}});
        AddModality(m_campaign, *m_question, 101, {{kEnglish, QStringLiteral("No")}});
        for (CVolume* volume : {m_holder, m_child, m_grandchild}) {
            qnr::CQuestion* source =
                AddSourceQuestion(volume->GetQuestionnaire(), 5, QStringLiteral("Q10"));
            AddSourceResponse(*source, 1, {{kEnglish, QStringLiteral("Yes")}});
            AddSourceResponse(*source, 2, {{kEnglish, QStringLiteral("No")}});
            volume->GetQuestionnaire().PreparerSaisie();
        }
        m_q = AddQuestionMatching(*m_holder, 10, QStringLiteral("5"));
        m_yes = AddModalityMatching(*m_holder, 10, 100, QStringLiteral("1"));
        m_no = AddModalityMatching(*m_holder, 10, 101, QStringLiteral("2"));
    }

    qnr::CQuestion* SourceOf(CVolume* volume) { return volume->GetQuestionnaire().GetQuestion(0); }

    void CheckInChild(bool checkQuestion = true, bool checkResponse = true)
    {
        CheckInheritedMatchingInVolume(m_campaign, *m_holder, *m_child, *m_q, m_changes,
                                       checkQuestion, checkResponse);
    }

    CTestWaveApp m_app;
    CCampaign m_campaign;
    CVolume* m_holder = nullptr;
    CVolume* m_child = nullptr;
    CVolume* m_grandchild = nullptr;
    CQuestion* m_question = nullptr;
    CQuestionMatching* m_q = nullptr;
    CModalityMatching* m_yes = nullptr;
    CModalityMatching* m_no = nullptr;
    SVolumeTreeChanges m_changes;
};

} // namespace

TEST_F(VolumeTreeTest, RepeatedMatchingBelowIsFoldedIntoTheHolders)
{
    m_q->SetSourceId(QStringLiteral("a5"));
    AddQuestionMatching(*m_child, 10, QStringLiteral("A5"), 3);
    AddModalityMatching(*m_child, 10, 100, QStringLiteral("1"), 2);

    RecheckVolumeTreeMatchings(*m_holder, *m_child, m_changes);

    EXPECT_EQ(m_child->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(m_child->GetModalityMatchingCount(), 0);
    ASSERT_EQ(m_changes.RemovedQuestionMatchings.size(), 1u);
    EXPECT_EQ(m_changes.RemovedQuestionMatchings[0]->GetSourceId(), QStringLiteral("A5"));
    ASSERT_EQ(m_changes.RemovedModalityMatchings.size(), 1u);
    EXPECT_EQ(m_q->GetEndVolumeId(), 3);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 2);
    EXPECT_EQ(m_changes.QuestionEndsBefore.value(m_q), NO_VOLUME_ID);
    EXPECT_EQ(m_changes.QuestionEndsAfter.value(m_q), 3);
    EXPECT_EQ(m_changes.ModalityEndsAfter.value(m_yes), 2);
    EXPECT_FALSE(m_changes.ModalityEndsBefore.contains(m_no));
}

TEST_F(VolumeTreeTest, OtherSourceBelowEndsTheHoldersMatchingAtTheHolder)
{
    CQuestionMatching* own = AddQuestionMatching(*m_child, 10, QStringLiteral("7"));
    AddModalityMatching(*m_child, 10, 101, QStringLiteral("9"));

    RecheckVolumeTreeMatchings(*m_holder, *m_child, m_changes);

    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
    EXPECT_EQ(m_no->GetEndVolumeId(), 1);
    EXPECT_EQ(m_yes->GetEndVolumeId(), NO_VOLUME_ID);
    EXPECT_EQ(m_child->FindQuestionMatching(10), own);
    EXPECT_EQ(m_child->GetModalityMatchingCount(), 1);
    EXPECT_TRUE(m_changes.RemovedQuestionMatchings.empty());
}

// Response codes count within their source question: a volume below that matches the question
// to another source question keeps its response matchings even where their codes equal the
// holder's, in both walks.
TEST_F(VolumeTreeTest, EqualResponseCodesOfAnotherSourceQuestionBelowAreNotFolded)
{
    for (const bool oneQuestion : {false, true}) {
        SCOPED_TRACE(oneQuestion);
        CQuestionMatching* own = AddQuestionMatching(*m_child, 10, QStringLiteral("7"));
        CModalityMatching* ownYes = AddModalityMatching(*m_child, 10, 100, QStringLiteral("1"));
        m_yes->SetEndVolumeId(NO_VOLUME_ID);
        SVolumeTreeChanges changes;
        if (oneQuestion)
            RecheckVolumeTreeModalityMatchings(*m_holder, *m_child, *m_question, changes);
        else
            RecheckVolumeTreeMatchings(*m_holder, *m_child, changes);
        EXPECT_EQ(m_child->FindQuestionMatching(10), own);
        EXPECT_EQ(m_child->FindModalityMatching(100), ownYes);
        EXPECT_TRUE(changes.RemovedModalityMatchings.empty());
        // The holder's response matching ends at the holder, as for another code.
        EXPECT_EQ(m_yes->GetEndVolumeId(), 1);
        EXPECT_EQ(m_q->GetEndVolumeId(), 1);
        m_child->RemoveModalityMatching(ownYes);
        m_child->RemoveQuestionMatching(own);
        m_q->SetEndVolumeId(NO_VOLUME_ID);
    }
}

TEST_F(VolumeTreeTest, WalkGoesDownWithTheSameHolderAndKeepsTheFirstFormerEnd)
{
    m_q->SetEndVolumeId(2);
    AddQuestionMatching(*m_child, 10, QStringLiteral("5"), 3);
    AddQuestionMatching(*m_grandchild, 10, QStringLiteral("5"));

    RecheckVolumeTreeMatchings(*m_holder, *m_child, m_changes);

    // Folded twice: 2 -> 3 (the child's end) -> open (the grandchild's).
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);
    EXPECT_EQ(m_changes.QuestionEndsBefore.value(m_q), 2);
    EXPECT_EQ(m_changes.QuestionEndsAfter.value(m_q), NO_VOLUME_ID);
    EXPECT_EQ(m_changes.RemovedQuestionMatchings.size(), 2u);
    EXPECT_EQ(m_grandchild->GetQuestionMatchingCount(), 0);
}

TEST_F(VolumeTreeTest, QuestionRecheckTakesEachVolumeAsTheNextHolder)
{
    CQuestionMatching* childOwn = AddQuestionMatching(*m_child, 10, QStringLiteral("7"));
    AddQuestionMatching(*m_grandchild, 10, QStringLiteral("7"), 3);
    CModalityMatching* childYes = AddModalityMatching(*m_child, 10, 100, QStringLiteral("3"));
    AddModalityMatching(*m_grandchild, 10, 100, QStringLiteral("3"));
    // A response matching of another question is not looked at.
    AddQuestion(m_campaign, 11, QStringLiteral("Q11"));
    AddModalityMatching(*m_child, 11, 110, QStringLiteral("1"));

    RecheckVolumeTreeModalityMatchings(*m_holder, *m_child, *m_question, m_changes);

    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1);
    // The child, holder of the next level, absorbs the grandchild's repeats.
    EXPECT_EQ(childOwn->GetEndVolumeId(), 3);
    EXPECT_EQ(childYes->GetEndVolumeId(), NO_VOLUME_ID);
    EXPECT_EQ(m_grandchild->GetQuestionMatchingCount(), 0);
    EXPECT_EQ(m_grandchild->GetModalityMatchingCount(), 0);
    EXPECT_EQ(m_child->GetModalityMatchingCount(), 2);
}

TEST_F(VolumeTreeTest, SupportedInheritedMatchingsStay)
{
    CheckInheritedMatchingsInVolumeTree(m_campaign, *m_holder, *m_child, m_changes, true, true);
    EXPECT_TRUE(m_changes.IsEmpty());
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);
}

TEST_F(VolumeTreeTest, HolderMatchingEndedBeforeTheVolumeEndsOnlyResponsesReachingIt)
{
    m_q->SetEndVolumeId(1);
    m_no->SetEndVolumeId(1);
    CheckInChild();
    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
    EXPECT_FALSE(m_changes.QuestionEndsBefore.contains(m_q));
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1); // ended at the child's parent
    EXPECT_TRUE(m_changes.ModalityEndsAfter.contains(m_yes));
    EXPECT_FALSE(m_changes.ModalityEndsBefore.contains(m_no));
}

TEST_F(VolumeTreeTest, OwnMatchingOfTheQuestionBelowEndsTheHoldersAtTheParent)
{
    AddQuestionMatching(*m_grandchild, 10, QStringLiteral("5"));
    m_no->SetEndVolumeId(1); // already ended before the grandchild's parent
    CheckInheritedMatchingInVolume(m_campaign, *m_holder, *m_grandchild, *m_q, m_changes, true,
                                   true);
    EXPECT_EQ(m_q->GetEndVolumeId(), 2);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 2);
    // Ending at the parent would lengthen it: it is left as it is.
    EXPECT_EQ(m_no->GetEndVolumeId(), 1);
    EXPECT_FALSE(m_changes.ModalityEndsBefore.contains(m_no));
}

TEST_F(VolumeTreeTest, MissingSourceQuestionEndsTheMatching)
{
    m_q->SetSourceId(QStringLiteral("6"));
    CheckInChild();
    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1);
    EXPECT_EQ(m_no->GetEndVolumeId(), 1);
}

TEST_F(VolumeTreeTest, SourceThatCannotBeReadEndsNothing)
{
    m_child->GetQuestionnaire().Clear();
    CheckInChild();
    EXPECT_TRUE(m_changes.IsEmpty());
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);
}

TEST_F(VolumeTreeTest, QuestionCheckFollowsItsFlag)
{
    SourceOf(m_child)->SetTypeQuestion(4);
    CheckInChild(false, true);
    EXPECT_TRUE(m_changes.IsEmpty());
    CheckInChild(true, true);
    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1);
}

TEST_F(VolumeTreeTest, QuestionCheckComparesShortcutsWithTheOptions)
{
    // "Q10" against "Q10b": 2*3/7, below the default threshold.
    SourceOf(m_child)->SetShortcut(QStringLiteral("Q10b"));
    CheckInChild();
    EXPECT_EQ(m_q->GetEndVolumeId(), 1);

    m_q->SetEndVolumeId(NO_VOLUME_ID);
    m_yes->SetEndVolumeId(NO_VOLUME_ID);
    m_no->SetEndVolumeId(NO_VOLUME_ID);
    m_app.NGramSettings.SetNGramThreshold(80);
    CheckInChild();
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);

    // Grams of the options' length: with 3, "#Q1 Q10" against "#Q1 Q10 10B" scores 2*2/5.
    m_app.NGramSettings.SetNGramLength(3);
    CheckInChild();
    EXPECT_EQ(m_q->GetEndVolumeId(), 1);
}

TEST_F(VolumeTreeTest, ResponseMatchingsAreCheckedOneByOne)
{
    AddModalityMatching(*m_child, 10, 100, QStringLiteral("1"));
    CheckInChild();
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1); // the child has its own
    EXPECT_EQ(m_no->GetEndVolumeId(), NO_VOLUME_ID);
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);
}

TEST_F(VolumeTreeTest, ResponseWithoutSourceOrWithAnotherCaptionIsEnded)
{
    m_no->SetModalitySourceId(QStringLiteral("8"));
    CheckInChild(true, false);
    EXPECT_EQ(m_no->GetEndVolumeId(), 1);
    EXPECT_EQ(m_yes->GetEndVolumeId(), NO_VOLUME_ID);

    SourceOf(m_child)->RemoveAllModalites();
    AddSourceResponse(*SourceOf(m_child), 1, {{kEnglish, QStringLiteral("Oui")}});
    CheckInChild(true, false);
    EXPECT_EQ(m_yes->GetEndVolumeId(), NO_VOLUME_ID);
    CheckInChild(true, true);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 1);
}

// The child's source is in English (United Kingdom) only, the campaign's captions in English
// (United States): the responses are compared in the pair a reconciliation of the child chooses,
// whatever languages are current, and so still resemble.
TEST_F(VolumeTreeTest, ResponseCaptionsAreComparedInTheChildsComparisonLanguages)
{
    constexpr int kEnglishUK = 2057;
    qnr::CQuestionnaire& questionnaire = m_child->GetQuestionnaire();
    questionnaire.Clear();
    questionnaire.AddLanguage(qnr::CLanguage(kEnglishUK));
    questionnaire.SetDefaultLanguageId(kEnglishUK);
    qnr::CQuestion* source = AddSourceQuestion(questionnaire, 5, QStringLiteral("Q10"),
                                               {{kEnglishUK, QStringLiteral("Q10")}});
    AddSourceResponse(*source, 1, {{kEnglishUK, QStringLiteral("Yes")}});
    AddSourceResponse(*source, 2, {{kEnglishUK, QStringLiteral("Maybe")}});
    questionnaire.PreparerSaisie();
    const CCurrentLanguagesGuard restore;
    SetCurrentLanguageId(kEnglish);
    SetCurrentQuestionnaireLanguage(kEnglish);

    CheckInChild(true, true);
    EXPECT_EQ(m_yes->GetEndVolumeId(), NO_VOLUME_ID);
    // A caption that no longer resembles still ends its matching.
    EXPECT_EQ(m_no->GetEndVolumeId(), 1);
    EXPECT_EQ(m_q->GetEndVolumeId(), NO_VOLUME_ID);
}

TEST_F(VolumeTreeTest, TreeCheckSetsBothFlagsBelowTheFirstLevel)
{
    SourceOf(m_grandchild)->SetTypeQuestion(4);
    CheckInheritedMatchingOfQuestionInVolumeTree(m_campaign, *m_holder, *m_child, *m_question,
                                                 m_changes, false, true);
    // Clear at the child, set at the grandchild, where the type differs.
    EXPECT_EQ(m_q->GetEndVolumeId(), 2);
    EXPECT_EQ(m_yes->GetEndVolumeId(), 2);
}

TEST(VolumeTreeChanges, MergeKeepsTheFirstFormerEndAndTheLastNewEnd)
{
    CQuestionMatching question;
    CModalityMatching modality;
    CModalityMatching noted; // changed by both walks
    SVolumeTreeChanges first;
    first.QuestionEndsBefore.insert(&question, 7);
    first.QuestionEndsAfter.insert(&question, 5);
    first.ModalityEndsBefore.insert(&noted, 11);
    first.ModalityEndsAfter.insert(&noted, 9);
    first.RemovedModalityMatchings.push_back(std::make_unique<CModalityMatching>());
    SVolumeTreeChanges later;
    later.ModalityEndsBefore.insert(&noted, 9);
    later.ModalityEndsAfter.insert(&noted, 2);
    later.QuestionEndsBefore.insert(&question, 5);
    later.QuestionEndsAfter.insert(&question, 3);
    later.ModalityEndsBefore.insert(&modality, 9);
    later.ModalityEndsAfter.insert(&modality, 4);
    later.RemovedQuestionMatchings.push_back(std::make_unique<CQuestionMatching>());
    later.RemovedModalityMatchings.push_back(std::make_unique<CModalityMatching>());
    const CModalityMatching* removedLater = later.RemovedModalityMatchings.back().get();
    MergeVolumeTreeChanges(first, std::move(later));
    EXPECT_EQ(first.QuestionEndsBefore.value(&question), 7);
    EXPECT_EQ(first.QuestionEndsAfter.value(&question), 3);
    EXPECT_EQ(first.ModalityEndsBefore.value(&modality), 9);
    EXPECT_EQ(first.ModalityEndsAfter.value(&modality), 4);
    EXPECT_EQ(first.RemovedQuestionMatchings.size(), 1u);
    EXPECT_EQ(first.ModalityEndsBefore.value(&noted), 11);
    EXPECT_EQ(first.ModalityEndsAfter.value(&noted), 2);
    ASSERT_EQ(first.RemovedModalityMatchings.size(), 2u);
    EXPECT_EQ(first.RemovedModalityMatchings.back().get(), removedLater);
    EXPECT_TRUE(later.IsEmpty());
}
