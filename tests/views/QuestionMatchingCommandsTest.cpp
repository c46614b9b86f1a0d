#include "QuestionPageTestSupport.h"

#include "commands/MatchingCallBackInfo.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCmd.h"
#include "commands/ReconcileCommands.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Language.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/WaveReconciliation.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/GridDrag.h"
#include "support/views/SampleCampaign.h"
#include "views/WaveGridCtrl.h"

#include <QTemporaryDir>
#include <QTest>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

namespace {

// A sub-command of a matching composite: "Break" or "Create", the campaign question, the
// source question and the volume.
QString Describe(const CCmdVirtual& command)
{
    const std::unique_ptr<CCallBackInfo> record = command.CreateCallBackInfo();
    if (const auto* made = dynamic_cast<const CCallBackInfoCreateQuesMatching*>(record.get()))
        return QStringLiteral("Create %1/%2@%3")
            .arg(made->Question->GetShortcut(), made->SourceQuestion->GetShortcut(),
                 made->Volume->GetName());
    if (const auto* broken = dynamic_cast<const CCallBackInfoBreakQuesMatching*>(record.get()))
        return QStringLiteral("Break %1/%2@%3")
            .arg(broken->Question->GetShortcut(), broken->SourceQuestion->GetShortcut(),
                 broken->Volume->GetName());
    return QStringLiteral("other");
}

} // namespace

// The question matching commands of the reconciliation page, on the page of
// QuestionPageTestSupport.h.
class QuestionMatchingCommandsTest : public CQuestionPageTest
{
protected:
    CommandHistory& History() { return app.GetCommandHistory(); }
    // The steps of the composite on top of the history.
    QStringList TopSteps()
    {
        QStringList steps;
        const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
        for (int i = 0; composite && i < composite->GetCmdCount(); ++i)
            steps << Describe(*composite->GetCmd(i));
        return steps;
    }
    CCellID SourceCell(const QString& campaign, const QString& source)
    {
        return CCellID(Row(campaign, source), Page::QColSourceShortcut);
    }
    CCellID CampaignCell(const QString& campaign, const QString& source)
    {
        return CCellID(Row(campaign, source), Page::QColShortcut);
    }
    bool Deleted(int questionId)
    {
        const CQuestion* question = Campaign().GetQuestionById(questionId);
        return question->IsDeleted() && question->GetDeletionWaveId() == 2;
    }
};

