#pragma once

#include "shell/ShellPanes.h"

#include <QPointer>
#include <QString>

class QWidget;

// The panes of the main window until the campaign views exist: three empty white panes, each
// naming what it will hold. They keep their sizes in the profile under the keys the campaign
// views use ("LeftViewWidth", "RightViewHeight", "BottomViewWidth", ...), so that the layout a
// user leaves stays when the real panes come. They select nothing and show no page: every
// query answers "none" and every selection or refresh does nothing.
class CPlaceholderPanes final : public IShellPanes
{
public:
    CPlaceholderPanes();

    QWidget* GetPaneWidget(EPane pane) const override;
    void ReadLayout(EPane pane, int& width, int& height) const override;
    void SaveLayout(EPane pane) override;
    void ApplyLayout(EPane pane) override {}

    bool ResetAfterLoad() override { return true; }
    int GetSelectedWaveId() const override { return -1; }
    int GetSelectedVolumeId() const override { return -1; }
    void SelectWave(int) override {}
    void SelectVolume(int) override {}
    void SelectCampaign() override {}

    int GetShownPage() const override { return PageNone; }
    int GetReconciliationWaveId() const override { return -1; }
    int GetCurrentQuestionId() const override { return -1; }
    int GetFocusedModalityId() const override { return -1; }
    void ShowReconciliation(int) override {}
    void SelectReconQuestion(int) override {}
    void ReloadReconciliation() override {}
    void RefreshReconciliationGrids() override {}
    void RefreshReconQuestionGrid() override {}
    void RefillFromCampaign() override {}
    bool IsReconciliationPageWindow() const override { return false; }

    int GetBottomValue() const override { return 0; }

    // The profile keys of a pane's size: "<name>Width" and "<name>Height" in "Layout".
    static QString LayoutKeyName(EPane pane);

private:
    QPointer<QWidget> m_panes[3];
};
