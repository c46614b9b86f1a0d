#include "PaneTestSupport.h"

#include "commands/MetaCmd.h"
#include "commands/PropertyCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "reconcile/DiffsCache.h"
#include "res/SourceFileFilter.h"
#include "views/LeftView.h"
#include "views/RightView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <variant>

using namespace pelko_wave;
using namespace pane_test;

namespace {

const QDir kSummaryData(QStringLiteral(PLIM_TEST_DATA_DIR "/summary"));

const QString kSourceConfirmation = QStringLiteral(
    "You have made earlier changes to this campaign. If the volume \nsource path is changed you "
    "will not be able to Undo or Redo \nthese earlier changes (these changes will not be lost and "
    "will \nnot be saved until you save the campaign). \n\nDo you want to change the volume "
    "source path?");

QString NotTheSame(const QString& path)
{
    return QStringLiteral("The file '%1' is not \nexactly the same as the source file originally "
                          "used to define this volume\nand may cause reconciliation errors in the "
                          "DUV.\n\nAre you sure you wish to change the files? ")
        .arg(path);
}

} // namespace

// The pane on the campaign of PaneTestSupport.h, with the campaign tree beside it, shown and
// active so that the grid's editors work as they do for a user.
class PropertyEditsTest : public CViewTest
{
public:
    PropertyEditsTest() : user(pane)
    {
        BuildPaneCampaign(Campaign());
        left.SetPanes(&right, &pane);
        left.ResetAfterLoad();
        pane.resize(460, 520);
        ShowActive(pane);
    }

    CommandHistory& History() { return app.GetCommandHistory(); }
    CCmdVirtual* Top() { return History().GetUndoTopCommand(); }

    // Shows the object of the kind (0 campaign, 1 wave, 2 volume) as the tree does.
    void Show(int kind, int id)
    {
        if (kind == CBottomView::ShownCampaign)
            left.SelectCampaign(0);
        else if (kind == CBottomView::ShownWave)
            left.SelectWaveItem(id, 0);
        else
            left.SelectVolumeItem(id, 0);
    }
    HITEM Slot(int slot) { return pane.GetSlotItem(slot); }

    CPaneControlDialogs choosers;
    CPaneViewDialogs dialogs;
    CRightView right;
    CBottomView pane;
    CLeftView left;
    CPaneUser user;
};

