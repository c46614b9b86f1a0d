#include "CommandTestSupport.h"

bool CCommandTest::Execute(std::unique_ptr<CCmdVirtual> command, CCmdCallBacks callBacks)
{
    return m_history.Execute(command, std::move(callBacks));
}

::testing::AssertionResult CCommandTest::ExecuteAndCycle(std::unique_ptr<CCmdVirtual> command,
                                                         int cycles)
{
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> held = std::move(command);
    if (!m_history.Execute(held, {}))
        return ::testing::AssertionFailure() << "Do failed: " << held->GetErrorText().toStdString();
    return CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), cycles);
}

::testing::AssertionResult CycleUndoRedo(CommandHistory& history,
                                         const std::function<QString()>& dump,
                                         const QString& before, const QString& after, int cycles)
{
    for (int i = 0; i < cycles; ++i) {
        if (!history.Undo())
            return ::testing::AssertionFailure() << "Undo " << i + 1 << " failed";
        if (auto same = SameDump(dump(), before); !same)
            return ::testing::AssertionFailure() << "after Undo " << i + 1 << ":" << same.message();
        if (!history.Redo())
            return ::testing::AssertionFailure() << "Redo " << i + 1 << " failed";
        if (auto same = SameDump(dump(), after); !same)
            return ::testing::AssertionFailure() << "after Redo " << i + 1 << ":" << same.message();
    }
    return ::testing::AssertionSuccess();
}
