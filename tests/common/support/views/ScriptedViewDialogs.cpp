#include "support/views/ScriptedViewDialogs.h"

#include "app/WaveApp.h"
#include "platform/WindowServices.h"

CScriptedViewDialogs::CScriptedViewDialogs() : m_previous(GetViewDialogs())
{
    SetViewDialogs(this);
}

CScriptedViewDialogs::~CScriptedViewDialogs()
{
    if (GetViewDialogs() == this)
        SetViewDialogs(m_previous);
}

void CScriptedViewDialogs::QueueResults(std::initializer_list<int> results)
{
    m_results.insert(m_results.end(), results);
}

int CScriptedViewDialogs::Answer(const QString& name)
{
    Calls << name;
    const auto* app = dynamic_cast<const CWaveApp*>(GetWaveApp());
    CalledModal.push_back(app && app->IsModalState());
    if (m_results.empty())
        return IDCANCEL;
    const int result = m_results.front();
    m_results.pop_front();
    return result;
}

int CScriptedViewDialogs::RunNewWaveDlg(QWidget*, SNewWaveDlgValues& values)
{
    NewWaveInputs.push_back(values);
    const int result = Answer(QStringLiteral("NewWaveDlg"));
    if (result == IDOK)
        values = NewWaveAnswer;
    return result;
}

int CScriptedViewDialogs::RunNewVolumeWizard(QWidget*, const SNewVolumeWizardInput& input,
                                             SNewVolumeWizardResult& result)
{
    NewVolumeInputs.push_back(input);
    const int code = Answer(QStringLiteral("NewVolumeWizard"));
    if (code == ID_WIZFINISH)
        result = NewVolumeAnswer;
    return code;
}

int CScriptedViewDialogs::RunDBConnectionDlg(QWidget*, SDBConnection& connection)
{
    const int result = Answer(QStringLiteral("DBConnectionDlg"));
    if (result == IDOK)
        connection = ConnectionAnswer;
    return result;
}

int CScriptedViewDialogs::RunReReconciliationOptionsDlg(QWidget*, SReReconciliationOptions& options)
{
    const int result = Answer(QStringLiteral("ReReconciliationOptionsDlg"));
    if (result == IDOK)
        options = ReReconciliationAnswer;
    return result;
}

int CScriptedViewDialogs::RunCaptionLibraryDlg(QWidget*, const SCaptionLibraryDlgRequest& request)
{
    CaptionLibraryRequests.push_back(request);
    const int result = Answer(QStringLiteral("CaptionLibraryDlg"));
    if (result == IDOK && CaptionLibraryEdit)
        CaptionLibraryEdit();
    return result;
}

int CScriptedViewDialogs::RunQuestionDiffsDlg(QWidget*, const SQuestionDiffsDlgRequest& request,
                                              CDiffsDlgResults& results)
{
    QuestionDiffsRequests.push_back(request);
    const int result = Answer(QStringLiteral("QuestionDiffsDlg"));
    if (result == IDOK || result == ID_DIFFS_UPDATE_ALL)
        results = DiffsAnswer;
    return result;
}

int CScriptedViewDialogs::RunModalityDiffsDlg(QWidget*, const SModalityDiffsDlgRequest& request,
                                              CDiffsDlgResults& results)
{
    ModalityDiffsRequests.push_back(request);
    const int result = Answer(QStringLiteral("ModalityDiffsDlg"));
    if (result == IDOK || result == ID_DIFFS_UPDATE_ALL)
        results = DiffsAnswer;
    return result;
}

int CScriptedViewDialogs::RunFixAllDlg(QWidget*, SFixAllDlgData& data)
{
    FixAllInputs.push_back(data);
    const int result = Answer(QStringLiteral("FixAllDlg"));
    if (result == IDOK && FixAllEdit)
        FixAllEdit(data);
    return result;
}

int CScriptedViewDialogs::RunFindQuestionDlg(QWidget*, const SFindQuestionRequest& request,
                                             SFindQuestionChoice& choice)
{
    FindQuestionRequests.push_back(request);
    const int result = Answer(QStringLiteral("FindQuestionDlg"));
    if (result == IDOK)
        choice = FindQuestionAnswer;
    return result;
}
