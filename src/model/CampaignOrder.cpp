#include "model/CampaignOrder.h"

#include "model/Campaign.h"
#include "platform/AppServices.h"

namespace pelko_wave {

bool IsVolumeBefore(const CCampaign* campaign, int volumeIdA, int volumeIdB)
{
    return campaign && campaign->IsVolumeBefore(volumeIdA, volumeIdB);
}

bool IsWaveBefore(const CCampaign* campaign, int waveIdA, int waveIdB)
{
    return campaign && campaign->IsWaveBefore(waveIdA, waveIdB);
}

bool WaveHasVolume(int waveId, int volumeId)
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    const CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr;
    return wave && wave->FindVolume(volumeId);
}

namespace {

// The first own matching (found by the lookup) of a volume in the waves after the given
// volume's wave, or from its wave on; its StartVolumeID, or -1.
template <typename Lookup>
bool FindMatchedInOtherVolume(const CCampaign& campaign, int volumeId, bool fromItsOwnWave,
                              Lookup lookup, int& startVolumeId)
{
    startVolumeId = -1;
    const CWave* holder = campaign.FindWaveByVolume(volumeId);
    if (!holder)
        return false;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave* wave = campaign.GetWave(w);
        const bool searched = fromItsOwnWave ? wave->GetWaveOrder() >= holder->GetWaveOrder()
                                             : wave->GetWaveOrder() > holder->GetWaveOrder();
        if (!searched)
            continue;
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            const CVolume* volume = wave->GetVolume(v);
            if (fromItsOwnWave && volume->GetVolumeId() == volumeId)
                continue;
            if (const auto* matching = lookup(*volume)) {
                startVolumeId = matching->GetStartVolumeId();
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool FindQuestionMatchedInOtherVolume(const CCampaign& campaign, int questionId, int volumeId,
                                      int& startVolumeId)
{
    return FindMatchedInOtherVolume(
        campaign, volumeId, true,
        [questionId](const CVolume& volume) { return volume.FindQuestionMatching(questionId); },
        startVolumeId);
}

bool FindModalityMatchedInOtherVolume(const CCampaign& campaign, int modalityId, int volumeId,
                                      int& startVolumeId, bool fromItsOwnWave)
{
    // By default only later waves, and no volume skipped.
    return FindMatchedInOtherVolume(
        campaign, volumeId, fromItsOwnWave,
        [modalityId](const CVolume& volume) { return volume.FindModalityMatching(modalityId); },
        startVolumeId);
}

bool CanMergeModalities(const CCampaign& campaign, const CVolume* volume, int modalityIdA,
                        int modalityIdB)
{
    if (!campaign.ContainsModality(modalityIdA) || !campaign.ContainsModality(modalityIdB))
        return false;
    for (const int id : {modalityIdA, modalityIdB}) {
        if (campaign.IsMergeMaster(id) || campaign.IsMergeChild(id))
            return false;
    }
    if (!volume)
        return true;
    const bool aMatched = volume->FindModalityMatchingInherited(modalityIdA, volume->GetVolumeId());
    const bool bMatched = volume->FindModalityMatchingInherited(modalityIdB, volume->GetVolumeId());
    return !(aMatched && bMatched);
}

} // namespace pelko_wave
