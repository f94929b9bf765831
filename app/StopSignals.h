#pragma once

namespace verdin {

// Termination, hang-up and Ctrl+C close the windows as the user would: a
// running job stops after the current file's work and the settings are
// kept. A second such signal ends the program at once, without temporaries.
void CloseWindowsOnStopSignals();

}  // namespace verdin
