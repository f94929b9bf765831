// Conversion speed and memory on large generated models: a textured grid of a
// million quads under each facet type (and of 490,000 smooth ones), the same
// grid (auto angle) in the text form, files of many small objects and fans of
// many faces around one vertex; the binary step on the smooth grid, after its
// conversion and on its text .x alone.
// Each conversion is a run of verdin-cli, so its peak memory is its own.
// Where the assimp command is installed, its export of the same file to .x is
// timed in the same run.

#include "CobTextBodies.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace verdin::test;

// The generated models and their outputs, removed when the run ends.
class BenchFolder {
public:
    BenchFolder() : m_path(std::filesystem::temp_directory_path() / ("verdin-bench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& Folder()
{
    static const BenchFolder folder;
    return folder.Path();
}

// A side × side grid of quads, every corner with its own coordinate.
PolygonSpec Grid(int side)
{
    PolygonSpec grid = NamedPolygon("grid");
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x) {
            const float height = static_cast<float>((x * 7 + y * 13) % 17) * 0.01f;
            grid.vertices.push_back({static_cast<float>(x), static_cast<float>(y), height});
            grid.uvs.push_back({static_cast<float>(x) / side, static_cast<float>(y) / side});
        }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int v = y * (side + 1) + x;
            grid.faces.push_back(
                {0x10, 0, {{v, v}, {v + 1, v + 1}, {v + side + 2, v + side + 2}, {v + side + 1, v + side + 1}}});
        }
    return grid;
}

MaterialSpec GridMaterial(char facet)
{
    return {0, facet, 40, {0.8f, 0.7f, 0.6f}, 0.3f, MapSpec{0x02, "grid.ppm", {0, 0}, {1, 1}}};
}

std::string BinaryGrid(int side, char facet)
{
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(Grid(side)))
        .Chunk("Mat1", 0, 6, 2, 1, Mat1Body(GridMaterial(facet)))
        .End()
        .Data();
}

std::string TextGrid(int side)
{
    const MaterialSpec material = GridMaterial('a');
    return kTextHeader + TextChunk("PolH", 8, 1, 0, TextPolH(Grid(side))) +
           TextChunk("Mat1", 6, 2, 1, TextMat1(material)) + TextChunk("ShBx", 4, 3, 2, TextShaders(*material.texture)) +
           kTextEnd;
}

CobBuilder SmallObjects(int count)
{
    CobBuilder cob;
    cob.Header();
    for (int i = 0; i < count; ++i) {
        PolygonSpec cube = NamedPolygon("cube" + std::to_string(i));
        const float x = static_cast<float>(i % 50) * 3, y = static_cast<float>(i / 50) * 3;
        for (int c = 0; c < 8; ++c)
            cube.vertices.push_back({x + (c & 1), y + ((c >> 1) & 1), static_cast<float>((c >> 2) & 1)});
        for (auto side :
             {std::array{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {1, 3, 7, 5}, {0, 4, 6, 2}}) {
            FaceSpec face;
            for (int v : side)
                face.corners.emplace_back(v, 0);
            cube.faces.push_back(face);
        }
        cube.position = {{{1, 0, 0, x}, {0, 1, 0, y}, {0, 0, 1, 0}}};
        cob.Chunk("PolH", 0, 8, 2 * i + 1, 0, PolHBody(cube));
        cob.Chunk("Mat1", 0, 6, 2 * i + 2, 2 * i + 1, Mat1Body({0, 's', 30, {1, 1, 1}, 0.1f, std::nullopt}));
    }
    return cob.End();
}

// A flat fan of `faces` triangles around one vertex: with an auto-angle
// material, or textured with a coordinate of its own for the centre of each.
std::string Fan(int faces, bool textured)
{
    PolygonSpec fan = NamedPolygon("fan");
    fan.vertices.push_back({0, 0, 0});
    for (int k = 0; k < faces; ++k) {
        const double angle = 6.283185307179586 * k / faces;
        fan.vertices.push_back({static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)), 0});
        fan.uvs.push_back({static_cast<float>(k) / static_cast<float>(faces), 0.5f});
        fan.faces.push_back({0x10, 0, {{0, k}, {k + 1, k}, {(k + 1) % faces + 1, k}}});
    }
    const MaterialSpec material = textured ? MaterialSpec{0, 'f', 40, {1, 1, 1}, 0, MapSpec{0x02, "fan.ppm"}}
                                           : MaterialSpec{0, 'a', 40, {1, 1, 1}, 0, std::nullopt};
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(fan))
        .Chunk("Mat1", 0, 6, 2, 1, Mat1Body(material))
        .End()
        .Data();
}

