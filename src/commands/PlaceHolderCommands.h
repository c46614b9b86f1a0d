#pragma once

#include "commands/CmdVirtual.h"

// Marks the start of a step of several grouped commands and carries the step's name: the
// issuer gives it a new group id and gives the same id to every command of the step. It
// changes nothing in the campaign.
class CCmdPlaceHolder : public CCmdVirtual
{
public:
    CCmdPlaceHolder(unsigned nameId, const GUID& groupId);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    unsigned m_nameId;
};

// The place holder of the add-volume step; its record names the volume concerned (-1 before
// the volume exists).
class CCmdNewVolumePlaceHolder : public CCmdPlaceHolder
{
public:
    CCmdNewVolumePlaceHolder(unsigned nameId, const GUID& groupId, int id)
        : CCmdPlaceHolder(nameId, groupId), m_id(id)
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_id;
};
