#include "support/DiffsTestWaveApp.h"
#include "support/QStringPrinter.h"

#include "model/Campaign.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/Differences.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pelko_wave;

namespace {

constexpr int kEnglish = 2057;
constexpr int kFrench = 1036;

std::vector<int> Kinds(const CDiffList& diffs)
{
    std::vector<int> kinds;
    for (const auto& [kind, detail] : diffs)
        kinds.push_back(kind);
    return kinds;
}

// The language of each entry ("-" for an entry without caption detail).
std::vector<int> Languages(const CDiffList& diffs)
{
    std::vector<int> languages;
    for (const auto& [kind, detail] : diffs) {
        const auto* caption = dynamic_cast<const CCaptionDiffInfo*>(detail.get());
        languages.push_back(caption ? caption->GetLanguageId() : -1);
    }
    return languages;
}

// A campaign question and its source question that agree on every property, captions in English
// and French.
struct SQuestionPair
{
    CQuestion Question;
    qnr::CQuestion Source;

    SQuestionPair()
    {
        Question.SetShortcut(QStringLiteral("Q1"));
        Question.SetIndent(2);
        Question.SetElementType(1);
        Question.SetQuestionType(1);
        Question.SetMaxResponseCount(3);
        Question.SetDecimals(1);
        Question.SetMinValue(1.5);
        Question.SetMaxValue(100);
        Question.SetLinkQuestionId(7);
        Question.SetDateType(0);
        Question.SetUserData(QStringLiteral("extra"));
        Question.SetQuestionClassId(2);
        Question.SetVersions(QStringLiteral("1;"));
        Question.SetShortCaption(kEnglish, QStringLiteral("Visits"));
        Question.SetLongCaption(kEnglish, QStringLiteral("How often do you visit?"));
        Question.SetShortCaption(kFrench, QStringLiteral("Visites"));
        Question.SetLongCaption(kFrench, QStringLiteral("Combien de fois ?"));

        Source.SetShortcut(QStringLiteral("Q1"));
        Source.SetIndent(2);
        Source.SetTypeElement(1);
        Source.SetTypeQuestion(1);
        Source.SetNbMaxReponse(3);
        Source.SetNbreDecimal(1);
        Source.SetBornes(1.5, 100);
        Source.SetCodeQuestionSource(12);
        Source.SetUserData(QStringLiteral("extra"));
        Source.SetQuestionClass(0);
        Source.SetVersions({1});
        Source.SetCaptions(kEnglish, QStringLiteral("How often do you visit?"),
                           QStringLiteral("Visits"));
        Source.SetCaptions(kFrench, QStringLiteral("Combien de fois ?"), QStringLiteral("Visites"));
    }
    CDiffList Differences()
    {
        CDiffList diffs{{99, nullptr}}; // emptied first
        const bool differ = GetQuestionDifferences(Question, Source, diffs);
        EXPECT_EQ(differ, !diffs.empty());
        return diffs;
    }
};

struct SModalityPair
{
    CModality Modality;
    qnr::CModalite Source;

