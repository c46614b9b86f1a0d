#include "reconcile/ValidMatchings.h"

#include "model/Volume.h"

using namespace pelko_wave;

SValidMatchings CollectValidMatchings(const CVolume& volume)
{
    SValidMatchings matchings;
    const int volumeId = volume.GetVolumeId();
    volume.CollectValidQuestionMatchings(volumeId, matchings.Questions);
    QList<CModalityMatching*> modalities;
    volume.CollectValidModalityMatchings(volumeId, modalities);
    for (const CModalityMatching* matching : std::as_const(modalities))
        matchings.ModalitiesByQuestion[matching->GetQuestionId()].append(matching);
    return matchings;
}
