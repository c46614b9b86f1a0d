#pragma once

#include "views/ViewLayout.h"

#include <QWidget>

// The lower right pane of the main window: the properties of the object selected in the
// campaign tree. This pane knows what it shows (the kind the view state records) and keeps its
// size in the profile; it shows no property yet.
class CBottomView : public QWidget, public CViewLayout
{
    Q_OBJECT

public:
    enum EShownKind
    {
        ShownCampaign = 0,
        ShownWave = 1,
        ShownVolume = 2,
        ShownNothing = 3
    };

    explicit CBottomView(QWidget* parent = nullptr);
    ~CBottomView() override;

    // CViewLayout: "BottomViewWidth" and "BottomViewHeight"; nothing to apply.
    void SaveLayout() override;
    void ReadLayout(int& width, int& height) override;
    void ApplyLayout() override {}

    void ShowCampaignProperties();
    void ShowWaveProperties(int waveId);
    void ShowVolumeProperties(int volumeId);

    // What the pane shows: 0 campaign, 1 wave, 2 volume, 3 nothing.
    int GetShownKind() const { return m_nShownKind; }

private:
    int m_nShownKind = ShownNothing;
};
