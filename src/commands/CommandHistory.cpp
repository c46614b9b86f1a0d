#include "commands/CommandHistory.h"

#include "platform/WindowServices.h"

#include <utility>

namespace {

// Moves the top entry of one stack onto the other and returns it (still owned by the stacks).
CHistoryItem* MoveTop(std::vector<std::unique_ptr<CHistoryItem>>& from,
                      std::vector<std::unique_ptr<CHistoryItem>>& to)
{
    to.push_back(std::move(from.back()));
    from.pop_back();
    return to.back().get();
}

} // namespace

CommandHistory::~CommandHistory()
{
    Clear();
}

bool CommandHistory::Execute(std::unique_ptr<CCmdVirtual>& command, CCmdCallBacks callBacks,
                             CCmdPreCallBacks preCallBacks, std::unique_ptr<CViewState> snapshot)
{
    CWaitCursor wait;
    if (!command)
        return false;

    std::unique_ptr<CCallBackInfo> record;
    if (!command->Do(record))
        return false;

    auto item = std::unique_ptr<CHistoryItem>(
        new CHistoryItem{std::move(command), std::move(callBacks), std::move(preCallBacks),
                         std::move(snapshot), ++m_lastSerial});
    CHistoryItem* entry = item.get();
    m_undoStack.push_back(std::move(item));

    DeliverCallBackInfo(entry->CallBacks.AfterDo, std::move(record));
    ClearStack(m_redoStack);
    return true;
}

const CommandHistory::SDirection CommandHistory::kUndo{&CCmdVirtual::Undo,
                                                       &CCmdVirtual::Redo,
                                                       &CCmdVirtual::CanUndo,
                                                       &CCmdVirtual::GetCallBackInfo,
                                                       &CCmdPreCallBacks::BeforeUndo,
                                                       &CCmdCallBacks::AfterUndo,
                                                       &CCmdCallBacks::AfterRedo};

const CommandHistory::SDirection CommandHistory::kRedo{&CCmdVirtual::Redo,
                                                       &CCmdVirtual::Undo,
                                                       &CCmdVirtual::CanRedo,
                                                       &CCmdVirtual::GetCallBackInfoAgain,
                                                       &CCmdPreCallBacks::BeforeRedo,
                                                       &CCmdCallBacks::AfterRedo,
                                                       &CCmdCallBacks::AfterUndo};

bool CommandHistory::Undo()
{
    return RunTopStep(m_undoStack, m_redoStack, kUndo);
}

bool CommandHistory::Redo()
{
    return RunTopStep(m_redoStack, m_undoStack, kRedo);
}

bool CommandHistory::RunTopStep(Stack& from, Stack& to, const SDirection& direction)
{
    CWaitCursor wait;
    const int stepSize = TopStepSize(from);
    if (stepSize == 0 || !CanRunTopStep(from, direction.CanStep))
        return false;

    for (int moved = 0; moved < stepSize && !from.empty(); ++moved) {
        CHistoryItem* item = from.back().get();
        if (const CCmdCallBack& before = item->PreCallBacks.*direction.Before) {
            if (std::unique_ptr<CCallBackInfo> record =
                    ((*item->Command).*direction.BeforeRecord)())
                before(std::move(record));
        }
        std::unique_ptr<CCallBackInfo> record;
        if (!((*item->Command).*direction.Step)(record)) {
            // The failing entry stays where it is; the entries of the step moved so far are
            // stepped back, the last moved first, so that the step is either wholly done or
            // wholly undone.
            record.reset();
            for (int i = 0; i < moved; ++i) {
                CHistoryItem* back = to.back().get();
                std::unique_ptr<CCallBackInfo> backRecord;
                if (!((*back->Command).*direction.StepBack)(backRecord))
                    break;
                MoveTop(to, from);
                DeliverCallBackInfo(back->CallBacks.*direction.AfterStepBack,
                                    std::move(backRecord));
            }
            return false;
        }
        MoveTop(from, to);
        DeliverCallBackInfo(item->CallBacks.*direction.AfterStep, std::move(record));
    }
    return true;
}

