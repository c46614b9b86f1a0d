#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

// One fieldwork period of the campaign. It owns its volumes, in order of addition.

namespace pelko_wave {

class CCampaign;
class CVolume;

class CWave
{
public:
    CWave() = default;
    // Every field and a deep copy of the volumes (the campaign copy links the volume tree
    // again).
    CWave(const CWave& other);
    CWave& operator=(const CWave&) = delete;
    ~CWave();

    int GetWaveId() const { return m_waveId; }
    void SetWaveId(int id);
    // 1-based order in the campaign.
    int GetWaveOrder() const { return m_waveOrder; }
    void SetWaveOrder(int order) { m_waveOrder = order; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    const QString& GetDescription() const { return m_description; }
    void SetDescription(const QString& description) { m_description = description; }
    // Dates are null until set.
    const QDateTime& GetWaveStart() const { return m_waveStart; }
    void SetWaveStart(const QDateTime& date) { m_waveStart = date; }
    const QDateTime& GetWaveEnd() const { return m_waveEnd; }
    void SetWaveEnd(const QDateTime& date) { m_waveEnd = date; }
    const QDateTime& GetWaveMidpoint() const { return m_waveMidpoint; }
    void SetWaveMidpoint(const QDateTime& date) { m_waveMidpoint = date; }
    // The highest volume id added to this wave.
    int GetMaxVolumeId() const { return m_maxVolumeId; }
    void SetMaxVolumeId(int id) { m_maxVolumeId = id; }

    // The campaign that holds it; null until inserted.
    CCampaign* GetCampaign() const { return m_campaign; }
    void SetCampaign(CCampaign* campaign) { m_campaign = campaign; }

    int GetVolumeCount() const { return int(m_volumes.size()); }
    CVolume* GetVolume(int i) const { return m_volumes[size_t(i)].get(); }
    // Null when i is out of range.
    CVolume* GetVolumeAt(int i) const;
    // Appends the volume, which the wave now owns, and returns its position.
    int AddVolume(std::unique_ptr<CVolume> volume);
    // Puts the volume at the position (clamped to the volumes there are), so that a volume
    // taken out comes back to its place in campaign order; returns the position.
    int InsertVolume(int position, std::unique_ptr<CVolume> volume);
    CVolume* FindVolume(int volumeId) const;
    // Takes the volume out and hands it to the caller; null when absent.
    std::unique_ptr<CVolume> RemoveVolume(int volumeId);

private:
    friend class CVolume;
    // Tells the campaign that the volumes it finds by id and orders by position changed.
    void VolumesChanged();

    int m_waveId = -1;
    int m_waveOrder = -1;
    QString m_name;
    QString m_description;
    QDateTime m_waveStart;
    QDateTime m_waveEnd;
    QDateTime m_waveMidpoint;
    int m_maxVolumeId = 0;
    std::vector<std::unique_ptr<CVolume>> m_volumes;
    CCampaign* m_campaign = nullptr;
};

} // namespace pelko_wave
