#pragma once

namespace verdin {

// Called from a signal handler: may only make async-signal-safe calls.
using StopRequest = void (*)();

// Handles Ctrl+C, termination and hang-up (SIGINT, SIGTERM, SIGHUP) alike:
// the first asks the program to stop through `request`; the next removes the
// temporary files being written and ends the process at once with status
// 128 + the signal's number. A closed pipe or the file-size limit (SIGPIPE,
// SIGXFSZ) ends it so at once, unless the starting process ignores them. On
// Windows the console's Ctrl+C, Ctrl+Break and close events do the same.
void HandleStopSignals(StopRequest request);

}  // namespace verdin
