#include "app/CaptionLibraryFile.h"

#include "TempUserFolders.h"
#include "app/XmlParser.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SameContent(const SCaptionLibraryFile& a, const SCaptionLibraryFile& b)
{
    CXmlParser left;
    BuildCaptionLibraryDocument(left, a);
    CXmlParser right;
    BuildCaptionLibraryDocument(right, b);
    return left.GetXmlText(true) == right.GetXmlText(true);
}

const QString kGroupA = QStringLiteral("6B29FC40-CA47-1067-B31D-00DD010662DA");
const QString kGroupB = QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E");
const QString kLabel1 = QStringLiteral("7C9E6679-7425-40DE-944B-E07FC1F90AE7");
const QString kLabel2 = QStringLiteral("C9BF9E57-1685-4C89-BAFB-FF5AF830BE8A");
const QString kLibrary = QStringLiteral("3F2504E0-4F89-11D3-9A0C-0305E82C3301");
const QString kNoGuid = QStringLiteral("00000000-0000-0000-0000-000000000000");

SCaptionLibraryFile SmallLibrary()
{
    SCaptionLibraryFile content;
    content.Groups.push_back(
        {kGroupA,
         QStringLiteral("Don't know"),
         kLabel1,
         {{kLabel1, QStringLiteral("Don't know")}, {kLabel2, QStringLiteral("DK & <n/a>")}}});
    content.Libraries.push_back({kLibrary,
                                 QStringLiteral("Brand study"),
                                 {{kGroupA, {{kLabel1, true}, {kLabel2, false}}}}});
    return content;
}

} // namespace

