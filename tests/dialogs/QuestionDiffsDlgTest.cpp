// The question differences dialog: its rows, the editor each kind of difference gets, the
// choices it hands back, Update All and New Question, and its call among the views' dialogs.

#include "dialogs/QuestionDiffsDlg.h"

#include "DiffsDlgTestSupport.h"
#include "ModelFixtures.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"
#include "model/Captions.h"
#include "model/Question.h"
#include "questionnaire/Question.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

using namespace diffs_test;
using namespace pelko_wave;

namespace {

class QuestionDiffsDlgTest : public CDiffsDlgTest
{
protected:
    QuestionDiffsDlgTest()
    {
        // The campaign question: a closed question "Q1", no date, bounds 0 and 10.
        question = model_test::MakeQuestion(11, 1, QStringLiteral("Q1"));
        question->SetMaxValue(10);
        question->SetUserData(QStringLiteral("campaign data"));
        question->AddCaption(MakeQuestionCaption(11, kEnglish, QStringLiteral("Short EN"),
                                                 QStringLiteral("Long EN")));
        question->AddCaption(MakeQuestionCaption(11, kFrench, QStringLiteral("Court campagne"),
                                                 QStringLiteral("Long campagne")));
        // The source question differs in nearly everything.
        source.SetCodeQuestion(7);
        source.SetShortcut(QStringLiteral("Q1A"));
        source.SetIndent(2);
        source.SetTypeElement(2);
        source.SetTypeQuestion(4);
        source.SetNonReponse(true);
        source.SetBornes(-2.5, 10);
        source.SetUserData(QStringLiteral("source data"));
        source.SetDateType(3);
        source.SetCaptions(kEnglish, QStringLiteral("Long source EN"),
                           QStringLiteral("Short source EN"));
        source.SetCaptions(kFrench, QStringLiteral("Long FR"), QStringLiteral("Court FR"));
        source.SetCaptions(kGerman, QStringLiteral("Lang DE"), QStringLiteral("Kurz DE"));

        for (const int kind : {0, 2, 3, 4, 5, 6, 13, 18, 21, 25, 26})
            differences.emplace(kind, CDiffInfoPtr());
        differences.emplace(23, Caption(kFrench));
        differences.emplace(24, Caption(kFrench));
        differences.emplace(24, Caption(kGerman));
    }

    // The dialog on the pair, shown.
    std::unique_ptr<CQuestionDiffsDlg> Open(const CDiffList& list)
    {
        auto dialog = std::make_unique<CQuestionDiffsDlg>();
        dialog->SetDifferences(list);
        dialog->SetQuestions(question.get(), &source);
        dialog->show();
        return dialog;
    }

    int Row(int kind, int languageId = -1) const
    {
        return RowOf(PositionOf(differences, kind, languageId));
    }

    std::unique_ptr<CQuestion> question;
    qnr::CQuestion source;
    CDiffList differences;
};

} // namespace

TEST_F(QuestionDiffsDlgTest, ShowsOneRowPerDifferenceWithCaptionKindsTitledWithTheirLanguage)
{
    auto dialog = Open(differences);
    CWaveGridCtrl& grid = *dialog->GetGrid();
    ASSERT_EQ(grid.GetRowCount(), int(differences.size()) + 1);
    ASSERT_EQ(grid.GetColumnCount(), 2);
    EXPECT_EQ(grid.GetCellText(0, 0), "Difference");
    EXPECT_EQ(grid.GetCellText(0, 1), "Status");
    EXPECT_EQ(grid.GetCell(0, 0)->GetFont()->lfWeight, FW_BOLD);
    EXPECT_EQ(grid.GetCellText(Row(2), 0), "Shortcut");
    EXPECT_EQ(grid.GetCellText(Row(23, kFrench), 0),
              "Short captions for language 'French (France)'.");
    EXPECT_EQ(grid.GetCellText(Row(24, kFrench), 0),
              "Long captions for language 'French (France)'.");
    // The campaign has no German: the kind's plain caption.
    EXPECT_EQ(grid.GetCellText(Row(24, kGerman), 0), "Long captions");
    int row = 1;
    for (const auto& [kind, info] : differences) {
        EXPECT_EQ(grid.GetCellText(row, 1), "Unchanged") << row;
        EXPECT_TRUE(grid.GetCellState(row, 0) & GVIS_READONLY) << row;
        EXPECT_EQ(grid.GetCellData(row, 0), kind) << row;
        ++row;
    }
    // The status column takes 30 percent of the width, the difference column the rest.
    const int width = grid.GetClientSize().width();
    EXPECT_EQ(grid.GetColumnWidth(0) + grid.GetColumnWidth(1), width);
    EXPECT_EQ(grid.GetColumnWidth(1), width * 30 / 100);
    // The first difference is selected.
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 0));
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(dialog->windowTitle(), "Question Differences");
}

