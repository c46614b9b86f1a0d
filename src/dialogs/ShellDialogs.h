#pragma once

#include "commands/CmdCallBacks.h"
#include "model/OptionRecords.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsOptions.h"

#include <functional>

class QWidget;
struct SSourceComparisonLists;

// The records the option pages edit: copies of the application's, handed to the options sheet,
// and read back after OK from the pages the user displayed.
struct SOptionsSheetRecords
{
    // General page: the language and environment settings (the recent-file list with them).
    CLanguageSettings Language;
    CEnvironmentSettings Environment;
    // The general page's Clear List, which acts at once: empties the recent-file list. Without
    // it the button is greyed.
    std::function<void()> ClearRecentFiles;
    // User-defined applications page.
    CUserDefinedApp UserApps;
    // View page.
    CViewSettings View;
    // Reconciliation page.
    CNGramSettings NGram;
    CReconciliationSettings Reconciliation;
    // Difference pages: the question and response sets in force.
    CQuestionDiffsOptions QuestionDiffs;
    CModalityDiffsOptions ModalityDiffs;

    // Which pages the user displayed: the records of the others are not read back.
    bool GeneralPageShown = false;
    bool UserAppsPageShown = false;
    bool ViewPageShown = false;
    bool ReconciliationPageShown = false;
    bool QuestionDiffsPageShown = false;
    bool ModalityDiffsPageShown = false;
};

// The modal dialogs that the application's commands open: the seam between the window program
// and the campaign dialogs. The commands ask HasDialog in their update handlers, so a command
// whose dialog is not there shows greyed. The window program installs CCampaignDialogs; tests
// script it. The callers wrap every call in the application's modal state. A dialog that the
// implementation does not provide is not there and, run all the same, answers as cancelled and
// changes nothing.
class IShellDialogs
{
public:
    enum EDialog
    {
        OptionsSheet,
        LanguagesDialog,
        CaptionLibrariesDialog,
        DuplicatesDialog,
        ValidationDialog
    };

    virtual ~IShellDialogs() = default;

    virtual bool HasDialog(EDialog dialog) const { return false; }

    // The options sheet ("Options", in tree mode) with its six pages on copies of the records;
    // true on OK, the records then holding what the displayed pages edited.
    virtual bool RunOptionsSheet(QWidget* parent, SOptionsSheetRecords& records) { return false; }
    // The languages dialog on the application's campaign: IDOK with the chosen default and
    // current languages as indexes into the campaign's language list, or IDCANCEL.
    virtual int RunLanguagesDialog(QWidget* parent, int& defaultIndex, int& currentIndex)
    {
        return IDCANCEL;
    }
    // The caption libraries dialog in edit mode (0); it replaces the application's libraries
    // itself.
    virtual void RunCaptionLibrariesDialog(QWidget* parent) {}
    // The duplicates dialog; its consolidation's step gets the callbacks.
    virtual void RunDuplicatesDialog(QWidget* parent, const CCmdCallBacks& callBacks) {}
    // The campaign validation dialog for an opened campaign whose check against its sources
    // found matching problems: the check's lists and the validation report.
    virtual void RunValidationDialog(QWidget* parent, const SSourceComparisonLists& lists,
                                     const QString& report)
    {
    }
};

// No dialog at all: the window program's own dialogs when it is given none.
class CUnavailableDialogs final : public IShellDialogs
{
};
