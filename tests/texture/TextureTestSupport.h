#pragma once

#include "BmpBuilder.h"
#include "TestSupport.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace verdin::test {

// A binary PPM file read back: exactly "P6\n<w> <h>\n255\n" and w * h pixels.
struct Ppm {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // top row first

    Colour At(int row, int column) const { return pixels.at(static_cast<std::size_t>(row * width + column)); }
};
std::optional<Ppm> ParsePpm(const std::string& bytes);

// The colours a picture shows through the builder's palette.
std::vector<Colour> ColoursOf(const Picture& picture);

// A bitmap that no converter may accept, with what is wrong with it.
struct BrokenBitmap {
    std::string name;
    std::string bytes;
};
std::vector<BrokenBitmap> BrokenBitmaps();

// Writes bytes as a file's whole content; false when it cannot.
bool WriteBytes(const std::string& path, const std::string& bytes);

// The names of the files in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// A path in double quotes, for a shell command line.
std::string ShellQuoted(const std::string& path);

// Output of a Netpbm program run on a file, or nothing when the program is
// not installed. `failed` is set when it ran and refused the file.
struct ToolRun {
    std::string output;
    bool failed = false;
};
std::optional<ToolRun> RunNetpbm(const std::string& program, const std::string& arguments, const TempDir& scratch);

}  // namespace verdin::test
