#include "StorageTestSupport.h"

#include "app/WaveApp.h"
#include "model/CampaignDump.h"
#include "storage/DBAccessDAO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace pelko_wave;

namespace storage_test {

QString StoredDump(const CCampaign& campaign)
{
    return DumpCampaign(campaign, DUMP_STORED);
}

namespace {

std::unique_ptr<CWave> MakeWave(int id, int order, const QString& name)
{
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(id);
    wave->SetWaveOrder(order);
    wave->SetName(name);
    wave->SetDescription(QStringLiteral("Fieldwork of %1\nsecond line").arg(name));
    return wave;
}

CSourcePath FileSource(int format, const QString& path)
{
    CSourcePath source;
    source.SourceStorageType = 0;
    source.SourceFilePathFormat = format;
    source.SourceString = path;
    return source;
}

std::unique_ptr<CVolume> MakeVolume(int id, int waveId, int parentId, const CSourcePath& meta)
{
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(id);
    volume->SetWaveId(waveId);
    volume->SetName(QStringLiteral("Volume %1").arg(id));
    volume->SetInheritsFromVolumeId(parentId);
    volume->SetSourceType(id % 3);
    volume->SetIsMatchingStrict(id % 2);
    volume->SetQuestionMatchingMethods({quint32(id % 6), 1, 2});
    volume->SetResponseMatchingMethods(id == 2 ? QList<quint32>() : QList<quint32>{0, 2, 5});
    volume->SetIsMainVolume(id == 1);
    volume->SetInterviewMergeMethod(id == 2 ? 2 : 0);
    volume->SetMainVolumeLinkQuestionId(id == 2 ? 11 : 0);
    volume->SetThisVolumeLinkQuestionId(id == 2 ? QStringLiteral("RESPID") : QString());
    volume->SetStatus(id % 3);
    volume->SetMetaData(meta);
    CSourcePath caseData = meta;
    if (meta.IsFile())
        caseData.SourceString.replace(QLatin1String(".zoz"), QLatin1String(".dat"));
    volume->SetCaseData(caseData);
    volume->SetCaseSensitiveMatching(id % 2);
    volume->SetMatchUsingAncestorValues((id + 1) % 2);
    return volume;
}

std::unique_ptr<CQuestion> MakeQuestion(int id, int order, const QString& shortcut)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(id);
    question->SetOrder(order);
    question->SetShortcut(shortcut);
    question->SetIsDeleted(id == 13);
    question->SetIndent(id == 10 ? 1 : 2);
    question->SetElementType(id == 10 ? 0 : 1);
    question->SetQuestionType(id % 5 + 1);
    question->SetIsDontKnow(id % 2);
    question->SetIsSemiOpen((id + 1) % 2);
    question->SetIsScale(id == 12);
    question->SetIsMultiple(id == 11);
    question->SetIsRanked(id == 13);
    question->SetMaxResponseCount(id - 9);
    question->SetDecimals(id % 3);
    question->SetMinValue(-1.25 * id);
    question->SetMaxValue(1e9 + 0.125);
    question->SetIsLevelLink(id == 12);
    question->SetLinkQuestionId(id == 12 ? 11 : 0);
    question->SetIsProbabilityQuestion(id == 13);
    question->SetDateType(id == 13 ? 3 : 0);
    question->SetQuestionClassId(id == 11 ? 7 : 0);
    question->SetVersions(id == 12 ? QString() : QStringLiteral("3;4;"));
    question->SetUserData(QStringLiteral("user %1").arg(id));
    question->SetIsDevelopLevels(id != 12);
    question->SetAppearanceVolumeId(id == 13 ? 3 : 1);
    question->SetDeletionWaveId(id == 13 ? 2 : NO_WAVE_ID);
    return question;
}

void AddQuestionCaption(CQuestion& question, int languageId, const QString& shortText,
                        const QString& longText)
{
    auto caption = std::make_unique<CQuestionCaption>();
    caption->SetQuestionId(question.GetQuestionId());
    caption->SetLanguageId(languageId);
    caption->SetShortCaption(shortText);
    caption->SetLongCaption(longText);
    question.AddCaption(std::move(caption));
}

void AddModalityCaption(CModality& modality, int languageId, const QString& text)
{
    auto caption = std::make_unique<CModalityCaption>();
    caption->SetModalityId(modality.GetModalityId());
    caption->SetQuestionId(modality.GetQuestionId());
    caption->SetLanguageId(languageId);
    caption->SetShortCaption(text);
    modality.AddCaption(std::move(caption));
}

void AddQuestionMatching(CVolume& volume, int questionId, const QString& source, int start, int end)
{
    auto matching = std::make_unique<CQuestionMatching>();
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetSourceId(source);
    matching->SetStartVolumeId(start);
    matching->SetEndVolumeId(end);
    volume.AddQuestionMatching(std::move(matching));
}

void AddModalityMatching(CVolume& volume, int modalityId, int questionId, const QString& source,
                         int start, int end)
{
    auto matching = std::make_unique<CModalityMatching>();
    matching->SetModalityId(modalityId);
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetModalitySourceId(source);
    matching->SetStartVolumeId(start);
    matching->SetEndVolumeId(end);
    volume.AddModalityMatching(std::move(matching));
}

void AddMerging(CCampaign& campaign, int master, int child, int volumeId)
{
    auto merging = std::make_unique<CModalityMerging>();
    merging->SetMasterModalityId(master);
    merging->SetChildModalityId(child);
    merging->SetMergeVolumeId(volumeId);
    campaign.AddModalityMerging(std::move(merging));
}

} // namespace

