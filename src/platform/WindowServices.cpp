#include "platform/WindowServices.h"

#include "platform/SilentProgressWindow.h"
#include "platform/ViewState.h"
#include "res/StringTable.h"

#include <cstdio>

namespace {

// Until a window build, batch run or test installs its own, messages go to standard error
// and every question takes its first button.
class CDefaultWindowServices final : public IWindowServices
{
public:
    int MessageBox(const QString& text, unsigned type) override
    {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
        return FirstButtonAnswer(type);
    }

    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString&, const QString&,
                                                       int range) override
    {
        return std::make_unique<CSilentProgressWindow>(range);
    }
    void ShowReport(const QString&, int, const QString&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpMessages() override {}
    std::unique_ptr<CViewState> CaptureViewState() override
    {
        return std::make_unique<CViewState>();
    }
    void RestoreViewState(const CViewState&) override {}
};

CDefaultWindowServices g_defaultServices;
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
    return g_services ? *g_services : g_defaultServices;
}

void SetWindowServices(IWindowServices* services)
{
    g_services = services;
}
