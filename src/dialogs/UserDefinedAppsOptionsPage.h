#pragma once

#include "dialogs/OptionsPage.h"
#include "model/OptionRecords.h"

class QLineEdit;

// Options "Environment::User Defined Applications": the title and the program of the two
// applications of the Tools menu. Every edit goes into the record at once.
class CUserDefinedAppsOptionsPage : public COptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 154,
        IDC_TITLE1 = 1243,
        IDC_PATH1 = 1244,
        IDC_BROWSE1 = 1245,
        IDC_TITLE2 = 1246,
        IDC_PATH2 = 1247,
        IDC_BROWSE2 = 1248
    };

    // The page edits the record given, which outlives it.
    explicit CUserDefinedAppsOptionsPage(CUserDefinedApp& apps, QWidget* parent = nullptr);

    // Browse... of application 1 or 2: the program chosen goes into its path.
    void OnBrowse(int which);

protected:
    void OnInitDialog() override;

private:
    CUserDefinedApp& m_apps;
    QLineEdit* m_title[2] = {};
    QLineEdit* m_path[2] = {};
};
