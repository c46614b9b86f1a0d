// The reconciliation page's question matching commands: breaking a row's matching, re-matching a
// source question onto another campaign question (by a drop or by the pick mode's click), and
// removing a campaign question as of the page's wave. Each runs as one undoable step whose
// callbacks update the rows.

#include "views/RightReconciliationPage.h"

#include "commands/MatchingCommands.h"
#include "commands/MetaCmd.h"
#include "commands/PropertyCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

void CRightReconciliationPage::OnBreakQuestionMatching()
{
    CCampaign* campaign = AppCampaign();
    const int row = m_gridQuestions->GetFocusCell().row;
    if (!campaign || row < m_gridQuestions->GetFixedRowCount())
        return;
    CVolume* volume = GetQuestionRowVolume(row);
    const long questionId = m_questionRows.GetId(row);
    CQuestion* question = questionId > 0 ? campaign->GetQuestionById(int(questionId)) : nullptr;
    const qnr::CQuestion* source = GetSourceQuestionAtRow(row);
    if (!volume || !question || !source)
        return;
    IssueCommand(std::make_unique<CCmdBreakQuesMatching>(campaign, volume, question, source),
                 BreakQuesMatchingCallBacks(), nullptr, true);
}

bool CRightReconciliationPage::RematchQuestion(const CCellID& pick, const CCellID& target,
                                               int* leftQuestionId)
{
    if (leftQuestionId)
        *leftQuestionId = -1;
    CCampaign* campaign = AppCampaign();
    if (!campaign)
        return false;
    // The target row: its campaign question, and the source question it gives up.
    CVolume* targetVolume = GetQuestionRowVolume(target.row);
    const long targetId = m_questionRows.GetId(target.row);
    CQuestion* targetQuestion = targetId > 0 ? campaign->GetQuestionById(int(targetId)) : nullptr;
    if (!targetQuestion)
        return false;
    const qnr::CQuestion* targetSource = nullptr;
    if (m_questionRows.GetSourceKey(target.row) != kNoSourceKey) {
        targetSource = GetSourceQuestionAtRow(target.row);
        if (!targetVolume || !targetSource)
            return false;
    }

    // The pick row: the source question that moves, and the campaign question it leaves.
    CVolume* pickVolume = GetQuestionRowVolume(pick.row);
    const long pickId = m_questionRows.GetId(pick.row);
    CQuestion* pickQuestion = pickId > 0 ? campaign->GetQuestionById(int(pickId)) : nullptr;
    const qnr::CQuestion* pickSource = GetSourceQuestionAtRow(pick.row);
    if (!pickVolume || (pickId > 0 && !pickQuestion) || !pickSource)
        return false;

    auto composite = std::make_unique<CMetaCmd>(IDS_REMATCH_QUESTION);
    if (pickQuestion)
        composite->AddCmd(
            std::make_unique<CCmdBreakQuesMatching>(campaign, pickVolume, pickQuestion, pickSource),
            BreakQuesMatchingCallBacks());
    if (targetSource)
        composite->AddCmd(std::make_unique<CCmdBreakQuesMatching>(campaign, targetVolume,
                                                                  targetQuestion, targetSource),
                          BreakQuesMatchingCallBacks());
    composite->AddCmd(
        std::make_unique<CCmdCreateQuesMatching>(campaign, pickVolume, targetQuestion, pickSource),
        CreateQuesMatchingCallBacks());
    if (!IssueCommand(std::move(composite), {}, nullptr, true))
        return false;
    if (leftQuestionId && pickQuestion)
        *leftQuestionId = pickQuestion->GetQuestionId();
    return true;
}

void CRightReconciliationPage::OfferRemoveOriginalQuestion(const CQuestion& question)
{
    if (AskYesNo(FormatString(LoadString(IDS_REMOVE_ORIGINAL_QUESTION), {question.GetShortcut()})))
        RemoveCampaignQuestion(&question, false);
}

void CRightReconciliationPage::RematchAndOffer(const CCellID& pick, const CCellID& target)
{
    int leftId = -1;
    if (!RematchQuestion(pick, target, &leftId) || leftId <= 0)
        return;
    // A question that first appeared in this wave may have been made for the source question
    // by mistake: it is offered for removal.
    const CCampaign* campaign = AppCampaign();
    const CQuestion* left = campaign ? campaign->GetQuestionById(leftId) : nullptr;
    if (left && WaveHasVolume(int(m_waveId), left->GetAppearanceVolumeId()))
        OfferRemoveOriginalQuestion(*left);
}

