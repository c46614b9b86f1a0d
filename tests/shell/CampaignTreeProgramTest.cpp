// The campaign tree's context menu in the main window, used as a user uses it: a right click on
// an item, a command chosen in the menu that opens, the scripted dialogs answering.

#include "ShellTestSupport.h"

#include "commands/CommandHistory.h"
#include "menus/CommandActions.h"
#include "model/CampaignDump.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "shell/CampaignPanes.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "support/views/SampleCampaign.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <map>

using namespace pelko_wave;

namespace {

const QString kQuillKey = QStringLiteral("Applications/QuillU.exe/shell/open/command");

// What a user can see change after a command: a dialog or message box, a report window, an
// opened folder, a new step in the history, the right-hand host's page, the campaign itself.
struct SObservable
{
    qsizetype Dialogs = 0;
    qsizetype Prompts = 0;
    size_t Reports = 0;
    qsizetype Folders = 0;
    int Steps = 0;
    int Page = -1;
    int PageWave = -1;
    QString Dump;

    bool operator==(const SObservable&) const = default;
};

class CampaignTreeProgram : public shell_test::CShellTest
{
protected:
    CampaignTreeProgram()
    {
        m_shellApp = std::make_unique<CShellApp>(m_app, [this](CCommandActions& actions) {
            auto panes = std::make_unique<CCampaignPanes>(actions);
            m_panes = panes.get();
            return panes;
        });
        QSettings().remove(kQuillKey);
    }
    ~CampaignTreeProgram() override { m_shellApp.reset(); }

    CCampaign& Campaign() { return *m_app.GetCampaign(); }
    CLeftView& Left() { return *m_panes->GetLeftView(); }
    QString Dump() { return DumpCampaign(Campaign()); }
    QModelIndex Item(int kind, int id)
    {
        const QModelIndex index = Left().GetModel()->FindItem(kind, id);
        if (index.parent().isValid())
            Left().GetTree()->expand(index.parent());
        return index;
    }

    // Right-clicks the item and, in the menu that opens, presses Return on the command when it
    // is enabled (the command then runs) or closes the menu. Returns whether it was enabled.
    bool Choose(int kind, int id, unsigned command)
    {
        QTreeView& tree = *Left().GetTree();
        const QModelIndex index = Item(kind, id);
        EXPECT_TRUE(index.isValid()) << kind << " " << id;
        tree.scrollTo(index);
        const QPoint point = tree.visualRect(index).center();
        bool found = false;
        bool enabled = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (CCommandActions::CommandId(action) != command)
                    continue;
                found = true;
                enabled = action->isEnabled();
                if (enabled) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, point,
                                tree.viewport()->mapToGlobal(point));
        QApplication::sendEvent(tree.viewport(), &click);
        EXPECT_TRUE(found) << command;
        return enabled;
    }

    // The commands of the item's pop-up, in menu order.
    std::vector<unsigned> MenuCommands(int kind, int id)
    {
        CNewMenu menu;
        std::vector<unsigned> commands;
        if (CNewMenu* popup = Left().LoadContextMenu(menu, Item(kind, id)))
            for (int i = 0; i < popup->GetMenuItemCount(); ++i)
                if (const unsigned command = popup->GetMenuItemID(i))
                    commands.push_back(command);
        return commands;
    }

    // Runs Edit > Undo (or Redo) from its menu action while it is enabled.
    void RunAll(unsigned command)
    {
        QAction* action = m_shellApp->GetActions().Action(command);
        m_shellApp->UpdateCommands();
        for (int guard = 0; action->isEnabled() && guard < 100; ++guard) {
            action->trigger();
            m_shellApp->UpdateCommands();
        }
        EXPECT_FALSE(action->isEnabled());
    }

    SObservable Observe()
    {
        const CRightView& right = *m_panes->GetRightView();
        return {m_dialogs.Calls.size(),
                m_windows.Prompts.size(),
                m_windows.Reports.size(),
                m_windows.OpenedFolders.size(),
                m_app.GetCommandHistory().GetUndoCount(),
                right.GetShownPage(),
                right.GetWaveId(),
                Dump()};
    }

