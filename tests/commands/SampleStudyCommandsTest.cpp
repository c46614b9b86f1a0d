#include "CommandTestSupport.h"
#include "SampleStudyFile.h"

#include "app/WaveApp.h"
#include "commands/DuplicateCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "storage/DBAccessDAO.h"
#include "support/ScriptedWindowServices.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace pelko_wave;
using namespace command_test;

namespace {

constexpr int kEnglish = 2057;
constexpr int kFrench = 1036;

class SampleStudyCommands : public CSampleStudyTest
{
protected:
    CVolume* Volume(int id) { return Campaign().FindVolume(id); }
    CQuestion* Question(const char* shortcut)
    {
        return Campaign().FindQuestionByShortcut(QString::fromLatin1(shortcut));
    }
    CModality* Response(const char* shortcut, int position)
    {
        return Question(shortcut)->GetModality(position);
    }
    // The source question of the volume with that shortcut.
    const qnr::CQuestion* Source(int volumeId, const char* shortcut)
    {
        CVolume& volume = *Volume(volumeId);
        EXPECT_TRUE(EnsureVolumeQuestionnaire(volume));
        const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
            if (questionnaire.GetQuestion(i)->GetShortcut() == QLatin1String(shortcut))
                return questionnaire.GetQuestion(i);
        }
        ADD_FAILURE() << "no source question " << shortcut;
        return nullptr;
    }
    static CValue Text(const QString& text)
    {
        CValue value;
        value.SetText(text);
        return value;
    }

    // Executes the command through the application; checks the changes Do made, that Undo and
    // Redo give the dumps before and after exactly, and that each of the three states reads back
    // the same from a campaign file.
    void Check(std::unique_ptr<CCmdVirtual> command,
               const std::function<void(const QStringList& diff)>& checkChanges)
    {
        const QString before = Dump(Campaign());
        ASSERT_TRUE(app.ExecuteCommand(command, CCmdCallBacks(), nullptr, nullptr, true))
            << command->GetErrorText().toStdString();
        const QString after = Dump(Campaign());
        checkChanges(DumpDiff(before, after));
        ExpectFileGives(after, QStringLiteral("do.duv"));
        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(Campaign()), before));
        ExpectFileGives(before, QStringLiteral("undo.duv"));
        ASSERT_TRUE(app.Redo());
        EXPECT_TRUE(SameDump(Dump(Campaign()), after));
        ExpectFileGives(after, QStringLiteral("redo.duv"));
    }
    // The same when Do must make exactly these changes.
    void Check(std::unique_ptr<CCmdVirtual> command, const QStringList& expected)
    {
        Check(std::move(command),
              [&](const QStringList& diff) { EXPECT_EQ(diff.join(u'\n'), expected.join(u'\n')); });
    }
    void ExpectFileGives(const QString& dump, const QString& name)
    {
        QString error;
        const QString path = FilePath(name);
        EXPECT_TRUE(SameDump(SaveAndReload(Campaign(), path, &error), dump))
            << name.toStdString() << " " << error.toStdString();
        EXPECT_EQ(CheckCampaignFile(path), "");
    }
};

// The diff without the lines that only move questions one place, which a question leaving or
// coming into the middle of the array brings; shifted counts them.
QStringList WithoutShifts(const QStringList& diff, int by, int* shifted = nullptr)
{
    static const QRegularExpression shift(
        QStringLiteral("^Question \\d+ position: (\\d+) -> (\\d+)$"));
    QStringList kept;
    int count = 0;
    for (const QString& line : diff) {
        const QRegularExpressionMatch m = shift.match(line);
        if (m.hasMatch() && m.captured(2).toInt() - m.captured(1).toInt() == by)
            ++count;
        else
            kept << line;
    }
    if (shifted)
        *shifted = count;
    return kept;
}

