// Triple-S metadata: the standard's own examples, and what real files do that the standard
// does not allow.

#include "TestPaths.h"

#include "questionnaire/Questionnaire.h"
#include "questionnaire/StableCode.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace qnr;

namespace {

struct SVariable
{
    int ident;
    const char* name;
    int type;
    const char* label;
    std::vector<std::pair<int, const char*>> values;
};

// Every variable, value and label text of the standard's example 1 (example 2 holds the same
// survey in CSV form).
const std::vector<std::pair<int, const char*>> kAttractions = {
    {1, "Sherwood Forest"},      {2, "Nottingham Castle"}, {3, "\"Friar Tuck\" Restaurant"},
    {4, "\"Maid Marion\" Cafe"}, {5, "Mining museum"},     {9, "Other"}};

const std::vector<SVariable>& ExampleVariables()
{
    static const std::vector<SVariable> variables = {
        {1, "RESPONDENT_ID", QuestionNumeric, "Respondent ID", {}},
        {2, "Q1.a", QuestionDate, "Date of visit", {}},
        {3, "Q1.b", QuestionDate, "Time of visit", {}},
        {4,
         "Q2",
         QuestionClosed,
         "Visited before",
         {{0, "No, this is the first visit"},
          {1, "I have visited before within the year"},
          {2, "I visited before that"}}},
        {5, "Q3", QuestionClosed, "Attractions visited", kAttractions},
        {6, "Q3.a", QuestionOpen, "Other attractions visited", {}},
        {7,
         "Q4",
         QuestionClosed,
         "Overall impression",
         {{1, "Very Good"}, {2, "Good"}, {3, "OK"}, {4, "Poor"}, {5, "Very poor"}, {9, "DK/NS"}}},
        {8, "Q5", QuestionClosed, "Two favourite attractions visited", kAttractions},
        {9, "Q6", QuestionNumeric, "Miles travelled", {{500, "500 or more"}, {999, "Not stated"}}},
        {10, "Q7", QuestionLogical, "Would come again", {}},
        {11,
         "Q8",
         QuestionClosed,
         "When is that most likely to be",
         {{0, "Within 3 months"},
          {0, "Between 3 months and 1 year"},
          {0, "More than 1 years time"}}},
        {999999, "WT", QuestionNumeric, "Case weight", {}},
    };
    return variables;
}

bool ReadTripleS(CQuestionnaire& questionnaire, const QByteArray& document)
{
    return questionnaire.ReadBuffer(document, DataBaseTripleS, 1033);
}

} // namespace

TEST(TripleSReader, StandardExamplesReadWithEveryText)
{
    const QString dir = qnrtest::TripleSExamplesDir();
    // CI always has the shared folder beside the clone: missing examples there are a fault.
    if (dir.isEmpty() && qEnvironmentVariable("CI") == QLatin1String("true"))
        FAIL() << "the Triple-S examples (shared/samples/triples) are missing under CI";
    if (dir.isEmpty())
        GTEST_SKIP() << "the Triple-S examples (shared/samples/triples) are not here";
    for (const char* file : {"example1.sss", "example1a.sss", "example2.sss"}) {
        SCOPED_TRACE(file);
        CQuestionnaire questionnaire;
        ASSERT_TRUE(questionnaire.Read(dir + QLatin1Char('/') + QLatin1String(file), {},
                                       DataBaseTripleS, 1033))
            << qPrintable(questionnaire.GetLastError());
        const auto& expected = ExampleVariables();
        ASSERT_EQ(questionnaire.GetNbreQuestion(), static_cast<int>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            const CQuestion& question = *questionnaire.GetQuestion(static_cast<int>(i));
            const SVariable& variable = expected[i];
            EXPECT_EQ(question.GetCodeQuestion(), variable.ident);
            EXPECT_EQ(question.GetShortcut(), QLatin1String(variable.name));
            EXPECT_EQ(question.GetTypeQuestion(), variable.type);
            EXPECT_EQ(question.GetShortCaption(), QLatin1String(variable.label));
            ASSERT_EQ(question.GetNbreModalite(), static_cast<int>(variable.values.size()));
            for (size_t r = 0; r < variable.values.size(); ++r) {
                const CModalite& response = *question.GetModalite(static_cast<int>(r));
                if (variable.values[r].first != 0 || question.GetCodeQuestion() != 11)
                    EXPECT_EQ(response.GetCode(), variable.values[r].first);
                EXPECT_EQ(response.GetShortCaption(), QLatin1String(variable.values[r].second));
            }
        }
        const CQuestion& q2 = *questionnaire.GetQuestion(3);
        EXPECT_EQ(q2.GetLongCaption(), "Have you visited here before?");
        EXPECT_EQ(questionnaire.GetQuestion(2)->GetDateType(), DateTime);
        EXPECT_EQ(questionnaire.GetQuestion(7)->GetNbMaxReponse(), 2);    // spread
        EXPECT_EQ(questionnaire.GetQuestion(11)->GetNbreDecimal(), 4);    // 99.9999
        EXPECT_EQ(questionnaire.GetQuestion(11)->GetBorneMax(), 99.9999); // range
        EXPECT_TRUE(questionnaire.GetQuestion(6)->EstEchelle());          // scores
        EXPECT_EQ(questionnaire.GetQuestion(6)->GetModalite(4)->GetValue(), -2);
        EXPECT_EQ(questionnaire.GetQuestion(10)->GetModalite(1)->GetEntryCode(), "B");
    }
}

