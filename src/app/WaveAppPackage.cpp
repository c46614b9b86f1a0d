// Package Campaign: a copy of the campaign and of its volumes' source files in one folder.

#include "app/PackageCampaign.h"
#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "model/Campaign.h"
#include "model/FileHelpers.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

#include <QDir>
#include <QFileInfo>

using namespace pelko_wave;

namespace {

constexpr int kProgressRange = 10000;
constexpr int kLastPackageNumber = 999;

// A sub-folder of the package named by the format, a position and a name made safe for a
// path; made unless it exists already. Empty when it could not be made.
QString MakeSubFolder(const QString& parent, const char* format, int position, const QString& name)
{
    const QString folder = QDir(parent).filePath(
        FormatString(QLatin1String(format), {position, SafePathComponent(name)}));
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
        return QString();
    return folder;
}

// Copies one source file into the volume's folder under its own name and points the record
// at the copy, relative to the package's campaign file. False when the copy failed.
bool CopySource(CSourcePath& source, const QString& volumeFolder, IProgressWindow& progress,
                int fileStep)
{
    progress.SetMessageText(
        FormatString(LoadString(IDS_COPYING_FILE), {QFileInfo(source.SourceString).fileName()}));
    if (!QFileInfo(source.SourceString).isFile())
        return false;
    const QString copy = CopySourceFileToPackage(source.SourceString, volumeFolder, false);
    if (!QFileInfo(copy).isFile())
        return false;
    progress.OffsetPos(fileStep);
    source.SourceString = copy;
    source.SourceFilePathFormat = PATH_RELATIVE;
    return true;
}

} // namespace

QString BrowseForPackageFolder(const QString& campaignFilePath)
{
    const QString start =
        campaignFilePath.isEmpty() ? QString() : QFileInfo(campaignFilePath).absolutePath();
    return GetWindowServices().ChooseFolder(LoadString(IDS_CHOOSE_PACKAGE_FOLDER), start);
}

QString MakePackageFolder(const QString& folder, const QString& campaignName, unsigned& errorId)
{
    errorId = 0;
    if (!QFileInfo(folder).isDir()) {
        errorId = IDS_PACKAGE_PATH_INVALID;
        return QString();
    }
    const QString name = SafePathComponent(campaignName);
    const QDir parent(folder);
    for (int n = 0; n <= kLastPackageNumber; ++n) {
        const QString candidate =
            parent.filePath(n == 0 ? FormatString(QStringLiteral("%s Package"), {name})
                                   : FormatString(QStringLiteral("%s Package %d"), {name, n}));
        if (QFileInfo::exists(candidate))
            continue;
        if (QDir().mkdir(candidate))
            return candidate;
        // Not taken, yet it cannot be made: no other number will do better.
        break;
    }
    errorId = IDS_PACKAGE_FOLDER_FAILED;
    return QString();
}

bool CopyCampaignFilesToPackage(CCampaign& campaign, const QString& packageFolder,
                                IProgressWindow& progress, int folderStep, int fileStep)
{
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        progress.SetMessageText(LoadString(IDS_CREATING_WAVE_FOLDER));
        const QString waveFolder =
            MakeSubFolder(packageFolder, "Wave %d (%s)", w + 1, wave.GetName());
        if (waveFolder.isEmpty())
            return false;
        progress.OffsetPos(folderStep);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume& volume = *wave.GetVolume(v);
            progress.SetMessageText(LoadString(IDS_CREATING_VOLUME_FOLDER));
            const QString volumeFolder =
                MakeSubFolder(waveFolder, "Volume %d (%s)", v + 1, volume.GetName());
            if (volumeFolder.isEmpty())
                return false;
            progress.OffsetPos(folderStep);

            CSourcePath& metaData = volume.GetMetaData();
            if (!metaData.IsFile())
                continue;
            CSourcePath& caseData = volume.GetCaseData();
            const QString originalMetaData = metaData.SourceString;
            if (!CopySource(metaData, volumeFolder, progress, fileStep))
                return false;
            // Interviews in a file of their own get their own copy; in the questionnaire's
            // file, the same copy. A database or an empty path is left as it is.
            if (!caseData.IsFile() || caseData.SourceString.isEmpty())
                continue;
            if (caseData.SourceString != originalMetaData) {
                if (!CopySource(caseData, volumeFolder, progress, fileStep))
                    return false;
            } else {
                caseData.SourceString = metaData.SourceString;
                caseData.SourceFilePathFormat = metaData.SourceFilePathFormat;
            }
        }
    }
    return true;
}

void CWaveApp::PackageCampaign()
{
    if (!m_pCampaign)
        return;
    IWindowServices& windows = GetWindowServices();
    const QString chosen = BrowseForPackageFolder(m_campaignPath);
    if (chosen.isEmpty())
        return;

    std::unique_ptr<IProgressWindow> progress = windows.CreateProgressDlg(
        LoadString(IDS_PACKAGING), LoadString(IDS_CREATING_LOCATION), kProgressRange);
    progress->SetPos(100);
    CWaitCursor wait;
    CCampaign copy(*m_pCampaign);
    progress->SetPos(500);

    int fileCount = 0;
    for (int w = 0; w < copy.GetWaveCount(); ++w) {
        const CWave& wave = *copy.GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            const CVolume& volume = *wave.GetVolume(v);
            const QString& metaData = volume.GetMetaData().SourceString;
            const QString& caseData = volume.GetCaseData().SourceString;
            fileCount += !metaData.isEmpty();
            fileCount += !caseData.isEmpty() && caseData != metaData;
        }
    }
    const int folderStep = 1000 / (copy.GetVolumeCount() + copy.GetWaveCount() + 1);
    const int fileStep = fileCount > 0 ? 3500 / fileCount : 1;

    // An unsaved campaign has no file name: it is packaged under the untitled one.
    QString name = GetCampaignFileTitle();
    if (name.isEmpty())
        name = QFileInfo(LoadString(IDS_UNTITLED_FILE)).completeBaseName();
    unsigned errorId = 0;
    const QString packageFolder = MakePackageFolder(chosen, name, errorId);
    if (packageFolder.isEmpty()) {
        progress.reset();
        windows.MessageBoxId(errorId, MB_OK | MB_ICONWARNING);
        return;
    }
    progress->OffsetPos(folderStep);
    if (!CopyCampaignFilesToPackage(copy, packageFolder, *progress, folderStep, fileStep)) {
        progress.reset();
        windows.MessageBoxId(IDS_PACKAGE_COPY_FAILED, MB_OK | MB_ICONWARNING);
        return;
    }

    progress->SetMessageText(LoadString(IDS_CREATING_DUV));
    std::unique_ptr<CDBAccess> storage = MakeStorage();
    storage->SetFilePath(
        QDir(packageFolder).filePath(SafePathComponent(name) + QStringLiteral(".duv")));
    bool written = storage->CreateDatabase();
    if (written) {
        progress->SetMessageText(LoadString(IDS_SAVING_CAMPAIGN));
        progress->OffsetPos(fileStep);
        written = storage->Save(copy);
    }
    storage->Close();
    if (!written) {
        progress.reset();
        windows.MessageBox(
            FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {storage->GetErrorText()}),
            MB_OK | MB_ICONWARNING);
        return;
    }

    progress->SetPos(kProgressRange);
    windows.PumpMessages();
    progress.reset();
    if (windows.MessageBoxId(IDS_PACKAGE_DONE, MB_YESNO | MB_ICONQUESTION) == IDYES)
        windows.OpenFolder(packageFolder);
}
