#include "commands/CampaignCounters.h"

#include "model/Campaign.h"

using namespace pelko_wave;

SCampaignCounters SCampaignCounters::Take(const CCampaign& campaign)
{
    SCampaignCounters counters;
    counters.MaxWaveId = campaign.GetMaxWaveId();
    counters.MaxWaveOrder = campaign.GetMaxWaveOrder();
    counters.MaxQuestionId = campaign.GetMaxQuestionId();
    counters.MaxQuestionClassId = campaign.GetMaxQuestionClassId();
    counters.MaxModalityId = campaign.GetMaxModalityId();
    counters.MaxQuestionOrder = campaign.GetMaxQuestionOrder();
    counters.MaxVolumeIds.reserve(campaign.GetWaveCount());
    for (int i = 0; i < campaign.GetWaveCount(); ++i)
        counters.MaxVolumeIds.insert(campaign.GetWave(i), campaign.GetWave(i)->GetMaxVolumeId());
    counters.MaxModalityOrders.reserve(campaign.GetQuestionCount());
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        CQuestion* question = campaign.GetQuestion(i);
        counters.MaxModalityOrders.insert(question, question->GetMaxModalityOrder());
    }
    return counters;
}

void SCampaignCounters::Restore(CCampaign& campaign) const
{
    campaign.SetMaxWaveId(MaxWaveId);
    campaign.SetMaxWaveOrder(MaxWaveOrder);
    campaign.SetMaxQuestionId(MaxQuestionId);
    campaign.SetMaxQuestionClassId(MaxQuestionClassId);
    campaign.SetMaxModalityId(MaxModalityId);
    campaign.SetMaxQuestionOrder(MaxQuestionOrder);
    for (auto it = MaxVolumeIds.cbegin(); it != MaxVolumeIds.cend(); ++it)
        it.key()->SetMaxVolumeId(it.value());
    for (auto it = MaxModalityOrders.cbegin(); it != MaxModalityOrders.cend(); ++it)
        it.key()->SetMaxModalityOrder(it.value());
}
