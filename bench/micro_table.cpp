// The table markup over a whole sample, its output handed to a sink as a conversion does, so
// that narrow and wide rows can be compared per source byte.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "core/table_markup.h"
#include "micro_samples.h"
#include "tests/testkit/starting_settings.h"

namespace {

using tabulor::bench::TSampleKind;

class TCountingSink : public tabulor::TChunkSink {
public:
    tabulor::TChunk Take(tabulor::TChunk chunk) override
    {
        benchmark::DoNotOptimize(chunk.Data.get());
        Count += chunk.Size;
        return chunk;
    }
    std::size_t Count = 0;
};

// The rows' width is a parameter so that narrow and wide rows of the same cells compare per byte.
void AddTable(benchmark::State& state, TSampleKind kind, std::size_t cellsPerRow)
{
    const std::string& text = tabulor::bench::SampleText(kind, tabulor::bench::TLineEnd::CrLf, cellsPerRow);
    const tabulor::TConversionSettings settings = tabulor::testkit::StartingSettings();
    const std::string_view source = text;
    std::size_t outputSize = 0;
    for (auto _ : state) {
        TCountingSink sink;
        tabulor::TOutputLines output(&sink);
        tabulor::AddTableLines(source, output, settings);
        output.Flush();
        outputSize = sink.Count;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["output_per_input"] = static_cast<double>(outputSize) / static_cast<double>(text.size());
}

}  // namespace

BENCHMARK_CAPTURE(AddTable, typical, TSampleKind::Business, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AddTable, ascii, TSampleKind::Ascii, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AddTable, short_cells_12_per_row, TSampleKind::ShortCells, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AddTable, short_cells_16384_per_row, TSampleKind::ShortCells, 16384)->Unit(benchmark::kMillisecond);
