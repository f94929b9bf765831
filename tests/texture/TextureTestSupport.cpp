#include "TextureTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace verdin::test {

std::optional<Ppm> ParsePpm(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string magic;
    Ppm ppm;
    int maximum = 0;
    if (!(in >> magic >> ppm.width >> ppm.height >> maximum) || magic != "P6" || maximum != 255 || in.get() != '\n')
        return std::nullopt;
    const auto start = static_cast<std::size_t>(in.tellg());
    const auto count = static_cast<std::size_t>(ppm.width) * static_cast<std::size_t>(ppm.height);
    if (bytes.size() - start != count * 3)
        return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[start + 3 * i + k]); };
        ppm.pixels.push_back({byte(0), byte(1), byte(2)});
    }
    return ppm;
}

std::vector<Colour> ColoursOf(const Picture& picture)
{
    std::vector<Colour> colours;
    for (const auto& row : picture)
        for (std::uint8_t index : row)
            colours.push_back(PaletteColour(index));
    return colours;
}

std::vector<BrokenBitmap> BrokenBitmaps()
{
    const std::string good = BmpBuilder(NumberedPicture(5, 3)).ColoursUsed(16).Bytes();
    const auto with = [](std::string bytes, std::size_t offset, std::uint32_t value) {
        PutUint32(bytes, offset, value);
        return bytes;
    };
    return {
        {"Empty", ""},
        {"ShorterThanItsHeaders", good.substr(0, 53)},
        {"BitCountCutOff", good.substr(0, 29)},
        {"InfoHeaderTooShortForItsFields", with(good, kBiSize, 12)},
        {"InfoHeaderPastTheEnd", with(good, kBiSize, 100000)},
        {"PalettePastTheEnd", with(good, kBiClrUsed, 200)},
        {"LargestPalette", with(good, kBiClrUsed, 0xFFFFFFFF)},
        {"LastRowCutShort", good.substr(0, good.size() - 4)},
        {"ZeroWidth", with(good, kBiWidth, 0)},
        {"ZeroHeight", with(good, kBiHeight, 0)},
        {"NegativeWidth", with(good, kBiWidth, static_cast<std::uint32_t>(-5))},
        {"LowestHeight", with(good, kBiHeight, 0x80000000)},
        {"WidthTheFileCannotHold", with(good, kBiWidth, 100000)},
        {"LargestSides", with(with(good, kBiWidth, 0x7FFFFFFF), kBiHeight, 0x7FFFFFFF)},
    };
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ShellQuoted(const std::string& path)
{
    // Appended piece by piece: "\"" + path makes GCC 12 warn falsely of an
    // overlapping copy (-Wrestrict) at -O3.
    std::string quoted = "\"";
    quoted += path;
    quoted += '"';
    return quoted;
}

std::optional<ToolRun> RunNetpbm(const std::string& program, const std::string& arguments, const TempDir& scratch)
{
    const std::string log = scratch.Path(program + ".out");
    if (std::system((program + " -version > \"" + log + "\" 2>&1").c_str()) != 0)
        return std::nullopt;
    ToolRun run;
    run.failed = std::system((program + " " + arguments + " > \"" + log + "\"").c_str()) != 0;
    run.output = ReadFile(log);
    return run;
}

}  // namespace verdin::test
