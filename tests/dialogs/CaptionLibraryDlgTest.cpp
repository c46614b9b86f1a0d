#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"

#include "app/WaveApp.h"
#include "controls/XHtmlTree.h"
#include "controls/XListCtrl.h"
#include "model/CaptionLibrary.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

// Every node of the lists, one a line: groups with their captions and base caption, libraries
// with their groups and the tick of each caption.
QString Dump(const QList<CResponseCaptionGroup*>& groups, const QList<CResponseLibrary*>& libraries)
{
    QStringList lines;
    for (const CResponseCaptionGroup* group : groups) {
        lines << QStringLiteral("G %1 %2 base=%3")
                     .arg(group->GetGuidText(), group->GetName(), group->GetBaseLabelIdText());
        for (int i = 0; i < group->GetCaptionCount(); ++i)
            lines << QStringLiteral("  C %1 %2")
                         .arg(group->GetCaptionAt(i)->GetGuidText(),
                              group->GetCaptionAt(i)->GetText());
    }
    for (const CResponseLibrary* library : libraries) {
        lines << QStringLiteral("L %1 %2").arg(library->GetGuidText(), library->GetName());
        for (int g = 0; g < library->GetGroupCount(); ++g) {
            const CResponseCaptionGroup* group = library->GetGroupAt(g);
            lines << QStringLiteral("  g %1").arg(group->GetGuidText());
            for (int i = 0; i < group->GetCaptionCount(); ++i)
                lines << QStringLiteral("    c %1 %2")
                             .arg(group->GetCaptionAt(i)->GetGuidText())
                             .arg(library->GetCaptionState(group->GetCaptionAt(i)));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// The application with two groups and two libraries:
//   "Bean There": "Bean There" (base), "Bean-There Coffee"
//   "Daily Grind": "Daily Grind", "The Daily Grind"
//   library "Brands": both groups, every Bean There caption and "Daily Grind" ticked;
//   library "Coffee": "Bean There" only, nothing ticked.
class CaptionLibraryDlgTest : public ::testing::Test
{
protected:
    CaptionLibraryDlgTest()
    {
        QList<CResponseCaptionGroup*> groups;
        QList<CResponseLibrary*> libraries;
        auto* beanThere = new CResponseCaptionGroup(QStringLiteral("Bean There"));
        CResponseCaption* bean1 = beanThere->AddCaption(
            std::make_unique<CResponseCaption>(QStringLiteral("Bean There"), beanThere));
        CResponseCaption* bean2 = beanThere->AddCaption(
            std::make_unique<CResponseCaption>(QStringLiteral("Bean-There Coffee"), beanThere));
        beanThere->SetBaseLabelId(bean1->GetGuid());
        auto* dailyGrind = new CResponseCaptionGroup(QStringLiteral("Daily Grind"));
        CResponseCaption* grind1 = dailyGrind->AddCaption(
            std::make_unique<CResponseCaption>(QStringLiteral("Daily Grind"), dailyGrind));
        dailyGrind->AddCaption(
            std::make_unique<CResponseCaption>(QStringLiteral("The Daily Grind"), dailyGrind));
        groups << beanThere << dailyGrind;
        auto* brands = new CResponseLibrary(QStringLiteral("Brands"));
        brands->AddGroup(beanThere);
        brands->AddGroup(dailyGrind);
        brands->SetCaptionState(bean1, 1);
        brands->SetCaptionState(bean2, 1);
        brands->SetCaptionState(grind1, 1);
        auto* coffee = new CResponseLibrary(QStringLiteral("Coffee"));
        coffee->AddGroup(beanThere);
        libraries << brands << coffee;
        SetCaptionLibraries(groups, libraries);
        m_before = AppDump();
    }

    QString AppDump() const { return Dump(app.GetCaptionGroups(), app.GetCaptionLibraries()); }

    // The dialog, shown.
    void Open(CCaptionLibraryDlg& dialog)
    {
        dialog.show();
        QApplication::processEvents();
    }

    static QPushButton& Button(const CCaptionLibraryDlg& dialog, int id)
    {
        return *FindControl<QPushButton>(dialog, id);
    }
    static void Click(const CCaptionLibraryDlg& dialog, int id)
    {
        QPushButton& button = Button(dialog, id);
        EXPECT_TRUE(button.isEnabled()) << id;
        QTest::mouseClick(&button, Qt::LeftButton);
    }
    // The tree's texts in walk order, each indented by its level, with "[x]" for a tick.
    static QStringList TreeTexts(const CXHtmlTree& tree)
    {
        QStringList texts;
        for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk)) {
            int level = 0;
            for (HTREEITEM up = tree.GetParentItem(walk); up; up = tree.GetParentItem(up))
                ++level;
            texts << QString(level * 2, QLatin1Char(' ')) + tree.GetItemText(walk) +
                         (level == 2 && tree.GetCheck(walk) ? QStringLiteral(" [x]") : QString());
        }
        return texts;
    }
    static QStringList ListTexts(const CXListCtrl& list, int column = 0)
    {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts << list.GetItemText(row, column);
        return texts;
    }
    static HTREEITEM FindItem(const CXHtmlTree& tree, const QString& text, int occurrence = 0)
    {
        for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk))
            if (tree.GetItemText(walk) == text && occurrence-- == 0)
                return walk;
        return nullptr;
    }
    // Ends a label edit under way with the text.
    static void FinishEdit(QWidget& view, const QString& text)
    {
        auto* editor = view.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    CScriptedWindowServices windows;
    CWaveApp app;
    QString m_before;
};

} // namespace

