// The application's roads as the window program shows them: the document's title and its
// modified mark, the recent-file list, damaged files and failing saves, closing the window.

#include "ShellWindowTestSupport.h"

#include "dialogs/ReportDlg.h"
#include "platform/FormatString.h"
#include "reconcile/SourceComparison.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/MainFrame.h"
#include "shell/WidgetWindowServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

using namespace shell_test;
using namespace shell_window_test;

namespace {

// A copy of the file cut to half its length.
QString TruncatedCopy(const QString& path, const QString& copy)
{
    QByteArray bytes = FileBytes(path);
    bytes.truncate(bytes.size() / 2);
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return copy;
}

// The texts of the recent-file items of the File menu.
QStringList RecentItems(CShellApp& shell)
{
    QStringList texts;
    const QAction* first = shell.GetActions().Action(ID_FILE_MRU_FILE1);
    for (QObject* object : first->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            for (const QAction* action : menu->actions()) {
                const unsigned id = CCommandActions::CommandId(action);
                if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST)
                    texts << action->text();
            }
        }
    }
    return texts;
}

class WindowRoads : public CShellWindowTest
{
};

} // namespace

TEST_F(WindowRoads, OpeningNamesTheFileInTheTitleAndTheRecentList)
{
    m_shellApp->ProcessShellCommand(false, QString());
    EXPECT_EQ(Title(), QStringLiteral("Untitled - Plim"));
    EXPECT_EQ(m_panes->Calls, QStringList{"reset"});

    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_shellApp->ProcessShellCommand(true, file));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv - Plim"));
    EXPECT_EQ(m_shellApp->GetDocument().GetPathName(), file);
    EXPECT_EQ(m_shellApp->GetRecentFileList().GetItem(0), file);
    ASSERT_EQ(RecentItems(*m_shellApp).size(), 1);
    EXPECT_TRUE(RecentItems(*m_shellApp)[0].startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(RecentItems(*m_shellApp)[0].endsWith(QStringLiteral("wave1.duv")));
    EXPECT_EQ(m_shellApp->GetActions().Action(ID_FILE_MRU_FILE1)->statusTip(), file);
    // The status bar names the campaign's current language.
    EXPECT_EQ(Updated(ID_INDICATOR_LANGUAGE)->text(), QStringLiteral("English (United Kingdom)"));
}

TEST_F(WindowRoads, TheRecentListShowsTheWholePathWhateverFolderTheProgramStartedIn)
{
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    // Started in the campaign's folder and given the file's name alone.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(file).absolutePath()));
    const bool opened = m_shellApp->ProcessShellCommand(true, QStringLiteral("wave1.duv"));
    const QStringList items = RecentItems(*m_shellApp);
    QDir::setCurrent(previous);
    ASSERT_TRUE(opened);
    EXPECT_EQ(m_shellApp->GetRecentFileList().GetItem(0), QFileInfo(file).absoluteFilePath());
    ASSERT_EQ(items.size(), 1);
    EXPECT_TRUE(items[0].startsWith(QStringLiteral("&1 /"))) << qPrintable(items[0]);
    EXPECT_TRUE(items[0].endsWith(QStringLiteral("/wave1.duv"))) << qPrintable(items[0]);
}

TEST_F(WindowRoads, ACommandMarksTheTitleAndSavingClearsIt)
{
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("change question")));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv * - Plim"));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("change response")));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv * - Plim")) << "no second mark";

    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_SAVE));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv - Plim"));
    EXPECT_FALSE(m_app.IsModified());
    // Undoing past the save marks it again, redoing clears it.
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv * - Plim"));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_REDO));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv - Plim"));
}

// The state a campaign was opened or saved in is its saved point: Undo back to it takes the mark
// away, Redo past it puts it back, whichever way the step is taken back (menu, key, toolbar).
TEST_F(WindowRoads, UndoBackToTheSavedPointClearsTheMark)
{
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_shellApp->ProcessShellCommand(true, file));
    const QString plain = QStringLiteral("wave1.duv - Plim");
    const QString marked = QStringLiteral("wave1.duv * - Plim");
    ASSERT_EQ(Title(), plain);

    // Opened: one step and back.
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));
    EXPECT_EQ(Title(), marked);
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Title(), plain);
    EXPECT_FALSE(m_app.IsModified());
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_REDO));
    EXPECT_EQ(Title(), marked);

    // Saved after a step, then two more steps taken back one by one.
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_SAVE));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("B")));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("C")));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Title(), marked);
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Title(), plain);
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(Title(), marked);
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_REDO));
    EXPECT_EQ(Title(), plain);
}

