// The response differences dialog: its rows, the editor each kind of difference gets, the
// rotation list, the choices it hands back, Update All and New Response, and its call among the
// views' dialogs.

#include "dialogs/ModalityDiffsDlg.h"

#include "DiffsDlgTestSupport.h"
#include "ModelFixtures.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"
#include "model/Captions.h"
#include "model/Modality.h"
#include "questionnaire/Modalite.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

using namespace diffs_test;
using namespace pelko_wave;

namespace {

class ModalityDiffsDlgTest : public CDiffsDlgTest
{
protected:
    ModalityDiffsDlgTest()
    {
        modality = model_test::MakeModality(100, 11, 1, QStringLiteral("1"));
        modality->SetValue(1);
        modality->SetUserData(QStringLiteral("campaign data"));
        modality->AddCaption(MakeModalityCaption(11, 100, kFrench, QStringLiteral("Oui campagne")));
        source.SetCode(4);
        source.SetValue(5);
        source.SetExclusive(true);
        source.SetRotationBehaviour(2);
        source.SetUserData(QStringLiteral("source data"));
        source.SetShortCaption(kEnglish, QStringLiteral("Yes"));
        source.SetShortCaption(kFrench, QStringLiteral("Oui"));
        source.SetShortCaption(kGerman, QStringLiteral("Ja"));

        for (const int kind : {0, 1, 2, 3, 4, 5, 6, 7, 8})
            differences.emplace(kind, CDiffInfoPtr());
        differences.emplace(9, Caption(kFrench));
        differences.emplace(9, Caption(kGerman));
    }

    std::unique_ptr<CModalityDiffsDlg> Open()
    {
        auto dialog = std::make_unique<CModalityDiffsDlg>();
        dialog->SetDifferences(differences);
        dialog->SetModalities(modality.get(), &source);
        dialog->show();
        return dialog;
    }

    int Row(int kind, int languageId = -1) const
    {
        return RowOf(PositionOf(differences, kind, languageId));
    }

    std::unique_ptr<CModality> modality;
    qnr::CModalite source;
    CDiffList differences;
};

} // namespace

TEST_F(ModalityDiffsDlgTest, ShowsOneRowPerDifferenceWithCaptionKindsTitledWithTheirLanguage)
{
    auto dialog = Open();
    CWaveGridCtrl& grid = *dialog->GetGrid();
    ASSERT_EQ(grid.GetRowCount(), int(differences.size()) + 1);
    EXPECT_EQ(grid.GetCellText(Row(6), 0), "Rotation behaviour");
    EXPECT_EQ(grid.GetCellText(Row(9, kFrench), 0),
              "Short captions for language 'French (France)'.");
    EXPECT_EQ(grid.GetCellText(Row(9, kGerman), 0), "Short captions");
    EXPECT_EQ(grid.GetCellText(Row(9, kGerman), 1), "Unchanged");
    // The first difference is selected and shown at once.
    EXPECT_TRUE(grid.IsCellSelected(1, 0) && grid.IsCellSelected(1, 1));
    EXPECT_EQ(dialog->GetDetails()->toPlainText(),
              "The campaign and source responses have different question IDs.");
    EXPECT_EQ(dialog->windowTitle(), "Response Differences");
}

TEST_F(ModalityDiffsDlgTest, EveryTextOfTheGridIsShownWhole)
{
    // A language whose name makes its caption row longer than the difference column's share.
    constexpr int kSerbian = 7194;
    app.GetCampaign()->AddLanguage(
        MakeLanguage(kSerbian, 0, QStringLiteral("Serbian (Cyrillic, Bosnia and Herzegovina)"),
                     QStringLiteral("SRN")));
    {
        auto dialog = Open();
        ExpectColumnsFitTheirTexts(*dialog);
    }
    differences.emplace(9, Caption(kSerbian));
    auto dialog = Open();
    ExpectColumnsFitTheirTexts(*dialog);
}

TEST_F(ModalityDiffsDlgTest, EachKindGetsItsEditorAndTexts)
{
    using E = EDiffEditor;
    const SRowCase cases[] = {
        {6, -1, E::Rotation, "The responses do not have the same rotation behaviour.",
         "Always follow previous", "Authorised", true},
        // Without values of their own, whatever the row before showed.
        {1, -1, E::None, "", "", "", false},
        {5, -1, E::TrueFalse,
         "The responses do not have the same value for the property \"Is Exclusive\".", "True",
         "False", true},
        {2, -1, E::None, "", "", "", false},
        {4, -1, E::None, "", "", "", false},
        {7, -1, E::None, "", "", "", false},
        {3, -1, E::Text, "The values of the responses are not the same.", "5", "1", true},
        {8, -1, E::Text, "The user data of the responses are not the same.", "source data",
         "campaign data", true},
        {9, kFrench, E::Caption,
         "The short captions of the responses are not the same for the language 'French "
         "(France)'.",
         "Oui", "Oui campagne", true},
        {9, kGerman, E::Caption, "The short captions of the responses are not the same.", "Ja", "",
         true},
        // The application's second set: shown, not editable.
        {0, -1, E::Number, "The campaign and source responses have different question IDs.", "",
         "11", false},
    };
    auto dialog = Open();
    for (const SRowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind);
        ExpectRowShown(*dialog, differences, c);
        if (c.Editor == E::Rotation)
            EXPECT_EQ(ListItems(*dialog),
                      QStringList({"Authorised", "Fixed", "Always follow previous"}));
        else if (c.Editor == E::TrueFalse)
            EXPECT_EQ(ListItems(*dialog), QStringList({"True", "False"}));
        else
            EXPECT_EQ(dialog->GetEditor()->GetComboBox(), nullptr);
    }
}

