#include "QuestionPageTestSupport.h"

#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PlaceHolderCommands.h"
#include "commands/PropertyCommands.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/ViewState.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DiffsOptions.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/OverviewBar.h"
#include "views/WaveGridCtrl.h"

#include <QTest>

#include <algorithm>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

namespace {

// The program's application with one command execution refused: the n-th from now on (from 1)
// fails as a failing command does, unrecorded and left with its issuer. Everything else goes to
// the application. Installs itself for its lifetime.
class CFailingExecutionApp : public IWaveApp
{
public:
    CFailingExecutionApp(CWaveApp& app, int failing) : m_app(app), m_failing(failing)
    {
        SetWaveApp(this);
    }
    ~CFailingExecutionApp() override { SetWaveApp(&m_app); }

    int Executions = 0;

    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks& callBacks,
                        const CCmdPreCallBacks* preCallBacks, std::unique_ptr<CViewState> viewState,
                        bool setModified) override
    {
        if (++Executions == m_failing)
            return false;
        return m_app.ExecuteCommand(command, callBacks, preCallBacks, std::move(viewState),
                                    setModified);
    }
    std::unique_ptr<CViewState> CaptureViewState() override { return m_app.CaptureViewState(); }
    bool Undo() override { return m_app.Undo(); }
    bool Redo() override { return m_app.Redo(); }
    bool TakeBackGroup(const GUID& groupId) override { return m_app.TakeBackGroup(groupId); }

    CCampaign* GetCampaign() const override { return m_app.GetCampaign(); }
    QString GetCampaignPath() const override { return m_app.GetCampaignPath(); }
    void SetCampaignPath(const QString& path) override { m_app.SetCampaignPath(path); }
    QString GetCampaignFilePath() const override { return m_app.GetCampaignFilePath(); }
    QString GetCampaignDataFolder() override { return m_app.GetCampaignDataFolder(); }
    CCampaignDiffsCache* GetDiffsCache() const override { return m_app.GetDiffsCache(); }
    const CLanguageSettings& GetLanguageSettings() const override
    {
        return m_app.GetLanguageSettings();
    }
    const CViewSettings& GetViewSettings() const override { return m_app.GetViewSettings(); }
    const CNGramSettings& GetNGramSettings() const override { return m_app.GetNGramSettings(); }
    const CReconciliationSettings& GetReconciliationSettings() const override
    {
        return m_app.GetReconciliationSettings();
    }
    const CEnvironmentSettings& GetEnvironmentSettings() const override
    {
        return m_app.GetEnvironmentSettings();
    }
    const CUserDefinedApp& GetUserDefinedApps() const override
    {
        return m_app.GetUserDefinedApps();
    }
    const CQuestionDiffsOptions& GetQuestionDiffsOptions() const override
    {
        return m_app.GetQuestionDiffsOptions();
    }
    const CModalityDiffsOptions& GetModalityDiffsOptions() const override
    {
        return m_app.GetModalityDiffsOptions();
    }
    bool IsQuestionDiffKindHidden(int kind) const override
    {
        return m_app.IsQuestionDiffKindHidden(kind);
    }
    bool IsModalityDiffKindHidden(int kind) const override
    {
        return m_app.IsModalityDiffKindHidden(kind);
    }
    bool IsQuestionDiffKindHiddenInDialog(int kind) const override
    {
        return m_app.IsQuestionDiffKindHiddenInDialog(kind);
    }
    bool IsModalityDiffKindHiddenInDialog(int kind) const override
    {
        return m_app.IsModalityDiffKindHiddenInDialog(kind);
    }
    const QList<CResponseCaptionGroup*>& GetCaptionGroups() const override
    {
        return m_app.GetCaptionGroups();
    }
    const QList<CResponseLibrary*>& GetCaptionLibraries() const override
    {
        return m_app.GetCaptionLibraries();
    }
    void AddPendingQuestionSourceCopy(int volumeId) override
    {
        m_app.AddPendingQuestionSourceCopy(volumeId);
    }
    void AddPendingInterviewSourceCopy(int volumeId) override
    {
        m_app.AddPendingInterviewSourceCopy(volumeId);
    }
    CWaveCmdLineInfo& GetCmdLineInfo() override { return m_app.GetCmdLineInfo(); }
    bool IsBatchRun() const override { return m_app.IsBatchRun(); }
    const CVersionInfo& GetVersionInfo() const override { return m_app.GetVersionInfo(); }

private:
    CWaveApp& m_app;
    int m_failing;
};

