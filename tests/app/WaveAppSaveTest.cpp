// Save, Save As and the ask to save: what reaches the file, the data folder and the volumes'
// source paths, and what stays as it was when a step fails.

#include "ShellTestSupport.h"

#include "app/CampaignFileNames.h"
#include "model/FileHelpers.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

using namespace pelko_wave;
using namespace shell_test;

namespace {

class WaveAppSave : public CShellTest
{
protected:
    // A volume of the open campaign by id.
    CVolume& Volume(int id) { return *m_app.GetCampaign()->FindVolume(id); }
    // Marks the campaign changed, as a command would.
    void Change()
    {
        m_app.GetCampaign()->SetDescription(QStringLiteral("changed"));
        m_app.SetModifiedFlag(true, true);
    }
};

TEST_F(WaveAppSave, SaveWritesTheCampaignAndReadsBackTheSame)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    Change();
    ASSERT_TRUE(m_app.SaveCampaign());
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << qPrintable(m_windows.Prompts.join('\n'));
    const std::unique_ptr<CCampaign> back = ReadBack(file);
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameDump(StoredDump(*back), StoredDump(*m_app.GetCampaign())));
    EXPECT_EQ(back->GetDescription(), QStringLiteral("changed"));
}

TEST_F(WaveAppSave, TheMenuSavesOnlyAModifiedCampaign)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    // Not modified: the file is not even touched.
    const QDateTime before = QFileInfo(file).lastModified();
    const QByteArray bytes = FileBytes(file);
    m_app.OnFileSave();
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
    EXPECT_EQ(QFileInfo(file).lastModified(), before);
    EXPECT_EQ(FileBytes(file), bytes);

    Change();
    m_app.OnFileSave();
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_EQ(ReadBack(file)->GetDescription(), QStringLiteral("changed"));
}

TEST_F(WaveAppSave, AFailedSaveIsShownAndTheCampaignStaysModified)
{
    FailStorageAt("Save");
    const QString file = Path("coffee.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    const QByteArray bytes = FileBytes(file);
    Change();
    EXPECT_FALSE(m_app.SaveCampaign());
    EXPECT_TRUE(m_app.IsModified());
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0], FormatString(LoadString(IDS_SAVE_DATABASE_ERROR),
                                                 {QStringLiteral("Error Save failed")}));
    EXPECT_EQ(FileBytes(file), bytes);
}

TEST_F(WaveAppSave, ANeverSavedCampaignGoesThroughSaveAs)
{
    m_app.OnFileNew();
    Change();
    // Cancelled: nothing shown, nothing written.
    EXPECT_FALSE(m_app.SaveCampaign());
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
    EXPECT_TRUE(m_app.IsModified());
    ASSERT_EQ(m_windows.ChooserCalls, QStringList{"save: "});

    const QString file = Path("first.duv");
    m_windows.Choices << file;
    ASSERT_TRUE(m_app.SaveCampaign());
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_EQ(m_app.GetCampaignPath(), file);
    EXPECT_EQ(m_app.GetCampaignFilePath(), file);
    EXPECT_TRUE(m_shell.Calls.contains("path " + file));
    ASSERT_TRUE(ReadBack(file));
    EXPECT_EQ(ReadBack(file)->GetLanguage(0)->GetLanguageId(),
              m_app.GetVersionInfo().GetLanguageId());
}

TEST_F(WaveAppSave, AskToSaveFollowsTheAnswer)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    EXPECT_TRUE(m_app.SaveModified());
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << "not modified: no question";

    struct SCase
    {
        int Answer;
        bool GoOn;
        bool Saved;
    };
    for (const SCase c :
         {SCase{IDCANCEL, false, false}, SCase{IDNO, true, false}, SCase{IDYES, true, true}}) {
        SCOPED_TRACE(c.Answer);
        Change();
        m_windows.Prompts.clear();
        m_windows.QueueAnswers({c.Answer});
        EXPECT_EQ(m_app.SaveModified(), c.GoOn);
        ASSERT_EQ(m_windows.Prompts.size(), 1);
        EXPECT_EQ(m_windows.Prompts[0], FormatString(LoadString(IDS_SAVE_CHANGES), {file}));
        EXPECT_EQ(m_windows.PromptTypes.back(), unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(m_app.IsModified(), !c.Saved);
    }

    // A campaign never saved is named by the untitled name.
    m_app.OnFileNew();
    m_windows.Prompts.clear();
    Change();
    m_windows.QueueAnswers({IDNO});
    EXPECT_TRUE(m_app.SaveModified());
    EXPECT_EQ(m_windows.Prompts.value(0),
              FormatString(LoadString(IDS_SAVE_CHANGES), {QStringLiteral("Untitled01.duv")}));
}

