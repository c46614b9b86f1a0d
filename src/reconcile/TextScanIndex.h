#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// An index of the grams (of two characters) of the source texts of one text scan, so that a
// scan looks only at the texts that can score above its threshold instead of scoring every
// pair. Only exact bounds rule a text out: two texts of gram counts a and b cannot score above
// 2 * min(a, b) / (a + b); a text that must share s grams with a query of a grams shares at
// least one of any a - s + 1 of the query's grams (the index looks at the rarest). Near the top
// of the scale a passing text differs from the query by only a few grams, fewer than d say: the
// grams are then split into d parts or more (by a hash of the gram), and every part but d at
// most holds exactly the same grams in both texts, so the index looks up only the texts that
// agree with the query on enough whole parts, however common the query's grams are. The texts
// left are scored as CNGram scores them (same counts, same division), so a scan through the
// index finds exactly what the full pairwise scan finds.
//
// Entries are numbered from 0 in the order of the texts given, which is the scan order. The
// index keeps scratch space for its queries: one thread uses it at a time.
// How a scan finds the texts that pass: through the gram index, or by scoring every pair with
// its own CNGram (what the index must always agree with: tests and benchmarks compare the two).
enum class TextScanMode
{
    Indexed,
    AllPairs
};

class CTextScanIndex
{
public:
    // The CNGram settings of the scan (the gram length is 2), and how it looks for hits.
    struct SSettings
    {
        int UpperCase = 1;
        int Trim = 1;
        int BothEmptyResult = 0;
        TextScanMode Mode = TextScanMode::Indexed;
    };

    struct SHit
    {
        int Entry = 0;
        double Score = 0.0;
    };

    CTextScanIndex(const QStringList& texts, const SSettings& settings);

    int GetEntryCount() const { return int(m_texts.size()); }
    const QString& GetText(int entry) const { return m_texts[entry]; }
    const SSettings& GetSettings() const { return m_settings; }

    // Takes the entry out of the scan: no later query returns it.
    void Remove(int entry);
    bool IsRemoved(int entry) const { return m_removed[size_t(entry)] != 0; }

    // Every entry still in the scan whose score against the text is greater than the threshold,
    // or exactly 1.0 whatever the threshold, in entry order, each with its score as CNGram
    // (first text: the query) gives it. The hits are replaced.
    void Find(const QString& text, double threshold, std::vector<SHit>& hits) const;

private:
    struct SGramCount
    {
        uint32_t Gram = 0;
        int Count = 0;
    };
    struct SPosting
    {
        int Total = 0;
        int Entry = 0;
        int Count = 0;
    };

    // For a query of some total, the totals that can pass, ascending, each with the fewest grams
    // a passing text of that total shares; and the most grams by which a passing text may
    // differ from the query.
    struct SWindow
    {
        std::vector<std::pair<int, int>> Needs;
        int MostDifferent = 0;
    };

    // An entry's signature of one part of its grams (the part's number mixed in).
    struct SPartSignature
    {
        quint64 Key = 0;
        int Entry = 0;
        bool operator<(const SPartSignature& other) const
        {
            return Key != other.Key ? Key < other.Key : Entry < other.Entry;
        }
    };

    // The grams of a text, sorted, each with its count; returns the number of grams taken.
    int CollectGrams(const QString& text, std::vector<SGramCount>& grams) const;
    // The candidates of a query (unmarked, not removed, of a total in [low, high]): every such
    // entry, or those found through the query's rarest grams, or through the parts of its grams
    // split in 2^level.
    void CollectByTotal(int low, int high) const;
    void CollectByRareGrams(const SWindow& window, int queryTotal, int low) const;
    // The postings, made on first use.
    void MakePostings() const;
    // The window of a query total at the threshold, kept for the next query of that total.
    const SWindow& WindowOf(int queryTotal, double threshold) const;
    void CollectByParts(const SWindow& window, int queryTotal, int level, int low, int high) const;
    // The signatures of the 2^level parts of the grams.
    static void SignParts(const SGramCount* grams, const SGramCount* end, int level,
                          std::vector<quint64>& signatures);
    // Every entry's part signatures for 2^level parts, sorted, made on first use.
    const std::vector<SPartSignature>& PartSignatures(int level) const;
    void FindByFullScan(const QString& text, double threshold, std::vector<SHit>& hits) const;
    // Whether a score passes: above the threshold, or exactly 1.0.
    bool Passes(int shared, int queryTotal, int total, double threshold) const;
    // The fewest shared grams with which a text of `total` grams passes against the query;
    // min(queryTotal, total) + 1 when it cannot pass.
    int MinSharedToPass(int queryTotal, int total, double threshold) const;
    // The shared gram count of the query's grams and the entry's.
    int CountShared(const std::vector<SGramCount>& queryGrams, int entry) const;
    void AddIfPassing(int entry, int queryTotal, double threshold, std::vector<SHit>& hits) const;

    SSettings m_settings;
    QStringList m_texts;
    std::vector<int> m_totals;
    std::vector<char> m_removed;
    // The grams of every entry, sorted: entry e's are [m_entryGramStart[e], [e + 1]).
    std::vector<SGramCount> m_entryGrams;
    std::vector<int> m_entryGramStart;
    // Postings of all grams, grouped by gram, each group sorted by (total, entry).
    mutable bool m_postingsMade = false;
    mutable std::vector<SPosting> m_postings;
    mutable QHash<uint32_t, std::pair<int, int>> m_gramRanges; // gram -> [begin, end)
    std::vector<int> m_emptyEntries;                   // entries without a gram
    std::vector<int> m_distinctTotals;                 // ascending

    // Entries' part signatures by level (2^level parts), each made on first use.
    mutable std::vector<std::vector<SPartSignature>> m_partSignatures;

    // Query scratch space.
    mutable std::vector<uint32_t> m_queryKeys;
    mutable std::vector<quint64> m_queryParts;
    mutable std::vector<char> m_marked;
    mutable std::vector<int> m_candidates;
    mutable std::vector<int> m_agreeing; // entries agreeing with the query on some part
    mutable std::vector<SGramCount> m_queryGrams;
    mutable std::vector<std::pair<int, int>> m_gramOrder;   // (posting count, query gram)
    // The windows of the query totals met so far, at the threshold of the latest query.
    mutable QHash<int, SWindow> m_windows;
    mutable double m_windowThreshold = -1.0;
};
