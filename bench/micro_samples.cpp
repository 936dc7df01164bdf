#include "micro_samples.h"

#include <map>
#include <tuple>

namespace tabulor::bench {

namespace {

constexpr std::size_t SampleSize = std::size_t{4} << 20;
constexpr std::uint64_t Seed = 20240611;

std::string MakeSample(TSampleKind kind, TLineEnd lineEnd, std::size_t cellsPerRow)
{
    switch (kind) {
    case TSampleKind::ShortCells: return MakeShortCellText(SampleSize, cellsPerRow, Seed, lineEnd);
    case TSampleKind::Ascii: return MakeAsciiText(SampleSize, Seed, lineEnd);
    case TSampleKind::Business: break;
    }
    return MakeBusinessText(SampleSize, Seed, lineEnd);
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