TEST_F(QuestionMatchingCommandsTest, ADropRematchesInOneCompositeThatTheRowsFollow)
{
    struct SCase
    {
        QString FromCampaign, FromSource, ToCampaign, ToSource;
        QStringList Steps;
        QStringList Rows;
        bool Offered; // the removal of the question left behind
    };
    const SCase cases[] = {
        {"AGE",
         "AGE",
         "NUM",
         "-",
         {"Break AGE/AGE@Online", "Create NUM/AGE@Online"},
         // Phone still matches AGE: a fill shows no row of AGE without a source.
         {"AGE/AGE/Phone", "REGION/REGION/Online", "BRAND/BRAND/Online", "SPARE/-/-",
          "FRESH/FRESH/Online", "OLD/-/-", "NUM/AGE/Online", "LOOP/LOOP/Phone",
          "INLOOP/INLOOP/Phone", "-/EXTRA/Online", "-/NEWQ/Phone"},
         false},
        {"-",
         "EXTRA",
         "SPARE",
         "-",
         {"Create SPARE/EXTRA@Online"},
         {"AGE/AGE/Online", "AGE/AGE/Phone", "REGION/REGION/Online", "BRAND/BRAND/Online",
          "SPARE/EXTRA/Online", "FRESH/FRESH/Online", "OLD/-/-", "NUM/-/-", "LOOP/LOOP/Phone",
          "INLOOP/INLOOP/Phone", "-/NEWQ/Phone"},
         false},
        {"-",
         "EXTRA",
         "REGION",
         "REGION",
         {"Break REGION/REGION@Online", "Create REGION/EXTRA@Online"},
         {"AGE/AGE/Online", "AGE/AGE/Phone", "REGION/EXTRA/Online", "-/REGION/Online",
          "BRAND/BRAND/Online", "SPARE/-/-", "FRESH/FRESH/Online", "OLD/-/-", "NUM/-/-",
          "LOOP/LOOP/Phone", "INLOOP/INLOOP/Phone", "-/NEWQ/Phone"},
         false},
        {"FRESH",
         "FRESH",
         "BRAND",
         "BRAND",
         {"Break FRESH/FRESH@Online", "Break BRAND/BRAND@Online", "Create BRAND/FRESH@Online"},
         {"AGE/AGE/Online", "AGE/AGE/Phone", "REGION/REGION/Online", "BRAND/FRESH/Online",
          "-/BRAND/Online", "SPARE/-/-", "FRESH/-/-", "OLD/-/-", "NUM/-/-", "LOOP/LOOP/Phone",
          "INLOOP/INLOOP/Phone", "-/EXTRA/Online", "-/NEWQ/Phone"},
         true},
    };
    const QString before = Dump();
    const QStringList rowsBefore = Rows();
    for (const SCase& test : cases) {
        const QString what = test.FromSource + QStringLiteral(" onto ") + test.ToCampaign;
        windows.Prompts.clear();
        // Yes to the confirmation, No to the removal offer.
        windows.QueueAnswers({IDYES});
        if (test.Offered) {
            windows.QueueAnswers({IDNO});
        }
        ASSERT_TRUE(DragQuestion(SourceCell(test.FromCampaign, test.FromSource),
                                 CampaignCell(test.ToCampaign, test.ToSource)))
            << qPrintable(what);
        EXPECT_EQ(TopSteps(), test.Steps) << qPrintable(what);
        EXPECT_EQ(Rows(), test.Rows) << qPrintable(what);
        EXPECT_EQ(windows.Prompts.size(), test.Offered ? 2 : 1) << qPrintable(what);
        if (test.Offered) {
            EXPECT_EQ(windows.Prompts.last(),
                      QStringLiteral("Do you want to remove the campaign question 'FRESH' that "
                                     "the rematched source question was originally matched "
                                     "to?"));
        }
        EXPECT_FALSE(page.IsQuestionPickOn());
        EXPECT_EQ(page.GetQuestionPickCell(), CCellID());

        // One Undo takes the whole composite back, and the rows with it.
        ASSERT_TRUE(app.Undo()) << qPrintable(what);
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(what);
        EXPECT_EQ(Rows().size(), rowsBefore.size()) << qPrintable(what);
        for (const QString& row : rowsBefore)
            EXPECT_TRUE(Rows().contains(row)) << qPrintable(what + u' ' + row);
        EXPECT_EQ(QuestionNumbers(), QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12"));
        Load();
    }
}

TEST_F(QuestionMatchingCommandsTest, ARefusedConfirmationOrADropOnItsOwnRowChangesNothing)
{
    const QString before = Dump();
    // A drop on the row it came from only ends the mode.
    EXPECT_TRUE(DragQuestion(SourceCell("AGE", "AGE"), CampaignCell("AGE", "AGE")));
    EXPECT_TRUE(windows.Prompts.isEmpty());
    windows.QueueAnswers({IDNO});
    EXPECT_TRUE(DragQuestion(SourceCell("-", "EXTRA"), CampaignCell("SPARE", "-")));
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_FALSE(page.IsQuestionPickOn());
}

TEST_F(QuestionMatchingCommandsTest, ThePickModeEndsWithAClickOnTheTargetRow)
{
    page.SelectQuestionRow(Row("-", "NEWQ"), Page::QColSourceShortcut);
    page.OnCommand(ID_QUESTION_REMATCH);
    // A click on the row it started from only ends the mode.
    const CPoint own = Centre(*page.GetQuestionGrid(), Row("-", "NEWQ"), Page::QColShortcut);
    QTest::mouseClick(page.GetQuestionGrid()->viewport(), Qt::LeftButton, {}, QPoint(own.x, own.y));
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_TRUE(windows.Prompts.isEmpty());

    page.SelectQuestionRow(Row("-", "NEWQ"), Page::QColSourceShortcut);
    page.OnCommand(ID_QUESTION_REMATCH);
    windows.QueueAnswers({IDYES});
    const CPoint target = Centre(*page.GetQuestionGrid(), Row("NUM", "-"), Page::QColShortcut);
    QTest::mouseClick(page.GetQuestionGrid()->viewport(), Qt::LeftButton, {},
                      QPoint(target.x, target.y));
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(TopSteps(), QStringList({"Create NUM/NEWQ@Phone"}));
    EXPECT_GE(Row("NUM", "NEWQ"), kFirst);
    EXPECT_EQ(Row("-", "NEWQ"), -1);
    // The rematched row is the current one, its responses shown.
    EXPECT_EQ(page.GetQuestionGrid()->GetFocusCell().row, Row("NUM", "NEWQ"));
    EXPECT_EQ(page.GetCurrentQuestionId(), 16);
}

TEST_F(QuestionMatchingCommandsTest, TheRemovalIsOfferedOnlyForAQuestionThatFirstAppearedInTheWave)
{
    // FRESH appeared in Online: Yes to the offer removes it without asking again.
    windows.QueueAnswers({IDYES, IDYES});
    ASSERT_TRUE(DragQuestion(SourceCell("FRESH", "FRESH"), CampaignCell("SPARE", "-")));
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_TRUE(windows.Prompts[1].startsWith(QStringLiteral("Do you want to remove")));
    EXPECT_TRUE(Deleted(14));
    EXPECT_EQ(History().GetUndoCount(), 2);
    // Removed in this wave, FRESH stays listed, without its source question.
    EXPECT_GE(Row("FRESH", "-"), kFirst);
    EXPECT_GE(Row("SPARE", "FRESH"), kFirst);

    // AGE appeared in wave 1: nothing is offered.
    windows.Prompts.clear();
    windows.QueueAnswers({IDYES});
    ASSERT_TRUE(DragQuestion(SourceCell("AGE", "AGE"), CampaignCell("NUM", "-")));
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_FALSE(Campaign().GetQuestionById(10)->IsDeleted());
}

TEST_F(QuestionMatchingCommandsTest, BreakThisMatchingSplitsTheRowInOneUndoableStep)
{
    const QString before = Dump();
    page.SelectQuestionRow(Row("AGE", "AGE") + 1, Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    // Online still matches AGE: the Phone row goes to the source question.
    EXPECT_EQ(Rows().mid(0, 3),
              QStringList({"AGE/AGE/Online", "-/AGE/Phone", "REGION/REGION/Online"}));
    EXPECT_EQ(Campaign().FindVolume(3)->FindQuestionMatchingInherited(10, 3), nullptr);
    EXPECT_EQ(History().GetUndoCount(), 1);
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
    EXPECT_EQ(Rows().mid(0, 3),
              QStringList({"AGE/AGE/Online", "AGE/AGE/Phone", "REGION/REGION/Online"}));
}

TEST_F(QuestionMatchingCommandsTest, RemovingAQuestionAsksAboutItsSubQuestions)
{
    struct SCase
    {
        int Answer;
        bool SubQuestionToo;
    };
    const SCase cases[] = {{IDYES, true}, {IDNO, false}, {IDCANCEL, false}};
    const QString before = Dump();
    for (const SCase& test : cases) {
        windows.Prompts.clear();
        windows.QueueAnswers({test.Answer});
        ASSERT_TRUE(page.RemoveCampaignQuestion(Campaign().GetQuestionById(17), true));
        ASSERT_EQ(windows.Prompts.size(), 1);
        EXPECT_EQ(windows.Prompts[0],
                  QStringLiteral("This question has 1 sub-questions. Would you like to remove "
                                 "the sub questions, too?"));
        EXPECT_EQ(windows.PromptTypes.back(), unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
        EXPECT_TRUE(Deleted(17));
        EXPECT_EQ(Deleted(18), test.SubQuestionToo);
        // The matchings of the removed questions in the wave are broken.
        EXPECT_EQ(phone->FindQuestionMatchingInherited(17, 3), nullptr);
        EXPECT_EQ(phone->FindQuestionMatchingInherited(18, 3) == nullptr, test.SubQuestionToo);
        EXPECT_EQ(Row("LOOP", "LOOP"), -1);
        EXPECT_GE(Row("-", "LOOP"), kFirst);

        // One Undo gives back the flags, the deletion waves and the matchings.
        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before));
        EXPECT_GE(Row("LOOP", "LOOP"), kFirst);
        EXPECT_GE(Row("INLOOP", "INLOOP"), kFirst);
    }
}

TEST_F(QuestionMatchingCommandsTest, RemovingAQuestionWithoutSubQuestionsAsksOnlyWhenTold)
{
    windows.QueueAnswers({IDNO});
    EXPECT_FALSE(page.RemoveCampaignQuestion(Campaign().GetQuestionById(10), true));
    EXPECT_EQ(windows.Prompts,
              QStringList({"Are you sure you want to remove this question from the campaign?"}));
    EXPECT_FALSE(Campaign().GetQuestionById(10)->IsDeleted());

    // Remove Campaign Question on the focused row: AGE is matched in both volumes.
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColShortcut);
    windows.QueueAnswers({IDYES});
    page.OnCommand(ID_QUESTION_REMOVE);
    EXPECT_TRUE(Deleted(10));
    const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
    ASSERT_NE(composite, nullptr);
    // Two deep breaks, the deleted flag and the deletion wave.
    EXPECT_EQ(composite->GetCmdCount(), 4);
    EXPECT_EQ(online->FindQuestionMatchingInherited(10, 2), nullptr);
    EXPECT_EQ(phone->FindQuestionMatchingInherited(10, 3), nullptr);
    EXPECT_GE(Row("-", "AGE"), kFirst);

    // Without asking, and without a question, nothing is asked.
    windows.Prompts.clear();
    EXPECT_TRUE(page.RemoveCampaignQuestion(Campaign().GetQuestionById(13), false));
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_TRUE(Deleted(13));
    EXPECT_FALSE(page.RemoveCampaignQuestion(nullptr, true));
}

