// The texts the micro-benchmarks work on, made once per process: making one takes longer than
// most of the measured operations.
#pragma once

#include <cstddef>
#include <string>

#include "sample_text.h"

namespace tabulor::bench {

enum class TSampleKind { Business, ShortCells, Ascii };

// About 4 MiB: beyond the caches, as real files are, yet quick to convert many times.
const std::string& SampleText(TSampleKind kind, TLineEnd lineEnd = TLineEnd::CrLf,
                              std::size_t cellsPerRow = 12);

}  // namespace tabulor::bench
