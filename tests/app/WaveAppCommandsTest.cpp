#include "app/WaveApp.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include "support/ScriptedWindowServices.h"
#include "support/TestCommands.h"

#include <QObject>
#include <Qt>
#include <gtest/gtest.h>

namespace {

class WaveAppCommands : public ::testing::Test
{
protected:
    // Executes a test command through the application, with a snapshot of the panes as they
    // are scripted now.
    bool Execute(const QString& name, bool setModified = true, bool failDo = false,
                 const GUID* group = nullptr)
    {
        auto command = std::make_unique<CTestCmd>(m_journal, name);
        command->FailDo = failDo;
        if (group)
            command->SetGroupId(*group);
        std::unique_ptr<CCmdVirtual> executed = std::move(command);
        return m_app.ExecuteCommand(executed, JournalCallBacks(m_journal), nullptr,
                                    m_app.CaptureViewState(), setModified);
    }

    CScriptedWindowServices m_windows;
    STestJournal m_journal;
    CWaveApp m_app;
};

TEST_F(WaveAppCommands, ASuccessfulCommandMarksTheCampaignModified)
{
    std::vector<bool> told;
    m_app.SetDocumentModifiedNotifier([&](bool modified) { told.push_back(modified); });
    ASSERT_TRUE(Execute("A"));
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_EQ(told, std::vector<bool>{true});
    EXPECT_EQ(m_journal.Delivered, QStringList{"after do A"});
    EXPECT_EQ(m_app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_EQ(m_windows.WaitCursorDepth, 0);
    EXPECT_GT(m_windows.WaitCursorCount, 0);
}

TEST_F(WaveAppCommands, AFailedCommandStaysWithItsIssuerAndChangesNothing)
{
    ASSERT_TRUE(Execute("A"));
    m_app.MarkSaved();
    auto command = std::make_unique<CTestCmd>(m_journal, "B");
    command->FailDo = true;
    command->Error = "no such wave";
    std::unique_ptr<CCmdVirtual> failed = std::move(command);
    EXPECT_FALSE(m_app.ExecuteCommand(failed, {}, nullptr, m_app.CaptureViewState(), true));
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->GetErrorText(), "no such wave");
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_EQ(m_app.GetCommandHistory().GetUndoCount(), 1);
    failed.reset();
    EXPECT_EQ(m_journal.LiveCommands, 1);
    EXPECT_EQ(m_journal.LiveRecords, 0);
}

TEST_F(WaveAppCommands, HistoryListenersHearEveryStepBeforeTheDocumentAndGoWithTheirOwner)
{
    QStringList heard;
    m_app.SetDocumentModifiedNotifier([&](bool) { heard << QStringLiteral("document"); });
    auto owner = std::make_unique<QObject>();
    m_app.AddHistoryListener(owner.get(), [&] { heard << QStringLiteral("listener"); });
    ASSERT_TRUE(Execute("A"));
    EXPECT_FALSE(Execute("B", true, true)) << "a failed command is no step";
    ASSERT_TRUE(m_app.Undo());
    ASSERT_TRUE(m_app.Redo());
    EXPECT_EQ(m_app.UpdateModifiedIfUndoable(), 1);
    const QString step = QStringLiteral("listener,document");
    EXPECT_EQ(heard.join(u','), QStringList({step, step, step, step}).join(u','));

    owner.reset();
    heard.clear();
    ASSERT_TRUE(Execute("C"));
    EXPECT_EQ(heard, QStringList({QStringLiteral("document")}));
}

TEST_F(WaveAppCommands, TheModifiedFlagIsLeftAloneWhenAsked)
{
    ASSERT_TRUE(Execute("A", false));
    EXPECT_FALSE(m_app.IsModified());
}

TEST_F(WaveAppCommands, ABatchRunNeverMarksTheCampaignModified)
{
    ASSERT_TRUE(m_app.GetCmdLineInfo().ParseCommandLine({"-SOURCE", "wave1.zoz"}));
    ASSERT_TRUE(m_app.IsBatchRun());
    bool told = false;
    m_app.SetDocumentModifiedNotifier([&](bool) { told = true; });
    ASSERT_TRUE(Execute("A"));
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_FALSE(told);
}

// The clean point follows the history entries, not the stack size.
struct SCleanPointCase
{
    const char* Name;
    std::vector<const char*> Script; // "x A" execute, "u" undo, "r" redo, "save", "drop"
    bool Modified;
};

void PrintTo(const SCleanPointCase& c, std::ostream* os)
{
    *os << c.Name;
}

const SCleanPointCase kCleanPointCases[] = {
    {"nothing done", {}, false},
    {"a command after the save", {"x A", "save", "x B"}, true},
    {"undo of the only entry after a save", {"x A", "save", "u"}, true},
    {"redo back to the save", {"x A", "save", "u", "r"}, false},
    {"undo back to the save", {"x A", "save", "x B", "u"}, false},
    {"undone past the save and redone short of it", {"x A", "x B", "save", "u", "u", "r"}, true},
    {"undone past the save and redone to it", {"x A", "x B", "save", "u", "u", "r", "r"}, false},
    {"undo and a new command after a save", {"x A", "save", "u", "x B"}, true},
    {"undo and a new command after a save at the second entry",
     {"x A", "x B", "save", "u", "x C"},
     true},
    {"saved before any command, undone back to it", {"save", "x A", "u"}, false},
    {"an entry dropped after the caller took it back", {"x A", "save", "x B", "drop"}, false},
};

class WaveAppCleanPoint : public WaveAppCommands,
                          public ::testing::WithParamInterface<SCleanPointCase>
{
};

TEST_P(WaveAppCleanPoint, ModifiedUnlessBackAtTheSavedState)
{
    for (const char* line : GetParam().Script) {
        const QString step = QString::fromUtf8(line);
        bool done = true;
        if (step.startsWith(QLatin1String("x ")))
            done = Execute(step.mid(2));
        else if (step == QLatin1String("u"))
            done = m_app.Undo();
        else if (step == QLatin1String("r"))
            done = m_app.Redo();
        else if (step == QLatin1String("save"))
            m_app.MarkSaved();
        else if (step == QLatin1String("drop"))
            done = m_app.UpdateModifiedIfUndoable() == 1;
        ASSERT_TRUE(done) << line;
    }
    EXPECT_EQ(m_app.IsModified(), GetParam().Modified);
}

INSTANTIATE_TEST_SUITE_P(Table, WaveAppCleanPoint, ::testing::ValuesIn(kCleanPointCases),
                         [](const ::testing::TestParamInfo<SCleanPointCase>& info) {
                             return std::to_string(info.index);
                         });

TEST_F(WaveAppCommands, UndoAndRedoFirstRestoreThePanesOfTheEntry)
{
    m_windows.CurrentView.Page = CViewState::PageReconciliation;
    m_windows.CurrentView.WaveId = 3;
    m_windows.CurrentView.QuestionId = 17;
    const CViewState atA = m_windows.CurrentView;
    ASSERT_TRUE(Execute("A"));
    m_windows.CurrentView = CViewState();
    std::unique_ptr<CCmdVirtual> withoutSnapshot = std::make_unique<CTestCmd>(m_journal, "B");
    ASSERT_TRUE(m_app.ExecuteCommand(withoutSnapshot, {}, nullptr, nullptr, true));

    // An entry without snapshot restores nothing.
    ASSERT_TRUE(m_app.Undo());
    EXPECT_TRUE(m_windows.Restored.empty());
    ASSERT_TRUE(m_app.Undo());
    ASSERT_EQ(m_windows.Restored.size(), 1u);
    EXPECT_EQ(m_windows.Restored.back(), atA);
    ASSERT_TRUE(m_app.Redo());
    ASSERT_EQ(m_windows.Restored.size(), 2u);
    EXPECT_EQ(m_windows.Restored.back(), atA);
    EXPECT_EQ(m_windows.WaitCursorDepth, 0);
}

TEST_F(WaveAppCommands, MenuEntriesAreNamedAfterTheStepOnTop)
{
    EXPECT_EQ(m_app.GetUndoMenuText(), LoadString(IDS_UNDO));
    EXPECT_EQ(m_app.GetRedoMenuText(), LoadString(IDS_REDO));
    EXPECT_FALSE(m_app.IsUndoEnabled());
    EXPECT_FALSE(m_app.IsRedoEnabled());

    ASSERT_TRUE(Execute("change wave"));
    EXPECT_EQ(m_app.GetUndoMenuText(), LoadString(IDS_UNDO) + " change wave");
    EXPECT_TRUE(m_app.IsUndoEnabled());

    // A grouped step is named after its first command that has a name: the place holder.
    GUID group;
    ASSERT_TRUE(CreateGuid(group));
    ASSERT_TRUE(Execute("new volume", true, false, &group));
    ASSERT_TRUE(Execute("", true, false, &group));
    EXPECT_EQ(m_app.GetUndoMenuText(), LoadString(IDS_UNDO) + " new volume");
    ASSERT_TRUE(m_app.Undo());
    EXPECT_EQ(m_app.GetRedoMenuText(), LoadString(IDS_REDO) + " new volume");
    EXPECT_EQ(m_app.GetUndoMenuText(), LoadString(IDS_UNDO) + " change wave");

    m_app.BeginModalState();
    EXPECT_FALSE(m_app.IsUndoEnabled());
    EXPECT_FALSE(m_app.IsRedoEnabled());
    m_app.OnEditUndo();
    m_app.OnEditRedo();
    EXPECT_EQ(m_journal.Applied, QStringList{"change wave"});
    m_app.EndModalState();
    m_app.OnEditRedo();
    EXPECT_EQ(m_journal.Applied, QStringList({"change wave", "new volume", ""}));
}

struct SKeyCase
{
    const char* Name;
    int Key;
    bool CtrlHeld;
    bool Modal;
    bool Taken;
    const char* Applied; // after the key, starting from "A B" with B undone
};

void PrintTo(const SKeyCase& c, std::ostream* os)
{
    *os << c.Name;
}

const SKeyCase kKeyCases[] = {
    {"Ctrl+Z undoes", Qt::Key_Z, true, false, true, ""},
    {"Ctrl+Y redoes", Qt::Key_Y, true, false, true, "A B"},
    {"Z without Ctrl held passes on", Qt::Key_Z, false, false, false, "A"},
    {"Y without Ctrl held passes on", Qt::Key_Y, false, false, false, "A"},
    {"Ctrl+Z in a modal dialog is swallowed", Qt::Key_Z, true, true, true, "A"},
    {"Ctrl+Y in a modal dialog is swallowed", Qt::Key_Y, true, true, true, "A"},
    {"other keys pass on", Qt::Key_X, true, false, false, "A"},
};

class WaveAppHistoryKeys : public WaveAppCommands, public ::testing::WithParamInterface<SKeyCase>
{
};

TEST_P(WaveAppHistoryKeys, ActOnlyWhileCtrlIsHeld)
{
    const SKeyCase& c = GetParam();
    ASSERT_TRUE(Execute("A"));
    ASSERT_TRUE(Execute("B"));
    ASSERT_TRUE(m_app.Undo());
    if (c.Modal)
        m_app.BeginModalState();
    EXPECT_EQ(m_app.PreTranslateHistoryKey(c.Key, c.CtrlHeld), c.Taken);
    EXPECT_EQ(m_journal.Applied.join(QLatin1Char(' ')), QString::fromUtf8(c.Applied));
}

INSTANTIATE_TEST_SUITE_P(Table, WaveAppHistoryKeys, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<SKeyCase>& info) {
                             return std::to_string(info.index);
                         });

TEST_F(WaveAppCommands, HistoryKeysWithNothingToDoAreSwallowed)
{
    EXPECT_TRUE(m_app.PreTranslateHistoryKey(Qt::Key_Z, true));
    EXPECT_TRUE(m_app.PreTranslateHistoryKey(Qt::Key_Y, true));
    EXPECT_TRUE(m_journal.Steps.isEmpty());
}

} // namespace
