// The commands of the campaign tree's context menu: each acts on the selected item, runs its
// changes as undoable commands and moves the selection to what changed after each step.

#include "views/LeftView.h"

#include "app/WaveApp.h"
#include "commands/CmdCallBacks.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PlaceHolderCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/UnreconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "commands/WaveCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/ExternalPrograms.h"
#include "model/Guid.h"
#include "model/SourcePaths.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/ReconciliationReport.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/BottomView.h"
#include "views/CampaignTreeModel.h"
#include "views/IssueCommand.h"
#include "views/RightView.h"
#include "views/SummaryReport.h"
#include "views/ViewDialogs.h"

#include <QFileInfo>
#include <QTreeView>

#include <cerrno>

using namespace pelko_wave;

namespace {

// The commands of the context menu, with the kinds of item whose pop-up offers each (bits
// 1 << kind) and the handler. Maximise Response Count is the application's command: the view
// only says when the menu offers it.
struct STreeCommand
{
    unsigned Id;
    unsigned Kinds;
    void (CLeftView::*Handler)();
};
constexpr unsigned kCampaignItem = 1u << TREE_KIND_CAMPAIGN;
constexpr unsigned kWaveItem = 1u << TREE_KIND_WAVE;
constexpr unsigned kVolumeItem = 1u << TREE_KIND_VOLUME;
constexpr STreeCommand kTreeCommands[] = {
    {ID_WAVE_ADD, kCampaignItem | kWaveItem, &CLeftView::OnAddWave},
    {ID_CAMPAIGN_OPEN_FOLDER, kCampaignItem, &CLeftView::OnOpenFolder},
    {ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT, kCampaignItem, nullptr},
    {ID_VOLUME_ADD, kWaveItem, &CLeftView::OnAddVolume},
    {ID_WAVE_APPLY_QUESTION_ORDER, kWaveItem, &CLeftView::OnOrderCampaign},
    {ID_WAVE_RECONCILE, kWaveItem, &CLeftView::OnReconcileQuestions},
    {ID_WAVE_SHOW_RECONCILIATION, kWaveItem, &CLeftView::OnShowReconciliation},
    {ID_WAVE_SHOW_SUMMARY, kWaveItem, &CLeftView::OnShowSummary},
    {ID_WAVE_REDO_RECONCILIATION, kWaveItem, &CLeftView::OnReReconcile},
    {ID_WAVE_RECONCILE_UNMATCHED, kWaveItem, &CLeftView::OnReconcileUnmatched},
    {ID_WAVE_REMOVE, kWaveItem, &CLeftView::OnRemoveWave},
    {ID_VOLUME_OPEN_IN_QUILL, kVolumeItem, &CLeftView::OnOpenVolume},
    {ID_VOLUME_REMOVE, kVolumeItem, &CLeftView::OnRemoveVolume},
    {ID_VOLUME_UNRECONCILE, kVolumeItem, &CLeftView::OnUnreconcileVolume},
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

// The volume whose matching settings the new-volume wizard proposes: the wave's last volume,
// else the last volume of the nearest wave before it that has one.
const CVolume* TemplateVolume(const CCampaign& campaign, const CWave& wave)
{
    int index = campaign.GetWaveCount() - 1;
    while (index >= 0 && campaign.GetWave(index) != &wave)
        --index;
    for (; index >= 0; --index) {
        const CWave* candidate = campaign.GetWave(index);
        if (candidate->GetVolumeCount() > 0)
            return candidate->GetVolume(candidate->GetVolumeCount() - 1);
    }
    return nullptr;
}

// How the window reconciles: interactively, new responses numbered by the campaign.
SReconcileWaveOptions WindowOptions(bool useCaptionLibraries, bool unmatchedOnly)
{
    SReconcileWaveOptions options;
    options.UseCaptionLibraries = useCaptionLibraries;
    options.Interactive = true;
    options.KeepSourceCodes = false;
    options.ReconcileUnmatchedOnly = unmatchedOnly;
    return options;
}

// The reconciliation inside a reconcile or re-reconcile composite.
const CCmdReconcileWave* FindReconcileStep(const CMetaCmd& composite)
{
    for (int i = 0; i < composite.GetCmdCount(); ++i)
        if (const auto* step = dynamic_cast<const CCmdReconcileWave*>(composite.GetCmd(i)))
            return step;
    return nullptr;
}

} // namespace

SNewWaveDlgValues ProposeNewWaveDates(const CWave* reference, bool above)
{
    SNewWaveDlgValues values;
    if (!reference)
        return values;
    const QDateTime& start = reference->GetWaveStart();
    const QDateTime& end = reference->GetWaveEnd();
    const QDateTime& midPoint = reference->GetWaveMidpoint();
    if (!start.isValid() || !end.isValid())
        return values;
    const qint64 length = start.secsTo(end);
    if (above) {
        values.End = start.addDays(-1);
        values.Start = values.End.addSecs(-length);
        if (midPoint.isValid())
            values.MidPoint = midPoint.addSecs(-length).addDays(-1);
    } else {
        values.Start = end.addDays(1);
        values.End = end.addSecs(length).addDays(1);
        if (midPoint.isValid())
            values.MidPoint = midPoint.addSecs(length).addDays(1);
    }
    return values;
}

SNewVolumeProperties MakeNewVolumeProperties(const SNewVolumeWizardResult& wizard)
{
    // Source files are kept by their absolute paths; the path format says how they are stored.
    const auto filePath = [](const QString& path) {
        return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    };
    SNewVolumeProperties properties;
    properties.ParentVolumeId = wizard.AncestorVolumeId;
    properties.SourceType = wizard.SourceType;
    properties.IsMatchingStrict = wizard.Strict;
    properties.QuestionMatchingMethods = wizard.QuestionMethods;
    properties.ResponseMatchingMethods = wizard.ResponseMethods;
    properties.MetaData.SourceStorageType = 0;
    properties.MetaData.SourceFilePathFormat = wizard.PathFormat;
    properties.MetaData.SourceString = filePath(wizard.QuestionSource);
    properties.CaseData.SourceFilePathFormat = wizard.PathFormat;
    if (wizard.InterviewsWithQuestions) {
        properties.CaseData.SourceString = properties.MetaData.SourceString;
    } else if (wizard.InterviewsFromDatabase) {
        properties.CaseData.SourceStorageType = 1;
        properties.CaseData.SourceString = wizard.InterviewSource;
        properties.CaseData.SurveyID = wizard.SurveyId;
    } else {
        properties.CaseData.SourceString = filePath(wizard.InterviewSource);
    }
    // Interviews line up with the main volume's by a question both hold, or by their order.
    properties.InterviewMergeMethod = wizard.AlignmentKind == 1 ? 2 : 0;
    properties.MainVolumeLinkQuestionId = wizard.MainVolumeQuestion;
    properties.ThisVolumeLinkQuestionId = wizard.CommonQuestionCode;
    properties.CaseSensitiveMatching = wizard.CaseSensitive;
    properties.MatchUsingAncestorValues = wizard.MatchUsingParentValues;
    return properties;
}

void CLeftView::RegisterCommands(CCommandActions& actions)
{
    for (const STreeCommand& command : kTreeCommands) {
        CCommandActions::CommandHandler onCommand;
        if (command.Handler)
            onCommand = [this, handler = command.Handler] { (this->*handler)(); };
        CCommandActions::UpdateHandler onUpdate = [this, command](CCmdUI& ui) {
            ui.Enable(IsCommandEnabled(command.Id, command.Kinds));
        };
        actions.AddHandler(command.Id, CCommandActions::View, this, std::move(onCommand),
                           std::move(onUpdate));
    }
}

bool CLeftView::IsCommandEnabled(unsigned command, unsigned kinds) const
{
    const CTreeItemRecord* record = m_pItems->GetRecord(m_tree->currentIndex());
    const CCampaign* campaign = AppCampaign();
    if (!record || !campaign || !(kinds & (1u << record->kind)))
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

CWave* CLeftView::SelectedWave() const
{
    const CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = SelectedRecord(TREE_KIND_WAVE);
    return campaign && record ? campaign->FindWave(record->id) : nullptr;
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

// Adding waves and volumes ----------------------------------------------------------------------

void CLeftView::OnAddWave()
{
    CCampaign* campaign = AppCampaign();
    const CTreeItemRecord* record = m_pItems->GetRecord(m_tree->currentIndex());
    IViewDialogs* dialogs = GetViewDialogs();
    if (!campaign || !record || !dialogs)
        return;
    // From the campaign the wave goes after the last one; from a wave, above it.
    const CWave* reference = nullptr;
    int position = -1;
    if (record->kind == TREE_KIND_CAMPAIGN) {
        if (campaign->GetWaveCount() > 0)
            reference = campaign->GetWave(campaign->GetWaveCount() - 1);
    } else if (record->kind == TREE_KIND_WAVE) {
        reference = campaign->FindWave(record->id);
        if (!reference)
            return;
        position = reference->GetWaveOrder();
    } else {
        return;
    }
    SNewWaveDlgValues values = ProposeNewWaveDates(reference, position >= 0);
    {
        CModalDialogScope modal;
        if (dialogs->RunNewWaveDlg(this, values) != IDOK)
            return;
    }
    CWaitCursor wait;
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnNewWaveDone(std::move(info), false);
    };
    const auto undone = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnNewWaveDone(std::move(info), true);
    };
    IssueCommand(std::make_unique<CCmdNewWave>(campaign, position, values.Name, values.Description,
                                               values.Start, values.MidPoint, values.End),
                 {Bind(this, done), Bind(this, undone), Bind(this, done)}, nullptr, false);
}

void CLeftView::OnAddVolume()
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = SelectedWave();
    IViewDialogs* dialogs = GetViewDialogs();
    IWaveApp* app = GetWaveApp();
    if (!campaign || !wave || !dialogs || !app)
        return;
    SNewVolumeWizardInput input;
    input.Campaign = campaign;
    input.Wave = wave;
    if (const CVolume* model = TemplateVolume(*campaign, *wave)) {
        input.QuestionMethods = model->GetQuestionMatchingMethods();
        input.ResponseMethods = model->GetResponseMatchingMethods();
        input.CaseSensitive = model->GetCaseSensitiveMatching() != 0;
    }
    SNewVolumeWizardResult wizard;
    {
        CModalDialogScope modal;
        if (dialogs->RunNewVolumeWizard(this, input, wizard) != ID_WIZFINISH)
            return;
    }

