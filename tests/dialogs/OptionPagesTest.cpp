// The options sheet and its six pages: which pages report that they were shown, what each page
// loads from and writes into its records, the actions that act at once, and the tree of pages.

#include "dialogs/OptionsSheet.h"

#include "app/WaveApp.h"
#include "controls/XListCtrl.h"
#include "dialogs/CampaignDialogs.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DiffsOptionsPages.h"
#include "dialogs/ReconOptionsPage.h"
#include "dialogs/ShellDialogs.h"
#include "dialogs/UserDefinedAppsOptionsPage.h"
#include "dialogs/ViewOptionsPage.h"
#include "reconcile/PropertyCaptions.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The user ticks or unticks the row's box.
void Tick(CXListCtrl& list, int row, bool ticked)
{
    list.topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

template <class T> T* Control(const QWidget& page, int id)
{
    T* control = FindControl<T>(page, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
}

// The sheet on its records, shown.
struct SSheet
{
    explicit SSheet(SEnvironmentPageActions actions = {}) : sheet(records, std::move(actions))
    {
        sheet.Create();
        sheet.show();
        QApplication::processEvents();
    }

    SOptionsSheetRecords records;
    COptionsSheet sheet;
};

// Every node's text, indented two blanks a level.
QStringList TreeTexts(const QTreeWidget& tree)
{
    QStringList texts;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        texts << QString(depth * 2, u' ') + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return texts;
}

} // namespace

TEST(OptionPagesTest, TheTreeShowsEveryPageWholeAndOnlyShownPagesReportThemselves)
{
    CScriptedWindowServices windows;
    SSheet s;
    EXPECT_EQ(s.sheet.windowTitle(), QStringLiteral("Options"));
    QTreeWidget& tree = *s.sheet.GetPageTreeControl();
    EXPECT_EQ(TreeTexts(tree),
              (QStringList{"Environment", "  General", "  Reconciliation",
                           "  User Defined Applications", "Differences", "  Question Differences",
                           "  Response Differences", "Advanced", "  Reconciliation Options"}));
    // No caption is cut: the tree needs no horizontal scrolling.
    const QAbstractItemView& view = tree;
    EXPECT_LE(const_cast<QAbstractItemView&>(view).sizeHintForColumn(0), tree.viewport()->width());
    EXPECT_FALSE(tree.horizontalScrollBar()->isVisible());

    // The general page opens first; a difference page is visited; OK writes what they hold.
    EXPECT_EQ(s.sheet.GetActiveIndex(), 0);
    ASSERT_TRUE(s.sheet.SetActivePage(3));
    s.sheet.GetButtons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(s.sheet.result(), IDOK);
    s.sheet.TakeShownPages();
    EXPECT_TRUE(s.records.GeneralPageShown);
    EXPECT_TRUE(s.records.QuestionDiffsPageShown);
    EXPECT_FALSE(s.records.ViewPageShown);
    EXPECT_FALSE(s.records.UserAppsPageShown);
    EXPECT_FALSE(s.records.ModalityDiffsPageShown);
    EXPECT_FALSE(s.records.ReconciliationPageShown);
}

TEST(OptionPagesTest, EveryPageSpeaksOfResponsesNeverOfModalities)
{
    CScriptedWindowServices windows;
    SSheet s;
    int texts = 0;
    for (int page = 0; s.sheet.SetActivePage(page); ++page) {
        QApplication::processEvents();
        for (const QAbstractButton* button : s.sheet.findChildren<QAbstractButton*>()) {
            ++texts;
            EXPECT_FALSE(button->text().contains(QStringLiteral("modalit"), Qt::CaseInsensitive))
                << qPrintable(button->text());
        }
        for (const QLabel* label : s.sheet.findChildren<QLabel*>())
            EXPECT_FALSE(label->text().contains(QStringLiteral("modalit"), Qt::CaseInsensitive))
                << qPrintable(label->text());
    }
    EXPECT_GT(texts, 0);
    EXPECT_EQ(FindControl<QCheckBox>(s.sheet, CViewOptionsPage::IDC_SHOW_NEW_RESPONSES)->text(),
              QStringLiteral("Show newly added campaign responses"));
}

TEST(OptionPagesTest, TheApplicationsSheetGivesBackItsRecordsOnOkOnly)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    CCampaignDialogs dialogs(app);
    ASSERT_TRUE(dialogs.HasDialog(IShellDialogs::OptionsSheet));
    SOptionsSheetRecords records;
    records.NGram.SetNGramThreshold(80);

    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<COptionsSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        // The campaign's options are the global ones here.
        EXPECT_EQ(Control<QLabel>(*sheet->GetGeneralPage(),
                                  CEnvironmentGenOptionsPage::IDC_OPTIONS_SOURCE)
                      ->text(),
                  QStringLiteral("Currently using global options"));
        sheet->SetActivePage(5);
        Control<QSlider>(*sheet->GetReconciliationPage(), CReconOptionsPage::IDC_THRESHOLD_SLIDER)
            ->setValue(60);
        sheet->GetButtons()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(dialogs.RunOptionsSheet(nullptr, records));
    EXPECT_EQ(records.NGram.GetNGramThreshold(), 60);
    EXPECT_TRUE(records.ReconciliationPageShown);
    EXPECT_TRUE(records.GeneralPageShown);
    EXPECT_FALSE(records.ViewPageShown);

    QTimer::singleShot(0, [] {
        if (QWidget* sheet = QApplication::activeModalWidget())
            QTest::keyClick(sheet, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.RunOptionsSheet(nullptr, records));
}

TEST(OptionPagesTest, NGramValuesOutsideTheSlidersOpenAndSaveClamped)
{
    CScriptedWindowServices windows;
    struct SCase
    {
        int Length, Threshold;
        QString LengthShown, ThresholdShown;
        int LengthSaved, ThresholdSaved;
    };
    // A length below 2 is stored as 2 by the settings themselves.
    const SCase cases[] = {
        {5, 80, "5", "80", 5, 80}, {250, 150, "100", "100", 100, 100}, {2, 0, "2", "1", 2, 1},
        {2, -40, "2", "1", 2, 1},  {100, 1, "100", "1", 100, 1},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Length * 1000 + c.Threshold);
        CNGramSettings nGram;
        nGram.SetNGramLength(c.Length);
        nGram.SetNGramThreshold(c.Threshold);
        CReconciliationSettings reconciliation;
        CReconOptionsPage page(nGram, reconciliation);
        page.show();
        EXPECT_EQ(Control<QLineEdit>(page, CReconOptionsPage::IDC_LENGTH_EDIT)->text(),
                  c.LengthShown);
        EXPECT_EQ(Control<QLineEdit>(page, CReconOptionsPage::IDC_THRESHOLD_EDIT)->text(),
                  c.ThresholdShown);
        auto* slider = Control<QSlider>(page, CReconOptionsPage::IDC_LENGTH_SLIDER);
        EXPECT_EQ(slider->minimum(), 1);
        EXPECT_EQ(slider->maximum(), 100);
        EXPECT_EQ(slider->tickInterval(), 10);
        ASSERT_TRUE(page.OnKillActive());
        EXPECT_EQ(nGram.GetNGramLength(), c.LengthSaved);
        EXPECT_EQ(nGram.GetNGramThreshold(), c.ThresholdSaved);
    }
}

TEST(OptionPagesTest, TheNGramBoxGreysItsControlsWithoutLosingTheirValues)
{
    CScriptedWindowServices windows;
    CNGramSettings nGram;
    nGram.SetNGramLength(3);
    nGram.SetNGramThreshold(70);
    nGram.SetIgnoreWhitespace(0);
    CReconciliationSettings reconciliation;
    reconciliation.SetCheckQuesTypeForMatches(0);
    CReconOptionsPage page(nGram, reconciliation);
    page.show();
    auto* enable = Control<QCheckBox>(page, CReconOptionsPage::IDC_ENABLE_NGRAM);
    auto* length = Control<QSlider>(page, CReconOptionsPage::IDC_LENGTH_SLIDER);
    auto* lengthEdit = Control<QLineEdit>(page, CReconOptionsPage::IDC_LENGTH_EDIT);
    auto* whitespace = Control<QCheckBox>(page, CReconOptionsPage::IDC_IGNORE_WHITESPACE);
    auto* sameType = Control<QCheckBox>(page, CReconOptionsPage::IDC_SAME_TYPE);
    EXPECT_TRUE(enable->isChecked());
    EXPECT_FALSE(whitespace->isChecked());
    EXPECT_FALSE(sameType->isChecked());

    // Dragging the thumb shows its place in the edit.
    length->setSliderDown(true);
    length->setSliderPosition(7);
    length->setSliderDown(false);
    EXPECT_EQ(lengthEdit->text(), QStringLiteral("7"));

    QTest::mouseClick(enable, Qt::LeftButton);
    EXPECT_FALSE(enable->isChecked());
    for (const int id :
         {CReconOptionsPage::IDC_LENGTH_SLIDER, CReconOptionsPage::IDC_THRESHOLD_SLIDER,
          CReconOptionsPage::IDC_LENGTH_EDIT, CReconOptionsPage::IDC_THRESHOLD_EDIT,
          CReconOptionsPage::IDC_IGNORE_WHITESPACE})
        EXPECT_FALSE(Control<QWidget>(page, id)->isEnabled()) << id;
    EXPECT_TRUE(sameType->isEnabled());
    ASSERT_TRUE(page.OnKillActive());
    EXPECT_EQ(nGram.GetEnableNGramAnalysis(), 0);
    EXPECT_EQ(nGram.GetNGramLength(), 7);
    EXPECT_EQ(nGram.GetNGramThreshold(), 70);
    EXPECT_EQ(nGram.GetIgnoreWhitespace(), 0);
    QTest::mouseClick(enable, Qt::LeftButton);
    EXPECT_TRUE(length->isEnabled());
    EXPECT_EQ(lengthEdit->text(), QStringLiteral("7"));
}

TEST(OptionPagesTest, DifferencePagesListOnlyTheComparedKindsAndCopyEveryTickAtOnce)
{
    CScriptedWindowServices windows;
    CQuestionDiffsOptions questions;
    questions.SetEnabled(5, false);
    CQuestionsDiffOptionsPage questionPage(questions);
    questionPage.show();
    CXListCtrl& questionList = *questionPage.GetList();
    QList<int> kinds;
    for (int row = 0; row < questionList.GetItemCount(); ++row) {
        const int kind = int(questionList.GetItemData(row));
        kinds << kind;
        EXPECT_EQ(questionList.GetItemText(row, 1), GetQuestionPropertyCaption(kind));
        EXPECT_EQ(questionList.GetItemText(row, 0), QString());
        EXPECT_EQ(questionList.GetCheckbox(row, 0), kind == 5 ? 0 : 1) << kind;
    }
    // Kinds 0, 1, 19 and 20 are never compared, and nothing beyond 25 is listed.
    QList<int> expected;
    for (int kind = 2; kind <= 25; ++kind)
        if (kind != 19 && kind != 20)
            expected << kind;
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(questionList.headerItem()->text(1), QStringLiteral("Part"));

    // One tick writes every row's flag into the set; the hidden kinds keep theirs.
    Tick(questionList, 0, false);
    std::map<int, bool> written;
    for (const int kind : expected)
        written[kind] = kind != 2 && kind != 5;
    EXPECT_EQ(questions.GetEntries(), written);

    // Responses: an unset kind is not compared; a click on the header copies every row too.
    CModalityDiffsOptions responses;
    CModalitiesDiffOptionsPage responsePage(responses);
    responsePage.show();
    CXListCtrl& responseList = *responsePage.GetList();
    QList<int> responseKinds;
    for (int row = 0; row < responseList.GetItemCount(); ++row) {
        responseKinds << int(responseList.GetItemData(row));
        EXPECT_EQ(responseList.GetCheckbox(row, 0), 0);
    }
    EXPECT_EQ(responseKinds, (QList<int>{3, 5, 6, 8, 9}));
    responseList.SetCheckbox(2, 0, 1);
    EXPECT_TRUE(responses.GetEntries().empty());
    Q_EMIT responseList.HeaderClicked(1);
    EXPECT_EQ(responses.GetEntries(),
              (std::map<int, bool>{{3, false}, {5, false}, {6, true}, {8, false}, {9, false}}));
}

TEST(OptionPagesTest, TheGeneralPageEditsItsRecordsAndActsAtOnce)
{
    CScriptedWindowServices windows;
    CLanguageSettings language;
    language.SetSourceItems(1);
    CEnvironmentSettings environment;
    environment.SetMRUSize(4);
    environment.SetCaptionsLibraryPath(QStringLiteral("/old/library.xml"));
    int cleared = 0;
    QStringList exported;
    bool exportWorks = false;
    SEnvironmentPageActions actions;
    actions.GlobalOptionsInUse = false;
    actions.ClearRecentFiles = [&cleared] { ++cleared; };
    actions.ExportOptions = [&](const QString& path) {
        exported << path;
        return exportWorks;
    };
    CEnvironmentGenOptionsPage page(language, environment, actions);
    page.show();
    EXPECT_TRUE(Control<QRadioButton>(page, CEnvironmentGenOptionsPage::IDC_SOURCE_VOLUME_LANGUAGE)
                    ->isChecked());
    EXPECT_EQ(Control<QLabel>(page, CEnvironmentGenOptionsPage::IDC_OPTIONS_SOURCE)->text(),
              QStringLiteral("Currently using local options"));
    auto* exportButton = Control<QPushButton>(page, CEnvironmentGenOptionsPage::IDC_EXPORT);
    EXPECT_EQ(exportButton->toolTip(),
              QStringLiteral("Save the current PelkoPlim options to a file"));

    // The numbers go into the settings as they are typed, digits only.
    auto* recent = Control<QLineEdit>(page, CEnvironmentGenOptionsPage::IDC_RECENT_FILES);
    EXPECT_EQ(recent->text(), QStringLiteral("4"));
    recent->selectAll();
    QTest::keyClicks(recent, QStringLiteral("1x2"));
    EXPECT_EQ(recent->text(), QStringLiteral("12"));
    EXPECT_EQ(environment.GetMRUSize(), 12);
    auto* length = Control<QLineEdit>(page, CEnvironmentGenOptionsPage::IDC_PATH_LENGTH);
    length->selectAll();
    QTest::keyClicks(length, QStringLiteral("120"));
    EXPECT_EQ(environment.GetMRUFileNameLength(), 120);
    // An empty edit stores 0, which the settings do not take: the size stays, and leaving the
    // page shows it again.
    recent->selectAll();
    QTest::keyClick(recent, Qt::Key_Delete);
    EXPECT_EQ(environment.GetMRUSize(), 12);
    QTest::mouseClick(
        Control<QRadioButton>(page, CEnvironmentGenOptionsPage::IDC_SOURCE_CURRENT_LANGUAGE),
        Qt::LeftButton);
    ASSERT_TRUE(page.OnKillActive());
    EXPECT_EQ(recent->text(), QStringLiteral("12"));
    EXPECT_EQ(language.GetSourceItems(), 0);

    // Browse...: a cancelled chooser changes nothing; a chosen file fills the path.
    auto* library = Control<QLineEdit>(page, CEnvironmentGenOptionsPage::IDC_CAPTION_LIBRARY);
    page.OnBrowse();
    EXPECT_EQ(library->text(), QStringLiteral("/old/library.xml"));
    windows.Choices = {QStringLiteral("/new/captions.xml")};
    page.OnBrowse();
    EXPECT_EQ(library->text(), QStringLiteral("/new/captions.xml"));
    EXPECT_EQ(environment.GetCaptionsLibraryPath(), QStringLiteral("/new/captions.xml"));

    // Clear List empties the list once.
    auto* clear = Control<QPushButton>(page, CEnvironmentGenOptionsPage::IDC_CLEAR_LIST);
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(clear->isEnabled());

    // Export...: cancelled, nothing; a failed write says so; a good one says nothing.
    page.OnExport();
    EXPECT_TRUE(exported.isEmpty());
    windows.Choices = {QStringLiteral("/read-only/PlimLocalOptions.xml")};
    page.OnExport();
    EXPECT_EQ(exported, QStringList{"/read-only/PlimLocalOptions.xml"});
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0], QStringLiteral("Unable to export the options."));
    EXPECT_EQ(windows.ChooserCalls.last(), QStringLiteral("save: PlimLocalOptions.xml"));
    exportWorks = true;
    windows.Choices = {QStringLiteral("/home/u/PlimLocalOptions.xml")};
    page.OnExport();
    EXPECT_EQ(windows.Prompts.size(), 1);
}

