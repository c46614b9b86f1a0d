#include "app/WaveApp.h"
#include "platform/WaveCmdLineInfo.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

int main(int argc, char* argv[])
{
    // A batch run never needs a display, so which Qt application object to make is decided
    // from the arguments before anything else. The window program will make a QApplication
    // here; until it exists both runs make the console one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCoreApplication qtApp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pelko"));
    QCoreApplication::setApplicationName(QStringLiteral("Plim"));

    CWaveApp app;
    app.InitInstance(arguments);
    return app.ExitInstance();
}
