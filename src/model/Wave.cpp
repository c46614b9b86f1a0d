#include "model/Wave.h"

#include "model/Campaign.h"
#include "model/Volume.h"

#include <algorithm>

namespace pelko_wave {

CWave::CWave(const CWave& other)
    : m_waveId(other.m_waveId)
    , m_waveOrder(other.m_waveOrder)
    , m_name(other.m_name)
    , m_description(other.m_description)
    , m_waveStart(other.m_waveStart)
    , m_waveEnd(other.m_waveEnd)
    , m_waveMidpoint(other.m_waveMidpoint)
    , m_maxVolumeId(other.m_maxVolumeId)
{
    for (const auto& volume : other.m_volumes)
        AddVolume(std::make_unique<CVolume>(*volume));
    // Linked last, so that the copying never touches the original campaign.
    m_campaign = other.m_campaign;
}

CWave::~CWave()
{
    m_campaign = nullptr;
    m_volumes.clear();
}

void CWave::SetWaveId(int id)
{
    if (m_waveId == id)
        return;
    m_waveId = id;
    VolumesChanged();
}

CVolume* CWave::GetVolumeAt(int i) const
{
    return i >= 0 && i < GetVolumeCount() ? m_volumes[size_t(i)].get() : nullptr;
}

int CWave::AddVolume(std::unique_ptr<CVolume> volume)
{
    m_maxVolumeId = std::max(m_maxVolumeId, volume->GetVolumeId());
    volume->SetWave(this);
    m_volumes.push_back(std::move(volume));
    VolumesChanged();
    return int(m_volumes.size()) - 1;
}

int CWave::InsertVolume(int position, std::unique_ptr<CVolume> volume)
{
    position = std::clamp(position, 0, GetVolumeCount());
    m_maxVolumeId = std::max(m_maxVolumeId, volume->GetVolumeId());
    volume->SetWave(this);
    m_volumes.insert(m_volumes.begin() + position, std::move(volume));
    VolumesChanged();
    return position;
}

CVolume* CWave::FindVolume(int volumeId) const
{
    for (const auto& volume : m_volumes) {
        if (volume->GetVolumeId() == volumeId)
            return volume.get();
    }
    return nullptr;
}

std::unique_ptr<CVolume> CWave::RemoveVolume(int volumeId)
{
    const auto it = std::find_if(m_volumes.begin(), m_volumes.end(),
                                 [volumeId](const auto& v) { return v->GetVolumeId() == volumeId; });
    if (it == m_volumes.end())
        return nullptr;
    std::unique_ptr<CVolume> volume = std::move(*it);
    m_volumes.erase(it);
    volume->SetWave(nullptr);
    VolumesChanged();
    return volume;
}

void CWave::VolumesChanged()
{
    if (m_campaign)
        m_campaign->RebuildPositions();
}

} // namespace pelko_wave
