#include "storage/DBAccessDAO.h"

#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/CampaignRecordsets.h"
#include "storage/SqliteStatement.h"
#include "storage/SqliteTransaction.h"

#include <QFile>
#include <QSet>
#include <sqlite3.h>

namespace {

// How long an operation waits for another program's write to end before it fails.
constexpr int kBusyTimeoutMs = 5000;
// The page cache of a connection (KiB): a large save stays in memory until it commits.
constexpr int kCacheKiB = 32768;

} // namespace

CDBAccessDAO::CDBAccessDAO() = default;

bool CDBAccessDAO::IsDatabaseFile(const QString& path)
{
    static constexpr char kHeader[] = "SQLite format 3"; // followed by a nul byte
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(sizeof kHeader) == QByteArray(kHeader, sizeof kHeader);
}

CDBAccessDAO::~CDBAccessDAO()
{
    m_database.Close();
}

bool CDBAccessDAO::Guarded(const char* operation, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const SNestedFailure&) {
        // The nested operation has set the error text.
    } catch (const CSqliteError& error) {
        m_errorText = FormatString(LoadString(IDS_DB_ERROR), {error.GetMessage()});
    } catch (...) {
        SetOperationError(operation);
    }
    return false;
}

void CDBAccessDAO::SetOperationError(const char* operation)
{
    m_errorText = FormatString(LoadString(IDS_DB_OPERATION_ERROR),
                               {QStringLiteral("CDBAccessDAO::") + QLatin1String(operation)});
}

bool CDBAccessDAO::RunRead(const char* operation, const std::function<void()>& work)
{
    if (!Open())
        return false;
    return Guarded(operation, work);
}

bool CDBAccessDAO::RunWrite(const char* operation, const std::function<void()>& work)
{
    if (!Open())
        return false;
    return Guarded(operation, [&] {
        CSqliteTransaction transaction(m_database);
        work();
        transaction.Commit();
    });
}

void CDBAccessDAO::ConfigureConnection()
{
    sqlite3_busy_timeout(m_database.GetHandle(), kBusyTimeoutMs);
    m_database.Execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    m_database.Execute(QStringLiteral("PRAGMA synchronous = FULL"));
    m_database.Execute(QStringLiteral("PRAGMA cache_size = -%1").arg(kCacheKiB));
}

void CDBAccessDAO::CheckCampaignTables()
{
    // Reading the schema is the first read of the file: a file that is not a database fails
    // here ("file is not a database").
    QSet<QString> present;
    CSqliteStatement tables(m_database,
                            QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'"));
    while (tables.Step())
        present.insert(tables.ColumnText(0).toLower());
    for (const STableDef& table : GetCampaignTables()) {
        if (!present.contains(QString::fromLatin1(table.Name).toLower()))
            throw CSqliteError(SQLITE_CORRUPT,
                               QStringLiteral("no such table: %1 (the file is not a "
                                              "campaign file)")
                                   .arg(QLatin1String(table.Name)));
    }
}

bool CDBAccessDAO::Open()
{
    if (m_database.IsOpen())
        return true;
    if (GetFilePath().isEmpty())
        return false;
    ClearWarnings();
    return Guarded("Open", [this] {
        m_database.Open(GetFilePath(),
                        m_readOnly ? CSqliteDatabase::ReadOnly : CSqliteDatabase::ReadWrite);
        try {
            ConfigureConnection();
            CheckCampaignTables();
        } catch (...) {
            m_database.Close();
            throw;
        }
    });
}

bool CDBAccessDAO::Close()
{
    return Guarded("Close", [this] { m_database.Close(); });
}

bool CDBAccessDAO::CreateDatabase()
{
    // A new file is of the current version.
    m_upgradeVersion.clear();
    return Guarded("CreateDatabase", [this] {
        m_database.Close();
        const QString path = GetFilePath();
        // The old file goes, and with it any journal of its own, which must never be applied
        // to the new file.
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            QFile file(path + QLatin1String(suffix));
            if (file.exists() && !file.remove())
                throw CSqliteError(SQLITE_CANTOPEN, file.errorString());
        }
        m_database.Open(path, CSqliteDatabase::Create);
        try {
            ConfigureConnection();
            m_database.Execute(QStringLiteral("PRAGMA encoding = 'UTF-8'"));
            m_database.Execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
            CSqliteTransaction transaction(m_database);
            using CreateTable = bool (*)(CSqliteDatabase&);
            for (const CreateTable create :
                 {&CCampaignsRS::CreateTable, &CWavesRS::CreateTable, &CVolumesRS::CreateTable,
                  &CQuestionsRS::CreateTable, &CQuestionMatchingsRS::CreateTable,
                  &CQuestionClassesRS::CreateTable, &CQuestionCaptionsRS::CreateTable,
                  &CModalitiesRS::CreateTable, &CModalityMatchingsRS::CreateTable,
                  &CModalityCaptionsRS::CreateTable, &CLanguagesRS::CreateTable,
                  &CVersionsRS::CreateTable, &CModalityMergingsRS::CreateTable}) {
                if (!create(m_database))
                    throw CSqliteError(SQLITE_ERROR, m_database.GetLastErrorMessage());
            }
            transaction.Commit();
        } catch (...) {
            m_database.Close();
            throw;
        }
    });
}
