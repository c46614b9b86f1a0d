#pragma once

// Ordering tests between volumes and waves, and the searches built on them, as the engine, the
// commands and the views use them.

namespace pelko_wave {

class CCampaign;
class CVolume;

// Whether volume a comes before volume b in campaign order (waves in array order, then each
// wave's volumes in array order); NO_VOLUME_ID is the open end. False without a campaign.
bool IsVolumeBefore(const CCampaign* campaign, int volumeIdA, int volumeIdB);
// Whether wave a's order is lower than wave b's; NO_WAVE_ID is the open end.
bool IsWaveBefore(const CCampaign* campaign, int waveIdA, int waveIdB);
// Whether the wave of the application's campaign holds the volume.
bool WaveHasVolume(int waveId, int volumeId);

// Searches the waves from the given volume's wave on (in array order, skipping the given
// volume) for a volume that holds its own matching of the question; startVolumeId gets the
// first one's StartVolumeID (-1 when none).
bool FindQuestionMatchedInOtherVolume(const CCampaign& campaign, int questionId, int volumeId,
                                      int& startVolumeId);
// The same for a response, over the waves after the given volume's wave only; with
// fromItsOwnWave, from the volume's own wave on, skipping the volume, as for a question.
bool FindModalityMatchedInOtherVolume(const CCampaign& campaign, int modalityId, int volumeId,
                                      int& startVolumeId, bool fromItsOwnWave = false);

// Whether two responses may be merged: both exist, neither is master or child of a merging,
// and (in a volume) not both are matched there.
bool CanMergeModalities(const CCampaign& campaign, const CVolume* volume, int modalityIdA,
                        int modalityIdB);

} // namespace pelko_wave
