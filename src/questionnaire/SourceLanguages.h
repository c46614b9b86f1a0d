#pragma once

#include <QHash>
#include <QString>

namespace qnr {

class CQuestionnaire;

// Turns the language tags a source uses into the questionnaire's languages: a tag the table
// knows gets its Windows language id; a tag it does not know gets a custom id of its own
// (0x2000, 0x2400, ... in order of appearance) with the tag as its name. Each language is added
// to the questionnaire the first time it is met.
class CSourceLanguages
{
public:
    explicit CSourceLanguages(CQuestionnaire& questionnaire) : m_questionnaire(questionnaire) {}

    // Records a language the source declares, with the id it gives (0: from the tag).
    int Declare(const QString& tag, int id = 0);
    // The language id of a tag; an empty tag is the default language.
    int IdOf(const QString& tag);
    void SetDefault(int id);
    int GetDefault() const { return m_defaultId; }

private:
    CQuestionnaire& m_questionnaire;
    QHash<QString, int> m_idByTag; // tag, lower-cased and as written -> id
    int m_defaultId = 0;
};

} // namespace qnr
