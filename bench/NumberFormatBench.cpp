// Formatting of the numbers a .x file is made of: floats of coordinates,
// normals and colours, written as "%f".

#include "base/NumberFormat.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

std::vector<double> FloatValues()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-1000.0f, 1000.0f), unit(-1.0f, 1.0f);
    std::vector<double> values;
    for (int i = 0; i < 1'000'000; ++i)
        values.push_back(i % 2 ? coordinate(random) : unit(random));
    return values;
}

void WriteFloats(benchmark::State& state)
{
    const std::vector<double> values = FloatValues();
    std::vector<char> buffer(values.size() * 16);
    for (auto _ : state) {
        char* out = buffer.data();
        for (double value : values)
            out = verdin::WriteFloat(out, value);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

BENCHMARK(WriteFloats)->Unit(benchmark::kMillisecond);

}  // namespace
