// The reconciliation page's question actions: the differences dialog of a matched pair and what
// its choices change, making a campaign question of a source question (or giving the source
// question to a later campaign question of its shortcut), re-ordering a question's responses,
// and the Update dialog of the whole wave. Each change runs as one undoable step whose callbacks
// update the rows.

#include "views/RightReconciliationPage.h"

#include "app/WaveApp.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PlaceHolderCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/ViewDialogs.h"
#include "views/WaveGridCtrl.h"

#include <set>
#include <vector>

using namespace pelko_wave;

namespace {

// Moves a campaign response's appearance to the volume when, by the time the step runs, the
// volume matches the response. A campaign question given to a source question is matched to it
// just before in the same composite, and that matching takes only the responses the volume's
// methods find: a response left unmatched still first appears where it did.
class CCmdMatchedModalityAppearance final : public CCmdVirtual
{
public:
    CCmdMatchedModalityAppearance(CCampaign* campaign, const CVolume& volume, CModality* response)
        : CCmdVirtual(campaign), m_volume(volume), m_response(response),
          m_change(campaign, response, MODALITY_PROP_APPEARANCE_VOLUME,
                   CValue(volume.GetVolumeId()))
    {
    }

    bool Do(std::unique_ptr<CCallBackInfo>& record) override
    {
        m_moved = m_volume.FindModalityMatchingInherited(m_response->GetModalityId(),
                                                         m_volume.GetVolumeId()) != nullptr;
        if (!m_moved) {
            record = CreateCallBackInfo();
            return true;
        }
        if (m_change.Do(record))
            return true;
        SetErrorText(m_change.GetErrorText());
        m_moved = false;
        return false;
    }
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override
    {
        return Replay(&CCmdVirtual::Undo, record);
    }
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override
    {
        return Replay(&CCmdVirtual::Redo, record);
    }
    QString GetName() const override { return m_change.GetName(); }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override
    {
        return m_change.CreateCallBackInfo();
    }

private:
    bool Replay(bool (CCmdVirtual::*step)(std::unique_ptr<CCallBackInfo>&),
                std::unique_ptr<CCallBackInfo>& record)
    {
        if (m_moved)
            return (m_change.*step)(record);
        record = CreateCallBackInfo();
        return true;
    }

    const CVolume& m_volume;
    CModality* m_response;
    CCmdChangeModality m_change;
    bool m_moved = false;
};

// The keys of either store whose entries (their kinds, in order) differ between the two.
template <class TStore> std::set<typename TStore::CKey> ChangedKeys(TStore before, TStore after)
{
    std::set<typename TStore::CKey> keys;
    for (TStore* store : {&before, &after}) {
        typename TStore::CKey key;
        int value = 0;
        for (bool more = store->GetFirst(key, value); more; more = store->GetNext(key, value))
            keys.insert(key);
    }
    std::set<typename TStore::CKey> changed;
    for (const auto& key : keys) {
        const int count = before.Count(key);
        bool same = count == after.Count(key);
        for (int n = 0; same && n < count; ++n)
            same = before.GetNthRow(key, n) == after.GetNthRow(key, n);
        if (!same)
            changed.insert(key);
    }
    return changed;
}

} // namespace