TEST_F(WaveAppSave, PendingSourcesAreCopiedIntoTheDataFolder)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    // Volume 1: questionnaire and interviews in one file; volume 2: in two files; volume 3:
    // its source has gone; volume 4: a database source, which is no file to copy.
    const QString interviews = CopySample("wave1.sss", "sources/interviews.sss");
    Volume(2).GetCaseData().SourceString = interviews;
    const QString missing = Volume(3).GetMetaData().SourceString;
    QFile::remove(missing);
    Volume(4).GetMetaData().SourceStorageType = 1;
    Volume(4).GetMetaData().SourceString = QStringLiteral("DSN=survey");
    for (const int id : {1, 2, 3, 4})
        m_app.AddPendingQuestionSourceCopy(id);
    m_app.AddPendingInterviewSourceCopy(1);
    m_app.AddPendingInterviewSourceCopy(2);
    Change();

    ASSERT_TRUE(m_app.SaveCampaign());
    const QString dataFolder = GetDataFolderPath(file);
    EXPECT_EQ(dataFolder, Path("coffee.dat"));
    const auto inDataFolder = [&](const QString& path) {
        return QFileInfo(path).absolutePath() == dataFolder && QFileInfo(path).isFile();
    };
    // One copy serves both paths of volume 1.
    EXPECT_TRUE(inDataFolder(Volume(1).GetMetaData().SourceString));
    EXPECT_EQ(Volume(1).GetCaseData().SourceString, Volume(1).GetMetaData().SourceString);
    EXPECT_TRUE(inDataFolder(Volume(2).GetMetaData().SourceString));
    EXPECT_TRUE(inDataFolder(Volume(2).GetCaseData().SourceString));
    EXPECT_NE(Volume(2).GetCaseData().SourceString, Volume(2).GetMetaData().SourceString);
    EXPECT_EQ(FileBytes(Volume(2).GetCaseData().SourceString), FileBytes(interviews));
    EXPECT_EQ(QDir(dataFolder).entryList(QDir::Files).size(), 3);
    // The copy that failed leaves its volume where it was, still pending, and is reported.
    EXPECT_EQ(Volume(3).GetMetaData().SourceString, missing);
    EXPECT_EQ(m_app.GetPendingQuestionSourceCopies(), std::set<int>{3});
    EXPECT_TRUE(m_app.GetPendingInterviewSourceCopies().empty());
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0],
              FormatString(LoadString(IDS_SOURCE_COPIES_FAILED), {dataFolder, missing}));
    EXPECT_EQ(Volume(4).GetMetaData().SourceString, QStringLiteral("DSN=survey"));
    // The file keeps the copies.
    const std::unique_ptr<CCampaign> back = ReadBack(file);
    EXPECT_EQ(back->FindVolume(2)->GetCaseData().SourceString,
              Volume(2).GetCaseData().SourceString);
}

