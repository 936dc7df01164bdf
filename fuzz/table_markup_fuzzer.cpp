// The table on any source text and any settings a line edit can hold: one row line per source
// line, tabs + 1 cells per row, header cells exactly in the header rows and columns, every cell's
// text encoded, every line ended by CR LF; the same bytes through one block and through many.
//
// Input: the settings (see TFuzzInput::TakeSettings), then the source text up to its first NUL.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/source_rows.h"
#include "core/table_markup.h"
#include "fuzz_input.h"
#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tabulor::fuzz::TFuzzInput input(data, size);
    const tabulor::TTableSettings settings = input.TakeSettings(tabulor::fuzz::TTextKind::AnyBytes);
    const std::string_view source = input.CheckedSource();
    const tabulor::TSourceRows rows(source);
    const std::vector<std::string_view> sourceRows(rows.begin(), rows.end());

    tabulor::TOutputLines output;
    tabulor::AddTableLines(source, output, settings);
    const std::vector<std::string_view> lines = tabulor::fuzz::OutputLines(output.Text());
    tabulor::fuzz::CheckTable(lines, sourceRows, settings);

    tabulor::TOutputLines blocks;
    tabulor::AddTableLines(source, blocks, settings, {}, tabulor::fuzz::ManyBlocksSize(source));
    tabulor::fuzz::Require(blocks.Text() == output.Text(), "one block and many give the same table", source);
    return 0;
}