    CWaitCursor wait;
    // Every command of the step carries the group id, so that Undo and Redo take it as one.
    GUID groupId;
    CreateGuid(groupId);
    // Runs one command of the step. A failure takes back what the step recorded so far, and
    // only that, then says why.
    const auto run = [&](std::unique_ptr<CCmdVirtual> command, const CCmdCallBacks& callBacks) {
        command->SetGroupId(groupId);
        if (app->ExecuteCommand(command, callBacks, nullptr, nullptr, true))
            return true;
        TakeBackGroup(groupId);
        GetWindowServices().MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
        return false;
    };
    const auto refresh = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnTreeRefresh(std::move(info));
    };
    // Undone last of the step, once the volume is gone.
    const auto undone = [waveId = wave->GetWaveId()](CLeftView& view,
                                                     std::unique_ptr<CCallBackInfo>) {
        view.OnNewVolumeUndone(waveId);
    };
    if (!run(std::make_unique<CCmdNewVolumePlaceHolder>(IDS_NEW_VOLUME, groupId, -1),
             {Bind(this, refresh), Bind(this, undone), {}}))
        return;
    auto command = std::make_unique<CCmdNewVolume>(campaign, wave, wizard.Name,
                                                   MakeNewVolumeProperties(wizard));
    const CCmdNewVolume* newVolume = command.get();
    if (!run(std::move(command), {}))
        return;
    CVolume* volume =
        wave->GetVolumeCount() > 0 ? wave->GetVolume(wave->GetVolumeCount() - 1) : nullptr;
    if (!volume || volume != newVolume->GetNewVolume()) {
        TakeBackGroup(groupId);
        return;
    }
    if (!run(MakeAnalyseMatchingCmd(campaign, volume), {}))
        return;
    const int volumeId = volume->GetVolumeId();
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnNewVolumeDone(std::move(info));
    };
    if (!run(std::make_unique<CCmdNewVolumePlaceHolder>(IDS_NEW_VOLUME, groupId, volumeId),
             {Bind(this, done), {}, Bind(this, done)}))
        return;

    // The copies into the campaign's data folder are made at the next save.
    if (wizard.CopyQuestionSource)
        app->AddPendingQuestionSourceCopy(volumeId);
    if (wizard.CopyInterviewSource && !wizard.InterviewsWithQuestions &&
        !wizard.InterviewsFromDatabase)
        app->AddPendingInterviewSourceCopy(volumeId);
}

