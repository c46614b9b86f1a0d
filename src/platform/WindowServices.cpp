#include "platform/WindowServices.h"

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
        switch (type & 0xF) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        default:
            return IDOK;
        }
    }

    class CSilentProgress final : public IProgressWindow
    {
    public:
        explicit CSilentProgress(int range) : m_range(range) {}
        void SetPos(int position) override { m_pos = position; }
        int GetPos() const override { return m_pos; }
        void OffsetPos(int steps) override { m_pos += steps; }
        void SetPosToLast() override { m_pos = m_range - 1; }
        void SetMessageText(const QString&) override {}

    private:
        int m_range;
        int m_pos = 0;
    };

    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString&, const QString&,
                                                       int range) override
    {
        return std::make_unique<CSilentProgress>(range);
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
