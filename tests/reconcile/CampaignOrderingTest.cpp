#include "reconcile/CampaignOrdering.h"

#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/RecordMakers.h"
#include "questionnaire/Question.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Wave 1 with volume 1; wave 2 with volumes 2 and 3. Campaign questions X, Y, Z, W (ids 2 to 5,
// orders 0 to 3); Y has responses A, B, C (orders 1, 2, 3).
class CampaignOrdering : public ::testing::Test
{
protected:
    CampaignOrdering()
    {
        CCampaign& c = *app.Campaign;
        AddVolume(c, *AddWave(c, 1), 1, {0}, {0});
        wave2 = AddWave(c, 2);
        volume2 = AddVolume(c, *wave2, 2, {0}, {0});
        volume3 = AddVolume(c, *wave2, 3, {0}, {0});
        for (const auto& [id, shortcut] : {std::pair{2, "X"}, {3, "Y"}, {4, "Z"}, {5, "W"}})
            AddQuestion(c, id, QString::fromLatin1(shortcut), QString::fromLatin1(shortcut), 1);
        y = c.GetQuestionById(3);
        AddResponses(c, *y, 100, {"A", "B", "C"});
        for (int i = 0; i < 3; ++i)
            y->GetModality(i)->SetModalityOrder(i + 1);
    }

    QString QuestionSequence() const
    {
        QStringList items;
        for (int i = 0; i < app.Campaign->GetQuestionCount(); ++i) {
            const CQuestion& q = *app.Campaign->GetQuestion(i);
            items << QStringLiteral("%1%2").arg(q.GetShortcut()).arg(q.GetOrder());
        }
        return items.join(u' ');
    }

    QString ResponseSequence() const
    {
        QStringList items;
        for (const CModality* m : y->GetModalities())
            items << QStringLiteral("%1%2")
                         .arg(m->GetShortCaption(kLanguage))
                         .arg(m->GetModalityOrder());
        return items.join(u' ');
    }

    CScriptedWindowServices windows;
    CTestWaveApp app;
    CWave* wave2 = nullptr;
    CVolume* volume2 = nullptr;
    CVolume* volume3 = nullptr;
    CQuestion* y = nullptr;
};

TEST_F(CampaignOrdering, ResponsesFollowTheSourceAndUnmatchedOnesFollowTheirPredecessor)
{
    // The source presents C, then A; B has no source response.
    qnr::CQuestion* source =
        AddSourceQuestion(*volume2, 30, QStringLiteral("Y"), QStringLiteral("Y"));
    AddSourceResponses(*source, 1, {"C", "A"});
    MatchQuestion(*volume2, 3, 30);
    MatchResponse(*volume2, 3, 102, 1);
    MatchResponse(*volume2, 3, 100, 2);

    EXPECT_EQ(OrderQuestionModalities(*app.Campaign, *y, *wave2), 1);
    EXPECT_EQ(ResponseSequence(), "C1 A2 B3");
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

// A response matched to a source id that is not written as the source response's code ("02"
// for code 2) is not found in the source; of two matchings of one source code, the first in the
// volume counts.
TEST_F(CampaignOrdering, ResponsesAreFoundByTheirSourceCodeAsWritten)
{
    qnr::CQuestion* source =
        AddSourceQuestion(*volume2, 30, QStringLiteral("Y"), QStringLiteral("Y"));
    AddSourceResponses(*source, 1, {"C", "A", "B"});
    MatchQuestion(*volume2, 3, 30);
    MatchResponse(*volume2, 3, 102, 1);
    auto odd = std::make_unique<CModalityMatching>(*volume2->FindModalityMatching(102));
    odd->SetModalityId(100);
    odd->SetModalitySourceId(QStringLiteral("02"));
    volume2->AddModalityMatching(std::move(odd));
    MatchResponse(*volume2, 3, 101, 3);
    MatchResponse(*volume2, 3, 100, 3);

    EXPECT_EQ(OrderQuestionModalities(*app.Campaign, *y, *wave2), 1);
    // C (code 1), then B (the first matched to code 3); A, first in the current order, goes to
    // the front.
    EXPECT_EQ(ResponseSequence(), "A1 C2 B3");
}

TEST_F(CampaignOrdering, AQuestionMatchedNowhereInTheWaveKeepsItsResponseOrder)
{
    EXPECT_EQ(OrderQuestionModalities(*app.Campaign, *y, *wave2), 1);
    EXPECT_EQ(ResponseSequence(), "A1 B2 C3");
}

TEST_F(CampaignOrdering, AMatchedSourceQuestionThatIsGoneStopsTheOrderingWithAMessage)
{
    AddSourceQuestion(*volume2, 30, QStringLiteral("Y"), QStringLiteral("Y"));
    MatchQuestion(*volume2, 3, 77);
    CQuestion* z = app.Campaign->GetQuestionById(4);
    AddResponses(*app.Campaign, *z, 200, {"P", "Q"});
    z->GetModality(0)->SetModalityOrder(5);

    EXPECT_EQ(OrderAllQuestionModalities(*app.Campaign, *wave2), 0);
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("'V2'")));
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("'77'")));
    EXPECT_EQ(ResponseSequence(), "A1 B2 C3");
    // The walk stopped at Y: Z, after it, was not renumbered.
    EXPECT_EQ(z->GetModality(0)->GetModalityOrder(), 5);

    EXPECT_EQ(OrderCampaignQuestions(*app.Campaign, *wave2), 0);
    EXPECT_EQ(QuestionSequence(), "X0 Y1 Z2 W3");
}

