// The main frame: its bars in a row, its status bar, the panes' first layout, how a change of
// the window's height is shared out, and the placement and sizes kept from one run to the next.

#include "ShellWindowTestSupport.h"

#include "MenuTestSupport.h"
#include "app/OptionsProfile.h"
#include "controls/FlatSplitterWnd.h"
#include "menus/NewMenu.h"
#include "menus/NewToolBar.h"
#include "res/CommandIds.h"
#include "shell/MainFrame.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>

using namespace shell_test;
using namespace shell_window_test;

namespace {

// The window program on the placeholder panes, which keep their sizes in the profile.
class MainFrame : public CShellTest
{
protected:
    MainFrame() { ClearProfile(); }

    std::unique_ptr<CShellApp> StartShell()
    {
        auto shell = std::make_unique<CShellApp>(m_app);
        shell->ProcessShellCommand(false, QString());
        shell->ShowMainFrame();
        QApplication::processEvents();
        return shell;
    }

    static int Top(CMainFrame& frame) { return frame.GetInnerSplitter()->sizes().at(0); }
    static int Bottom(CMainFrame& frame) { return frame.GetInnerSplitter()->sizes().at(1); }
    static int Left(CMainFrame& frame) { return frame.GetOuterSplitter()->sizes().at(0); }
};

} // namespace

TEST_F(MainFrame, FirstStartGivesTheTreeAFifthAndThePropertiesTheirHeight)
{
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    EXPECT_NEAR(Left(frame), frame.GetOuterSplitter()->width() / 5, 1);
    EXPECT_EQ(Bottom(frame), CMainFrame::kBottomPaneHeight);
    EXPECT_GT(Top(frame), 0);

    // The three toolbars stand side by side in one row, main, reconciliation, options.
    const QRect bars[3] = {frame.GetToolBar(0)->geometry(), frame.GetToolBar(1)->geometry(),
                           frame.GetToolBar(2)->geometry()};
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(bars[i].top(), bars[0].top());
        EXPECT_GT(bars[i].left(), bars[i - 1].right());
    }
    EXPECT_EQ(frame.GetToolBar(0)->actions().first(), shell->GetActions().Action(ID_FILE_NEW));
    EXPECT_EQ(frame.GetToolBar(2)->actions().first(),
              shell->GetActions().Action(ID_USE_GLOBAL_OPTIONS));

    // The status bar: the message pane and the language pane; no lock-key panes, since the
    // offscreen platform does not tell the keys' state.
    EXPECT_EQ(frame.GetMessagePane()->text(), QStringLiteral("Ready"));
    EXPECT_EQ(frame.GetLanguagePane()->text(), QStringLiteral("English (United States)"));
    EXPECT_EQ(frame.statusBar()->findChildren<QLabel*>().size(), 2);
    EXPECT_EQ(frame.GetLockKeyPane(CMainFrame::CapsLockPane), nullptr);
    EXPECT_GT(frame.GetLanguagePane()->geometry().left(), frame.width() / 2);
}

TEST_F(MainFrame, LockKeyPanesFollowTheKeysWhereTheirStateIsKnown)
{
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    std::optional<SLockKeys> keys = SLockKeys{true, false, true};
    frame.SetLockKeyReader([&keys] { return keys; });
    QApplication::processEvents();
    QLabel* panes[3] = {frame.GetLockKeyPane(CMainFrame::CapsLockPane),
                        frame.GetLockKeyPane(CMainFrame::NumLockPane),
                        frame.GetLockKeyPane(CMainFrame::ScrollLockPane)};
    ASSERT_TRUE(panes[0] && panes[1] && panes[2]);
    auto texts = [&panes] {
        return QStringList{panes[0]->text(), panes[1]->text(), panes[2]->text()};
    };
    EXPECT_EQ(texts(), (QStringList{"CAP", "", "SCRL"}));
    // In order after the language pane, each wide enough for its text.
    EXPECT_GT(panes[0]->geometry().left(), frame.GetLanguagePane()->geometry().right());
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            EXPECT_GT(panes[i]->geometry().left(), panes[i - 1]->geometry().right());
        }
        EXPECT_GE(panes[i]->width(),
                  panes[i]->fontMetrics().horizontalAdvance(QStringList{"CAP", "NUM", "SCRL"}[i]));
    }
    // The picture: text in the panes of the keys that are on, none in the others.
    const QImage bar =
        shots::GrabAndSave(*frame.statusBar(), QStringLiteral("shots"), "shell-status-bar");
    auto darkPixels = [&bar](const QLabel* pane) {
        return shots::InkCount(bar, pane->geometry().adjusted(3, 3, -3, -3), 100);
    };
    EXPECT_GT(darkPixels(panes[0]), 10);
    EXPECT_EQ(darkPixels(panes[1]), 0);
    EXPECT_GT(darkPixels(panes[2]), 10);

    // A key pressed shows within a fifth of a second.
    keys = SLockKeys{false, true, false};
    QTest::qWait(300);
    EXPECT_EQ(texts(), (QStringList{"", "NUM", ""}));
    // A moment the state cannot be read shows every key off.
    keys.reset();
    frame.UpdateLockKeyPanes();
    EXPECT_EQ(texts(), (QStringList{"", "", ""}));
    // Without a reader the panes go.
    frame.SetLockKeyReader({});
    EXPECT_EQ(frame.GetLockKeyPane(CMainFrame::NumLockPane), nullptr);
    EXPECT_EQ(frame.statusBar()->findChildren<QLabel*>().size(), 2);
}

