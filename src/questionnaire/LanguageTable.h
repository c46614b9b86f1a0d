#pragma once

#include <QString>

namespace qnr {

// The one table of languages the program knows: Windows language id, language tag, English
// name and three-letter abbreviation. It maps the formats' language tags to Windows language
// ids and gives `CLanguage` its name and abbreviation. Read-only, safe from any thread.
struct SLanguageInfo
{
    int id;                   // Windows language id, e.g. 1033
    const char* tag;          // language tag, e.g. "en-US"
    const char* name;         // e.g. "English (United States)"
    const char* abbreviation; // e.g. "ENU"
};

// The entry of a Windows language id; null when the table does not know it.
const SLanguageInfo* FindLanguageInfo(int languageId);

// The Windows language id of a language tag ("en-GB", "EN-GB", "en_GB", "fr", "ENU"): case is
// ignored; a bare primary tag ("fr") gives that language's main country; a tag whose region the
// table lacks gives its primary language's main country. 0 when the language is unknown.
int LanguageIdFromTag(const QString& tag);

// Name and abbreviation of a language id; empty texts when the table does not know it.
QString GetLanguageName(int languageId);
QString GetLanguageAbbreviation(int languageId);
// The language tag of a language id ("en-US"); empty when unknown.
QString GetLanguageTag(int languageId);

} // namespace qnr
