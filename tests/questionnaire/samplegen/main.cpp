// qnrsamples FOLDER: writes the sample tracking study (three waves in ZOZ, Triple-S and
// Dimensions) into a folder. The files under samples/ were made with it.

#include "SampleStudy.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qnrsamples FOLDER\n");
        return 2;
    }
    QString error;
    if (!WriteSampleStudy(args.at(1), error)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
        return 1;
    }
    return 0;
}
