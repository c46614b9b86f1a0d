#include "commands/WaveCommands.h"

#include "commands/UnreconcileCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

namespace {

// The wave that a wave inserted at the order comes before: the first whose order is not
// smaller, as the campaign inserts it. Null when the order lies beyond every wave.
CWave* FindWaveAtOrder(const CCampaign& campaign, int order)
{
    for (int i = 0; i < campaign.GetWaveCount(); ++i) {
        if (campaign.GetWave(i)->GetWaveOrder() >= order)
            return campaign.GetWave(i);
    }
    return nullptr;
}

} // namespace

QMap<int, int> SaveWaveOrders(const CCampaign& campaign)
{
    QMap<int, int> orders;
    for (int i = 0; i < campaign.GetWaveCount(); ++i)
        orders.insert(campaign.GetWave(i)->GetWaveId(), campaign.GetWave(i)->GetWaveOrder());
    return orders;
}

void RestoreWaveOrders(const QMap<int, int>& orders, CCampaign& campaign)
{
    for (int i = 0; i < campaign.GetWaveCount(); ++i) {
        CWave* wave = campaign.GetWave(i);
        wave->SetWaveOrder(orders.value(wave->GetWaveId(), wave->GetWaveOrder()));
    }
    campaign.SortWaves();
}

// ---------------------------------------------------------------------------------------------

CCmdNewWave::CCmdNewWave(CCampaign* campaign, int position, const QString& name,
                         const QString& description, const QDateTime& start,
                         const QDateTime& midPoint, const QDateTime& end)
    : CCmdVirtual(campaign), m_insert(position > -1), m_position(position), m_name(name),
      m_description(description), m_start(start), m_end(end), m_midPoint(midPoint)
{
}

CCmdNewWave::~CCmdNewWave() = default;

bool CCmdNewWave::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign)
        return false;
    CCampaign& campaign = *m_pCampaign;
    m_ordersBefore = SaveWaveOrders(campaign);
    m_countersBefore = SCampaignCounters::Take(campaign);

    m_newWaveId = campaign.GetMaxWaveId() + 1;
    int order = m_position;
    if (m_insert)
        m_pInsertedBefore = FindWaveAtOrder(campaign, m_position);
    else
        order = campaign.GetMaxWaveOrder() + 1;
    if (m_pInsertedBefore)
        SplitVolumeTrees(*m_pInsertedBefore);

    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(m_newWaveId);
    wave->SetName(m_name);
    wave->SetDescription(m_description);
    wave->SetWaveOrder(order);
    wave->SetWaveStart(m_start);
    wave->SetWaveEnd(m_end);
    wave->SetWaveMidpoint(m_midPoint);
    m_pWave = wave.get();
    campaign.InsertWave(std::move(wave));

    m_ordersAfter = SaveWaveOrders(campaign);
    m_countersAfter = SCampaignCounters::Take(campaign);
    record = CreateCallBackInfo();
    return true;
}

void CCmdNewWave::SplitVolumeTrees(CWave& wave)
{
    // Every copy and end is found before any is applied, so that volumes that inherit one
    // matching each get their copy.
    std::vector<std::unique_ptr<CQuestionMatching>> questionCopies;
    std::vector<std::unique_ptr<CModalityMatching>> modalityCopies;
    std::vector<std::pair<CQuestionMatching*, int>> questionEnds;
    std::vector<std::pair<CModalityMatching*, int>> modalityEnds;
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume* volume = wave.GetVolume(v);
        if (volume->IsRoot())
            continue;
        const int volumeId = volume->GetVolumeId();
        const int parentId = volume->GetInheritsFromVolumeId();
        // A volume not reconciled yet holds no matchings: it is reconciled as a root later, and
        // copies made now would stand beside the matchings of that reconciliation.
        if (volume->GetStatus() == VOLUME_UNRECONCILED) {
            m_detached.push_back({volume, volume->GetParent(), parentId});
            continue;
        }
        QList<CModalityMatching*> responses;
        volume->CollectValidModalityMatchings(volumeId, responses);
        // A matching the volume holds of its own stands before the inherited one: no copy then.
        for (CModalityMatching* inherited : std::as_const(responses)) {
            if (IsVolumeBefore(m_pCampaign, inherited->GetStartVolumeId(), volumeId)) {
                if (!volume->FindModalityMatching(inherited->GetModalityId()))
                    modalityCopies.push_back(CopyToVolume(*inherited, *volume));
                modalityEnds.emplace_back(inherited, parentId);
            }
        }
        QList<CQuestionMatching*> questions;
        volume->CollectValidQuestionMatchings(volumeId, questions);
        for (CQuestionMatching* inherited : std::as_const(questions)) {
            if (IsVolumeBefore(m_pCampaign, inherited->GetStartVolumeId(), volumeId)) {
                if (!volume->FindQuestionMatching(inherited->GetQuestionId()))
                    questionCopies.push_back(CopyToVolume(*inherited, *volume));
                questionEnds.emplace_back(inherited, parentId);
            }
        }
        m_detached.push_back({volume, volume->GetParent(), parentId});
    }
    for (auto& copy : modalityCopies)
        m_split.Add(*m_pCampaign, std::move(copy));
    for (auto& copy : questionCopies)
        m_split.Add(*m_pCampaign, std::move(copy));
    for (const auto& [matching, end] : modalityEnds)
        m_split.SetEnd(*matching, end);
    for (const auto& [matching, end] : questionEnds)
        m_split.SetEnd(*matching, end);
    DetachVolumes();
}

