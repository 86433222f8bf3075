#pragma once
// Marks along the program's start, for the start-up benchmark: when the environment variable
// TARN_STARTUP_TRACE names a file, each mark's time since the process was created is kept, and Write puts
// them there, one "milliseconds name" line each. Without the variable a mark costs one test of a flag.

namespace fw::startup {

void Mark(const char* name);
// Writes the marks once; later calls do nothing.
void Write();

}  // namespace fw::startup