TEST_F(CaptionLibraryDlgTest, ModesNameWhatOkDoes)
{
    struct SCase
    {
        int Mode;
        const char* Ok;
        const char* OkTip;
        const char* CancelTip;
    };
    const SCase cases[] = {
        {0, "OK", "Save any changes and close", "Close without saving any changes"},
        {1, "Apply", "Save any changes and remove duplicate reponses using the captions libraries",
         "Close without saving changes or applying the caption libraries"},
        {2, "Reconcile", "Save any changes and reconcile using the selected libraries",
         "Close without saving changes or reconciling"},
    };
    for (const SCase& c : cases) {
        CCaptionLibraryDlg dialog;
        dialog.SetMode(c.Mode);
        Open(dialog);
        EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_OK).text(), QString::fromUtf8(c.Ok));
        EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_OK).toolTip(), QString::fromUtf8(c.OkTip));
        EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_CANCEL).toolTip(),
                  QString::fromUtf8(c.CancelTip));
        EXPECT_FALSE(Button(dialog, CCaptionLibraryDlg::IDC_ADD_CAPTIONS).isVisible());
    }
    CCaptionLibraryDlg dialog;
    Open(dialog);
    EXPECT_EQ(dialog.GetMode(), 1);
    EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_OK).text(), QStringLiteral("Apply"));
}

TEST_F(CaptionLibraryDlgTest, ShowsACopyOfTheLibrariesAndCancelKeepsTheApplications)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    EXPECT_EQ(
        TreeTexts(*dialog.GetTree()),
        (QStringList{"Brands", "  Bean There", "    Bean There [x]", "    Bean-There Coffee [x]",
                     "  Daily Grind", "    Daily Grind [x]", "    The Daily Grind", "Coffee",
                     "  Bean There", "    Bean There", "    Bean-There Coffee"}));
    EXPECT_EQ(ListTexts(*dialog.GetGroupsList()), (QStringList{"Bean There", "Daily Grind"}));
    EXPECT_EQ(dialog.GetGroupsList()->GetCurSel(), 0);
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList()), (QStringList{"Bean There", "Bean-There Coffee"}));
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList(), 1), (QStringList{"Base", "Duplicate"}));
    EXPECT_EQ(dialog.GetLabelsList()->GetCurSel(), 0);
    // The working copy is a copy: same GUIDs, other objects.
    EXPECT_EQ(Dump(dialog.GetGroups(), dialog.GetLibraries()), m_before);
    EXPECT_NE(dialog.GetGroups()[0], app.GetCaptionGroups()[0]);

    // The other group's labels follow the selection; the base caption cannot be made base.
    EXPECT_FALSE(Button(dialog, CCaptionLibraryDlg::IDC_MAKE_BASE).isEnabled());
    dialog.GetGroupsList()->SetCurSel(1);
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList()), (QStringList{"Daily Grind", "The Daily Grind"}));
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList(), 1), (QStringList{"Duplicate", "Duplicate"}));
    EXPECT_TRUE(Button(dialog, CCaptionLibraryDlg::IDC_MAKE_BASE).isEnabled());

    // Edits, then Cancel: the application's libraries are as they were.
    Click(dialog, CCaptionLibraryDlg::IDC_NEW_GROUP);
    QApplication::processEvents();
    Click(dialog, CCaptionLibraryDlg::IDC_NEW_LIBRARY);
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP);
    dialog.GetGroupsList()->SetCurSel(0);
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_GROUP);
    EXPECT_NE(Dump(dialog.GetGroups(), dialog.GetLibraries()), m_before);
    Click(dialog, CCaptionLibraryDlg::IDC_CANCEL);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_EQ(AppDump(), m_before);
    EXPECT_TRUE(dialog.GetGroups().isEmpty());
}

