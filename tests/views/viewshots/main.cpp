// Writes a PNG picture of each campaign view in a known state, on the sample campaign, and the
// sample campaign's file (sample.duv) beside them:
//   viewshots <folder>
// The pictures are for looking at; the tests check the same views by sampled colours.

#include "app/WaveApp.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/SampleCampaign.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightReconciliationPage.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"
#include "views/WaveGridCtrl.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMenu>
#include <QPainter>
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

void Shoot(QWidget& widget, const QString& name)
{
    QApplication::processEvents();
    Save(widget.grab().toImage(), name);
}

// The window with the pop-up menu drawn over it where it opened.
void ShootWithMenu(QWidget& window, QMenu& popup, const QString& name)
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
        Shoot(window, QStringLiteral("campaign-empty"));
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
    Shoot(left, QStringLiteral("campaign-tree"));

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
    Shoot(right, QStringLiteral("question-tree-campaign"));

    // Wave 2, read-only: every button greyed.
    left.SelectWaveItem(campaign.GetWave(1)->GetWaveId(), 0);
    questions.Expand(questions.GetRootItem(), TVE_EXPAND);
    ExpandTo(questions, QStringLiteral("AWARENESS"));
    Shoot(right, QStringLiteral("question-tree-wave2"));

    // A crowded page: everything open in a short pane.
    left.SelectCampaign(0);
    for (HTREEITEM walk = questions.GetRootItem(); walk; walk = questions.GetNextTreeItem(walk))
        questions.Expand(walk, TVE_EXPAND);
    right.resize(300, 240);
    Shoot(right, QStringLiteral("question-tree-crowded"));

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
        const std::pair<unsigned, const char*> modes[] = {
            {ID_QUESTION_VIEW_SHORTCUTS, "shortcuts"},
            {ID_QUESTION_VIEW_SHORT_CAPTIONS, "short-captions"},
            {ID_QUESTION_VIEW_LONG_CAPTIONS, "long-captions"}};
        for (const auto& [command, name] : modes) {
            page.OnCommand(command);
            Shoot(host, QStringLiteral("reconciliation-wave2-%1").arg(QLatin1String(name)));
        }
        page.OnCommand(ID_QUESTION_VIEW_SHORTCUTS);
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
    Shoot(left, QStringLiteral("campaign-tree-pending"));

    const QModelIndex waveItem =
        left.GetModel()->FindItem(TREE_KIND_WAVE, campaign.GetWave(3)->GetWaveId());
    CNewMenu menu;
    if (CNewMenu* popup = left.LoadContextMenu(menu, waveItem)) {
        QMenu* shown = popup->GetMenu();
        const QRect at = tree.visualRect(waveItem);
        shown->popup(tree.viewport()->mapToGlobal(at.center()));
        ShootWithMenu(left, *shown, QStringLiteral("campaign-tree-menu"));
        shown->hide();
    } else {
        std::fprintf(stderr, "viewshots: no context menu\n");
        ++g_failures;
    }
    return g_failures == 0 ? 0 : 1;
}
