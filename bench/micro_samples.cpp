#include "micro_samples.h"

#include <map>
#include <tuple>

namespace tabulor::bench {

namespace {

constexpr std::size_t kSampleSize = std::size_t{4} << 20;
constexpr std::uint64_t kSeed = 20240611;

std::string MakeSample(TSampleKind kind, TLineEnd lineEnd, std::size_t cellsPerRow)
{
    switch (kind) {
    case TSampleKind::ShortCells: return MakeShortCellText(kSampleSize, cellsPerRow, kSeed, lineEnd);
    case TSampleKind::Ascii: return MakeAsciiText(kSampleSize, kSeed, lineEnd);
    case TSampleKind::Business: break;
    }
    return MakeBusinessText(kSampleSize, kSeed, lineEnd);
}

}  // namespace

const std::string& SampleText(TSampleKind kind, TLineEnd lineEnd, std::size_t cellsPerRow)
{
    static std::map<std::tuple<TSampleKind, TLineEnd, std::size_t>, std::string> samples;
    const auto key = std::make_tuple(kind, lineEnd, cellsPerRow);
    auto sample = samples.find(key);
    if (sample == samples.end())
        sample = samples.emplace(key, MakeSample(kind, lineEnd, cellsPerRow)).first;
    return sample->second;
}

}  // namespace tabulor::bench
