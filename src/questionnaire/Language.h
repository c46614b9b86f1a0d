#pragma once

#include <QString>

namespace qnr {

// A language of a questionnaire: its Windows language id (1033, 1036, ...), name and
// three-letter abbreviation.
class CLanguage
{
public:
    CLanguage() = default;
    // Name and abbreviation from the language table (empty when it does not know the id).
    explicit CLanguage(int id);
    CLanguage(int id, const QString& name, const QString& abbreviation);

    int GetId() const { return m_id; }
    const QString& GetName() const { return m_name; }
    const QString& GetAbbreviation() const { return m_abbreviation; }

private:
    int m_id = 0;
    QString m_name;
    QString m_abbreviation;
};

} // namespace qnr
