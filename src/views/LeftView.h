#pragma once

#include "views/ViewLayout.h"

#include <QModelIndex>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace pelko_wave {
class CCampaign;
class CVolume;
class CWave;
} // namespace pelko_wave

class CBottomView;
class CCallBackInfo;
class CCampaignTreeModel;
class CCmdVirtual;
class CMetaCmd;
class CCommandActions;
struct CCmdCallBacks;
struct CTreeItemRecord;
class CNewMenu;
class CRightView;
class QTreeView;
struct GUID;
struct SNewVolumeProperties;
struct SNewVolumeWizardResult;
struct SNewWaveDlgValues;

// Whether the campaign tree's context menu shows the command of its pop-up (0 campaign, 1 wave,
// 2 volume) greyed for the item of that kind and id. The campaign path is the campaign file's
// path (empty when never saved).
bool IsCampaignTreeCommandGreyed(const pelko_wave::CCampaign& campaign, const QString& campaignPath,
                                 int kind, int id, unsigned command);

// The dates the new wave dialog proposes from the wave the new one is placed against (null:
// none): after it for a new last wave, before it for a wave added above it. Each span keeps the
// reference's length; a date whose reference dates are not all set is left null.
SNewWaveDlgValues ProposeNewWaveDates(const pelko_wave::CWave* reference, bool above);

// The new volume's properties from what the new-volume wizard gave back.
SNewVolumeProperties MakeNewVolumeProperties(const SNewVolumeWizardResult& wizard);

// The left pane of the main window: the open campaign with its waves and, under each wave, its
// volumes. Selecting an item tells the right-hand host and the property pane what to show; a
// right click opens the context menu of the item under the cursor, the menu key that of the
// selected item; the menu's commands go to the ContextCommand signal. The selection operations
// serve the snapshot of the panes kept with every history entry, and the refill follows New and
// Open.
class CLeftView : public QWidget, public CViewLayout
{
    Q_OBJECT

public:
    // The view registers its command handlers with the actions when given.
    explicit CLeftView(CCommandActions* actions = nullptr, QWidget* parent = nullptr);
    ~CLeftView() override;

    // The panes that follow the selection (not owned; either may be null).
    void SetPanes(CRightView* right, CBottomView* bottom);

    // CViewLayout: "LeftViewWidth" and "LeftViewHeight"; nothing to apply.
    void SaveLayout() override;
    void ReadLayout(int& width, int& height) override;
    void ApplyLayout() override {}

    // The selected volume; -1 when the selection is not a volume.
    int GetSelectedVolumeId() const;
    // The selected wave, or the wave of the selected volume; -1 for the campaign or none.
    int GetSelectedWaveId() const;

    // Selection operations: with mode 0 the panes follow the new selection, with any other
    // mode the selection moves silently.
    void SelectWaveItem(int waveId, int mode);
    // Selecting the volume already selected refreshes the panes all the same (mode 0).
    void SelectVolumeItem(int volumeId, int mode);
    void SelectCampaign(int mode);

    // Rebuilds the tree from the campaign; the waves that were expanded stay expanded.
    void RefreshTree();
    void RedrawTree();
    // After New and Open: the tree, the campaign's questions on the right and its properties
    // below. Returns 1.
    int ResetAfterLoad();

    // The context menu of the item: menu 182 loaded into `menu`, the item's pop-up greyed by
    // the campaign's state. Returns that pop-up; null, showing nothing, for no item.
    CNewMenu* LoadContextMenu(CNewMenu& menu, const QModelIndex& item) const;
    // The item the last context-menu request hit (invalid when it hit none).
    QModelIndex GetContextItem() const;