// A sub-command of a composite, by its class.
QString Describe(const CCmdVirtual* command)
{
    if (dynamic_cast<const CCmdChangeQuestionShortCaption*>(command))
        return QStringLiteral("short caption");
    if (dynamic_cast<const CCmdChangeQuestionLongCaption*>(command))
        return QStringLiteral("long caption");
    if (dynamic_cast<const CCmdChangeQuestion*>(command))
        return QStringLiteral("property");
    return QStringLiteral("other");
}

} // namespace

// The question differences and question actions of the reconciliation page, on the page of
// QuestionPageTestSupport.h.
class QuestionActionsTest : public CQuestionPageTest
{
protected:
    CommandHistory& History() { return app.GetCommandHistory(); }
    // The campaign as its file keeps it: without the counters of ids and orders, which new
    // items move on for good, an Undo included.
    QString StoredDump() const { return DumpCampaign(*app.GetCampaign(), DUMP_STORED); }
    int State(int row) const { return page.GetQuestionBar()->GetItemState(row - kFirst); }
    long Key(int row) const { return page.GetQuestionRows().GetId(row); }
    QString ShortCaption(int questionId)
    {
        return Campaign().GetQuestionById(questionId)->GetShortCaption(recon_test::kLanguage);
    }
    // One Undo takes everything done back, the campaign and the rows as they were before; Redo
    // puts the campaign back.
    void ExpectUndoneAndRedoneAsOne(const QString& before, const QStringList& rows)
    {
        const QString after = StoredDump();
        ASSERT_TRUE(app.Undo());
        EXPECT_EQ(History().GetUndoCount(), 0);
        EXPECT_TRUE(SameDump(StoredDump(), before));
        EXPECT_EQ(Rows(), rows);
        ASSERT_TRUE(app.Redo());
        EXPECT_TRUE(SameDump(StoredDump(), after));
    }
    // The classes of the sub-commands of the composite on top of the history.
    QStringList TopSteps()
    {
        QStringList steps;
        const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
        for (int i = 0; composite && i < composite->GetCmdCount(); ++i)
            steps << Describe(composite->GetCmd(i));
        return steps;
    }
    // "View Question Differences..." on the row.
    void ViewDifferences(int row)
    {
        SelectRow(row);
        page.OnCommand(ID_QUESTION_VIEW_DIFFERENCES);
    }
    // "Create New Campaign Question" on the row of a source question alone.
    void CreateQuestion(int row)
    {
        SelectRow(row, Page::QColSourceShortcut);
        page.OnCommand(ID_QUESTION_CREATE);
    }
    // A fix of the Update dialog: BRAND takes its source's short caption, in the dialog's group.
    void FixBrandCaption(const SFixAllDlgData& data)
    {
        CValue caption;
        caption.SetText(QStringLiteral("Brand name"));
        std::unique_ptr<CCmdVirtual> fix = std::make_unique<CCmdChangeQuestionShortCaption>(
            &Campaign(), Campaign().GetQuestionById(12), QUESTION_PROP_SHORT_CAPTION,
            CCaptionValue(caption, recon_test::kLanguage));
        fix->SetGroupId(data.GroupId);
        ASSERT_TRUE(app.ExecuteCommand(fix, {}, nullptr, nullptr, true));
    }

    CScriptedViewDialogs dialogs;
};