TEST_F(PropertyEditsTest, EachEditBecomesTheCommandOfItsPropertyAndUndoShowsTheOldValue)
{
    // The object shown, the edit of the slot, and the command expected: its property and value.
    using Value = std::variant<QString, int, bool, QList<quint32>, ESourcePathFormat>;
    const struct
    {
        int Kind;
        int Id;
        int Slot;
        std::function<void(PropertyEditsTest&)> Edit;
        int Property;
        Value Expected;
    } rows[] = {
        {CBottomView::ShownCampaign, 0, CBottomView::CampaignName,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::CampaignName), "Coffee"); },
         CAMPAIGN_PROP_NAME, QStringLiteral("Coffee")},
        {CBottomView::ShownCampaign, 0, CBottomView::CampaignDescription,
         [](PropertyEditsTest& t) {
             t.choosers.TextAnswer = QStringLiteral("Two\nlines");
             t.user.Open(t.Slot(CBottomView::CampaignDescription));
         },
         // The text dialog ends its lines with CR LF.
         CAMPAIGN_PROP_DESCRIPTION, QStringLiteral("Two\r\nlines")},
        {CBottomView::ShownWave, 1, CBottomView::WaveName,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::WaveName), "Early"); },
         WAVE_PROP_NAME, QStringLiteral("Early")},
        {CBottomView::ShownWave, 1, CBottomView::WaveDescription,
         [](PropertyEditsTest& t) {
             t.choosers.TextAnswer = QStringLiteral("First & best");
             t.user.Open(t.Slot(CBottomView::WaveDescription));
         },
         WAVE_PROP_DESCRIPTION, QStringLiteral("First & best")},
        {CBottomView::ShownWave, 1, CBottomView::WaveStart,
         [](PropertyEditsTest& t) {
             t.user.Pick(t.Slot(CBottomView::WaveStart), {2024, 2, 20});
         },
         WAVE_PROP_START, QStringLiteral("2024-02-20T00:00:00.000")},
        {CBottomView::ShownWave, 1, CBottomView::WaveMidpoint,
         [](PropertyEditsTest& t) {
             t.user.Pick(t.Slot(CBottomView::WaveMidpoint), {2024, 3, 10});
         },
         WAVE_PROP_MIDPOINT, QStringLiteral("2024-03-10T00:00:00.000")},
        {CBottomView::ShownWave, 1, CBottomView::WaveEnd,
         [](PropertyEditsTest& t) {
             t.user.Pick(t.Slot(CBottomView::WaveEnd), {2024, 4, 5});
         },
         WAVE_PROP_END, QStringLiteral("2024-04-05T00:00:00.000")},
        {CBottomView::ShownVolume, 1, CBottomView::VolumeName,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::VolumeName), "Web"); },
         VOLUME_PROP_NAME, QStringLiteral("Web")},
        {CBottomView::ShownVolume, 1, CBottomView::VolumePathFormat,
         [](PropertyEditsTest& t) { t.user.Choose(t.Slot(CBottomView::VolumePathFormat), 2); },
         VOLUME_PROP_PATH_FORMAT, PATH_UNC},
        {CBottomView::ShownVolume, 3, CBottomView::VolumeQuestionDb,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::VolumeQuestionDb), "DSN=x"); },
         VOLUME_PROP_QUESTIONNAIRE_SOURCE, QStringLiteral("DSN=x")},
        {CBottomView::ShownVolume, 3, CBottomView::VolumeQuestionSurvey,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::VolumeQuestionSurvey), "8"); },
         VOLUME_PROP_QUESTIONNAIRE_SURVEY, 8},
        {CBottomView::ShownVolume, 2, CBottomView::VolumeInterviewDb,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::VolumeInterviewDb), "DSN=y"); },
         VOLUME_PROP_INTERVIEW_SOURCE, QStringLiteral("DSN=y")},
        {CBottomView::ShownVolume, 2, CBottomView::VolumeInterviewSurvey,
         [](PropertyEditsTest& t) { t.user.Type(t.Slot(CBottomView::VolumeInterviewSurvey), "9"); },
         VOLUME_PROP_INTERVIEW_SURVEY, 9},
        {CBottomView::ShownVolume, 1, CBottomView::VolumeQuestionMethods,
         [](PropertyEditsTest& t) {
             t.dialogs.Methods = {1, 3};
             t.dialogs.QueueResults({IDOK});
             t.user.Open(t.Slot(CBottomView::VolumeQuestionMethods));
         },
         VOLUME_PROP_QUESTION_METHODS, QList<quint32>({1, 3})},
        {CBottomView::ShownVolume, 2, CBottomView::VolumeResponseMethods,
         [](PropertyEditsTest& t) {
             t.dialogs.Methods = {3};
             t.dialogs.QueueResults({IDOK});
             t.user.Open(t.Slot(CBottomView::VolumeResponseMethods));
         },
         VOLUME_PROP_RESPONSE_METHODS, QList<quint32>({3})},
        {CBottomView::ShownVolume, 1, CBottomView::VolumeCaseSensitive,
         [](PropertyEditsTest& t) { t.user.Choose(t.Slot(CBottomView::VolumeCaseSensitive), 0); },
         VOLUME_PROP_CASE_SENSITIVE, true},
        {CBottomView::ShownVolume, 2, CBottomView::VolumeParentValues,
         [](PropertyEditsTest& t) { t.user.Choose(t.Slot(CBottomView::VolumeParentValues), 1); },
         VOLUME_PROP_ANCESTOR_VALUES, false},
        {CBottomView::ShownVolume, 1, CBottomView::VolumeStrict,
         [](PropertyEditsTest& t) { t.user.Choose(t.Slot(CBottomView::VolumeStrict), 1); },
         VOLUME_PROP_STRICT, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << row.Kind << " slot " << row.Slot);
        Show(row.Kind, row.Id);
        const QString before = ShownText(pane, row.Slot);
        const int count = History().GetUndoCount();
        row.Edit(*this);
        ASSERT_EQ(History().GetUndoCount(), count + 1);
        EXPECT_NE(History().GetUndoTopSnapshot(), nullptr);
        Value issued;
        int property = -1;
        if (auto* campaign = dynamic_cast<CCmdChangeCampaign*>(Top())) {
            property = campaign->GetProperty();
            issued = campaign->GetNewValue().GetText();
        } else if (auto* wave = dynamic_cast<CCmdChangeWave*>(Top())) {
            property = wave->GetProperty();
            issued = wave->GetNewValue().GetText();
        } else if (auto* volume = dynamic_cast<CCmdChangeVolume*>(Top())) {
            property = volume->GetProperty();
            std::visit([&](const auto& value) { issued = value; }, volume->GetNewValue());
        }
        EXPECT_EQ(property, row.Property);
        EXPECT_EQ(issued, row.Expected);
        EXPECT_NE(ShownText(pane, row.Slot), before);
        // Undo refills the pane with what the campaign holds again.
        EXPECT_TRUE(app.Undo());
        EXPECT_EQ(ShownText(pane, row.Slot), before);
        EXPECT_EQ(pane.GetGrid()->GetFocusedItem(), CPropertyGrid::NO_ITEM);
        EXPECT_TRUE(app.Redo());
        EXPECT_NE(ShownText(pane, row.Slot), before);
        EXPECT_TRUE(app.Undo());
    }
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join('|'));
}

