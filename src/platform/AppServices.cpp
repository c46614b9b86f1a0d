#include "platform/AppServices.h"

namespace {
IWaveApp* g_app = nullptr;
}

IWaveApp* GetWaveApp()
{
    return g_app;
}

void SetWaveApp(IWaveApp* app)
{
    g_app = app;
}