TEST_F(QuestionActionsTest, TheDifferencesDialogIsOpenedOnlyOnARowWithDifferences)
{
    // AGE has no differences; a source question alone has no campaign question.
    ViewDifferences(Row("AGE", "AGE"));
    ViewDifferences(Row("-", "EXTRA"));
    EXPECT_TRUE(dialogs.Calls.isEmpty());

    // BRAND's short caption differs: its context menu opens the dialog on the pair, modally.
    // Cancel changes nothing.
    view_test::CloseNextMenu(ID_QUESTION_VIEW_DIFFERENCES);
    const CPoint brand = Centre(*page.GetQuestionGrid(), Row("BRAND", "BRAND"), Page::QColShortcut);
    QTest::mouseClick(page.GetQuestionGrid()->viewport(), Qt::RightButton, {},
                      QPoint(brand.x, brand.y));
    ASSERT_EQ(dialogs.Calls, QStringList({"QuestionDiffsDlg"}));
    EXPECT_TRUE(dialogs.CalledModal.front());
    const SQuestionDiffsDlgRequest& request = dialogs.QuestionDiffsRequests.front();
    EXPECT_EQ(request.CampaignQuestion, Campaign().GetQuestionById(12));
    ASSERT_NE(request.SourceQuestion, nullptr);
    EXPECT_EQ(request.SourceQuestion->GetShortcut(), QStringLiteral("BRAND"));
    EXPECT_EQ(request.WaveId, 2);
    EXPECT_EQ(request.VolumeId, 2);
    ASSERT_EQ(request.Differences.size(), 1u);
    EXPECT_EQ(request.Differences.begin()->first, QUESTION_PROP_SHORT_CAPTION);
    EXPECT_EQ(GetDiffLanguageId(request.Differences.begin()->second), recon_test::kLanguage);
    EXPECT_EQ(History().GetUndoCount(), 0);
}

TEST_F(QuestionActionsTest, TheChosenValuesChangeTheQuestionInOneStep)
{
    // BRAND differs by its question type (5), its short (23) and its long caption (24); as an
    // open question, by its response count (25) too.
    CQuestionDiffsOptions options = app.GetQuestionDiffsOptions();
    for (const int kind : {QUESTION_PROP_QUESTION_TYPE, QUESTION_PROP_LONG_CAPTION})
        options.SetEnabled(kind, true);
    app.SetQuestionDiffsOptions(options);
    Campaign().GetQuestionById(12)->SetQuestionType(4);
    Load();
    const int brand = Row("BRAND", "BRAND");
    ASSERT_EQ(State(brand), Page::RowDiffers);
    const QString before = Dump();

    struct SCase
    {
        int Result;
        CDiffsDlgResults Values; // question type, short caption, long caption, response count
        QStringList Steps;
        int Type;
        QString Short, Long;
        int StateAfter;
    };
    const auto none = std::nullopt;
    const SCase cases[] = {
        // Nothing chosen: no command.
        {IDOK, {none, none, none, none}, {}, 4, "Brand", "Brand (long)", Page::RowDiffers},
        {IDOK,
         {none, QString("Brand name"), none, none},
         {"short caption"},
         4,
         "Brand name",
         "Brand (long)",
         Page::RowDiffers},
        // An empty text is a value like any other.
        {IDOK,
         {none, QString(), none, none},
         {"short caption"},
         4,
         "",
         "Brand (long)",
         Page::RowDiffers},
        // Update All hands back the values: the row no longer differs.
        {ID_DIFFS_UPDATE_ALL,
         {QString("1"), QString("Brand name"), QString("Brand name (long)"), none},
         {"property", "short caption", "long caption"},
         1,
         "Brand name",
         "Brand name (long)",
         Page::RowMatched},
    };
    for (const SCase& test : cases) {
        const QString what = test.Steps.join(u',');
        dialogs.QueueResults({test.Result});
        dialogs.DiffsAnswer = test.Values;
        ViewDifferences(brand);
        ASSERT_EQ(dialogs.QuestionDiffsRequests.back().Differences.size(), 4u);
        const CQuestion* question = Campaign().GetQuestionById(12);
        EXPECT_EQ(question->GetQuestionType(), test.Type) << qPrintable(what);
        EXPECT_EQ(question->GetShortCaption(recon_test::kLanguage), test.Short) << qPrintable(what);
        EXPECT_EQ(question->GetLongCaption(recon_test::kLanguage), test.Long) << qPrintable(what);
        EXPECT_EQ(State(brand), test.StateAfter) << qPrintable(what);
        if (test.Steps.isEmpty()) {
            EXPECT_EQ(History().GetUndoCount(), 0);
            continue;
        }
        ASSERT_EQ(History().GetUndoCount(), 1) << qPrintable(what);
        EXPECT_NE(dynamic_cast<const CMetaChangeQuestionCmd*>(History().GetUndoTopCommand()),
                  nullptr);
        EXPECT_EQ(TopSteps(), test.Steps);
        EXPECT_EQ(QText(brand, Page::QColShortCaption), test.Short) << qPrintable(what);
        // A row whose colours change fades to them after Do only.
        EXPECT_EQ(page.GetFadeCount() > 0, test.StateAfter != Page::RowDiffers) << qPrintable(what);
        page.StopFades();

        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(Dump(), before)) << qPrintable(what);
        EXPECT_EQ(State(brand), Page::RowDiffers);
        EXPECT_EQ(QText(brand, Page::QColShortCaption), QStringLiteral("Brand"));
        EXPECT_EQ(page.GetFadeCount(), 0);
        ASSERT_TRUE(app.Redo());
        EXPECT_EQ(State(brand), test.StateAfter) << qPrintable(what);
        EXPECT_EQ(page.GetFadeCount(), 0);
        ASSERT_TRUE(app.Undo());
    }
}