TEST_F(ModalityDiffsDlgTest, ARotationChoiceIsHandedBackAsItsNumber)
{
    auto dialog = Open();
    ClickRow(*dialog, Row(6));
    ChooseInEditor(*dialog, QStringLiteral("Fixed"));
    EXPECT_EQ(dialog->GetGrid()->GetCellText(Row(6), 1), "Changed");
    ClickRow(*dialog, Row(9, kFrench));
    TypeInEditor(*dialog, QStringLiteral("Oui !"));
    // Back on the rotation row, the choice is shown by its name.
    ClickRow(*dialog, Row(6));
    EXPECT_EQ(dialog->GetEditor()->GetText(), "Fixed");

    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    ASSERT_EQ(results.size(), differences.size());
    EXPECT_EQ(results[size_t(PositionOf(differences, 6))], QStringLiteral("1"));
    EXPECT_EQ(results[size_t(PositionOf(differences, 9, kFrench))], QStringLiteral("Oui !"));
    EXPECT_EQ(std::count(results.begin(), results.end(), std::nullopt), long(results.size() - 2));
}

TEST_F(ModalityDiffsDlgTest, AResponseValueIsARealNumber)
{
    auto dialog = Open();
    ClickRow(*dialog, Row(3));
    TypeInEditor(*dialog, QStringLiteral("-1.5"));
    EXPECT_EQ(dialog->GetEditor()->GetText(), QStringLiteral("-1.5"));
    EXPECT_EQ(dialog->GetGrid()->GetCellText(Row(3), 1), "Changed");

    CDiffsDlgResults results;
    ASSERT_TRUE(dialog->GetResults(results));
    EXPECT_EQ(results[size_t(PositionOf(differences, 3))], QStringLiteral("-1.5"));
}

TEST_F(ModalityDiffsDlgTest, UpdateAllTakesTheSourceValuesExceptBothSets)
{
    auto dialog = Open();
    windows.QueueAnswers({IDNO, IDYES});
    QPushButton* updateAll = FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_UPDATE_ALL);
    updateAll->click();
    EXPECT_TRUE(dialog->isVisible());
    CDiffsDlgResults results;
    EXPECT_FALSE(dialog->GetResults(results));

    updateAll->click();
    EXPECT_EQ(dialog->result(), ID_DIFFS_UPDATE_ALL);
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_EQ(windows.Prompts[1], "Are you sure you want to update the campaign response to be "
                                  "exactly the same as the matched source response?");
    ASSERT_TRUE(dialog->GetResults(results));
    ExpectResults(results, differences,
                  {
                      {0, -1, std::nullopt}, // both sets: kept
                      {1, -1, std::nullopt},
                      {2, -1, std::nullopt},
                      {3, -1, "5"},
                      {4, -1, std::nullopt},
                      {5, -1, "True"},
                      {6, -1, "2"},
                      {7, -1, std::nullopt},
                      {8, -1, "source data"},
                      {9, kFrench, "Oui"},
                      {9, kGerman, std::nullopt}, // a language the campaign does not have
                  });
}

TEST_F(ModalityDiffsDlgTest, NewResponseEndsWith258OnceConfirmed)
{
    auto dialog = Open();
    QPushButton* button = FindControl<QPushButton>(*dialog, CModalityDiffsDlg::IDC_NEW_RESPONSE);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "New Response");
    EXPECT_EQ(FindControl<QPushButton>(*dialog, 1131), nullptr);
    windows.QueueAnswers({IDNO, IDYES});
    button->click();
    EXPECT_TRUE(dialog->isVisible());
    button->click();
    EXPECT_EQ(dialog->result(), ID_DIFFS_NEW_ITEM);
    ASSERT_EQ(windows.Prompts.size(), 2);
    EXPECT_TRUE(windows.Prompts[0].startsWith("This will break the response matching"));
}

TEST_F(ModalityDiffsDlgTest, TheViewsCallRunsTheDialogAndReadsTheChoicesBack)
{
    CCampaignViewDialogs dialogs;
    SModalityDiffsDlgRequest request;
    request.Differences = differences;
    CDiffsDlgResults results;
    EXPECT_EQ(dialogs.RunModalityDiffsDlg(nullptr, request, results), IDCANCEL);
    request.CampaignModality = modality.get();
    request.SourceModality = &source;

    windows.QueueAnswers({IDYES});
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_UPDATE_ALL)->click();
    });
    ASSERT_EQ(dialogs.RunModalityDiffsDlg(nullptr, request, results), ID_DIFFS_UPDATE_ALL);
    ASSERT_EQ(results.size(), differences.size());
    EXPECT_EQ(results[size_t(PositionOf(differences, 8))], QStringLiteral("source data"));

    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            FindControl<QPushButton>(*dialog, CDiffsDlg::IDC_CANCEL)->click();
    });
    EXPECT_EQ(dialogs.RunModalityDiffsDlg(nullptr, request, results), IDCANCEL);
}
