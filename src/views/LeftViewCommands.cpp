// The commands of the campaign tree's context menu: each acts on the selected item, runs its
// changes as undoable commands and moves the selection to what changed after each step.

#include "views/LeftView.h"

#include "commands/CmdCallBacks.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/UnreconcileCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "commands/WaveCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/ExternalPrograms.h"
#include "model/SourcePaths.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "views/CampaignTreeModel.h"
#include "views/IssueCommand.h"
#include "views/RightView.h"
#include "views/SummaryReport.h"

#include <QFileInfo>
#include <QTreeView>

#include <cerrno>

using namespace pelko_wave;

namespace {

constexpr unsigned IDS_SUMMARY_TITLE = 63164;
constexpr unsigned IDS_CONFIRM_REMOVE_WAVE = 63141;
constexpr unsigned IDS_CONFIRM_REMOVE_VOLUME = 63142;
constexpr unsigned IDS_CONFIRM_UNRECONCILE = 63310;
constexpr unsigned IDS_REMOVE_WAVE = 63350;
constexpr unsigned IDS_REORDER_QUESTIONS = 63346;
constexpr unsigned IDS_NO_QUILL = 63565;
constexpr unsigned IDS_QUILL_FAILED = 63004;

// The commands of the context menu that this view carries out, with the kind of item whose
// pop-up offers each and its handler.
struct STreeCommand
{
    unsigned Id;
    int Kind;
    void (CLeftView::*Handler)();
};
constexpr STreeCommand kTreeCommands[] = {
    {ID_CAMPAIGN_OPEN_FOLDER, TREE_KIND_CAMPAIGN, &CLeftView::OnOpenFolder},
    {ID_WAVE_APPLY_QUESTION_ORDER, TREE_KIND_WAVE, &CLeftView::OnOrderCampaign},
    {ID_WAVE_SHOW_RECONCILIATION, TREE_KIND_WAVE, &CLeftView::OnShowReconciliation},
    {ID_WAVE_SHOW_SUMMARY, TREE_KIND_WAVE, &CLeftView::OnShowSummary},
    {ID_WAVE_REMOVE, TREE_KIND_WAVE, &CLeftView::OnRemoveWave},
    {ID_VOLUME_OPEN_IN_QUILL, TREE_KIND_VOLUME, &CLeftView::OnOpenVolume},
    {ID_VOLUME_REMOVE, TREE_KIND_VOLUME, &CLeftView::OnRemoveVolume},
    {ID_VOLUME_UNRECONCILE, TREE_KIND_VOLUME, &CLeftView::OnUnreconcileVolume},
};

CCampaign* AppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

bool Confirmed(unsigned questionId)
{
    return GetWindowServices().MessageBoxId(questionId, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Calls the view's handler while the view exists.
template <typename Handler> CCmdCallBack Bind(CLeftView* view, Handler handler)
{
    return [view = QPointer<CLeftView>(view), handler](std::unique_ptr<CCallBackInfo> record) {
        if (view)
            handler(*view, std::move(record));
    };
}

} // namespace

void CLeftView::RegisterCommands(CCommandActions& actions)
{
    for (const STreeCommand& command : kTreeCommands) {
        CCommandActions::CommandHandler onCommand = [this, handler = command.Handler] {
            (this->*handler)();
        };
        CCommandActions::UpdateHandler onUpdate = [this, command](CCmdUI& ui) {
            ui.Enable(IsCommandEnabled(command.Id, command.Kind));
        };
        actions.AddHandler(command.Id, CCommandActions::View, this, std::move(onCommand),
                           std::move(onUpdate));
    }
}

bool CLeftView::IsCommandEnabled(unsigned command, int kind) const
{
    const CTreeItemRecord* record = SelectedRecord(kind);
    const CCampaign* campaign = AppCampaign();
    if (!record || !campaign)
        return false;
    const IWaveApp* app = GetWaveApp();
    const QString path = app ? app->GetCampaignFilePath() : QString();
    return !IsCampaignTreeCommandGreyed(*campaign, path, record->kind, record->id, command);
}

const CTreeItemRecord* CLeftView::SelectedRecord(int kind) const
{
    const CTreeItemRecord* record = m_pItems->GetRecord(m_tree->currentIndex());
    return record && record->kind == kind ? record : nullptr;
}

bool CLeftView::IssueWithRightViewFrozen(std::unique_ptr<CCmdVirtual> command,
                                         const CCmdCallBacks& callBacks, bool withSnapshot)
{
    if (m_right)
        m_right->setUpdatesEnabled(false);
    const bool done = IssueCommand(std::move(command), callBacks, nullptr, withSnapshot);
    if (m_right) {
        m_right->setUpdatesEnabled(true);
        m_right->update();
    }
    return done;
}

void CLeftView::InvalidateWave(int waveId)
{
    const IWaveApp* app = GetWaveApp();
    if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr)
        cache->InvalidateWave(waveId);
}

// Reports ---------------------------------------------------------------------------------------

void CLeftView::OnShowSummary()
{
    CWaitCursor wait;
    const CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_WAVE);
    const CWave* wave = campaign && record ? campaign->FindWave(record->id) : nullptr;
    if (!wave)
        return;
    CSummaryCounts counts;
    QString details;
    if (!ComputeSummary(wave->GetWaveId(), counts, details))
        return;
    IWindowServices& windows = GetWindowServices();
    windows.ShowReport(FormatString(LoadString(IDS_SUMMARY_TITLE), {wave->GetName()}),
                       REPORT_SUMMARY, BuildSummaryHtml(counts, details));
    windows.PumpMessages();
}