TEST_F(PropertyEditsTest, EditsThatChangeNothingIssueNothing)
{
    // The wave's own name, "(not set)" in any case, an edit left with Escape, the same flag, the
    // same date and the same methods.
    Show(CBottomView::ShownWave, 1);
    user.Type(Slot(CBottomView::WaveName), QStringLiteral("Spring"));
    user.Type(Slot(CBottomView::WaveName), QStringLiteral("(NOT set)"));
    // The pane shows the campaign's name again, not the text typed.
    EXPECT_EQ(ShownText(pane, CBottomView::WaveName), QStringLiteral("Spring"));
    user.Open(Slot(CBottomView::WaveName));
    QTest::keyClick(pane.GetGrid()->GetEditor(), Qt::Key_Escape);
    user.Pick(Slot(CBottomView::WaveStart), {2024, 3, 1});

    Show(CBottomView::ShownVolume, 1);
    user.Choose(Slot(CBottomView::VolumeStrict), 0);
    user.Choose(Slot(CBottomView::VolumePathFormat), 0);
    dialogs.Methods = {2, 0};
    dialogs.QueueResults({IDOK});
    user.Open(Slot(CBottomView::VolumeQuestionMethods));
    // A cancelled dialog does not even reach the pane.
    dialogs.Methods = {5};
    dialogs.QueueResults({IDCANCEL});
    user.Open(Slot(CBottomView::VolumeQuestionMethods));
    EXPECT_EQ(pane.GetQuestionMethodsItem().GetMatchingMethods(), QList<quint32>({2, 0}));

    // A read-only item, or an unknown volume's, makes nothing either.
    pane.OnPropertyItemChanged(Slot(CBottomView::VolumeId));
    pane.OnPropertyItemChanged(CPropertyGrid::NO_ITEM);

    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_EQ(dialogs.Calls, QStringList({"methods", "methods"}));
    // The dialog had the volume's list and ran inside the modal state.
    EXPECT_EQ(dialogs.MethodsGiven.front(), QList<quint32>({2, 0}));
    EXPECT_EQ(dialogs.MethodKinds.front(), CMatchingMethodsItem::QuestionMethods);
    EXPECT_TRUE(dialogs.CalledModal.front());
    EXPECT_FALSE(app.IsModalState());
}

