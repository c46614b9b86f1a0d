// The sample study of samples/: the files match the study they were written from, each reads as
// its golden dump says, and the three formats of a wave agree where they can say the same thing.

#include "SampleStudy.h"
#include "QuestionnaireDump.h"
#include "SourceWriters.h"
#include "TestPaths.h"

#include "questionnaire/Questionnaire.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace qnr;

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct SFormat
{
    const char* extension;
    int type;
};
const SFormat kFormats[] = {
    {"zoz", DataBaseZoz}, {"mdd", DataBaseDimensions}, {"sss", DataBaseTripleS}};

std::unique_ptr<CQuestionnaire> ReadSample(int wave, const SFormat& format)
{
    auto questionnaire = std::make_unique<CQuestionnaire>();
    const QString path = qnrtest::SamplePath(wave, format.extension);
    EXPECT_TRUE(questionnaire->Read(path, {}, format.type, 1033))
        << qPrintable(path) << ": " << qPrintable(questionnaire->GetLastError());
    questionnaire->PreparerSaisie();
    return questionnaire;
}

const CQuestion* ParentOf(const CQuestionnaire& questionnaire, int index)
{
    return questionnaire.GetQuestion(questionnaire.GetParentQuestion(index));
}

QString Shortcut(const CQuestion* question)
{
    return question ? question->GetShortcut() : QStringLiteral("-");
}

void ExpectSameResponses(const CQuestion& expected, const CQuestion& actual, bool fullResponses)
{
    ASSERT_EQ(expected.GetNbreModalite(), actual.GetNbreModalite())
        << qPrintable(expected.GetShortcut());
    for (int r = 0; r < expected.GetNbreModalite(); ++r) {
        const CModalite& a = *expected.GetModalite(r);
        const CModalite& b = *actual.GetModalite(r);
        SCOPED_TRACE(qPrintable(expected.GetShortcut() + QStringLiteral(" response ") +
                                QString::number(a.GetCode())));
        EXPECT_EQ(a.GetCode(), b.GetCode());
        EXPECT_EQ(a.GetCaptions().GetEntries().size(), b.GetCaptions().GetEntries().size());
        for (const CLocalisedTexts::SEntry& entry : a.GetCaptions().GetEntries())
            EXPECT_EQ(entry.shortCaption, b.GetLocalisedShortCaption(entry.languageId));
        if (expected.EstEchelle())
            EXPECT_EQ(a.GetValue(), b.GetValue());
        if (fullResponses) {
            EXPECT_EQ(a.GetEntryCode(), b.GetEntryCode());
            EXPECT_EQ(a.IsExclusive(), b.IsExclusive());
            EXPECT_EQ(a.GetRotationBehaviour(), b.GetRotationBehaviour());
        }
    }
}

void ExpectSameCaptions(const CQuestion& expected, const CQuestion& actual)
{
    EXPECT_EQ(expected.GetCaptions().GetEntries().size(), actual.GetCaptions().GetEntries().size());
    for (const CLocalisedTexts::SEntry& entry : expected.GetCaptions().GetEntries()) {
        EXPECT_EQ(entry.shortCaption, actual.GetLocalisedShortCaption(entry.languageId));
        EXPECT_EQ(entry.longCaption, actual.GetLocalisedLongCaption(entry.languageId));
    }
}

} // namespace

TEST(SampleStudy, FilesMatchTheStudy)
{
    for (int wave = 1; wave <= 3; ++wave) {
        const std::unique_ptr<CQuestionnaire> study = BuildSampleWave(wave);
        QString error;
        EXPECT_EQ(FileBytes(qnrtest::SamplePath(wave, "zoz")), WriteZozDocument(*study))
            << "wave " << wave << ": rerun qnrsamples samples";
        EXPECT_EQ(FileBytes(qnrtest::SamplePath(wave, "sss")),
                  WriteTripleSDocument(*study, QStringLiteral("COFFEE-W%1").arg(wave)));
        EXPECT_EQ(FileBytes(qnrtest::SamplePath(wave, "mdd")),
                  WriteDimensionsDocument(*study, error));
    }
}

// Set QNR_UPDATE_GOLDEN=1 to rewrite the golden dumps after a deliberate change.
TEST(SampleStudy, ReadsAsTheGoldenDumps)
{
    const bool update = qEnvironmentVariableIntValue("QNR_UPDATE_GOLDEN") == 1;
    for (int wave = 1; wave <= 3; ++wave) {
        for (const SFormat& format : kFormats) {
            const QString golden = QStringLiteral("%1/golden/wave%2.%3.txt")
                                       .arg(qnrtest::DataDir())
                                       .arg(wave)
                                       .arg(QLatin1String(format.extension));
            const QByteArray dump = DumpQuestionnaire(*ReadSample(wave, format)).toUtf8();
            if (update) {
                QFile file(golden);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(dump);
                continue;
            }
            EXPECT_EQ(dump.toStdString(), FileBytes(golden).toStdString()) << qPrintable(golden);
        }
    }
}

