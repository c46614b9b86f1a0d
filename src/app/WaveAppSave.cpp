// Saving a campaign to its file, Save As, and the ask to save.

#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "app/ShellWindow.h"
#include "model/Campaign.h"
#include "model/FileHelpers.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccessDAO.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace pelko_wave;

namespace {

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

// A name for the file that a Save As writes before it takes the target's place: hidden, in the
// target's folder (so that putting it in place is one rename), and free.
QString TemporaryCampaignPath(const QString& target)
{
    const QFileInfo info(target);
    for (;;) {
        const QString candidate = info.dir().filePath(
            QStringLiteral(".%1.%2.saving")
                .arg(info.fileName())
                .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0')));
        if (!QFileInfo::exists(candidate) &&
            !QFileInfo::exists(candidate + QStringLiteral("-journal")))
            return candidate;
    }
}

// A file name in the folder that no file or folder takes yet: the name itself, else
// "base_1.ext", "base_2.ext", ...
QString FreeFileName(const QDir& folder, const QString& name)
{
    if (!QFileInfo::exists(folder.filePath(name)))
        return folder.filePath(name);
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString extension =
        info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate =
            folder.filePath(QStringLiteral("%1_%2%3").arg(base).arg(n).arg(extension));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

// What a Save As adds to the new data folder, so that a failed Save As takes exactly that away
// again: whatever was in the folder before stays, and nothing there is ever overwritten.
class CDataFolderAdditions
{
public:
    // Copies every file of the tree into the target folder, sub-folders too (links to folders
    // are not followed). A file whose name is taken in the target already is copied under a
    // free name and noted in Renamed (the name it would have had -> its copy).
    void CopyTree(const QString& from, const QString& to)
    {
        const QDir source(from);
        const QDir target(to);
        const QFileInfoList items = source.entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo& item : items) {
            const QString wanted = target.filePath(item.fileName());
            if (item.isDir()) {
                if (item.isSymLink())
                    continue;
                if (!QFileInfo::exists(wanted)) {
                    if (!QDir().mkdir(wanted))
                        continue;
                    m_folders.append(wanted);
                } else if (!QFileInfo(wanted).isDir()) {
                    continue;
                }
                CopyTree(item.absoluteFilePath(), wanted);
                continue;
            }
            const QString copy = FreeFileName(target, item.fileName());
            if (!QFile::copy(item.absoluteFilePath(), copy))
                continue;
            m_files.append(copy);
            if (copy != wanted)
                Renamed.insert(QDir::cleanPath(wanted), copy);
        }
    }
    // A folder made for the Save As; a source copy made in it, with the data folder copied
    // along with it when there is one.
    void NoteFolder(const QString& folder) { m_folders.append(folder); }
    void NoteSourceCopy(const QString& copy)
    {
        m_files.append(copy);
        if (const QString data = GetDataFolderPath(copy); QFileInfo(data).isDir())
            m_trees.append(data);
    }
    // Removes what was added, newest first; a folder only when nothing else is left in it.
    void TakeBack() const
    {
        for (const QString& tree : m_trees)
            QDir(tree).removeRecursively();
        for (const QString& file : m_files)
            QFile::remove(file);
        for (auto it = m_folders.crbegin(); it != m_folders.crend(); ++it)
            QDir().rmdir(*it);
    }

    QHash<QString, QString> Renamed;

private:
    QStringList m_files;
    QStringList m_folders;
    QStringList m_trees;
};

// The files under a folder (sub-folders too, links to folders not followed).
QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir::cleanPath(it.next()));
    return files;
}

