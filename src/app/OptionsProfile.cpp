#include "app/OptionsProfile.h"

#include "model/OptionRecords.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyCaptions.h"

#include <QSettings>

namespace {

const QString kLanguageOptions = QStringLiteral("LanguageOptions");
const QString kViewOptions = QStringLiteral("ViewOptions");
const QString kNGram = QStringLiteral("NGram");
const QString kReconciliationOptions = QStringLiteral("ReconciliationOptions");
const QString kQuestionDifferences = QStringLiteral("QuestionDifferences");
const QString kModalityDifferences = QStringLiteral("ModalityDifferences");
const QString kEnvironmentSettings = QStringLiteral("EnvironmentSettings");
const QString kUserDefinedAppsOptions = QStringLiteral("UserDefinedAppsOptions");
const QString kSettings = QStringLiteral("Settings");

// Reads the values of one section between beginGroup and endGroup.
class CSectionReader
{
public:
    CSectionReader(QSettings& profile, const QString& section) : m_profile(profile)
    {
        m_profile.beginGroup(section);
    }
    ~CSectionReader() { m_profile.endGroup(); }
    CSectionReader(const CSectionReader&) = delete;
    CSectionReader& operator=(const CSectionReader&) = delete;

    int Int(const QString& key, int defaultValue) const
    {
        const QVariant value = m_profile.value(key);
        if (!value.isValid())
            return defaultValue;
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok ? number : defaultValue;
    }

    QString Text(const QString& key) const { return m_profile.value(key).toString(); }

private:
    QSettings& m_profile;
};

int Flag(int value)
{
    return value != 0 ? 1 : 0;
}

int Bit(int packed, int bit)
{
    return (packed >> bit) & 1;
}

// Values 3 and above, read as unsigned (so negative ones too), read as 0.
int ModeOf(int value)
{
    return static_cast<unsigned>(value) >= 3u ? 0 : value;
}

} // namespace

std::unique_ptr<QSettings> OpenUserProfile()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Pelko"), QStringLiteral("Plim"));
}

void ReadLanguageOptions(QSettings& profile, CLanguageSettings& settings)
{
    const CSectionReader section(profile, kLanguageOptions);
    const int sourceItems = section.Int(QStringLiteral("SourceItems"), 1);
    settings.SetSourceItems(sourceItems == 0 || sourceItems == 1 ? sourceItems : 1);
    settings.SetCompareCaptionsInDefaultLangOnly(
        Flag(section.Int(QStringLiteral("CompareCaptionsInDefaultLangOnly"), 0)));
}

void ReadViewOptions(QSettings& profile, CViewSettings& settings)
{
    const CSectionReader section(profile, kViewOptions);
    settings.SetCreateReconciliationReport(
        Bit(section.Int(QStringLiteral("ReconciliationOptions"), -1), 0));

    const int questions = section.Int(QStringLiteral("QuestionOptions"), 15);
    settings.SetShowImperfectQuestionMatches(Bit(questions, 0));
    settings.SetShowPerfectQuestionMatches(Bit(questions, 1));
    settings.SetShowUnmatchedCampaignQuestions(Bit(questions, 2));
    settings.SetShowUnmatchedSourceQuestions(Bit(questions, 3));
    settings.SetQuestionGridViewText(
        ModeOf(section.Int(QStringLiteral("QuestionGridViewText"), 0)));

    const int responses = section.Int(QStringLiteral("ModalityOptions"), -1);
    settings.SetShowImperfectResponseMatches(Bit(responses, 0));
    settings.SetShowPerfectResponseMatches(Bit(responses, 1));
    settings.SetShowUnmatchedCampaignResponses(Bit(responses, 2));
    settings.SetShowUnmatchedSourceResponses(Bit(responses, 3));
    settings.SetShowNewCampaignResponses(Bit(responses, 4));
    settings.SetViewEntryCodes(section.Int(QStringLiteral("ViewEntryCodes"), 1));
}

