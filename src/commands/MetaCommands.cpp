#include "commands/MetaCommands.h"

#include "commands/MetaCallBackInfo.h"

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
