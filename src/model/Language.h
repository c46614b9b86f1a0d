#pragma once

#include <QString>

// A language of the campaign, identified by its Windows language id (1033, 1036, ...), which is
// kept as the number it is: it is data in campaign and questionnaire files.

namespace pelko_wave {

class CLanguage
{
public:
    CLanguage() = default;
    // A language with the system's name and three-letter abbreviation of the id; both texts are
    // empty for an id that the system does not know.
    explicit CLanguage(int languageId);

    int GetLanguageId() const { return m_languageId; }
    void SetLanguageId(int id) { m_languageId = id; }
    int IsDefault() const { return m_isDefault; }
    void SetIsDefault(int isDefault) { m_isDefault = isDefault; }
    const QString& GetLanguageName() const { return m_languageName; }
    void SetLanguageName(const QString& name) { m_languageName = name; }
    const QString& GetLanguageAbbreviation() const { return m_languageAbbreviation; }
    void SetLanguageAbbreviation(const QString& abbreviation)
    {
        m_languageAbbreviation = abbreviation;
    }

    bool operator==(const CLanguage&) const = default;

private:
    int m_languageId = 0;
    int m_isDefault = 0;
    QString m_languageName;
    QString m_languageAbbreviation;
};

// The primary language of a Windows language id (its low ten bits).
inline int PrimaryLanguageOf(int languageId)
{
    return languageId & 0x3FF;
}

// The system's name of a Windows language id ("French (France)"); empty when unknown.
QString GetLanguageNameOfId(int languageId);
// The three-letter abbreviated name of a Windows language id ("FRA"); empty when unknown.
QString GetLanguageAbbreviationOfId(int languageId);

} // namespace pelko_wave