    // The new wave dialog answered with the name, the wizard with a volume of the source.
    void AnswerNewWave(const QString& name)
    {
        m_dialogs.QueueResults({IDOK});
        m_dialogs.NewWaveAnswer.Name = name;
    }
    void AnswerNewVolume(const QString& name, const QString& source, int ancestor)
    {
        m_dialogs.QueueResults({ID_WIZFINISH});
        SNewVolumeWizardResult& answer = m_dialogs.NewVolumeAnswer;
        answer = SNewVolumeWizardResult();
        answer.Name = name;
        answer.QuestionSource = answer.InterviewSource = source;
        answer.PathFormat = PATH_RELATIVE;
        answer.AncestorVolumeId = ancestor;
        answer.QuestionMethods = {1, 2, 3};
        answer.ResponseMethods = {2, 1};
        answer.CopyQuestionSource = true;
    }
    int LastWaveId() { return Campaign().GetWave(Campaign().GetWaveCount() - 1)->GetWaveId(); }

    CScriptedViewDialogs m_dialogs;
    CCampaignPanes* m_panes = nullptr; // owned by the frame
    std::unique_ptr<CShellApp> m_shellApp;
};

// Whether the volume's sources are files in the campaign's data folder.
void ExpectInDataFolder(const CVolume& volume, const QString& dataFolder)
{
    const QString source = volume.GetMetaData().SourceString;
    EXPECT_EQ(QFileInfo(source).absolutePath(), QFileInfo(dataFolder).absoluteFilePath())
        << qPrintable(source);
    EXPECT_TRUE(QFileInfo(source).isFile()) << qPrintable(source);
    EXPECT_EQ(volume.GetCaseData().SourceString, source);
}

} // namespace

