// Cutting a source into lines for each kind of line end, and for very short lines where the
// cost per line rather than per byte shows.
#include <benchmark/benchmark.h>

#include <string>

#include "core/source_rows.h"
#include "micro_samples.h"

namespace {

using tabulor::bench::TLineEnd;
using tabulor::bench::TSampleKind;

void SplitLines(benchmark::State& state, TSampleKind kind, TLineEnd lineEnd, std::size_t cellsPerRow)
{
    const std::string& text = tabulor::bench::SampleText(kind, lineEnd, cellsPerRow);
    std::size_t lines = 0;
    for (auto _ : state) {
        lines = 0;
        std::size_t lineBytes = 0;
        for (std::string_view line : tabulor::TSourceRows(text)) {
            ++lines;
            lineBytes += line.size();
        }
        benchmark::DoNotOptimize(lineBytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["lines"] = static_cast<double>(lines);
}

}  // namespace

BENCHMARK_CAPTURE(SplitLines, lf, TSampleKind::Business, TLineEnd::Lf, 12)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SplitLines, crlf, TSampleKind::Business, TLineEnd::CrLf, 12)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SplitLines, cr, TSampleKind::Business, TLineEnd::Cr, 12)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SplitLines, short_lines_crlf, TSampleKind::ShortCells, TLineEnd::CrLf, 1)->Unit(benchmark::kMicrosecond);
