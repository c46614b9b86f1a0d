#pragma once

class CSqliteDatabase;

// A write transaction for the guard's lifetime: begun at construction unless the connection is
// already inside one (then the guard joins the outer transaction and leaves its end to it),
// committed by Commit, rolled back by the destructor when not committed, so that an early
// return or an exception leaves the file as it was.
class CSqliteTransaction
{
public:
    explicit CSqliteTransaction(CSqliteDatabase& database);
    ~CSqliteTransaction();
    CSqliteTransaction(const CSqliteTransaction&) = delete;
    CSqliteTransaction& operator=(const CSqliteTransaction&) = delete;

    // Commits when this guard began the transaction. Throws CSqliteError on failure (the
    // transaction is then rolled back by the destructor).
    void Commit();

private:
    CSqliteDatabase& m_database;
    bool m_owner = false;
    bool m_done = false;
};
