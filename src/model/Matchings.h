#pragma once

#include <QString>

// The correspondences between a volume's source items and the campaign questionnaire: question
// and response matchings (valid over a range of volumes, StartVolumeID to EndVolumeID in
// campaign order, both included) and response mergings.

namespace pelko_wave {

class CQuestionMatching
{
public:
    CQuestionMatching() = default;

    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    // The volume that holds the matching.
    int GetVolumeId() const { return m_volumeId; }
    void SetVolumeId(int id) { m_volumeId = id; }
    // The source question's code in that volume.
    const QString& GetSourceId() const { return m_sourceId; }
    void SetSourceId(const QString& id) { m_sourceId = id; }
    int GetStartVolumeId() const { return m_startVolumeId; }
    void SetStartVolumeId(int id) { m_startVolumeId = id; }
    // NO_VOLUME_ID for an open end.
    int GetEndVolumeId() const { return m_endVolumeId; }
    void SetEndVolumeId(int id) { m_endVolumeId = id; }

    bool operator==(const CQuestionMatching&) const = default;

private:
    int m_questionId = 0;
    int m_volumeId = 0;
    QString m_sourceId;
    int m_startVolumeId = 0;
    int m_endVolumeId = 0;
};

class CModalityMatching
{
public:
    CModalityMatching() = default;

    int GetModalityId() const { return m_modalityId; }
    void SetModalityId(int id) { m_modalityId = id; }
    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    int GetVolumeId() const { return m_volumeId; }
    void SetVolumeId(int id) { m_volumeId = id; }
    // The source response's code.
    const QString& GetModalitySourceId() const { return m_modalitySourceId; }
    void SetModalitySourceId(const QString& id) { m_modalitySourceId = id; }
    int GetStartVolumeId() const { return m_startVolumeId; }
    void SetStartVolumeId(int id) { m_startVolumeId = id; }
    int GetEndVolumeId() const { return m_endVolumeId; }
    void SetEndVolumeId(int id) { m_endVolumeId = id; }

    bool operator==(const CModalityMatching&) const = default;

private:
    int m_modalityId = 0;
    int m_questionId = 0;
    int m_volumeId = 0;
    QString m_modalitySourceId;
    int m_startVolumeId = 0;
    int m_endVolumeId = 0;
};

// A child response merged into a master response in one volume.
class CModalityMerging
{
public:
    CModalityMerging() = default;

    int GetMasterModalityId() const { return m_masterModalityId; }
    void SetMasterModalityId(int id) { m_masterModalityId = id; }
    int GetChildModalityId() const { return m_childModalityId; }
    void SetChildModalityId(int id) { m_childModalityId = id; }
    int GetMergeVolumeId() const { return m_mergeVolumeId; }
    void SetMergeVolumeId(int id) { m_mergeVolumeId = id; }

    bool operator==(const CModalityMerging&) const = default;

private:
    int m_masterModalityId = 0;
    int m_childModalityId = 0;
    int m_mergeVolumeId = 0;
};

} // namespace pelko_wave
