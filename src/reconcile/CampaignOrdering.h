#pragma once

// Putting the campaign's questions, or the responses of campaign questions, in the order in
// which a wave's sources present them. Items without a source in the wave keep their place after
// the item that precedes them in the current order (the first goes to the front). Only the
// order fields, the running maximum orders and the arrays kept sorted by order change. Each
// returns 1 on success and 0, after a message box, when a source questionnaire cannot be read or
// lacks a question that a matching names; that question (or campaign) is not reordered then.

namespace pelko_wave {

class CCampaign;
class CQuestion;
class CWave;

// The responses of one campaign question, from the first volume of the wave in which the
// question is matched; a question matched in none keeps its order.
int OrderQuestionModalities(CCampaign& campaign, CQuestion& campaignQuestion, const CWave& wave);

// All campaign questions but the reserved one: the questions matched in the wave's first volume
// in its source order; those matched only in a later volume each after the question that
// precedes it in that volume's source (after all placed so far when none precedes it); then the
// others after their predecessors in the current order.
int OrderCampaignQuestions(CCampaign& campaign, const CWave& wave);

// OrderQuestionModalities for every question but the reserved one with two or more responses,
// in campaign order, stopping at the first failure (the questions before it stay reordered).
int OrderAllQuestionModalities(CCampaign& campaign, const CWave& wave);

} // namespace pelko_wave
