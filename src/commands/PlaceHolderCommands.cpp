#include "commands/PlaceHolderCommands.h"

#include "commands/WaveCallBackInfo.h"
#include "res/StringTable.h"

CCmdPlaceHolder::CCmdPlaceHolder(unsigned nameId, const GUID& groupId) : m_nameId(nameId)
{
    SetGroupId(groupId);
}

bool CCmdPlaceHolder::Do(std::unique_ptr<CCallBackInfo>& record)
{
    record = CreateCallBackInfo();
    return true;
}

bool CCmdPlaceHolder::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    record = CreateCallBackInfo();
    return true;
}

bool CCmdPlaceHolder::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    record = CreateCallBackInfo();
    return true;
}

QString CCmdPlaceHolder::GetName() const
{
    return LoadString(m_nameId);
}

std::unique_ptr<CCallBackInfo> CCmdPlaceHolder::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoFixAllPlaceHolderCmd>();
}

std::unique_ptr<CCallBackInfo> CCmdNewVolumePlaceHolder::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoNewVolumePlaceHolder>(m_id);
}