TEST(CaptionLibraryFile, WriterProducesTheGoldenBytes)
{
    CTempUserFolders folders;
    const QString path = folders.FilePath(QStringLiteral("library.xml"));
    ASSERT_TRUE(SaveCaptionLibraryFile(path, SmallLibrary()));
    const QByteArray golden =
        ReadBytes(QStringLiteral(PLIM_TEST_DATA_DIR "/xml/caption-library-golden.xml"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(ReadBytes(path), golden);
}

TEST(CaptionLibraryFile, AwkwardTextsSurviveARoundTrip)
{
    CTempUserFolders folders;
    SCaptionLibraryFile content = SmallLibrary();
    content.Groups.push_back(
        {kGroupB,
         QStringLiteral("  \"Quoted\" & <bracketed>\r\nover two lines  "),
         kNoGuid,
         {{kLabel1, QStringLiteral("&lt; typed as it stands, &amp;")},
          {kLabel2, QStringLiteral("Ελληνικά\tрусский\nالعربية 日本語 😀")},
          {QStringLiteral("2C1A6F3E-0000-4000-8000-000000000001"), QString()}}});
    content.Libraries.push_back({QStringLiteral("3F2504E0-4F89-11D3-9A0C-0305E82C3302"),
                                 QStringLiteral("Empty library \u00A0"),
                                 {}});
    content.Libraries.front().Groups.push_back({kGroupB, {{kLabel2, true}}});

    const QString path = folders.FilePath(QStringLiteral("awkward.xml"));
    ASSERT_TRUE(SaveCaptionLibraryFile(path, content));
    SCaptionLibraryFile back;
    ASSERT_TRUE(LoadCaptionLibraryFile(path, back));
    EXPECT_TRUE(SameContent(back, content));
    ASSERT_EQ(back.Groups.size(), 2u);
    EXPECT_EQ(back.Groups[1].Name, content.Groups[1].Name);
    EXPECT_EQ(back.Groups[1].Labels[0].Text, content.Groups[1].Labels[0].Text);
    EXPECT_EQ(back.Groups[1].Labels[1].Text, content.Groups[1].Labels[1].Text);
    EXPECT_EQ(back.Libraries[1].Name, content.Libraries[1].Name);
}

TEST(CaptionLibraryFile, ReadingRules)
{
    CTempUserFolders folders;
    const QString path = folders.FilePath(QStringLiteral("rules.xml"));
    CXmlParser parser;
    ASSERT_TRUE(parser.ParseText(QStringLiteral(
        "<xml><GROUPS>"
        "<group ID=\"g1\"><labels><label ID=\"l1\">one</label><x ID=\"l2\">two</x></labels></group>"
        "<anything><name>Named</name><base_label_id>l2</base_label_id></anything>"
        "</GROUPS><libraries>"
        "<library ID=\"b1\"><other ID=\"skipped\"/><group ID=\"g1\">"
        "<label ID=\"l1\" state=\"1\"/><label ID=\"l2\" state=\"2\"/><label ID=\"l3\"/></group>"
        "<notagroup ID=\"g2\"/></library>"
        "<library><name>No groups</name></library>"
        "</libraries></xml>")));
    ASSERT_TRUE(parser.SaveToFile(path, CXmlParser::XmlFileUtf16));

    SCaptionLibraryFile content;
    ASSERT_TRUE(LoadCaptionLibraryFile(path, content));
    ASSERT_EQ(content.Groups.size(), 2u);
    EXPECT_EQ(content.Groups[0].Name, "(group)");
    EXPECT_EQ(content.Groups[0].Id, "g1");
    EXPECT_TRUE(content.Groups[0].BaseLabelId.isEmpty());
    ASSERT_EQ(content.Groups[0].Labels.size(), 2u);
    EXPECT_EQ(content.Groups[0].Labels[1].Id, "l2");
    EXPECT_EQ(content.Groups[0].Labels[1].Text, "two");
    EXPECT_EQ(content.Groups[1].Name, "Named");
    EXPECT_TRUE(content.Groups[1].Id.isEmpty());
    EXPECT_EQ(content.Groups[1].BaseLabelId, "l2");
    EXPECT_TRUE(content.Groups[1].Labels.empty());

    ASSERT_EQ(content.Libraries.size(), 2u);
    const SCaptionFileLibrary& library = content.Libraries[0];
    EXPECT_EQ(library.Name, "(library)");
    ASSERT_EQ(library.Groups.size(), 2u); // from the first "group" on, whatever the names
    EXPECT_EQ(library.Groups[0].Id, "g1");
    ASSERT_EQ(library.Groups[0].Labels.size(), 3u);
    EXPECT_TRUE(library.Groups[0].Labels[0].Used);
    EXPECT_FALSE(library.Groups[0].Labels[1].Used);
    EXPECT_FALSE(library.Groups[0].Labels[2].Used);
    EXPECT_EQ(library.Groups[1].Id, "g2");
    EXPECT_EQ(content.Libraries[1].Name, "No groups");
    EXPECT_TRUE(content.Libraries[1].Groups.empty());

    // Groups without libraries load and succeed.
    ASSERT_TRUE(parser.ParseText(QStringLiteral("<xml><groups><group ID=\"a\"/></groups></xml>")));
    ASSERT_TRUE(parser.SaveToFile(path, CXmlParser::XmlFileUtf16));
    SCaptionLibraryFile groupsOnly;
    ASSERT_TRUE(LoadCaptionLibraryFile(path, groupsOnly));
    EXPECT_EQ(groupsOnly.Groups.size(), 1u);
    EXPECT_TRUE(groupsOnly.Libraries.empty());

    SCaptionLibraryFile missing;
    EXPECT_FALSE(LoadCaptionLibraryFile(folders.FilePath(QStringLiteral("none.xml")), missing));
}

TEST(CaptionLibraryFile, DefaultFileIsMadeInTheUsersDataFolder)
{
    CTempUserFolders folders;
    const QString expected = QDir(folders.DataFolder()).filePath("Pelko/Plim/CaptionsLibrary.xml");
    EXPECT_EQ(GetDefaultCaptionLibraryPath(), expected);
    // The XML header as UTF-16 little-endian code units, without byte-order mark.
    const QString header = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>");
    const QByteArray headerBytes(reinterpret_cast<const char*>(header.utf16()), 2 * header.size());
    EXPECT_EQ(ReadBytes(expected), headerBytes);

    // Read back it gives nothing, and succeeds.
    SCaptionLibraryFile content;
    EXPECT_TRUE(LoadCaptionLibraryFile(expected, content));
    EXPECT_TRUE(content.Groups.empty());
    EXPECT_TRUE(content.Libraries.empty());

    // An existing file is left as it is.
    ASSERT_TRUE(SaveCaptionLibraryFile(expected, SmallLibrary()));
    const QByteArray saved = ReadBytes(expected);
    EXPECT_EQ(GetDefaultCaptionLibraryPath(), expected);
    EXPECT_EQ(ReadBytes(expected), saved);
}

TEST(CaptionLibraryFile, DefaultFileFailsWhenItsFolderCannotBeMade)
{
    CTempUserFolders folders;
    QFile blocker(QDir(folders.DataFolder()).filePath("Pelko"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(GetDefaultCaptionLibraryPath().isEmpty());
}
