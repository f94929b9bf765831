#include <benchmark/benchmark.h>

#include <string>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace {

// A converter-style text file of a single big mesh, made once.
const std::string& BigText()
{
    static const std::string text = verdin::xof::test::BigMeshFile(60u << 20);
    return text;
}

void TextToBinary(benchmark::State& state)
{
    const std::string& text = BigText();
    for (auto _ : state) {
        auto bytes = verdin::xof::TextToBinary(text, verdin::xof::BinaryOptions::None);
        if (!bytes) {
            state.SkipWithError(bytes.GetError().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(bytes.Value().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}

void ParseText(benchmark::State& state)
{
    const std::string& text = BigText();
    for (auto _ : state) {
        auto document = verdin::xof::ParseText(text);
        benchmark::DoNotOptimize(document.HasValue());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void WriteBinary(benchmark::State& state)
{
    const auto document = verdin::xof::ParseText(BigText());
    for (auto _ : state) {
        auto bytes = verdin::xof::WriteBinary(document.Value(), verdin::xof::BinaryOptions::None);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigText().size()));
}

void WriteText(benchmark::State& state)
{
    const auto document = verdin::xof::ParseText(BigText());
    std::size_t written = 0;
    for (auto _ : state) {
        auto text = verdin::xof::WriteText(document.Value(), verdin::xof::BinaryOptions::None);
        written = text.Value().size();
        benchmark::DoNotOptimize(text.Value().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}

void ParseBinary(benchmark::State& state)
{
    const auto bytes = verdin::xof::TextToBinary(BigText(), verdin::xof::BinaryOptions::None);
    for (auto _ : state) {
        auto document = verdin::xof::ParseBinary(bytes.Value());
        benchmark::DoNotOptimize(document.HasValue());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.Value().size()));
}

void Decompress(benchmark::State& state)
{
    const std::string compressed = verdin::xof::test::Compress(BigText());
    for (auto _ : state) {
        auto plain = verdin::xof::Decompress(compressed);
        benchmark::DoNotOptimize(plain.HasValue());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigText().size()));
    state.counters["compressed_MB"] = static_cast<double>(compressed.size()) / 1e6;
}

}  // namespace

BENCHMARK(TextToBinary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ParseText)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteText)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(Decompress)->Unit(benchmark::kMillisecond);