void ReadNGramOptions(QSettings& profile, CNGramSettings& settings)
{
    const CSectionReader section(profile, kNGram);
    settings.SetEnableNGramAnalysis(section.Int(QStringLiteral("EnableNGramAnalysis"), 1));
    settings.SetNGramLength(section.Int(QStringLiteral("NGramLength"), 2));
    settings.SetNGramThreshold(section.Int(QStringLiteral("NGramThreshold"), 95));
    settings.SetIgnoreWhitespace(section.Int(QStringLiteral("IgnoreWhitespace"), 1));
}

void ReadReconciliationOptions(QSettings& profile, CReconciliationSettings& settings)
{
    const CSectionReader section(profile, kReconciliationOptions);
    settings.SetCheckQuesTypeForMatches(section.Int(QStringLiteral("CheckQuesTypeForMatches"), 1));
}

void ReadQuestionDifferenceOptions(QSettings& profile, CQuestionDiffsOptions& options)
{
    const CSectionReader section(profile, kQuestionDifferences);
    for (const int kind : GetStoredQuestionDiffKinds())
        options.SetEnabled(kind, section.Int(GetQuestionPropertyCaption(kind), 1) != 0);
}

void ReadModalityDifferenceOptions(QSettings& profile, CModalityDiffsOptions& options)
{
    const CSectionReader section(profile, kModalityDifferences);
    for (const int kind : GetStoredModalityDiffKinds())
        options.SetEnabled(kind, section.Int(GetModalityPropertyCaption(kind), 1) != 0);
}

void ReadEnvironmentSettings(QSettings& profile, CEnvironmentSettings& settings)
{
    const CSectionReader section(profile, kEnvironmentSettings);
    settings.SetMRUSize(section.Int(QStringLiteral("MRUSize"), 10));
    settings.SetMRUFileNameLength(section.Int(QStringLiteral("MRUFileNameLength"), 30));
    settings.SetFindQuestionSearchTarget(
        ModeOf(section.Int(QStringLiteral("FindQuestionSearchTarget"), 0)));
    settings.SetCaptionsLibraryPath(section.Text(QStringLiteral("CaptionsLibraryPath")));
}

void ReadUserDefinedApps(QSettings& profile, CUserDefinedApp& apps)
{
    const CSectionReader section(profile, kUserDefinedAppsOptions);
    apps.SetUserDefinedApp1Title(section.Text(QStringLiteral("UserDefinedApp1Title")));
    apps.SetUserDefinedApp1Path(section.Text(QStringLiteral("UserDefinedApp1Path")));
    apps.SetUserDefinedApp2Title(section.Text(QStringLiteral("UserDefinedApp2Title")));
    apps.SetUserDefinedApp2Path(section.Text(QStringLiteral("UserDefinedApp2Path")));
}

int ReadPreviewPages(QSettings& profile)
{
    const CSectionReader section(profile, kSettings);
    return section.Int(QStringLiteral("PreviewPages"), 0);
}

SProfileSection LanguageOptionsSection(const CLanguageSettings& settings)
{
    return {kLanguageOptions,
            {{QStringLiteral("SourceItems"), settings.GetSourceItems()},
             {QStringLiteral("CompareCaptionsInDefaultLangOnly"),
              Flag(settings.GetCompareCaptionsInDefaultLangOnly())}}};
}