TEST(OptionPagesTest, TheApplicationExportsItsOptionsFromTheGeneralPage)
{
    CScriptedWindowServices windows;
    QTemporaryDir folder;
    CWaveApp app;
    CCampaignDialogs dialogs(app);
    SOptionsSheetRecords records;
    const QString path = folder.filePath(QStringLiteral("exported.xml"));
    QTimer::singleShot(0, [&windows, path] {
        auto* sheet = qobject_cast<COptionsSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        windows.Choices = {path};
        sheet->GetGeneralPage()->OnExport();
        // Without the shell's list, Clear List is greyed.
        EXPECT_FALSE(Control<QPushButton>(*sheet->GetGeneralPage(),
                                          CEnvironmentGenOptionsPage::IDC_CLEAR_LIST)
                         ->isEnabled());
        sheet->reject();
    });
    EXPECT_FALSE(dialogs.RunOptionsSheet(nullptr, records));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST(OptionPagesTest, TheViewAndApplicationPagesLoadAndWriteTheirRecords)
{
    CScriptedWindowServices windows;
    CViewSettings view;
    view.SetShowPerfectQuestionMatches(0);
    view.SetQuestionGridViewText(CViewSettings::ViewLongCaptions);
    view.SetViewEntryCodes(0);
    CViewOptionsPage viewPage(view);
    viewPage.show();
    EXPECT_FALSE(
        Control<QCheckBox>(viewPage, CViewOptionsPage::IDC_SHOW_PERFECT_QUESTIONS)->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(viewPage, CViewOptionsPage::IDC_CREATE_REPORT)->isChecked());
    EXPECT_TRUE(
        Control<QRadioButton>(viewPage, CViewOptionsPage::IDC_VIEW_LONG_CAPTIONS)->isChecked());
    Control<QCheckBox>(viewPage, CViewOptionsPage::IDC_VIEW_ENTRY_CODES)->setChecked(true);
    Control<QCheckBox>(viewPage, CViewOptionsPage::IDC_SHOW_NEW_RESPONSES)->setChecked(false);
    Control<QRadioButton>(viewPage, CViewOptionsPage::IDC_VIEW_SHORTCUTS)->setChecked(true);
    // Nothing is written until the page is left.
    EXPECT_EQ(view.GetViewEntryCodes(), 0);
    ASSERT_TRUE(viewPage.OnKillActive());
    EXPECT_EQ(view.GetViewEntryCodes(), 1);
    EXPECT_EQ(view.GetShowNewCampaignResponses(), 0);
    EXPECT_EQ(view.GetShowPerfectQuestionMatches(), 0);
    EXPECT_EQ(view.GetQuestionGridViewText(), int(CViewSettings::ViewShortcuts));

    CUserDefinedApp apps;
    apps.SetUserDefinedApp1Title(QStringLiteral("Quill"));
    CUserDefinedAppsOptionsPage appsPage(apps);
    appsPage.show();
    EXPECT_EQ(Control<QLineEdit>(appsPage, CUserDefinedAppsOptionsPage::IDC_TITLE1)->text(),
              QStringLiteral("Quill"));
    QTest::keyClicks(Control<QLineEdit>(appsPage, CUserDefinedAppsOptionsPage::IDC_TITLE2),
                     QStringLiteral("Tally"));
    EXPECT_EQ(apps.GetUserDefinedApp2Title(), QStringLiteral("Tally"));
    appsPage.OnBrowse(2);
    EXPECT_TRUE(apps.GetUserDefinedApp2Path().isEmpty());
    windows.Choices = {QStringLiteral("/opt/pelko/tally")};
    appsPage.OnBrowse(2);
    EXPECT_EQ(Control<QLineEdit>(appsPage, CUserDefinedAppsOptionsPage::IDC_PATH2)->text(),
              QStringLiteral("/opt/pelko/tally"));
    EXPECT_EQ(apps.GetUserDefinedApp2Path(), QStringLiteral("/opt/pelko/tally"));
    EXPECT_TRUE(apps.GetUserDefinedApp1Path().isEmpty());
}