TEST_F(PropertyEditsTest, AConnectionsPasswordIsShownMaskedAndKeptUntilRetyped)
{
    const QString secret =
        QStringLiteral("QPSQL;Host=db.example.org;User=ann;Password=s3cret;Database=phone");
    CVolume& phone = *Campaign().FindVolume(2);
    phone.SetCaseData({1, PATH_UNKNOWN, secret, 7});
    Show(CBottomView::ShownVolume, 2);
    const QString masked = QStringLiteral(
        "QPSQL;Host=db.example.org;User=ann;Password=\u2022\u2022\u2022\u2022\u2022\u2022\u2022"
        "\u2022;Database=phone");
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeInterviewDb), masked);

    // Ends an edit of the item with the text as the editor holds it.
    const auto edit = [this](const QString& text) {
        user.Open(Slot(CBottomView::VolumeInterviewDb));
        auto* editor = qobject_cast<CPropertyGridInPlaceEdit*>(pane.GetGrid()->GetEditor());
        ASSERT_NE(editor, nullptr);
        EXPECT_FALSE(editor->text().contains(QStringLiteral("s3cret")));
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
    };
    // Left as shown: nothing changes.
    edit(masked);
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_EQ(phone.GetCaseData().SourceString, secret);

    // Another database, the password left masked: the volume keeps its password.
    QString other = masked;
    other.replace(QStringLiteral("Database=phone"), QStringLiteral("Database=mobile"));
    edit(other);
    ASSERT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(phone.GetCaseData().SourceString,
              QStringLiteral("QPSQL;Host=db.example.org;User=ann;Password=s3cret;Database=mobile"));
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeInterviewDb), other);

    // A password typed anew is taken, and shown masked.
    edit(QStringLiteral("QPSQL;Host=db.example.org;User=ann;Password=n3w;Database=mobile"));
    ASSERT_EQ(History().GetUndoCount(), 2);
    EXPECT_EQ(phone.GetCaseData().SourceString,
              QStringLiteral("QPSQL;Host=db.example.org;User=ann;Password=n3w;Database=mobile"));
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeInterviewDb), other);
    EXPECT_TRUE(app.Undo());
    EXPECT_TRUE(app.Undo());
    EXPECT_EQ(phone.GetCaseData().SourceString, secret);
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeInterviewDb), masked);
}

TEST_F(PropertyEditsTest, MovingAWaveBoundaryMovesTheMidpointsAllowedRangeAtOnce)
{
    Show(CBottomView::ShownWave, 1);
    user.Pick(Slot(CBottomView::WaveStart), {2024, 3, 5});
    QDateTime minimum;
    QDateTime maximum;
    ASSERT_TRUE(pane.GetGrid()->GetDateRange(Slot(CBottomView::WaveMidpoint), minimum, maximum));
    EXPECT_EQ(minimum.date(), QDate(2024, 3, 5));
    EXPECT_EQ(maximum.date(), QDate(2024, 3, 31));
    user.Pick(Slot(CBottomView::WaveEnd), {2024, 3, 25});
    ASSERT_TRUE(pane.GetGrid()->GetDateRange(Slot(CBottomView::WaveMidpoint), minimum, maximum));
    EXPECT_EQ(minimum.date(), QDate(2024, 3, 5));
    EXPECT_EQ(maximum.date(), QDate(2024, 3, 25));
    EXPECT_EQ(Campaign().FindWave(1)->GetWaveEnd().date(), QDate(2024, 3, 25));
}

TEST_F(PropertyEditsTest, AFailedCommandShowsItsErrorAndTheCampaignsValue)
{
    Show(CBottomView::ShownVolume, 1);
    // No method has id 9: the command refuses the list.
    dialogs.Methods = {9};
    dialogs.QueueResults({IDOK});
    user.Open(Slot(CBottomView::VolumeQuestionMethods));
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeQuestionMethods),
              QStringLiteral("Short caption; Internal code"));
    EXPECT_EQ(pane.GetQuestionMethodsItem().GetMatchingMethods(), QList<quint32>({2, 0}));
}

