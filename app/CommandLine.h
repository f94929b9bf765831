#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdin {

// What the desktop program was asked for by its arguments (Qt's own options
// taken out): file names are kept as the bytes given.
struct CommandLine {
    std::vector<std::string> files;
    std::string outputFolder;  // -o DIR; empty: beside each model file
    bool help = false;
    bool version = false;
    std::string error;  // a bad argument, said for standard error; empty when none
};

// `-o DIR` and `--output-dir DIR` before or among the files, `--help`,
// `--version`; "--" ends the options, so that a file may start with "-".
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// What `verdin --help` prints.
std::string_view UsageText();

}  // namespace verdin
