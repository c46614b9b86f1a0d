#include "storage/DBAccessDAO.h"

#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "storage/CampaignSchema.h"
#include "storage/PlimVersionUtils.h"
#include "storage/SqliteStatement.h"
#include "storage/SqliteTransaction.h"

#include <QStringList>

using namespace pelko_wave;

namespace {

// Files written before empty Versions texts were allowed refuse them through triggers named
// "<table>_<column>_NotZeroLength..." (one for adding a row, one for changing it).
QString ZeroLengthTriggerPrefix(const QString& table, const QString& column)
{
    return table + QLatin1Char('_') + column + QLatin1String("_NotZeroLength");
}

} // namespace

bool CDBAccessDAO::FieldExists(const QString& table, const QString& column)
{
    CSqliteStatement columns(m_database, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    columns.BindText(0, table);
    while (columns.Step()) {
        if (columns.ColumnText(0).compare(column, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool CDBAccessDAO::AddFieldIfMissing(const QString& table, const QString& column, int type,
                                     int size)
{
    if (FieldExists(table, column))
        return false;
    // Appended after the table's last column; texts accept the empty text.
    const SColumnDef definition{nullptr, static_cast<EColumnType>(type), size};
    m_database.Execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                           .arg(QuoteName(table), QuoteName(column), DeclaredType(definition)));
    return true;
}

void CDBAccessDAO::SetColumnValueForAll(const QString& table, const QStringList& pairs)
{
    QString sql = FormatString(QStringLiteral("UPDATE %s SET "), {table});
    for (int i = 0; i + 1 < pairs.size(); i += 2) {
        sql += FormatString(QStringLiteral("%s %s = %s"),
                            {i == 0 ? QString() : QStringLiteral(","), pairs[i], pairs[i + 1]});
    }
    m_database.Execute(sql);
}

void CDBAccessDAO::AllowZeroLength(const QString& table, const QString& column)
{
    QStringList triggers;
    {
        CSqliteStatement find(
            m_database, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'trigger' "
                                       "AND tbl_name = ?1 AND substr(name, 1, ?2) = ?3"));
        const QString prefix = ZeroLengthTriggerPrefix(table, column);
        find.BindText(0, table);
        find.BindInt(1, int(prefix.size()));
        find.BindText(2, prefix);
        while (find.Step())
            triggers.append(find.ColumnText(0));
    }
    for (const QString& trigger : triggers)
        m_database.Execute(QStringLiteral("DROP TRIGGER %1").arg(QuoteName(trigger)));
}

void CDBAccessDAO::UpgradeSchema(const QString& fileVersion)
{
    const CPlimVersionUtils version(fileVersion);
    const QString volumes = QStringLiteral("Volumes");
    const QString questions = QStringLiteral("Questions");
    const int boolean = int(EColumnType::Boolean);
    if (version.IsFileOlderThan(CPlimVersionUtils::VERSION_ANCESTOR_VALUES) &&
        AddFieldIfMissing(volumes, QStringLiteral("MatchUsingAncestorValues"), boolean, 0))
        SetColumnValueForAll(volumes,
                             {QStringLiteral("MatchUsingAncestorValues"), QStringLiteral("0")});
    if (version.IsFileOlderThan(CPlimVersionUtils::VERSION_CASE_SENSITIVE) &&
        AddFieldIfMissing(volumes, QStringLiteral("CaseSensitiveMatching"), boolean, 0))
        SetColumnValueForAll(volumes,
                             {QStringLiteral("CaseSensitiveMatching"), QStringLiteral("0")});
    if (version.IsFileOlderThan(CPlimVersionUtils::VERSION_DEVELOP_LEVELS) &&
        AddFieldIfMissing(questions, QStringLiteral("IsDevelopLevels"), boolean, 0))
        SetColumnValueForAll(questions, {QStringLiteral("IsDevelopLevels"), QStringLiteral("-1")});
    if (version.IsFileOlderThan(CPlimVersionUtils::VERSION_EMPTY_VERSIONS)) {
        AllowZeroLength(questions, QStringLiteral("Versions"));
        AllowZeroLength(QStringLiteral("Modalities"), QStringLiteral("Versions"));
    }
}

bool CDBAccessDAO::Upgrade(CCampaign& campaign)
{
    if (!Open())
        return false;
    try {
        // All the steps or none.
        CSqliteTransaction transaction(m_database);
        UpgradeSchema(campaign.GetVersionNumber());
        transaction.Commit();
        return true;
    } catch (const CSqliteError& error) {
        m_errorText =
            FormatString(QStringLiteral("Dao error description %s\n"), {error.GetMessage()});
    } catch (...) {
        SetOperationError("Upgrade");
    }
    return false;
}

void CDBAccessDAO::UpgradeWithNextSave(const QString& fileVersion)
{
    m_upgradeVersion = fileVersion;
}
