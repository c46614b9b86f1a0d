#include "reconcile/TextScan.h"

#include <algorithm>

void SortProposalsForTaking(std::vector<CTextScan::SProposal>& proposals)
{
    // Key: score descending, then position in the order remembered descending.
    std::reverse(proposals.begin(), proposals.end());
    std::stable_sort(proposals.begin(), proposals.end(),
                     [](const CTextScan::SProposal& a, const CTextScan::SProposal& b) {
                         return a.Score > b.Score;
                     });
}

CTextScan::CTextScan(const QStringList& sourceTexts, const CTextScanIndex::SSettings& settings,
                     double threshold)
    : m_index(sourceTexts, settings), m_threshold(threshold)
{
}

int CTextScan::ScanText(int campaignEntry, const QString& text, bool pairAtOnce,
                        const SourceFilter& filter)
{
    if (!IsCampaignLeft(campaignEntry))
        return -1;
    m_index.Find(text, m_threshold, m_hits);
    for (const CTextScanIndex::SHit& hit : m_hits) {
        if (filter && !filter(hit.Entry))
            continue;
        if (pairAtOnce && hit.Score == 1.0) {
            m_index.Remove(hit.Entry);
            m_pairedCampaign.insert(campaignEntry);
            return hit.Entry;
        }
        if (hit.Score > m_threshold)
            m_proposals.push_back({hit.Score, campaignEntry, hit.Entry});
    }
    return -1;
}

std::vector<CTextScan::SPair> CTextScan::TakeProposals()
{
    SortProposalsForTaking(m_proposals);
    std::vector<SPair> pairs;
    for (const SProposal& proposal : m_proposals) {
        if (!IsCampaignLeft(proposal.CampaignEntry) || !IsSourceLeft(proposal.SourceEntry))
            continue;
        m_index.Remove(proposal.SourceEntry);
        m_pairedCampaign.insert(proposal.CampaignEntry);
        pairs.push_back({proposal.CampaignEntry, proposal.SourceEntry, proposal.Score});
    }
    m_proposals.clear();
    return pairs;
}
