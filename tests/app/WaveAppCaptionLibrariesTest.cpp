#include "app/WaveApp.h"

#include "TempUserFolders.h"
#include "model/CaptionLibrary.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using pelko_wave::CResponseCaption;
using pelko_wave::CResponseCaptionGroup;
using pelko_wave::CResponseLibrary;

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Two groups with awkward texts and a library that uses some of their captions.
void MakeLibraries(QList<CResponseCaptionGroup*>& groups, QList<CResponseLibrary*>& libraries)
{
    auto* dontKnow = new CResponseCaptionGroup(QStringLiteral("Don't know & <n/a>"));
    CResponseCaption* dk =
        dontKnow->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("DK"), dontKnow));
    CResponseCaption* greek = dontKnow->AddCaption(std::make_unique<CResponseCaption>(
        QStringLiteral("  Δεν ξέρω\r\n\"ne sais pas\"\t&lt;  "), dontKnow));
    dontKnow->SetBaseLabelId(dk->GetGuid());
    groups.append(dontKnow);

    auto* yes = new CResponseCaptionGroup(QStringLiteral("はい / نعم"));
    CResponseCaption* yesCaption =
        yes->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Yes"), yes));
    groups.append(yes);

    auto* library = new CResponseLibrary(QStringLiteral("Brand \"tracker\" 2024"));
    library->AddGroup(dontKnow);
    library->AddGroup(yes);
    library->SetCaptionState(dk, 1);
    library->SetCaptionState(greek, 0);
    library->SetCaptionState(yesCaption, 1);
    libraries.append(library);
    libraries.append(new CResponseLibrary(QStringLiteral("Empty")));
}

class WaveAppCaptionLibraries : public ::testing::Test
{
protected:
    QString DefaultPath() const
    {
        return QDir(m_folders.DataFolder()).filePath("Pelko/Plim/CaptionsLibrary.xml");
    }

    void SetConfiguredPath(const QString& path)
    {
        QSettings profile(m_folders.ProfilePath(), QSettings::NativeFormat);
        profile.setValue(QStringLiteral("EnvironmentSettings/CaptionsLibraryPath"), path);
    }

    QString ConfiguredPath() const
    {
        QSettings profile(m_folders.ProfilePath(), QSettings::NativeFormat);
        return profile.value(QStringLiteral("EnvironmentSettings/CaptionsLibraryPath")).toString();
    }

    // The bytes the application's libraries are written as.
    QByteArray WrittenAs(const CWaveApp& app)
    {
        const QString path = m_folders.FilePath(QStringLiteral("written.xml"));
        EXPECT_TRUE(app.SaveCaptionLibrariesToFile(path));
        return ReadBytes(path);
    }

    CTempUserFolders m_folders;
};

} // namespace

TEST_F(WaveAppCaptionLibraries, FirstStartMakesTheDefaultFileAndLeavesIt)
{
    CWaveApp app;
    app.LoadOptions();
    EXPECT_EQ(app.GetEnvironmentSettings().GetCaptionsLibraryPath(), DefaultPath());
    EXPECT_TRUE(app.GetCaptionGroups().isEmpty());
    EXPECT_TRUE(app.GetCaptionLibraries().isEmpty());
    const QByteArray made = ReadBytes(DefaultPath());
    EXPECT_FALSE(made.isEmpty());

    app.SaveOptionsAtExit();
    EXPECT_EQ(ReadBytes(DefaultPath()), made);
    EXPECT_FALSE(QFile::exists(m_folders.ProfilePath()));
}

TEST_F(WaveAppCaptionLibraries, ChangedLibrariesAreWrittenAtExitAndReadBack)
{
    QByteArray written;
    {
        CWaveApp app;
        app.LoadOptions();
        QList<CResponseCaptionGroup*> groups;
        QList<CResponseLibrary*> libraries;
        MakeLibraries(groups, libraries);
        ASSERT_TRUE(pelko_wave::SetCaptionLibraries(groups, libraries));
        written = WrittenAs(app);
        app.SaveOptionsAtExit();
    }
    EXPECT_EQ(ReadBytes(DefaultPath()), written);

    CWaveApp app;
    app.LoadOptions();
    EXPECT_EQ(WrittenAs(app), written);
    ASSERT_EQ(app.GetCaptionGroups().size(), 2);
    const CResponseCaptionGroup* dontKnow = app.GetCaptionGroups().first();
    EXPECT_EQ(dontKnow->GetName(), "Don't know & <n/a>");
    ASSERT_EQ(dontKnow->GetCaptionCount(), 2);
    EXPECT_EQ(dontKnow->GetCaptionAt(1)->GetText(),
              QStringLiteral("  Δεν ξέρω\r\n\"ne sais pas\"\t&lt;  "));
    EXPECT_EQ(dontKnow->GetBaseLabel(), dontKnow->GetCaptionAt(0));
    ASSERT_EQ(app.GetCaptionLibraries().size(), 2);
    const CResponseLibrary* library = app.GetCaptionLibraries().first();
    EXPECT_EQ(library->GetName(), "Brand \"tracker\" 2024");
    ASSERT_EQ(library->GetGroupCount(), 2);
    EXPECT_EQ(library->GetGroupAt(0), dontKnow);
    EXPECT_EQ(library->GetCaptionState(dontKnow->GetCaptionAt(0)), 1);
    EXPECT_EQ(library->GetCaptionState(dontKnow->GetCaptionAt(1)), 0);
    EXPECT_EQ(app.GetCaptionGroups().at(1)->GetName(), "はい / نعم");
}

