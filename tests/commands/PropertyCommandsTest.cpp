#include "CommandTestSupport.h"
#include "EngineFixtures.h"

#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/PropertyCommands.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "support/TestWaveApp.h"

#include <QDateTime>
#include <functional>

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace command_test;

namespace {

constexpr int kFrench = 1036;

// Two waves of one volume each (2 inherits from 1), English and French, a chapter and two
// closed questions, the second with three responses.
class PropertyCommands : public ::testing::Test
{
protected:
    PropertyCommands()
    {
        CCampaign& c = Campaign();
        c.SetName(QStringLiteral("Brand tracker"));
        c.AddLanguage(MakeLanguage(engine_test::kLanguage, 1, QStringLiteral("English"),
                                   QStringLiteral("ENU")));
        c.AddLanguage(MakeLanguage(kFrench, 0, QStringLiteral("French"), QStringLiteral("FRA")));
        c.SetCurrentLanguageId(engine_test::kLanguage);
        CWave* first = engine_test::AddWave(c, 1);
        volume1 = engine_test::AddVolume(c, *first, 1, {1, 2}, {2, 1});
        volume2 = engine_test::AddVolume(c, *engine_test::AddWave(c, 2), 2, {1, 2}, {2, 1}, 1);
        CSourcePath meta;
        meta.SourceFilePathFormat = PATH_ABSOLUTE;
        meta.SourceString = QStringLiteral("/data/w1.zoz");
        volume1->SetMetaData(meta);
        meta.SourceFilePathFormat = PATH_RELATIVE;
        meta.SourceString = QStringLiteral("w1.dat");
        volume1->SetCaseData(meta);
        chapter = engine_test::AddQuestion(c, 2, QStringLiteral("SCREENING"),
                                           QStringLiteral("Screening"), 1, 0, 0);
        question =
            engine_test::AddQuestion(c, 3, QStringLiteral("Q1"), QStringLiteral("Brand seen"), 1);
        question->SetMinValue(0.123456789012345);
        other = engine_test::AddQuestion(c, 4, QStringLiteral("Q2"), QStringLiteral("Visits"), 1);
        engine_test::AddResponses(c, *other, 10, {"Never", "Sometimes", "Often"});
        response = c.GetModalityById(11);
        response->SetValue(2.5);
    }

    CCampaign& Campaign() { return *app.Campaign; }

