// Saves a large generated campaign into an existing campaign file. The test of a save that is
// killed half-way starts it, waits for "saving" on its standard output and kills it.
//
//   plim_storage_save_helper <campaign file> <questions>

#include "CampaignGenerator.h"
#include "storage/DBAccessDAO.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <campaign file> <questions>\n", argv[0]);
        return 2;
    }
    SCampaignSize size;
    size.Questions = QString::fromLocal8Bit(argv[2]).toInt();
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
    std::printf("saving\n");
    std::fflush(stdout);
    if (!storage.Save(*campaign)) {
        std::fprintf(stderr, "%s\n", qPrintable(storage.GetErrorText()));
        return 1;
    }
    std::printf("saved\n");
    std::fflush(stdout);
    return 0;
}
