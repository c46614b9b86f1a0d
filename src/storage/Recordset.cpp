#include "storage/Recordset.h"

#include "storage/SqliteDatabase.h"
#include "storage/SqliteStatement.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace {

QString Column(const char* name)
{
    return QuoteName(QLatin1String(name));
}

bool IsKeyColumn(const STableDef& table, const char* column)
{
    for (const char* key : table.PrimaryKey) {
        if (qstrcmp(key, column) == 0)
            return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CFieldExchange. Column 0 of a reading statement is the row id: the bound columns follow.

int CFieldExchange::Next(const char* column)
{
    if (m_operation == Describe)
        m_names->push_back(column);
    return m_index++;
}

bool CFieldExchange::IsKey(const char* column) const
{
    return IsKeyColumn(m_table, column);
}

void CFieldExchange::BadValue(const char* column, const QString& what) const
{
    throw CSqliteError(SQLITE_MISMATCH,
                       QStringLiteral("%1.%2 of row %3 holds a value that is not %4")
                           .arg(QLatin1String(m_table.Name), QLatin1String(column))
                           .arg(m_rowId)
                           .arg(what));
}

void CFieldExchange::Long(const char* column, int& value)
{
    std::optional<int> optional = value;
    Long(column, optional);
    if (m_operation == Load)
        value = optional.value_or(0);
}

void CFieldExchange::Long(const char* column, std::optional<int>& value)
{
    const int index = Next(column);
    switch (m_operation) {
    case Describe:
        break;
    case Load:
        value = LoadLong(column, index + 1);
        break;
    case Store:
        if (value)
            m_statement->BindInt(index, *value);
        else
            m_statement->BindNull(index);
        break;
    case KeyText:
        if (IsKey(column))
            m_keyTexts->append(QLatin1String(column) + QLatin1Char('=') +
                               (value ? QString::number(*value) : QStringLiteral("NULL")));
        break;
    }
}

std::optional<int> CFieldExchange::LoadLong(const char* column, int c) const
{
    constexpr qint64 lowest = std::numeric_limits<int>::min();
    constexpr qint64 highest = std::numeric_limits<int>::max();
    switch (m_statement->GetColumnType(c)) {
    case CSqliteStatement::Null:
        return std::nullopt;
    case CSqliteStatement::Integer: {
        const qint64 number = m_statement->ColumnInt64(c);
        if (number >= lowest && number <= highest)
            return int(number);
        break;
    }
    case CSqliteStatement::Float: {
        const double number = m_statement->ColumnDouble(c);
        if (number == std::floor(number) && number >= double(lowest) && number <= double(highest))
            return int(number);
        break;
    }
    default:
        break;
    }
    BadValue(column, QStringLiteral("a 32-bit integer"));
}

double CFieldExchange::LoadNumber(const char* column, int c, const QString& what) const
{
    switch (m_statement->GetColumnType(c)) {
    case CSqliteStatement::Null:
        return 0.0;
    case CSqliteStatement::Integer:
    case CSqliteStatement::Float:
        return m_statement->ColumnDouble(c);
    default:
        BadValue(column, what);
    }
}

void CFieldExchange::Bool(const char* column, int& value)
{
    const int index = Next(column);
    if (m_operation == Load)
        value = LoadNumber(column, index + 1, QStringLiteral("a flag")) != 0.0 ? 1 : 0;
    else if (m_operation == Store)
        m_statement->BindInt(index, value != 0 ? 1 : 0);
}

void CFieldExchange::Double(const char* column, double& value)
{
    const int index = Next(column);
    if (m_operation == Load)
        value = LoadNumber(column, index + 1, QStringLiteral("a number"));
    else if (m_operation == Store)
        m_statement->BindDouble(index, value);
}

void CFieldExchange::Date(const char* column, QDateTime& value)
{
    const int index = Next(column);
    switch (m_operation) {
    case Load: {
        const int c = index + 1;
        switch (m_statement->GetColumnType(c)) {
        case CSqliteStatement::Null:
            value = QDateTime();
            break;
        case CSqliteStatement::Text:
            value = QDateTime::fromString(m_statement->ColumnText(c), Qt::ISODateWithMs);
            if (!value.isValid())
                BadValue(column, QStringLiteral("a date"));
            break;
        default:
            BadValue(column, QStringLiteral("a date"));
        }
        break;
    }
    case Store:
        if (value.isValid())
            m_statement->BindTextCopy(index, value.toString(Qt::ISODateWithMs));
        else
            m_statement->BindNull(index);
        break;
    default:
        break;
    }
}

void CFieldExchange::Text(const char* column, QString& value)
{
    const int index = Next(column);
    switch (m_operation) {
    case Load: {
        const int c = index + 1;
        switch (m_statement->GetColumnType(c)) {
        case CSqliteStatement::Null:
            value.clear();
            break;
        case CSqliteStatement::Blob:
            BadValue(column, QStringLiteral("a text"));
        default:
            // Numbers stored in a text column read as their text.
            value = m_statement->ColumnText(c);
        }
        break;
    }
    case Store:
        m_statement->BindText(index, value);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// CRecordset

CRecordset::CRecordset(CSqliteDatabase& database, const char* tableName)
    : m_database(database), m_table(GetCampaignTable(tableName))
{
}

CRecordset::~CRecordset() = default;

QString CRecordset::GetDefaultSQL() const
{
    return QLatin1Char('[') + QLatin1String(m_table.Name) + QLatin1Char(']');
}

const std::vector<const char*>& CRecordset::BoundColumns()
{
    if (!m_described) {
        CFieldExchange fx(CFieldExchange::Describe, m_table);
        fx.m_names = &m_columns;
        DoFieldExchange(fx);
        m_described = true;
    }
    return m_columns;
}

int CRecordset::GetFieldCount()
{
    return int(BoundColumns().size());
}

QString CRecordset::ColumnList() const
{
    QStringList names;
    for (const char* name : m_columns)
        names.append(Column(name));
    return names.join(QStringLiteral(", "));
}

void CRecordset::Open(const QString& clauses)
{
    BoundColumns();
    m_select = std::make_unique<CSqliteStatement>(
        m_database, QStringLiteral("SELECT rowid, %1 FROM %2 %3")
                        .arg(ColumnList(), Column(m_table.Name), clauses));
}

void CRecordset::SetParameter(int index, int value)
{
    m_select->Reset();
    m_select->BindInt(index, value);
}

bool CRecordset::MoveNext()
{
    if (!m_select->Step()) {
        m_select->Reset();
        return false;
    }
    m_rowId = m_select->ColumnInt64(0);
    CFieldExchange fx(CFieldExchange::Load, m_table);
    fx.m_statement = m_select.get();
    fx.m_rowId = m_rowId;
    DoFieldExchange(fx);
    return true;
}

void CRecordset::Close()
{
    m_select.reset();
    m_upsert.reset();
    m_insert.reset();
    m_update.reset();
}

void CRecordset::Bind(CSqliteStatement& statement)
{
    CFieldExchange fx(CFieldExchange::Store, m_table);
    fx.m_statement = &statement;
    DoFieldExchange(fx);
}

void CRecordset::RunWrite(CSqliteStatement& statement)
{
    Bind(statement);
    try {
        statement.Run();
    } catch (const CSqliteError& error) {
        // Name the row that the file refused.
        QStringList keys;
        CFieldExchange fx(CFieldExchange::KeyText, m_table);
        fx.m_keyTexts = &keys;
        DoFieldExchange(fx);
        QString where = QLatin1String(m_table.Name);
        if (!keys.isEmpty())
            where += QLatin1Char(' ') + keys.join(QStringLiteral(", "));
        throw CSqliteError(error.GetCode(),
                           error.GetMessage() + QStringLiteral(" (") + where + QLatin1Char(')'));
    }
}

void CRecordset::AddOrUpdate()
{
    if (!m_upsert) {
        const auto& columns = BoundColumns();
        QStringList parameters, keys, sets, targets, sources;
        for (size_t i = 0; i < columns.size(); ++i) {
            parameters.append(QLatin1Char('?') + QString::number(i + 1));
            if (IsKeyColumn(m_table, columns[i]))
                continue;
            const QString name = Column(columns[i]);
            sets.append(name + QStringLiteral(" = excluded.") + name);
            targets.append(Column(m_table.Name) + QLatin1Char('.') + name);
            sources.append(QStringLiteral("excluded.") + name);
        }
        for (const char* key : m_table.PrimaryKey)
            keys.append(Column(key));
        QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO ")
                          .arg(Column(m_table.Name), ColumnList(),
                               parameters.join(QLatin1Char(',')), keys.join(QStringLiteral(", ")));
        if (sets.isEmpty()) {
            sql += QStringLiteral("NOTHING");
        } else {
            // Rows whose values are all the same are left alone, so that saving an unchanged
            // campaign writes nothing.
            sql += QStringLiteral("UPDATE SET %1 WHERE (%2) IS NOT (%3)")
                       .arg(sets.join(QStringLiteral(", ")), targets.join(QStringLiteral(", ")),
                            sources.join(QStringLiteral(", ")));
        }
        m_upsert = std::make_unique<CSqliteStatement>(m_database, sql);
    }
    RunWrite(*m_upsert);
}

void CRecordset::AddNew()
{
    if (!m_insert) {
        const auto& columns = BoundColumns();
        QStringList parameters;
        for (size_t i = 0; i < columns.size(); ++i)
            parameters.append(QLatin1Char('?') + QString::number(i + 1));
        m_insert = std::make_unique<CSqliteStatement>(
            m_database,
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(Column(m_table.Name), ColumnList(), parameters.join(QLatin1Char(','))));
    }
    RunWrite(*m_insert);
}

void CRecordset::Update(qint64 rowId)
{
    const auto& columns = BoundColumns();
    if (!m_update) {
        QStringList sets, targets, values;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString parameter = QLatin1Char('?') + QString::number(i + 1);
            sets.append(Column(columns[i]) + QStringLiteral(" = ") + parameter);
            targets.append(Column(columns[i]));
            values.append(parameter);
        }
        // A row whose values are all the same is left alone.
        m_update = std::make_unique<CSqliteStatement>(
            m_database,
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3 AND (%4) IS NOT (%5)")
                .arg(Column(m_table.Name), sets.join(QStringLiteral(", ")))
                .arg(columns.size() + 1)
                .arg(targets.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
    }
    m_update->BindInt64(int(columns.size()), rowId);
    RunWrite(*m_update);
}

int CRecordset::DeleteRows(const std::function<bool(const std::vector<int>& key)>& isRemoved)
{
    QStringList keys;
    for (const char* key : m_table.PrimaryKey)
        keys.append(Column(key));
    std::vector<qint64> removed;
    {
        CSqliteStatement scan(m_database,
                              QStringLiteral("SELECT rowid, %1 FROM %2")
                                  .arg(keys.join(QStringLiteral(", ")), Column(m_table.Name)));
        std::vector<int> key(m_table.PrimaryKey.size());
        while (scan.Step()) {
            for (size_t i = 0; i < key.size(); ++i)
                key[i] = scan.ColumnInt(int(i) + 1);
            if (isRemoved(key))
                removed.push_back(scan.ColumnInt64(0));
        }
    }
    if (removed.empty())
        return 0;
    CSqliteStatement deletion(
        m_database, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(Column(m_table.Name)));
    for (const qint64 rowId : removed) {
        deletion.BindInt64(0, rowId);
        deletion.Run();
    }
    return int(removed.size());
}
