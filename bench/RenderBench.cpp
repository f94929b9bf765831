// The preview's speed and memory: a million triangles drawn at 800 × 600 on
// one core, and `verdin --render` on the .x file of a 490,000-quad smooth
// grid (980,000 triangles), read through its own process, whose peak memory
// is compared with the size of the file's geometry (its binary form), with
// and without what the program takes for an empty file.

#include "CobBodies.h"

#include "render/Rasterizer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace verdin;

float Height(int x, int y)
{
    return 0.2f * std::sin(static_cast<float>(x) * 0.05f) * std::cos(static_cast<float>(y) * 0.07f);
}

// A side × side grid of quads, two triangles each, over a wavy surface.
render::Scene WavyGrid(int side)
{
    render::SceneMesh mesh;
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x) {
            mesh.positions.push_back({static_cast<float>(x) / side, static_cast<float>(y) / side, Height(x, y)});
            mesh.normals.push_back({0.3f * std::sin(x * 0.1f), 0.3f * std::cos(y * 0.1f), -1});
        }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const auto v = static_cast<std::uint32_t>(y * (side + 1) + x),
                       up = v + static_cast<std::uint32_t>(side) + 1;
            mesh.triangles.push_back({{v, up, v + 1}, {v, up, v + 1}, 0});
            mesh.triangles.push_back({{v + 1, up, up + 1}, {v + 1, up, up + 1}, 0});
        }
    mesh.materials.push_back({{0.8f, 0.6f, 0.3f}, {}, {}, -1});
    render::Scene scene;
    scene.meshes.push_back(std::move(mesh));
    return scene;
}

void Render1MTriangles(benchmark::State& state)
{
    const render::Scene scene = WavyGrid(707);
    for (auto _ : state)
        benchmark::DoNotOptimize(render::Render(scene, {}, 800, 600));
    state.counters["triangles"] = static_cast<double>(scene.meshes[0].triangles.size());
}
BENCHMARK(Render1MTriangles)->Unit(benchmark::kMillisecond)->UseRealTime();

// A temporary folder for the files of one run.
struct Folder {
    std::filesystem::path path = std::filesystem::temp_directory_path() / ("verdin-render-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

double PeakOf(const Folder& folder, const std::string& command)
{
    const std::string peak = folder / "peak";
    if (std::system(("/usr/bin/time -f%M -o '" + peak + "' " + command + " >/dev/null 2>&1").c_str()) != 0)
        return 0;
    double kilobytes = 0;
    std::ifstream(peak) >> kilobytes;
    return kilobytes * 1024;
}

void RenderCommandOn490kQuads(benchmark::State& state)
{
    const Folder folder;
    test::PolygonSpec grid = test::QuadGrid(700);
    for (auto& vertex : grid.vertices)
        vertex[2] = Height(static_cast<int>(vertex[0]), static_cast<int>(vertex[1])) * 20;
    const std::string cob = folder / "grid.cob", x = folder / "grid.x", binary = folder / "binary.x";
    test::CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, test::PolHBody(grid))
        .Chunk("Mat1", 0, 6, 2, 1, test::Mat1Body({0, 's', 30, {0.8f, 0.6f, 0.3f}, 0, std::nullopt}))
        .End()
        .WriteTo(cob);
    if (std::system(("'" VERDIN_CLI "' '" + cob + "' >/dev/null").c_str()) != 0) {
        state.SkipWithError("verdin-cli failed");
        return;
    }
    std::filesystem::copy_file(x, binary);
    if (std::system(("'" VERDIN_CLI "' --x-to-binary --no-templates '" + binary + "' >/dev/null").c_str()) != 0) {
        state.SkipWithError("verdin-cli --x-to-binary failed");
        return;
    }
    const std::string render = "env QT_QPA_PLATFORM=offscreen '" VERDIN_APP "' --render '" + x + "' '" +
                               (folder / "grid.png") + "' --size 800x600";
    double peak = 0;
    for (auto _ : state)
        peak = std::max(peak, PeakOf(folder, render));
    // What the program takes for itself: its libraries and an empty picture.
    std::ofstream(folder / "empty.x") << "xof 0302txt 0032\n";
    const double program =
        PeakOf(folder, "env QT_QPA_PLATFORM=offscreen '" VERDIN_APP "' --render '" + (folder / "empty.x") + "' '" +
                           (folder / "empty.png") + "' --size 800x600");
    const auto geometry = static_cast<double>(std::filesystem::file_size(binary));
    state.counters["x_MB"] = static_cast<double>(std::filesystem::file_size(x)) / 1e6;
    state.counters["geometry_MB"] = geometry / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_geometry"] = peak / geometry;
    state.counters["program_MB"] = program / 1e6;
    state.counters["scene_per_geometry"] = (peak - program) / geometry;
}
BENCHMARK(RenderCommandOn490kQuads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
