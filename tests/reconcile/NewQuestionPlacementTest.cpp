#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include "model/CampaignDump.h"
#include "model/EditRoutines.h"
#include "model/QuestionKinds.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/NewQuestionPlacement.h"

#include <gtest/gtest.h>

#include <random>

using namespace pelko_wave;

namespace {

// Shortcuts that equal each other ignoring case in several ways, the last two only by Unicode
// case folding (a Kelvin sign, an accented letter).
const char16_t* const kShortcuts[] = {u"Q1",           u"q1",  u"Q2", u"BRAND",  u"brand",
                                      u"Brand",        u"AGE", u"k",  u"\u212A", u"\u00C9T\u00C9",
                                      u"\u00E9t\u00E9"};

// A campaign of chapters, questions and loops (indents 1 to 3) whose orders have gaps, repeats
// and negative values, and a few ids twice, one volume whose source questions share the campaign's
// shortcuts and indents, about half of them matched to random campaign questions. The same seed
// gives the same study.
struct SStudy
{
    SStudy()
    {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(1);
        wave->SetWaveOrder(1);
        auto volume = std::make_unique<CVolume>();
        volume->SetVolumeId(1);
        volume->SetWaveId(1);
        volume->SetInheritsFromVolumeId(1);
        Volume = volume.get();
        wave->AddVolume(std::move(volume));
        App.Campaign->InsertWave(std::move(wave));
    }

    explicit SStudy(unsigned seed) : SStudy()
    {
        std::mt19937 random(seed);
        const auto number = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        const auto shortcut = [&] {
            return QString::fromUtf16(kShortcuts[number(0, int(std::size(kShortcuts)) - 1)]);
        };
        CCampaign& campaign = *App.Campaign;
        std::vector<std::unique_ptr<CQuestion>> questions;
        int order = number(-4, 2);
        int indent = 1;
        for (int i = 0; i < 80; ++i) {
            // Now and then the id of the question before (a damaged file).
            const int id = i > 0 && number(0, 19) == 0 ? i + 1 : i + 2;
            order += number(0, 2);
            indent = std::clamp(indent + number(-1, 1), 1, 3);
            const int element = number(0, 9) < 2 ? number(0, 1) * 2 : 1;
            questions.push_back(MakeQuestion(id, order, shortcut(), indent, element));
        }
        campaign.InsertQuestions(std::move(questions));
        campaign.SetMaxQuestionOrder(campaign.GetMaxQuestionOrder() - number(0, 1) * 3);

        indent = 1;
        for (int j = 0; j < 60; ++j) {
            indent = std::clamp(indent + number(-1, 1), 1, 3);
            const int element = number(0, 9) < 2 ? number(0, 1) * 2 : 1;
            AddSource(shortcut(), indent, element,
                      number(0, 1)
                          ? campaign.GetQuestion(number(0, campaign.GetQuestionCount() - 1))
                                ->GetQuestionId()
                          : -1);
        }
        Volume->GetQuestionnaire().PreparerSaisie();
    }

    static std::unique_ptr<CQuestion> MakeQuestion(int id, int order, const QString& shortcut,
                                                   int indent = 1, int element = 1)
    {
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(id);
        question->SetOrder(order);
        question->SetIndent(indent);
        question->SetElementType(element);
        question->SetQuestionType(1);
        question->SetShortcut(shortcut);
        question->SetAppearanceVolumeId(1);
        return question;
    }

    // A source question, matched to the campaign question of that id, or new (-1).
    void AddSource(const QString& shortcut, int indent, int element, int matchedId)
    {
        qnr::CQuestionnaire& questionnaire = Volume->GetQuestionnaire();
        const int position = questionnaire.GetNbreQuestion();
        const int code = 1000 + position;
        auto source = std::make_unique<qnr::CQuestion>();
        source->SetCodeQuestion(code);
        source->SetShortcut(shortcut);
        source->SetIndent(indent);
        source->SetTypeElement(element);
        source->SetTypeQuestion(1);
        questionnaire.AddQuestion(std::move(source));
        if (matchedId >= 0)
            Volume->AddQuestionMatching(
                MakeQuestionMatching(matchedId, QString::number(code), *Volume));
        else
            Unmatched.push_back(position);
    }

