// Writes a PNG picture of each campaign view and campaign dialog in a known state, on the sample
// campaign, and the sample campaign's file (sample.duv) beside them:
//   viewshots <folder>
// Each picture is checked for what it shows (items, highlights, colours, greyed commands); a
// failed check is printed and the run exits with 1.

#include "app/WaveApp.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "controls/AutoRepeatButton.h"
#include "controls/PropertyGrid.h"
#include "controls/SimpleBrowser.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/ReportDlg.h"
#include "dialogs/ValidateCampaignDlg.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "reconcile/SourceComparison.h"
#include "reconcile/ValidationReports.h"
#include "res/CommandIds.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/SampleCampaign.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"
#include "views/SummaryReport.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <QTreeWidget>

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
void Expect(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "viewshots: %s\n", what);
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

HTREEITEM Find(CQuestionTreeCtrl& tree, const QString& shortcut)
{
    for (HTREEITEM walk = tree.GetRootItem(); walk; walk = tree.GetNextTreeItem(walk))
        if (tree.GetItemText(walk) == shortcut)
            return walk;
    return nullptr;
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
    return g_failures == 0 ? 0 : 1;
}
