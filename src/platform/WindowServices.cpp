#include "platform/WindowServices.h"

#include "platform/ConsoleWindowServices.h"
#include "platform/StdStreams.h"
#include "res/StringTable.h"

namespace {

IWindowServices* g_services = nullptr;

} // namespace

int FirstButtonAnswer(unsigned type)
{
    const unsigned buttons = type & 0xF;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

int IWindowServices::MessageBoxId(unsigned stringId, unsigned type)
{
    return MessageBox(LoadString(stringId), type);
}

IWindowServices& GetWindowServices()
{
    if (g_services)
        return *g_services;
    // Until a window build, batch run or test installs its own, messages go to standard error
    // and every question takes its first button.
    static CConsoleWindowServices defaults(&WriteStdErrLine);
    return defaults;
}

void SetWindowServices(IWindowServices* services)
{
    g_services = services;
}
