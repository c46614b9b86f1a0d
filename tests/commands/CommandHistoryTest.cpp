#include "commands/CommandHistory.h"

#include "support/ScriptedWindowServices.h"
#include "support/TestCommands.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// Runs a history through a small script, one action a line:
//   "x A [g1|g2] [barrier] [noundo] [noredo] [faildo]"  execute a new command A
//   "u" / "r"                                          Undo / Redo
//   "failundo A" / "failredo A"                         make A's later steps fail
//   "clear" / "droptop"                                Clear / DeleteTopItem
//   "takeback"                                         TakeBackTopItem
class CHistoryScript
{
public:
    bool Run(const QString& line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString& verb = words.at(0);
        if (verb == QLatin1String("x"))
            return Execute(words);
        if (verb == QLatin1String("u"))
            return History.Undo();
        if (verb == QLatin1String("r"))
            return History.Redo();
        if (verb == QLatin1String("failundo"))
            return (m_commands.at(words.at(1))->FailUndo = true);
        if (verb == QLatin1String("failredo"))
            return (m_commands.at(words.at(1))->FailRedo = true);
        if (verb == QLatin1String("clear")) {
            History.Clear();
            return true;
        }
        if (verb == QLatin1String("droptop"))
            return History.DeleteTopItem();
        if (verb == QLatin1String("takeback"))
            return History.TakeBackTopItem();
        ADD_FAILURE() << "unknown script line " << line.toStdString();
        return false;
    }

    CScriptedWindowServices Windows;
    STestJournal Journal;
    CommandHistory History;

private:
    bool Execute(const QStringList& words)
    {
        auto command = std::make_unique<CTestCmd>(Journal, words.at(1));
        for (const QString& option : words.mid(2)) {
            if (option.startsWith(QLatin1Char('g')))
                command->SetGroupId(Group(option));
            else if (option == QLatin1String("barrier"))
                command->SetHistoryBarrier(true);
            else if (option == QLatin1String("noundo"))
                command->Undoable = false;
            else if (option == QLatin1String("noredo"))
                command->Redoable = false;
            else if (option == QLatin1String("faildo"))
                command->FailDo = true;
        }
        m_commands[words.at(1)] = command.get();
        std::unique_ptr<CCmdVirtual> executed = std::move(command);
        const bool done = History.Execute(executed, JournalCallBacks(Journal));
        // A failed command stays with its issuer; a recorded one belongs to the history.
        EXPECT_EQ(done, executed == nullptr);
        if (!done)
            m_commands.erase(words.at(1));
        return done;
    }

    GUID Group(const QString& name)
    {
        auto it = m_groups.find(name);
        if (it == m_groups.end()) {
            GUID guid;
            EXPECT_TRUE(CreateGuid(guid));
            it = m_groups.emplace(name, guid).first;
        }
        return it->second;
    }

    std::map<QString, CTestCmd*> m_commands;
    std::map<QString, GUID> m_groups;
};

struct SHistoryCase
{
    const char* Name;
    std::vector<const char*> Setup; // run first
    const char* Action;             // the line whose effect is checked
    bool Result;
    const char* Steps;   // the commands' steps during the action, joined by ", "
    const char* Applied; // the changes in the model afterwards, oldest first
    int UndoCount;
    int RedoCount;
    bool CanUndo;
    bool CanRedo;
};

