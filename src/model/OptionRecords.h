#pragma once

#include <QString>

// The user's option records, held once each by value by the application object and copied by
// the option pages. Flags are ints holding 0 or 1; a non-zero value reads as set. The setters
// that enforce a range are the only way to change those fields.

// Languages in which source items are shown and captions compared.
class CLanguageSettings
{
public:
    // 0: source items in the campaign's current language; 1: in each volume's default language.
    int GetSourceItems() const { return m_sourceItems; }
    void SetSourceItems(int value) { m_sourceItems = value; }
    int GetCompareCaptionsInDefaultLangOnly() const { return m_compareCaptionsInDefaultLangOnly; }
    void SetCompareCaptionsInDefaultLangOnly(int value)
    {
        m_compareCaptionsInDefaultLangOnly = value;
    }

    // Both fields equal as integers.
    bool operator==(const CLanguageSettings& other) const;
    bool operator!=(const CLanguageSettings& other) const { return !(*this == other); }

private:
    int m_sourceItems = 1;
    int m_compareCaptionsInDefaultLangOnly = 0;
};

// What the reconciliation page shows, and whether each reconciliation writes a report.
class CViewSettings
{
public:
    enum QuestionGridText
    {
        ViewShortcuts = 0,
        ViewShortCaptions = 1,
        ViewLongCaptions = 2
    };

    int GetCreateReconciliationReport() const { return m_createReconciliationReport; }
    void SetCreateReconciliationReport(int value) { m_createReconciliationReport = value; }

    // The question group.
    int GetShowImperfectQuestionMatches() const { return m_showImperfectQuestionMatches; }
    void SetShowImperfectQuestionMatches(int value) { m_showImperfectQuestionMatches = value; }
    int GetShowPerfectQuestionMatches() const { return m_showPerfectQuestionMatches; }
    void SetShowPerfectQuestionMatches(int value) { m_showPerfectQuestionMatches = value; }
    int GetShowUnmatchedCampaignQuestions() const { return m_showUnmatchedCampaignQuestions; }
    void SetShowUnmatchedCampaignQuestions(int value) { m_showUnmatchedCampaignQuestions = value; }
    int GetShowUnmatchedSourceQuestions() const { return m_showUnmatchedSourceQuestions; }
    void SetShowUnmatchedSourceQuestions(int value) { m_showUnmatchedSourceQuestions = value; }
    int GetQuestionGridViewText() const { return m_questionGridViewText; }
    void SetQuestionGridViewText(int value) { m_questionGridViewText = value; }

    // The response group.
    int GetShowImperfectResponseMatches() const { return m_showImperfectResponseMatches; }
    void SetShowImperfectResponseMatches(int value) { m_showImperfectResponseMatches = value; }
    int GetShowPerfectResponseMatches() const { return m_showPerfectResponseMatches; }
    void SetShowPerfectResponseMatches(int value) { m_showPerfectResponseMatches = value; }
    int GetShowUnmatchedCampaignResponses() const { return m_showUnmatchedCampaignResponses; }
    void SetShowUnmatchedCampaignResponses(int value) { m_showUnmatchedCampaignResponses = value; }
    int GetShowUnmatchedSourceResponses() const { return m_showUnmatchedSourceResponses; }
    void SetShowUnmatchedSourceResponses(int value) { m_showUnmatchedSourceResponses = value; }
    int GetShowNewCampaignResponses() const { return m_showNewCampaignResponses; }
    void SetShowNewCampaignResponses(int value) { m_showNewCampaignResponses = value; }
    int GetViewEntryCodes() const { return m_viewEntryCodes; }
    void SetViewEntryCodes(int value) { m_viewEntryCodes = value; }

    // The question group: its four flags equal as flags and the grid text mode equal.
    bool EqualsFirstGroup(const CViewSettings& other) const;
    // The response group: its six flags equal as flags.
    bool EqualsSecondGroup(const CViewSettings& other) const;
    // Both groups equal; the report flag takes part in no comparison.
    bool operator==(const CViewSettings& other) const;
    bool operator!=(const CViewSettings& other) const { return !(*this == other); }

private:
    int m_createReconciliationReport = 1;
    int m_showImperfectQuestionMatches = 1;
    int m_showPerfectQuestionMatches = 1;
    int m_showUnmatchedCampaignQuestions = 1;
    int m_showUnmatchedSourceQuestions = 1;
    int m_questionGridViewText = ViewShortcuts;
    int m_showImperfectResponseMatches = 1;
    int m_showPerfectResponseMatches = 1;
    int m_showUnmatchedCampaignResponses = 1;
    int m_showUnmatchedSourceResponses = 1;
    int m_showNewCampaignResponses = 1;
    int m_viewEntryCodes = 1;
};