bool CRightReconciliationPage::NewCampaignQuestionRoad(CVolume& volume,
                                                       const qnr::CQuestion& source, int order,
                                                       CQuestion* breakFrom)
{
    CCampaign* campaign = AppCampaign();
    IWaveApp* app = GetWaveApp();
    if (!campaign || !app)
        return false;
    GUID groupId;
    CreateGuid(groupId);

    // Step 1: the new campaign question (the source question first leaving the one it was
    // matched to).
    std::unique_ptr<CCmdVirtual> first;
    CCmdCallBacks firstCallBacks;
    auto make = std::make_unique<CCmdNewQuestion>(campaign, &volume, &source, order);
    if (breakFrom) {
        auto composite = std::make_unique<CMetaCmd>(IDS_CREATE_NEW_QUESTION);
        composite->AddCmd(std::make_unique<CCmdDeepBreakQuesMatching>(campaign, breakFrom, &source,
                                                                      volume.GetVolumeId()),
                          DeepBreakQuesMatchingCallBacks());
        composite->AddCmd(std::move(make), NewQuestionCallBacks());
        first = std::move(composite);
    } else {
        first = std::move(make);
        firstCallBacks = NewQuestionCallBacks();
    }
    first->SetGroupId(groupId);
    m_newQuestionId = -1;
    if (!IssueCommand(std::move(first), firstCallBacks, nullptr, true))
        return false;
    // A step that fails takes the road's steps done so far (they share the group id, and
    // nothing older does) out of the history: the road is one action, done whole or not at all,
    // and leaves nothing behind to redo.
    const auto takeBack = [app, &groupId] { app->TakeBackGroup(groupId); };
    CQuestion* made =
        m_newQuestionId > 0 ? campaign->GetQuestionById(int(m_newQuestionId)) : nullptr;
    if (!made) {
        takeBack();
        return false;
    }

    // Step 2: the matching in the volume, and the volumes below matched again.
    auto second = std::make_unique<CMetaCmd>(IDS_CREATE_NEW_QUESTION);
    second->AddCmd(std::make_unique<CCmdCreateQuesMatching>(campaign, &volume, made, &source),
                   CreateQuesMatchingCallBacks());
    second->AddCmd(std::make_unique<CCmdDeepRematchQuestion>(campaign, &volume, made));
    second->SetGroupId(groupId);
    if (!IssueCommand(std::move(second), MetaCmdCallBacks(made->GetQuestionId()), nullptr, false)) {
        takeBack();
        return false;
    }

    // Step 3: the new question's responses (made from the source's by its matching) matched
    // again in the volumes below.
    auto third = std::make_unique<CMetaCmd>(IDS_CREATE_NEW_QUESTION);
    for (CModality* response : made->GetModalities())
        third->AddCmd(std::make_unique<CCmdDeepRematchModality>(
            campaign, &volume, made, source.GetCodeQuestion(), response));
    third->SetGroupId(groupId);
    if (!IssueCommand(std::move(third), MetaCmdCallBacks(made->GetQuestionId(), true), nullptr,
                      true)) {
        takeBack();
        return false;
    }
    return true;
}

