#pragma once

#include <QString>

// The standard streams of the program. A launcher that wants the batch run's lines makes three
// FIFOs in the user's runtime folder named after this process's id: "<pid>cout", "<pid>cin" and
// "<pid>cerr", and reads the first and last. Opening them never blocks: a FIFO with no reader
// is treated as absent. The folder and the FIFOs are used only when they are the user's own and
// give no access to group or others (no link followed); otherwise they count as absent.

// The folder of the launcher's FIFOs: $XDG_RUNTIME_DIR, else Qt's runtime location
// (<temp>/runtime-<user>).
QString LauncherStreamFolder();

// The three FIFOs of a process, opened; -1 where not open.
struct SLauncherStreams
{
    int Out = -1;
    int In = -1;
    int Err = -1;
};

// Opens the FIFOs of the process in the folder without blocking. True only when the folder and
// all three FIFOs are private to the user and the FIFOs opened (then in blocking mode for normal
// reads and writes); otherwise nothing stays open.
bool OpenLauncherStreams(const QString& folder, long long pid, SLauncherStreams& streams);

// Attaches standard output, input and error to this process's FIFOs when the launcher made
// them; else, when a console is allowed (a batch run), keeps the inherited terminal streams.
// True when the three streams are attached. A standard stream found closed is opened on
// /dev/null so that no file opened later takes its place.
bool AttachStdioToConsole(bool allowConsole);

// One line (UTF-8, then a line end) on standard output or standard error, flushed.
void WriteStdOutLine(const QString& line);
// A text as it stands (UTF-8, no line end added) on standard output, flushed.
void WriteStdOutText(const QString& text);
void WriteStdErrLine(const QString& line);