TEST_F(SampleStudyCommands, PropertyChanges)
{
    CCampaign& c = Campaign();
    Check(std::make_unique<CCmdChangeCampaign>(&c, 2, Text("Coffee tracker")),
          {R"~(Campaign name: "" -> "Coffee tracker")~"});
    Check(std::make_unique<CCmdChangeWave>(&c, c.GetWave(1), 3, Text("2024-05-15T12:00:00.000")),
          {"Wave 2 midpoint: null -> 2024-05-15T12:00:00.000"});
    Check(std::make_unique<CCmdChangeVolume>(&c, Volume(3), 7, QList<quint32>{3, 2}),
          {"Volume 3 responseMethods: [2,1] -> [3,2]"});
    // Q7's maximum, in double precision.
    Check(std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(15), 14, Text("99.95")),
          {"Question 15 max: 100 -> 99.950000000000003"});
    Check(
        std::make_unique<CCmdChangeQuestionLongCaption>(
            &c, c.GetQuestionById(7), 24, CCaptionValue(Text("Marques connues ?"), kFrench)),
        {R"~(QuestionCaption holder=7 question=7 language=1036 long: "Quels cafés connaissez-vous ?" -> "Marques connues ?")~"});
    Check(std::make_unique<CCmdChangeModality>(&c, c.GetModalityById(8), 4, Text("bean")),
          {R"~(Modality 8 entryCode: "bean_there" -> "bean")~"});
    // A caption in a language the response had none in makes its record.
    Check(
        std::make_unique<CCmdChangeModalityShortCaption>(&c, c.GetModalityById(9), 9,
                                                         CCaptionValue(Text("Kaffeehaus"), 1031)),
        {R"~(+ ModalityCaption holder=9 modality=9 question=8 language=1031 short="Kaffeehaus")~"});
    Check(std::make_unique<CCmdChangeLanguage>(&c, c.FindLanguage(kFrench), 2, Text("Français")),
          {R"~(Language 1036 name: "French (France)" -> "Français")~"});
    // Q10 (position 17) to the end: the 39 questions after it move up one place.
    Check(std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(19), 1, CValue(100)),
          [](const QStringList& diff) {
              int shifted = 0;
              EXPECT_EQ(
                  WithoutShifts(diff, -1, &shifted),
                  QStringList({"Question 19 position: 17 -> 56", "Question 19 order: 18 -> 100"}));
              EXPECT_EQ(shifted, 39);
          });
}

// The other kinds of property value: integers, flags, numbers of responses, the volume's path
// kind, survey number and source, and a question taken out of the campaign by its composite.
TEST_F(SampleStudyCommands, PropertyChangesOfEveryKind)
{
    CCampaign& c = Campaign();
    Check(std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(11), 3, CValue(4)),
          {"Question 11 indent: 2 -> 4"});
    Check(std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(11), 9, CValue(true)),
          {"Question 11 multiple: 0 -> 1"});
    Check(
        std::make_unique<CCmdChangeQuestionShortCaption>(
            &c, c.GetQuestionById(7), 23, CCaptionValue(Text("Brands known"), kEnglish)),
        {R"~(QuestionCaption holder=7 question=7 language=2057 short: "Unaided awareness" -> "Brands known")~"});
    Check(std::make_unique<CCmdChangeModality>(&c, c.GetModalityById(8), 3, Text("2.5")),
          {"Modality 8 value: 0 -> 2.5"});
    Check(std::make_unique<CCmdChangeModality>(&c, c.GetModalityById(8), 5, CValue(true)),
          {"Modality 8 exclusive: 0 -> 1"});
    // The interviews read from the questionnaire's file, both kept relative to the campaign
    // file, in one step: the file keeps a path kind only with a path.
    const QString sss = Volume(3)->GetMetaData().SourceString;
    auto paths = std::make_unique<CMetaCmd>(63337);
    paths->AddCmd(std::make_unique<CCmdChangeVolume>(&c, Volume(3), 3, sss));
    paths->AddCmd(std::make_unique<CCmdChangeVolume>(&c, Volume(3), 1, PATH_RELATIVE));
    Check(std::move(paths),
          {QStringLiteral("Volume 3 metaData: {storage=0 format=0 string=\"%1\" survey=0} -> "
                          "{storage=0 format=1 string=\"%1\" survey=0}")
               .arg(sss),
           QStringLiteral("Volume 3 caseData: {storage=0 format=3 string=\"\" survey=0} -> "
                          "{storage=0 format=1 string=\"%1\" survey=0}")
               .arg(sss)});
    Check(std::make_unique<CCmdChangeVolume>(&c, Volume(3), 8, true), {"Volume 3 strict: 0 -> 1"});
    Check(std::make_unique<CCmdChangeVolume>(&c, Volume(3), 4, 12),
          {QStringLiteral("Volume 3 metaData: {storage=0 format=1 string=\"%1\" survey=0} -> "
                          "{storage=0 format=1 string=\"%1\" survey=12}")
               .arg(sss)});
    const QString zoz = Volume(4)->GetMetaData().SourceString;
    Check(std::make_unique<CCmdChangeVolume>(&c, Volume(4), 2, QStringLiteral("/data/other.zoz")),
          {QStringLiteral("Volume 4 metaData: {storage=0 format=0 string=\"%1\" survey=0} -> "
                          "{storage=0 format=0 string=\"/data/other.zoz\" survey=0}")
               .arg(zoz)});
    // Q5 taken out of the campaign from wave 3 on, as the question tree does it.
    auto removal = std::make_unique<CMetaChangeQuestionCmd>(63336, 13);
    removal->AddCmd(
        std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(13), 0, CValue(true)));
    removal->AddCmd(std::make_unique<CCmdChangeQuestion>(&c, c.GetQuestionById(13), 28, CValue(3)));
    Check(std::move(removal),
          {"Question 13 deleted: 0 -> 1", "Question 13 deletion: 999999999 -> 3"});
}