const SHistoryCase kHistoryCases[] = {
    {"undo on an empty history", {}, "u", false, "", "", 0, 0, false, false},
    {"redo on an empty history", {}, "r", false, "", "", 0, 0, false, false},
    {"redo with nothing undone", {"x A"}, "r", false, "", "A", 1, 0, true, false},
    {"execute records the command", {}, "x A", true, "do A", "A", 1, 0, true, false},
    {"a failed execute records nothing and keeps the redo stack",
     {"x A", "x B", "u"},
     "x C faildo",
     false,
     "fail do C",
     "A",
     1,
     1,
     true,
     true},
    {"executing after an undo drops the redo stack",
     {"x A", "x B", "u"},
     "x C",
     true,
     "do C",
     "A C",
     2,
     0,
     true,
     false},
    {"ungrouped commands are undone one per call",
     {"x A", "x B"},
     "u",
     true,
     "undo B",
     "A",
     1,
     1,
     true,
     true},
    {"a group is undone as one step, newest first",
     {"x A", "x B g1", "x C g1", "x D g1"},
     "u",
     true,
     "undo D, undo C, undo B",
     "A",
     1,
     3,
     true,
     true},
    {"a group is redone as one step, oldest first",
     {"x A", "x B g1", "x C g1", "x D g1", "u"},
     "r",
     true,
     "redo B, redo C, redo D",
     "A B C D",
     4,
     0,
     true,
     false},
    {"two consecutive groups are undone one per call",
     {"x A g1", "x B g1", "x C g2", "x D g2"},
     "u",
     true,
     "undo D, undo C",
     "A B",
     2,
     2,
     true,
     true},
    {"a group ends at an ungrouped command",
     {"x A g1", "x B", "x C g1"},
     "u",
     true,
     "undo C",
     "A B",
     2,
     1,
     true,
     true},
    {"a failure inside a group undo rolls the group back",
     {"x A", "x B g1", "x C g1", "x D g1", "failundo C"},
     "u",
     false,
     "undo D, fail undo C, redo D",
     "A B C D",
     4,
     0,
     true,
     false},
    {"a failure of the first undo of a step touches nothing else",
     {"x A", "x B", "x C", "u", "failundo B"},
     "u",
     false,
     "fail undo B",
     "A B",
     2,
     1,
     true,
     true},
    {"a failure inside a group redo rolls the group back",
     {"x A", "x B g1", "x C g1", "x D g1", "u", "failredo C"},
     "r",
     false,
     "redo B, fail redo C, undo B",
     "A",
     1,
     3,
     true,
     true},
    {"an undone barrier blocks undo of older steps",
     {"x A", "x B barrier"},
     "u",
     true,
     "undo B",
     "A",
     1,
     1,
     false,
     true},
    {"a redone barrier lets undo follow the undo top again",
     {"x A", "x B barrier", "u"},
     "r",
     true,
     "redo B",
     "A B",
     2,
     0,
     true,
     false},
    {"a done barrier blocks redo of newer steps",
     {"x A", "x B barrier", "x C"},
     "u",
     true,
     "undo C",
     "A B",
     2,
     1,
     true,
     false},
    {"a barrier anywhere in an undone group blocks undo of older steps",
     {"x A", "x B g1", "x C g1 barrier"},
     "u",
     true,
     "undo C, undo B",
     "A",
     1,
     2,
     false,
     true},
    {"a command that cannot be undone blocks undo",
     {"x A"},
     "x B noundo",
     true,
     "do B",
     "A B",
     2,
     0,
     false,
     false},
    {"undo refuses a step with a command that cannot be undone",
     {"x A", "x B noundo"},
     "u",
     false,
     "",
     "A B",
     2,
     0,
     false,
     false},
    {"a group with a command that cannot be undone is not undone at all",
     {"x A g1 noundo", "x B g1"},
     "u",
     false,
     "",
     "A B",
     2,
     0,
     false,
     false},
    {"a command that cannot be redone blocks redo",
     {"x A noredo"},
     "u",
     true,
     "undo A",
     "",
     0,
     1,
     false,
     false},
    {"clear empties both stacks", {"x A", "x B", "u"}, "clear", true, "", "A", 0, 0, false, false},
    {"dropping the top entry does not undo it",
     {"x A", "x B"},
     "droptop",
     true,
     "",
     "A B",
     1,
     0,
     true,
     false},
    {"dropping from an empty history fails", {}, "droptop", false, "", "", 0, 0, false, false},
    {"taking back the top entry undoes it and leaves nothing to redo",
     {"x A", "x B"},
     "takeback",
     true,
     "undo B",
     "A",
     1,
     0,
     true,
     false},
    {"taking back a group takes back all of it, newest first",
     {"x A", "x B g1", "x C g1"},
     "takeback",
     true,
     "undo C, undo B",
     "A",
     1,
     0,
     true,
     false},
    {"a group whose take-back fails inside is put back whole and kept",
     {"x A", "x B g1", "x C g1", "x D g1", "x E", "u", "failundo C"},
     "takeback",
     false,
     "undo D, fail undo C, redo D",
     "A B C D",
     4,
     1,
     true,
     true},
    {"a group with a command that cannot be undone is not taken back at all",
     {"x A g1 noundo", "x B g1"},
     "takeback",
     false,
     "",
     "A B",
     2,
     0,
     false,
     false},
    {"taking back drops the steps undone after it, which were made on top of it",
     {"x A", "x B", "x C", "u"},
     "takeback",
     true,
     "undo B",
     "A",
     1,
     0,
     true,
     false},
    {"a take-back that fails keeps the entry",
     {"x A", "x B", "failundo B"},
     "takeback",
     false,
     "fail undo B",
     "A B",
     2,
     0,
     true,
     false},
    {"an entry that cannot be undone is not taken back",
     {"x A noundo"},
     "takeback",
     false,
     "",
     "A",
     1,
     0,
     false,
     false},
    {"taking back from an empty history fails", {}, "takeback", false, "", "", 0, 0, false, false},
};

