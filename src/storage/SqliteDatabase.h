#pragma once

#include <QString>
#include <stdexcept>

struct sqlite3;

// A small RAII layer over the SQLite C library for the campaign file: a connection, prepared
// statements and transactions. Failures of the engine are thrown as CSqliteError inside the
// storage library; the storage operations catch them and turn them into their error texts, so
// that no exception leaves the library.

// A failure reported by the database engine, with the engine's message.
class CSqliteError : public std::runtime_error
{
public:
    CSqliteError(int code, const QString& message);

    int GetCode() const { return m_code; }
    const QString& GetMessage() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

// One connection to a database file. Closed at construction and after Close; the destructor
// closes it.
class CSqliteDatabase
{
public:
    enum EOpenMode
    {
        ReadOnly,
        ReadWrite,
        Create
    };

    CSqliteDatabase() = default;
    ~CSqliteDatabase();
    CSqliteDatabase(const CSqliteDatabase&) = delete;
    CSqliteDatabase& operator=(const CSqliteDatabase&) = delete;

    // Opens the file. ReadOnly and ReadWrite never create it; Create makes a new file when there
    // is none. Throws CSqliteError (the connection stays closed).
    void Open(const QString& path, EOpenMode mode);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one or more statements that return no rows.
    void Execute(const QString& sql);
    // Whether a transaction is open on the connection.
    bool IsInTransaction() const;

    // The connection's last error message.
    QString GetLastErrorMessage() const;
    // Throws the connection's last error when the result code is a failure.
    void Check(int resultCode) const;

    sqlite3* GetHandle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};
