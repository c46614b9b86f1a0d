#pragma once

#include "commands/CampaignCounters.h"
#include "commands/CmdVirtual.h"
#include "commands/MatchingChanges.h"
#include "commands/MetaCommands.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <memory>
#include <vector>

namespace pelko_wave {
class CModalityMatching;
class CQuestionMatching;
class CVolume;
class CWave;
} // namespace pelko_wave

// Adds a wave after the last one, or before the wave at a given wave order. The volumes of
// the wave that the new one precedes stop inheriting from the volumes before it: each gets its
// own copies of the matchings it inherited, which end at its former parent, and becomes a root.
class CCmdNewWave : public CCmdVirtual
{
public:
    // position: the wave order to insert at; -1 appends the wave after the last one.
    CCmdNewWave(pelko_wave::CCampaign* campaign, int position, const QString& name,
                const QString& description, const QDateTime& start, const QDateTime& midPoint,
                const QDateTime& end);
    ~CCmdNewWave() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    int GetNewWaveId() const { return m_newWaveId; }

private:
    // A volume taken out of the volume tree, and where it was.
    struct SDetachedVolume
    {
        pelko_wave::CVolume* Volume = nullptr;
        pelko_wave::CVolume* Parent = nullptr;
        int ParentId = -1;
        int ChildPosition = -1;
    };
    void SplitVolumeTrees(pelko_wave::CWave& wave);
    // Takes the volumes of the split out of the volume tree; puts them back.
    void DetachVolumes();
    void AttachVolumes();

    std::unique_ptr<pelko_wave::CWave> m_wave; // while undone
    pelko_wave::CWave* m_pWave = nullptr;
    pelko_wave::CWave* m_pInsertedBefore = nullptr;
    bool m_insert;
    int m_newWaveId = -1;
    int m_position;
    QString m_name;
    QString m_description;
    QDateTime m_start;
    QDateTime m_end;
    QDateTime m_midPoint;
    QMap<int, int> m_ordersBefore;
    QMap<int, int> m_ordersAfter;
    SCampaignCounters m_countersBefore;
    SCampaignCounters m_countersAfter;
    std::vector<SDetachedVolume> m_detached;
    // The copies of inherited matchings given to the volumes that inherited them, and the
    // inherited matchings' new ends.
    CMatchingChanges m_split;
};

// Takes an empty wave out of the campaign; the issuer removes its volumes first.
class CCmdRemoveWave : public CCmdVirtual
{
public:
    CCmdRemoveWave(pelko_wave::CCampaign* campaign, int waveId);
    ~CCmdRemoveWave() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_waveId;
    bool m_removed = false;
    std::unique_ptr<pelko_wave::CWave> m_wave; // while removed
    pelko_wave::CWave* m_pWave = nullptr;
    QMap<int, int> m_ordersBefore;
    QMap<int, int> m_ordersAfter;
    SCampaignCounters m_countersBefore;
    SCampaignCounters m_countersAfter;
};

// Every wave's id with its order.
QMap<int, int> SaveWaveOrders(const pelko_wave::CCampaign& campaign);
// Gives the waves of the map their orders and sorts the waves by order.
void RestoreWaveOrders(const QMap<int, int>& orders, pelko_wave::CCampaign& campaign);

// The remove-wave step: a CMetaRemoveWaveCmd (named "remove wave") removing each volume of the
// wave, last first, then the wave. Null when the campaign has no such wave.
std::unique_ptr<CMetaRemoveWaveCmd> MakeRemoveWaveCmd(pelko_wave::CCampaign* campaign, int waveId);
