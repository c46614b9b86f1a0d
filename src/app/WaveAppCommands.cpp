#include "app/WaveApp.h"

#include "app/HistoryKeyFilter.h"
#include "platform/FormatString.h"
#include "platform/ViewState.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QThread>

namespace {

// "Undo" alone, or "Undo <step name>".
QString MenuText(unsigned verbId, const QString& stepName)
{
    if (stepName.isEmpty())
        return LoadString(verbId);
    return FormatString(QStringLiteral("%s %s"), {LoadString(verbId), stepName});
}

} // namespace

bool CWaveApp::ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks& callBacks,
                              const CCmdPreCallBacks* preCallBacks,
                              std::unique_ptr<CViewState> viewState, bool setModified)
{
    CWaitCursor wait;
    const bool done =
        m_history.Execute(command, callBacks, preCallBacks ? *preCallBacks : CCmdPreCallBacks(),
                          std::move(viewState));
    if (done)
        NotifyHistoryListeners();
    if (done && setModified && !IsBatchRun())
        SetModifiedFlag(true, true);
    return done;
}

std::unique_ptr<CViewState> CWaveApp::CaptureViewState()
{
    return GetWindowServices().CaptureViewState();
}

void CWaveApp::RestoreViewState(const CViewState& state)
{
    GetWindowServices().RestoreViewState(state);
}

void CWaveApp::AddHistoryListener(QObject* owner, std::function<void()> listener)
{
    // Those whose owner is gone leave here, never while a step reads the list.
    std::erase_if(m_historyListeners,
                  [](const SHistoryListener& each) { return each.Owner.isNull(); });
    if (owner && listener)
        m_historyListeners.push_back({owner, std::move(listener)});
}

void CWaveApp::NotifyHistoryListeners()
{
    // Copied: a listener may add another.
    const std::vector<SHistoryListener> listeners = m_historyListeners;
    for (const SHistoryListener& listener : listeners) {
        QObject* owner = listener.Owner.data();
        if (!owner)
            continue;
        // Every step runs on the application object's thread (a worker hands its command over
        // to it), where the listeners' owners live.
        Q_ASSERT(QThread::currentThread() == owner->thread());
        listener.Listener();
    }
}

bool CWaveApp::Undo()
{
    CWaitCursor wait;
    if (const CViewState* snapshot = m_history.GetUndoTopSnapshot())
        RestoreViewState(*snapshot);
    const bool done = m_history.Undo();
    // A step that failed was rolled back, after its callbacks may have run.
    NotifyHistoryListeners();
    if (done)
        UpdateModifiedState();
    return done;
}

bool CWaveApp::Redo()
{
    CWaitCursor wait;
    if (const CViewState* snapshot = m_history.GetRedoTopSnapshot())
        RestoreViewState(*snapshot);
    const bool done = m_history.Redo();
    NotifyHistoryListeners();
    if (done)
        UpdateModifiedState();
    return done;
}

bool CWaveApp::TakeBackGroup(const GUID& groupId)
{
    CWaitCursor wait;
    const auto inGroup = [&groupId](const CCmdVirtual* command) {
        return command && command->IsGrouped() && command->GetGroupId() == groupId;
    };
    if (!inGroup(m_history.GetUndoTopCommand()))
        return true;
    // The panes as the entry on top found them, as Undo brings them back.
    if (const CViewState* snapshot = m_history.GetUndoTopSnapshot())
        RestoreViewState(*snapshot);
    // The group is the top step: taken back whole, or left whole when a command of it fails.
    const bool done = m_history.TakeBackTopItem();
    NotifyHistoryListeners();
    UpdateModifiedState();
    return done;
}

void CWaveApp::OnEditUndo()
{
    if (IsUndoEnabled())
        Undo();
}

void CWaveApp::OnEditRedo()
{
    if (IsRedoEnabled())
        Redo();
}

bool CWaveApp::IsUndoEnabled() const
{
    return !m_modalState && m_history.CanUndo();
}

bool CWaveApp::IsRedoEnabled() const
{
    return !m_modalState && m_history.CanRedo();
}

QString CWaveApp::GetUndoMenuText() const
{
    return MenuText(IDS_UNDO, m_history.GetUndoStepName());
}

QString CWaveApp::GetRedoMenuText() const
{
    return MenuText(IDS_REDO, m_history.GetRedoStepName());
}

bool CWaveApp::PreTranslateHistoryKey(int key, bool ctrlHeld)
{
    switch (
        FilterHistoryKey(key, ctrlHeld, m_modalState, m_history.CanUndo(), m_history.CanRedo())) {
    case EHistoryKeyAction::PassOn:
        return false;
    case EHistoryKeyAction::Swallow:
        return true;
    case EHistoryKeyAction::Undo:
        Undo();
        return true;
    case EHistoryKeyAction::Redo:
        Redo();
        return true;
    }
    return false;
}

void CWaveApp::SetModifiedFlag(bool modified, bool update)
{
    m_modified = modified;
    if (update && !IsBatchRun() && m_documentModifiedNotifier)
        m_documentModifiedNotifier(modified);
}

void CWaveApp::UpdateModifiedState()
{
    SetModifiedFlag(m_history.GetUndoTopSerial() != m_cleanPoint, true);
}

void CWaveApp::MarkSaved()
{
    m_cleanPoint = m_history.GetUndoTopSerial();
    SetModifiedFlag(false, true);
}

int CWaveApp::UpdateModifiedIfUndoable()
{
    m_history.DeleteTopItem();
    NotifyHistoryListeners();
    UpdateModifiedState();
    return 1;
}
