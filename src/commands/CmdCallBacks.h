#pragma once

#include "commands/CallBackInfo.h"

#include <functional>
#include <memory>

// The issuer's callbacks that travel with a command. Each receives the change record of one
// step and owns it from then on; a callback may be empty, and then the history or composite
// that has a record to deliver deletes it.
using CCmdCallBack = std::function<void(std::unique_ptr<CCallBackInfo> record)>;

// Called after each successful step of the command.
struct CCmdCallBacks
{
    CCmdCallBack AfterDo;
    CCmdCallBack AfterUndo;
    CCmdCallBack AfterRedo;
};

// Called just before the history undoes or redoes the command, with the record that the
// command makes for that moment.
struct CCmdPreCallBacks
{
    CCmdCallBack BeforeUndo;
    CCmdCallBack BeforeRedo;
};

// Hands the record to the callback, which owns it from then on (it is called also with a null
// record); without a callback the record is deleted here.
void DeliverCallBackInfo(const CCmdCallBack& callBack, std::unique_ptr<CCallBackInfo> record);