    SModalityPair()
    {
        Modality.SetValue(3);
        Modality.SetEntryCode(QStringLiteral("a"));
        Modality.SetRotationBehaviour(1);
        Modality.SetUserData(QStringLiteral("x"));
        Modality.SetVersions(QStringLiteral("1;"));
        Modality.SetShortCaption(kEnglish, QStringLiteral("Yes"));
        Modality.SetShortCaption(kFrench, QStringLiteral("Oui"));
        Source.SetValue(3);
        Source.SetEntryCode(QStringLiteral("a"));
        Source.SetRotationBehaviour(1);
        Source.SetUserData(QStringLiteral("x"));
        Source.SetVersions({1});
        Source.SetShortCaption(kEnglish, QStringLiteral("Yes"));
        Source.SetShortCaption(kFrench, QStringLiteral("Oui"));
    }
    CDiffList Differences()
    {
        CDiffList diffs{{99, nullptr}};
        const bool differ = GetModalityDifferences(Modality, Source, diffs);
        EXPECT_EQ(differ, !diffs.empty());
        return diffs;
    }
};

class Differences : public ::testing::Test
{
protected:
    Differences() { app.Campaign->SetDefaultLanguageId(kEnglish); }
    CDiffsTestWaveApp app;
};

using CQuestionChange = std::function<void(CQuestion&, qnr::CQuestion&)>;

struct SQuestionKindCase
{
    int Kind;
    CQuestionChange Change;
    // The kind reported; -1 when the change is never reported.
    int Reported;
};

// One change per question property; hidden kinds and the link question are never compared.
const std::vector<SQuestionKindCase>& QuestionKindCases()
{
    static const std::vector<SQuestionKindCase> cases = {
        {0, [](CQuestion& q, qnr::CQuestion&) { q.SetIsDeleted(1); }, -1},
        {1, [](CQuestion& q, qnr::CQuestion&) { q.SetOrder(40); }, -1},
        {2, [](CQuestion& q, qnr::CQuestion&) { q.SetShortcut(QStringLiteral("Q1b")); }, 2},
        {3, [](CQuestion& q, qnr::CQuestion&) { q.SetIndent(3); }, 3},
        {4, [](CQuestion&, qnr::CQuestion& s) { s.SetTypeElement(2); }, 4},
        {5, [](CQuestion&, qnr::CQuestion& s) { s.SetTypeQuestion(5); }, 5},
        {6, [](CQuestion&, qnr::CQuestion& s) { s.SetNonReponse(true); }, 6},
        {7, [](CQuestion& q, qnr::CQuestion&) { q.SetIsSemiOpen(1); }, 7},
        {8, [](CQuestion&, qnr::CQuestion& s) { s.SetEchelle(true); }, 8},
        {9, [](CQuestion& q, qnr::CQuestion&) { q.SetIsMultiple(1); }, 9},
        {10, [](CQuestion&, qnr::CQuestion& s) { s.SetClasse(true); }, 10},
        {11, [](CQuestion& q, qnr::CQuestion&) { q.SetMaxResponseCount(4); }, 11},
        {12, [](CQuestion&, qnr::CQuestion& s) { s.SetNbreDecimal(2); }, 12},
        {13, [](CQuestion& q, qnr::CQuestion&) { q.SetMinValue(2.5); }, 13},
        {14, [](CQuestion&, qnr::CQuestion& s) { s.SetBornes(1.5, 99); }, 14},
        {15, [](CQuestion&, qnr::CQuestion& s) { s.SetLevelLink(true); }, 15},
        {16, [](CQuestion& q, qnr::CQuestion&) { q.SetLinkQuestionId(8); }, -1},
        {17, [](CQuestion& q, qnr::CQuestion&) { q.SetIsProbabilityQuestion(1); }, 17},
        {18, [](CQuestion&, qnr::CQuestion& s) { s.SetDateType(3); }, 18},
        {19, [](CQuestion& q, qnr::CQuestion&) { q.SetQuestionClassId(5); }, -1},
        {20, [](CQuestion&, qnr::CQuestion& s) { s.SetVersions({2}); }, -1},
        {21, [](CQuestion& q, qnr::CQuestion&) { q.SetUserData(QStringLiteral("other")); }, 21},
        {22, [](CQuestion&, qnr::CQuestion& s) { s.SetDevelopperNiveau(true); }, 22},
        {23,
         [](CQuestion& q, qnr::CQuestion&) { q.SetShortCaption(kEnglish, QStringLiteral("V")); },
         23},
        {24,
         [](CQuestion&, qnr::CQuestion& s) {
             s.SetCaptions(kFrench, QStringLiteral("Quand ?"), QStringLiteral("Visites"));
         },
         24},
    };
    return cases;
}

} // namespace

TEST_F(Differences, EqualItemsHaveNone)
{
    SQuestionPair questions;
    EXPECT_TRUE(questions.Differences().empty());
    SModalityPair responses;
    for (int kind = 0; kind < 12; ++kind)
        app.ModalityDiffs.SetEnabled(kind, true);
    EXPECT_TRUE(responses.Differences().empty());
}

TEST_F(Differences, EachQuestionKindIsReportedAloneAndCanBeSwitchedOff)
{
    for (const SQuestionKindCase& c : QuestionKindCases()) {
        SCOPED_TRACE(c.Kind);
        app.QuestionDiffs = CQuestionDiffsOptions();
        SQuestionPair pair;
        c.Change(pair.Question, pair.Source);
        const std::vector<int> expected =
            c.Reported < 0 ? std::vector<int>{} : std::vector<int>{c.Reported};
        EXPECT_EQ(Kinds(pair.Differences()), expected);

        // The same change with the kind switched off in the options is not looked for; every
        // other kind still is.
        app.QuestionDiffs.SetEnabled(c.Kind, false);
        EXPECT_TRUE(pair.Differences().empty());
        app.QuestionDiffs.SetEnabled(c.Kind, true);
        app.QuestionDiffs.SetEnabled(c.Kind == 2 ? 3 : 2, false);
        EXPECT_EQ(Kinds(pair.Differences()), expected);
    }
}

TEST_F(Differences, QuestionKindsComeInAscendingOrder)
{
    SQuestionPair pair;
    for (const SQuestionKindCase& c : QuestionKindCases())
        c.Change(pair.Question, pair.Source);
    EXPECT_EQ(
        Kinds(pair.Differences()),
        (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 21, 22, 23, 24}));
}