// Whether the file holds a campaign: one that a Save As over it replaces, data folder and all.
bool IsCampaignFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    CDBAccessDAO probe;
    probe.SetFilePath(path);
    probe.SetReadOnly(true);
    const bool campaign = probe.Open();
    probe.Close();
    return campaign;
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
    // The campaign is written into a file of its own beside the target, which takes the
    // target's place only once it is written whole: a Save As that fails leaves a file that
    // was there as it was.
    const QString writing = TemporaryCampaignPath(path);
    const bool replacesCampaign = IsCampaignFile(path);
    // Until then the campaign stays on its old file: every step below is taken back when a
    // later one fails.
    const auto backToOldFile = [&] {
        storage.Close();
        RemoveCampaignFile(writing);
        storage.SetFilePath(oldStoragePath);
        SetCampaignPath(oldCampaignPath);
        errorText = FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {storage.GetErrorText()});
    };
    storage.Close();
    storage.SetFilePath(writing);
    if (!storage.CreateDatabase()) {
        backToOldFile();
        return false;
    }

    // The data folder moves along with the file, unless both names give the same folder. Only
    // what this Save As copies into the new folder is ever taken away again.
    const QString oldDataFolder =
        oldCampaignPath.isEmpty() ? QString() : GetDataFolderPath(oldCampaignPath);
    const bool hasOldDataFolder = !oldDataFolder.isEmpty() && QFileInfo(oldDataFolder).isDir();
    const QString newDataFolder = GetDataFolderPath(path);
    const bool sharedDataFolder = hasOldDataFolder && IsSameFile(oldDataFolder, newDataFolder);
    const QStringList filesBefore = sharedDataFolder ? QStringList() : FilesUnder(newDataFolder);
    const CVolumePathsSnapshot oldPaths(*m_pCampaign);
    const std::set<int> oldPendingQuestionCopies = m_pendingQuestionCopies;
    const std::set<int> oldPendingInterviewCopies = m_pendingInterviewCopies;
    CDataFolderAdditions added;

    SetCampaignPath(path);
    if (!sharedDataFolder) {
        const bool folderExisted = QFileInfo::exists(newDataFolder);
        GetCampaignDataFolder();
        if (!folderExisted && QFileInfo(newDataFolder).isDir())
            added.NoteFolder(newDataFolder);
        if (hasOldDataFolder) {
            added.CopyTree(oldDataFolder, newDataFolder);
            RebaseVolumePaths(oldDataFolder, newDataFolder, added.Renamed);
        }
    }
    QStringList copiesMade;
    CopyPendingSourceFiles(&copiesMade);
    for (const QString& copy : std::as_const(copiesMade))
        added.NoteSourceCopy(copy);

    const auto takeBack = [&] {
        backToOldFile();
        oldPaths.Restore();
        m_pendingQuestionCopies = oldPendingQuestionCopies;
        m_pendingInterviewCopies = oldPendingInterviewCopies;
        added.TakeBack();
    };
    if (!storage.Save(*m_pCampaign) || !storage.Close()) {
        takeBack();
        return false;
    }
    // A journal left beside the target belongs to the file it replaces and must never be
    // applied to the new one.
    QFile::remove(path + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(writing).constData(), QFile::encodeName(path).constData()) !=
        0) {
        storage.SetErrorText(
            FormatString(LoadString(IDS_DB_ERROR), {QString::fromLocal8Bit(std::strerror(errno))}));
        takeBack();
        return false;
    }
    storage.SetFilePath(path);

    // The campaign replaced takes its source copies with it: the files that its data folder
    // held, unless a volume of this campaign uses one of them.
    if (replacesCampaign)
        RemoveReplacedDataFiles(newDataFolder, filesBefore);

    if (m_shellWindow)
        m_shellWindow->SetDocumentPath(path, false);
    MarkSaved();
    m_highestVolumeIdAtLoad = m_pCampaign->GetMaxVolumeId();
    return true;
}

void CWaveApp::RemoveReplacedDataFiles(const QString& dataFolder, const QStringList& files)
{
    // The files in use, by their canonical paths: a volume may name a file of the folder
    // through a link.
    QSet<QString> used;
    for (int w = 0; w < m_pCampaign->GetWaveCount(); ++w) {
        const CWave& wave = *m_pCampaign->GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            for (const CSourcePath* source :
                 {&wave.GetVolume(v)->GetMetaData(), &wave.GetVolume(v)->GetCaseData()}) {
                if (!source->IsFile())
                    continue;
                if (const QString file = QFileInfo(source->SourceString).canonicalFilePath();
                    !file.isEmpty())
                    used.insert(file);
            }
        }
    }
    QSet<QString> folders;
    for (const QString& file : files) {
        if (used.contains(QFileInfo(file).canonicalFilePath()))
            continue;
        QFile::remove(file);
        for (QString folder = QFileInfo(file).path(); IsPathInFolder(folder, dataFolder);
             folder = QFileInfo(folder).path())
            folders.insert(folder);
    }
    // The emptied sub-folders, deepest first.
    QStringList emptied(folders.cbegin(), folders.cend());
    std::sort(emptied.begin(), emptied.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& folder : std::as_const(emptied))
        QDir().rmdir(folder);
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

void CWaveApp::RebaseVolumePaths(const QString& oldFolder, const QString& newFolder,
                                 const QHash<QString, QString>& renamed)
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
        const QString moved = to + QDir::cleanPath(source.SourceString).mid(from.size());
        source.SourceString = renamed.value(moved, moved);
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
