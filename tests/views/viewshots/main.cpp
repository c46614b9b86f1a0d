// Writes a PNG picture of each campaign view and campaign dialog in a known state, on the sample
// campaign, and the sample campaign's file (sample.duv) beside them:
//   viewshots <folder>
// Each picture is checked for what it shows (items, highlights, colours, greyed commands); a
// failed check is printed and the run exits with 1.

#include "app/WaveApp.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "controls/AutoRepeatButton.h"
#include "controls/MultiCtrl.h"
#include "controls/PropertyGrid.h"
#include "controls/SimpleBrowser.h"
#include "controls/XHtmlTree.h"
#include "controls/XListCtrl.h"
#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/CheckForDuplicatesDlg.h"
#include "dialogs/DBConnectionDlg.h"
#include "dialogs/DialogControls.h"
#include "dialogs/FindQuestionDlg.h"
#include "dialogs/FixAllDlg.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/MatchingMethodDlg.h"
#include "dialogs/ModalityDiffsDlg.h"
#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeMatchingPage.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "dialogs/NewWaveDlg.h"
#include "dialogs/OptionsSheet.h"
#include "dialogs/QuestionDiffsDlg.h"
#include "dialogs/ReReconciliationOptionsDlg.h"
#include "dialogs/ReportDlg.h"
#include "dialogs/ShellDialogs.h"
#include "dialogs/ValidateCampaignDlg.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/QuestionnaireLoading.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/Differences.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/SourceComparison.h"
#include "reconcile/ValidationReports.h"
#include "reconcile/WaveDiffsFill.h"
#include "res/CommandIds.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/GridDrag.h"
#include "support/views/ManualClock.h"
#include "support/views/SampleCampaign.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightReconciliationPage.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"
#include "views/SummaryReport.h"
#include "views/ViewDialogs.h"
#include "views/WaveGridCtrl.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdio>

using namespace pelko_wave;

namespace {

QDir g_out;
int g_failures = 0;

void Save(const QImage& image, const QString& name)
{
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    if (image.save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "viewshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
}

QImage Shoot(QWidget& widget, const QString& name)
{
    QApplication::processEvents();
    const QImage image = widget.grab().toImage();
    Save(image, name);
    return image;
}

// A check of what a picture shows; a failed one fails the run.
void Expect(bool condition, const QString& what)
{
    if (condition)
        return;
    std::fprintf(stderr, "viewshots: %s\n", qPrintable(what));
    ++g_failures;
}

// The darkest pixel of the rectangle of the image.
QColor Darkest(const QImage& image, const QRect& rect)
{
    QColor darkest = Qt::white;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.lightness() < darkest.lightness())
                darkest = colour;
        }
    return darkest;
}

bool Near(const QColor& a, const QColor& b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The number of pixels of the rectangle of the image darker than the lightness: the ink of what
// is drawn there.
int Ink(const QImage& image, const QRect& rect, int lightness = 128)
{
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y).lightness() < lightness;
    return count;
}

// The number of pixels of the rectangle of the image near the colour.
int CountNear(const QImage& image, const QRect& rect, const QColor& colour, int tolerance)
{
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += Near(image.pixelColor(x, y), colour, tolerance);
    return count;
}

// Where a row of the campaign tree lies in a picture of the window.
QRect RowIn(const QWidget& window, const QTreeView& tree, const QModelIndex& index)
{
    return tree.visualRect(index).translated(tree.viewport()->mapTo(&window, QPoint(0, 0)));
}

// Where an item of the question tree lies in a picture of the window.
QRect ItemIn(const QWidget& window, CQuestionTreeCtrl& tree, HTREEITEM item)
{
    return tree.GetItemRect(item, true).translated(tree.viewport()->mapTo(&window, QPoint(0, 0)));
}

// The pane's grid: its title row shaded as the grid's titles are, and each item's name and value
// written in its row (a value left empty in the model is allowed to show nothing).
void ExpectPropertyPicture(const QImage& image, CBottomView& pane, const char* what)
{
    CPropertyGrid& grid = *pane.GetGrid();
    const CPropertyGrid::CSection* section = grid.FindSection(0);
    Expect(section && !section->m_items.empty(), what);
    if (!section)
        return;
    const QPoint offset = grid.viewport()->mapTo(&pane, QPoint(0, 0));
    const QColor shade = ColorRefToQColor(grid.GetColour(CPropertyGrid::COLOUR_SHADE));
    Expect(Near(image.pixelColor(offset + QPoint(2, section->m_rcTitle.top + 2)), shade), what);
    for (const CPropertyGrid::CItem& item : section->m_items) {
        const QRect name(offset.x() + item.m_rcName.left, offset.y() + item.m_rcName.top,
                         item.m_rcName.Width(), item.m_rcName.Height());
        Expect(Darkest(image, name).lightness() < 100, what);
        const bool empty =
            item.m_type != CPropertyGrid::IT_CUSTOM && grid.GetValueText(item).isEmpty();
        const QRect value(offset.x() + item.m_rcValue.left, offset.y() + item.m_rcValue.top,
                          item.m_rcValue.Width(), item.m_rcValue.Height());
        Expect(empty || Darkest(image, value).lightness() < 160, what);
    }
}

// The window with the pop-up menu drawn over it where it opened.
QImage ShootWithMenu(QWidget& window, QMenu& popup, const QString& name)
{
    QApplication::processEvents();
    QImage image = window.grab().toImage();
    const QPoint at = popup.geometry().topLeft() - window.geometry().topLeft();
    QImage canvas(std::max(image.width(), at.x() + popup.width()),
                  std::max(image.height(), at.y() + popup.height()), QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image);
    painter.drawPixmap(at, popup.grab());
    painter.end();
    Save(canvas, name);
    return canvas;
}

void ExpandTo(CQuestionTreeCtrl& tree, const QString& shortcut)
{
    for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk))
        if (tree.GetItemText(walk) == shortcut) {
            tree.Expand(walk, TVE_EXPAND);
            return;
        }
}

// Nothing of the window is cut: every visible control lies inside its parent (the insides of
// lists and trees, which scroll, left out).
void ExpectNothingCut(const QWidget& window, const QString& name)
{
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QWidget* parent = control->parentWidget();
        if (!control->isVisible() || control->isWindow() || !parent)
            continue;
        bool scrolled = false;
        for (const QWidget* up = parent; up && up != &window; up = up->parentWidget())
            scrolled = scrolled || qobject_cast<const QAbstractScrollArea*>(up) != nullptr;
        if (scrolled)
            continue;
        Expect(parent->rect().contains(control->geometry()),
               QStringLiteral("%1: %2 \"%3\" is cut")
                   .arg(name, QString::fromLatin1(control->metaObject()->className()),
                        control->objectName()));
    }
}

// The dark text of a label or button is drawn where it stands.
bool HasDarkInk(const QImage& image, const QRect& area)
{
    return Darkest(image, area).lightness() < 90;
}

// Shows a dialog, grabs it, checks it and saves it.
QImage ShootDialog(QWidget& dialog, const QString& name)
{
    dialog.show();
    QApplication::processEvents();
    ExpectNothingCut(dialog, name);
    QImage image = dialog.grab().toImage();
    Save(image, name);
    return image;
}

