#pragma once

#include "views/ViewLayout.h"

#include <QModelIndex>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace pelko_wave {
class CCampaign;
}

class CBottomView;
class CCallBackInfo;
class CCampaignTreeModel;
class CCmdVirtual;
class CCommandActions;
struct CCmdCallBacks;
struct CTreeItemRecord;
class CNewMenu;
class CRightView;
class QTreeView;

// Whether the campaign tree's context menu shows the command of its pop-up (0 campaign, 1 wave,
// 2 volume) greyed for the item of that kind and id. The campaign path is the campaign file's
// path (empty when never saved).
bool IsCampaignTreeCommandGreyed(const pelko_wave::CCampaign& campaign, const QString& campaignPath,
                                 int kind, int id, unsigned command);

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

private:
    void RegisterCommands(CCommandActions& actions);
    // The selected item when it is of the kind; null otherwise.
    const CTreeItemRecord* SelectedRecord(int kind) const;
    // Runs a removing or unreconciling command with the right-hand host's drawing held back.
    bool IssueWithRightViewFrozen(std::unique_ptr<CCmdVirtual> command,
                                  const CCmdCallBacks& callBacks, bool withSnapshot);

    // The handlers of the commands' steps (after Do, Undo and Redo).
    void OnRemoveWaveDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnRemoveVolumeDone(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnUnreconcileVolumeDone(std::unique_ptr<CCallBackInfo> record);
    void OnOrderCampaignDone(std::unique_ptr<CCallBackInfo> record);
    void InvalidateWave(int waveId);
    // Whether the selected item is of the kind whose pop-up offers the command, and the
    // context menu leaves the command enabled for it.
    bool IsCommandEnabled(unsigned command, int kind) const;
    void OnSelectionChanged(const QModelIndex& current);
    // Opens the menu of the item at the viewport point, at the global point.
    void ShowContextMenu(const QPoint& viewportPoint, const QPoint& globalPoint);
    void Select(const QModelIndex& index);

    QPointer<CCommandActions> m_actions;
    QTreeView* m_tree = nullptr;
    CCampaignTreeModel* m_pItems = nullptr;
    QPointer<CRightView> m_right;
    QPointer<CBottomView> m_bottom;
    QPersistentModelIndex m_hContextItem;
    int m_nSelectMode = 0;
};
