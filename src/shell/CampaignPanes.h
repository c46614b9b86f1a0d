#pragma once

#include "shell/ShellPanes.h"
#include "views/BottomView.h"
#include "views/LeftView.h"
#include "views/RightView.h"

#include <QPointer>

// The main window's panes made of the campaign views: the campaign tree (CLeftView) on the
// left, the right-hand host (CRightView) above and the property pane (CBottomView) below. The
// tree drives the other two; the frame reaches all three through the pane interface.
class CCampaignPanes final : public IShellPanes
{
public:
    explicit CCampaignPanes(CCommandActions& actions);
    ~CCampaignPanes() override;

    QWidget* GetPaneWidget(EPane pane) const override;
    void ReadLayout(EPane pane, int& width, int& height) const override;
    void SaveLayout(EPane pane) override;
    void ApplyLayout(EPane pane) override;

    bool ResetAfterLoad() override;
    int GetSelectedWaveId() const override;
    int GetSelectedVolumeId() const override;
    // The selection operations of the snapshot restore: the panes follow the selection.
    void SelectWave(int waveId) override;
    void SelectVolume(int volumeId) override;
    void SelectCampaign() override;

    int GetShownPage() const override;
    int GetReconciliationWaveId() const override;
    int GetCurrentQuestionId() const override;
    int GetFocusedModalityId() const override;
    void ShowReconciliation(int waveId) override;
    void SelectReconQuestion(int questionId) override;
    void ReloadReconciliation() override;
    void RefreshReconciliationGrids() override;
    void RefreshReconQuestionGrid() override;
    void RefillFromCampaign() override;
    bool IsReconciliationPageWindow() const override;

    // What the property pane shows (0 campaign, 1 wave, 2 volume, 3 nothing).
    int GetBottomValue() const override;

    CLeftView* GetLeftView() const { return m_left; }
    CRightView* GetRightView() const { return m_right; }
    CBottomView* GetBottomView() const { return m_bottom; }

    // The pane maker of the window program.
    static std::unique_ptr<IShellPanes> Make(CCommandActions& actions);

private:
    // The views belong to the frame's splitters once placed: they are only watched here.
    QPointer<CLeftView> m_left;
    QPointer<CRightView> m_right;
    QPointer<CBottomView> m_bottom;
};
