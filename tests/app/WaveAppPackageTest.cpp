// Package Campaign: the package folder's layout, its campaign file pointing at the copies, and
// the open campaign left as it was.

#include "ShellTestSupport.h"

#include "app/CampaignFileNames.h"
#include "app/PackageCampaign.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace pelko_wave;
using namespace shell_test;

namespace {

class WaveAppPackage : public CShellTest
{
protected:
    // Packages the open campaign into the folder, answering the last question with the answer.
    void Package(const QString& folder, int answer = IDNO)
    {
        QDir().mkpath(folder);
        m_windows.Choices << folder;
        m_windows.QueueAnswers({answer});
        m_app.PackageCampaign();
    }
};

TEST_F(WaveAppPackage, PackageHoldsTheCampaignAndEveryVolumesFiles)
{
    const QString file = Path("Sales.duv");
    OpenCampaignAt(file);
    CCampaign& campaign = *m_app.GetCampaign();
    // Volume 2 keeps its interviews in a file of their own; volume 4 is relative to the file.
    CVolume& second = *campaign.FindVolume(2);
    second.GetCaseData().SourceString = CopySample("wave1.sss", "sources/interviews.sss");
    campaign.FindVolume(4)->GetMetaData().SourceFilePathFormat = PATH_RELATIVE;
    m_app.SetModifiedFlag(true, false);
    const QString before = StoredDump(campaign);
    const QByteArray fileBefore = FileBytes(file);

    Package(Path("out"), IDYES);
    EXPECT_EQ(m_windows.ChooserCalls, QStringList{"folder: " + m_folder.path()});
    ASSERT_EQ(m_windows.Prompts, QStringList{LoadString(IDS_PACKAGE_DONE)});
    EXPECT_EQ(m_windows.OpenedFolders, QStringList{Path("out/Sales Package")});
    EXPECT_EQ(m_windows.OpenProgressWindows, 0);
    EXPECT_EQ(m_windows.LastProgressPos, 10000);

    // Folders per wave and per volume, named by position and name.
    const QDir package(Path("out/Sales Package"));
    EXPECT_EQ(package.entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"Wave 1 (Spring)", "Wave 2 (Autumn)"}));
    EXPECT_EQ(
        QDir(package.filePath("Wave 2 (Autumn)")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
        (QStringList{"Volume 1 (Volume 3)", "Volume 2 (Volume 4)"}));
    EXPECT_EQ(QDir(package.filePath("Wave 1 (Spring)/Volume 2 (Volume 2)")).entryList(QDir::Files),
              (QStringList{"interviews.sss", "w1v2.zoz"}));

    // The package's campaign file opens with every volume's files found in the package.
    const std::unique_ptr<CCampaign> packaged = ReadBack(package.filePath("Sales.duv"));
    ASSERT_TRUE(packaged);
    for (int id = 1; id <= 4; ++id) {
        SCOPED_TRACE(id);
        const CVolume& volume = *packaged->FindVolume(id);
        for (const CSourcePath* source : {&volume.GetMetaData(), &volume.GetCaseData()}) {
            EXPECT_EQ(source->SourceFilePathFormat, PATH_RELATIVE);
            EXPECT_TRUE(IsPathInFolder(source->SourceString, package.path()));
            EXPECT_TRUE(QFileInfo(source->SourceString).isFile());
        }
    }
    EXPECT_EQ(packaged->FindVolume(1)->GetCaseData().SourceString,
              packaged->FindVolume(1)->GetMetaData().SourceString);
    EXPECT_EQ(QFileInfo(packaged->FindVolume(2)->GetCaseData().SourceString).fileName(),
              "interviews.sss");

    // The open campaign, its file and its state are untouched.
    EXPECT_TRUE(SameDump(StoredDump(campaign), before));
    EXPECT_EQ(FileBytes(file), fileBefore);
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_EQ(m_app.GetCampaignPath(), file);
}

