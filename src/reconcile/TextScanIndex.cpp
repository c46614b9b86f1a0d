#include "reconcile/TextScanIndex.h"

#include "reconcile/NGram.h"

#include <algorithm>
#include <climits>

namespace {

// A few texts are all candidates (by their totals): neither grams nor parts would repay
// looking them up. In more, the parts are looked up up to 2^kMaxPartLevel of them; beyond, the
// rarest grams find the candidates.
constexpr int kMinEntriesForIndex = 32;
constexpr int kMaxPartLevel = 4;

quint64 Mix(quint64 value)
{
    value ^= value >> 30;
    value *= 0xbf58476d1ce4e5b9ULL;
    value ^= value >> 27;
    value *= 0x94d049bb133111ebULL;
    value ^= value >> 31;
    return value;
}

// The part of 2^level parts that a gram belongs to.
int PartOf(uint32_t gram, int level)
{
    return int((Mix(gram) >> 32) & ((quint64(1) << level) - 1));
}

} // namespace

CTextScanIndex::CTextScanIndex(const QStringList& texts, const SSettings& settings)
    : m_settings(settings), m_texts(texts)
{
    const int count = int(texts.size());
    m_totals.resize(size_t(count), 0);
    m_removed.resize(size_t(count), 0);
    m_marked.resize(size_t(count), 0);
    m_entryGramStart.reserve(size_t(count) + 1);

    std::vector<SGramCount> grams;
    for (int entry = 0; entry < count; ++entry) {
        const int total = CollectGrams(texts[entry], grams);
        m_totals[size_t(entry)] = total;
        if (total == 0)
            m_emptyEntries.push_back(entry);
        m_entryGramStart.push_back(int(m_entryGrams.size()));
        m_entryGrams.insert(m_entryGrams.end(), grams.begin(), grams.end());
    }
    m_entryGramStart.push_back(int(m_entryGrams.size()));

    m_distinctTotals = m_totals;
    std::sort(m_distinctTotals.begin(), m_distinctTotals.end());
    m_distinctTotals.erase(std::unique(m_distinctTotals.begin(), m_distinctTotals.end()),
                           m_distinctTotals.end());
}

void CTextScanIndex::MakePostings() const
{
    if (m_postingsMade)
        return;
    m_postingsMade = true;
    std::vector<std::pair<uint32_t, SPosting>> all;
    all.reserve(m_entryGrams.size());
    for (int entry = 0; entry < GetEntryCount(); ++entry) {
        for (int g = m_entryGramStart[size_t(entry)]; g < m_entryGramStart[size_t(entry) + 1]; ++g)
            all.push_back({m_entryGrams[size_t(g)].Gram,
                           SPosting{m_totals[size_t(entry)], entry, m_entryGrams[size_t(g)].Count}});
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second.Total != b.second.Total)
            return a.second.Total < b.second.Total;
        return a.second.Entry < b.second.Entry;
    });
    m_postings.reserve(all.size());
    for (size_t i = 0; i < all.size();) {
        size_t end = i;
        while (end < all.size() && all[end].first == all[i].first)
            m_postings.push_back(all[end++].second);
        m_gramRanges.insert(all[i].first, {int(i), int(end)});
        i = end;
    }
}

void CTextScanIndex::Remove(int entry)
{
    if (entry >= 0 && entry < GetEntryCount())
        m_removed[size_t(entry)] = 1;
}

int CTextScanIndex::CollectGrams(const QString& text, std::vector<SGramCount>& grams) const
{
    grams.clear();
    std::vector<uint32_t>& keys = m_queryKeys;
    const int taken = CollectNGramKeys(text, m_settings.UpperCase != 0, m_settings.Trim != 0, keys);
    for (const uint32_t key : keys) {
        if (grams.empty() || grams.back().Gram != key)
            grams.push_back({key, 0});
        ++grams.back().Count;
    }
    return taken;
}

bool CTextScanIndex::Passes(int shared, int queryTotal, int total, double threshold) const
{
    const double score = NGramDiceScore(shared, queryTotal, total, m_settings.BothEmptyResult);
    return score > threshold || score == 1.0;
}

