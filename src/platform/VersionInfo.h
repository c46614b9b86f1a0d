#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <cstdint>

// The thirteen words of a fixed version record, as they stand.
struct SFixedFileInfo
{
    uint32_t Signature = 0;
    uint32_t StrucVersion = 0;
    uint32_t FileVersionMS = 0;
    uint32_t FileVersionLS = 0;
    uint32_t ProductVersionMS = 0;
    uint32_t ProductVersionLS = 0;
    uint32_t FileFlagsMask = 0;
    uint32_t FileFlags = 0;
    uint32_t FileOS = 0;
    uint32_t FileType = 0;
    uint32_t FileSubtype = 0;
    uint32_t FileDateMS = 0;
    uint32_t FileDateLS = 0;
};

// A module's version resource: the fixed record, the translation table (language and code page
// pairs) and the string values by path ("\StringFileInfo\040904b0\CompanyName"; paths compare
// ignoring case).
struct SVersionResource
{
    SFixedFileInfo Fixed;
    QList<QPair<uint16_t, uint16_t>> Translations;
    QMap<QString, QString> Strings;

    // The string at a path, or a null text when there is none.
    QString QueryString(const QString& path) const;
};

// The program's own version resource, made by the build.
const SVersionResource& ProgramVersionResource();

// The version information of the running program: its version resource, texts for its operating
// system and type, and its module file's path and last-write time. The application object
// holds one and fills it once at start-up.
class CVersionInfo
{
public:
    CVersionInfo() = default;
    virtual ~CVersionInfo() = default;

    // Reads the program's own version resource and module file.
    bool Load();
    // Reads the given resource (none: nothing to read) for the module file at the path.
    bool Load(const QString& modulePath, const SVersionResource* resource);

    const QString& GetProductName() const { return m_productName; }
    const QString& GetProductVersion() const { return m_productVersion; }
    // Last write of the module file, local time; invalid when it could not be read.
    const QDateTime& GetFileTime() const { return m_fileTime; }
    const QString& GetLegalCopyright() const { return m_legalCopyright; }
    const QString& GetModulePath() const { return m_modulePath; }
    const QString& GetCompanyName() const { return m_companyName; }
    const QString& GetFileDescription() const { return m_fileDescription; }
    // The file version as the resource's string value ("5,2,3,8").
    const QString& GetFileVersion() const { return m_fileVersion; }
    const QString& GetMajorVersion() const { return m_majorVersion; }
    const QString& GetMinorVersion() const { return m_minorVersion; }
    const QString& GetInternalName() const { return m_internalName; }
    const QString& GetOriginalFileName() const { return m_originalFileName; }
    // The fixed file version as "major.minor.build.revision".
    const QString& GetVersionNumber() const { return m_versionNumber; }
    const QString& GetOperatingSystem() const { return m_operatingSystem; }
    const QString& GetFileType() const { return m_fileType; }
    const SFixedFileInfo& GetFixedFileInfo() const { return m_fixed; }
    // The first translation: a Windows language id (1033 ...) and a code page.
    int GetLanguageId() const { return m_language; }
    int GetCodePage() const { return m_codePage; }

    // The text of an operating-system word; other values leave the text as it was.
    static QString OperatingSystemText(uint32_t os, const QString& unchanged);
    // The text of a type and subtype; other values leave the text as it was.
    static QString FileTypeText(uint32_t type, uint32_t subtype, const QString& unchanged);

private:
    QString m_productName;
    QString m_productVersion;
    QDateTime m_fileTime;
    QString m_legalCopyright;
    QString m_modulePath;
    QString m_companyName;
    QString m_fileDescription;
    QString m_fileVersion;
    QString m_majorVersion;
    QString m_minorVersion;
    QString m_internalName;
    QString m_originalFileName;
    QString m_versionNumber;
    QString m_operatingSystem;
    QString m_fileType;
    SFixedFileInfo m_fixed;
    uint16_t m_language = 0;
    uint16_t m_codePage = 0;
};
