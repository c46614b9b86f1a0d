// Writes a PNG picture of each campaign view in a known state, on the sample campaign, and the
// sample campaign's file (sample.duv) beside them:
//   viewshots <folder>
// Each picture is checked for what it shows (items, highlights, colours, greyed commands); a
// failed check is printed and the run exits with 1.

#include "app/WaveApp.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "controls/AutoRepeatButton.h"
#include "menus/NewMenu.h"
#include "res/CommandIds.h"
#include "model/Campaign.h"
#include "model/Wave.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/SampleCampaign.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>

using namespace pelko_wave;

namespace {

QDir g_out;
int g_failures = 0;

// A check of what a picture is for; a failed one is reported and makes the run fail.
void Check(bool passed, const QString& picture, const char* what)
{
    if (passed)
        return;
    std::fprintf(stderr, "viewshots: %s: %s\n", qPrintable(picture), what);
    ++g_failures;
}

// The number of pixels in the area darker than the lightness: the ink of what is drawn there.
int Ink(const QImage& image, const QRect& area, int lightness = 128)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y).lightness() < lightness;
    return count;
}

// The number of pixels in the area within a tolerance of the colour.
int Near(const QImage& image, const QRect& area, const QColor& colour, int tolerance)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) <= tolerance &&
                     std::abs(pixel.green() - colour.green()) <= tolerance &&
                     std::abs(pixel.blue() - colour.blue()) <= tolerance;
        }
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
        const QString name = QStringLiteral("campaign-empty");
        const QImage image = Shoot(window, name);
        // The campaign's one item, named "(Not set)", and a question page with no question.
        QTreeView& tree = *left->GetTree();
        const QModelIndex root = left->GetModel()->index(0, 0);
        Check(left->GetModel()->GetRecordCount() == 1, name, "one item");
        Check(root.data().toString() == QStringLiteral("(Not set)"), name, "named (Not set)");
        Check(Ink(image, RowIn(window, tree, root)) > 20, name, "the item's text shows");
        Check(right->GetTreePage()->GetTree()->GetRootItem() == nullptr, name, "no question");
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
    left.SetPanes(&right, nullptr);
    left.resize(240, 320);
    right.resize(420, 520);
    left.show();
    right.show();
    left.ResetAfterLoad();
    QTreeView& tree = *left.GetTree();
    tree.expandAll();
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 1);
    {
        const QString name = QStringLiteral("campaign-tree");
        const QImage image = Shoot(left, name);
        // Every item in view with its text; the selected wave highlighted to the row's end.
        int shown = 0;
        for (int r = 0; r < left.GetModel()->GetRecordCount(); ++r) {
            const QRect row = RowIn(left, tree, left.GetModel()->IndexOfRecord(r));
            shown += image.rect().contains(row) && Ink(image, row, 200) > 10;
        }
        Check(shown == left.GetModel()->GetRecordCount(), name, "every item shows its text");
        const QRect selected = RowIn(left, tree, tree.currentIndex());
        Check(Near(image, selected, tree.palette().color(QPalette::Highlight), 24) >
                  selected.width() * selected.height() / 3,
              name, "the selected wave is highlighted");
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
        const QString name = QStringLiteral("question-tree-campaign");
        const QImage image = Shoot(right, name);
        // Q5 selected and shown; the page is editable: the add-chapter button is on.
        HTREEITEM q5 = Find(questions, QStringLiteral("Q5"));
        Check(q5 && questions.GetSelectedItem() == q5, name, "Q5 is selected");
        if (q5) {
            const QRect item = ItemIn(right, questions, q5);
            Check(image.rect().contains(item), name, "Q5 is in view");
            Check(Near(image, item, questions.palette().color(QPalette::Highlight), 24) > 20,
                  name, "Q5 is highlighted");
        }
        Check(right.GetTreePage()->GetButton(CRightTreePage::ButtonAddChapter)->isEnabled(), name,
              "chapters can be added");
    }

    // Wave 2, read-only: every button greyed.
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 0);
    questions.Expand(questions.GetRootItem(), TVE_EXPAND);
    ExpandTo(questions, QStringLiteral("AWARENESS"));
    {
        const QString name = QStringLiteral("question-tree-wave2");
        const QImage image = Shoot(right, name);
        // Read-only: every button greyed; the wave's questions listed with their texts.
        bool anyEnabled = false;
        for (int b = 0; b < CRightTreePage::ButtonCount; ++b)
            anyEnabled = anyEnabled ||
                         right.GetTreePage()->GetButton(CRightTreePage::EButton(b))->isEnabled();
        Check(!anyEnabled, name, "every button greyed");
        int items = 0;
        for (HTREEITEM walk = questions.GetRootItem(); walk; walk = questions.GetNextTreeItem(walk))
            items += !questions.GetItemRect(walk, true).isEmpty() &&
                     Ink(image, ItemIn(right, questions, walk)) > 10;
        Check(items >= 8, name, "the wave's chapters and questions show");
    }

    // A crowded page: everything open in a short pane.
    left.SelectCampaign(0);
    for (HTREEITEM walk = questions.GetRootItem(); walk; walk = questions.GetNextTreeItem(walk))
        questions.Expand(walk, TVE_EXPAND);
    right.resize(300, 240);
    {
        const QString name = QStringLiteral("question-tree-crowded");
        const QImage image = Shoot(right, name);
        // A short pane: the tree scrolls, its buttons stay in their strip beside it.
        Check(questions.verticalScrollBar()->isVisible(), name, "the tree scrolls");
        const QRect strip(0, 0, CRightTreePage::kButtonStripWidth, right.height());
        for (int b = 0; b < CRightTreePage::ButtonCount; ++b) {
            const QWidget* button = right.GetTreePage()->GetButton(CRightTreePage::EButton(b));
            const QRect place(button->mapTo(&right, QPoint(0, 0)), button->size());
            Check(strip.contains(place), name, "a button stays in its strip");
            Check(Ink(image, place, 200) > 5, name, "a button's image shows");
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
        const QString name = QStringLiteral("campaign-tree-pending");
        const QImage image = Shoot(left, name);
        // The unreconciled wave's text is orange; a reconciled wave's is not.
        const QColor orange(255, 142, 22);
        const QModelIndex done =
            left.GetModel()->FindItem(TREE_KIND_WAVE, campaign.GetWave(2)->GetWaveId());
        Check(Near(image, RowIn(left, tree, waveItem), orange, 40) > 10, name,
              "the pending wave is orange");
        Check(Near(image, RowIn(left, tree, done), orange, 40) == 0, name,
              "a reconciled wave is not orange");
    }

    CNewMenu menu;
    if (CNewMenu* popup = left.LoadContextMenu(menu, waveItem)) {
        QMenu* shown = popup->GetMenu();
        const QRect at = tree.visualRect(waveItem);
        shown->popup(tree.viewport()->mapToGlobal(at.center()));
        const QString name = QStringLiteral("campaign-tree-menu");
        const QImage image = ShootWithMenu(left, *shown, name);
        // The wave's commands, the ones its state forbids greyed: paler labels.
        const QPoint origin = shown->geometry().topLeft() - left.geometry().topLeft();
        auto darkest = [&](unsigned id) {
            const QRect row = shown->actionGeometry(popup->FindCommand(id)).translated(origin);
            int value = 255;
            for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
                for (int x = row.left() + 24; x < row.left() + 120; ++x)
                    value = std::min(value, image.pixelColor(x, y).lightness());
            return value;
        };
        Check(darkest(ID_WAVE_SHOW_RECONCILIATION) > darkest(ID_WAVE_RECONCILE) + 40, name,
              "Show Reconciliation is greyed, Reconcile Questions is not");
        Check(darkest(ID_WAVE_REMOVE) < 100, name, "Remove Wave reads");
        shown->hide();
    } else {
        std::fprintf(stderr, "viewshots: no context menu\n");
        ++g_failures;
    }
    return g_failures == 0 ? 0 : 1;
}