// The n-gram text similarity used by every text comparison of the reconciliation.
class CNGramSettings
{
public:
    int GetEnableNGramAnalysis() const { return m_enableNGramAnalysis; }
    void SetEnableNGramAnalysis(int value) { m_enableNGramAnalysis = value; }
    int GetNGramLength() const { return m_nGramLength; }
    // A length below 2 stores 2.
    void SetNGramLength(int length);
    // Similarity threshold in percent.
    int GetNGramThreshold() const { return m_nGramThreshold; }
    void SetNGramThreshold(int value) { m_nGramThreshold = value; }
    int GetIgnoreWhitespace() const { return m_ignoreWhitespace; }
    void SetIgnoreWhitespace(int value) { m_ignoreWhitespace = value; }

    // The threshold as a fraction in single precision (95 gives 0.95f); not clamped.
    float GetThresholdFraction() const;

private:
    int m_enableNGramAnalysis = 1;
    int m_nGramLength = 2;
    int m_nGramThreshold = 95;
    int m_ignoreWhitespace = 1;
};

class CReconciliationSettings
{
public:
    // Matched questions must be of the same type.
    int GetCheckQuesTypeForMatches() const { return m_checkQuesTypeForMatches; }
    void SetCheckQuesTypeForMatches(int value) { m_checkQuesTypeForMatches = value; }

private:
    int m_checkQuesTypeForMatches = 1;
};

// The recent-file list, the find-question dialog's last search and the caption-library file.
class CEnvironmentSettings
{
public:
    int GetMRUSize() const { return m_mruSize; }
    // Taken only within 1..16; any other size leaves the previous one.
    void SetMRUSize(int size);
    int GetMRUFileNameLength() const { return m_mruFileNameLength; }
    // Taken only within 20..260; any other length leaves the previous one.
    void SetMRUFileNameLength(int length);
    // 0 shortcut, 1 short caption, 2 long caption.
    int GetFindQuestionSearchTarget() const { return m_findQuestionSearchTarget; }
    void SetFindQuestionSearchTarget(int value) { m_findQuestionSearchTarget = value; }
    // Kept until the program ends, never saved.
    const QString& GetFindQuestionText() const { return m_findQuestionText; }
    void SetFindQuestionText(const QString& text) { m_findQuestionText = text; }
    const QString& GetCaptionsLibraryPath() const { return m_captionsLibraryPath; }
    void SetCaptionsLibraryPath(const QString& path) { m_captionsLibraryPath = path; }

    // The three ints equal and both texts equal ignoring case.
    bool operator==(const CEnvironmentSettings& other) const;
    bool operator!=(const CEnvironmentSettings& other) const { return !(*this == other); }

private:
    int m_mruSize = 10;
    int m_mruFileNameLength = 30;
    int m_findQuestionSearchTarget = 0;
    QString m_findQuestionText;
    QString m_captionsLibraryPath;
};

// The two user-defined applications of the options: a title and a path each.
class CUserDefinedApp
{
public:
    const QString& GetUserDefinedApp1Title() const { return m_app1Title; }
    void SetUserDefinedApp1Title(const QString& text) { m_app1Title = text; }
    const QString& GetUserDefinedApp1Path() const { return m_app1Path; }
    void SetUserDefinedApp1Path(const QString& text) { m_app1Path = text; }
    const QString& GetUserDefinedApp2Title() const { return m_app2Title; }
    void SetUserDefinedApp2Title(const QString& text) { m_app2Title = text; }
    const QString& GetUserDefinedApp2Path() const { return m_app2Path; }
    void SetUserDefinedApp2Path(const QString& text) { m_app2Path = text; }

private:
    QString m_app1Title;
    QString m_app1Path;
    QString m_app2Title;
    QString m_app2Path;
};

// The process-wide current languages, both 0 at start: the campaign language against which
// caption languages are compared, and the questionnaire language handed to the source items'
// caption getters. Set together by the language reconciliation and the reconciliation page.
void SetCurrentLanguageId(int languageId);
int GetCurrentLanguageId();
void SetCurrentQuestionnaireLanguage(int languageId);
int GetCurrentQuestionnaireLanguage();
