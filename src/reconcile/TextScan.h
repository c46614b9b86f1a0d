#pragma once

#include "reconcile/TextScanIndex.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <set>
#include <vector>

// One scan of a text matching method: campaign texts are scored against the source texts still
// in the scan, in scan order. A score of exactly 1.0 pairs the two at once (when the caller
// asks for it); a score above the threshold is remembered as a proposal; at the end the
// proposals are taken from the highest score down, the one remembered last first among equal
// scores, each one made when both sides are still in the scan.
//
// Campaign entries are the caller's numbers; source entries are the positions of the source
// texts given, in scan order.
class CTextScan
{
public:
    struct SPair
    {
        int CampaignEntry = 0;
        int SourceEntry = 0;
        double Score = 0.0;
    };
    struct SProposal
    {
        double Score = 0.0;
        int CampaignEntry = 0;
        int SourceEntry = 0;
    };
    // Whether a source entry may be scored against the text at all (loop ancestry, types ...).
    using SourceFilter = std::function<bool(int sourceEntry)>;

    CTextScan(const QStringList& sourceTexts, const CTextScanIndex::SSettings& settings,
              double threshold);

    double GetThreshold() const { return m_threshold; }

    // Scores the text for the campaign entry against the source entries still in the scan
    // that the filter lets through, in scan order, remembering each score above the threshold
    // as a proposal. With pairAtOnce, the first score of exactly 1.0 ends the scan of the text:
    // both entries leave the scan and the source entry is returned. Returns -1 otherwise.
    int ScanText(int campaignEntry, const QString& text, bool pairAtOnce = true,
                 const SourceFilter& filter = {});

    // Takes the proposals from the highest score down (equal scores: the one remembered last
    // first); a proposal whose two entries are both still in the scan becomes a pair and both
    // leave. Returns the pairs in the order made; the proposals are emptied.
    std::vector<SPair> TakeProposals();

    // Entries taken out of the scan by the caller (paired by other means).
    void RemoveSource(int sourceEntry) { m_index.Remove(sourceEntry); }
    void RemoveCampaign(int campaignEntry) { m_pairedCampaign.insert(campaignEntry); }
    bool IsSourceLeft(int sourceEntry) const { return !m_index.IsRemoved(sourceEntry); }
    bool IsCampaignLeft(int campaignEntry) const
    {
        return m_pairedCampaign.count(campaignEntry) == 0;
    }

    const std::vector<SProposal>& GetProposals() const { return m_proposals; }
    const CTextScanIndex& GetIndex() const { return m_index; }

private:
    CTextScanIndex m_index;
    double m_threshold;
    std::vector<SProposal> m_proposals; // in the order remembered
    std::set<int> m_pairedCampaign;
    std::vector<CTextScanIndex::SHit> m_hits;
};

// Sorts proposals for taking: highest score first; among equal scores the one remembered last
// (the higher position in the list) first.
void SortProposalsForTaking(std::vector<CTextScan::SProposal>& proposals);