SProfileSection ViewOptionsSection(const CViewSettings& settings)
{
    const int questions = Flag(settings.GetShowImperfectQuestionMatches()) +
                          2 * Flag(settings.GetShowPerfectQuestionMatches()) +
                          4 * Flag(settings.GetShowUnmatchedCampaignQuestions()) +
                          8 * Flag(settings.GetShowUnmatchedSourceQuestions());
    const int responses = Flag(settings.GetShowImperfectResponseMatches()) +
                          2 * Flag(settings.GetShowPerfectResponseMatches()) +
                          4 * Flag(settings.GetShowUnmatchedCampaignResponses()) +
                          8 * Flag(settings.GetShowUnmatchedSourceResponses()) +
                          16 * Flag(settings.GetShowNewCampaignResponses());
    return {
        kViewOptions,
        {{QStringLiteral("ReconciliationOptions"), Flag(settings.GetCreateReconciliationReport())},
         {QStringLiteral("QuestionOptions"), questions},
         {QStringLiteral("QuestionGridViewText"), settings.GetQuestionGridViewText()},
         {QStringLiteral("ModalityOptions"), responses},
         {QStringLiteral("ViewEntryCodes"), Flag(settings.GetViewEntryCodes())}}};
}

SProfileSection NGramOptionsSection(const CNGramSettings& settings)
{
    return {kNGram,
            {{QStringLiteral("EnableNGramAnalysis"), Flag(settings.GetEnableNGramAnalysis())},
             {QStringLiteral("NGramLength"), settings.GetNGramLength()},
             {QStringLiteral("NGramThreshold"), settings.GetNGramThreshold()},
             {QStringLiteral("IgnoreWhitespace"), Flag(settings.GetIgnoreWhitespace())}}};
}

SProfileSection ReconciliationOptionsSection(const CReconciliationSettings& settings)
{
    return {
        kReconciliationOptions,
        {{QStringLiteral("CheckQuesTypeForMatches"), Flag(settings.GetCheckQuesTypeForMatches())}}};
}

SProfileSection QuestionDifferencesSection(const CQuestionDiffsOptions& options)
{
    SProfileSection section{kQuestionDifferences, {}};
    for (const int kind : GetStoredQuestionDiffKinds())
        section.Values.emplace_back(GetQuestionPropertyCaption(kind),
                                    options.IsEnabled(kind) ? 1 : 0);
    return section;
}

SProfileSection ModalityDifferencesSection(const CModalityDiffsOptions& options)
{
    SProfileSection section{kModalityDifferences, {}};
    for (const int kind : GetStoredModalityDiffKinds())
        section.Values.emplace_back(GetModalityPropertyCaption(kind),
                                    options.IsEnabled(kind) ? 1 : 0);
    return section;
}

SProfileSection EnvironmentSettingsSection(const CEnvironmentSettings& settings)
{
    return {kEnvironmentSettings,
            {{QStringLiteral("MRUSize"), settings.GetMRUSize()},
             {QStringLiteral("MRUFileNameLength"), settings.GetMRUFileNameLength()},
             {QStringLiteral("FindQuestionSearchTarget"), settings.GetFindQuestionSearchTarget()},
             {QStringLiteral("CaptionsLibraryPath"), settings.GetCaptionsLibraryPath()}}};
}

SProfileSection UserDefinedAppsSection(const CUserDefinedApp& apps)
{
    return {kUserDefinedAppsOptions,
            {{QStringLiteral("UserDefinedApp1Title"), apps.GetUserDefinedApp1Title()},
             {QStringLiteral("UserDefinedApp1Path"), apps.GetUserDefinedApp1Path()},
             {QStringLiteral("UserDefinedApp2Title"), apps.GetUserDefinedApp2Title()},
             {QStringLiteral("UserDefinedApp2Path"), apps.GetUserDefinedApp2Path()}}};
}

SProfileSection PreviewPagesSection(int pages)
{
    return {kSettings, {{QStringLiteral("PreviewPages"), pages}}};
}

void COptionsProfile::RememberAsRead(const SProfileSection& section)
{
    m_asRead[section.Name] = section;
}

bool COptionsProfile::WriteIfChanged(QSettings& profile, const SProfileSection& section)
{
    const auto it = m_asRead.find(section.Name);
    if (it != m_asRead.end() && it->second == section)
        return false;
    profile.beginGroup(section.Name);
    for (const auto& [key, value] : section.Values)
        profile.setValue(key, value);
    profile.endGroup();
    m_asRead[section.Name] = section;
    return true;
}