    CTestWaveApp app;
    CVolume* volume1 = nullptr;
    CVolume* volume2 = nullptr;
    CQuestion* chapter = nullptr;
    CQuestion* question = nullptr;
    CQuestion* other = nullptr;
    CModality* response = nullptr;
};

CValue Text(const QString& text)
{
    CValue value;
    value.SetText(text);
    return value;
}

// One property case: the index, the value given, how to read the property back as text, and
// what that reading must give after Do.
struct SPropertyCase
{
    int Property;
    CValue Value;
    std::function<QString()> Read;
    QString Expected;
};

// Each case: Do gives the expected reading, Undo the one from before, and Do, Undo and Redo
// give the campaign's dumps exactly.
template <class TCommand, class TObject>
void RunPropertyCases(CCampaign& campaign, TObject* object, const std::vector<SPropertyCase>& cases,
                      const QString& name)
{
    for (const SPropertyCase& c : cases) {
        SCOPED_TRACE(c.Property);
        const QString before = c.Read();
        TCommand command(&campaign, object, c.Property, c.Value);
        EXPECT_EQ(command.GetName(), name);
        std::unique_ptr<CCallBackInfo> record;
        ASSERT_TRUE(command.Do(record));
        EXPECT_EQ(c.Read(), c.Expected);
        record.reset();
        ASSERT_TRUE(command.Undo(record));
        EXPECT_EQ(c.Read(), before);
        EXPECT_TRUE(RunSteps(command, campaign));
    }
}

TEST_F(PropertyCommands, EveryQuestionPropertyChangesItsFieldAndUndoesExactly)
{
    CQuestion& q = *question;
    auto num = [](double v) { return QString::number(v, 'g', 17); };
    const std::vector<SPropertyCase> cases = {
        {0, CValue(true), [&] { return QString::number(q.IsDeleted()); }, "1"},
        {2, Text("Q1B"), [&] { return q.GetShortcut(); }, "Q1B"},
        {3, CValue(2), [&] { return QString::number(q.GetIndent()); }, "2"},
        {4, CValue(2), [&] { return QString::number(q.GetElementType()); }, "2"},
        {5, CValue(4), [&] { return QString::number(q.GetQuestionType()); }, "4"},
        {6, CValue(true), [&] { return QString::number(q.IsDontKnow()); }, "1"},
        {7, CValue(true), [&] { return QString::number(q.IsSemiOpen()); }, "1"},
        {8, CValue(true), [&] { return QString::number(q.IsScale()); }, "1"},
        {9, CValue(true), [&] { return QString::number(q.IsMultiple()); }, "1"},
        {10, CValue(true), [&] { return QString::number(q.IsRanked()); }, "1"},
        {11, CValue(7), [&] { return QString::number(q.GetMaxResponseCount()); }, "7"},
        {12, CValue(3), [&] { return QString::number(q.GetDecimals()); }, "3"},
        {13, Text("0.1"), [&] { return num(q.GetMinValue()); }, num(0.1)},
        {14, Text("1.500000e+003"), [&] { return num(q.GetMaxValue()); }, "1500"},
        {15, CValue(true), [&] { return QString::number(q.IsLevelLink()); }, "1"},
        {16, CValue(4), [&] { return QString::number(q.GetLinkQuestionId()); }, "4"},
        {17, CValue(true), [&] { return QString::number(q.IsProbabilityQuestion()); }, "1"},
        {18, CValue(3), [&] { return QString::number(q.GetDateType()); }, "3"},
        {21, Text("note"), [&] { return q.GetUserData(); }, "note"},
        {22, Text("TRUE"), [&] { return QString::number(q.IsDevelopLevels()); }, "1"},
        {27, CValue(2), [&] { return QString::number(q.GetAppearanceVolumeId()); }, "2"},
        {28, CValue(2), [&] { return QString::number(q.GetDeletionWaveId()); }, "2"},
    };
    // Volume 2 inherits volume 1's matching of the question: it may be its appearance volume.
    engine_test::MatchQuestion(*volume1, question->GetQuestionId(), 5);
    RunPropertyCases<CCmdChangeQuestion>(Campaign(), question, cases, "change question");
}

TEST_F(PropertyCommands, EveryResponsePropertyChangesItsFieldAndUndoesExactly)
{
    CModality& m = *response;
    const std::vector<SPropertyCase> cases = {
        {1, CValue(true), [&] { return QString::number(m.IsDeleted()); }, "1"},
        {3, Text("0.1"), [&] { return QString::number(m.GetValue(), 'g', 17); },
         QString::number(0.1, 'g', 17)},
        {4, Text("07"), [&] { return m.GetEntryCode(); }, "07"},
        {5, CValue(true), [&] { return QString::number(m.IsExclusive()); }, "1"},
        {6, CValue(2), [&] { return QString::number(m.GetRotationBehaviour()); }, "2"},
        {7, Text("1;3;"), [&] { return m.GetVersions(); }, "1;3;"},
        {8, Text("note"), [&] { return m.GetUserData(); }, "note"},
        // The deletion wave comes before the appearance volume here, unlike for questions.
        {10, CValue(2), [&] { return QString::number(m.GetDeletionWaveId()); }, "2"},
        {11, CValue(2), [&] { return QString::number(m.GetAppearanceVolumeId()); }, "2"},
    };
    engine_test::MatchQuestion(*volume1, other->GetQuestionId(), 6);
    engine_test::MatchResponse(*volume1, other->GetQuestionId(), response->GetModalityId(), 2);
    RunPropertyCases<CCmdChangeModality>(Campaign(), response, cases, "change response");
}

TEST_F(PropertyCommands, IndexesNotListedAndValuesOfTheWrongKindFailWithoutTouchingTheObject)
{
    for (const int property : {-1, 19, 20, 23, 24, 25, 26, 29}) {
        SCOPED_TRACE(property);
        // 23 and 24 are captions, which a plain value cannot change.
        CCmdChangeQuestion command(&Campaign(), question, property, CValue(1));
        EXPECT_TRUE(FailsWithoutChange(command, Campaign()));
        EXPECT_EQ(command.GetErrorText(), "no error information available");
    }
    for (const int property : {-1, 0, 9, 12}) {
        SCOPED_TRACE(property);
        CCmdChangeModality command(&Campaign(), response, property, CValue(1));
        EXPECT_TRUE(FailsWithoutChange(command, Campaign()));
    }
    // Texts that are no number, no integer or no date; an appearance volume that is none.
    CCmdChangeQuestion minValue(&Campaign(), question, 13, Text("abc"));
    EXPECT_TRUE(FailsWithoutChange(minValue, Campaign()));
    CCmdChangeQuestion indent(&Campaign(), question, 3, Text("two"));
    EXPECT_TRUE(FailsWithoutChange(indent, Campaign()));
    CCmdChangeQuestion appearance(&Campaign(), question, 27, CValue(99));
    EXPECT_TRUE(FailsWithoutChange(appearance, Campaign()));
    CCmdChangeModality value(&Campaign(), response, 3, Text(""));
    EXPECT_TRUE(FailsWithoutChange(value, Campaign()));
    CCmdChangeWave date(&Campaign(), Campaign().GetWave(0), 2, Text("31/02/2024"));
    EXPECT_TRUE(FailsWithoutChange(date, Campaign()));
    CCmdChangeCampaign campaign(&Campaign(), 4, Text("x"));
    EXPECT_TRUE(FailsWithoutChange(campaign, Campaign()));
    CCmdChangeLanguage language(&Campaign(), Campaign().GetLanguage(0), 4, Text("x"));
    EXPECT_TRUE(FailsWithoutChange(language, Campaign()));
}

// An item appears first in a volume that matches it: a volume without a matching of it (own or
// inherited) is refused, and a volume before the one that made the matching too.
TEST_F(PropertyCommands, TheAppearanceVolumeMustMatchTheItem)
{
    engine_test::MatchQuestion(*volume2, question->GetQuestionId(), 5);
    engine_test::MatchQuestion(*volume2, other->GetQuestionId(), 6);
    engine_test::MatchResponse(*volume2, other->GetQuestionId(), response->GetModalityId(), 2);
    CModality* unmatched = Campaign().GetModalityById(12);
    struct SCase
    {
        int Volume;
        bool Accepted;
    };
    for (const SCase c : {SCase{1, false}, SCase{2, true}, SCase{99, false}}) {
        SCOPED_TRACE(c.Volume);
        CCmdChangeQuestion onQuestion(&Campaign(), question, 27, CValue(c.Volume));
        CCmdChangeQuestion onChapter(&Campaign(), chapter, 27, CValue(c.Volume));
        CCmdChangeModality onResponse(&Campaign(), response, 11, CValue(c.Volume));
        CCmdChangeModality onOther(&Campaign(), unmatched, 11, CValue(c.Volume));
        EXPECT_TRUE(FailsWithoutChange(onChapter, Campaign()));
        EXPECT_TRUE(FailsWithoutChange(onOther, Campaign()));
        if (c.Accepted) {
            EXPECT_TRUE(RunSteps(onQuestion, Campaign()));
            EXPECT_TRUE(RunSteps(onResponse, Campaign()));
        } else {
            EXPECT_TRUE(FailsWithoutChange(onQuestion, Campaign()));
            EXPECT_TRUE(FailsWithoutChange(onResponse, Campaign()));
        }
    }
}

TEST_F(PropertyCommands, NumbersKeepDoublePrecisionBothWays)
{
    CCmdChangeQuestion command(&Campaign(), question, 13, Text("0.1"));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(question->GetMinValue(), 0.1);
    // The old value reads back exactly, so Undo gives back every digit.
    const auto& info = dynamic_cast<const CCallBackInfoChangeQuestion&>(*records.AfterDo);
    EXPECT_EQ(info.OldValue.GetText().toDouble(), 0.123456789012345);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(question->GetMinValue(), 0.123456789012345);
}

TEST_F(PropertyCommands, WaveDatesTravelAsIsoTextAndTheMidpointIsIndexThree)
{
    CWave& wave = *Campaign().GetWave(0);
    wave.SetWaveStart(QDateTime(QDate(2024, 1, 8), QTime(9, 30)));
    CCmdChangeWave midpoint(&Campaign(), &wave, 3, Text("2024-02-01T12:00:00.000"));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(midpoint, Campaign(), nullptr, &records, true));
    EXPECT_EQ(wave.GetWaveMidpoint(), QDateTime(QDate(2024, 2, 1), QTime(12, 0)));
    EXPECT_TRUE(wave.GetWaveEnd().isNull());
    // No date before: the old value is an empty text, and Undo leaves no date.
    EXPECT_EQ(dynamic_cast<const CCallBackInfoChangeWave&>(*records.AfterDo).OldValue.GetText(),
              "");