std::unique_ptr<CCmdVirtual> CLeftView::MakeAnalyseMatchingCmd(CCampaign* campaign, CVolume* volume)
{
    return std::make_unique<CCmdAddVolAnalyseMatching>(campaign, volume);
}

void CLeftView::TakeBackGroup(const GUID& groupId)
{
    auto* app = dynamic_cast<CWaveApp*>(GetWaveApp());
    if (!app)
        return;
    CommandHistory& history = app->GetCommandHistory();
    for (CCmdVirtual* top = history.GetUndoTopCommand(); top && top->GetGroupId() == groupId;
         top = history.GetUndoTopCommand()) {
        std::unique_ptr<CCallBackInfo> record;
        if (!top->Undo(record))
            break;
        app->UpdateModifiedIfUndoable();
    }
    RefreshTree();
}

void CLeftView::OnTreeRefresh(std::unique_ptr<CCallBackInfo>)
{
    RefreshTree();
}

void CLeftView::OnNewWaveDone(std::unique_ptr<CCallBackInfo> record, bool undone)
{
    RefreshTree();
    const auto* change = dynamic_cast<CCallBackInfoNewWave*>(record.get());
    if (!change || !change->Wave)
        return;
    const int waveId = change->Wave->GetWaveId();
    if (!undone) {
        // A new wave changes what the waves after it inherit.
        InvalidateWave(waveId);
        SelectWaveItem(waveId, 0);
        return;
    }
    const IWaveApp* app = GetWaveApp();
    if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr)
        cache->ResetWaveEntry(waveId);
    if (change->InsertedBefore) {
        InvalidateWave(change->InsertedBefore->GetWaveId());
        SelectWaveItem(change->InsertedBefore->GetWaveId(), 0);
    } else {
        SelectCampaign(0);
    }
}

