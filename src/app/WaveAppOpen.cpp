// File > Open: reading a campaign file into new campaign objects and putting them in place of
// the open ones.

#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "app/ShellWindow.h"
#include "app/SourceCheck.h"
#include "commands/LanguageCommands.h"
#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "platform/ProgressThreadData.h"
#include "platform/WindowServices.h"
#include "reconcile/ValidationReports.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

#include <QDir>
#include <QFileInfo>

#include <thread>

using namespace pelko_wave;

void CWaveApp::OnFileOpen()
{
    BeginModalState();
    const QString path =
        GetWindowServices().ChooseFileToOpen(LoadString(IDS_FILE_FILTER), QStringLiteral("duv"));
    if (!path.isEmpty())
        OpenDocumentFile(path);
    EndModalState();
}

bool CWaveApp::OpenDocumentFile(const QString& path)
{
    // A file that is not there is said so by name, before anything else happens.
    if (!QFileInfo::exists(path)) {
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_FILE_NOT_FOUND),
                         {QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())}),
            MB_OK | MB_ICONWARNING);
        return false;
    }
    SaveLocalOptionsIfUsed();
    // Opening the campaign that is open asks here; for another file the document asks.
    if (m_pCampaign && IsSameFile(path, m_campaignPath) && !SaveModified())
        return false;
    if (m_shellWindow && !m_shellWindow->OpenDocument(path))
        return false;

    std::unique_ptr<CDBAccess> storage = MakeStorage();
    auto campaign = std::make_unique<CCampaign>();
    {
        CWaitCursor wait;
        SLoadCampaignRecord record;
        record.Campaign = campaign.get();
        record.DBAccess = storage.get();
        record.Path = path;
        // A file that cannot be read is shown and dropped; the open campaign stays.
        if (!LoadCampaign(record))
            return false;
    }

    DestroyCampaignObjects();
    CreateCampaignObjects(std::move(storage), std::move(campaign));
    SetCampaignPath(path);
    m_highestVolumeIdAtLoad = m_pCampaign->GetMaxVolumeId();
    MarkSaved();

    IWindowServices& windows = GetWindowServices();
    if (IsCampaignFromNewerVersion()) {
        windows.MessageBox(
            FormatString(LoadString(IDS_NEWER_VERSION),
                         {m_versionInfo.GetFileVersion(), m_pCampaign->GetVersionNumber()}),
            MB_OK | MB_ICONWARNING);
    }
    // A file of an older program is brought up to date when the user agrees; the step cannot
    // be undone. A failed upgrade (the file then stays as it was) is shown, and the campaign
    // stays at its version.
    if (!IsCampaignVersionCurrent() &&
        windows.MessageBox(LoadString(IDS_UPGRADE_QUESTION), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        std::unique_ptr<CCmdVirtual> upgrade =
            std::make_unique<CCmdMoveToMostRecentVersion>(m_pCampaign.get(), m_pDBAccess.get());
        if (!ExecuteCommand(upgrade, {}, nullptr, nullptr, true))
            windows.MessageBox(
                FormatString(LoadString(IDS_OPEN_DATABASE_ERROR), {upgrade->GetErrorText()}),
                MB_OK | MB_ICONWARNING);
    }
    // The check against the sources, on a worker behind a progress dialog.
    SSourceCheckRecord check;
    check.Campaign = m_pCampaign.get();
    check.FinalPause = m_sourceCheckPause;
    CUPDialogUserProcData data;
    data.UserParam = &check;
    data.Proc = &CompareCampaignWithSources;
    const int result = windows.RunProgressDialog(LoadString(IDS_CHECKING_VALIDITY), true,
                                                 CountCampaignVolumeQuestions(*m_pCampaign), data);
    const bool cancelled = (result >> 16) == 1;
    if (!cancelled && !check.Clean) {
        if (check.Lists.MissingSourceFiles.empty()) {
            BeginModalState();
            if (m_shellWindow)
                m_shellWindow->ShowValidationDialog(check.Lists, check.Report);
            EndModalState();
        } else {
            windows.ShowReport(LoadString(IDS_SOURCE_FILE_PROBLEMS), REPORT_SOURCE_FILES,
                               check.Report);
        }
    }

    if (m_shellWindow && !m_shellWindow->ResetViewsAfterLoad())
        return true;
    if (m_shellWindow)
        m_shellWindow->SetDocumentPath(path, m_modified);
    UpdateModifiedState();
    const bool localOptions = LoadDiffsOptions();
    SetOptionMode(localOptions, !localOptions);
    return true;
}

bool CWaveApp::IsCampaignFromNewerVersion() const
{
    return m_pCampaign &&
           IsVersionOlder(m_versionInfo.GetFileVersion(), m_pCampaign->GetVersionNumber());
}

bool CWaveApp::IsCampaignVersionCurrent() const
{
    return !m_pCampaign ||
           !IsVersionOlder(m_pCampaign->GetVersionNumber(), m_versionInfo.GetFileVersion());
}

bool CompareCampaignWithSources(CUPDialogUserProcData& data)
{
    auto& check = *static_cast<SSourceCheckRecord*>(data.GetUserParam());
    data.SetText(LoadString(IDS_COMPARING));
    check.Clean = CompareSourcesParallel(&data, *check.Campaign, check.Lists);
    data.EnableCancel(false);
    const bool cancelled = data.IsCancelled();
    if (!cancelled && !check.Clean) {
        data.SetText(LoadString(IDS_BUILDING_REPORT));
        check.Report =
            check.Lists.MissingSourceFiles.empty()
                ? FormatValidationReport(*check.Campaign, check.Lists)
                : FormatMissingSourceFilesMessage(*check.Campaign, check.Lists.MissingSourceFiles);
    }
    // The last text is shown even after a cancel, which stops the data's own texts.
    if (IProgressDialogWindow* window = data.Window.load())
        window->SetText(LoadString(cancelled ? IDS_CHECKING_CANCELLED : IDS_CHECKING_COMPLETED));
    std::this_thread::sleep_for(check.FinalPause);
    return check.Clean;
}
