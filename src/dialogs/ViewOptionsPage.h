#pragma once

#include "dialogs/OptionsPage.h"
#include "model/OptionRecords.h"

class QCheckBox;
class QRadioButton;

// Options "Environment::Reconciliation": what the reconciliation page shows of questions and
// responses, and whether each reconciliation writes a report. The controls are written back
// into the view settings when the page is left and by OK.
class CViewOptionsPage : public COptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 138,
        IDC_SHOW_IMPERFECT_QUESTIONS = 1092,
        IDC_SHOW_PERFECT_QUESTIONS = 1104,
        IDC_SHOW_UNMATCHED_CAMPAIGN_QUESTIONS = 1109,
        IDC_SHOW_UNMATCHED_SOURCE_QUESTIONS = 1147,
        IDC_SHOW_IMPERFECT_RESPONSES = 1149,
        IDC_SHOW_PERFECT_RESPONSES = 1150,
        IDC_SHOW_UNMATCHED_CAMPAIGN_RESPONSES = 1151,
        IDC_SHOW_UNMATCHED_SOURCE_RESPONSES = 1152,
        IDC_VIEW_ENTRY_CODES = 1162,
        IDC_CREATE_REPORT = 1191,
        IDC_SHOW_NEW_RESPONSES = 1193,
        IDC_VIEW_SHORTCUTS = 1198,
        IDC_VIEW_SHORT_CAPTIONS = 1199,
        IDC_VIEW_LONG_CAPTIONS = 1200
    };

    // The page edits the record given, which outlives it.
    explicit CViewOptionsPage(CViewSettings& view, QWidget* parent = nullptr);

    // Writes the controls into the record.
    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    CViewSettings& m_view;
};
