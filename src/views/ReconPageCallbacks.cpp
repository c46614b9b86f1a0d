// The reconciliation page's command callbacks: the handlers it gives with the commands it issues.
// After each Do, Undo and Redo the history hands a handler the command's change record; the
// handler marks the question concerned for new differences and updates the rows in place. A
// record of another kind than the handler expects is only let go.

#include "views/RightReconciliationPage.h"

#include "commands/MatchingCallBackInfo.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/QuestionCallBackInfo.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "platform/AppServices.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "views/IssueCommand.h"
#include "views/WaveGridCtrl.h"

#include <typeinfo>

using namespace pelko_wave;

namespace {

enum EPhase
{
    AfterDo,
    AfterUndo,
    AfterRedo
};

} // namespace

template <class TRecord>
CCmdCallBacks CRightReconciliationPage::MakeCallBacks(std::function<void(TRecord&, int)> update)
{
    // The history keeps the handlers for as long as the step can be undone: guarded, they do
    // nothing once the page is gone.
    const auto phase = [update](int which) -> CCmdCallBack {
        return [update, which](std::unique_ptr<CCallBackInfo> record) {
            if (auto* typed = dynamic_cast<TRecord*>(record.get()))
                update(*typed, which);
        };
    };
    return GuardCallBacks(this, {phase(AfterDo), phase(AfterUndo), phase(AfterRedo)});
}

CCmdCallBacks CRightReconciliationPage::NewQuestionCallBacks()
{
    return MakeCallBacks<CCallBackInfoNewQuestion>(
        [this](CCallBackInfoNewQuestion& record, int phase) {
            if (!record.Question)
                return;
            m_newQuestionId = record.Question->GetQuestionId();
            InvalidateCachedQuestion(int(m_newQuestionId));
            if (phase == AfterUndo)
                RemoveNewQuestionRow(*record.Question);
        });
}

CCmdCallBacks CRightReconciliationPage::NewModalityCallBacks()
{
    return MakeCallBacks<CCallBackInfoNewModality>(
        [this](CCallBackInfoNewModality& record, int phase) {
            if (!record.Modality)
                return;
            m_newResponseId = record.Modality->GetModalityId();
            InvalidateCachedQuestion(record.Modality->GetQuestionId());
            if (phase == AfterUndo)
                RemoveUnsourcedResponseRow(*record.Modality);
            else if (phase == AfterRedo)
                // The page may show the question's row of another volume than the one the
                // response was made in: there the response has a row without a source side,
                // among the campaign responses in their order.
                ShowResponseAlone(*record.Modality, ResponseRowForOrder(*record.Modality));
            // The new response moved the ones after it down: their numbers change.
            RewriteEntryCodeTexts();
        });
}

CCmdCallBacks CRightReconciliationPage::ChangeQuestionCallBacks()
{
    return MakeCallBacks<CCallBackInfoChangeQuestion>(
        [this](CCallBackInfoChangeQuestion& record, int phase) {
            if (!record.Object)
                return;
            InvalidateCachedQuestion(record.Object->GetQuestionId());
            RefreshQuestionRows(*record.Object, phase == AfterRedo);
        });
}

