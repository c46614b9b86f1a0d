// Saves a large generated campaign into an existing campaign file, for the test of a save that
// is killed half-way.
//
//   plim_storage_save_helper <campaign file> <questions> [<rows>]
//
// It prints "saving" when the save begins. Without <rows> it saves to the end and prints
// "saved <n>", n being the rows that the save inserted, updated or deleted. With <rows> it
// prints "written <rows>" once the save has changed that many rows, and stops there, inside the
// save's open transaction, until it is killed (or its standard input closes, when it exits
// without committing): the test kills it at a point of the save that no machine load can move.

#include "CampaignGenerator.h"
#include "storage/DBAccessDAO.h"

#include <QCoreApplication>
#include <QString>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct SRowCount
{
    long long Changed = 0;
    long long StopAt = 0; // 0: never stop
};

// Called by the engine for every row the save changes, before the transaction commits.
void CountRow(void* context, int, const char*, const char*, sqlite3_int64)
{
    auto& count = *static_cast<SRowCount*>(context);
    if (++count.Changed != count.StopAt)
        return;
    std::printf("written %lld\n", count.Changed);
    std::fflush(stdout);
    // Waits to be killed. Standard input stays open as long as the test runs; a test that went
    // away closes it, and the helper then leaves without letting the save go on.
    while (std::fgetc(stdin) != EOF) {
    }
    std::_Exit(3);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <campaign file> <questions> [<rows>]\n", argv[0]);
        return 2;
    }
    SCampaignSize size;
    size.Questions = QString::fromLocal8Bit(argv[2]).toInt();
    SRowCount count;
    if (argc == 4)
        count.StopAt = QString::fromLocal8Bit(argv[3]).toLongLong();
    // Other ids than the campaign in the file, so that the save rewrites every row.
    const auto campaign = GenerateCampaign(size, 1000000);
    CDBAccessDAO storage;
    storage.SetFilePath(QString::fromLocal8Bit(argv[1]));
    if (!storage.Open()) {
        std::fprintf(stderr, "%s\n", qPrintable(storage.GetErrorText()));
        return 1;
    }
    // A small page cache: the save writes into the file long before it commits, as a save
    // larger than the cache does.
    storage.GetDatabase().Execute(QStringLiteral("PRAGMA cache_size = -256"));
    sqlite3_update_hook(storage.GetDatabase().GetHandle(), CountRow, &count);
    std::printf("saving\n");
    std::fflush(stdout);
    if (!storage.Save(*campaign)) {
        std::fprintf(stderr, "%s\n", qPrintable(storage.GetErrorText()));
        return 1;
    }
    std::printf("saved %lld\n", count.Changed);
    std::fflush(stdout);
    return 0;
}