void CRightReconciliationPage::OnViewQuestionDifferences()
{
    CCampaign* campaign = AppCampaign();
    IViewDialogs* dialogs = GetViewDialogs();
    const int row = m_gridQuestions->GetFocusCell().row;
    if (!campaign || !dialogs || row < m_gridQuestions->GetFixedRowCount())
        return;
    const long questionId = m_questionRows.GetId(row);
    const int volumeId = m_questionRows.GetVolumeId(row);
    SQuestionDiffsDlgRequest request;
    CollectQuestionDiffKinds(int(questionId), volumeId, request.Differences);
    if (request.Differences.empty())
        return;

    // The source question is the one the volume's matching of the campaign question names.
    CVolume* volume = campaign->FindVolume(volumeId);
    CQuestion* question = questionId > 0 ? campaign->GetQuestionById(int(questionId)) : nullptr;
    QString sourceId;
    const qnr::CQuestion* source =
        volume && question && volume->GetQuestionSourceId(volumeId, int(questionId), sourceId)
            ? volume->GetQuestionnaire().FindQuestionById(sourceId.toInt())
            : nullptr;
    if (!source)
        return;
    request.CampaignQuestion = question;
    request.SourceQuestion = source;
    request.WaveId = int(m_waveId);
    request.VolumeId = volumeId;

    CDiffsDlgResults results;
    int result = IDCANCEL;
    {
        const CModalDialogScope modal;
        result = dialogs->RunQuestionDiffsDlg(this, request, results);
    }
    if (result == IDCANCEL)
        return;
    const CWaitCursor wait;
    if (result == ID_DIFFS_NEW_ITEM) {
        NewCampaignQuestionRoad(*volume, *source, question->GetOrder() + 1, question);
        return;
    }
    // One value per difference, in the list's order; a difference without one keeps the
    // campaign's value.
    if (results.size() != request.Differences.size())
        return;
    auto change = std::make_unique<CMetaChangeQuestionCmd>(IDS_CHANGE_QUESTION, int(questionId));
    auto value = results.cbegin();
    for (const auto& [kind, detail] : request.Differences) {
        const std::optional<QString>& chosen = *value++;
        if (!chosen)
            continue;
        CValue text;
        text.SetText(*chosen);
        if (kind == QUESTION_PROP_SHORT_CAPTION)
            change->AddCmd(std::make_unique<CCmdChangeQuestionShortCaption>(
                campaign, question, kind, CCaptionValue(text, GetDiffLanguageId(detail))));
        else if (kind == QUESTION_PROP_LONG_CAPTION)
            change->AddCmd(std::make_unique<CCmdChangeQuestionLongCaption>(
                campaign, question, kind, CCaptionValue(text, GetDiffLanguageId(detail))));
        else
            change->AddCmd(std::make_unique<CCmdChangeQuestion>(campaign, question, kind, text));
    }
    if (change->GetCmdCount() > 0)
        IssueCommand(std::move(change), MetaChangeQuestionCallBacks(), nullptr, true);
}

void CRightReconciliationPage::OnCreateCampaignQuestion()
{
    CCampaign* campaign = AppCampaign();
    const int row = m_gridQuestions->GetFocusCell().row;
    if (!campaign || row < m_gridQuestions->GetFixedRowCount())
        return;
    // Only a source question that no campaign question holds.
    const long key = m_questionRows.GetId(row);
    CVolume* volume = GetQuestionRowVolume(row);
    const qnr::CQuestion* source = GetSourceQuestionAtRow(row);
    if (key >= 0 || key == kNoId || !volume || !source)
        return;
    const int volumeId = volume->GetVolumeId();

    // A campaign question of the shortcut that first appears after the volume takes the source
    // question, unless it is of another kind, removed, or matched in another volume of the wave
    // already.
    CQuestion* candidate = campaign->FindQuestionByShortcut(source->GetShortcut());
    const auto matchedInWave = [&](const CQuestion& question) {
        int startVolumeId = -1;
        return FindQuestionMatchedInOtherVolume(*campaign, question.GetQuestionId(), volumeId,
                                                startVolumeId) &&
               WaveHoldsVolume(startVolumeId);
    };
    const bool reuse = candidate && candidate->GetElementType() == source->GetTypeElement() &&
                       candidate->GetQuestionType() == source->GetTypeQuestion() &&
                       candidate->GetDeletionWaveId() == NO_WAVE_ID &&
                       campaign->IsVolumeBefore(volumeId, candidate->GetAppearanceVolumeId()) &&
                       !matchedInWave(*candidate);
    const CWaitCursor wait;
    if (!reuse) {
        NewCampaignQuestionRoad(*volume, *source, -1, nullptr);
        return;
    }
    // The matching comes first: the question and its responses may only appear in a volume that
    // matches them.
    auto composite = std::make_unique<CMetaChangeQuesAppVolIDCmd>(
        IDS_CREATE_NEW_QUESTION, volumeId, candidate->GetQuestionId(), source->GetCodeQuestion());
    // The responses it has now: those its matching makes of source responses appear in the
    // volume already.
    const std::vector<CModality*> responses = candidate->GetModalities();
    composite->AddCmd(
        std::make_unique<CCmdCreateQuesMatching>(campaign, volume, candidate, source));
    composite->AddCmd(std::make_unique<CCmdChangeQuestion>(
        campaign, candidate, QUESTION_PROP_APPEARANCE_VOLUME, CValue(volumeId)));
    for (CModality* response : responses)
        composite->AddCmd(
            std::make_unique<CCmdMatchedModalityAppearance>(campaign, *volume, response));
    IssueCommand(std::move(composite), MetaChangeQuesAppVolIDCallBacks(), nullptr, true);
}