int CTextScanIndex::MinSharedToPass(int queryTotal, int total, double threshold) const
{
    // The score grows with the shared count (the division is monotonic in its numerator), so
    // the passing counts form a range up to min(queryTotal, total).
    int low = 0;
    int high = std::min(queryTotal, total) + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (middle <= std::min(queryTotal, total) && Passes(middle, queryTotal, total, threshold))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int CTextScanIndex::CountShared(const std::vector<SGramCount>& queryGrams, int entry) const
{
    int shared = 0;
    auto a = queryGrams.begin();
    auto b = m_entryGrams.begin() + m_entryGramStart[size_t(entry)];
    const auto bEnd = m_entryGrams.begin() + m_entryGramStart[size_t(entry) + 1];
    while (a != queryGrams.end() && b != bEnd) {
        if (a->Gram < b->Gram) {
            ++a;
        } else if (b->Gram < a->Gram) {
            ++b;
        } else {
            shared += std::min(a->Count, b->Count);
            ++a;
            ++b;
        }
    }
    return shared;
}

void CTextScanIndex::AddIfPassing(int entry, int queryTotal, double threshold,
                                  std::vector<SHit>& hits) const
{
    const int shared = CountShared(m_queryGrams, entry);
    const double score =
        NGramDiceScore(shared, queryTotal, m_totals[size_t(entry)], m_settings.BothEmptyResult);
    if (score > threshold || score == 1.0)
        hits.push_back({entry, score});
}

void CTextScanIndex::Find(const QString& text, double threshold, std::vector<SHit>& hits) const
{
    hits.clear();
    if (m_settings.Mode == TextScanMode::AllPairs) {
        FindByFullScan(text, threshold, hits);
        return;
    }

    const int queryTotal = CollectGrams(text, m_queryGrams);
    if (threshold < 0.0) {
        // Even a text sharing nothing passes: every entry is a hit.
        for (int entry = 0; entry < GetEntryCount(); ++entry) {
            if (!IsRemoved(entry))
                AddIfPassing(entry, queryTotal, threshold, hits);
        }
        return;
    }
    if (queryTotal == 0) {
        // Nothing can be shared: only texts without a gram can pass, by the both-empty result.
        for (const int entry : m_emptyEntries) {
            if (!IsRemoved(entry))
                AddIfPassing(entry, queryTotal, threshold, hits);
        }
        return;
    }

    // From here a passing text shares at least one gram (a score of 0 never passes).
    const SWindow& window = WindowOf(queryTotal, threshold);
    if (window.Needs.empty())
        return;
    const int low = window.Needs.front().first;
    const int high = window.Needs.back().first;
    const int mostDifferent = window.MostDifferent;

    m_candidates.clear();
    int level = 0;
    while ((1 << level) <= mostDifferent)
        ++level;
    if (GetEntryCount() < kMinEntriesForIndex)
        CollectByTotal(low, high);
    else if (level <= kMaxPartLevel)
        CollectByParts(window, queryTotal, level, low, high);
    else
        CollectByRareGrams(window, queryTotal, low);

    std::sort(m_candidates.begin(), m_candidates.end());
    for (const int entry : m_candidates) {
        m_marked[size_t(entry)] = 0;
        AddIfPassing(entry, queryTotal, threshold, hits);
    }
}

const CTextScanIndex::SWindow& CTextScanIndex::WindowOf(int queryTotal, double threshold) const
{
    if (threshold != m_windowThreshold) {
        m_windows.clear();
        m_windowThreshold = threshold;
    }
    const auto known = m_windows.constFind(queryTotal);
    if (known != m_windows.cend())
        return *known;
    // The totals that can pass form one range around the query's own total; for each of them,
    // the fewest grams a passing text of that total shares, and so the most grams by which the
    // two texts may differ.
    SWindow window;
    for (const int total : m_distinctTotals) {
        const int needed = MinSharedToPass(queryTotal, total, threshold);
        if (needed <= std::min(queryTotal, total)) {
            window.Needs.push_back({total, needed});
            window.MostDifferent = std::max(window.MostDifferent, queryTotal + total - 2 * needed);
        }
    }
    return *m_windows.insert(queryTotal, window);
}

void CTextScanIndex::CollectByTotal(int low, int high) const
{
    for (int entry = 0; entry < GetEntryCount(); ++entry) {
        const int total = m_totals[size_t(entry)];
        if (!m_removed[size_t(entry)] && total >= low && total <= high) {
            m_marked[size_t(entry)] = 1;
            m_candidates.push_back(entry);
        }
    }
}

void CTextScanIndex::CollectByRareGrams(const SWindow& window, int queryTotal, int low) const
{
    MakePostings();
    // A text that must share `needed` grams holds one of any queryTotal - needed + 1 gram
    // occurrences of the query, or it shares fewer. So the grams are walked from the rarest
    // (a gram no text holds costs nothing): a text is a candidate when it holds a gram met
    // while fewer than queryTotal - needed + 1 occurrences were passed. As more occurrences are
    // passed only texts needing fewer shared grams stay wanted: the highest total still wanted
    // falls.
    m_gramOrder.clear();
    for (int g = 0; g < int(m_queryGrams.size()); ++g) {
        const auto range = m_gramRanges.constFind(m_queryGrams[size_t(g)].Gram);
        const int postings = range == m_gramRanges.constEnd() ? 0 : range->second - range->first;
        m_gramOrder.push_back({postings, g});
    }
    std::sort(m_gramOrder.begin(), m_gramOrder.end());
    int passed = 0;
    int highest = int(window.Needs.size()) - 1; // the highest total still wanted
    for (const auto& [postings, g] : m_gramOrder) {
        const int remaining = queryTotal - passed;
        while (highest >= 0 && window.Needs[size_t(highest)].second > remaining)
            --highest;
        if (highest < 0)
            break;
        const SGramCount& gram = m_queryGrams[size_t(g)];
        passed += gram.Count;
        if (postings == 0)
            continue;
        const int high = window.Needs[size_t(highest)].first;
        const auto range = m_gramRanges.constFind(gram.Gram);
        const auto first = m_postings.begin() + range->first;
        const auto last = m_postings.begin() + range->second;
        auto posting = std::lower_bound(
            first, last, low, [](const SPosting& p, int total) { return p.Total < total; });
        for (; posting != last && posting->Total <= high; ++posting) {
            char& marked = m_marked[size_t(posting->Entry)];
            if (!marked && !m_removed[size_t(posting->Entry)]) {
                marked = 1;
                m_candidates.push_back(posting->Entry);
            }
        }
    }
}

void CTextScanIndex::SignParts(const SGramCount* grams, const SGramCount* end, int level,
                               std::vector<quint64>& signatures)
{
    signatures.assign(size_t(1) << level, 0);
    for (size_t part = 0; part < signatures.size(); ++part)
        signatures[part] = Mix(part + 1);
    for (; grams != end; ++grams) {
        quint64& signature = signatures[size_t(PartOf(grams->Gram, level))];
        signature = Mix(signature ^ ((quint64(grams->Gram) << 32) | uint32_t(grams->Count)));
    }
}

const std::vector<CTextScanIndex::SPartSignature>& CTextScanIndex::PartSignatures(int level) const
{
    if (m_partSignatures.size() <= size_t(level))
        m_partSignatures.resize(size_t(level) + 1);
    std::vector<SPartSignature>& signatures = m_partSignatures[size_t(level)];
    if (!signatures.empty() || GetEntryCount() == 0)
        return signatures;
    std::vector<quint64> parts;
    signatures.reserve(size_t(GetEntryCount()) << level);
    for (int entry = 0; entry < GetEntryCount(); ++entry) {
        const SGramCount* grams = m_entryGrams.data() + m_entryGramStart[size_t(entry)];
        SignParts(grams, m_entryGrams.data() + m_entryGramStart[size_t(entry) + 1], level, parts);
        for (const quint64 key : parts)
            signatures.push_back({key, entry});
    }
    std::sort(signatures.begin(), signatures.end());
    return signatures;
}

void CTextScanIndex::CollectByParts(const SWindow& window, int queryTotal, int level, int low,
                                    int high) const
{
    // A text that differs from the query by d grams agrees with it on all the parts but d at
    // most: a passing text differs by fewer grams than there are parts, so it agrees on some
    // whole part, and on at least as many as the parts outnumber its differences.
    const std::vector<SPartSignature>& signatures = PartSignatures(level);
    SignParts(m_queryGrams.data(), m_queryGrams.data() + m_queryGrams.size(), level, m_queryParts);
    m_agreeing.clear();
    const int parts = 1 << level;
    for (const quint64 key : m_queryParts) {
        auto signature = std::lower_bound(signatures.begin(), signatures.end(),
                                          SPartSignature{key, -1});
        for (; signature != signatures.end() && signature->Key == key; ++signature) {
            const int entry = signature->Entry;
            const int total = m_totals[size_t(entry)];
            if (m_removed[size_t(entry)] || total < low || total > high)
                continue;
            // Counted up to the number of parts, all that is ever asked of it.
            char& agreeing = m_marked[size_t(entry)];
            if (agreeing == 0)
                m_agreeing.push_back(entry);
            if (agreeing < parts)
                ++agreeing;
        }
    }
    for (const int entry : m_agreeing) {
        const int total = m_totals[size_t(entry)];
        const auto need =
            std::lower_bound(window.Needs.begin(), window.Needs.end(), total,
                             [](const std::pair<int, int>& n, int t) { return n.first < t; });
        const bool admissible = need != window.Needs.end() && need->first == total;
        if (admissible &&
            m_marked[size_t(entry)] >= parts - (queryTotal + total - 2 * need->second)) {
            m_marked[size_t(entry)] = 1;
            m_candidates.push_back(entry);
        } else {
            m_marked[size_t(entry)] = 0;
        }
    }
}

void CTextScanIndex::FindByFullScan(const QString& text, double threshold,
                                    std::vector<SHit>& hits) const
{
    CNGram ngram;
    ngram.SetUpperCase(m_settings.UpperCase);
    ngram.SetTrim(m_settings.Trim);
    ngram.SetFirstText(text);
    for (int entry = 0; entry < GetEntryCount(); ++entry) {
        if (IsRemoved(entry))
            continue;
        ngram.SetSecondText(m_texts[entry]);
        const double score = ngram.GetSimilarity(m_settings.BothEmptyResult);
        if (score > threshold || score == 1.0)
            hits.push_back({entry, score});
    }
}
