#pragma once

#include "views/ViewDialogs.h"

// The campaign dialogs as the views open them: each call runs its dialog modally, centred on
// the given window (or the main window), and hands back what the user chose.
class CCampaignViewDialogs : public IViewDialogs
{
public:
    int RunNewWaveDlg(QWidget* parent, SNewWaveDlgValues& values) override;
    int RunNewVolumeWizard(QWidget* parent, const SNewVolumeWizardInput& input,
                           SNewVolumeWizardResult& result) override;
    int RunDBConnectionDlg(QWidget* parent, SDBConnection& connection) override;
    int RunReReconciliationOptionsDlg(QWidget* parent, SReReconciliationOptions& options) override;
    int RunCaptionLibraryDlg(QWidget* parent, const SCaptionLibraryDlgRequest& request) override;
    int RunLanguagesDialog(QWidget* parent, int& defaultPosition, int& currentPosition) override;
    int RunMatchingMethodDialog(QWidget* parent, int kind, QList<quint32>& methods) override;

    // ---- The difference dialogs ----
    int RunQuestionDiffsDlg(QWidget* parent, const SQuestionDiffsDlgRequest& request,
                            CDiffsDlgResults& results) override;
    int RunModalityDiffsDlg(QWidget* parent, const SModalityDiffsDlgRequest& request,
                            CDiffsDlgResults& results) override;

    // ---- The reconciliation page's update and find dialogs ----
    int RunFixAllDlg(QWidget* parent, SFixAllDlgData& data) override;
    int RunFindQuestionDlg(QWidget* parent, const SFindQuestionRequest& request,
                           SFindQuestionChoice& choice) override;
};
