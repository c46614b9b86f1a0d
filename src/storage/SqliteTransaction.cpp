#include "storage/SqliteTransaction.h"

#include "storage/SqliteDatabase.h"

#include <sqlite3.h>

CSqliteTransaction::CSqliteTransaction(CSqliteDatabase& database) : m_database(database)
{
    if (database.IsInTransaction())
        return;
    // IMMEDIATE takes the write lock now, so that a second writer waits here rather than
    // failing halfway through.
    database.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    m_owner = true;
}

CSqliteTransaction::~CSqliteTransaction()
{
    if (m_owner && !m_done && m_database.IsInTransaction())
        sqlite3_exec(m_database.GetHandle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void CSqliteTransaction::Commit()
{
    if (!m_owner || m_done)
        return;
    m_database.Execute(QStringLiteral("COMMIT"));
    m_done = true;
}