    CCmdChangeWave end(&Campaign(), &wave, 4, Text("2024-03-01"));
    ASSERT_TRUE(RunSteps(end, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(wave.GetWaveEnd().date(), QDate(2024, 3, 1));

    // Clearing a date with an empty text, and the old one back as ISO text.
    CCmdChangeWave clear(&Campaign(), &wave, 2, Text(""));
    ASSERT_TRUE(RunSteps(clear, Campaign(), nullptr, &records, true));
    EXPECT_TRUE(wave.GetWaveStart().isNull());
    EXPECT_EQ(dynamic_cast<const CCallBackInfoChangeWave&>(*records.AfterDo).OldValue.GetText(),
              "2024-01-08T09:30:00.000");

    CCmdChangeWave name(&Campaign(), &wave, 0, Text("Spring"));
    ASSERT_TRUE(RunSteps(name, Campaign(), nullptr, nullptr, true));
    CCmdChangeWave description(&Campaign(), &wave, 1, Text("First fieldwork"));
    ASSERT_TRUE(RunSteps(description, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(wave.GetName(), "Spring");
    EXPECT_EQ(wave.GetDescription(), "First fieldwork");
    EXPECT_EQ(name.GetName(), "change wave");
}

TEST_F(PropertyCommands, CampaignProperties)
{
    CCampaign& c = Campaign();
    CCmdChangeCampaign current(&c, 1, CValue(kFrench));
    ASSERT_TRUE(RunSteps(current, c, nullptr, nullptr, true));
    EXPECT_EQ(c.GetCurrentLanguageId(), kFrench);
    EXPECT_EQ(c.GetDefaultLanguageId(), engine_test::kLanguage);
    CCmdChangeCampaign defaultLanguage(&c, 0, CValue(kFrench));
    ASSERT_TRUE(RunSteps(defaultLanguage, c, nullptr, nullptr, true));
    EXPECT_EQ(c.GetDefaultLanguageId(), kFrench);
    CCmdChangeCampaign name(&c, 2, Text("Coffee"));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(name, c, nullptr, &records, true));
    EXPECT_EQ(c.GetName(), "Coffee");
    CCmdChangeCampaign description(&c, 3, Text("Tracker"));
    ASSERT_TRUE(RunSteps(description, c, nullptr, nullptr, true));
    EXPECT_EQ(c.GetDescription(), "Tracker");
    EXPECT_EQ(name.GetName(), "change campaign");

    // Every record names the campaign and carries the same new and old values, whatever the step.
    for (const auto* record :
         {records.AfterDo.get(), records.AfterUndo.get(), records.AfterRedo.get()}) {
        const auto& info = dynamic_cast<const CCallBackInfoChangeCampaign&>(*record);
        EXPECT_EQ(info.Object, &c);
        EXPECT_EQ(info.NewValue.GetText(), "Coffee");
        EXPECT_EQ(info.OldValue.GetText(), "Brand tracker");
    }
}

TEST_F(PropertyCommands, AValueEqualToTheCurrentOneIsAChangeLikeAnyOther)
{
    CCmdChangeQuestion command(&Campaign(), question, 2, Text("Q1"));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records));
    EXPECT_TRUE(records.AfterDo && records.AfterUndo && records.AfterRedo);
}

TEST_F(PropertyCommands, CaptionsChangeInTheLanguageOfTheValue)
{
    // A caption in a language the question has: the old text and the language are kept.
    CCmdChangeQuestion shortCaption(&Campaign(), question, 23,
                                    CCaptionValue(Text("Brand noticed"), engine_test::kLanguage));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(shortCaption, Campaign(), nullptr, &records, true));
    EXPECT_EQ(question->GetShortCaption(engine_test::kLanguage), "Brand noticed");
    EXPECT_EQ(shortCaption.GetOldValue().GetText(), "Brand seen");
    EXPECT_EQ(shortCaption.GetOldValue().GetLanguageId(), engine_test::kLanguage);