TEST_F(SampleStudyCommands, LanguageChanges)
{
    CCampaign& c = Campaign();
    // French as the default language, as the language command makes it (the preparation of the
    // default language's captions aside).
    auto composite = std::make_unique<CMetaCmd>(63334);
    composite->AddCmd(
        std::make_unique<CCmdChangeLanguage>(&c, c.FindLanguage(kEnglish), 0, CValue(false)));
    composite->AddCmd(
        std::make_unique<CCmdChangeLanguage>(&c, c.FindLanguage(kFrench), 0, CValue(true)));
    composite->AddCmd(std::make_unique<CCmdChangeCampaign>(&c, 0, CValue(kFrench)));
    composite->AddCmd(std::make_unique<CCmdChangeCampaign>(&c, 1, CValue(kFrench)));
    Check(std::move(composite),
          {"Campaign defaultLanguage: 2057 -> 1036", "Campaign currentLanguage: 2057 -> 1036",
           "Language 1036 default: 0 -> 1", "Language 2057 default: 1 -> 0"});

    // French (France) to French (Canada): the language and every French caption, nothing else.
    const QString before = Dump(c);
    Check(std::make_unique<CCmdChangeLanguage>(&c, c.FindLanguage(kFrench), 1, CValue(3084)),
          [&](const QStringList&) {
              QStringList expected = before.split(u'\n', Qt::SkipEmptyParts);
              for (QString& line : expected) {
                  line.replace(QStringLiteral(" language=1036 "),
                               QStringLiteral(" language=3084 "));
                  // The system's name and abbreviation follow the id.
                  if (line.startsWith(QStringLiteral("Language 1036 ")))
                      line = QStringLiteral(
                          R"~(Language 3084 default=1 name="French (Canada)" abbreviation="FRC")~");
                  line.replace(QStringLiteral("defaultLanguage=1036"),
                               QStringLiteral("defaultLanguage=3084"));
                  line.replace(QStringLiteral("currentLanguage=1036"),
                               QStringLiteral("currentLanguage=3084"));
              }
              QStringList after = Dump(c).split(u'\n', Qt::SkipEmptyParts);
              expected.sort();
              after.sort();
              EXPECT_EQ(after, expected);
              EXPECT_TRUE(before.contains(QStringLiteral(" language=1036 ")));
          });
}

TEST_F(SampleStudyCommands, OrderChanges)
{
    CCampaign& c = Campaign();
    Check(std::make_unique<CCmdSwapResponseOrder>(&c, c.GetModalityById(8), c.GetModalityById(9)),
          {"Modality 8 order: 1 -> 2", "Modality 9 order: 2 -> 1",
           "Question 8 responses: [8,9,10,11,12,13,50] -> [9,8,10,11,12,13,50]"});
    ASSERT_TRUE(app.Undo());
    // Wave 3 presents D2's bands 118, 119 and 46 (the refusal); 43 to 45 follow from before.
    Check(std::make_unique<CCmdReorderQuesModalities>(&c, c.GetWave(2), c.GetQuestionById(22)),
          {"Modality 118 order: 5 -> 4", "Modality 119 order: 6 -> 5", "Modality 46 order: 4 -> 6",
           "Question 22 responses: [43,44,45,46,118,119] -> [43,44,45,118,119,46]"});
    ASSERT_TRUE(app.Undo());
    // The whole campaign in wave 3's order: its questions numbered from 1 in array order, D2's
    // responses as above.
    auto composite = std::make_unique<CMetaOrderCampaignCmd>(63346, 3);
    composite->AddCmd(std::make_unique<CCmdOrderCampaignQuestions>(&c, c.GetWave(2)));
    composite->AddCmd(std::make_unique<CCmdOrderCampaignModalities>(&c, c.GetWave(2)));
    Check(std::move(composite), [&](const QStringList& diff) {
        EXPECT_TRUE(diff.contains(QStringLiteral(
            "Question 22 responses: [43,44,45,46,118,119] -> [43,44,45,118,119,46]")));
        for (int i = 0; i < c.GetQuestionCount(); ++i)
            EXPECT_EQ(c.GetQuestion(i)->GetOrder(), i + 1);
    });
}

