#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class CSqliteDatabase;

// The format of a campaign file: its 13 tables with their columns in order, primary keys,
// indexes and the 10 cascade-delete relations, and the SQL that creates them.
//
// Column kinds keep the names of the original file format. A Long is a 32-bit integer, a
// Boolean 0 or 1, a Date ISO 8601 text (NULL for no date), Text and Memo are texts; no column
// limits the length of a text and every text column accepts the empty text. Index names are
// qualified by their table ("Volumes_Index1"), the primary key is the named constraint
// "<table>_PrimaryKey", and each relation is a foreign key of the second table named after the
// relation, deleting in cascade.

enum class EColumnType
{
    Boolean = 1,
    Long = 4,
    Double = 7,
    Date = 8,
    Text = 10,
    Memo = 12
};

struct SColumnDef
{
    const char* Name;
    EColumnType Type;
    int Size; // characters of a Text column; 0 when none is given
};

struct SIndexDef
{
    const char* Name; // "Index1", "Index2"
    std::vector<const char*> Columns;
};

struct STableDef
{
    const char* Name;
    std::vector<SColumnDef> Columns;
    std::vector<const char*> PrimaryKey; // empty: no key
    std::vector<SIndexDef> Indexes;
};

struct SRelationDef
{
    const char* Name;
    const char* PrimaryTable;
    const char* PrimaryField;
    const char* ForeignTable;
    const char* ForeignField;
};

// The tables in their order of creation.
const std::vector<STableDef>& GetCampaignTables();
// The table of that name; throws CSqliteError for an unknown name.
const STableDef& GetCampaignTable(const char* name);
// The relations in their order of creation.
const std::vector<SRelationDef>& GetCampaignRelations();

// The column's type as declared in the file ("INT", "VARCHAR(50)" ...).
QString DeclaredType(const SColumnDef& column);
// The statements that create the table with its key, its relations to the tables it hangs on
// and its indexes.
QStringList CreateTableStatements(const STableDef& table);
// Creates the table in the database; throws CSqliteError.
void CreateCampaignTable(CSqliteDatabase& database, const STableDef& table);

// A name quoted for SQL ("Order" -> "\"Order\"").
QString QuoteName(const QString& name);