    // A language the question has no caption in: Do makes the record, Undo takes it out again.
    const int captions = question->GetCaptionCount();
    CCmdChangeQuestionLongCaption longCaption(&Campaign(), question, 24,
                                              CCaptionValue(Text("Marque vue ?"), kFrench));
    ASSERT_TRUE(RunSteps(longCaption, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(question->GetLongCaption(kFrench), "Marque vue ?");
    EXPECT_EQ(question->GetCaptionCount(), captions + 1);
    EXPECT_EQ(longCaption.GetOldValue().GetText(), "");
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(longCaption.Undo(record));
    EXPECT_EQ(question->GetCaptionCount(), captions);
    EXPECT_EQ(question->FindCaption(kFrench), nullptr);
    ASSERT_TRUE(longCaption.Redo(record));

    CCmdChangeModalityShortCaption responseCaption(&Campaign(), response, 9,
                                                   CCaptionValue(Text("Parfois"), kFrench));
    ASSERT_TRUE(RunSteps(responseCaption, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(response->GetShortCaption(kFrench), "Parfois");
    CCmdChangeModality responseByIndex(&Campaign(), response, 9,
                                       CCaptionValue(Text("At times"), engine_test::kLanguage));
    ASSERT_TRUE(RunSteps(responseByIndex, Campaign()));

    // The caption classes take only their own index, and a caption needs a language.
    CCmdChangeQuestionShortCaption wrongIndex(&Campaign(), question, 24,
                                              CCaptionValue(Text("x"), kFrench));
    EXPECT_TRUE(FailsWithoutChange(wrongIndex, Campaign()));
    CCmdChangeModalityShortCaption noLanguage(&Campaign(), response, 9,
                                              CCaptionValue(Text("x"), -1));
    EXPECT_TRUE(FailsWithoutChange(noLanguage, Campaign()));
    CCmdChangeModality plainCaption(&Campaign(), response, 9, Text("x"));
    EXPECT_TRUE(FailsWithoutChange(plainCaption, Campaign()));
}

TEST_F(PropertyCommands, OrderChangesKeepTheArraysSortedAndUndoGivesBackTheSequence)
{
    CCampaign& c = Campaign();
    // Questions at orders 0 (chapter), 1 (Q1), 2 (Q2): Q2 to order 0 ties with the chapter.
    CCmdChangeQuestion toFront(&c, other, 1, CValue(0));
    ASSERT_TRUE(RunSteps(toFront, c, nullptr, nullptr, true));
    ASSERT_EQ(c.GetQuestionCount(), 3);
    for (int i = 1; i < c.GetQuestionCount(); ++i)
        EXPECT_LE(c.GetQuestion(i - 1)->GetOrder(), c.GetQuestion(i)->GetOrder());
    // Then the chapter far back: Undo must bring back the tie as it was.
    CCmdChangeQuestion toBack(&c, chapter, 1, CValue(50));
    ASSERT_TRUE(RunSteps(toBack, c, nullptr, nullptr, true));
    EXPECT_EQ(c.GetQuestion(2), chapter);
    EXPECT_GE(c.GetMaxQuestionOrder(), 50);

    // Response orders likewise within the question.
    CCmdChangeModality responseOrder(&c, c.GetModalityById(10), 2, CValue(5));
    ASSERT_TRUE(RunSteps(responseOrder, c, nullptr, nullptr, true));
    EXPECT_EQ(other->GetModality(2)->GetModalityId(), 10);
    EXPECT_EQ(other->GetModality(0)->GetModalityId(), 11);
}

TEST_F(PropertyCommands, VolumePropertiesTakeOnlyTheirOwnAlternative)
{
    CVolume& v = *volume1;
    struct SVolumeCase
    {
        int Property;
        VolumePropertyValue Value;
        std::function<bool()> Changed;
    };
    const std::vector<SVolumeCase> cases = {
        {0, QStringLiteral("Online"), [&] { return v.GetName() == "Online"; }},
        {4, 12, [&] { return v.GetMetaData().SurveyID == 12; }},
        {5, 13, [&] { return v.GetCaseData().SurveyID == 13; }},
        {6, QList<quint32>{5, 0},
         [&] {
             return v.GetQuestionMatchingMethods() == QList<quint32>{5, 0};
         }},
        {7, QList<quint32>{3}, [&] { return v.GetResponseMatchingMethods() == QList<quint32>{3}; }},
        {8, true, [&] { return v.IsMatchingStrict() == 1; }},
        {9, true, [&] { return v.GetCaseSensitiveMatching() == 1; }},
        {10, true, [&] { return v.GetMatchUsingAncestorValues() == 1; }},
        {3, QStringLiteral("w1b.dat"), [&] { return v.GetCaseData().SourceString == "w1b.dat"; }},
    };
    for (const SVolumeCase& c : cases) {
        SCOPED_TRACE(c.Property);
        CCmdChangeVolume command(&Campaign(), &v, c.Property, c.Value);
        EXPECT_EQ(command.GetName(), "change volume");
        SStepRecords records;
        ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
        EXPECT_TRUE(c.Changed());
        const auto& info = dynamic_cast<const CCallBackInfoChangeVolume&>(*records.AfterUndo);
        EXPECT_EQ(info.Volume, &v);
        EXPECT_EQ(info.Property, c.Property);
        EXPECT_EQ(info.NewValue, c.Value);
    }
    // Every other alternative is refused.
    const std::vector<std::pair<int, VolumePropertyValue>> wrong = {
        {0, 1},     {1, QStringLiteral("x")}, {2, 7}, {4, true}, {6, QStringLiteral("1;2")}, {8, 1},
        {11, true}, {6, QList<quint32>{6}},
    };
    for (const auto& [property, value] : wrong) {
        SCOPED_TRACE(property);
        CCmdChangeVolume command(&Campaign(), &v, property, value);
        EXPECT_TRUE(FailsWithoutChange(command, Campaign()));
    }
}

TEST_F(PropertyCommands, APathKindChangesBothSourcesAndUndoGivesEachItsOwnBack)
{
    CCmdChangeVolume command(&Campaign(), volume1, 1, PATH_UNC);
    SStepRecords records;
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, &records, true));
    EXPECT_EQ(volume1->GetMetaData().SourceFilePathFormat, PATH_UNC);
    EXPECT_EQ(volume1->GetCaseData().SourceFilePathFormat, PATH_UNC);
    // The value carries the questionnaire source's former kind; the interview source keeps its
    // own.
    const auto& info = dynamic_cast<const CCallBackInfoChangeVolume&>(*records.AfterDo);
    EXPECT_EQ(info.OldValue, VolumePropertyValue(PATH_ABSOLUTE));
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_EQ(volume1->GetMetaData().SourceFilePathFormat, PATH_ABSOLUTE);
    EXPECT_EQ(volume1->GetCaseData().SourceFilePathFormat, PATH_RELATIVE);
}

TEST_F(PropertyCommands, ANewQuestionnaireSourceEmptiesTheLoadedQuestionnaireAndUndoGivesItBack)
{
    qnr::CQuestion* source = engine_test::AddSourceQuestion(*volume1, 3, QStringLiteral("Q1"),
                                                            QStringLiteral("Brand seen"));
    const qnr::CQuestionnaire* loaded = &volume1->GetQuestionnaire();
    // The same path as before: the questionnaire is emptied all the same.
    CCmdChangeVolume command(&Campaign(), volume1, 2, QStringLiteral("/data/w1.zoz"));
    ASSERT_TRUE(RunSteps(command, Campaign(), nullptr, nullptr, true));
    EXPECT_EQ(volume1->GetQuestionnaire().GetNbreQuestion(), 0);
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    // The questionnaire read from the old source comes back, and what pointed into it is valid.
    EXPECT_EQ(&volume1->GetQuestionnaire(), loaded);
    EXPECT_EQ(volume1->GetQuestionnaire().FindQuestionById(3), source);
    ASSERT_TRUE(command.Redo(record));
    EXPECT_EQ(volume1->GetQuestionnaire().GetNbreQuestion(), 0);
}

TEST_F(PropertyCommands, ALanguageIdMovesTheCaptionsAndTheCampaignLanguagesWithIt)
{
    CCampaign& c = Campaign();
    CLanguage* english = c.FindLanguage(engine_test::kLanguage);
    const QString before = Dump(c);
    CCmdChangeLanguage command(&c, english, 1, CValue(2057));
    EXPECT_EQ(command.GetName(), "change language");
    ASSERT_TRUE(RunSteps(command, c, nullptr, nullptr, true));
    EXPECT_EQ(c.FindLanguage(2057), english);
    EXPECT_EQ(c.FindLanguage(engine_test::kLanguage), nullptr);
    EXPECT_EQ(c.GetDefaultLanguageId(), 2057);
    EXPECT_EQ(c.GetCurrentLanguageId(), 2057);
    EXPECT_EQ(question->GetShortCaption(2057), "Brand seen");
    EXPECT_EQ(question->FindCaption(engine_test::kLanguage), nullptr);
    EXPECT_EQ(c.GetModalityById(12)->GetShortCaption(2057), "Often");
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(command.Undo(record));
    EXPECT_TRUE(SameDump(Dump(c), before));
    EXPECT_EQ(c.FindLanguage(engine_test::kLanguage), english);

    // An id in use: by another language, or by captions of a language the campaign lacks.
    CCmdChangeLanguage taken(&c, english, 1, CValue(kFrench));
    EXPECT_TRUE(FailsWithoutChange(taken, c));
    question->SetShortCaption(3082, QStringLiteral("Marca vista"));
    CCmdChangeLanguage orphan(&c, english, 1, CValue(3082));
    EXPECT_TRUE(FailsWithoutChange(orphan, c));

    CCmdChangeLanguage name(&c, english, 2, Text("English (UK)"));
    ASSERT_TRUE(RunSteps(name, c, nullptr, nullptr, true));
    CCmdChangeLanguage abbreviation(&c, english, 3, Text("ENG"));
    ASSERT_TRUE(RunSteps(abbreviation, c, nullptr, nullptr, true));
    CCmdChangeLanguage isDefault(&c, english, 0, CValue(false));
    ASSERT_TRUE(RunSteps(isDefault, c, nullptr, nullptr, true));
    EXPECT_EQ(english->GetLanguageName(), "English (UK)");
    EXPECT_EQ(english->GetLanguageAbbreviation(), "ENG");
    EXPECT_EQ(english->IsDefault(), 0);
}

TEST_F(PropertyCommands, AQuestionCompositeNamesThePropertiesItsCommandsChange)
{
    CMetaChangeQuestionCmd composite(63336, question->GetQuestionId());
    composite.AddCmd(std::make_unique<CCmdChangeQuestion>(&Campaign(), question, 5, CValue(4)));
    composite.AddCmd(std::make_unique<CCmdChangeQuestionLongCaption>(
        &Campaign(), question, 24, CCaptionValue(Text("Seen?"), engine_test::kLanguage)));
    composite.AddCmd(std::make_unique<CCmdChangeModality>(&Campaign(), response, 1, CValue(true)));
    SStepRecords records;
    ASSERT_TRUE(RunSteps(composite, Campaign(), nullptr, &records));
    EXPECT_EQ(composite.GetName(), "change question");
    const auto& info = dynamic_cast<const CCallBackInfoMetaChangeQuestionCmd&>(*records.AfterDo);
    EXPECT_EQ(info.QuestionId, question->GetQuestionId());
    EXPECT_EQ(info.Properties, (std::set<int>{5, 24}));
}

} // namespace