TEST_F(SampleStudyCommands, NewItemsMergesAndCounts)
{
    CCampaign& c = Campaign();
    Check(
        std::make_unique<CCmdCreateChapter>(&c, Volume(2), QStringLiteral("EXTRA"), -1),
        {R"~(+ Question 59 position=57 deleted=0 order=58 shortcut="EXTRA" indent=1 elementType=0 questionType=0 dontKnow=0 semiOpen=0 scale=0 multiple=0 ranked=0 maxResponses=0 decimals=0 min=0 max=0 levelLink=0 link=-1 probability=0 dateType=0 class=0 versions="" userData="" developLevels=0 appearance=2 deletion=999999999 responses=[])~"});
    ASSERT_TRUE(app.Undo());
    Check(
        std::make_unique<CCmdNewQuestion>(&c, Volume(4), Source(4, "Q12"), -1),
        {R"~(+ Question 60 position=57 deleted=0 order=59 shortcut="Q12" indent=2 elementType=1 questionType=1 dontKnow=0 semiOpen=0 scale=0 multiple=0 ranked=0 maxResponses=1 decimals=0 min=0 max=0 levelLink=0 link=-1 probability=0 dateType=0 class=-1 versions="" userData="" developLevels=0 appearance=4 deletion=999999999 responses=[])~",
         R"~(+ QuestionCaption holder=60 question=60 language=1036 long="Utilisez-vous l'application d'un café ?" short="Application")~",
         R"~(+ QuestionCaption holder=60 question=60 language=2057 long="Do you use a coffee shop app?" short="App use")~"});
    ASSERT_TRUE(app.Undo());
    // Bean There into Q4 at order 2; its entry code, taken by Q4's own Bean There, is
    // renumbered.
    Check(
        std::make_unique<CCmdNewModality>(&c, Volume(4), c.GetQuestionById(11),
                                          Source(4, "Q2")->GetModalite(0), 2),
        {"Modality 20 order: 2 -> 3", "Modality 21 order: 3 -> 4", "Modality 22 order: 4 -> 5",
         "Modality 23 order: 5 -> 6",
         "Question 11 responses: [19,20,21,22,23] -> [19,137,20,21,22,23]",
         R"~(+ Modality 137 question=11 deleted=0 order=2 value=0 entryCode="6" exclusive=0 rotation=0 versions="" userData="" appearance=4 deletion=999999999)~",
         R"~(+ ModalityCaption holder=137 modality=137 question=11 language=1036 short="Bean There")~",
         R"~(+ ModalityCaption holder=137 modality=137 question=11 language=2057 short="Bean There")~"});
    ASSERT_TRUE(app.Undo());
    Check(std::make_unique<CCmdMergeModalities>(&c, Volume(2), c.GetModalityById(8),
                                                c.GetModalityById(9)),
          {"+ ModalityMerging volume=2 master=8 child=9"});
    ASSERT_TRUE(app.Undo());
    // Wave 2's Q2 allows a seventh answer.
    Check(std::make_unique<CCmdMaximiseResponseCnt>(&c, false),
          {"Question 8 maxResponses: 6 -> 7"});
}