const std::string& Model(const std::string& name)
{
    static std::map<std::string, std::string> paths;
    auto& path = paths[name];
    if (path.empty()) {
        path = (Folder() / (name + ".cob")).string();
        std::string cob;
        if (name.starts_with("objects"))
            cob = SmallObjects(std::stoi(name.substr(7))).Data();
        else if (name.starts_with("fan"))  // "fan-auto-N", "fan-textured-N"
            cob = Fan(std::stoi(name.substr(name.rfind('-') + 1)), name.starts_with("fan-textured"));
        else if (name == "text")
            cob = TextGrid(1000);
        else  // "smooth", "flat", "auto", or "smooth-N" for a side of N
            cob = BinaryGrid(name.find('-') == std::string::npos ? 1000 : std::stoi(name.substr(name.find('-') + 1)),
                             name[0]);
        std::ofstream(path, std::ios::binary) << cob;
    }
    return path;
}

// Converts with verdin-cli; its own peak resident memory in bytes. A child
// spawned from this process starts its peak from this process's own (the
// models built here), so GNU time, small and freshly started, runs it and
// reports the peak.
double RunCli(std::vector<std::string> options)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words = {"/usr/bin/time", "-f%M", "-o" + (Folder() / "peak").string(), VERDIN_CLI};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return 0;
    int status = 0;
    waitpid(child, &status, 0);
    double kilobytes = 0;
    std::ifstream(Folder() / "peak") >> kilobytes;
    return kilobytes * 1024;
}

double SecondsOf(const std::string& command)
{
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return status == 0 ? elapsed.count() : 0;
}

