#include "commands/DuplicateCommands.h"

#include "commands/MatchingCallBackInfo.h"
#include "model/Campaign.h"
#include "model/EditRoutines.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <algorithm>
#include <set>

using namespace pelko_wave;

namespace {

const QString& SourceIdOf(const CQuestionMatching& matching)
{
    return matching.GetSourceId();
}
const QString& SourceIdOf(const CModalityMatching& matching)
{
    return matching.GetModalitySourceId();
}

// Takes every own matching of the duplicate out of the volume. The one that held there passes to
// the kept item, with its source id and end, unless the kept item is matched there already.
template <class M, class Find, class HeldForKept, class Make>
void PassMatchings(CCampaign& campaign, CVolume& volume, M* held, Find findOwn,
                   HeldForKept keptHeld, Make make, CMatchingChanges& changes)
{
    M* passing = nullptr;
    while (M* own = findOwn()) {
        if (!changes.Remove(campaign, own, &volume))
            break;
        if (own == held)
            passing = own;
    }
    if (!passing || keptHeld())
        return;
    auto made = make(SourceIdOf(*passing));
    made->SetEndVolumeId(passing->GetEndVolumeId());
    changes.Add(campaign, std::move(made));
}

} // namespace

// Question ------------------------------------------------------------------------------------

CCmdRemoveDuplicateQuestion::CCmdRemoveDuplicateQuestion(CCampaign* campaign, CQuestion* kept,
                                                         CQuestion* duplicate)
    : CCmdMatchingBase(campaign), m_kept(kept), m_duplicate(duplicate)
{
}

CCmdRemoveDuplicateQuestion::~CCmdRemoveDuplicateQuestion() = default;

bool CCmdRemoveDuplicateQuestion::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    if (m_kept == m_duplicate ||
        campaign.GetQuestionById(m_duplicate->GetQuestionId()) != m_duplicate)
        return false;
    const int keptId = m_kept->GetQuestionId();
    const int duplicateId = m_duplicate->GetQuestionId();

    // Responses paired by their short captions in the default language, each duplicate response
    // at most once; an empty caption pairs with nothing.
    const int language = campaign.GetDefaultLanguageId();
    std::vector<std::pair<CModality*, CModality*>> pairs;
    std::vector<CModality*> unpaired = m_duplicate->GetModalities();
    for (CModality* kept : m_kept->GetModalities()) {
        const QString& caption = kept->GetShortCaption(language);
        if (caption.isEmpty())
            continue;
        const auto found = std::find_if(unpaired.begin(), unpaired.end(), [&](CModality* d) {
            return d->GetShortCaption(language).compare(caption, Qt::CaseInsensitive) == 0;
        });
        if (found != unpaired.end()) {
            pairs.emplace_back(kept, *found);
            unpaired.erase(found);
        }
    }

    for (CVolume* each : GetVolumesInCampaignOrder(campaign)) {
        CVolume& volume = *each;
        const int volumeId = volume.GetVolumeId();
        PassMatchings(
            campaign, volume, volume.FindQuestionMatchingInherited(duplicateId, volumeId),
            [&] { return volume.FindQuestionMatching(duplicateId); },
            [&] { return volume.FindQuestionMatchingInherited(keptId, volumeId) != nullptr; },
            [&](const QString& source) { return MakeQuestionMatching(keptId, source, volume); },
            m_changes);
        for (const auto& [kept, duplicate] : pairs) {
            const int modalityId = duplicate->GetModalityId();
            PassMatchings(
                campaign, volume, volume.FindModalityMatchingInherited(modalityId, volumeId),
                [&] { return volume.FindModalityMatching(modalityId); },
                [&, kept = kept] {
                    return volume.FindModalityMatchingInherited(kept->GetModalityId(), volumeId) !=
                           nullptr;
                },
                [&, kept = kept](const QString& source) {
                    return MakeModalityMatching(kept->GetModalityId(), source, volume, *m_kept);
                },
                m_changes);
        }
        // The unpaired responses leave the campaign: their matchings go with them.
        for (CModality* duplicate : unpaired) {
            while (CModalityMatching* own =
                       volume.FindModalityMatching(duplicate->GetModalityId())) {
                if (!m_changes.Remove(campaign, own, &volume))
                    break;
            }
        }
    }

    // A merging must name responses of the campaign: those of the duplicate's responses go too.
    std::set<int> responseIds;
    for (const CModality* duplicate : m_duplicate->GetModalities())
        responseIds.insert(duplicate->GetModalityId());
    for (int i = 0; i < campaign.GetModalityMergingCount(); ++i) {
        CModalityMerging* merging = campaign.GetModalityMerging(i);
        if (responseIds.count(merging->GetMasterModalityId()) ||
            responseIds.count(merging->GetChildModalityId()))
            m_mergings.push_back(merging);
    }

    m_ordersBefore.Take(campaign);
    TakeDuplicateOut();
    record = CreateCallBackInfo();
    return true;
}

