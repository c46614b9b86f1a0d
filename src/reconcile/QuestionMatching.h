#pragma once

#include "reconcile/TextScanIndex.h"

#include <QString>

// Pairs a volume's source questions with campaign questions by the volume's ordered question
// matching methods, strictly (every method checks each pair) or by the first method that
// succeeds, and writes the volume's question section of the report. The pairs and what is left
// unmatched go into the volume's question look-up record; the driver then makes the pairs
// campaign matchings, and the source questions left over become new campaign questions.

namespace qnr {
class CQuestion;
}

namespace pelko_wave {

class CCampaign;
class CQuestion;
class CVolume;
struct SReconcileRun;

struct SQuestionMatchingOptions
{
    // Re-reconciliation: only the campaign questions that no volume of the wave matched and the
    // source questions that no matching of the volume uses take part, and inherited matchings
    // are not checked.
    bool ReconcileUnmatchedOnly = false;
    // Whether report lines are written.
    bool ReportFlag = false;
    TextScanMode TextScan = TextScanMode::Indexed;
};

// Fills the volume's question look-up record (emptied first) from its loaded questionnaire,
// and appends its lines to the report when the options ask for lines.
void MatchVolumeQuestions(QString& report, CVolume& volume, int waveId, CCampaign& campaign,
                          const SQuestionMatchingOptions& options);

// Whether the campaign question and the source question agree by one text method (shortcut,
// short caption, long caption or user data), the campaign side taken from the parent volume's
// source question when the volume matches using parent values.
bool CheckQuestionPairByMethod(int method, const CVolume& volume, const CQuestion& campaignQuestion,
                               const qnr::CQuestion& sourceQuestion);

// Turns the source questions left unmatched into campaign questions, placed after the campaign
// question of the nearest preceding source question that has one, with their responses and
// matchings. In a command-line run without the switch that allows new questions, stops the run.
void AddNewCampaignQuestions(SReconcileRun& run, CVolume& volume);

} // namespace pelko_wave
