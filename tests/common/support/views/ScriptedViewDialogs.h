#pragma once

#include "views/ViewDialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <initializer_list>

// Test double of the views' modal dialogs: installs itself for its lifetime, records each call
// and answers it from a script. The call of each dialog is a test's override that hands its name
// to Answer and fills the outputs the test wants.
class CScriptedViewDialogs : public IViewDialogs
{
public:
    CScriptedViewDialogs();
    ~CScriptedViewDialogs() override;
    CScriptedViewDialogs(const CScriptedViewDialogs&) = delete;
    CScriptedViewDialogs& operator=(const CScriptedViewDialogs&) = delete;

    // Result codes of the next dialogs, in order; IDCANCEL when none is left.
    void QueueResults(std::initializer_list<int> results);

    // Records the call ("<name>", and whether the application was in its modal state meanwhile)
    // and returns the next result.
    int Answer(const QString& name);

    QStringList Calls;
    // For each call, whether it came inside the application's modal state.
    std::deque<bool> CalledModal;

private:
    IViewDialogs* m_previous;
    std::deque<int> m_results;
};
