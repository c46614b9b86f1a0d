#include "dialogs/CampaignDialogs.h"

#include "app/WaveApp.h"
#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/CheckForDuplicatesDlg.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/OptionsSheet.h"
#include "dialogs/ValidateCampaignDlg.h"
#include "views/ViewDialogs.h"

#include <algorithm>

namespace {

// The dialogs there are: the commands of the others stay greyed.
constexpr IShellDialogs::EDialog kDialogsThere[] = {
    IShellDialogs::LanguagesDialog,  IShellDialogs::CaptionLibrariesDialog,
    IShellDialogs::ValidationDialog, IShellDialogs::OptionsSheet,
    IShellDialogs::DuplicatesDialog,
};

} // namespace

CCampaignDialogs::CCampaignDialogs(CWaveApp& app) : m_app(app) {}

bool CCampaignDialogs::HasDialog(EDialog dialog) const
{
    return std::find(std::begin(kDialogsThere), std::end(kDialogsThere), dialog) !=
           std::end(kDialogsThere);
}

bool CCampaignDialogs::RunOptionsSheet(QWidget* parent, SOptionsSheetRecords& records)
{
    SEnvironmentPageActions actions;
    actions.GlobalOptionsInUse = m_app.AreGlobalOptionsInUse();
    actions.ExportOptions = [this](const QString& path) { return m_app.SaveDiffsOptions(path); };
    COptionsSheet sheet(records, std::move(actions), parent);
    sheet.Create();
    if (sheet.DoModal() != IDOK)
        return false;
    sheet.TakeShownPages();
    return true;
}

int CCampaignDialogs::RunLanguagesDialog(QWidget* parent, int& defaultIndex, int& currentIndex)
{
    const pelko_wave::CCampaign* campaign = m_app.GetCampaign();
    if (!campaign)
        return IDCANCEL;
    CLanguageDlg dialog(*campaign, parent);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    defaultIndex = dialog.GetDefaultLanguage();
    currentIndex = dialog.GetCurrentLanguage();
    return IDOK;
}

void CCampaignDialogs::RunCaptionLibrariesDialog(QWidget* parent)
{
    CCaptionLibraryDlg dialog(parent);
    dialog.SetMode(CAPTION_LIBRARY_EDIT);
    dialog.exec();
}

void CCampaignDialogs::RunDuplicatesDialog(QWidget* parent, const CCmdCallBacks& callBacks)
{
    CCheckForDuplicatesDlg dialog(parent);
    dialog.SetCommandCallBacks(callBacks);
    dialog.exec();
}

void CCampaignDialogs::RunValidationDialog(QWidget* parent, const SSourceComparisonLists& lists,
                                           const QString& report)
{
    CValidateCampaignDlg dialog(parent);
    dialog.SetHtml(report);
    dialog.SetIssueLists(lists);
    dialog.exec();
}
