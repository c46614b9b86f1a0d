#include "commands/CmdCallBacks.h"

void DeliverCallBackInfo(const CCmdCallBack& callBack, std::unique_ptr<CCallBackInfo> record)
{
    if (callBack)
        callBack(std::move(record));
}
