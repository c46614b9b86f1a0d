#include "questionnaire/LocalisedTexts.h"

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

} // namespace qnr