TEST_F(CampaignTreeProgram, AStudyBuiltFromAnEmptyCampaignThroughTheTreesMenu)
{
    ASSERT_TRUE(m_shellApp->ProcessShellCommand(false, QString()));
    m_shellApp->ShowMainFrame();
    m_shellApp->GetActions().Action(ID_FILE_NEW)->trigger();
    const QString empty = Dump();
    const QString spring = CopySample(QStringLiteral("wave1.zoz"), QStringLiteral("in/spring.zoz"));
    const QString online = CopySample(QStringLiteral("wave2.zoz"), QStringLiteral("in/online.zoz"));
    const QString phone = CopySample(QStringLiteral("wave2.zoz"), QStringLiteral("in/phone.zoz"));
    const QString autumn = CopySample(QStringLiteral("wave3.zoz"), QStringLiteral("in/autumn.zoz"));

    // Spring: the first wave and its volume, reconciled without the caption-library question.
    AnswerNewWave(QStringLiteral("Spring"));
    ASSERT_TRUE(Choose(TREE_KIND_CAMPAIGN, 0, ID_WAVE_ADD));
    const int springId = LastWaveId();
    AnswerNewVolume(QStringLiteral("Online"), spring, -1);
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, springId, ID_VOLUME_ADD));
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, springId, ID_WAVE_RECONCILE));
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
    EXPECT_EQ(m_panes->GetShownPage(), IShellPanes::PageReconciliation);
    const int springOnline = Campaign().GetWave(0)->GetVolume(0)->GetVolumeId();

    // Summer: two volumes, the second inheriting from the first.
    AnswerNewWave(QStringLiteral("Summer"));
    ASSERT_TRUE(Choose(TREE_KIND_CAMPAIGN, 0, ID_WAVE_ADD));
    const int summerId = LastWaveId();
    AnswerNewVolume(QStringLiteral("Online"), online, springOnline);
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, summerId, ID_VOLUME_ADD));
    const int summerOnline = Campaign().FindWave(summerId)->GetVolume(0)->GetVolumeId();
    AnswerNewVolume(QStringLiteral("Phone"), phone, summerOnline);
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, summerId, ID_VOLUME_ADD));
    const int summerPhone = Campaign().FindWave(summerId)->GetVolume(1)->GetVolumeId();
    m_windows.QueueAnswers({IDNO});
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, summerId, ID_WAVE_RECONCILE));
    EXPECT_EQ(m_windows.Prompts.size(), 1);

    // Autumn.
    AnswerNewWave(QStringLiteral("Autumn"));
    ASSERT_TRUE(Choose(TREE_KIND_CAMPAIGN, 0, ID_WAVE_ADD));
    const int autumnId = LastWaveId();
    AnswerNewVolume(QStringLiteral("Online"), autumn, summerOnline);
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, autumnId, ID_VOLUME_ADD));
    const int autumnOnline = Campaign().FindWave(autumnId)->GetVolume(0)->GetVolumeId();
    m_windows.QueueAnswers({IDNO});
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, autumnId, ID_WAVE_RECONCILE));
    for (int w = 0; w < 3; ++w)
        for (int v = 0; v < Campaign().GetWave(w)->GetVolumeCount(); ++v)
            EXPECT_EQ(Campaign().GetWave(w)->GetVolume(v)->GetStatus(), VOLUME_RECONCILED);

    // Summer's summary, then its phone volume removed and Autumn's volume unreconciled.
    const size_t reports = m_windows.Reports.size();
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, summerId, ID_WAVE_SHOW_SUMMARY));
    ASSERT_EQ(m_windows.Reports.size(), reports + 1);
    EXPECT_EQ(m_windows.Reports.back().Kind, REPORT_SUMMARY);
    EXPECT_EQ(m_windows.Reports.back().Title,
              QStringLiteral("Reconciliation Summary for Wave \"Summer\""));
    m_windows.QueueAnswers({IDYES, IDYES});
    ASSERT_TRUE(Choose(TREE_KIND_VOLUME, summerPhone, ID_VOLUME_REMOVE));
    EXPECT_EQ(Campaign().FindVolume(summerPhone), nullptr);
    ASSERT_TRUE(Choose(TREE_KIND_VOLUME, autumnOnline, ID_VOLUME_UNRECONCILE));
    EXPECT_EQ(Campaign().FindVolume(autumnOnline)->GetStatus(), VOLUME_UNRECONCILED);
    const QString done = Dump();

    // Every step taken back, then every step again.
    RunAll(ID_EDIT_UNDO);
    EXPECT_TRUE(SameDump(Dump(), empty));
    EXPECT_EQ(Left().GetModel()->GetRecordCount(), 1);
    RunAll(ID_EDIT_REDO);
    EXPECT_TRUE(SameDump(Dump(), done));

    // Saved: the sources are copied into the campaign's data folder and the volumes use them.
    const QString file = Path(QStringLiteral("study.duv"));
    m_windows.Choices = {file};
    m_shellApp->GetActions().Action(ID_FILE_SAVE)->trigger();
    ASSERT_EQ(m_app.GetCampaignFilePath(), file);
    EXPECT_FALSE(m_app.IsModified());
    const QString dataFolder = m_app.GetCampaignDataFolder();
    ASSERT_FALSE(dataFolder.isEmpty());
    for (const int id : {springOnline, summerOnline, autumnOnline})
        ExpectInDataFolder(*Campaign().FindVolume(id), dataFolder);
    EXPECT_TRUE(QFileInfo::exists(spring));

    // Opened again from the file.
    m_windows.Choices = {file};
    m_shellApp->GetActions().Action(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(Campaign().GetWaveCount(), 3);
    EXPECT_EQ(Campaign().FindWave(summerId)->GetVolumeCount(), 1);
    EXPECT_EQ(Campaign().FindVolume(autumnOnline)->GetStatus(), VOLUME_UNRECONCILED);
    for (const int id : {springOnline, summerOnline, autumnOnline})
        ExpectInDataFolder(*Campaign().FindVolume(id), dataFolder);
    EXPECT_EQ(Left().GetModel()->GetRecordCount(), 1 + 3 + 3);
}