void Convert(benchmark::State& state, const std::string& name)
{
    // The converter reads text-form files only when asked.
    const std::string option = name == "text" ? "--ascii" : "--no-ascii";
    const std::string& cob = Model(name);
    const std::string output = cob.substr(0, cob.size() - 4) + ".x";
    double peak = 0;
    double seconds = 0;
    for (auto _ : state) {
        // Neither converter pays for freeing an earlier output of its own.
        std::filesystem::remove(output);
        const auto start = std::chrono::steady_clock::now();
        peak = std::max(peak, RunCli({option, cob}));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    seconds /= static_cast<double>(state.iterations());

    const double cobBytes = static_cast<double>(std::filesystem::file_size(cob));
    const double outputBytes = static_cast<double>(std::filesystem::file_size(output));
    state.counters["cob_MB"] = cobBytes / 1e6;
    state.counters["x_MB"] = outputBytes / 1e6;
    state.counters["x_MBps"] = benchmark::Counter(outputBytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_cob"] = peak / cobBytes;
    if (std::system("command -v assimp >/dev/null 2>&1") == 0) {
        std::filesystem::remove(Folder() / "assimp.x");
        const double assimp =
            SecondsOf("assimp export '" + cob + "' '" + (Folder() / "assimp.x").string() + "' -fx >/dev/null 2>&1");
        state.counters["assimp_s"] = assimp;
        state.counters["assimp_ratio"] = assimp / seconds;
    }
}

// The model as a .glb file: its time and peak against the .x conversion of
// the same file in the same run (glb_per_x), and against assimp's export of
// it to .glb.
void ConvertGlb(benchmark::State& state, const std::string& name)
{
    const std::string& cob = Model(name);
    const std::string stem = cob.substr(0, cob.size() - 4);
    const auto timed = [](const std::vector<std::string>& options, double& peak) {
        const auto start = std::chrono::steady_clock::now();
        peak = std::max(peak, RunCli(options));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double peak = 0, seconds = 0, xPeak = 0, xSeconds = 0;
    for (auto _ : state) {
        std::filesystem::remove(stem + ".glb");
        seconds += timed({"--to", "glb", cob}, peak);
        state.PauseTiming();
        std::filesystem::remove(stem + ".x");
        xSeconds += timed({cob}, xPeak);
        state.ResumeTiming();
    }
    seconds /= static_cast<double>(state.iterations());
    xSeconds /= static_cast<double>(state.iterations());

    const double cobBytes = static_cast<double>(std::filesystem::file_size(cob));
    state.counters["glb_MB"] = static_cast<double>(std::filesystem::file_size(stem + ".glb")) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_cob"] = peak / cobBytes;
    state.counters["x_peak_MB"] = xPeak / 1e6;
    state.counters["x_s"] = xSeconds;
    state.counters["glb_per_x"] = seconds / xSeconds;
    if (std::system("command -v assimp >/dev/null 2>&1") == 0) {
        std::filesystem::remove(Folder() / "assimp.glb");
        const double assimp = SecondsOf("assimp export '" + cob + "' '" + (Folder() / "assimp.glb").string() +
                                        "' -fglb2 >/dev/null 2>&1");
        state.counters["assimp_s"] = assimp;
        state.counters["assimp_ratio"] = assimp / seconds;
    }
}

// The text .x of the smooth grid, converted once without the binary step.
const std::string& GridText()
{
    static const std::string path = [] {
        const std::string& cob = Model("smooth");
        RunCli({"--no-ascii", "--no-binary", cob});
        const std::string text = (Folder() / "grid-text.x").string();
        std::filesystem::rename(cob.substr(0, cob.size() - 4) + ".x", text);
        return text;
    }();
    return path;
}

bool IsBinaryX(const std::string& path)
{
    std::string header(16, '\0');
    std::ifstream(path, std::ios::binary).read(header.data(), 16);
    return header.starts_with("xof 0302bin ");
}

// Text megabytes per second over the whole run, and the peak as a multiple
// of the run's input.
void SetBinaryCounters(benchmark::State& state, double peak, double inputBytes)
{
    const double textBytes = static_cast<double>(std::filesystem::file_size(GridText()));
    state.counters["text_MB"] = textBytes / 1e6;
    state.counters["text_MBps"] = benchmark::Counter(textBytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_input"] = peak / inputBytes;
}

// The conversion with the binary step; its input is the COB file.
void ConvertToBinary(benchmark::State& state)
{
    const std::string& cob = Model("smooth");
    GridText();
    double peak = 0;
    for (auto _ : state)
        peak = std::max(peak, RunCli({"--no-ascii", "--binary", cob}));
    if (!IsBinaryX(cob.substr(0, cob.size() - 4) + ".x"))
        state.SkipWithError("no binary .x written");
    state.counters["cob_MB"] = static_cast<double>(std::filesystem::file_size(cob)) / 1e6;
    SetBinaryCounters(state, peak, static_cast<double>(std::filesystem::file_size(cob)));
}

// The binary step alone on the text .x, put in place afresh for each run.
void TextToBinary(benchmark::State& state)
{
    const std::string& text = GridText();
    const std::string work = (Folder() / "x-to-binary.x").string();
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(text, work, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        peak = std::max(peak, RunCli({"--x-to-binary", work}));
    }
    if (!IsBinaryX(work))
        state.SkipWithError("no binary .x written");
    SetBinaryCounters(state, peak, static_cast<double>(std::filesystem::file_size(text)));
}

BENCHMARK_CAPTURE(Convert, textured_smooth_490k_quads, std::string("smooth-700"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(Convert, textured_smooth_1M_quads, std::string("smooth"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Convert, textured_flat_1M_quads, std::string("flat"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Convert, textured_auto_angle_1M_quads, std::string("auto"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Convert, text_form_auto_angle_1M_quads, std::string("text"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Convert, small_objects_2000, std::string("objects2000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
// Ten times as many objects, each with its own material, in ten times the time.
BENCHMARK_CAPTURE(Convert, small_objects_20000, std::string("objects20000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Fans of ten times as many faces, in about ten times the time.
BENCHMARK_CAPTURE(Convert, auto_angle_fan_8000, std::string("fan-auto-8000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(Convert, auto_angle_fan_80000, std::string("fan-auto-80000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Convert, textured_fan_8000, std::string("fan-textured-8000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(Convert, textured_fan_80000, std::string("fan-textured-80000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

BENCHMARK_CAPTURE(ConvertGlb, glb_textured_smooth_1M_quads, std::string("smooth"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ConvertGlb, glb_small_objects_20000, std::string("objects20000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ConvertGlb, glb_textured_fan_80000, std::string("fan-textured-80000"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(ConvertToBinary)
    ->Name("binary_step_textured_smooth_1M_quads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(TextToBinary)
    ->Name("x_to_binary_textured_smooth_1M_quads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
