#include "questionnaire/LocalisedTexts.h"

#include <algorithm>

namespace qnr {

void CLocalisedTexts::Set(int languageId, const QString& longCaption, const QString& shortCaption)
{
    for (SEntry& entry : m_entries) {
        if (entry.languageId == languageId) {
            entry.longCaption = longCaption;
            entry.shortCaption = shortCaption;
            return;
        }
    }
    m_entries.push_back({languageId, longCaption, shortCaption});
}

const CLocalisedTexts::SEntry* CLocalisedTexts::Find(int languageId) const
{
    for (const SEntry& entry : m_entries) {
        if (entry.languageId == languageId)
            return &entry;
    }
    return nullptr;
}

const CLocalisedTexts::SEntry* CLocalisedTexts::FindPreferred(int languageId) const
{
    if (const SEntry* entry = Find(languageId))
        return entry;
    return m_entries.empty() ? nullptr : &m_entries.front();
}

void CLocalisedTexts::SortByLanguage(const std::vector<int>& languageOrder)
{
    const auto rank = [&languageOrder](const SEntry& entry) {
        const auto it = std::find(languageOrder.begin(), languageOrder.end(), entry.languageId);
        return it - languageOrder.begin();
    };
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [&rank](const SEntry& a, const SEntry& b) { return rank(a) < rank(b); });
}

} // namespace qnr