TEST(TripleSReader, LiteralCodesAreStableNumbers)
{
    const QByteArray first = "<sss version='2.0'><survey><record ident='A'>"
                             "<variable ident='1' type='single' format='literal'><name>V</name>"
                             "<values><value code='B'>b</value><value code='A'>a</value>"
                             "<value code='12'>twelve</value></values></variable>"
                             "</record></survey></sss>";
    const QByteArray reordered = "<sss version='2.0'><survey><record ident='A'>"
                                 "<variable ident='1' type='single' format='literal'><name>V</name>"
                                 "<values><value code='A'>a</value><value code='B'>b</value>"
                                 "</values></variable></record></survey></sss>";
    CQuestionnaire a, b;
    ASSERT_TRUE(ReadTripleS(a, first));
    ASSERT_TRUE(ReadTripleS(b, reordered));
    EXPECT_EQ(a.GetQuestion(0)->GetModalite(0)->GetCode(),
              b.GetQuestion(0)->GetModalite(1)->GetCode());
    EXPECT_NE(a.GetQuestion(0)->GetModalite(0)->GetCode(),
              a.GetQuestion(0)->GetModalite(1)->GetCode());
    EXPECT_EQ(a.GetQuestion(0)->GetModalite(2)->GetCode(), 12); // a numeric literal keeps it
}

// Texts that differ only by letter case have one stable code: each later one takes the next code
// that no value of the variable has, as it always did, numeric codes included.
TEST(TripleSReader, LiteralCodesOfOneCodeTakeTheNextFreeOnes)
{
    const int code = StableCodeFromText(QStringLiteral("ab"));
    const QByteArray document = "<sss version='2.0'><survey><record ident='A'>"
                                "<variable ident='1' type='single' format='literal'><name>V</name>"
                                "<values><value code='" +
                                QByteArray::number(code + 1) +
                                "'>numeric</value><value code='ab'>1</value>"
                                "<value code='AB'>2</value><value code='Ab'>3</value>"
                                "<value code='ab'>again</value></values></variable>"
                                "</record></survey></sss>";
    CQuestionnaire questionnaire;
    ASSERT_TRUE(ReadTripleS(questionnaire, document)) << qPrintable(questionnaire.GetLastError());
    EXPECT_EQ(questionnaire.GetQuestion(0)->DonnerCodeModalites(),
              (std::vector<int>{code + 1, code, code + 2, code + 3}));
}

TEST(TripleSReader, CodeGivenTwiceKeepsItsFirstValue)
{
    const QByteArray document = "<sss version='2.0'><survey><record ident='A'>"
                                "<variable ident='1' type='single' format='literal'><name>V</name>"
                                "<values><value code='A'>first a</value><value code='B'>b</value>"
                                "<value code='A'>second a</value><value code='7'>seven</value>"
                                "<value code='07'>seven again</value></values></variable>"
                                "</record></survey></sss>";
    CQuestionnaire questionnaire;
    ASSERT_TRUE(ReadTripleS(questionnaire, document)) << qPrintable(questionnaire.GetLastError());
    const CQuestion& question = *questionnaire.GetQuestion(0);
    ASSERT_EQ(question.GetNbreModalite(), 3);
    EXPECT_EQ(question.GetModalite(0)->GetEntryCode(), "A");
    EXPECT_EQ(question.GetModalite(0)->GetShortCaption(), "first a");
    EXPECT_EQ(question.GetModalite(1)->GetEntryCode(), "B");
    EXPECT_EQ(question.GetModalite(2)->GetCode(), 7);
    EXPECT_EQ(question.GetModalite(2)->GetShortCaption(), "seven");
}