TEST_F(PropertyEditsTest, UndoingASurveyChangeRefillsThePaneAndEmptiesTheDifferenceCache)
{
    Show(CBottomView::ShownVolume, 3);
    CWaveDiffsEntry* entry = app.GetDiffsCache()->GetWaveEntry(1, true);
    entry->SetWholeWaveInvalid(false);
    user.Type(Slot(CBottomView::VolumeQuestionSurvey), QStringLiteral("12"));
    EXPECT_EQ(Campaign().FindVolume(3)->GetMetaData().SurveyID, 12);
    EXPECT_TRUE(entry->IsWholeWaveInvalid());

    entry->SetWholeWaveInvalid(false);
    left.SelectCampaign(0);
    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(entry->IsWholeWaveInvalid());
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownVolume);
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeQuestionSurvey), QStringLiteral("3"));

    // The interview survey leaves the cache alone.
    entry->SetWholeWaveInvalid(false);
    Show(CBottomView::ShownVolume, 2);
    user.Type(Slot(CBottomView::VolumeInterviewSurvey), QStringLiteral("8"));
    EXPECT_FALSE(entry->IsWholeWaveInvalid());
}

// Languages ------------------------------------------------------------------------------------

TEST_F(PropertyEditsTest, ChoosingAnotherDefaultLanguageRunsOneCompositeStep)
{
    Show(CBottomView::ShownCampaign, 0);
    dialogs.DefaultPosition = 1; // French
    dialogs.CurrentPosition = 2; // German
    dialogs.QueueResults({IDOK});
    user.Open(Slot(CBottomView::CampaignLanguage));
    ASSERT_EQ(History().GetUndoCount(), 1);
    const auto* meta = dynamic_cast<CMetaCmd*>(Top());
    ASSERT_NE(meta, nullptr);
    EXPECT_EQ(meta->GetName(), QStringLiteral("change language"));
    // English loses the flag, French takes it, the campaign's default follows, the default
    // language's captions are prepared, and the current language changes.
    ASSERT_EQ(meta->GetCmdCount(), 5);
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 1036);
    EXPECT_EQ(Campaign().GetCurrentLanguageId(), 1031);
    EXPECT_FALSE(Campaign().FindLanguage(2057)->IsDefault());
    EXPECT_TRUE(Campaign().FindLanguage(1036)->IsDefault());
    EXPECT_EQ(ShownText(pane, CBottomView::CampaignLanguage),
              QStringLiteral("French (France) [default]; German (Germany) [current]; English "
                             "(United Kingdom)"));

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 2057);
    EXPECT_EQ(Campaign().GetCurrentLanguageId(), 2057);
    EXPECT_TRUE(Campaign().FindLanguage(2057)->IsDefault());
    EXPECT_FALSE(Campaign().FindLanguage(1036)->IsDefault());
}

TEST_F(PropertyEditsTest, OnlyTheCurrentLanguageOrNothingChanges)
{
    Show(CBottomView::ShownCampaign, 0);
    // The same default and current: nothing; a position past the list: nothing.
    for (const auto& [defaultPosition, currentPosition] :
         std::vector<std::pair<int, int>>{{0, 0}, {-1, 1}, {0, 3}}) {
        dialogs.DefaultPosition = defaultPosition;
        dialogs.CurrentPosition = currentPosition;
        dialogs.QueueResults({IDOK});
        user.Open(Slot(CBottomView::CampaignLanguage));
    }
    EXPECT_EQ(History().GetUndoCount(), 0);

    // Only another current language: one campaign command.
    dialogs.DefaultPosition = 0;
    dialogs.CurrentPosition = 2;
    dialogs.QueueResults({IDOK});
    user.Open(Slot(CBottomView::CampaignLanguage));
    ASSERT_EQ(History().GetUndoCount(), 1);
    const auto* command = dynamic_cast<CCmdChangeCampaign*>(Top());
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->GetProperty(), CAMPAIGN_PROP_CURRENT_LANGUAGE);
    EXPECT_EQ(command->GetNewValue().GetText(), QStringLiteral("1031"));

    // Cancel keeps the item's positions.
    dialogs.DefaultPosition = 2;
    dialogs.QueueResults({IDCANCEL});
    user.Open(Slot(CBottomView::CampaignLanguage));
    int defaultPosition = -5;
    int currentPosition = -5;
    pane.GetLanguagesItem().GetSelection(defaultPosition, currentPosition);
    EXPECT_EQ(defaultPosition, 0);
    EXPECT_EQ(currentPosition, 2);
    EXPECT_EQ(History().GetUndoCount(), 1);
}

// Source files ---------------------------------------------------------------------------------