TEST_F(WaveAppPackage, EachPackageGetsAFolderOfItsOwn)
{
    OpenCampaignAt(Path("Sales.duv"));
    Package(Path("out"));
    Package(Path("out"));
    Package(Path("out"));
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"Sales Package", "Sales Package 1", "Sales Package 2"}));
    EXPECT_TRUE(m_windows.OpenedFolders.isEmpty());
}

TEST_F(WaveAppPackage, UnsavedCampaignsAndUnsafeNamesMakeSafeFolders)
{
    m_app.OnFileNew();
    CCampaign& campaign = *m_app.GetCampaign();
    std::unique_ptr<CCampaign> source = MakeCampaign();
    // Names that are no path component: a separator, a control character.
    auto wave = std::make_unique<CWave>(*source->FindWave(1));
    wave->SetName(QStringLiteral("2024/Q1\t../x"));
    campaign.InsertWave(std::move(wave));
    Package(Path("out"));
    EXPECT_TRUE(QFileInfo(Path("out/Untitled01 Package/Untitled01.duv")).isFile());
    EXPECT_TRUE(QFileInfo(Path("out/Untitled01 Package/Wave 1 (2024_Q1_.._x)")).isDir());
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"Untitled01 Package"});
}

TEST_F(WaveAppPackage, FailuresAreShownAndEndTheCommand)
{
    OpenCampaignAt(Path("Sales.duv"));

    // Cancelled: nothing at all.
    m_app.PackageCampaign();
    EXPECT_TRUE(m_windows.Prompts.isEmpty());
    EXPECT_TRUE(m_windows.ProgressCaptions.isEmpty());

    struct SCase
    {
        const char* Name;
        std::function<void()> Arrange;
        QString Folder;
        QString Message;
    };
    const QString missingSource = m_app.GetCampaign()->FindVolume(3)->GetMetaData().SourceString;
    const SCase cases[] = {
        {"chosen folder gone", [] {}, Path("gone"), LoadString(IDS_PACKAGE_PATH_INVALID)},
        {"source missing", [&] { QFile::rename(missingSource, missingSource + ".away"); },
         Path("out"), LoadString(IDS_PACKAGE_COPY_FAILED)},
        {"campaign file not made",
         [&] {
             QFile::rename(missingSource + ".away", missingSource);
             FailStorageAt("CreateDatabase");
         },
         Path("out2"),
         FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {"Error CreateDatabase failed"})},
        {"campaign not saved", [&] { FailStorageAt("Save"); }, Path("out3"),
         FormatString(LoadString(IDS_SAVE_DATABASE_ERROR), {"Error Save failed"})},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Arrange();
        m_windows.Prompts.clear();
        if (c.Folder != Path("gone"))
            QDir().mkpath(c.Folder);
        m_windows.Choices << c.Folder;
        m_app.PackageCampaign();
        EXPECT_EQ(m_windows.Prompts, QStringList{c.Message});
        EXPECT_EQ(m_windows.OpenProgressWindows, 0);
    }
    EXPECT_TRUE(m_windows.OpenedFolders.isEmpty());
}

TEST(PackageFolder, NamesAndTheirLimits)
{
    QTemporaryDir folder;
    unsigned error = 0;
    EXPECT_EQ(MakePackageFolder(folder.filePath("missing"), "Sales", error), QString());
    EXPECT_EQ(error, IDS_PACKAGE_PATH_INVALID);

    // Every number taken: no folder.
    QDir(folder.path()).mkdir("Sales Package");
    for (int n = 1; n <= 999; ++n)
        QDir(folder.path()).mkdir(QStringLiteral("Sales Package %1").arg(n));
    EXPECT_EQ(MakePackageFolder(folder.path(), "Sales", error), QString());
    EXPECT_EQ(error, IDS_PACKAGE_FOLDER_FAILED);
    EXPECT_EQ(MakePackageFolder(folder.path(), "Other", error), folder.filePath("Other Package"));
    EXPECT_EQ(error, 0u);
}

} // namespace