LRESULT CRightReconciliationPage::OnQuestionGridDrop()
{
    const CCellID target = m_gridQuestions->GetLastDragOverCell();
    const CCellID pick = m_pickQuestionCell;
    if (target.row != -1 && pick.row != -1 && target.row != pick.row &&
        CanRematchQuestion(pick, target) && ConfirmQuestionDrop(pick, target))
        RematchAndOffer(pick, target);
    EndQuestionPick();
    return 0;
}

LRESULT CRightReconciliationPage::OnQuestionGridClick(int row, int col)
{
    if (m_pickQuestion) {
        const CCellID clicked(row, col);
        const CCellID pick = m_pickQuestionCell;
        if (!CanRematchQuestion(pick, clicked))
            ShowQuestionRematchProblems(pick, clicked);
        else if (row != pick.row && ConfirmQuestionDrop(pick, clicked))
            RematchAndOffer(pick, clicked);
        EndQuestionPick();
    }
    if (m_pickResponse)
        EndResponsePick();
    return 0;
}

bool CRightReconciliationPage::RemoveCampaignQuestion(const CQuestion* question, bool ask)
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = CurrentWave();
    CQuestion* removed =
        question && campaign ? campaign->GetQuestionById(question->GetQuestionId()) : nullptr;
    if (!removed || !wave || wave->GetVolumeCount() == 0)
        return false;

    // The sub-questions: those that follow it, as the page lists them, indented deeper; one
    // already removed as of the wave is passed over.
    std::set<std::pair<int, int>> shown;
    CollectWaveQuestions(*campaign, wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId(),
                         shown);
    std::vector<CQuestion*> subQuestions;
    bool found = false;
    for (const auto& [order, id] : shown) {
        CQuestion* candidate = campaign->GetQuestionById(id);
        if (!found) {
            found = candidate == removed;
            continue;
        }
        if (!candidate || candidate->GetIndent() <= removed->GetIndent())
            break;
        if (campaign->IsWaveBefore(int(m_waveId), candidate->GetDeletionWaveId()))
            subQuestions.push_back(candidate);
    }

    std::vector<CQuestion*> questions{removed};
    if (subQuestions.empty()) {
        if (ask && !AskYesNo(LoadString(IDS_REMOVE_QUESTION_CONFIRM)))
            return false;
    } else if (GetWindowServices().MessageBox(
                   FormatString(LoadString(IDS_REMOVE_SUB_QUESTIONS), {int(subQuestions.size())}),
                   MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        questions.insert(questions.end(), subQuestions.begin(), subQuestions.end());
    }

    auto composite = std::make_unique<CMetaCmd>(IDS_REMOVE_QUESTION);
    for (CQuestion* each : questions) {
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            const CVolume* volume = wave->GetVolume(v);
            const CQuestionMatching* matching =
                volume->FindQuestionMatchingInherited(each->GetQuestionId(), volume->GetVolumeId());
            const qnr::CQuestion* source =
                matching
                    ? volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt())
                    : nullptr;
            if (source)
                composite->AddCmd(std::make_unique<CCmdDeepBreakQuesMatching>(
                                      campaign, each, source, volume->GetVolumeId()),
                                  DeepBreakQuesMatchingCallBacks());
        }
        composite->AddCmd(std::make_unique<CCmdChangeQuestion>(
            campaign, each, QUESTION_PROP_IS_DELETED, CValue(true)));
        composite->AddCmd(std::make_unique<CCmdChangeQuestion>(
                              campaign, each, QUESTION_PROP_DELETION_WAVE, CValue(int(m_waveId))),
                          ChangeQuestionCallBacks());
    }
    return IssueCommand(std::move(composite), {}, nullptr, true);
}

void CRightReconciliationPage::RegisterQuestionCommands()
{
    AddCommand(ID_QUESTION_BREAK_MATCHING, [this] { OnBreakQuestionMatching(); });
    AddCommand(ID_QUESTION_REMOVE, [this] { RemoveCampaignQuestion(GetCurrentQuestion(), true); });
    AddNotifyHandler(kQuestionGridId, WGN_DROPPED, [this](NMHDR&) { return OnQuestionGridDrop(); });
    AddNotifyHandler(kQuestionGridId, NM_CLICK, [this](NMHDR& header) {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        return OnQuestionGridClick(report.iRow, report.iColumn);
    });
}
