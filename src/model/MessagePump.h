#pragma once

// Keeps the interface alive between the steps of long work on its thread: dispatches the
// pending window messages and lets the application do its idle work. False when the program
// is closing down.

namespace pelko_wave {

bool PumpMessages();

} // namespace pelko_wave
