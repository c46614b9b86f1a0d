#pragma once

#include "commands/HistoryItem.h"

#include <memory>
#include <vector>

// Runs an ordered list of sub-commands as one command: one history entry, one display name,
// one change record of its own, and all or nothing: when a sub-command fails, the ones already
// run are taken back and the composite fails with the sub-command's name and error text. The
// sub-commands' own callbacks see every sub-step as it happens; the composite's callbacks (given
// to the history with it) see its record once per step.
class CMetaCmd : public CCmdVirtual
{
public:
    explicit CMetaCmd(unsigned nameId);
    ~CMetaCmd() override;

    // Appends a sub-command, which the composite owns from then on. Sub-commands are added
    // before the composite is executed and never afterwards.
    void AddCmd(std::unique_ptr<CCmdVirtual> command, CCmdCallBacks callBacks = {},
                CCmdPreCallBacks preCallBacks = {}, std::unique_ptr<CViewState> snapshot = {});

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    // True only when every sub-command can be undone (redone).
    bool CanUndo() const override { return m_canUndo; }
    bool CanRedo() const override { return m_canRedo; }
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    int GetCmdCount() const { return static_cast<int>(m_items.size()); }
    const CCmdVirtual* GetCmd(int index) const { return m_items[index]->Command.get(); }

private:
    // Runs Do (Redo) on the sub-commands from first to last, delivering their records; on a
    // failure takes back those already run. In a Redo a sub-command that cannot be redone
    // counts as a failure.
    bool RunForward(bool (CCmdVirtual::*step)(std::unique_ptr<CCallBackInfo>&),
                    CCmdCallBack CCmdCallBacks::*afterStep, bool redo,
                    std::unique_ptr<CCallBackInfo>& record);
    // Stores "'name': "error"" of the sub-command at the index as the composite's error text.
    void SetFailure(int index);
    // Undoes the sub-commands from the index down to the first, those that can be undone,
    // passing over any that fails.
    void UndoDownFrom(int index);
    // Redoes the sub-commands from the index up to the last, those that can be redone.
    void RedoUpFrom(int index);

    bool m_canUndo = true;
    bool m_canRedo = true;
    unsigned m_nameId;
    std::vector<std::unique_ptr<CHistoryItem>> m_items;
};
