#pragma once

#include "storage/CampaignSchema.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CSqliteDatabase;
class CSqliteStatement;

// Moves the members of a row class to and from the columns of its table, one call per column in
// the table's order. The same DoFieldExchange describes the bound columns, loads a row read from
// the file and binds a row to be written.
class CFieldExchange
{
public:
    enum EOperation
    {
        Describe,
        Load,
        Store,
        KeyText
    };

    void Long(const char* column, int& value);
    // A Long that may be NULL (no value).
    void Long(const char* column, std::optional<int>& value);
    void Bool(const char* column, int& value);
    void Double(const char* column, double& value);
    // A null date is NULL in the file.
    void Date(const char* column, QDateTime& value);
    void Text(const char* column, QString& value);

private:
    friend class CRecordset;
    CFieldExchange(EOperation operation, const STableDef& table)
        : m_operation(operation), m_table(table)
    {
    }
    // The next column: its position (Load and Store) and whether this operation reads it.
    int Next(const char* column);
    bool IsKey(const char* column) const;
    // The Long of a column of the row read; std::nullopt for NULL.
    std::optional<int> LoadLong(const char* column, int statementColumn) const;
    // The number of a column of the row read; 0 for NULL.
    double LoadNumber(const char* column, int statementColumn, const QString& what) const;
    [[noreturn]] void BadValue(const char* column, const QString& what) const;

    EOperation m_operation;
    const STableDef& m_table;
    int m_index = 0;
    CSqliteStatement* m_statement = nullptr;
    qint64 m_rowId = 0;
    std::vector<const char*>* m_names = nullptr;
    QStringList* m_keyTexts = nullptr;
};

// Base of the row classes: one object reads the rows of its table into its members or writes
// its members as a row. The statements are prepared on first use and kept until Close or the
// object's end. Failures throw CSqliteError.
class CRecordset
{
public:
    CRecordset(CSqliteDatabase& database, const char* tableName);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // The table's name in brackets ("[Waves]").
    QString GetDefaultSQL() const;
    const STableDef& GetTableDef() const { return m_table; }
    // Binds every column, in the table's order, to its member.
    virtual void DoFieldExchange(CFieldExchange& fx) = 0;
    // The number of bound columns.
    int GetFieldCount();

    // Reading. Open prepares "SELECT rowid, <bound columns> FROM <table> <clauses>"; the clauses
    // may hold parameters (?1 ...), set with SetParameter, which starts the reading again.
    void Open(const QString& clauses = QString());
    void SetParameter(int index, int value);
    // Loads the next row into the members; false after the last row.
    bool MoveNext();
    // The row id of the row last loaded: the rows of a table were added in row-id order.
    qint64 GetRowId() const { return m_rowId; }
    void Close();

    // Writing. AddOrUpdate adds the members as a row, or, when a row with the same primary key
    // exists, sets its other columns (a row whose values are all the same is not touched).
    void AddOrUpdate();
    // Adds the members as a row.
    void AddNew();
    // Sets the bound columns of the row with that row id.
    void Update(qint64 rowId);
    // Deletes every row whose primary key (Long columns, in key order) the predicate calls
    // removed; the deletion cascades along the file's relations. Returns the rows deleted.
    int DeleteRows(const std::function<bool(const std::vector<int>& key)>& isRemoved);

protected:
    CSqliteDatabase& m_database;

private:
    const std::vector<const char*>& BoundColumns();
    void Bind(CSqliteStatement& statement);
    void RunWrite(CSqliteStatement& statement);
    QString ColumnList() const;

    const STableDef& m_table;
    std::vector<const char*> m_columns;
    bool m_described = false;
    std::unique_ptr<CSqliteStatement> m_select;
    std::unique_ptr<CSqliteStatement> m_upsert;
    std::unique_ptr<CSqliteStatement> m_insert;
    std::unique_ptr<CSqliteStatement> m_update;
    qint64 m_rowId = 0;
};