// Wave 1 "Spring" has the single-choice question G, its answers 101 M "Male" and 102 F
// "Female" matched in volume 1 "First"; wave 2 "Summer" renames it G_w2, with the same answers,
// in volume 2 "Second", a root or a child of volume 1 as the parameter says. The volumes'
// questionnaires are in English (United Kingdom) where the campaign's captions are in English
// (United States), and they match questions by shortcut only, so that wave 2's reconciliation
// (run by the program's own command) makes G_w2 a campaign question of its own; the page shows
// wave 2.
class RematchedQuestionAnswersTest : public CReconPageTest,
                                     public ::testing::WithParamInterface<bool>
{
protected:
    static constexpr int kSourceLanguage = 2057;

    void SetUp() override
    {
        CWave* spring = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        first = view_test::AddVolume(Campaign(), *spring, 1, QStringLiteral("First"),
                                     VOLUME_RECONCILED);
        CWave* summer = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
        second = view_test::AddVolume(Campaign(), *summer, 2, QStringLiteral("Second"),
                                      VOLUME_UNRECONCILED, GetParam() ? 1 : -1);
        for (CVolume* volume : {first, second}) {
            volume->SetQuestionMatchingMethods({1});
            volume->SetResponseMatchingMethods({2});
        }
        gender = recon_test::AddQuestion(Campaign(), 10, 1, "G", "Gender", 1);
        recon_test::AddResponse(Campaign(), *gender, 101, "Male");
        recon_test::AddResponse(Campaign(), *gender, 102, "Female");
        AddGenderSource(*first, "G");
        recon_test::MatchQuestion(*first, 10, 1);
        recon_test::MatchResponse(*first, *gender, 101, 1);
        recon_test::MatchResponse(*first, *gender, 102, 2);
        AddGenderSource(*second, "G_w2");

        std::unique_ptr<CCmdVirtual> reconcile =
            MakeReconcileWaveCmd(&Campaign(), summer, SReconcileWaveOptions{});
        ASSERT_TRUE(app.ExecuteCommand(reconcile, {}, nullptr, nullptr, true));
        app.GetCommandHistory().Clear();
        renamed = Campaign().FindQuestionByShortcut(QStringLiteral("G_w2"));
        ASSERT_NE(renamed, nullptr);
        ASSERT_NE(renamed, gender);
        ASSERT_EQ(second->FindQuestionMatchingInherited(10, 2), nullptr);
        app.GetDiffsCache()->InvalidateWave(0);
        ASSERT_TRUE(page.LoadWave(2));
    }

    // The source question of the shortcut, with the answers 1 "Male" and 2 "Female", its
    // captions in kSourceLanguage only.
    static void AddGenderSource(CVolume& volume, const QString& shortcut)
    {
        qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        questionnaire.AddLanguage(qnr::CLanguage(kSourceLanguage));
        questionnaire.SetDefaultLanguageId(kSourceLanguage);
        auto question = std::make_unique<qnr::CQuestion>();
        question->SetCodeQuestion(1);
        question->SetShortcut(shortcut);
        question->SetTypeQuestion(1);
        question->SetTypeElement(1);
        question->SetIndent(1);
        question->SetCaptions(kSourceLanguage, QStringLiteral("Gender (long)"),
                              QStringLiteral("Gender"));
        int code = 1;
        for (const char* caption : {"Male", "Female"}) {
            auto answer = std::make_unique<qnr::CModalite>();
            answer->SetCode(code++);
            answer->SetShortCaption(kSourceLanguage, QString::fromLatin1(caption));
            question->AddModalite(std::move(answer));
        }
        questionnaire.AddQuestion(std::move(question));
        questionnaire.PreparerSaisie();
    }

    CommandHistory& History() { return app.GetCommandHistory(); }
    QString Dump() const { return DumpCampaign(*app.GetCampaign(), DUMP_STORED); }
    // The question grid's row of the campaign and source shortcuts ("-" for none); -1 when none.
    int Row(const QString& campaign, const QString& source) const
    {
        const auto shown = [](const QString& text) {
            return text == QStringLiteral("Not matched") ? QStringLiteral("-") : text;
        };
        for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
            if (shown(QText(row, Page::QColShortcut)) == campaign &&
                shown(QText(row, Page::QColSourceShortcut)) == source)
                return row;
        return -1;
    }
    // The source code that each answer of G is matched to in volume 2 ("-" for none), joined
    // by ",", and G's answers.
    QString MatchedAnswers() const
    {
        QStringList codes;
        for (const CModality* answer : gender->GetModalities()) {
            const CModalityMatching* matching =
                second->FindModalityMatchingInherited(answer->GetModalityId(), 2);
            codes << QStringLiteral("%1>%2")
                         .arg(answer->GetModalityId())
                         .arg(matching ? matching->GetModalitySourceId() : QStringLiteral("-"));
        }
        return codes.join(u',');
    }
    // Source G_w2 re-matched onto campaign G by a drop, or by the pick mode and a click.
    void Rematch(bool byDrop)
    {
        // The source question's row: with campaign question G_w2, or alone once broken.
        int from = Row("G_w2", "G_w2");
        if (from < kFirst)
            from = Row("-", "G_w2");
        const int to = Row("G", "-");
        ASSERT_GE(from, kFirst);
        ASSERT_GE(to, kFirst);
        if (byDrop) {
            ASSERT_TRUE(DragCell(*page.GetQuestionGrid(), CCellID(from, Page::QColSourceShortcut),
                                 CCellID(to, Page::QColShortcut)));
            return;
        }
        page.SelectQuestionRow(from, Page::QColSourceShortcut);
        page.OnCommand(ID_QUESTION_REMATCH);
        const CPoint target = CellCentre(*page.GetQuestionGrid(), to, Page::QColShortcut);
        QTest::mouseClick(page.GetQuestionGrid()->viewport(), Qt::LeftButton, {},
                          QPoint(target.x, target.y));
    }
    // After a re-match: G holds G_w2 in volume 2 with its own two answers, matched to the
    // source answers; no campaign answer was made.
    void ExpectAnswersMatched(const char* when)
    {
        EXPECT_GE(Row("G", "G_w2"), kFirst) << when;
        EXPECT_EQ(gender->GetModalityCount(), 2) << when;
        EXPECT_EQ(MatchedAnswers(), QStringLiteral("101>1,102>2")) << when;
        EXPECT_EQ(Campaign().GetModalityCount(), modalities) << when;
    }

    CVolume* first = nullptr;
    CVolume* second = nullptr;
    CQuestion* gender = nullptr;
    CQuestion* renamed = nullptr;
    int modalities = 0;
};

