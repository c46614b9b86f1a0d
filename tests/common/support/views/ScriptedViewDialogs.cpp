#include "support/views/ScriptedViewDialogs.h"

#include "app/WaveApp.h"
#include "platform/WindowServices.h"

CScriptedViewDialogs::CScriptedViewDialogs() : m_previous(GetViewDialogs())
{
    SetViewDialogs(this);
}

CScriptedViewDialogs::~CScriptedViewDialogs()
{
    if (GetViewDialogs() == this)
        SetViewDialogs(m_previous);
}

void CScriptedViewDialogs::QueueResults(std::initializer_list<int> results)
{
    m_results.insert(m_results.end(), results);
}

int CScriptedViewDialogs::Answer(const QString& name)
{
    Calls << name;
    const auto* app = dynamic_cast<const CWaveApp*>(GetWaveApp());
    CalledModal.push_back(app && app->IsModalState());
    if (m_results.empty())
        return IDCANCEL;
    const int result = m_results.front();
    m_results.pop_front();
    return result;
}
