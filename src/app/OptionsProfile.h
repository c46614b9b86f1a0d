#pragma once

#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class QSettings;
class CLanguageSettings;
class CViewSettings;
class CNGramSettings;
class CReconciliationSettings;
class CEnvironmentSettings;
class CUserDefinedApp;
class CQuestionDiffsOptions;
class CModalityDiffsOptions;

// The user's profile: the program's settings file under the user's configuration folder
// (organisation "Pelko", application "Plim": "Pelko/Plim.conf", in INI form), with one section
// per option record.
std::unique_ptr<QSettings> OpenUserProfile();

// One profile section as it is written: its name and its values in order.
struct SProfileSection
{
    QString Name;
    std::vector<std::pair<QString, QVariant>> Values;

    bool operator==(const SProfileSection& other) const = default;
};

// Section readers. A missing value, or one that is not a number where a number is expected,
// gives the default; out-of-range values follow each record's read rule.
void ReadLanguageOptions(QSettings& profile, CLanguageSettings& settings);
void ReadViewOptions(QSettings& profile, CViewSettings& settings);
void ReadNGramOptions(QSettings& profile, CNGramSettings& settings);
void ReadReconciliationOptions(QSettings& profile, CReconciliationSettings& settings);
// Reads every stored kind (default enabled) into the set, by the kind's caption.
void ReadQuestionDifferenceOptions(QSettings& profile, CQuestionDiffsOptions& options);
void ReadModalityDifferenceOptions(QSettings& profile, CModalityDiffsOptions& options);
void ReadEnvironmentSettings(QSettings& profile, CEnvironmentSettings& settings);
void ReadUserDefinedApps(QSettings& profile, CUserDefinedApp& apps);
// The print preview's page count of section "Settings".
int ReadPreviewPages(QSettings& profile);

// The values each section holds when written from its record: flags as 0 or 1, the view
// flags packed into bits, the difference options as one value per stored kind.
SProfileSection LanguageOptionsSection(const CLanguageSettings& settings);
SProfileSection ViewOptionsSection(const CViewSettings& settings);
SProfileSection NGramOptionsSection(const CNGramSettings& settings);
SProfileSection ReconciliationOptionsSection(const CReconciliationSettings& settings);
SProfileSection QuestionDifferencesSection(const CQuestionDiffsOptions& options);
SProfileSection ModalityDifferencesSection(const CModalityDiffsOptions& options);
SProfileSection EnvironmentSettingsSection(const CEnvironmentSettings& settings);
SProfileSection UserDefinedAppsSection(const CUserDefinedApp& apps);
SProfileSection PreviewPagesSection(int pages);

// Writes a process's option sections back without overwriting what another process wrote.
//
// The rule: a section is written back only when the values it would write differ from those
// it held when this process read it (a section this process never read counts as changed).
// So a batch run started while the window is open, and the window itself, each write only
// the sections they changed, and leave the other's changes in place. Within a written
// section every value is written.
class COptionsProfile
{
public:
    // Records a section's values as read.
    void RememberAsRead(const SProfileSection& section);
    // Writes the section when it changed since it was read; returns whether it was written.
    bool WriteIfChanged(QSettings& profile, const SProfileSection& section);

private:
    std::map<QString, SProfileSection> m_asRead;
};
