#include "app/WaveApp.h"
#include "platform/StdStreams.h"
#include "platform/WaveCmdLineInfo.h"
#include "shell/WindowProgram.h"

#include <QApplication>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace {

void NameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Pelko"));
    QCoreApplication::setApplicationName(QStringLiteral("Plim"));
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // A batch run, the usage text and a refused command line never need a display, so which Qt
    // application object to make is decided from the arguments before any is made.
    CWaveCmdLineInfo commandLine;
    const bool windows = commandLine.ParseCommandLine(arguments) && !commandLine.IsBatchRun();
    if (!windows) {
        QCoreApplication qtApp(argc, argv);
        NameTheProgram();
        CWaveApp app;
        app.InitInstance(arguments);
        return app.ExitInstance();
    }

    if (!CWindowProgram::IsDisplayNamed()) {
        WriteStdErrLine(CWindowProgram::NoDisplayMessage());
        return 1;
    }
    CWindowProgram::BeginDisplayCheck();
    QApplication qtApp(argc, argv);
    CWindowProgram::EndDisplayCheck();
    NameTheProgram();

    CWindowProgram program;
    CWaveApp app;
    app.SetWindowProgram([&program](CWaveApp& waveApp) { return program.Start(waveApp); });
    if (app.InitInstance(arguments))
        QApplication::exec();
    program.End();
    return app.ExitInstance();
}
