// The questionnaire as built in memory: questions, parents, captions, lookups and copies.

#include "questionnaire/Questionnaire.h"

#include <gtest/gtest.h>

using namespace qnr;

namespace {

std::unique_ptr<CQuestion> MakeQuestion(int code, const QString& shortcut, int indent,
                                        int element = ElementQuestion)
{
    auto question = std::make_unique<CQuestion>();
    question->SetCodeQuestion(code);
    question->SetShortcut(shortcut);
    question->SetIndent(indent);
    question->SetTypeElement(element);
    return question;
}

} // namespace

TEST(QuestionnaireModel, NewQuestionnaireHasNothing)
{
    CQuestionnaire questionnaire;
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 0);
    EXPECT_EQ(questionnaire.GetQuestion(0), nullptr);
    EXPECT_EQ(questionnaire.GetParentQuestion(0), -1);
    EXPECT_EQ(questionnaire.GetLanguage(0), nullptr);
    EXPECT_EQ(questionnaire.FindQuestionIndex(1), -1);
}

TEST(QuestionnaireModel, ParentIsNearestItemAboveWithSmallerIndent)
{
    CQuestionnaire questionnaire;
    questionnaire.AddQuestion(MakeQuestion(1, "CH1", 1, ElementChapter)); // 0
    questionnaire.AddQuestion(MakeQuestion(2, "Q1", 2));                  // 1
    questionnaire.AddQuestion(MakeQuestion(3, "LOOP", 2, ElementLoop));   // 2
    questionnaire.AddQuestion(MakeQuestion(4, "L1", 3));                  // 3
    questionnaire.AddQuestion(MakeQuestion(5, "Q2", 2));                  // 4
    questionnaire.AddQuestion(MakeQuestion(6, "CH2", 1, ElementChapter)); // 5
    questionnaire.AddQuestion(MakeQuestion(7, "Q3", 3));                  // 6 (skips a level)
    const int expected[] = {-1, 0, 0, 2, 0, -1, 5};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(questionnaire.GetParentQuestion(i), expected[i]) << "question " << i;
    EXPECT_EQ(questionnaire.FindQuestionIndex(4), 3);
}

TEST(QuestionnaireModel, SecondQuestionWithSameCodeIsRefused)
{
    CQuestionnaire questionnaire;
    EXPECT_NE(questionnaire.AddQuestion(MakeQuestion(10, "A", 1)), nullptr);
    EXPECT_EQ(questionnaire.AddQuestion(MakeQuestion(10, "B", 1)), nullptr);
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 1);
    EXPECT_EQ(questionnaire.GetQuestion(0)->GetShortcut(), "A");
}

TEST(QuestionnaireModel, CaptionsPerLanguageWithoutFallback)
{
    CQuestionnaire questionnaire;
    questionnaire.AddLanguage(CLanguage(1033));
    questionnaire.AddLanguage(CLanguage(1036));
    questionnaire.SetDefaultLanguageId(1036);
    auto question = MakeQuestion(1, "Q1", 1);
    question->SetCaptions(1033, "How old are you?", "Age");
    question->SetCaptions(1036, "Quel est votre age ?", "Age FR");
    auto response = std::make_unique<CModalite>();
    response->SetCode(1);
    response->SetShortCaption(1033, "Yes");
    question->AddModalite(std::move(response));
    questionnaire.AddQuestion(std::move(question));
    questionnaire.PreparerSaisie();

    const CQuestion* q = questionnaire.GetQuestion(0);
    EXPECT_EQ(q->GetShortCaption(), "Age FR"); // default language
    EXPECT_EQ(q->GetLocalisedLongCaption(1033), "How old are you?");
    EXPECT_EQ(q->GetLocalisedShortCaption(1031), "");
    EXPECT_EQ(q->GetLocalisedShortCaption(0), "Age FR");
    // The response has no French caption: its display caption is the first it has, but its
    // French caption is empty.
    EXPECT_EQ(q->GetModalite(0)->GetShortCaption(), "Yes");
    EXPECT_EQ(q->GetModalite(0)->GetLocalisedShortCaption(1036), "");

    std::vector<int> ids;
    QStringList longs, shorts;
    q->GetAllLocalisedTexts(ids, longs, shorts);
    EXPECT_EQ(ids, (std::vector<int>{1033, 1036}));
    EXPECT_EQ(shorts, (QStringList{"Age", "Age FR"}));
}

TEST(QuestionnaireModel, ResponsesAreFoundAndCopied)
{
    CQuestionnaire questionnaire;
    auto question = MakeQuestion(5, "Q5", 1);
    for (int code : {3, 1, 7}) {
        auto response = std::make_unique<CModalite>();
        response->SetCode(code);
        question->AddModalite(std::move(response));
    }
    questionnaire.AddQuestion(std::move(question));
    const CQuestion* q = questionnaire.GetQuestion(0);
    EXPECT_EQ(q->DonnerCodeModalites(), (std::vector<int>{3, 1, 7}));
    const CModalite* found = nullptr;
    EXPECT_TRUE(q->FindModaliteById(7, found));
    EXPECT_EQ(found, q->GetModalite(2));
    EXPECT_FALSE(q->FindModaliteById(2, found));
    EXPECT_EQ(found, nullptr);

    auto copies = q->DonnerModalites();
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_NE(copies[0].get(), q->GetModalite(0));
    EXPECT_EQ(copies[1]->GetCode(), 1);
    CObjet::DeleteArray(copies);
    EXPECT_TRUE(copies.empty());
}

TEST(QuestionnaireModel, SourceQuestionIsFoundThroughTheQuestionnaire)
{
    CQuestionnaire questionnaire;
    questionnaire.AddQuestion(MakeQuestion(1, "BRANDS", 1));
    auto linked = MakeQuestion(2, "FAV", 1);
    linked->SetCodeQuestionSource(1);
    questionnaire.AddQuestion(std::move(linked));
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetQuestionSource(), questionnaire.GetQuestion(0));
    EXPECT_EQ(questionnaire.GetQuestion(0)->GetQuestionSource(), nullptr);
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetQuestionnaire(), &questionnaire);

    // A copy keeps its own questions, linked to the copy.
    CQuestionnaire copy(questionnaire);
    EXPECT_EQ(copy.GetQuestion(1)->GetQuestionnaire(), &copy);
    EXPECT_EQ(copy.GetQuestion(1)->GetQuestionSource(), copy.GetQuestion(0));
    CQuestion loose(*questionnaire.GetQuestion(1));
    EXPECT_EQ(loose.GetQuestionnaire(), nullptr);
    EXPECT_EQ(loose.GetQuestionSource(), nullptr);
}
