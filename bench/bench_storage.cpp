// Saving and reading a campaign file with a generated campaign of 10 waves of 3 volumes, 2,000
// questions of 10 responses with captions in two languages, every volume matching every
// question and response (about 730,000 rows). Beside them, plain prepared statements insert
// the very rows that the save wrote, in one transaction, and scan them back. The save and the
// load should stay within 2 times their plain counterparts. The batch run's headless open reads
// the same campaign and compares it with ZOZ sources written for its volumes.

#include "CampaignGenerator.h"

#include "app/WaveApp.h"
#include "model/ModelIds.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/SourceComparison.h"
#include "storage/CampaignSchema.h"
#include "storage/DBAccessDAO.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>
#include <variant>
#include <vector>

using namespace pelko_wave;

namespace {

// Tables in an order that lets every row find the rows it hangs on.
const char* const kInsertOrder[] = {
    "Campaigns",  "Languages",         "QuestionClasses",   "Versions",  "Waves",
    "Volumes",    "QuestionMatchings", "ModalityMatchings", "Questions", "QuestionCaptions",
    "Modalities", "ModalityCaptions",  "ModalityMergings"};

using SValue = std::variant<std::monostate, sqlite3_int64, double, std::string>;
struct STableRows
{
    std::string Table;
    int Columns = 0;
    std::vector<SValue> Values; // row after row
};

// Everything the benchmarks share, made once.
struct SFixture
{
    QTemporaryDir Folder;
    std::unique_ptr<CCampaign> Campaign = GenerateCampaign(SCampaignSize());
    QString SavedFile = Folder.filePath(QStringLiteral("saved.duv"));
    std::vector<STableRows> Rows;
    long long RowCount = 0;

    SFixture()
    {
        CDBAccessDAO storage;
        storage.SetFilePath(SavedFile);
        if (!storage.CreateDatabase() || !storage.Save(*Campaign))
            qFatal("cannot save the benchmark campaign: %s", qPrintable(storage.GetErrorText()));
        storage.Close();
        ReadRows();
    }

    // The rows of the saved file, table by table.
    void ReadRows()
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(SavedFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        for (const char* table : kInsertOrder) {
            STableRows rows;
            rows.Table = table;
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, ("SELECT * FROM \"" + rows.Table + "\" ORDER BY rowid").c_str(),
                               -1, &statement, nullptr);
            rows.Columns = sqlite3_column_count(statement);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                ++RowCount;
                for (int c = 0; c < rows.Columns; ++c) {
                    switch (sqlite3_column_type(statement, c)) {
                    case SQLITE_INTEGER:
                        rows.Values.emplace_back(sqlite3_column_int64(statement, c));
                        break;
                    case SQLITE_FLOAT:
                        rows.Values.emplace_back(sqlite3_column_double(statement, c));
                        break;
                    case SQLITE_TEXT:
                        rows.Values.emplace_back(std::string(
                            reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                            size_t(sqlite3_column_bytes(statement, c))));
                        break;
                    default:
                        rows.Values.emplace_back(std::monostate());
                    }
                }
            }
            sqlite3_finalize(statement);
            Rows.push_back(std::move(rows));
        }
        sqlite3_close(db);
    }
};

SFixture& Fixture()
{
    static SFixture fixture;
    return fixture;
}

// A connection set up as the storage sets up its own.
sqlite3* OpenPlain(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db,
                 "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; "
                 "PRAGMA cache_size = -32768",
                 nullptr, nullptr, nullptr);
    return db;
}

void BM_CampaignSave(benchmark::State& state)
{
    SFixture& fixture = Fixture();
    const QString path = fixture.Folder.filePath(QStringLiteral("save.duv"));
    for (auto _ : state) {
        CDBAccessDAO storage;
        storage.SetFilePath(path);
        if (!storage.CreateDatabase() || !storage.Save(*fixture.Campaign))
            state.SkipWithError(qPrintable(storage.GetErrorText()));
    }
    state.counters["rows"] = double(fixture.RowCount);
}

