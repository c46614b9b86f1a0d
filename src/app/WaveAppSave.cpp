// Saving a campaign to its file, Save As, and the ask to save.

#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "app/ShellWindow.h"
#include "model/Campaign.h"
#include "model/FileHelpers.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

using namespace pelko_wave;

namespace {

constexpr unsigned IDS_SAVE_DATABASE_ERROR = 63130;
constexpr unsigned IDS_FILE_FILTER = 63499;
constexpr unsigned IDS_SAVE_CHANGES = 63500;
constexpr unsigned IDS_UNTITLED_FILE = 63501;
constexpr unsigned IDS_SOURCE_COPIES_FAILED = 63910;

const QString kCampaignExtension = QStringLiteral("duv");

// Copies a source file into the data folder under a name of its own; the copy's path, or an
// empty text when the copy could not be made.
QString CopyIntoDataFolder(const QString& sourcePath, const QString& dataFolder)
{
    if (!QFileInfo(sourcePath).isFile())
        return QString();
    const QString copy = CopySourceFileToPackage(sourcePath, dataFolder, true);
    return QFileInfo(copy).isFile() ? copy : QString();
}

// Removes a campaign file that was only begun, with any journal beside it.
void RemoveCampaignFile(const QString& path)
{
    for (const char* suffix : {"", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// The source paths of every volume, to put back when a Save As fails after changing them.
class CVolumePathsSnapshot
{
public:
    explicit CVolumePathsSnapshot(const CCampaign& campaign)
    {
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave& wave = *campaign.GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                CVolume* volume = wave.GetVolume(v);
                m_paths.push_back({volume, volume->GetMetaData(), volume->GetCaseData()});
            }
        }
    }
    void Restore() const
    {
        for (const SPaths& paths : m_paths) {
            paths.Volume->SetMetaData(paths.MetaData);
            paths.Volume->SetCaseData(paths.CaseData);
        }
    }

private:
    struct SPaths
    {
        CVolume* Volume;
        CSourcePath MetaData;
        CSourcePath CaseData;
    };
    std::vector<SPaths> m_paths;
};

} // namespace

void CWaveApp::OnFileSave()
{
    if (m_modified)
        SaveCampaign();
}

bool CWaveApp::SaveCampaign()
{
    if (!m_pCampaign || !m_pDBAccess)
        return false;
    if (m_campaignPath.isEmpty()) {
        QString error;
        const bool saved = SaveCampaignAs(error);
        if (!saved && !error.isEmpty())
            GetWindowServices().MessageBox(error, MB_OK | MB_ICONWARNING);
        return saved;
    }

    CWaitCursor wait;
    CopyPendingSourceFiles();
    if (!m_pDBAccess->Save(*m_pCampaign)) {
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {m_pDBAccess->GetErrorText()}),
            MB_OK | MB_ICONWARNING);
        return false;
    }
    m_highestVolumeIdAtLoad = m_pCampaign->GetMaxVolumeId();
    MarkSaved();
    return true;
}

void CWaveApp::OnFileSaveAs()
{
    QString error;
    if (!SaveCampaignAs(error) && !error.isEmpty())
        GetWindowServices().MessageBox(error, MB_OK | MB_ICONWARNING);
}

bool CWaveApp::SaveCampaignAs(QString& errorText)
{
    errorText.clear();
    if (!m_pCampaign || !m_pDBAccess)
        return false;
    BeginModalState();
    const QString path = GetWindowServices().ChooseFileToSave(
        m_campaignPath, LoadString(IDS_FILE_FILTER), kCampaignExtension);
    EndModalState();
    if (path.isEmpty())
        return false;
    CDBAccess& storage = *m_pDBAccess;
    if (IsSameFile(path, storage.GetFilePath()))
        return SaveCampaign();

    CWaitCursor wait;
    const QString oldStoragePath = storage.GetFilePath();
    const QString oldCampaignPath = m_campaignPath;
    // Until the new file is written whole, the campaign stays on its old file: every step
    // below is taken back when a later one fails.
    const auto backToOldFile = [&] {
        storage.Close();
        RemoveCampaignFile(path);
        storage.SetFilePath(oldStoragePath);
        SetCampaignPath(oldCampaignPath);
        errorText = FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {storage.GetErrorText()});
    };
    storage.Close();
    storage.SetFilePath(path);
    if (!storage.CreateDatabase()) {
        backToOldFile();
        return false;
    }

    // The data folder moves along with the file, unless both names give the same folder.
    const QString oldDataFolder =
        oldCampaignPath.isEmpty() ? QString() : GetDataFolderPath(oldCampaignPath);
    const bool hasOldDataFolder = !oldDataFolder.isEmpty() && QFileInfo(oldDataFolder).isDir();
    const QString newDataFolder = GetDataFolderPath(path);
    const bool sharedDataFolder = hasOldDataFolder && IsSameFile(oldDataFolder, newDataFolder);
    const CVolumePathsSnapshot oldPaths(*m_pCampaign);
    const std::set<int> oldPendingQuestionCopies = m_pendingQuestionCopies;
    const std::set<int> oldPendingInterviewCopies = m_pendingInterviewCopies;

    SetCampaignPath(path);
    if (!sharedDataFolder) {
        DeleteFolderTree(path);
        GetCampaignDataFolder();
        if (hasOldDataFolder) {
            CopyFolderTree(oldDataFolder, newDataFolder, true);
            RebaseVolumePaths(oldDataFolder, newDataFolder);
        }
    }
    QStringList copiesMade;
    CopyPendingSourceFiles(&copiesMade);

    if (!storage.Save(*m_pCampaign)) {
        backToOldFile();
        oldPaths.Restore();
        m_pendingQuestionCopies = oldPendingQuestionCopies;
        m_pendingInterviewCopies = oldPendingInterviewCopies;
        if (sharedDataFolder) {
            for (const QString& copy : copiesMade)
                QFile::remove(copy);
        } else {
            QDir(newDataFolder).removeRecursively();
        }
        return false;
    }

    if (m_shellWindow)
        m_shellWindow->SetDocumentPath(path, false);
    MarkSaved();
    m_highestVolumeIdAtLoad = m_pCampaign->GetMaxVolumeId();
    return true;
}