TEST(TripleSReader, LanguagesAndModes)
{
    const QByteArray document =
        "<sss version='2.0' languages='en fr de-CH'><survey><record ident='A'>"
        "<variable ident='3' type='single'><name>Q</name><label>"
        "<text xml:lang='en' mode='Analysis'>Short</text>"
        "<text xml:lang='en' mode='interview'>Long<br/>text</text>"
        "<text xml:lang='fr'>Les deux</text>"
        "<text xml:lang='es-MX' mode='analysis'>Corto</text>"
        "<text xml:lang='xx-YY'>?\?</text>"
        "</label><values><value code='1'>Yes<text xml:lang='fr'>Oui</text></value></values>"
        "</variable></record></survey></sss>";
    CQuestionnaire questionnaire;
    ASSERT_TRUE(ReadTripleS(questionnaire, document)) << qPrintable(questionnaire.GetLastError());
    std::vector<int> ids;
    for (int i = 0; i < questionnaire.GetLanguageCount(); ++i)
        ids.push_back(questionnaire.GetLanguage(i)->GetId());
    // Languages in the file's order, then those it forgot to list; an unknown tag gets a custom
    // id named after the tag.
    EXPECT_EQ(ids, (std::vector<int>{1033, 1036, 2055, 2058, 0x2000}));
    EXPECT_EQ(questionnaire.GetLanguage(4)->GetName(), "xx-YY");
    EXPECT_EQ(questionnaire.GetDefaultLanguageId(), 1033);
    const CQuestion& question = *questionnaire.GetQuestion(0);
    EXPECT_EQ(question.GetLocalisedShortCaption(1033), "Short");
    EXPECT_EQ(question.GetLocalisedLongCaption(1033), "Long\ntext");
    EXPECT_EQ(question.GetLocalisedShortCaption(1036), "Les deux");
    EXPECT_EQ(question.GetLocalisedLongCaption(1036), "Les deux");
    EXPECT_EQ(question.GetLocalisedLongCaption(2058), "Corto");
    EXPECT_EQ(question.GetLocalisedShortCaption(2055), "");
    EXPECT_EQ(question.GetModalite(0)->GetLocalisedShortCaption(1033), "Yes");
    EXPECT_EQ(question.GetModalite(0)->GetLocalisedShortCaption(1036), "Oui");
}

TEST(TripleSReader, WhatRealFilesDoIsAccepted)
{
    const QString document = QStringLiteral(
        "<?xml version='1.0' encoding='UTF-16'?>\n"
        "<!DOCTYPE sss SYSTEM 'http://www.triple-s.org/dtd/sss_v20.dtd'>\n"
        "<sss version='1.2' options='standardnames' xmlns:x='urn:other' x:extra='1'>"
        "<survey><record ident='ABC'>"
        "<variable ident='1 ' type='character'><position start='1' finish='5'/><name>OPEN</name>"
        "<label>An <b>open</b> question</label><size/><x:note>ignored</x:note></variable>"
        "<variable ident='2' type='quantity'><name>NUM</name><label>N</label>"
        "<values><range from='0 ' to=' 10.50 '/></values></variable>"
        "</record></survey></sss>");
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray utf16 = encoder(document);
    CQuestionnaire questionnaire;
    ASSERT_TRUE(ReadTripleS(questionnaire, utf16)) << qPrintable(questionnaire.GetLastError());
    ASSERT_EQ(questionnaire.GetNbreQuestion(), 2);
    EXPECT_EQ(questionnaire.GetQuestion(0)->GetShortCaption(), "An open question");
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetBorneMax(), 10.5);
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetNbreDecimal(), 2);
}

TEST(TripleSReader, BadVariablesAreRefused)
{
    struct SCase
    {
        const char* variable;
        const char* reason;
    };
    const SCase cases[] = {
        {"<variable type='single'><name>A</name></variable>", "no numeric ident"},
        {"<variable ident='x' type='single'><name>A</name></variable>", "no numeric ident"},
        {"<variable ident='1' type='colour'><name>A</name></variable>", "unknown type"},
        {"<variable ident='1' type='single'/><variable ident='1' type='logical'/>",
         "two variables have the ident 1"},
    };
    for (const SCase& c : cases) {
        const QByteArray document = QByteArray("<sss version='2.0'><survey><record ident='A'>") +
                                    c.variable + "</record></survey></sss>";
        CQuestionnaire questionnaire;
        EXPECT_FALSE(ReadTripleS(questionnaire, document)) << c.variable;
        EXPECT_TRUE(questionnaire.GetLastError().contains(QLatin1String(c.reason)))
            << qPrintable(questionnaire.GetLastError());
    }
    CQuestionnaire questionnaire;
    EXPECT_FALSE(ReadTripleS(questionnaire, "<zoz version='1'/>"));
    EXPECT_TRUE(questionnaire.GetLastError().contains("not Triple-S"));
}
