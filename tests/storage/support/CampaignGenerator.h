#pragma once

#include "model/Campaign.h"

#include <memory>

// Generated campaigns of a given size, for the benchmarks and the tests of large saves.
struct SCampaignSize
{
    int Waves = 10;
    int VolumesPerWave = 3;
    int Questions = 2000;
    int ResponsesPerQuestion = 10;
};

// A campaign of that size: two languages (1033 default, 1036); every volume of a wave after the
// first inherits from the same volume of the wave before; every question and response has a
// caption in both languages; every volume holds a matching of every question and of every
// response, valid for that volume alone. Ids start at 1 for waves and volumes, at 2 for
// questions (1 is the reserved question) and at 1 for responses; idOffset is added to the
// question and response ids, so that two generated campaigns can differ in every id.
std::unique_ptr<pelko_wave::CCampaign> GenerateCampaign(const SCampaignSize& size,
                                                        int idOffset = 0);