void CLeftView::OnNewVolumeDone(std::unique_ptr<CCallBackInfo> record)
{
    RefreshTree();
    if (const auto* step = dynamic_cast<CCallBackInfoNewVolumePlaceHolder*>(record.get()))
        SelectVolumeItem(step->Id, 0);
}

void CLeftView::OnNewVolumeUndone(int waveId)
{
    RefreshTree();
    SelectWaveItem(waveId, 0);
}

// Reconciling -------------------------------------------------------------------------------------

void CLeftView::OnReconcileQuestions()
{
    Reconcile(false);
}

void CLeftView::OnReconcileUnmatched()
{
    Reconcile(true);
}

void CLeftView::Reconcile(bool unmatchedOnly)
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = SelectedWave();
    if (!campaign || !wave)
        return;
    // A caption library can only help where the campaign already has questions to match.
    bool applyLibrary = false;
    if (campaign->GetQuestionCount() > 1) {
        const int answer = GetWindowServices().MessageBoxId(IDS_APPLY_CAPTION_LIBRARY,
                                                            MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        applyLibrary = answer == IDYES;
    }
    if (applyLibrary) {
        IViewDialogs* dialogs = GetViewDialogs();
        SCaptionLibraryDlgRequest request;
        request.Mode = CAPTION_LIBRARY_RECONCILE;
        CModalDialogScope modal;
        if (!dialogs || dialogs->RunCaptionLibraryDlg(this, request) == IDCANCEL)
            return;
    }

    CWaitCursor wait;
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnReconcileMetaDone(std::move(info), false);
    };
    const auto undone = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnReconcileMetaDone(std::move(info), true);
    };
    IssueReconciliation(MakeReconcileWaveCmd(campaign, wave,
                                             WindowOptions(applyLibrary, unmatchedOnly),
                                             ReportCallBacks()),
                        {Bind(this, done), Bind(this, undone), Bind(this, done)}, false);
}

