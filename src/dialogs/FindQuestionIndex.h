#pragma once

#include <QString>

#include <vector>

// The texts of one place the find question dialog looks in (shortcuts, short captions or long
// captions), each with a value (a campaign question id, or the number of a source question),
// searched by the beginning of a text. An entry matches a search text when the shorter of the
// two begins the other, ignoring case: every entry matches an empty text, and an entry whose
// text begins the search text matches as well as those that begin with the search text.
//
// The entries are kept sorted on their case-folded texts, so a search takes the range of those
// that begin with the search text and, for each shorter beginning of the search text, the
// entries equal to it: a few binary searches, never a test of every entry.
class CFindQuestionIndex
{
public:
    struct SEntry
    {
        QString Text;
        int Value = 0;
    };

    void Add(const QString& text, int value);
    void Clear();
    int GetCount() const { return int(m_entries.size()); }

    // The positions of the entries that match, ascending. Positions follow the text order:
    // texts compared as they stand, the entries of one text in the order they were added.
    std::vector<int> Find(const QString& text) const;
    const SEntry& GetEntry(int position) const;

private:
    // Sorts what was added since the last search.
    void Sort() const;
    void AddEqual(const QString& folded, std::vector<int>& positions) const;

    mutable std::vector<SEntry> m_entries;
    // Positions of the entries by case-folded text, and the folded texts in the same order.
    mutable std::vector<int> m_byFolded;
    mutable std::vector<QString> m_folded;
    mutable bool m_sorted = true;
};
