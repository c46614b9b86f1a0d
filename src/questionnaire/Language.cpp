#include "questionnaire/Language.h"

#include "questionnaire/LanguageTable.h"

namespace qnr {

CLanguage::CLanguage(int id)
    : m_id(id), m_name(GetLanguageName(id)), m_abbreviation(GetLanguageAbbreviation(id))
{
}

CLanguage::CLanguage(int id, const QString& name, const QString& abbreviation)
    : m_id(id), m_name(name), m_abbreviation(abbreviation)
{
}

} // namespace qnr
