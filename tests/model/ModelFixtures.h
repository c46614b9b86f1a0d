#pragma once

#include "model/Campaign.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"

#include <QString>
#include <memory>

#include <gtest/gtest.h>

// Small campaigns for the model tests.

namespace model_test {

// A wave with the id, order and name.
std::unique_ptr<pelko_wave::CWave> MakeWave(int id, int order, const QString& name = QString());
// A volume; parent -1 makes it a root.
std::unique_ptr<pelko_wave::CVolume> MakeVolume(int id, int waveId, int parentId = -1);
// A question with the id, order, shortcut and indent.
std::unique_ptr<pelko_wave::CQuestion> MakeQuestion(int id, int order, const QString& shortcut,
                                                    int indent = 1, int elementType = 1);
// A response of the question with the id and order.
std::unique_ptr<pelko_wave::CModality> MakeModality(int id, int questionId, int order,
                                                    const QString& entryCode = QString());
// Adds the response to the campaign and puts it into its question.
pelko_wave::CModality* AddModalityTo(pelko_wave::CCampaign& campaign,
                                     std::unique_ptr<pelko_wave::CModality> modality);
// A question or response matching held by a volume of the campaign.
pelko_wave::CQuestionMatching* AddQuestionMatching(pelko_wave::CVolume& volume, int questionId,
                                                   const QString& source, int start, int end);
pelko_wave::CModalityMatching* AddModalityMatching(pelko_wave::CVolume& volume, int modalityId,
                                                   int questionId, const QString& source,
                                                   int start, int end);
// Links the volume under its parent (by the campaign's lookup).
void LinkToParent(pelko_wave::CCampaign& campaign, pelko_wave::CVolume& volume);

// A campaign with a record of every kind:
// - languages 1033 (default) and 1036; question class 7; version 3;
// - wave 1 (order 1) with volumes 1 (root) and 2 (child of 1); wave 2 (order 2) with volumes
//   3 (child of 2, so 1 -> 2 -> 3 is a three-level tree) and 4 (root);
// - the reserved question 1 with one response per wave; chapter 10; questions 11 and 12 with
//   responses 100, 101 (of 11) and 102, 103 (of 12), all with captions in both languages;
// - question matchings: volume 1 holds 11 ("11", open) and 12 ("12", ending at 1); volume 2
//   holds 12 ("22", open); volume 4 holds 11 ("41", open);
// - response matchings: volume 1 holds 100 ("1") and 101 ("2"); volume 2 holds 102 ("1") and
//   103 ("2"), all open;
// - a merging of 101 into 100 in volume 2.
std::unique_ptr<pelko_wave::CCampaign> MakeFullCampaign();

} // namespace model_test