CModality* AddModality(CCampaign& campaign, int id, int questionId, int order)
{
    auto modality = std::make_unique<CModality>();
    modality->SetModalityId(id);
    modality->SetQuestionId(questionId);
    modality->SetModalityOrder(order);
    modality->SetIsDeleted(id == 105);
    modality->SetValue(id * 0.5);
    modality->SetEntryCode(id == 104 ? QString() : QString::number(id - 99));
    modality->SetIsExclusive(id % 2);
    modality->SetRotationBehaviour(id % 3);
    modality->SetVersions(id == 103 ? QString() : QStringLiteral("3;"));
    modality->SetUserData(id == 102 ? QString() : QStringLiteral("r%1").arg(id));
    CQuestion* question = campaign.GetQuestionById(questionId);
    modality->SetAppearanceVolumeId(question ? question->GetAppearanceVolumeId() : 1);
    modality->SetDeletionWaveId(id == 105 ? 2 : NO_WAVE_ID);
    CModality* added = modality.get();
    campaign.AddModality(std::move(modality));
    if (question)
        question->InsertModality(added);
    return added;
}

std::unique_ptr<CCampaign> MakeFullCampaign(const QString& campaignFilePath)
{
    auto campaign = std::make_unique<CCampaign>();
    campaign->SetName(QStringLiteral("Brand tracker \"2024\""));
    campaign->SetDescription(QStringLiteral("Suivi de marque, été\nsecond line; with = and |"));

    auto english = std::make_unique<CLanguage>(1033);
    english->SetLanguageName(QStringLiteral("English (house style)"));
    english->SetIsDefault(1);
    campaign->AddLanguage(std::move(english));
    campaign->AddLanguage(std::make_unique<CLanguage>(1036));
    campaign->SetCurrentLanguageId(1033);

    for (const auto& [id, caption] :
         {std::pair{7, QStringLiteral("Demographics")}, std::pair{8, QString()}}) {
        auto questionClass = std::make_unique<CQuestionClass>();
        questionClass->SetQuestionClassId(id);
        questionClass->SetCaption(caption);
        campaign->AddQuestionClass(std::move(questionClass));
    }
    for (const auto& [id, text] :
         {std::pair{3, QStringLiteral("Version three")}, std::pair{4, QString()}}) {
        auto version = std::make_unique<CVersion>();
        version->SetVersionId(id);
        version->SetLongCaption(text);
        version->SetShortCaption(text.left(2));
        campaign->AddVersion(std::move(version));
    }

    const QString folder = QFileInfo(campaignFilePath).absolutePath();
    auto wave1 = MakeWave(1, 1, QStringLiteral("Spring"));
    wave1->SetWaveStart(QDateTime(QDate(2024, 3, 1), QTime(8, 30, 15, 250)));
    wave1->SetWaveMidpoint(QDateTime(QDate(2024, 3, 15), QTime(12, 0)));
    wave1->SetWaveEnd(QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59, 999)));
    wave1->AddVolume(
        MakeVolume(1, 1, 1, FileSource(PATH_ABSOLUTE, QStringLiteral("/data/w1.zoz"))));
    wave1->AddVolume(MakeVolume(
        2, 1, 1, FileSource(PATH_RELATIVE, folder + QStringLiteral("/sources/w1b.zoz"))));
    campaign->InsertWave(std::move(wave1));

    auto wave2 = MakeWave(2, 3, QStringLiteral("Autumn"));
    wave2->SetWaveStart(QDateTime(QDate(2024, 9, 1), QTime(0, 0)));
    wave2->AddVolume(
        MakeVolume(3, 2, 4, FileSource(PATH_UNC, QStringLiteral("//server/share/w2.zoz"))));
    CSourcePath database;
    database.SourceStorageType = 1;
    database.SourceFilePathFormat = PATH_UNKNOWN;
    database.SourceString = QStringLiteral("Driver=QSQLITE;Database=/data/w2.db");
    database.SurveyID = 42;
    wave2->AddVolume(MakeVolume(4, 2, 2, database));
    wave2->AddVolume(MakeVolume(5, 2, 5, FileSource(PATH_ABSOLUTE, QString())));
    campaign->InsertWave(std::move(wave2));

    campaign->InsertWave(MakeWave(5, 4, QStringLiteral("Winter")));

    for (const int id : {2, 3, 4}) {
        CVolume* volume = campaign->FindVolume(id);
        CVolume* parent = campaign->FindVolume(volume->GetInheritsFromVolumeId());
        volume->SetParent(parent);
        parent->AddChildVolume(volume);
    }

    campaign->CreateReservedQuestion(1, QStringLiteral("Wave"), 1033);
    CVolume& v1 = *campaign->FindVolume(1);
    CVolume& v2 = *campaign->FindVolume(2);
    CVolume& v3 = *campaign->FindVolume(3);
    CVolume& v4 = *campaign->FindVolume(4);
    campaign->CreateReservedQuestionMatching(&v1);
    campaign->CreateReservedModality(&v1, QStringLiteral("Spring"), 1033);
    campaign->CreateReservedModalityMatching(&v1);

    int order = 1;
    for (const auto& [id, shortcut] :
         {std::pair{10, QStringLiteral("CH1")}, std::pair{11, QStringLiteral("Q1")},
          std::pair{12, QStringLiteral("Q2")}, std::pair{13, QString()}})
        campaign->InsertQuestion(MakeQuestion(id, order++, shortcut));
    for (const int id : {10, 11, 12, 13}) {
        CQuestion& question = *campaign->GetQuestionById(id);
        AddQuestionCaption(question, 1033, QStringLiteral("Short %1").arg(id),
                           QStringLiteral("Long caption %1\nwith a second line").arg(id));
        AddQuestionCaption(question, 1036,
                           id == 12 ? QString() : QStringLiteral("Court %1").arg(id),
                           QStringLiteral("Légende %1").arg(id));
    }

    for (const auto& [id, questionId, modalityOrder] :
         {std::tuple{100, 11, 0}, std::tuple{101, 11, 1}, std::tuple{102, 12, 0},
          std::tuple{103, 12, 1}, std::tuple{104, 12, 2}, std::tuple{105, 13, 0}}) {
        CModality* modality = AddModality(*campaign, id, questionId, modalityOrder);
        AddModalityCaption(*modality, 1033, QStringLiteral("Yes %1").arg(id));
        if (id != 104)
            AddModalityCaption(*modality, 1036, QStringLiteral("Oui %1").arg(id));
    }
    campaign->GetModalityById(104)->SetAppearanceVolumeId(4);

    AddQuestionMatching(v1, 11, QStringLiteral("11"), 1, OPEN_END_ID);
    AddQuestionMatching(v1, 12, QStringLiteral("12"), 1, 2);
    AddQuestionMatching(v2, 12, QStringLiteral("22"), 2, OPEN_END_ID);
    AddQuestionMatching(v3, 13, QStringLiteral("Q13"), 3, 3);
    AddQuestionMatching(v4, 11, QStringLiteral("41"), 4, OPEN_END_ID);
    AddModalityMatching(v1, 100, 11, QStringLiteral("1"), 1, OPEN_END_ID);
    AddModalityMatching(v1, 101, 11, QStringLiteral("2"), 1, 2);
    AddModalityMatching(v2, 102, 12, QStringLiteral("1"), 2, OPEN_END_ID);
    AddModalityMatching(v2, 103, 12, QStringLiteral("2"), 2, OPEN_END_ID);
    AddModalityMatching(v3, 105, 13, QStringLiteral("A"), 3, 3);
    AddModalityMatching(v4, 104, 12, QString(), 4, OPEN_END_ID);

    AddMerging(*campaign, 100, 101, 2);
    AddMerging(*campaign, 102, 104, 4);
    return campaign;
}