void BM_RawSqliteInsert(benchmark::State& state)
{
    SFixture& fixture = Fixture();
    const QString path = fixture.Folder.filePath(QStringLiteral("raw.duv"));
    for (auto _ : state) {
        // The same empty file as the save starts from.
        CDBAccessDAO storage;
        storage.SetFilePath(path);
        storage.CreateDatabase();
        storage.Close();

        sqlite3* db = OpenPlain(path);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const STableRows& rows : fixture.Rows) {
            std::string sql = "INSERT INTO \"" + rows.Table + "\" VALUES (";
            for (int c = 0; c < rows.Columns; ++c)
                sql += c ? ",?" : "?";
            sql += ")";
            sqlite3_stmt* insert = nullptr;
            sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
            for (size_t i = 0; i < rows.Values.size(); i += size_t(rows.Columns)) {
                for (int c = 0; c < rows.Columns; ++c) {
                    const SValue& value = rows.Values[i + size_t(c)];
                    if (const auto* number = std::get_if<sqlite3_int64>(&value))
                        sqlite3_bind_int64(insert, c + 1, *number);
                    else if (const auto* real = std::get_if<double>(&value))
                        sqlite3_bind_double(insert, c + 1, *real);
                    else if (const auto* text = std::get_if<std::string>(&value))
                        sqlite3_bind_text(insert, c + 1, text->data(), int(text->size()),
                                          SQLITE_STATIC);
                    else
                        sqlite3_bind_null(insert, c + 1);
                }
                if (sqlite3_step(insert) != SQLITE_DONE)
                    state.SkipWithError(sqlite3_errmsg(db));
                sqlite3_reset(insert);
            }
            sqlite3_finalize(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    state.counters["rows"] = double(fixture.RowCount);
}

void BM_CampaignLoad(benchmark::State& state)
{
    SFixture& fixture = Fixture();
    for (auto _ : state) {
        CDBAccessDAO storage;
        CCampaign campaign;
        SLoadCampaignRecord record;
        record.Campaign = &campaign;
        record.DBAccess = &storage;
        record.Path = fixture.SavedFile;
        if (!LoadCampaign(record))
            state.SkipWithError(qPrintable(storage.GetErrorText()));
        benchmark::DoNotOptimize(campaign.GetModalityCount());
    }
    state.counters["rows"] = double(fixture.RowCount);
}

void BM_RawSqliteScan(benchmark::State& state)
{
    SFixture& fixture = Fixture();
    for (auto _ : state) {
        sqlite3* db = OpenPlain(fixture.SavedFile);
        long long checksum = 0;
        for (const char* table : kInsertOrder) {
            sqlite3_stmt* scan = nullptr;
            sqlite3_prepare_v2(db, (std::string("SELECT * FROM \"") + table + "\"").c_str(), -1,
                               &scan, nullptr);
            const int columns = sqlite3_column_count(scan);
            while (sqlite3_step(scan) == SQLITE_ROW) {
                for (int c = 0; c < columns; ++c) {
                    switch (sqlite3_column_type(scan, c)) {
                    case SQLITE_INTEGER:
                        checksum += sqlite3_column_int64(scan, c);
                        break;
                    case SQLITE_FLOAT:
                        checksum += (long long)sqlite3_column_double(scan, c);
                        break;
                    case SQLITE_TEXT:
                        checksum += sqlite3_column_text(scan, c)[0] + sqlite3_column_bytes(scan, c);
                        break;
                    default:
                        break;
                    }
                }
            }
            sqlite3_finalize(scan);
        }
        sqlite3_close(db);
        benchmark::DoNotOptimize(checksum);
    }
    state.counters["rows"] = double(fixture.RowCount);
}

// The application's Save of the open campaign (the pending-copy pass, the storage's save, the
// clean point), into an empty campaign file as BM_CampaignSave writes.
void BM_SaveCampaign(benchmark::State& state)
{
    SFixture& fixture = Fixture();
    const QString path = fixture.Folder.filePath(QStringLiteral("app-save.duv"));
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, std::make_unique<CCampaign>(*fixture.Campaign));
    app.GetDBAccess()->SetFilePath(path);
    app.SetCampaignPath(path);
    for (auto _ : state) {
        state.PauseTiming();
        app.GetDBAccess()->CreateDatabase();
        app.SetModifiedFlag(true, false);
        state.ResumeTiming();
        if (!app.SaveCampaign())
            state.SkipWithError(qPrintable(app.GetDBAccess()->GetErrorText()));
    }
    state.counters["rows"] = double(fixture.RowCount);
}

// The generated campaign as a headless open finds it: a ZOZ source written for each of its 30
// volumes, holding every question and response its matchings name, so that the comparison
// with the sources comes out clean. A second file holds the same campaign with every volume
// unreconciled: the comparison passes over those, so its open is the load alone.
struct SOpenFixture
{
    QTemporaryDir Folder;
    QString CheckedFile = Folder.filePath(QStringLiteral("checked.duv"));
    QString LoadOnlyFile = Folder.filePath(QStringLiteral("load-only.duv"));

    SOpenFixture()
    {
        std::unique_ptr<CCampaign> campaign = GenerateCampaign(SCampaignSize());
        campaign->SetVersionNumber(PROGRAM_VERSION_TEXT);
        const qnr::CQuestionnaire source = MakeSource(*campaign);
        for (int w = 0; w < campaign->GetWaveCount(); ++w) {
            const CWave& wave = *campaign->GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                CVolume& volume = *wave.GetVolume(v);
                CSourcePath path = volume.GetMetaData();
                path.SourceString =
                    Folder.filePath(QStringLiteral("volume%1.zoz").arg(volume.GetVolumeId()));
                QString error;
                if (!qnr::WriteZozFile(source, path.SourceString, error))
                    qFatal("cannot write a source: %s", qPrintable(error));
                volume.SetMetaData(path);
                volume.SetCaseData(path);
            }
        }
        Write(*campaign, CheckedFile);
        for (int w = 0; w < campaign->GetWaveCount(); ++w) {
            const CWave& wave = *campaign->GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v)
                wave.GetVolume(v)->SetStatus(VOLUME_UNRECONCILED);
        }
        Write(*campaign, LoadOnlyFile);
    }

    // One source for every volume: each campaign question under its id as code, its responses
    // under their positions from 1, captions in the campaign's two languages.
    static qnr::CQuestionnaire MakeSource(const CCampaign& campaign)
    {
        qnr::CQuestionnaire source;
        for (const int language : {1033, 1036})
            source.AddLanguage(qnr::CLanguage(language));
        source.SetDefaultLanguageId(1033);
        for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
            const CQuestion& question = *campaign.GetQuestion(q);
            auto item = std::make_unique<qnr::CQuestion>();
            item->SetCodeQuestion(question.GetQuestionId());
            item->SetShortcut(question.GetShortcut());
            item->SetTypeElement(question.GetElementType());
            item->SetTypeQuestion(question.GetQuestionType());
            item->SetIndent(question.GetIndent());
            for (const int language : {1033, 1036})
                item->SetCaptions(language, question.GetLongCaption(language),
                                  question.GetShortCaption(language));
            for (int r = 0; r < question.GetModalityCount(); ++r) {
                auto response = std::make_unique<qnr::CModalite>();
                response->SetCode(r + 1);
                response->SetEntryCode(QString::number(r + 1));
                for (const int language : {1033, 1036})
                    response->SetShortCaption(language,
                                              question.GetModality(r)->GetShortCaption(language));
                item->AddModalite(std::move(response));
            }
            source.AddQuestion(std::move(item));
        }
        source.PreparerSaisie();
        return source;
    }

    static void Write(const CCampaign& campaign, const QString& path)
    {
        CDBAccessDAO storage;
        storage.SetFilePath(path);
        if (!storage.CreateDatabase() || !storage.Save(campaign))
            qFatal("cannot save the benchmark campaign: %s", qPrintable(storage.GetErrorText()));
        storage.Close();
    }
};

