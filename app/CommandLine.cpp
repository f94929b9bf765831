#include "app/CommandLine.h"

namespace verdin {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            line.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "-o" || argument == "--output-dir") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                line.error = argument + " needs a folder";
                return line;
            }
            line.outputFolder = arguments[++i];
        } else {
            line.error = "unknown option " + argument;
            return line;
        }
    }
    return line;
}

std::string_view UsageText()
{
    return "Usage: verdin [-o DIR] [FILE...]\n"
           "       verdin --render FILE.x|FILE.glb|FILE.gltf OUT.png [--size WxH] [--turn YAW,PITCH]\n"
           "\n"
           "Verdin's desktop program converts COB models (and DirectX .x files) into\n"
           "DirectX .x or glTF files. Started with FILEs, it lists them, converts them at\n"
           "once with the options last chosen in the window and quits: status 0 when\n"
           "every file was converted, 1 when any was not. The files are written beside\n"
           "each model file unless -o is given.\n"
           "\n"
           "  -o, --output-dir DIR  write the converted files into DIR, made when missing\n"
           "  --render              draw a converted file into a PNG picture, without a window\n"
           "  --help                print this text and exit\n"
           "  --version             print the version and exit\n"
           "\n"
           "Qt's own options, such as -platform NAME, are taken too.\n";
}

}  // namespace verdin
