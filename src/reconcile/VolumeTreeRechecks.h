#pragma once

#include <QMap>
#include <memory>
#include <vector>

// Bringing a volume's matchings (the holder's) into line with the volumes below it in its
// volume tree, after the volume was reconciled or a matching was made by hand: a descendant
// that ties the same campaign item to another source item ends the holder's matching; a
// descendant's own matching that repeats the holder's is folded into it; an inherited matching
// that the descendant's source no longer supports is ended at the descendant's parent.

namespace pelko_wave {
class CCampaign;
class CModalityMatching;
class CQuestion;
class CQuestionMatching;
class CVolume;
} // namespace pelko_wave

// What a walk changed, for the calling command to undo and redo. A matching's former end is the
// one it had before the first change, its new end the one after the last. The matchings taken
// out of their volumes are owned here until the command puts them back.
struct SVolumeTreeChanges
{
    QMap<pelko_wave::CQuestionMatching*, int> QuestionEndsBefore;
    QMap<pelko_wave::CQuestionMatching*, int> QuestionEndsAfter;
    QMap<pelko_wave::CModalityMatching*, int> ModalityEndsBefore;
    QMap<pelko_wave::CModalityMatching*, int> ModalityEndsAfter;
    std::vector<std::unique_ptr<pelko_wave::CQuestionMatching>> RemovedQuestionMatchings;
    std::vector<std::unique_ptr<pelko_wave::CModalityMatching>> RemovedModalityMatchings;

    bool IsEmpty() const;
};

// Moves the changes of a later walk into the record of earlier ones: a former end already
// noted stays, new ends are replaced, removed matchings are appended.
void MergeVolumeTreeChanges(SVolumeTreeChanges& into, SVolumeTreeChanges&& later);

// For each own response matching and then each own question matching of the volume, from last
// to first, the holder's matching of the same item valid at the volume (its own or inherited):
// when the source ids differ (ignoring case) the holder's matching ends at the holder; when
// they agree the volume's matching is taken out and the holder's takes over its end. Then the
// same for every child of the volume, with the same holder.
void RecheckVolumeTreeMatchings(pelko_wave::CVolume& holder, pelko_wave::CVolume& volume,
                                SVolumeTreeChanges& changes);

// The same for one campaign question: its response matchings of the volume valid there, then
// its question matchings valid at the volume when the volume's and the holder's differ; then
// every child of the volume with the volume as the new holder.
void RecheckVolumeTreeModalityMatchings(pelko_wave::CVolume& holder, pelko_wave::CVolume& volume,
                                        const pelko_wave::CQuestion& question,
                                        SVolumeTreeChanges& changes);

// Checks one of the holder's own question matchings, and its response matchings, against the
// volume below it: they are ended at the volume's parent where the volume has its own matching
// of the question or response, or where the volume's source lacks the matched source item or
// (with the check flags) no longer resembles the campaign item.
void CheckInheritedMatchingInVolume(const pelko_wave::CCampaign& campaign,
                                    pelko_wave::CVolume& holder, pelko_wave::CVolume& volume,
                                    pelko_wave::CQuestionMatching& matching,
                                    SVolumeTreeChanges& changes, bool checkQuestion,
                                    bool checkResponse);

// CheckInheritedMatchingInVolume for each own question matching of the holder; then the same
// for every child of the volume with both flags set.
void CheckInheritedMatchingsInVolumeTree(const pelko_wave::CCampaign& campaign,
                                         pelko_wave::CVolume& holder, pelko_wave::CVolume& volume,
                                         SVolumeTreeChanges& changes, bool checkQuestion,
                                         bool checkResponse);

// The same for the holder's own matching of one campaign question.
void CheckInheritedMatchingOfQuestionInVolumeTree(const pelko_wave::CCampaign& campaign,
                                                  pelko_wave::CVolume& holder,
                                                  pelko_wave::CVolume& volume,
                                                  const pelko_wave::CQuestion& question,
                                                  SVolumeTreeChanges& changes, bool checkQuestion,
                                                  bool checkResponse);