TEST_F(WaveAppCaptionLibraries, UnreadableConfiguredFileFallsBackToTheDefaultFile)
{
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    MakeLibraries(groups, libraries);
    QDir().mkpath(QDir(m_folders.DataFolder()).filePath("Pelko/Plim"));
    ASSERT_TRUE(CWaveApp::SaveCaptionLibraries(DefaultPath(), groups, libraries));
    pelko_wave::FreeCaptionLibraries(groups, libraries);
    const QByteArray defaultBytes = ReadBytes(DefaultPath());

    const QString unreachable = m_folders.FilePath(QStringLiteral("share/gone/Captions.xml"));
    SetConfiguredPath(unreachable);

    CWaveApp app;
    app.LoadOptions();
    EXPECT_EQ(app.GetCaptionGroups().size(), 2);
    EXPECT_EQ(app.GetCaptionLibraries().size(), 2);
    EXPECT_EQ(app.GetEnvironmentSettings().GetCaptionsLibraryPath(), DefaultPath());
    app.SaveOptionsAtExit();
    EXPECT_EQ(ReadBytes(DefaultPath()), defaultBytes);
    EXPECT_FALSE(QFile::exists(unreachable));
    // The profile still names the configured file, for the next start.
    EXPECT_EQ(ConfiguredPath(), unreachable);
}

TEST_F(WaveAppCaptionLibraries, AFileThatFailedToLoadIsNeverOverwritten)
{
    // Nesting beyond the reader's limit makes the file fail to load.
    QByteArray damaged("\xFF\xFE", 2);
    for (int i = 0; i < 400; ++i)
        damaged.append("<\0a\0>\0", 6);

    for (const bool configuredIsDefault : {false, true}) {
        const QString path =
            configuredIsDefault ? DefaultPath() : m_folders.FilePath(QStringLiteral("damaged.xml"));
        QDir().mkpath(QDir(m_folders.DataFolder()).filePath("Pelko/Plim"));
        ASSERT_TRUE(WriteBytes(path, damaged));
        SetConfiguredPath(path);

        CWaveApp app;
        app.LoadOptions();
        EXPECT_TRUE(app.GetCaptionGroups().isEmpty());
        EXPECT_EQ(app.GetEnvironmentSettings().GetCaptionsLibraryPath(), DefaultPath());
        EXPECT_TRUE(app.SaveCaptionLibrariesAtExit());
        EXPECT_EQ(ReadBytes(path), damaged) << configuredIsDefault;
    }
}

TEST_F(WaveAppCaptionLibraries, ARunThatChangedNothingLeavesAnotherRunsChanges)
{
    CWaveApp window;
    window.LoadOptions();
    CWaveApp batch; // the application seen by the core from here on
    batch.LoadOptions();

    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    MakeLibraries(groups, libraries);
    ASSERT_TRUE(pelko_wave::SetCaptionLibraries(groups, libraries));
    ASSERT_EQ(batch.GetCaptionGroups().size(), 2);
    batch.SaveOptionsAtExit();
    const QByteArray written = ReadBytes(DefaultPath());

    window.SaveOptionsAtExit();
    EXPECT_EQ(ReadBytes(DefaultPath()), written);
}

TEST_F(WaveAppCaptionLibraries, ImportResolvesReferencesByGuid)
{
    const QString path = m_folders.FilePath(QStringLiteral("import.xml"));
    const QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<xml><groups>"
        "<group ID=\"6B29FC40-CA47-1067-B31D-00DD010662DA\"><name>G</name>"
        "<labels><label ID=\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\">one</label>"
        "<label ID=\"C9BF9E57-1685-4C89-BAFB-FF5AF830BE8A\">two</label></labels></group>"
        "</groups><libraries><library ID=\"3F2504E0-4F89-11D3-9A0C-0305E82C3301\">"
        "<group ID=\"00000000-0000-0000-0000-00000000BEEF\"><label ID=\"x\" state=\"1\"/></group>"
        "<group ID=\"6b29fc40-ca47-1067-b31d-00dd010662da\">"
        "<label ID=\"7c9e6679-7425-40de-944b-e07fc1f90ae7\" state=\"1\"/>"
        "<label ID=\"C9BF9E57-1685-4C89-BAFB-FF5AF830BE8A\" state=\"0\"/>"
        "<label ID=\"FFFFFFFF-1685-4C89-BAFB-FF5AF830BE8A\" state=\"1\"/></group>"
        "<group ID=\"6B29FC40-CA47-1067-B31D-00DD010662DA\"/>"
        "</library></libraries></xml>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), 2 * text.size());
    ASSERT_TRUE(WriteBytes(path, bytes));

    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    ASSERT_TRUE(CWaveApp::LoadCaptionLibraries(path, groups, libraries));
    ASSERT_EQ(groups.size(), 1);
    ASSERT_EQ(libraries.size(), 1);
    const CResponseLibrary* library = libraries.first();
    ASSERT_EQ(library->GetGroupCount(), 1); // the unknown group is dropped, the repeat ignored
    EXPECT_EQ(library->GetGroupAt(0), groups.first());
    EXPECT_EQ(library->GetCaptionState(groups.first()->GetCaptionAt(0)), 1);
    EXPECT_EQ(library->GetCaptionState(groups.first()->GetCaptionAt(1)), 0);
    EXPECT_EQ(library->GetCaptionStateCount(), 2);
    EXPECT_TRUE(groups.first()->GetBaseLabelIdText().startsWith("00000000"));
    pelko_wave::FreeCaptionLibraries(groups, libraries);

    EXPECT_FALSE(CWaveApp::LoadCaptionLibraries(m_folders.FilePath(QStringLiteral("none.xml")),
                                                groups, libraries));
    EXPECT_TRUE(groups.isEmpty());
}
