#include "app/WaveApp.h"

#include "model/Campaign.h"
#include "model/FileHelpers.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsCache.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccessDAO.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The message of a campaign file whose load failed. A file that the storage could not open is
// named: one its user may not read is said to be unreadable, one that is no database file at
// all to be no Plim campaign, each with the storage's own reason after it. A database that
// could not be read as a campaign (damaged, locked, without the campaign's tables) keeps the
// database error message.
QString LoadFailureText(const QString& path, bool opened, const QString& error)
{
    const QFileInfo file(path);
    unsigned text = IDS_OPEN_DATABASE_ERROR;
    if (!opened && file.isFile() && !file.isReadable())
        text = IDS_CAMPAIGN_NOT_READABLE;
    else if (!opened && file.isFile() && !CDBAccessDAO::IsDatabaseFile(path))
        text = IDS_NOT_A_CAMPAIGN;
    if (text == IDS_OPEN_DATABASE_ERROR)
        return FormatString(LoadString(text), {error});
    // The reason without the storage's "Error " in front of it.
    QString reason = error;
    const QString prefix = FormatString(LoadString(IDS_DB_ERROR), {QString()});
    if (!prefix.isEmpty() && reason.startsWith(prefix))
        reason.remove(0, prefix.size());
    return FormatString(LoadString(text),
                        {QDir::toNativeSeparators(file.absoluteFilePath()), reason});
}

} // namespace

void CWaveApp::CreateCampaignObjects(std::unique_ptr<CDBAccess> dbAccess,
                                     std::unique_ptr<pelko_wave::CCampaign> campaign)
{
    m_pDBAccess = dbAccess ? std::move(dbAccess) : MakeStorage();
    m_pCampaign = campaign ? std::move(campaign) : std::make_unique<pelko_wave::CCampaign>();
    {
        auto cache = std::make_unique<CCampaignDiffsCache>(m_pCampaign.get());
        const std::lock_guard<std::mutex> lock(m_diffsCacheLock);
        m_pDiffsCache = std::move(cache);
    }
    m_modified = false;
    m_pendingQuestionCopies.clear();
    m_pendingInterviewCopies.clear();
    m_highestVolumeIdAtLoad = pelko_wave::NO_VOLUME_ID;
}

void CWaveApp::DestroyCampaignObjects()
{
    // The history first: its commands may hold objects taken out of the campaign.
    m_history.Clear();
    if (m_pDBAccess) {
        m_pDBAccess->Close();
        m_pDBAccess.reset();
    }
    // The cache before the campaign it was built on, so that none is left pointing at it.
    {
        const std::lock_guard<std::mutex> lock(m_diffsCacheLock);
        m_pDiffsCache.reset();
    }
    m_pCampaign.reset();
    SetCampaignPath(QString());
    m_cleanPoint = 0;
}

std::unique_ptr<CDBAccess> CWaveApp::MakeStorage() const
{
    if (m_storageFactory)
        return m_storageFactory();
    return std::make_unique<CDBAccessDAO>();
}

QString CWaveApp::GetCampaignFilePath() const
{
    return m_pDBAccess ? m_pDBAccess->GetFilePath() : QString();
}

QString CWaveApp::GetCampaignDataFolder()
{
    if (m_campaignPath.isEmpty())
        return QString();
    // Made (and created on disk) on the first call after the path was set, then kept.
    if (m_campaignDataFolder.isEmpty())
        m_campaignDataFolder = pelko_wave::MakeDataFolder(m_campaignPath);
    return m_campaignDataFolder;
}

bool LoadCampaign(SLoadCampaignRecord& record)
{
    CDBAccess& storage = *record.DBAccess;
    pelko_wave::CCampaign& campaign = *record.Campaign;
    if (!record.Path.isEmpty())
        storage.SetFilePath(record.Path);
    // Each read builds on what the earlier ones put into the campaign.
    const bool opened = storage.Open();
    record.Result = opened && storage.ReadCampaign(campaign) && storage.ReadLanguages(campaign) &&
                    storage.ReadWaves(campaign) && storage.ReadVolumes(campaign) &&
                    storage.ReadQuestions(campaign) && storage.ReadQuestionMatchings(campaign) &&
                    storage.ReadQuestionClasses(campaign) && storage.ReadVersions(campaign) &&
                    storage.ReadQuestionCaptions(campaign) && storage.ReadModalities(campaign) &&
                    storage.ReadModalityMatchings(campaign) &&
                    storage.ReadModalityCaptions(campaign) &&
                    storage.ReadModalityMergings(campaign);
    record.Progress = 100;
    if (!record.ShowMessages)
        return record.Result;
    if (!record.Result) {
        GetWindowServices().MessageBox(
            LoadFailureText(storage.GetFilePath(), opened, storage.GetErrorText()),
            MB_OK | MB_ICONWARNING);
    } else if (!storage.GetWarnings().isEmpty()) {
        GetWindowServices().MessageBox(storage.GetWarnings().join(QLatin1Char('\n')),
                                       MB_OK | MB_ICONWARNING);
    }
    return record.Result;
}