TEST_F(MainFrame, HeightChangesGoToTheRightHandPane)
{
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    const int top = Top(frame);
    const int bottom = Bottom(frame);
    const int left = Left(frame);
    frame.resize(frame.width(), frame.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(Top(frame), top + 100);
    EXPECT_EQ(Bottom(frame), bottom);
    EXPECT_EQ(Left(frame), left);

    frame.resize(frame.width() + 80, frame.height() - 150);
    QApplication::processEvents();
    EXPECT_EQ(Top(frame), top - 50);
    EXPECT_EQ(Bottom(frame), bottom);
    EXPECT_EQ(Left(frame), left) << "the campaign tree keeps its width";
}

TEST_F(MainFrame, PlacementAndPaneSizesComeBackNextStart)
{
    QRect geometry;
    QList<int> outer;
    QList<int> inner;
    {
        const std::unique_ptr<CShellApp> shell = StartShell();
        CMainFrame& frame = *shell->GetMainFrame();
        frame.setGeometry(30, 40, 1000, 700);
        QApplication::processEvents();
        frame.GetOuterSplitter()->setSizes({310, 680});
        frame.GetInnerSplitter()->setSizes({400, 150});
        QApplication::processEvents();
        geometry = frame.geometry();
        outer = frame.GetOuterSplitter()->sizes();
        inner = frame.GetInnerSplitter()->sizes();
        ASSERT_TRUE(frame.close());
    }
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    EXPECT_FALSE(profile->value(QStringLiteral("Layout/WindowPlacement")).toByteArray().isEmpty());
    EXPECT_EQ(profile->value(QStringLiteral("Layout/MainFrameState")).toInt(), 1);
    EXPECT_EQ(profile->value(QStringLiteral("Layout/LeftViewWidth")).toInt(), outer[0]);
    EXPECT_EQ(profile->value(QStringLiteral("Layout/RightViewHeight")).toInt(), inner[0]);

    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    EXPECT_EQ(frame.geometry(), geometry);
    EXPECT_EQ(frame.GetOuterSplitter()->sizes(), outer);
    EXPECT_EQ(frame.GetInnerSplitter()->sizes(), inner);
}

// A maximised window is shown at its normal size and takes its final one when the window manager
// maximises it, later. The campaign tree and the property pane have their stored sizes then.
TEST_F(MainFrame, AMaximisedRestartKeepsThePaneSizesOnceTheWindowHasItsFinalSize)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray normal;
    {
        const std::unique_ptr<CShellApp> shell = StartShell();
        shell->GetMainFrame()->setGeometry(area.left() + 20, area.top() + 30, 560, 380);
        normal = shell->GetMainFrame()->saveGeometry();
    }
    ClearProfile();
    {
        // What the last run left: maximised, the property pane 252 high under a right-hand
        // pane that had the whole maximised height.
        const std::unique_ptr<QSettings> profile = OpenUserProfile();
        profile->setValue(QStringLiteral("Layout/WindowPlacement"), normal);
        profile->setValue(QStringLiteral("Layout/MainFrameState"), 3);
        profile->setValue(QStringLiteral("Layout/LeftViewWidth"), 180);
        profile->setValue(QStringLiteral("Layout/RightViewHeight"), area.height() - 400);
        profile->setValue(QStringLiteral("Layout/BottomViewHeight"), 252);
    }
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    ASSERT_EQ(frame.size(), QSize(560, 380)) << "shown at its normal size first";
    // The window manager maximises it.
    frame.setGeometry(area);
    QApplication::processEvents();
    EXPECT_EQ(Bottom(frame), 252);
    EXPECT_EQ(Left(frame), 180);
    EXPECT_GT(Top(frame), 252);

    // A size the user gives the window later keeps the two panes as they are.
    frame.resize(frame.width() - 100, frame.height() - 100);
    QApplication::processEvents();
    EXPECT_EQ(Bottom(frame), 252);
    EXPECT_EQ(Left(frame), 180);
}