void CCmdRemoveDuplicateQuestion::TakeDuplicateOut()
{
    CCampaign& campaign = *m_pCampaign;
    for (CModalityMerging* merging : m_mergings) {
        m_removedMergings.push_back(campaign.RemoveModalityMerging(merging->GetMergeVolumeId(),
                                                                   merging->GetMasterModalityId(),
                                                                   merging->GetChildModalityId()));
    }
    m_removedModalities = campaign.RemoveModalities(QList<CModality*>(
        m_duplicate->GetModalities().begin(), m_duplicate->GetModalities().end()));
    m_removedQuestion = campaign.RemoveQuestion(m_duplicate->GetQuestionId());
}

void CCmdRemoveDuplicateQuestion::UndoOther()
{
    CCampaign& campaign = *m_pCampaign;
    // Put back at its own order, moving no other question: the orders and the highest order
    // are those taken before Do.
    if (m_removedQuestion) {
        std::vector<std::unique_ptr<CQuestion>> removed;
        removed.push_back(std::move(m_removedQuestion));
        campaign.InsertQuestions(std::move(removed));
    }
    for (std::unique_ptr<CModality>& modality : m_removedModalities)
        campaign.AddModality(std::move(modality));
    m_removedModalities.clear();
    for (std::unique_ptr<CModalityMerging>& merging : m_removedMergings) {
        if (merging)
            campaign.AddModalityMerging(std::move(merging));
    }
    m_removedMergings.clear();
    m_ordersBefore.Restore(campaign);
}

void CCmdRemoveDuplicateQuestion::RedoOther()
{
    TakeDuplicateOut();
}

QString CCmdRemoveDuplicateQuestion::GetName() const
{
    return LoadString(IDS_REMOVE_DUPLICATE_RESPONSE);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveDuplicateQuestion::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveDuplicateQuestion>(m_kept->GetQuestionId(),
                                                                  m_duplicate->GetQuestionId());
}

int CCmdRemoveDuplicateQuestion::GetKeptQuestionId() const
{
    return m_kept->GetQuestionId();
}

int CCmdRemoveDuplicateQuestion::GetDuplicateQuestionId() const
{
    return m_duplicate->GetQuestionId();
}

// Response ------------------------------------------------------------------------------------

CCmdRemoveDuplicateModality::CCmdRemoveDuplicateModality(CCampaign* campaign, CWave* wave,
                                                         CVolume* volume, int value,
                                                         CModality* kept, CModality* duplicate)
    : CCmdMatchingBase(campaign), m_wave(wave), m_volume(volume), m_value(value), m_kept(kept),
      m_duplicate(duplicate)
{
}

CCmdRemoveDuplicateModality::~CCmdRemoveDuplicateModality() = default;

bool CCmdRemoveDuplicateModality::Do(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    if (m_kept == m_duplicate || (!m_volume && !m_wave))
        return false;
    const int duplicateId = m_duplicate->GetModalityId();
    const int keptId = m_kept->GetModalityId();
    if (m_volume) {
        if (const CModalityMatching* held =
                m_volume->FindModalityMatchingInherited(duplicateId, m_volume->GetVolumeId()))
            m_sourceId = held->GetModalitySourceId();
    }
    const CQuestion* keptQuestion = campaign.GetQuestionById(m_kept->GetQuestionId());
    for (CVolume* each : GetVolumesInCampaignOrder(campaign)) {
        CVolume& volume = *each;
        const int volumeId = volume.GetVolumeId();
        CModalityMatching* held = volume.FindModalityMatchingInherited(duplicateId, volumeId);
        if (!held)
            continue;
        PassMatchings(
            campaign, volume, held, [&] { return volume.FindModalityMatching(duplicateId); },
            [&] {
                return !keptQuestion ||
                       volume.FindModalityMatchingInherited(keptId, volumeId) != nullptr;
            },
            [&](const QString& source) {
                return MakeModalityMatching(keptId, source, volume, *keptQuestion);
            },
            m_changes);
    }
    m_deletedBefore = m_duplicate->IsDeleted();
    m_deletionWaveBefore = m_duplicate->GetDeletionWaveId();
    MarkDeleted();
    record = CreateCallBackInfo();
    return true;
}

void CCmdRemoveDuplicateModality::MarkDeleted()
{
    m_duplicate->SetIsDeleted(1);
    m_duplicate->SetDeletionWaveId(m_volume ? m_volume->GetWaveId() : m_wave->GetWaveId());
}

void CCmdRemoveDuplicateModality::UndoOther()
{
    m_duplicate->SetIsDeleted(m_deletedBefore);
    m_duplicate->SetDeletionWaveId(m_deletionWaveBefore);
}

void CCmdRemoveDuplicateModality::RedoOther()
{
    MarkDeleted();
}

QString CCmdRemoveDuplicateModality::GetName() const
{
    return LoadString(IDS_REMOVE_DUPLICATE_RESPONSE);
}

std::unique_ptr<CCallBackInfo> CCmdRemoveDuplicateModality::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoRemoveDuplicateModality>(m_wave, m_volume, m_sourceId,
                                                                  m_kept, m_duplicate);
}

int CCmdRemoveDuplicateModality::GetQuestionId() const
{
    return m_kept->GetQuestionId();
}