TEST_F(CaptionLibraryDlgTest, OkPutsTheEditedCopyInPlaceOfTheApplications)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    const QList<CResponseCaptionGroup*> copies = dialog.GetGroups();
    // Renaming a group in the tree renames every item and row that shows it.
    CXHtmlTree& tree = *dialog.GetTree();
    HTREEITEM group = FindItem(tree, QStringLiteral("Bean There"));
    tree.SelectItem(group);
    ASSERT_TRUE(tree.EditLabel(group));
    FinishEdit(*tree.viewport(), QStringLiteral("Bean There Cafés"));
    EXPECT_EQ(copies[0]->GetName(), QStringLiteral("Bean There Cafés"));
    EXPECT_EQ(tree.GetItemText(FindItem(tree, QStringLiteral("Bean There Cafés"), 1)),
              QStringLiteral("Bean There Cafés"));
    EXPECT_EQ(ListTexts(*dialog.GetGroupsList())[0], QStringLiteral("Bean There Cafés"));

    // A caption renamed in the labels list with F2.
    dialog.GetLabelsList()->SetCurSel(1);
    dialog.GetLabelsList()->setFocus();
    QTest::keyClick(dialog.GetLabelsList(), Qt::Key_F2);
    FinishEdit(*dialog.GetLabelsList()->viewport(), QStringLiteral("Bean There Coffee"));
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList())[1], QStringLiteral("Bean There Coffee"));
    EXPECT_NE(FindItem(tree, QStringLiteral("Bean There Coffee"), 1), nullptr);

    // Ticking the group in the second library ticks its captions there only.
    HTREEITEM coffeeGroup = FindItem(tree, QStringLiteral("Bean There Cafés"), 1);
    tree.SetCheck(coffeeGroup, true);
    const CResponseLibrary* coffee = dialog.GetLibraries()[1];
    EXPECT_EQ(coffee->GetCaptionState(copies[0]->GetCaptionAt(0)), 1);
    EXPECT_EQ(coffee->GetCaptionState(copies[0]->GetCaptionAt(1)), 1);
    // Unticking one caption of the first library unticks it there only.
    HTREEITEM brandsCaption = FindItem(tree, QStringLiteral("Bean There Coffee"));
    tree.SetCheck(brandsCaption, false);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetCaptionState(copies[0]->GetCaptionAt(1)), 0);
    EXPECT_EQ(coffee->GetCaptionState(copies[0]->GetCaptionAt(1)), 1);
    // Unticking a whole library.
    tree.SetCheck(FindItem(tree, QStringLiteral("Brands")), false);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetCaptionState(copies[1]->GetCaptionAt(0)), 0);

    const QString edited = Dump(dialog.GetGroups(), dialog.GetLibraries());
    Click(dialog, CCaptionLibraryDlg::IDC_OK);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(AppDump(), edited);
    EXPECT_EQ(app.GetCaptionGroups()[0], copies[0]);
}