TEST_F(QuestionDiffsDlgTest, EveryTextOfTheGridIsShownWhole)
{
    // A language whose name makes the caption rows longer than the difference column's share.
    constexpr int kSerbian = 7194;
    app.GetCampaign()->AddLanguage(
        MakeLanguage(kSerbian, 0, QStringLiteral("Serbian (Cyrillic, Bosnia and Herzegovina)"),
                     QStringLiteral("SRN")));
    CDiffList longer = differences;
    longer.emplace(23, Caption(kSerbian));
    longer.emplace(24, Caption(kSerbian));
    for (const CDiffList* list : {&differences, &longer}) {
        SCOPED_TRACE(list->size());
        auto dialog = Open(*list);
        ExpectColumnsFitTheirTexts(*dialog);
    }
}

TEST_F(QuestionDiffsDlgTest, WithoutDifferencesOnlyTheHeadingRowIsThere)
{
    auto dialog = Open(CDiffList());
    CWaveGridCtrl& grid = *dialog->GetGrid();
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetCellText(0, 0), "Difference");
    // The grid selects no heading: nothing is selected, no cell has the focus.
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_FALSE(EditorTakesInput(*dialog));
    CDiffsDlgResults results{QStringLiteral("left over")};
    EXPECT_FALSE(dialog->GetResults(results));
    EXPECT_TRUE(results.empty());
}

TEST_F(QuestionDiffsDlgTest, EachKindGetsItsEditorAndTexts)
{
    using E = EDiffEditor;
    // Each row is selected after the one above, so that no editor is left from the row before:
    // the kinds without values come right after a drop list, the shortcut after nothing.
    const SRowCase cases[] = {
        {6, -1, E::TrueFalse,
         "The questions do not have the same value for the property \"Is Don't Know\".", "True",
         "False", true},
        {0, -1, E::None, "", "", "", false},
        {2, -1, E::Text, "The question shortcuts are not the same.", "Q1A", "Q1", true},
        {3, -1, E::Number, "The question indents are not the same.", "2", "1", true},
        {4, -1, E::Text, "The questions do not have the same element type.", "Loop", "Question",
         true},
        {5, -1, E::Text, "The questions are not of the same type.", "Open", "Closed", true},
        {13, -1, E::Text, "The minimum values of the questions are not the same.", "-2.500000e+00",
         "0.000000e+00", true},
        {18, -1, E::TrueFalse,
         "The questions do not have the same value for the property \"Is Date Type\".", "True",
         "False", true},
        {21, -1, E::Text, "The user-data for the questions are not the same.", "source data",
         "campaign data", true},
        {23, kFrench, E::Caption,
         "The short captions for the questions are not the same for the language 'French "
         "(France)'.",
         "Court FR", "Court campagne", true},
        {24, kGerman, E::Caption, "The long captions for the questions are not the same.",
         "Lang DE", "", true},
        // The application's second set: shown, not editable.
        {26, -1, E::Text,
         "The responses of the questions are not the same. They cannot be changed from this "
         "dialog.",
         "", "", false},
        {25, -1, E::Number,
         "The numbers of responses of the questions are not the same. They cannot be changed "
         "from this dialog.",
         "0", "0", false},
    };
    auto dialog = Open(differences);
    for (const SRowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind);
        ExpectRowShown(*dialog, differences, c);
        QWidget* child = dialog->GetEditor()->GetActiveChild();
        switch (c.Editor) {
        case E::TrueFalse:
            EXPECT_EQ(ListItems(*dialog), QStringList({"True", "False"}));
            break;
        case E::Number:
            ASSERT_NE(qobject_cast<QLineEdit*>(child), nullptr);
            EXPECT_NE(qobject_cast<QLineEdit*>(child)->validator(), nullptr);
            break;
        case E::Text:
        case E::None:
            ASSERT_NE(qobject_cast<QLineEdit*>(child), nullptr);
            EXPECT_EQ(qobject_cast<QLineEdit*>(child)->validator(), nullptr);
            break;
        case E::Caption:
            EXPECT_NE(qobject_cast<QPlainTextEdit*>(child), nullptr);
            break;
        case E::Rotation:
            ADD_FAILURE();
            break;
        }
    }
    // Nothing was chosen by showing the rows.
    CDiffsDlgResults results;
    EXPECT_FALSE(dialog->GetResults(results));
    EXPECT_EQ(dialog->GetGrid()->GetCellText(Row(6), 1), "Unchanged");
}