void CCmdNewWave::DetachVolumes()
{
    // Each volume's place among its parent's children is taken as it leaves, so that putting
    // them back in the reverse order restores the lists.
    for (SDetachedVolume& detached : m_detached) {
        if (detached.Parent) {
            detached.ChildPosition =
                detached.Parent->FindChildVolumeIndex(detached.Volume->GetVolumeId());
            detached.Parent->RemoveChildVolume(detached.Volume->GetVolumeId());
        }
        detached.Volume->SetParent(nullptr);
        detached.Volume->SetInheritsFromVolumeId(detached.Volume->GetVolumeId());
    }
}

void CCmdNewWave::AttachVolumes()
{
    for (auto it = m_detached.rbegin(); it != m_detached.rend(); ++it) {
        it->Volume->SetInheritsFromVolumeId(it->ParentId);
        it->Volume->SetParent(it->Parent);
        if (it->Parent && it->ChildPosition >= 0)
            it->Parent->InsertChildVolume(it->ChildPosition, it->Volume);
    }
}

bool CCmdNewWave::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pWave || m_pCampaign->FindWave(m_newWaveId) != m_pWave)
        return false;
    CCampaign& campaign = *m_pCampaign;
    m_wave = campaign.RemoveWave(m_newWaveId);
    AttachVolumes();
    m_split.Undo(campaign);
    RestoreWaveOrders(m_ordersBefore, campaign);
    m_countersBefore.Restore(campaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdNewWave::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_wave)
        return false;
    CCampaign& campaign = *m_pCampaign;
    campaign.InsertWave(std::move(m_wave));
    m_split.Redo(campaign);
    DetachVolumes();
    RestoreWaveOrders(m_ordersAfter, campaign);
    m_countersAfter.Restore(campaign);
    record = CreateCallBackInfo();
    return true;
}

QString CCmdNewWave::GetName() const
{
    return LoadString(IDS_NEW_WAVE);
}

std::unique_ptr<CCallBackInfo> CCmdNewWave::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoNewWave>(m_pWave, m_pInsertedBefore);
}

// ---------------------------------------------------------------------------------------------

CCmdRemoveWave::CCmdRemoveWave(CCampaign* campaign, int waveId)
    : CCmdVirtual(campaign), m_waveId(waveId)
{
}

CCmdRemoveWave::~CCmdRemoveWave() = default;

bool CCmdRemoveWave::Do(std::unique_ptr<CCallBackInfo>& record)
{
    const CWave* wave = m_pCampaign ? m_pCampaign->FindWave(m_waveId) : nullptr;
    if (!wave || wave->GetVolumeCount() > 0)
        return false;
    m_ordersBefore = SaveWaveOrders(*m_pCampaign);
    m_countersBefore = SCampaignCounters::Take(*m_pCampaign);
    m_wave = m_pCampaign->RemoveWave(m_waveId);
    m_pWave = m_wave.get();
    m_ordersAfter = SaveWaveOrders(*m_pCampaign);
    m_countersAfter = SCampaignCounters::Take(*m_pCampaign);
    m_removed = true;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdRemoveWave::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_wave)
        return false;
    m_pCampaign->InsertWave(std::move(m_wave));
    RestoreWaveOrders(m_ordersBefore, *m_pCampaign);
    m_countersBefore.Restore(*m_pCampaign);
    m_removed = false;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdRemoveWave::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (m_removed || m_pCampaign->FindWave(m_waveId) != m_pWave)
        return false;
    m_wave = m_pCampaign->RemoveWave(m_waveId);
    RestoreWaveOrders(m_ordersAfter, *m_pCampaign);
    m_countersAfter.Restore(*m_pCampaign);
    m_removed = true;
    record = CreateCallBackInfo();
    return true;
}

QString CCmdRemoveWave::GetName() const
{
    return LoadString(IDS_REMOVE_WAVE);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveWave::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveWave>(m_waveId);
}

std::unique_ptr<CMetaRemoveWaveCmd> MakeRemoveWaveCmd(CCampaign* campaign, int waveId)
{
    const CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr;
    if (!wave)
        return nullptr;
    auto composite = std::make_unique<CMetaRemoveWaveCmd>(IDS_REMOVE_WAVE, waveId);
    for (int v = wave->GetVolumeCount() - 1; v >= 0; --v)
        composite->AddCmd(
            std::make_unique<CCmdRemoveVolume>(campaign, wave->GetVolume(v)->GetVolumeId()));
    composite->AddCmd(std::make_unique<CCmdRemoveWave>(campaign, waveId));
    return composite;
}
