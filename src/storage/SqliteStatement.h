#pragma once

#include <QString>

class CSqliteDatabase;
struct sqlite3_stmt;

// One prepared statement of a connection, finalized by the destructor. Parameters and columns
// are numbered from 0. Failures throw CSqliteError.
class CSqliteStatement
{
public:
    enum EColumnType
    {
        Integer = 1,
        Float = 2,
        Text = 3,
        Blob = 4,
        Null = 5
    };

    CSqliteStatement(CSqliteDatabase& database, const QString& sql);
    ~CSqliteStatement();
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    // Bound values stay until the next bind or Reset. A bound text is copied by the engine only
    // when the statement steps, so it must live until then.
    void BindInt(int index, int value);
    void BindInt64(int index, qint64 value);
    void BindDouble(int index, double value);
    void BindText(int index, const QString& value);
    // The same for a text that does not live until the statement steps: the engine copies it.
    void BindTextCopy(int index, const QString& value);
    void BindNull(int index);

    // Steps once: true when a row is there to read, false when the statement has finished.
    bool Step();
    // Steps to the end (a statement that returns no rows) and makes it ready to run again.
    void Run();
    // Makes the statement ready to run again; the bound values stay.
    void Reset();

    EColumnType GetColumnType(int index) const;
    int ColumnInt(int index) const;
    qint64 ColumnInt64(int index) const;
    double ColumnDouble(int index) const;
    QString ColumnText(int index) const;

    const CSqliteDatabase& GetDatabase() const { return m_database; }

private:
    CSqliteDatabase& m_database;
    sqlite3_stmt* m_statement = nullptr;
};