// The sample campaign's caption libraries: brand names and answers written differently.
void AddSampleCaptionLibraries()
{
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    const QList<QStringList> captions = {
        {"Bean There", "Bean-There Coffee", "Bean There Cafés"},
        {"Daily Grind", "The Daily Grind"},
        {"Don't know", "Do not know", "DK", "Ne sait pas"},
        {"None of these", "None of the above"},
    };
    for (const QStringList& texts : captions) {
        auto* group = new CResponseCaptionGroup(texts[0]);
        for (const QString& text : texts)
            group->AddCaption(std::make_unique<CResponseCaption>(text, group));
        group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
        groups << group;
    }
    auto* brands = new CResponseLibrary(QStringLiteral("Coffee brands"));
    brands->AddGroup(groups[0]);
    brands->AddGroup(groups[1]);
    for (int i = 0; i < groups[0]->GetCaptionCount(); ++i)
        brands->SetCaptionState(groups[0]->GetCaptionAt(i), 1);
    brands->SetCaptionState(groups[1]->GetCaptionAt(0), 1);
    auto* answers = new CResponseLibrary(QStringLiteral("Standard answers"));
    answers->AddGroup(groups[2]);
    answers->AddGroup(groups[3]);
    for (int i = 0; i < 3; ++i)
        answers->SetCaptionState(groups[2]->GetCaptionAt(i), 1);
    libraries << brands << answers;
    SetCaptionLibraries(groups, libraries);
}

HTREEITEM Find(CQuestionTreeCtrl& tree, const QString& shortcut)
{
    for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk))
        if (tree.GetItemText(walk) == shortcut)
            return walk;
    return nullptr;
}