TEST_F(WindowRoads, SaveWritesTheFileEvenWhenNothingChanged)
{
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    // A storage that cannot save shows that Save reached it.
    FailStorageAt(QStringLiteral("Save"));
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    ASSERT_FALSE(m_app.IsModified());
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_SAVE));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_TRUE(m_windows.Prompts[0].startsWith(
        FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {QString()})))
        << qPrintable(m_windows.Prompts[0]);
}

TEST_F(WindowRoads, ADamagedFileKeepsTheOpenCampaignAndTitle)
{
    const QString good = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), good);
    ASSERT_TRUE(m_app.OpenDocumentFile(good));
    const pelko_wave::CCampaign* open = m_app.GetCampaign();
    const QString damaged = TruncatedCopy(good, Path("damaged.duv"));
    ASSERT_FALSE(damaged.isEmpty());

    struct SRoad
    {
        const char* Name;
        std::function<void()> Open;
    };
    const SRoad roads[] = {
        {"File > Open",
         [&] {
             m_windows.Choices = {damaged};
             m_shellApp->GetActions().Execute(ID_FILE_OPEN);
         }},
        {"the command line", [&] { EXPECT_FALSE(m_shellApp->ProcessShellCommand(true, damaged)); }},
    };
    for (const SRoad& road : roads) {
        SCOPED_TRACE(road.Name);
        m_windows.Prompts.clear();
        road.Open();
        ASSERT_EQ(m_windows.Prompts.size(), 1);
        EXPECT_TRUE(m_windows.Prompts[0].startsWith(
            FormatString(LoadString(IDS_OPEN_DATABASE_ERROR), {QString()})));
        EXPECT_EQ(m_app.GetCampaign(), open);
        EXPECT_EQ(m_app.GetCampaignPath(), good);
        EXPECT_EQ(Title(), QStringLiteral("wave1.duv - Plim"));
        EXPECT_EQ(m_shellApp->GetRecentFileList().GetCount(), 1);
    }
}

TEST_F(WindowRoads, AFailingRecentEntryLeavesTheList)
{
    const QString first = Path("first.duv");
    const QString second = Path("second.duv");
    WriteCampaignFile(*MakeCampaign(), first);
    WriteCampaignFile(*MakeCampaign(), second);
    ASSERT_TRUE(m_app.OpenDocumentFile(first));
    ASSERT_TRUE(m_app.OpenDocumentFile(second));
    CRecentFileListEx& recent = m_shellApp->GetRecentFileList();
    ASSERT_EQ(recent.GetItem(1), first);

    // The question to save the modified campaign cancelled: the entry stays.
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));
    m_windows.QueueAnswers({IDCANCEL});
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(m_app.GetCampaignPath(), second);
    EXPECT_EQ(recent.GetCount(), 2);

    // The file gone since: it is named as missing, before any question; the entry and the
    // open campaign stay.
    ASSERT_TRUE(QFile::remove(first));
    m_windows.Prompts.clear();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(m_windows.Prompts,
              QStringList{QStringLiteral("The campaign file '%1' was not found.").arg(first)});
    EXPECT_EQ(m_app.GetCampaignPath(), second);
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_EQ(recent.GetCount(), 2);

    // The file damaged since: the entry goes, the open campaign stays.
    m_windows.QueueAnswers({IDNO});
    TruncatedCopy(second, first);
    m_windows.Prompts.clear();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(m_windows.Prompts.size(), 2);
    EXPECT_TRUE(m_windows.Prompts[1].startsWith(
        FormatString(LoadString(IDS_OPEN_DATABASE_ERROR), {QString()})));
    EXPECT_EQ(m_app.GetCampaignPath(), second);
    EXPECT_EQ(recent.GetCount(), 1);
    EXPECT_EQ(RecentItems(*m_shellApp).size(), 1);
}