// Of several matched source questions that are gone, the message names the first source id in
// the order of the texts; a source id is found only as the source's code is written ("020"
// names no source question 20).
TEST_F(CampaignOrdering, TheFirstMissingSourceIdByTextIsNamed)
{
    AddSourceQuestion(*volume2, 20, QStringLiteral("X"), QStringLiteral("X"));
    AddSourceQuestion(*volume2, -5, QStringLiteral("Y"), QStringLiteral("Y"));
    const struct
    {
        std::vector<std::pair<int, const char*>> Matchings; // question id, source id
        const char* Named;
    } cases[] = {
        {{{2, "20"}, {3, "9"}, {4, "10"}}, "'10'"},
        {{{2, "20"}, {3, "9"}}, "'9'"},
        {{{2, "20"}, {3, "9"}, {4, "020"}}, "'020'"},
        {{{2, "-0"}, {3, "-5"}, {4, "2147483648"}}, "'-0'"},
        {{{2, "20"}, {3, "-5"}, {4, "+20"}, {5, "99999999999"}}, "'+20'"},
    };
    for (const auto& c : cases) {
        while (volume2->GetQuestionMatchingCount() > 0)
            volume2->RemoveQuestionMatching(volume2->GetQuestionMatching(0));
        for (const auto& [questionId, sourceId] : c.Matchings)
            volume2->AddQuestionMatching(
                MakeQuestionMatching(questionId, QString::fromLatin1(sourceId), *volume2));
        windows.Prompts.clear();
        EXPECT_EQ(OrderCampaignQuestions(*app.Campaign, *wave2), 0);
        ASSERT_EQ(windows.Prompts.size(), 1);
        EXPECT_TRUE(windows.Prompts[0].contains(QString::fromLatin1(c.Named)))
            << windows.Prompts[0].toStdString();
        EXPECT_EQ(QuestionSequence(), "X0 Y1 Z2 W3");
    }
}

TEST_F(CampaignOrdering, QuestionsFollowTheWavesSourcesVolumeByVolume)
{
    // Volume 2 presents Z then X; volume 3 presents Z then Y. W is matched nowhere.
    AddSourceQuestion(*volume2, 40, QStringLiteral("Z"), QStringLiteral("Z"));
    AddSourceQuestion(*volume2, 20, QStringLiteral("X"), QStringLiteral("X"));
    AddSourceQuestion(*volume3, 40, QStringLiteral("Z"), QStringLiteral("Z"));
    AddSourceQuestion(*volume3, 30, QStringLiteral("Y"), QStringLiteral("Y"));
    MatchQuestion(*volume2, 4, 40);
    MatchQuestion(*volume2, 2, 20);
    MatchQuestion(*volume3, 4, 40);
    MatchQuestion(*volume3, 3, 30);

    EXPECT_EQ(OrderCampaignQuestions(*app.Campaign, *wave2), 1);
    // Y goes after Z, which comes before it in volume 3; W after its predecessor Z.
    EXPECT_EQ(QuestionSequence(), "Z1 W2 Y3 X4");
    EXPECT_GE(app.Campaign->GetMaxQuestionOrder(), 4);
}

TEST_F(CampaignOrdering, AVolumeWhoseSourceCannotBeReadStopsTheQuestionOrdering)
{
    // The message names the source as the user may see it: a database's password masked.
    const struct
    {
        CSourcePath Source;
        QString Named;
    } cases[] = {
        {{0, PATH_ABSOLUTE, QStringLiteral("/nonexistent/wave2.zoz"), 0},
         QStringLiteral("/nonexistent/wave2.zoz")},
        {{1, PATH_UNKNOWN, QStringLiteral("QSQLITE;Database=/nonexistent/wave2.db;Pwd=s3cret"), 3},
         QStringLiteral("QSQLITE;Database=/nonexistent/wave2.db;Pwd=") + MaskedPassword()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Named.toStdString());
        windows.Prompts.clear();
        volume2->SetMetaData(c.Source);
        EXPECT_EQ(OrderCampaignQuestions(*app.Campaign, *wave2), 0);
        ASSERT_EQ(windows.Prompts.size(), 1);
        EXPECT_TRUE(windows.Prompts[0].contains(c.Named)) << qPrintable(windows.Prompts[0]);
        EXPECT_FALSE(windows.Prompts[0].contains(QStringLiteral("s3cret")));
        EXPECT_EQ(QuestionSequence(), "X0 Y1 Z2 W3");
    }
}

} // namespace
