#include "dialogs/CampaignDialogs.h"

#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/DBConnectionDlg.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeMatchingPage.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "dialogs/NewWaveDlg.h"
#include "dialogs/ReReconciliationOptionsDlg.h"
#include "platform/WindowServices.h"

namespace {

QWidget* Owner(QWidget* parent)
{
    if (parent)
        return parent->window();
    return FindMainWindow();
}

} // namespace

int CCampaignDialogs::RunNewWaveDlg(QWidget* parent, SNewWaveDlgValues& values)
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

int CCampaignDialogs::RunNewVolumeWizard(QWidget* parent, const SNewVolumeWizardInput& input,
                                         SNewVolumeWizardResult& result)
{
    CNewVolumeSheet sheet(Owner(parent));
    sheet.SetCampaign(input.Campaign);
    sheet.GetInheritsFromPage()->SetWave(input.Wave);
    CNewVolumeMatchingPage& matching = *sheet.GetMatchingPage();
    matching.SetWave(input.Wave);
    matching.SetQuestionMethods(input.QuestionMethods);
    matching.SetResponseMethods(input.ResponseMethods);
    matching.SetCaseSensitive(input.CaseSensitive);
    if (sheet.exec() != ID_WIZFINISH)
        return IDCANCEL;

    const CNewVolumeSourcePage& source = *sheet.GetSourcePage();
    result.Name = source.GetName();
    result.SourceType = source.GetSourceType();
    result.PathFormat = source.GetPathFormat();
    result.QuestionSource = source.GetQuestionSource();
    result.InterviewsWithQuestions = source.GetInterviewsWithQuestions();
    result.InterviewsFromDatabase = source.GetInterviewsFromDatabase();
    result.InterviewSource = source.GetInterviewSource();
    result.SurveyId = source.GetSurveyId();
    result.CopyQuestionSource = source.GetCopyQuestionSource();
    result.CopyInterviewSource = source.GetCopyInterviewSource();
    result.AncestorVolumeId = sheet.GetInheritsFromPage()->GetAncestorVolumeId();
    result.QuestionMethods = matching.GetQuestionMethods();
    result.ResponseMethods = matching.GetResponseMethods();
    result.Strict = matching.IsStrict();
    result.CaseSensitive = matching.IsCaseSensitive();
    result.MatchUsingParentValues = matching.IsMatchUsingParentValues();
    result.AlignmentKind = matching.GetAlignmentKind();
    result.MainVolumeQuestion = matching.GetMainVolumeQuestion();
    result.CommonQuestionCode = matching.GetCommonQuestionCode();
    return ID_WIZFINISH;
}

int CCampaignDialogs::RunDBConnectionDlg(QWidget* parent, SDBConnection& connection)
{
    CDBConnectionDlg dialog(Owner(parent));
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    connection.ConnectionString = dialog.GetConnectionString();
    connection.SurveyId = dialog.GetSurveyId();
    return IDOK;
}

int CCampaignDialogs::RunReReconciliationOptionsDlg(QWidget* parent,
                                                    SReReconciliationOptions& options)
{
    CReReconciliationOptionsDlg dialog(Owner(parent));
    if (dialog.exec() != IDOK)
        return IDCANCEL;
    options.ApplyCaptionLibrary = dialog.GetApplyCaptionLibrary();
    options.KeepChapters = dialog.GetKeepChapters();
    return IDOK;
}

int CCampaignDialogs::RunCaptionLibraryDlg(QWidget* parent,
                                           const SCaptionLibraryDlgRequest& request)
{
    CCaptionLibraryDlg dialog(Owner(parent));
    dialog.SetMode(request.Mode);
    if (request.ProposeCaptions)
        dialog.SetNewCaption(request.FirstCaption, request.SecondCaption);
    return dialog.exec() == IDOK ? IDOK : IDCANCEL;
}
