#include "storage/CampaignSchema.h"

#include "storage/SqliteDatabase.h"

#include <QStringList>

namespace {

using T = EColumnType;

std::vector<STableDef> MakeTables()
{
    return {
        {"Campaigns",
         {{"Name", T::Text, 50}, {"Description", T::Memo, 0}, {"VersionNumber", T::Text, 50}},
         {},
         {}},
        {"Waves",
         {{"WaveID", T::Long, 0},
          {"WaveOrder", T::Long, 0},
          {"Name", T::Text, 50},
          {"Description", T::Memo, 0},
          {"WaveStart", T::Date, 0},
          {"WaveEnd", T::Date, 0},
          {"WaveMidpoint", T::Date, 0}},
         {"WaveID"},
         {}},
        {"Volumes",
         {{"VolumeID", T::Long, 0},
          {"Name", T::Text, 50},
          {"WaveID", T::Long, 0},
          {"InheritsFromVolumeID", T::Long, 0},
          {"SourceType", T::Long, 0},
          {"MetaData", T::Text, 255},
          {"CaseData", T::Text, 255},
          {"IsMatchingStrict", T::Boolean, 0},
          {"QuestionMatchingMethods", T::Text, 0},
          {"ResponseMatchingMethods", T::Text, 0},
          {"IsMainVolume", T::Boolean, 0},
          {"InterviewMergeMethod", T::Long, 0},
          {"MainVolumeLinkQuestionID", T::Long, 0},
          {"ThisVolumeLinkQuestionID", T::Text, 50},
          {"Status", T::Long, 0},
          {"CaseSensitiveMatching", T::Boolean, 0},
          {"MatchUsingAncestorValues", T::Boolean, 0}},
         {"VolumeID"},
         {{"Index1", {"WaveID"}}}},
        {"Questions",
         {{"QuestionID", T::Long, 0},
          {"IsDeleted", T::Boolean, 0},
          {"Order", T::Long, 0},
          {"Shortcut", T::Text, 50},
          {"Indent", T::Long, 0},
          {"ElementType", T::Long, 0},
          {"QuestionType", T::Long, 0},
          {"IsDontKnow", T::Boolean, 0},
          {"IsSemiOpen", T::Boolean, 0},
          {"IsScale", T::Boolean, 0},
          {"IsMultiple", T::Boolean, 0},
          {"IsRanked", T::Boolean, 0},
          {"MaxResponseCount", T::Long, 0},
          {"Decimals", T::Long, 0},
          {"MinValue", T::Double, 0},
          {"MaxValue", T::Double, 0},
          {"IsLevelLink", T::Boolean, 0},
          {"LinkQuestionID", T::Long, 0},
          {"IsProbabilityQuestion", T::Boolean, 0},
          {"DateType", T::Long, 0},
          {"QuestionClassID", T::Long, 0},
          {"Versions", T::Memo, 0},
          {"UserData", T::Text, 50},
          {"IsDevelopLevels", T::Boolean, 0},
          {"AppearanceVolumeID", T::Long, 0},
          {"DeletionWaveID", T::Long, 0}},
         {"QuestionID"},
         {{"Index1", {"QuestionClassID"}}, {"Index2", {"Order"}}}},
        {"QuestionMatchings",
         {{"QuestionID", T::Long, 0},
          {"VolumeID", T::Long, 0},
          {"SourceID", T::Text, 50},
          {"StartVolumeID", T::Long, 0},
          {"EndVolumeID", T::Long, 0}},
         {"QuestionID", "VolumeID"},
         {}},
        {"QuestionClasses",
         {{"QuestionClassID", T::Long, 0}, {"Caption", T::Text, 255}},
         {"QuestionClassID"},
         {}},
        {"QuestionCaptions",
         {{"QuestionID", T::Long, 0},
          {"LanguageID", T::Long, 0},
          {"LongCaption", T::Memo, 0},
          {"ShortCaption", T::Text, 255}},
         {"QuestionID", "LanguageID"},
         {{"Index1", {"QuestionID"}}}},
        {"Modalities",
         {{"ModalityID", T::Long, 0},
          {"QuestionID", T::Long, 0},
          {"IsDeleted", T::Boolean, 0},
          {"ModalityOrder", T::Long, 0},
          {"Value", T::Double, 0},
          {"EntryCode", T::Text, 255},
          {"IsExclusive", T::Boolean, 0},
          {"RotationBehaviour", T::Long, 0},
          {"Versions", T::Memo, 0},
          {"UserData", T::Text, 50},
          {"AppearanceVolumeID", T::Long, 0},
          {"DeletionWaveID", T::Long, 0}},
         {"ModalityID"},
         {{"Index1", {"QuestionID", "ModalityOrder"}}}},
        {"ModalityMatchings",
         {{"ModalityID", T::Long, 0},
          {"QuestionID", T::Long, 0},
          {"VolumeID", T::Long, 0},
          {"ModalitySourceID", T::Text, 50},
          {"StartVolumeID", T::Long, 0},
          {"EndVolumeID", T::Long, 0}},
         {"ModalityID", "QuestionID", "VolumeID"},
         {}},
        {"ModalityCaptions",
         {{"ModalityID", T::Long, 0},
          {"QuestionID", T::Long, 0},
          {"LanguageID", T::Long, 0},
          {"ShortCaption", T::Memo, 0}},
         {"ModalityID", "LanguageID"},
         {{"Index1", {"ModalityID"}}}},
        {"Languages",
         {{"LanguageID", T::Long, 0}, {"IsDefault", T::Boolean, 0}, {"LanguageName", T::Text, 255}},
         {"LanguageID"},
         {}},
        {"Versions",
         {{"VersionID", T::Long, 0}, {"LongCaption", T::Text, 255}, {"ShortCaption", T::Text, 30}},
         {"VersionID"},
         {}},
        {"ModalityMergings",
         {{"MasterModalityID", T::Long, 0},
          {"ChildModalityID", T::Long, 0},
          {"MergeVolumeID", T::Long, 0}},
         {"MasterModalityID", "ChildModalityID"},
         {}},
    };
}

bool Contains(const std::vector<const char*>& names, const char* name)
{
    for (const char* n : names) {
        if (qstrcmp(n, name) == 0)
            return true;
    }
    return false;
}

// Key and index columns must hold a value.
bool IsRequired(const STableDef& table, const char* column)
{
    if (Contains(table.PrimaryKey, column))
        return true;
    for (const SIndexDef& index : table.Indexes) {
        if (Contains(index.Columns, column))
            return true;
    }
    return false;
}

QString NameList(const std::vector<const char*>& names)
{
    QStringList quoted;
    for (const char* name : names)
        quoted.append(QuoteName(QLatin1String(name)));
    return quoted.join(QStringLiteral(", "));
}

} // namespace

