#pragma once

#include "commands/HistoryItem.h"

#include <cstdint>
#include <memory>
#include <vector>

// The undo and redo stacks of the open campaign. Runs Do, Undo and Redo on the executed
// commands, hands each step's change record to the issuer's callbacks, and treats consecutive
// commands that share a non-zero group id as one step: one Undo takes the whole group back
// (newest first), one Redo puts it back (oldest first), and a failure inside a group rolls the
// group back so that both stacks end as before the call.
class CommandHistory
{
public:
    CommandHistory() = default;
    ~CommandHistory();

    CommandHistory(const CommandHistory&) = delete;
    CommandHistory& operator=(const CommandHistory&) = delete;

    // Runs the command's Do. On success the history owns the command (the pointer is released)
    // with its callbacks and snapshot, the after-Do callback receives the record, and the redo
    // stack is emptied. On failure nothing is recorded and the command stays with the caller.
    bool Execute(std::unique_ptr<CCmdVirtual>& command, CCmdCallBacks callBacks,
                 CCmdPreCallBacks preCallBacks = {}, std::unique_ptr<CViewState> snapshot = {});

    // Undoes (redoes) the top step. False when the stack is empty, when a command of the step
    // cannot be undone (redone), or when a step fails; a failed step is rolled back.
    bool Undo();
    bool Redo();

    // Whether the top step may be undone (redone): the stack is not empty, every command of the
    // step can be undone (redone), and no barrier lies on top of the other stack.
    bool CanUndo() const;
    bool CanRedo() const;

    // The top entry's command and snapshot; null when the stack is empty (or has no snapshot).
    CCmdVirtual* GetUndoTopCommand() const;
    CCmdVirtual* GetRedoTopCommand() const;
    CViewState* GetUndoTopSnapshot() const;
    CViewState* GetRedoTopSnapshot() const;

    // The display name of the top step: the name of its first command, in the order they were
    // executed, that has one (a grouped step usually starts with a place holder that carries
    // the step's name). Empty when the stack is empty or no command of the step has a name.
    QString GetUndoStepName() const;
    QString GetRedoStepName() const;

    // Identity of the newest done entry, 0 when nothing is done. It identifies the state of the
    // campaign as far as the history knows it: equal identities mean the same commands are done.
    uint64_t GetUndoTopSerial() const;

    int GetUndoCount() const { return static_cast<int>(m_undoStack.size()); }
    int GetRedoCount() const { return static_cast<int>(m_redoStack.size()); }

    // Deletes every entry with its command: the undo stack, then the redo stack.
    void Clear();

    // Drops the newest done entry with its command, without undoing it. False when there is
    // none.
    bool DeleteTopItem();

    // Takes back the top step for good, for an issuer that cannot complete it: its commands are
    // undone with their callbacks as by Undo, a whole group or nothing, and dropped; the redo
    // stack, made on top of it, is emptied. False, changing nothing, when there is none, when a
    // command of it cannot be undone or when an Undo fails (the group is then rolled back).
    bool TakeBackTopItem();

private:
    using Stack = std::vector<std::unique_ptr<CHistoryItem>>;

    // What Undo and Redo do, as the mirror images they are.
    struct SDirection
    {
        bool (CCmdVirtual::*Step)(std::unique_ptr<CCallBackInfo>&);
        bool (CCmdVirtual::*StepBack)(std::unique_ptr<CCallBackInfo>&);
        bool (CCmdVirtual::*CanStep)() const;
        std::unique_ptr<CCallBackInfo> (CCmdVirtual::*BeforeRecord)() const;
        CCmdCallBack CCmdPreCallBacks::*Before;
        CCmdCallBack CCmdCallBacks::*AfterStep;
        CCmdCallBack CCmdCallBacks::*AfterStepBack;
    };

    static const SDirection kUndo;
    static const SDirection kRedo;

    // Steps the top step of one stack onto the other, or rolls it back on a failure.
    static bool RunTopStep(Stack& from, Stack& to, const SDirection& direction);
    // Whether the stack has a top step whose every command can take the step.
    static bool CanRunTopStep(const Stack& stack, bool (CCmdVirtual::*canStep)() const);
    // Number of entries at the top of the stack that form one step.
    static int TopStepSize(const Stack& stack);
    static bool TopStepHasBarrier(const Stack& stack);
    static void ClearStack(Stack& stack);

    Stack m_undoStack; // oldest first, top = last
    Stack m_redoStack; // top = the most recently undone entry
    uint64_t m_lastSerial = 0;
};
