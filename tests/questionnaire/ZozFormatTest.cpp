// The ZOZ format: every value the library gives survives a write and a read; bad documents are
// refused with a reason.

#include "QuestionnaireDump.h"

#include "questionnaire/Questionnaire.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qnr;

namespace {

// A questionnaire with every field away from its default.
CQuestionnaire FullQuestionnaire()
{
    CQuestionnaire questionnaire;
    questionnaire.AddLanguage(CLanguage(1036));
    questionnaire.AddLanguage(CLanguage(1033));
    questionnaire.AddLanguage(CLanguage(0x2000, QStringLiteral("Klingon"), QStringLiteral("TLH")));
    questionnaire.SetDefaultLanguageId(1033);
    questionnaire.AddVersion(CVersion(3, QStringLiteral("Spring wave"), QStringLiteral("SPR")));
    questionnaire.AddVersion(CVersion(4, QStringLiteral("Autumn\nwave"), QStringLiteral("AUT")));
    questionnaire.AddQuestionClass(CQuestionClass(7, QStringLiteral("Demographics")));

    auto chapter = std::make_unique<CQuestion>();
    chapter->SetCodeQuestion(500);
    chapter->SetShortcut(QStringLiteral("CH"));
    chapter->SetTypeElement(ElementChapter);
    chapter->SetCaptions(1033, QStringLiteral("Chapter"), QStringLiteral("Ch"));
    questionnaire.AddQuestion(std::move(chapter));

    auto question = std::make_unique<CQuestion>();
    question->SetCodeQuestion(-7);
    question->SetShortcut(QStringLiteral("Q <&> \"1\""));
    question->SetIndent(2);
    question->SetTypeElement(ElementLoop);
    question->SetTypeQuestion(LoopLevel);
    question->SetDateType(DateDayTime);
    question->SetNbMaxReponse(4);
    question->SetNbreDecimal(3);
    question->SetBornes(-1.5, 1e12);
    question->SetNonReponse(true);
    question->SetSemiOuverte(true);
    question->SetEchelle(true);
    question->SetMultiple(true);
    question->SetClasse(true);
    question->SetLevelLink(true);
    question->SetProbabilityQuestion(true);
    question->SetDevelopperNiveau(true);
    question->SetCodeQuestionSource(500);
    question->SetQuestionClass(0);
    question->SetVersions({3, 4});
    question->SetUserData(QStringLiteral("  user\tdata\n"));
    question->SetCaptions(1036, QStringLiteral("Libellé\nlong"), QStringLiteral("  court "));
    question->SetCaptions(1033, QStringLiteral("Long"), QString());
    auto response = std::make_unique<CModalite>();
    response->SetCode(12);
    response->SetEntryCode(QStringLiteral("A;1"));
    response->SetValue(2.25);
    response->SetExclusive(true);
    response->SetRotationBehaviour(RotationFollowPrevious);
    response->SetVersions({4});
    response->SetUserData(QStringLiteral("ud"));
    response->SetShortCaption(1033, QStringLiteral("Yes & no"));
    response->SetShortCaption(0x2000, QStringLiteral("HISlaH"));
    question->AddModalite(std::move(response));
    auto second = std::make_unique<CModalite>();
    second->SetCode(13);
    question->AddModalite(std::move(second));
    questionnaire.AddQuestion(std::move(question));

    CInterview interview(42);
    interview.SetAnswer(-7, QStringLiteral("12;13"));
    interview.SetAnswer(500, QStringLiteral("text <with> markup"));
    questionnaire.AddInterview(interview);
    questionnaire.PreparerSaisie();
    return questionnaire;
}

bool ReadZoz(CQuestionnaire& questionnaire, const QByteArray& document)
{
    return questionnaire.ReadBuffer(document, DataBaseZoz);
}

} // namespace

TEST(ZozFormat, WriteThenReadGivesTheSameQuestionnaire)
{
    const CQuestionnaire original = FullQuestionnaire();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.zoz"));
    QString error;
    ASSERT_TRUE(WriteZozFile(original, path, error)) << qPrintable(error);

    CQuestionnaire read;
    ASSERT_TRUE(read.Read(path, {.Interviews = true}, DataBaseZoz, 1033))
        << qPrintable(read.GetLastError());
    EXPECT_EQ(DumpQuestionnaire(read).toStdString(), DumpQuestionnaire(original).toStdString());
    EXPECT_EQ(read.GetLanguage(2)->GetName(), "Klingon");
    EXPECT_EQ(read.GetQuestion(1)->GetQuestionSource(), read.GetQuestion(0));
    EXPECT_EQ(read.GetQuestionClass(read.GetQuestion(1)->GetQuestionClass())->GetId(), 7);
}

TEST(ZozFormat, InterviewsAndResponsesAreReadOnlyWhenAskedFor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.zoz"));
    QString error;
    ASSERT_TRUE(WriteZozFile(FullQuestionnaire(), path, error));

    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.Read(path, {}, DataBaseZoz, 1033));
    EXPECT_EQ(questionnaire.GetInterviewCount(), 0);
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetNbreModalite(), 2);
    ASSERT_TRUE(
        questionnaire.Read(path, {.Modalites = false, .Interviews = true}, DataBaseZoz, 1033));
    EXPECT_EQ(questionnaire.GetInterviewCount(), 1);
    EXPECT_EQ(questionnaire.GetInterview(0)->GetAnswer(-7), "12;13");
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetNbreModalite(), 0);
    ASSERT_TRUE(questionnaire.Read(path, {.Questions = false}, DataBaseZoz, 1033));
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 0);
    EXPECT_EQ(questionnaire.GetLanguageCount(), 3);
}