TEST_F(CampaignTreeProgram, EveryItemOfTheTreesMenuActsOrIsGreyed)
{
    ASSERT_TRUE(m_shellApp->ProcessShellCommand(false, QString()));
    // The sample is built, written and opened again, without saving the built campaign twice.
    m_windows.QueueAnswers({IDNO});
    QString error;
    ASSERT_TRUE(
        sample_campaign::BuildSampleCampaign(m_app, Path(QStringLiteral("sample.duv")), error))
        << qPrintable(error);
    m_shellApp->ShowMainFrame();
    ASSERT_EQ(Left().GetModel()->GetRecordCount(), 1 + 3 + 4);

    // The answers of the message boxes, so that no command goes further than its question.
    const std::map<unsigned, int> answers = {
        {ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT, IDCANCEL},
        {ID_WAVE_RECONCILE, IDCANCEL},
        {ID_WAVE_RECONCILE_UNMATCHED, IDCANCEL},
        {ID_WAVE_REMOVE, IDNO},
        {ID_VOLUME_REMOVE, IDNO},
        {ID_VOLUME_UNRECONCILE, IDNO},
    };
    // Each item's pop-up, every command of it chosen from the menu in turn.
    const auto check = [&](int kind, int id, const std::set<unsigned>& greyed) {
        const std::vector<unsigned> commands = MenuCommands(kind, id);
        EXPECT_FALSE(commands.empty());
        for (const unsigned command : commands) {
            // A click on the item first: the panes show it.
            Left().SelectCampaign(0);
            Left().GetTree()->setCurrentIndex(Item(kind, id));
            const SObservable before = Observe();
            if (const auto answer = answers.find(command); answer != answers.end())
                m_windows.QueueAnswers({answer->second});
            const bool enabled = Choose(kind, id, command);
            EXPECT_EQ(enabled, !greyed.contains(command)) << kind << " " << id << " " << command;
            if (enabled)
                EXPECT_FALSE(Observe() == before) << kind << " " << id << " " << command;
            else
                EXPECT_TRUE(Observe() == before) << kind << " " << id << " " << command;
        }
    };

    // Everything reconciled.
    check(TREE_KIND_CAMPAIGN, 0, {});
    check(TREE_KIND_WAVE, 2, {ID_WAVE_RECONCILE});
    check(TREE_KIND_VOLUME, 2, {ID_VOLUME_REMOVE});
    check(TREE_KIND_VOLUME, 3, {});

    // Autumn's volume unreconciled.
    m_windows.QueueAnswers({IDYES});
    ASSERT_TRUE(Choose(TREE_KIND_VOLUME, 4, ID_VOLUME_UNRECONCILE));
    check(TREE_KIND_CAMPAIGN, 0, {ID_WAVE_ADD, ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT});
    check(TREE_KIND_WAVE, 3,
          {ID_WAVE_APPLY_QUESTION_ORDER, ID_WAVE_SHOW_RECONCILIATION, ID_WAVE_SHOW_SUMMARY,
           ID_WAVE_REDO_RECONCILIATION, ID_WAVE_RECONCILE_UNMATCHED});
    check(TREE_KIND_VOLUME, 4, {ID_VOLUME_UNRECONCILE});

    // A wave without volumes, added above Spring.
    AnswerNewWave(QStringLiteral("Winter"));
    ASSERT_TRUE(Choose(TREE_KIND_WAVE, 1, ID_WAVE_ADD));
    const int winter = Campaign().GetWave(0)->GetWaveId();
    ASSERT_EQ(Campaign().GetWave(0)->GetVolumeCount(), 0);
    check(TREE_KIND_WAVE, winter,
          {ID_WAVE_APPLY_QUESTION_ORDER, ID_WAVE_RECONCILE, ID_WAVE_SHOW_RECONCILIATION,
           ID_WAVE_SHOW_SUMMARY, ID_WAVE_REDO_RECONCILIATION, ID_WAVE_RECONCILE_UNMATCHED});
}
