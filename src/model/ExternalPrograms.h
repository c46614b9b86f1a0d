#pragma once

#include <QString>

// Starting the programs that work beside this one.

namespace pelko_wave {

// Which sibling program GetSiblingProgramCommand reads.
enum ESiblingProgram
{
    SIBLING_QUILL = 0,
    SIBLING_TALLY = 1
};

// Starts the program, with the argument when it is not empty, as a process of its own that is
// not waited for. False when it cannot be started.
bool LaunchExternalProgram(const QString& programPath, const QString& argument);
// The path of the sibling program from the program's settings (the stored open command with
// its quotes and "%1" argument taken off). False when the settings hold none.
bool GetSiblingProgramCommand(QString& path, int which);

} // namespace pelko_wave
