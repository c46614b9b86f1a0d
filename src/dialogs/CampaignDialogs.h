#pragma once

#include "dialogs/ShellDialogs.h"

class CWaveApp;

// The campaign dialogs as the window program opens them for the application's commands: the
// options sheet, the languages dialog, the caption libraries (in their edit mode), the
// duplicates dialog and the campaign validation dialog.
class CCampaignDialogs final : public IShellDialogs
{
public:
    explicit CCampaignDialogs(CWaveApp& app);

    bool HasDialog(EDialog dialog) const override;
    bool RunOptionsSheet(QWidget* parent, SOptionsSheetRecords& records) override;
    int RunLanguagesDialog(QWidget* parent, int& defaultIndex, int& currentIndex) override;
    void RunCaptionLibrariesDialog(QWidget* parent) override;
    void RunDuplicatesDialog(QWidget* parent, const CCmdCallBacks& callBacks) override;
    void RunValidationDialog(QWidget* parent, const SSourceComparisonLists& lists,
                             const QString& report) override;

private:
    CWaveApp& m_app;
};
