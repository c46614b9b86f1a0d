#pragma once

#include <functional>
#include <memory>

class CCommandActions;
class QWidget;

// The three panes of the main window, as the frame and the application's commands use them:
// the campaign tree on the left (CLeftView), the right-hand host above (CRightView, showing the
// campaign question tree or a wave's reconciliation page) and the property pane below
// (CBottomView).
//
// This is the seam between the window program and the campaign views. The frame asks a pane
// maker (SetPaneMaker) for one object of this interface, places its three widgets in its
// splitters, and from then on reaches the panes only through it: their sizes (the layout
// interface each pane implements), the snapshot of the panes kept with every history entry
// (CWaveApp::CaptureViewState and its restore before Undo and Redo), the rebuild after New and
// Open, and the refreshes after option changes. Until the campaign views exist the maker makes
// placeholder panes (CPlaceholderPanes) that show nothing of the campaign and answer "none".
// The views put themselves in by installing a maker that makes CLeftView, CRightView and
// CBottomView and answers each operation below from them.
//
// Ownership: the frame owns this object; the three widgets belong to the frame's splitters once
// placed, and are deleted with the frame after this object, which must not touch them in its
// destructor.
class IShellPanes
{
public:
    enum EPane
    {
        LeftPane = 0,
        RightPane = 1,
        BottomPane = 2
    };
    // The right-hand host's pages.
    enum EPage
    {
        PageQuestionTree = 0,
        PageReconciliation = 1,
        PageNone = 2
    };

    virtual ~IShellPanes() = default;

    // The pane's window, made with this object.
    virtual QWidget* GetPaneWidget(EPane pane) const = 0;

    // The pane's layout in the profile section "Layout": the size it stored (-1 each when
    // none), saving its current size (before the frame is destroyed), and applying the stored
    // sizes to the pane's own children (after the frame's first show).
    virtual void ReadLayout(EPane pane, int& width, int& height) const = 0;
    virtual void SaveLayout(EPane pane) = 0;
    virtual void ApplyLayout(EPane pane) = 0;

    // The campaign tree.
    // Rebuilds the tree and resets the right pane for the application's current campaign;
    // false when that failed.
    virtual bool ResetAfterLoad() = 0;
    // The selected wave (or the wave of the selected volume); -1 when none.
    virtual int GetSelectedWaveId() const = 0;
    // The selected volume; -1 when the selection is not a volume.
    virtual int GetSelectedVolumeId() const = 0;
    virtual void SelectWave(int waveId) = 0;
    virtual void SelectVolume(int volumeId) = 0;
    // Selects the root item, the campaign.
    virtual void SelectCampaign() = 0;

    // The right-hand host.
    virtual int GetShownPage() const = 0; // EPage
    // The wave the reconciliation page shows; -1 when none.
    virtual int GetReconciliationWaveId() const = 0;
    // The campaign question the reconciliation page shows; -1 when that page is not shown.
    virtual int GetCurrentQuestionId() const = 0;
    // The campaign response at the focused row of the page's response grid; -1 when none.
    virtual int GetFocusedModalityId() const = 0;
    virtual void ShowReconciliation(int waveId) = 0;
    // Selects the question's row when the reconciliation page is shown.
    virtual void SelectReconQuestion(int questionId) = 0;
    // Reloads the reconciliation page when it is shown (after options, languages, the switch
    // between global and local options).
    virtual void ReloadReconciliation() = 0;
    // Refills the reconciliation page's grids when it is shown (after response view flags).
    virtual void RefreshReconciliationGrids() = 0;
    // Refreshes the reconciliation page's question grid (after view flags).
    virtual void RefreshReconQuestionGrid() = 0;
    // Fills each pane again with what it shows, from the campaign as it now stands (after a
    // step made outside the panes, by a dialog): the tree is redrawn, the question tree or the
    // reconciliation page refilled, and the properties shown again.
    virtual void RefillFromCampaign() = 0;
    // Whether the reconciliation page's window exists: Find Question, Apply Caption Libraries
    // and Find Open Numeric Equivalents are enabled only then.
    virtual bool IsReconciliationPageWindow() const = 0;

    // The property pane: the value recorded in the snapshot (what it shows).
    virtual int GetBottomValue() const = 0;
};

// Makes the panes of a new main window. The commands of the shared registry are there for the
// panes' own command and update handlers.
using PaneMaker = std::function<std::unique_ptr<IShellPanes>(CCommandActions& actions)>;