TEST_P(RematchedQuestionAnswersTest, TheQuestionsOwnAnswersTakeTheSourceAnswers)
{
    modalities = Campaign().GetModalityCount();
    for (const bool byDrop : {true, false}) {
        const char* road = byDrop ? "drop" : "pick";
        const QString before = Dump();
        // Yes to the confirmation; G_w2, left behind, stays.
        windows.QueueAnswers({IDYES, IDNO});
        Rematch(byDrop);
        ExpectAnswersMatched(road);
        EXPECT_EQ(History().GetUndoCount(), 1) << road;
        const QString after = Dump();

        ASSERT_TRUE(app.Undo()) << road;
        EXPECT_TRUE(SameDump(Dump(), before)) << road;
        EXPECT_EQ(MatchedAnswers(), QStringLiteral("101>-,102>-")) << road;
        ASSERT_TRUE(app.Redo()) << road;
        EXPECT_TRUE(SameDump(Dump(), after)) << road;
        ExpectAnswersMatched(road);

        // Broken and re-matched again, the pair's answers are matched again.
        page.SelectQuestionRow(Row("G", "G_w2"), Page::QColShortcut);
        page.OnCommand(ID_QUESTION_BREAK_MATCHING);
        EXPECT_EQ(MatchedAnswers(), QStringLiteral("101>-,102>-")) << road;
        windows.QueueAnswers({IDYES});
        Rematch(byDrop);
        ExpectAnswersMatched(road);

        // Back to the start for the other road.
        while (History().CanUndo())
            ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before)) << road;
        History().Clear();
    }
}