TEST_F(QuestionDiffsDlgTest, AChangeMarksTheRowChangedEvenWhenChangedBack)
{
    auto dialog = Open(differences);
    CWaveGridCtrl& grid = *dialog->GetGrid();
    ClickRow(*dialog, Row(6));
    ChooseInEditor(*dialog, QStringLiteral("True"));
    ChooseInEditor(*dialog, QStringLiteral("False"));
    EXPECT_EQ(grid.GetCellText(Row(6), 1), "Changed");

    ClickRow(*dialog, Row(2));
    TypeInEditor(*dialog, QStringLiteral("Q1-new"));
    EXPECT_EQ(grid.GetCellText(Row(2), 1), "Changed");
    // Back on the row, its pending value is shown, not the campaign's.
    ClickRow(*dialog, Row(3));
    EXPECT_EQ(grid.GetCellText(Row(3), 1), "Unchanged");
    ClickRow(*dialog, Row(2));
    EXPECT_EQ(dialog->GetEditor()->GetText(), "Q1-new");

    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    ASSERT_EQ(results.size(), differences.size());
    for (size_t i = 0; i < results.size(); ++i) {
        const int row = RowOf(int(i));
        if (row == Row(6))
            EXPECT_EQ(results[i], QStringLiteral("False"));
        else if (row == Row(2))
            EXPECT_EQ(results[i], QStringLiteral("Q1-new"));
        else
            EXPECT_FALSE(results[i].has_value()) << "row " << row;
    }
}

TEST_F(QuestionDiffsDlgTest, ChoicesAreHandedBackAsTheChangeCommandsReadThem)
{
    struct SCase
    {
        int Kind;
        int Language;
        const char* Typed; // typed, or chosen from the list
        const char* Result;
    };
    const SCase cases[] = {
        // Types by their names, or by their numbers.
        {4, -1, "loop", "2"},
        {5, -1, "Numeric", "5"},
        // The date type is a number: "True" takes the source's kind of date.
        {18, -1, "True", "3"},
        {3, -1, "4", "4"},
        // A minimum may be negative and fractional.
        {13, -1, "-1.25", "-1.25"},
        {23, kFrench, "Nouveau", "Nouveau"},
        // An emptied user data is a choice too.
        {21, -1, "", ""},
    };
    auto dialog = Open(differences);
    for (const SCase& c : cases) {
        ClickRow(*dialog, Row(c.Kind, c.Language));
        if (dialog->GetEditorKind() == EDiffEditor::TrueFalse)
            ChooseInEditor(*dialog, QString::fromUtf8(c.Typed));
        else if (*c.Typed)
            TypeInEditor(*dialog, QString::fromUtf8(c.Typed));
        else
            TypeInEditor(*dialog, QString());
    }
    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind);
        const std::optional<QString>& result =
            results[size_t(PositionOf(differences, c.Kind, c.Language))];
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, QString::fromUtf8(c.Result));
    }
    // Shown again, a type chosen by number reads as its name.
    ClickRow(*dialog, Row(4));
    EXPECT_EQ(dialog->GetEditor()->GetText(), "Loop");
}