TEST_F(WaveAppSave, SaveAsMovesTheFileAndTheDataFolderAlong)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    // Volume 1 was copied into the data folder at an earlier save, volume 2 into a sub-folder
    // of it; volume 3's source lies beside the data folder in a folder whose name begins the
    // same; volume 4 is relative to the campaign file.
    const QString oldData = MakeDataFolder(file);
    Volume(1).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/w1v1_1.zoz");
    Volume(1).GetCaseData() = Volume(1).GetMetaData();
    Volume(2).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/sub/w1v2.zoz");
    Volume(3).GetMetaData().SourceString = CopySample("wave2.zoz", "coffee.data/w2v1.zoz");
    Volume(4).GetMetaData().SourceFilePathFormat = PATH_RELATIVE;
    Change();
    ASSERT_TRUE(m_app.SaveCampaign());
    const QByteArray oldBytes = FileBytes(file);

    const QString newFile = Path("moved/brand.duv");
    QDir().mkpath(Path("moved"));
    m_windows.Choices << newFile;
    QString error;
    ASSERT_TRUE(m_app.SaveCampaignAs(error)) << qPrintable(error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(m_windows.ChooserCalls.value(0), "save: " + file);
    EXPECT_EQ(m_app.GetCampaignPath(), newFile);
    EXPECT_EQ(m_app.GetCampaignFilePath(), newFile);
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_TRUE(m_shell.Calls.contains("path " + newFile));
    EXPECT_EQ(FileBytes(file), oldBytes) << "the old file is left as it was";

    const QString newData = Path("moved/brand.dat");
    EXPECT_EQ(Volume(1).GetMetaData().SourceString, newData + "/w1v1_1.zoz");
    EXPECT_EQ(Volume(1).GetCaseData().SourceString, newData + "/w1v1_1.zoz");
    EXPECT_EQ(Volume(2).GetMetaData().SourceString, newData + "/sub/w1v2.zoz");
    EXPECT_TRUE(QFileInfo(newData + "/sub/w1v2.zoz").isFile());
    EXPECT_EQ(Volume(3).GetMetaData().SourceString, Path("coffee.data/w2v1.zoz"));
    // The old data folder stays for the old file.
    EXPECT_TRUE(QFileInfo(oldData + "/w1v1_1.zoz").isFile());

    const std::unique_ptr<CCampaign> back = ReadBack(newFile);
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameDump(StoredDump(*back), StoredDump(*m_app.GetCampaign())));
    // The relative path is written relative to the new file and so still finds the source.
    EXPECT_EQ(back->FindVolume(4)->GetMetaData().SourceFilePathFormat, PATH_RELATIVE);
    EXPECT_TRUE(QFileInfo(back->FindVolume(4)->GetMetaData().SourceString).isFile());
}

TEST_F(WaveAppSave, SaveAsToTheSameFileIsAPlainSave)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    Change();
    // The same file by another name: through a link to its folder.
    ASSERT_TRUE(QFile::link(m_folder.path(), Path("alias")));
    m_windows.Choices << Path("alias/coffee.duv");
    QString error;
    ASSERT_TRUE(m_app.SaveCampaignAs(error));
    EXPECT_EQ(m_app.GetCampaignPath(), file);
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_EQ(ReadBack(file)->GetDescription(), QStringLiteral("changed"));
    EXPECT_FALSE(QFileInfo::exists(Path("alias.dat")));
}

TEST_F(WaveAppSave, SaveAsSharingTheDataFolderDeletesAndCopiesNothing)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    Volume(1).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/w1v1.zoz");
    Change();
    ASSERT_TRUE(m_app.SaveCampaign());

    // "coffee.bak" keeps its data in "coffee.dat" too.
    m_windows.Choices << Path("coffee.bak");
    QString error;
    ASSERT_TRUE(m_app.SaveCampaignAs(error)) << qPrintable(error);
    EXPECT_EQ(Volume(1).GetMetaData().SourceString, Path("coffee.dat/w1v1.zoz"));
    EXPECT_TRUE(QFileInfo(Path("coffee.dat/w1v1.zoz")).isFile());
    EXPECT_EQ(QDir(Path("coffee.dat")).entryList(QDir::Files).size(), 1);
}

// Save As into the target with the storage failing at a step (none: the target cannot be
// made): the error is 63130 with the storage's text, and the campaign stays on its old file
// with its paths, pending copies and data folder as they were.
void CheckFailedSaveAs(CWaveApp& app, CScriptedWindowServices& windows, const QString& target,
                       const QString& storageError)
{
    const QString file = app.GetCampaignPath();
    app.AddPendingQuestionSourceCopy(2);
    const QString before = StoredDump(*app.GetCampaign());
    windows.Choices << target;
    QString error;
    EXPECT_FALSE(app.SaveCampaignAs(error));
    EXPECT_TRUE(error.startsWith(FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {""})))
        << qPrintable(error);
    EXPECT_TRUE(error.endsWith(storageError)) << qPrintable(error);
    EXPECT_EQ(app.GetCampaignPath(), file);
    EXPECT_EQ(app.GetCampaignFilePath(), file);
    EXPECT_TRUE(app.IsModified());
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(GetDataFolderPath(target)));
    EXPECT_EQ(app.GetPendingQuestionSourceCopies(), std::set<int>{2});
    EXPECT_TRUE(SameDump(StoredDump(*app.GetCampaign()), before));
}