// With source items shown in the campaign's current language (English (United States)), the
// questionnaire in English (United Kingdom) still shows its captions: in the language that
// wave 2's reconciliation compares them in, after the fill and after the rows are rewritten by
// a break and a re-match.
TEST_P(RematchedQuestionAnswersTest, SourceCaptionsShowTheQuestionnairesText)
{
    CLanguageSettings language = app.GetLanguageSettings();
    language.SetSourceItems(0);
    app.SetLanguageSettings(language);
    ASSERT_TRUE(page.LoadWave(2));
    const auto sourceCaptions = [this](int row) {
        return QRow(row, {Page::QColSourceShortCaption, Page::QColSourceLongCaption});
    };
    // The source captions of the response grid's rows, for the question row selected.
    const auto responseCaptions = [this](int row) {
        page.SelectQuestionRow(row, Page::QColShortcut);
        QStringList captions;
        for (int r = kFirst; r < page.GetResponseGrid()->GetRowCount(); ++r)
            captions << RText(r, Page::RColSourceCaption);
        return captions.join(u'|');
    };
    const QString gender = QStringLiteral("Gender|Gender (long)");
    const QString answers = QStringLiteral("Male|Female");

    ASSERT_GE(Row("G_w2", "G_w2"), kFirst);
    EXPECT_EQ(sourceCaptions(Row("G_w2", "G_w2")), gender);
    EXPECT_EQ(responseCaptions(Row("G_w2", "G_w2")), answers);

    page.SelectQuestionRow(Row("G_w2", "G_w2"), Page::QColShortcut);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    ASSERT_GE(Row("-", "G_w2"), kFirst);
    EXPECT_EQ(sourceCaptions(Row("-", "G_w2")), gender);
    EXPECT_EQ(responseCaptions(Row("-", "G_w2")), answers);

    windows.QueueAnswers({IDYES, IDNO});
    Rematch(true);
    ASSERT_GE(Row("G", "G_w2"), kFirst);
    EXPECT_EQ(sourceCaptions(Row("G", "G_w2")), gender);
    EXPECT_EQ(responseCaptions(Row("G", "G_w2")), answers);
}