TEST_F(CaptionLibraryDlgTest, AGroupRenamedToNothingKeepsItsName)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    const QStringList tree = TreeTexts(*dialog.GetTree());
    const QStringList groups = ListTexts(*dialog.GetGroupsList());
    for (const QString& blank : {QString(), QStringLiteral("  ")}) {
        SCOPED_TRACE(qPrintable(QStringLiteral("'%1'").arg(blank)));
        // In the tree, and in the groups list with F2.
        windows.Prompts.clear();
        CXHtmlTree& treeCtrl = *dialog.GetTree();
        HTREEITEM group = FindItem(treeCtrl, QStringLiteral("Bean There"));
        treeCtrl.SelectItem(group);
        ASSERT_TRUE(treeCtrl.EditLabel(group));
        FinishEdit(*treeCtrl.viewport(), blank);
        dialog.GetGroupsList()->SetCurSel(1);
        dialog.GetGroupsList()->setFocus();
        QTest::keyClick(dialog.GetGroupsList(), Qt::Key_F2);
        FinishEdit(*dialog.GetGroupsList()->viewport(), blank);

        EXPECT_EQ(windows.Prompts,
                  (QStringList{"A name cannot be empty. \"Bean There\" keeps its name.",
                               "A name cannot be empty. \"Daily Grind\" keeps its name."}));
        EXPECT_EQ(dialog.GetGroups()[0]->GetName(), QStringLiteral("Bean There"));
        EXPECT_EQ(dialog.GetGroups()[1]->GetName(), QStringLiteral("Daily Grind"));
        EXPECT_EQ(TreeTexts(*dialog.GetTree()), tree);
        EXPECT_EQ(ListTexts(*dialog.GetGroupsList()), groups);
    }
    Click(dialog, CCaptionLibraryDlg::IDC_OK);
    EXPECT_EQ(AppDump(), m_before);
}

TEST_F(CaptionLibraryDlgTest, ANewLabelIsUntickedInEveryLibraryOfItsGroup)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    Click(dialog, CCaptionLibraryDlg::IDC_NEW_LABEL);
    // Its text is being edited.
    auto* editor = dialog.GetLabelsList()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("(label text)"));
    FinishEdit(*dialog.GetLabelsList()->viewport(), QStringLiteral("Bean There Espresso"));

    const CResponseCaptionGroup* group = dialog.GetGroups()[0];
    ASSERT_EQ(group->GetCaptionCount(), 3);
    const CResponseCaption* added = group->GetCaptionAt(2);
    EXPECT_EQ(added->GetText(), QStringLiteral("Bean There Espresso"));
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList(), 1),
              (QStringList{"Base", "Duplicate", "Duplicate"}));
    EXPECT_EQ(dialog.GetLabelsList()->GetCurSel(), 2);
    for (const CResponseLibrary* library : dialog.GetLibraries())
        EXPECT_EQ(library->GetCaptionState(added), 0) << library->GetName().toStdString();
    EXPECT_EQ(TreeTexts(*dialog.GetTree()),
              (QStringList{"Brands", "  Bean There", "    Bean There [x]",
                           "    Bean-There Coffee [x]", "    Bean There Espresso", "  Daily Grind",
                           "    Daily Grind [x]", "    The Daily Grind", "Coffee", "  Bean There",
                           "    Bean There", "    Bean-There Coffee", "    Bean There Espresso"}));
    // The last tree item made is selected; the group is no longer fully ticked in "Brands".
    EXPECT_EQ(dialog.GetTree()->GetSelectedItem(),
              FindItem(*dialog.GetTree(), QStringLiteral("Bean There Espresso"), 1));
    EXPECT_FALSE(
        dialog.GetTree()->GetCheck(FindItem(*dialog.GetTree(), QStringLiteral("Bean There"))));

    // Removing it takes it out of both libraries and the group.
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_LABEL);
    EXPECT_EQ(group->GetCaptionCount(), 2);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetCaptionStateCount(), 3);
    EXPECT_EQ(dialog.GetLibraries()[1]->GetCaptionStateCount(), 0);
    EXPECT_EQ(FindItem(*dialog.GetTree(), QStringLiteral("Bean There Espresso")), nullptr);
}

