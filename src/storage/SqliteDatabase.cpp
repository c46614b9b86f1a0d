#include "storage/SqliteDatabase.h"

#include <sqlite3.h>

CSqliteError::CSqliteError(int code, const QString& message)
    : std::runtime_error(message.toStdString()), m_code(code), m_message(message)
{
}

CSqliteDatabase::~CSqliteDatabase()
{
    Close();
}

void CSqliteDatabase::Open(const QString& path, EOpenMode mode)
{
    Close();
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw CSqliteError(rc, message);
    }
    sqlite3_extended_result_codes(db, 1);
    // A double-quoted name is always a name: never taken for a text when no column has it.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    m_db = db;
}

void CSqliteDatabase::Close()
{
    if (!m_db)
        return;
    // A transaction still open here was not committed: give it back.
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void CSqliteDatabase::Execute(const QString& sql)
{
    if (!m_db)
        throw CSqliteError(SQLITE_MISUSE, QStringLiteral("the database is not open"));
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message =
            error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        throw CSqliteError(rc, message);
    }
}

bool CSqliteDatabase::IsInTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

QString CSqliteDatabase::GetLastErrorMessage() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

void CSqliteDatabase::Check(int resultCode) const
{
    if (resultCode == SQLITE_OK || resultCode == SQLITE_ROW || resultCode == SQLITE_DONE)
        return;
    throw CSqliteError(resultCode, m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                                        : QString::fromUtf8(sqlite3_errstr(resultCode)));
}