TEST_F(WaveAppSave, AnUnwritableSaveAsTargetLeavesTheCampaignOnItsFile)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    Volume(1).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/w1v1.zoz");
    Change();
    CheckFailedSaveAs(m_app, m_windows, Path("no such folder/brand.duv"), QString());
    // The campaign still saves to its own file.
    EXPECT_TRUE(m_app.SaveCampaign());
    EXPECT_EQ(ReadBack(file)->GetDescription(), QStringLiteral("changed"));
}

TEST_F(WaveAppSave, ASaveAsFailingToWriteTakesEveryStepBack)
{
    const QString file = Path("coffee.duv");
    WriteCampaignFile(*MakeCampaign(), file);
    FailStorageAt("Save");
    ASSERT_TRUE(m_app.OpenDocumentFile(file));
    const QByteArray bytes = FileBytes(file);
    // A data folder to move along and a pending copy to make, both taken back.
    Volume(1).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/w1v1.zoz");
    Change();
    CheckFailedSaveAs(m_app, m_windows, Path("brand.duv"), "Error Save failed");
    EXPECT_EQ(Volume(1).GetMetaData().SourceString, Path("coffee.dat/w1v1.zoz"));
    EXPECT_EQ(FileBytes(file), bytes);
    EXPECT_EQ(QDir(Path("coffee.dat")).entryList(QDir::Files), QStringList{"w1v1.zoz"});
}

// Every file under a folder (sub-folders too) by its path inside the folder, with its bytes.
QMap<QString, QByteArray> FolderFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), FileBytes(path));
    }
    return files;
}

// Writes a file, making its folder.
void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The hidden files beside the campaign files: what a Save As wrote before putting it in place.
QStringList HiddenFiles(const QString& folder)
{
    return QDir(folder).entryList(QStringList{".*"}, QDir::Files | QDir::Hidden);
}

class WaveAppSaveAs : public WaveAppSave
{
protected:
    // The campaign opened from coffee.duv, volume 1 read from a copy in its data folder, and
    // volume 2's source still to be copied there; changed since.
    void OpenCoffee()
    {
        const QString file = Path("coffee.duv");
        WriteCampaignFile(*MakeCampaign(), file);
        ASSERT_TRUE(m_app.OpenDocumentFile(file));
        Volume(1).GetMetaData().SourceString = CopySample("wave1.zoz", "coffee.dat/w1v1.zoz");
        Volume(1).GetCaseData() = Volume(1).GetMetaData();
        m_app.AddPendingQuestionSourceCopy(2);
        Change();
    }
    bool SaveAs(const QString& path, QString& error)
    {
        m_windows.Choices << path;
        return m_app.SaveCampaignAs(error);
    }
};

// A folder of the new data folder's name that belongs to nothing: what it held stays as it
// was, and a file moved along whose name is taken there gets a name of its own.
TEST_F(WaveAppSaveAs, WhatTheNewDataFolderHeldStays)
{
    OpenCoffee();
    WriteFile(Path("results.dat/keep.txt"), "keep");
    WriteFile(Path("results.dat/sub/deep.txt"), "deep");
    WriteFile(Path("results.dat/w1v1.zoz"), "another study's source");
    const QMap<QString, QByteArray> before = FolderFiles(Path("results.dat"));

    QString error;
    ASSERT_TRUE(SaveAs(Path("results.duv"), error)) << qPrintable(error);
    const QMap<QString, QByteArray> after = FolderFiles(Path("results.dat"));
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << qPrintable(it.key());
    EXPECT_EQ(Volume(1).GetMetaData().SourceString, Path("results.dat/w1v1_1.zoz"));
    EXPECT_EQ(Volume(1).GetCaseData().SourceString, Path("results.dat/w1v1_1.zoz"));
    EXPECT_EQ(FileBytes(Path("results.dat/w1v1_1.zoz")), FileBytes(Path("coffee.dat/w1v1.zoz")));
    // The pending copy was made into the folder too.
    EXPECT_TRUE(IsPathInFolder(Volume(2).GetMetaData().SourceString, Path("results.dat")));
    EXPECT_EQ(after.size(), before.size() + 2);
    EXPECT_TRUE(HiddenFiles(m_folder.path()).isEmpty());
    EXPECT_TRUE(
        SameDump(StoredDump(*ReadBack(Path("results.duv"))), StoredDump(*m_app.GetCampaign())));
}