TEST_F(SampleStudyCommands, MatchingChanges)
{
    CCampaign& c = Campaign();
    // Q4 (id 11) matched in volume 4 to wave 3's Q3 instead of its Q4: the inherited matching
    // and its response matchings stop after volume 2; the brands match by caption, "Other"
    // makes a new response.
    auto rematch = std::make_unique<CMetaCmd>(63342);
    rematch->AddCmd(std::make_unique<CCmdBreakQuesMatching>(&c, Volume(4), c.GetQuestionById(11),
                                                            Source(4, "Q4")));
    rematch->AddCmd(std::make_unique<CCmdCreateQuesMatching>(&c, Volume(4), c.GetQuestionById(11),
                                                             Source(4, "Q3")));
    rematch->AddCmd(
        std::make_unique<CCmdDeepRematchQuestion>(&c, Volume(4), c.GetQuestionById(11)));
    Check(
        std::move(rematch),
        {"ModalityMatching holder=1 modality=19 end: 999999999 -> 2",
         "ModalityMatching holder=1 modality=20 end: 999999999 -> 2",
         "ModalityMatching holder=1 modality=21 end: 999999999 -> 2",
         "ModalityMatching holder=1 modality=22 end: 999999999 -> 2",
         "ModalityMatching holder=1 modality=23 end: 999999999 -> 2",
         "Question 11 responses: [19,20,21,22,23] -> [19,20,21,22,23,137]",
         "QuestionMatching holder=1 question=11 end: 999999999 -> 2",
         R"~(+ Modality 137 question=11 deleted=0 order=6 value=0 entryCode="other" exclusive=0 rotation=0 versions="" userData="" appearance=4 deletion=999999999)~",
         R"~(+ ModalityCaption holder=137 modality=137 question=11 language=1036 short="Autre (préciser)")~",
         R"~(+ ModalityCaption holder=137 modality=137 question=11 language=2057 short="Other (specify)")~",
         R"~(+ ModalityMatching holder=4 modality=137 question=11 volume=4 source="97" start=4 end=999999999)~",
         R"~(+ ModalityMatching holder=4 modality=19 question=11 volume=4 source="1" start=4 end=999999999)~",
         R"~(+ ModalityMatching holder=4 modality=20 question=11 volume=4 source="2" start=4 end=999999999)~",
         R"~(+ ModalityMatching holder=4 modality=21 question=11 volume=4 source="3" start=4 end=999999999)~",
         R"~(+ ModalityMatching holder=4 modality=22 question=11 volume=4 source="4" start=4 end=999999999)~",
         R"~(+ QuestionMatching holder=4 question=11 volume=4 source="12" start=4 end=999999999)~"});
    ASSERT_TRUE(app.Undo());
    // Q4's second brand matched by hand in volume 2 to the third source brand, then matched
    // again below: volume 4's source gives it as 2.
    auto response = std::make_unique<CMetaCmd>(63341);
    response->AddCmd(std::make_unique<CCmdBreakModMatching>(&c, Volume(2), c.GetModalityById(20),
                                                            QStringLiteral("2")));
    response->AddCmd(std::make_unique<CCmdCreateModMatching>(&c, Volume(2), c.GetModalityById(20),
                                                             Source(2, "Q4")->GetModalite(2)));
    response->AddCmd(std::make_unique<CCmdDeepRematchModality>(&c, Volume(2), c.GetQuestionById(11),
                                                               0, c.GetModalityById(20)));
    Check(
        std::move(response),
        {"ModalityMatching holder=1 modality=20 end: 999999999 -> 1",
         R"~(+ ModalityMatching holder=2 modality=20 question=11 volume=2 source="3" start=2 end=2)~",
         R"~(+ ModalityMatching holder=4 modality=20 question=11 volume=4 source="2" start=4 end=999999999)~"});
    ASSERT_TRUE(app.Undo());
    Check(std::make_unique<CCmdBreakModMatching>(&c, Volume(2), c.GetModalityById(9),
                                                 QStringLiteral("2")),
          {"ModalityMatching holder=1 modality=9 end: 999999999 -> 1"});
    ASSERT_TRUE(app.Undo());
    // Q8 (id 17) from volume 2 on: volume 1's matchings stop at volume 1.
    Check(std::make_unique<CCmdDeepBreakQuesMatching>(&c, c.GetQuestionById(17), nullptr, 2),
          {"ModalityMatching holder=1 modality=27 end: 999999999 -> 1",
           "ModalityMatching holder=1 modality=28 end: 999999999 -> 1",
           "ModalityMatching holder=1 modality=29 end: 999999999 -> 1",
           "ModalityMatching holder=1 modality=30 end: 999999999 -> 1",
           "ModalityMatching holder=1 modality=31 end: 999999999 -> 1",
           "ModalityMatching holder=1 modality=32 end: 999999999 -> 1",
           "QuestionMatching holder=1 question=17 end: 999999999 -> 1"});
    ASSERT_TRUE(app.Undo());
    // Q4's second brand from volume 2 on: volume 1's matching stops at volume 1.
    Check(std::make_unique<CCmdDeepBreakModMatching>(&c, c.GetQuestionById(11),
                                                     c.GetModalityById(20), nullptr, 2),
          {"ModalityMatching holder=1 modality=20 end: 999999999 -> 1"});
    ASSERT_TRUE(app.Undo());
    Check(
        std::make_unique<CCmdRemoveModalityMatching>(&c, Volume(3)->FindModalityMatching(56)),
        {R"~(- ModalityMatching holder=3 modality=56 question=27 volume=3 source="2" start=3 end=3)~"});
    ASSERT_TRUE(app.Undo());
    const QStringList gender = {
        R"~(ModalityMatching holder=3 modality=55 question=27 volume=3 source="1" start=3 end=3)~",
        R"~(ModalityMatching holder=3 modality=56 question=27 volume=3 source="2" start=3 end=3)~",
        R"~(ModalityMatching holder=3 modality=57 question=27 volume=3 source="3" start=3 end=3)~",
        R"~(QuestionMatching holder=3 question=27 volume=3 source="1" start=3 end=3)~"};
    auto marked = [&](const char* mark) {
        QStringList lines;
        for (const QString& line : gender)
            lines << QLatin1String(mark) + line;
        return lines;
    };
    Check(std::make_unique<CCmdRemoveQuestionMatching>(&c, Volume(3)->FindQuestionMatching(27)),
          marked("- "));
    // Matched again by hand to the same source question: the Dimensions volume below matches
    // Gender to its own source question, whose answer codes 1 to 3 are no repeat of these, so it
    // keeps its response matchings and the new ones end at volume 3.
    Check(std::make_unique<CCmdCreateQuesMatching>(&c, Volume(3), c.GetQuestionById(27),
                                                   Source(3, "S1")),
          marked("+ "));
}

