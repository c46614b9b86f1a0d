#include "platform/VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// "5,2,3,8" (or "5.2.3.8") as the two words of a fixed version.
void ParseVersionWords(const QString& text, uint32_t& high, uint32_t& low)
{
    const QStringList parts = QString(text).replace(u',', u'.').split(u'.');
    uint32_t numbers[4] = {};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        numbers[i] = parts[i].trimmed().toUInt() & 0xFFFF;
    high = numbers[0] << 16 | numbers[1];
    low = numbers[2] << 16 | numbers[3];
}

SVersionResource MakeProgramVersionResource()
{
    SVersionResource resource;
    SFixedFileInfo& fixed = resource.Fixed;
    fixed.Signature = 0xFEEF04BD;
    fixed.StrucVersion = 0x00010000;
    ParseVersionWords(QStringLiteral(PLIM_FILE_VERSION), fixed.FileVersionMS, fixed.FileVersionLS);
    ParseVersionWords(QStringLiteral(PLIM_PRODUCT_VERSION), fixed.ProductVersionMS,
                      fixed.ProductVersionLS);
    fixed.FileFlagsMask = 0x3F;
    fixed.FileOS = 0;   // no operating system of the table: this is not a Windows build
    fixed.FileType = 1; // an application

    const uint16_t language = PLIM_LANGUAGE_ID;
    const uint16_t codePage = PLIM_CODE_PAGE;
    resource.Translations.append({language, codePage});
    const QString block = QStringLiteral("\\StringFileInfo\\%1%2\\")
                              .arg(language, 4, 16, QLatin1Char('0'))
                              .arg(codePage, 4, 16, QLatin1Char('0'));
    const QPair<const char*, const char*> strings[] = {
        {"CompanyName", PLIM_COMPANY_NAME},
        {"LegalCopyright", PLIM_LEGAL_COPYRIGHT},
        {"ProductName", PLIM_PRODUCT_NAME},
        {"ProductVersion", PLIM_PRODUCT_VERSION},
        {"OriginalFilename", PLIM_ORIGINAL_FILE_NAME},
        {"FileDescription", PLIM_FILE_DESCRIPTION},
        {"FileVersion", PLIM_FILE_VERSION},
        {"InternalName", PLIM_INTERNAL_NAME},
    };
    for (const auto& [key, value] : strings)
        resource.Strings.insert(block + QLatin1String(key), QString::fromUtf8(value));
    return resource;
}

// The module file of the running program.
QString RunningModulePath()
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    QString path = self.symLinkTarget();
    if (path.isEmpty() && QCoreApplication::instance())
        path = QCoreApplication::applicationFilePath();
    return path;
}

} // namespace

QString SVersionResource::QueryString(const QString& path) const
{
    for (auto it = Strings.begin(); it != Strings.end(); ++it) {
        if (it.key().compare(path, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QString();
}

const SVersionResource& ProgramVersionResource()
{
    static const SVersionResource resource = MakeProgramVersionResource();
    return resource;
}

bool CVersionInfo::Load()
{
    return Load(RunningModulePath(), &ProgramVersionResource());
}

bool CVersionInfo::Load(const QString& modulePath, const SVersionResource* resource)
{
    if (modulePath.isEmpty())
        return false;
    m_modulePath = modulePath;
    if (!resource)
        return false;
    m_fixed = resource->Fixed;

    // A resource without a translation table reads its strings under language and code page 0.
    if (!resource->Translations.isEmpty()) {
        m_language = resource->Translations.first().first;
        m_codePage = resource->Translations.first().second;
    }
    const QString block = QStringLiteral("\\StringFileInfo\\%1%2\\")
                              .arg(m_language, 4, 16, QLatin1Char('0'))
                              .arg(m_codePage, 4, 16, QLatin1Char('0'));
    const auto read = [&](const char* key) { return resource->QueryString(block + key); };
    m_companyName = read("CompanyName");
    m_legalCopyright = read("LegalCopyRight");
    m_productName = read("ProductName");
    m_productVersion = read("ProductVersion");
    m_originalFileName = read("OriginalFileName");
    m_fileDescription = read("FileDescription");
    m_fileVersion = read("FileVersion");
    m_internalName = read("InternalName");

    m_majorVersion = QString::number(m_fixed.FileVersionMS >> 16);
    m_minorVersion = QString::number(m_fixed.FileVersionMS & 0xFFFF);
    m_versionNumber = QStringLiteral("%1.%2.%3.%4")
                          .arg(m_fixed.FileVersionMS >> 16)
                          .arg(m_fixed.FileVersionMS & 0xFFFF)
                          .arg(m_fixed.FileVersionLS >> 16)
                          .arg(m_fixed.FileVersionLS & 0xFFFF);
    m_fileType = FileTypeText(m_fixed.FileType, m_fixed.FileSubtype, m_fileType);
    m_operatingSystem = OperatingSystemText(m_fixed.FileOS, m_operatingSystem);

    // The file time is best effort: a module that cannot be read keeps the time it had.
    const QFileInfo module(m_modulePath);
    if (module.exists() && module.isReadable())
        m_fileTime = module.lastModified().toLocalTime();
    return true;
}

QString CVersionInfo::OperatingSystemText(uint32_t os, const QString& unchanged)
{
    switch (os) {
    case 0x00000:
        return QStringLiteral("Unknown OS");
    case 0x10000:
        return QStringLiteral("MS-DOS");
    case 0x10001:
        return QStringLiteral("16-bit windows running on MS-DOS");
    case 0x10004:
        return QStringLiteral("Win32 API running on MS-DOS");
    case 0x20000:
        return QStringLiteral("16-bit OS/2");
    case 0x20002:
        return QStringLiteral("16-bit Presentation manager running on 16-bit OS/2");
    case 0x30000:
        return QStringLiteral("32-bit OS/2");
    case 0x40000:
        return QStringLiteral("Windows NT");
    case 0x40004:
        return QStringLiteral("Win32 API on Windows NT");
    default:
        return unchanged;
    }
}

QString CVersionInfo::FileTypeText(uint32_t type, uint32_t subtype, const QString& unchanged)
{
    static const char* const kDrivers[] = {
        "Unknown driver",     "Printer driver", "Keyboard driver", "Language driver",
        "Display driver",     "Mouse driver",   "Network driver",  "System driver",
        "Installable driver", "Sound driver"};
    static const char* const kFonts[] = {"Unknown font", "Raster font", "Vector font",
                                         "Truetype font"};
    switch (type) {
    case 0:
        return QStringLiteral("Unknown type");
    case 1:
        return QStringLiteral("Application");
    case 2:
        return QStringLiteral("Dynamic link library");
    case 3:
        return subtype < std::size(kDrivers) ? QString::fromLatin1(kDrivers[subtype]) : unchanged;
    case 4:
        return subtype < std::size(kFonts) ? QString::fromLatin1(kFonts[subtype]) : unchanged;
    case 5:
        return QStringLiteral("Virtual device");
    case 7:
        return QStringLiteral("Static link library");
    default:
        return unchanged;
    }
}