// A Save As that fails at a step takes away what it copied and nothing else: the files that the
// new data folder held stay, and a target file that was there stays byte for byte.
TEST_F(WaveAppSaveAs, AFailedSaveAsTouchesNothingItDoesNotOwn)
{
    for (const char* step : {"CreateDatabase", "Save"}) {
        SCOPED_TRACE(step);
        m_app.DestroyCampaignObjects();
        FailStorageAt(QLatin1String(step));
        OpenCoffee();
        const QStringList coffeeData = QDir(Path("coffee.dat")).entryList(QDir::Files);
        // An unrelated folder without its campaign file, and a campaign file with its own.
        WriteFile(Path("results.dat/keep.txt"), "keep");
        WriteFile(Path("results.dat/sub/deep.txt"), "deep");
        auto other = MakeCampaign();
        other->SetName(QStringLiteral("Other"));
        WriteCampaignFile(*other, Path("other.duv"));
        WriteFile(Path("other.dat/source.zoz"), "other source");
        for (const QString& target : {Path("results.duv"), Path("other.duv")}) {
            SCOPED_TRACE(qPrintable(target));
            const QString data = GetDataFolderPath(target);
            const QMap<QString, QByteArray> dataBefore = FolderFiles(data);
            const QByteArray targetBefore = FileBytes(target);
            const QString before = StoredDump(*m_app.GetCampaign());
            QString error;
            EXPECT_FALSE(SaveAs(target, error));
            EXPECT_TRUE(error.endsWith(QStringLiteral("Error %1 failed").arg(step)))
                << qPrintable(error);
            EXPECT_EQ(FileBytes(target), targetBefore);
            EXPECT_EQ(QFileInfo::exists(target), !targetBefore.isEmpty());
            EXPECT_EQ(FolderFiles(data), dataBefore);
            EXPECT_TRUE(HiddenFiles(m_folder.path()).isEmpty())
                << qPrintable(HiddenFiles(m_folder.path()).join(' '));
            // The campaign stays on its file, as it was.
            EXPECT_EQ(m_app.GetCampaignPath(), Path("coffee.duv"));
            EXPECT_TRUE(m_app.IsModified());
            EXPECT_TRUE(SameDump(StoredDump(*m_app.GetCampaign()), before));
            EXPECT_EQ(QDir(Path("coffee.dat")).entryList(QDir::Files), coffeeData);
        }
        FailStorageAt(QString());
    }
}

// Over another campaign's file, once the new one is written: the campaign replaced takes its
// source copies with it. Over a file that holds no campaign, the folder of its name is left
// alone.
TEST_F(WaveAppSaveAs, ACampaignReplacedTakesItsSourceCopiesWithIt)
{
    OpenCoffee();
    auto other = MakeCampaign();
    other->SetName(QStringLiteral("Other"));
    WriteCampaignFile(*other, Path("other.duv"));
    WriteFile(Path("other.dat/w2v1_1.zoz"), "the other campaign's copy");
    WriteFile(Path("other.dat/sub/older.zoz"), "older");
    WriteFile(Path("notes.duv"), "not a campaign");
    WriteFile(Path("notes.dat/keep.txt"), "keep");

    QString error;
    ASSERT_TRUE(SaveAs(Path("other.duv"), error)) << qPrintable(error);
    EXPECT_EQ(ReadBack(Path("other.duv"))->GetDescription(), QStringLiteral("changed"));
    const QStringList left = FolderFiles(Path("other.dat")).keys();
    EXPECT_FALSE(left.contains(QStringLiteral("w2v1_1.zoz")));
    EXPECT_FALSE(QFileInfo::exists(Path("other.dat/sub")));
    EXPECT_TRUE(left.contains(QStringLiteral("w1v1.zoz"))) << qPrintable(left.join(' '));
    EXPECT_TRUE(QFileInfo(Volume(1).GetMetaData().SourceString).isFile());
    EXPECT_TRUE(QFileInfo(Volume(2).GetMetaData().SourceString).isFile());

    ASSERT_TRUE(SaveAs(Path("notes.duv"), error)) << qPrintable(error);
    EXPECT_TRUE(ReadBack(Path("notes.duv")));
    EXPECT_EQ(FileBytes(Path("notes.dat/keep.txt")), "keep");
    EXPECT_TRUE(HiddenFiles(m_folder.path()).isEmpty());
}

