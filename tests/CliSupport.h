#pragma once

#include "CobBuilder.h"
#include "TestSupport.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace verdin::test {

// What verdin-cli printed, and how it ended.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line, capturing what it prints.
CliRun RunShell(const TempDir& dir, const std::string& commandLine);
// Runs verdin-cli with `arguments` (already quoted for the shell).
CliRun RunCli(const TempDir& dir, const std::string& arguments, const std::string& environment = "");
// A path in single quotes, for a shell command line.
std::string Quoted(const std::string& path);

// verdin-cli with `arguments`, its standard output going to `out`; its process id.
pid_t SpawnCli(const std::vector<std::string>& arguments, const std::string& out);
// Waits up to a minute for `seen` to come true.
bool Eventually(const std::function<bool()>& seen);
int ExitStatusOf(pid_t child);
std::size_t TemporariesIn(const std::string& folder);

// A model of one point, and one of a triangle whose material names `texture`.
CobBuilder Model();
CobBuilder TexturedModel(const std::string& texture);
// A model of side * side quads.
CobBuilder Grid(int side);

inline const std::string kPngSignature = "\x89PNG\r\n\x1a\n";

}  // namespace verdin::test
