#include "reconcile/DiffsCache.h"

#include "model/Campaign.h"
#include "reconcile/Differences.h"
#include "reconcile/PropertyCaptions.h"

#include <vector>

using namespace pelko_wave;

namespace {

// Erases every key of the store for which the test says so.
template <typename Store, typename Test> void EraseKeysWhere(Store& store, const Test& isGone)
{
    std::vector<typename Store::CKey> gone;
    typename Store::CKey key{};
    int value = 0;
    for (bool more = store.GetFirst(key, value); more; more = store.GetNext(key, value)) {
        if ((gone.empty() || gone.back() != key) && isGone(key))
            gone.push_back(key);
    }
    for (const auto& each : gone)
        store.EraseKey(each);
}

// Appends the store's entries under the key to the list.
template <typename Store>
int AppendStored(const Store& store, const typename Store::CKey& key, CDiffList& diffs,
                 bool oneResponsesEntry)
{
    const int count = store.Count(key);
    for (int n = 0; n < count; ++n) {
        const int kind = store.GetNthRow(key, n);
        if (oneResponsesEntry && kind == kQuestionResponsesId && diffs.count(kQuestionResponsesId))
            continue;
        diffs.emplace(kind, store.GetNthPayload(key, n));
    }
    return count;
}

} // namespace

void CWaveDiffsEntry::Reset()
{
    m_questionDiffs.Clear();
    m_modalityDiffs.Clear();
    m_invalidQuestions.clear();
    m_wholeWaveInvalid = true;
}

void CWaveDiffsEntry::DropRemovedItems(const CCampaign& campaign)
{
    EraseKeysWhere(m_questionDiffs, [&](const CRowMultimap::CKey& key) {
        return !campaign.ContainsQuestion(int(key.first)) || !campaign.FindVolume(int(key.second));
    });
    EraseKeysWhere(m_modalityDiffs,
                   [&](long modalityId) { return !campaign.ContainsModality(int(modalityId)); });
}

CCampaignDiffsCache::CCampaignDiffsCache(const CCampaign* campaign) : m_campaign(campaign) {}

CCampaignDiffsCache::~CCampaignDiffsCache() = default;

CWaveDiffsEntry* CCampaignDiffsCache::GetWaveEntry(int waveId, bool create)
{
    const auto it = m_entries.find(waveId);
    if (it != m_entries.end())
        return it->second.get();
    return create ? ResetWaveEntry(waveId) : nullptr;
}

CWaveDiffsEntry* CCampaignDiffsCache::ResetWaveEntry(int waveId)
{
    std::unique_ptr<CWaveDiffsEntry>& entry = m_entries[waveId];
    if (!entry)
        entry = std::make_unique<CWaveDiffsEntry>();
    entry->Reset();
    return entry.get();
}

bool CCampaignDiffsCache::Reaches(int waveId, int entryWaveId) const
{
    if (waveId == 0 || waveId == entryWaveId)
        return true;
    if (!m_campaign || !m_campaign->FindWave(waveId) || !m_campaign->FindWave(entryWaveId))
        return true;
    return m_campaign->IsWaveBefore(waveId, entryWaveId);
}

void CCampaignDiffsCache::InvalidateQuestion(int waveId, int questionId)
{
    DropRemovedItems();
    for (auto& [entryWaveId, entry] : m_entries) {
        if (Reaches(waveId, entryWaveId))
            entry->InvalidateQuestion(questionId);
    }
}

void CCampaignDiffsCache::InvalidateWave(int waveId)
{
    DropRemovedItems();
    for (auto& [entryWaveId, entry] : m_entries) {
        if (Reaches(waveId, entryWaveId))
            entry->Reset();
    }
}

void CCampaignDiffsCache::DropRemovedItems()
{
    if (!m_campaign)
        return;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (!m_campaign->FindWave(it->first)) {
            it = m_entries.erase(it);
            continue;
        }
        it->second->DropRemovedItems(*m_campaign);
        ++it;
    }
}

bool CacheQuestionDifferences(const CQuestion& question, const qnr::CQuestion& source, int volumeId,
                              CRowMultimap& store)
{
    return CacheQuestionDifferences(CDifferenceComparer(), question, source, volumeId, store);
}

bool CacheModalityDifferences(const CModality& modality, const qnr::CModalite& source,
                              CRowMultimapStr& store)
{
    return CacheModalityDifferences(CDifferenceComparer(), modality, source, store);
}

bool CacheQuestionDifferences(const CDifferenceComparer& comparer, const CQuestion& question,
                              const qnr::CQuestion& source, int volumeId, CRowMultimap& store)
{
    CDiffList diffs;
    const bool differ = comparer.GetQuestionDifferences(question, source, diffs);
    const CRowMultimap::CKey key(question.GetQuestionId(), volumeId);
    for (auto& [kind, detail] : diffs)
        store.Insert(key, kind, std::move(detail));
    return differ;
}

bool CacheModalityDifferences(const CDifferenceComparer& comparer, const CModality& modality,
                              const qnr::CModalite& source, CRowMultimapStr& store)
{
    CDiffList diffs;
    const bool differ = comparer.GetModalityDifferences(modality, source, diffs);
    for (auto& [kind, detail] : diffs)
        store.Insert(modality.GetModalityId(), kind, std::move(detail));
    return differ;
}

int GetCachedQuestionDifferenceKinds(const CRowMultimap& store, int questionId, int volumeId,
                                     CDiffList& diffs)
{
    return AppendStored(store, CRowMultimap::CKey(questionId, volumeId), diffs, true);
}

int GetCachedModalityDifferenceKinds(const CRowMultimapStr& store, int modalityId, CDiffList& diffs)
{
    return AppendStored(store, modalityId, diffs, false);
}