    CTestWaveApp App;
    CVolume* Volume = nullptr;
    std::vector<int> Unmatched; // positions of the source questions without a matching
};

// The placement question by question: each new question placed by scanning the campaign and
// inserted at once (every later order moving up), as the engine did before.
void PlaceOneByOne(CCampaign& campaign, const CVolume& volume,
                   const qnr::CQuestionnaire& questionnaire, int position, int& order, int& indent)
{
    order = -1;
    indent = 1;
    const qnr::CQuestion& source = *questionnaire.GetQuestion(position);
    for (int p = position - 1; p >= 0; --p) {
        const qnr::CQuestion& previous = *questionnaire.GetQuestion(p);
        const auto fits = [&](const CQuestion* question) {
            return question && !campaign.IsReservedQuestion(question) &&
                   question->GetShortcut().compare(previous.GetShortcut(), Qt::CaseInsensitive) ==
                       0 &&
                   HasSameLoopAncestry(campaign, *question, previous);
        };
        const CQuestion* anchor = nullptr;
        int matchedId = -1;
        if (volume.FindQuestionIdBySource(volume.GetVolumeId(),
                                          QString::number(previous.GetCodeQuestion()), matchedId,
                                          true) &&
            fits(campaign.GetQuestionById(matchedId)))
            anchor = campaign.GetQuestionById(matchedId);
        for (int i = 0; !anchor && i < campaign.GetQuestionCount(); ++i)
            if (fits(campaign.GetQuestion(i)))
                anchor = campaign.GetQuestion(i);
        if (!anchor)
            continue;
        order = anchor->GetOrder() + 1;
        const int shifted = anchor->GetIndent() + (source.GetIndent() - previous.GetIndent());
        indent = shifted > 1 ? shifted : 1;
        return;
    }
}

// Adds the study's unmatched source questions as new campaign questions, each with its
// matching, through the placement or one by one; returns the places given.
QStringList AddNewQuestions(SStudy& study, bool placement)
{
    CCampaign& campaign = *study.App.Campaign;
    CVolume& volume = *study.Volume;
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    std::unique_ptr<CNewQuestionPlacement> placing;
    if (placement)
        placing = std::make_unique<CNewQuestionPlacement>(campaign);
    QStringList places;
    for (const int position : study.Unmatched) {
        int order = -1;
        int indent = 1;
        if (placing)
            placing->Place(volume, questionnaire, position, order, indent);
        else
            PlaceOneByOne(campaign, volume, questionnaire, position, order, indent);
        places << QStringLiteral("%1:%2").arg(order).arg(indent);
        std::unique_ptr<CQuestion> created = CreateQuestionFromSource(
            campaign, volume, *questionnaire.GetQuestion(position), order, false, indent);
        const int id = created->GetQuestionId();
        if (placing)
            placing->Insert(std::move(created));
        else
            campaign.InsertQuestion(std::move(created));
        volume.AddQuestionMatching(MakeQuestionMatching(
            id, QString::number(questionnaire.GetQuestion(position)->GetCodeQuestion()), volume));
    }
    if (placing)
        placing->Finish();
    return places;
}

QString Sequence(const CCampaign& campaign)
{
    QStringList ids;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        ids << QString::number(campaign.GetQuestion(i)->GetQuestionId());
    return ids.join(u' ');
}

// Placed and inserted in one pass, the new questions get the places, orders and indents, and
// the campaign the array and highest order, that placing and inserting them one by one gives,
// loops, shortcuts equal only ignoring case, repeated and negative orders and all.
TEST(NewQuestionPlacement, GivesTheCampaignThatInsertingOneByOneGives)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SStudy oneByOne(seed);
        const QStringList expectedPlaces = AddNewQuestions(oneByOne, false);
        const QString expectedDump = DumpCampaign(*oneByOne.App.Campaign, DUMP_ALL);
        const QString expectedSequence = Sequence(*oneByOne.App.Campaign);

        SStudy placed(seed);
        EXPECT_EQ(AddNewQuestions(placed, true), expectedPlaces) << seed;
        EXPECT_EQ(DumpCampaign(*placed.App.Campaign, DUMP_ALL), expectedDump) << seed;
        EXPECT_EQ(Sequence(*placed.App.Campaign), expectedSequence) << seed;
    }
}

// A campaign whose highest order lags behind its last question (a damaged file): a question
// without a place takes that order + 1 and goes before the first question of that order or
// more, as the campaign's own insertion puts it.
TEST(NewQuestionPlacement, AnOrderBehindTheLastQuestionGoesAmongThem)
{
    for (const bool placement : {false, true}) {
        CTestWaveApp app;
        CCampaign& campaign = *app.Campaign;
        std::vector<std::unique_ptr<CQuestion>> questions;
        for (int i = 0; i < 4; ++i) {
            auto question = std::make_unique<CQuestion>();
            question->SetQuestionId(i + 2);
            question->SetOrder(i * 10);
            questions.push_back(std::move(question));
        }
        campaign.InsertQuestions(std::move(questions));
        campaign.SetMaxQuestionOrder(12);
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(9);
        question->SetOrder(campaign.GetMaxQuestionOrder() + 1);
        if (placement) {
            CNewQuestionPlacement placing(campaign);
            placing.Insert(std::move(question));
        } else {
            campaign.InsertQuestion(std::move(question));
        }
        EXPECT_EQ(Sequence(campaign), "2 3 9 4 5") << placement;
        EXPECT_EQ(campaign.GetQuestionById(9)->GetOrder(), 13);
        EXPECT_EQ(campaign.GetQuestionById(4)->GetOrder(), 21);
        EXPECT_EQ(campaign.GetMaxQuestionOrder(), 31);
    }
}

// Hundreds of new source questions after one matched one, each placed right after the one
// before it, all between the same two campaign questions: the campaign order kept beside the
// campaign makes room as often as it must.
TEST(NewQuestionPlacement, ManyQuestionsAtOnePlace)
{
    QString expected;
    for (const bool placement : {false, true}) {
        SStudy study;
        std::vector<std::unique_ptr<CQuestion>> questions;
        for (int i = 1; i <= 10; ++i)
            questions.push_back(SStudy::MakeQuestion(i + 1, i, QStringLiteral("A%1").arg(i)));
        study.App.Campaign->InsertQuestions(std::move(questions));
        study.AddSource(QStringLiteral("N0"), 1, 1, -1); // no place: behind everything
        study.AddSource(QStringLiteral("A6"), 1, 1, 7);
        for (int k = 1; k <= 300; ++k)
            study.AddSource(QStringLiteral("N%1").arg(k), 1, 1, -1);
        study.Volume->GetQuestionnaire().PreparerSaisie();
        const QStringList places = AddNewQuestions(study, placement);
        const QString dump = places.join(u' ') + DumpCampaign(*study.App.Campaign, DUMP_ALL) +
                             Sequence(*study.App.Campaign);
        if (!placement)
            expected = dump;
        else
            EXPECT_EQ(dump, expected);
    }
    EXPECT_TRUE(expected.startsWith("-1:1 7:1 8:1 9:1 "));
    EXPECT_TRUE(expected.contains("Question 8 position=306 deleted=0 order=307"));
}

} // namespace
