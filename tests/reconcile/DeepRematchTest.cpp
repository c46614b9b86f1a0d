#include "reconcile/DeepRematch.h"

#include "EngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace engine_test;

namespace {

// Volume 1 (wave 1) where campaign question 10 "Q1" appeared, volume 2 (wave 2) below it.
class DeepRematch : public ::testing::Test
{
protected:
    DeepRematch()
    {
        CCampaign& c = *app.Campaign;
        volume1 = AddVolume(c, *AddWave(c, 1), 1, {1}, {2});
        volume2 = AddVolume(c, *AddWave(c, 2), 2, {1, 2}, {2}, 1);
        question = AddQuestion(c, 10, QStringLiteral("Q1"), QStringLiteral("Brand seen"), 1);
        AddResponses(c, *question, 100, {"Yes", "No"});
    }

    QString Question()
    {
        QString code;
        return DeepRematchQuestion(*volume2, *question, code, *app.Campaign) ? code
                                                                             : QStringLiteral("-");
    }

    QString Response(const qnr::CQuestion& source, int responseId, bool checkInherited = true)
    {
        QString code;
        return DeepRematchModality(*volume2, *question, *app.Campaign->GetModalityById(responseId),
                                   source, code, checkInherited, *app.Campaign)
                   ? code
                   : QStringLiteral("-");
    }

    CTestWaveApp app;
    CVolume* volume1 = nullptr;
    CVolume* volume2 = nullptr;
    CQuestion* question = nullptr;
};

TEST_F(DeepRematch, ACurrentMatchingThatStillScoresIsKept)
{
    AddSourceQuestion(*volume2, 5, QStringLiteral("Q1"), QStringLiteral("Brand seen"));
    AddSourceQuestion(*volume2, 6, QStringLiteral("Q1 "), QStringLiteral("Brand seen"));
    MatchQuestion(*volume1, 10, 6);
    // Another source question has the very shortcut; the inherited matching still holds.
    EXPECT_EQ(Question(), "6");

    // A matching whose source question is gone does not hold: the search finds 5.
    volume1->GetQuestionMatching(0)->SetSourceId(QStringLiteral("9"));
    EXPECT_EQ(Question(), "5");
}

TEST_F(DeepRematch, TheSearchTriesTheVolumesMethodsInOrder)
{
    struct SCase
    {
        QList<quint32> Methods;
        bool Strict;
        QString Shortcut;
        QString UserData;
        QString Expected;
    };
    question->SetUserData(QStringLiteral("awareness"));
    question->SetLongCaption(kLanguage, QStringLiteral("Brand seen"));
    const std::vector<SCase> cases = {
        // Non-strict: the shortcut in another letter case passes.
        {{1, 2}, false, "q1", "", "7"},
        // Non-strict: the short caption passes where the shortcut fails.
        {{1, 2}, false, "QX", "", "7"},
        // Strict: the same shortcut but other user data is refused.
        {{1, 5}, true, "Q1", "brand", "-"},
        {{1, 5}, true, "Q1", "AWARENESS", "7"},
        // Manual tests nothing: alone it accepts nothing, strictly or not.
        {{4}, true, "Q1", "", "-"},
        {{4}, false, "Q1", "", "-"},
        // Long captions and user data are compared too.
        {{3}, false, "QX", "", "7"},
        {{5}, false, "QX", "", "-"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Methods.size() * 10 + c.Methods.first());
        volume2->ReplaceQuestionnaire(nullptr);
        qnr::CQuestion* source =
            AddSourceQuestion(*volume2, 7, c.Shortcut, QStringLiteral("Brand seen"));
        source->SetUserData(c.UserData);
        volume2->SetQuestionMatchingMethods(c.Methods);
        volume2->SetIsMatchingStrict(c.Strict);
        EXPECT_EQ(Question(), c.Expected);
    }
}

TEST_F(DeepRematch, SourceCodesUsedByOtherMatchingsAndInternalCodesOfTheFirstVolume)
{
    AddSourceQuestion(*volume2, 5, QStringLiteral("Q1"), QStringLiteral("Brand seen"));
    AddSourceQuestion(*volume2, 6, QStringLiteral("Q1"), QStringLiteral("Brand seen"));
    // Another campaign question holds 5 in volume 2: the search passes over it.
    AddQuestion(*app.Campaign, 11, QStringLiteral("Q2"), QStringLiteral("Other"), 1);
    MatchQuestion(*volume2, 11, 5);
    EXPECT_EQ(Question(), "6");

    // Internal code: the matching in the volume where the question appeared names 6.
    volume2->SetQuestionMatchingMethods({0});
    MatchQuestion(*volume1, 10, 6);
    volume1->GetQuestionMatching(0)->SetEndVolumeId(1);
    EXPECT_EQ(Question(), "6");
}

TEST_F(DeepRematch, ResponsesKeepAMatchingThatScoresElseSearchByTheirMethods)
{
    qnr::CQuestion* source =
        AddSourceQuestion(*volume2, 5, QStringLiteral("Q1"), QStringLiteral("x"));
    AddSourceResponse(*source, 1, QStringLiteral("No"), QStringLiteral("1"));
    AddSourceResponse(*source, 2, QStringLiteral("Yes"), QStringLiteral("2"));
    SetCurrentLanguageId(kLanguage);
    SetCurrentQuestionnaireLanguage(kLanguage);

    // Short caption: "No" (101) finds source 1.
    EXPECT_EQ(Response(*source, 101), "1");
    // A current matching of Yes to 2 holds; checked only when asked.
    MatchResponse(*volume1, 10, 100, 2);
    EXPECT_EQ(Response(*source, 100), "2");
    EXPECT_EQ(Response(*source, 100, false), "-");

    // Order: the campaign response's position equals the source response's.
    volume2->SetResponseMatchingMethods({3});
    EXPECT_EQ(Response(*source, 101, false), "-");
    volume1->RemoveModalityMatching(100);
    EXPECT_EQ(Response(*source, 100, false), "1");
    // Entry code: the campaign side numbers by position ("2" for No), the source has "2".
    volume2->SetResponseMatchingMethods({1});
    EXPECT_EQ(Response(*source, 101, false), "2");
}

} // namespace
