#pragma once

#include <QString>

// The texts shown for the properties of questions and responses, of a source item (the
// questionnaire library) and of a campaign item, by property id; the column titles of the
// caption kinds; and the response counts and match statistics shown beside them. Captions are
// those of the process's current languages (OptionRecords.h).

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
class CQuestionnaire;
} // namespace qnr

// The title of a caption kind's column in one language of the campaign: "Short captions for
// language '<name>'." (response id 9, question id 23) or "Long captions for language '<name>'."
// (question id 24); the plain caption of the id when the campaign has no such language; empty
// for any other id.
QString GetModalityColumnTitle(int id, int languageId);
QString GetQuestionColumnTitle(int id, int languageId);

// The text of a property; false when the id has none for the item (then the text is empty).
bool GetModalityPropertyText(const qnr::CModalite& modality, int id, QString& text);
bool GetCampaignModalityPropertyText(const pelko_wave::CModality& modality, int id, QString& text);
bool GetQuestionPropertyText(const qnr::CQuestion& question, int id, QString& text);
// The response count (25) needs a volume: see GetCampaignQuestionVolumePropertyText.
bool GetCampaignQuestionPropertyText(const pelko_wave::CQuestion& question, int id, QString& text);
// The response count (25) of the question in the volume; any other id as above.
bool GetCampaignQuestionVolumePropertyText(int waveId, int volumeId,
                                           const pelko_wave::CQuestion& question, int id,
                                           QString& text);

// A source question's responses: its own plus, when it takes its responses from another source
// question, that question's, followed along the chain; 0 for an item without responses. A
// chain that comes back on itself is followed once round.
int GetSourceResponseCount(const qnr::CQuestion* question);
// The campaign question's responses alive in the volume of the wave: deleted in a later wave
// (or never) and appeared in that volume or an earlier one; 0 for an item without responses.
int GetCampaignResponseCount(int waveId, int volumeId, const pelko_wave::CQuestion& question);
// Whether the two counts above agree.
bool HasSameResponseCount(int waveId, int volumeId, const pelko_wave::CQuestion& question,
                          const qnr::CQuestion& source);

// How well a volume's source still fits its matchings, as two ratios that are both 1 for an
// unchanged source: r1 = source questions / matched campaign questions (the reserved question
// left out), r2 = the share of source questions whose code is matched to a campaign question
// with the same shortcut (ignoring case). A ratio without anything to divide by is 0.
void GetVolumeMatchStatistics(const pelko_wave::CCampaign& campaign,
                              const pelko_wave::CVolume& volume, const qnr::CQuestionnaire& source,
                              double& r1, double& r2);
