#pragma once

#include "reconcile/DiffInfo.h"
#include "reconcile/RowMultimaps.h"

#include <map>
#include <memory>
#include <set>

// The differences already computed between matched campaign items and their source items, per
// wave, and which of them are stale. The views that issue a change invalidate what it touched;
// the reconciliation page recomputes only what is stale. The application owns the cache with
// its campaign; every call comes from the interface thread.

class CDifferenceComparer;

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// The differences of one wave: (campaign question id, volume id) -> (kind, detail) and
// campaign response id -> (kind, detail), the questions whose entries are stale, and whether
// every question of the wave is (so it is after construction and Reset).
class CWaveDiffsEntry
{
public:
    CWaveDiffsEntry() = default;
    CWaveDiffsEntry(const CWaveDiffsEntry&) = delete;
    CWaveDiffsEntry& operator=(const CWaveDiffsEntry&) = delete;

    // Empties both stores and the stale set, and makes the whole wave stale.
    void Reset();
    bool IsQuestionInvalid(int questionId) const { return m_invalidQuestions.count(questionId); }
    void ValidateQuestion(int questionId) { m_invalidQuestions.erase(questionId); }
    void InvalidateQuestion(int questionId) { m_invalidQuestions.insert(questionId); }
    const std::set<int>& GetInvalidQuestions() const { return m_invalidQuestions; }
    bool IsWholeWaveInvalid() const { return m_wholeWaveInvalid; }
    // Cleared by the filler after a full pass.
    void SetWholeWaveInvalid(bool invalid) { m_wholeWaveInvalid = invalid; }

    CRowMultimap& GetQuestionDiffs() { return m_questionDiffs; }
    const CRowMultimap& GetQuestionDiffs() const { return m_questionDiffs; }
    CRowMultimapStr& GetModalityDiffs() { return m_modalityDiffs; }
    const CRowMultimapStr& GetModalityDiffs() const { return m_modalityDiffs; }

    // Erases what the stores hold for items the campaign no longer has: questions, volumes and
    // responses.
    void DropRemovedItems(const pelko_wave::CCampaign& campaign);

private:
    CRowMultimap m_questionDiffs;
    CRowMultimapStr m_modalityDiffs;
    std::set<int> m_invalidQuestions;
    bool m_wholeWaveInvalid = true;
};

class CCampaignDiffsCache
{
public:
    // The campaign is borrowed: its wave order decides which waves come later.
    explicit CCampaignDiffsCache(const pelko_wave::CCampaign* campaign);
    virtual ~CCampaignDiffsCache();
    CCampaignDiffsCache(const CCampaignDiffsCache&) = delete;
    CCampaignDiffsCache& operator=(const CCampaignDiffsCache&) = delete;

    // The wave's entry; when it has none, a new one (whole wave stale) with the flag, else null.
    CWaveDiffsEntry* GetWaveEntry(int waveId, bool create);
    // The wave's entry, reset, made when missing.
    CWaveDiffsEntry* ResetWaveEntry(int waveId);
    // Marks the question stale in the entries of the wave and of every later wave (with wave id
    // 0, or a wave the campaign does not have, in every entry).
    void InvalidateQuestion(int waveId, int questionId);
    // Resets the entries of the wave and of every later wave, reached as above.
    void InvalidateWave(int waveId);

private:
    // Whether an invalidation of the wave reaches the entry of another.
    bool Reaches(int waveId, int entryWaveId) const;
    // Every invalidation first forgets what the cache holds about removed items: the entries of
    // waves the campaign no longer has, and in the others the differences of removed questions,
    // volumes and responses. An id given back later (an undone removal, a new item) thus never
    // finds differences of the item that held it before.
    void DropRemovedItems();

    const pelko_wave::CCampaign* m_campaign;
    std::map<int, std::unique_ptr<CWaveDiffsEntry>> m_entries;
};

// The store operations, on any pair of stores (the cache's, or the update dialog's own).
// Compare the items and append every difference under the campaign question id and the volume
// id, or under the campaign response id; the comparison's result.
bool CacheQuestionDifferences(const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                              int volumeId, CRowMultimap& store);
bool CacheModalityDifferences(const pelko_wave::CModality& modality, const qnr::CModalite& source,
                              CRowMultimapStr& store);
// The same with the comparer of a caller that stores many pairs.
bool CacheQuestionDifferences(const CDifferenceComparer& comparer,
                              const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                              int volumeId, CRowMultimap& store);
bool CacheModalityDifferences(const CDifferenceComparer& comparer,
                              const pelko_wave::CModality& modality, const qnr::CModalite& source,
                              CRowMultimapStr& store);
// Append to the list what the store holds under the key, in store order (a "Responses" entry
// only when the list has none yet), and answer the number of entries stored under the key.
int GetCachedQuestionDifferenceKinds(const CRowMultimap& store, int questionId, int volumeId,
                                     CDiffList& diffs);
int GetCachedModalityDifferenceKinds(const CRowMultimapStr& store, int modalityId,
                                     CDiffList& diffs);