// Dimensions says all that ZOZ says about the study except the question codes (taken from the
// names) and whether a date is a day or a time of day.
TEST(SampleStudy, DimensionsReadsLikeZoz)
{
    for (int wave = 1; wave <= 3; ++wave) {
        SCOPED_TRACE(wave);
        const auto zoz = ReadSample(wave, kFormats[0]);
        const auto mdd = ReadSample(wave, kFormats[1]);
        ASSERT_EQ(zoz->GetNbreQuestion(), mdd->GetNbreQuestion());
        EXPECT_EQ(zoz->GetDefaultLanguageId(), mdd->GetDefaultLanguageId());
        EXPECT_EQ(zoz->GetLanguageCount(), mdd->GetLanguageCount());
        for (int i = 0; i < zoz->GetNbreQuestion(); ++i) {
            const CQuestion& a = *zoz->GetQuestion(i);
            const CQuestion& b = *mdd->GetQuestion(i);
            SCOPED_TRACE(qPrintable(a.GetShortcut()));
            EXPECT_EQ(a.GetShortcut(), b.GetShortcut());
            EXPECT_EQ(Shortcut(ParentOf(*zoz, i)), Shortcut(ParentOf(*mdd, i)));
            EXPECT_EQ(a.GetTypeElement(), b.GetTypeElement());
            EXPECT_EQ(a.GetTypeQuestion(), b.GetTypeQuestion());
            EXPECT_EQ(a.GetIndent(), b.GetIndent());
            EXPECT_EQ(a.GetDateType() != 0, b.GetDateType() != 0);
            EXPECT_EQ(a.GetNbMaxReponse(), b.GetNbMaxReponse());
            EXPECT_EQ(a.GetNbreDecimal(), b.GetNbreDecimal());
            EXPECT_EQ(a.GetBorneMin(), b.GetBorneMin());
            EXPECT_EQ(a.GetBorneMax(), b.GetBorneMax());
            EXPECT_EQ(a.EstMultiple(), b.EstMultiple());
            EXPECT_EQ(a.EstEchelle(), b.EstEchelle());
            EXPECT_EQ(a.EstNonReponse(), b.EstNonReponse());
            EXPECT_EQ(a.EstSemiOuverte(), b.EstSemiOuverte());
            ExpectSameCaptions(a, b);
            ExpectSameResponses(a, b, true);
        }
    }
}

// Triple-S has no chapters and no loops (a loop's questions come once per iteration) and cannot
// mark "don't know", exclusive or fixed answers; every variable it has reads as in ZOZ.
TEST(SampleStudy, TripleSReadsLikeZoz)
{
    for (int wave = 1; wave <= 3; ++wave) {
        SCOPED_TRACE(wave);
        const auto zoz = ReadSample(wave, kFormats[0]);
        const auto sss = ReadSample(wave, kFormats[2]);
        int questions = 0;
        for (int i = 0; i < zoz->GetNbreQuestion(); ++i) {
            const CQuestion& question = *zoz->GetQuestion(i);
            if (question.GetTypeElement() != ElementQuestion)
                continue;
            const CQuestion* parent = ParentOf(*zoz, i);
            const bool inLoop = parent && parent->GetTypeElement() == ElementLoop;
            questions += inLoop ? parent->GetNbreModalite() : 1;
            const int code =
                inLoop ? question.GetCodeQuestion() * 100 + 1 : question.GetCodeQuestion();
            const CQuestion* variable = sss->FindQuestionById(code);
            ASSERT_NE(variable, nullptr) << qPrintable(question.GetShortcut());
            SCOPED_TRACE(qPrintable(question.GetShortcut()));
            EXPECT_EQ(variable->GetTypeQuestion(), question.GetTypeQuestion());
            EXPECT_EQ(variable->GetDateType(), question.GetDateType());
            EXPECT_EQ(variable->EstMultiple(), question.EstMultiple());
            EXPECT_EQ(variable->EstEchelle(), question.EstEchelle());
            EXPECT_EQ(variable->GetNbMaxReponse(), question.GetNbMaxReponse());
            EXPECT_EQ(variable->GetNbreDecimal(), question.GetNbreDecimal());
            EXPECT_EQ(variable->GetBorneMin(), question.GetBorneMin());
            EXPECT_EQ(variable->GetBorneMax(), question.GetBorneMax());
            ExpectSameResponses(question, *variable, false);
            if (!inLoop) {
                EXPECT_EQ(variable->GetShortcut(), question.GetShortcut());
                ExpectSameCaptions(question, *variable);
            }
        }
        EXPECT_EQ(sss->GetNbreQuestion(), questions);
    }
}

TEST(SampleStudy, WavesChangeAsTheStudySays)
{
    const auto w1 = ReadSample(1, kFormats[0]);
    const auto w2 = ReadSample(2, kFormats[0]);
    const auto w3 = ReadSample(3, kFormats[0]);
    // Added, dropped.
    EXPECT_EQ(w1->FindQuestionById(24), nullptr);
    EXPECT_NE(w2->FindQuestionById(24), nullptr);
    EXPECT_NE(w1->FindQuestionById(22), nullptr);
    EXPECT_EQ(w2->FindQuestionById(22), nullptr);
    EXPECT_EQ(w3->FindQuestionById(42), nullptr);
    // Reworded: same code and short caption, new long caption.
    EXPECT_EQ(w1->FindQuestionById(14)->GetShortCaption(),
              w2->FindQuestionById(14)->GetShortCaption());
    EXPECT_NE(w1->FindQuestionById(14)->GetLongCaption(),
              w2->FindQuestionById(14)->GetLongCaption());
    // Recoded: the same regions under new codes.
    EXPECT_EQ(w1->FindQuestionById(3)->DonnerCodeModalites(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(w2->FindQuestionById(3)->DonnerCodeModalites(), (std::vector<int>{10, 20, 30, 40}));
}