    // The commands of the context menu (LeftViewCommands.cpp). Each acts on the selected item
    // and does nothing for an item of another kind.
    // Add New Wave: after the campaign's last wave, or above the selected wave.
    void OnAddWave();
    // Add New Volume: the wizard, then the volume added at the end of the selected wave as one
    // undoable step.
    void OnAddVolume();
    // Reconcile Questions, Reconcile Unmatched Questions Only and Redo Reconciliation of the
    // selected wave.
    void OnReconcileQuestions();
    void OnReconcileUnmatched();
    void OnReReconcile();
    // Show Reconciliation Summary: the selected wave's summary in a report window.
    void OnShowSummary();
    // Remove Wave, Remove Volume and Unreconcile Volume, each after the user confirmed it.
    void OnRemoveWave();
    void OnRemoveVolume();
    void OnUnreconcileVolume();
    // Show Reconciliation: the wave's reconciliation page on the right.
    void OnShowReconciliation();
    // Apply Wave Question Order: the campaign's questions and responses take the wave's order.
    void OnOrderCampaign();
    // Open Containing Folder: the campaign file's folder in the desktop's file manager.
    void OnOpenFolder();
    // Open Volume in Pelko Quill: the volume's questionnaire source in PelkoQuill.
    void OnOpenVolume();

    QTreeView* GetTree() const { return m_tree; }
    CCampaignTreeModel* GetModel() const { return m_pItems; }

Q_SIGNALS:
    // A command chosen in the context menu, for the item of GetContextItem.
    void ContextCommand(unsigned id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The step of Add New Volume that gives the new volume its place in the analysis question
    // (tests replace it).
    virtual std::unique_ptr<CCmdVirtual> MakeAnalyseMatchingCmd(pelko_wave::CCampaign* campaign,
                                                                pelko_wave::CVolume* volume);

private:
    void RegisterCommands(CCommandActions& actions);
    // The selected item when it is of the kind; null otherwise.
    const CTreeItemRecord* SelectedRecord(int kind) const;
    // The selected wave when the campaign has it; null otherwise.
    pelko_wave::CWave* SelectedWave() const;
    void Reconcile(bool unmatchedOnly);
    // The callbacks of the reconciliation inside a composite: its report after Do.
    CCmdCallBacks ReportCallBacks();
    // Runs a reconcile or re-reconcile composite; a failure is shown unless the reconciliation
    // has already said why it stopped.
    bool IssueReconciliation(std::unique_ptr<CMetaCmd> composite, const CCmdCallBacks& callBacks,
                             bool withSnapshot);
    // Takes back the commands of the group on top of the history, newest first, and drops them
    // from it; what the user did before stays.
    void TakeBackGroup(const GUID& groupId);
    // Runs a removing or unreconciling command with the right-hand host's drawing held back.
    bool IssueWithRightViewFrozen(std::unique_ptr<CCmdVirtual> command,
                                  const CCmdCallBacks& callBacks, bool withSnapshot);

    // The handlers of the commands' steps (after Do, Undo and Redo).
    void OnTreeRefresh(std::unique_ptr<CCallBackInfo> record);
    void OnNewWaveDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnNewVolumeDone(std::unique_ptr<CCallBackInfo> record);
    void OnNewVolumeUndone(int waveId);
    void OnReconcileWaveDone(std::unique_ptr<CCallBackInfo> record);
    void OnReconcileMetaDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnReReconcileDone(std::unique_ptr<CCallBackInfo> record, bool redone);
    void OnRemoveWaveDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnRemoveVolumeDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnUnreconcileVolumeDone(std::unique_ptr<CCallBackInfo> record);
    void OnOrderCampaignDone(std::unique_ptr<CCallBackInfo> record);
    void InvalidateWave(int waveId);
    // Fills the property pane again with what it shows, after a step that changed it.
    void RefreshProperties();
    // Whether the selected item is of a kind whose pop-up offers the command (kinds: a set of
    // bits 1 << kind), and the context menu leaves the command enabled for it.
    bool IsCommandEnabled(unsigned command, unsigned kinds) const;
    void OnSelectionChanged(const QModelIndex& current);
    // Opens the menu of the item at the viewport point, at the global point.
    void ShowContextMenu(const QPoint& viewportPoint, const QPoint& globalPoint);
    // The menu asked for from the keyboard (the Menu key, Shift+F10): the selected item's, at it.
    void ShowKeyboardContextMenu();
    void Select(const QModelIndex& index);

    QPointer<CCommandActions> m_actions;
    QTreeView* m_tree = nullptr;
    CCampaignTreeModel* m_pItems = nullptr;
    QPointer<CRightView> m_right;
    QPointer<CBottomView> m_bottom;
    QPersistentModelIndex m_hContextItem;
    int m_nSelectMode = 0;
};
