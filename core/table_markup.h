// The table: its opening line, one row line per source row, its closing line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "output_lines.h"
#include "cell_markup.h"
#include "table_settings.h"

namespace tabulor {

// "<table>" with the table's class and border, as every table opens.
std::string TableOpeningLine(const TTableSettings& settings);
// That line and the caption's, if any, whose text is encoded as a cell's.
void AddTableOpening(TOutputLines& output, const TTableSettings& settings, bool xhtml);

// A text larger than a block this size is cut at row starts into blocks converted on every core.
inline constexpr std::size_t TableBlockSize = std::size_t{512} << 10;

// The text's rows as one table; blockSize is there for the tests, to put block ends anywhere.
// Throws ETextFault for a quoted field still open at the text's end.
void AddTableLines(std::string_view text, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading = {}, std::size_t blockSize = TableBlockSize);

}  // namespace tabulor
