#include "model/Language.h"

#include "questionnaire/LanguageTable.h"

namespace pelko_wave {

QString GetLanguageNameOfId(int languageId)
{
    return qnr::GetLanguageName(languageId);
}

QString GetLanguageAbbreviationOfId(int languageId)
{
    return qnr::GetLanguageAbbreviation(languageId);
}

CLanguage::CLanguage(int languageId)
    : m_languageId(languageId)
    , m_languageName(GetLanguageNameOfId(languageId))
    , m_languageAbbreviation(GetLanguageAbbreviationOfId(languageId))
{
}

} // namespace pelko_wave
