#include "questionnaire/SourceLanguages.h"

#include "questionnaire/Questionnaire.h"

namespace qnr {

namespace {

// A language that the table does not know, named by its tag.
CLanguage LanguageNamedByTag(int id, const QString& tag)
{
    const QString name = tag.trimmed();
    return CLanguage(id, name, name.left(3).toUpper());
}

} // namespace

int CSourceLanguages::Declare(const QString& tag, int id)
{
    const QString key = tag.trimmed().toLower();
    // Some tools write an id the table does not know (0x1000, "custom, unspecified") beside a
    // tag it does: the tag's id is taken then, so that waves exported by different tools agree
    // on their languages.
    if (id > 0 && !key.isEmpty() && !FindLanguageInfo(id)) {
        if (const int tagId = LanguageIdFromTag(tag); tagId > 0)
            id = tagId;
    }
    if (id <= 0) {
        const auto it = m_idByTag.constFind(key);
        if (it != m_idByTag.constEnd())
            return it.value();
        id = LanguageIdFromTag(tag);
    }
    if (id > 0) {
        const CLanguage known(id);
        m_questionnaire.AddLanguage(known.GetName().isEmpty() ? LanguageNamedByTag(id, tag)
                                                              : known);
    } else {
        id = 0x2000;
        while (m_questionnaire.FindLanguageIndex(id) >= 0)
            id += 0x400;
        m_questionnaire.AddLanguage(LanguageNamedByTag(id, tag));
    }
    if (!key.isEmpty())
        m_idByTag.insert(key, id);
    if (m_defaultId == 0)
        m_defaultId = id;
    return id;
}

int CSourceLanguages::IdOf(const QString& tag)
{
    // Sources repeat the same few tags thousands of times: look them up as written first.
    const auto known = m_idByTag.constFind(tag);
    if (known != m_idByTag.constEnd())
        return known.value();
    const QString key = tag.trimmed().toLower();
    if (key.isEmpty())
        return m_defaultId;
    const auto it = m_idByTag.constFind(key);
    const int id = it != m_idByTag.constEnd() ? it.value() : Declare(tag);
    m_idByTag.insert(tag, id);
    return id;
}

void CSourceLanguages::SetDefault(int id)
{
    m_defaultId = id;
    m_questionnaire.SetDefaultLanguageId(id);
}

} // namespace qnr