// A campaign reconciled from the summary tests' wave1.zoz; its volume 1 "Online" is shown.
class SourceFileEditsTest : public PropertyEditsTest
{
protected:
    SourceFileEditsTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        std::unique_ptr<CCmdVirtual> wave =
            std::make_unique<CCmdNewWave>(&Campaign(), -1, QStringLiteral("Spring"), QString(),
                                          QDateTime(), QDateTime(), QDateTime());
        EXPECT_TRUE(app.ExecuteCommand(wave, {}, nullptr, nullptr, true));
        SNewVolumeProperties properties;
        properties.QuestionMatchingMethods = {0, 1};
        properties.ResponseMatchingMethods = {0, 1};
        properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
        properties.MetaData.SourceString = Copy(QStringLiteral("wave1.zoz"));
        properties.CaseData = properties.MetaData;
        std::unique_ptr<CCmdVirtual> volume = std::make_unique<CCmdNewVolume>(
            &Campaign(), Campaign().GetWave(0), QStringLiteral("Online"), properties);
        EXPECT_TRUE(app.ExecuteCommand(volume, {}, nullptr, nullptr, true));
        std::unique_ptr<CCmdVirtual> reconcile = std::make_unique<CCmdReconcileWave>(
            &Campaign(), Campaign().GetWave(0), SReconcileWaveOptions{});
        EXPECT_TRUE(app.ExecuteCommand(reconcile, {}, nullptr, nullptr, true));
        original = Campaign().GetWave(0)->GetVolume(0)->GetMetaData().SourceString;
        windows.Prompts.clear();
        left.ResetAfterLoad();
        left.SelectVolumeItem(Campaign().GetWave(0)->GetVolume(0)->GetVolumeId(), 0);
    }

    // A copy of a file of the summary tests in the test's folder.
    QString Copy(const QString& name)
    {
        const QString path = folder.filePath(QStringLiteral("%1-%2").arg(++copies).arg(name));
        EXPECT_TRUE(QFile::copy(kSummaryData.filePath(name), path));
        return path;
    }
    // Chooses the file in the question (or interview) source file item.
    void ChooseSource(const QString& path, bool question = true)
    {
        choosers.FileAnswer = path;
        user.Open(
            Slot(question ? CBottomView::VolumeQuestionFile : CBottomView::VolumeInterviewFile));
    }
    const CVolume& Volume() { return *Campaign().GetWave(0)->GetVolume(0); }

    QTemporaryDir folder;
    int copies = 0;
    QString original;
};

TEST_F(SourceFileEditsTest, TheChoosersListEveryQuestionnaireTheProgramReadsFirst)
{
    // A ZOZ volume's question and interview files, chosen again (and cancelled): the chooser
    // gets the one list of the program's source formats, not the ZOZ list alone.
    for (bool question : {true, false}) {
        choosers.LastFilter.clear();
        ChooseSource(QString(), question);
        EXPECT_EQ(choosers.LastFilter, SourceFileFilter()) << question;
    }
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_EQ(Volume().GetMetaData().SourceString, original);
}

TEST_F(SourceFileEditsTest, TheSameQuestionsAskOnlyTheConfirmationAndEndTheUndoableSteps)
{
    const int before = History().GetUndoCount();
    ASSERT_GT(before, 0);
    const QString same = Copy(QStringLiteral("wave1.zoz"));
    ChooseSource(same);
    EXPECT_EQ(windows.Prompts, QStringList({kSourceConfirmation}));
    EXPECT_EQ(windows.PromptTypes.front(), unsigned(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Volume().GetMetaData().SourceString, same);
    ASSERT_EQ(History().GetUndoCount(), before + 1);
    EXPECT_TRUE(Top()->IsHistoryBarrier());
    // The change itself can be taken back, the steps before it no longer.
    EXPECT_TRUE(app.Undo());
    EXPECT_EQ(Volume().GetMetaData().SourceString, original);
    EXPECT_FALSE(History().CanUndo());
    EXPECT_FALSE(app.IsUndoEnabled());
}

TEST_F(SourceFileEditsTest, ACampaignWithoutUnsavedChangesIsNotWarnedOfThem)
{
    // Saved: there are no unsaved changes for the warning to speak of.
    app.MarkSaved();
    ASSERT_FALSE(app.IsModified());
    const int before = History().GetUndoCount();
    const QString same = Copy(QStringLiteral("wave1.zoz"));
    ChooseSource(same);
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join(u'|'));
    EXPECT_EQ(Volume().GetMetaData().SourceString, same);
    ASSERT_EQ(History().GetUndoCount(), before + 1);
    // The steps before the change still end there.
    EXPECT_TRUE(Top()->IsHistoryBarrier());

    // Modified again by that change: the next one warns.
    ASSERT_TRUE(app.IsModified());
    ChooseSource(Copy(QStringLiteral("wave1.zoz")));
    EXPECT_EQ(windows.Prompts, QStringList({kSourceConfirmation}));
}