bool CWaveApp::SaveModified()
{
    if (!m_modified)
        return true;
    const QString name = m_campaignPath.isEmpty() ? LoadString(IDS_UNTITLED_FILE) : m_campaignPath;
    switch (GetWindowServices().MessageBox(FormatString(LoadString(IDS_SAVE_CHANGES), {name}),
                                           MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDNO:
        return true;
    default:
        return SaveCampaign();
    }
}

bool CWaveApp::CopyPendingSourceFiles()
{
    return CopyPendingSourceFiles(nullptr);
}

bool CWaveApp::CopyPendingSourceFiles(QStringList* copiesMade)
{
    if (!m_pCampaign || (m_pendingQuestionCopies.empty() && m_pendingInterviewCopies.empty()))
        return true;
    const QString dataFolder = GetCampaignDataFolder();
    if (dataFolder.isEmpty())
        return true;

    QStringList failed;
    // Copies one source of a pending volume; false (the path noted) when the copy failed.
    const auto copySource = [&](CSourcePath& source) {
        const QString copy = CopyIntoDataFolder(source.SourceString, dataFolder);
        if (copy.isEmpty()) {
            failed << source.SourceString;
            return false;
        }
        source.SourceString = copy;
        if (copiesMade)
            *copiesMade << copy;
        return true;
    };

    std::set<int> stillPending;
    for (const int volumeId : m_pendingQuestionCopies) {
        CVolume* volume = m_pCampaign->FindVolume(volumeId);
        if (!volume || !volume->GetMetaData().IsFile() ||
            volume->GetMetaData().SourceString.isEmpty())
            continue;
        CSourcePath& metaData = volume->GetMetaData();
        CSourcePath& caseData = volume->GetCaseData();
        const bool oneFile = caseData.IsFile() && caseData.SourceString == metaData.SourceString;
        if (!copySource(metaData)) {
            stillPending.insert(volumeId);
            continue;
        }
        // Questionnaire and interviews in one file: one copy serves both.
        if (oneFile) {
            caseData.SourceString = metaData.SourceString;
            m_pendingInterviewCopies.erase(volumeId);
        }
    }
    m_pendingQuestionCopies = std::move(stillPending);

    stillPending.clear();
    for (const int volumeId : m_pendingInterviewCopies) {
        CVolume* volume = m_pCampaign->FindVolume(volumeId);
        if (!volume || !volume->GetCaseData().IsFile() ||
            volume->GetCaseData().SourceString.isEmpty())
            continue;
        if (!copySource(volume->GetCaseData()))
            stillPending.insert(volumeId);
    }
    m_pendingInterviewCopies = std::move(stillPending);

    if (failed.isEmpty())
        return true;
    GetWindowServices().MessageBox(
        FormatString(LoadString(IDS_SOURCE_COPIES_FAILED), {dataFolder, failed.join(u'\n')}),
        MB_OK | MB_ICONWARNING);
    return false;
}

void CWaveApp::RebaseVolumePaths(const QString& oldFolder, const QString& newFolder)
{
    if (!m_pCampaign)
        return;
    const QString from = QDir::cleanPath(oldFolder);
    const QString to = QDir::cleanPath(newFolder);
    const auto rebase = [&](CSourcePath& source) {
        if (!source.IsFile() || (source.SourceFilePathFormat != PATH_ABSOLUTE &&
                                 source.SourceFilePathFormat != PATH_RELATIVE))
            return;
        if (!IsPathInFolder(source.SourceString, from))
            return;
        source.SourceString = to + QDir::cleanPath(source.SourceString).mid(from.size());
    };
    for (int w = 0; w < m_pCampaign->GetWaveCount(); ++w) {
        const CWave& wave = *m_pCampaign->GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume& volume = *wave.GetVolume(v);
            // Volumes added since the last load or save are not in the data folder yet.
            if (volume.GetVolumeId() > m_highestVolumeIdAtLoad)
                continue;
            rebase(volume.GetMetaData());
            rebase(volume.GetCaseData());
        }
    }
}