TEST_F(QuestionActionsTest, NewQuestionMakesACampaignQuestionOfTheSourceQuestion)
{
    const QString before = StoredDump();
    const QStringList rows = Rows();
    dialogs.QueueResults({ID_DIFFS_NEW_ITEM});
    ViewDifferences(Row("BRAND", "BRAND"));

    // BRAND keeps its row without source; the source question's row, right below it, is the new
    // question's, put after BRAND.
    const int brand = Row("BRAND", "-");
    ASSERT_GE(brand, kFirst);
    ASSERT_EQ(Rows().mid(brand - kFirst, 2), QStringList({"BRAND/-/-", "BRAND/BRAND/Online"}));
    const int made = int(page.GetNewQuestionId());
    EXPECT_GT(made, 18);
    EXPECT_EQ(Key(brand + 1), made);
    const CQuestion* question = Campaign().GetQuestionById(made);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetOrder(), Campaign().GetQuestionById(12)->GetOrder() + 1);
    EXPECT_EQ(question->GetShortCaption(recon_test::kLanguage), QStringLiteral("Brand name"));
    EXPECT_EQ(online->FindQuestionMatching(12), nullptr);
    ASSERT_NE(online->FindQuestionMatching(made), nullptr);
    // Its response made from the source's.
    EXPECT_EQ(question->GetModalityCount(), 1);
    EXPECT_EQ(State(brand + 1), Page::RowMatched);
    // Three steps, undone and redone as one.
    EXPECT_EQ(History().GetUndoCount(), 3);
    ExpectUndoneAndRedoneAsOne(before, rows);
}