void PrintTo(const SHistoryCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandHistoryCases : public ::testing::TestWithParam<SHistoryCase>
{
};

TEST_P(CommandHistoryCases, ActsAsOneStepPerGroup)
{
    const SHistoryCase& c = GetParam();
    auto script = std::make_unique<CHistoryScript>();
    for (const char* line : c.Setup)
        script->Run(QString::fromUtf8(line));
    script->Journal.Steps.clear();

    EXPECT_EQ(script->Run(QString::fromUtf8(c.Action)), c.Result);
    EXPECT_EQ(script->Journal.Steps.join(QStringLiteral(", ")), QString::fromUtf8(c.Steps));
    EXPECT_EQ(script->Journal.Applied.join(QLatin1Char(' ')), QString::fromUtf8(c.Applied));
    EXPECT_EQ(script->History.GetUndoCount(), c.UndoCount);
    EXPECT_EQ(script->History.GetRedoCount(), c.RedoCount);
    EXPECT_EQ(script->History.CanUndo(), c.CanUndo);
    EXPECT_EQ(script->History.CanRedo(), c.CanRedo);
    EXPECT_EQ(script->Windows.WaitCursorDepth, 0);

    // Nothing leaks: only the commands kept by the history are alive, and every record that a
    // step made has been delivered and deleted.
    EXPECT_EQ(script->Journal.LiveCommands, c.UndoCount + c.RedoCount);
    EXPECT_EQ(script->Journal.LiveRecords, 0);
    STestJournal& journal = script->Journal;
    script->History.Clear();
    EXPECT_EQ(journal.LiveCommands, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandHistoryCases, ::testing::ValuesIn(kHistoryCases),
                         [](const ::testing::TestParamInfo<SHistoryCase>& info) {
                             return std::to_string(info.index);
                         });

TEST(CommandHistory, CallbacksReceiveTheRecordOfEachStepInOrder)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    GUID group;
    ASSERT_TRUE(CreateGuid(group));
    for (const char* name : {"A", "B"}) {
        std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(journal, name);
        command->SetGroupId(group);
        ASSERT_TRUE(
            history.Execute(command, JournalCallBacks(journal), JournalPreCallBacks(journal)));
    }
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(history.Redo());

    EXPECT_EQ(journal.Delivered,
              QStringList({"after do A", "after do B", "before undo B", "after undo B",
                           "before undo A", "after undo A", "before redo A", "after redo A",
                           "before redo B", "after redo B"}));
    EXPECT_EQ(journal.LiveRecords, 0);
}

TEST(CommandHistory, ATakenBackEntryHasItsUndoCallbacksAndIsGone)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    for (const char* name : {"A", "B"}) {
        std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(journal, name);
        ASSERT_TRUE(
            history.Execute(command, JournalCallBacks(journal), JournalPreCallBacks(journal)));
    }
    ASSERT_TRUE(history.TakeBackTopItem());

    EXPECT_EQ(journal.Delivered,
              QStringList({"after do A", "after do B", "before undo B", "after undo B"}));
    EXPECT_EQ(journal.LiveRecords, 0);
    EXPECT_EQ(journal.LiveCommands, 1);
    EXPECT_EQ(history.GetUndoStepName(), QStringLiteral("A"));
    EXPECT_FALSE(history.CanRedo());
}

TEST(CommandHistory, RecordsWithoutCallbackAreDeleted)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    {
        CommandHistory history;
        std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(journal, "A");
        ASSERT_TRUE(history.Execute(command, {}));
        ASSERT_TRUE(history.Undo());
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(journal.LiveRecords, 0);
        EXPECT_EQ(journal.LiveCommands, 1);
    }
    // The history's destructor deletes what it holds.
    EXPECT_EQ(journal.LiveCommands, 0);
}

TEST(CommandHistory, KeepsTheSnapshotOfEachEntry)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    auto snapshot = std::make_unique<CViewState>();
    snapshot->WaveId = 3;
    snapshot->QuestionId = 17;
    std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(journal, "A");
    ASSERT_TRUE(history.Execute(command, {}, {}, std::move(snapshot)));
    std::unique_ptr<CCmdVirtual> second = std::make_unique<CTestCmd>(journal, "B");
    ASSERT_TRUE(history.Execute(second, {}));

    EXPECT_EQ(history.GetUndoTopSnapshot(), nullptr);
    EXPECT_EQ(history.GetUndoTopCommand()->GetName(), "B");
    ASSERT_TRUE(history.Undo());
    ASSERT_NE(history.GetUndoTopSnapshot(), nullptr);
    EXPECT_EQ(history.GetUndoTopSnapshot()->QuestionId, 17);
    EXPECT_EQ(history.GetRedoTopCommand()->GetName(), "B");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.GetRedoTopSnapshot()->WaveId, 3);
    EXPECT_EQ(history.GetUndoTopSnapshot(), nullptr);
    EXPECT_EQ(history.GetUndoTopCommand(), nullptr);
}

TEST(CommandHistory, EntryIdentitiesAreNeverReused)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    EXPECT_EQ(history.GetUndoTopSerial(), 0u);
    std::unique_ptr<CCmdVirtual> a = std::make_unique<CTestCmd>(journal, "A");
    ASSERT_TRUE(history.Execute(a, {}));
    const uint64_t afterA = history.GetUndoTopSerial();
    std::unique_ptr<CCmdVirtual> b = std::make_unique<CTestCmd>(journal, "B");
    ASSERT_TRUE(history.Execute(b, {}));
    const uint64_t afterB = history.GetUndoTopSerial();
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.GetUndoTopSerial(), afterA);

    // B is dropped from the redo stack; its replacement is another entry, even where the
    // allocator hands out the same memory again.
    std::unique_ptr<CCmdVirtual> c = std::make_unique<CTestCmd>(journal, "C");
    ASSERT_TRUE(history.Execute(c, {}));
    EXPECT_NE(history.GetUndoTopSerial(), afterB);
    EXPECT_NE(history.GetUndoTopSerial(), afterA);
}

} // namespace