void CLeftView::OnShowReconciliation()
{
    CWaitCursor wait;
    const CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_WAVE);
    if (m_right && campaign && record && campaign->FindWave(record->id))
        m_right->ShowReconciliation(record->id);
}

// Removing and unreconciling ----------------------------------------------------------------------

void CLeftView::OnRemoveWave()
{
    CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_WAVE);
    if (!campaign || !record || !Confirmed(IDS_CONFIRM_REMOVE_WAVE))
        return;
    CWaitCursor wait;
    const CWave* wave = campaign->FindWave(record->id);
    if (!wave)
        return;
    const int waveId = wave->GetWaveId();
    auto meta = std::make_unique<CMetaRemoveWaveCmd>(IDS_REMOVE_WAVE, waveId);
    for (int i = wave->GetVolumeCount() - 1; i >= 0; --i)
        meta->AddCmd(
            std::make_unique<CCmdRemoveVolume>(campaign, wave->GetVolume(i)->GetVolumeId()));
    meta->AddCmd(std::make_unique<CCmdRemoveWave>(campaign, waveId));
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnRemoveWaveDone(std::move(info), false);
    };
    const auto undone = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnRemoveWaveDone(std::move(info), true);
    };
    IssueWithRightViewFrozen(std::move(meta),
                             {Bind(this, done), Bind(this, undone), Bind(this, done)}, false);
}

void CLeftView::OnRemoveVolume()
{
    CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_VOLUME);
    if (!campaign || !record || !Confirmed(IDS_CONFIRM_REMOVE_VOLUME))
        return;
    CWaitCursor wait;
    if (!campaign->FindWaveByVolume(record->id))
        return;
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnRemoveVolumeDone(std::move(info), false);
    };
    const auto undone = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnRemoveVolumeDone(std::move(info), true);
    };
    IssueWithRightViewFrozen(std::make_unique<CCmdRemoveVolume>(campaign, record->id),
                             {Bind(this, done), Bind(this, undone), Bind(this, done)}, true);
}

void CLeftView::OnUnreconcileVolume()
{
    CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_VOLUME);
    if (!campaign || !record || !Confirmed(IDS_CONFIRM_UNRECONCILE))
        return;
    CWaitCursor wait;
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnUnreconcileVolumeDone(std::move(info));
    };
    IssueWithRightViewFrozen(std::make_unique<CCmdUnreconcileVolume>(campaign, record->id, false),
                             {Bind(this, done), Bind(this, done), Bind(this, done)}, true);
}