bool CommandHistory::CanUndo() const
{
    return !TopStepHasBarrier(m_redoStack) && CanRunTopStep(m_undoStack, &CCmdVirtual::CanUndo);
}

bool CommandHistory::CanRedo() const
{
    return !TopStepHasBarrier(m_undoStack) && CanRunTopStep(m_redoStack, &CCmdVirtual::CanRedo);
}

CCmdVirtual* CommandHistory::GetUndoTopCommand() const
{
    return m_undoStack.empty() ? nullptr : m_undoStack.back()->Command.get();
}

CCmdVirtual* CommandHistory::GetRedoTopCommand() const
{
    return m_redoStack.empty() ? nullptr : m_redoStack.back()->Command.get();
}

CViewState* CommandHistory::GetUndoTopSnapshot() const
{
    return m_undoStack.empty() ? nullptr : m_undoStack.back()->Snapshot.get();
}

CViewState* CommandHistory::GetRedoTopSnapshot() const
{
    return m_redoStack.empty() ? nullptr : m_redoStack.back()->Snapshot.get();
}

QString CommandHistory::GetUndoStepName() const
{
    // The undo stack holds the step oldest first.
    const int stepSize = TopStepSize(m_undoStack);
    for (int i = static_cast<int>(m_undoStack.size()) - stepSize; i < GetUndoCount(); ++i) {
        const QString name = m_undoStack[i]->Command->GetName();
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

QString CommandHistory::GetRedoStepName() const
{
    // The redo stack holds the step newest first: its top was executed first.
    const int stepSize = TopStepSize(m_redoStack);
    for (int i = 0; i < stepSize; ++i) {
        const QString name = m_redoStack[m_redoStack.size() - 1 - i]->Command->GetName();
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

uint64_t CommandHistory::GetUndoTopSerial() const
{
    return m_undoStack.empty() ? 0 : m_undoStack.back()->Serial;
}

void CommandHistory::Clear()
{
    ClearStack(m_undoStack);
    ClearStack(m_redoStack);
}

bool CommandHistory::DeleteTopItem()
{
    if (m_undoStack.empty())
        return false;
    m_undoStack.pop_back();
    return true;
}

bool CommandHistory::TakeBackTopItem()
{
    CWaitCursor wait;
    // The steps undone after it were made on top of it: they go with it. They are set aside
    // while it is undone, so that its callbacks see the history as it is left, and come back
    // when the step cannot be taken back.
    Stack redone = std::move(m_redoStack);
    m_redoStack.clear();
    Stack takenBack;
    if (!RunTopStep(m_undoStack, takenBack, kUndo)) {
        m_redoStack = std::move(redone);
        return false;
    }
    ClearStack(redone);
    ClearStack(takenBack);
    return true;
}

int CommandHistory::TopStepSize(const Stack& stack)
{
    if (stack.empty())
        return 0;
    const CCmdVirtual& top = *stack.back()->Command;
    if (!top.IsGrouped())
        return 1;
    int size = 1;
    while (size < static_cast<int>(stack.size()) &&
           stack[stack.size() - 1 - size]->Command->GetGroupId() == top.GetGroupId())
        ++size;
    return size;
}

bool CommandHistory::CanRunTopStep(const Stack& stack, bool (CCmdVirtual::*canStep)() const)
{
    const int stepSize = TopStepSize(stack);
    if (stepSize == 0)
        return false;
    for (int i = 0; i < stepSize; ++i) {
        if (!((*stack[stack.size() - 1 - i]->Command).*canStep)())
            return false;
    }
    return true;
}

bool CommandHistory::TopStepHasBarrier(const Stack& stack)
{
    const int stepSize = TopStepSize(stack);
    for (int i = 0; i < stepSize; ++i) {
        if (stack[stack.size() - 1 - i]->Command->IsHistoryBarrier())
            return true;
    }
    return false;
}

void CommandHistory::ClearStack(Stack& stack)
{
    // Taken out first, so that a command's destructor never sees a half-emptied stack.
    Stack items = std::move(stack);
    stack.clear();
    items.clear();
}