TEST_F(Differences, ComparisonRules)
{
    struct SCase
    {
        const char* Name;
        CQuestionChange Change;
        bool Differ;
    };
    const SCase cases[] = {
        {"shortcut in other letter case",
         [](CQuestion& q, qnr::CQuestion&) { q.SetShortcut(QStringLiteral("q1")); }, false},
        {"user data in other letter case",
         [](CQuestion& q, qnr::CQuestion&) { q.SetUserData(QStringLiteral("EXTRA")); }, false},
        {"flags 1 and 2 are both set",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetIsScale(2);
             s.SetEchelle(true);
         },
         false},
        {"minimum 100 and 100.005",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetMinValue(100);
             s.SetBornes(100.005, 100);
         },
         false},
        {"minimum 100 and 100.05",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetMinValue(100);
             s.SetBornes(100.05, 100);
         },
         true},
        {"minimum 0 and 0.00001",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetMinValue(0);
             s.SetBornes(0.00001, 100);
         },
         true},
        {"date types 1 and 3 are integers, not flags",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetDateType(1);
             s.SetDateType(3);
         },
         true},
        {"develop levels 2 against the source's 1",
         [](CQuestion& q, qnr::CQuestion& s) {
             q.SetIsDevelopLevels(2);
             s.SetDevelopperNiveau(true);
         },
         true},
        {"caption in other letter case",
         [](CQuestion& q, qnr::CQuestion&) {
             q.SetShortCaption(kFrench, QStringLiteral("VISITES"));
         },
         false},
    };
    for (const SCase& c : cases) {
        SQuestionPair pair;
        c.Change(pair.Question, pair.Source);
        EXPECT_EQ(!pair.Differences().empty(), c.Differ) << c.Name;
    }
}

TEST_F(Differences, CaptionsDifferPerLanguage)
{
    // Two languages that differ: two entries of one kind, in the source's language order.
    SQuestionPair pair;
    pair.Question.SetShortCaption(kFrench, QStringLiteral("Autre"));
    pair.Question.SetShortCaption(kEnglish, QStringLiteral("Other"));
    CDiffList diffs = pair.Differences();
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{23, 23}));
    EXPECT_EQ(Languages(diffs), (std::vector<int>{kEnglish, kFrench}));

    // Only the default language is compared when the language options say so.
    app.LanguageSettings.SetCompareCaptionsInDefaultLangOnly(1);
    EXPECT_EQ(Languages(pair.Differences()), (std::vector<int>{kEnglish}));
    pair.Question.SetShortCaption(kEnglish, QStringLiteral("Visits"));
    EXPECT_TRUE(pair.Differences().empty());
    app.LanguageSettings.SetCompareCaptionsInDefaultLangOnly(0);

    // A language the campaign question has no caption in differs unless the source's text is
    // empty.
    SQuestionPair german;
    german.Source.SetCaptions(1031, QStringLiteral("Wie oft?"), QString());
    diffs = german.Differences();
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{24}));
    EXPECT_EQ(Languages(diffs), (std::vector<int>{1031}));
}

TEST_F(Differences, ResponseKindsAreLookedForOnlyWhenSwitchedOn)
{
    SModalityPair pair;
    pair.Modality.SetValue(4);
    pair.Modality.SetIsExclusive(1);
    pair.Modality.SetRotationBehaviour(2);
    pair.Modality.SetUserData(QStringLiteral("y"));
    pair.Modality.SetShortCaption(kFrench, QStringLiteral("Si"));
    // Hidden kinds: never compared, even switched on.
    pair.Modality.SetEntryCode(QStringLiteral("b"));
    pair.Modality.SetVersions(QStringLiteral("2;"));
    pair.Modality.SetIsDeleted(1);
    pair.Modality.SetModalityOrder(8);
    pair.Modality.SetQuestionId(77);

    EXPECT_TRUE(pair.Differences().empty());
    for (int kind = 0; kind < 12; ++kind)
        app.ModalityDiffs.SetEnabled(kind, true);
    CDiffList diffs = pair.Differences();
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{3, 5, 6, 8, 9}));
    EXPECT_EQ(Languages(diffs), (std::vector<int>{-1, -1, -1, -1, kFrench}));

    app.ModalityDiffs.SetEnabled(5, false);
    app.ModalityDiffs.SetEnabled(9, false);
    EXPECT_EQ(Kinds(pair.Differences()), (std::vector<int>{3, 6, 8}));
}

TEST_F(Differences, ResponseRules)
{
    app.ModalityDiffs.SetEnabled(3, true);
    app.ModalityDiffs.SetEnabled(9, true);
    SModalityPair pair;
    // Values compare as reals with the model's tolerance.
    pair.Modality.SetValue(1000);
    pair.Source.SetValue(1000.1);
    EXPECT_TRUE(pair.Differences().empty());
    pair.Source.SetValue(1001);
    EXPECT_EQ(Kinds(pair.Differences()), (std::vector<int>{3}));
    pair.Source.SetValue(1000);

    // An empty source caption in a language the campaign response lacks still differs.
    pair.Source.SetShortCaption(1031, QString());
    const CDiffList diffs = pair.Differences();
    EXPECT_EQ(Kinds(diffs), (std::vector<int>{9}));
    EXPECT_EQ(Languages(diffs), (std::vector<int>{1031}));
}
