// Cell encoding alone, over every cell of a sample, as the table markup calls it.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "cell_encoding.h"
#include "micro_samples.h"

namespace {

using tabulor::bench::TSampleKind;

std::vector<std::string_view> SplitCells(std::string_view text)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\t' || text[i] == '\r' || text[i] == '\n') {
            cells.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return cells;
}

void EncodeCells(benchmark::State& state, TSampleKind kind)
{
    const std::vector<std::string_view> cells = SplitCells(tabulor::bench::SampleText(kind));
    std::size_t cellBytes = 0;
    for (std::string_view cell : cells)
        cellBytes += cell.size();
    for (auto _ : state) {
        for (std::string_view cell : cells) {
            std::string html = tabulor::EncodeCellText(cell, "&nbsp;");
            benchmark::DoNotOptimize(html.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * cellBytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * cells.size()));
}

}  // namespace

BENCHMARK_CAPTURE(EncodeCells, typical, TSampleKind::Business)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodeCells, ascii, TSampleKind::Ascii)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodeCells, short_cells, TSampleKind::ShortCells)->Unit(benchmark::kMillisecond);