TEST_F(QuestionDiffsDlgTest, UpdateAllAnsweredNoChangesNothing)
{
    auto dialog = Open(differences);
    ClickRow(*dialog, Row(2));
    TypeInEditor(*dialog, QStringLiteral("Q9"));
    windows.QueueAnswers({IDNO});
    FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_UPDATE_ALL)->click();
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0], "Are you sure you want to update the campaign question to be "
                                  "exactly the same as the matched source question?");
    EXPECT_EQ(windows.PromptTypes[0], unsigned(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(dialog->isVisible());
    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    EXPECT_EQ(results[size_t(PositionOf(differences, 2))], QStringLiteral("Q9"));
    EXPECT_EQ(std::count(results.begin(), results.end(), std::nullopt), long(results.size() - 1));
}

TEST_F(QuestionDiffsDlgTest, UpdateAllAnsweredYesTakesTheSourceValuesExceptBothSets)
{
    auto dialog = Open(differences);
    // A choice made before is replaced.
    ClickRow(*dialog, Row(2));
    TypeInEditor(*dialog, QStringLiteral("Q9"));
    windows.QueueAnswers({IDYES});
    FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_UPDATE_ALL)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), ID_DIFFS_UPDATE_ALL);

    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    ExpectResults(results, differences,
                  {
                      {0, -1, std::nullopt}, // both sets: kept
                      {2, -1, "Q1A"},
                      {3, -1, "2"},
                      {4, -1, "2"},
                      {5, -1, "4"},
                      {6, -1, "True"},
                      {13, -1, "-2.500000e+00"},
                      {18, -1, "3"}, // the date type's number, which the command reads
                      {21, -1, "source data"},
                      {23, kFrench, "Court FR"},
                      // The long caption of the row's language, not of the language captions
                      // are shown in.
                      {24, kFrench, "Long FR"},
                      // A language the campaign does not have: nothing.
                      {24, kGerman, std::nullopt},
                      {25, -1, std::nullopt}, // second set: kept
                      {26, -1, std::nullopt},
                  });
}

TEST_F(QuestionDiffsDlgTest, NewQuestionEndsWith258OnceConfirmed)
{
    auto dialog = Open(differences);
    QPushButton* button = FindControl<QPushButton>(*dialog, CQuestionDiffsDlg::IDC_NEW_QUESTION);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "New Question");
    windows.QueueAnswers({IDNO, IDYES});
    button->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->IsNewQuestion());
    button->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), ID_DIFFS_NEW_ITEM);
    EXPECT_TRUE(dialog->IsNewQuestion());
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_TRUE(windows.Prompts[1].startsWith("This will break the question matching"));
}

TEST_F(QuestionDiffsDlgTest, TheViewsCallRunsTheDialogAndReadsTheChoicesBack)
{
    CCampaignViewDialogs dialogs;
    SQuestionDiffsDlgRequest request;
    request.Differences = differences;
    CDiffsDlgResults results;
    // Without the two questions nothing opens.
    EXPECT_EQ(dialogs.RunQuestionDiffsDlg(nullptr, request, results), IDCANCEL);
    request.CampaignQuestion = question.get();
    request.SourceQuestion = &source;

    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<CQuestionDiffsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ClickRow(*dialog, Row(21));
        TypeInEditor(*dialog, QStringLiteral("chosen"));
        FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_OK)->click();
    });
    ASSERT_EQ(dialogs.RunQuestionDiffsDlg(nullptr, request, results), IDOK);
    ASSERT_EQ(results.size(), differences.size());
    EXPECT_EQ(results[size_t(PositionOf(differences, 21))], QStringLiteral("chosen"));

    // Escape cancels and leaves the results as they were.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.RunQuestionDiffsDlg(nullptr, request, results), IDCANCEL);
    EXPECT_EQ(results[size_t(PositionOf(differences, 21))], QStringLiteral("chosen"));

    // New Question: no results.
    results.clear();
    windows.QueueAnswers({IDYES});
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            FindControl<QPushButton>(*dialog, CQuestionDiffsDlg::IDC_NEW_QUESTION)->click();
    });
    EXPECT_EQ(dialogs.RunQuestionDiffsDlg(nullptr, request, results), ID_DIFFS_NEW_ITEM);
    EXPECT_TRUE(results.empty());
}