SOpenFixture& OpenFixture()
{
    static SOpenFixture fixture;
    return fixture;
}

// The batch run's headless open: read the file, then compare the campaign with its 30 sources.
// Arg: the comparison's threads; 0 opens the load-only file (the load alone).
void BM_OpenCampaign(benchmark::State& state)
{
    SOpenFixture& fixture = OpenFixture();
    const int threads = int(state.range(0));
    const QString& file = threads == 0 ? fixture.LoadOnlyFile : fixture.CheckedFile;
    CWaveApp app;
    app.SetSourceCheckThreads(threads);
    for (auto _ : state) {
        // A batch run opens into an application without a campaign: freeing the last one is
        // not timed.
        state.PauseTiming();
        app.DestroyCampaignObjects();
        state.ResumeTiming();
        QString error;
        if (!app.OpenCampaignHeadless(file, error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["threads"] = double(threads);
}

// The comparison alone, as the headless open runs it on a campaign just read (its sources not
// loaded yet). Arg: the threads.
void BM_OpenCampaignCompare(benchmark::State& state)
{
    CWaveApp app;
    for (auto _ : state) {
        // Untimed: the load-only file read, its volumes then marked reconciled as the checked
        // file holds them.
        state.PauseTiming();
        app.DestroyCampaignObjects();
        QString error;
        if (!app.OpenCampaignHeadless(OpenFixture().LoadOnlyFile, error))
            qFatal("cannot open the benchmark campaign: %s", qPrintable(error));
        CCampaign& campaign = *app.GetCampaign();
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave& wave = *campaign.GetWave(w);
            for (int v = 0; v < wave.GetVolumeCount(); ++v)
                wave.GetVolume(v)->SetStatus(VOLUME_RECONCILED);
        }
        state.ResumeTiming();
        SSourceComparisonLists lists;
        if (!CompareSourcesParallel(nullptr, campaign, lists, int(state.range(0))))
            state.SkipWithError("the comparison found differences");
    }
    state.counters["threads"] = double(state.range(0));
}

BENCHMARK(BM_CampaignSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveCampaign)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawSqliteInsert)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CampaignLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawSqliteScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenCampaign)
    ->Arg(0)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_OpenCampaignCompare)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