TEST_F(WindowRoads, AnUnwritableSaveAsTargetKeepsTheTitle)
{
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));
    m_windows.Choices = {Path("no-such-folder/copy.duv")};
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_SAVE_AS));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_TRUE(m_windows.Prompts[0].startsWith(
        FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {QString()})));
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv * - Plim"));
    EXPECT_EQ(m_shellApp->GetRecentFileList().GetCount(), 1);

    // A Save As that works names the new file and puts it first in the list.
    const QString copy = Path("copy.duv");
    m_windows.Choices = {copy};
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_FILE_SAVE_AS));
    EXPECT_EQ(Title(), QStringLiteral("copy.duv - Plim"));
    EXPECT_EQ(m_shellApp->GetRecentFileList().GetItem(0), copy);
    EXPECT_EQ(m_shellApp->GetRecentFileList().GetItem(1), file);
}

TEST_F(WindowRoads, ClosingWithChangesAsksAndCancelKeepsTheWindow)
{
    CMainFrame& frame = *m_shellApp->GetMainFrame();
    m_shellApp->ProcessShellCommand(false, QString());
    m_shellApp->ShowMainFrame();
    ASSERT_TRUE(ExecuteTestCommand(QStringLiteral("A")));

    m_windows.QueueAnswers({IDCANCEL});
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0],
              FormatString(LoadString(IDS_SAVE_CHANGES), {QStringLiteral("Untitled01.duv")}));
    EXPECT_EQ(m_windows.PromptTypes[0], unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));

    m_windows.QueueAnswers({IDNO});
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(WindowRoads, NoCloseWhileWorkDispatchesMessages)
{
    // The window program's services, told about this frame.
    CWidgetWindowServices services;
    CShellApp shell(m_app, {}, nullptr, &services);
    shell.ProcessShellCommand(false, QString());
    shell.ShowMainFrame();
    bool closed = true;
    QTimer::singleShot(0, [&] { closed = shell.GetMainFrame()->close(); });
    services.PumpMessages();
    EXPECT_FALSE(closed);
    EXPECT_TRUE(shell.GetMainFrame()->isVisible());
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << "refused before any question";
    EXPECT_TRUE(shell.GetMainFrame()->close());
}

TEST_F(WindowRoads, MissingSourcesShowTheirReportWindow)
{
    std::unique_ptr<pelko_wave::CCampaign> campaign = MakeCampaign();
    for (int id = 1; id <= 4; ++id)
        campaign->FindVolume(id)->SetStatus(pelko_wave::VOLUME_RECONCILED);
    const QString file = Path("wave1.duv");
    WriteCampaignFile(*campaign, file);
    ASSERT_TRUE(QFile::remove(Path("sources/w1v2.zoz")));

    // The window program's own services: the check runs behind the worker's progress dialog and
    // its report opens in a window of its own.
    CWidgetWindowServices services;
    SetWindowServices(&services);
    const bool opened = m_app.OpenDocumentFile(file);
    SetWindowServices(&m_windows);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Title(), QStringLiteral("wave1.duv - Plim"));
    CReportDlg* report = ShownReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), QStringLiteral("Source File Problems"));
    EXPECT_EQ(report->GetReportKind(), 3);
    EXPECT_TRUE(report->GetReportHtml().contains(QStringLiteral("w1v2.zoz")));
    report->close();
}

TEST_F(WindowRoads, TheValidationReportWaitsForItsDialog)
{
    const SSourceComparisonLists lists;
    m_shellApp->ShowValidationDialog(lists, QStringLiteral("<p>3 matchings</p>"));
    EXPECT_EQ(m_dialogs->Runs, QStringList{"validation"});
    EXPECT_EQ(m_dialogs->ValidationReport, QStringLiteral("<p>3 matchings</p>"));
    EXPECT_TRUE(m_windows.Reports.empty());

    // Until the campaign dialogs give one, the report shows in a report window.
    m_dialogs->Available = false;
    m_shellApp->ShowValidationDialog(lists, QStringLiteral("<p>3 matchings</p>"));
    ASSERT_EQ(m_windows.Reports.size(), 1u);
    EXPECT_EQ(m_windows.Reports[0].Title, QStringLiteral("Campaign Validation"));
    EXPECT_EQ(m_windows.Reports[0].Html, QStringLiteral("<p>3 matchings</p>"));
}
