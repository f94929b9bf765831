#pragma once

namespace verdin {

// Makes the Windows build's standard output what the other systems' is: the
// report's bytes as they are (no "\n" turned into "\r\n"), shown on the
// console as UTF-8, the code page the program runs in.
void PrepareWindowsConsole();

}  // namespace verdin
