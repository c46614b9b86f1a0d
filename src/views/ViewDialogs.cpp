#include "views/ViewDialogs.h"

#include "app/WaveApp.h"

namespace {

IViewDialogs* g_dialogs = nullptr;

} // namespace

IViewDialogs* GetViewDialogs()
{
    return g_dialogs;
}

void SetViewDialogs(IViewDialogs* dialogs)
{
    g_dialogs = dialogs;
}

CModalDialogScope::CModalDialogScope()
{
    if (auto* app = dynamic_cast<CWaveApp*>(GetWaveApp())) {
        // A dialog opened from inside another one keeps the outer state.
        m_began = !app->IsModalState();
        if (m_began)
            app->BeginModalState();
    }
}

CModalDialogScope::~CModalDialogScope()
{
    if (!m_began)
        return;
    if (auto* app = dynamic_cast<CWaveApp*>(GetWaveApp()))
        app->EndModalState();
}