TEST_F(QuestionActionsTest, AFailingStepTakesBackOnlyTheEarlierStepsOfItsRoad)
{
    // An earlier step of the user's, which stays.
    SelectRow(Row("AGE", "AGE") + 1);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    ASSERT_EQ(History().GetUndoCount(), 1);
    const CCmdVirtual* earlier = History().GetUndoTopCommand();
    const QString before = StoredDump();
    const QStringList rows = Rows();

    struct SCase
    {
        bool FromDifferences; // New Question of the differences dialog, else Create
        int FailingStep;
    };
    for (const SCase test : {SCase{true, 2}, SCase{true, 3}, SCase{false, 2}, SCase{false, 3}}) {
        const QString what =
            QStringLiteral("%1 step %2").arg(test.FromDifferences).arg(test.FailingStep);
        windows.Prompts.clear();
        {
            const CFailingExecutionApp failing(app, test.FailingStep);
            if (test.FromDifferences) {
                dialogs.QueueResults({ID_DIFFS_NEW_ITEM});
                ViewDifferences(Row("BRAND", "BRAND"));
            } else {
                CreateQuestion(Row("-", "EXTRA"));
            }
            EXPECT_EQ(failing.Executions, test.FailingStep) << qPrintable(what);
        }
        // The failure is shown; the road's done steps are taken out of the history, and
        // nothing older: there is nothing of the road to redo.
        EXPECT_EQ(windows.Prompts, QStringList({"no error information available"}))
            << qPrintable(what);
        EXPECT_TRUE(SameDump(StoredDump(), before)) << qPrintable(what);
        EXPECT_EQ(Rows(), rows) << qPrintable(what);
        EXPECT_EQ(History().GetUndoCount(), 1) << qPrintable(what);
        EXPECT_EQ(History().GetUndoTopCommand(), earlier) << qPrintable(what);
        EXPECT_EQ(History().GetRedoCount(), 0) << qPrintable(what);
        EXPECT_FALSE(app.IsRedoEnabled()) << qPrintable(what);
        EXPECT_FALSE(app.Redo()) << qPrintable(what);
        EXPECT_TRUE(SameDump(StoredDump(), before)) << qPrintable(what);
    }
    // The earlier step is still the one Undo takes back.
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_EQ(Row("AGE", "AGE"), kFirst);
}

TEST_F(QuestionActionsTest, ReOrderCampaignResponsesFollowsTheSource)
{
    // REGION's first two responses in the reverse of the source's order.
    CQuestion* region = Campaign().GetQuestionById(11);
    Campaign().GetModalityById(111)->SetModalityOrder(2);
    Campaign().GetModalityById(112)->SetModalityOrder(1);
    Load();
    SelectRow(Row("REGION", "REGION"));
    ASSERT_EQ(ResponseRows().mid(0, 2), QStringList({"South/South", "North/North"}));
    const QString before = StoredDump();

    page.OnCommand(ID_QUESTION_REORDER_RESPONSES);
    EXPECT_NE(dynamic_cast<const CCmdReorderQuesModalities*>(History().GetUndoTopCommand()),
              nullptr);
    // The matched responses in the source's order, the others each after the one before it.
    EXPECT_EQ(ResponseRows(), QStringList({"North/North", "West/-", "Central/-", "South/South",
                                           "-/East", "-/Middle"}));
    EXPECT_EQ(page.GetCurrentQuestionId(), region->GetQuestionId());
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(StoredDump(), before));
    EXPECT_EQ(ResponseRows().mid(0, 2), QStringList({"South/South", "North/North"}));
}

// "Create New Campaign Question" on EXTRA of Online, with a campaign question EXTRA (19, responses
// 191 "Yes" and 192 "Maybe") that first appears in volume 4 "Later" of wave 3.
struct SCreateCase
{
    const char* Name;
    std::function<void(CQuestion& candidate, CVolume& later, CVolume& phone)> Setup;
    bool Reused;
};

void PrintTo(const SCreateCase& test, std::ostream* out)
{
    *out << test.Name;
}

class CreateCampaignQuestionTest : public QuestionActionsTest,
                                   public ::testing::WithParamInterface<SCreateCase>
{
protected:
    CreateCampaignQuestionTest()
    {
        CWave* autumn = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
        later = view_test::AddVolume(Campaign(), *autumn, 4, QStringLiteral("Later"),
                                     VOLUME_RECONCILED);
        candidate = recon_test::AddQuestion(Campaign(), 19, 10, "EXTRA", "Extra", 4);
        recon_test::AddResponse(Campaign(), *candidate, 191, "Yes");
        recon_test::AddResponse(Campaign(), *candidate, 192, "Maybe");
        recon_test::AddSourceResponse(*extra, 1, "Yes");
        recon_test::AddSourceResponse(*extra, 2, "No");
        // Responses are matched by their short captions.
        online->SetResponseMatchingMethods({2});
    }

    CVolume* later = nullptr;
    CQuestion* candidate = nullptr;
};

