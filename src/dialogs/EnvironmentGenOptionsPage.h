#pragma once

#include "dialogs/OptionsPage.h"
#include "model/OptionRecords.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the general page does at once, outside its records.
struct SEnvironmentPageActions
{
    // Whether the application uses its global options (else a campaign's local ones).
    bool GlobalOptionsInUse = true;
    // Clear List: empties the recent-file list. Without it the button is greyed.
    std::function<void()> ClearRecentFiles;
    // Export...: writes the options in force to the file; false when it could not. Without it
    // the button is greyed.
    std::function<bool(const QString& path)> ExportOptions;
};

// Options "Environment::General": the languages source items show in and captions are compared
// in, the size of the recently used list and the length of its file paths, the caption library
// file, and where the options come from. Edits go into the records at once; Clear List and
// Export... act at once.
class CEnvironmentGenOptionsPage : public COptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 145,
        IDC_RECENT_FILES = 1032,
        IDC_PATH_LENGTH = 1036,
        IDC_CLEAR_LIST = 1085,
        IDC_COMPARE_DEFAULT_ONLY = 1095,
        IDC_SOURCE_CURRENT_LANGUAGE = 1100,
        IDC_SOURCE_VOLUME_LANGUAGE = 1184,
        IDC_CAPTION_LIBRARY = 1215,
        IDC_BROWSE = 1217,
        IDC_OPTIONS_SOURCE = 1240,
        IDC_EXPORT = 1241
    };

    // The page edits the records given, which outlive it.
    CEnvironmentGenOptionsPage(CLanguageSettings& language, CEnvironmentSettings& environment,
                               SEnvironmentPageActions actions, QWidget* parent = nullptr);

    // Writes the language controls into their record, and shows the numbers the environment
    // settings took (a number out of their range leaves the one before).
    bool OnKillActive() override;

    void OnBrowse();
    void OnClearList();
    void OnExport();

protected:
    void OnInitDialog() override;

private:
    CLanguageSettings& m_language;
    CEnvironmentSettings& m_environment;
    SEnvironmentPageActions m_actions;
    QRadioButton* m_currentLanguage = nullptr;
    QRadioButton* m_volumeLanguage = nullptr;
    QCheckBox* m_compareDefaultOnly = nullptr;
    QLineEdit* m_recentFiles = nullptr;
    QLineEdit* m_pathLength = nullptr;
    QLineEdit* m_captionLibrary = nullptr;
    QLabel* m_optionsSource = nullptr;
    QPushButton* m_clearList = nullptr;
    QPushButton* m_export = nullptr;
};