TEST_F(MainFrame, AMaximisedWindowComesBackMaximisedWithItsPaneSizes)
{
    QList<int> inner;
    QList<int> outer;
    {
        const std::unique_ptr<CShellApp> shell = StartShell();
        CMainFrame& frame = *shell->GetMainFrame();
        frame.showMaximized();
        QApplication::processEvents();
        const int height = frame.GetInnerSplitter()->sizes().at(0) + Bottom(frame);
        frame.GetInnerSplitter()->setSizes({height - 252, 252});
        frame.GetOuterSplitter()->setSizes({230, frame.GetOuterSplitter()->width() - 237});
        QApplication::processEvents();
        inner = frame.GetInnerSplitter()->sizes();
        outer = frame.GetOuterSplitter()->sizes();
        ASSERT_TRUE(frame.close());
    }
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    EXPECT_EQ(profile->value(QStringLiteral("Layout/MainFrameState")).toInt(), 3);
    EXPECT_EQ(profile->value(QStringLiteral("Layout/BottomViewHeight")).toInt(), 252);

    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    QApplication::processEvents();
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_EQ(frame.GetInnerSplitter()->sizes(), inner);
    EXPECT_EQ(frame.GetOuterSplitter()->sizes(), outer);
}

TEST_F(MainFrame, TheFirstStartTakesFourFifthsOfTheScreenCentred)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const std::unique_ptr<CShellApp> shell = StartShell();
    const CMainFrame& frame = *shell->GetMainFrame();
    EXPECT_EQ(frame.geometry().size(), area.size() * 4 / 5);
    EXPECT_NEAR(frame.geometry().center().x(), area.center().x(), 1);
    EXPECT_NEAR(frame.geometry().center().y(), area.center().y(), 1);
}

TEST_F(MainFrame, AStoredPlacementThatCannotBeUsedFallsBackToTheDefaults)
{
    struct SCase
    {
        const char* Name;
        QByteArray Placement;
        int State;
    };
    QByteArray good;
    {
        const std::unique_ptr<CShellApp> shell = StartShell();
        shell->GetMainFrame()->setGeometry(30, 40, 1000, 700);
        good = shell->GetMainFrame()->saveGeometry();
    }
    const SCase cases[] = {
        {"a placement of another kind", QByteArray(44, '\x01'), 1},
        {"stored while minimised", good, 2},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        ClearProfile();
        {
            const std::unique_ptr<QSettings> profile = OpenUserProfile();
            profile->setValue(QStringLiteral("Layout/WindowPlacement"), test.Placement);
            profile->setValue(QStringLiteral("Layout/MainFrameState"), test.State);
            profile->setValue(QStringLiteral("Layout/LeftViewWidth"), 500);
            profile->setValue(QStringLiteral("Layout/RightViewHeight"), 100);
        }
        const std::unique_ptr<CShellApp> shell = StartShell();
        CMainFrame& frame = *shell->GetMainFrame();
        EXPECT_TRUE(frame.isVisible());
        EXPECT_FALSE(frame.isMinimized());
        if (test.State == 2) {
            EXPECT_EQ(frame.geometry(), QRect(30, 40, 1000, 700)) << "shown normal";
            // The pane sizes fall back to the defaults.
            EXPECT_NEAR(Left(frame), frame.GetOuterSplitter()->width() / 5, 1);
            EXPECT_EQ(Bottom(frame), CMainFrame::kBottomPaneHeight);
        } else {
            EXPECT_GT(frame.width(), 200);
            EXPECT_GT(frame.height(), 200);
        }
    }
}

