#include "dialogs/FindQuestionIndex.h"

#include <algorithm>
#include <numeric>

void CFindQuestionIndex::Add(const QString& text, int value)
{
    m_entries.push_back({text, value});
    m_sorted = false;
}

void CFindQuestionIndex::Clear()
{
    m_entries.clear();
    m_byFolded.clear();
    m_folded.clear();
    m_sorted = true;
}

const CFindQuestionIndex::SEntry& CFindQuestionIndex::GetEntry(int position) const
{
    Sort();
    return m_entries[size_t(position)];
}

void CFindQuestionIndex::Sort() const
{
    if (m_sorted)
        return;
    // A stable sort keeps the entries of one text in the order they came.
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const SEntry& a, const SEntry& b) { return a.Text < b.Text; });
    std::vector<QString> folded;
    folded.reserve(m_entries.size());
    for (const SEntry& entry : m_entries)
        folded.push_back(entry.Text.toCaseFolded());
    m_byFolded.resize(m_entries.size());
    std::iota(m_byFolded.begin(), m_byFolded.end(), 0);
    std::sort(m_byFolded.begin(), m_byFolded.end(),
              [&folded](int a, int b) { return folded[size_t(a)] < folded[size_t(b)]; });
    m_folded.clear();
    m_folded.reserve(m_entries.size());
    for (const int position : m_byFolded)
        m_folded.push_back(std::move(folded[size_t(position)]));
    m_sorted = true;
}

void CFindQuestionIndex::AddEqual(const QString& folded, std::vector<int>& positions) const
{
    const auto [first, last] = std::equal_range(m_folded.begin(), m_folded.end(), folded);
    for (auto it = first; it != last; ++it)
        positions.push_back(m_byFolded[size_t(it - m_folded.begin())]);
}

std::vector<int> CFindQuestionIndex::Find(const QString& text) const
{
    Sort();
    std::vector<int> positions;
    const QString folded = text.toCaseFolded();
    if (folded.isEmpty()) {
        positions.resize(m_entries.size());
        std::iota(positions.begin(), positions.end(), 0);
        return positions;
    }
    // The entries that begin with the text: one range of the folded order.
    for (auto it = std::lower_bound(m_folded.begin(), m_folded.end(), folded);
         it != m_folded.end() && it->startsWith(folded); ++it)
        positions.push_back(m_byFolded[size_t(it - m_folded.begin())]);
    // The entries that are a shorter beginning of the text, the empty one included.
    for (qsizetype length = 0; length < folded.size(); ++length)
        AddEqual(folded.left(length), positions);
    std::sort(positions.begin(), positions.end());
    return positions;
}