// The Update dialog after one run on wave 2, "Summer" (taken back afterwards), and the find
// question dialog on the same wave.
void ShootUpdateAndFind(CWaveApp& app, CCampaign& campaign)
{
    const int waveId = campaign.GetWave(1)->GetWaveId();
    {
        CWaveDiffsEntry* entry = FillWaveDifferences(*app.GetDiffsCache(), campaign, waveId);
        GUID groupId;
        CreateGuid(groupId);
        CFixAllDlg dialog(groupId);
        dialog.SetWaveId(waveId);
        dialog.SetQuestionDifferences(entry->GetQuestionDiffs());
        dialog.SetModalityDifferences(entry->GetModalityDiffs());
        dialog.show();
        dialog.OnUpdate();
        const QImage image = ShootDialog(dialog, QStringLiteral("update"));
        Expect(dialog.GetCommandsRun() > 0, QStringLiteral("update: nothing was fixed"));
        Expect(dialog.GetQuestionList()->GetItemCount() == 19 &&
                   dialog.GetModalityList()->GetItemCount() == 4,
               QStringLiteral("update: the lists lack parts"));
        // The first pair's heading on its grey band, in blue.
        auto* results = dialog.GetBrowser()->GetBrowserWindow();
        const QPoint heading = results->viewport()->mapTo(&dialog, QPoint(results->width() / 2, 6));
        Expect(Near(image.pixelColor(heading), QColor(220, 220, 220), 6),
               QStringLiteral("update: the heading's band"));
        const QPoint headingText = results->viewport()->mapTo(&dialog, QPoint(4, 2));
        const QColor ink = Darkest(image, QRect(headingText, QSize(120, 12)));
        Expect(ink.blue() > ink.red() + 60, QStringLiteral("update: the heading is not blue"));
        Expect(HasDarkInk(image, dialog.GetCloseButton()->geometry()),
               QStringLiteral("update: no Close"));
        dialog.close();
        app.Undo();
    }
    {
        CFindQuestionDlg dialog;
        dialog.SetWaveId(waveId);
        std::set<int> ids;
        for (int q = 0; q < campaign.GetQuestionCount(); ++q)
            ids.insert(campaign.GetQuestion(q)->GetQuestionId());
        dialog.SetCampaignQuestionIds(ids);
        const CWave& wave = *campaign.GetWave(1);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume& volume = *wave.GetVolume(v);
            EnsureVolumeQuestionnaire(volume);
            const qnr::CQuestionnaire& source = volume.GetQuestionnaire();
            for (int q = 0; q < source.GetNbreQuestion(); ++q) {
                const qnr::CQuestion& question = *source.GetQuestion(q);
                dialog.AddSourceQuestion(volume.GetVolumeId(),
                                         QString::number(question.GetCodeQuestion()), question);
            }
        }
        dialog.show();
        dialog.GetEdit()->setText(QStringLiteral("q1"));
        dialog.GetCampaignList()->SetCurSel(1);
        const QImage image = ShootDialog(dialog, QStringLiteral("find-question"));
        Expect(dialog.GetCampaignList()->GetItemCount() == 3 &&
                   dialog.GetSourceList()->GetItemCount() == 6,
               QStringLiteral("find-question: not Q1, Q10 and Q11 of the campaign and both "
                              "volumes"));
        Expect(dialog.GetGoToButton()->isEnabled(), QStringLiteral("find-question: Go To is off"));
        Expect(HasDarkInk(image, dialog.GetGoToButton()->geometry()),
               QStringLiteral("find-question: no Go To"));
        CXListCtrl& list = *dialog.GetCampaignList();
        const QRect chosen = list.visualItemRect(list.topLevelItem(1))
                                 .translated(list.viewport()->mapTo(&dialog, QPoint(0, 0)));
        Expect(Near(image.pixelColor(chosen.right() - 4, chosen.center().y()),
                    dialog.palette().color(QPalette::Highlight), 30),
               QStringLiteral("find-question: the chosen row is not highlighted"));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    const QString config = work.filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath(QStringLiteral("data"))));
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pelko"));
    QCoreApplication::setApplicationName(QStringLiteral("Plim"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: viewshots <output folder>\n");
        return 2;
    }
    g_out = QDir(arguments[1]);
    if (!g_out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "viewshots: cannot make %s\n", qPrintable(arguments[1]));
        return 1;
    }

    CScriptedWindowServices windows;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);

    // The empty campaign first: the tree's single item and an empty question page.
    {
        QSplitter window;
        auto* left = new CLeftView;
        auto* right = new CRightView;
        window.addWidget(left);
        window.addWidget(right);
        window.setSizes({220, 420});
        window.resize(640, 360);
        left->SetPanes(right, nullptr);
        window.show();
        left->ResetAfterLoad();
        const QImage image = Shoot(window, QStringLiteral("campaign-empty"));
        // The campaign's one item, named "(Not set)", and a question page with no question.
        const QModelIndex root = left->GetModel()->index(0, 0);
        Expect(left->GetModel()->GetRecordCount() == 1, "campaign-empty: one item");
        Expect(root.data().toString() == QStringLiteral("(Not set)"),
               "campaign-empty: named (Not set)");
        Expect(Ink(image, RowIn(window, *left->GetTree(), root)) > 20,
               "campaign-empty: the item's text shows");
        Expect(right->GetTreePage()->GetTree()->GetRootItem() == nullptr,
               "campaign-empty: no question");
    }

    QString error;
    // The campaign file stays beside the pictures, to be opened in the program.
    if (!sample_campaign::BuildSampleCampaign(app, g_out.filePath(QStringLiteral("sample.duv")),
                                              error)) {
        std::fprintf(stderr, "viewshots: the sample campaign: %s\n", qPrintable(error));
        return 1;
    }
    CCampaign& campaign = *app.GetCampaign();

    CLeftView left;
    CRightView right;
    CBottomView bottom;
    left.SetPanes(&right, &bottom);
    left.resize(240, 320);
    right.resize(420, 520);
    bottom.resize(440, 330);
    left.show();
    right.show();
    bottom.show();
    left.ResetAfterLoad();
    QTreeView& tree = *left.GetTree();
    tree.expandAll();
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 1);
    {
        const QImage image = Shoot(left, QStringLiteral("campaign-tree"));
        // Every wave is reconciled: the names of those not selected are black.
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const QModelIndex item =
                left.GetModel()->FindItem(TREE_KIND_WAVE, campaign.GetWave(w)->GetWaveId());
            if (item == tree.currentIndex())
                continue;
            const QRect text =
                tree.visualRect(item).translated(tree.viewport()->mapTo(&left, QPoint(0, 0)));
            Expect(Near(Darkest(image, text), Qt::black, 40), "campaign-tree: a reconciled wave");
        }
        // Every item in view with its text; the selected wave highlighted along its row.
        int shown = 0;
        for (int r = 0; r < left.GetModel()->GetRecordCount(); ++r) {
            const QRect row = RowIn(left, tree, left.GetModel()->IndexOfRecord(r));
            shown += image.rect().contains(row) && Ink(image, row, 200) > 10;
        }
        Expect(shown == left.GetModel()->GetRecordCount(),
               "campaign-tree: every item shows its text");
        const QRect selected = RowIn(left, tree, tree.currentIndex());
        Expect(CountNear(image, selected, tree.palette().color(QPalette::Highlight), 24) >
                   selected.width() * selected.height() / 3,
               "campaign-tree: the selected wave is highlighted");
    }

    // The property pane of the campaign, of wave 2 and of its second volume (which inherits).
    left.SelectCampaign(0);
    ExpectPropertyPicture(Shoot(bottom, QStringLiteral("property-campaign")), bottom,
                          "property-campaign");
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 0);
    ExpectPropertyPicture(Shoot(bottom, QStringLiteral("property-wave")), bottom, "property-wave");
    left.SelectVolumeItem(campaign.GetWave(1)->GetVolume(1)->GetVolumeId(), 0);
    ExpectPropertyPicture(Shoot(bottom, QStringLiteral("property-volume")), bottom,
                          "property-volume");

    // The reconciliation summary of wave 2 in its report window.
    {
        CSummaryCounts counts;
        QString details;
        Expect(ComputeSummary(campaign.GetWave(1)->GetWaveId(), counts, details),
               "summary-wave2: computed");
        CReportDlg report;
        report.setWindowTitle(QStringLiteral("Reconciliation Summary for Wave \"Summer\""));
        report.SetReportKind(REPORT_SUMMARY);
        report.SetReportHtml(BuildSummaryHtml(counts, details));
        report.show();
        const QImage image = Shoot(report, QStringLiteral("summary-wave2"));
        // The count lines come first, on their light grey, then the details.
        auto* browser = report.findChild<QTextBrowser*>();
        Expect(browser && browser->toPlainText().contains(QStringLiteral("perfect question")),
               "summary-wave2: the counts");
        Expect(counts.MatchesWithDifferences > 0 && !details.isEmpty(),
               "summary-wave2: differences listed");
        const QPoint line = browser ? browser->viewport()->mapTo(&report, QPoint(40, 6)) : QPoint();
        Expect(Near(image.pixelColor(line), QColor(240, 240, 240), 6),
               "summary-wave2: the first count's background");
    }

    // The question tree of the campaign: two chapters open, a question selected.
    left.SelectCampaign(0);
    CQuestionTreeCtrl& questions = *right.GetTreePage()->GetTree();
    ExpandTo(questions, QStringLiteral("SCREENING"));
    ExpandTo(questions, QStringLiteral("USAGE"));
    ExpandTo(questions, QStringLiteral("BRANDLOOP"));
    if (HTREEITEM item = Find(questions, QStringLiteral("Q5"))) {
        questions.scrollToItem(item);
        QTest::mouseClick(questions.viewport(), Qt::LeftButton, {},
                          questions.GetItemRect(item, true).center());
    }
    {
        const QImage image = Shoot(right, QStringLiteral("question-tree-campaign"));
        // Q5 selected and shown; the page is editable: the add-chapter button is on.
        HTREEITEM q5 = Find(questions, QStringLiteral("Q5"));
        Expect(q5 && questions.GetSelectedItem() == q5, "question-tree-campaign: Q5 selected");
        if (q5) {
            const QRect item = ItemIn(right, questions, q5);
            Expect(image.rect().contains(item), "question-tree-campaign: Q5 in view");
            Expect(CountNear(image, item, questions.palette().color(QPalette::Highlight), 24) > 20,
                   "question-tree-campaign: Q5 highlighted");
        }
        Expect(right.GetTreePage()->GetButton(CRightTreePage::ButtonAddChapter)->isEnabled(),
               "question-tree-campaign: chapters can be added");
    }

    // Wave 2, read-only: every button greyed.
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 0);
    questions.Expand(questions.GetRootItem(), TVE_EXPAND);
    ExpandTo(questions, QStringLiteral("AWARENESS"));
    {
        const QImage image = Shoot(right, QStringLiteral("question-tree-wave2"));
        // Read-only: every button greyed; the wave's chapters and questions with their texts.
        bool anyEnabled = false;
        for (int b = 0; b < CRightTreePage::ButtonCount; ++b)
            anyEnabled = anyEnabled ||
                         right.GetTreePage()->GetButton(CRightTreePage::EButton(b))->isEnabled();
        Expect(!anyEnabled, "question-tree-wave2: every button greyed");
        int items = 0;
        for (HTREEITEM walk = questions.GetRootItem(); walk; walk = questions.GetNextTreeItem(walk))
            items += !questions.GetItemRect(walk, true).isEmpty() &&
                     Ink(image, ItemIn(right, questions, walk)) > 10;
        Expect(items >= 8, "question-tree-wave2: the chapters and questions show");
    }

    // A crowded page: everything open in a short pane.
    left.SelectCampaign(0);
    for (HTREEITEM walk = questions.GetRootItem(); walk; walk = questions.GetNextTreeItem(walk))
        questions.Expand(walk, TVE_EXPAND);
    right.resize(300, 240);
    {
        const QImage image = Shoot(right, QStringLiteral("question-tree-crowded"));
        // A short pane: the tree scrolls, its buttons stay in their strip beside it.
        Expect(questions.verticalScrollBar()->isVisible(),
               "question-tree-crowded: the tree scrolls");
        const QRect strip(0, 0, CRightTreePage::kButtonStripWidth, right.height());
        for (int b = 0; b < CRightTreePage::ButtonCount; ++b) {
            const QWidget* button = right.GetTreePage()->GetButton(CRightTreePage::EButton(b));
            const QRect place(button->mapTo(&right, QPoint(0, 0)), button->size());
            Expect(strip.contains(place), "question-tree-crowded: a button in its strip");
            Expect(Ink(image, place, 200) > 5, "question-tree-crowded: a button's image shows");
        }
    }

    // The reconciliation of wave 2 in each text mode of the question grid, its first row with
    // differences selected.
    {
        CRightView host;
        host.SetReconciliationPage(std::make_unique<CRightReconciliationPage>());
        auto& page = static_cast<CRightReconciliationPage&>(*host.GetReconciliationPage());
        host.resize(1100, 640);
        host.show();
        host.ShowReconciliation(campaign.GetWave(1)->GetWaveId());
        QApplication::processEvents();
        page.OnCommand(ID_FIRST_DIFFERENCE);
        struct SMode
        {
            unsigned Command;
            const char* Name;
            const char* Heading;
        };
        const SMode modes[] = {{ID_QUESTION_VIEW_SHORTCUTS, "shortcuts", "Shortcut"},
                               {ID_QUESTION_VIEW_SHORT_CAPTIONS, "short-captions", "Short Caption"},
                               {ID_QUESTION_VIEW_LONG_CAPTIONS, "long-captions", "Long Caption"}};
        CWaveGridCtrl& grid = *page.GetQuestionGrid();
        for (const SMode& mode : modes) {
            page.OnCommand(mode.Command);
            const QString name =
                QStringLiteral("reconciliation-wave2-%1").arg(QLatin1String(mode.Name));
            const QImage image = Shoot(host, name);
            // The text column of both sides is headed by the mode, and every row in view
            // shows its campaign question's text in it.
            int headed = 0;
            int textColumn = -1;
            for (int col = 0; col < grid.GetColumnCount(); ++col) {
                if (grid.GetCellText(1, col) == QLatin1String(mode.Heading)) {
                    ++headed;
                    if (textColumn < 0)
                        textColumn = col;
                }
            }
            Expect(headed == 2, name + QStringLiteral(": both sides headed by the mode"));
            int rowsWithText = 0;
            int rowsInView = 0;
            for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount() && textColumn >= 0;
                 ++row) {
                CRect rect;
                if (!grid.IsCellVisible(row, textColumn) || !grid.GetCellRect(row, textColumn, rect))
                    continue;
                // The selected cell shows its text in the highlight-text colour instead.
                if (!grid.viewport()->rect().contains(rect.ToQRect()) ||
                    grid.IsCellSelected(row, textColumn) ||
                    grid.GetFocusCell() == CCellID(row, textColumn))
                    continue;
                const QRect cell =
                    rect.ToQRect().translated(grid.viewport()->mapTo(&host, QPoint(0, 0)));
                ++rowsInView;
                rowsWithText += grid.GetCellText(row, textColumn).isEmpty() ||
                                HasDarkInk(image, cell);
            }
            Expect(rowsInView > 10 && rowsWithText == rowsInView,
                   name + QStringLiteral(": a row in view shows no text"));
        }
        page.OnCommand(ID_QUESTION_VIEW_SHORTCUTS);

        // The question grid's context menu on the first difference row, and a source question of
        // a difference row re-matched by a drop, pictured halfway through the rows' fades.
        CManualClock clock;
        page.OnCommand(ID_FIRST_DIFFERENCE);
        const int row = grid.GetFocusCell().row;
        CRect cell;
        grid.GetCellRect(row, CRightReconciliationPage::QColShortcut, cell);
        CNewMenu menu;
        if (CNewMenu* popup =
                page.LoadQuestionMenu(menu, CCellID(row, CRightReconciliationPage::QColShortcut))) {
            QMenu* shown = popup->GetMenu();
            shown->popup(grid.viewport()->mapToGlobal(cell.ToQRect().center()));
            ShootWithMenu(host, *shown, QStringLiteral("page-menu-question"));
            // The items that apply are written dark, the others greyed.
            const QImage menuImage = shown->grab().toImage();
            const auto ink = [&](unsigned id) {
                QAction* action = popup->FindCommand(id);
                return action ? Darkest(menuImage, shown->actionGeometry(action)).lightness() : 255;
            };
            Expect(ink(ID_QUESTION_BREAK_MATCHING) < 90,
                   "page-menu-question: \"Break This Matching\" is not written dark");
            Expect(ink(ID_QUESTION_CREATE) > ink(ID_QUESTION_BREAK_MATCHING) + 40,
                   "page-menu-question: \"Create New Campaign Question\" is not greyed");
            shown->hide();
        } else {
            Expect(false, "page-menu-question: no menu");
        }

        // The first difference row whose source question another campaign question can take,
        // of a question older than the wave (so that no removal is offered).
        CCellID from, to;
        for (int a = grid.GetFixedRowCount(); a < grid.GetRowCount() && from.row < 0; ++a) {
            const CQuestion* left = page.GetCampaignQuestionAtRow(a);
            if (!left || !page.RowHasDifferences(a) ||
                WaveHasVolume(campaign.GetWave(1)->GetWaveId(), left->GetAppearanceVolumeId()))
                continue;
            const CCellID source(a, CRightReconciliationPage::QColSourceShortcut);
            for (int b = grid.GetFixedRowCount(); b < grid.GetRowCount(); ++b) {
                const CCellID target(b, CRightReconciliationPage::QColShortcut);
                if (b != a && page.GetCampaignQuestionAtRow(b) != left &&
                    page.CanRematchQuestion(source, target)) {
                    from = source;
                    to = target;
                    break;
                }
            }
        }
        Expect(from.row >= 0, "page-after-rematch: no row to re-match");
        if (from.row >= 0) {
            const QString leftShortcut =
                grid.GetCellText(from.row, CRightReconciliationPage::QColShortcut);
            windows.QueueAnswers({IDYES});
            DragCell(grid, from, to);
            clock.Advance(1250);
            page.OnFadeTimer();
            // The row the source question left, halfway from yellow to the cells' colour.
            int leftRow = -1;
            for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount() && leftRow < 0; ++r)
                if (grid.GetCellText(r, CRightReconciliationPage::QColShortcut) == leftShortcut &&
                    page.GetQuestionRows().GetVolumeId(r) == -1)
                    leftRow = r;
            grid.EnsureVisible(std::max(leftRow, 0), CRightReconciliationPage::QColShortcut);
            const QImage image = Shoot(host, QStringLiteral("page-after-rematch"));
            CRect left;
            Expect(leftRow >= 0 &&
                       grid.GetCellRect(leftRow, CRightReconciliationPage::QColShortCaption, left),
                   "page-after-rematch: the left question's row is missing");
            const QPoint sample =
                grid.viewport()->mapTo(&host, QPoint(left.right - 4, left.top + 3));
            Expect(Near(image.pixelColor(sample), QColor(251, 245, 171), 4),
                   QStringLiteral("page-after-rematch: the left row is %1, not halfway")
                       .arg(image.pixelColor(sample).name()));
            // The pictures after this one show the campaign as it was.
            Expect(app.Undo(), "page-after-rematch: the re-match is not undone");
        }

        // The response grid's context menu on a matched response of the region question, and
        // that response merged into another by the merge pick mode, once its row has faded.
        const CQuestion* region = nullptr;
        for (int q = 0; q < campaign.GetQuestionCount() && !region; ++q)
            if (campaign.GetQuestion(q)->GetShortcut() == QLatin1String("S3"))
                region = campaign.GetQuestion(q);
        Expect(region, "page-menu-response: no region question");
        CWaveGridCtrl& responses = *page.GetResponseGrid();
        const auto responseRow = [&](const QString& caption) {
            for (const CModality* response : region->GetModalities())
                if (response->GetShortCaption(campaign.GetDefaultLanguageId()) == caption)
                    return page.GetResponseRows().GetFirstRow(response->GetModalityId());
            return int(CRightReconciliationPage::kNoRow);
        };
        if (region) {
            page.SelectCampaignQuestion(region->GetQuestionId());
            const int east = responseRow(QStringLiteral("East"));
            const int north = responseRow(QStringLiteral("North"));
            Expect(east >= responses.GetFixedRowCount() && north >= responses.GetFixedRowCount(),
                   "page-menu-response: the region's responses are not shown");
            const CCellID eastCell(east, CRightReconciliationPage::RColCaption);
            page.SelectResponseRow(east, CRightReconciliationPage::RColCaption);
            CRect eastRect;
            responses.GetCellRect(east, CRightReconciliationPage::RColCaption, eastRect);
            CNewMenu responseMenu;
            if (CNewMenu* popup = page.LoadResponseMenu(responseMenu, eastCell)) {
                QMenu* shown = popup->GetMenu();
                shown->popup(responses.viewport()->mapToGlobal(eastRect.ToQRect().center()));
                ShootWithMenu(host, *shown, QStringLiteral("page-menu-response"));
                const QImage menuImage = shown->grab().toImage();
                const auto ink = [&](unsigned id) {
                    QAction* action = popup->FindCommand(id);
                    return action ? Darkest(menuImage, shown->actionGeometry(action)).lightness()
                                  : 255;
                };
                // The campaign side was clicked: the source response's re-match is greyed.
                for (const unsigned id :
                     {ID_RESPONSE_BREAK_MATCHING, ID_RESPONSE_REMOVE, ID_RESPONSE_MERGE})
                    Expect(ink(id) < 90, QStringLiteral("page-menu-response: item %1 is not "
                                                        "written dark")
                                             .arg(id));
                for (const unsigned id : {ID_RESPONSE_CREATE, ID_RESPONSE_REMATCH})
                    Expect(ink(id) > ink(ID_RESPONSE_BREAK_MATCHING) + 40,
                           QStringLiteral("page-menu-response: item %1 is not greyed").arg(id));
                shown->hide();
            } else {
                Expect(false, "page-menu-response: no menu");
            }

            page.OnCommand(ID_RESPONSE_MERGE);
            windows.QueueAnswers({IDYES});
            CRect northRect;
            responses.GetCellRect(north, CRightReconciliationPage::RColCaption, northRect);
            const QPoint click = northRect.ToQRect().center();
            QTest::mouseClick(responses.viewport(), Qt::LeftButton, {}, click);
            clock.Advance(3000);
            page.OnFadeTimer();
            const int merged = responseRow(QStringLiteral("East"));
            responses.EnsureVisible(merged, CRightReconciliationPage::RColCaption);
            const QImage image = Shoot(host, QStringLiteral("page-merged-response"));
            Expect(responses.GetCellText(merged, CRightReconciliationPage::RColCaption) ==
                       QStringLiteral("East (merged to \"North\")"),
                   "page-merged-response: the merged row does not name its master");
            CRect caption, state;
            responses.GetCellRect(merged, CRightReconciliationPage::RColCaption, caption);
            responses.GetCellRect(merged, CRightReconciliationPage::RColState, state);
            const QPoint offset = responses.viewport()->mapTo(&host, QPoint(0, 0));
            const QRect captionBox = caption.ToQRect().translated(offset);
            // Light grey behind grey text, and the merged arrow in the state column.
            Expect(Near(image.pixelColor(captionBox.right() - 3, captionBox.top() + 3),
                        QColor(200, 200, 200), 4),
                   "page-merged-response: the merged row is not light grey");
            const QColor text = Darkest(image, captionBox.adjusted(2, 2, -2, -2));
            Expect(text.lightness() > 80 && text.lightness() < 170,
                   QStringLiteral("page-merged-response: the caption's ink is %1, not grey")
                       .arg(text.name()));
            const QRect stateBox = state.ToQRect().translated(offset);
            Expect(CountNear(image, stateBox, QColor(150, 150, 150), 40) > 20,
                   "page-merged-response: no merged image in the state column");
            Expect(app.Undo(), "page-merged-response: the merge is not undone");
        }
    }

    // The difference dialogs on wave 2's first volume: the question with the most differences,
    // its first caption difference selected, and the response with the most (every response
    // kind compared for it).
    {
        const CModalityDiffsOptions responseOptions = app.GetModalityDiffsOptions();
        CModalityDiffsOptions everyResponseKind;
        for (const int kind : GetStoredModalityDiffKinds())
            everyResponseKind.SetEnabled(kind, true);
        app.SetModalityDiffsOptions(everyResponseKind);
        const CVolume& volume = *campaign.GetWave(1)->GetVolume(0);
        const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        SQuestionDiffsDlgRequest question;
        SModalityDiffsDlgRequest response;
        CModality* firstMatched = nullptr;
        const qnr::CModalite* firstMatchedSource = nullptr;
        for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
            const CQuestion& campaignQuestion = *campaign.GetQuestion(i);
            QString sourceId;
            if (!volume.GetQuestionSourceId(volume.GetVolumeId(), campaignQuestion.GetQuestionId(),
                                            sourceId))
                continue;
            const qnr::CQuestion* sourceQuestion = questionnaire.FindQuestionById(sourceId.toInt());
            if (!sourceQuestion)
                continue;
            CDiffList diffs;
            if (GetQuestionDifferences(campaignQuestion, *sourceQuestion, diffs) &&
                diffs.size() > question.Differences.size()) {
                question.CampaignQuestion = &campaignQuestion;
                question.SourceQuestion = sourceQuestion;
                question.Differences = diffs;
            }
            QMap<int, QString> responseSources;
            volume.CollectModalitySourceIds(volume.GetVolumeId(), campaignQuestion.GetQuestionId(),
                                            responseSources, true);
            for (auto it = responseSources.cbegin(); it != responseSources.cend(); ++it) {
                CModality* modality = campaign.GetModalityById(it.key());
                const qnr::CModalite* sourceModality =
                    sourceQuestion->FindModaliteById(it.value().toInt());
                if (!modality || !sourceModality)
                    continue;
                if (!firstMatched) {
                    firstMatched = modality;
                    firstMatchedSource = sourceModality;
                }
                if (GetModalityDifferences(*modality, *sourceModality, diffs) &&
                    diffs.size() > response.Differences.size()) {
                    response.CampaignModality = modality;
                    response.SourceModality = sourceModality;
                    response.Differences = diffs;
                }
            }
        }
        // The sample's responses match their sources exactly: the first matched response is
        // edited for the picture (its French caption, user data and rotation) and put back
        // after it.
        const int french = 1036;
        const QString keptCaption =
            firstMatched ? firstMatched->GetShortCaption(french) : QString();
        const QString keptUserData = firstMatched ? firstMatched->GetUserData() : QString();
        const int keptRotation = firstMatched ? firstMatched->GetRotationBehaviour() : 0;
        if (!response.CampaignModality && firstMatched) {
            firstMatched->SetShortCaption(french, keptCaption + QStringLiteral(" (campagne)"));
            firstMatched->SetUserData(QStringLiteral("recoded in wave 2"));
            firstMatched->SetRotationBehaviour(1);
            if (GetModalityDifferences(*firstMatched, *firstMatchedSource, response.Differences)) {
                response.CampaignModality = firstMatched;
                response.SourceModality = firstMatchedSource;
            }
        }

        // The dialog with its selected row (the fixed row's first cell and the row's status
        // cell), checked: dark headings and texts, the selection's colour on the selected row
        // only, and the editor showing the campaign's value.
        const auto shoot = [](CDiffsDlg& dialog, int row, const QString& name) {
            dialog.show();
            CWaveGridCtrl& grid = *dialog.GetGrid();
            CRect rect;
            if (grid.GetCellRect(row, 0, rect))
                QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                                  rect.CenterPoint().ToQPoint());
            const QImage image = ShootDialog(dialog, name);
            const QPoint origin = grid.viewport()->mapTo(&dialog, QPoint(0, 0));
            const auto cell = [&](int r, int c) {
                CRect area;
                grid.GetCellRect(r, c, area);
                return area.ToQRect().translated(origin);
            };
            Expect(grid.GetRowCount() > 2, name + QStringLiteral(": fewer than two differences"));
            Expect(HasDarkInk(image, cell(0, 0)) && HasDarkInk(image, cell(0, 1)),
                   name + QStringLiteral(": no headings"));
            const QRect selected = cell(row, 1);
            const QRect other = cell(row == 1 ? 2 : 1, 1);
            const QColor highlight = dialog.palette().color(QPalette::Highlight);
            Expect(
                Near(image.pixelColor(selected.right() - 3, selected.center().y()), highlight, 40),
                name + QStringLiteral(": the selected row is not highlighted"));
            Expect(!Near(image.pixelColor(other.right() - 3, other.center().y()), highlight, 40),
                   name + QStringLiteral(": another row is highlighted"));
            Expect(HasDarkInk(image, other), name + QStringLiteral(": no status"));
            Expect(!dialog.GetDetails()->toPlainText().isEmpty() &&
                       HasDarkInk(image, dialog.GetDetails()->geometry()),
                   name + QStringLiteral(": no details"));
            Expect(dialog.GetEditorKind() != EDiffEditor::None &&
                       HasDarkInk(image, dialog.GetEditor()->geometry()),
                   name + QStringLiteral(": no campaign value"));
        };
        if (question.CampaignQuestion) {
            CQuestionDiffsDlg dialog;
            dialog.SetDifferences(question.Differences);
            dialog.SetWaveId(volume.GetWave()->GetWaveId());
            dialog.SetVolumeId(volume.GetVolumeId());
            dialog.SetQuestions(question.CampaignQuestion, question.SourceQuestion);
            const auto caption = question.Differences.find(23);
            const int row = caption == question.Differences.end()
                                ? 1
                                : 1 + int(std::distance(question.Differences.begin(), caption));
            shoot(dialog, row, QStringLiteral("question-diffs"));
        } else {
            Expect(false, QStringLiteral("question-diffs: no question of wave 2 differs"));
        }
        if (response.CampaignModality) {
            CModalityDiffsDlg dialog;
            dialog.SetDifferences(response.Differences);
            dialog.SetModalities(response.CampaignModality, response.SourceModality);
            shoot(dialog, 1, QStringLiteral("response-diffs"));
        } else {
            Expect(false, QStringLiteral("response-diffs: no response of wave 2 differs"));
        }
        app.SetModalityDiffsOptions(responseOptions);
        if (firstMatched) {
            firstMatched->SetShortCaption(french, keptCaption);
            firstMatched->SetUserData(keptUserData);
            firstMatched->SetRotationBehaviour(keptRotation);
        }
    }

    // A fourth wave, added but not reconciled: orange in the tree; its context menu.
    {
        std::unique_ptr<CCmdVirtual> wave =
            std::make_unique<CCmdNewWave>(&campaign, -1, QStringLiteral("Winter (pending)"),
                                          QString(), QDateTime(), QDateTime(), QDateTime());
        app.ExecuteCommand(wave, {}, nullptr, nullptr, true);
        std::unique_ptr<CCmdVirtual> volume = std::make_unique<CCmdNewVolume>(
            &campaign, campaign.GetWave(3), QStringLiteral("Online"), SNewVolumeProperties{});
        app.ExecuteCommand(volume, {}, nullptr, nullptr, true);
    }
    left.RefreshTree();
    tree.expandAll();
    left.SelectWaveItem(campaign.GetWave(0)->GetWaveId(), 1);
    const QModelIndex waveItem =
        left.GetModel()->FindItem(TREE_KIND_WAVE, campaign.GetWave(3)->GetWaveId());
    {
        const QImage image = Shoot(left, QStringLiteral("campaign-tree-pending"));
        // The unreconciled wave's text is orange; a reconciled wave's is not.
        const QColor orange(255, 142, 22);
        const QModelIndex done =
            left.GetModel()->FindItem(TREE_KIND_WAVE, campaign.GetWave(2)->GetWaveId());
        Expect(CountNear(image, RowIn(left, tree, waveItem), orange, 40) > 10,
               "campaign-tree-pending: the pending wave is orange");
        Expect(CountNear(image, RowIn(left, tree, done), orange, 40) == 0,
               "campaign-tree-pending: a reconciled wave is not orange");
    }

    CNewMenu menu;
    if (CNewMenu* popup = left.LoadContextMenu(menu, waveItem)) {
        QMenu* shown = popup->GetMenu();
        const QRect at = tree.visualRect(waveItem);
        shown->popup(tree.viewport()->mapToGlobal(at.center()));
        const QImage image = ShootWithMenu(left, *shown, QStringLiteral("campaign-tree-menu"));
        // The wave's commands, those its state forbids greyed: paler labels.
        const QPoint origin = shown->geometry().topLeft() - left.geometry().topLeft();
        auto label = [&](unsigned id) {
            const QRect row = shown->actionGeometry(popup->FindCommand(id)).translated(origin);
            return QRect(row.left() + 24, row.top() + 2, 96, row.height() - 4);
        };
        Expect(Darkest(image, label(ID_WAVE_SHOW_RECONCILIATION)).lightness() >
                   Darkest(image, label(ID_WAVE_RECONCILE)).lightness() + 40,
               "campaign-tree-menu: Show Reconciliation greyed, Reconcile Questions not");
        Expect(Darkest(image, label(ID_WAVE_REMOVE)).lightness() < 100,
               "campaign-tree-menu: Remove Wave reads");
        shown->hide();
    } else {
        std::fprintf(stderr, "viewshots: no context menu\n");
        ++g_failures;
    }

    // The dialogs of the campaign tree's commands.
    const QString samples = QStringLiteral(PLIM_SOURCE_DIR "/samples/");
    {
        // A new wave after "Autumn": the dates follow it by a day, for as long again.
        const CWave& autumn = *campaign.GetWave(2);
        const qint64 days = autumn.GetWaveStart().daysTo(autumn.GetWaveEnd());
        CNewWaveDlg dialog;
        dialog.SetStartDate(autumn.GetWaveEnd().addDays(1));
        dialog.SetEndDate(autumn.GetWaveEnd().addDays(days + 1));
        dialog.SetMidPointDate(autumn.GetWaveMidpoint().addDays(days + 1));
        FindControl<QLineEdit>(dialog, CNewWaveDlg::IDC_NAME)->setText(QStringLiteral("Winter"));
        FindControl<QPlainTextEdit>(dialog, CNewWaveDlg::IDC_DESCRIPTION)
            ->setPlainText(QStringLiteral("Fourth wave: online and phone."));
        const QImage image = ShootDialog(dialog, QStringLiteral("new-wave"));
        QWidget* ok = FindControl<QWidget>(dialog, CNewWaveDlg::IDC_OK);
        Expect(ok->isEnabled(), QStringLiteral("new-wave: OK is off"));
        Expect(HasDarkInk(image, ok->geometry()), QStringLiteral("new-wave: OK has no text"));
    }
    {
        CDBConnectionDlg dialog;
        FindControl<QLineEdit>(dialog, CDBConnectionDlg::IDC_CONNECTION_STRING)
            ->setText(QStringLiteral("QSQLITE;Database=/data/surveys/summer.db"));
        FindControl<QLineEdit>(dialog, CDBConnectionDlg::IDC_SURVEY_ID)->setText("42");
        const QImage image = ShootDialog(dialog, QStringLiteral("db-connection"));
        QWidget* test = FindControl<QWidget>(dialog, CDBConnectionDlg::IDC_TEST);
        Expect(HasDarkInk(image, test->geometry()), QStringLiteral("db-connection: no Test..."));
    }
    {
        CReReconciliationOptionsDlg dialog;
        const QImage image = ShootDialog(dialog, QStringLiteral("rereconcile"));
        // The white band: white in its corners, the warning's dark text inside it.
        const QRect band = dialog.GetWhiteBand()->geometry();
        for (const QPoint& at : {band.topLeft() + QPoint(2, 2), band.topRight() + QPoint(-2, 2),
                                 band.bottomLeft() + QPoint(2, -2)})
            Expect(image.pixelColor(at) == QColor(Qt::white),
                   QStringLiteral("rereconcile: the band is not white at %1,%2")
                       .arg(at.x())
                       .arg(at.y()));
        Expect(HasDarkInk(image, band), QStringLiteral("rereconcile: no warning on the band"));
        Expect(image.pixelColor(band.bottomLeft() + QPoint(2, 6)) != QColor(Qt::white),
               QStringLiteral("rereconcile: the band runs on below"));
    }
    {
        AddSampleCaptionLibraries();
        CCaptionLibraryDlg dialog;
        dialog.SetMode(2);
        dialog.resize(820, 460);
        dialog.show();
        QApplication::processEvents();
        dialog.GetGroupsList()->SetCurSel(2);
        dialog.GetTree()->SelectItem(dialog.GetTree()->GetRootItem());
        const QImage image = ShootDialog(dialog, QStringLiteral("caption-libraries"));
        Expect(dialog.GetTree()->topLevelItemCount() == 2,
               QStringLiteral("caption-libraries: the tree lacks its libraries"));
        Expect(dialog.GetLabelsList()->GetItemCount() == 4,
               QStringLiteral("caption-libraries: the labels of \"Don't know\" are missing"));
        QWidget* ok = FindControl<QWidget>(dialog, CCaptionLibraryDlg::IDC_OK);
        Expect(HasDarkInk(image, ok->geometry()),
               QStringLiteral("caption-libraries: no \"Reconcile\" on OK"));
        dialog.reject();
    }
    {
        // A second volume for wave 2, "Summer": its source, its ancestor and its matching.
        CNewVolumeSheet sheet;
        SNewVolumeWizardInput input;
        input.Campaign = &campaign;
        input.Wave = campaign.GetWave(1);
        input.QuestionMethods = {1, 2, 3};
        input.ResponseMethods = {2, 1};
        sheet.SetInput(input);
        sheet.resize(620, 600);
        FindControl<QLineEdit>(sheet, CNewVolumeSourcePage::IDC_NAME)->setText("Web panel");
        FindControl<QLineEdit>(sheet, CNewVolumeSourcePage::IDC_QUESTION_PATH)
            ->setText(samples + QStringLiteral("wave2.sss"));
        FindControl<QAbstractButton>(sheet, CNewVolumeSourcePage::IDC_COPY_QUESTION_SOURCE)
            ->setChecked(true);
        QImage image = ShootDialog(sheet, QStringLiteral("new-volume-source"));
        Expect(sheet.button(QWizard::NextButton)->isEnabled(),
               QStringLiteral("new-volume-source: Next is off"));
        Expect(FindControl<QAbstractButton>(sheet, CNewVolumeSourcePage::IDC_SOURCE_TRIPLE_S)
                   ->isChecked(),
               QStringLiteral("new-volume-source: the Triple-S file is not shown as such"));

        sheet.next();
        CXListCtrl& ancestors = *sheet.GetInheritsFromPage()->GetList();
        FindControl<QAbstractButton>(sheet, CNewVolumeInheritsFromPage::IDC_INHERITS)->click();
        ancestors.SetCurSel(2);
        image = ShootDialog(sheet, QStringLiteral("new-volume-inheritance"));
        Expect(ancestors.GetItemCount() == 3,
               QStringLiteral("new-volume-inheritance: not three candidates"));
        Expect(!ancestors.GetEnabled(0) && ancestors.GetEnabled(2),
               QStringLiteral("new-volume-inheritance: volumes with an heir can be chosen"));
        const QRect chosen = ancestors.visualItemRect(ancestors.topLevelItem(2))
                                 .translated(ancestors.viewport()->mapTo(&sheet, QPoint(0, 0)));
        Expect(Near(image.pixelColor(chosen.left() + 4, chosen.center().y()),
                    sheet.palette().color(QPalette::Highlight), 30),
               QStringLiteral("new-volume-inheritance: the chosen row is not highlighted"));

        sheet.next();
        FindControl<QAbstractButton>(sheet, CNewVolumeMatchingPage::IDC_ALIGN_BY_QUESTION)->click();
        auto* mainQuestions =
            FindControl<QListWidget>(sheet, CNewVolumeMatchingPage::IDC_MAIN_QUESTIONS);
        auto* thisQuestions =
            FindControl<QListWidget>(sheet, CNewVolumeMatchingPage::IDC_THIS_QUESTIONS);
        mainQuestions->setCurrentRow(3);
        const QList<QListWidgetItem*> q6 = thisQuestions->findItems("Q6", Qt::MatchExactly);
        if (!q6.isEmpty())
            thisQuestions->setCurrentItem(q6[0]);
        image = ShootDialog(sheet, QStringLiteral("new-volume-matching"));
        Expect(sheet.button(QWizard::FinishButton)->text() == QStringLiteral("Done"),
               QStringLiteral("new-volume-matching: Finish does not read \"Done\""));
        Expect(sheet.button(QWizard::FinishButton)->isEnabled(),
               QStringLiteral("new-volume-matching: Done is off"));
        Expect(sheet.GetMatchingPage()->GetQuestionMethodList()->GetCheckbox(0, 0) == 1,
               QStringLiteral("new-volume-matching: the first question method is not ticked"));
        sheet.reject();
    }

    // The languages dialog: French chosen as the current language.
    {
        CLanguageDlg languages(campaign);
        languages.show();
        QTreeWidget& list = *languages.GetList();
        list.setCurrentItem(list.topLevelItem(1));
        languages.OnSetCurrent();
        const QImage image = Shoot(languages, QStringLiteral("languages"));
        // Both languages listed, French chosen and highlighted; Set as Current greyed now that
        // French is current, its label paler than Set as Default's.
        Expect(list.topLevelItemCount() == 2, "languages: two languages");
        const QRect french = list.visualItemRect(list.topLevelItem(1))
                                 .translated(list.viewport()->mapTo(&languages, QPoint(0, 0)));
        Expect(CountNear(image, french, list.palette().color(QPalette::Highlight), 24) >
                   french.width() * french.height() / 3,
               "languages: French highlighted");
        auto labelOf = [&](const QWidget* button) {
            return QRect(button->mapTo(&languages, QPoint(4, 4)), button->size() - QSize(8, 8));
        };
        Expect(!languages.GetSetCurrentButton()->isEnabled(), "languages: Set as Current greyed");
        Expect(Darkest(image, labelOf(languages.GetSetCurrentButton())).lightness() >
                   Darkest(image, labelOf(languages.GetSetDefaultButton())).lightness() + 40,
               "languages: the greyed button reads paler");
    }

    ShootUpdateAndFind(app, campaign);

    // The validation dialog: volume 1 reads a copy of wave 1's source from which question S2 has
    // gone, so its matching of S2 no longer holds.
    {
        QFile original(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.zoz"));
        QFile copy(work.filePath(QStringLiteral("wave1.zoz")));
        if (!original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "viewshots: cannot copy wave1.zoz\n");
            return 1;
        }
        QString source = QString::fromUtf8(original.readAll());
        source.remove(
            QRegularExpression(QStringLiteral("    <question code=\"2\" .*?</question>\n"),
                               QRegularExpression::DotMatchesEverythingOption));
        copy.write(source.toUtf8());
        copy.close();
        campaign.FindVolume(1)->GetMetaData().SourceString = copy.fileName();
        SSourceComparisonLists lists;
        if (CompareSourcesParallel(nullptr, campaign, lists) ||
            lists.InvalidQuestionMatches.empty()) {
            std::fprintf(stderr, "viewshots: the copy without S2 shows no invalid matching\n");
            return 1;
        }
        CValidateCampaignDlg validation;
        validation.SetHtml(FormatValidationReport(campaign, lists));
        validation.SetIssueLists(lists);
        validation.show();
        const QImage image = Shoot(validation, QStringLiteral("validation"));
        // The report names the broken matching of question 'Age'; Validate is offered, Close
        // waits for it.
        const QWidget* report = validation.GetBrowser()->GetBrowserWindow();
        Expect(validation.GetBrowser()->GetBrowserWindow()->toPlainText().contains(
                   QStringLiteral("campaign question 'Age'")),
               "validation: the invalid matching listed");
        Expect(Ink(image, QRect(report->mapTo(&validation, QPoint(0, 0)), report->size())) > 500,
               "validation: the report's text shows");
        Expect(validation.GetValidateButton()->isEnabled() &&
                   !validation.GetCloseButton()->isEnabled(),
               "validation: Validate offered, Close greyed");
    }

    // The matching methods of wave 2's phone volume: its three question methods ticked first.
    {
        CMatchingMethodDlg dialog;
        dialog.SetMethods(CMatchingMethodDlg::QuestionMethods,
                          campaign.FindVolume(3)->GetQuestionMatchingMethods());
        const QImage image = ShootDialog(dialog, QStringLiteral("matching-methods"));
        CXListCtrl& list = *dialog.GetList();
        Expect(HasDarkInk(image, dialog.GetTitle()->geometry()),
               QStringLiteral("matching-methods: no title"));
        // Every row shows whole without scrolling, its name written.
        const QPoint offset = list.viewport()->mapTo(&dialog, QPoint(0, 0));
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const QRect rect = list.visualItemRect(list.topLevelItem(row));
            Expect(rect.bottom() < list.viewport()->height(),
                   QStringLiteral("matching-methods: row %1 is cut").arg(row));
            const QRect name(offset.x() + list.header()->sectionPosition(1) + 2,
                             offset.y() + rect.top() + 2, list.header()->sectionSize(1) - 4,
                             rect.height() - 4);
            Expect(HasDarkInk(image, name),
                   QStringLiteral("matching-methods: row %1 has no name").arg(row));
        }
        Expect(HasDarkInk(image, dialog.GetOkButton()->geometry()),
               QStringLiteral("matching-methods: no OK"));
    }

    // The options, each page in turn, on the application's records.
    {
        SOptionsSheetRecords records;
        records.Language = app.GetLanguageSettings();
        records.Environment = app.GetEnvironmentSettings();
        records.UserApps = app.GetUserDefinedApps();
        records.UserApps.SetUserDefinedApp1Title(QStringLiteral("PelkoQuill"));
        records.UserApps.SetUserDefinedApp1Path(QStringLiteral("/opt/pelko/quill"));
        records.View = app.GetViewSettings();
        records.NGram = app.GetNGramSettings();
        records.Reconciliation = app.GetReconciliationSettings();
        records.QuestionDiffs = app.GetQuestionDiffsOptions();
        records.ModalityDiffs = app.GetModalityDiffsOptions();
        records.ClearRecentFiles = [] {};
        SEnvironmentPageActions actions;
        actions.ExportOptions = [](const QString&) { return true; };
        COptionsSheet sheet(records, actions);
        sheet.Create();
        const char* names[] = {"options-general",
                               "options-environment-reconciliation",
                               "options-user-applications",
                               "options-question-differences",
                               "options-response-differences",
                               "options-reconciliation"};
        QTreeWidget& pages = *sheet.GetPageTreeControl();
        for (int page = 0; page < sheet.GetPageCount(); ++page) {
            const QString name = QString::fromLatin1(names[page]);
            sheet.show();
            sheet.SetActivePage(page);
            const QImage image = ShootDialog(sheet, name);
            // Every node of the tree shows its whole caption, on a row taller than its text.
            const QPoint offset = pages.viewport()->mapTo(&sheet, QPoint(0, 0));
            for (QTreeWidgetItemIterator it(&pages); *it; ++it) {
                const QRect row = pages.visualItemRect(*it);
                const int text = pages.fontMetrics().horizontalAdvance((*it)->text(0));
                Expect(row.left() + text < pages.viewport()->width(),
                       QStringLiteral("%1: \"%2\" is cut").arg(name, (*it)->text(0)));
                Expect(row.height() >= pages.fontMetrics().height() + 4,
                       QStringLiteral("%1: the tree's rows are cramped").arg(name));
            }
            const QRect current = pages.visualItemRect(pages.currentItem()).translated(offset);
            Expect(Near(image.pixelColor(current.left() + 2, current.center().y()),
                        pages.palette().color(QPalette::Highlight), 40),
                   QStringLiteral("%1: the page's node is not chosen").arg(name));
            QWidget* shown = sheet.GetPage(page);
            Expect(shown->isVisible() &&
                       HasDarkInk(image, QRect(shown->mapTo(&sheet, QPoint()), shown->size())),
                   QStringLiteral("%1: the page is empty").arg(name));
        }
        sheet.reject();
    }

    // The duplicates of the campaign once wave 3's Q4 has become a question of its own.
    {
        QString duplicateError;
        if (!sample_campaign::MakeDuplicateQuestion(app, 4, QStringLiteral("Q4"), duplicateError)) {
            std::fprintf(stderr, "viewshots: the duplicate: %s\n", qPrintable(duplicateError));
            return 1;
        }
        CCheckForDuplicatesDlg dialog;
        dialog.show();
        Expect(QTest::qWaitFor([&dialog] { return !dialog.IsSearching(); }, 10000),
               QStringLiteral("duplicates: the search does not end"));
        const QImage image = ShootDialog(dialog, QStringLiteral("duplicates"));
        CXListCtrl& questions = *dialog.GetQuestionList();
        Expect(questions.GetItemCount() == 1 && questions.GetItemText(0, 1) == "Q4",
               QStringLiteral("duplicates: Q4 is not listed"));
        if (questions.GetItemCount() > 0) {
            const QRect row = questions.visualItemRect(questions.topLevelItem(0))
                                  .translated(questions.viewport()->mapTo(&dialog, QPoint(0, 0)));
            Expect(HasDarkInk(image, row), QStringLiteral("duplicates: the row shows nothing"));
        }
        Expect(HasDarkInk(image, dialog.GetConsolidateButton()->geometry()),
               QStringLiteral("duplicates: Consolidate has no text"));
        dialog.accept();
    }
    return g_failures == 0 ? 0 : 1;
}
