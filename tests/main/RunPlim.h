#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

// Running the built program as a user runs it, for the tests of its command line.

struct SRun
{
    int ExitCode = -1;
    bool Crashed = false;
    QByteArray Out;
    QByteArray Err;
    qint64 Milliseconds = 0;
};

// Runs the program headless, with a runtime folder of its own (no launcher FIFOs) and a user
// profile and data folder of its own, so that no test touches the real ones; in the test's own
// folder unless another is given.
// A display variable of the form "NAME=value" is set for the run.
inline SRun RunPlim(const QStringList& arguments, const QString& workingDirectory = QString(),
                    const QString& display = QString())
{
    static QTemporaryDir user;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (const qsizetype equals = display.indexOf(QLatin1Char('=')); equals > 0)
        environment.insert(display.left(equals), display.mid(equals + 1));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), user.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), user.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), user.filePath(QStringLiteral("data")));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(PLIM_EXECUTABLE), arguments);
    SRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.Milliseconds = timer.elapsed();
    run.Crashed = process.exitStatus() != QProcess::NormalExit;
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}
