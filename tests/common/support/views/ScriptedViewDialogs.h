#pragma once

#include "views/ViewDialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

// Test double of the views' modal dialogs: installs itself for its lifetime, records each call
// with what it was handed, and answers it from a script. A call answered with its dialog's
// success code (IDOK, or ID_WIZFINISH for the wizard) hands back the answer the test set below.
class CScriptedViewDialogs : public IViewDialogs
{
public:
    CScriptedViewDialogs();
    ~CScriptedViewDialogs() override;
    CScriptedViewDialogs(const CScriptedViewDialogs&) = delete;
    CScriptedViewDialogs& operator=(const CScriptedViewDialogs&) = delete;

    // Result codes of the next dialogs, in order; IDCANCEL when none is left.
    void QueueResults(std::initializer_list<int> results);

    // Records the call ("<name>", and whether the application was in its modal state meanwhile)
    // and returns the next result.
    int Answer(const QString& name);

    // The calls, each recorded under its name: "NewWaveDlg", "NewVolumeWizard",
    // "DBConnectionDlg", "ReReconciliationOptionsDlg", "CaptionLibraryDlg".
    int RunNewWaveDlg(QWidget* parent, SNewWaveDlgValues& values) override;
    int RunNewVolumeWizard(QWidget* parent, const SNewVolumeWizardInput& input,
                           SNewVolumeWizardResult& result) override;
    int RunDBConnectionDlg(QWidget* parent, SDBConnection& connection) override;
    int RunReReconciliationOptionsDlg(QWidget* parent, SReReconciliationOptions& options) override;
    int RunCaptionLibraryDlg(QWidget* parent, const SCaptionLibraryDlgRequest& request) override;
    // Recorded as "FixAllDlg" and "FindQuestionDlg".
    int RunFixAllDlg(QWidget* parent, SFixAllDlgData& data) override;
    int RunFindQuestionDlg(QWidget* parent, const SFindQuestionRequest& request,
                           SFindQuestionChoice& choice) override;

    // The difference dialogs, recorded as "QuestionDiffsDlg" and "ModalityDiffsDlg".
    int RunQuestionDiffsDlg(QWidget* parent, const SQuestionDiffsDlgRequest& request,
                            CDiffsDlgResults& results) override;
    int RunModalityDiffsDlg(QWidget* parent, const SModalityDiffsDlgRequest& request,
                            CDiffsDlgResults& results) override;

    QStringList Calls;
    // For each call, whether it came inside the application's modal state.
    std::deque<bool> CalledModal;

    // What the calls were handed, and what a successful call hands back.
    std::vector<SNewWaveDlgValues> NewWaveInputs;
    SNewWaveDlgValues NewWaveAnswer;
    std::vector<SNewVolumeWizardInput> NewVolumeInputs;
    SNewVolumeWizardResult NewVolumeAnswer;
    SDBConnection ConnectionAnswer;
    SReReconciliationOptions ReReconciliationAnswer;
    std::vector<SCaptionLibraryDlgRequest> CaptionLibraryRequests;
    // Runs when the caption library call is answered IDOK, in place of the dialog's edits (for
    // instance to replace the application's libraries).
    std::function<void()> CaptionLibraryEdit;
    // What the Update dialog was handed (copies, before its runs); answered IDOK, the edit runs
    // in place of the dialog's runs (to fix something and set the outputs).
    std::vector<SFixAllDlgData> FixAllInputs;
    std::function<void(SFixAllDlgData&)> FixAllEdit;
    std::vector<SFindQuestionRequest> FindQuestionRequests;
    SFindQuestionChoice FindQuestionAnswer;

    // What the difference dialogs were handed; answered IDOK or ID_DIFFS_UPDATE_ALL, they hand
    // back DiffsAnswer (the test gives one entry per difference it was handed).
    std::vector<SQuestionDiffsDlgRequest> QuestionDiffsRequests;
    std::vector<SModalityDiffsDlgRequest> ModalityDiffsRequests;
    CDiffsDlgResults DiffsAnswer;

private:
    IViewDialogs* m_previous;
    std::deque<int> m_results;
};
