#include "views/LeftView.h"

#include "menus/CommandActions.h"
#include "menus/ContextMenuKey.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "res/CommandIds.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/RightView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

#include <set>

using namespace pelko_wave;

namespace {

const pelko_wave::CCampaign* AppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

// Keeps the selection mode for the lifetime of the guard.
class CSelectModeScope
{
public:
    CSelectModeScope(int& mode, int value) : m_mode(mode), m_previous(mode) { m_mode = value; }
    ~CSelectModeScope() { m_mode = m_previous; }
    CSelectModeScope(const CSelectModeScope&) = delete;
    CSelectModeScope& operator=(const CSelectModeScope&) = delete;

private:
    int& m_mode;
    int m_previous;
};

} // namespace

bool IsCampaignTreeCommandGreyed(const CCampaign& campaign, const QString& campaignPath, int kind,
                                 int id, unsigned command)
{
    switch (kind) {
    case TREE_KIND_CAMPAIGN: {
        bool allReconciled = true;
        for (int w = 0; allReconciled && w < campaign.GetWaveCount(); ++w) {
            const CWave* wave = campaign.GetWave(w);
            for (int v = 0; allReconciled && v < wave->GetVolumeCount(); ++v)
                allReconciled = wave->GetVolume(v)->GetStatus() == VOLUME_RECONCILED;
        }
        switch (command) {
        case ID_WAVE_ADD:
        case ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT:
            return !allReconciled;
        case ID_CAMPAIGN_OPEN_FOLDER:
            return campaignPath.isEmpty();
        default:
            return false;
        }
    }
    case TREE_KIND_WAVE: {
        const CWave* wave = campaign.FindWave(id);
        const int count = wave ? wave->GetVolumeCount() : 0;
        bool anyUnreconciled = false; // some volume has status 0
        bool anyStarted = false;      // some volume has another status
        bool allReconciled = true;    // every volume has status 2
        for (int v = 0; v < count; ++v) {
            const int status = wave->GetVolume(v)->GetStatus();
            anyUnreconciled = anyUnreconciled || status == VOLUME_UNRECONCILED;
            anyStarted = anyStarted || status != VOLUME_UNRECONCILED;
            allReconciled = allReconciled && status == VOLUME_RECONCILED;
        }
        switch (command) {
        case ID_WAVE_APPLY_QUESTION_ORDER:
            return count == 0 || !allReconciled;
        case ID_WAVE_RECONCILE:
            return !anyUnreconciled;
        case ID_WAVE_SHOW_RECONCILIATION:
        case ID_WAVE_SHOW_SUMMARY:
            return anyUnreconciled || count == 0;
        case ID_WAVE_REDO_RECONCILIATION:
            return !anyStarted;
        case ID_WAVE_RECONCILE_UNMATCHED:
            // A wave without volumes has nothing to match.
            return count == 0 || !allReconciled;
        default:
            return false;
        }
    }
    case TREE_KIND_VOLUME: {
        const CVolume* volume = campaign.FindVolume(id);
        switch (command) {
        case ID_VOLUME_REMOVE: {
            const CWave* wave = campaign.FindWaveByVolume(id);
            const int count = wave ? wave->GetVolumeCount() : 0;
            return !volume || count == 0 || wave->GetVolume(count - 1) != volume;
        }
        case ID_VOLUME_UNRECONCILE:
            return !volume || volume->GetStatus() != VOLUME_RECONCILED;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}

CLeftView::CLeftView(CCommandActions* actions, QWidget* parent)
    : QWidget(parent), m_actions(actions)
{
    setObjectName(QStringLiteral("LeftView"));
    m_pItems = new CCampaignTreeModel(this);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("CampaignTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setModel(m_pItems);
    m_tree->viewport()->installEventFilter(this);
    m_tree->installEventFilter(this);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                OnSelectionChanged(current);
                // The tree's commands act on the selected item.
                if (m_actions)
                    m_actions->RequestUpdate();
            });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    setMinimumSize(0, 0);
    m_tree->setMinimumSize(0, 0);
    if (actions)
        RegisterCommands(*actions);
}

CLeftView::~CLeftView()
{
    if (m_actions)
        m_actions->RemoveHandlers(this);
}

void CLeftView::SetPanes(CRightView* right, CBottomView* bottom)
{
    m_right = right;
    m_bottom = bottom;
    if (bottom)
        bottom->SetCampaignTree(this);
}

void CLeftView::SaveLayout()
{
    view_layout::SavePaneSize(QStringLiteral("LeftView"), *this);
}

void CLeftView::ReadLayout(int& width, int& height)
{
    view_layout::ReadPaneSize(QStringLiteral("LeftView"), width, height);
}

// Queries -------------------------------------------------------------------------------------

int CLeftView::GetSelectedVolumeId() const
{
    const CTreeItemRecord* record = m_pItems->GetRecord(m_tree->currentIndex());
    return record && record->kind == TREE_KIND_VOLUME ? record->id : -1;
}

int CLeftView::GetSelectedWaveId() const
{
    const CTreeItemRecord* record = m_pItems->GetRecord(m_tree->currentIndex());
    if (!record)
        return -1;
    if (record->kind == TREE_KIND_WAVE)
        return record->id;
    if (record->kind == TREE_KIND_VOLUME) {
        const CTreeItemRecord* wave = m_pItems->GetRecord(m_pItems->IndexOfRecord(record->parent));
        return wave ? wave->id : -1;
    }
    return -1;
}

// Selection -----------------------------------------------------------------------------------

void CLeftView::Select(const QModelIndex& index)
{
    m_tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_tree->scrollTo(index);
}

void CLeftView::SelectWaveItem(int waveId, int mode)
{
    CSelectModeScope scope(m_nSelectMode, mode);
    const QModelIndex index = m_pItems->FindItem(TREE_KIND_WAVE, waveId);
    if (index.isValid())
        Select(index);
}

void CLeftView::SelectVolumeItem(int volumeId, int mode)
{
    CSelectModeScope scope(m_nSelectMode, mode);
    const CCampaign* campaign = AppCampaign();
    if (!campaign || !campaign->FindWaveByVolume(volumeId))
        return;
    const QModelIndex index = m_pItems->FindItem(TREE_KIND_VOLUME, volumeId);
    if (!index.isValid())
        return;
    if (index == m_tree->currentIndex())
        OnSelectionChanged(index);
    else
        Select(index);
}

void CLeftView::SelectCampaign(int mode)
{
    CSelectModeScope scope(m_nSelectMode, mode);
    const QModelIndex root = m_pItems->index(0, 0);
    if (root.isValid())
        Select(root);
}

void CLeftView::OnSelectionChanged(const QModelIndex& current)
{
    const CTreeItemRecord* record = m_pItems->GetRecord(current);
    if (m_nSelectMode != 0 || !record)
        return;
    switch (record->kind) {
    case TREE_KIND_CAMPAIGN:
        if (m_right)
            m_right->ShowCampaignQuestions();
        if (m_bottom)
            m_bottom->ShowCampaignProperties();
        break;
    case TREE_KIND_WAVE:
        if (m_right)
            m_right->ShowWaveQuestions(record->id);
        if (m_bottom)
            m_bottom->ShowWaveProperties(record->id);
        break;
    case TREE_KIND_VOLUME:
        if (m_right)
            m_right->ShowVolumeQuestions(record->id);
        if (m_bottom)
            m_bottom->ShowVolumeProperties(record->id);
        break;
    default:
        break;
    }
}

// Refreshes -----------------------------------------------------------------------------------

void CLeftView::RefreshTree()
{
    m_tree->setUpdatesEnabled(false);
    // Every wave that was expanded stays so, also one scrolled out of the window.
    std::set<int> expandedWaves;
    for (int r = 0; r < m_pItems->GetRecordCount(); ++r) {
        const QModelIndex index = m_pItems->IndexOfRecord(r);
        const CTreeItemRecord* record = m_pItems->GetRecord(index);
        if (record->kind == TREE_KIND_WAVE && m_tree->isExpanded(index))
            expandedWaves.insert(record->id);
    }
    m_pItems->Rebuild(AppCampaign());
    for (int r = 0; r < m_pItems->GetRecordCount(); ++r) {
        const QModelIndex index = m_pItems->IndexOfRecord(r);
        const CTreeItemRecord* record = m_pItems->GetRecord(index);
        if (record->kind == TREE_KIND_WAVE && expandedWaves.contains(record->id))
            m_tree->expand(index);
    }
    m_tree->expand(m_pItems->index(0, 0));
    m_tree->setUpdatesEnabled(true);
    RedrawTree();
}

void CLeftView::RedrawTree()
{
    m_tree->viewport()->update();
}

int CLeftView::ResetAfterLoad()
{
    CWaitCursor wait;
    RefreshTree();
    if (m_right)
        m_right->ResetAfterLoad();
    if (m_bottom)
        m_bottom->ShowCampaignProperties();
    return 1;
}

// Context menu --------------------------------------------------------------------------------

CNewMenu* CLeftView::LoadContextMenu(CNewMenu& menu, const QModelIndex& item) const
{
    const CTreeItemRecord* record = m_pItems->GetRecord(item);
    const CCampaign* campaign = AppCampaign();
    if (!record || !campaign || !menu.LoadMenu(IDR_CAMPAIGN_TREE_MENU))
        return nullptr;
    CNewMenu* popup = menu.GetSubMenuAt(record->kind);
    if (!popup)
        return nullptr;
    const IWaveApp* app = GetWaveApp();
    const QString path = app ? app->GetCampaignFilePath() : QString();
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        const unsigned command = popup->GetMenuItemID(i);
        if (command != 0 &&
            IsCampaignTreeCommandGreyed(*campaign, path, record->kind, record->id, command))
            popup->EnableMenuItem(command, false);
    }
    return popup;
}

QModelIndex CLeftView::GetContextItem() const
{
    return m_hContextItem;
}

void CLeftView::ShowContextMenu(const QPoint& viewportPoint, const QPoint& globalPoint)
{
    m_hContextItem = m_tree->indexAt(viewportPoint);
    if (!m_hContextItem.isValid())
        return;
    CNewMenu menu;
    CNewMenu* popup = LoadContextMenu(menu, m_hContextItem);
    if (!popup)
        return;
    if (const unsigned command = popup->TrackPopupMenu(globalPoint))
        Q_EMIT ContextCommand(command);
}

bool CLeftView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_tree->viewport() && watched != m_tree)
        return QWidget::eventFilter(watched, event);
    // Shift+F10 asks for the menu as the Menu key does.
    if (event->type() == QEvent::KeyPress && IsContextMenuKey(*static_cast<QKeyEvent*>(event))) {
        ShowKeyboardContextMenu();
        return true;
    }
    if (event->type() != QEvent::ContextMenu)
        return QWidget::eventFilter(watched, event);
    auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Mouse) {
        const QPoint point = m_tree->viewport()->mapFromGlobal(request->globalPos());
        // The item under the click becomes the selection first, so the panes follow it.
        const QModelIndex hit = m_tree->indexAt(point);
        if (hit.isValid() && hit != m_tree->currentIndex())
            Select(hit);
        ShowContextMenu(point, request->globalPos());
    } else {
        ShowKeyboardContextMenu();
    }
    return true;
}

void CLeftView::ShowKeyboardContextMenu()
{
    // The selected item, wherever the mouse is; the menu opens at it.
    const QModelIndex current = m_tree->currentIndex();
    if (!current.isValid()) {
        m_hContextItem = QModelIndex();
        return;
    }
    m_tree->scrollTo(current);
    const QPoint point = m_tree->visualRect(current).center();
    ShowContextMenu(point, m_tree->viewport()->mapToGlobal(point));
}
