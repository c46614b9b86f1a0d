// The application's options: the profile sections at start-up and exit, the difference options
// in force, and the campaign's local options file.
#include "app/OptionFiles.h"
#include "app/OptionsProfile.h"
#include "app/WaveApp.h"

#include <QSettings>

namespace {

// Reads one profile section into its record and remembers its values as read.
template <typename TRecord>
void ReadSection(QSettings& profile, COptionsProfile& asRead, TRecord& record,
                 void (*read)(QSettings&, TRecord&), SProfileSection (*section)(const TRecord&))
{
    read(profile, record);
    asRead.RememberAsRead(section(record));
}

} // namespace

void CWaveApp::LoadOptions()
{
    // The fixed sets of hidden difference kinds are filled when the object is made.
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    LoadLanguageOptions(*profile);
    LoadViewOptions(*profile);
    LoadNGramOptions(*profile);
    LoadReconciliationOptions(*profile);
    LoadQuestionDifferenceOptions(*profile);
    LoadModalityDifferenceOptions(*profile);
    LoadEnvironmentSettings(*profile);
    LoadUserDefinedApps(*profile);
    m_previewPages = ReadPreviewPages(*profile);
    m_profileAsRead.RememberAsRead(PreviewPagesSection(m_previewPages));
    LoadCaptionLibrariesAtStartup();
}

void CWaveApp::SaveOptionsAtExit()
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    SaveLanguageOptions(*profile);
    SaveViewOptions(*profile);
    SaveNGramOptions(*profile);
    SaveReconciliationOptions(*profile);
    SaveQuestionDifferenceOptions(*profile);
    SaveModalityDifferenceOptions(*profile);
    SaveEnvironmentSettings(*profile);
    SaveUserDefinedApps(*profile);
    m_profileAsRead.WriteIfChanged(*profile, PreviewPagesSection(m_previewPages));
    profile->sync();
    SaveCaptionLibrariesAtExit();
}

void CWaveApp::LoadLanguageOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_languageSettings, ReadLanguageOptions,
                LanguageOptionsSection);
}

void CWaveApp::LoadViewOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_viewSettings, ReadViewOptions, ViewOptionsSection);
}

void CWaveApp::LoadNGramOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_nGramSettings, ReadNGramOptions, NGramOptionsSection);
}

void CWaveApp::LoadReconciliationOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_reconciliationSettings, ReadReconciliationOptions,
                ReconciliationOptionsSection);
}

void CWaveApp::LoadQuestionDifferenceOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_globalQuestionDiffs, ReadQuestionDifferenceOptions,
                QuestionDifferencesSection);
    m_localQuestionDiffs = m_globalQuestionDiffs;
}

void CWaveApp::LoadModalityDifferenceOptions(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_globalModalityDiffs, ReadModalityDifferenceOptions,
                ModalityDifferencesSection);
    m_localModalityDiffs = m_globalModalityDiffs;
}

void CWaveApp::LoadEnvironmentSettings(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_environmentSettings, ReadEnvironmentSettings,
                EnvironmentSettingsSection);
}

void CWaveApp::LoadUserDefinedApps(QSettings& profile)
{
    ReadSection(profile, m_profileAsRead, m_userDefinedApps, ReadUserDefinedApps,
                UserDefinedAppsSection);
}

void CWaveApp::SaveLanguageOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, LanguageOptionsSection(m_languageSettings));
}

void CWaveApp::SaveViewOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, ViewOptionsSection(m_viewSettings));
}

void CWaveApp::SaveNGramOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, NGramOptionsSection(m_nGramSettings));
}

void CWaveApp::SaveReconciliationOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, ReconciliationOptionsSection(m_reconciliationSettings));
}

void CWaveApp::SaveQuestionDifferenceOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, QuestionDifferencesSection(m_globalQuestionDiffs));
}

void CWaveApp::SaveModalityDifferenceOptions(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, ModalityDifferencesSection(m_globalModalityDiffs));
}

void CWaveApp::SaveEnvironmentSettings(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, EnvironmentSettingsSection(m_environmentSettings));
}

void CWaveApp::SaveUserDefinedApps(QSettings& profile)
{
    m_profileAsRead.WriteIfChanged(profile, UserDefinedAppsSection(m_userDefinedApps));
}

const CQuestionDiffsOptions& CWaveApp::GetQuestionDiffsOptions() const
{
    return m_globalOptionsInUse ? m_globalQuestionDiffs : m_localQuestionDiffs;
}

const CModalityDiffsOptions& CWaveApp::GetModalityDiffsOptions() const
{
    return m_globalOptionsInUse ? m_globalModalityDiffs : m_localModalityDiffs;
}

void CWaveApp::SetQuestionDiffsOptions(const CQuestionDiffsOptions& options)
{
    (m_globalOptionsInUse ? m_globalQuestionDiffs : m_localQuestionDiffs) = options;
}

void CWaveApp::SetModalityDiffsOptions(const CModalityDiffsOptions& options)
{
    (m_globalOptionsInUse ? m_globalModalityDiffs : m_localModalityDiffs) = options;
}

bool CWaveApp::UseLocalOptions()
{
    if (!m_globalOptionsInUse)
        return false;
    m_globalOptionsInUse = false;
    return true;
}

bool CWaveApp::UseGlobalOptions()
{
    if (m_globalOptionsInUse)
        return false;
    m_globalOptionsInUse = true;
    return true;
}

void CWaveApp::SetOptionMode(bool localOptionsLoaded, bool globalOptionsInUse)
{
    m_localOptionsLoaded = localOptionsLoaded;
    m_globalOptionsInUse = globalOptionsInUse;
}

bool CWaveApp::SaveDiffsOptions(const QString& path) const
{
    return SaveDiffsOptionsFile(path, GetQuestionDiffsOptions(), GetModalityDiffsOptions());
}

bool CWaveApp::SaveLocalOptions() const
{
    const QString path = GetLocalOptionsPath(m_campaignPath);
    return !path.isEmpty() && SaveDiffsOptions(path);
}

bool CWaveApp::SaveLocalOptionsIfUsed() const
{
    return m_localOptionsLoaded && !m_globalOptionsInUse && SaveLocalOptions();
}

bool CWaveApp::LoadDiffsOptions()
{
    return LoadDiffsOptionsFile(GetLocalOptionsPath(m_campaignPath), m_localQuestionDiffs,
                                m_localModalityDiffs);
}
