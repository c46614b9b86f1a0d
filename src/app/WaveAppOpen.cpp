// File > Open: reading a campaign file into new campaign objects and putting them in place of
// the open ones.

#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "app/ShellWindow.h"
#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

using namespace pelko_wave;

namespace {

constexpr unsigned IDS_NEWER_VERSION = 63413;
constexpr unsigned IDS_FILE_FILTER = 63499;

} // namespace

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

    if (IsCampaignFromNewerVersion()) {
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_NEWER_VERSION),
                         {m_versionInfo.GetFileVersion(), m_pCampaign->GetVersionNumber()}),
            MB_OK | MB_ICONWARNING);
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
