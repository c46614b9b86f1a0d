#include "shell/ViewStates.h"

#include "platform/ViewState.h"
#include "shell/ShellPanes.h"

std::unique_ptr<CViewState> CaptureViewState(const IShellPanes* panes)
{
    auto state = std::make_unique<CViewState>();
    if (!panes)
        return state;
    state->Page = panes->GetShownPage();
    state->QuestionId = panes->GetCurrentQuestionId();
    state->ResponseId = panes->GetFocusedModalityId();
    state->BottomValue = panes->GetBottomValue();
    state->WaveId = panes->GetSelectedWaveId();
    state->VolumeId = panes->GetSelectedVolumeId();
    return state;
}

void RestoreViewState(IShellPanes& panes, const CViewState& state)
{
    if (state.WaveId == -1) {
        panes.SelectCampaign();
        return;
    }
    if (state.VolumeId == -1)
        panes.SelectWave(state.WaveId);
    else
        panes.SelectVolume(state.VolumeId);

    if (state.Page != CViewState::PageReconciliation)
        return;
    if (panes.GetShownPage() != IShellPanes::PageReconciliation ||
        panes.GetReconciliationWaveId() != state.WaveId)
        panes.ShowReconciliation(state.WaveId);
    if (state.QuestionId != -1)
        panes.SelectReconQuestion(state.QuestionId);
}
