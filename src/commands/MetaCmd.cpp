#include "commands/MetaCmd.h"

#include "commands/MetaCallBackInfo.h"
#include "platform/FormatString.h"
#include "res/StringTable.h"

CMetaCmd::CMetaCmd(unsigned nameId) : m_nameId(nameId) {}

CMetaCmd::~CMetaCmd() = default;

void CMetaCmd::AddCmd(std::unique_ptr<CCmdVirtual> command, CCmdCallBacks callBacks,
                      CCmdPreCallBacks preCallBacks, std::unique_ptr<CViewState> snapshot)
{
    if (!command)
        return;
    m_canUndo = m_canUndo && command->CanUndo();
    m_canRedo = m_canRedo && command->CanRedo();
    m_items.push_back(std::unique_ptr<CHistoryItem>(new CHistoryItem{
        std::move(command), std::move(callBacks), std::move(preCallBacks), std::move(snapshot)}));
}

bool CMetaCmd::Do(std::unique_ptr<CCallBackInfo>& record)
{
    return RunForward(&CCmdVirtual::Do, &CCmdCallBacks::AfterDo, false, record);
}

bool CMetaCmd::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_canUndo)
        return false;
    for (int i = GetCmdCount() - 1; i >= 0; --i) {
        CHistoryItem& item = *m_items[i];
        std::unique_ptr<CCallBackInfo> subRecord;
        if (!item.Command->Undo(subRecord)) {
            SetFailure(i);
            RedoUpFrom(i + 1);
            return false;
        }
        DeliverCallBackInfo(item.CallBacks.AfterUndo, std::move(subRecord));
    }
    record = CreateCallBackInfo();
    return true;
}

bool CMetaCmd::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_canRedo)
        return false;
    return RunForward(&CCmdVirtual::Redo, &CCmdCallBacks::AfterRedo, true, record);
}

bool CMetaCmd::RunForward(bool (CCmdVirtual::*step)(std::unique_ptr<CCallBackInfo>&),
                          CCmdCallBack CCmdCallBacks::*afterStep, bool redo,
                          std::unique_ptr<CCallBackInfo>& record)
{
    for (int i = 0; i < GetCmdCount(); ++i) {
        CHistoryItem& item = *m_items[i];
        std::unique_ptr<CCallBackInfo> subRecord;
        if ((redo && !item.Command->CanRedo()) || !((*item.Command).*step)(subRecord)) {
            SetFailure(i);
            UndoDownFrom(i - 1);
            return false;
        }
        DeliverCallBackInfo(item.CallBacks.*afterStep, std::move(subRecord));
    }
    record = CreateCallBackInfo();
    return true;
}

QString CMetaCmd::GetName() const
{
    return LoadString(m_nameId);
}

std::unique_ptr<CCallBackInfo> CMetaCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaCmd>();
}

void CMetaCmd::SetFailure(int index)
{
    const CCmdVirtual& failed = *m_items[index]->Command;
    SetErrorText(
        FormatString(QStringLiteral("'%s': \"%s\""), {failed.GetName(), failed.GetErrorText()}));
}

void CMetaCmd::UndoDownFrom(int index)
{
    for (int j = index; j >= 0; --j) {
        CHistoryItem& item = *m_items[j];
        if (!item.Command->CanUndo())
            continue;
        std::unique_ptr<CCallBackInfo> subRecord;
        if (item.Command->Undo(subRecord))
            DeliverCallBackInfo(item.CallBacks.AfterUndo, std::move(subRecord));
    }
}

void CMetaCmd::RedoUpFrom(int index)
{
    for (int j = index; j < GetCmdCount(); ++j) {
        CHistoryItem& item = *m_items[j];
        if (!item.Command->CanRedo())
            continue;
        std::unique_ptr<CCallBackInfo> subRecord;
        if (item.Command->Redo(subRecord))
            DeliverCallBackInfo(item.CallBacks.AfterRedo, std::move(subRecord));
    }
}
