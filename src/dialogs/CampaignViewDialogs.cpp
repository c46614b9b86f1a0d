#include "dialogs/CampaignViewDialogs.h"

#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/DBConnectionDlg.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/FindQuestionDlg.h"
#include "dialogs/FixAllDlg.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/MatchingMethodDlg.h"
#include "dialogs/ModalityDiffsDlg.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewWaveDlg.h"
#include "dialogs/QuestionDiffsDlg.h"
#include "dialogs/ReReconciliationOptionsDlg.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"

namespace {

QWidget* Owner(QWidget* parent)
{
    if (parent)
        return parent->window();
    return FindMainWindow();
}

// Runs a difference dialog and reads its choices back after OK and Update All.
int RunDiffsDialog(CDiffsDlg& dialog, CDiffsDlgResults& results)
{
    const int result = dialog.exec();
    switch (result) {
    case IDOK:
    case ID_DIFFS_UPDATE_ALL:
        dialog.GetResults(results);
        return result;
    case ID_DIFFS_NEW_ITEM:
        return result;
    default:
        return IDCANCEL;
    }
}

} // namespace

int CCampaignViewDialogs::RunNewWaveDlg(QWidget* parent, SNewWaveDlgValues& values)
{
    CNewWaveDlg dialog(Owner(parent));
    dialog.SetStartDate(values.Start);
    dialog.SetEndDate(values.End);
    dialog.SetMidPointDate(values.MidPoint);
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    values.Name = dialog.GetName();
    values.Description = dialog.GetDescription();
    values.Start = dialog.GetStartDate();
    values.MidPoint = dialog.GetMidPointDate();
    values.End = dialog.GetEndDate();
    return IDOK;
}

int CCampaignViewDialogs::RunNewVolumeWizard(QWidget* parent, const SNewVolumeWizardInput& input,
                                             SNewVolumeWizardResult& result)
{
    CNewVolumeSheet sheet(Owner(parent));
    sheet.SetInput(input);
    if (sheet.exec() != ID_WIZFINISH)
        return IDCANCEL;
    sheet.GetResult(result);
    return ID_WIZFINISH;
}

int CCampaignViewDialogs::RunDBConnectionDlg(QWidget* parent, SDBConnection& connection)
{
    CDBConnectionDlg dialog(Owner(parent));
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    connection.ConnectionString = dialog.GetConnectionString();
    connection.SurveyId = dialog.GetSurveyId();
    return IDOK;
}

int CCampaignViewDialogs::RunReReconciliationOptionsDlg(QWidget* parent,
                                                        SReReconciliationOptions& options)
{
    CReReconciliationOptionsDlg dialog(Owner(parent));
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    options.ApplyCaptionLibrary = dialog.GetApplyCaptionLibrary();
    options.KeepChapters = dialog.GetKeepChapters();
    return IDOK;
}

int CCampaignViewDialogs::RunCaptionLibraryDlg(QWidget* parent,
                                               const SCaptionLibraryDlgRequest& request)
{
    CCaptionLibraryDlg dialog(Owner(parent));
    dialog.SetMode(request.Mode);
    if (request.ProposeCaptions)
        dialog.SetNewCaption(request.FirstCaption, request.SecondCaption);
    return dialog.exec() == IDOK ? IDOK : IDCANCEL;
}

int CCampaignViewDialogs::RunLanguagesDialog(QWidget* parent, int& defaultPosition,
                                             int& currentPosition)
{
    const IWaveApp* app = GetWaveApp();
    const pelko_wave::CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    if (!campaign)
        return IDCANCEL;
    CLanguageDlg dialog(*campaign, Owner(parent));
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    defaultPosition = dialog.GetDefaultLanguage();
    currentPosition = dialog.GetCurrentLanguage();
    return IDOK;
}

int CCampaignViewDialogs::RunMatchingMethodDialog(QWidget* parent, int kind,
                                                  QList<quint32>& methods)
{
    CMatchingMethodDlg dialog(Owner(parent));
    dialog.SetMethods(kind, methods);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    methods = dialog.GetMethods();
    return IDOK;
}

// ---- The difference dialogs ----

int CCampaignViewDialogs::RunQuestionDiffsDlg(QWidget* parent,
                                              const SQuestionDiffsDlgRequest& request,
                                              CDiffsDlgResults& results)
{
    if (!request.CampaignQuestion || !request.SourceQuestion)
        return IDCANCEL;
    CQuestionDiffsDlg dialog(Owner(parent));
    dialog.SetDifferences(request.Differences);
    dialog.SetWaveId(request.WaveId);
    dialog.SetVolumeId(request.VolumeId);
    dialog.SetQuestions(request.CampaignQuestion, request.SourceQuestion);
    return RunDiffsDialog(dialog, results);
}

int CCampaignViewDialogs::RunModalityDiffsDlg(QWidget* parent,
                                              const SModalityDiffsDlgRequest& request,
                                              CDiffsDlgResults& results)
{
    if (!request.CampaignModality || !request.SourceModality)
        return IDCANCEL;
    CModalityDiffsDlg dialog(Owner(parent));
    dialog.SetDifferences(request.Differences);
    dialog.SetModalities(request.CampaignModality, request.SourceModality);
    return RunDiffsDialog(dialog, results);
}

// ---- The reconciliation page's update and find dialogs ----

int CCampaignViewDialogs::RunFixAllDlg(QWidget* parent, SFixAllDlgData& data)
{
    CFixAllDlg dialog(data.GroupId, Owner(parent));
    dialog.SetWaveId(data.WaveId);
    dialog.SetQuestionDifferences(data.QuestionDifferences);
    dialog.SetModalityDifferences(data.ModalityDifferences);
    dialog.exec();
    data.QuestionDifferences = dialog.GetQuestionDifferences();
    data.ModalityDifferences = dialog.GetModalityDifferences();
    data.CommandsRun = dialog.GetCommandsRun();
    return IDOK;
}

int CCampaignViewDialogs::RunFindQuestionDlg(QWidget* parent, const SFindQuestionRequest& request,
                                             SFindQuestionChoice& choice)
{
    CFindQuestionDlg dialog(Owner(parent));
    dialog.SetWaveId(request.WaveId);
    dialog.SetCampaignQuestionIds(request.CampaignQuestionIds);
    for (const SFindQuestionSource& source : request.SourceQuestions) {
        if (source.Question)
            dialog.AddSourceQuestion(source.VolumeId, source.SourceId, *source.Question);
    }
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    choice.CampaignQuestionChosen = dialog.IsCampaignQuestionChosen();
    choice.CampaignQuestionId = dialog.GetCampaignQuestionId();
    choice.SourceId = dialog.GetSourceId();
    choice.VolumeId = dialog.GetVolumeId();
    return IDOK;
}
