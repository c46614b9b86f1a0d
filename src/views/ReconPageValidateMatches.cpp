// The reconciliation page's "Validate Matches": in a wave of one volume, every question matching
// of a question with responses whose pair shows no difference is broken and made again, so that
// its responses are matched afresh by the volume's methods, all in one undoable step.

#include "views/RightReconciliationPage.h"

#include "commands/MatchingCommands.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCmd.h"
#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Question.h"
#include "model/QuestionKinds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "res/StringIds.h"
#include "views/IssueCommand.h"

using namespace pelko_wave;

void CRightReconciliationPage::OnValidateMatches()
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
    if (!wave || wave->GetVolumeCount() != 1)
        return;
    CVolume* volume = wave->GetVolume(0);
    const int volumeId = volume->GetVolumeId();
    const CWaveDiffsEntry* entry = GetWaveDiffsEntry();

    auto composite = std::make_unique<CMetaCmd>(IDS_VALIDATED_CAMPAIGN);
    std::set<std::pair<int, int>> questions;
    CollectWaveQuestions(*campaign, volumeId, questions);
    for (const auto& [order, questionId] : questions) {
        CQuestion* question = campaign->GetQuestionById(questionId);
        if (!question)
            return;
        // Only the responses are matched afresh: a question without any keeps its matching.
        if (!IsQuestionWithResponses(*question))
            continue;
        const CQuestionMatching* matching =
            volume->FindQuestionMatchingInherited(questionId, volumeId);
        if (!matching || (entry && entry->GetQuestionDiffs().Count({questionId, volumeId}) > 0))
            continue;
        const qnr::CQuestion* source =
            volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt());
        if (!source)
            continue;
        composite->AddCmd(
            std::make_unique<CCmdBreakQuesMatching>(campaign, volume, question, source));
        composite->AddCmd(
            std::make_unique<CCmdCreateQuesMatching>(campaign, volume, question, source));
    }
    // With no clean pair there is nothing to make again, and nothing is recorded.
    if (composite->GetCmdCount() == 0)
        return;
    // The matchings made again may match the responses otherwise: the wave is shown again after
    // every step.
    IssueCommand(std::move(composite), WaveReloadCallBacks(typeid(CCallBackInfoMetaCmd)), nullptr,
                 true);
}
