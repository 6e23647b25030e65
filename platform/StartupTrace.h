#pragma once
// Where the start of the program spends its time. When the environment variable
// VELMORA_STARTUP_TRACE names a file, each Mark adds the time since the previous mark (the
// first: since the process was created) to the named phase, and the first time the program
// waits for input the phases are written to that file, one "<milliseconds> <phase>" a line,
// in the order they first appeared. Without the variable a mark costs one test of a flag.

namespace velmora::platform::StartupTrace {

void Mark(const char* phase);
// The program waits for input: writes the file and ends the trace.
void Idle();

}  // namespace velmora::platform::StartupTrace