CCmdCallBacks CRightReconciliationPage::ChangeModalityCallBacks()
{
    return MakeCallBacks<CCallBackInfoChangeModality>(
        [this](CCallBackInfoChangeModality& record, int phase) {
            if (!record.Object)
                return;
            InvalidateCachedQuestion(record.Object->GetQuestionId());
            RewriteResponseRow(*record.Object, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::CreateQuesMatchingCallBacks()
{
    return MakeCallBacks<CCallBackInfoCreateQuesMatching>(
        [this](CCallBackInfoCreateQuesMatching& record, int phase) {
            if (!record.Volume || !record.Question || !record.SourceQuestion)
                return;
            InvalidateCachedQuestion(record.Question->GetQuestionId());
            if (phase == AfterUndo)
                ShowQuestionUnmatched(*record.Volume, *record.Question, *record.SourceQuestion,
                                      false);
            else
                ShowQuestionMatched(*record.Volume, *record.Question, *record.SourceQuestion,
                                    phase == AfterDo);
            // The volumes of the wave that inherit from this one follow it.
            FollowQuestionMatchings(*record.Question, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::BreakQuesMatchingCallBacks()
{
    return MakeCallBacks<CCallBackInfoBreakQuesMatching>(
        [this](CCallBackInfoBreakQuesMatching& record, int phase) {
            if (!record.Volume || !record.Question || !record.SourceQuestion)
                return;
            InvalidateCachedQuestion(record.Question->GetQuestionId());
            if (phase == AfterUndo)
                ShowQuestionMatched(*record.Volume, *record.Question, *record.SourceQuestion,
                                    false);
            else
                ShowQuestionUnmatched(*record.Volume, *record.Question, *record.SourceQuestion,
                                      phase == AfterDo);
            // The volumes of the wave that inherit from this one follow it.
            FollowQuestionMatchings(*record.Question, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::DeepBreakQuesMatchingCallBacks()
{
    return MakeCallBacks<CCallBackInfoDeepBreakQuesMatching>(
        [this](CCallBackInfoDeepBreakQuesMatching& record, int phase) {
            if (!record.Question)
                return;
            const int questionId = record.Question->GetQuestionId();
            InvalidateCachedQuestion(questionId);
            ShowDeepBreak(questionId, record.VolumeId, phase != AfterUndo, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::ReorderQuesModalitiesCallBacks()
{
    return MakeCallBacks<CCallBackInfoReorderQuesModalities>(
        [this](CCallBackInfoReorderQuesModalities& record, int) {
            if (!record.Question)
                return;
            InvalidateCachedQuestion(record.Question->GetQuestionId());
            const int row = m_questionRows.GetFirstRow(record.Question->GetQuestionId());
            if (row != kNoRow)
                SelectQuestionRow(row,
                                  std::max(m_gridQuestions->GetFocusCell().col, int(QColState)));
            RefreshResponses();
        });
}

CCmdCallBacks CRightReconciliationPage::MetaChangeQuesAppVolIDCallBacks()
{
    return MakeCallBacks<CCallBackInfoMetaChangeQuesAppVolIDCmd>(
        [this](CCallBackInfoMetaChangeQuesAppVolIDCmd& record, int phase) {
            const CCampaign* campaign = AppCampaign();
            const CQuestion* question =
                campaign ? campaign->GetQuestionById(record.QuestionId) : nullptr;
            const CVolume* volume = campaign ? campaign->FindVolume(record.VolumeId) : nullptr;
            if (!question || !volume)
                return;
            InvalidateCachedQuestion(record.QuestionId);
            if (phase == AfterUndo) {
                // A question first appearing later in the wave is still shown, unmatched, where
                // its rows began.
                int first = kNoRow;
                const long id = record.QuestionId;
                for (const int row : m_questionRows.GetRows(id))
                    first = first == kNoRow ? row : std::min(first, row);
                DetachCampaignQuestionRows(*question);
                ShowQuestionAlone(*question, first);
            } else if (const qnr::CQuestion* source =
                           volume->GetQuestionnaire().FindQuestionById(record.SourceQuestionId)) {
                ShowQuestionMatched(*volume, *question, *source, phase == AfterDo);
            }
            RefreshResponses();
        });
}

CCmdCallBacks CRightReconciliationPage::MetaChangeModAppVolIDCallBacks()
{
    return MakeCallBacks<CCallBackInfoMetaChangeModAppVolIDCmd>(
        [this](CCallBackInfoMetaChangeModAppVolIDCmd& record, int phase) {
            const CCampaign* campaign = AppCampaign();
            const CModality* response =
                campaign ? campaign->GetModalityById(record.ModalityId) : nullptr;
            const CVolume* volume = campaign ? campaign->FindVolume(record.VolumeId) : nullptr;
            if (!response || !volume)
                return;
            InvalidateCachedQuestion(response->GetQuestionId());
            if (phase == AfterUndo) {
                // A response first appearing later in the wave is still shown, unmatched, where
                // its row was.
                const int row = m_responseRows.GetFirstRow(response->GetModalityId());
                DetachCampaignResponseRow(*response);
                ShowResponseAlone(*response, row);
                return;
            }
            const qnr::CQuestion* source = GetCurrentSourceQuestion();
            if (const qnr::CModalite* sourceResponse =
                    source ? source->FindModaliteById(record.SourceModalityId) : nullptr)
                ShowResponseMatched(*volume, *response, *sourceResponse, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::CreateModMatchingCallBacks()
{
    return MakeCallBacks<CCallBackInfoCreateModMatching>(
        [this](CCallBackInfoCreateModMatching& record, int phase) {
            if (!record.Volume || !record.Modality || !record.SourceModality)
                return;
            InvalidateCachedQuestion(record.Modality->GetQuestionId());
            if (phase == AfterUndo)
                RefreshResponseRow(*record.Volume, *record.Modality, true, false);
            else
                ShowResponseMatched(*record.Volume, *record.Modality, *record.SourceModality,
                                    phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::BreakModMatchingCallBacks()
{
    return MakeCallBacks<CCallBackInfoBreakModMatching>(
        [this](CCallBackInfoBreakModMatching& record, int phase) {
            if (!record.Volume || !record.Modality)
                return;
            InvalidateCachedQuestion(record.Modality->GetQuestionId());
            if (phase != AfterUndo)
                RefreshResponseRow(*record.Volume, *record.Modality, true, false);
            else if (record.SourceModality)
                ShowResponseMatched(*record.Volume, *record.Modality, *record.SourceModality,
                                    false);
            else
                FollowResponseMatchings({record.Modality}, false);
        });
}

CCmdCallBacks CRightReconciliationPage::DeepBreakModMatchingCallBacks()
{
    // The break reaches the pivot volume and every later one: the rows of the response grid's
    // volume follow the model, whichever it is.
    return MakeCallBacks<CCallBackInfoDeepBreakModMatching>(
        [this](CCallBackInfoDeepBreakModMatching& record, int phase) {
            if (!record.Modality)
                return;
            InvalidateCachedQuestion(record.Modality->GetQuestionId());
            FollowResponseMatchings({record.Modality}, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::MergeModalitiesCallBacks()
{
    return MakeCallBacks<CCallBackInfoMergeModalities>(
        [this](CCallBackInfoMergeModalities& record, int phase) {
            if (!record.Master || !record.Child)
                return;
            if (CWaveDiffsEntry* entry = GetWaveDiffsEntry())
                entry->InvalidateQuestion(record.Child->GetQuestionId());
            if (phase == AfterUndo)
                RewriteResponseRow(*record.Child, false);
            else
                ShowResponseMerged(*record.Child, *record.Master, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::RemoveDuplicateModalityCallBacks()
{
    return MakeCallBacks<CCallBackInfoRemoveDuplicateModality>(
        [this](CCallBackInfoRemoveDuplicateModality& record, int phase) {
            if (!record.Kept || !record.Duplicate)
                return;
            InvalidateCachedQuestion(record.Kept->GetQuestionId());
            // The duplicate's source response passes to the kept response, or back.
            FollowResponseMatchings({record.Duplicate, record.Kept}, phase == AfterDo);
            for (const CModality* response : {record.Duplicate, record.Kept})
                RewriteResponseRow(*response, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::MetaChangeModalityCallBacks()
{
    return MakeCallBacks<CCallBackInfoMetaChangeModalityCmd>(
        [this](CCallBackInfoMetaChangeModalityCmd& record, int phase) {
            const CCampaign* campaign = AppCampaign();
            const CModality* response =
                campaign ? campaign->GetModalityById(record.ModalityId) : nullptr;
            if (!response)
                return;
            InvalidateCachedQuestion(response->GetQuestionId());
            RefreshChangedResponse(*response, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::MetaCmdCallBacks(int questionId, bool responsesMatched)
{
    return MakeCallBacks<CCallBackInfoMetaCmd>(
        [this, questionId, responsesMatched](CCallBackInfoMetaCmd&, int phase) {
            const CCampaign* campaign = AppCampaign();
            const CQuestion* question = campaign ? campaign->GetQuestionById(questionId) : nullptr;
            if (!question)
                return;
            InvalidateCachedQuestion(questionId);
            RewriteQuestionTexts(*question);
            // The composite may have matched the question again in the volumes that inherit
            // from the one it changed: every row of the question follows.
            FollowQuestionMatchings(*question, phase == AfterDo);
            RecomputeQuestionRows(*question, phase != AfterUndo);
            // Taking the composite back may have changed the responses shown, and so does one
            // that matches the question's responses again.
            if ((phase == AfterUndo || responsesMatched) && m_curQuestionId == questionId)
                RefreshResponses();
        });
}

CCmdCallBacks CRightReconciliationPage::MetaChangeQuestionCallBacks()
{
    return MakeCallBacks<CCallBackInfoMetaChangeQuestionCmd>(
        [this](CCallBackInfoMetaChangeQuestionCmd& record, int phase) {
            const CCampaign* campaign = AppCampaign();
            const CQuestion* question =
                campaign ? campaign->GetQuestionById(record.QuestionId) : nullptr;
            if (!question)
                return;
            InvalidateCachedQuestion(question->GetQuestionId());
            // The campaign side of every row of the question (its texts and kind), then each
            // matched row's differences and colours.
            RefreshQuestionRows(*question, false);
            RecomputeQuestionRows(*question, phase == AfterDo);
        });
}

CCmdCallBacks CRightReconciliationPage::SwapResponseOrderCallBacks()
{
    return MakeCallBacks<CCallBackInfoSwapResponseOrder>(
        [this](CCallBackInfoSwapResponseOrder& record, int) {
            const CCampaign* campaign = AppCampaign();
            const CModality* first =
                campaign ? campaign->GetModalityById(record.FirstModalityId) : nullptr;
            const CModality* second =
                campaign ? campaign->GetModalityById(record.SecondModalityId) : nullptr;
            if (first && second)
                SwapResponseRows(*first, *second);
        });
}

CCmdCallBacks CRightReconciliationPage::WaveReloadCallBacks(const std::type_info& recordKind)
{
    const CCmdCallBack reload = [this, &recordKind](std::unique_ptr<CCallBackInfo> record) {
        if (!record || typeid(*record) != recordKind)
            return;
        const IWaveApp* app = GetWaveApp();
        if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr)
            cache->InvalidateWave(0);
        LoadWave(m_waveId);
    };
    return GuardCallBacks(this, {reload, reload, reload});
}

CCmdCallBacks CRightReconciliationPage::FixAllPlaceHolderCallBacks()
{
    return WaveReloadCallBacks(typeid(CCallBackInfoFixAllPlaceHolderCmd));
}
