#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace qnr {

// The captions of one question or response, one entry per language in the order they were
// given (a reader gives them in the questionnaire's language order). A response uses the short
// caption only.
class CLocalisedTexts
{
public:
    struct SEntry
    {
        int languageId = 0;
        QString longCaption;
        QString shortCaption;
    };

    // Sets the captions of a language, replacing what it had.
    void Set(int languageId, const QString& longCaption, const QString& shortCaption);
    void Clear() { m_entries.clear(); }
    // Puts the entries in the order of a language list; languages not in it go last.
    void SortByLanguage(const std::vector<int>& languageOrder);

    // The entry of a language, or null when it has none.
    const SEntry* Find(int languageId) const;
    // The entry of the preferred language, else the first entry; null when there is none.
    const SEntry* FindPreferred(int languageId) const;
    const std::vector<SEntry>& GetEntries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.empty(); }

private:
    std::vector<SEntry> m_entries;
};

} // namespace qnr