void CRightReconciliationPage::OnReorderCampaignResponses()
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = CurrentWave();
    CQuestion* question =
        campaign && m_curQuestionId > 0 ? campaign->GetQuestionById(m_curQuestionId) : nullptr;
    if (!wave || !question)
        return;
    IssueCommand(std::make_unique<CCmdReorderQuesModalities>(campaign, wave, question),
                 ReorderQuesModalitiesCallBacks(), nullptr, true);
}

void CRightReconciliationPage::RunUpdate()
{
    IWaveApp* app = GetWaveApp();
    IViewDialogs* dialogs = GetViewDialogs();
    const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
    if (!app || !dialogs || !entry || !CurrentWave())
        return;
    SFixAllDlgData data;
    data.WaveId = int(m_waveId);
    CreateGuid(data.GroupId);
    data.QuestionDifferences = entry->GetQuestionDiffs();
    data.ModalityDifferences = entry->GetModalityDiffs();
    const CRowMultimap questionsBefore = data.QuestionDifferences;
    const CRowMultimapStr responsesBefore = data.ModalityDifferences;

    // Two place holders open and close the step, so that the fixes between them are undone and
    // redone as one. The page shows the wave again once the fixes are undone (before the
    // opening one's Undo) or redone (before the closing one's Redo).
    const CCmdCallBack reload = FixAllPlaceHolderCallBacks().AfterDo;
    const CCmdPreCallBacks onOpening{reload, {}};
    const CCmdPreCallBacks onClosing{{}, reload};
    auto opening = std::make_unique<CCmdPlaceHolder>(IDS_FIX_ALL_DIFFERENCES, data.GroupId);
    const CCmdVirtual* openingCommand = opening.get();
    if (!IssueCommand(std::move(opening), {}, &onOpening, true))
        return;
    {
        const CModalDialogScope modal;
        dialogs->RunFixAllDlg(this, data);
    }

    if (data.CommandsRun == 0) {
        // Nothing was fixed: the opening place holder leaves the history, and the campaign is
        // modified exactly as before.
        auto* waveApp = dynamic_cast<CWaveApp*>(app);
        if (waveApp && waveApp->GetCommandHistory().GetUndoTopCommand() == openingCommand)
            waveApp->UpdateModifiedIfUndoable();
        return;
    }
    // The questions whose differences the fixes changed are compared again, in every wave.
    const CCampaign* campaign = AppCampaign();
    std::set<int> changed;
    for (const auto& [questionId, volumeId] :
         ChangedKeys(questionsBefore, data.QuestionDifferences))
        changed.insert(int(questionId));
    for (const long responseId : ChangedKeys(responsesBefore, data.ModalityDifferences)) {
        if (const CModality* response =
                campaign ? campaign->GetModalityById(int(responseId)) : nullptr)
            changed.insert(response->GetQuestionId());
    }
    for (const int questionId : changed)
        InvalidateCachedQuestion(questionId);
    IssueCommand(std::make_unique<CCmdPlaceHolder>(IDS_FIX_ALL_DIFFERENCES, data.GroupId), {},
                 &onClosing, true);
    LoadWave(m_waveId);
}

void CRightReconciliationPage::RegisterQuestionActions()
{
    AddCommand(ID_QUESTION_VIEW_DIFFERENCES, [this] { OnViewQuestionDifferences(); });
    AddCommand(ID_QUESTION_CREATE, [this] { OnCreateCampaignQuestion(); });
    AddCommand(ID_QUESTION_REORDER_RESPONSES, [this] { OnReorderCampaignResponses(); });
}
