// Links every core library into one program, so that the libraries it needs at run time can be
// read from it.
#include "app/WaveApp.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication qtApp(argc, argv);
    CWaveApp app;
    return app.IsBatchRun() ? 1 : 0;
}