TEST_F(CaptionLibraryDlgTest, RemovingAGroupInTheTreeKeepsItRemovingItInTheListDoesNot)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    CXHtmlTree& tree = *dialog.GetTree();
    // Nothing selected in the tree: "-" of the tree is off, the tool tip says what it would do.
    tree.SelectItem(FindItem(tree, QStringLiteral("Bean-There Coffee")));
    EXPECT_FALSE(Button(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP).isEnabled());
    EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP).toolTip(),
              QStringLiteral("Remove the selected library or group"));

    // "Bean There" out of "Brands" from the tree: the group stays, in "Coffee" too.
    tree.SelectItem(FindItem(tree, QStringLiteral("Bean There")));
    EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP).toolTip(),
              QStringLiteral("Remove the selected group"));
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP);
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), QStringLiteral("Brands"));
    EXPECT_EQ(ListTexts(*dialog.GetGroupsList()), (QStringList{"Bean There", "Daily Grind"}));
    EXPECT_EQ(dialog.GetLibraries()[0]->GetGroupCount(), 1);
    EXPECT_EQ(dialog.GetLibraries()[1]->GetGroupCount(), 1);
    EXPECT_EQ(dialog.GetGroups().size(), 2);

    // It can go back in: "Brands" selected, the group selected in the list.
    EXPECT_TRUE(Button(dialog, CCaptionLibraryDlg::IDC_ADD_GROUP_TO_LIBRARY).isEnabled());
    Click(dialog, CCaptionLibraryDlg::IDC_ADD_GROUP_TO_LIBRARY);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetGroupCount(), 2);
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), QStringLiteral("Bean There"));
    EXPECT_FALSE(Button(dialog, CCaptionLibraryDlg::IDC_ADD_GROUP_TO_LIBRARY).isEnabled());

    // "Bean There" removed with the groups list's "-": gone from every library and the tree.
    dialog.GetGroupsList()->SetCurSel(0);
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_GROUP);
    EXPECT_EQ(ListTexts(*dialog.GetGroupsList()), QStringList{"Daily Grind"});
    EXPECT_EQ(dialog.GetGroups().size(), 1);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetGroupCount(), 1);
    EXPECT_EQ(dialog.GetLibraries()[0]->GetCaptionStateCount(), 1);
    EXPECT_EQ(dialog.GetLibraries()[1]->GetGroupCount(), 0);
    EXPECT_EQ(TreeTexts(tree), (QStringList{"Brands", "  Daily Grind", "    Daily Grind [x]",
                                            "    The Daily Grind", "Coffee"}));

    // A library removed from the tree.
    tree.SelectItem(FindItem(tree, QStringLiteral("Coffee")));
    EXPECT_EQ(Button(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP).toolTip(),
              QStringLiteral("Remove the selected library"));
    Click(dialog, CCaptionLibraryDlg::IDC_REMOVE_LIBRARY_OR_GROUP);
    EXPECT_EQ(dialog.GetLibraries().size(), 1);
    EXPECT_EQ(TreeTexts(tree).size(), 4);
}

TEST_F(CaptionLibraryDlgTest, MakeBaseRewritesTheRoles)
{
    CCaptionLibraryDlg dialog;
    Open(dialog);
    dialog.GetLabelsList()->SetCurSel(1);
    Click(dialog, CCaptionLibraryDlg::IDC_MAKE_BASE);
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList(), 1), (QStringList{"Duplicate", "Base"}));
    const CResponseCaptionGroup* group = dialog.GetGroups()[0];
    EXPECT_EQ(group->GetBaseLabel(), group->GetCaptionAt(1));
    EXPECT_FALSE(Button(dialog, CCaptionLibraryDlg::IDC_MAKE_BASE).isEnabled());
    dialog.GetLabelsList()->SetCurSel(0);
    EXPECT_TRUE(Button(dialog, CCaptionLibraryDlg::IDC_MAKE_BASE).isEnabled());
}