void CLeftView::OnReReconcile()
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = SelectedWave();
    IViewDialogs* dialogs = GetViewDialogs();
    if (!campaign || !wave || !dialogs)
        return;
    // With "Apply caption library" ticked the dialog has had the libraries chosen already.
    SReReconciliationOptions choice;
    {
        CModalDialogScope modal;
        if (dialogs->RunReReconciliationOptionsDlg(this, choice) != IDOK)
            return;
    }

    CWaitCursor wait;
    const auto done = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnReReconcileDone(std::move(info), false);
    };
    const auto redone = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnReReconcileDone(std::move(info), true);
    };
    IssueReconciliation(MakeReReconcileWaveCmd(campaign, wave, choice.KeepChapters,
                                               WindowOptions(choice.ApplyCaptionLibrary, false),
                                               ReportCallBacks()),
                        {Bind(this, done), Bind(this, done), Bind(this, redone)}, true);
}

CCmdCallBacks CLeftView::ReportCallBacks()
{
    const auto report = [](CLeftView& view, std::unique_ptr<CCallBackInfo> info) {
        view.OnReconcileWaveDone(std::move(info));
    };
    return {Bind(this, report), {}, {}};
}

bool CLeftView::IssueReconciliation(std::unique_ptr<CMetaCmd> composite,
                                    const CCmdCallBacks& callBacks, bool withSnapshot)
{
    IWaveApp* app = GetWaveApp();
    if (!app || !composite)
        return false;
    const CCmdReconcileWave* reconcile = FindReconcileStep(*composite);
    std::unique_ptr<CCmdVirtual> command = std::move(composite);
    if (app->ExecuteCommand(command, callBacks, nullptr,
                            withSnapshot ? app->CaptureViewState() : nullptr, true))
        return true;
    // A reconciliation that stopped has said why in its own message.
    if (!reconcile || !reconcile->IsFailureShown())
        GetWindowServices().MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
    return false;
}

void CLeftView::OnReconcileWaveDone(std::unique_ptr<CCallBackInfo> record)
{
    const auto* run = dynamic_cast<CCallBackInfoReconcileWave*>(record.get());
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = run && campaign ? campaign->FindWave(run->WaveId) : nullptr;
    if (!wave)
        return;
    // Without the reconciliation report option the run writes no report.
    if (!run->Report.isEmpty())
        ShowReconciliationReport(*wave, run->Report);
    QList<SOpenNumericPair> pairs;
    FindOpenNumericEquivalents(*campaign, *wave, pairs);
    if (!pairs.isEmpty())
        ShowOpenNumericPairsReport(*campaign, *wave, pairs);
}

void CLeftView::RefreshProperties()
{
    if (!m_bottom)
        return;
    switch (m_bottom->GetShownKind()) {
    case CBottomView::ShownCampaign:
        m_bottom->ShowCampaignProperties();
        break;
    case CBottomView::ShownWave:
        m_bottom->ShowWaveProperties(m_bottom->GetShownWaveId());
        break;
    case CBottomView::ShownVolume:
        m_bottom->ShowVolumeProperties(m_bottom->GetShownVolumeId());
        break;
    default:
        break;
    }
}

void CLeftView::OnReconcileMetaDone(std::unique_ptr<CCallBackInfo> record, bool undone)
{
    RedrawTree();
    // Volume statuses and the campaign's languages change with a reconciliation.
    RefreshProperties();
    const auto* step = dynamic_cast<CCallBackInfoMetaReconcileWaveCmd*>(record.get());
    if (!step)
        return;
    // The wave's matchings changed: differences cached for it are stale.
    InvalidateWave(step->WaveId);
    if (!m_right)
        return;
    if (undone)
        m_right->ShowWaveQuestions(step->WaveId);
    else
        m_right->ShowReconciliation(step->WaveId);
}

void CLeftView::OnReReconcileDone(std::unique_ptr<CCallBackInfo> record, bool redone)
{
    RedrawTree();
    RefreshProperties();
    const auto* step = dynamic_cast<CCallBackInfoMetaReReconcileWaveCmd*>(record.get());
    if (!step)
        return;
    // The wave's matchings changed (its and the later waves' differences are stale); after a
    // Redo every wave's are dropped.
    InvalidateWave(redone ? 0 : step->WaveId);
    if (m_right)
        m_right->ShowReconciliation(step->WaveId);
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
    auto meta =
        std::make_unique<CMetaOrderCampaignCmd>(IDS_REORDER_CAMPAIGN_QUESTIONS, wave->GetWaveId());
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
