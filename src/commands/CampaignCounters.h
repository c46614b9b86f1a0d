#pragma once

#include <QHash>

namespace pelko_wave {
class CCampaign;
class CQuestion;
class CWave;
} // namespace pelko_wave

// The running counters from which a campaign makes new ids and orders: its own, each wave's
// highest volume id and each question's highest response order. A command takes them before
// and after its change and gives them back on Undo and Redo, so that an undone step leaves no
// trace (its ids are free again) and a redone one is the step as it was first done.
struct SCampaignCounters
{
    int MaxWaveId = 0;
    int MaxWaveOrder = 0;
    int MaxQuestionId = 0;
    int MaxQuestionClassId = 0;
    int MaxModalityId = 0;
    int MaxQuestionOrder = 0;
    QHash<pelko_wave::CWave*, int> MaxVolumeIds;
    QHash<pelko_wave::CQuestion*, int> MaxModalityOrders;

    static SCampaignCounters Take(const pelko_wave::CCampaign& campaign);
    // Sets the campaign's counters and those of every wave and question taken. The waves and
    // questions are those of the campaign in the state the counters were taken in, which is the
    // state a command restores them in.
    void Restore(pelko_wave::CCampaign& campaign) const;
};