const std::vector<STableDef>& GetCampaignTables()
{
    static const std::vector<STableDef> tables = MakeTables();
    return tables;
}

const STableDef& GetCampaignTable(const char* name)
{
    for (const STableDef& table : GetCampaignTables()) {
        if (qstrcmp(table.Name, name) == 0)
            return table;
    }
    throw CSqliteError(1, QStringLiteral("unknown table %1").arg(QLatin1String(name)));
}

const std::vector<SRelationDef>& GetCampaignRelations()
{
    static const std::vector<SRelationDef> relations = {
        {"Waves_Volumes", "Waves", "WaveID", "Volumes", "WaveID"},
        {"Volumes_Questions", "Volumes", "VolumeID", "Questions", "AppearanceVolumeID"},
        {"Questions_Question_Captions", "Questions", "QuestionID", "QuestionCaptions",
         "QuestionID"},
        {"Volumes_Modalities", "Volumes", "VolumeID", "Modalities", "AppearanceVolumeID"},
        {"Modalities_Modality_Captions", "Modalities", "ModalityID", "ModalityCaptions",
         "ModalityID"},
        {"Volumes_Modality_Matchings", "Volumes", "VolumeID", "ModalityMatchings", "VolumeID"},
        {"Volumes_Question_Matchings", "Volumes", "VolumeID", "QuestionMatchings", "VolumeID"},
        {"Modalities_ModalityMergingsMaster", "Modalities", "ModalityID", "ModalityMergings",
         "MasterModalityID"},
        {"Modalities_ModalityMergingsChild", "Modalities", "ModalityID", "ModalityMergings",
         "ChildModalityID"},
        {"Volumes_ModalityMergings", "Volumes", "VolumeID", "ModalityMergings", "MergeVolumeID"},
    };
    return relations;
}

QString DeclaredType(const SColumnDef& column)
{
    // "INT" rather than "INTEGER": a single INTEGER key would become the row id, and the row
    // id keeps the order in which rows were written.
    switch (column.Type) {
    case EColumnType::Boolean:
        return QStringLiteral("BOOLEAN");
    case EColumnType::Long:
        return QStringLiteral("INT");
    case EColumnType::Double:
        return QStringLiteral("DOUBLE");
    case EColumnType::Date:
        return QStringLiteral("DATETIME");
    case EColumnType::Text:
        return column.Size > 0 ? QStringLiteral("VARCHAR(%1)").arg(column.Size)
                               : QStringLiteral("VARCHAR");
    case EColumnType::Memo:
        return QStringLiteral("TEXT");
    }
    return QString();
}

QStringList CreateTableStatements(const STableDef& table)
{
    QStringList parts;
    for (const SColumnDef& column : table.Columns) {
        QString part =
            QuoteName(QLatin1String(column.Name)) + QLatin1Char(' ') + DeclaredType(column);
        if (IsRequired(table, column.Name))
            part += QStringLiteral(" NOT NULL");
        parts.append(part);
    }
    const QString tableName = QLatin1String(table.Name);
    if (!table.PrimaryKey.empty()) {
        parts.append(QStringLiteral("CONSTRAINT %1 PRIMARY KEY (%2)")
                         .arg(QuoteName(tableName + QLatin1String("_PrimaryKey")),
                              NameList(table.PrimaryKey)));
    }
    for (const SRelationDef& relation : GetCampaignRelations()) {
        if (qstrcmp(relation.ForeignTable, table.Name) != 0)
            continue;
        parts.append(QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4) "
                                    "ON DELETE CASCADE")
                         .arg(QuoteName(QLatin1String(relation.Name)),
                              QuoteName(QLatin1String(relation.ForeignField)),
                              QuoteName(QLatin1String(relation.PrimaryTable)),
                              QuoteName(QLatin1String(relation.PrimaryField))));
    }
    QStringList statements;
    statements.append(QStringLiteral("CREATE TABLE %1 (\n  %2\n)")
                          .arg(QuoteName(tableName), parts.join(QStringLiteral(",\n  "))));
    for (const SIndexDef& index : table.Indexes) {
        statements.append(
            QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                .arg(QuoteName(tableName + QLatin1Char('_') + QLatin1String(index.Name)),
                     QuoteName(tableName), NameList(index.Columns)));
    }
    return statements;
}

void CreateCampaignTable(CSqliteDatabase& database, const STableDef& table)
{
    for (const QString& statement : CreateTableStatements(table))
        database.Execute(statement);
}

QString QuoteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