TEST_F(CaptionLibraryDlgTest, ProposedCaptionsComeInAsTwoLabels)
{
    CCaptionLibraryDlg dialog;
    dialog.SetMode(CAPTION_LIBRARY_EDIT);
    dialog.SetNewCaption(QStringLiteral("Grind Daily"), QStringLiteral("DAILY GRIND LTD"));
    Open(dialog);
    dialog.GetGroupsList()->SetCurSel(1);
    EXPECT_TRUE(Button(dialog, CCaptionLibraryDlg::IDC_ADD_CAPTIONS).isVisible());
    Click(dialog, CCaptionLibraryDlg::IDC_ADD_CAPTIONS);
    EXPECT_EQ(ListTexts(*dialog.GetLabelsList()),
              (QStringList{"Daily Grind", "The Daily Grind", "Grind Daily", "DAILY GRIND LTD"}));
    EXPECT_EQ(dialog.GetLabelsList()->GetCurSel(), 3);
    EXPECT_EQ(dialog.GetLabelsList()->selectedItems().size(), 1);
    // No edit is started for two.
    EXPECT_EQ(dialog.GetLabelsList()->viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(dialog.GetGroups()[1]->GetCaptionCount(), 4);
}

TEST_F(CaptionLibraryDlgTest, ImportingAFileTwiceGivesTwoSetsWithNewGuids)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Exported.xml"));
    CCaptionLibraryDlg dialog;
    Open(dialog);
    windows.Choices = {path, path, path};
    Click(dialog, CCaptionLibraryDlg::IDC_EXPORT);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(windows.ChooserCalls[0].startsWith(QStringLiteral("save")));
    Click(dialog, CCaptionLibraryDlg::IDC_IMPORT);
    Click(dialog, CCaptionLibraryDlg::IDC_IMPORT);
    EXPECT_TRUE(windows.Prompts.isEmpty());

    ASSERT_EQ(dialog.GetGroups().size(), 6);
    ASSERT_EQ(dialog.GetLibraries().size(), 6);
    QSet<QString> guids;
    for (const CResponseCaptionGroup* group : dialog.GetGroups())
        guids.insert(group->GetGuidText());
    for (const CResponseLibrary* library : dialog.GetLibraries())
        guids.insert(library->GetGuidText());
    EXPECT_EQ(guids.size(), 12);
    // The imported copies keep their names, captions and ticks.
    EXPECT_EQ(dialog.GetLibraries()[4]->GetName(), QStringLiteral("Brands"));
    EXPECT_EQ(dialog.GetLibraries()[4]->GetGroupAt(0), dialog.GetGroups()[4]);
    EXPECT_EQ(dialog.GetLibraries()[4]->GetCaptionState(dialog.GetGroups()[4]->GetCaptionAt(1)), 1);
    EXPECT_EQ(ListTexts(*dialog.GetGroupsList()).size(), 6);
    EXPECT_EQ(dialog.GetTree()->topLevelItemCount(), 6);
}

TEST_F(CaptionLibraryDlgTest, AFailedImportOrExportChangesNothing)
{
    QTemporaryDir folder;
    const QString notXml = folder.filePath(QStringLiteral("notes.xml"));
    QFile file(notXml);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some notes, no caption library");
    file.close();
    CCaptionLibraryDlg dialog;
    Open(dialog);
    const QString before = Dump(dialog.GetGroups(), dialog.GetLibraries());
    const QStringList treeBefore = TreeTexts(*dialog.GetTree());
    windows.Choices = {notXml, folder.filePath(QStringLiteral("missing.xml")), QString(),
                       folder.filePath(QStringLiteral("no/such/folder/out.xml"))};
    Click(dialog, CCaptionLibraryDlg::IDC_IMPORT);
    Click(dialog, CCaptionLibraryDlg::IDC_IMPORT);
    Click(dialog, CCaptionLibraryDlg::IDC_IMPORT); // cancelled: says nothing
    Click(dialog, CCaptionLibraryDlg::IDC_EXPORT);
    EXPECT_EQ(windows.Prompts, (QStringList{"Unable to import the captions library.",
                                            "Unable to import the captions library.",
                                            "Unable to export the captions library."}));
    EXPECT_EQ(Dump(dialog.GetGroups(), dialog.GetLibraries()), before);
    EXPECT_EQ(TreeTexts(*dialog.GetTree()), treeBefore);
}

TEST_F(CaptionLibraryDlgTest, TheDialogsCallRunsItInTheRequestedMode)
{
    CCaptionLibraryDlg* shown = nullptr;
    QTimer::singleShot(0, [&shown] {
        shown = qobject_cast<CCaptionLibraryDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->GetMode(), CAPTION_LIBRARY_RECONCILE);
        EXPECT_TRUE(
            FindControl<QPushButton>(*shown, CCaptionLibraryDlg::IDC_ADD_CAPTIONS)->isVisible());
        shown->GetGroupsList()->SetCurSel(1);
        Click(*shown, CCaptionLibraryDlg::IDC_ADD_CAPTIONS);
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    CCampaignViewDialogs dialogs;
    SCaptionLibraryDlgRequest request;
    request.Mode = CAPTION_LIBRARY_RECONCILE;
    request.ProposeCaptions = true;
    request.FirstCaption = QStringLiteral("Grind Daily");
    request.SecondCaption = QStringLiteral("Daily Grind Ltd");
    EXPECT_EQ(dialogs.RunCaptionLibraryDlg(nullptr, request), IDCANCEL);
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(AppDump(), m_before);
}