QString CStorageTest::CreateAndSave(const CCampaign& campaign, const QString& path)
{
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    if (!storage.CreateDatabase() || !storage.Save(campaign))
        return storage.GetErrorText().isEmpty() ? QStringLiteral("failed") : storage.GetErrorText();
    return QString();
}

QString CStorageTest::SaveInto(const CCampaign& campaign, const QString& path)
{
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    if (!storage.Save(campaign))
        return storage.GetErrorText().isEmpty() ? QStringLiteral("failed") : storage.GetErrorText();
    return QString();
}

std::unique_ptr<CCampaign> CStorageTest::Load(const QString& path, QString* error)
{
    auto campaign = std::make_unique<CCampaign>();
    CDBAccessDAO storage;
    SLoadCampaignRecord record;
    record.Campaign = campaign.get();
    record.DBAccess = &storage;
    record.Path = path;
    if (!LoadCampaign(record)) {
        if (error)
            *error = storage.GetErrorText();
        return nullptr;
    }
    return campaign;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

namespace {

sqlite3* OpenRaw(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path.toStdString() << ": " << sqlite3_errmsg(db);
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

} // namespace

QString TryExecuteRaw(const QString& path, const QString& sql)
{
    sqlite3* db = OpenRaw(path);
    if (!db)
        return QStringLiteral("cannot open");
    char* error = nullptr;
    QString message;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        message = QString::fromUtf8(error ? error : "failed");
    sqlite3_free(error);
    sqlite3_close(db);
    return message;
}

void ExecuteRaw(const QString& path, const QString& sql)
{
    const QString error = TryExecuteRaw(path, sql);
    if (!error.isEmpty())
        ADD_FAILURE() << "SQL failed: " << error.toStdString() << "\n" << sql.toStdString();
}

qint64 QueryRaw(const QString& path, const QString& sql)
{
    sqlite3* db = OpenRaw(path);
    if (!db)
        return -1;
    sqlite3_stmt* statement = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK) {
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
    } else {
        ADD_FAILURE() << "query failed: " << sqlite3_errmsg(db) << "\n" << sql.toStdString();
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

} // namespace storage_test