TEST(ZozFormat, DisplayLanguageIsTheAskedOneWhenPresent)
{
    const QByteArray document = WriteZozDocument(FullQuestionnaire());
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseZoz, 1036));
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetLongCaption(), QStringLiteral("Libellé\nlong"));
    ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseZoz, 1031)); // not in it: default
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetLongCaption(), "Long");
}

TEST(ZozFormat, MinimalDocumentTakesDefaults)
{
    CQuestionnaire questionnaire;
    ASSERT_TRUE(ReadZoz(questionnaire, "<zoz version='1'><questions><question code='5'/>"
                                       "</questions></zoz>"))
        << qPrintable(questionnaire.GetLastError());
    const CQuestion& question = *questionnaire.GetQuestion(0);
    EXPECT_EQ(question.GetTypeElement(), ElementQuestion);
    EXPECT_EQ(question.GetIndent(), 1);
    EXPECT_EQ(question.GetCodeQuestionSource(), -1);
    EXPECT_EQ(question.GetQuestionClass(), -1);
    EXPECT_EQ(questionnaire.GetLanguageCount(), 0);
}

TEST(ZozFormat, BadDocumentsAreRefusedWithTheirReason)
{
    struct SCase
    {
        const char* document;
        const char* reason;
    };
    const SCase cases[] = {
        {"<sss version='2.0'/>", "not a ZOZ questionnaire"},
        {"<zoz/>", "version is missing"},
        {"<zoz version='9'/>", "newer program"},
        {"<zoz version='1'><questions><question shortcut='A'/></questions></zoz>", "no code"},
        {"<zoz version='1'><questions><question code='x'/></questions></zoz>", "whole number"},
        {"<zoz version='1'><questions><question code='1'/><question code='1'/></questions></zoz>",
         "two questions have the code 1"},
        {"<zoz version='1'><questions><question code='1'><response code='2'/><response "
         "code='2'/></question></questions></zoz>",
         "two responses with code 2"},
        {"<zoz version='1'><questions><question code='1' min='1,5'/></questions></zoz>",
         "not a number"},
        {"<zoz version='1'><questions><question code='1' indent='0'/></questions></zoz>",
         "indent below 1"},
        {"<zoz version='1'><languages><language id='abc'/></languages></zoz>", "whole number"},
        {"<zoz version='1'><questions><question code='1'>", "ends too early"},
        {"<zoz version='1'><questions><question code='1' source='1'/></questions></zoz>",
         "leads back to it"},
        {"<zoz version='1'><questions><question code='1' source='2'/><question code='2' "
         "source='3'/><question code='3' source='1'/></questions></zoz>",
         "leads back to it"},
    };
    for (const SCase& c : cases) {
        CQuestionnaire questionnaire;
        EXPECT_FALSE(ReadZoz(questionnaire, c.document)) << c.document;
        EXPECT_TRUE(questionnaire.GetLastError().contains(QLatin1String(c.reason)))
            << c.document << " -> " << qPrintable(questionnaire.GetLastError());
        EXPECT_EQ(questionnaire.GetNbreQuestion(), 0);
    }
}

TEST(ZozFormat, SourceChainsAreCheckedWholeAndOnce)
{
    // A long chain ending in a question without source, given in both orders, reads.
    for (const bool forward : {true, false}) {
        QByteArray document = "<zoz version='1'><questions>";
        for (int i = 1; i <= 500; ++i) {
            const int source = forward ? i + 1 : i - 1;
            document += "<question code='" + QByteArray::number(i) + "'";
            if (source >= 1 && source <= 500)
                document += " source='" + QByteArray::number(source) + "'";
            document += "/>";
        }
        CQuestionnaire questionnaire;
        ASSERT_TRUE(ReadZoz(questionnaire, document + "</questions></zoz>"))
            << qPrintable(questionnaire.GetLastError());
        EXPECT_EQ(questionnaire.GetNbreQuestion(), 500);
    }
    // Questions whose chains join one that ends, or that name a code no question has, read.
    CQuestionnaire joined;
    EXPECT_TRUE(ReadZoz(joined, "<zoz version='1'><questions><question code='1' source='3'/>"
                                "<question code='2' source='3'/><question code='3' source='9'/>"
                                "</questions></zoz>"))
        << qPrintable(joined.GetLastError());
    // A chain that runs into a loop it is not part of is refused too, naming a question of the
    // loop.
    CQuestionnaire looped;
    EXPECT_FALSE(ReadZoz(looped, "<zoz version='1'><questions><question code='1' source='2'/>"
                                 "<question code='2' source='3'/><question code='3' source='4'/>"
                                 "<question code='4' source='3'/></questions></zoz>"));
    EXPECT_TRUE(looped.GetLastError().contains(QLatin1String("question 3 takes its responses")))
        << qPrintable(looped.GetLastError());
}

TEST(ZozFormat, ReadmeExampleReads)
{
    QFile readme(QStringLiteral(PLIM_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf(QLatin1String("```xml\n"));
    ASSERT_GE(start, 0);
    const qsizetype end = text.indexOf(QLatin1String("```"), start + 7);
    const QByteArray example = text.mid(start + 7, end - start - 7).toUtf8();
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(example, DataBaseZoz, 0, QStringLiteral("README")))
        << qPrintable(questionnaire.GetLastError());
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 2);
    EXPECT_TRUE(questionnaire.GetQuestion(1)->EstNonReponse());
}
