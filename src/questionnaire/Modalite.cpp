#include "questionnaire/Modalite.h"

namespace qnr {

QString CModalite::GetShortCaption() const
{
    const CLocalisedTexts::SEntry* entry = m_captions.FindPreferred(m_displayLanguageId);
    return entry ? entry->shortCaption : QString();
}

QString CModalite::GetLocalisedShortCaption(int languageId) const
{
    if (languageId == 0)
        return GetShortCaption();
    const CLocalisedTexts::SEntry* entry = m_captions.Find(languageId);
    return entry ? entry->shortCaption : QString();
}

void CModalite::GetAllLocalisedTexts(std::vector<int>& languageIds, QStringList& texts) const
{
    languageIds.clear();
    texts.clear();
    for (const CLocalisedTexts::SEntry& entry : m_captions.GetEntries()) {
        languageIds.push_back(entry.languageId);
        texts.append(entry.shortCaption);
    }
}

void CModalite::SetShortCaption(int languageId, const QString& text)
{
    m_captions.Set(languageId, QString(), text);
}

} // namespace qnr
