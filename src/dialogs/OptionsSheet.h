#pragma once

#include "controls/TreePropSheet.h"
#include "dialogs/EnvironmentGenOptionsPage.h"

struct SOptionsSheetRecords;
class CDiffsOptionsPage;
class CReconOptionsPage;
class CUserDefinedAppsOptionsPage;
class CViewOptionsPage;

// The options: six pages in a tree property sheet, each editing its records in the record set
// given. After OK, TakeShownPages notes in the set which pages the user displayed, whose records
// the options command then takes.
class COptionsSheet : public TreePropSheet::CTreePropSheet
{
    Q_OBJECT

public:
    // The records outlive the sheet; the general page's Clear List comes with them.
    COptionsSheet(SOptionsSheetRecords& records, SEnvironmentPageActions actions,
                  QWidget* parent = nullptr);

    // Builds the windows, with the tree wide enough for every page's caption.
    void Create();
    // Which pages were displayed, into the records.
    void TakeShownPages() const;

    CEnvironmentGenOptionsPage* GetGeneralPage() const { return m_general; }
    CViewOptionsPage* GetViewPage() const { return m_view; }
    CUserDefinedAppsOptionsPage* GetUserAppsPage() const { return m_userApps; }
    CDiffsOptionsPage* GetQuestionDiffsPage() const { return m_questionDiffs; }
    CDiffsOptionsPage* GetModalityDiffsPage() const { return m_modalityDiffs; }
    CReconOptionsPage* GetReconciliationPage() const { return m_reconciliation; }

private:
    SOptionsSheetRecords& m_records;
    CEnvironmentGenOptionsPage* m_general = nullptr;
    CViewOptionsPage* m_view = nullptr;
    CUserDefinedAppsOptionsPage* m_userApps = nullptr;
    CDiffsOptionsPage* m_questionDiffs = nullptr;
    CDiffsOptionsPage* m_modalityDiffs = nullptr;
    CReconOptionsPage* m_reconciliation = nullptr;
};