TEST_F(SourceFileEditsTest, ADifferentFileAsksTwiceAndNoKeepsTheOldPath)
{
    const QString other = Copy(QStringLiteral("wave2.zoz"));
    // No to the confirmation, then No to the second question, then Yes to both.
    windows.QueueAnswers({IDNO});
    ChooseSource(other);
    EXPECT_EQ(windows.Prompts, QStringList({kSourceConfirmation}));
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeQuestionFile), original);

    windows.Prompts.clear();
    windows.QueueAnswers({IDYES, IDNO});
    ChooseSource(other);
    EXPECT_EQ(windows.Prompts, QStringList({kSourceConfirmation, NotTheSame(other)}));
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeQuestionFile), original);
    EXPECT_EQ(Volume().GetMetaData().SourceString, original);

    windows.Prompts.clear();
    windows.QueueAnswers({IDYES, IDYES});
    const int before = History().GetUndoCount();
    ChooseSource(other);
    EXPECT_EQ(windows.Prompts.size(), 2);
    EXPECT_EQ(Volume().GetMetaData().SourceString, other);
    EXPECT_EQ(History().GetUndoCount(), before + 1);
}

TEST_F(SourceFileEditsTest, AMissingOrUnreadableFileIsRefusedAfterTheConfirmation)
{
    const QString missing = folder.filePath(QStringLiteral("missing.zoz"));
    ChooseSource(missing);
    EXPECT_EQ(windows.Prompts,
              QStringList({kSourceConfirmation,
                           QStringLiteral("The file '%1' does not exist.").arg(missing)}));
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeQuestionFile), original);

    windows.Prompts.clear();
    const QString garbage = folder.filePath(QStringLiteral("garbage.zoz"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a questionnaire");
    file.close();
    ChooseSource(garbage);
    EXPECT_EQ(
        windows.Prompts,
        QStringList({kSourceConfirmation,
                     QStringLiteral("The file '%1' is not in a supported format.").arg(garbage)}));
    EXPECT_EQ(Volume().GetMetaData().SourceString, original);
    EXPECT_EQ(History().CanUndo(), true);
}

TEST_F(SourceFileEditsTest, InterviewSourcesChangeWithoutTheConfirmationOrTheBarrier)
{
    // A reconciled volume's interview file is still compared with its matchings.
    const QString same = Copy(QStringLiteral("wave1.zoz"));
    ChooseSource(same, false);
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_EQ(Volume().GetCaseData().SourceString, same);
    EXPECT_FALSE(Top()->IsHistoryBarrier());
    EXPECT_TRUE(app.Undo());
    EXPECT_TRUE(History().CanUndo());

    // An unreconciled volume takes any existing file at once.
    std::unique_ptr<CCmdVirtual> volume = std::make_unique<CCmdNewVolume>(
        &Campaign(), Campaign().GetWave(0), QStringLiteral("Late"), SNewVolumeProperties{});
    ASSERT_TRUE(app.ExecuteCommand(volume, {}, nullptr, nullptr, true));
    left.RefreshTree();
    left.SelectVolumeItem(Campaign().GetWave(0)->GetVolume(1)->GetVolumeId(), 0);
    const QString any = Copy(QStringLiteral("wave2.zoz"));
    ChooseSource(any, false);
    EXPECT_TRUE(windows.Prompts.isEmpty());
    EXPECT_EQ(Campaign().GetWave(0)->GetVolume(1)->GetCaseData().SourceString, any);
}
