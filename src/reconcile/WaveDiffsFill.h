#pragma once

// Filling a wave's entry of the difference cache, in the order the cache relies on: take the
// wave's entry (made when missing); recompute every question when the whole wave is stale, else
// the stale questions only; clear the whole-wave flag after a full pass. Recomputing a question
// erases what the entry holds for it and its responses, then, in each volume of the wave that
// matches it, compares it with its source question, each of its matched responses with its
// source response, and adds "Responses" (26) when a response differs and "Response count" (25)
// when that kind is compared and the counts disagree. The volumes' source questionnaires are
// loaded when they are not yet.

class CCampaignDiffsCache;
class CWaveDiffsEntry;

namespace pelko_wave {
class CCampaign;
}

// Brings the wave's entry up to date and returns it; null when the campaign has no such wave.
CWaveDiffsEntry* FillWaveDifferences(CCampaignDiffsCache& cache, pelko_wave::CCampaign& campaign,
                                     int waveId);