// A volume of the campaign saved may read a file of the replaced campaign's data folder under
// another name of that folder (a link to it): the file is in use and stays.
TEST_F(WaveAppSaveAs, AFileInUseUnderAnotherNameOfTheFolderStays)
{
    OpenCoffee();
    auto other = MakeCampaign();
    other->SetName(QStringLiteral("Other"));
    WriteCampaignFile(*other, Path("other.duv"));
    WriteFile(Path("other.dat/shared.zoz"), FileBytes(Path("coffee.dat/w1v1.zoz")));
    WriteFile(Path("other.dat/unused.zoz"), "the other campaign's copy");
    ASSERT_TRUE(QFile::link(Path("other.dat"), Path("shared-sources")));
    Volume(3).GetMetaData().SourceString = Path("shared-sources/shared.zoz");

    QString error;
    ASSERT_TRUE(SaveAs(Path("other.duv"), error)) << qPrintable(error);
    EXPECT_TRUE(QFileInfo(Path("other.dat/shared.zoz")).isFile());
    EXPECT_TRUE(QFileInfo(Volume(3).GetMetaData().SourceString).isFile());
    EXPECT_FALSE(QFileInfo::exists(Path("other.dat/unused.zoz")));
}

TEST_F(WaveAppSave, RebaseMovesWholePathComponentsOfKnownVolumesOnly)
{
    const QString file = Path("coffee.duv");
    OpenCampaignAt(file);
    struct SCase
    {
        int Volume;
        int Storage;
        int Kind;
        QString Path;
        QString Expected;
    };
    const QString from = QStringLiteral("/studies/coffee.dat");
    const QString to = QStringLiteral("/archive/brand.dat");
    const SCase cases[] = {
        {1, 0, PATH_ABSOLUTE, from + "/w1.zoz", to + "/w1.zoz"},
        {2, 0, PATH_RELATIVE, from + "/deep/er/w2.zoz", to + "/deep/er/w2.zoz"},
        {3, 0, PATH_ABSOLUTE, "/studies/coffee.data/w3.zoz", "/studies/coffee.data/w3.zoz"},
        {4, 0, PATH_UNC, from + "/w4.zoz", from + "/w4.zoz"},
    };
    for (const SCase& c : cases) {
        CSourcePath& source = Volume(c.Volume).GetMetaData();
        source.SourceStorageType = c.Storage;
        source.SourceFilePathFormat = c.Kind;
        source.SourceString = c.Path;
    }
    // A database source and a volume added since the load are left alone.
    Volume(1).GetCaseData().SourceStorageType = 1;
    Volume(1).GetCaseData().SourceString = from + "/db";
    auto added = std::make_unique<CVolume>();
    added->SetVolumeId(5);
    added->SetWaveId(2);
    added->SetInheritsFromVolumeId(5);
    CSourcePath source;
    source.SourceStorageType = 0;
    source.SourceFilePathFormat = PATH_ABSOLUTE;
    source.SourceString = from + "/new.zoz";
    added->SetMetaData(source);
    m_app.GetCampaign()->FindWave(2)->AddVolume(std::move(added));

    m_app.RebaseVolumePaths(from, to + "/");
    for (const SCase& c : cases)
        EXPECT_EQ(Volume(c.Volume).GetMetaData().SourceString, c.Expected) << c.Volume;
    EXPECT_EQ(Volume(1).GetCaseData().SourceString, from + "/db");
    EXPECT_EQ(Volume(5).GetMetaData().SourceString, from + "/new.zoz");
}

} // namespace
