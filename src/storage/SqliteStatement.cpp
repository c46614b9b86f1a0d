#include "storage/SqliteStatement.h"

#include "storage/SqliteDatabase.h"

#include <sqlite3.h>

CSqliteStatement::CSqliteStatement(CSqliteDatabase& database, const QString& sql)
    : m_database(database)
{
    if (!database.IsOpen())
        throw CSqliteError(SQLITE_MISUSE, QStringLiteral("the database is not open"));
    const QByteArray text = sql.toUtf8();
    database.Check(sqlite3_prepare_v3(database.GetHandle(), text.constData(), int(text.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr));
}

CSqliteStatement::~CSqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void CSqliteStatement::BindInt(int index, int value)
{
    m_database.Check(sqlite3_bind_int(m_statement, index + 1, value));
}

void CSqliteStatement::BindInt64(int index, qint64 value)
{
    m_database.Check(sqlite3_bind_int64(m_statement, index + 1, value));
}

void CSqliteStatement::BindDouble(int index, double value)
{
    m_database.Check(sqlite3_bind_double(m_statement, index + 1, value));
}

void CSqliteStatement::BindText(int index, const QString& value)
{
    // The engine converts the text when it steps; the caller keeps the text alive until then.
    m_database.Check(sqlite3_bind_text16(m_statement, index + 1,
                                         value.isNull() ? static_cast<const void*>(u"")
                                                        : static_cast<const void*>(value.utf16()),
                                         int(value.size() * sizeof(char16_t)), SQLITE_STATIC));
}

void CSqliteStatement::BindTextCopy(int index, const QString& value)
{
    m_database.Check(sqlite3_bind_text16(m_statement, index + 1,
                                         value.isNull() ? static_cast<const void*>(u"")
                                                        : static_cast<const void*>(value.utf16()),
                                         int(value.size() * sizeof(char16_t)), SQLITE_TRANSIENT));
}

void CSqliteStatement::BindNull(int index)
{
    m_database.Check(sqlite3_bind_null(m_statement, index + 1));
}

bool CSqliteStatement::Step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The statement's own error; resetting it keeps the connection usable.
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_database.GetHandle()));
    sqlite3_reset(m_statement);
    throw CSqliteError(rc, message);
}

void CSqliteStatement::Run()
{
    while (Step()) {
    }
    sqlite3_reset(m_statement);
}

void CSqliteStatement::Reset()
{
    sqlite3_reset(m_statement);
}

CSqliteStatement::EColumnType CSqliteStatement::GetColumnType(int index) const
{
    return static_cast<EColumnType>(sqlite3_column_type(m_statement, index));
}

int CSqliteStatement::ColumnInt(int index) const
{
    return sqlite3_column_int(m_statement, index);
}

qint64 CSqliteStatement::ColumnInt64(int index) const
{
    return sqlite3_column_int64(m_statement, index);
}

double CSqliteStatement::ColumnDouble(int index) const
{
    return sqlite3_column_double(m_statement, index);
}

QString CSqliteStatement::ColumnText(int index) const
{
    // The file's own encoding, decoded once.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    if (!text)
        return QString();
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, index));
}
