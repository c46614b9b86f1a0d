#include "commands/MetaCommands.h"

#include "commands/DuplicateCommands.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/PropertyCommands.h"

std::unique_ptr<CCallBackInfo> CMetaReconcileWaveCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaReconcileWaveCmd>(m_waveId);
}

std::unique_ptr<CCallBackInfo> CMetaReReconcileWaveCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaReReconcileWaveCmd>(m_waveId);
}

std::unique_ptr<CCallBackInfo> CMetaRemoveWaveCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaRemoveWaveCmd>(m_waveId);
}

std::unique_ptr<CCallBackInfo> CMetaOrderCampaignCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaOrderCampaignCmd>(m_id);
}

std::unique_ptr<CCallBackInfo> CMetaChangeQuestionCmd::CreateCallBackInfo() const
{
    std::set<int> properties;
    for (int i = 0; i < GetCmdCount(); ++i) {
        const CCmdVirtual* command = GetCmd(i);
        if (const auto* change = dynamic_cast<const CCmdChangeQuestion*>(command))
            properties.insert(change->GetProperty());
        else if (dynamic_cast<const CCmdChangeQuestionShortCaption*>(command))
            properties.insert(QUESTION_PROP_SHORT_CAPTION);
        else if (dynamic_cast<const CCmdChangeQuestionLongCaption*>(command))
            properties.insert(QUESTION_PROP_LONG_CAPTION);
    }
    return std::make_unique<CCallBackInfoMetaChangeQuestionCmd>(m_questionId,
                                                                std::move(properties));
}

std::unique_ptr<CCallBackInfo> CMetaChangeModalityCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaChangeModalityCmd>(m_modalityId);
}

std::unique_ptr<CCallBackInfo> CMetaChangeQuesAppVolIDCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaChangeQuesAppVolIDCmd>(m_volumeId, m_questionId,
                                                                    m_sourceQuestionId);
}

std::unique_ptr<CCallBackInfo> CMetaChangeModAppVolIDCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaChangeModAppVolIDCmd>(m_volumeId, m_modalityId,
                                                                   m_sourceModalityId);
}

std::unique_ptr<CCallBackInfo> CMetaMoveQuestionsCmd::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMetaMoveQuestionsCmd>(m_ids, m_before, m_after);
}

std::unique_ptr<CCallBackInfo> CMetaRemoveDuplicatesCmd::CreateCallBackInfo() const
{
    std::set<int> questions;
    for (int i = 0; i < GetCmdCount(); ++i) {
        const CCmdVirtual* command = GetCmd(i);
        if (const auto* question = dynamic_cast<const CCmdRemoveDuplicateQuestion*>(command)) {
            questions.insert(question->GetKeptQuestionId());
            questions.insert(question->GetDuplicateQuestionId());
        } else if (const auto* response =
                       dynamic_cast<const CCmdRemoveDuplicateModality*>(command)) {
            questions.insert(response->GetQuestionId());
        }
    }
    return std::make_unique<CCallBackInfoMetaRemoveDuplicatesCmd>(std::move(questions));
}