TEST_P(CreateCampaignQuestionTest, ASourceQuestionTakesALaterQuestionOfItsShortcutOrANewOne)
{
    GetParam().Setup(*candidate, *later, *phone);
    Load();
    const QString before = StoredDump();
    const QStringList rows = Rows();
    const int row = Row("-", "EXTRA");
    ASSERT_GE(row, kFirst);
    CreateQuestion(row);
    EXPECT_TRUE(windows.Prompts.isEmpty()) << windows.Prompts.join(u'\n').toStdString();

    // The source question's row now holds the campaign question, matched in Online.
    const int taken = int(Key(row));
    EXPECT_EQ(QText(row, Page::QColSourceShortcut), QStringLiteral("EXTRA"));
    EXPECT_EQ(Row("-", "EXTRA"), -1);
    ASSERT_NE(online->FindQuestionMatching(taken), nullptr);
    EXPECT_EQ(Campaign().GetQuestionById(taken)->GetAppearanceVolumeId(), 2);
    if (GetParam().Reused) {
        EXPECT_EQ(taken, 19);
        EXPECT_EQ(History().GetUndoCount(), 1);
        EXPECT_NE(dynamic_cast<const CMetaChangeQuesAppVolIDCmd*>(History().GetUndoTopCommand()),
                  nullptr);
        // The response Online matches appears there now; the one it does not match still first
        // appears in Later; the source response no campaign response had is a new one.
        EXPECT_EQ(Campaign().GetModalityById(191)->GetAppearanceVolumeId(), 2);
        EXPECT_EQ(Campaign().GetModalityById(192)->GetAppearanceVolumeId(), 4);
        ASSERT_EQ(candidate->GetModalityCount(), 3);
        for (const CModality* response : candidate->GetModalities()) {
            if (response->GetModalityId() > 192) {
                EXPECT_EQ(response->GetAppearanceVolumeId(), 2);
            }
        }
    } else {
        EXPECT_NE(taken, 19);
        EXPECT_EQ(taken, page.GetNewQuestionId());
        EXPECT_EQ(History().GetUndoCount(), 3);
        // Made of the source question, with its two responses, after the last question.
        EXPECT_EQ(Campaign().GetQuestionById(taken)->GetModalityCount(), 2);
        EXPECT_EQ(Campaign().GetQuestionById(taken)->GetOrder(), 11);
    }
    ExpectUndoneAndRedoneAsOne(before, rows);
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, CreateCampaignQuestionTest,
    ::testing::Values(
        SCreateCase{"Reused", [](CQuestion&, CVolume&, CVolume&) {}, true},
        SCreateCase{"ReusedWhateverTheCase",
                    [](CQuestion& candidate, CVolume&, CVolume&) {
                        candidate.SetShortcut(QStringLiteral("extra"));
                    },
                    true},
        // Matched in a volume of a later wave only.
        SCreateCase{"ReusedThoughMatchedInALaterWave",
                    [](CQuestion&, CVolume& later, CVolume&) {
                        recon_test::AddSourceQuestion(later, 1, "EXTRA", "Extra");
                        recon_test::MatchQuestion(later, 19, 1);
                    },
                    true},
        SCreateCase{"NewForAnotherElementType",
                    [](CQuestion& candidate, CVolume&, CVolume&) { candidate.SetElementType(2); },
                    false},
        SCreateCase{"NewForAnotherQuestionType",
                    [](CQuestion& candidate, CVolume&, CVolume&) { candidate.SetQuestionType(4); },
                    false},
        SCreateCase{
            "NewForARemovedQuestion",
            [](CQuestion& candidate, CVolume&, CVolume&) { candidate.SetDeletionWaveId(3); },
            false},
        SCreateCase{"NewForAQuestionAppearingBefore",
                    [](CQuestion& candidate, CVolume&, CVolume&) {
                        candidate.SetAppearanceVolumeId(1);
                        for (CModality* response : candidate.GetModalities())
                            response->SetAppearanceVolumeId(1);
                    },
                    false},
        SCreateCase{"NewForAQuestionMatchedInTheWave",
                    [](CQuestion&, CVolume&, CVolume& phone) {
                        recon_test::AddSourceQuestion(phone, 11, "EXTRAP", "Extra");
                        recon_test::MatchQuestion(phone, 19, 11);
                    },
                    false},
        SCreateCase{"NewWithoutAQuestionOfTheShortcut",
                    [](CQuestion& candidate, CVolume&, CVolume&) {
                        candidate.SetShortcut(QStringLiteral("OTHER"));
                    },
                    false}),
    [](const ::testing::TestParamInfo<SCreateCase>& info) { return info.param.Name; });

