#pragma once

#include "commands/CallBackInfo.h"
#include "model/Guid.h"

#include <QString>
#include <memory>

// Who owns what, at every moment:
// - A command belongs to its issuer until its first Do succeeds; from then on to its history
//   entry, or to the composite that holds it (which the history owns). A command whose first Do
//   fails stays with its issuer (the std::unique_ptr handed in keeps it), which frees it.
// - A model object that a command takes out of the campaign belongs to that command while it
//   is out; putting it back gives it to the campaign again. The command's destructor frees
//   exactly the objects that are out of the model in its current state.
// - A change record belongs to the callback that receives it; the history or composite that
//   has no callback for that phase deletes it at once, and a record left by a failed step is
//   deleted by the caller of the step.
// - The callbacks and the view-state snapshot handed with a command belong to its history
//   entry from the successful Do on.

namespace pelko_wave {
class CCampaign;
}

// Base of every undoable change of the campaign. The issuer builds the command with everything
// it needs; the history (or a composite) then runs Do once and Undo and Redo alternately. After
// every successful step the command hands back one change record naming what changed.
class CCmdVirtual
{
public:
    explicit CCmdVirtual(pelko_wave::CCampaign* campaign = nullptr) : m_pCampaign(campaign) {}
    virtual ~CCmdVirtual() = default;

    CCmdVirtual(const CCmdVirtual&) = delete;
    CCmdVirtual& operator=(const CCmdVirtual&) = delete;

    // Each step receives a null record; on success it fills it from CreateCallBackInfo and
    // returns true. On failure it returns false, leaves the model as it was before the call and
    // may leave a text in the error text.
    virtual bool Do(std::unique_ptr<CCallBackInfo>& record) = 0;
    virtual bool Undo(std::unique_ptr<CCallBackInfo>& record) = 0;
    virtual bool Redo(std::unique_ptr<CCallBackInfo>& record) = 0;

    // Records handed to the issuer just before an Undo and just before a Redo.
    virtual std::unique_ptr<CCallBackInfo> GetCallBackInfo() const { return CreateCallBackInfo(); }
    virtual std::unique_ptr<CCallBackInfo> GetCallBackInfoAgain() const
    {
        return CreateCallBackInfo();
    }

    // False for a command that cannot be taken back (or repeated); the history and the
    // composites then never call its Undo (or Redo).
    virtual bool CanUndo() const { return true; }
    virtual bool CanRedo() const { return true; }

    // The display name, from the string table; empty for a command without one.
    virtual QString GetName() const { return QString(); }

    // A new record of the command's own kind, filled from its fields.
    virtual std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const = 0;

    // A barrier blocks Undo of everything older while it is undone, and Redo of everything
    // newer while it is done.
    void SetHistoryBarrier(bool barrier) { m_historyBarrier = barrier; }
    bool IsHistoryBarrier() const { return m_historyBarrier; }

    // The text of the last failure, or "no error information available" when there is none.
    QString GetErrorText() const;

    // Commands with one non-zero group id, executed one after the other, are undone and redone
    // together. All zero (the default) means no group.
    const GUID& GetGroupId() const { return m_groupId; }
    void SetGroupId(const GUID& groupId) { m_groupId = groupId; }
    bool IsGrouped() const { return !(m_groupId == GUID()); }

    pelko_wave::CCampaign* GetCampaign() const { return m_pCampaign; }

protected:
    void SetErrorText(const QString& text) { m_errorText = text; }

    // The campaign that the command edits; not owned. Null for the place holders.
    pelko_wave::CCampaign* m_pCampaign;

private:
    GUID m_groupId;
    bool m_historyBarrier = false;
    QString m_errorText;
};