TEST_F(MainFrame, TheEditMenuLeavesOutThreeCommandsThatStayHandled)
{
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    frame.hide();
    frame.show();
    QMenu* edit = menutest::OpenBarMenu(frame, QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    for (const QAction* action : edit->actions()) {
        const unsigned id = CCommandActions::CommandId(action);
        EXPECT_NE(id, ID_REAPPLY_MATCHES);
        EXPECT_NE(id, ID_VALIDATE_MATCHES);
        EXPECT_NE(id, ID_CHECK_DUPLICATES);
    }
    EXPECT_NE(shell->GetActions().FindAction(ID_CHECK_DUPLICATES), nullptr);
    const QImage image = menutest::GrabWithPopups(frame);
    shots::Save(image, QStringLiteral("shots"), QStringLiteral("shell-frame-edit-menu"));
    // Every row the menu has shows its label in the picture.
    const QPoint popup = edit->geometry().topLeft() - frame.geometry().topLeft();
    for (QAction* action : edit->actions()) {
        if (action->isSeparator())
            continue;
        const QRect row = edit->actionGeometry(action).translated(popup);
        EXPECT_TRUE(image.rect().contains(row)) << action->text().toStdString();
        EXPECT_GT(shots::InkCount(image, row.adjusted(28, 2, 0, -2), 200), 10)
            << action->text().toStdString();
    }
    edit->hide();
}

TEST_F(MainFrame, GalleryOfTheFrameAndItsFileMenu)
{
    // The pictures show the program's own look.
    const int previousMode = CNewMenu::SetDrawMode(9);
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    const std::unique_ptr<CShellApp> shell = StartShell();
    CMainFrame& frame = *shell->GetMainFrame();
    frame.setGeometry(0, 0, 900, 600);
    for (int i = 12; i >= 1; --i) {
        const QString path = Path(QStringLiteral("R&D %1/s%1.duv").arg(i));
        shell->GetRecentFileList().Add(path);
    }
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    QApplication::processEvents();
    const QImage plain =
        shots::GrabAndSave(frame, QStringLiteral("shots"), QStringLiteral("shell-frame"));
    // The caption names the file.
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv - Plim"));
    // The panes are white below the bars.
    const QWidget* left = frame.GetOuterSplitter()->widget(0);
    const QPoint inside = left->mapTo(&frame, left->rect().center() + QPoint(0, 40));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(plain, inside.x(), inside.y()), Qt::white));

    QMenu* fileMenu = menutest::OpenBarMenu(frame, QStringLiteral("&File"));
    ASSERT_NE(fileMenu, nullptr);
    QStringList items;
    for (const QAction* action : fileMenu->actions()) {
        if (CCommandActions::CommandId(action) >= ID_FILE_MRU_FILE1 &&
            CCommandActions::CommandId(action) <= ID_FILE_MRU_LAST)
            items << action->text();
    }
    ASSERT_EQ(items.size(), 10);
    EXPECT_TRUE(items[0].startsWith(QStringLiteral("&1 "))) << qPrintable(items[0]);
    EXPECT_TRUE(items[9].startsWith(QStringLiteral("1&0 "))) << qPrintable(items[9]);
    EXPECT_TRUE(items[1].contains(QStringLiteral("R&&D 1"))) << qPrintable(items[1]);
    const QImage withMenu = menutest::GrabWithPopups(frame);
    shots::Save(withMenu, QStringLiteral("shots"), QStringLiteral("shell-frame-file-menu"));
    // The ten recent files show in the picture, each row with its label.
    const QPoint popup = fileMenu->geometry().topLeft() - frame.geometry().topLeft();
    int recentRows = 0;
    for (QAction* action : fileMenu->actions()) {
        const unsigned id = CCommandActions::CommandId(action);
        if (id < ID_FILE_MRU_FILE1 || id > ID_FILE_MRU_LAST)
            continue;
        const QRect row = fileMenu->actionGeometry(action).translated(popup);
        recentRows += withMenu.rect().contains(row) &&
                      shots::InkCount(withMenu, row.adjusted(28, 2, 0, -2), 200) > 10;
    }
    EXPECT_EQ(recentRows, 10);
    fileMenu->hide();
    CNewMenu::SetDrawMode(previousMode);
}