TEST_F(QuestionActionsTest, AnUpdateThatFixesNothingLeavesTheHistoryAsItWas)
{
    const CWaveDiffsEntry* entry = app.GetDiffsCache()->GetWaveEntry(2, false);
    ASSERT_NE(entry, nullptr);
    dialogs.QueueResults({IDOK});
    page.OnCommand(ID_UPDATE_ALL_QUESTIONS);
    ASSERT_EQ(dialogs.Calls, QStringList({"FixAllDlg"}));
    EXPECT_TRUE(dialogs.CalledModal.front());
    const SFixAllDlgData& given = dialogs.FixAllInputs.front();
    EXPECT_EQ(given.WaveId, 2);
    EXPECT_FALSE(given.GroupId == GUID());
    EXPECT_EQ(given.QuestionDifferences.Size(), entry->GetQuestionDiffs().Size());
    EXPECT_GT(given.QuestionDifferences.Count({12, 2}), 0);
    EXPECT_EQ(given.ModalityDifferences.Size(), entry->GetModalityDiffs().Size());
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_FALSE(app.IsModified());

    // After a change of the user's, the campaign stays modified and the change undoable; once
    // saved, it is no longer modified.
    SelectRow(Row("AGE", "AGE") + 1);
    page.OnCommand(ID_QUESTION_BREAK_MATCHING);
    const CCmdVirtual* earlier = History().GetUndoTopCommand();
    dialogs.QueueResults({IDOK});
    page.RunUpdate();
    EXPECT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(History().GetUndoTopCommand(), earlier);
    EXPECT_TRUE(app.IsModified());
    app.MarkSaved();
    dialogs.QueueResults({IDOK});
    page.RunUpdate();
    EXPECT_EQ(History().GetUndoTopCommand(), earlier);
    EXPECT_FALSE(app.IsModified());
}

TEST_F(QuestionActionsTest, AnUpdateWithFixesIsOneUndoableStep)
{
    struct SCase
    {
        // Whether the dialog's differences show the fix. Without, the fix is kept all the same.
        bool Reported;
    };
    const int brand = Row("BRAND", "BRAND");
    const QString before = Dump();
    for (const SCase test : {SCase{true}, SCase{false}}) {
        dialogs.QueueResults({IDOK});
        dialogs.FixAllEdit = [&](SFixAllDlgData& data) {
            FixBrandCaption(data);
            data.CommandsRun = 1;
            if (test.Reported)
                data.QuestionDifferences.EraseKey({12, 2});
        };
        page.RunUpdate();
        EXPECT_EQ(ShortCaption(12), QStringLiteral("Brand name"));
        // The opening place holder, the fix and the closing one.
        ASSERT_EQ(History().GetUndoCount(), 3);
        EXPECT_NE(dynamic_cast<const CCmdPlaceHolder*>(History().GetUndoTopCommand()), nullptr);
        EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("fix all differences"));
        EXPECT_TRUE(app.IsModified());
        if (test.Reported) {
            EXPECT_EQ(State(brand), Page::RowMatched);
        }

        ASSERT_TRUE(app.Undo());
        EXPECT_EQ(History().GetUndoCount(), 0);
        EXPECT_TRUE(SameDump(Dump(), before));
        EXPECT_FALSE(app.IsModified());
        // The page shows the wave again once the step is undone, and redone.
        EXPECT_EQ(State(brand), Page::RowDiffers);
        EXPECT_EQ(QText(brand, Page::QColShortCaption), QStringLiteral("Brand"));
        ASSERT_TRUE(app.Redo());
        EXPECT_EQ(State(brand), Page::RowMatched);
        EXPECT_EQ(QText(brand, Page::QColShortCaption), QStringLiteral("Brand name"));
        ASSERT_TRUE(app.Undo());
    }
}