void CLeftView::OnRemoveWaveDone(std::unique_ptr<CCallBackInfo> record, bool undone)
{
    RefreshTree();
    const auto* removal = dynamic_cast<CCallBackInfoMetaRemoveWaveCmd*>(record.get());
    if (!removal)
        return;
    InvalidateWave(removal->WaveId);
    if (undone)
        SelectWaveItem(removal->WaveId, 0);
    else
        SelectCampaign(0);
}

void CLeftView::OnRemoveVolumeDone(std::unique_ptr<CCallBackInfo> record, bool undone)
{
    RefreshTree();
    const auto* removal = dynamic_cast<CCallBackInfoRemoveVolume*>(record.get());
    if (!removal)
        return;
    InvalidateWave(removal->WaveId);
    if (undone)
        SelectVolumeItem(removal->VolumeId, 0);
    else
        SelectWaveItem(removal->WaveId, 0);
}

void CLeftView::OnUnreconcileVolumeDone(std::unique_ptr<CCallBackInfo> record)
{
    RedrawTree();
    const auto* change = dynamic_cast<CCallBackInfoUnreconcileVolume*>(record.get());
    if (!change)
        return;
    InvalidateWave(change->WaveId);
    SelectVolumeItem(change->VolumeId, 0);
}

// Ordering --------------------------------------------------------------------------------------

void CLeftView::OnOrderCampaign()
{
    CWaitCursor wait;
    CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_WAVE);
    CWave* wave = campaign && record ? campaign->FindWave(record->id) : nullptr;
    if (!wave)
        return;
    auto meta = std::make_unique<CMetaOrderCampaignCmd>(IDS_REORDER_QUESTIONS, wave->GetWaveId());
    meta->AddCmd(std::make_unique<CCmdOrderCampaignQuestions>(campaign, wave));
    meta->AddCmd(std::make_unique<CCmdOrderCampaignModalities>(campaign, wave));
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnOrderCampaignDone(std::move(info));
    };
    IssueCommand(std::move(meta), {Bind(this, done), Bind(this, done), Bind(this, done)}, nullptr,
                 true);
}

void CLeftView::OnOrderCampaignDone(std::unique_ptr<CCallBackInfo> record)
{
    const auto* order = dynamic_cast<CCallBackInfoMetaOrderCampaignCmd*>(record.get());
    if (order && m_right)
        m_right->ShowReconciliation(order->Id);
}

// Programs beside this one ------------------------------------------------------------------------

void CLeftView::OnOpenFolder()
{
    const IWaveApp* app = GetWaveApp();
    const QString path = app ? app->GetCampaignFilePath() : QString();
    if (!path.isEmpty())
        GetWindowServices().OpenFolder(QFileInfo(path).absolutePath());
}

void CLeftView::OnOpenVolume()
{
    const CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_VOLUME);
    const CVolume* volume = campaign && record ? campaign->FindVolume(record->id) : nullptr;
    if (!volume)
        return;
    IWindowServices& windows = GetWindowServices();
    QString program;
    if (!GetSiblingProgramCommand(program, SIBLING_QUILL)) {
        windows.MessageBoxId(IDS_NO_QUILL, MB_OK | MB_ICONWARNING);
        return;
    }
    QString source = volume->GetMetaData().SourceString;
    if (volume->GetMetaData().SourceFilePathFormat == PATH_RELATIVE) {
        const IWaveApp* app = GetWaveApp();
        source = MakeAbsolutePath(app ? app->GetCampaignFilePath() : QString(), source);
    }
    errno = 0;
    if (!LaunchExternalProgram(program, source))
        windows.MessageBox(FormatString(LoadString(IDS_QUILL_FAILED), {errno != 0 ? errno : -1}),
                           MB_OK | MB_ICONWARNING);
}
