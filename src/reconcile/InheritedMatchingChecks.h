#pragma once

#include "reconcile/PositionSet.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <set>

// A volume that inherits from a parent volume starts with the parent's question and response
// matchings. Before the rest is matched, every inherited matching is checked against the
// volume's own questionnaire: one whose source code is gone, whose types or loop ancestry
// differ, or whose texts drifted too far by n-gram score is broken in this volume; the others
// are kept and take their items out of the candidates. Applying them ends the broken matchings
// at the parent's side and matches the responses of the kept questions.

namespace qnr {
class CQuestion;
class CQuestionnaire;
} // namespace qnr

namespace pelko_wave {

class CQuestion;
class CSourceCodeMap;
class CVolume;
struct SReconcileRun;

// Source code -> campaign question id of the question matchings that the volume inherits
// from its ancestors (valid for it), the reserved question left out. Empty for a root.
QMap<QString, int> CollectInheritedQuestionMatchings(const CVolume& volume);
// Source response code -> campaign response id of the question's response matchings that the
// volume inherits from its ancestors. Empty for a root.
QMap<QString, int> CollectInheritedResponseMatchings(const CVolume& volume, int questionId);

// Checks each inherited question pair (source code -> campaign question id), in code order.
// Kept pairs go into kept and their campaign question position and source position leave the
// candidates; the codes of broken pairs go into broken. Lines go into the report when given.
void CheckInheritedQuestionMatchings(const CVolume& volume,
                                     const qnr::CQuestionnaire& questionnaire,
                                     const QMap<QString, int>& inherited, QMap<QString, int>& kept,
                                     const CSourceCodeMap& codeMap,
                                     CPositionSet& campaignCandidates,
                                     CPositionSet& sourceCandidates, std::set<QString>& broken,
                                     QString* report);

// The same for the inherited response pairs (source response code -> campaign response id) of
// one question pair; the candidates are positions among the campaign question's responses and
// among the source question's responses.
void CheckInheritedResponseMatchings(const CVolume& volume, const CQuestion& campaignQuestion,
                                     const qnr::CQuestion& sourceQuestion,
                                     const QMap<QString, int>& inherited, QMap<QString, int>& kept,
                                     const CSourceCodeMap& codeMap,
                                     std::set<int>& campaignCandidates,
                                     std::set<int>& sourceCandidates, std::set<QString>& broken,
                                     QString* report);

// The driver's step for a volume with a parent: ends the broken inherited question matchings at
// the parent's side, then matches the responses of every question the volume still inherits
// and records the response matchings and new responses. items counts the questions whose
// responses are matched (the progress shares total among them).
void ApplyInheritedMatchings(SReconcileRun& run, CVolume& parent, CVolume& volume, int& items,
                             int total);

} // namespace pelko_wave
