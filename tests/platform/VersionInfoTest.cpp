#include "platform/VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

SVersionResource Resource(uint32_t type, uint32_t subtype)
{
    SVersionResource resource;
    resource.Fixed.FileVersionMS = 1u << 16 | 2u;
    resource.Fixed.FileVersionLS = 3u << 16 | 4u;
    resource.Fixed.FileType = type;
    resource.Fixed.FileSubtype = subtype;
    resource.Fixed.FileOS = 0x40004;
    resource.Translations.append({0x040c, 0x04b0});
    resource.Strings.insert(QStringLiteral("\\StringFileInfo\\040c04b0\\LegalCopyright"),
                            QStringLiteral("(c) Pelko"));
    resource.Strings.insert(QStringLiteral("\\StringFileInfo\\040c04b0\\CompanyName"),
                            QStringLiteral("Pelko"));
    resource.Strings.insert(QStringLiteral("\\StringFileInfo\\040904b0\\ProductName"),
                            QStringLiteral("other translation"));
    return resource;
}

} // namespace

TEST(VersionInfo, FixedVersionTexts)
{
    CVersionInfo info;
    const SVersionResource resource = Resource(1, 0);
    ASSERT_TRUE(info.Load(QStringLiteral("/nonexistent/plim"), &resource));
    EXPECT_EQ(info.GetMajorVersion(), QStringLiteral("1"));
    EXPECT_EQ(info.GetMinorVersion(), QStringLiteral("2"));
    EXPECT_EQ(info.GetVersionNumber(), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(info.GetFileType(), QStringLiteral("Application"));
    EXPECT_EQ(info.GetOperatingSystem(), QStringLiteral("Win32 API on Windows NT"));
    EXPECT_EQ(info.GetLanguageId(), 0x040c);
    EXPECT_EQ(info.GetCodePage(), 0x04b0);
    // The legal notice is asked for as "LegalCopyRight"; keys ignore case.
    EXPECT_EQ(info.GetLegalCopyright(), QStringLiteral("(c) Pelko"));
    EXPECT_EQ(info.GetCompanyName(), QStringLiteral("Pelko"));
    // Only the first translation's strings are read.
    EXPECT_TRUE(info.GetProductName().isEmpty());
    EXPECT_EQ(info.GetModulePath(), QStringLiteral("/nonexistent/plim"));
    EXPECT_FALSE(info.GetFileTime().isValid());
}

TEST(VersionInfo, TypeAndSystemTexts)
{
    struct Case
    {
        uint32_t type;
        uint32_t subtype;
        const char* text;
    };
    const Case cases[] = {{3, 9, "Sound driver"},
                          {3, 0, "Unknown driver"},
                          {4, 3, "Truetype font"},
                          {6, 0, ""},
                          {3, 10, ""},
                          {2, 0, "Dynamic link library"},
                          {7, 0, "Static link library"}};
    for (const Case& c : cases) {
        CVersionInfo info;
        const SVersionResource resource = Resource(c.type, c.subtype);
        ASSERT_TRUE(info.Load(QStringLiteral("/x"), &resource));
        EXPECT_EQ(info.GetFileType(), QString::fromLatin1(c.text)) << c.type << "/" << c.subtype;
    }
    EXPECT_EQ(CVersionInfo::OperatingSystemText(0x30000, QString()), QStringLiteral("32-bit OS/2"));
    EXPECT_EQ(CVersionInfo::OperatingSystemText(0x99, QStringLiteral("kept")),
              QStringLiteral("kept"));
}

TEST(VersionInfo, NothingToReadFails)
{
    CVersionInfo info;
    EXPECT_FALSE(info.Load(QString(), &ProgramVersionResource()));
    EXPECT_FALSE(info.Load(QStringLiteral("/x"), nullptr));
    EXPECT_TRUE(info.GetVersionNumber().isEmpty());
}

TEST(VersionInfo, TheProgramsOwnVersion)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load());
    EXPECT_EQ(info.GetFileVersion(), QStringLiteral("5,2,3,8"));
    EXPECT_EQ(info.GetVersionNumber(), QStringLiteral("5.2.3.8"));
    EXPECT_EQ(info.GetLanguageId(), 1033);
    EXPECT_FALSE(info.GetProductName().isEmpty());
    EXPECT_FALSE(info.GetLegalCopyright().isEmpty());
    EXPECT_EQ(QFileInfo(info.GetModulePath()).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    EXPECT_TRUE(info.GetFileTime().isValid());
}