INSTANTIATE_TEST_SUITE_P(Volume2, RematchedQuestionAnswersTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "InheritingFromVolume1" : "Root";
                         });

// End to end on the sample campaign: a drop on the page of wave 2, its Undo and Redo.
TEST(QuestionMatchingSampleTest, ADropUndoneAndRedoneGivesTheSameCampaigns)
{
    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    QString error;
    ASSERT_TRUE(sample_campaign::BuildSampleCampaign(
        app, folder.filePath(QStringLiteral("sample.duv")), error))
        << qPrintable(error);
    CCampaign& campaign = *app.GetCampaign();
    CRightReconciliationPage page;
    page.resize(1100, 700);
    page.show();
    const int waveId = campaign.GetWave(1)->GetWaveId();
    ASSERT_TRUE(page.LoadWave(waveId));

    // The first matched row whose source question another matched row can take.
    CWaveGridCtrl& grid = *page.GetQuestionGrid();
    CCellID from, to;
    for (int a = grid.GetFixedRowCount(); a < grid.GetRowCount() && from.row < 0; ++a)
        for (int b = grid.GetFixedRowCount(); b < grid.GetRowCount(); ++b)
            if (a != b && page.GetCampaignQuestionAtRow(a) && page.GetCampaignQuestionAtRow(b) &&
                page.IsSourceQuestionCell(CCellID(a, Page::QColSourceShortcut)) &&
                page.IsSourceQuestionCell(CCellID(b, Page::QColSourceShortcut)) &&
                page.GetCampaignQuestionAtRow(a) != page.GetCampaignQuestionAtRow(b) &&
                page.CanRematchQuestion(CCellID(a, Page::QColSourceShortcut),
                                        CCellID(b, Page::QColShortcut))) {
                from = CCellID(a, Page::QColSourceShortcut);
                to = CCellID(b, Page::QColShortcut);
                break;
            }
    ASSERT_GE(from.row, 0);
    const QString source = grid.GetCellText(from.row, Page::QColSourceShortcut);
    const QString target = grid.GetCellText(to.row, Page::QColShortcut);

    const QString before = DumpCampaign(campaign);
    // Yes to the confirmation; No should the question left behind be offered for removal.
    windows.QueueAnswers({IDYES, IDNO});
    ASSERT_TRUE(DragCell(grid, from, to));
    const QString after = DumpCampaign(campaign);
    ASSERT_NE(after, before);
    // The target row now shows the dragged source question.
    bool shown = false;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        shown = shown || (grid.GetCellText(row, Page::QColShortcut) == target &&
                          grid.GetCellText(row, Page::QColSourceShortcut) == source);
    EXPECT_TRUE(shown) << qPrintable(source + " onto " + target);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
    ASSERT_TRUE(app.Redo());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), after));
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
}