TEST_F(SampleStudyCommands, DuplicateFolding)
{
    CCampaign& c = Campaign();
    // The Triple-S volume's Q3 (id 32) folded into wave 1's Q3 (id 9): its responses pair by
    // caption, and its matchings in volumes 3 and 5 pass to question 9 and its responses.
    Check(
        std::make_unique<CCmdRemoveDuplicateQuestion>(&c, c.GetQuestionById(9),
                                                      c.GetQuestionById(32)),
        [](const QStringList& diff) {
            int shifted = 0;
            QStringList added;
            for (const QString& line : WithoutShifts(diff, -1, &shifted)) {
                if (line.startsWith(u'-'))
                    EXPECT_TRUE(line.contains(QStringLiteral("question=32")) ||
                                line.startsWith(QStringLiteral("- Question 32 ")))
                        << line.toStdString();
                else
                    added << line;
            }
            EXPECT_EQ(diff.size() - shifted - added.size(), 30); // everything of question 32
            EXPECT_EQ(shifted, 24);
            QStringList expected;
            for (const int volume : {3, 5}) {
                const QString end = volume == 3 ? "3" : "999999999";
                int modality = 14;
                for (const char* source : {"1", "2", "3", "4", "97"})
                    expected << QStringLiteral("+ ModalityMatching holder=%1 modality=%2 "
                                               "question=9 volume=%1 source=\"%3\" start=%1 end=%4")
                                    .arg(volume)
                                    .arg(modality++)
                                    .arg(QLatin1String(source), end);
            }
            expected
                << R"~(+ QuestionMatching holder=3 question=9 volume=3 source="12" start=3 end=3)~"
                << R"~(+ QuestionMatching holder=5 question=9 volume=5 source="595914704" start=5 end=999999999)~";
            EXPECT_EQ(added.join(u'\n'), expected.join(u'\n'));
        });
    ASSERT_TRUE(app.Undo());
    // Q2's second brand (9) folded into the first (8) from volume 2's wave on: volume 1 matches
    // both, so the duplicate's matching goes without passing.
    Check(
        std::make_unique<CCmdRemoveDuplicateModality>(&c, c.GetWave(1), Volume(2), 0,
                                                      c.GetModalityById(8), c.GetModalityById(9)),
        {"Modality 9 deleted: 0 -> 1", "Modality 9 deletion: 999999999 -> 2",
         R"~(- ModalityMatching holder=1 modality=9 question=8 volume=1 source="2" start=1 end=999999999)~"});
}

} // namespace
